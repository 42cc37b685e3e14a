#pragma once

#include <QString>

// The certificates in tests/fakes/certs (made by make-certs.sh there).
namespace TestCerts {
QString path(const QString& fileName);
inline QString caPem() { return path(QStringLiteral("ca.pem")); }
inline QString serverPem() { return path(QStringLiteral("server.pem")); }   // signed by ca.pem
inline QString serverKey() { return path(QStringLiteral("server.key")); }
inline QString otherCaPem() { return path(QStringLiteral("other-ca.pem")); }
inline QString otherServerPem() { return path(QStringLiteral("other-server.pem")); } // by other-ca.pem
inline QString otherServerKey() { return path(QStringLiteral("other-server.key")); }
} // namespace TestCerts
