#include "fakes/agency/agencyendpoints.h"

namespace {

struct Service
{
    AgencyEndpoint endpoint;
    const char* path;
    const char* name;
};

const Service kServices[] = {
    {AgencyEndpoint::Direrad, "/ebci/pfno/ws/services/FileReturnService", "direrad"},
    {AgencyEndpoint::T1135, "/ebci/efes/frrms/ws/services/FileFormService", "t1135"},
    {AgencyEndpoint::Efile, "/ebci/pfeo/ws/services/FileReturnService", "efile"},
    {AgencyEndpoint::T1013, "/ebci/tdws/esub/services/TRISWebService", "t1013"},
    {AgencyEndpoint::Pad, "/ebci/rjpt/epads_ws/services/PadService", "pad"},
};

struct Kind
{
    AgencyKind kind;
    const char* name;
};

const Kind kKinds[] = {
    {AgencyKind::Any, "any"},
    {AgencyKind::Terms, "terms"},
    {AgencyKind::Return, "return"},
};

} // namespace

QByteArray AgencyEndpoints::path(AgencyEndpoint endpoint)
{
    for (const Service& s : kServices) {
        if (s.endpoint == endpoint)
            return s.path;
    }
    return QByteArray();
}

AgencyEndpoint AgencyEndpoints::fromPath(const QByteArray& path)
{
    for (const Service& s : kServices) {
        if (path == s.path)
            return s.endpoint;
    }
    return AgencyEndpoint::Unknown;
}

QString AgencyEndpoints::name(AgencyEndpoint endpoint)
{
    for (const Service& s : kServices) {
        if (s.endpoint == endpoint)
            return QString::fromLatin1(s.name);
    }
    return QStringLiteral("unknown");
}

AgencyEndpoint AgencyEndpoints::fromName(const QString& name)
{
    for (const Service& s : kServices) {
        if (name == QLatin1String(s.name))
            return s.endpoint;
    }
    return AgencyEndpoint::Unknown;
}

QString AgencyEndpoints::kindName(AgencyKind kind)
{
    for (const Kind& k : kKinds) {
        if (k.kind == kind)
            return QString::fromLatin1(k.name);
    }
    return QString();
}

bool AgencyEndpoints::kindFromName(const QString& name, AgencyKind& kind)
{
    for (const Kind& k : kKinds) {
        if (name == QLatin1String(k.name)) {
            kind = k.kind;
            return true;
        }
    }
    return false;
}

AgencyKind AgencyEndpoints::kindOf(AgencyEndpoint endpoint, const QByteArray& body)
{
    if (endpoint != AgencyEndpoint::Direrad)
        return AgencyKind::Any;
    // The program names these elements with the t1rq prefix; the terms
    // request is an empty element, so its name is followed by "/" or ">".
    if (body.contains("<t1rq:TermsAndConditionsRequest") || body.contains("<t1rq:RefileTermsAndConditionsRequest"))
        return AgencyKind::Terms;
    if (body.contains("<t1rq:FileReturnRequest"))
        return AgencyKind::Return;
    return AgencyKind::Any;
}
