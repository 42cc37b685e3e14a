#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QObject>

class QTcpServer;
class QTcpSocket;
class QTimer;
class HttpRequestFramer;

// A small local HTTP listener for browser redirects back into the program.
// It listens on 127.0.0.1 only, from construction on, and emits dataReceived
// once for every complete request (header and Content-Length body) with its
// raw bytes, on the thread that owns it. The receiver writes and flushes its
// reply to the given socket; the connection stays open for further requests
// until the peer closes it or it stays idle past the request time-out.
// Requests larger than the limit, bodies that cannot be framed, and requests
// that stall past the time-out are dropped and their connection closed.
// A listener with all its connections open takes a new one all the same: it
// drops its oldest idle connection (one not being answered), so that slow
// neighbours cannot keep a real request out.
class QServerSocket : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultMaxRequestBytes = 1024 * 1024;
    static constexpr int DefaultRequestTimeoutMs = 10000;
    static constexpr int MaxConnections = 32;

    // port 0 lets the system pick a free port (see serverPort()).
    QServerSocket(int port, QObject* parent = nullptr);
    ~QServerSocket() override;

    bool isListening() const;
    quint16 serverPort() const;
    QHostAddress serverAddress() const;
    QString errorString() const;

    // Applies to connections accepted afterwards.
    void setMaxRequestBytes(int bytes);
    int maxRequestBytes() const { return m_maxRequestBytes; }
    void setRequestTimeoutMs(int ms);
    // Each connection delivers one request, its request line alone (see
    // HttpRequestFramer::setRequestLineOnly); the receiver ends the connection.
    // The time-out then counts from the accept, whatever arrives: a client
    // that drips a byte now and then is closed all the same.
    void setRequestLineOnly(bool on) { m_lineOnly = on; }
    // With the above: the request comes with whatever of its header arrived
    // with its request line (HttpRequestFramer::setKeepArrivedHeader).
    void setKeepArrivedHeader(bool on) { m_keepArrivedHeader = on; }
    int requestTimeoutMs() const { return m_requestTimeoutMs; }

    // Stops listening and closes the open connections (replies already
    // written are still sent).
    void close();

signals:
    void dataReceived(QTcpSocket* socket, QByteArray data);

private:
    struct Connection;

    void acceptConnections();
    void readFrom(QTcpSocket* socket);
    void timedOut(QTcpSocket* socket);
    void drop(QTcpSocket* socket);
    void forget(QTcpSocket* socket);
    // Drops the oldest connection that is not being answered (in one-request
    // mode, one that has not delivered its request); false when there is none.
    bool dropOldestIdle();

    QTcpServer* m_server;
    QHash<QTcpSocket*, Connection*> m_connections;
    int m_maxRequestBytes = DefaultMaxRequestBytes;
    int m_requestTimeoutMs = DefaultRequestTimeoutMs;
    bool m_lineOnly = false;
    bool m_keepArrivedHeader = false;
    quint64 m_accepted = 0; // accept order, to find the oldest connection
    QString m_errorString;
};
