#include "fakes/fakehttpserver.h"

#include "companion/core/httprequestframer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSslSocket>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {
// Uploads in tests are small; this only keeps a runaway client in check.
constexpr int MaxRequestBytes = 64 * 1024 * 1024;

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 201: return "Created";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 303: return "See Other";
    case 307: return "Temporary Redirect";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}
} // namespace

FakeReply FakeReply::text(int status, const QByteArray& body)
{
    FakeReply r;
    r.status = status;
    r.body = body;
    return r;
}

FakeReply FakeReply::json(const QByteArray& body, int status)
{
    FakeReply r = text(status, body);
    r.contentType = "application/json";
    return r;
}

FakeReply FakeReply::xml(const QByteArray& body, int status)
{
    FakeReply r = text(status, body);
    r.contentType = "text/xml; charset=utf-8";
    return r;
}

FakeReply FakeReply::redirect(const QByteArray& location, int status)
{
    FakeReply r = text(status, QByteArray());
    r.headers.append(qMakePair(QByteArray("Location"), location));
    return r;
}

FakeReply FakeReply::silent()
{
    FakeReply r;
    r.neverAnswer = true;
    return r;
}

FakeReply FakeReply::closed(int delayMs)
{
    FakeReply r;
    r.closeWithoutReply = true;
    r.delayMs = delayMs;
    return r;
}

FakeHttpServer::FakeHttpServer(QObject* parent) : QTcpServer(parent) {}

bool FakeHttpServer::start()
{
    m_tls = false;
    return listen(QHostAddress::LocalHost, 0);
}

bool FakeHttpServer::startTls(const QString& certificatePemPath, const QString& keyPemPath)
{
    QFile certFile(certificatePemPath);
    QFile keyFile(keyPemPath);
    if (!certFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly))
        return false;
    m_chain = QSslCertificate::fromData(certFile.readAll(), QSsl::Pem);
    m_key = QSslKey(keyFile.readAll(), QSsl::Rsa, QSsl::Pem);
    if (m_chain.isEmpty() || m_key.isNull())
        return false;
    m_certificate = m_chain.takeFirst();
    m_tls = true;
    return listen(QHostAddress::LocalHost, 0);
}

QString FakeHttpServer::hostAndPort() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port());
}

QString FakeHttpServer::url(const QString& path) const
{
    return QStringLiteral("%1://%2%3").arg(m_tls ? "https" : "http", hostAndPort(), path);
}

bool FakeHttpServer::waitForRequests(int count, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (m_requests.size() < count && clock.elapsed() < timeoutMs)
        QTest::qWait(10);
    return m_requests.size() >= count;
}

void FakeHttpServer::incomingConnection(qintptr descriptor)
{
    QTcpSocket* socket = nullptr;
    if (m_tls) {
        auto* tls = new QSslSocket(this);
        if (!tls->setSocketDescriptor(descriptor)) {
            delete tls;
            return;
        }
        tls->setLocalCertificate(m_certificate);
        tls->setLocalCertificateChain(QList<QSslCertificate>{m_certificate} + m_chain);
        tls->setPrivateKey(m_key);
        tls->setPeerVerifyMode(QSslSocket::VerifyNone); // clients send no certificate
        connect(tls, &QAbstractSocket::disconnected, this, [this, tls] {
            if (!tls->isEncrypted())
                ++m_failedHandshakes;
        });
        tls->startServerEncryption();
        socket = tls;
    } else {
        socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
    }
    connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    serve(socket);
}

void FakeHttpServer::serve(QTcpSocket* socket)
{
    auto framer = std::make_shared<HttpRequestFramer>(MaxRequestBytes);
    connect(socket, &QIODevice::readyRead, this, [this, socket, framer] {
        if (!framer->append(socket->readAll())) {
            socket->abort();
            return;
        }
        QByteArray raw;
        if (!framer->takeRequest(raw))
            return;
        socket->disconnect(this); // one request per connection
        RecordedRequest request;
        if (!RecordedRequest::parse(raw, request)) {
            socket->abort();
            return;
        }
        m_requests.append(request);
        emit requestReceived(request);
        answer(socket, request);
    });
}

void FakeHttpServer::answer(QTcpSocket* socket, const RecordedRequest& request)
{
    FakeReply reply = m_defaultReply;
    if (m_handler)
        reply = m_handler(request);
    else if (m_pathReplies.contains(request.path()))
        reply = m_pathReplies.value(request.path());
    if (reply.neverAnswer)
        return;

    const QByteArray bytes = reply.closeWithoutReply ? QByteArray() : render(reply);
    auto send = [socket, bytes] {
        if (bytes.isEmpty()) {
            socket->abort();
            return;
        }
        socket->write(bytes);
        socket->disconnectFromHost();
    };
    if (reply.delayMs > 0)
        QTimer::singleShot(reply.delayMs, socket, send);
    else
        send();
}

QByteArray FakeHttpServer::render(const FakeReply& reply)
{
    QByteArray out = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reasonPhrase(reply.status) + "\r\n";
    if (!reply.contentType.isEmpty())
        out += "Content-Type: " + reply.contentType + "\r\n";
    for (const auto& h : reply.headers)
        out += h.first + ": " + h.second + "\r\n";
    out += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    out += "Connection: close\r\n\r\n";
    return out + reply.body;
}
