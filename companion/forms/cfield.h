#pragma once

#include <QDataStream>
#include <QList>
#include <QMetaType>
#include <QPair>
#include <QString>

#include "companion/forms/fieldchoices.h"

class CFieldOwner;

// Attribute word some callers give a stand-alone field; carried, not interpreted.
enum ENUMTYPE_FIELD_ATTR : int { FIELD_ATTR_NONE = 0 };

enum class FieldKind : quint8 { Int = 1, Bool = 2, Float = 3, String = 4, Date = 5 };

// What the number of a float field is. Money (the default) is held in whole
// cents: rounded when typed and after every calculation, shown to the cent.
// Rates, shares (percentages) and counts (days, months, units) keep the
// digits they are given and are shown with up to their own decimals. A
// working figure is a dollar figure the calculation only compares (such as an
// income worked back from a tax), kept exactly as computed.
enum class AmountKind : quint8 { Money = 0, Rate = 1, Share = 2, Count = 3, Working = 4 };

// Flags of a field in its owner's table.
enum FieldFlag : unsigned {
    FieldComputed = 0x01,      // derived by the calculation: read-only on pages, cleared by ResetData
    FieldReadOnly = 0x02,      // shown but never edited on a page (filled from elsewhere)
    FieldHidden = 0x04,        // stored and copied, never shown on a page
    FieldCarryForward = 0x08,  // kept by the next-year keep-data even without "copy all"
    FieldCaption = 0x10,       // its text is the caption of a multiple-instance form
    FieldFromSpouse = 0x20,    // filled from the other spouse's return while the return is coupled;
                               // the user's entry for a person filing alone
    FieldLocked = 0x40,        // set by the owner while the value comes from elsewhere
                               // (a FieldFromSpouse field of a coupled return): read-only for now
};

// Optional last argument of a table field: section heading, page break,
// flags, start value, text length. Chain from one of the fld:: helpers:
//     fld::Section("Total income").computed()
struct FieldOpts {
    const char* m_section = nullptr;    // heading shown before this field; later fields inherit it
    const char* m_page = nullptr;       // this field starts a new page (tab) with that title
    unsigned m_flags = 0;
    double m_startNumber = 0;           // start value of int, bool and float fields
    const char* m_startText = nullptr;  // start value of text fields
    int m_maxLength = 0;                // text fields: 0 means no limit of its own
    const char* m_choices = nullptr;    // int fields: "value:text|value:text", shown as a list
    AmountKind m_amountKind = AmountKind::Money;  // float fields: what the number is
    int m_decimals = 2;                 // float fields: decimals shown (money: always 2)
    int m_linkedForm = 0;               // the form this line's amount comes from (0: none)

    FieldOpts section(const char* title) const { FieldOpts o = *this; o.m_section = title; return o; }
    FieldOpts page(const char* title) const { FieldOpts o = *this; o.m_page = title; return o; }
    FieldOpts flags(unsigned bits) const { FieldOpts o = *this; o.m_flags |= bits; return o; }
    FieldOpts computed() const { return flags(FieldComputed); }
    FieldOpts readOnly() const { return flags(FieldReadOnly); }
    FieldOpts hidden() const { return flags(FieldHidden); }
    FieldOpts carryForward() const { return flags(FieldCarryForward); }
    FieldOpts caption() const { return flags(FieldCaption); }
    FieldOpts fromSpouse() const { return flags(FieldFromSpouse); }
    // A yes/no question, unanswered until the user answers it.
    FieldOpts question() const { return choices(::choices::kYesNo).start(::choices::kNotAnswered); }
    FieldOpts start(double value) const { FieldOpts o = *this; o.m_startNumber = value; return o; }
    FieldOpts startText(const char* text) const { FieldOpts o = *this; o.m_startText = text; return o; }
    FieldOpts maxLength(int chars) const { FieldOpts o = *this; o.m_maxLength = chars; return o; }
    FieldOpts choices(const char* list) const { FieldOpts o = *this; o.m_choices = list; return o; }
    // A float field that is not money: a rate (0.25, a ratio), a share in
    // percent (50 for half) or a count (days, months, units).
    FieldOpts rate(int decimals = 6) const { return amount(AmountKind::Rate, decimals); }
    FieldOpts share(int decimals = 4) const { return amount(AmountKind::Share, decimals); }
    FieldOpts count(int decimals = 2) const { return amount(AmountKind::Count, decimals); }
    FieldOpts working(int decimals = 2) const { return amount(AmountKind::Working, decimals); }
    // The line's amount comes from, or is worked out on, another form of the
    // return: its page offers a button that goes to that form.
    FieldOpts linksTo(int formType) const { FieldOpts o = *this; o.m_linkedForm = formType; return o; }

private:
    FieldOpts amount(AmountKind kind, int decimals) const
    {
        FieldOpts o = *this;
        o.m_amountKind = kind;
        o.m_decimals = decimals;
        return o;
    }
};

namespace fld {
inline FieldOpts Section(const char* title) { return FieldOpts().section(title); }
inline FieldOpts Page(const char* title) { return FieldOpts().page(title); }
inline FieldOpts Computed() { return FieldOpts().computed(); }
inline FieldOpts ReadOnly() { return FieldOpts().readOnly(); }
inline FieldOpts Hidden() { return FieldOpts().hidden(); }
inline FieldOpts CarryForward() { return FieldOpts().carryForward(); }
inline FieldOpts Caption() { return FieldOpts().caption(); }
inline FieldOpts FromSpouse() { return FieldOpts().fromSpouse(); }
inline FieldOpts Question() { return FieldOpts().question(); }
inline FieldOpts Start(double value) { return FieldOpts().start(value); }
inline FieldOpts StartText(const char* text) { return FieldOpts().startText(text); }
inline FieldOpts MaxLength(int chars) { return FieldOpts().maxLength(chars); }
inline FieldOpts Choices(const char* list) { return FieldOpts().choices(list); }
inline FieldOpts Rate(int decimals = 6) { return FieldOpts().rate(decimals); }
inline FieldOpts Share(int decimals = 4) { return FieldOpts().share(decimals); }
inline FieldOpts Count(int decimals = 2) { return FieldOpts().count(decimals); }
inline FieldOpts Working(int decimals = 2) { return FieldOpts().working(decimals); }
inline FieldOpts LinksTo(int formType) { return FieldOpts().linksTo(formType); }
}  // namespace fld

// One named value of a form or a data record. The value itself lives in the
// concrete class's public m_value, which callers read and write directly.
// A field is either a row of its owner's table (constructed with the owner,
// a serial id, name, line or box number and label; it registers itself) or
// a stand-alone field of a wizard record (constructed with a start value;
// the record may name it and add it to its list).
class CField
{
public:
    // Inline, a test and no call: a return destroys thousands of fields.
    Q_ALWAYS_INLINE virtual ~CField()
    {
        if (m_ownName)
            dropOwnName();
    }
    // A field belongs to one owner's table and is never copied whole;
    // assignment takes the value only (so a class's implicit operator=
    // copies values and keeps each field's identity).
    CField(const CField&) = delete;
    CField& operator=(const CField&) { return *this; }

    FieldKind kind() const { return m_kind; }
    // Serial id, stable per class and never reused; 0 for a stand-alone field.
    int id() const { return m_id; }
    QString name() const;
    // Whether the field is called `name`, without building a string: the
    // calculation looks fields up by name on every pass.
    bool hasName(const QString& name) const;
    bool hasName(QLatin1String name) const;
    void setName(const QString& name);
    QString lineNumber() const { return QString::fromUtf8(m_line); }
    // The line number as a number: 0 when the field has none or its line
    // text is not a plain number. Cheap (no text is built), for walks over
    // every field such as the electronic return's.
    int lineCode() const;
    QString label() const { return QString::fromUtf8(m_label); }
    QString section() const { return QString::fromUtf8(m_section); }
    QString pageTitle() const { return QString::fromUtf8(m_page); }
    bool startsPage() const { return m_page && *m_page; }
    unsigned flags() const { return m_flags; }
    void setFlags(unsigned flags)
    {
        if ((m_flags ^ flags) & FieldComputed)
            computedFlagChanges();
        m_flags = flags;
    }
    bool hasFlag(unsigned flag) const { return (m_flags & flag) != 0; }
    bool isComputed() const { return hasFlag(FieldComputed); }
    // Not editable on a page: computed, read-only or locked for now.
    bool isReadOnly() const { return hasFlag(FieldComputed | FieldReadOnly | FieldLocked); }
    bool isHidden() const { return hasFlag(FieldHidden); }
    int attribute() const { return m_attribute; }
    // The form type this line's amount comes from, 0 for none (fld::LinksTo).
    int linkedForm() const { return m_linkedForm; }
    // Float fields: what the number is, and the decimals it is shown with.
    AmountKind amountKind() const { return m_amountKind; }
    // A float field holding money, kept in whole cents.
    bool isMoney() const { return m_kind == FieldKind::Float && m_amountKind == AmountKind::Money; }
    int decimals() const { return m_decimals; }
    // The choices of an int field given with fld::Choices, in order; empty
    // when the value is typed. Entries without a number are left out.
    QList<QPair<int, QString>> choices() const;

    // Back to the start value.
    virtual void reset() = 0;
    // Take the value of a field of the same kind; a field of another kind is ignored.
    virtual void copyValueFrom(const CField& other) = 0;
    // Same kind and same value.
    virtual bool equals(const CField& other) const = 0;
    // The value's bytes in the return file (the entry header is the owner's).
    virtual void writeValue(QDataStream& out) const = 0;
    // Reads a value of exactly size bytes; false when they do not make one
    // (the field then keeps its value). fileVersion bounds text lengths.
    virtual bool readValue(QDataStream& in, quint32 size, unsigned fileVersion) = 0;
    // The same from the value's bytes in memory, as the owner's reader holds
    // them: no stream per value. The base goes through readValue.
    virtual bool decodeValue(const char* bytes, quint32 size, unsigned fileVersion);
    // Text form for pages and text exports; setText returns false for text
    // that is not a value of this kind (the value is then unchanged).
    virtual QString text() const = 0;
    virtual bool setText(const QString& text) = 0;
    // A deterministic sample value derived from seed, for print tests.
    virtual void fillTestValue(int seed) = 0;
    // Zero, unticked, blank or no date.
    virtual bool isBlank() const = 0;

protected:
    explicit CField(FieldKind kind, int attribute = 0);
    // Defined inline in fieldowner.h: a return builds thousands of table
    // fields, and inlined at each declaration the constant name, line, label
    // and options fold into plain stores.
    inline CField(FieldKind kind, CFieldOwner* owner, int id, const char* name, const char* line,
                  const char* label, const FieldOpts& opts);

private:
    friend class CFieldOwner;
    // The owner lists its computed fields; one that stops or starts being
    // computed makes that list stale.
    void computedFlagChanges();
    FieldKind m_kind;
    int m_id = 0;
    int m_attribute = 0;
    unsigned m_flags = 0;
    AmountKind m_amountKind = AmountKind::Money;
    qint8 m_decimals = 2;
    qint16 m_linkedForm = 0;
    const char* m_name = "";
    const char* m_line = "";
    const char* m_label = "";
    const char* m_section = "";
    const char* m_page = "";
    const char* m_choices = "";
    void dropOwnName();
    // Set by setName (wizard records), owned; wins over m_name. Held apart
    // so that the thousands of table fields that never have one are built
    // and destroyed without a string of their own.
    QString* m_ownName = nullptr;
    CFieldOwner* m_owner = nullptr;  // the table it was registered in
};

// Carried by BaseTaxPage::signalCalc, also across queued connections and in tests.
Q_DECLARE_METATYPE(CField*)
