// Every amount the calculation writes is marked computed (or filled from
// elsewhere) in its form's field table, so that the pages show it read-only:
// an amount the user types is never silently replaced by the calculation.
#include <QtTest>

#include "companion/forms/catalogue.h"
#include "companion/forms/cfield.h"
#include "companion/forms/fields.h"
#include "companion/forms/slips/slips_employment.h"
#include "model/interviewtransfer.h"
#include "modelfixture.h"
#include "companion/forms/schedules/taxdata_sch7.h"
#include "companion/forms/wizard/interviewdata.h"

using namespace modelfixture;

class TestComputedLines : public QObject
{
    Q_OBJECT
private slots:
    void calculationWritesNoTypedAmount_data();
    void calculationWritesNoTypedAmount();
    void rrspPageTotalsWhatWasEntered();
};

namespace {

struct Item
{
    int kind;
    int type;
};

// The amounts a user can type on the object.
std::vector<CFloatField*> typedAmounts(CTaxData_Form& form)
{
    std::vector<CFloatField*> out;
    for (CField* field : form.fieldList())
        if (auto* amount = dynamic_cast<CFloatField*>(field))
            if (!field->isReadOnly() && !field->isHidden())
                out.push_back(amount);
    return out;
}

CTaxData_Form* objectOf(IndividualTaxData& person, const Item& item)
{
    switch (item.kind) {
    case FROM_FORM:
        return person.GetFormData(ENUMTYPE_FORM(item.type), true);
    case FROM_TAXWIZARD:
        return person.GetWizData(ENUMTYPE_TAXWIZARD(item.type), true);
    case FROM_SLIP: {
        STRUCT_SLIPDATA_ITEM_2004* slip = person.NewSlipData(ENUMTYPE_SLIP(item.type), 0, 0);
        return slip ? slip->data : nullptr;
    }
    default:
        return nullptr;
    }
}

bool stillHeld(IndividualTaxData& person, const Item& item, const CTaxData_Form* object)
{
    if (item.kind == FROM_FORM)
        return person.GetFormData(ENUMTYPE_FORM(item.type), false) == object;
    if (item.kind == FROM_TAXWIZARD)
        return person.GetWizData(ENUMTYPE_TAXWIZARD(item.type), false) == object;
    for (const STRUCT_SLIPDATA_ITEM_2004* slip : person.m_slipList)
        if (slip->data == object)
            return true;
    return false;
}

} // namespace

void TestComputedLines::calculationWritesNoTypedAmount_data()
{
    QTest::addColumn<int>("province");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("type");
    // The forms whose steps write their lines (schedules, statements,
    // credits and worksheets); each one's table marks every line it writes.
    // By number: Schedules 3, 5, 6, 7, 9, 11, 13 and 15, T776, T929, T2038,
    // T2204, T1206, T691, T936, T2209, T2017, T1-A, T657, T2222, RC71, T777,
    // T183, T1153, T2205, T2125 (both), T2091, RC383, T1255, T90, T224, T225,
    // T185, the instalments and the dividend and interest sheet.
    constexpr int kForms[] = {4,     6,  7,   9,   11,  12,  14,  20,  23,  29,  31,  32,  35,  37,  39,  40,  49,  53,  59,
                              96,    97, 119, 124, 125, 131, 139, 147, 149, 160, 171, 173, 174, 181, 205, 209, 210};
    for (const int type : kForms)
        QTest::addRow("%s", getFormCode(ENUMTYPE_FORM(type))) << kOntario << int(FROM_FORM) << type;
    // The pension plan schedules take their slip figures and work out their
    // lines once a T4 withholds contributions.
    for (const int type : {int(FORM_SCH8), int(FORM_RC381)})
        QTest::addRow("%s with a T4", getFormCode(ENUMTYPE_FORM(type))) << kOntario << int(FROM_FORM) << type;
    QTest::addRow("interview RRSP Contributions") << kOntario << int(FROM_TAXWIZARD) << int(TAXWIZARD_RRSP);
}

void TestComputedLines::calculationWritesNoTypedAmount()
{
    QFETCH(int, province);
    QFETCH(int, kind);
    QFETCH(int, type);
    CFamilyTaxData family;
    const NewReturnBasicData data = newReturn(5, false, province);
    family.NewData(&data);
    IndividualTaxData& person = *family.getTaxpayer();
    if (type == FORM_SCH8 || type == FORM_RC381) {
        // A T4 from Quebec withholds QPP, which calls for RC381; one from
        // Ontario withholds CPP, which calls for Schedule 8.
        const bool quebec = type == FORM_RC381;
        auto& t4 = static_cast<TaxData_Slip_T4&>(*person.NewSlipData(SLIP_T4, 0, 0)->data);
        t4.Province.m_value = quebec ? PROV_QC : province;
        t4.box14EmploymentIncome.m_value = 45000;
        t4.box26PensionableEarnings.m_value = 45000;
        (quebec ? t4.box17QppContributions : t4.box16CppContributions).m_value = 2469.25;
    }
    family.Calculate(-1, nullptr);
    const Item item{kind, type};
    CTaxData_Form* object = objectOf(person, item);
    if (!object)
        QSKIP("not made in this return");
    // Distinct amounts, each a whole number of cents.
    const std::vector<CFloatField*> amounts = typedAmounts(*object);
    std::vector<double> typed;
    for (size_t i = 0; i < amounts.size(); ++i) {
        const AmountKind what = amounts[i]->amountKind();
        typed.push_back(what == AmountKind::Share ? 50.0
                        : what == AmountKind::Count ? 3.0
                        : what == AmountKind::Rate ? 0.5
                                                   : 1000.0 + 7.31 * double(i + 1));
        amounts[i]->setAmount(typed.back());
        typed.back() = amounts[i]->m_value;
    }
    // An interview page hands its answers to the forms when it is edited.
    if (kind == FROM_TAXWIZARD)
        InterviewTransfer(person).readFromWizards(type);
    family.Calculate(-1, nullptr);
    if (!stillHeld(person, item, object))
        QSKIP("the calculation does not keep it in this return");
    QStringList replaced;
    for (size_t i = 0; i < amounts.size(); ++i)
        if (amounts[i]->m_value != typed[i])
            replaced << QStringLiteral("%1 (typed %2, became %3)")
                            .arg(amounts[i]->name())
                            .arg(typed[i])
                            .arg(amounts[i]->m_value);
    QVERIFY2(replaced.isEmpty(), qPrintable(replaced.join("; ")));
}

// The RRSP page: 5,000 of the taxpayer's own contributions from March 1
// and 1,200 to the spouse's plan in the first 60 days of 2025 make a total
// of 6,200.00, and Schedule 7 claims them.
void TestComputedLines::rrspPageTotalsWhatWasEntered()
{
    CFamilyTaxData family;
    const NewReturnBasicData data = newReturn(5, false, kOntario);
    family.NewData(&data);
    family.Calculate(-1, nullptr);
    IndividualTaxData& person = *family.getTaxpayer();
    auto* page = qobject_cast<TaxData_RRSPContrib*>(person.GetWizData(TAXWIZARD_RRSP, true));
    QVERIFY(page);
    QVERIFY(page->ContributionTotal.isComputed());
    QVERIFY(!person.GetFormData(FORM_SCH7, false));
    page->OwnPriorYearContributions.setText("5000");
    page->SpousalCurrentYearContributions.setText("1200");
    InterviewTransfer(person).readFromWizards(TAXWIZARD_RRSP);
    family.Calculate(-1, nullptr);
    InterviewTransfer(person).writeToWizards();
    QCOMPARE(page->ContributionTotal.m_value, 6200.0);
    auto* sch7 = qobject_cast<TaxData_Sch7*>(person.GetFormData(FORM_SCH7, false));
    QVERIFY(sch7);
    QCOMPARE(sch7->OwnPriorYearContributions.m_value, 5000.0);
    QCOMPARE(sch7->SpousalCurrentYearContributions.m_value, 1200.0);
    // Emptied again: the total follows.
    page->OwnPriorYearContributions.setAmount(0);
    page->SpousalCurrentYearContributions.setAmount(0);
    InterviewTransfer(person).readFromWizards(TAXWIZARD_RRSP);
    QCOMPARE(page->ContributionTotal.m_value, 0.0);
}

QTEST_GUILESS_MAIN(TestComputedLines)
#include "tst_computedlines.moc"
