// Stand-in for the e-signature, e-delivery and filing-record service, for
// the tests: HTTPS on 127.0.0.1 only, on a free port that it prints as
// "PORT n" once it listens. It ends when its standard input closes (the test
// that started it is gone) or after ten minutes, whichever comes first.
#include "esignservice.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {
constexpr int kLifetimeMs = 10 * 60 * 1000;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption cert("cert", "PEM certificate chain of the server.", "file");
    const QCommandLineOption key("key", "PEM private key of the server.", "file");
    const QCommandLineOption accounts("accounts", "JSON accounts file.", "file");
    const QCommandLineOption control("control", "JSON file of scripted replies.", "file");
    const QCommandLineOption recordFile("record", "File the requests are recorded in.", "file");
    const QCommandLineOption files("files", "Folder served under /files/.", "folder");
    parser.addOptions({cert, key, accounts, control, recordFile, files});
    parser.process(app);

    EsignService::Options options;
    options.accountsFile = parser.value(accounts);
    options.controlFile = parser.value(control);
    options.recordFile = parser.value(recordFile);
    options.filesDir = parser.value(files);
    EsignService service(options);

    FakeHttpServer server;
    server.setHandler([&service](const RecordedRequest& request) { return service.handle(request); });
    if (!server.startTls(parser.value(cert), parser.value(key))) {
        std::fprintf(stderr, "cannot listen with the given certificate\n");
        return 2;
    }
    service.setOwnAddress(server.hostAndPort());

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&app, &input] {
        char buffer[256];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
            input.setEnabled(false);
            app.quit();
        }
    });
    QTimer::singleShot(kLifetimeMs, &app, &QCoreApplication::quit);

    std::printf("PORT %d\n", int(server.port()));
    std::fflush(stdout);
    return app.exec();
}
