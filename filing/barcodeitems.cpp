#include "filing/barcodeitems.h"

#include <cstring>

#include "companion/forms/mydatastream.h"

QByteArray barcodeBytes(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            bytes.append('?');
            ++i;
        } else {
            bytes.append(c.unicode() <= 0xFF ? char(c.unicode()) : '?');
        }
    }
    return bytes;
}

void CMemoryBlock::Append(const char* text)
{
    if (text)
        m_bytes.append(text, int(std::strlen(text)));
}

void CMemoryBlock::Append(const char* bytes, int n)
{
    if (bytes && n > 0)
        m_bytes.append(bytes, n);
}

bool CMemoryBlock::WriteToT1BarcodeArchive(MyDataStream& ar) const
{
    ar << qint32(m_bytes.size());
    if (ar.writeRawData(m_bytes.constData(), m_bytes.size()) != m_bytes.size())
        return false;
    return ar.status() == QDataStream::Ok;
}

FixedBarcodeItem::FixedBarcodeItem(List_FixedBarcodeItem* list, int width, const char* initial)
    : m_width(width > 0 ? width : 0), m_text(m_width, ' ')
{
    if (initial)
        SetValue(initial);
    if (list)
        list->m_items.push_back(this);
}

void FixedBarcodeItem::place(const QByteArray& bytes, char pad, bool right)
{
    m_text.fill(pad, m_width);
    const int n = qMin(bytes.size(), m_width); // longer values are cut on the right
    std::memcpy(m_text.data() + (right ? m_width - n : 0), bytes.constData(), size_t(n));
}

void FixedBarcodeItem::SetValue(const char* utf8) { SetValue(CString(utf8 ? utf8 : "")); }
void FixedBarcodeItem::SetValue(const CString& value) { place(barcodeBytes(value), ' ', false); }
void FixedBarcodeItem::SetValueLeftPadding(const CString& value, char pad) { place(barcodeBytes(value), pad, true); }
void FixedBarcodeItem::SetValueLeftPadding(const char* utf8, char pad)
{
    SetValueLeftPadding(CString(utf8 ? utf8 : ""), pad);
}
void FixedBarcodeItem::SetValueRightPadding(const CString& value, char pad) { place(barcodeBytes(value), pad, false); }
void FixedBarcodeItem::SetValueRightPadding(const char* utf8, char pad)
{
    SetValueRightPadding(CString(utf8 ? utf8 : ""), pad);
}
void FixedBarcodeItem::SetAllCharsTo(char c) { m_text.fill(c, m_width); }

void List_FixedBarcodeItem::OutputToMemoryBlock(CMemoryBlock& block) const
{
    for (const FixedBarcodeItem* item : m_items)
        block.Append(item->text());
}

int List_FixedBarcodeItem::totalWidth() const
{
    int total = 0;
    for (const FixedBarcodeItem* item : m_items)
        total += item->width();
    return total;
}
