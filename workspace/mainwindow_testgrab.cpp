#include "workspace/mainwindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

namespace {

// Says "painted" once the window's first paint has gone to the screen (the
// turn of the event loop after the paint) and ends the program.
class FirstImageWatch : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QTimer::singleShot(0, this, [] {
                std::fputs("painted\n", stdout);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool m_painted = false;
};

} // namespace

// For the screenshot test of the start page: when VODAREVIVO_GRAB_WINDOW
// names a PNG file, the first show of the window saves a picture of it
// there and ends the program. Nothing happens when the variable is unset.
// VODAREVIVO_EXIT_WHEN_SHOWN says "shown" after the first show and
// "painted" after the first image, and ends it then.
void MainWindow::grabForTestIfAsked()
{
    static bool asked = false;
    if (asked)
        return;
    // For the start-up benchmark: the program says "shown" on its standard
    // output when its window has been shown once and "painted" when its
    // first image is on the screen (the benchmark stops its clock there),
    // and ends.
    if (qEnvironmentVariableIsSet("VODAREVIVO_EXIT_WHEN_SHOWN")) {
        asked = true;
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        installEventFilter(new FirstImageWatch(this));
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
