#pragma once

#include <QDataStream>
#include <QLatin1String>
#include <QString>
#include <memory>
#include <vector>

#include "companion/forms/cfield.h"

// Holder of a field table. Table fields register themselves here in
// declaration order, so the list of members IS the table; the engine below
// derives copy, compare, reset, test data and the serial format from it.
//
// Serial format of one object (self-delimiting, so one object can never put
// the rest of a file out of step):
//     quint32 payload length, then the payload:
//     quint16 format version, quint16 the class's data version,
//     then entries until the payload ends: quint16 field id, quint8 kind,
//     quint32 value size, value bytes. Entry id 0 is the class's extra block.
// A reader resets every field first, skips entries it does not know (or of
// another kind), and refuses a length above kMaxObjectBytes or a payload that
// ends early; it never reads past the payload, whatever happens inside it.
class CFieldOwner
{
public:
    CFieldOwner();
    virtual ~CFieldOwner();
    CFieldOwner(const CFieldOwner&) = delete;
    CFieldOwner& operator=(const CFieldOwner&) = delete;

    // Appends a field. A field without a section heading inherits the one of
    // the field before it; a field without id gets its position (1-based).
    void registerField(CField* field);
    // The same for a table field under construction, with the common case
    // (an id of its own, room in the list, no index, name hits or groups to
    // drop yet) inline; anything else goes through registerField.
    Q_ALWAYS_INLINE void registerTableField(CField* field)
    {
        if (field->m_id == 0 || m_index || m_indexChecked || m_nameHits || m_groups
            || m_listFields.size() == m_listFields.capacity()) {
            registerField(field);
            return;
        }
        field->m_owner = this;
        if (!*field->m_section && !m_listFields.empty())
            field->m_section = m_listFields.back()->m_section;
        m_listFields.push_back(field);
    }
    void addField(CField* field) { registerField(field); }

    const std::vector<CField*>& fieldList() const { return m_listFields; }
    // Lookups by name and by id go through an index of the class's table,
    // built once per class (the calculation looks fields up on every pass).
    // Each finds the first field of the table with that name or id.
    CField* findField(const QString& name) const;
    CField* findField(QLatin1String name) const;
    CField* findField(const char* name) const { return findField(QLatin1String(name)); }
    CField* findFieldById(int id) const
    {
        // The common case inline, without a call: an id with a slot of the
        // index that names this object's own field. Anything else (a miss, a
        // sparse table, no index yet) takes the full lookup.
        if (unsigned(id) < m_idSlotCount) {
            const qint32 at = m_idSlots[id] - 1;
            if (at >= 0 && size_t(at) < m_listFields.size() && m_listFields[size_t(at)]->id() == id)
                return m_listFields[size_t(at)];
        }
        return findFieldByIdFully(id);
    }

    // Every value from another owner, matched by id.
    void copyFieldsFrom(const CFieldOwner& other);
    // True when some field's value differs from the other owner's field of the same id.
    bool anyFieldDiffers(const CFieldOwner& other) const;
    // Every field back to its start value; with flags, only fields having one of them.
    void resetFields(unsigned onlyWithFlags = 0);
    // Every field a deterministic sample value.
    void fillFieldsWithTestData();
    // Every money field to the cent (taxrules::roundCents); other numbers
    // are left as they are. Cheap: one pass over the money fields.
    void roundMoneyFields();
    // Ids positive, below 65536 and unique; names non-empty and unique.
    bool checkFieldTable(QString* problem = nullptr) const;

    // Result codes of storeFields and loadFields.
    enum SerialResult {
        SerialOk = 0,
        SerialStreamFailed = -1,     // the stream failed or ended inside the object
        SerialLengthRefused = -2,    // the object's length is beyond any object's
        SerialPayloadMalformed = -3, // the payload's entries do not add up
        SerialNewerFormat = -4,      // written by a later program
    };
    static constexpr quint32 kMaxObjectBytes = 8u << 20;
    static constexpr quint16 kSerialFormat = 1;

    // Writes the whole object; 0 or SerialStreamFailed.
    int storeFields(QDataStream& out) const;
    // Reads one object. On any failure every field holds its start value, the
    // stream's status is set (ReadPastEnd or ReadCorruptData) and the result
    // is negative; on success the stream stands where the writer's stood.
    int loadFields(QDataStream& in, unsigned fileVersion);

protected:
    // A class's own data version, written with every object and given back
    // to readExtraData; raise it when the meaning of stored values changes.
    virtual quint16 fieldDataVersion() const { return 1; }
    // Data that is not in fields (lists of variable length and the like).
    // writeExtraData returns false when there is none.
    virtual bool writeExtraData(QDataStream& out) const;
    // in is bounded to the extra block; false when it is malformed.
    virtual bool readExtraData(QDataStream& in, quint16 dataVersion);
    // Empties the extra data; called before every read. A class with extra
    // data also extends copy and compare (CopyData, CompareData) for it.
    virtual void clearExtraData() {}

    std::vector<CField*> m_listFields;

private:
    friend class CField; // a renamed field makes the index stale
    struct FieldIndex;
    const FieldIndex& fieldIndex() const;
    // The index when it was found not to fit this object's table.
    const FieldIndex& ownFieldIndex() const;
    template <typename Name>
    CField* findByName(const Name& name) const;
    // Position of the first field with the name by the index, or -1.
    template <typename Name>
    qint32 positionByName(const Name& name) const;
    CField* findFieldByIdFully(int id) const;
    // Takes an index for this object and its id slots for the inline lookup.
    const FieldIndex& useFieldIndex(std::shared_ptr<const FieldIndex> index) const;
    void forgetFieldIndex();
    // The money fields' values and the computed fields, in table order:
    // the calculation rounds the one and resets the other on every pass.
    // Listed at the first use; a field registered, or one whose computed
    // flag changes, makes the lists be drawn again.
    struct FieldGroups;
    const FieldGroups& fieldGroups() const;
    void forgetFieldGroups();

    // The object's bytes after its length: end bytes from data.
    int parsePayload(const char* data, quint32 end, unsigned fileVersion);
    bool sameTableAs(const CFieldOwner& other) const;

    // Shared by every object of the class with the same table, or this
    // object's own; never copied with the values.
    mutable std::shared_ptr<const FieldIndex> m_index;
    mutable bool m_indexChecked = false; // the whole table was compared with the index
    // The index's slot per id (position + 1, 0 for none) when its ids are
    // dense; held by m_index, so they go with it.
    mutable const qint32* m_idSlots = nullptr;
    mutable quint32 m_idSlotCount = 0;
    mutable std::shared_ptr<const FieldGroups> m_groups;
    // Where the last lookups by name found their fields, keyed by the
    // address and length of the asked name's characters: the calculation
    // asks an object for the same names, from the same string constants, on
    // every pass. A hit is believed only when the field there has the asked
    // name, so a key whose characters changed since costs only the full
    // lookup. Made at the first lookup by name; dropped with the index.
    struct NameHits;
    mutable std::unique_ptr<NameHits> m_nameHits;
};

Q_ALWAYS_INLINE CField::CField(FieldKind kind, CFieldOwner* owner, int id, const char* name, const char* line,
                      const char* label, const FieldOpts& opts)
    : m_kind(kind),
      m_id(id),
      m_flags(opts.m_flags),
      m_amountKind(opts.m_amountKind),
      m_decimals(qint8(opts.m_amountKind == AmountKind::Money ? 2 : qBound(0, opts.m_decimals, 10))),
      m_linkedForm(qint16(opts.m_linkedForm)),
      m_name(name ? name : ""),
      m_line(line ? line : ""),
      m_label(label ? label : ""),
      m_section(opts.m_section ? opts.m_section : ""),
      m_page(opts.m_page ? opts.m_page : ""),
      m_choices(opts.m_choices ? opts.m_choices : "")
{
    if (owner)
        owner->registerTableField(this);
}
