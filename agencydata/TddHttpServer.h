#pragma once

#include "agencydata/TddWebService.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <atomic>
#include <string>

class QServerSocket;
class QTcpSocket;

// The local end of the agency's login: the browser's redirect after the user
// has logged in arrives here with tokenA, and a session's data poll starts
// from it. One object per process, on the user-interface thread; it holds
// the session's TddWebService.
//
// The redirect comes from a browser on this machine, but so can any other
// local request, so the listener trusts nothing: it listens on 127.0.0.1
// only, bounds each request (8 KB, 10 s of silence, a cap on connections),
// reads only the request line (GET, the exact path of the session's kind,
// the parameter "t" checked by the token rule), and takes one callback at a
// time, only while the session waits for the login; after that it stops
// listening. A web page open in the user's browser can make the browser ask
// for the callback's address (an image, a script, a frame): what the browser
// says of such a request in the header it sent with its request line
// (Sec-Fetch-Dest other than "document", Sec-Fetch-Mode other than
// "navigate") refuses it, since the agency's redirect is a top-level
// navigation. A token the data service then refuses costs nothing: the
// session re-arms the listener (rearm) and waits for the next callback.
// Each callback taken or refused is logged, never its token. Every reply
// ends its connection.
class TddHttpServer : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxRequestBytes = 8 * 1024;
    static constexpr int kRequestTimeoutMs = 10000;

    // The one server; dlg becomes the progress sink of the session.
    static TddHttpServer* getInstance(TddProgressSink* dlg);

    TddWebService& webService() { return m_service; }
    void setProgressDlg(TddProgressSink* dlg);
    void setLogPath(const QString& path) { m_logPath = path; }
    // The address of the agency's login script, put into the reply page.
    void setCraJsUrl(const QString& url) { m_craJsUrl = url; }

    // Listens on 127.0.0.1:port; false (logged) when the port cannot be bound.
    bool startAndListen(int port);
    void stop();
    bool isRunning() const;
    quint16 port() const;

    // The session now waits for the login: one callback may be accepted.
    // Callable from any thread (the worker that opens the link).
    void armCallback() { m_armed = true; }
    void disarmCallback() { m_armed = false; }
    // The data service refused the token of the callback taken: listens on
    // port again and takes the next callback. False (logged) when the port
    // cannot be bound again.
    bool rearm(int port);

signals:
    // A callback's tokenA was accepted and stored; listening has stopped.
    void callbackAccepted(const QString& tokenA);

public slots:
    void dataReceived(QTcpSocket* socket, QByteArray arrData);

private:
    TddHttpServer();
    ~TddHttpServer() override;

    void handle(QTcpSocket* socket, const QByteArray& request);
    bool pathIsSessions(const QString& path) const;
    QByteArray replyPage() const;
    void writeLog(const char* text) const;

    TddWebService m_service;
    QString m_logPath;
    QString m_craJsUrl;
    QServerSocket* m_socket = nullptr;
    std::atomic<bool> m_armed{false};
};
