#include "companion/forms/fields.h"

#include <QLocale>
#include <QtEndian>
#include <cstring>
#include <cmath>
#include <limits>

#include "companion/core/numbertext.h"
#include "companion/rules/money.h"

// ---- CIntField -------------------------------------------------------------

CIntField::CIntField(int value, int attribute) : CIntField(FieldKind::Int, value, attribute) {}

CIntField::CIntField(int value, int /*reserved*/, int attribute) : CIntField(FieldKind::Int, value, attribute) {}

CIntField::CIntField(FieldKind kind, int value, int attribute)
    : CField(kind, attribute), m_value(value), m_start(value)
{
}

void CIntField::copyValueFrom(const CField& other)
{
    if (other.kind() == kind())
        m_value = static_cast<const CIntField&>(other).m_value;
}

bool CIntField::equals(const CField& other) const
{
    return other.kind() == kind() && static_cast<const CIntField&>(other).m_value == m_value;
}

void CIntField::writeValue(QDataStream& out) const
{
    out << qint32(m_value);
}

bool CIntField::readValue(QDataStream& in, quint32 size, unsigned)
{
    if (size != 4)
        return false;
    qint32 v = 0;
    in >> v;
    if (in.status() != QDataStream::Ok)
        return false;
    m_value = v;
    return true;
}

bool CIntField::decodeValue(const char* bytes, quint32 size, unsigned)
{
    if (size != 4)
        return false;
    m_value = qFromLittleEndian<qint32>(bytes);
    return true;
}

QString CIntField::text() const
{
    return QString::number(m_value);
}

bool CIntField::setText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        // Nothing typed: the start value (0, or for example "not answered").
        m_value = m_start;
        return true;
    }
    bool ok = false;
    const int v = t.toInt(&ok);
    if (ok)
        m_value = v;
    return ok;
}

void CIntField::fillTestValue(int seed)
{
    const auto list = choices();
    if (list.isEmpty()) {
        m_value = seed % 97 + 1;
        return;
    }
    // One of the real choices (a negative value stands for no choice yet),
    // preferring one that is not 0.
    QList<int> values;
    for (const auto& c : list)
        if (c.first >= 0)
            values.append(c.first);
    if (values.isEmpty())
        values.append(list.first().first);
    int i = seed % values.size();
    if (values[i] == 0 && values.size() > 1)
        i = (i + 1) % values.size();
    m_value = values[i];
}

// ---- CBoolField ------------------------------------------------------------

CBoolField::CBoolField(int value, int attribute) : CIntField(FieldKind::Bool, value, attribute) {}

QString CBoolField::text() const
{
    return m_value ? QStringLiteral("1") : QStringLiteral("0");
}

bool CBoolField::setText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("0") || t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
        m_value = 0;
        return true;
    }
    if (t == QLatin1String("1") || t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
        m_value = 1;
        return true;
    }
    return false;
}

void CBoolField::fillTestValue(int)
{
    m_value = 1;
}

// ---- CFloatField -----------------------------------------------------------

bool CFloatField::p_for_brannock = true;

CFloatField::CFloatField(double value, int attribute) : CField(FieldKind::Float, attribute), m_value(value), m_start(value) {}

CFloatField::CFloatField(bool displayOnly, double value, int, bool, ENUMTYPE_FIELD_ATTR attribute, int, unsigned int)
    : CField(FieldKind::Float, int(attribute)), m_value(value), m_start(value)
{
    if (displayOnly)
        setFlags(flags() | FieldReadOnly);
}

void CFloatField::copyValueFrom(const CField& other)
{
    if (other.kind() == FieldKind::Float)
        m_value = static_cast<const CFloatField&>(other).m_value;
}

bool CFloatField::equals(const CField& other) const
{
    if (other.kind() != FieldKind::Float)
        return false;
    const double o = static_cast<const CFloatField&>(other).m_value;
    // Bitwise-equal values (NaN included) are the same stored value.
    return o == m_value || (std::isnan(o) && std::isnan(m_value));
}

void CFloatField::writeValue(QDataStream& out) const
{
    const auto precision = out.floatingPointPrecision();
    out.setFloatingPointPrecision(QDataStream::DoublePrecision);
    out << m_value;
    out.setFloatingPointPrecision(precision);
}

bool CFloatField::readValue(QDataStream& in, quint32 size, unsigned)
{
    if (size != 8)
        return false;
    const auto precision = in.floatingPointPrecision();
    in.setFloatingPointPrecision(QDataStream::DoublePrecision);
    double v = 0;
    in >> v;
    in.setFloatingPointPrecision(precision);
    if (in.status() != QDataStream::Ok || !std::isfinite(v))
        return false;
    m_value = v;
    return true;
}

bool CFloatField::decodeValue(const char* bytes, quint32 size, unsigned)
{
    if (size != 8)
        return false;
    // Return files are little-endian, as this machine is: the double's bytes as they are.
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "return files are read on little-endian machines");
    double v = 0;
    std::memcpy(&v, bytes, sizeof v);
    if (!std::isfinite(v))
        return false;
    m_value = v;
    return true;
}

QString CFloatField::text() const
{
    if (p_for_brannock)
        return QString::number(m_value, 'g', 15);
    return shownText();
}

QString CFloatField::shownText() const
{
    if (isMoney())
        return QString::fromStdString(taxrules::formatAmount(m_value));
    // Up to the field's own decimals, without trailing zeros: 50, 33.3333, 2.5.
    QString shown = QString::fromStdString(taxrules::formatAmount(m_value, decimals()));
    if (shown.contains(QLatin1Char('.'))) {
        while (shown.endsWith(QLatin1Char('0')))
            shown.chop(1);
        if (shown.endsWith(QLatin1Char('.')))
            shown.chop(1);
    }
    return shown;
}

void CFloatField::setAmount(double amount)
{
    m_value = isMoney() ? taxrules::roundCents(amount) : amount;
}

bool CFloatField::setText(const QString& text)
{
    double v = 0.0;
    if (!parseAmountText(text, &v))
        return false;
    setAmount(v);
    return true;
}

void CFloatField::fillTestValue(int seed)
{
    m_value = double(seed) * 100.0 + 0.25;
}

bool CFloatField::isBlank() const
{
    return !taxrules::isPresentAmount(m_value);
}

// ---- CStringField ----------------------------------------------------------

int CStringField::s_largeFromVersion = 0;
int CStringField::s_smallMaxChars = 512;

CStringField::CStringField(int attribute, const char* initial, int maxLength, unsigned)
    : CField(FieldKind::String, attribute),
      m_value(textOf(initial)),
      m_start(initial ? initial : ""),
      m_maxLength(maxLength > 0 ? maxLength : 0)
{
}

// Most texts of a form are empty: those take the shared empty string, which
// counts when every object of a return is built, read and reset.
const CString& CStringField::emptyText()
{
    static const CString empty(QString(QLatin1String("")));
    return empty;
}

CString CStringField::textOf(const char* utf8, int size)
{
    return size > 0 ? CString(QString::fromUtf8(utf8, size)) : emptyText();
}

CString CStringField::textOf(const char* utf8)
{
    return textOf(utf8, utf8 ? int(std::strlen(utf8)) : 0);
}

void CStringField::setLargeSizeSerializeOption(int fromVersion, int maxChars)
{
    s_largeFromVersion = fromVersion;
    s_smallMaxChars = maxChars > 0 ? maxChars : 0;
}

quint32 CStringField::textByteLimit(unsigned fileVersion)
{
    if (fileVersion >= unsigned(qMax(s_largeFromVersion, 0)))
        return kHardTextBytes;
    // UTF-8 takes at most three bytes per UTF-16 code unit.
    return qMin<quint32>(kHardTextBytes, quint32(s_smallMaxChars) * 3);
}

bool CStringField::IsEmptyIfRemoveBlank() const
{
    for (const QChar c : m_value)
        if (!c.isSpace())
            return false;
    return true;
}

CString CStringField::RemoveBlanks() const
{
    QString out;
    out.reserve(m_value.size());
    for (const QChar c : m_value)
        if (!c.isSpace())
            out.append(c);
    return CString(out);
}

CString CStringField::GetTrimedString() const
{
    return CString(m_value.trimmed());
}

void CStringField::reset()
{
    m_value = textOf(m_start);
}

void CStringField::copyValueFrom(const CField& other)
{
    if (other.kind() == FieldKind::String)
        m_value = static_cast<const CStringField&>(other).m_value;
}

bool CStringField::equals(const CField& other) const
{
    return other.kind() == FieldKind::String && static_cast<const CStringField&>(other).m_value == m_value;
}

void CStringField::writeValue(QDataStream& out) const
{
    const QByteArray utf8 = m_value.toUtf8();
    out.writeRawData(utf8.constData(), utf8.size());
}

bool CStringField::readValue(QDataStream& in, quint32 size, unsigned fileVersion)
{
    if (size > textByteLimit(fileVersion))
        return false;
    QByteArray utf8(int(size), Qt::Uninitialized);
    if (in.readRawData(utf8.data(), int(size)) != int(size))
        return false;
    m_value = QString::fromUtf8(utf8);
    return true;
}

bool CStringField::decodeValue(const char* bytes, quint32 size, unsigned fileVersion)
{
    if (size > textByteLimit(fileVersion))
        return false;
    // As the stream reader's text: up to the first zero byte, if any.
    m_value = textOf(bytes, int(qstrnlen(bytes, size)));
    return true;
}

bool CStringField::setText(const QString& text)
{
    m_value = m_maxLength > 0 ? text.left(m_maxLength) : text;
    return true;
}

void CStringField::fillTestValue(int seed)
{
    QString sample = name().isEmpty() ? QStringLiteral("Text") : name();
    sample += QLatin1Char(' ') + QString::number(seed);
    setText(sample);
}

// ---- CDateField ------------------------------------------------------------

namespace {
constexpr qint64 kNoDate = std::numeric_limits<qint64>::min();
}

CDateField::CDateField(int attribute, int) : CField(FieldKind::Date, attribute) {}

void CDateField::copyValueFrom(const CField& other)
{
    if (other.kind() == FieldKind::Date)
        m_value = static_cast<const CDateField&>(other).m_value;
}

// A stored day: kNoDate for no date, otherwise a valid Julian day.
static bool dateFromJulianDay(qint64 jd, QDate& value)
{
    if (jd == kNoDate) {
        value = QDate();
        return true;
    }
    const QDate d = QDate::fromJulianDay(jd);
    if (!d.isValid())
        return false;
    value = d;
    return true;
}

bool CDateField::equals(const CField& other) const
{
    if (other.kind() != FieldKind::Date)
        return false;
    const QDate& o = static_cast<const CDateField&>(other).m_value;
    return o.isValid() == m_value.isValid() && (!o.isValid() || o == m_value);
}

void CDateField::writeValue(QDataStream& out) const
{
    out << qint64(m_value.isValid() ? m_value.toJulianDay() : kNoDate);
}

bool CDateField::readValue(QDataStream& in, quint32 size, unsigned)
{
    if (size != 8)
        return false;
    qint64 jd = 0;
    in >> jd;
    if (in.status() != QDataStream::Ok)
        return false;
    return dateFromJulianDay(jd, m_value);
}

bool CDateField::decodeValue(const char* bytes, quint32 size, unsigned)
{
    if (size != 8)
        return false;
    const qint64 jd = qFromLittleEndian<qint64>(bytes);
    return dateFromJulianDay(jd, m_value);
}

QString CDateField::text() const
{
    return m_value.isValid() ? m_value.toString(Qt::ISODate) : QString();
}

bool CDateField::setText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        m_value = QDate();
        return true;
    }
    const QDate d = QDate::fromString(t, Qt::ISODate);
    if (!d.isValid())
        return false;
    m_value = d;
    return true;
}

void CDateField::fillTestValue(int seed)
{
    m_value = QDate(2024, 1, 1).addDays(seed % 366);
}
