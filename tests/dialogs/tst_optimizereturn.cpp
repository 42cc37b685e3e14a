// The shareable-amounts wizard and "Optimize Tax Return" on a scratch copy:
// the record is stored and made sound on Finish; the best result is the
// optimiser's own; the sliders only explore the copy.
#include <QtTest>

#include "common/modalsteps.h"
#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/schedules/taxdata_sch9.h"
#include "companion/ui/styledwidgets.h"
#include "dialogs/dlgoptimizereturn.h"
#include "dialogs/shareamtdlg.h"
#include "model/calcfixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QWizard>

using namespace calcfixture;

namespace {

TaxData_T1032_New* t1032(IndividualTaxData* person) { return form<TaxData_T1032_New>(person, 118); }

// A couple whose taxpayer has a pension of 20,000 (so at most 10,000 may be
// split) and whose T1032 forms hold the split 2500.75 as if the optimiser
// had chosen it; the taxpayer gives 100 of donations, the pool is 301.
struct OptimisedCopy
{
    std::unique_ptr<CFamilyTaxData> family = makeFamily(true);
    DataShareAmtDlg record;

    OptimisedCopy()
    {
        IndividualTaxData* taxpayer = family->getTaxpayer();
        IndividualTaxData* spouse = family->getSpouse();
        addT4(taxpayer, 70000, 12000);
        addPensionT4A(taxpayer, 20000, 2000);
        addT4(spouse, 15000, 500);
        form<TaxData_T1032_New>(taxpayer, 118, true)->ElectorIndicator.m_value = 0;
        if (!t1032(spouse))
            form<TaxData_T1032_New>(spouse, 118, true);
        t1032(spouse)->ElectorIndicator.m_value = 1;
        for (IndividualTaxData* person : {taxpayer, spouse}) {
            t1032(person)->line10322Election.m_value = 1;
            t1032(person)->line10321SplitAmount.m_value = 2500.75;
        }
        form<TaxData_Sch9>(taxpayer, 9, true)->OtherDonations.m_value = 100;
        family->Calculate(-1, nullptr);
        record.fld_Pension_1.m_value = 10000;
        record.fld_Donation_1_Claimed.m_value = 100;
        record.fld_Donation_1.m_value = 100;
        record.fld_Donation_3.m_value = 301;
    }
};

template <class W>
W* child(QWidget& dialog, const char* name)
{
    W* widget = dialog.findChild<W*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

QString text(QWidget& dialog, const char* name)
{
    if (auto* edit = dialog.findChild<QLineEdit*>(QString::fromLatin1(name)))
        return edit->text();
    return child<QLabel>(dialog, name)->text();
}

} // namespace

class TestOptimizeReturn : public QObject
{
    Q_OBJECT
private slots:
    void wizardStoresAndCorrectsTheTypedAmounts()
    {
        auto family = makeFamily(true);
        DataShareAmtDlg record;
        record.fld_Donation_1_Claimed.m_value = 400;
        record.fld_Pension_1.m_value = 1234.5;
        QString finishText, name1, claimedShown, pensionShown;
        bool claimedEnabled = true;
        modalsteps::closeModalLater();
        modalsteps::whenModal<QWizard>([&](QWizard* wizard) {
            finishText = wizard->buttonText(QWizard::FinishButton);
            name1 = wizard->findChild<QLabel*>("FullName1")->text();
            auto* claimed = wizard->findChild<DoubleLineEdit*>("fld_Donation_1_Claimed");
            claimedShown = claimed->text();
            claimedEnabled = claimed->isEnabled();
            pensionShown = wizard->findChild<DoubleLineEdit*>("fld_Pension_1")->text();
            // Typed, and Finish pressed without leaving the edits.
            wizard->findChild<DoubleLineEdit*>("fld_Donation_1")->setText("500");
            wizard->findChild<DoubleLineEdit*>("fld_BankInterest_3")->setText("-20");
            wizard->findChild<DoubleLineEdit*>("fld_CapGain_2")->setText("750");
            wizard->grab().save(modalsteps::artefactPath("shareable-amounts.png"));
            QTest::mouseClick(wizard->button(QWizard::FinishButton), Qt::LeftButton);
        });
        QCOMPARE(runShareAmountsWizard(record, family.get(), nullptr), 1);
        QCOMPARE(finishText, QString("Optimize"));
        QCOMPARE(name1, QString("Ada Tremblay"));
        QCOMPARE(claimedShown, DoubleLineEdit::formatAmount(400));
        QVERIFY(!claimedEnabled);
        QCOMPARE(pensionShown, DoubleLineEdit::formatAmount(1234.5));
        QCOMPARE(record.fld_Donation_1.m_value, 400.0);
        QCOMPARE(record.fld_BankInterest_3.m_value, 0.0);
        QCOMPARE(record.fld_CapGain_2.m_value, 750.0);
    }

    void cancelledWizardLeavesTheRecord()
    {
        auto family = makeFamily(true);
        DataShareAmtDlg record;
        modalsteps::closeModalLater();
        modalsteps::whenModal<QWizard>([](QWizard* wizard) {
            wizard->findChild<DoubleLineEdit*>("fld_Donation_3")->setText("90");
            wizard->reject();
        });
        QCOMPARE(runShareAmountsWizard(record, family.get(), nullptr), 0);
        QCOMPARE(record.fld_Donation_3.m_value, 0.0);
    }

    void bestResultIsTheOptimisersOwn()
    {
        OptimisedCopy copy;
        CFamilyTaxData& scratch = *copy.family;
        QCOMPARE(t1032(scratch.getTaxpayer())->line10321SplitAmount.m_value, 2500.75);
        const QString best1 = scratch.getTaxpayer()->GetReturnStatusString(0);
        const QString best2 = scratch.getSpouse()->GetReturnStatusString(0);
        const QString bestFamily = scratch.GetFamilyReturnStatusString();

        DlgOptimizeReturn dialog(&scratch, &copy.record, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QString("Optimize Tax Return"));
        QCOMPARE(text(dialog, "lblBestResultTitle"), QString("Best Result: pension split = [2500.75]"));
        QCOMPARE(text(dialog, "lblBestResult1"), best1);
        QCOMPARE(text(dialog, "lblBestResult2"), best2);
        QCOMPARE(text(dialog, "lblFamilyBest"), bestFamily);
        // The positions as the sliders hold them: whole dollars, and the
        // taxpayer's own donations with half the pool.
        QCOMPARE(text(dialog, "edtPension"), QString("2500.00"));
        QCOMPARE(text(dialog, "edtDonation1"), QString("250.00"));
        QCOMPARE(text(dialog, "edtDonation2"), QString("151.00"));
        QCOMPARE(text(dialog, "lblMaxPension"), QString("10000.00"));
        QCOMPARE(text(dialog, "lblMaxDonation"), QString("401.00"));
        auto* pension = child<QSlider>(dialog, "sldPensionSplit");
        auto* donation = child<QSlider>(dialog, "sldDonation");
        QCOMPARE(pension->maximum(), 10000);
        QCOMPARE(pension->value(), 2500);
        QCOMPARE(donation->maximum(), 401);
        QCOMPARE(donation->value(), 250);
        QVERIFY(!pension->hasTracking());
        QVERIFY(!donation->hasTracking());
        // The current result is the copy at those positions.
        QCOMPARE(t1032(scratch.getSpouse())->line10321SplitAmount.m_value, 2500.0);
        QCOMPARE(form<TaxData_Sch9>(scratch.getTaxpayer(), 9)->CoupleDonationShare.m_value, 150.0);
        QCOMPARE(text(dialog, "lblResult1"), QString(scratch.getTaxpayer()->GetReturnStatusString(0)));
        QCOMPARE(text(dialog, "lblFamilyResult"), QString(scratch.GetFamilyReturnStatusString()));
        QVERIFY(dialog.grab().save(modalsteps::artefactPath("optimize-result.png")));

        // Exploring moves the copy and the current result only.
        pension->setValue(6000);
        donation->setValue(0);
        QCOMPARE(text(dialog, "edtPension"), QString("6000.00"));
        QCOMPARE(t1032(scratch.getTaxpayer())->line10321SplitAmount.m_value, 6000.0);
        QCOMPARE(t1032(scratch.getSpouse())->line10321SplitAmount.m_value, 6000.0);
        // At the left end the taxpayer passes its own 100; the spouse takes
        // them and the pool.
        QCOMPARE(form<TaxData_Sch9>(scratch.getTaxpayer(), 9)->CoupleDonationShare.m_value, -100.0);
        QCOMPARE(form<TaxData_Sch9>(scratch.getSpouse(), 9)->CoupleDonationShare.m_value, 401.0);
        QCOMPARE(text(dialog, "edtDonation2"), QString("401.00"));
        QCOMPARE(text(dialog, "lblBestResultTitle"), QString("Best Result: pension split = [2500.75]"));
        QCOMPARE(text(dialog, "lblFamilyBest"), bestFamily);

        // Re-Calculate goes back to the starting positions.
        QTest::mouseClick(child<QPushButton>(dialog, "btnReCalc"), Qt::LeftButton);
        QCOMPARE(pension->value(), 2500);
        QCOMPARE(text(dialog, "edtDonation1"), QString("250.00"));
        QCOMPARE(t1032(scratch.getTaxpayer())->line10321SplitAmount.m_value, 2500.0);

        // What comes back is the optimiser's split, not a slider position.
        pension->setValue(7000);
        QTest::mouseClick(child<QPushButton>(dialog, "btnOptimize"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.bestPension(), 2500.75);
    }

    void noChangeAndCloseRejects()
    {
        OptimisedCopy copy;
        DlgOptimizeReturn dialog(copy.family.get(), &copy.record, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(child<QPushButton>(dialog, "btnClose"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestOptimizeReturn)
#include "tst_optimizereturn.moc"
