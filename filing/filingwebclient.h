#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <string>

// How one post to a filing service ended. The three cases are kept apart
// because they call for different advice: a request that was not sent can
// simply be sent again, while one whose outcome is unknown may already have
// been filed, and the user must check with the agency before filing again.
enum class SoapPostOutcome {
    Reply,          // a response came back: a 2xx, or an error status carrying a SOAP envelope
    NotSent,        // the request never left: bad address, no connection, TLS refused
    OutcomeUnknown, // the request went out but no usable response came back
};

struct SoapPostResult
{
    SoapPostOutcome outcome = SoapPostOutcome::NotSent;
    int status = 0;   // HTTP status of the response, 0 when none was read
    QByteArray body;  // the response body; kept for the log when the outcome is unknown
    QString error;    // why there is no usable response; empty for a reply
};

// The client of the agency's filing services: one HTTPS POST per call,
// sent exactly once over a connection of its own.
//
// It does not go through QNetworkAccessManager on purpose: that layer sends
// a request again by itself when the server closes a connection before
// answering, and a filed return must never reach the agency twice.
//
// The peer's certificate and host name are always verified against the
// system's CAs and those the web client was told to trust (test mode's
// TestCAFile); TLS errors are never ignored. Every post has a time-out. The
// wait runs a local event loop that holds back user input, so nothing the
// user clicks meanwhile can start a second filing, and the installed wait
// indicator (the wait cursor of the window layer) shows while it runs.
class FilingWebClient
{
public:
    static constexpr int DefaultTimeoutSec = 60;
    static constexpr qint64 MaxReplyBytes = 16 * 1024 * 1024;

    // url: "https://host[:port]/path". The flag is taken for the callers'
    // sake; whatever it is, TLS is verified the same way.
    explicit FilingWebClient(const QString& url, bool flag = false);

    // Posts body with the content type (null: "text/xml; charset=UTF-8").
    // soapAction null sends an empty SOAPAction; extraHeader, when not null,
    // is one more "Name: value" header. True when a reply came back (a SOAP
    // fault on status 500 included), with its body in reply; false when not
    // (see lastResult() for whether the request may have been received),
    // with what arrived, if anything, in reply.
    bool postSoapXML(const std::string& body, const char* contentType, const char* soapAction,
                     const char* extraHeader, std::string& reply);

    // The same post, with the whole outcome.
    SoapPostResult post(const QByteArray& body, const QByteArray& contentType,
                        const QByteArray& soapAction = QByteArray(),
                        const QByteArray& extraHeader = QByteArray());

    const SoapPostResult& lastResult() const { return m_last; }
    const QString& url() const { return m_url; }

    // Time-out of this client's posts (ms; values < 1 are ignored).
    void setTimeoutMs(int ms);
    int timeoutMs() const { return m_timeoutMs; }

    // Time-out given to clients created afterwards (the configuration's
    // SoapTimeoutSec; values < 1 are ignored).
    static void setDefaultTimeoutSec(int seconds);
    static int defaultTimeoutSec();

    // Called with true when a wait on the interface thread starts and with
    // false when it ends. Installed once by the window layer; none in a
    // process without widgets.
    using WaitIndicator = std::function<void(bool waiting)>;
    static void setWaitIndicator(WaitIndicator indicator);

private:
    SoapPostResult exchange(const QByteArray& body, const QByteArray& contentType,
                            const QByteArray& soapAction, const QByteArray& extraHeader);

    QString m_url;
    int m_timeoutMs;
    SoapPostResult m_last;
};
