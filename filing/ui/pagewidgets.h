#pragma once

#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

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

// A filing wizard page's frame: its name, size and font, and the grid of
// its widgets inside a vertical layout.
inline QGridLayout* pageGrid(QWidget* page, const char* name)
{
    page->setObjectName(QLatin1String(name));
    page->resize(735, 400);
    setPointSize(page, 12);
    auto* outer = new QVBoxLayout(page);
    outer->setObjectName(QStringLiteral("verticalLayout"));
    auto* grid = new QGridLayout;
    grid->setObjectName(QStringLiteral("gridLayout"));
    outer->addLayout(grid);
    return grid;
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
