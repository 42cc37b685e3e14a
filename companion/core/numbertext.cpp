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
