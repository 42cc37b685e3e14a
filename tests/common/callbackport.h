#pragma once

#include <QtGlobal>

// A loopback port for a test's browser callback or helper program, one that
// nothing else in a parallel test run is likely to take before the test binds
// it. Asking the kernel for a free port (listen on 0, read it, close) hands
// out ports from the ephemeral range, which every outgoing connection of the
// other tests draws from too: between the probe and the real bind another
// test's client socket can take it. The port returned here is picked at
// random below that range, where only explicit binds land, and is checked
// free at the moment of the call.
quint16 callbackPort();
