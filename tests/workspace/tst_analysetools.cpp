// The tools that work on a scratch copy of the open return, run from the
// real window: the optimisation of a coupled return and tax planning. The
// open return changes only when the user applies the optimiser's split.
#include <QtTest>

#include "common/modalsteps.h"
#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/schedules/taxdata_sch7.h"
#include "companion/forms/schedules/taxdata_sch9.h"
#include "companion/forms/slips/slips_employment.h"
#include "companion/ui/styledwidgets.h"
#include "dialogs/dlgoptimizereturn.h"
#include "dialogs/dlgtaxplanning.h"
#include "returnpagefixture.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QWizard>

using namespace returnpage;
using modalsteps::whenModal;

namespace {

constexpr int kSchedule9 = 9;
constexpr int kT1032 = 118;

TaxData_T1032_New* t1032(IndividualTaxData* person)
{
    return qobject_cast<TaxData_T1032_New*>(person->GetFormData(kT1032, false));
}

void addT4(IndividualTaxData* person, double income, double taxDeducted)
{
    auto& t4 = static_cast<TaxData_Slip_T4&>(*person->NewSlipData(kSlipT4, 0, 0)->data);
    t4.Province.m_value = kOntario;
    t4.box14EmploymentIncome.m_value = income;
    t4.box22IncomeTaxDeducted.m_value = taxDeducted;
}

// Both spouses elect a pension split on a T1032; pensioner 0 (taxpayer),
// 1 (spouse) or -1 (neither has answered which role is theirs).
void electSplit(CFamilyTaxData* family, int pensioner)
{
    IndividualTaxData* people[] = {family->getTaxpayer(), family->getSpouse()};
    for (int i = 0; i < 2; ++i) {
        if (!t1032(people[i]))
            people[i]->GetFormData(kT1032, true);
        t1032(people[i])->ElectorIndicator.m_value = pensioner < 0 ? -1 : i == pensioner ? 0 : 1;
    }
}

// A couple: the taxpayer earns 90,000 and receives a pension of 5,001.50
// (so at most 2,500.75 may be split), gives 100 to charity; the spouse has
// no income. Moving pension to the spouse always lowers the family's tax,
// so the optimiser's best split is all it may move.
CFamilyTaxData* pensionCouple()
{
    CFamilyTaxData* family = newFamily(coupledRecord());
    IndividualTaxData* taxpayer = family->getTaxpayer();
    addT4(taxpayer, 90000, 20000);
    auto& t4a = static_cast<TaxData_Slip_T4A&>(*taxpayer->NewSlipData(2, 0, 0)->data);
    t4a.box16Pension.m_value = 5001.50;
    electSplit(family, 0);
    qobject_cast<TaxData_Sch9*>(taxpayer->GetFormData(kSchedule9, true))->OtherDonations.m_value = 100;
    family->Calculate(-1, nullptr);
    return family;
}

QString labelText(QWidget* dialog, const char* name)
{
    if (auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(name)))
        return edit->text();
    auto* label = dialog->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QString();
}

int formCount(const CFamilyTaxData* family)
{
    int count = int(family->getTaxpayer()->m_formList.size());
    if (family->IsCoupledReturn())
        count += int(family->getSpouse()->m_formList.size());
    return count;
}

} // namespace

class TestAnalyseTools : public QObject
{
    Q_OBJECT
private slots:
    void singleReturnIsNotOptimised()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        Form_Return* page = present(f, newFamily(singleRecord()));
        QVERIFY(page);
        const int forms = formCount(page->familyData());
        f.prompter->clear();
        bool wizardShown = false;
        whenModal<QWizard>([&](QWizard* wizard) {
            wizardShown = true;
            wizard->reject();
        });
        f.action("actionOptimize")->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(f.promptTexts(), QStringList{"Right now, optimize function is only targeted coupled tax return "
                                              "for married/common-law tax returns."});
        QVERIFY(!wizardShown);
        QCOMPARE(formCount(page->familyData()), forms);
        QVERIFY(!page->isChanged());
        QVERIFY(!page->isChanged());
    }

    void pensionerMustBeNamed()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        CFamilyTaxData* family = newFamily(coupledRecord());
        electSplit(family, -1);
        Form_Return* page = present(f, family);
        const int forms = formCount(family);
        f.prompter->clear();
        modalsteps::closeModalLater();
        bool wizardShown = false;
        whenModal<QWizard>([&](QWizard* wizard) {
            wizardShown = true;
            wizard->reject();
        });
        f.action("actionOptimize")->trigger();
        QVERIFY(!wizardShown);
        QCOMPARE(f.promptTexts(), QStringList{"Please answer who is the pension transferer in form T1032 first."});
        QCOMPARE(formCount(page->familyData()), forms);
        QVERIFY(!page->isChanged());
    }

    // Cancelling at either step leaves the open return as it was: no
    // Schedule 9 appears for a spouse without one.
    void cancelledOptimisationChangesNothing_data()
    {
        QTest::addColumn<bool>("atResult");
        QTest::newRow("wizard cancelled") << false;
        QTest::newRow("No Change and Close") << true;
    }

    void cancelledOptimisationChangesNothing()
    {
        QFETCH(bool, atResult);
        WindowFixture f;
        QVERIFY(f.ready);
        Form_Return* page = present(f, newFamily(coupledRecord()));
        CFamilyTaxData* family = page->familyData();
        QVERIFY(!family->getTaxpayer()->GetFormData(kSchedule9, false));
        const QString status = statusText(f);
        modalsteps::closeModalLater();
        whenModal<QWizard>([atResult](QWizard* wizard) {
            wizard->findChild<DoubleLineEdit*>("fld_Donation_3")->setText("300");
            if (atResult)
                QTest::mouseClick(wizard->button(QWizard::FinishButton), Qt::LeftButton);
            else
                wizard->reject();
        });
        bool resultShown = false;
        if (atResult)
            whenModal<DlgOptimizeReturn>([&](DlgOptimizeReturn* dialog) {
                resultShown = true;
                QTest::mouseClick(dialog->findChild<QPushButton*>("btnClose"), Qt::LeftButton);
            });
        f.action("actionOptimize")->trigger();
        QCOMPARE(resultShown, atResult);
        QVERIFY(!family->getTaxpayer()->GetFormData(kSchedule9, false));
        QVERIFY(!family->getSpouse()->GetFormData(kSchedule9, false));
        QVERIFY(!page->isChanged());
        QCOMPARE(statusText(f), status);
    }

    void setT1032WritesTheBestSplit()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        Form_Return* page = present(f, pensionCouple());
        CFamilyTaxData* family = page->familyData();
        QCOMPARE(t1032(family->getTaxpayer())->MaxSplit.m_value, 2500.75);
        QVERIFY(!page->isChanged());
        modalsteps::closeModalLater(60000);
        QString claimed;
        whenModal<QWizard>([&](QWizard* wizard) {
            claimed = wizard->findChild<DoubleLineEdit*>("fld_Donation_1_Claimed")->text();
            wizard->findChild<DoubleLineEdit*>("fld_Donation_1")->setText("100");
            wizard->findChild<DoubleLineEdit*>("fld_Donation_3")->setText("301");
            QTest::mouseClick(wizard->button(QWizard::FinishButton), Qt::LeftButton);
        });
        QString title, pension, donation;
        double best = 0.0;
        whenModal<DlgOptimizeReturn>([&](DlgOptimizeReturn* dialog) {
            title = labelText(dialog, "lblBestResultTitle");
            pension = labelText(dialog, "edtPension");
            donation = labelText(dialog, "edtDonation1");
            best = dialog->bestPension();
            dialog->grab().save(modalsteps::artefactPath("optimize-from-window.png"));
            // Exploring another split does not change what is applied.
            dialog->findChild<QSlider*>("sldPensionSplit")->setValue(100);
            QTest::mouseClick(dialog->findChild<QPushButton*>("btnOptimize"), Qt::LeftButton);
        });
        f.action("actionOptimize")->trigger();
        QCOMPARE(claimed, DoubleLineEdit::formatAmount(100));
        QCOMPARE(best, 2500.75);
        QCOMPARE(title, QString("Best Result: pension split = [2500.75]"));
        QCOMPARE(pension, QString("2500.00"));
        QCOMPARE(donation, QString("250.00"));
        for (IndividualTaxData* person : {family->getTaxpayer(), family->getSpouse()}) {
            QCOMPARE(t1032(person)->line10321SplitAmount.m_value, 2500.75);
            QCOMPARE(t1032(person)->line10322Election.m_value, 1);
        }
        // Recalculated: the split reached the spouse's income and the results.
        QCOMPARE(family->getSpouse()->GetT1()->line11600ElectedSplitPension.m_value, 2500.75);
        QCOMPARE(statusText(f), QString(family->GetReturnStatusString(IndividualTaxData::kStatusOnScreen)));
        QVERIFY(page->isChanged());
    }

    // Planning works on a copy: whatever is tried, the open return and its
    // status stay; opened again it starts from the open return.
    void planningLeavesTheReturnAlone()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        CFamilyTaxData* family = newFamily(coupledRecord());
        addT4(family->getTaxpayer(), 60000, 9000);
        auto* sch7 = qobject_cast<TaxData_Sch7*>(family->getTaxpayer()->GetFormData(7, true));
        sch7->RRSPDeductionLimit.m_value = 5000.40;
        sch7->OwnPriorYearContributions.m_value = 3000;
        family->getTaxpayer()->GetT1()->line13000NotOnSlip.m_value = 1200;
        family->Calculate(-1, nullptr);
        Form_Return* page = present(f, family);
        const QString status = statusText(f);
        const QString ownStatus = family->getCurIndvTaxData()->GetReturnStatusString(0);
        modalsteps::closeModalLater();
        QStringList firstBefore, secondBefore, after;
        whenModal<DlgTaxPlanning>([&](DlgTaxPlanning* dialog) {
            firstBefore << labelText(dialog, "lblResult1_2") << labelText(dialog, "lblResult3_2");
            QCOMPARE(labelText(dialog, "edtRRSPMax"), QString("5000"));
            dialog->findChild<QSlider*>("sldRRSP")->setValue(5000);
            dialog->findChild<QSlider*>("sldIncome")->setValue(0);
            auto* deduction = dialog->findChild<QLineEdit*>("edtDeductionMax");
            deduction->setText("2000");
            emit deduction->editingFinished();
            dialog->findChild<QSlider*>("sldDeduction")->setValue(2000);
            after << labelText(dialog, "lblResult1_1");
            dialog->grab().save(modalsteps::artefactPath("tax-planning-from-window.png"));
            dialog->reject();
        });
        f.action("actionTax_Planning")->trigger();
        QVERIFY(!page->isChanged());
        QCOMPARE(statusText(f), status);
        QCOMPARE(sch7->OwnPriorYearContributions.m_value, 3000.0);
        QCOMPARE(family->getTaxpayer()->GetT1()->line13000NotOnSlip.m_value, 1200.0);
        QCOMPARE(firstBefore.first(), "Ann Lee - " + ownStatus);
        QCOMPARE(firstBefore.last(), "Family Result - " + family->GetFamilyReturnStatusString());
        QVERIFY(after.first() != firstBefore.first());

        whenModal<DlgTaxPlanning>([&](DlgTaxPlanning* dialog) {
            secondBefore << labelText(dialog, "lblResult1_2") << labelText(dialog, "lblResult3_2");
            QCOMPARE(labelText(dialog, "lblResult1_1"), secondBefore.first());
            dialog->reject();
        });
        f.action("actionTax_Planning")->trigger();
        QCOMPARE(secondBefore, firstBefore);
    }
};

QTEST_APPLESS_MAIN(TestAnalyseTools)
#include "tst_analysetools.moc"
