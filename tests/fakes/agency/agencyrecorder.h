#pragma once

#include "fakes/agency/agencyendpoints.h"
#include "fakes/recordedrequest.h"

#include <QList>
#include <QMetaType>
#include <QMutex>
#include <QString>

// One request the fake agency received, with the service it was for.
struct AgencyRequest
{
    RecordedRequest http;
    AgencyEndpoint endpoint = AgencyEndpoint::Unknown;
    AgencyKind kind = AgencyKind::Any;

    // Text of the first element with this local name (any prefix) in the
    // body; empty when the body has none or is not XML.
    QString elementText(const QString& localName) const;
    bool hasElement(const QString& localName) const;
};
Q_DECLARE_METATYPE(AgencyRequest)

// Every request the fake agency received, in order: path, headers and body.
// Filled by the server's thread, read by the test's.
class AgencyRecorder
{
public:
    void record(const AgencyRequest& request);
    void clear();

    QList<AgencyRequest> requests() const;
    int count() const;
    int count(AgencyEndpoint endpoint, AgencyKind kind = AgencyKind::Any) const; // Any counts every kind
    AgencyRequest at(int index) const;
    AgencyRequest last() const;
    // Waits (running the caller's events) until count requests arrived.
    bool waitForCount(int count, int timeoutMs = 5000) const;

private:
    mutable QMutex m_mutex;
    QList<AgencyRequest> m_requests;
};
