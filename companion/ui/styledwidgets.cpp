#include "companion/ui/styledwidgets.h"

#include <QRegularExpressionValidator>

#include "companion/core/numbertext.h"
#include "companion/rules/money.h"

StringLineEdit::StringLineEdit(QWidget* parent) : QLineEdit(parent) {}

DoubleLineEdit::DoubleLineEdit(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    static const QRegularExpression amount(QStringLiteral("^\\s*-?\\$?[0-9,]{0,15}(\\.[0-9]{0,6})?\\s*$"));
    setValidator(new QRegularExpressionValidator(amount, this));
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

StyledDateEdit::StyledDateEdit(QWidget* parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    setMinimumDate(noDate());
    setSpecialValueText(QStringLiteral(" "));
    setDate(noDate());
}

void StyledDateEdit::setNullableDate(const QDate& date)
{
    setDate(date.isValid() && date > noDate() ? date : noDate());
}

QDate StyledDateEdit::nullableDate() const
{
    return date() == noDate() ? QDate() : date();
}

StyledCheckBox::StyledCheckBox(QWidget* parent) : QCheckBox(parent) {}
