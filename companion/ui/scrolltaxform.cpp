#include "companion/ui/scrolltaxform.h"

ScrollTaxForm::ScrollTaxForm(const QString& colour, QWidget* parent, QWidget* content) : QScrollArea(parent)
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    if (content)
        setWidget(content);
    setBKColor(colour);
}

void ScrollTaxForm::setBKColor(const QString& colour)
{
    const QColor c(colour);
    if (!c.isValid())
        return;
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, c);
    viewport()->setPalette(pal);
    viewport()->setAutoFillBackground(true);
    if (QWidget* content = widget()) {
        QPalette contentPal = content->palette();
        contentPal.setColor(QPalette::Window, c);
        content->setPalette(contentPal);
        content->setAutoFillBackground(true);
    }
}
