#include "companion/ui/styledwidgets.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QRegularExpressionValidator>

#include "companion/core/numbertext.h"
#include "companion/rules/money.h"

StringLineEdit::StringLineEdit(QWidget* parent) : QLineEdit(parent) {}

LongTextEdit::LongTextEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    setMinimumHeight(fontMetrics().lineSpacing() * 6);
}

void LongTextEdit::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    emit editingFinished();
}

namespace {

// Only keeps out what can never be an amount; the field's parser decides
// the rest by the user's locale (grouping by commas, points or spaces, a
// decimal comma, a dollar sign before or after). One for every amount box:
// each validator compiles its expression at its first use, and a page
// holds dozens of amounts.
const QValidator* amountValidator()
{
    static QPointer<QRegularExpressionValidator> shared;
    if (!shared) {
        static const QRegularExpression amount(
            QStringLiteral("^\\s*[-+\\x{2212}]?\\s*\\$?[0-9.,\\s\\x{00A0}\\x{202F}]{0,24}\\$?\\s*$"));
        // Goes with the application object, and is made again for the next.
        shared = new QRegularExpressionValidator(amount, QCoreApplication::instance());
    }
    return shared;
}

} // namespace

DoubleLineEdit::DoubleLineEdit(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValidator(amountValidator());
}

QString DoubleLineEdit::formatAmount(double value)
{
    return QString::fromStdString(taxrules::formatAmount(value));
}

void DoubleLineEdit::setValue(double value)
{
    setText(formatAmount(value));
}

double DoubleLineEdit::value() const
{
    double v = 0.0;
    return parseAmountText(text(), &v) ? v : 0.0;
}

StyledCheckBox::StyledCheckBox(QWidget* parent) : QCheckBox(parent) {}

ChoiceComboBox::ChoiceComboBox(QWidget* parent) : QComboBox(parent) {}

QSize ChoiceComboBox::sizeHint() const
{
    m_measured = true;
    return QComboBox::sizeHint();
}

QSize ChoiceComboBox::minimumSizeHint() const
{
    m_measured = true;
    return QComboBox::minimumSizeHint();
}

bool ChoiceComboBox::hasDropDownList() const
{
    // The list is a window of its own among the box's children.
    for (const QObject* child : children())
        if (child->isWidgetType() && static_cast<const QWidget*>(child)->isWindow())
            return true;
    return false;
}

void ChoiceComboBox::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange && !m_measured && !isEditable() && !hasDropDownList()) {
        // Nothing measured with the old font and no list to pass it to: the
        // box is only redrawn and measured anew.
        QWidget::changeEvent(event);
        return;
    }
    QComboBox::changeEvent(event);
}
