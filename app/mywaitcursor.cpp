#include "app/mywaitcursor.h"

#include <QCursor>
#include <QGuiApplication>

MyWaitCursor::MyWaitCursor()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

MyWaitCursor::~MyWaitCursor()
{
    QGuiApplication::restoreOverrideCursor();
}
