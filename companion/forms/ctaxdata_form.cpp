#include "companion/forms/ctaxdata_form.h"

#include "companion/forms/direradlines.h"

#include <QDir>
#include <QSaveFile>
#include <QXmlStreamWriter>

#include "companion/forms/catalogue.h"
#include "companion/forms/javafieldclass.h"
#include "companion/forms/mydatastream.h"

namespace {

CTaxData_Form::PageFactory& pageFactory()
{
    static CTaxData_Form::PageFactory factory;
    return factory;
}

// A page longer than this is split at the next section heading.
constexpr int kRowsPerPage = 120;

const char* kindName(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Int: return "int";
    case FieldKind::Bool: return "bool";
    case FieldKind::Float: return "amount";
    case FieldKind::String: return "text";
    case FieldKind::Date: return "date";
    }
    return "text";
}

// The catalogue's title and short code of a form or slip type, so that the
// print engine names each section as lists and the return tree do.
void catalogueNames(ENUMTYPE_FROM kind, int type, QString& title, QString& code)
{
    if (kind == FROM_FORM) {
        title = QString::fromUtf8(getFormName(ENUMTYPE_FORM(type)));
        code = QString::fromUtf8(getFormCode(ENUMTYPE_FORM(type)));
    } else if (kind == FROM_SLIP) {
        if (const STRUCT_SLIP_INFO* row = getSlipInfo(ENUMTYPE_SLIP(type))) {
            title = QString::fromUtf8(row->name);
            code = QString::fromUtf8(row->code);
        }
    } else if (kind == FROM_NOTE) {
        title = QStringLiteral("Notes");
    }
}

// How the window shows a value of the field: amounts to the cent, other
// numbers with up to their own decimals.
QString numberFormat(const CField& f)
{
    if (f.kind() != FieldKind::Float)
        return QString();
    return f.isMoney() ? QStringLiteral("money") : QStringLiteral("number");
}

// Sections that hold the program's own bookkeeping (filing results, figures
// carried between lines or forms, last year's figures): stored and shown in
// the window, never part of the printed form.
const char* const kUnprintedSections[] = {"Filing", "Amounts carried between lines", "Amounts carried to other forms",
                                          "Last year's amounts"};

// What the printed form makes of a field: "line" a line or box with its
// number, "entry" a caption and its value without a number (names, answers,
// working figures), "spouse" a figure taken from the other spouse's return
// (printed in the spouse's block, only for a couple), "no" nothing (hidden,
// bookkeeping, states and counters the calculation keeps).
// Secrets kept with the return (the password that opens it, the agency's
// access code) never go on paper.
const char* const kSecretNames[] = {"Password", "AccessCode"};

QString printRole(const CField& f)
{
    if (f.isHidden())
        return QStringLiteral("no");
    for (const char* secret : kSecretNames)
        if (f.name().contains(QLatin1String(secret)))
            return QStringLiteral("no");
    for (const char* section : kUnprintedSections)
        if (f.section() == QLatin1String(section))
            return QStringLiteral("no");
    const bool choice = !f.choices().isEmpty();
    if ((f.kind() == FieldKind::Int || f.kind() == FieldKind::Bool) && !choice && f.lineNumber().isEmpty()
        && (f.isReadOnly() || f.kind() == FieldKind::Int))
        return QStringLiteral("no");
    if (f.hasFlag(FieldFromSpouse))
        return QStringLiteral("spouse");
    return f.lineNumber().isEmpty() ? QStringLiteral("entry") : QStringLiteral("line");
}

}  // namespace

CTaxData_Form::CTaxData_Form(ENUMTYPE_FROM kind, int type, QObject* parent)
    : QObject(parent), m_kind(kind), m_type(qint16(type))
{
}

CTaxData_Form::~CTaxData_Form() = default;

CTaxData_Form& CTaxData_Form::operator=(const CTaxData_Form& other)
{
    if (&other != this) {
        CopyData(&other);
        m_autoFillFlags = other.m_autoFillFlags;
        setCoupledReturn(other.m_coupled);
        m_mainProvince = other.m_mainProvince;
    }
    return *this;
}

void CTaxData_Form::setCoupledReturn(bool coupled)
{
    m_coupled = coupled;
    for (CField* f : m_listFields)
        if (f->hasFlag(FieldFromSpouse))
            f->setFlags(coupled ? f->flags() | FieldLocked : f->flags() & ~unsigned(FieldLocked));
}

CTaxData_Form::PageFactory CTaxData_Form::installPageFactory(PageFactory factory)
{
    PageFactory previous = std::move(pageFactory());
    pageFactory() = std::move(factory);
    return previous;
}

int CTaxData_Form::CreatePages(std::list<BaseTaxPage*>& pages, QWidget* parent)
{
    return CreatePagesInParents(pages, [parent](const QString&) { return parent; });
}

int CTaxData_Form::CreatePagesInParents(std::list<BaseTaxPage*>& pages,
                                        const std::function<QWidget*(const QString& title)>& parentFor)
{
    if (!pageFactory()) {
        qWarning("CTaxData_Form: no page factory installed; form %d has no pages", int(m_type));
        return 0;
    }
    const std::vector<PagePlan> plans = planPages();
    for (const PagePlan& plan : plans)
        pages.push_back(makePage(plan, parentFor(plan.title)));
    return int(plans.size());
}

std::vector<CTaxData_Form::PagePlan> CTaxData_Form::planPages() const
{
    std::vector<PagePlan> plans;
    int rows = 0;
    QString lastSection;
    QString pendingPage;  // a page break on a hidden field moves to the next shown one
    QString pageBase;     // title of the page being split, and the part number
    int pagePart = 1;
    for (CField* f : m_listFields) {
        if (f->startsPage())
            pendingPage = f->pageTitle();
        if (f->isHidden())
            continue;
        const bool newSection = f->section() != lastSection;
        const bool split = plans.empty() || !pendingPage.isEmpty() || (rows >= kRowsPerPage && newSection);
        if (split) {
            QString title;
            if (!pendingPage.isEmpty()) {
                pageBase = pendingPage;
                pagePart = 1;
                title = pendingPage;
            } else if (plans.empty()) {
                pageBase = pageTitle();
                title = pageBase;
            } else {
                title = QStringLiteral("%1 (%2)").arg(pageBase).arg(++pagePart);
            }
            plans.push_back(PagePlan{title, {}});
            rows = 0;
            pendingPage.clear();
        }
        plans.back().fields.push_back(f);
        lastSection = f->section();
        ++rows;
    }
    return plans;
}

BaseTaxPage* CTaxData_Form::makePage(const PagePlan& plan, QWidget* parent)
{
    const PageFactory& factory = pageFactory();
    return factory ? factory(this, plan.fields, plan.title, parent) : nullptr;
}

void CTaxData_Form::CopyData(const CTaxData_Form* from)
{
    if (from) {
        copyFieldsFrom(*from);
        m_autoFillFlags = from->m_autoFillFlags;
    }
}

bool CTaxData_Form::writeExtraData(QDataStream& out) const
{
    // Nothing is written for a clear flag, so such an object is stored as
    // before the flag existed.
    if (!carriesAutoFillFlags() || m_autoFillFlags == 0)
        return false;
    out << m_autoFillFlags;
    return true;
}

bool CTaxData_Form::readExtraData(QDataStream& in, quint16)
{
    if (carriesAutoFillFlags() && !in.atEnd())
        in >> m_autoFillFlags;
    return in.status() == QDataStream::Ok;
}

bool CTaxData_Form::CompareData(const CTaxData_Form* other) const
{
    if (!other)
        return true;
    if (other->m_kind != m_kind || other->m_type != m_type || other->m_autoFillFlags != m_autoFillFlags)
        return true;
    return anyFieldDiffers(*other);
}

bool CTaxData_Form::ConvertToNextYear(unsigned char, ENUMTYPE_PROVINCE, int)
{
    return true;
}

void CTaxData_Form::KeepData(int keepAll)
{
    if (keepAll)
        return;
    for (CField* f : m_listFields)
        if (!f->hasFlag(FieldCarryForward))
            f->reset();
}

void CTaxData_Form::UpdateSharedCopy(const CTaxData_Form* source)
{
    CopyData(source);
}

int CTaxData_Form::Serialize(unsigned int fileVersion, CString, MyDataStream& ar)
{
    return ar.IsStoring() ? storeFields(ar) : loadFields(ar, fileVersion);
}

void CTaxData_Form::GetCaption(CString& caption) const
{
    caption.clear();
    for (const CField* f : m_listFields)
        if (f->hasFlag(FieldCaption)) {
            caption = f->text().trimmed();
            return;
        }
}

int CTaxData_Form::Calculate01()
{
    return 0;
}

void CTaxData_Form::RefreshData()
{
    Calculate01();
}

void CTaxData_Form::AnyMsgBeforeDirerad(std::list<CString>&) {}

bool CTaxData_Form::Validate(unsigned char, std::list<CString>& messages)
{
    // The table's own rule: a text longer than its field allows (a value set
    // by code, never by the page) cannot be filed.
    bool added = false;
    for (const CField* f : m_listFields) {
        if (f->kind() != FieldKind::String)
            continue;
        const auto* s = static_cast<const CStringField*>(f);
        if (s->maxLength() > 0 && s->m_value.size() > s->maxLength()) {
            messages.push_back(CString(QStringLiteral("%1: \"%2\" is longer than %3 characters.")
                                           .arg(f->label().isEmpty() ? f->name() : f->label())
                                           .arg(s->m_value.left(20))
                                           .arg(s->maxLength())));
            added = true;
        }
    }
    return added;
}

void CTaxData_Form::ResetData()
{
    resetFields(FieldComputed);
}

int CTaxData_Form::WriteDireradData(unsigned char, DireradGenObjParamStru& param)
{
    return writeDireradLinesOfTable(*this, param);
}

void CTaxData_Form::SetDependantInfo(DependantInfoStruct* dependants)
{
    m_pDependants = dependants;
}

int CTaxData_Form::WriteBFormLayoutFile(const CString& folder, const CString& constName, const CString& fileName,
                                        unsigned int version)
{
    return writeFieldTableXml(QDir(folder).filePath(fileName), constName, version);
}

int CTaxData_Form::WriteJavaTypeFile(const CString& folder, const CString& constName, int)
{
    // The field list in XML, and the same ids as Java constants for the
    // engine's code.
    const int written = writeFieldTableXml(QDir(folder).filePath(constName + QStringLiteral(".def.xml")), constName, 0);
    if (written != 0)
        return written;
    return javafieldclass::write(folder, constName, m_listFields);
}

int CTaxData_Form::WriteXMLLayoutFile(const CString& folder, const CString& constName, const CString& fileName,
                                      unsigned int version)
{
    return writeFieldTableXml(QDir(folder).filePath(fileName), constName, version);
}

void CTaxData_Form::InitPrintTestData()
{
    fillFieldsWithTestData();
}

QString CTaxData_Form::pageTitle() const
{
    // The catalogue's own title, so a tab reads like the paper form; the bare
    // kind and number only for a type the catalogue does not know.
    const char* name = "";
    switch (m_kind) {
    case FROM_FORM: name = getFormName(ENUMTYPE_FORM(m_type)); break;
    case FROM_SLIP: name = getSlipName(ENUMTYPE_SLIP(m_type)); break;
    case FROM_TAXWIZARD: name = getTaxWizardName(ENUMTYPE_TAXWIZARD(m_type)); break;
    case FROM_NOTE: return QStringLiteral("Tax Note");
    default: break;
    }
    QString title = name && *name ? QString::fromUtf8(name) : QStringLiteral("Item %1").arg(m_type);
    if (m_kind == FROM_SLIP) {
        // Two slips of one kind are told apart by their payer, as in the tree.
        CString caption;
        GetCaption(caption);
        const STRUCT_SLIP_INFO* info = getSlipInfo(ENUMTYPE_SLIP(m_type));
        if (!caption.isEmpty() && info)
            title = QString::fromUtf8(info->code) + QStringLiteral(" - ") + QString(caption);
    }
    return title;
}

int CTaxData_Form::writeFieldTableXml(const QString& path, const CString& constName, unsigned int version) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("dataType"));
    xml.writeAttribute(QStringLiteral("name"), constName);
    xml.writeAttribute(QStringLiteral("kind"), QString::number(int(m_kind)));
    xml.writeAttribute(QStringLiteral("type"), QString::number(m_type));
    xml.writeAttribute(QStringLiteral("version"), QString::number(version));
    QString title, code;
    catalogueNames(m_kind, m_type, title, code);
    xml.writeAttribute(QStringLiteral("title"), title.isEmpty() ? pageTitle() : title);
    xml.writeAttribute(QStringLiteral("code"), code);
    for (const CField* f : m_listFields) {
        xml.writeStartElement(QStringLiteral("field"));
        xml.writeAttribute(QStringLiteral("id"), QString::number(f->id()));
        xml.writeAttribute(QStringLiteral("name"), f->name());
        xml.writeAttribute(QStringLiteral("kind"), QLatin1String(kindName(f->kind())));
        xml.writeAttribute(QStringLiteral("line"), f->lineNumber());
        xml.writeAttribute(QStringLiteral("label"), f->label());
        xml.writeAttribute(QStringLiteral("section"), f->section());
        xml.writeAttribute(QStringLiteral("shown"), f->isHidden() ? QStringLiteral("0") : QStringLiteral("1"));
        xml.writeAttribute(QStringLiteral("print"), printRole(*f));
        if (f->hasFlag(FieldCaption))
            xml.writeAttribute(QStringLiteral("caption"), QStringLiteral("1"));
        const QString format = numberFormat(*f);
        if (!format.isEmpty()) {
            xml.writeAttribute(QStringLiteral("format"), format);
            xml.writeAttribute(QStringLiteral("decimals"), QString::number(f->isMoney() ? 2 : f->decimals()));
        }
        if (f->kind() == FieldKind::Int) {
            // A value equal to the start value was never entered; a list
            // value shows as its text.
            xml.writeAttribute(QStringLiteral("start"),
                               QString::number(static_cast<const CIntField*>(f)->startValue()));
            QStringList choices;
            for (const auto& choice : f->choices())
                choices << QStringLiteral("%1:%2").arg(choice.first).arg(choice.second);
            if (!choices.isEmpty())
                xml.writeAttribute(QStringLiteral("choices"), choices.join(QLatin1Char('|')));
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    if (xml.hasError())
        return -1;
    return file.commit() ? 0 : -1;
}
