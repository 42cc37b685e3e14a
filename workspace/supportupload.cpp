#include "workspace/supportupload.h"

#include "companion/core/appclock.h"
#include "companion/core/qwebclient.h"

#include <QFileInfo>
#include <QRandomGenerator>

QString SupportUpload::remoteFileName(const QDateTime& now, const QString& localPath)
{
    const quint32 random = QRandomGenerator::system()->generate();
    return QStringLiteral("%1-%2-%3")
        .arg(now.toString(QStringLiteral("MMddHHmm")), QStringLiteral("%1").arg(random, 8, 16, QLatin1Char('0')),
             QFileInfo(localPath).fileName());
}

bool SupportUpload::send(const Request& request)
{
    QWebClient client(QStringLiteral("https://%1%2").arg(request.host, QLatin1String(kUploadPath)),
                      request.localPath, remoteFileName(AppClock::now(), request.localPath),
                      QLatin1String(kFilePart));
    client.addQueryItem(QStringLiteral("email"), request.email);
    client.addQueryItem(QStringLiteral("msg"), request.appTitle + QLatin1Char('\n') + request.message);
    QString reply;
    if (!client.post(reply))
        return false;
    const int status = client.lastStatusCode();
    return status >= 200 && status < 300;
}
