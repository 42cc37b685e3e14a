#pragma once

#include "print/esign/quillorclient.h"

#include <QString>

// The account check of the preferences: sends the e-mail and password as
// typed (before they are applied) to the service's verification endpoint and
// tells the user the account's points, subscription end and status. It
// changes no setting. One object per opening of the preferences, which
// allows three checks.
class QuillorAccountCheck
{
public:
    static constexpr int kMaxChecks = 3;

    explicit QuillorAccountCheck(QuillorClient client) : m_client(std::move(client)) {}

    // Checks one account; true when a request was sent.
    bool check(const QString& email, const QString& password);

    int checksMade() const { return m_checks; }
    bool isRunning() const { return m_running; }

    // The message for a verification reply (reply.arrived false: none came)
    // on the host the request went to.
    static QString messageFor(const QuillorReply& reply, const QString& host);

private:
    QuillorClient m_client;
    int m_checks = 0;
    bool m_running = false;
};
