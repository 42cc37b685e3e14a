#pragma once

// Builders of fixed-width barcode text: items of a fixed number of
// characters, the records made of them, and the byte buffer a barcode block
// is assembled in.
//
// Every character of an item is one byte (Latin-1; a character Latin-1 does
// not have becomes '?'), so a record's length in bytes is the sum of its
// widths whatever the names and addresses hold, and the positions a barcode
// reader counts stay where they belong. A value longer than its item is cut
// on the right.

#include <QByteArray>
#include <vector>

#include "companion/core/cstring.h"

class MyDataStream;
class List_FixedBarcodeItem;

// A growable byte buffer.
class CMemoryBlock
{
public:
    CMemoryBlock() = default;

    // Empties the block for reuse.
    void Init() { m_bytes.clear(); }
    // The characters before the terminating NUL (nothing for null).
    void Append(const char* text);
    void Append(const char* bytes, int n);
    void Append(const QByteArray& bytes) { m_bytes.append(bytes); }

    // The block as an archive entry: its byte count (qint32), then the bytes.
    // False when the stream failed.
    bool WriteToT1BarcodeArchive(MyDataStream& ar) const;

    const QByteArray& bytes() const { return m_bytes; }
    int size() const { return m_bytes.size(); }

private:
    QByteArray m_bytes;
};

// One field of a fixed width with its current value, always exactly width
// bytes.
class FixedBarcodeItem
{
public:
    // Appends the item to list (records construct their items in record
    // order). A null initial value leaves the item blank (spaces).
    FixedBarcodeItem(List_FixedBarcodeItem* list, int width, const char* initial);
    FixedBarcodeItem(const FixedBarcodeItem&) = delete;
    FixedBarcodeItem& operator=(const FixedBarcodeItem&) = delete;

    // The value left-aligned, blanks after it.
    void SetValue(const char* utf8);
    void SetValue(const CString& value);
    // The value right-aligned, pad before it.
    void SetValueLeftPadding(const CString& value, char pad);
    void SetValueLeftPadding(const char* utf8, char pad);
    // The value left-aligned, pad after it.
    void SetValueRightPadding(const CString& value, char pad);
    void SetValueRightPadding(const char* utf8, char pad);
    // width copies of c.
    void SetAllCharsTo(char c);

    int width() const { return m_width; }
    const QByteArray& text() const { return m_text; }

private:
    void place(const QByteArray& bytes, char pad, bool right);

    int m_width;
    QByteArray m_text;
};

// The ordered items of one record; record classes derive from it.
class List_FixedBarcodeItem
{
public:
    List_FixedBarcodeItem() = default;
    List_FixedBarcodeItem(const List_FixedBarcodeItem&) = delete;
    List_FixedBarcodeItem& operator=(const List_FixedBarcodeItem&) = delete;
    virtual ~List_FixedBarcodeItem() = default;

    // Each item's text in list order, exactly its width each.
    void OutputToMemoryBlock(CMemoryBlock& block) const;
    // The sum of the widths: the length of every output.
    int totalWidth() const;
    // Items counted from 1, as the record tables number them.
    const FixedBarcodeItem& item(int number) const { return *m_items.at(size_t(number - 1)); }
    int itemCount() const { return int(m_items.size()); }

private:
    friend class FixedBarcodeItem;
    std::vector<FixedBarcodeItem*> m_items;
};

// One byte per character: Latin-1, '?' for a character it lacks (a pair of
// surrogates is one character).
QByteArray barcodeBytes(const QString& text);
