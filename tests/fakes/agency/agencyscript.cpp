#include "fakes/agency/agencyscript.h"

#include <QMutexLocker>

void AgencyScript::enqueue(AgencyEndpoint endpoint, AgencyKind kind, const AgencyReply& reply)
{
    QMutexLocker lock(&m_mutex);
    m_queues[key(endpoint, kind)].enqueue(reply);
}

void AgencyScript::setDefault(AgencyEndpoint endpoint, AgencyKind kind, const AgencyReply& reply)
{
    QMutexLocker lock(&m_mutex);
    m_defaults.insert(key(endpoint, kind), reply);
}

void AgencyScript::clear()
{
    QMutexLocker lock(&m_mutex);
    m_queues.clear();
    m_defaults.clear();
}

AgencyReply AgencyScript::take(AgencyEndpoint endpoint, AgencyKind kind)
{
    QMutexLocker lock(&m_mutex);
    const Key keys[] = {key(endpoint, kind), key(endpoint, AgencyKind::Any)};
    for (const Key& k : keys) {
        auto queue = m_queues.find(k);
        if (queue != m_queues.end() && !queue->isEmpty())
            return queue->dequeue();
        auto fallback = m_defaults.constFind(k);
        if (fallback != m_defaults.constEnd())
            return *fallback;
    }
    return unscripted();
}

bool AgencyScript::takeCloseAtOnce(AgencyEndpoint endpoint)
{
    QMutexLocker lock(&m_mutex);
    auto queue = m_queues.find(key(endpoint, AgencyKind::Any));
    if (queue == m_queues.end() || queue->isEmpty()
        || queue->head().action != AgencyReply::Action::CloseAtOnce)
        return false;
    queue->dequeue();
    return true;
}

AgencyReply AgencyScript::unscripted()
{
    AgencyReply r;
    r.status = 500;
    r.body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<soapenv:Envelope xmlns:soapenv=\"http://schemas.xmlsoap.org/soap/envelope/\">"
             "<soapenv:Body><soapenv:Fault><faultcode>soapenv:Server</faultcode>"
             "<faultstring>No reply scripted</faultstring></soapenv:Fault></soapenv:Body>"
             "</soapenv:Envelope>";
    return r;
}
