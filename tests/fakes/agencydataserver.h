#pragma once

#include "fakes/recordedrequest.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QQueue>
#include <QSet>
#include <QString>
#include <QThread>

#include <optional>

class FakeHttpServer;
struct FakeReply;

// The agency's Auto-fill and Express NOA data services played on this
// machine for tests: HTTPS on 127.0.0.1, a port the system picks, a
// certificate from the test CA (TestCerts), on a thread of its own so that a
// client blocked on a test's thread is answered meanwhile.
//
// It serves POST "/ebci/awsc/tdd/ws/2024/" + each of the four service paths
// (production and certification test, Auto-fill and Express NOA) and records
// every request with the reason it was refused, if it was. A request is
// refused, with HTTP 500 and a SOAP fault naming the reason, when it is not
// well-formed; its wsse:Security lacks S:mustUnderstand="1"; the Username is
// not "095N" or "095U"; the Nonce is not 16 bytes or was seen before; the
// Password is not Base64(SHA-1(nonce + Created + key)) with the key given;
// a stage body lacks TaxYear 2024 or nine-digit Sin elements; a data body's
// TokenIdentifier was not issued here.
//
// Accepted requests are answered from two scripts, one for stage requests
// and one for data requests, each a queue of the replies below; an empty
// queue answers with its default reply when one is set, else with a fault,
// so an unscripted request never looks accepted.
//
// It also plays the agency's login page: GET on the login path of either
// host ("/gol-ged/awsc/tdd/auth/start", "/ebci/awsc/tdd/certtest/auth/start")
// with the link's tokenC answers an HTML page whose one link, "Sign in" (shown as a button),
// sends the browser to the program's callback (http://127.0.0.1:PORT/taxdata
// or /expnoa, by the link's auth, with the tokenA of that tokenC) as a
// top-level navigation, the way the agency's page ends a login.
class FakeAgencyDataServer : public QObject
{
    Q_OBJECT
public:
    enum class Reply {
        // Stage replies.
        StageAccepted,    // ReturnCode 0 and a new tokenC
        StageRefused,     // ReturnCode 1
        StageNoToken,     // ReturnCode 0 without a TokenIdentifier
        OtherPrefix,      // StageAccepted under the envelope prefix "env"
        // Data replies.
        NotReady,         // ReturnCode 0 and a new token
        NotReadyShortToken, // the same with a token of 6 characters
        Ready,            // ReturnCode 20 with the data items
        ReturnCode10,
        ReturnCode30,
        EmptyReturnCode,
        // Either.
        Fault,            // SOAP fault, HTTP 500
        Http500,          // HTTP 500 with a plain body
        Malformed,        // HTTP 200 with a body that is not XML
        Reset,            // the connection closed without a reply
        Late,             // StageAccepted / NotReady after lateDelayMs
    };

    struct Request
    {
        RecordedRequest http;
        QString service;   // "tdd", "noa", or "login" for the login page
        bool stage = false;
        QString refusal;   // why it was refused; empty when accepted
        QString nonceBase64;
        QString username;
    };

    static const char* const kTestKey; // the certification-test DIRERAD key

    explicit FakeAgencyDataServer(QObject* parent = nullptr);
    ~FakeAgencyDataServer() override;

    bool start();
    void stop();
    quint16 port() const { return m_port; }
    QString hostAndPort() const;

    void setKey(const QString& key);
    void setLateDelayMs(int ms);
    // The items of a ready reply: the inner XML of TaxData (Auto-fill) or
    // NoticeOfAssessmentData (Express NOA).
    void setReadyItems(const QByteArray& autoFillItems, const QByteArray& noaItems);

    void enqueueStage(Reply reply);
    void enqueueData(Reply reply);
    // What an empty script answers from now on (a runnable stand-in answers
    // every session the same way).
    void setDefaultReplies(Reply stage, Reply data);
    // The port of the program's callback that the login page sends the
    // browser to.
    void setCallbackPort(quint16 port);

    QList<Request> requests() const;
    int requestCount() const;
    // tokenA of a tokenC this fake issued (what the login would hand the
    // browser's redirect); empty for a token it did not issue.
    QString tokenAFor(const QString& tokenC) const;

signals:
    // Emitted on the fake's thread when a stage request is accepted.
    void tokenCIssued(const QString& tokenC, const QString& tokenA);

private:
    struct Outcome;
    Outcome handle(const RecordedRequest& http);
    QString refusalOf(const RecordedRequest& http, Request& request);
    QByteArray replyBody(Reply reply, const Request& request, bool otherPrefix);
    FakeReply loginPage(const RecordedRequest& http, Request& request) const;
    QString newToken(int length);

    QThread m_thread;
    FakeHttpServer* m_server = nullptr;
    quint16 m_port = 0;

    mutable QMutex m_mutex;
    QString m_key;
    int m_lateDelayMs = 3000;
    QByteArray m_autoFillItems;
    QByteArray m_noaItems;
    QQueue<Reply> m_stageScript;
    QQueue<Reply> m_dataScript;
    std::optional<Reply> m_stageDefault;
    std::optional<Reply> m_dataDefault;
    quint16 m_callbackPort = 0;
    QList<Request> m_requests;
    QSet<QString> m_nonces;
    QSet<QString> m_resetNonces;
    QSet<QString> m_issuedDataTokens;
    QHash<QString, QString> m_tokenAByTokenC;
    int m_tokenCounter = 0;
};
