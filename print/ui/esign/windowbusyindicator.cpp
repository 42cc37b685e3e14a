#include "print/ui/esign/windowbusyindicator.h"

#include <QApplication>
#include <QCloseEvent>

WindowBusyIndicator::WindowBusyIndicator(QWidget* widget) : m_widget(widget)
{
}

WindowBusyIndicator::~WindowBusyIndicator()
{
    while (m_depth > 0)
        requestFinished();
}

void WindowBusyIndicator::requestStarted()
{
    if (m_depth++ > 0)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_window = m_widget ? m_widget->window() : nullptr;
    if (m_window) {
        m_wasEnabled = m_window->isEnabled();
        m_window->setEnabled(false);
        m_window->installEventFilter(this);
    }
}

void WindowBusyIndicator::requestFinished()
{
    if (m_depth == 0 || --m_depth > 0)
        return;
    if (m_window) {
        // The web client holds user input back while it waits; what the user
        // did meanwhile reaches the window now, while it still takes none.
        QCoreApplication::processEvents();
        m_window->removeEventFilter(this);
        m_window->setEnabled(m_wasEnabled);
    }
    QApplication::restoreOverrideCursor();
}

bool WindowBusyIndicator::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Close && m_depth > 0) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
