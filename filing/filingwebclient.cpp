#include "filing/filingwebclient.h"

#include "companion/core/httpheadertext.h"
#include "companion/core/qwebclient.h"
#include "filing/httpresponsereader.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QXmlStreamReader>

#include <atomic>
#include <exception>
#include <mutex>

namespace {

std::atomic<int> g_defaultTimeoutSec{FilingWebClient::DefaultTimeoutSec};
std::mutex g_indicatorMutex;
FilingWebClient::WaitIndicator g_waitIndicator;

const char* const kSoapEnvelopeNamespace = "http://schemas.xmlsoap.org/soap/envelope/";

// An error status counts as the agency's answer only when it carries a SOAP
// envelope (a fault comes on status 500). A proxy's or balancer's error page
// says nothing about whether the request reached the service.
bool isSoapEnvelope(const QByteArray& body)
{
    QXmlStreamReader xml(body);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            return xml.name() == QLatin1String("Envelope")
                && xml.namespaceUri() == QLatin1String(kSoapEnvelopeNamespace);
    }
    return false;
}

// Shows the wait indicator for as long as it lives, on the interface
// thread only (a worker thread's wait is not the user's).
class WaitScope
{
public:
    WaitScope()
    {
        const QCoreApplication* app = QCoreApplication::instance();
        if (!app || QThread::currentThread() != app->thread())
            return;
        std::lock_guard<std::mutex> lock(g_indicatorMutex);
        m_indicator = g_waitIndicator;
        if (m_indicator)
            m_indicator(true);
    }
    ~WaitScope()
    {
        if (m_indicator)
            m_indicator(false);
    }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;

private:
    FilingWebClient::WaitIndicator m_indicator;
};

// Why a connection ended before the request could be written, in the
// words the user reads: what went wrong, and where.
QString connectionFailure(QAbstractSocket::SocketError error, const QString& certificateProblem,
                          const QString& where, const QString& socketText)
{
    if (!certificateProblem.isEmpty())
        return QStringLiteral("certificate not trusted (%1): %2").arg(where, certificateProblem);
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return QStringLiteral("connection refused by %1").arg(where);
    case QAbstractSocket::HostNotFoundError:
        return QStringLiteral("host name not found: %1").arg(where);
    case QAbstractSocket::SslHandshakeFailedError:
    case QAbstractSocket::SslInternalError:
    case QAbstractSocket::SslInvalidUserDataError:
        // A server that speaks plain HTTP, or no TLS we accept.
        return QStringLiteral("secure connection failed: %1 did not complete the TLS handshake (%2)")
            .arg(where, socketText);
    case QAbstractSocket::RemoteHostClosedError:
        return QStringLiteral("connection closed by %1 before the request was sent").arg(where);
    case QAbstractSocket::NetworkError:
    case QAbstractSocket::SocketTimeoutError:
        return QStringLiteral("network unreachable for %1 (%2)").arg(where, socketText);
    default:
        return QStringLiteral("connection to %1 failed (%2)").arg(where, socketText);
    }
}

SoapPostResult notSent(const QString& why)
{
    SoapPostResult r;
    r.outcome = SoapPostOutcome::NotSent;
    r.error = why;
    return r;
}

} // namespace

FilingWebClient::FilingWebClient(const QString& url, bool /*flag*/)
    : m_url(url), m_timeoutMs(g_defaultTimeoutSec.load() * 1000)
{
}

void FilingWebClient::setTimeoutMs(int ms)
{
    if (ms > 0)
        m_timeoutMs = ms;
}

void FilingWebClient::setDefaultTimeoutSec(int seconds)
{
    if (seconds > 0)
        g_defaultTimeoutSec.store(seconds);
}

int FilingWebClient::defaultTimeoutSec()
{
    return g_defaultTimeoutSec.load();
}

void FilingWebClient::setWaitIndicator(WaitIndicator indicator)
{
    std::lock_guard<std::mutex> lock(g_indicatorMutex);
    g_waitIndicator = std::move(indicator);
}

bool FilingWebClient::postSoapXML(const std::string& body, const char* contentType,
                                  const char* soapAction, const char* extraHeader, std::string& reply)
{
    const SoapPostResult& r = post(QByteArray::fromStdString(body),
                                   contentType ? QByteArray(contentType) : QByteArray(),
                                   soapAction ? QByteArray(soapAction) : QByteArray(),
                                   extraHeader ? QByteArray(extraHeader) : QByteArray());
    reply = r.body.toStdString();
    return r.outcome == SoapPostOutcome::Reply;
}

SoapPostResult FilingWebClient::post(const QByteArray& body, const QByteArray& contentType,
                                     const QByteArray& soapAction, const QByteArray& extraHeader)
{
    try {
        m_last = exchange(body, contentType, soapAction, extraHeader);
    } catch (const std::exception& e) {
        // Thrown before anything was written (the request is built first);
        // a failure after writing is reported by exchange() itself.
        m_last = notSent(QString::fromLocal8Bit(e.what()));
    }
    return m_last;
}

SoapPostResult FilingWebClient::exchange(const QByteArray& body, const QByteArray& contentType,
                                         const QByteArray& soapAction, const QByteArray& extraHeader)
{
    const QUrl url(m_url, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()
        || url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) != 0)
        return notSent(QStringLiteral("Not an https address: %1").arg(m_url));

    const QString host = url.host();
    const int port = url.port(443);
    QByteArray target = url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty())
        target = "/";
    if (url.hasQuery())
        target += '?' + url.query(QUrl::FullyEncoded).toLatin1();

    const QByteArray type = contentType.isEmpty() ? QByteArrayLiteral("text/xml; charset=UTF-8") : contentType;
    QByteArray action = soapAction;
    if (!action.startsWith('"'))
        action = '"' + action + '"';
    if (!isSafeHttpHeaderValue(type) || !isSafeHttpHeaderValue(action))
        return notSent(QStringLiteral("A header value holds control characters"));
    QByteArray extra;
    if (!extraHeader.isEmpty()) {
        const int colon = extraHeader.indexOf(':');
        const QByteArray name = colon > 0 ? extraHeader.left(colon).trimmed() : QByteArray();
        const QByteArray value = colon > 0 ? extraHeader.mid(colon + 1).trimmed() : QByteArray();
        if (!isHttpToken(name) || !isSafeHttpHeaderValue(value))
            return notSent(QStringLiteral("Malformed extra header"));
        extra = name + ": " + value + "\r\n";
    }

    QByteArray hostHeader = QUrl::toAce(host);
    if (hostHeader.isEmpty())
        hostHeader = host.toLatin1();
    if (host.contains(QLatin1Char(':')))
        hostHeader = '[' + host.toLatin1() + ']'; // an IPv6 literal
    if (port != 443)
        hostHeader += ':' + QByteArray::number(port);

    const QByteArray request = "POST " + target + " HTTP/1.1\r\n"
                             + "Host: " + hostHeader + "\r\n"
                             + "Content-Type: " + type + "\r\n"
                             + "SOAPAction: " + action + "\r\n" + extra
                             + "Content-Length: " + QByteArray::number(body.size()) + "\r\n"
                             + "Connection: close\r\n\r\n" + body;

    QSslSocket socket;
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setPeerVerifyMode(QSslSocket::VerifyPeer);
    tls.setProtocol(QSsl::TlsV1_2OrLater);
    const QList<QSslCertificate> cas = QWebClient::trustedCaCertificates();
    if (!cas.isEmpty())
        tls.setCaCertificates(cas);
    socket.setSslConfiguration(tls);
    socket.setPeerVerifyName(host);

    HttpResponseReader reader(MaxReplyBytes);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer); // a coarse timer may fire 5 % early
    bool written = false; // the request was handed to the encrypted connection
    bool finished = false;
    bool timedOut = false;
    QString failure;
    QString certificateProblem; // the TLS errors, never ignored
    QAbstractSocket::SocketError socketError = QAbstractSocket::UnknownSocketError;

    auto finish = [&] {
        finished = true;
        loop.quit();
    };
    auto readAvailable = [&] {
        if (!reader.append(socket.readAll()) || reader.isComplete())
            finish();
    };
    auto connectionEnded = [&] {
        readAvailable();
        if (!finished) {
            reader.endOfStream();
            finish();
        }
    };

    QObject::connect(&socket, &QSslSocket::encrypted, &loop, [&] {
        // Written once: there is no second attempt on this or any other
        // connection, whatever happens next.
        socket.write(request);
        written = true;
    });
    QObject::connect(&socket, QOverload<const QList<QSslError>&>::of(&QSslSocket::sslErrors), &loop,
                     [&](const QList<QSslError>& errors) {
                         // Never ignored: the handshake fails and the socket reports it.
                         QStringList texts;
                         for (const QSslError& e : errors)
                             texts << e.errorString();
                         certificateProblem = texts.join(QStringLiteral("; "));
                     });
    QObject::connect(&socket, &QIODevice::readyRead, &loop, readAvailable);
    QObject::connect(&socket, &QAbstractSocket::errorOccurred, &loop, [&](QAbstractSocket::SocketError error) {
        if (failure.isEmpty()) {
            failure = socket.errorString();
            socketError = error;
        }
        connectionEnded();
    });
    QObject::connect(&socket, &QAbstractSocket::disconnected, &loop, connectionEnded);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        finish();
    });

    {
        WaitScope wait;
        timer.start(m_timeoutMs);
        socket.connectToHostEncrypted(host, quint16(port));
        if (!finished)
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        timer.stop();
        socket.abort();
    }

    SoapPostResult r;
    r.body = reader.body();
    if (reader.isComplete()) {
        r.status = reader.status();
        if ((r.status >= 200 && r.status < 300) || isSoapEnvelope(r.body)) {
            r.outcome = SoapPostOutcome::Reply;
            return r;
        }
        r.outcome = SoapPostOutcome::OutcomeUnknown;
        r.error = QStringLiteral("HTTP status %1 without a SOAP reply").arg(r.status);
        return r;
    }
    // Only a reply that began and broke is called malformed: a connection or
    // handshake that failed says what it was.
    const QString where = QStringLiteral("%1:%2").arg(host).arg(port);
    if (timedOut && !written)
        failure = QStringLiteral("no answer within %1 s from %2").arg((m_timeoutMs + 999) / 1000).arg(where);
    else if (timedOut)
        failure = QStringLiteral("No complete reply within %1 ms").arg(m_timeoutMs);
    else if (!written)
        failure = connectionFailure(socketError, certificateProblem, where, failure);
    else if (reader.hasStarted() && reader.hasFailed())
        failure = QStringLiteral("Malformed or oversized reply");
    else if (failure.isEmpty())
        failure = QStringLiteral("Connection closed without a reply");
    r.status = reader.hasStarted() ? reader.status() : 0;
    r.outcome = written ? SoapPostOutcome::OutcomeUnknown : SoapPostOutcome::NotSent;
    r.error = failure;
    return r;
}
