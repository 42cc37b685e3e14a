#pragma once

#include "companion/core/cstring.h"
#include "companion/forms/taxtypes.h"

#include <QDate>
#include <vector>

class MyDataStream;

// Relationship of a dependant to the taxpayer (the entry's code).
enum : int {
    DEP_REL_NONE = 0,        // entry not filled in
    DEP_REL_CHILD = 1,       // son or daughter (also step- and adopted)
    DEP_REL_GRANDCHILD = 2,
    DEP_REL_PARENT = 3,      // parent or grandparent
    DEP_REL_SIBLING = 4,     // brother or sister
    DEP_REL_OTHER_RELATIVE = 5, // niece, nephew, aunt, uncle
    DEP_REL_OTHER = 6,
};

// One dependant of the family.
struct DependantInfo
{
    static constexpr int kInfirmWithDisabilityAmount = 2;

    CString firstName;        // kept whole, any length up to the stored bound
    CString lastName;
    int relationship = DEP_REL_NONE;
    QDate dateOfBirth;        // invalid = not entered
    double netIncome = 0.0;   // the dependant's net income for the year
    int infirm = 0;           // non-zero: dependent because of an impairment;
                              // kInfirmWithDisabilityAmount: also eligible
                              // for the disability amount (approved T2201)
    CString sin;              // social insurance number, as entered
    CString note;             // free text the interview keeps with the entry
    double count = 0.0;       // the count the interview keeps with the entry

    bool operator==(const DependantInfo& other) const;
    bool operator!=(const DependantInfo& other) const { return !(*this == other); }

    // The entry describes someone (a name, a relationship or a birth date).
    // Inline with the numbers first: the calculation asks it of every entry
    // of the table several times a pass, and most entries are empty.
    bool isUsed() const
    {
        return relationship != DEP_REL_NONE || dateOfBirth.isValid()
            || ((!firstName.isEmpty() || !lastName.isEmpty()) && hasNameText());
    }
    bool isChild() const;
    // Age at December 31 of the tax year; -1 without a valid birth date.
    int ageAtYearEnd() const;

private:
    // A name holds anything but blanks.
    bool hasNameText() const;
};

// The family's dependant table: normally 12 entries, shared by both spouses.
struct DependantInfoStruct
{
public:
    static constexpr int kStandardCount = 12;
    // Bounds for reading: no table larger than this, no text longer.
    static constexpr int kMaxEntries = 64;
    static constexpr int kMaxTextLength = 1024; // UTF-16 code units

    DependantInfoStruct() = default;
    explicit DependantInfoStruct(int count) { AllocData(count); }

    // Makes the table hold at least count entries (never shrinks it, so
    // extending a table keeps what it holds); count is capped at kMaxEntries.
    void AllocData(int count);
    // Empties the table.
    void FreeData();
    int GetCount() const { return int(m_entries.size()); }

    // Null for an index outside the table. Inline: every calculation pass
    // walks the table several times.
    DependantInfo* GetAt(int index)
    {
        return index >= 0 && index < GetCount() ? &m_entries[size_t(index)] : nullptr;
    }
    const DependantInfo* GetAt(int index) const
    {
        return index >= 0 && index < GetCount() ? &m_entries[size_t(index)] : nullptr;
    }

    bool operator==(const DependantInfoStruct& other) const { return m_entries == other.m_entries; }
    bool operator!=(const DependantInfoStruct& other) const { return !(*this == other); }

    // Counters. Ages are at December 31 of the tax year; an entry without a
    // birth date has no age and is counted only where no age is asked.
    // Children (sons, daughters, grandchildren) aged from to to, inclusive.
    int GetDepChildrenNumberBetweenAges(int from, int to) const;
    // Children aged from to to whose infirm mark equals infirm.
    int GetDepChildrenNumberBetweenAges_Infirm(int from, int to, bool infirm) const;
    // Dependants of any relationship aged from to to.
    int GetDepNumberBetweenAges(int from, int to) const;
    // Infirm dependants aged age or over; a negative age counts every infirm
    // dependant, with or without a birth date.
    int GetInfirmDependantsNumberNotUnderAge(int age) const;
    // Infirm dependants under 18.
    int GetInfirmDependentNumberUnderAge18() const;
    // Children under 19, the qualified dependants of the GST/HST credit.
    int GetDepChildrenNumberForLine305() const;
    // Other relatives who could be an eligible dependant: a parent or
    // grandparent, or another relative under 18 or infirm.
    int GetDepOtherThanChildrenNumberForLine305() const;

    // Writes or reads the table as one block: int32 byte length, then the
    // payload (format version, entry count, entries). Reading checks every
    // length against its bound, consumes exactly the block, and on any
    // failure leaves the table unchanged, sets the stream's status and
    // returns false. The file version is accepted for the caller's sake;
    // the block carries its own format version.
    bool serilize(int version, MyDataStream& stream);

private:
    bool write(MyDataStream& stream) const;
    bool read(MyDataStream& stream);

    std::vector<DependantInfo> m_entries;
};
