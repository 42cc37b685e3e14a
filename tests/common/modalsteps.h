#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// Steps a test takes inside modal dialogs that the code under test runs
// with exec(). Each waits, from the event loop, until a visible modal
// dialog of the wanted class is in front, so steps for dialogs opened one
// after another can be queued before the command starts.
namespace modalsteps {

// Runs step on the next modal dialog of class D once it shows (checked every
// 10 ms, for at most 15 s; a dialog of another class is left alone).
template <class D>
void whenModal(std::function<void(D*)> step)
{
    // Goes with the application, should the dialog never come.
    auto* timer = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, step] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            step(dialog);
        } else if (++*tries > 1500) {
            timer->stop();
            timer->deleteLater();
            qWarning("modalsteps: the expected dialog did not show");
        }
    });
    timer->start();
}

// Closes whatever modal window is still open after a while, so that a
// failing test ends instead of waiting for a user.
inline void closeModalLater(int ms = 20000)
{
    QTimer::singleShot(ms, qApp, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
}

// Where a test keeps a screenshot: build/artefacts.
inline QString artefactPath(const QString& name)
{
    const QString folder = QCoreApplication::applicationDirPath() + "/../artefacts";
    QDir().mkpath(folder);
    return QDir(folder).absoluteFilePath(name);
}

} // namespace modalsteps
