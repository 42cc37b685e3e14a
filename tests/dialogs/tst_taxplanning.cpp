// "Tax Planning" on a scratch copy: it starts where the return stands,
// writes only the amount the user moved, and the maxima clamp the amounts.
#include <QtTest>

#include "common/modalsteps.h"
#include "companion/forms/schedules/taxdata_sch7.h"
#include "companion/forms/schedules/taxdata_sch9.h"
#include "dialogs/dlgtaxplanning.h"
#include "model/calcfixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QSlider>

using namespace calcfixture;

namespace {

// A single return with employment income, an RRSP deduction limit of
// 5000.40 and 3000 contributed (so Schedule 7 deducts 3000), other income
// not on a slip of 1200 and other deductions of 300.
std::unique_ptr<CFamilyTaxData> plannedReturn()
{
    auto family = makeFamily(false);
    IndividualTaxData* person = family->getTaxpayer();
    addT4(person, 60000, 9000);
    auto* sch7 = form<TaxData_Sch7>(person, 7, true);
    sch7->RRSPDeductionLimit.m_value = 5000.40;
    sch7->OwnPriorYearContributions.m_value = 3000;
    person->GetT1()->line13000NotOnSlip.m_value = 1200;
    person->GetT1()->line23200NotOnSlip.m_value = 300;
    family->Calculate(-1, nullptr);
    return family;
}

template <class W>
W* child(QWidget& dialog, const char* name)
{
    W* widget = dialog.findChild<W*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

QStringList column(QWidget& dialog, int suffix)
{
    QStringList lines;
    for (int line = 1; line <= 3; ++line)
        lines << child<QLabel>(dialog, QString("lblResult%1_%2").arg(line).arg(suffix).toLatin1().constData())->text();
    return lines;
}

void typeMaximum(QWidget& dialog, const char* edit, const QString& text)
{
    auto* box = child<QLineEdit>(dialog, edit);
    box->setText(text);
    emit box->editingFinished();
}

} // namespace

class TestTaxPlanning : public QObject
{
    Q_OBJECT
private slots:
    void startsWhereTheReturnStands()
    {
        auto family = plannedReturn();
        IndividualTaxData* person = family->getTaxpayer();
        const QString status = person->GetReturnStatusString(0);
        DlgTaxPlanning dialog(family.get(), nullptr);
        QCOMPARE(dialog.windowTitle(), QString("Tax Planning"));
        QCOMPARE(child<QLineEdit>(dialog, "edtRRSPMax")->text(), QString("5000"));
        auto* rrsp = child<QSlider>(dialog, "sldRRSP");
        QCOMPARE(rrsp->minimum(), 0);
        QCOMPARE(rrsp->maximum(), 5000);
        QCOMPARE(rrsp->value(), 3000);
        QCOMPARE(child<QLabel>(dialog, "lblCurRRSP")->text(), QString("3000"));
        // Income and deduction items start at the T1's present amounts.
        QCOMPARE(child<QLineEdit>(dialog, "edtIncomeMax")->text(), QString("1200"));
        QCOMPARE(child<QSlider>(dialog, "sldIncome")->value(), 1200);
        QCOMPARE(child<QLabel>(dialog, "lblCurDeduction")->text(), QString("300"));
        // A single return: one line in each column, and nothing moved yet.
        const QStringList before = column(dialog, 2);
        QCOMPARE(before, (QStringList{"Ada Tremblay - " + status, "", ""}));
        QCOMPARE(column(dialog, 1), before);

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.grab().save(modalsteps::artefactPath("tax-planning.png")));

        // Moving the RRSP leaves the T1's own items where they were.
        rrsp->setValue(4000);
        QCOMPARE(child<QLabel>(dialog, "lblCurRRSP")->text(), QString("4000"));
        QCOMPARE(person->GetT1()->line13000NotOnSlip.m_value, 1200.0);
        QCOMPARE(person->GetT1()->line23200NotOnSlip.m_value, 300.0);
        QCOMPARE(form<TaxData_Sch7>(person, 7)->Result.m_value, 4000.0);
        QVERIFY(column(dialog, 1) != before);
        QCOMPARE(column(dialog, 1).first(), "Ada Tremblay - " + person->GetReturnStatusString(0));
        QCOMPARE(column(dialog, 2), before);
    }

    void maximaAreNeverNegative_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("amount");
        QTest::newRow("negative") << "-5" << "0" << 0;
        QTest::newRow("not a number") << "abc" << "0" << 0;
        QTest::newRow("below the amount") << "2000" << "2000" << 2000;
        QTest::newRow("above the amount") << "7000" << "7000" << 3000;
    }

    void maximaAreNeverNegative()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, amount);
        auto family = plannedReturn();
        DlgTaxPlanning dialog(family.get(), nullptr);
        typeMaximum(dialog, "edtRRSPMax", typed);
        QCOMPARE(child<QLineEdit>(dialog, "edtRRSPMax")->text(), shown);
        auto* rrsp = child<QSlider>(dialog, "sldRRSP");
        QCOMPARE(rrsp->maximum(), shown.toInt());
        QCOMPARE(rrsp->value(), amount);
        QCOMPARE(child<QLabel>(dialog, "lblCurRRSP")->text(), QString::number(amount));
        // The maximum is the deduction limit the copy is calculated with.
        const auto* sch7 = form<TaxData_Sch7>(family->getTaxpayer(), 7);
        QCOMPARE(sch7->RRSPDeductionLimit.m_value, shown.toDouble());
        QCOMPARE(sch7->Result.m_value, double(amount));
    }

    void donationBackToZeroIsWritten()
    {
        auto family = plannedReturn();
        DlgTaxPlanning dialog(family.get(), nullptr);
        const QStringList before = column(dialog, 2);
        // No Schedule 9 yet: the donation has no room until a maximum is typed.
        QCOMPARE(child<QSlider>(dialog, "sldDonation")->maximum(), 0);
        typeMaximum(dialog, "edtDonationMax", "800");
        auto* donation = child<QSlider>(dialog, "sldDonation");
        donation->setValue(500);
        const auto* sch9 = form<TaxData_Sch9>(family->getTaxpayer(), 9);
        QVERIFY(sch9);
        QCOMPARE(sch9->ownDonations(), 500.0);
        QVERIFY(column(dialog, 1) != before);
        donation->setValue(0);
        QCOMPARE(child<QLabel>(dialog, "lblCurDonation")->text(), QString("0"));
        QCOMPARE(sch9->ownDonations(), 0.0);
        QCOMPARE(column(dialog, 1), before);
    }

    void slidersRecalculateWhereTheyAreLetGo()
    {
        auto family = plannedReturn();
        DlgTaxPlanning dialog(family.get(), nullptr);
        for (const char* name : {"sldRRSP", "sldDonation", "sldIncome", "sldDeduction"})
            QVERIFY2(!child<QSlider>(dialog, name)->hasTracking(), name);
    }

    void coupledReturnShowsTheSpouseAndTheFamily()
    {
        auto family = makeFamily(true);
        addT4(family->getTaxpayer(), 50000, 7000);
        addT4(family->getSpouse(), 20000, 1000);
        family->Calculate(-1, nullptr);
        DlgTaxPlanning dialog(family.get(), nullptr);
        const QStringList before = column(dialog, 2);
        QCOMPARE(before[1], "Louis Tremblay - " + family->getSpouse()->GetReturnStatusString(0));
        QCOMPARE(before[2], "Family Result - " + family->GetFamilyReturnStatusString());
    }

    void withoutAT1NothingCanBePlanned()
    {
        auto family = makeFamily(false);
        IndividualTaxData* person = family->getTaxpayer();
        person->RemoveFormData(person->GetT1(), true);
        QVERIFY(!person->GetT1());
        DlgTaxPlanning dialog(family.get(), nullptr);
        for (const char* name : {"sldRRSP", "sldDonation", "sldIncome", "sldDeduction"})
            QVERIFY2(!child<QSlider>(dialog, name)->isEnabled(), name);
        QVERIFY(!child<QLineEdit>(dialog, "edtRRSPMax")->isEnabled());
        // The name is the T1's too: only the status line is left.
        QVERIFY(column(dialog, 2).first().endsWith(" - No tax return is opened."));
    }
};

QTEST_MAIN(TestTaxPlanning)
#include "tst_taxplanning.moc"
