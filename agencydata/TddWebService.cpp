#include "agencydata/TddWebService.h"

#include <functional>

#include "agencydata/tddlogfile.h"
#include "agencydata/tddprogress.h"
#include "agencydata/tddsoap.h"
#include "agencydata/tddwebauth.h"
#include "companion/core/appclock.h"
#include "companion/core/prompter.h"
#include "companion/core/qwebclient.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QSemaphore>
#include <QThread>
#include <QUrl>

#include <memory>

namespace {

const int kPollSteps[] = {TddCode::PollWaited1, TddCode::PollWaited2, TddCode::PollWaited3};
const int kStopCheckMs = 100;

std::string timeLine()
{
    return QDateTime::currentDateTime().toString(Qt::TextDate).toStdString();
}

} // namespace

TddProgressSink::~TddProgressSink() = default;

TddWebService::TddWebService() = default;

TddWebService::~TddWebService() = default;

void TddWebService::setSettings(const TddServiceSettings& settings)
{
    QMutexLocker lock(&m_mutex);
    m_settings = settings;
}

TddServiceSettings TddWebService::settings() const
{
    QMutexLocker lock(&m_mutex);
    return m_settings;
}

void TddWebService::setForWhich(const char* taxYear, short forWhich)
{
    QMutexLocker lock(&m_mutex);
    m_taxYearText = CString(taxYear ? taxYear : "");
    m_forWhich = forWhich;
}

void TddWebService::setSins(const std::list<std::string>& sins)
{
    QMutexLocker lock(&m_mutex);
    m_sins = sins;
}

void TddWebService::setProgressDlg(TddProgressSink* sink)
{
    QMutexLocker lock(&m_sinkMutex);
    m_sink = sink;
}

void TddWebService::setLinkOpener(LinkOpener opener)
{
    QMutexLocker lock(&m_mutex);
    m_opener = std::move(opener);
}

void TddWebService::setReplyParser(short forWhich, ReplyParser parser)
{
    QMutexLocker lock(&m_mutex);
    m_parsers[forWhich == TddAutoFill ? TddAutoFill : TddExpressNoa] = std::move(parser);
}

bool TddWebService::enterInQuery()
{
    bool expected = false;
    return m_inQuery.compare_exchange_strong(expected, true);
}

void TddWebService::leaveOutQuery()
{
    m_inQuery = false;
}

bool TddWebService::enterPolling()
{
    bool expected = false;
    return m_polling.compare_exchange_strong(expected, true);
}

void TddWebService::leavePolling()
{
    m_polling = false;
}

void TddWebService::requestStop()
{
    m_stop = true;
}

void TddWebService::clearStop()
{
    m_stop = false;
}

int TddWebService::postProgressMessage(int code, int extra)
{
    QMutexLocker lock(&m_sinkMutex);
    if (!m_sink)
        return 1;
    m_sink->postMessage(code, extra);
    return 0;
}

std::string TddWebService::tokenC() const
{
    QMutexLocker lock(&m_mutex);
    return m_tokenC;
}

std::string TddWebService::tokenA() const
{
    QMutexLocker lock(&m_mutex);
    return m_tokenA;
}

CString TddWebService::loginUrl() const
{
    QMutexLocker lock(&m_mutex);
    return m_loginUrl;
}

CString TddWebService::taxYearText() const
{
    QMutexLocker lock(&m_mutex);
    return m_taxYearText;
}

void TddWebService::reset()
{
    {
        QMutexLocker lock(&m_mutex);
        m_tokenC.clear();
        m_tokenA.clear();
        m_loginUrl.clear();
        m_noticeMessages.clear();
    }
    setProgressDlg(nullptr);
    m_inQuery = false;
    m_polling = false;
    m_stop = false;
    m_savedCount = 0;
}

int TddWebService::callTDDWebService(const std::string& request, std::string& response)
{
    const TddServiceSettings s = settings();
    const short kind = forWhich();
    TddLogFile log(s.requestLogPath);
    log.write("\n\n" + timeLine() + "\n");
    // Requests go to the log only in test mode, and never with a S.I.N. in
    // clear; the key itself never travels, only its digest.
    if (s.fullLog && s.modeDebug)
        log.write(maskTddRequestForLog(request));
    log.write("\n\n");
    try {
        const QString url = "https://" + s.serviceHost + s.dataDeliveryPath + taxYearText() +
                            (kind == TddAutoFill ? s.tddServicePath : s.noaServicePath);
        QWebClient client(url, false);
        client.setTimeoutMs(s.timeoutMs);
        // A session that is cancelled must not wait for the agency's answer.
        client.setCancelFlag(&m_stop);
        client.setSendOnce(true);
        m_lastCallDropped = false;
        if (!client.postSoapXML(request, "text/xml; charset=UTF-8", nullptr, nullptr, response)) {
            m_lastCallDropped = client.droppedBeforeReply();
            log.write("TDD web service step failed.\n");
            return TddExtra::Transport;
        }
        if (s.fullLog)
            log.write(response);
        return 0;
    } catch (...) {
        log.write("Please try again, make sure voDarevivo is permitted by firewall to use Internet.\n");
        return TddExtra::Exception;
    }
}

int TddWebService::exchange(const std::function<bool(std::string&)>& build, std::string& reply, int& sent)
{
    std::string request;
    if (!build(request))
        return -1;
    sent = callTDDWebService(request, reply);
    // A connection that closed before any reply may have lost the request on
    // the way. The same request must not go again (its nonce and time would
    // read as a replay): one new request is built and sent instead.
    if (sent == TddExtra::Transport && m_lastCallDropped && !stopRequested()) {
        request.clear();
        if (!build(request))
            return -1;
        sent = callTDDWebService(request, reply);
    }
    return 0;
}

int TddWebService::wsGetTokenC()
{
    {
        QMutexLocker lock(&m_sinkMutex);
        if (!m_sink)
            return -5;
    }
    postProgressMessage(TddCode::StageBuilding, 0);
    const short kind = forWhich();
    std::list<std::string> sins;
    {
        QMutexLocker lock(&m_mutex);
        sins = m_sins;
    }
    std::string reply;
    int sent = 0;
    const auto build = [&](std::string& request) {
        return constructTDDTokenCReq(settings(), taxYearText(), kind, sins, request) == 0;
    };
    if (exchange(build, reply, sent) != 0) {
        postProgressMessage(TddCode::Error, TddExtra::StageTemplate);
        return TddExtra::StageTemplate;
    }
    if (sent != 0) {
        postProgressMessage(TddCode::Error, sent);
        return sent;
    }
    postProgressMessage(TddCode::StageReplied, 0);
    StructTDDSoapResult result;
    parseTDDTokenSoapResponseResult(reply, tddServiceNames(kind).stageReply, "TokenIdentifier", &result);
    // A stage without tokenC cannot lead anywhere: the login link would
    // carry nothing the agency can match.
    if (result.ReturnCode.compare(QLatin1String("0"), Qt::CaseInsensitive) != 0 || result.token.empty()) {
        postProgressMessage(TddCode::Error, TddExtra::StageRefused);
        return TddExtra::StageRefused;
    }
    {
        QMutexLocker lock(&m_mutex);
        m_tokenC = result.token;
    }
    postProgressMessage(TddCode::TokenCAccepted, 0);
    return 0;
}

int TddWebService::visitTDDWebAuthUrl()
{
    const std::string token = tokenC();
    if (token.empty()) {
        postProgressMessage(TddCode::Error, TddExtra::LinkWithoutTokenC);
        return 99;
    }
    const CString link =
        buildTDDWebAuthUrl(settings(), forWhich(), taxYearText(), token, AppClock::nowUtc().toSecsSinceEpoch());
    {
        QMutexLocker lock(&m_mutex);
        m_loginUrl = link;
    }
    postProgressMessage(TddCode::LinkOpening, 0);
    if (openLinkOnUserInterfaceThread(QUrl(link, QUrl::TolerantMode)))
        return 0;
    if (!stopRequested()) {
        postProgressMessage(TddCode::Error, TddExtra::LinkNotOpened);
        showUnopenedLink(link);
    }
    return 99;
}

bool TddWebService::openLinkOnUserInterfaceThread(const QUrl& url)
{
    LinkOpener opener;
    {
        QMutexLocker lock(&m_mutex);
        opener = m_opener;
    }
    if (!opener)
        return false;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        return opener(url);

    // Handed over and awaited with a stop check rather than a blocking call:
    // the user-interface thread may itself be waiting for this worker.
    struct Handover
    {
        QSemaphore done;
        std::atomic<bool> abandoned{false};
        bool opened = false;
    };
    auto handover = std::make_shared<Handover>();
    QMetaObject::invokeMethod(app, [handover, opener, url] {
        if (!handover->abandoned)
            handover->opened = opener(url);
        handover->done.release();
    }, Qt::QueuedConnection);
    while (!handover->done.tryAcquire(1, kStopCheckMs)) {
        if (stopRequested()) {
            handover->abandoned = true;
            return false;
        }
    }
    return handover->opened;
}

void TddWebService::showUnopenedLink(const CString& link)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    // Not awaited: the message stays up until the user closes it, and the
    // session has already ended.
    QMetaObject::invokeMethod(app, [link] {
        PromptContent content;
        content.kind = PromptKind::MessageWithLink;
        content.title = QCoreApplication::translate("TddWebService", "Agency login");
        content.setLine(1, QCoreApplication::translate(
                               "TddWebService", "The browser could not be opened. Copy this address into it:"));
        content.setLine(2, link, true);
        content.link = link;
        QString unused;
        Prompter::instance().prompt(nullptr, content, unused);
    }, Qt::QueuedConnection);
}

int TddWebService::webReturnSetTokenA(const char* text)
{
    const std::string token = acceptTddTokenA(text ? text : "");
    if (token.empty())
        return 1;
    QMutexLocker lock(&m_mutex);
    m_tokenA = token;
    return 0;
}

int TddWebService::wsGetDataAtLast()
{
    return wsGetDataAtLast(tokenA());
}

bool TddWebService::pause(int ms) const
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < ms) {
        if (stopRequested())
            return false;
        QThread::msleep(std::min<qint64>(kStopCheckMs, ms - waited.elapsed()));
    }
    return !stopRequested();
}

int TddWebService::failPoll(int extra, const char* why, FILE* log)
{
    if (log) {
        std::fputs(why, log);
        std::fflush(log);
    }
    postProgressMessage(TddCode::Error, extra);
    return extra;
}

int TddWebService::wsGetDataAtLast(std::string token)
{
    const TddServiceSettings s = settings();
    const short kind = forWhich();
    const TddServiceNames& names = tddServiceNames(kind);
    TddLogFile log(s.sessionLogPath);
    m_savedCount = 0; // a count left from an earlier session must not read as this one's
    if (!isAcceptableTddToken(token))
        return failPoll(TddExtra::PollNoTokenA, "no accepted token to poll with\n", log.file());

    for (int step : kPollSteps) {
        if (stopRequested())
            return 0;
        const auto build = [&](std::string& request) {
            return constructTDDDataReadyReq(s, taxYearText(), kind, token, request) == 0;
        };
        postProgressMessage(step - 6, 0);
        std::string reply;
        int sent = 0;
        if (exchange(build, reply, sent) != 0)
            return failPoll(TddExtra::PollTemplate, "data request not built\n", log.file());
        if (stopRequested())
            return 0;
        if (sent == TddExtra::Transport)
            return failPoll(TddExtra::PollTransport, "no reply to a data request\n", log.file());
        if (sent != 0)
            return failPoll(TddExtra::PollException, "data request not sent\n", log.file());
        postProgressMessage(step - 1, 0);

        StructTDDSoapResult result;
        const int read = parseTDDTokenSoapResponseResult(reply, names.dataReply, "TokenIdentifier", &result);
        if (read == TddReplyRead_Unreadable)
            return failPoll(TddExtra::PollUnreadable, "data reply unreadable\n", log.file());
        if (read != TddReplyRead_Response)
            return failPoll(TddExtra::PollNoResponse, "data reply without a response\n", log.file());
        bool numeric = false;
        const double value = result.ReturnCode.trimmed().toDouble(&numeric);
        if (!numeric)
            return failPoll(TddExtra::PollNoReturnCode, "data reply without a return code\n", log.file());
        const int returnCode = int(value);

        if (returnCode == 20)
            return parseReadyReply(kind, reply, log);
        if (returnCode == 0) {
            if (result.token.empty())
                return failPoll(TddExtra::PollNoNextToken, "not ready, and no token for the next poll\n",
                                log.file());
            token = result.token;
            if (token.size() <= 6)
                log.write("token is short\n");
            if (!pause(s.pollPauseMs))
                return 0;
            postProgressMessage(step, 0);
            continue;
        }
        if (returnCode == 10)
            return failPoll(TddExtra::PollReturnCode10, "data request refused (10)\n", log.file());
        const std::string why = "data request ended with " + std::to_string(returnCode) + "\n";
        return failPoll(returnCode, why.c_str(), log.file());
    }
    return failPoll(TddExtra::PollNeverReady, "data not ready after three polls\n", log.file());
}

int TddWebService::parseReadyReply(short kind, const std::string& reply, TddLogFile& log)
{
    ReplyParser parser;
    {
        QMutexLocker lock(&m_mutex);
        auto it = m_parsers.find(kind == TddAutoFill ? TddAutoFill : TddExpressNoa);
        if (it != m_parsers.end())
            parser = it->second;
    }
    if (!parser)
        return failPoll(TddExtra::NoReplyParser, "data ready, no reader for it\n", log.file());
    int stored = 0;
    try {
        stored = parser(log.file(), reply);
    } catch (...) {
        log.write("data reader failed\n");
        log.close();
        postProgressMessage(TddCode::Saved, 1000);
        return 0;
    }
    if (stored < 0) {
        const std::string why = "data reader refused the reply (" + std::to_string(stored) + ")\n";
        return failPoll(TddExtra::ParseFailed, why.c_str(), log.file());
    }
    m_savedCount = stored;
    log.close();
    postProgressMessage(TddCode::Saved, stored + 1000);
    return stored;
}
