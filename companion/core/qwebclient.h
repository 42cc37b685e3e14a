#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <atomic>
#include <memory>
#include <string>

class QIODevice;
class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;
class QSslCertificate;
class QUrl;

// Synchronous HTTP(S) client. Each call runs one request on a local event
// loop (user input is held back meanwhile, so a click cannot re-enter the
// caller) and returns when the reply is complete, the transport failed, or the
// time-out passed. Usable from the user-interface thread and from worker
// threads; a client belongs to the thread that calls it.
//
// TLS peers are always verified. Extra trusted CAs can be added (test mode
// does so for its local servers); verification is never switched off.
// Redirects are followed, a few times, within the same origin or to https;
// a request that carries credentials or the user's data (an authorisation
// header, form items, a SOAP body, an upload) stays within its origin: a
// redirect elsewhere fails, naming its status and its target.
// Replies are limited in size. Nothing is thrown to the caller.
class QWebClient
{
public:
    static constexpr int DefaultTimeoutMs = 60000;
    static constexpr qint64 DefaultMaxReplyBytes = 64 * 1024 * 1024;
    static constexpr int MaxRedirects = 5;

    // A form post (or download) to url. The flag is accepted for the callers'
    // sake and changes nothing: every request is verified the same way.
    QWebClient(const QString& url, bool flag = false);
    QWebClient(const char* url, bool flag);
    // A multipart post: the local file's bytes as the part fieldName with the
    // file name remoteName, after the items added with addQueryItem.
    QWebClient(const QString& url, const QString& localFile, const QString& remoteName,
               const QString& fieldName);
    ~QWebClient();

    QWebClient(const QWebClient&) = delete;
    QWebClient& operator=(const QWebClient&) = delete;

    // One form item, UTF-8; items are sent in the order added.
    void addQueryItem(const QString& name, const QString& value);

    // Posts the items. A non-null, non-empty credential (Base64 of
    // "email:password") goes as HTTP Basic authorisation. Returns true when
    // any HTTP reply came back, whatever its status (see lastStatusCode()),
    // with the body as UTF-8 text in reply; false when none did (connection,
    // TLS, time-out or size failure), with reply emptied.
    bool post(QString& reply, const char* credential = nullptr);
    // The same with the header "Authorization: <scheme> <token>".
    bool post(QString& reply, const QString& token, const QString& scheme);

    // Fetches the URL (items, if any, go in its query) into path. The file is
    // replaced only by a complete 2xx body; otherwise it is left as it was.
    bool getDownloadFile(const QString& path);

    // One POST of a SOAP envelope. contentType null means
    // "text/xml; charset=UTF-8"; soapAction null sends an empty SOAPAction;
    // extraHeader, when not null, is one more "Name: value" header. True when
    // any HTTP reply came (a SOAP fault arrives with status 500), with the raw
    // body in reply; false on transport failure, with reply emptied.
    bool postSoapXML(const std::string& body, const char* contentType, const char* soapAction,
                     const char* extraHeader, std::string& reply);

    const QString& url() const { return m_url; }
    // HTTP status of the last reply, 0 when none came.
    int lastStatusCode() const { return m_lastStatus; }
    // Why the last call failed; empty after a call that got a reply.
    const QString& lastError() const { return m_lastError; }

    // Whole-request time-out of this client (ms; values < 1 are ignored).
    void setTimeoutMs(int ms);
    int timeoutMs() const { return m_timeoutMs; }
    // A flag another thread may raise to end the request in flight (looked
    // at ten times a second); the call then fails as with a time-out.
    void setCancelFlag(const std::atomic<bool>* flag) { m_cancel = flag; }
    void setMaxReplyBytes(qint64 bytes);
    qint64 maxReplyBytes() const { return m_maxReplyBytes; }
    // A SOAP body sent at most once: a request whose connection drops before
    // any reply fails instead of going out again unchanged (the network layer
    // would repeat it, and a service that refuses a nonce it has seen treats
    // the repeat as a replay). The caller may send a new request instead.
    void setSendOnce(bool once) { m_sendOnce = once; }
    // Whether the last call failed because the connection closed before any
    // byte of a reply: the service may or may not have seen the request.
    bool droppedBeforeReply() const { return m_droppedBeforeReply; }

    // Time-out given to clients created afterwards.
    static void setDefaultTimeoutMs(int ms);
    static int defaultTimeoutMs();

    // Trusts the CA certificates in a PEM (or DER) file in addition to the
    // system's, for every client in the process. False when the file holds
    // no certificate.
    static bool addTrustedCaFile(const QString& pemPath);
    // Back to the system's CAs only.
    static void clearTrustedCaFiles();
    // The CAs requests trust: the system's and the added ones; empty while
    // none were added (Qt's defaults apply then). Other clients of the
    // program's services trust the same.
    static QList<QSslCertificate> trustedCaCertificates();

private:
    bool postItems(QByteArray& reply, const QByteArray& authorization);
    bool prepare(QNetworkRequest& request, const QUrl& url);
    bool run(QNetworkReply* reply, const QUrl& url, QIODevice& sink, bool carriesUserData = false);
    QNetworkAccessManager& manager();
    QByteArray formBody() const;
    bool fail(const QString& why);

    QString m_url;
    QString m_localFile;
    QString m_remoteName;
    QString m_fieldName;
    bool m_multipart = false;
    QList<QPair<QString, QString>> m_items;

    int m_timeoutMs;
    const std::atomic<bool>* m_cancel = nullptr;
    qint64 m_maxReplyBytes = DefaultMaxReplyBytes;
    bool m_sendOnce = false;
    bool m_droppedBeforeReply = false;
    int m_lastStatus = 0;
    QString m_lastError;

    std::unique_ptr<QNetworkAccessManager> m_manager;
};
