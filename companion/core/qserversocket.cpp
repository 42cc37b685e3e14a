#include "companion/core/qserversocket.h"

#include "companion/core/httprequestframer.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

struct QServerSocket::Connection
{
    explicit Connection(int maxRequestBytes) : framer(maxRequestBytes) {}
    HttpRequestFramer framer;
    QTimer* timer = nullptr; // child of the socket
    quint64 order = 0;       // accept order
    bool delivered = false;  // a request has been handed on
};

namespace {
constexpr qint64 ReadChunkBytes = 64 * 1024;
}

QServerSocket::QServerSocket(int port, QObject* parent)
    : QObject(parent), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &QServerSocket::acceptConnections);
    if (port < 0 || port > 65535) {
        m_errorString = tr("Port %1 is out of range.").arg(port);
        return;
    }
    if (!m_server->listen(QHostAddress::LocalHost, quint16(port)))
        m_errorString = m_server->errorString();
}

QServerSocket::~QServerSocket()
{
    qDeleteAll(m_connections);
    m_connections.clear();
    // The receiver may delete us from inside a socket's own readyRead; the
    // sockets must outlive that call, so they are closed (replies already
    // written still go out) and deleted later instead of with the server.
    const QList<QTcpSocket*> sockets = m_server->findChildren<QTcpSocket*>(QString(), Qt::FindDirectChildrenOnly);
    for (QTcpSocket* socket : sockets) {
        socket->disconnect(this);
        socket->setParent(nullptr);
        if (socket->state() == QAbstractSocket::UnconnectedState) {
            socket->deleteLater();
        } else {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater, Qt::UniqueConnection);
            socket->disconnectFromHost();
        }
    }
}

bool QServerSocket::isListening() const { return m_server->isListening(); }
quint16 QServerSocket::serverPort() const { return m_server->serverPort(); }
QHostAddress QServerSocket::serverAddress() const { return m_server->serverAddress(); }
QString QServerSocket::errorString() const { return m_errorString; }

void QServerSocket::setMaxRequestBytes(int bytes)
{
    if (bytes > 0)
        m_maxRequestBytes = bytes;
}

void QServerSocket::setRequestTimeoutMs(int ms)
{
    if (ms > 0)
        m_requestTimeoutMs = ms;
}

void QServerSocket::close()
{
    m_server->close();
    const QList<QTcpSocket*> sockets = m_connections.keys();
    for (QTcpSocket* socket : sockets) {
        forget(socket);
        socket->disconnectFromHost();
    }
}

void QServerSocket::acceptConnections()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        if (m_connections.size() >= MaxConnections && !dropOldestIdle()) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto* connection = new Connection(m_maxRequestBytes);
        connection->framer.setRequestLineOnly(m_lineOnly);
        connection->framer.setKeepArrivedHeader(m_keepArrivedHeader);
        connection->order = ++m_accepted;
        connection->timer = new QTimer(socket);
        connection->timer->setSingleShot(true);
        connection->timer->setInterval(m_requestTimeoutMs);
        m_connections.insert(socket, connection);

        connect(connection->timer, &QTimer::timeout, this, [this, socket] { timedOut(socket); });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { forget(socket); });
        connection->timer->start();
        if (socket->bytesAvailable() > 0)
            readFrom(socket);
    }
}

void QServerSocket::readFrom(QTcpSocket* socket)
{
    Connection* connection = m_connections.value(socket);
    if (!connection)
        return;
    // A connection for one request keeps its deadline from the accept;
    // otherwise the time-out counts the silence between reads.
    if (!m_lineOnly)
        connection->timer->start();
    while (socket->bytesAvailable() > 0) {
        if (!connection->framer.append(socket->read(ReadChunkBytes))) {
            drop(socket);
            return;
        }
    }

    const QPointer<QServerSocket> self(this);
    const QPointer<QTcpSocket> guard(socket);
    QByteArray request;
    while (connection->framer.takeRequest(request)) {
        connection->delivered = true;
        emit dataReceived(socket, request);
        // The receiver may have closed the socket, or closed or deleted us.
        if (!self || !guard)
            return;
        connection = m_connections.value(socket);
        if (!connection)
            return;
    }
}

void QServerSocket::timedOut(QTcpSocket* socket)
{
    Connection* connection = m_connections.value(socket);
    if (!connection)
        return;
    if (connection->framer.hasPartialRequest()) {
        drop(socket);
    } else {
        // Idle between requests: end it politely, pending replies still go out.
        forget(socket);
        socket->disconnectFromHost();
    }
}

bool QServerSocket::dropOldestIdle()
{
    QTcpSocket* oldest = nullptr;
    quint64 oldestOrder = 0;
    for (auto it = m_connections.cbegin(); it != m_connections.cend(); ++it) {
        // A one-request connection that delivered is being answered.
        if (m_lineOnly && it.value()->delivered)
            continue;
        if (!oldest || it.value()->order < oldestOrder) {
            oldest = it.key();
            oldestOrder = it.value()->order;
        }
    }
    if (!oldest)
        return false;
    drop(oldest);
    return true;
}

void QServerSocket::drop(QTcpSocket* socket)
{
    forget(socket);
    socket->abort();
}

void QServerSocket::forget(QTcpSocket* socket)
{
    Connection* connection = m_connections.take(socket);
    if (!connection)
        return;
    delete connection;
    socket->disconnect(this);
    // Deleted once it is closed; a closing socket still sends its reply.
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
    else
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}
