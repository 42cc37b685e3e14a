// Writes the return the print engine's test prints, with the program's own
// writer, and checks the figures the test then looks for on the PDF.
//
// Zoé Bélanger-Côté, Ontario, single, one T4 with box 14 employment income of
// 52,000.00 and box 22 income tax deducted of 7,000.00. Worked by hand:
// line 10100 = box 14 = 52,000.00 and, with no other income, line 15000
// total income = 52,000.00. Her daughter Léa, born 2016-08-20, is in the
// family's dependant table.
//
// The second return is the client copy's whole family: Ann (S.I.N.
// 527 000 079) and Ben (193 456 787) Lee,
// Ontario, married and coupled, at 12 Maple Street, Ottawa, with their son
// Sam. Ann has a T4 (box 14 52,000.00, box 22 7,000.00), a T5 (box 13
// interest 1,200.00), a T2202 (tuition 3,000.00) and a T776 (gross rents
// 12,000.00) and last year's summary (form 165, with her S.I.N.); Ben a T4 (box 14 38,000.00, box 22 4,000.00). Beside it the
// fixture writes what the test compares the PDFs with: for each person the
// T1's lines with their amounts ("line<TAB>amount", one a line, amounts
// grouped as a person reads them) and
// the barcode archive's records as the archive builder makes them.
// Usage: makefixture RETURN_FILE COUPLED_RETURN_FILE
#include <QCoreApplication>
#include <QFile>

#include <cmath>
#include <cstdio>
#include <memory>

#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/fields.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/money.h"
#include "filing/barcodearchive.h"
#include "model/barcodeblock.h"
#include "model/cfamilytaxdata.h"
#include "model/dialogrecords.h"
#include "model/individualtaxdata.h"

namespace {

constexpr int kOntario = 9;
constexpr int kSingle = 5;
constexpr ENUMTYPE_SLIP kT4 = 1;
constexpr ENUMTYPE_FORM kPriorYearSummary = 165;

bool setField(CTaxData_Form* form, const char* name, const QString& text)
{
    CField* field = form ? form->findField(QString::fromLatin1(name)) : nullptr;
    return field && field->setText(text);
}


bool setT1Address(IndividualTaxData* person)
{
    TaxData_T1New* t1 = person ? person->GetT1() : nullptr;
    return t1 && setField(t1, "AddressLine1", QStringLiteral("12 Maple Street"))
           && setField(t1, "City", QStringLiteral("Ottawa")) && setField(t1, "PostalCode", QStringLiteral("K1A 0B1"))
           && setField(t1, "MailingProvince", QStringLiteral("9"));
}

bool addT4(IndividualTaxData* person, const char* income, const char* withheld)
{
    auto* t4 = person->NewSlipData(kT4, 0, 0);
    return t4 && setField(t4->data, "EmployerName", QStringLiteral("Maple Works Ltd."))
           && setField(t4->data, "Province", QStringLiteral("9"))
           && setField(t4->data, "box14EmploymentIncome", QString::fromLatin1(income))
           && setField(t4->data, "box22IncomeTaxDeducted", QString::fromLatin1(withheld));
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// The T1's lines with an amount, as the window's T1 page shows them; the
// spouse's figures the T1 copies are the spouse's own lines, not this one's.
QByteArray t1Lines(const IndividualTaxData& person)
{
    QByteArray out;
    const TaxData_T1New* t1 = const_cast<IndividualTaxData&>(person).GetT1();
    if (!t1)
        return out;
    for (const CField* f : t1->fieldList()) {
        if (f->kind() != FieldKind::Float || f->lineNumber().isEmpty() || f->isHidden() || f->hasFlag(FieldFromSpouse))
            continue;
        const auto* amount = static_cast<const CFloatField*>(f);
        if (amount->m_value != 0)
            out += (f->lineNumber() + QLatin1Char('\t')
                    + QString::fromStdString(taxrules::formatAmountGrouped(amount->m_value)) + QLatin1Char('\n'))
                       .toUtf8();
    }
    return out;
}

// The coupled family of the client copy; 0 when written, else a reason.
const char* writeCoupledFamily(const QString& path)
{
    installBarcodeBuilder();
    auto family = std::make_unique<CFamilyTaxData>();
    NewReturnBasicData record;
    record.FirstName = CString("Ann");
    record.LastName = CString("Lee");
    record.sin = CString("527000079");
    record.TaxPronv = kOntario;
    record.MaritalStatus = 0;
    record.FirstNameSpouse = CString("Ben");
    record.LastNameSpouse = CString("Lee");
    record.sinSpouse = CString("193456787");
    record.TaxPronvSpouse = kOntario;
    record.Coupled = true;
    family->NewData(&record);
    IndividualTaxData* ann = family->getTaxpayer();
    IndividualTaxData* ben = family->getSpouse();
    if (!ann || !ben)
        return "the coupled return has no spouse";
    if (!setT1Address(ann) || !setT1Address(ben))
        return "the addresses could not be set";
    if (!addT4(ann, "52000", "7000") || !addT4(ben, "38000", "4000"))
        return "a T4 could not be filled";
    auto* t5 = ann->NewSlipData(8, 0, 0);
    if (!t5 || !setField(t5->data, "box13Interest", QStringLiteral("1200")))
        return "the T5 could not be filled";
    auto* t2202 = ann->NewSlipData(25, 0, 0);
    if (!t2202 || !setField(t2202->data, "box10School", QStringLiteral("Carleton University"))
        || !setField(t2202->data, "session1Fees", QStringLiteral("3000")))
        return "the T2202 could not be filled";
    // The id the return tree hands the print of "selected form only".
    if (!writeBytes(path.left(path.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".t2202-id.txt"),
                    QByteArray::number(t2202->id)))
        return "the T2202's id could not be written";
    auto* t776 = ann->NewFormDataItem(12, 0, true, 0, true);
    if (!t776 || !setField(t776->data, "line8141GrossRents", QStringLiteral("12000")))
        return "the T776 could not be filled";
    // Last year's summary, as a return carried forward holds it.
    CTaxData_Form* prior = ann->GetFormData(kPriorYearSummary, true);
    if (!prior || !setField(prior, "SIN", QStringLiteral("527000079")))
        return "the prior-year summary could not be filled";
    DependantInfo* sam = family->dependants().GetAt(0);
    if (!sam)
        return "the dependant table has no entry";
    sam->firstName = CString("Sam");
    sam->lastName = CString("Lee");
    sam->relationship = DEP_REL_CHILD;
    sam->dateOfBirth = QDate(2015, 3, 9);
    family->Calculate(-1, nullptr);
    QString reason;
    if (family->saveToFile(CString(path), 2, &reason) != 0)
        return "the coupled return could not be written";
    const QString base = path.left(path.lastIndexOf(QLatin1Char('.')));
    const IndividualTaxData* people[] = {ann, ben};
    for (int p = 0; p < 2; ++p) {
        if (!writeBytes(base + QStringLiteral(".lines-%1.txt").arg(p), t1Lines(*people[p])))
            return "the T1 lines could not be written";
        BarcodeBlock block;
        if (!buildBarcodeArchive(*people[p], block))
            return "a spouse is not barcode-eligible";
        QList<QByteArray> records{block.t1Archive};
        records += block.statements;
        for (int r = 0; r < records.size(); ++r)
            if (!writeBytes(base + QStringLiteral(".barcode-%1-%2.bin").arg(p).arg(r), records[r]))
                return "a barcode record could not be written";
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s RETURN_FILE COUPLED_RETURN_FILE\n", argv[0]);
        return 2;
    }
    auto family = std::make_unique<CFamilyTaxData>();
    NewReturnBasicData record;
    record.FirstName = CString(QStringLiteral("Zoé"));
    record.LastName = CString(QStringLiteral("Bélanger-Côté"));
    record.sin = CString("046454286");
    record.TaxPronv = kOntario;
    record.MaritalStatus = kSingle;
    family->NewData(&record);

    IndividualTaxData* zoe = family->getTaxpayer();
    auto* t4 = zoe->NewSlipData(kT4, 0, 0);
    if (!t4 || !setField(t4->data, "box14EmploymentIncome", QStringLiteral("52000"))
        || !setField(t4->data, "box22IncomeTaxDeducted", QStringLiteral("7000"))) {
        std::fprintf(stderr, "the T4 slip or its boxes could not be filled\n");
        return 1;
    }
    DependantInfo* lea = family->dependants().GetAt(0);
    if (!lea) {
        std::fprintf(stderr, "the dependant table has no entry\n");
        return 1;
    }
    lea->firstName = CString(QStringLiteral("Léa"));
    lea->lastName = CString(QStringLiteral("Bélanger-Côté"));
    lea->relationship = DEP_REL_CHILD;
    lea->dateOfBirth = QDate(2016, 8, 20);
    family->Calculate(-1, nullptr);
    const double totalIncome = zoe->GetT1() ? zoe->GetT1()->line15000TotalIncome.m_value : -1;
    if (std::fabs(totalIncome - 52000.0) > 0.001) {
        std::fprintf(stderr, "line 15000 is %.2f, not 52000.00\n", totalIncome);
        return 1;
    }
    QString reason;
    const int code = family->saveToFile(CString(QString::fromLocal8Bit(argv[1])), 2, &reason);
    if (code != 0) {
        std::fprintf(stderr, "the return could not be written (%d): %s\n", code, qPrintable(reason));
        return 1;
    }
    if (const char* failure = writeCoupledFamily(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "%s\n", failure);
        return 1;
    }
    return 0;
}
