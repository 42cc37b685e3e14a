// The agency's Auto-fill and Express NOA data service as a program, for runs
// of the real program (and its end-to-end test):
//
//   fake_agencydata [--home DIR] [--callback-port N] [--autofill FILE] [--noa FILE]
//
// Serves, over HTTPS on 127.0.0.1 with the test CA's certificate, the data
// service and the agency's login page: every stage request is accepted, and
// the first data request after the login is answered with the items of FILE
// (the inner XML of TaxData, or of NoticeOfAssessmentData; by default
// tests/fakes/agencydata/demo-*-items.xml, a T4 and a notice for the S.I.N.
// 046 454 286). The login page's "Sign in" button sends the browser to the
// program's callback port. It also plays the notice renderer that Express
// NOA posts a notice to.
//
// It prints "port N" and "callback-port N" once it listens, then
// "session" for each session whose stage request it accepted. With --home it writes that home's
// "gr_path.ini" (test mode, the hosts, the callback port, the CA), keeping
// the lines of other keys already there. Runs until terminated.
#include "common/callbackport.h"
#include "fakes/agencydataserver.h"
#include "fakes/noarenderfake.h"
#include "fakes/testcerts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <QTcpServer>

#include <cstdio>

namespace {

// The edition's own callback port (DIRERAD), used when none is given and
// there is no home to write another into.
constexpr quint16 kEditionCallbackPort = 46248;

void say(const QString& line)
{
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

int fail(const QString& why)
{
    std::fprintf(stderr, "fake_agencydata: %s\n", why.toUtf8().constData());
    return 1;
}

int usage()
{
    std::fputs("usage: fake_agencydata [--home DIR] [--callback-port N] [--autofill FILE] [--noa FILE]\n", stderr);
    return 2;
}

bool readFile(const QString& path, QByteArray& out)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    out = file.readAll().trimmed();
    return true;
}

// The configuration lines this stand-in owns; the other lines of an
// existing file (another stand-in's hosts, say) are kept.
bool writeConfig(const QString& home, const QList<QPair<QString, QString>>& values)
{
    const QString folder = QDir(home).filePath(QStringLiteral("Documents/vodarevivo/2024/run"));
    if (!QDir().mkpath(folder))
        return false;
    const QString path = QDir(folder).filePath(QStringLiteral("gr_path.ini"));
    QStringList lines;
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly)) {
        for (const QString& line : QString::fromUtf8(existing.readAll()).split(QLatin1Char('\n'))) {
            const QString key = line.section(QLatin1Char('='), 0, 0).trimmed();
            bool ours = false;
            for (const auto& value : values)
                ours = ours || key == value.first;
            if (!line.trimmed().isEmpty() && !ours)
                lines << line;
        }
    }
    for (const auto& value : values)
        lines << value.first + QLatin1Char('=') + value.second;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(lines.join(QLatin1Char('\n')).toUtf8() + '\n');
    return file.commit();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const QString fixtures = QStringLiteral(VR_AGENCYDATA_FIXTURES);
    QString home, autoFillPath = fixtures + "/demo-autofill-items.xml", noaPath = fixtures + "/demo-noa-items.xml";
    int callbackPort = 0;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (args.isEmpty())
            return usage();
        const QString value = args.takeFirst();
        if (arg == QLatin1String("--home"))
            home = value;
        else if (arg == QLatin1String("--autofill"))
            autoFillPath = value;
        else if (arg == QLatin1String("--noa"))
            noaPath = value;
        else if (arg == QLatin1String("--callback-port")) {
            bool ok = false;
            callbackPort = value.toInt(&ok);
            if (!ok || callbackPort < 1 || callbackPort > 65535)
                return usage();
        } else
            return usage();
    }
    QByteArray autoFillItems, noaItems;
    if (!readFile(autoFillPath, autoFillItems))
        return fail(QStringLiteral("cannot read %1").arg(autoFillPath));
    if (!readFile(noaPath, noaItems))
        return fail(QStringLiteral("cannot read %1").arg(noaPath));
    // A home gets a free port of its own, so a busy edition port never
    // stands in the way; without one the program listens on its own.
    if (callbackPort == 0)
        callbackPort = home.isEmpty() ? kEditionCallbackPort : ::callbackPort();
    if (callbackPort == 0)
        return fail(QStringLiteral("no free port for the callback"));

    FakeAgencyDataServer service;
    service.setReadyItems(autoFillItems, noaItems);
    service.setDefaultReplies(FakeAgencyDataServer::Reply::StageAccepted, FakeAgencyDataServer::Reply::Ready);
    service.setCallbackPort(quint16(callbackPort));
    if (!service.start())
        return fail(QStringLiteral("cannot listen with the certificates of %1").arg(TestCerts::path(QString())));
    NoaRenderFake renderer;
    if (!renderer.start())
        return fail(QStringLiteral("the notice renderer cannot listen"));

    if (!home.isEmpty()
        && !writeConfig(home, {{QStringLiteral("MODEDEBUG"), QStringLiteral("1")},
                               {QStringLiteral("TDDWebServiceHost"), service.hostAndPort()},
                               {QStringLiteral("TDDWebServerHost"), service.hostAndPort()},
                               {QStringLiteral("TDDCallbackPort"), QString::number(callbackPort)},
                               {QStringLiteral("NOARenderHost"), renderer.hostAndPort()},
                               {QStringLiteral("TestCAFile"), TestCerts::caPem()},
                               // The certification-test software code, whose service key the stand-in checks.
                               {QStringLiteral("DireradSoftwareCode"), QStringLiteral("095")}}))
        return fail(QStringLiteral("cannot write gr_path.ini in %1").arg(home));

    // Reported from the service's thread, printed on this one.
    QObject::connect(&service, &FakeAgencyDataServer::tokenCIssued, &app, [] { say(QStringLiteral("session")); },
                     Qt::QueuedConnection);
    say(QStringLiteral("port %1").arg(service.port()));
    say(QStringLiteral("callback-port %1").arg(callbackPort));
    return app.exec();
}
