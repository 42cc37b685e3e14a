#include "companion/forms/fieldowner.h"

#include <QBuffer>
#include <QSet>

#include "companion/forms/cfield.h"
#include "companion/forms/fields.h"
#include "companion/forms/mydatastream.h"
#include "companion/rules/money.h"

namespace {

constexpr quint32 kEntryHeaderBytes = 2 + 1 + 4;
constexpr quint32 kPayloadHeaderBytes = 2 + 2;
constexpr int kReadChunk = 64 * 1024;

// Reads exactly length bytes in chunks, so that a length that lies about
// the data behind it costs no more memory than the data really there.
bool readBounded(QDataStream& in, quint32 length, QByteArray& out)
{
    out.clear();
    while (quint32(out.size()) < length) {
        const int chunk = int(qMin<quint32>(kReadChunk, length - quint32(out.size())));
        const int old = out.size();
        out.resize(old + chunk);
        const int got = in.readRawData(out.data() + old, chunk);
        if (got != chunk) {
            out.resize(old + qMax(got, 0));
            return false;
        }
    }
    return true;
}

void failStream(QDataStream& in, QDataStream::Status status)
{
    // setStatus keeps an earlier failure; make sure ours shows.
    if (in.status() == QDataStream::Ok)
        in.setStatus(status);
}

}  // namespace

void CFieldOwner::registerField(CField* field)
{
    if (!field)
        return;
    if (field->m_id == 0)
        field->m_id = int(m_listFields.size()) + 1;
    if (!*field->m_section && !m_listFields.empty())
        field->m_section = m_listFields.back()->m_section;
    m_listFields.push_back(field);
}

CField* CFieldOwner::findField(const QString& name) const
{
    for (CField* f : m_listFields)
        if (f->hasName(name))
            return f;
    return nullptr;
}

CField* CFieldOwner::findFieldById(int id) const
{
    for (CField* f : m_listFields)
        if (f->id() == id)
            return f;
    return nullptr;
}

bool CFieldOwner::sameTableAs(const CFieldOwner& other) const
{
    if (m_listFields.size() != other.m_listFields.size())
        return false;
    for (size_t i = 0; i < m_listFields.size(); ++i)
        if (m_listFields[i]->id() != other.m_listFields[i]->id()
            || m_listFields[i]->kind() != other.m_listFields[i]->kind())
            return false;
    return true;
}

void CFieldOwner::copyFieldsFrom(const CFieldOwner& other)
{
    if (&other == this)
        return;
    if (sameTableAs(other)) {
        for (size_t i = 0; i < m_listFields.size(); ++i)
            m_listFields[i]->copyValueFrom(*other.m_listFields[i]);
        return;
    }
    for (CField* f : m_listFields)
        if (const CField* src = other.findFieldById(f->id()))
            f->copyValueFrom(*src);
}

bool CFieldOwner::anyFieldDiffers(const CFieldOwner& other) const
{
    if (&other == this)
        return false;
    if (sameTableAs(other)) {
        for (size_t i = 0; i < m_listFields.size(); ++i)
            if (!m_listFields[i]->equals(*other.m_listFields[i]))
                return true;
        return false;
    }
    for (const CField* f : m_listFields) {
        const CField* o = other.findFieldById(f->id());
        if (!o || !f->equals(*o))
            return true;
    }
    return m_listFields.size() != other.m_listFields.size();
}

void CFieldOwner::resetFields(unsigned onlyWithFlags)
{
    for (CField* f : m_listFields)
        if (onlyWithFlags == 0 || f->hasFlag(onlyWithFlags))
            f->reset();
}

void CFieldOwner::fillFieldsWithTestData()
{
    for (CField* f : m_listFields)
        f->fillTestValue(f->id());
}

void CFieldOwner::roundMoneyFields()
{
    for (CField* f : m_listFields)
        if (f->isMoney()) {
            double& value = static_cast<CFloatField*>(f)->m_value;
            value = taxrules::roundCents(value);
        }
}

bool CFieldOwner::checkFieldTable(QString* problem) const
{
    QSet<int> ids;
    QSet<QString> names;
    for (const CField* f : m_listFields) {
        QString why;
        const QString name = f->name();
        if (f->id() <= 0 || f->id() > 0xFFFF)
            why = QStringLiteral("field %1 has id %2, outside 1 to 65535").arg(name).arg(f->id());
        else if (ids.contains(f->id()))
            why = QStringLiteral("field %1 reuses id %2").arg(name).arg(f->id());
        else if (name.isEmpty())
            why = QStringLiteral("field with id %1 has no name").arg(f->id());
        else if (names.contains(name))
            why = QStringLiteral("field name %1 is used twice").arg(name);
        if (!why.isEmpty()) {
            if (problem)
                *problem = why;
            return false;
        }
        ids.insert(f->id());
        names.insert(name);
    }
    return true;
}

bool CFieldOwner::writeExtraData(QDataStream&) const
{
    return false;
}

bool CFieldOwner::readExtraData(QDataStream&, quint16)
{
    return true;
}

int CFieldOwner::storeFields(QDataStream& out) const
{
    QByteArray payload;
    {
        MyDataStream body(&payload, QIODevice::WriteOnly);
        QIODevice* dev = body.device();
        body << kSerialFormat << fieldDataVersion();
        // Each entry's size is patched in after its value is written.
        auto writeEntry = [&](quint16 id, quint8 kind, auto&& writeValue) {
            const qint64 headerAt = dev->pos();
            body << id << kind << quint32(0);
            const qint64 valueAt = dev->pos();
            writeValue();
            const qint64 endAt = dev->pos();
            dev->seek(headerAt + 3);
            body << quint32(endAt - valueAt);
            dev->seek(endAt);
            return endAt > valueAt;
        };
        for (const CField* f : m_listFields)
            writeEntry(quint16(f->id()), quint8(f->kind()), [&] { f->writeValue(body); });
        const qint64 extraAt = dev->pos();
        bool hasExtra = false;
        writeEntry(0, 0, [&] { hasExtra = writeExtraData(body); });
        if (!hasExtra) {
            // No extra block: drop its header again.
            payload.truncate(int(extraAt));
            dev->seek(extraAt);
        }
    }
    out << quint32(payload.size());
    out.writeRawData(payload.constData(), payload.size());
    return out.status() == QDataStream::Ok ? SerialOk : SerialStreamFailed;
}

int CFieldOwner::loadFields(QDataStream& in, unsigned fileVersion)
{
    resetFields();
    clearExtraData();
    if (in.status() != QDataStream::Ok)
        return SerialStreamFailed;
    quint32 length = 0;
    in >> length;
    if (in.status() != QDataStream::Ok)
        return SerialStreamFailed;
    if (length > kMaxObjectBytes || length < kPayloadHeaderBytes) {
        failStream(in, QDataStream::ReadCorruptData);
        return SerialLengthRefused;
    }
    QByteArray payload;
    if (!readBounded(in, length, payload)) {
        failStream(in, QDataStream::ReadPastEnd);
        return SerialStreamFailed;
    }
    const int result = parsePayload(payload, fileVersion);
    if (result != SerialOk) {
        resetFields();
        clearExtraData();
        failStream(in, QDataStream::ReadCorruptData);
    }
    return result;
}

int CFieldOwner::parsePayload(const QByteArray& payload, unsigned fileVersion)
{
    // The reader sees only this object's bytes: nothing inside can reach the next item.
    MyDataStream body(const_cast<QByteArray*>(&payload), QIODevice::ReadOnly);
    QIODevice* dev = body.device();
    quint16 format = 0;
    quint16 dataVersion = 0;
    body >> format >> dataVersion;
    if (format > kSerialFormat)
        return SerialNewerFormat;

    // Tables written by this class come back in the same order: try the
    // next field in the list before searching.
    size_t expected = 0;
    auto fieldFor = [&](int id) -> CField* {
        if (expected < m_listFields.size() && m_listFields[expected]->id() == id)
            return m_listFields[expected++];
        for (size_t i = 0; i < m_listFields.size(); ++i)
            if (m_listFields[i]->id() == id) {
                expected = i + 1;
                return m_listFields[i];
            }
        return nullptr;
    };

    quint32 pos = kPayloadHeaderBytes;
    const quint32 end = quint32(payload.size());
    while (pos < end) {
        if (end - pos < kEntryHeaderBytes)
            return SerialPayloadMalformed;
        quint16 id = 0;
        quint8 kind = 0;
        quint32 size = 0;
        body >> id >> kind >> size;
        pos += kEntryHeaderBytes;
        if (size > end - pos)
            return SerialPayloadMalformed;
        if (id == 0 && kind == 0) {
            QByteArray extra = payload.mid(int(pos), int(size));
            MyDataStream e(&extra, QIODevice::ReadOnly);
            if (!readExtraData(e, dataVersion) || e.status() != QDataStream::Ok)
                return SerialPayloadMalformed;
        } else if (CField* f = fieldFor(id)) {
            // A value of another kind (the field changed kind since) or one
            // whose bytes make no value leaves the field at its start value.
            if (quint8(f->kind()) == kind && !f->readValue(body, size, fileVersion))
                f->reset();
        }
        pos += size;
        body.resetStatus();
        dev->seek(pos);
    }
    return SerialOk;
}
