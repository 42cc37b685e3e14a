#pragma once

#include "agencydata/TddWebService.h"
#include "agencydata/tddservicesettings.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <list>
#include <memory>
#include <string>

class TddHttpServer;
class ThreadTDDGetWebAuth;
class ThreadTDDGetData;

// What a session needs beyond the service settings; the window fills it from
// the configuration, tests from their fakes.
struct TddSessionOptions
{
    TddServiceSettings service;
    int callbackPort = 46248;      // tddCallbackPort(edition), or a test's port
    int loginWaitSeconds = 600;    // how long the login may take before the session ends
    QString dataFile;              // offline mode: parse this reply file, send nothing
    QString craJsUrl;              // the agency's login script, for the callback's reply page
    TddWebService::LinkOpener opener;
    TddWebService::ReplyParser autoFillParser;
    TddWebService::ReplyParser noaParser;
};

// The callback port of an edition: 46248 for the DIRERAD edition (2), else
// 46249.
int tddCallbackPort(int appPurpose);

// One Auto-fill or Express NOA session: the callback server's service set up
// afresh, the listener opened before anything can send the browser to it,
// the two workers, and the login wait. It owns the workers and outlives
// them: stop() ends everything that runs (the request in flight is aborted,
// pauses wake, the listener closes, no code reaches the display any more)
// and waitForWorkers() returns once no worker thread runs. Its destructor
// does both.
//
// It is the session's progress sink: codes go on to the display (the
// progress dialog) until stop(), and the login-link code opens the callback.
// A callback's token that the data service refuses at its first poll (a
// token planted by another local process or page) does not end the session:
// the listener is armed again and the session waits for the next callback,
// until the login's own time-out counted from the link.
class TddSession : public QObject, public TddProgressSink
{
    Q_OBJECT
public:
    TddSession(const TddSessionOptions& options, short forWhich, const std::list<std::string>& sins,
               QObject* parent = nullptr);
    ~TddSession() override;

    void setDisplay(TddProgressSink* display);

    // Starts the session: listens, then starts the stage worker. A port that
    // cannot be bound ends it with an error code.
    void start();
    // Offline mode: parses the data file on this thread; the count stored,
    // or a negative code. Posts an error for an unreadable file or a failed parse.
    int runOffline();

    void stop();
    void waitForWorkers();
    bool workersRunning() const;
    // What the data worker stored; read once the workers have ended.
    int savedCount() const;
    bool isOffline() const { return !m_options.dataFile.isEmpty(); }

    TddWebService& webService();
    TddHttpServer* server() const { return m_server; }

    void postMessage(int code, int extra) override;

private slots:
    void onCallbackAccepted(const QString& tokenA);
    void onLoginWaitOver();
    void onTokenRefused();

private:
    TddSessionOptions m_options;
    short m_forWhich;
    std::list<std::string> m_sins;
    TddHttpServer* m_server;
    std::unique_ptr<ThreadTDDGetWebAuth> m_webAuth;
    std::unique_ptr<ThreadTDDGetData> m_data;
    QTimer m_loginWait;
    QElapsedTimer m_sinceLink; // the login's time-out counts from the link
    bool m_stopped = false;
    // From a callback's acceptance until the data service first answers its
    // token as one it issued; posted to from the data worker.
    std::atomic<bool> m_tokenUnconfirmed{false};

    QMutex m_displayMutex;
    TddProgressSink* m_display = nullptr;
};
