#include "companion/forms/boundedblock.h"

#include "companion/forms/mydatastream.h"

namespace BoundedBlock {

bool write(MyDataStream& out, int maxBytes, const std::function<void(MyDataStream&)>& fill)
{
    if (out.status() != QDataStream::Ok)
        return false;
    QByteArray payload;
    {
        MyDataStream inner(&payload, QIODevice::WriteOnly);
        fill(inner);
        if (inner.status() != QDataStream::Ok)
            return false;
    }
    if (payload.size() > maxBytes)
        return false;
    out << qint32(payload.size());
    if (out.writeRawData(payload.constData(), payload.size()) != payload.size()) {
        out.setStatus(QDataStream::WriteFailed);
        return false;
    }
    return out.status() == QDataStream::Ok;
}

bool read(MyDataStream& in, int maxBytes, QByteArray& payload)
{
    if (in.status() != QDataStream::Ok)
        return false;
    qint32 length = -1;
    in >> length;
    if (in.status() != QDataStream::Ok)
        return false;
    if (length < 0 || length > maxBytes) {
        in.setStatus(QDataStream::ReadCorruptData);
        return false;
    }
    QByteArray bytes(length, Qt::Uninitialized);
    if (length > 0 && in.readRawData(bytes.data(), length) != length) {
        in.setStatus(QDataStream::ReadPastEnd);
        return false;
    }
    payload = bytes;
    return true;
}

void writeText(MyDataStream& out, const CString& text, int maxLength)
{
    QString kept = text;
    if (kept.size() > maxLength) {
        int cut = maxLength;
        if (cut > 0 && kept.at(cut - 1).isHighSurrogate())
            --cut;
        kept.truncate(cut);
    }
    const QByteArray utf8 = kept.toUtf8();
    out << qint32(utf8.size());
    out.writeRawData(utf8.constData(), utf8.size());
}

bool readText(MyDataStream& in, CString& text, int maxLength)
{
    qint32 length = -1;
    in >> length;
    // A UTF-16 code unit never needs more than three UTF-8 bytes.
    if (in.status() != QDataStream::Ok || length < 0 || length > 3 * maxLength) {
        if (in.status() == QDataStream::Ok)
            in.setStatus(QDataStream::ReadCorruptData);
        return false;
    }
    QByteArray utf8(length, Qt::Uninitialized);
    if (length > 0 && in.readRawData(utf8.data(), length) != length) {
        in.setStatus(QDataStream::ReadPastEnd);
        return false;
    }
    const QString decoded = QString::fromUtf8(utf8);
    if (decoded.size() > maxLength) {
        in.setStatus(QDataStream::ReadCorruptData);
        return false;
    }
    text = decoded;
    return true;
}

} // namespace BoundedBlock
