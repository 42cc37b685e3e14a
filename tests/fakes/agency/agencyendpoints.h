#pragma once

#include <QByteArray>
#include <QString>

// The agency's filing services as the fake plays them: one endpoint per
// service path, and for the DIRERAD path the two kinds of request it takes.
enum class AgencyEndpoint { Direrad, T1135, Efile, T1013, Pad, Unknown };
enum class AgencyKind { Any, Terms, Return };

namespace AgencyEndpoints {
// "/ebci/pfno/ws/services/FileReturnService" and the others.
QByteArray path(AgencyEndpoint endpoint);
AgencyEndpoint fromPath(const QByteArray& path);
// "direrad", "t1135", "efile", "t1013", "pad" (the script file's words).
QString name(AgencyEndpoint endpoint);
AgencyEndpoint fromName(const QString& name);
QString kindName(AgencyKind kind); // "any", "terms", "return"
bool kindFromName(const QString& name, AgencyKind& kind);
// Which request a body is: a terms request or a return on the DIRERAD path,
// Any elsewhere and for a body that is neither.
AgencyKind kindOf(AgencyEndpoint endpoint, const QByteArray& body);
} // namespace AgencyEndpoints
