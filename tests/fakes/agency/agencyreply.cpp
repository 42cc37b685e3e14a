#include "fakes/agency/agencyreply.h"

#include <QDir>
#include <QFile>
#include <QtDebug>

QString AgencyFixtures::path(const QString& name)
{
    // The source folder's path as the build knows it, so that the fixtures
    // are found from any working folder.
    return QDir(QStringLiteral(VR_AGENCY_FIXTURES)).filePath(name);
}

QByteArray AgencyFixtures::read(const QString& name)
{
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "no agency fixture" << file.fileName();
        return QByteArray();
    }
    return file.readAll();
}

AgencyReply AgencyReply::fixture(const QString& name, int status, int delayMs)
{
    AgencyReply r;
    r.status = status;
    r.body = AgencyFixtures::read(name);
    r.delayMs = delayMs;
    if (name.endsWith(QLatin1String(".html")))
        r.contentType = "text/html; charset=utf-8";
    else if (!name.endsWith(QLatin1String(".xml")))
        r.contentType = "text/plain; charset=utf-8";
    return r;
}

AgencyReply AgencyReply::closeAfterRead()
{
    AgencyReply r;
    r.action = Action::CloseAfterRead;
    return r;
}

AgencyReply AgencyReply::closeAtOnce()
{
    AgencyReply r;
    r.action = Action::CloseAtOnce;
    return r;
}
