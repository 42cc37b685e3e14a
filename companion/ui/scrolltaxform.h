#pragma once

#include <QColor>
#include <QScrollArea>

// The scrolling frame that holds one page in a tab of the open return. A
// frame may stand in its tab without its page until the tab is first shown.
class ScrollTaxForm : public QScrollArea
{
    Q_OBJECT
public:
    ScrollTaxForm(const QString& colour, QWidget* parent, QWidget* content);

    // The page inside, null when none.
    QWidget* getCtntWgt() const { return widget(); }
    // Places the page in the frame, behind it the colour the frame was
    // given (a page placed after a colour change takes that colour too).
    void setContent(QWidget* content);
    // Background colour behind the page, a colour name or "#rrggbb"; an
    // invalid name keeps the present colour.
    void setBKColor(const QString& colour);

private:
    void paintContent();

    QColor m_colour;  // invalid until a colour is given
};
