#include "dialogs/dialogframe.h"

#include <QFrame>
#include <QLabel>

namespace dialogframe {

QFrame* sunkenLine(QWidget* parent, const char* objectName)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(objectName));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QLabel* label(QWidget* parent, const char* objectName, const QString& text)
{
    auto* out = new QLabel(text, parent);
    out->setObjectName(QString::fromLatin1(objectName));
    return out;
}

void setPointSize(QWidget* widget, int points)
{
    QFont font = widget->font();
    font.setPointSize(points);
    widget->setFont(font);
}

} // namespace dialogframe
