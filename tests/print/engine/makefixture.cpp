// Writes the return the print engine's test prints, with the program's own
// writer, and checks the figures the test then looks for on the PDF.
//
// Zoé Bélanger-Côté, Ontario, single, one T4 with box 14 employment income of
// 52,000.00 and box 22 income tax deducted of 7,000.00. Worked by hand:
// line 10100 = box 14 = 52,000.00 and, with no other income, line 15000
// total income = 52,000.00. Her daughter Léa, born 2016-08-20, is in the
// family's dependant table.
// Usage: makefixture RETURN_FILE
#include <QCoreApplication>

#include <cmath>
#include <cstdio>
#include <memory>

#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/fields.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/cfamilytaxdata.h"
#include "model/dialogrecords.h"
#include "model/individualtaxdata.h"

namespace {

constexpr int kOntario = 9;
constexpr int kSingle = 5;
constexpr ENUMTYPE_SLIP kT4 = 1;

bool setField(CTaxData_Form* form, const char* name, const QString& text)
{
    CField* field = form ? form->findField(QString::fromLatin1(name)) : nullptr;
    return field && field->setText(text);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s RETURN_FILE\n", argv[0]);
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
    return 0;
}
