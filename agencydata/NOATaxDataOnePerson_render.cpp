// Rendering a notice into a page through the product's rendering service.
#include "agencydata/NOATaxDataOnePerson.h"

#include "companion/core/filemodes.h"
#include "companion/core/qwebclient.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const char* const kRenderPath = "/expnoaserv/ExpNOAServ";
const char* const kNoticeStyle = "t1noa_2024";

} // namespace

QString NOATaxDataOnePerson::renderUrl() const
{
    return QStringLiteral("https://") + m_renderHost.trimmed() + QLatin1String(kRenderPath);
}

CString NOATaxDataOnePerson::pagePath(const std::string& maskedSin, int taxpayerId) const
{
    return QStringLiteral("%1/noa%2_%3_%4.html")
        .arg(QString(noticeFolder), QString::number(taxYear), QString::fromStdString(maskedSin),
             QString::number(taxpayerId));
}

int NOATaxDataOnePerson::renderNotice(const char* time, const std::string& xml, QByteArray& page)
{
    page.clear();
    m_lastRenderError.clear();
    if (m_renderHost.trimmed().isEmpty()) {
        m_lastRenderError = QStringLiteral("no rendering service is configured");
        return RenderNoService;
    }
    QWebClient client(renderUrl(), true);
    client.setTimeoutMs(m_renderTimeoutMs);
    client.addQueryItem(QStringLiteral("noaxml"), QString::fromStdString(xml));
    client.addQueryItem(QStringLiteral("testtime"), QString::fromUtf8(time ? time : ""));
    client.addQueryItem(QStringLiteral("taxyear"), QString::number(taxYear));
    client.addQueryItem(QStringLiteral("xsltType"), QLatin1String(kNoticeStyle));

    QString reply;
    if (!client.post(reply)) {
        m_lastRenderError = client.lastError();
        return RenderNoReply;
    }
    if (client.lastStatusCode() != 200) {
        m_lastRenderError = QStringLiteral("the service answered with status %1").arg(client.lastStatusCode());
        return RenderBadStatus;
    }
    if (reply.trimmed().isEmpty()) {
        m_lastRenderError = QStringLiteral("the service answered with an empty page");
        return RenderEmptyPage;
    }
    page = reply.toUtf8();
    return RenderOk;
}

int NOATaxDataOnePerson::writePage(const CString& path, const QByteArray& page)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !keepToOwner(file) || file.write(page) != page.size()
        || !file.commit()) {
        m_lastRenderError = QStringLiteral("the page could not be written: %1").arg(file.errorString());
        return RenderNotWritten;
    }
    return RenderOk;
}

int NOATaxDataOnePerson::toHtmlFileXslt2(CString& path, const char* time, std::string& xml)
{
    QByteArray page;
    const int rendered = renderNotice(time, xml, page);
    return rendered == RenderOk ? writePage(path, page) : rendered;
}
