#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>
#include <vector>

class FakeAgencyDataServer;
class QThread;

// The user's browser and the agency's login page, played for tests. A test
// installs open() as the program's URL opener. It checks the signed login
// link (path, parameter order, HMAC-SHA-256 with the test key over the link's
// own values, a time stamp within five minutes), asks the fake agency
// service for the tokenA of the link's tokenC, and sends the redirect to the
// callback port on 127.0.0.1 the way a browser would, from a thread of its
// own with blocking sockets, so the program's user-interface thread stays
// free to answer. Hostile requests can be sent first, or instead.
class FakeBrowser
{
public:
    enum class Mode {
        Redirect,       // the redirect, once the opener has returned
        EarlyRedirect,  // the redirect written before the opener returns
        SplitRedirect,  // the redirect in two writes, 200 ms apart
        NoRedirect,     // checks the link, sends nothing
        OpenerFails,    // reports that no browser could be opened
    };

    // What one request got back.
    struct Exchange
    {
        QByteArray request;
        bool connected = false;
        QByteArray reply; // everything read until the server closed (or 5 s)
        QByteArray statusLine() const;
        QByteArray header(const QByteArray& name) const;
        QByteArray body() const;
        // The status line, a Content-Type and a Content-Length that matches the body.
        bool wellFormed() const;
    };

    FakeBrowser(FakeAgencyDataServer* agency, const QString& key, const QString& loginPath, quint16 port,
                short kind);
    ~FakeBrowser();

    void setMode(Mode mode) { m_mode = mode; }
    // Raw requests sent, each on its own connection, before the redirect.
    void setHostileFirst(const QList<QByteArray>& requests) { m_hostile = requests; }
    // One more redirect, with another token, after the first.
    void setSecondCallback(bool on) { m_second = on; }

    // The opener.
    bool open(const QUrl& url);

    // Sends raw bytes to 127.0.0.1:port (or to address) on a thread of its
    // own; chunks are written 200 ms apart. waitForAll() collects the answers.
    void send(const QList<QByteArray>& chunks, const QString& address = QStringLiteral("127.0.0.1"));
    // A connection that writes part of a request line and then nothing, held
    // open until the browser goes.
    void openSlowConnection();
    bool waitForAll(int timeoutMs = 20000);

    QList<Exchange> exchanges() const;
    QStringList linkProblems() const;
    QList<QUrl> openedLinks() const;
    QString lastTokenA() const;
    QByteArray redirectFor(const QString& tokenA) const;

private:
    QStringList checkLink(const QUrl& url, QString& tokenC) const;
    void record(const Exchange& exchange);

    FakeAgencyDataServer* m_agency;
    QString m_key;
    QString m_loginPath;
    quint16 m_port;
    short m_kind;
    Mode m_mode = Mode::Redirect;
    QList<QByteArray> m_hostile;
    bool m_second = false;

    mutable QMutex m_mutex;
    QList<Exchange> m_exchanges;
    QStringList m_problems;
    QList<QUrl> m_opened;
    QString m_tokenA;
    std::vector<std::unique_ptr<QThread>> m_threads;
    std::shared_ptr<std::atomic<bool>> m_closing;
};
