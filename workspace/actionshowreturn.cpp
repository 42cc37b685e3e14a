#include "workspace/actionshowreturn.h"

ActionShowReturn::ActionShowReturn(ReturnPageInterface* page, const QString& text, QObject* parent)
    : QAction(text, parent), m_pFormReturn(page)
{
}

QString ActionShowReturn::entryText(int returnNumber, const QString& pageTitle)
{
    // The title is a file path and may hold '%': build by concatenation.
    return QStringLiteral("Return ") + QString::number(returnNumber) + QStringLiteral(" - ") + pageTitle;
}
