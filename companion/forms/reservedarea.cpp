#include "companion/forms/reservedarea.h"

#include "companion/forms/boundedblock.h"
#include "companion/forms/mydatastream.h"

namespace {

constexpr qint32 kFormatVersion = 1;
constexpr int kMaxPayloadBytes =
    8 + CReservedArea::kMaxStrings * (4 + 3 * CReservedArea::kMaxTextLength);

} // namespace

CReservedArea::CReservedArea()
    : m_strings(size_t(kMinStrings))
{
}

CString CReservedArea::GetString(int index) const
{
    return index >= 0 && index < GetCount() ? m_strings[size_t(index)] : CString();
}

bool CReservedArea::SetString(int index, const CString& text)
{
    if (index < 0 || index >= kMaxStrings)
        return false;
    if (index >= GetCount())
        m_strings.resize(size_t(index) + 1);
    m_strings[size_t(index)] = text;
    return true;
}

void CReservedArea::Clear()
{
    m_strings.assign(size_t(kMinStrings), CString());
}

bool CReservedArea::writeToArchive(MyDataStream& stream) const
{
    return BoundedBlock::write(stream, kMaxPayloadBytes, [this](MyDataStream& out) {
        out << kFormatVersion << qint32(GetCount());
        for (const CString& text : m_strings)
            BoundedBlock::writeText(out, text, kMaxTextLength);
    });
}

bool CReservedArea::readFromArchive(MyDataStream& stream)
{
    QByteArray payload;
    if (!BoundedBlock::read(stream, kMaxPayloadBytes, payload))
        return false;

    MyDataStream in(&payload, QIODevice::ReadOnly);
    qint32 format = 0, count = -1;
    in >> format >> count;
    bool ok = in.status() == QDataStream::Ok && format >= 1 && count >= 0 && count <= kMaxStrings;
    std::vector<CString> strings;
    for (int i = 0; ok && i < count; ++i) {
        CString text;
        ok = BoundedBlock::readText(in, text, kMaxTextLength);
        strings.push_back(text);
    }
    if (!ok) {
        stream.setStatus(QDataStream::ReadCorruptData);
        return false;
    }
    if (strings.size() < size_t(kMinStrings))
        strings.resize(size_t(kMinStrings));
    m_strings = std::move(strings);
    return true;
}
