#pragma once

#include "agencydata/tddservicesettings.h"
#include "companion/core/cstring.h"

#include <QMutex>

#include <atomic>
#include <cstdio>
#include <functional>
#include <list>
#include <map>
#include <string>

class QSqlDatabase;
class QUrl;
class TddLogFile;

// Whatever shows a session's progress (the progress dialog). Called from the
// session's worker threads: an implementation stores the code and hands the
// display to its own thread.
class TddProgressSink
{
public:
    virtual ~TddProgressSink();
    virtual void postMessage(int code, int extra) = 0;
};

// The client of the agency's Auto-fill and Express NOA data services: one
// object carries a session's state (service kind, tax year, the S.I.N.s, the
// two tokens of the hand-shake, the login link) and performs its steps:
//
//   wsGetTokenC         stage request: registers the S.I.N.s, keeps tokenC
//   visitTDDWebAuthUrl  opens the signed login link on the user-interface thread
//   webReturnSetTokenA  the callback's token, checked
//   wsGetDataAtLast     polls for the data with tokenA, at most three times,
//                       and hands a ready reply to the reply parser
//
// Every end of a step posts a progress code (TddCode, TddExtra), so whatever
// shows the session never waits for a code that does not come. The steps
// block their thread (synchronous HTTPS with a time-out, pauses between
// polls) and run on worker threads; requestStop() makes a running step end
// at its next check without posting anything more.
class TddWebService
{
public:
    // Opens a link in the user's browser; true when the desktop took it.
    // Called on the user-interface thread.
    using LinkOpener = std::function<bool(const QUrl&)>;
    // Reads a ready data reply and stores its records; returns how many were
    // stored, or a negative code when the reply could not be read. It may
    // post the parsing codes (80 to 90) through postProgressMessage and write
    // to log. Runs on the polling thread.
    using ReplyParser = std::function<int(FILE* log, const std::string& reply)>;
    // Opens a connection the caller added on the application database; the
    // service layer cannot see the application object, so the window (or a
    // test) hands this in. Called on the thread that parses the reply.
    using DatabaseOpener = std::function<bool(QSqlDatabase& db)>;
    // The message for the user about each requested taxpayer whose notice
    // came without its T1 part; key: the S.I.N. as typed.
    using NoticeMessages = std::map<std::string, CString>;

    TddWebService();
    virtual ~TddWebService();
    TddWebService(const TddWebService&) = delete;
    TddWebService& operator=(const TddWebService&) = delete;

    // Set up a session (user-interface thread, before the workers start).
    void setSettings(const TddServiceSettings& settings);
    TddServiceSettings settings() const;
    void setForWhich(const char* taxYear, short forWhich);
    short forWhich() const { return m_forWhich.load(); }
    void setSins(const std::list<std::string>& sins);
    void setProgressDlg(TddProgressSink* sink);
    void setLinkOpener(LinkOpener opener);
    void setReplyParser(short forWhich, ReplyParser parser);
    void setDatabaseOpener(DatabaseOpener opener);
    // The notice rendering service's resources and where its pages go.
    void setNoticeFolders(const CString& resourceFolder, const CString& pageFolder);
    // Installs parseTDDTaxData and parseNOATaxData as the reply parsers.
    void installDataParsers();

    // Store one record per requested taxpayer found in a data reply: the
    // number stored (skipped items do not count), -2 when the reply is not
    // XML, -5 when it has no data-delivery (notice) element.
    int parseTDDTaxData(FILE* log, const std::string& reply);
    int parseNOATaxData(FILE* log, const std::string& reply);
    // What the last notice parse has for the user, by S.I.N.
    NoticeMessages noticeMessages() const;

    // The in-query flag of the stage worker; enterInQuery is false when a
    // step already runs. Polling has its own flag, so a callback that
    // arrives while the stage worker is still finishing can start it.
    bool enterInQuery();
    void leaveOutQuery();
    bool isInQuery() const { return m_inQuery.load(); }
    bool enterPolling();
    void leavePolling();
    bool isPolling() const { return m_polling.load(); }

    // Ends the running step at its next check, with no further code.
    void requestStop();
    void clearStop();
    bool stopRequested() const { return m_stop.load(); }

    // Posts to the progress sink; 1 when there is none, else 0.
    int postProgressMessage(int code, int extra);

    int wsGetTokenC();
    int visitTDDWebAuthUrl();
    // The callback's token, percent-decoded and checked; 1 (refused, the
    // previous token kept) unless it is 6 to 255 characters of
    // [A-Za-z0-9._~+/=-], else 0.
    int webReturnSetTokenA(const char* text);
    // Polls with the accepted tokenA, or with the token handed over.
    int wsGetDataAtLast();
    int wsGetDataAtLast(std::string tokenA);

    // One SOAP POST to the service of the session's kind: 0 with the reply
    // (any HTTP status), -20 when no reply came, -99 when it could not be sent.
    int callTDDWebService(const std::string& request, std::string& response);
    // callTDDWebService with a request from build; when the connection closed
    // before any reply, once more with a request built anew (a new nonce and
    // time). sent is the last call's result; -1 when build failed, else 0.
    int exchange(const std::function<bool(std::string&)>& build, std::string& reply, int& sent);

    std::string tokenC() const;
    std::string tokenA() const;
    CString loginUrl() const;
    CString taxYearText() const;
    int savedCount() const { return m_savedCount.load(); }
    // Clears tokens, link, the notice messages, the sink, the flags and the
    // saved count.
    void reset();

private:
    int failPoll(int extra, const char* why, FILE* log);
    bool m_lastCallDropped = false;
    int parseReadyReply(short kind, const std::string& reply, TddLogFile& log);
    bool openLinkOnUserInterfaceThread(const QUrl& url);
    void showUnopenedLink(const CString& link);
    bool pause(int ms) const;
    std::map<std::string, CString> requestedDigests() const;
    template <class Save> int saveOnOwnConnection(const char* namePrefix, FILE* log, Save save);

    mutable QMutex m_mutex; // guards everything below that is not atomic
    TddServiceSettings m_settings;
    CString m_taxYearText = "2024";
    std::list<std::string> m_sins;
    std::string m_tokenC;
    std::string m_tokenA;
    CString m_loginUrl;
    mutable QMutex m_sinkMutex; // held while a code is posted, so the sink cannot go meanwhile
    TddProgressSink* m_sink = nullptr;
    LinkOpener m_opener;
    std::map<short, ReplyParser> m_parsers;
    DatabaseOpener m_dbOpener;
    CString m_noticeResourceFolder;
    CString m_noticePageFolder;
    NoticeMessages m_noticeMessages;

    std::atomic<short> m_forWhich{1};
    std::atomic<bool> m_inQuery{false};
    std::atomic<bool> m_polling{false};
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_savedCount{0};
};
