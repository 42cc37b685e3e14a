#include "companion/forms/dependantinfostruct.h"

#include "companion/forms/boundedblock.h"
#include "companion/forms/mydatastream.h"

#include <algorithm>

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

} // namespace

bool DependantInfo::operator==(const DependantInfo& other) const
{
    return firstName == other.firstName && lastName == other.lastName
        && relationship == other.relationship && dateOfBirth == other.dateOfBirth
        && netIncome == other.netIncome && infirm == other.infirm && sin == other.sin
        && note == other.note && count == other.count;
}

bool DependantInfo::isUsed() const
{
    // The numbers first: the calculation asks this of every entry of the
    // table on every pass, and most entries are empty.
    return relationship != DEP_REL_NONE || dateOfBirth.isValid()
        || (!firstName.isEmpty() && hasText(firstName)) || (!lastName.isEmpty() && hasText(lastName));
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

DependantInfo* DependantInfoStruct::GetAt(int index)
{
    return index >= 0 && index < GetCount() ? &m_entries[size_t(index)] : nullptr;
}

const DependantInfo* DependantInfoStruct::GetAt(int index) const
{
    return index >= 0 && index < GetCount() ? &m_entries[size_t(index)] : nullptr;
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

    MyDataStream in(&payload, QIODevice::ReadOnly);
    qint32 format = 0, count = -1;
    in >> format >> count;
    bool ok = in.status() == QDataStream::Ok && format >= 1 && count >= 0 && count <= kMaxEntries;
    std::vector<DependantInfo> entries;
    for (int i = 0; ok && i < count; ++i) {
        DependantInfo d;
        qint32 relationship = 0, infirm = 0;
        qint64 julianDay = 0;
        ok = BoundedBlock::readText(in, d.firstName, kMaxTextLength)
            && BoundedBlock::readText(in, d.lastName, kMaxTextLength);
        if (!ok)
            break;
        in >> relationship >> julianDay >> d.netIncome >> infirm;
        ok = in.status() == QDataStream::Ok && BoundedBlock::readText(in, d.sin, kMaxTextLength)
            && BoundedBlock::readText(in, d.note, kMaxTextLength);
        if (!ok)
            break;
        in >> d.count;
        ok = in.status() == QDataStream::Ok;
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
