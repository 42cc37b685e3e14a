#pragma once

#include <QApplication>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the program's own modal windows, one step per window, in order.
// A step sees the window and returns true once it has answered it.
class ModalScript : public QObject
{
public:
    using Step = std::function<bool(QWidget*)>;

    ModalScript()
    {
        connect(&m_timer, &QTimer::timeout, this, &ModalScript::tick);
        m_timer.start(20);
    }
    void add(Step step) { m_steps << std::move(step); }
    int pending() const { return m_steps.size(); }

private:
    // Runs from the event loop rather than inside the timer's slot: a step
    // that presses a button opens the next window in a nested loop, where
    // this timer must keep firing.
    void tick() { QMetaObject::invokeMethod(this, [this] { answer(); }, Qt::QueuedConnection); }

    void answer()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || m_steps.isEmpty() || modal == m_answered)
            return;
        // Taken off before it runs: its press may open the next window,
        // answered from the nested loop by the next step.
        const Step step = m_steps.takeFirst();
        QPointer<QWidget> before = m_answered;
        m_answered = modal;
        if (step(modal))
            return;
        m_steps.prepend(step);
        m_answered = before;
        if (modal != m_unexpected) {
            m_unexpected = modal;
            qWarning("modal window not answered: %s \"%s\"", modal->metaObject()->className(),
                     qPrintable(modal->windowTitle()));
        }
    }

    QTimer m_timer;
    QList<Step> m_steps;
    QPointer<QWidget> m_answered;
    QPointer<QWidget> m_unexpected;
};
