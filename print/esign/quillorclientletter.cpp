#include "print/esign/quillorclientletter.h"

#include "companion/core/jsonutil.h"
#include "companion/core/outsidexml.h"
#include "companion/core/qwebclient.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QTemporaryFile>
#include <QUrl>
#include <QXmlStreamReader>

#include <cstdio>
#include <memory>

namespace {

const char* const kTemplatePath = "/api/templates/latest";
const char* const kTemplateType = "client_letter";
constexpr int kHttpsPort = 443;

QString inFolder(const QString& folder, const char* name)
{
    return folder + QDir::separator() + QString::fromLatin1(name);
}

bool isPdf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.size() > 0 && file.read(5) == "%PDF-";
}

bool isXml(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0
        || static_cast<quint64>(file.size()) > kOutsideXmlMaxBytes)
        return false;
    // The print engine reads this layout with a parser that descends once
    // per level: a layout nested deeper than the guard allows is refused here.
    const QByteArray text = file.readAll();
    if (!checkOutsideXml(text.constData(), static_cast<std::size_t>(text.size())).accepted)
        return false;
    QXmlStreamReader xml(text);
    bool sawElement = false;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement)
            sawElement = true;
    return sawElement && !xml.hasError();
}

// A temporary file beside target, so that putting it in place is a rename
// within one file system.
std::unique_ptr<QTemporaryFile> besideTarget(const QString& target)
{
    auto file = std::make_unique<QTemporaryFile>(target + QStringLiteral(".XXXXXX.download"));
    if (!file->open())
        return nullptr;
    file->close();
    return file;
}

// Replaces target by source in one step (rename over an existing file).
bool putInPlace(const QString& source, const QString& target)
{
    return std::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) == 0;
}

} // namespace

QuillorClientLetter::QuillorClientLetter(QuillorClient& client, QuillorRunLog runLog, int installedVersion,
                                         std::function<void(int)> recordVersion)
    : m_client(client), m_runLog(std::move(runLog)), m_installedVersion(installedVersion),
      m_recordVersion(std::move(recordVersion))
{
}

void QuillorClientLetter::log(const QString& line) const
{
    if (m_runLog)
        m_runLog(line);
}

bool QuillorClientLetter::isServiceUrl(const QString& url) const
{
    const QUrl service(QuillorClient::url(m_client.settings().server, QString()));
    const QUrl candidate(url, QUrl::StrictMode);
    return candidate.isValid() && candidate.scheme() == QLatin1String("https")
        && candidate.host().compare(service.host(), Qt::CaseInsensitive) == 0
        && candidate.port(kHttpsPort) == service.port(kHttpsPort) && candidate.userInfo().isEmpty();
}

int QuillorClientLetter::fetch(const QString& pdfFolder, const QString& xmlFolder)
{
    qInfo("fetchCustomizedClientLetter");
    QString token;
    const int login = m_client.loginToQuillorCA(token);
    if (login != QuillorClient::LoginOk) {
        qInfo("cannot get quillor token:%d", login);
        return login;
    }

    QWebClient web(m_client.url(QString::fromLatin1(kTemplatePath)), false);
    web.addQueryItem(QStringLiteral("software_name"), QString::fromLatin1(QuillorClient::kProductCode));
    web.addQueryItem(QStringLiteral("software_version"), QString::fromLatin1(QuillorClient::kTaxYear));
    web.addQueryItem(QStringLiteral("type"), QString::fromLatin1(kTemplateType));
    web.addQueryItem(QStringLiteral("version_info_only"), QStringLiteral("0"));
    const QuillorReply reply = m_client.post(web, QuillorClient::Auth::Bearer, token);
    if (!reply.arrived) {
        log(QStringLiteral("client letter: no reply to the template request"));
        return NotDeployed;
    }

    JsonUtil json;
    if (json.parseString(reply.body) != JsonUtil::kOk || !json.getBoolParam(QStringLiteral("success")))
        return BadReply;
    const QJsonArray data = json.getSubArray(QStringLiteral("data"));
    if (data.isEmpty())
        return Current;

    const QJsonObject entry = data.at(0).toObject();
    const int version = entry.value(QStringLiteral("template_version")).toInt();
    const QString pdfFile = inFolder(pdfFolder, kPdfName);
    if (m_installedVersion >= version && QFileInfo::exists(pdfFile))
        return Current;

    qInfo("tempVer:%d", version);
    const QString pdfUrl = entry.value(QStringLiteral("template_pdf_url")).toString();
    const QString xmlUrl = entry.value(QStringLiteral("template_xml_url")).toString();
    if (!replaceTemplate(pdfUrl, pdfFile, xmlUrl, inFolder(xmlFolder, kXmlName)))
        return NotDeployed;

    if (m_recordVersion)
        m_recordVersion(version);
    return Deployed;
}

bool QuillorClientLetter::replaceTemplate(const QString& pdfUrl, const QString& pdfFile, const QString& xmlUrl,
                                          const QString& xmlFile)
{
    // The template addresses come from the reply: only the service itself is
    // asked for files.
    for (const QString& url : {pdfUrl, xmlUrl}) {
        if (!isServiceUrl(url)) {
            log(QStringLiteral("client letter: template address is not on the service: %1").arg(url.left(200)));
            return false;
        }
    }

    const std::unique_ptr<QTemporaryFile> pdfTemp = besideTarget(pdfFile);
    const std::unique_ptr<QTemporaryFile> xmlTemp = besideTarget(xmlFile);
    if (!pdfTemp || !xmlTemp) {
        log(QStringLiteral("client letter: template folder cannot be written: %1")
                .arg(QFileInfo(pdfTemp ? xmlFile : pdfFile).absolutePath()));
        return false;
    }

    QWebClient pdfWeb(pdfUrl, false);
    if (!pdfWeb.getDownloadFile(pdfTemp->fileName()) || !isPdf(pdfTemp->fileName())) {
        log(QStringLiteral("client letter: PDF download failed or is not a PDF (status %1)")
                .arg(pdfWeb.lastStatusCode()));
        return false;
    }
    QWebClient xmlWeb(xmlUrl, false);
    if (!xmlWeb.getDownloadFile(xmlTemp->fileName()) || !isXml(xmlTemp->fileName())) {
        log(QStringLiteral("client letter: XML download failed or is not XML (status %1)")
                .arg(xmlWeb.lastStatusCode()));
        return false;
    }

    // Both checked: the PDF first, put back when the XML cannot follow, so
    // that the installed pair always belongs together.
    QString keptPdf;
    if (QFileInfo::exists(pdfFile)) {
        const std::unique_ptr<QTemporaryFile> backup = besideTarget(pdfFile);
        if (!backup || !QFile::remove(backup->fileName()) || !QFile::copy(pdfFile, backup->fileName())) {
            log(QStringLiteral("client letter: template folder cannot be written: %1")
                    .arg(QFileInfo(pdfFile).absolutePath()));
            return false;
        }
        backup->setAutoRemove(false);
        keptPdf = backup->fileName();
    }
    if (!putInPlace(pdfTemp->fileName(), pdfFile)) {
        log(QStringLiteral("client letter: cannot replace %1").arg(pdfFile));
        if (!keptPdf.isEmpty())
            QFile::remove(keptPdf);
        return false;
    }
    if (!putInPlace(xmlTemp->fileName(), xmlFile)) {
        log(QStringLiteral("client letter: cannot replace %1").arg(xmlFile));
        if (keptPdf.isEmpty())
            QFile::remove(pdfFile);
        else
            putInPlace(keptPdf, pdfFile);
        return false;
    }
    if (!keptPdf.isEmpty())
        QFile::remove(keptPdf);
    return true;
}
