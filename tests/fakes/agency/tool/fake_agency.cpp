// The fake agency as a program, for runs of the real program (tests/e2e):
//
//   fake_agency SCRIPT [--certs DIR] [--home DIR]
//
// Serves the replies of the script file (see agencyscriptfile.h) with the
// certificates of DIR (default: VR_AGENCY_CERTS), prints "port N" (and the
// other two listeners' ports) on standard output once it listens, and one
// "request ENDPOINT KIND" line per request received. With --home it also
// writes the program's "gr_path.ini" for that home. Runs until terminated.
#include "fakes/agency/agencyconfig.h"
#include "fakes/agency/agencyscriptfile.h"
#include "fakes/agency/fakeagencyserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

#include <cstdio>

namespace {

void say(const QString& line)
{
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

int usage()
{
    std::fputs("usage: fake_agency SCRIPT [--certs DIR] [--home DIR]\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    QString scriptPath, certDir = AgencyCerts::dir(), home;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == QLatin1String("--certs") && !args.isEmpty())
            certDir = args.takeFirst();
        else if (arg == QLatin1String("--home") && !args.isEmpty())
            home = args.takeFirst();
        else if (scriptPath.isEmpty() && !arg.startsWith(QLatin1String("--")))
            scriptPath = arg;
        else
            return usage();
    }
    if (scriptPath.isEmpty())
        return usage();

    FakeAgencyServer server;
    QString error;
    if (!AgencyScriptFile::load(scriptPath, server.script(), &error)) {
        std::fprintf(stderr, "fake_agency: %s\n", error.toUtf8().constData());
        return 1;
    }
    if (!server.start(certDir)) {
        std::fprintf(stderr, "fake_agency: %s\n", server.errorString().toUtf8().constData());
        return 1;
    }
    if (!home.isEmpty()
        && AgencyConfig::write(home, server.hostAndPort(), QDir(certDir).filePath(QStringLiteral("ca.pem"))).isEmpty()) {
        std::fputs("fake_agency: cannot write gr_path.ini\n", stderr);
        return 1;
    }
    QObject::connect(&server, &FakeAgencyServer::requestRecorded, &app, [](const AgencyRequest& r) {
        say(QStringLiteral("request %1 %2").arg(AgencyEndpoints::name(r.endpoint), AgencyEndpoints::kindName(r.kind)));
    });
    say(QStringLiteral("port %1").arg(server.port()));
    say(QStringLiteral("other-host-port %1").arg(server.port(FakeAgencyServer::Listener::OtherHost)));
    say(QStringLiteral("untrusted-port %1").arg(server.port(FakeAgencyServer::Listener::Untrusted)));
    return app.exec();
}
