#include "companion/core/qwebclient.h"

#include "companion/core/httpheadertext.h"

#include <QBuffer>
#include <QEventLoop>
#include <QFile>
#include <QHttpMultiPart>
#include <QMutex>
#include <QMutexLocker>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>

namespace {

std::atomic<int> g_defaultTimeoutMs{QWebClient::DefaultTimeoutMs};

// Extra trusted CAs. While the list is empty requests use Qt's default
// configuration untouched (system roots, loaded on demand).
QMutex g_caMutex;
QList<QSslCertificate> g_extraCas;
QList<QSslCertificate> g_allCas; // system roots plus the extra ones

constexpr qint64 MaxCaFileBytes = 1024 * 1024;
constexpr qint64 ReadChunkBytes = 64 * 1024;

// Names and file names inside a multipart Content-Disposition are quoted
// strings; escape what would end the quote or the line, as browsers do.
QByteArray quotedDispositionValue(const QString& text)
{
    QByteArray out = text.toUtf8();
    out.replace('"', "%22");
    out.replace('\r', "%0D");
    out.replace('\n', "%0A");
    return '"' + out + '"';
}

bool isSameOrigin(const QUrl& a, const QUrl& b)
{
    return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0
        && a.host().compare(b.host(), Qt::CaseInsensitive) == 0
        && a.port(a.scheme() == QLatin1String("https") ? 443 : 80)
               == b.port(b.scheme() == QLatin1String("https") ? 443 : 80);
}

// Errors after which the body cannot be trusted even when a status line
// came: the connection broke, the TLS check failed, or redirects went wrong.
// A request body that can be read through once and never rewound. The
// network layer resends a request whose connection closed before a reply by
// seeking its body back to the start; this body refuses, so the repeat fails
// with ContentReSendError instead of going out unchanged.
class SendOnceBody : public QIODevice
{
public:
    explicit SendOnceBody(const QByteArray& bytes) : m_bytes(bytes) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return false; }
    qint64 size() const override { return m_bytes.size(); }
    bool seek(qint64 pos) override
    {
        // Forward (or staying put) only: what was handed over is gone.
        if (pos < m_furthest || pos > m_bytes.size())
            return false;
        return QIODevice::seek(pos);
    }
    bool reset() override { return seek(0); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 at = pos();
        const qint64 n = qMin(maxSize, qint64(m_bytes.size()) - at);
        if (n <= 0)
            return at >= m_bytes.size() ? -1 : 0;
        memcpy(data, m_bytes.constData() + at, size_t(n));
        m_furthest = qMax(m_furthest, at + n);
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_furthest = 0;
};

bool isTransportError(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::NoError:
        return false;
    case QNetworkReply::ProtocolUnknownError:
    case QNetworkReply::ProtocolFailure:
    case QNetworkReply::TooManyRedirectsError:
    case QNetworkReply::InsecureRedirectError:
        return true;
    default:
        return int(error) < 100; // the network-layer errors
    }
}

} // namespace

QWebClient::QWebClient(const QString& url, bool /*flag*/)
    : m_url(url), m_timeoutMs(g_defaultTimeoutMs.load())
{
}

QWebClient::QWebClient(const char* url, bool flag)
    : QWebClient(url ? QString::fromUtf8(url) : QString(), flag)
{
}

QWebClient::QWebClient(const QString& url, const QString& localFile, const QString& remoteName,
                       const QString& fieldName)
    : m_url(url), m_localFile(localFile), m_remoteName(remoteName), m_fieldName(fieldName),
      m_multipart(true), m_timeoutMs(g_defaultTimeoutMs.load())
{
}

QWebClient::~QWebClient() = default;

void QWebClient::addQueryItem(const QString& name, const QString& value)
{
    m_items.append(qMakePair(name, value));
}

void QWebClient::setTimeoutMs(int ms)
{
    if (ms > 0)
        m_timeoutMs = ms;
}

void QWebClient::setMaxReplyBytes(qint64 bytes)
{
    if (bytes > 0)
        m_maxReplyBytes = bytes;
}

void QWebClient::setDefaultTimeoutMs(int ms)
{
    if (ms > 0)
        g_defaultTimeoutMs.store(ms);
}

int QWebClient::defaultTimeoutMs()
{
    return g_defaultTimeoutMs.load();
}

bool QWebClient::addTrustedCaFile(const QString& pemPath)
{
    QFile file(pemPath);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxCaFileBytes)
        return false;
    const QByteArray data = file.read(MaxCaFileBytes);
    QList<QSslCertificate> found = QSslCertificate::fromData(data, QSsl::Pem);
    if (found.isEmpty())
        found = QSslCertificate::fromData(data, QSsl::Der);
    found.erase(std::remove_if(found.begin(), found.end(),
                               [](const QSslCertificate& c) { return c.isNull(); }),
                found.end());
    if (found.isEmpty())
        return false;

    QMutexLocker lock(&g_caMutex);
    if (g_allCas.isEmpty())
        g_allCas = QSslConfiguration::systemCaCertificates();
    for (const QSslCertificate& cert : found) {
        if (!g_extraCas.contains(cert)) {
            g_extraCas.append(cert);
            g_allCas.append(cert);
        }
    }
    return true;
}

void QWebClient::clearTrustedCaFiles()
{
    QMutexLocker lock(&g_caMutex);
    g_extraCas.clear();
    g_allCas.clear();
}

QList<QSslCertificate> QWebClient::trustedCaCertificates()
{
    QMutexLocker lock(&g_caMutex);
    return g_allCas;
}

QByteArray QWebClient::formBody() const
{
    // Percent-encode everything but the unreserved characters, so that "+",
    // "&" and "=" inside values survive form decoding.
    QByteArray body;
    for (const auto& item : m_items) {
        if (!body.isEmpty())
            body += '&';
        body += QUrl::toPercentEncoding(item.first) + '=' + QUrl::toPercentEncoding(item.second);
    }
    return body;
}

bool QWebClient::post(QString& reply, const char* credential)
{
    reply.clear();
    QByteArray authorization;
    if (credential && *credential)
        authorization = QByteArray("Basic ") + credential;
    QByteArray body;
    const bool ok = postItems(body, authorization);
    if (ok)
        reply = QString::fromUtf8(body);
    return ok;
}

bool QWebClient::post(QString& reply, const QString& token, const QString& scheme)
{
    reply.clear();
    QByteArray authorization;
    if (!token.isEmpty() && !scheme.isEmpty())
        authorization = scheme.toUtf8() + ' ' + token.toUtf8();
    QByteArray body;
    const bool ok = postItems(body, authorization);
    if (ok)
        reply = QString::fromUtf8(body);
    return ok;
}

bool QWebClient::postItems(QByteArray& replyBody, const QByteArray& authorization)
{
    try {
        const QUrl url(m_url, QUrl::StrictMode);
        QNetworkRequest request;
        if (!prepare(request, url))
            return false;
        if (!authorization.isEmpty()) {
            if (!isSafeHttpHeaderValue(authorization))
                return fail(QStringLiteral("Authorization holds control characters"));
            request.setRawHeader("Authorization", authorization);
        }

        QBuffer sink(&replyBody);
        sink.open(QIODevice::WriteOnly);
        if (!m_multipart) {
            request.setHeader(QNetworkRequest::ContentTypeHeader,
                              QByteArrayLiteral("application/x-www-form-urlencoded"));
            // Form items are the user's (an account's password among them).
            return run(manager().post(request, formBody()), url, sink,
                       !authorization.isEmpty() || !m_items.isEmpty());
        }

        auto* file = new QFile(m_localFile);
        if (!file->open(QIODevice::ReadOnly)) {
            const QString why = QStringLiteral("Cannot read %1: %2").arg(m_localFile, file->errorString());
            delete file;
            return fail(why);
        }
        auto* multipart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
        file->setParent(multipart);
        for (const auto& item : m_items) {
            QHttpPart part;
            part.setRawHeader("Content-Disposition",
                              "form-data; name=" + quotedDispositionValue(item.first));
            part.setBody(item.second.toUtf8());
            multipart->append(part);
        }
        QHttpPart filePart;
        filePart.setRawHeader("Content-Disposition",
                              "form-data; name=" + quotedDispositionValue(m_fieldName)
                                  + "; filename=" + quotedDispositionValue(m_remoteName));
        filePart.setRawHeader("Content-Type", "application/octet-stream");
        filePart.setBodyDevice(file);
        multipart->append(filePart);

        QNetworkReply* reply = manager().post(request, multipart);
        multipart->setParent(reply);
        // An upload is the user's document: it never leaves the origin.
        return run(reply, url, sink, true);
    } catch (const std::exception& e) {
        return fail(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return fail(QStringLiteral("Unexpected failure"));
    }
}

bool QWebClient::getDownloadFile(const QString& path)
{
    try {
        QUrl url(m_url, QUrl::StrictMode);
        if (!m_items.isEmpty() && url.isValid()) {
            QUrlQuery query(url);
            for (const auto& item : m_items)
                query.addQueryItem(QString::fromLatin1(QUrl::toPercentEncoding(item.first)),
                                   QString::fromLatin1(QUrl::toPercentEncoding(item.second)));
            url.setQuery(query);
        }
        QNetworkRequest request;
        if (!prepare(request, url))
            return false;

        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return fail(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
        if (!run(manager().get(request), url, file)) {
            file.cancelWriting();
            return false;
        }
        if (m_lastStatus < 200 || m_lastStatus > 299) {
            file.cancelWriting();
            m_lastError = QStringLiteral("HTTP status %1").arg(m_lastStatus);
            return false;
        }
        if (!file.commit())
            return fail(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
        return true;
    } catch (const std::exception& e) {
        return fail(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return fail(QStringLiteral("Unexpected failure"));
    }
}

bool QWebClient::postSoapXML(const std::string& body, const char* contentType,
                             const char* soapAction, const char* extraHeader, std::string& reply)
{
    reply.clear();
    try {
        const QUrl url(m_url, QUrl::StrictMode);
        QNetworkRequest request;
        if (!prepare(request, url))
            return false;

        const QByteArray type = contentType ? QByteArray(contentType)
                                            : QByteArrayLiteral("text/xml; charset=UTF-8");
        QByteArray action = soapAction ? QByteArray(soapAction) : QByteArray();
        if (!action.startsWith('"'))
            action = '"' + action + '"';
        if (!isSafeHttpHeaderValue(type) || !isSafeHttpHeaderValue(action))
            return fail(QStringLiteral("Header value holds control characters"));
        request.setHeader(QNetworkRequest::ContentTypeHeader, type);
        request.setRawHeader("SOAPAction", action);
        if (extraHeader) {
            const QByteArray line(extraHeader);
            const int colon = line.indexOf(':');
            const QByteArray name = colon > 0 ? line.left(colon).trimmed() : QByteArray();
            const QByteArray value = colon > 0 ? line.mid(colon + 1).trimmed() : QByteArray();
            if (!isHttpToken(name) || !isSafeHttpHeaderValue(value))
                return fail(QStringLiteral("Malformed extra header"));
            request.setRawHeader(name, value);
        }

        QByteArray replyBody;
        QBuffer sink(&replyBody);
        sink.open(QIODevice::WriteOnly);
        const QByteArray payload = QByteArray::fromStdString(body);
        QNetworkReply* sent = nullptr;
        if (m_sendOnce) {
            auto* once = new SendOnceBody(payload);
            request.setHeader(QNetworkRequest::ContentLengthHeader, payload.size());
            request.setAttribute(QNetworkRequest::DoNotBufferUploadDataAttribute, true);
            sent = manager().post(request, once);
            once->setParent(sent);
        } else {
            sent = manager().post(request, payload);
        }
        if (!run(sent, url, sink, extraHeader != nullptr || !body.empty()))
            return false;
        reply = replyBody.toStdString();
        return true;
    } catch (const std::exception& e) {
        reply.clear();
        return fail(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        reply.clear();
        return fail(QStringLiteral("Unexpected failure"));
    }
}

bool QWebClient::fail(const QString& why)
{
    m_lastError = why;
    return false;
}

QNetworkAccessManager& QWebClient::manager()
{
    // A manager serves the thread that created it; a client handed to
    // another thread gets a fresh one there.
    if (!m_manager || m_manager->thread() != QThread::currentThread())
        m_manager.reset(new QNetworkAccessManager);
    return *m_manager;
}

bool QWebClient::prepare(QNetworkRequest& request, const QUrl& url)
{
    m_lastStatus = 0;
    m_lastError.clear();
    m_droppedBeforeReply = false;
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty()
        || (scheme != QLatin1String("https") && scheme != QLatin1String("http")))
        return fail(QStringLiteral("Invalid address: %1").arg(m_url));

    request.setUrl(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    // The redirect handler counts for itself; Qt's own limit is only a backstop.
    request.setMaximumRedirectsAllowed(MaxRedirects + 1);

    QSslConfiguration tls = request.sslConfiguration();
    tls.setPeerVerifyMode(QSslSocket::VerifyPeer);
    {
        QMutexLocker lock(&g_caMutex);
        if (!g_allCas.isEmpty())
            tls.setCaCertificates(g_allCas);
    }
    request.setSslConfiguration(tls);
    return true;
}

bool QWebClient::run(QNetworkReply* rawReply, const QUrl& url, QIODevice& sink, bool carriesUserData)
{
    std::unique_ptr<QNetworkReply> reply(rawReply);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);

    QString failure;
    qint64 received = 0;
    int redirects = 0;
    auto abortWith = [&](const QString& why) {
        if (failure.isEmpty())
            failure = why;
        reply->abort();
    };
    auto drain = [&] {
        while (failure.isEmpty() && reply->bytesAvailable() > 0) {
            const QByteArray chunk = reply->read(ReadChunkBytes);
            received += chunk.size();
            if (received > m_maxReplyBytes)
                abortWith(QStringLiteral("Reply larger than %1 bytes").arg(m_maxReplyBytes));
            else if (sink.write(chunk) != chunk.size())
                abortWith(QStringLiteral("Cannot store the reply: %1").arg(sink.errorString()));
        }
    };

    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        abortWith(QStringLiteral("No complete reply within %1 ms").arg(m_timeoutMs));
    });
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &loop, [&] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > m_maxReplyBytes)
            abortWith(QStringLiteral("Reply larger than %1 bytes").arg(m_maxReplyBytes));
    });
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, drain);
    QObject::connect(reply.get(), &QNetworkReply::redirected, &loop, [&](const QUrl& target) {
        if (++redirects > MaxRedirects)
            abortWith(QStringLiteral("More than %1 redirects").arg(MaxRedirects));
        // Qt carries the request's headers along, and a 307 or 308 its body
        // too: a request with credentials or the user's data (a password in
        // a form, a SOAP envelope, an upload) never follows a redirect to
        // another origin. Without them, https is fine.
        else if (isSameOrigin(target, url)
                 || (!carriesUserData
                     && target.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0))
            emit reply->redirectAllowed();
        else
            abortWith(QStringLiteral("Redirect (status %1) to %2 refused")
                          .arg(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt())
                          .arg(target.toString(QUrl::RemoveUserInfo | QUrl::RemoveQuery)));
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);

    QTimer cancelCheck;
    if (m_cancel) {
        QObject::connect(&cancelCheck, &QTimer::timeout, &loop, [&] {
            if (m_cancel->load())
                abortWith(QStringLiteral("Cancelled"));
        });
        cancelCheck.start(100);
    }
    timer.start(m_timeoutMs);
    if (m_cancel && m_cancel->load())
        abortWith(QStringLiteral("Cancelled"));
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    timer.stop();
    cancelCheck.stop();
    drain();

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    m_droppedBeforeReply = received == 0 && !status.isValid()
                           && (reply->error() == QNetworkReply::RemoteHostClosedError
                               || reply->error() == QNetworkReply::ContentReSendError);
    if (failure.isEmpty() && isTransportError(reply->error()))
        failure = reply->errorString();
    // 1xx are interim answers; a reply that ends on one is no reply. A final
    // 3xx means a redirect was not followed (the limit was reached).
    const int code = status.toInt();
    if (failure.isEmpty() && (!status.isValid() || code < 200))
        failure = QStringLiteral("No HTTP reply");
    if (failure.isEmpty() && code >= 300 && code < 400)
        failure = QStringLiteral("Redirect (status %1) not followed").arg(code);
    if (!failure.isEmpty()) {
        m_lastStatus = 0;
        return fail(failure);
    }
    m_lastStatus = code;
    m_lastError.clear();
    return true;
}
