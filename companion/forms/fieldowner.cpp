#include "companion/forms/fieldowner.h"

#include <QBuffer>
#include <QSet>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <mutex>
#include <typeinfo>
#include <unordered_map>

#include "companion/forms/cfield.h"
#include "companion/forms/fields.h"
#include "companion/forms/mydatastream.h"
#include "companion/rules/money.h"

namespace {

constexpr quint32 kEntryHeaderBytes = 2 + 1 + 4;
constexpr quint32 kPayloadHeaderBytes = 2 + 2;
constexpr int kReadChunk = 64 * 1024;
constexpr size_t kFirstTableRoom = 64;

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
    if (m_index || m_indexChecked || m_nameHits)
        forgetFieldIndex();
    if (m_groups)
        forgetFieldGroups();
    // A table has dozens to hundreds of fields: start with room for a few
    // dozen rather than growing one, two, four... while the object is built.
    if (m_listFields.capacity() == 0)
        m_listFields.reserve(kFirstTableRoom);
    field->m_owner = this;
    if (field->m_id == 0)
        field->m_id = int(m_listFields.size()) + 1;
    if (!*field->m_section && !m_listFields.empty())
        field->m_section = m_listFields.back()->m_section;
    m_listFields.push_back(field);
}

// ---- The index of a field table -------------------------------------------
//
// Every object of a class registers the same fields in the same order, so
// one index serves them all; it is kept per class (and table length) for the
// run. It never takes the place of the table: a hit is checked against the
// object's own field, and before an object's first miss is believed its whole
// table is compared with the index, so an object whose table differs (fields
// added or renamed after construction) gets an index of its own.

namespace {

// FNV-1a over the characters of a name, the same for a QString and for the
// Latin-1 bytes of a built-in name.
quint32 nameHash(const QChar* text, int length)
{
    quint32 h = 2166136261u;
    for (int i = 0; i < length; ++i)
        h = (h ^ text[i].unicode()) * 16777619u;
    return h;
}

quint32 nameHash(const char* text, int length)
{
    quint32 h = 2166136261u;
    for (int i = 0; i < length; ++i)
        h = (h ^ quint32(quint8(text[i]))) * 16777619u;
    return h;
}

quint32 nameHash(const QString& name) { return nameHash(name.constData(), name.size()); }
quint32 nameHash(QLatin1String name) { return nameHash(name.data(), name.size()); }

// Ids this far above the table's length are looked up by search, not by slot.
constexpr int kDenseIdSlack = 512;

}  // namespace

struct CFieldOwner::FieldIndex
{
    // Slot per id (position + 1, 0 for none) when the ids are small, else an
    // open-addressing table of (id, position), position -1 for an empty
    // entry, at most half full: a sparse table (the T1's line numbers) is
    // looked up in one or two probes.
    std::vector<qint32> byIdSlots;
    std::vector<std::pair<int, qint32>> byIdHash;
    int hashShift = 32;
    // (name hash, position) sorted by hash, then position.
    std::vector<std::pair<quint32, qint32>> byName;
    // The table the index was built from, to compare another object's with.
    std::vector<int> ids;
    std::vector<const char*> names;
    bool hasOwnNames = false;

    explicit FieldIndex(const std::vector<CField*>& table);
    // Position of the first field with the id, or -1.
    int positionOf(int id) const;
    // Fibonacci hashing: the top bits of the product spread close ids apart.
    size_t idSlot(int id) const { return size_t((quint32(id) * 2654435769u) >> hashShift); }
    bool fits(const std::vector<CField*>& table) const;
};

CFieldOwner::FieldIndex::FieldIndex(const std::vector<CField*>& table)
{
    const int count = int(table.size());
    int highest = 0;
    ids.reserve(table.size());
    names.reserve(table.size());
    byName.reserve(table.size());
    for (int i = 0; i < count; ++i) {
        const CField* f = table[size_t(i)];
        ids.push_back(f->m_id);
        names.push_back(f->m_name);
        hasOwnNames = hasOwnNames || f->m_ownName;
        highest = std::max(highest, f->m_id);
        const quint32 h = f->m_ownName ? nameHash(*f->m_ownName)
                                          : nameHash(f->m_name, int(std::strlen(f->m_name)));
        byName.emplace_back(h, i);
    }
    std::sort(byName.begin(), byName.end());
    if (highest <= count + kDenseIdSlack) {
        byIdSlots.assign(size_t(highest) + 1, 0);
        // Backwards, so the first of two fields with one id keeps the slot.
        for (int i = count - 1; i >= 0; --i)
            if (ids[size_t(i)] >= 0)
                byIdSlots[size_t(ids[size_t(i)])] = i + 1;
    } else {
        int bits = 1;
        while ((1 << bits) < 2 * count)
            ++bits;
        hashShift = 32 - bits;
        byIdHash.assign(size_t(1) << bits, {0, -1});
        const size_t mask = byIdHash.size() - 1;
        // In table order, so the first of two fields with one id keeps the entry.
        for (int i = 0; i < count; ++i) {
            const int id = ids[size_t(i)];
            size_t slot = idSlot(id);
            while (byIdHash[slot].second >= 0 && byIdHash[slot].first != id)
                slot = (slot + 1) & mask;
            if (byIdHash[slot].second < 0)
                byIdHash[slot] = {id, i};
        }
    }
}

int CFieldOwner::FieldIndex::positionOf(int id) const
{
    if (!byIdSlots.empty() || byIdHash.empty()) {
        if (id < 0 || size_t(id) >= byIdSlots.size())
            return -1;
        return byIdSlots[size_t(id)] - 1;
    }
    const size_t mask = byIdHash.size() - 1;
    for (size_t slot = idSlot(id);; slot = (slot + 1) & mask) {
        const std::pair<int, qint32>& entry = byIdHash[slot];
        if (entry.second < 0)
            return -1;
        if (entry.first == id)
            return entry.second;
    }
}

bool CFieldOwner::FieldIndex::fits(const std::vector<CField*>& table) const
{
    if (hasOwnNames || table.size() != ids.size())
        return false;
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i]->m_id != ids[i] || table[i]->m_name != names[i] || table[i]->m_ownName)
            return false;
    return true;
}

const CFieldOwner::FieldIndex& CFieldOwner::fieldIndex() const
{
    if (m_index)
        return *m_index;
    // Keyed by the class's type information and table length; the key is
    // only compared, never followed, so a class of a plug-in that was
    // unloaded since leaves a stale entry and no dangling reference.
    using Key = std::pair<const void*, size_t>;
    struct KeyHash {
        size_t operator()(const Key& k) const { return std::hash<const void*>()(k.first) ^ (k.second * 0x9E3779B9u); }
    };
    static std::mutex lock;
    static std::unordered_map<Key, std::shared_ptr<const FieldIndex>, KeyHash> perClass;
    const Key key(&typeid(*this), m_listFields.size());
    std::lock_guard<std::mutex> guard(lock);
    std::shared_ptr<const FieldIndex>& shared = perClass[key];
    if (!shared)
        shared = std::make_shared<const FieldIndex>(m_listFields);
    m_indexChecked = false;
    return useFieldIndex(shared);
}

const CFieldOwner::FieldIndex& CFieldOwner::ownFieldIndex() const
{
    m_indexChecked = true;
    return useFieldIndex(std::make_shared<const FieldIndex>(m_listFields));
}

const CFieldOwner::FieldIndex& CFieldOwner::useFieldIndex(std::shared_ptr<const FieldIndex> index) const
{
    m_index = std::move(index);
    m_idSlots = m_index->byIdSlots.empty() ? nullptr : m_index->byIdSlots.data();
    m_idSlotCount = quint32(m_index->byIdSlots.size());
    return *m_index;
}

void CFieldOwner::forgetFieldIndex()
{
    // Called for every field an object registers: nothing to drop is the rule.
    if (m_index)
        m_index.reset();
    m_idSlots = nullptr;
    m_idSlotCount = 0;
    m_indexChecked = false;
    m_nameHits.reset();
}

template <typename Name>
qint32 CFieldOwner::positionByName(const Name& name) const
{
    const FieldIndex* index = &fieldIndex();
    for (;;) {
        const quint32 h = nameHash(name);
        auto it = std::lower_bound(index->byName.begin(), index->byName.end(), std::make_pair(h, qint32(-1)));
        for (; it != index->byName.end() && it->first == h; ++it) {
            CField* f = size_t(it->second) < m_listFields.size() ? m_listFields[size_t(it->second)] : nullptr;
            if (f && f->hasName(name))
                return it->second;
        }
        // A miss, or a hit that is not this object's field: compare the
        // whole table once, then trust the index or build one of our own.
        if (m_indexChecked)
            return -1;
        if (index->fits(m_listFields)) {
            m_indexChecked = true;
            return -1;
        }
        index = &ownFieldIndex();
    }
}

struct CFieldOwner::NameHits
{
    struct Hit {
        const void* key = nullptr;
        int length = -1;
        qint32 position = -1;
    };
    static constexpr int kBits = 6;
    Hit hits[1 << kBits];

    Hit& slotOf(const void* key)
    {
        // Fibonacci hashing of the address: neighbouring constants spread.
        const quint64 bits = quint64(reinterpret_cast<quintptr>(key)) * 0x9E3779B97F4A7C15ull;
        return hits[bits >> (64 - kBits)];
    }
};

CFieldOwner::CFieldOwner() = default;

CFieldOwner::~CFieldOwner() = default;

namespace {

const void* charactersOf(const QString& name) { return name.constData(); }
const void* charactersOf(QLatin1String name) { return name.data(); }

} // namespace

template <typename Name>
CField* CFieldOwner::findByName(const Name& name) const
{
    const void* key = charactersOf(name);
    if (m_nameHits) {
        const NameHits::Hit& hit = m_nameHits->slotOf(key);
        if (hit.key == key && hit.length == name.size() && size_t(hit.position) < m_listFields.size()) {
            CField* f = m_listFields[size_t(hit.position)];
            if (f->hasName(name))
                return f;
        }
    }
    const qint32 position = positionByName(name);
    if (position < 0)
        return nullptr;
    if (!m_nameHits)
        m_nameHits = std::make_unique<NameHits>();
    NameHits::Hit& hit = m_nameHits->slotOf(key);
    hit.key = key;
    hit.length = name.size();
    hit.position = position;
    return m_listFields[size_t(position)];
}

CField* CFieldOwner::findField(const QString& name) const { return findByName(name); }

CField* CFieldOwner::findField(QLatin1String name) const { return findByName(name); }

CField* CFieldOwner::findFieldByIdFully(int id) const
{
    const FieldIndex* index = &fieldIndex();
    for (;;) {
        const int at = index->positionOf(id);
        if (at >= 0 && size_t(at) < m_listFields.size() && m_listFields[size_t(at)]->m_id == id)
            return m_listFields[size_t(at)];
        if (m_indexChecked)
            return nullptr;
        if (index->fits(m_listFields)) {
            m_indexChecked = true;
            return nullptr;
        }
        index = &ownFieldIndex();
    }
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

struct CFieldOwner::FieldGroups
{
    std::vector<double*> moneyValues;
    // The computed fields: the numbers (most of them), reset without a
    // virtual call, and the others.
    std::vector<CFloatField*> computedNumbers;
    std::vector<CField*> computedOthers;
};

const CFieldOwner::FieldGroups& CFieldOwner::fieldGroups() const
{
    if (!m_groups) {
        auto groups = std::make_shared<FieldGroups>();
        // Counted first: every object of a return draws its lists once, and
        // growing them entry by entry costs more than the walk.
        size_t money = 0, computedNumbers = 0, computedOthers = 0;
        for (const CField* f : m_listFields) {
            money += f->isMoney() ? 1 : 0;
            if (f->hasFlag(FieldComputed))
                ++(f->kind() == FieldKind::Float ? computedNumbers : computedOthers);
        }
        groups->moneyValues.reserve(money);
        groups->computedNumbers.reserve(computedNumbers);
        groups->computedOthers.reserve(computedOthers);
        for (CField* f : m_listFields) {
            if (f->isMoney())
                groups->moneyValues.push_back(&static_cast<CFloatField*>(f)->m_value);
            if (!f->hasFlag(FieldComputed))
                continue;
            if (f->kind() == FieldKind::Float)
                groups->computedNumbers.push_back(static_cast<CFloatField*>(f));
            else
                groups->computedOthers.push_back(f);
        }
        m_groups = std::move(groups);
    }
    return *m_groups;
}

void CFieldOwner::forgetFieldGroups()
{
    m_groups.reset();
}

void CFieldOwner::resetFields(unsigned onlyWithFlags)
{
    if (onlyWithFlags == FieldComputed) {
        const FieldGroups& groups = fieldGroups();
        for (CFloatField* f : groups.computedNumbers)
            f->CFloatField::reset();
        for (CField* f : groups.computedOthers)
            f->reset();
        return;
    }
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
    for (double* value : fieldGroups().moneyValues)
        *value = taxrules::roundCents(*value);
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
    // The fields go back to their start values as the payload is read
    // (parsePayload); a read that fails before it resets them here.
    clearExtraData();
    if (in.status() != QDataStream::Ok) {
        resetFields();
        return SerialStreamFailed;
    }
    quint32 length = 0;
    in >> length;
    if (in.status() != QDataStream::Ok) {
        resetFields();
        return SerialStreamFailed;
    }
    if (length > kMaxObjectBytes || length < kPayloadHeaderBytes) {
        resetFields();
        failStream(in, QDataStream::ReadCorruptData);
        return SerialLengthRefused;
    }
    // A stream over bytes already in memory (a return file is read whole
    // first) is parsed where the bytes lie and stepped over, instead of
    // being copied out a second time.
    int result = SerialOk;
    QBuffer* const memory = qobject_cast<QBuffer*>(in.device());
    if (memory && memory->isReadable() && memory->pos() + length <= memory->size()) {
        const qint64 at = memory->pos();
        result = parsePayload(memory->data().constData() + at, length, fileVersion);
        memory->seek(at + length);
    } else {
        QByteArray payload;
        if (!readBounded(in, length, payload)) {
            resetFields();
            failStream(in, QDataStream::ReadPastEnd);
            return SerialStreamFailed;
        }
        result = parsePayload(payload.constData(), length, fileVersion);
    }
    if (result != SerialOk) {
        resetFields();
        clearExtraData();
        failStream(in, QDataStream::ReadCorruptData);
    }
    return result;
}

int CFieldOwner::parsePayload(const char* data, quint32 end, unsigned fileVersion)
{
    // The reader sees only this object's bytes: nothing inside can reach the
    // next item. The entries are decoded from the bytes themselves (the file
    // is little-endian), each bounded by the payload's end.
    const quint16 format = qFromLittleEndian<quint16>(data);
    const quint16 dataVersion = qFromLittleEndian<quint16>(data + 2);
    if (format > kSerialFormat)
        return SerialNewerFormat;

    // Tables written by this class come back in the same order: try the
    // next field in the list before searching. The position found, or -1.
    size_t expected = 0;
    auto positionOf = [&](int id) -> std::ptrdiff_t {
        if (expected < m_listFields.size() && m_listFields[expected]->id() == id)
            return std::ptrdiff_t(expected++);
        for (size_t i = 0; i < m_listFields.size(); ++i)
            if (m_listFields[i]->id() == id) {
                expected = i + 1;
                return std::ptrdiff_t(i);
            }
        return -1;
    };
    // Every field ends at its start value unless an entry sets it. Rather
    // than resetting them all before the walk, a field is reset when the
    // walk first passes it: fields before `passed` have been reset or set,
    // and a field an entry sets on the first visit needs no reset first.
    size_t passed = 0;
    auto passTo = [&](size_t end) {
        for (; passed < end; ++passed)
            m_listFields[passed]->reset();
    };

    quint32 pos = kPayloadHeaderBytes;
    while (pos < end) {
        if (end - pos < kEntryHeaderBytes)
            return SerialPayloadMalformed;
        const quint16 id = qFromLittleEndian<quint16>(data + pos);
        const quint8 kind = quint8(data[pos + 2]);
        const quint32 size = qFromLittleEndian<quint32>(data + pos + 3);
        pos += kEntryHeaderBytes;
        if (size > end - pos)
            return SerialPayloadMalformed;
        if (id == 0 && kind == 0) {
            QByteArray extra(data + pos, int(size));
            MyDataStream e(&extra, QIODevice::ReadOnly);
            if (!readExtraData(e, dataVersion) || e.status() != QDataStream::Ok)
                return SerialPayloadMalformed;
        } else if (const std::ptrdiff_t at = positionOf(id); at >= 0) {
            CField* f = m_listFields[size_t(at)];
            const bool firstVisit = size_t(at) >= passed;
            if (firstVisit) {
                passTo(size_t(at));
                ++passed;
            }
            // A value of another kind (the field changed kind since) or one
            // whose bytes make no value leaves the field at its start value
            // (or at what an earlier entry for it set).
            if (quint8(f->kind()) == kind) {
                if (!f->decodeValue(data + pos, size, fileVersion))
                    f->reset();
            } else if (firstVisit) {
                f->reset();
            }
        }
        pos += size;
    }
    passTo(m_listFields.size());
    return SerialOk;
}
