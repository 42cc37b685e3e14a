#include "companion/ui/scrolltaxform.h"

ScrollTaxForm::ScrollTaxForm(const QString& colour, QWidget* parent, QWidget* content) : QScrollArea(parent)
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    if (content)
        setWidget(content);
    setBKColor(colour);
}

void ScrollTaxForm::setContent(QWidget* content)
{
    setWidget(content);
    paintContent();
}

void ScrollTaxForm::setBKColor(const QString& colour)
{
    const QColor c(colour);
    if (!c.isValid())
        return;
    m_colour = c;
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, c);
    viewport()->setPalette(pal);
    viewport()->setAutoFillBackground(true);
    paintContent();
}

void ScrollTaxForm::paintContent()
{
    QWidget* content = widget();
    if (!content || !m_colour.isValid())
        return;
    QPalette contentPal = content->palette();
    contentPal.setColor(QPalette::Window, m_colour);
    content->setPalette(contentPal);
    content->setAutoFillBackground(true);
}
