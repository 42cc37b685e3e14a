#pragma once

#include "companion/core/cstring.h"

#include <vector>

class MyDataStream;

// A small set of strings that a person record keeps beside its items (the
// read password first, then the record's marker text). They are written and
// read together as one self-delimiting archive.
class CReservedArea
{
public:
    static constexpr int kMinStrings = 2;
    // Bounds for reading and writing.
    static constexpr int kMaxStrings = 32;
    static constexpr int kMaxTextLength = 1024; // UTF-16 code units

    CReservedArea();

    int GetCount() const { return int(m_strings.size()); }
    // Index 0 is the first string; "" for an index outside the area.
    CString GetString(int index) const;
    // Grows the area as needed; false (nothing changed) for a negative index
    // or one at or beyond kMaxStrings.
    bool SetString(int index, const CString& text);
    void Clear();

    bool operator==(const CReservedArea& other) const { return m_strings == other.m_strings; }
    bool operator!=(const CReservedArea& other) const { return !(*this == other); }

    // int32 byte length, then the payload (format version, count, texts).
    // Texts longer than kMaxTextLength are cut on writing. Reading consumes
    // exactly the archive; on damage or truncation it leaves the area
    // unchanged, sets the stream's status and returns false.
    bool writeToArchive(MyDataStream& stream) const;
    bool readFromArchive(MyDataStream& stream);

private:
    std::vector<CString> m_strings;
};
