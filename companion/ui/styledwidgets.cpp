#include "companion/ui/styledwidgets.h"

#include <QRegularExpressionValidator>

StringLineEdit::StringLineEdit(QWidget* parent) : QLineEdit(parent) {}

DoubleLineEdit::DoubleLineEdit(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    static const QRegularExpression amount(QStringLiteral("^\\s*-?\\$?[0-9,]{0,15}(\\.[0-9]{0,6})?\\s*$"));
    setValidator(new QRegularExpressionValidator(amount, this));
}

QString DoubleLineEdit::formatAmount(double value)
{
    return QString::number(value, 'f', 2);
}

void DoubleLineEdit::setValue(double value)
{
    setText(formatAmount(value));
}

double DoubleLineEdit::value() const
{
    QString t = text();
    t.remove(QLatin1Char(','));
    t.remove(QLatin1Char('$'));
    bool ok = false;
    const double v = t.trimmed().toDouble(&ok);
    return ok ? v : 0.0;
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
