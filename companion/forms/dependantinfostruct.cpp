#include "companion/forms/dependantinfostruct.h"

#include "companion/forms/boundedblock.h"
#include "companion/forms/mydatastream.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace {

constexpr qint32 kFormatVersion = 1;
// Four texts at most kMaxTextLength code units (three UTF-8 bytes each),
// plus the numbers, for every entry.
constexpr int kMaxEntryBytes = 4 * (4 + 3 * DependantInfoStruct::kMaxTextLength) + 64;
constexpr int kMaxPayloadBytes = 8 + DependantInfoStruct::kMaxEntries * kMaxEntryBytes;

bool inRange(int age, int from, int to)
{
    return age >= 0 && age >= from && age <= to;
}

// Whether a name holds anything but blanks; asked for every entry at every
// calculation, so it reads the text in place instead of trimming a copy.
bool hasText(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return !c.isSpace(); });
}

// Reads the table's payload from its bytes as the stream reader would (the
// file's little-endian numbers, doubles in full, texts as a length and their
// UTF-8 bytes), without a stream call per value: the table is read with
// every return. Each read fails, leaving the value as it is, when the bytes
// left do not hold it.
class PayloadCursor
{
public:
    explicit PayloadCursor(const QByteArray& payload) : m_at(payload.constData()), m_left(payload.size()) {}

    template <typename T>
    bool read(T& value)
    {
        if (m_left < int(sizeof(T)))
            return false;
        value = qFromLittleEndian<T>(m_at);
        skip(int(sizeof(T)));
        return true;
    }

    bool read(double& value)
    {
        quint64 bits = 0;
        if (!read(bits))
            return false;
        std::memcpy(&value, &bits, sizeof value);
        return true;
    }

    // As BoundedBlock::readText: a length within three bytes a code unit of
    // maxLength, the bytes up to the first zero byte, if any, as UTF-8, and
    // no more than maxLength code units once decoded.
    bool readText(CString& text, int maxLength)
    {
        qint32 length = -1;
        if (!read(length) || length < 0 || length > 3 * maxLength || length > m_left)
            return false;
        const QString decoded = QString::fromUtf8(m_at, int(qstrnlen(m_at, uint(length))));
        if (decoded.size() > maxLength)
            return false;
        skip(length);
        text = decoded;
        return true;
    }

private:
    void skip(int bytes)
    {
        m_at += bytes;
        m_left -= bytes;
    }

    const char* m_at;
    int m_left;
};

} // namespace

bool DependantInfo::operator==(const DependantInfo& other) const
{
    return firstName == other.firstName && lastName == other.lastName
        && relationship == other.relationship && dateOfBirth == other.dateOfBirth
        && netIncome == other.netIncome && infirm == other.infirm && sin == other.sin
        && note == other.note && count == other.count;
}

bool DependantInfo::hasNameText() const
{
    return hasText(firstName) || hasText(lastName);
}

bool DependantInfo::isChild() const
{
    return relationship == DEP_REL_CHILD || relationship == DEP_REL_GRANDCHILD;
}

int DependantInfo::ageAtYearEnd() const
{
    if (!dateOfBirth.isValid() || dateOfBirth.year() > TAX_YEAR)
        return -1;
    return TAX_YEAR - dateOfBirth.year();
}

void DependantInfoStruct::AllocData(int count)
{
    count = std::min(count, kMaxEntries);
    if (count > GetCount())
        m_entries.resize(size_t(count));
}

void DependantInfoStruct::FreeData()
{
    m_entries.clear();
}

int DependantInfoStruct::GetDepChildrenNumberBetweenAges(int from, int to) const
{
    return int(std::count_if(m_entries.begin(), m_entries.end(), [&](const DependantInfo& d) {
        return d.isChild() && inRange(d.ageAtYearEnd(), from, to);
    }));
}

int DependantInfoStruct::GetDepChildrenNumberBetweenAges_Infirm(int from, int to, bool infirm) const
{
    return int(std::count_if(m_entries.begin(), m_entries.end(), [&](const DependantInfo& d) {
        return d.isChild() && (d.infirm != 0) == infirm && inRange(d.ageAtYearEnd(), from, to);
    }));
}

int DependantInfoStruct::GetDepNumberBetweenAges(int from, int to) const
{
    return int(std::count_if(m_entries.begin(), m_entries.end(), [&](const DependantInfo& d) {
        return d.isUsed() && inRange(d.ageAtYearEnd(), from, to);
    }));
}

int DependantInfoStruct::GetInfirmDependantsNumberNotUnderAge(int age) const
{
    return int(std::count_if(m_entries.begin(), m_entries.end(), [&](const DependantInfo& d) {
        if (d.infirm == 0 || !d.isUsed())
            return false;
        return age < 0 || d.ageAtYearEnd() >= age;
    }));
}

int DependantInfoStruct::GetInfirmDependentNumberUnderAge18() const
{
    return int(std::count_if(m_entries.begin(), m_entries.end(), [](const DependantInfo& d) {
        return d.infirm != 0 && d.isUsed() && inRange(d.ageAtYearEnd(), 0, 17);
    }));
}

int DependantInfoStruct::GetDepChildrenNumberForLine305() const
{
    return GetDepChildrenNumberBetweenAges(0, 18);
}

int DependantInfoStruct::GetDepOtherThanChildrenNumberForLine305() const
{
    return int(std::count_if(m_entries.begin(), m_entries.end(), [](const DependantInfo& d) {
        if (!d.isUsed() || d.isChild() || d.relationship == DEP_REL_NONE || d.relationship == DEP_REL_OTHER)
            return false;
        if (d.relationship == DEP_REL_PARENT)
            return true;
        return d.infirm != 0 || inRange(d.ageAtYearEnd(), 0, 17);
    }));
}

bool DependantInfoStruct::serilize(int version, MyDataStream& stream)
{
    Q_UNUSED(version);
    return stream.IsStoring() ? write(stream) : read(stream);
}

bool DependantInfoStruct::write(MyDataStream& stream) const
{
    return BoundedBlock::write(stream, kMaxPayloadBytes, [this](MyDataStream& out) {
        const int count = std::min(GetCount(), int(kMaxEntries));
        out << kFormatVersion << qint32(count);
        for (int i = 0; i < count; ++i) {
            const DependantInfo& d = m_entries[size_t(i)];
            BoundedBlock::writeText(out, d.firstName, kMaxTextLength);
            BoundedBlock::writeText(out, d.lastName, kMaxTextLength);
            out << qint32(d.relationship) << qint64(d.dateOfBirth.isValid() ? d.dateOfBirth.toJulianDay() : 0)
                << d.netIncome << qint32(d.infirm);
            BoundedBlock::writeText(out, d.sin, kMaxTextLength);
            BoundedBlock::writeText(out, d.note, kMaxTextLength);
            out << d.count;
        }
    });
}

bool DependantInfoStruct::read(MyDataStream& stream)
{
    QByteArray payload;
    if (!BoundedBlock::read(stream, kMaxPayloadBytes, payload))
        return false;

    PayloadCursor in(payload);
    qint32 format = 0, count = -1;
    bool ok = in.read(format) && in.read(count) && format >= 1 && count >= 0 && count <= kMaxEntries;
    std::vector<DependantInfo> entries;
    for (int i = 0; ok && i < count; ++i) {
        DependantInfo d;
        qint32 relationship = 0, infirm = 0;
        qint64 julianDay = 0;
        ok = in.readText(d.firstName, kMaxTextLength) && in.readText(d.lastName, kMaxTextLength)
            && in.read(relationship) && in.read(julianDay) && in.read(d.netIncome) && in.read(infirm)
            && in.readText(d.sin, kMaxTextLength) && in.readText(d.note, kMaxTextLength) && in.read(d.count);
        if (!ok)
            break;
        d.relationship = relationship;
        d.infirm = infirm;
        d.dateOfBirth = julianDay != 0 ? QDate::fromJulianDay(julianDay) : QDate();
        entries.push_back(d);
    }
    // A later format may append fields after ours; the block's length lets
    // us ignore them. Fewer bytes than our own fields need is damage.
    if (!ok) {
        stream.setStatus(QDataStream::ReadCorruptData);
        return false;
    }
    m_entries = std::move(entries);
    return true;
}
