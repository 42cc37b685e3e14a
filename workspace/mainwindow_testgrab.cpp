#include "workspace/mainwindow.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

// For the screenshot test of the start page: when VODAREVIVO_GRAB_WINDOW
// names a PNG file, the first show of the window saves a picture of it
// there and ends the program. Nothing happens when the variable is unset.
// VODAREVIVO_EXIT_WHEN_SHOWN says "shown" and ends it at once after the
// first show.
void MainWindow::grabForTestIfAsked()
{
    static bool asked = false;
    if (asked)
        return;
    // For the start-up benchmark: the program says "shown" on its standard
    // output when its window has been shown once (the benchmark stops its
    // clock there) and ends.
    if (qEnvironmentVariableIsSet("VODAREVIVO_EXIT_WHEN_SHOWN")) {
        asked = true;
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        QTimer::singleShot(0, this, [] { QCoreApplication::exit(0); });
        return;
    }
    const QString path = qEnvironmentVariable("VODAREVIVO_GRAB_WINDOW");
    if (path.isEmpty())
        return;
    asked = true;
    // Let the window lay itself out and paint before it is taken.
    QTimer::singleShot(500, this, [this, path]() {
        const bool saved = grab().save(path, "PNG");
        QCoreApplication::exit(saved ? 0 : 3);
    });
}
