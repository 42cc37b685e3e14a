#pragma once

#include <QFont>
#include <QFrame>
#include <QLabel>

// Small builders the filing pages and dialogs share.
namespace pagewidgets {

inline QFrame* sunkenLine(QWidget* parent, const char* name)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QLatin1String(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

inline QLabel* label(QWidget* parent, const char* name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

inline void setPointSize(QWidget* widget, int points, bool bold = false)
{
    QFont font = widget->font();
    font.setPointSize(points);
    if (bold)
        font.setWeight(75);
    widget->setFont(font);
}

// A label that opens target in the desktop's browser, showing text.
inline void makeWebLink(QLabel* label, const QString& target, const QString& text)
{
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    label->setOpenExternalLinks(true);
    label->setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(target.toHtmlEscaped(), text.toHtmlEscaped()));
}

} // namespace pagewidgets
