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

void TddSession::postMessage(int code, int extra)
{
    if (code == TddCode::LinkOpening) {
        // Posted on the worker just before the link goes to the browser.
        m_server->armCallback();
        QMetaObject::invokeMethod(this, [this] {
            if (!m_stopped && !m_data && !webService().isPolling())
                m_loginWait.start(m_options.loginWaitSeconds * 1000);
        }, Qt::QueuedConnection);
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
    m_data.reset(new ThreadTDDGetData(&webService(), tokenA.toStdString()));
    m_data->start();
}

void TddSession::onLoginWaitOver()
{
    if (m_stopped || m_data)
        return;
    m_server->stop();
    postMessage(TddCode::Error, TddExtra::LoginTimedOut);
}
