#include "common/callbackport.h"

#include <QFile>
#include <QHostAddress>
#include <QRandomGenerator>
#include <QTcpServer>

namespace {

// The first port of the kernel's ephemeral range (32768 when it cannot be read).
int ephemeralStart()
{
    QFile range(QStringLiteral("/proc/sys/net/ipv4/ip_local_port_range"));
    if (range.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> bounds = range.readAll().simplified().split(' ');
        bool ok = false;
        const int low = bounds.value(0).toInt(&ok);
        if (ok && low > 1024)
            return low;
    }
    return 32768;
}

bool isFree(quint16 port)
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, port);
}

} // namespace

quint16 callbackPort()
{
    const int high = ephemeralStart();
    const int low = qMax(10000, high - 12000);
    if (high > low) {
        for (int attempt = 0; attempt < 64; ++attempt) {
            const auto port = quint16(QRandomGenerator::global()->bounded(low, high));
            if (isFree(port))
                return port;
        }
    }
    // A machine whose ephemeral range starts low: fall back to the kernel's pick.
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}
