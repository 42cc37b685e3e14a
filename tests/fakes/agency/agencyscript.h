#pragma once

#include "fakes/agency/agencyendpoints.h"
#include "fakes/agency/agencyreply.h"

#include <QHash>
#include <QMutex>
#include <QPair>
#include <QQueue>

// What the fake agency answers, per endpoint and kind: a queue of replies
// taken one per request, and a default once the queue is empty. Without
// either, the endpoint's queue and default for any kind apply, and last a
// SOAP fault on status 500, so an unscripted request never looks accepted.
// Set by the test's thread, read by the server's.
class AgencyScript
{
public:
    void enqueue(AgencyEndpoint endpoint, AgencyKind kind, const AgencyReply& reply);
    void setDefault(AgencyEndpoint endpoint, AgencyKind kind, const AgencyReply& reply);
    void clear();

    // The reply for a request; takes it from its queue.
    AgencyReply take(AgencyEndpoint endpoint, AgencyKind kind);
    // Takes the front of the endpoint's any-kind queue when it is an
    // at-once close: such a close happens before the body shows the kind.
    bool takeCloseAtOnce(AgencyEndpoint endpoint);

    static AgencyReply unscripted();

private:
    using Key = QPair<int, int>;
    static Key key(AgencyEndpoint endpoint, AgencyKind kind) { return Key(int(endpoint), int(kind)); }

    mutable QMutex m_mutex;
    QHash<Key, QQueue<AgencyReply>> m_queues;
    QHash<Key, AgencyReply> m_defaults;
};
