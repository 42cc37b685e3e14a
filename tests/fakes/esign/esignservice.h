#pragma once

#include "fakes/fakehttpserver.h"

#include <QHash>
#include <QJsonObject>
#include <QSet>
#include <QString>

// The behaviour of the e-signature service's stand-in: its endpoints, the
// request recorder and the scripted replies of the tests.
//
// Accounts file (JSON object): e-mail -> password, or e-mail -> {"password",
// "points", "subscription", "subscriptionStatus"}.
// Control file (JSON, read at every request): {"generation": n, "<path>":
// [reply, ...]} where a reply is {"status", "body", "delayMs", "close"}.
// Each request to a path takes the next reply of its queue; a new generation
// starts the queues again; with its queue used up a path behaves normally.
// A "close" reply stays: every later request of the path is closed too, as a
// client may resend once on a fresh connection.
// Recorder: one JSON line per request with method, path as received, the
// authorisation's kind and value, the form items in order and, for an
// upload, the part's name, file name, size and SHA-256.
class EsignService
{
public:
    struct Options
    {
        QString accountsFile;
        QString controlFile;
        QString recordFile;
        QString filesDir;
    };

    explicit EsignService(const Options& options);

    // "127.0.0.1:PORT", for the download addresses it hands out.
    void setOwnAddress(const QString& hostAndPort) { m_ownAddress = hostAndPort; }
    FakeReply handle(const RecordedRequest& request);

private:
    using Items = QList<QPair<QString, QString>>;

    bool scripted(const QByteArray& path, FakeReply& out);
    void record(const RecordedRequest& request, const Items& items, const RecordedRequest::Part* upload);

    FakeReply login(const Items& items);
    FakeReply verify(const Items& items);
    FakeReply signatureRequest(const RecordedRequest& request, const Items& items,
                               const RecordedRequest::Part* upload);
    FakeReply signatureStatus(const RecordedRequest& request, const QByteArray& id);
    FakeReply filing(const RecordedRequest& request, const Items& items);
    FakeReply templates(const RecordedRequest& request, const Items& items);
    FakeReply download(const QByteArray& path) const;

    // The account whose Basic credential the request carries, else empty.
    QString basicAccount(const RecordedRequest& request) const;
    bool bearerValid(const RecordedRequest& request) const;
    QJsonObject account(const QString& email) const;

    QJsonObject m_accounts;
    Options m_options;
    QString m_ownAddress;
    QSet<QString> m_tokens;
    int m_nextToken = 1;
    int m_nextRequestId = 100;
    qint64 m_generation = -1;
    QHash<QByteArray, int> m_served;
};
