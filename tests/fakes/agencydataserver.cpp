#include "fakes/agencydataserver.h"

#include "companion/core/xmlreader.h"
#include "fakes/fakehttpserver.h"
#include "fakes/testcerts.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QUrl>
#include <QUrlQuery>

#include <tinyxml.h>

const char* const FakeAgencyDataServer::kTestKey = "Zc2WmQ7vRx4LpN9kTb6HsJ3dYf8GuA5e";

namespace {

const QByteArray kPathPrefix = "/ebci/awsc/tdd/ws/2024/";
// The agency's login page, on its production and its certification-test host.
const QByteArray kLoginPaths[] = {"/gol-ged/awsc/tdd/auth/start", "/ebci/awsc/tdd/certtest/auth/start"};

const char* const kLoginPage =
    "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>Sign in - test agency</title></head>\n"
    "<body style=\"font-family: sans-serif; margin: 3em\">\n"
    "<h1>Test agency: sign in</h1>\n"
    "<p>This page stands in for the agency's login. Signing in hands this session back to the program, "
    "which then retrieves the taxpayer's data.</p>\n"
    // A link, not a form: a browser stops a form sent from this HTTPS page
    // to the program's plain-HTTP listener with a warning of its own.
    "<p><a id=\"signIn\" href=\"%1\" style=\"font-size: 1.2em; padding: 0.4em 1em; border: 1px solid #555; "
    "border-radius: 4px; background: #eee; color: #000; text-decoration: none\">Sign in</a></p>\n"
    "</body></html>\n";
// Service path -> service kind.
const struct
{
    const char* path;
    const char* service;
} kServices[] = {
    {"TaxDataDeliveryService", "tdd"},
    {"CertTestDeliveryService", "tdd"},
    {"NoticeOfAssessmentService", "noa"},
    {"CertTestNOAService", "noa"},
};

// The network stack sends a request again, once, when its connection closes
// without a word; a reset stands for a network that stays down, so the
// repeat is closed too.
const char* const kRetryAfterReset = "repeat of a request whose connection was reset";

const char* const kAgencyNs = "http://www.taxagency.example/xmlns/tdd/2-8-0";

// Two Auto-fill items: one for 046454286 (its identifier is the upper-case
// SHA-256 of the S.I.N.) and one for a taxpayer nobody asked for.
const char* const kDefaultAutoFillItems =
    "<IndividualIncomeTaxDataItem><IndividualTaxpayerIdentifier>"
    "1A4E63FBC8540EE9262BF417B94652D50FCA5B6233177B3773DAEDCAF0C3EDE2</IndividualTaxpayerIdentifier>"
    "<T4Slip><EmployerName>A &amp; B Ltd</EmployerName></T4Slip></IndividualIncomeTaxDataItem>"
    "<IndividualIncomeTaxDataItem><IndividualTaxpayerIdentifier>"
    "193f7d7c48c5ed36257282a1d255d39a40731ef779eda06418e831715fb881eb</IndividualTaxpayerIdentifier>"
    "</IndividualIncomeTaxDataItem>";
const char* const kDefaultNoaItems =
    "<NoticeOfAssessmentItem><IndividualTaxpayerIdentifier>"
    "1A4E63FBC8540EE9262BF417B94652D50FCA5B6233177B3773DAEDCAF0C3EDE2</IndividualTaxpayerIdentifier>"
    "<AssessmentSummaryText xml:lang=\"en\">Assessed as filed.</AssessmentSummaryText>"
    "<T1Notice/></NoticeOfAssessmentItem>";

QByteArray envelope(const QByteArray& prefix, const QByteArray& inner)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><" + prefix + ":Envelope xmlns:" + prefix +
           "=\"http://schemas.xmlsoap.org/soap/envelope/\"><" + prefix + ":Body>" + inner + "</" + prefix +
           ":Body></" + prefix + ":Envelope>";
}

QByteArray fault(const QString& why)
{
    return envelope("soapenv", "<soapenv:Fault><faultcode>soapenv:Client</faultcode><faultstring>" +
                                   why.toHtmlEscaped().toUtf8() + "</faultstring></soapenv:Fault>");
}

QByteArray response(const QByteArray& element, const QByteArray& returnCode, const QByteArray& token,
                    const QByteArray& more = QByteArray())
{
    QByteArray inner = "<ns:" + element + " xmlns:ns=\"" + kAgencyNs + "\"><ReturnCode>" + returnCode + "</ReturnCode>";
    if (!token.isEmpty())
        inner += "<TokenIdentifier>" + token + "</TokenIdentifier>";
    return inner + more + "</ns:" + element + ">";
}

QString childText(const TiXmlElement* element, const char* name)
{
    return QString::fromUtf8(getElementSubEleStringText(element, name));
}

bool isNineDigits(const QString& text)
{
    if (text.size() != 9)
        return false;
    for (QChar c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

} // namespace

struct FakeAgencyDataServer::Outcome
{
    FakeReply reply;
};

FakeAgencyDataServer::FakeAgencyDataServer(QObject* parent)
    : QObject(parent), m_key(QString::fromLatin1(kTestKey)), m_autoFillItems(kDefaultAutoFillItems),
      m_noaItems(kDefaultNoaItems)
{
    m_thread.setObjectName(QStringLiteral("fake agency data"));
}

FakeAgencyDataServer::~FakeAgencyDataServer()
{
    stop();
}

bool FakeAgencyDataServer::start()
{
    stop();
    m_thread.start();
    m_server = new FakeHttpServer;
    m_server->moveToThread(&m_thread);
    m_server->setHandler([this](const RecordedRequest& http) { return handle(http).reply; });
    bool ok = false;
    FakeHttpServer* server = m_server;
    QMetaObject::invokeMethod(server, [server, &ok] {
        ok = server->startTls(TestCerts::serverPem(), TestCerts::serverKey());
    }, Qt::BlockingQueuedConnection);
    if (!ok) {
        stop();
        return false;
    }
    m_port = server->port();
    return true;
}

void FakeAgencyDataServer::stop()
{
    if (!m_thread.isRunning())
        return;
    if (FakeHttpServer* doomed = m_server) {
        QMetaObject::invokeMethod(doomed, [doomed] {
            doomed->close();
            doomed->deleteLater();
        }, Qt::BlockingQueuedConnection);
        m_server = nullptr;
    }
    m_thread.quit();
    m_thread.wait();
}

QString FakeAgencyDataServer::hostAndPort() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

void FakeAgencyDataServer::setKey(const QString& key)
{
    QMutexLocker lock(&m_mutex);
    m_key = key;
}

void FakeAgencyDataServer::setLateDelayMs(int ms)
{
    QMutexLocker lock(&m_mutex);
    m_lateDelayMs = ms;
}

void FakeAgencyDataServer::setReadyItems(const QByteArray& autoFillItems, const QByteArray& noaItems)
{
    QMutexLocker lock(&m_mutex);
    m_autoFillItems = autoFillItems;
    m_noaItems = noaItems;
}

void FakeAgencyDataServer::enqueueStage(Reply reply)
{
    QMutexLocker lock(&m_mutex);
    m_stageScript.enqueue(reply);
}

void FakeAgencyDataServer::enqueueData(Reply reply)
{
    QMutexLocker lock(&m_mutex);
    m_dataScript.enqueue(reply);
}

void FakeAgencyDataServer::setDefaultReplies(Reply stage, Reply data)
{
    QMutexLocker lock(&m_mutex);
    m_stageDefault = stage;
    m_dataDefault = data;
}

void FakeAgencyDataServer::setCallbackPort(quint16 port)
{
    QMutexLocker lock(&m_mutex);
    m_callbackPort = port;
}

QList<FakeAgencyDataServer::Request> FakeAgencyDataServer::requests() const
{
    QMutexLocker lock(&m_mutex);
    return m_requests;
}

int FakeAgencyDataServer::requestCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_requests.size();
}

QString FakeAgencyDataServer::tokenAFor(const QString& tokenC) const
{
    QMutexLocker lock(&m_mutex);
    return m_tokenAByTokenC.value(tokenC);
}

QString FakeAgencyDataServer::newToken(int length)
{
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString token;
    for (int i = 0; i < length; ++i)
        token += QChar(kAlphabet[QRandomGenerator::global()->bounded(int(sizeof kAlphabet) - 1)]);
    return token;
}

// Called with the mutex held.
QString FakeAgencyDataServer::refusalOf(const RecordedRequest& http, Request& request)
{
    TiXmlDocument doc;
    doc.Parse(http.body.constData(), nullptr, TIXML_ENCODING_UTF8);
    if (doc.Error() || !doc.RootElement() || QLatin1String(xmlLocalName(doc.RootElement()->Value())) != "Envelope")
        return QStringLiteral("request not well-formed");
    const MyTiXmlHandle envelopeHandle(doc.RootElement());
    const TiXmlElement* security = envelopeHandle.FirstChildElement("Header").FirstChildElement("Security").ToElement();
    if (!security)
        return QStringLiteral("no wsse:Security");
    const char* mustUnderstand = security->Attribute("S:mustUnderstand");
    if (!mustUnderstand || QLatin1String(mustUnderstand) != "1")
        return QStringLiteral("wsse:Security without S:mustUnderstand=\"1\"");
    const TiXmlElement* token = MyTiXmlHandle(const_cast<TiXmlElement*>(security)).FirstChildElement("UsernameToken").ToElement();
    request.username = childText(token, "Username");
    if (request.username != "095N" && request.username != "095U")
        return QStringLiteral("unknown Username");
    request.nonceBase64 = childText(token, "Nonce");
    const auto decoded = QByteArray::fromBase64Encoding(request.nonceBase64.toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() != 16)
        return QStringLiteral("Nonce is not 16 bytes");
    if (m_resetNonces.contains(request.nonceBase64))
        return QString::fromLatin1(kRetryAfterReset);
    if (m_nonces.contains(request.nonceBase64))
        return QStringLiteral("Nonce seen before");
    m_nonces.insert(request.nonceBase64);
    const QByteArray expected = QCryptographicHash::hash(decoded.decoded + childText(token, "Created").toUtf8() +
                                                             m_key.toUtf8(),
                                                         QCryptographicHash::Sha1)
                                    .toBase64();
    if (childText(token, "Password").toLatin1() != expected)
        return QStringLiteral("Password digest does not match");

    const TiXmlElement* body = envelopeHandle.FirstChildElement("Body").FirstChildElement().ToElement();
    const QString name = body ? QString::fromUtf8(xmlLocalName(body->Value())) : QString();
    const bool tdd = request.service == "tdd";
    if (name == (tdd ? "StageTDDDirerad" : "StageNOA")) {
        request.stage = true;
        if (childText(body, "TaxYear") != "2024")
            return QStringLiteral("stage without TaxYear 2024");
        int sins = 0;
        for (const TiXmlElement* e = body->FirstChildElement(); e; e = e->NextSiblingElement()) {
            if (QLatin1String(xmlLocalName(e->Value())) != "Sin")
                continue;
            ++sins;
            if (!isNineDigits(QString::fromUtf8(e->GetText() ? e->GetText() : "")))
                return QStringLiteral("Sin is not nine digits");
        }
        return sins ? QString() : QStringLiteral("stage without Sin");
    }
    if (name == (tdd ? "GetTDDDirerad" : "GetNOA")) {
        if (childText(body, "TaxYear") != "2024")
            return QStringLiteral("data request without TaxYear 2024");
        if (!m_issuedDataTokens.contains(childText(body, "TokenIdentifier")))
            return QStringLiteral("TokenIdentifier not issued");
        return QString();
    }
    return QStringLiteral("unknown request body");
}

FakeAgencyDataServer::Outcome FakeAgencyDataServer::handle(const RecordedRequest& http)
{
    QMutexLocker lock(&m_mutex);
    Request request;
    request.http = http;
    for (const auto& s : kServices) {
        if (http.path() == kPathPrefix + s.path)
            request.service = QString::fromLatin1(s.service);
    }
    Outcome out;
    for (const QByteArray& loginPath : kLoginPaths) {
        if (http.method == "GET" && http.path() == loginPath) {
            out.reply = loginPage(http, request);
            m_requests.append(request);
            return out;
        }
    }
    if (request.service.isEmpty() || http.method != "POST") {
        request.refusal = QStringLiteral("no such service");
        m_requests.append(request);
        out.reply = FakeReply::text(404, "Not Found");
        return out;
    }
    request.refusal = refusalOf(http, request);
    m_requests.append(request);
    if (request.refusal == QLatin1String(kRetryAfterReset)) {
        out.reply = FakeReply::closed();
        return out;
    }
    if (!request.refusal.isEmpty()) {
        out.reply = FakeReply::xml(fault(request.refusal), 500);
        return out;
    }
    QQueue<Reply>& script = request.stage ? m_stageScript : m_dataScript;
    const std::optional<Reply>& fallback = request.stage ? m_stageDefault : m_dataDefault;
    if (script.isEmpty() && !fallback) {
        out.reply = FakeReply::xml(fault(QStringLiteral("unscripted request")), 500);
        return out;
    }
    Reply reply = script.isEmpty() ? *fallback : script.dequeue();
    int delay = 0;
    if (reply == Reply::Late) {
        delay = m_lateDelayMs;
        reply = request.stage ? Reply::StageAccepted : Reply::NotReady;
    }
    switch (reply) {
    case Reply::Fault: out.reply = FakeReply::xml(fault(QStringLiteral("scripted fault")), 500); break;
    case Reply::Http500: out.reply = FakeReply::text(500, "Internal Server Error"); break;
    case Reply::Malformed: out.reply = FakeReply::xml("<soapenv:Envelope><soapenv:Body><ns:"); break;
    case Reply::Reset:
        m_resetNonces.insert(request.nonceBase64);
        out.reply = FakeReply::closed();
        break;
    default: out.reply = FakeReply::xml(replyBody(reply, request, reply == Reply::OtherPrefix)); break;
    }
    out.reply.delayMs = delay;
    return out;
}

// Called with the mutex held. The link's own signature is checked by the
// tests that look at the link (FakeBrowser); the page only needs to know
// which session the link is for.
FakeReply FakeAgencyDataServer::loginPage(const RecordedRequest& http, Request& request) const
{
    request.service = QStringLiteral("login");
    const QUrlQuery query(QString::fromLatin1(http.query()));
    const QString tokenC = query.queryItemValue(QStringLiteral("t"), QUrl::FullyDecoded);
    const QString auth = query.queryItemValue(QStringLiteral("auth"), QUrl::FullyDecoded);
    const QString tokenA = m_tokenAByTokenC.value(tokenC);
    if (tokenA.isEmpty()) {
        request.refusal = QStringLiteral("login for a tokenC not issued");
        return FakeReply::text(400, "This login link does not belong to a session of this service.");
    }
    if (m_callbackPort == 0) {
        request.refusal = QStringLiteral("no callback port set");
        return FakeReply::text(500, "The stand-in does not know the program's callback port.");
    }
    QUrl callback(QStringLiteral("http://127.0.0.1/"));
    callback.setPort(m_callbackPort);
    callback.setPath(auth.endsWith(QLatin1String("/noa")) ? QStringLiteral("/expnoa") : QStringLiteral("/taxdata"));
    QUrlQuery token;
    token.addQueryItem(QStringLiteral("t"), tokenA);
    callback.setQuery(token);
    FakeReply reply;
    reply.contentType = "text/html; charset=utf-8";
    reply.body = QString::fromLatin1(kLoginPage).arg(callback.toString(QUrl::FullyEncoded).toHtmlEscaped()).toUtf8();
    return reply;
}

// Called with the mutex held.
QByteArray FakeAgencyDataServer::replyBody(Reply reply, const Request& request, bool otherPrefix)
{
    const bool tdd = request.service == "tdd";
    const QByteArray stageElement = tdd ? "StageTDDDireradResponse" : "StageNOAResponse";
    const QByteArray dataElement = tdd ? "GetTDDDireradResponse" : "GetNOAResponse";
    const QByteArray prefix = otherPrefix ? "env" : "soapenv";
    switch (reply) {
    case Reply::StageAccepted:
    case Reply::OtherPrefix: {
        const QString tokenC = QStringLiteral("TC") + newToken(14);
        const QString tokenA = QStringLiteral("TA") + newToken(20);
        m_tokenAByTokenC.insert(tokenC, tokenA);
        m_issuedDataTokens.insert(tokenA);
        emit tokenCIssued(tokenC, tokenA);
        return envelope(prefix, response(stageElement, "0", tokenC.toLatin1()));
    }
    case Reply::StageRefused: return envelope(prefix, response(stageElement, "1", QByteArray()));
    case Reply::StageNoToken: return envelope(prefix, response(stageElement, "0", QByteArray()));
    case Reply::NotReady:
    case Reply::NotReadyShortToken: {
        const QString token = newToken(reply == Reply::NotReady ? 24 : 6);
        m_issuedDataTokens.insert(token);
        return envelope(prefix, response(dataElement, "0", token.toLatin1()));
    }
    case Reply::Ready: {
        const QByteArray data = tdd ? "<TaxDataDelivery><TaxData>" + m_autoFillItems + "</TaxData></TaxDataDelivery>"
                                    : "<NoticeOfAssessment><NoticeOfAssessmentData>" + m_noaItems +
                                          "</NoticeOfAssessmentData></NoticeOfAssessment>";
        return envelope(prefix, response(dataElement, "20", QByteArray(), data));
    }
    case Reply::ReturnCode10: return envelope(prefix, response(dataElement, "10", QByteArray()));
    case Reply::ReturnCode30: return envelope(prefix, response(dataElement, "30", QByteArray()));
    case Reply::EmptyReturnCode: return envelope(prefix, response(dataElement, "", "SOMETOKEN123"));
    default: return fault(QStringLiteral("scripted fault"));
    }
}
