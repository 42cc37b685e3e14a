#include "filing/ui/filingwaitcursor.h"

#include "filing/filingwebclient.h"

#include <QCursor>
#include <QGuiApplication>

void installFilingWaitCursor()
{
    FilingWebClient::setWaitIndicator([](bool waiting) {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return;
        if (waiting)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QGuiApplication::restoreOverrideCursor();
    });
}

FilingWaitCursor::FilingWaitCursor()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

FilingWaitCursor::~FilingWaitCursor()
{
    QGuiApplication::restoreOverrideCursor();
}
