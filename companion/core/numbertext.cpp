#include "companion/core/numbertext.h"

#include <QLocale>
#include <QString>

#include <cmath>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Removes the thousands separators of the integer part, or returns false when
// the commas do not form groups of three digits after a 1-3 digit head.
bool stripGroupedCommas(const std::string& integerPart, std::string& out)
{
    out.clear();
    if (integerPart.find(',') == std::string::npos) {
        out = integerPart;
        return true;
    }
    size_t groupLength = 0;
    bool firstGroup = true;
    for (char c : integerPart) {
        if (c == ',') {
            if ((firstGroup && (groupLength == 0 || groupLength > 3)) || (!firstGroup && groupLength != 3))
                return false;
            firstGroup = false;
            groupLength = 0;
        } else {
            ++groupLength;
            out += c;
        }
    }
    return groupLength == 3;
}

} // namespace

double myStringToDouble(const std::string& text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;

    size_t pos = first;
    std::string sign;
    if (pos < last && (text[pos] == '+' || text[pos] == '-'))
        sign = text[pos++];

    const size_t integerStart = pos;
    while (pos < last && (isDigit(text[pos]) || text[pos] == ','))
        ++pos;
    std::string integerDigits;
    if (!stripGroupedCommas(text.substr(integerStart, pos - integerStart), integerDigits))
        return 0.0;

    std::string fraction;
    if (pos < last && text[pos] == '.') {
        ++pos;
        const size_t fractionStart = pos;
        while (pos < last && isDigit(text[pos]))
            ++pos;
        fraction = text.substr(fractionStart, pos - fractionStart);
    }
    if (integerDigits.empty() && fraction.empty())
        return 0.0;

    std::string exponent;
    if (pos < last && (text[pos] == 'e' || text[pos] == 'E')) {
        size_t expPos = pos + 1;
        if (expPos < last && (text[expPos] == '+' || text[expPos] == '-'))
            ++expPos;
        const size_t expDigits = expPos;
        while (expPos < last && isDigit(text[expPos]))
            ++expPos;
        if (expPos == expDigits)
            return 0.0;
        exponent = text.substr(pos, expPos - pos);
        pos = expPos;
    }
    if (pos != last)
        return 0.0;

    const std::string clean = sign + (integerDigits.empty() ? "0" : integerDigits) + "."
                              + (fraction.empty() ? "0" : fraction) + exponent;
    bool ok = false;
    const double value = QLocale::c().toDouble(QString::fromLatin1(clean.c_str()), &ok);
    return (ok && std::isfinite(value)) ? value : 0.0;
}

std::string myDoubleToString(double value, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > 10)
        decimals = 10;
    if (!std::isfinite(value))
        value = 0.0;
    QString text = QLocale::c().toString(value, 'f', decimals);
    text.remove(QLatin1Char(',')); // the C locale never groups, but be certain
    // A negative value that rounds to zero prints as "-0.00"; show it as zero.
    if (text.startsWith(QLatin1Char('-'))) {
        bool allZero = true;
        for (int i = 1; i < text.size(); ++i) {
            if (text[i] != QLatin1Char('0') && text[i] != QLatin1Char('.'))
                allZero = false;
        }
        if (allZero)
            text.remove(0, 1);
    }
    return text.toStdString();
}

namespace {

// Spaces a locale may use to group digits; a plain space stands for any of them.
bool isGroupingSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F);
}

bool sameSeparator(QChar typed, QChar separator)
{
    return typed == separator || (isGroupingSpace(separator) && isGroupingSpace(typed));
}

// Reads sign, digits, grouping and fraction with the given separators into
// the plain form "-1234.5"; false when the text is not exactly one number.
bool toPlainNumber(const QString& text, QChar decimalPoint, QChar groupSeparator, QString& plain)
{
    plain.clear();
    int pos = 0;
    const int end = text.size();
    if (pos < end && (text[pos] == QLatin1Char('-') || text[pos] == QChar(0x2212) || text[pos] == QLatin1Char('+'))) {
        if (text[pos] != QLatin1Char('+'))
            plain += QLatin1Char('-');
        ++pos;
    }
    QString integerDigits;
    int groupLength = 0;
    bool grouped = false;
    for (; pos < end; ++pos) {
        const QChar c = text[pos];
        if (c.unicode() >= '0' && c.unicode() <= '9') {
            integerDigits += c;
            ++groupLength;
        } else if (sameSeparator(c, groupSeparator) && !sameSeparator(c, decimalPoint)) {
            // The head group has one to three digits, every later one exactly three.
            if (groupLength == 0 || groupLength > 3 || (grouped && groupLength != 3))
                return false;
            grouped = true;
            groupLength = 0;
        } else {
            break;
        }
    }
    if (grouped && groupLength != 3)
        return false;
    QString fraction;
    if (pos < end && text[pos] == decimalPoint) {
        for (++pos; pos < end && text[pos].unicode() >= '0' && text[pos].unicode() <= '9'; ++pos)
            fraction += text[pos];
    }
    if (pos != end || (integerDigits.isEmpty() && fraction.isEmpty()))
        return false;
    plain += integerDigits.isEmpty() ? QStringLiteral("0") : integerDigits;
    if (!fraction.isEmpty())
        plain += QLatin1Char('.') + fraction;
    return true;
}

// The text without blanks around it and without one dollar sign before the
// digits (after any sign) or after them.
QString withoutDollarSign(QString text)
{
    text = text.trimmed();
    if (text.endsWith(QLatin1Char('$')))
        return text.left(text.size() - 1).trimmed();
    const int dollar = text.indexOf(QLatin1Char('$'));
    if (dollar == 0)
        return text.mid(1).trimmed();
    if (dollar == 1 && (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+') || text[0] == QChar(0x2212)))
        return text.left(1) + text.mid(2).trimmed();
    return text;
}

} // namespace

bool parseAmountText(const QString& text, double* value, const QLocale& locale)
{
    const QString body = withoutDollarSign(text);
    if (body.isEmpty()) {
        if (text.trimmed().isEmpty()) {
            *value = 0.0;
            return true;
        }
        return false; // a dollar sign alone
    }
    QString plain;
    const bool read = toPlainNumber(body, locale.decimalPoint(), locale.groupSeparator(), plain)
                      || toPlainNumber(body, QLatin1Char('.'), QLatin1Char(','), plain);
    if (!read)
        return false;
    bool ok = false;
    const double number = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(number))
        return false;
    *value = number == 0.0 ? 0.0 : number; // "-0" is a blank amount too
    return true;
}
