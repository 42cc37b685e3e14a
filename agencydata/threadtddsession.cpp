#include "agencydata/threadtddsession.h"

#include "agencydata/TddHttpServer.h"
#include "agencydata/tddlogfile.h"
#include "agencydata/tddprogress.h"
#include "agencydata/tddsoap.h"
#include "agencydata/threadtdd.h"

#include <QFile>

int tddCallbackPort(int appPurpose)
{
    return appPurpose == 2 ? 46248 : 46249;
}

TddSession::TddSession(const TddSessionOptions& options, short forWhich, const std::list<std::string>& sins,
                       QObject* parent)
    : QObject(parent), m_options(options), m_forWhich(forWhich), m_sins(sins),
      m_server(TddHttpServer::getInstance(nullptr))
{
    m_loginWait.setSingleShot(true);
    connect(&m_loginWait, &QTimer::timeout, this, &TddSession::onLoginWaitOver);

    // Nothing of an earlier session may carry over: its tokens, its link,
    // its flags, its count.
    TddWebService& service = m_server->webService();
    service.reset();
    service.setSettings(m_options.service);
    service.setForWhich("2024", forWhich);
    service.setSins(sins);
    service.setLinkOpener(m_options.opener);
    service.setReplyParser(TddAutoFill, m_options.autoFillParser);
    service.setReplyParser(TddExpressNoa, m_options.noaParser);
    m_server->setLogPath(m_options.service.sessionLogPath);
    m_server->setCraJsUrl(m_options.craJsUrl);
    m_server->setProgressDlg(this);
}

TddSession::~TddSession()
{
    stop();
    waitForWorkers();
}

void TddSession::setDisplay(TddProgressSink* display)
{
    QMutexLocker lock(&m_displayMutex);
    m_display = display;
}

TddWebService& TddSession::webService()
{
    return m_server->webService();
}

void TddSession::start()
{
    connect(m_server, &TddHttpServer::callbackAccepted, this, &TddSession::onCallbackAccepted,
            Qt::UniqueConnection);
    // The browser may come back at once (a user already logged in), so the
    // port is open and checked before the link can be opened.
    if (!m_server->startAndListen(m_options.callbackPort)) {
        postMessage(TddCode::Error, TddExtra::PortInUse);
        return;
    }
    m_webAuth.reset(new ThreadTDDGetWebAuth(&webService()));
    m_webAuth->start();
}

int TddSession::runOffline()
{
    QFile file(m_options.dataFile);
    if (!file.open(QIODevice::ReadOnly)) {
        postMessage(TddCode::Error, TddExtra::OfflineFileUnreadable);
        return TddExtra::OfflineFileUnreadable;
    }
    const std::string reply = file.readAll().toStdString();
    const TddWebService::ReplyParser& parser =
        m_forWhich == TddAutoFill ? m_options.autoFillParser : m_options.noaParser;
    if (!parser) {
        postMessage(TddCode::Error, TddExtra::NoReplyParser);
        return TddExtra::NoReplyParser;
    }
    TddLogFile log(m_options.service.requestLogPath);
    int stored = 0;
    // An exception cannot pass through the event handler that calls this.
    try {
        stored = parser(log.file(), reply);
    } catch (...) {
        log.write("data reader failed\n");
        stored = TddExtra::ParseFailed;
    }
    if (stored < 0)
        postMessage(TddCode::Error, TddExtra::ParseFailed);
    return stored;
}

void TddSession::stop()
{
    if (m_stopped)
        return;
    m_stopped = true;
    m_loginWait.stop();
    setDisplay(nullptr);
    webService().requestStop();
    disconnect(m_server, nullptr, this, nullptr);
    m_server->stop();
    m_server->setProgressDlg(nullptr);
    if (m_webAuth)
        m_webAuth->cancel();
    if (m_data)
        m_data->cancel();
}

void TddSession::waitForWorkers()
{
    if (m_webAuth)
        m_webAuth->wait();
    if (m_data)
        m_data->wait();
}

bool TddSession::workersRunning() const
{
    return (m_webAuth && m_webAuth->isRunning()) || (m_data && m_data->isRunning());
}

int TddSession::savedCount() const
{
    return m_server->webService().savedCount();
}

namespace {

// The data service's answers to a first poll that say the token is none of
// its own: a fault, its "refused" code 10, or any other code but "not
// ready" (0) and "ready" (20). A transport failure or an unreadable reply
// says nothing of the token.
bool refusesTheToken(int extra)
{
    return extra == TddExtra::PollNoResponse || extra == TddExtra::PollReturnCode10 || extra > 0;
}

// Codes that follow a reply which took the token as the service's own.
bool confirmsTheToken(int code)
{
    return code == TddCode::PollWaited1 || code == TddCode::PollWaited2 || code == TddCode::PollWaited3
           || (code > TddCode::PollReplied3 && code < TddCode::Error);
}

} // namespace

void TddSession::postMessage(int code, int extra)
{
    if (code == TddCode::LinkOpening) {
        // Posted on the worker just before the link goes to the browser.
        m_server->armCallback();
        QMetaObject::invokeMethod(this, [this] {
            m_sinceLink.start();
            if (!m_stopped && !m_data && !webService().isPolling())
                m_loginWait.start(m_options.loginWaitSeconds * 1000);
        }, Qt::QueuedConnection);
    }
    if (m_tokenUnconfirmed.load()) {
        if (code == TddCode::Error && refusesTheToken(extra)) {
            m_tokenUnconfirmed = false;
            QMetaObject::invokeMethod(this, &TddSession::onTokenRefused, Qt::QueuedConnection);
            return; // not the session's end: the display keeps waiting
        }
        if (code == TddCode::Error || confirmsTheToken(code))
            m_tokenUnconfirmed = false;
    }
    QMutexLocker lock(&m_displayMutex);
    if (m_display)
        m_display->postMessage(code, extra);
}

void TddSession::onCallbackAccepted(const QString& tokenA)
{
    m_loginWait.stop();
    if (m_stopped || m_data || webService().isPolling())
        return;
    m_tokenUnconfirmed = true;
    m_data.reset(new ThreadTDDGetData(&webService(), tokenA.toStdString()));
    m_data->start();
}

void TddSession::onTokenRefused()
{
    if (m_stopped)
        return;
    // The worker ends right after its post.
    if (m_data) {
        m_data->wait();
        m_data.reset();
    }
    const qint64 left = qint64(m_options.loginWaitSeconds) * 1000 - m_sinceLink.elapsed();
    if (left <= 0) {
        postMessage(TddCode::Error, TddExtra::LoginTimedOut);
        return;
    }
    if (!m_server->rearm(m_options.callbackPort)) {
        postMessage(TddCode::Error, TddExtra::PortInUse);
        return;
    }
    m_loginWait.start(int(left));
    // The display shows the wait for the login again.
    QMutexLocker lock(&m_displayMutex);
    if (m_display)
        m_display->postMessage(TddCode::LinkOpening, 0);
}

void TddSession::onLoginWaitOver()
{
    if (m_stopped || m_data)
        return;
    m_server->stop();
    postMessage(TddCode::Error, TddExtra::LoginTimedOut);
}
