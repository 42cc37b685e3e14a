#include "fakes/fakebrowser.h"

#include "fakes/agencydataserver.h"

#include <QDateTime>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QMessageAuthenticationCode>
#include <QTcpSocket>
#include <QThread>
#include <QUrlQuery>

#include <atomic>

namespace {

const QStringList kParameterOrder = {"spID", "timestamp", "auth", "key", "t", "lang", "swtaxyear"};

QByteArray encode(const QString& text)
{
    return QUrl::toPercentEncoding(text);
}

} // namespace

QByteArray FakeBrowser::Exchange::statusLine() const
{
    const int end = reply.indexOf("\r\n");
    return end < 0 ? reply : reply.left(end);
}

QByteArray FakeBrowser::Exchange::header(const QByteArray& name) const
{
    const int headEnd = reply.indexOf("\r\n\r\n");
    const QList<QByteArray> lines = reply.left(headEnd < 0 ? reply.size() : headEnd).split('\n');
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const int colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == name.toLower())
            return line.mid(colon + 1).trimmed();
    }
    return QByteArray();
}

QByteArray FakeBrowser::Exchange::body() const
{
    const int headEnd = reply.indexOf("\r\n\r\n");
    return headEnd < 0 ? QByteArray() : reply.mid(headEnd + 4);
}

bool FakeBrowser::Exchange::wellFormed() const
{
    return statusLine() == "HTTP/1.0 200 OK" && !header("Content-Type").isEmpty() &&
           header("Content-Length") == QByteArray::number(body().size());
}

FakeBrowser::FakeBrowser(FakeAgencyDataServer* agency, const QString& key, const QString& loginPath, quint16 port,
                         short kind)
    : m_agency(agency), m_key(key), m_loginPath(loginPath), m_port(port), m_kind(kind),
      m_closing(std::make_shared<std::atomic<bool>>(false))
{
}

FakeBrowser::~FakeBrowser()
{
    *m_closing = true;
    for (auto& thread : m_threads)
        thread->wait();
}

QStringList FakeBrowser::checkLink(const QUrl& url, QString& tokenC) const
{
    QStringList problems;
    if (url.scheme() != QLatin1String("https"))
        problems << QStringLiteral("scheme %1").arg(url.scheme());
    if (url.path() != m_loginPath)
        problems << QStringLiteral("path %1").arg(url.path());
    // The raw parameters, in the order the link carries them.
    QStringList names;
    QHash<QString, QByteArray> raw;
    for (const QByteArray& pair : url.query(QUrl::FullyEncoded).toLatin1().split('&')) {
        const int eq = pair.indexOf('=');
        const QString name = QString::fromLatin1(eq < 0 ? pair : pair.left(eq));
        names << name;
        raw.insert(name, eq < 0 ? QByteArray() : pair.mid(eq + 1));
    }
    if (names != kParameterOrder)
        problems << QStringLiteral("parameters %1").arg(names.join(','));
    tokenC = QUrl::fromPercentEncoding(raw.value("t"));
    const QByteArray message = raw.value("spID") + encode(url.authority() + url.path()) + raw.value("timestamp") +
                               raw.value("auth") + raw.value("lang") +
                               encode(tokenC + QString::fromLatin1(raw.value("swtaxyear")));
    const QByteArray mac = QMessageAuthenticationCode::hash(message, m_key.toUtf8(), QCryptographicHash::Sha256);
    if (encode(QString::fromLatin1(mac.toBase64())) != raw.value("key"))
        problems << QStringLiteral("signature");
    const qint64 stamp = raw.value("timestamp").toLongLong();
    if (qAbs(QDateTime::currentSecsSinceEpoch() - stamp) > 300)
        problems << QStringLiteral("time stamp %1").arg(stamp);
    return problems;
}

QByteArray FakeBrowser::redirectFor(const QString& tokenA) const
{
    const QByteArray path = m_kind == 1 ? "/taxdata" : "/expnoa";
    return "GET " + path + "?t=" + tokenA.toUtf8() + " HTTP/1.1\r\nHost: localhost:" + QByteArray::number(m_port) +
           "\r\n\r\n";
}

bool FakeBrowser::open(const QUrl& url)
{
    {
        QMutexLocker lock(&m_mutex);
        m_opened << url;
    }
    if (m_mode == Mode::OpenerFails)
        return false;
    QString tokenC;
    const QStringList problems = checkLink(url, tokenC);
    const QString tokenA = m_agency->tokenAFor(tokenC);
    {
        QMutexLocker lock(&m_mutex);
        m_problems << problems;
        if (tokenA.isEmpty())
            m_problems << QStringLiteral("no tokenA for tokenC %1").arg(tokenC);
        m_tokenA = tokenA;
    }
    if (!problems.isEmpty() || tokenA.isEmpty() || m_mode == Mode::NoRedirect)
        return true;

    for (const QByteArray& hostile : m_hostile)
        send({hostile});
    const QByteArray redirect = redirectFor(tokenA);
    if (m_mode == Mode::SplitRedirect)
        send({redirect.left(20), redirect.mid(20)});
    else
        send({redirect});
    if (m_second) {
        // Only once the first has been answered, as a browser would.
        const QByteArray second = redirectFor(QStringLiteral("second0token"));
        const quint16 port = m_port;
        auto closing = m_closing;
        std::unique_ptr<QThread> thread(QThread::create([this, redirect, second, port, closing] {
            QElapsedTimer waited;
            waited.start();
            for (bool answered = false; !answered && !*closing && waited.elapsed() < 10000;) {
                QThread::msleep(10);
                QMutexLocker lock(&m_mutex);
                for (const Exchange& e : m_exchanges)
                    answered = answered || (e.request == redirect && !e.reply.isEmpty());
            }
            QTcpSocket socket;
            Exchange exchange;
            exchange.request = second;
            socket.connectToHost(QHostAddress::LocalHost, port);
            exchange.connected = socket.waitForConnected(3000);
            if (exchange.connected) {
                socket.write(second);
                socket.waitForBytesWritten(3000);
                while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(1000))
                    exchange.reply += socket.readAll();
            }
            record(exchange);
        }));
        thread->start();
        QMutexLocker lock(&m_mutex);
        m_threads.push_back(std::move(thread));
    }
    if (m_mode == Mode::EarlyRedirect) {
        // Before the opener returns, the whole redirect is written.
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 5000) {
            QMutexLocker lock(&m_mutex);
            bool written = false;
            for (const Exchange& e : m_exchanges)
                written = written || e.request == redirect;
            if (written)
                break;
            lock.unlock();
            QThread::msleep(10);
        }
    }
    return true;
}

void FakeBrowser::send(const QList<QByteArray>& chunks, const QString& address)
{
    const quint16 port = m_port;
    auto closing = m_closing;
    std::unique_ptr<QThread> thread(QThread::create([this, chunks, address, port, closing] {
        Exchange exchange;
        for (const QByteArray& chunk : chunks)
            exchange.request += chunk;
        QTcpSocket socket;
        socket.connectToHost(QHostAddress(address), port);
        exchange.connected = socket.waitForConnected(3000);
        if (exchange.connected) {
            for (int i = 0; i < chunks.size(); ++i) {
                if (i > 0)
                    QThread::msleep(200);
                socket.write(chunks.at(i));
                socket.waitForBytesWritten(3000);
            }
            // Written: an early redirect may let the opener return now.
            Exchange written = exchange;
            record(written);
            QElapsedTimer waited;
            waited.start();
            while (!*closing && waited.elapsed() < 5000 && socket.state() == QAbstractSocket::ConnectedState) {
                if (socket.waitForReadyRead(100))
                    exchange.reply += socket.readAll();
            }
            exchange.reply += socket.readAll();
            QMutexLocker lock(&m_mutex);
            for (Exchange& e : m_exchanges) {
                if (e.request == exchange.request && e.reply.isEmpty() && e.connected) {
                    e.reply = exchange.reply;
                    e.connected = true;
                    break;
                }
            }
            return;
        }
        record(exchange);
    }));
    thread->start();
    QMutexLocker lock(&m_mutex);
    m_threads.push_back(std::move(thread));
}

void FakeBrowser::openSlowConnection()
{
    const quint16 port = m_port;
    auto closing = m_closing;
    std::unique_ptr<QThread> thread(QThread::create([port, closing] {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port);
        if (!socket.waitForConnected(3000))
            return;
        socket.write("GET /taxdata?t=");
        socket.waitForBytesWritten(1000);
        while (!*closing && socket.state() == QAbstractSocket::ConnectedState)
            socket.waitForReadyRead(100);
    }));
    thread->start();
    QMutexLocker lock(&m_mutex);
    m_threads.push_back(std::move(thread));
}

bool FakeBrowser::waitForAll(int timeoutMs)
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        bool running = false;
        {
            QMutexLocker lock(&m_mutex);
            for (auto& thread : m_threads)
                running = running || thread->isRunning();
        }
        if (!running)
            return true;
        if (waited.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

void FakeBrowser::record(const Exchange& exchange)
{
    QMutexLocker lock(&m_mutex);
    m_exchanges << exchange;
}

QList<FakeBrowser::Exchange> FakeBrowser::exchanges() const
{
    QMutexLocker lock(&m_mutex);
    return m_exchanges;
}

QStringList FakeBrowser::linkProblems() const
{
    QMutexLocker lock(&m_mutex);
    return m_problems;
}

QList<QUrl> FakeBrowser::openedLinks() const
{
    QMutexLocker lock(&m_mutex);
    return m_opened;
}

QString FakeBrowser::lastTokenA() const
{
    QMutexLocker lock(&m_mutex);
    return m_tokenA;
}
