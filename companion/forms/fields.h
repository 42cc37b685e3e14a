#pragma once

#include <QDate>

#include "companion/core/cstring.h"
#include "companion/forms/cfield.h"
#include "companion/forms/fieldowner.h"

// The five value kinds. Each has a table constructor
//     (owner, serial id, name, line or box number, label [, FieldOpts])
// and the stand-alone constructors that wizard records use.

class CIntField : public CField
{
public:
    CIntField(int value = 0, int attribute = 0);
    CIntField(int value, int reserved, int attribute);
    // The table constructors are inline (see CField's).
    Q_ALWAYS_INLINE CIntField(CFieldOwner* owner, int id, const char* name, const char* line, const char* label,
              const FieldOpts& opts = FieldOpts())
        : CIntField(FieldKind::Int, owner, id, name, line, label, opts)
    {
    }

    int m_value;

    void reset() override { m_value = m_start; }
    void copyValueFrom(const CField& other) override;
    bool equals(const CField& other) const override;
    void writeValue(QDataStream& out) const override;
    bool readValue(QDataStream& in, quint32 size, unsigned fileVersion) override;
    bool decodeValue(const char* bytes, quint32 size, unsigned fileVersion) override;
    QString text() const override;
    bool setText(const QString& text) override;
    void fillTestValue(int seed) override;
    bool isBlank() const override { return m_value == 0; }
    // The value of a new, empty object (-1 for an unanswered question).
    int startValue() const { return m_start; }

protected:
    Q_ALWAYS_INLINE CIntField(FieldKind kind, CFieldOwner* owner, int id, const char* name, const char* line,
              const char* label, const FieldOpts& opts)
        : CField(kind, owner, id, name, line, label, opts),
          m_value(int(opts.m_startNumber)),
          m_start(int(opts.m_startNumber))
    {
    }
    CIntField(FieldKind kind, int value, int attribute);
    int m_start;
};

// A yes/no value held as an int: 1 ticked, 0 not.
class CBoolField : public CIntField
{
public:
    CBoolField(int value = 0, int attribute = 0);
    Q_ALWAYS_INLINE CBoolField(CFieldOwner* owner, int id, const char* name, const char* line, const char* label,
               const FieldOpts& opts = FieldOpts())
        : CIntField(FieldKind::Bool, owner, id, name, line, label, opts)
    {
    }

    bool isTicked() const { return m_value != 0; }
    QString text() const override;
    bool setText(const QString& text) override;
    void fillTestValue(int seed) override;
};

class CFloatField : public CField
{
public:
    CFloatField(double value = 0.0, int attribute = 0);
    // Display-only form of wizard records: (displayOnly, value, decimals,
    // ..., attribute, ..., option bits). displayOnly marks it read-only.
    CFloatField(bool displayOnly, double value, int decimals, bool reserved, ENUMTYPE_FIELD_ATTR attribute,
                int reserved2, unsigned int options);
    Q_ALWAYS_INLINE CFloatField(CFieldOwner* owner, int id, const char* name, const char* line, const char* label,
                const FieldOpts& opts = FieldOpts())
        : CField(FieldKind::Float, owner, id, name, line, label, opts),
          m_value(opts.m_startNumber),
          m_start(opts.m_startNumber)
    {
    }

    double m_value;

    double operator+(double amount) const { return m_value + amount; }

    // The one way the calculation stores an amount: a money field takes it
    // rounded to the cent (taxrules::roundCents), any other number as it is.
    void setAmount(double amount);
    // Adds to the value the same way (a line that sums statements or slips).
    void addAmount(double amount) { setAmount(m_value + amount); }
    // The value as pages and summaries show it: money to the cent with
    // taxrules::formatAmount, other numbers with up to their own decimals.
    QString shownText() const;

    // Set false by the start-up before any return file is read. While it is
    // true an amount's text keeps every decimal it has; once false amounts
    // are shown to the cent, as the pages and exports want them.
    static bool p_for_brannock;

    void reset() override { m_value = m_start; }
    // Still the value a new form starts with (a share of 100 %).
    bool holdsStartValue() const { return m_value == m_start; }
    void copyValueFrom(const CField& other) override;
    bool equals(const CField& other) const override;
    void writeValue(QDataStream& out) const override;
    bool readValue(QDataStream& in, quint32 size, unsigned fileVersion) override;
    bool decodeValue(const char* bytes, quint32 size, unsigned fileVersion) override;
    QString text() const override;
    // Reads the text with parseAmountText (the user's locale, strictly) and
    // stores it with setAmount; false, value unchanged, for a text that is
    // not a number.
    bool setText(const QString& text) override;
    void fillTestValue(int seed) override;
    bool isBlank() const override;

private:
    double m_start;
};

class CStringField : public CField
{
public:
    CStringField(int attribute = 0, const char* initial = "", int maxLength = 0, unsigned attributes = 0);
    Q_ALWAYS_INLINE CStringField(CFieldOwner* owner, int id, const char* name, const char* line, const char* label,
                                 const FieldOpts& opts = FieldOpts())
        : CField(FieldKind::String, owner, id, name, line, label, opts),
          m_value(opts.m_startText && *opts.m_startText ? textOf(opts.m_startText) : emptyText()),
          m_start(opts.m_startText ? opts.m_startText : ""),
          m_maxLength(opts.m_maxLength > 0 ? opts.m_maxLength : 0)
    {
    }

    // The empty text most fields start with and most read back: the shared
    // empty string (not a null string, as a conversion of no bytes gives),
    // taken without converting anything or holding memory of its own.
    static const CString& emptyText();

    CString m_value;

    int maxLength() const { return m_maxLength; }
    bool IsEmptyIfRemoveBlank() const;
    CString RemoveBlanks() const;
    CString GetTrimedString() const;

    // Files of version fromVersion or later may hold texts of any length up
    // to the stream's hard bound; older files hold at most maxChars characters
    // per text, and a longer one is refused as damaged. Called once by the
    // start-up before any return file is read.
    static void setLargeSizeSerializeOption(int fromVersion, int maxChars);
    // The byte bound for one text in a file of the given version.
    static quint32 textByteLimit(unsigned fileVersion);
    static constexpr quint32 kHardTextBytes = 1u << 20;

    void reset() override;
    // Still the text a new form starts with.
    bool holdsStartValue() const { return m_value == QString::fromUtf8(m_start); }
    void copyValueFrom(const CField& other) override;
    bool equals(const CField& other) const override;
    void writeValue(QDataStream& out) const override;
    bool readValue(QDataStream& in, quint32 size, unsigned fileVersion) override;
    bool decodeValue(const char* bytes, quint32 size, unsigned fileVersion) override;
    QString text() const override { return m_value; }
    bool setText(const QString& text) override;
    void fillTestValue(int seed) override;
    bool isBlank() const override { return m_value.isEmpty(); }

private:
    // A text from UTF-8 bytes, the empty text for none.
    static CString textOf(const char* utf8, int size);
    static CString textOf(const char* utf8);
    const char* m_start;
    int m_maxLength;
    static int s_largeFromVersion;
    static int s_smallMaxChars;
};

class CDateField : public CField
{
public:
    CDateField(int attribute = 0, int reserved = 0);
    Q_ALWAYS_INLINE CDateField(CFieldOwner* owner, int id, const char* name, const char* line, const char* label,
               const FieldOpts& opts = FieldOpts())
        : CField(FieldKind::Date, owner, id, name, line, label, opts)
    {
    }

    QDate m_value;  // a null date means none entered

    bool IsValid() const { return m_value.isValid(); }

    void reset() override { m_value = QDate(); }
    void copyValueFrom(const CField& other) override;
    bool equals(const CField& other) const override;
    void writeValue(QDataStream& out) const override;
    bool readValue(QDataStream& in, quint32 size, unsigned fileVersion) override;
    bool decodeValue(const char* bytes, quint32 size, unsigned fileVersion) override;
    // "yyyy-MM-dd", empty for no date.
    QString text() const override;
    bool setText(const QString& text) override;
    void fillTestValue(int seed) override;
    bool isBlank() const override { return !m_value.isValid(); }
};
