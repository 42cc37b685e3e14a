#pragma once

#include "fakes/recordedrequest.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QTcpServer>

#include <functional>

// What a fake server answers to one request.
struct FakeReply
{
    int status = 200;
    QByteArray body;
    QByteArray contentType = "text/plain; charset=utf-8";
    QList<QPair<QByteArray, QByteArray>> headers; // extra headers
    int delayMs = 0;          // wait this long before answering
    bool neverAnswer = false; // keep the connection open and silent
    bool closeWithoutReply = false; // drop the connection (after delayMs) without a reply

    static FakeReply text(int status, const QByteArray& body);
    static FakeReply json(const QByteArray& body, int status = 200);
    static FakeReply xml(const QByteArray& body, int status = 200);
    static FakeReply redirect(const QByteArray& location, int status = 302);
    static FakeReply silent();
    static FakeReply closed(int delayMs = 0);
};

// A loopback HTTP or HTTPS server for tests that plays a web service. It
// listens on 127.0.0.1 on a free port, records every request, and answers
// from a script: a handler function when set, else the reply set for the
// request's path, else the default reply (200, empty body). One request per
// connection ("Connection: close").
class FakeHttpServer : public QTcpServer
{
    Q_OBJECT
public:
    using Handler = std::function<FakeReply(const RecordedRequest&)>;

    explicit FakeHttpServer(QObject* parent = nullptr);

    bool start();
    // HTTPS with the given PEM certificate (chain) and private key.
    bool startTls(const QString& certificatePemPath, const QString& keyPemPath);

    bool isTls() const { return m_tls; }
    quint16 port() const { return serverPort(); }
    // "127.0.0.1:PORT", as a host entry of the configuration takes it.
    QString hostAndPort() const;
    // "http(s)://127.0.0.1:PORT" + path.
    QString url(const QString& path = QString()) const;

    void setDefaultReply(const FakeReply& reply) { m_defaultReply = reply; }
    void setReply(const QByteArray& path, const FakeReply& reply) { m_pathReplies.insert(path, reply); }
    void setHandler(Handler handler) { m_handler = std::move(handler); }

    QList<RecordedRequest> requests() const { return m_requests; }
    int requestCount() const { return m_requests.size(); }
    RecordedRequest lastRequest() const { return m_requests.value(m_requests.size() - 1); }
    void clearRequests() { m_requests.clear(); }
    // Spins the event loop until count requests were recorded.
    bool waitForRequests(int count, int timeoutMs = 5000);
    // TLS connections that closed before the handshake completed.
    int failedHandshakes() const { return m_failedHandshakes; }

signals:
    void requestReceived(const RecordedRequest& request);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    void serve(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const RecordedRequest& request);
    static QByteArray render(const FakeReply& reply);

    bool m_tls = false;
    QSslCertificate m_certificate;
    QList<QSslCertificate> m_chain;
    QSslKey m_key;
    FakeReply m_defaultReply;
    QHash<QByteArray, FakeReply> m_pathReplies;
    Handler m_handler;
    QList<RecordedRequest> m_requests;
    int m_failedHandshakes = 0;
};
