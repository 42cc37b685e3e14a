// The question asked before an item of the return is removed: it names the
// item by what the user entered on it, and an item holding nothing typed is
// not asked about at all.
#include <QtTest>

#include "companion/forms/schedules/taxdata_sch7.h"
#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/slips/slips_investment.h"
#include "companion/forms/wizard/taxnote.h"
#include "model/itemremoval.h"

#include <functional>
#include <memory>

using Fill = std::function<CTaxData_Form*()>;
Q_DECLARE_METATYPE(Fill)

class TestItemRemoval : public QObject
{
    Q_OBJECT

private slots:
    void question_data();
    void question();
};

namespace {

// Every row's item lives until the end of the test run: the fill functions
// hand back an object the test does not own.
template <class T>
T* keep()
{
    static std::vector<std::unique_ptr<CTaxData_Form>> items;
    items.push_back(std::make_unique<T>());
    return static_cast<T*>(items.back().get());
}

} // namespace

void TestItemRemoval::question_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("type");
    QTest::addColumn<Fill>("fill");
    QTest::addColumn<QString>("expected");

    QTest::newRow("T4 with payer and income") << int(FROM_SLIP) << int(SLIP_T4) << Fill([] {
        auto* t4 = keep<TaxData_Slip_T4>();
        t4->EmployerName.setText("Employer Inc.");
        t4->box14EmploymentIncome.setText("31000");
        return t4;
    }) << "Remove the T4 from Employer Inc. with 31,000.00 of income?";
    QTest::newRow("T4 with income only") << int(FROM_SLIP) << int(SLIP_T4) << Fill([] {
        auto* t4 = keep<TaxData_Slip_T4>();
        t4->box14EmploymentIncome.setText("1234.5");
        return t4;
    }) << "Remove the T4 with 1,234.50 of income?";
    QTest::newRow("T4 with payer and tax only") << int(FROM_SLIP) << int(SLIP_T4) << Fill([] {
        auto* t4 = keep<TaxData_Slip_T4>();
        t4->EmployerName.setText("Acme");
        t4->box22IncomeTaxDeducted.setText("500");
        return t4;
    }) << "Remove the T4 from Acme with what was entered on it?";
    // The province of employment is preset on every new slip: it is not
    // something the user typed.
    QTest::newRow("T4 with only its province") << int(FROM_SLIP) << int(SLIP_T4) << Fill([] {
        auto* t4 = keep<TaxData_Slip_T4>();
        t4->Province.m_value = 9;
        return t4;
    }) << QString();
    QTest::newRow("T5 of a bank") << int(FROM_SLIP) << int(SLIP_T5) << Fill([] {
        auto* t5 = keep<TaxData_Slip_T5>();
        t5->PayerName.setText("Bank of Nowhere");
        return t5;
    }) << "Remove the T5 from Bank of Nowhere with what was entered on it?";
    QTest::newRow("empty T5") << int(FROM_SLIP) << int(SLIP_T5) << Fill([] { return keep<TaxData_Slip_T5>(); })
                              << QString();
    QTest::newRow("Schedule 7 with a contribution") << int(FROM_FORM) << int(FORM_SCH7) << Fill([] {
        auto* form = keep<TaxData_Sch7>();
        form->OwnPriorYearContributions.setText("5000");
        return form;
    }) << "Remove Schedule 7 RRSP, PRPP and SPP Unused Contributions, Transfers, and HBP or LLP Activities with "
          "what was entered on it?";
    // What the calculation wrote is not the user's: it comes back anyway.
    QTest::newRow("Schedule 7 with a computed line only") << int(FROM_FORM) << int(FORM_SCH7) << Fill([] {
        auto* form = keep<TaxData_Sch7>();
        form->Result.setAmount(5000);
        return form;
    }) << QString();
    QTest::newRow("note with a title") << int(FROM_NOTE) << 1 << Fill([] {
        auto* note = keep<TaxData_TaxNote>();
        note->Title.setText("Call back");
        note->Text.setText("About the receipts");
        return note;
    }) << "Remove the tax note \"Call back\" with what was written in it?";
    QTest::newRow("note with text only") << int(FROM_NOTE) << 1 << Fill([] {
        auto* note = keep<TaxData_TaxNote>();
        note->Text.setText("About the receipts");
        return note;
    }) << "Remove the tax note with what was written in it?";
}

void TestItemRemoval::question()
{
    QFETCH(int, kind);
    QFETCH(int, type);
    QFETCH(Fill, fill);
    QFETCH(QString, expected);
    const CTaxData_Form* item = fill();
    QCOMPARE(removalQuestion(kind, type, *item), expected);
    QCOMPARE(holdsTypedEntries(*item), !expected.isEmpty());
}

QTEST_GUILESS_MAIN(TestItemRemoval)
#include "tst_itemremoval.moc"
