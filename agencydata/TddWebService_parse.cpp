// The two data-reply parsers of TddWebService: the Auto-fill reply and the
// Express NOA reply become one stored record per requested taxpayer.

#include "agencydata/NOATaxDataOnePerson.h"
#include "agencydata/TddWebService.h"
#include "agencydata/tddreplyxml.h"
#include "agencydata/tddsoap.h"
#include "agencydata/tddstore.h"
#include "companion/core/digest.h"
#include "companion/core/folders.h"
#include "companion/core/outsidexml.h"
#include "companion/core/xmlreader.h"
#include "agencydata/records/tddtaxdataoneperson.h"

#include <QMutexLocker>
#include <QSqlDatabase>

#include <algorithm>
#include <atomic>
#include <cctype>

namespace {

// Progress codes of a reply's parse.
enum ParseCode : int { ParseStarted = 80, ParseReadable = 81, ParseItem = 85, ParseSaving = 90 };

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// A S.I.N. as it may go into a log: never in clear.
std::string maskedForLog(const std::string& typed)
{
    const std::string digits = normaliseTddSin(typed);
    return NOATaxDataOnePerson::maskSIN(digits.empty() ? typed : digits);
}

void startLog(FILE* log)
{
    writeStoreLog(log, "enter parse data\n");
    writeStoreLog(log, "db alive\n");
}

} // namespace

void TddWebService::setDatabaseOpener(DatabaseOpener opener)
{
    QMutexLocker lock(&m_mutex);
    m_dbOpener = std::move(opener);
}

void TddWebService::setNoticeFolders(const CString& resourceFolder, const CString& pageFolder)
{
    QMutexLocker lock(&m_mutex);
    m_noticeResourceFolder = resourceFolder;
    m_noticePageFolder = pageFolder;
}

void TddWebService::installDataParsers()
{
    setReplyParser(TddAutoFill, [this](FILE* log, const std::string& reply) { return parseTDDTaxData(log, reply); });
    setReplyParser(TddExpressNoa,
                   [this](FILE* log, const std::string& reply) { return parseNOATaxData(log, reply); });
}

TddWebService::NoticeMessages TddWebService::noticeMessages() const
{
    QMutexLocker lock(&m_mutex);
    return m_noticeMessages;
}

// The agency names each item's taxpayer by the SHA-256 of the nine digits,
// so the digest is taken of the S.I.N. as the request sent it ("046 454 286"
// was sent as "046454286"), and maps back to the text the user typed.
std::map<std::string, CString> TddWebService::requestedDigests() const
{
    std::list<std::string> sins;
    {
        QMutexLocker lock(&m_mutex);
        sins = m_sins;
    }
    std::map<std::string, CString> digests;
    SHA256 sha;
    for (const std::string& typed : sins) {
        const std::string digits = normaliseTddSin(typed);
        digests.emplace(sha(digits.empty() ? typed : digits), CString(typed));
    }
    return digests;
}

// Each save has a connection of its own, under a name no other save uses at
// the same time, removed once closed so no name stays registered.
template <class Save>
int TddWebService::saveOnOwnConnection(const char* namePrefix, FILE* log, Save save)
{
    static std::atomic<int> serial{0};
    const QString name = QStringLiteral("%1_%2").arg(QLatin1String(namePrefix)).arg(++serial);
    DatabaseOpener opener;
    {
        QMutexLocker lock(&m_mutex);
        opener = m_dbOpener;
    }
    int stored = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        if (opener && opener(db)) {
            stored = save(&db);
            db.close();
        } else {
            writeStoreLog(log, "failed to open db\n");
        }
    }
    QSqlDatabase::removeDatabase(name);
    return stored;
}

int TddWebService::parseTDDTaxData(FILE* log, const std::string& reply)
{
    startLog(log);
    postProgressMessage(ParseStarted, 0);

    TiXmlDocument doc;
    QString refusal;
    if (!parseOutsideXml(doc, reply, TIXML_DEFAULT_ENCODING, &refusal)) {
        writeStoreLog(log, "%s\n", refusal.toUtf8().constData());
        return -2;
    }
    if (doc.Error())
        return -2;
    postProgressMessage(ParseReadable, 0);

    MyTiXmlHandle delivery = MyTiXmlHandle(doc.FirstChildElement())
                                 .FirstChildElement("soapenv:Body")
                                 .FirstChildElement("GetTDDDireradResponse", "ns")
                                 .FirstChildElement("TaxDataDelivery", "ns");
    if (!delivery.ToElement())
        return -5;

    const std::map<std::string, CString> digests = requestedDigests();
    TiXmlElement* item =
        delivery.FirstChildElement("TaxData", "ns").FirstChildElement("IndividualIncomeTaxDataItem", "ns").ToElement();
    const int taxYear = taxYearText().toInt();

    int number = 0;
    int stored = 0;
    for (; item; item = item->NextSiblingElement()) {
        ++number;
        postProgressMessage(ParseItem, 0);

        TDDTaxDataOnePerson record(taxYear);
        const int parsed = record.parseXMLData(item);
        writeStoreLog(log, "parse %d (%d)\n", number, parsed);

        const auto found = digests.find(lowerCase(record.identifier));
        if (found == digests.end()) {
            writeStoreLog(log, "skipping %d (%s)\n", number, record.identifier.c_str());
            continue;
        }
        postProgressMessage(ParseSaving, 0);
        const std::string sin = found->second.toStdString();
        const std::string itemXml = printElementWithNamespaces(item);
        stored += saveOnOwnConnection("TDD_DB_Connection", log, [&](QSqlDatabase* db) {
            return record.saveToSqliteDB(db, log, sin, itemXml) == 1 ? 1 : 0;
        });
        writeStoreLog(log, "save %d (%s)\n", number, maskedForLog(sin).c_str());
    }
    return stored;
}

int TddWebService::parseNOATaxData(FILE* log, const std::string& reply)
{
    startLog(log);
    postProgressMessage(ParseStarted, 0);

    TiXmlDocument doc;
    QString refusal;
    if (!parseOutsideXml(doc, reply, TIXML_DEFAULT_ENCODING, &refusal)) {
        writeStoreLog(log, "%s\n", refusal.toUtf8().constData());
        return -2;
    }
    if (doc.Error())
        return -2;
    postProgressMessage(ParseReadable, 0);

    MyTiXmlHandle assessment = MyTiXmlHandle(doc.FirstChildElement())
                                   .FirstChildElement("soapenv:Body")
                                   .FirstChildElement("GetNOAResponse")
                                   .FirstChildElement("NoticeOfAssessment");
    if (!assessment.ToElement())
        return -5;

    const std::map<std::string, CString> digests = requestedDigests();
    TiXmlElement* item =
        assessment.FirstChildElement("NoticeOfAssessmentData").FirstChildElement("NoticeOfAssessmentItem").ToElement();
    const int taxYear = taxYearText().toInt();
    CString resourceFolder;
    CString pageFolder;
    QString renderHost;
    {
        QMutexLocker lock(&m_mutex);
        m_noticeMessages.clear();
        resourceFolder = m_noticeResourceFolder;
        pageFolder = m_noticePageFolder;
        renderHost = m_settings.noaRenderHost;
    }

    int number = 0;
    int stored = 0;
    for (; item; item = item->NextSiblingElement()) {
        ++number;
        postProgressMessage(ParseItem, 0);

        makeFolderExists(pageFolder);
        NOATaxDataOnePerson record(CString(QStringLiteral("%1/noa").arg(resourceFolder)), pageFolder, taxYear);
        record.setRenderHost(renderHost);
        if (record.parseXMLData(item) < 0) {
            // One item that names nobody must not hide the notices already
            // stored, nor those after it.
            writeStoreLog(log, "SIN not found, return early\n");
            continue;
        }
        const auto found = digests.find(lowerCase(record.identifier));
        if (found == digests.end()) {
            writeStoreLog(log, "skipping %d (%s)\n", number, record.identifier.c_str());
            continue;
        }
        postProgressMessage(ParseSaving, 0);
        const std::string sin = found->second.toStdString();
        if (!record.notice.present) {
            const CString message = record.summaryText.empty()
                                        ? CString(QStringLiteral("For tax payer (S.I.N. %1), no message presents.")
                                                      .arg(found->second))
                                        : CString(QStringLiteral("For tax payer (S.I.N. %1), %2.")
                                                      .arg(found->second, QString::fromStdString(record.summaryText)));
            QMutexLocker lock(&m_mutex);
            m_noticeMessages[sin] = message;
        }
        std::string noticeXml = printDocumentWithOnlyChild(doc, item);
        stored += saveOnOwnConnection("NOA_DB_Connection", log, [&](QSqlDatabase* db) {
            return record.saveToSqliteDB(db, log, sin, noticeXml) == 1 ? 1 : 0;
        });
        writeStoreLog(log, "save %d (%s)\n", number, maskedForLog(sin).c_str());
    }
    return stored;
}
