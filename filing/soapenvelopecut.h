#pragma once

#include <QByteArray>

// The SOAP envelope in a reply that may carry text around it: from the
// first "<?xml" through the end of the first closing Envelope tag after it,
// whatever its prefix. False when either is missing; nothing past the end of
// reply is ever read.
bool cutSoapEnvelope(const QByteArray& reply, QByteArray& envelope);
