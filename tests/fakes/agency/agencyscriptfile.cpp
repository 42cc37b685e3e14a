#include "fakes/agency/agencyscriptfile.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRegularExpression>

namespace {

struct Line
{
    bool isDefault = false;
    AgencyEndpoint endpoint = AgencyEndpoint::Unknown;
    AgencyKind kind = AgencyKind::Any;
    AgencyReply reply;
};

bool parseLine(QStringList words, Line& line, QString& why)
{
    if (!words.isEmpty() && words.first() == QLatin1String("default")) {
        line.isDefault = true;
        words.removeFirst();
    }
    if (words.size() < 3) {
        why = QStringLiteral("expected ENDPOINT KIND REPLY");
        return false;
    }
    line.endpoint = AgencyEndpoints::fromName(words.takeFirst());
    if (line.endpoint == AgencyEndpoint::Unknown) {
        why = QStringLiteral("unknown endpoint");
        return false;
    }
    if (!AgencyEndpoints::kindFromName(words.takeFirst(), line.kind)) {
        why = QStringLiteral("unknown kind");
        return false;
    }
    const QString first = words.takeFirst();
    if (first == QLatin1String("close-after-read")) {
        line.reply = AgencyReply::closeAfterRead();
    } else if (first == QLatin1String("close-at-once")) {
        line.reply = AgencyReply::closeAtOnce();
    } else {
        bool ok = false;
        const int status = first.toInt(&ok);
        if (!ok || status < 100 || status > 599 || words.isEmpty()) {
            why = QStringLiteral("expected a status and a fixture");
            return false;
        }
        const QString fixture = words.takeFirst();
        if (!QFileInfo::exists(AgencyFixtures::path(fixture))) {
            why = QStringLiteral("no fixture %1").arg(fixture);
            return false;
        }
        line.reply = AgencyReply::fixture(fixture, status);
    }
    for (const QString& option : words) {
        if (option == QLatin1String("stop-listening")) {
            line.reply.thenStopListening();
        } else if (option.startsWith(QLatin1String("delay="))) {
            bool ok = false;
            line.reply.delayMs = option.mid(6).toInt(&ok);
            if (!ok || line.reply.delayMs < 0) {
                why = QStringLiteral("bad delay");
                return false;
            }
        } else {
            why = QStringLiteral("unknown option %1").arg(option);
            return false;
        }
    }
    if (line.isDefault && line.reply.action == AgencyReply::Action::CloseAtOnce) {
        why = QStringLiteral("an at-once close can only be queued");
        return false;
    }
    if (line.reply.action == AgencyReply::Action::CloseAtOnce && line.kind != AgencyKind::Any) {
        why = QStringLiteral("an at-once close comes before the kind is known; use kind any");
        return false;
    }
    return true;
}

} // namespace

bool AgencyScriptFile::parse(const QString& text, AgencyScript& script, QString* error)
{
    QList<Line> lines;
    const QStringList rows = text.split(QLatin1Char('\n'));
    for (int i = 0; i < rows.size(); ++i) {
        const QString row = rows.at(i).trimmed();
        if (row.isEmpty() || row.startsWith(QLatin1Char('#')))
            continue;
        Line line;
        QString why;
        if (!parseLine(row.split(QRegularExpression(QStringLiteral("\\s+"))), line, why)) {
            if (error)
                *error = QStringLiteral("line %1: %2").arg(i + 1).arg(why);
            return false;
        }
        lines.append(line);
    }
    for (const Line& line : lines) {
        if (line.isDefault)
            script.setDefault(line.endpoint, line.kind, line.reply);
        else
            script.enqueue(line.endpoint, line.kind, line.reply);
    }
    return true;
}

bool AgencyScriptFile::load(const QString& path, AgencyScript& script, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 1024 * 1024) {
        if (error)
            *error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    return parse(QString::fromUtf8(file.readAll()), script, error);
}
