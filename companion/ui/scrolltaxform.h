#pragma once

#include <QScrollArea>

// The scrolling frame that holds one page in a tab of the open return.
class ScrollTaxForm : public QScrollArea
{
    Q_OBJECT
public:
    ScrollTaxForm(const QString& colour, QWidget* parent, QWidget* content);

    // The page inside, null when none.
    QWidget* getCtntWgt() const { return widget(); }
    // Background colour behind the page, a colour name or "#rrggbb"; an
    // invalid name keeps the present colour.
    void setBKColor(const QString& colour);
};
