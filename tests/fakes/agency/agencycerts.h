#pragma once

#include <QString>

// The certificates of the fake agency, made afresh for every test run by
// the CTest fixture that runs tests/fakes/certs/make-certs.sh into a folder
// of the build, which the tests find in VR_AGENCY_CERTS.
//
//   ca.pem                   the test CA the program is told to trust
//   server.pem/.key          127.0.0.1 and localhost, by the test CA
//   wrong-host.pem/.key      another host name only, by the test CA
//   other-server.pem/.key    127.0.0.1 and localhost, by a CA nobody trusts
namespace AgencyCerts {
// The folder; empty when the variable is not set (a test run outside CTest).
QString dir();
QString path(const QString& fileName);
inline QString caPem() { return path(QStringLiteral("ca.pem")); }
// True when every file above is present.
bool available();
} // namespace AgencyCerts
