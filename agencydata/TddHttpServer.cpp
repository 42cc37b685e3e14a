#include "agencydata/TddHttpServer.h"

#include "agencydata/tddprogress.h"
#include "agencydata/tddsoap.h"
#include "companion/core/qserversocket.h"
#include "companion/core/templatefill.h"
#include "companion/core/templatevaluemap.h"

#include <QDateTime>
#include <QFile>
#include <QTcpSocket>
#include <QUrlQuery>

#include <stdexcept>

namespace {

const char* const kStopWord = "pausing7315";
const char* const kGreeting = "Hello from voDarevivo 2024";
const char* const kLoggedOut = "You have logged out of CRA secure session!";
const char* const kReplyPage = ":/tdd/tdd/tdd_logouthtml.xmt";

// The request line: method, target and version, split at single spaces.
struct RequestLine
{
    QByteArray text;
    QByteArray method;
    QByteArray path;  // still percent-encoded
    QByteArray query; // still percent-encoded
    bool wellFormed = false;
};

RequestLine readRequestLine(const QByteArray& request)
{
    RequestLine line;
    int end = request.indexOf('\n');
    QByteArray text = end < 0 ? request : request.left(end);
    if (text.endsWith('\r'))
        text.chop(1);
    line.text = text;
    const QList<QByteArray> parts = text.split(' ');
    if (parts.size() != 3 || !parts.at(2).startsWith("HTTP/"))
        return line;
    line.method = parts.at(0);
    const QByteArray target = parts.at(1);
    const int mark = target.indexOf('?');
    line.path = mark < 0 ? target : target.left(mark);
    line.query = mark < 0 ? QByteArray() : target.mid(mark + 1);
    line.wellFormed = true;
    return line;
}

// Why the browser's own words refuse the request as a callback, or empty.
// The agency's redirect is a top-level navigation; a browser marks what a
// page asks for otherwise (an image, a script, a frame, a fetch). A header
// that is absent says nothing (older browsers, other clients).
QByteArray fetchMetadataRefusal(const QByteArray& request)
{
    const QList<QByteArray> lines = request.split('\n');
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        if (line.isEmpty())
            break; // the end of the header
        const int colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed().toLower();
        if (name == "sec-fetch-dest" && value != "document")
            return "Sec-Fetch-Dest " + value.left(32);
        if (name == "sec-fetch-mode" && value != "navigate")
            return "Sec-Fetch-Mode " + value.left(32);
    }
    return QByteArray();
}

void writeReply(QTcpSocket* socket, bool html, const QByteArray& body)
{
    socket->write("HTTP/1.0 200 OK\r\n");
    socket->write(html ? "Content-Type: text/html\r\n" : "Content-Type: text/plain\r\n");
    socket->write("Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n");
    socket->write(body);
    socket->flush();
    socket->disconnectFromHost();
}

} // namespace

TddHttpServer* TddHttpServer::getInstance(TddProgressSink* dlg)
{
    // Lives until the process ends, as the session service in it does.
    static TddHttpServer* s_server = new TddHttpServer();
    s_server->setProgressDlg(dlg);
    return s_server;
}

TddHttpServer::TddHttpServer()
{
    Q_INIT_RESOURCE(tddtemplates);
}

TddHttpServer::~TddHttpServer()
{
    stop();
}

void TddHttpServer::setProgressDlg(TddProgressSink* dlg)
{
    m_service.setProgressDlg(dlg);
}

bool TddHttpServer::startAndListen(int port)
{
    stop();
    auto* socket = new QServerSocket(port, this);
    if (!socket->isListening()) {
        const QByteArray why = "http server cannot listen on port " + QByteArray::number(port) + ": " +
                               socket->errorString().toUtf8() + "\n";
        writeLog(why.constData());
        delete socket;
        return false;
    }
    socket->setMaxRequestBytes(kMaxRequestBytes);
    socket->setRequestTimeoutMs(kRequestTimeoutMs);
    // Only the request line counts, so nothing waits for the headers; what
    // of the header came with it is looked at for the browser's own marks.
    socket->setRequestLineOnly(true);
    socket->setKeepArrivedHeader(true);
    connect(socket, &QServerSocket::dataReceived, this, &TddHttpServer::dataReceived);
    m_socket = socket;
    writeLog("http server up\n");
    return true;
}

void TddHttpServer::stop()
{
    m_armed = false;
    if (!m_socket)
        return;
    writeLog("http server down\n");
    QServerSocket* socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    // Closed now, so the port refuses at once; deleted later, since this may
    // run inside the socket's own signal.
    socket->close();
    socket->deleteLater();
}

bool TddHttpServer::isRunning() const
{
    return m_socket != nullptr;
}

quint16 TddHttpServer::port() const
{
    return m_socket ? m_socket->serverPort() : 0;
}

void TddHttpServer::dataReceived(QTcpSocket* socket, QByteArray arrData)
{
    try {
        handle(socket, arrData);
    } catch (...) {
        writeLog("svr accept exception\n");
        m_service.postProgressMessage(TddCode::Error, TddExtra::CallbackFailed);
        socket->abort();
    }
}

void TddHttpServer::handle(QTcpSocket* socket, const QByteArray& request)
{
    m_service.postProgressMessage(TddCode::CallbackArrived, 0);
    const RequestLine line = readRequestLine(request);
    // Only the request line counts: a header can name neither a path nor a token.
    if (line.text.contains(kStopWord)) {
        socket->abort();
        return;
    }
    const QString path = QUrl::fromPercentEncoding(line.path);
    bool accepted = false;
    bool logout = false;
    if (line.wellFormed && line.method == "GET" && pathIsSessions(path)) {
        m_service.postProgressMessage(TddCode::CallbackPathFound, 0);
        const QUrlQuery query(QString::fromLatin1(line.query));
        const QString token = query.queryItemValue(QStringLiteral("t"), QUrl::FullyEncoded);
        const QByteArray notNavigation = fetchMetadataRefusal(request);
        // One callback at a time, and only while the session waits for the login.
        bool expected = true;
        if (!notNavigation.isEmpty())
            writeLog(("callback refused: " + notNavigation + "\n").constData());
        else if (!m_armed.load())
            writeLog("callback refused: no login is awaited\n");
        else if (m_service.webReturnSetTokenA(token.toLatin1().constData()) != 0)
            writeLog("callback refused: the token is not acceptable\n");
        else
            accepted = m_armed.compare_exchange_strong(expected, false);
    } else if (line.wellFormed && line.method == "GET" && path == QLatin1String("/logout")) {
        logout = true;
    }

    if (accepted) {
        writeLog("callback accepted\n");
        m_service.postProgressMessage(TddCode::TokenAAccepted, 0);
        writeReply(socket, true, replyPage());
        const QString tokenA = QString::fromStdString(m_service.tokenA());
        stop();
        emit callbackAccepted(tokenA);
        return;
    }
    writeReply(socket, false, logout ? QByteArray(kLoggedOut) : QByteArray(kGreeting));
}

bool TddHttpServer::rearm(int port)
{
    writeLog("the data service refused the callback's token: waiting for the next callback\n");
    if (!startAndListen(port))
        return false;
    armCallback();
    return true;
}

bool TddHttpServer::pathIsSessions(const QString& path) const
{
    if (m_service.forWhich() == TddAutoFill)
        return path.compare(QLatin1String("/taxdata"), Qt::CaseInsensitive) == 0;
    return path == QLatin1String("/expnoa");
}

QByteArray TddHttpServer::replyPage() const
{
    TemplateValueMap values;
    values.setText("crajsurl", CString(m_craJsUrl));
    std::string page;
    if (processTemplatePartInString(page, CString(kReplyPage), values, TemplateRequestOrPage) != TemplateFilled)
        throw std::runtime_error("reply page not filled");
    return QByteArray::fromStdString(page);
}

void TddHttpServer::writeLog(const char* text) const
{
    if (m_logPath.isEmpty())
        return;
    QFile file(m_logPath);
    if (!file.open(QIODevice::Append | QIODevice::Text))
        return;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write("Log: " + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss ")).toUtf8() +
               text);
}
