#include "fakes/agency/fakeagencyserver.h"

#include "companion/core/httprequestframer.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTimer>

#include <memory>

namespace {

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

QByteArray render(const AgencyReply& reply)
{
    QByteArray out = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reasonPhrase(reply.status) + "\r\n";
    if (!reply.contentType.isEmpty())
        out += "Content-Type: " + reply.contentType + "\r\n";
    out += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    out += "Connection: close\r\n\r\n";
    return out + reply.body;
}

AgencyReply plainReply(int status)
{
    AgencyReply r;
    r.status = status;
    r.contentType = "text/plain; charset=utf-8";
    r.body = reasonPhrase(status);
    return r;
}

// The path of the request line once it is complete; empty before.
QByteArray requestLinePath(const QByteArray& start)
{
    const int end = start.indexOf('\n');
    if (end < 0)
        return QByteArray();
    const QList<QByteArray> parts = start.left(end).trimmed().split(' ');
    QByteArray target = parts.value(1);
    const int q = target.indexOf('?');
    return q < 0 ? target : target.left(q);
}

} // namespace

// One TLS listener of the fake; lives on the server's thread.
class AgencyListener : public QTcpServer
{
public:
    AgencyListener(FakeAgencyServer* owner, const QSslCertificate& certificate,
                   const QList<QSslCertificate>& chain, const QSslKey& key)
        : m_owner(owner), m_certificate(certificate), m_chain(chain), m_key(key)
    {
    }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto* socket = new QSslSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        socket->setLocalCertificate(m_certificate);
        socket->setLocalCertificateChain(QList<QSslCertificate>{m_certificate} + m_chain);
        socket->setPrivateKey(m_key);
        socket->setPeerVerifyMode(QSslSocket::VerifyNone); // clients send no certificate
        connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
        serve(socket);
        socket->startServerEncryption();
    }

private:
    void serve(QSslSocket* socket)
    {
        auto framer = std::make_shared<HttpRequestFramer>(FakeAgencyServer::MaxRequestBytes);
        auto start = std::make_shared<QByteArray>();
        auto lineSeen = std::make_shared<bool>(false);
        connect(socket, &QIODevice::readyRead, this, [this, socket, framer, start, lineSeen] {
            const QByteArray bytes = socket->readAll();
            if (!*lineSeen) {
                *start += bytes;
                const QByteArray path = requestLinePath(*start);
                if (!path.isEmpty()) {
                    *lineSeen = true;
                    start->clear();
                    if (m_owner->m_script.takeCloseAtOnce(AgencyEndpoints::fromPath(path))) {
                        socket->disconnect(this);
                        socket->abort();
                        return;
                    }
                }
            }
            if (!framer->append(bytes)) {
                socket->abort(); // too large or not framed by Content-Length
                return;
            }
            QByteArray raw;
            if (!framer->takeRequest(raw))
                return;
            socket->disconnect(this); // one request per connection
            handle(socket, raw);
        });
    }

    void handle(QSslSocket* socket, const QByteArray& raw)
    {
        AgencyRequest request;
        if (!RecordedRequest::parse(raw, request.http)) {
            socket->abort();
            return;
        }
        request.endpoint = AgencyEndpoints::fromPath(request.http.path());
        request.kind = AgencyEndpoints::kindOf(request.endpoint, request.http.body);
        m_owner->m_recorder.record(request);
        emit m_owner->requestRecorded(request);

        AgencyReply reply;
        if (request.endpoint == AgencyEndpoint::Unknown)
            reply = plainReply(404);
        else if (request.http.method != "POST")
            reply = plainReply(405);
        else
            reply = m_owner->m_script.take(request.endpoint, request.kind);

        if (reply.action != AgencyReply::Action::Answer) {
            socket->disconnectFromHost();
            finishReply(reply);
            return;
        }
        const QByteArray bytes = render(reply);
        auto send = [this, socket, bytes, reply] {
            socket->write(bytes);
            socket->disconnectFromHost();
            finishReply(reply);
        };
        if (reply.delayMs > 0)
            QTimer::singleShot(reply.delayMs, socket, send);
        else
            send();
    }

    void finishReply(const AgencyReply& reply)
    {
        if (reply.stopListeningAfter)
            close();
    }

    FakeAgencyServer* m_owner;
    QSslCertificate m_certificate;
    QList<QSslCertificate> m_chain;
    QSslKey m_key;
};

FakeAgencyServer::FakeAgencyServer(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<AgencyRequest>();
    m_thread.setObjectName(QStringLiteral("fake agency"));
}

FakeAgencyServer::~FakeAgencyServer()
{
    stop();
}

bool FakeAgencyServer::start(const QString& certDir)
{
    stop();
    if (certDir.isEmpty()) {
        m_error = QStringLiteral("no certificate folder (VR_AGENCY_CERTS is set by ctest)");
        return false;
    }
    const char* const names[3] = {"server", "wrong-host", "other-server"};
    m_thread.start();
    for (int i = 0; i < 3; ++i) {
        QFile certFile(certDir + '/' + names[i] + ".pem");
        QFile keyFile(certDir + '/' + names[i] + ".key");
        if (!certFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly)) {
            m_error = QStringLiteral("cannot read %1").arg(certFile.fileName());
            stop();
            return false;
        }
        QList<QSslCertificate> chain = QSslCertificate::fromData(certFile.readAll(), QSsl::Pem);
        const QSslKey key(keyFile.readAll(), QSsl::Rsa, QSsl::Pem);
        if (chain.isEmpty() || key.isNull()) {
            m_error = QStringLiteral("no certificate or key in %1").arg(certFile.fileName());
            stop();
            return false;
        }
        const QSslCertificate leaf = chain.takeFirst();
        auto* listener = new AgencyListener(this, leaf, chain, key);
        listener->moveToThread(&m_thread);
        m_listeners[i] = listener;
        bool ok = false;
        QMetaObject::invokeMethod(listener, [listener, &ok] {
            ok = listener->listen(QHostAddress::LocalHost, 0);
        }, Qt::BlockingQueuedConnection);
        if (!ok) {
            m_error = QStringLiteral("cannot listen on 127.0.0.1");
            stop();
            return false;
        }
        m_ports[i] = listener->serverPort();
    }
    return true;
}

void FakeAgencyServer::stop()
{
    if (!m_thread.isRunning())
        return;
    for (AgencyListener*& l : m_listeners) {
        if (!l)
            continue;
        AgencyListener* doomed = l;
        // Deleted on its own thread as that thread ends, with its connections.
        QMetaObject::invokeMethod(doomed, [doomed] {
            doomed->close();
            doomed->deleteLater();
        }, Qt::BlockingQueuedConnection);
        l = nullptr;
    }
    m_thread.quit();
    m_thread.wait();
}

AgencyListener* FakeAgencyServer::listener(Listener which) const
{
    return m_listeners[int(which)];
}

quint16 FakeAgencyServer::port(Listener which) const
{
    return m_ports[int(which)];
}

QString FakeAgencyServer::hostAndPort(Listener which) const
{
    return QStringLiteral("127.0.0.1:%1").arg(port(which));
}

QString FakeAgencyServer::url(AgencyEndpoint endpoint, Listener which) const
{
    return QStringLiteral("https://%1%2").arg(hostAndPort(which), QString::fromLatin1(AgencyEndpoints::path(endpoint)));
}

void FakeAgencyServer::stopListening(Listener which)
{
    AgencyListener* l = listener(which);
    if (!l)
        return;
    QMetaObject::invokeMethod(l, [l] { l->close(); }, Qt::BlockingQueuedConnection);
}

bool FakeAgencyServer::isListening(Listener which) const
{
    AgencyListener* l = listener(which);
    if (!l)
        return false;
    bool listening = false;
    QMetaObject::invokeMethod(l, [l, &listening] { listening = l->isListening(); }, Qt::BlockingQueuedConnection);
    return listening;
}
