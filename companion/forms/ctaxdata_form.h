#pragma once

// Base of every form, slip, note and interview-data object.
//
// How to write a class
// --------------------
// A class is a field table plus whatever arithmetic it owns. Declare each
// value as a member, one line each, in the order it appears on the form:
//
//     class TaxData_Example : public CTaxData_Form
//     {
//     public:
//         TaxData_Example() : CTaxData_Form(FROM_FORM, 42) {}
//
//         CFloatField line10100Employment{this, 1, "line10100Employment", "10100", "Employment income",
//                                         fld::Section("Total income")};
//         CFloatField line10400Other{this, 2, "line10400Other", "10400", "Other employment income"};
//         CFloatField line15000TotalIncome{this, 3, "line15000TotalIncome", "15000", "Total income",
//                                          fld::Computed()};
//         CStringField employerName{this, 4, "employerName", "", "Employer",
//                                   fld::Section("Details").maxLength(60).caption()};
//         CBoolField paysUnionDues{this, 5, "paysUnionDues", "", "Pays union dues"};
//         CDateField startDate{this, 6, "startDate", "", "First day of work"};
//
//         double getTotalIncome() const { return line15000TotalIncome.m_value; }
//         int Calculate01() override
//         {
//             line15000TotalIncome.m_value = line10100Employment + line10400Other.m_value;
//             return 0;
//         }
//     };
//
// - Arguments: owner (this), serial id, name, line or box number ("" when
//   none), label, and optionally a fld:: descriptor.
// - Serial ids are what the file stores: stable per class, unique within it,
//   1 to 65535, never reused for another meaning. A field that is dropped
//   leaves its id unused; a new field takes a new id. Old files then simply
//   lack the new field (it keeps its start value) and new files carry an id
//   an old reader skips.
// - fld::Section("...") puts a heading before the field; following fields
//   belong to it until the next heading. fld::Page("...") starts a new tab.
// - fld::Computed() marks a value the calculation derives: read-only on the
//   page and cleared by ResetData before each calculation. fld::ReadOnly()
//   shows a value filled from elsewhere without letting the user edit it;
//   fld::Hidden() keeps a value out of the page; fld::CarryForward() keeps it
//   through the next-year keep-data; fld::Caption() names a multiple-instance
//   form's copy; fld::FromSpouse() marks a value the other spouse's return
//   fills while the return is coupled; fld::Question() is a yes/no answer
//   that starts unanswered; .start(v) / .startText("...") give a start value other than
//   0 or empty; .maxLength(n) bounds a text; fld::Choices("0:Married|1:Common-law")
//   shows an int field as a list whose item data are the values.
// - A float field is money unless it says otherwise: money is kept in whole
//   cents (rounded when typed, after every calculation, and by setAmount),
//   shown to the cent. fld::Share() (a percentage), fld::Rate() (a ratio or
//   rate), fld::Count() (days, months, units) keep their digits and show up to
//   their own decimals; fld::Working() is a dollar figure the calculation
//   only compares, kept as computed. Calculations store money with setAmount.
// - Kinds: FROM_FORM, FROM_SLIP, FROM_TAXWIZARD, and FROM_NOTE for notes.
// - Callers read and write m_value directly; add typed accessors only where
//   the model names a value.
// - Override only what differs from the table-driven defaults: Calculate01
//   for the arithmetic, fieldDataVersion/writeExtraData/readExtraData for data
//   that is not a field, the next-year pair, validation and messages.
// - tests/companion/sampleforms.h holds a complete worked example.

#include <QObject>
#include <functional>
#include <list>
#include <vector>

#include "companion/core/cstring.h"
#include "companion/forms/fieldowner.h"
#include "companion/forms/fields.h"
#include "companion/forms/taxtypes.h"

class BaseTaxPage;
class MyDataStream;
class QWidget;
struct DireradGenObjParamStru;
struct DependantInfoStruct;

class CTaxData_Form : public QObject, public CFieldOwner
{
    Q_OBJECT
public:
    CTaxData_Form(ENUMTYPE_FROM kind, int type, QObject* parent = nullptr);
    ~CTaxData_Form() override;

    // Kind (form, slip, interview data, note) and type number; read directly.
    ENUMTYPE_FROM m_kind;
    qint16 m_type;

    ENUMTYPE_FROM getKind() const { return m_kind; }
    int getType() const { return m_type; }

    // Set by the calculation while the return needs this form for figures it
    // works out itself (the T90 of exempt income): the user cannot remove it.
    bool m_bRemovalLocked = false;

    // Slips and forms: flag byte saved with the object; its lowest bit marks
    // a slip (or a business statement) that Auto-fill made from agency data.
    // Files written before it existed read with it clear.
    static constexpr quint8 kAutoFilledBit = 0x01;
    quint8 autoFillFlags() const { return m_autoFillFlags; }
    void setAutoFillFlags(quint8 flags) { m_autoFillFlags = flags; }
    bool isAutoFilled() const { return (m_autoFillFlags & kAutoFilledBit) != 0; }
    void setAutoFilled(bool on)
    {
        m_autoFillFlags = on ? quint8(m_autoFillFlags | kAutoFilledBit) : quint8(m_autoFillFlags & ~kAutoFilledBit);
    }

    // In a coupled return the exchange between the spouses fills the fields
    // marked fld::FromSpouse(): they are locked (read-only) while the flag is
    // set and the user's own entries again when it is cleared.
    void setCoupledReturn(bool coupled);
    bool isCoupledReturn() const { return m_coupled; }
    ENUMTYPE_PROVINCE getMainTaxProvince() const { return m_mainProvince; }
    void setMainTaxProvince(ENUMTYPE_PROVINCE province) { m_mainProvince = province; }
    DependantInfoStruct* getDependantInfo() const { return m_pDependants; }

    // Every value, the province and the coupled flag; other must be of the
    // same class (the field tables are matched by id).
    CTaxData_Form& operator=(const CTaxData_Form& other);

    // 1. Pages: appends the object's pages to pages, each with parent as
    //    parent; returns the number appended. The default builds them from
    //    the field table, one per fld::Page break (and more for long tables).
    //    The pages themselves come from the page factory that the widget
    //    layer installs; with none installed no page is made.
    virtual int CreatePages(std::list<BaseTaxPage*>& pages, QWidget* parent);
    // The same pages, each made in the parent that parentFor gives for its
    // title (asked once per page, in order): a page made where it is shown
    // takes that place's style once, as its widgets are first polished.
    int CreatePagesInParents(std::list<BaseTaxPage*>& pages,
                             const std::function<QWidget*(const QString& title)>& parentFor);
    // What CreatePages would make, without making it: each page's title and
    // the fields it shows, in page order. A window that shows one page at a
    // time makes each page (makePage) when it is first shown.
    struct PagePlan
    {
        QString title;
        std::vector<CField*> fields;
    };
    std::vector<PagePlan> planPages() const;
    // Makes one planned page of this object in parent; null when no page
    // factory is installed.
    BaseTaxPage* makePage(const PagePlan& plan, QWidget* parent);
    using PageFactory = std::function<BaseTaxPage*(CTaxData_Form* form, const std::vector<CField*>& fields,
                                                   const QString& title, QWidget* parent)>;
    // Installs the maker of one page from a group of fields (the widget layer
    // does so when it is loaded); returns the one installed before.
    static PageFactory installPageFactory(PageFactory factory);
    // 2. Copy every value from another object of the same type.
    virtual void CopyData(const CTaxData_Form* from);
    // 3. True when any value differs from the other object's.
    virtual bool CompareData(const CTaxData_Form* other) const;
    // 4. Import of last year's return. ConvertToNextYear answers whether the
    //    object is still used this year and turns it into this year's
    //    object (default: still used, values kept). KeepData(1) keeps every
    //    value; KeepData(0) keeps only the carry-forward values.
    virtual bool ConvertToNextYear(unsigned char edition, ENUMTYPE_PROVINCE province, int itemType);
    virtual void KeepData(int keepAll);
    // 5. A shared copy (the spouse's linked item) takes the source's values.
    virtual void UpdateSharedCopy(const CTaxData_Form* source);
    // 6. The object itself is marked as shared with the spouse.
    virtual bool IsShared() const { return false; }
    // 7. Writes or reads the object's own data, self-delimiting (see
    //    CFieldOwner). Returns 0, or a negative SerialResult after which the
    //    object holds its start values and the stream's status is set.
    virtual int Serialize(unsigned int fileVersion, CString marker, MyDataStream& ar);
    // 8. Caption of a multiple-instance copy: the text of the field marked
    //    fld::Caption(), empty when none.
    virtual void GetCaption(CString& caption) const;
    // 9. Calculation of the object's own values; returns the number of
    //    forms it added or removed (0 here). RefreshData takes over interview
    //    data and derived values after a change elsewhere; it calls Calculate01.
    virtual int Calculate01();
    virtual void RefreshData();
    // 10. Appends the object's own questions before filing.
    virtual void AnyMsgBeforeDirerad(std::list<CString>& messages);
    // 11. Appends the object's validation messages; true when it added any
    //     (the validation record then stays). ResetData clears the computed
    //     values before a calculation; user entries stay.
    virtual bool Validate(unsigned char purpose, std::list<CString>& messages);
    virtual void ResetData();
    // 12. Writes the object's lines of the electronic return; returns the
    //     number written.
    virtual int WriteDireradData(unsigned char mode, DireradGenObjParamStru& param);
    // 13. The family's dependant table (not owned).
    virtual void SetDependantInfo(DependantInfoStruct* dependants);
    // 14. Print engine files: the first layout file, the type definition
    //     (0 on success) and the second layout file. The defaults describe
    //     the field table in XML.
    virtual int WriteBFormLayoutFile(const CString& folder, const CString& constName, const CString& fileName,
                                     unsigned int version);
    virtual int WriteJavaTypeFile(const CString& folder, const CString& constName, int reserved);
    virtual int WriteXMLLayoutFile(const CString& folder, const CString& constName, const CString& fileName,
                                   unsigned int version);
    // 15. Every field a deterministic sample value, for print tests.
    virtual void InitPrintTestData();

    // A button a generated page shows below a field: pressing it asks the
    // open-return page for work (eventType is a form event of the workspace;
    // formType the form to go to, for the forward-edit event).
    struct PageAction
    {
        const char* afterField;
        const char* objectName;
        const char* text;
        int eventType;
        int formType;
    };
    virtual std::vector<PageAction> pageActions() const { return {}; }

    // Whether text, typed on a page into field, may be stored. It may put the
    // text in its stored form (a S.I.N. as its nine digits); on refusal,
    // problem says why in the user's words. The base refuses amounts past
    // the sane bound, negative amounts in slip boxes that hold no loss and
    // dates of birth after the tax year.
    virtual bool checkEntry(const CField& field, QString& text, QString& problem) const;

    // Every value back to its start value (a new, empty object).
    void ClearAllData() { resetFields(); clearExtraData(); }
    // Title of the object's page or pages: the name given by the catalogue
    // holder, else the class's own.
    virtual QString pageTitle() const;

protected:
    // The flag byte of a slip or form is its extra data; a class with extra
    // data of its own writes and reads the base's first (or is never
    // flagged).
    bool writeExtraData(QDataStream& out) const override;
    bool readExtraData(QDataStream& in, quint16 dataVersion) override;
    void clearExtraData() override { m_autoFillFlags = 0; }
    bool carriesAutoFillFlags() const { return m_kind == FROM_SLIP || m_kind == FROM_FORM; }

private:
    int writeFieldTableXml(const QString& path, const CString& constName, unsigned int version) const;

    bool m_coupled = false;
    quint8 m_autoFillFlags = 0;
    ENUMTYPE_PROVINCE m_mainProvince = 0;
    DependantInfoStruct* m_pDependants = nullptr;
};
