#pragma once

#include "print/esign/quillorbusy.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

// While a request runs: the wait cursor, and the window takes no input and
// cannot be closed, so that neither a second click nor closing the dialog
// runs under the request's own event loop.
class WindowBusyIndicator : public QObject, public QuillorBusyIndicator
{
    Q_OBJECT
public:
    // widget: any widget of the window; its window is taken when a request
    // starts, so a widget placed into a dialog later blocks that dialog.
    explicit WindowBusyIndicator(QWidget* widget);
    ~WindowBusyIndicator() override;

    void requestStarted() override;
    void requestFinished() override;
    bool isBusy() const { return m_depth > 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_widget;
    QPointer<QWidget> m_window;
    int m_depth = 0;
    bool m_wasEnabled = true;
};
