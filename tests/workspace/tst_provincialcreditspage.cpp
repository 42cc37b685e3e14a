// The province's credits form (the 479) in the window: British Columbia's
// home renovation expenses are typed on it, and the credit they give shows
// read-only beside line 47900.
#include <QApplication>
#include <QtTest>

#include "common/modalsteps.h"
#include "provincialpagekit.h"

#include "companion/forms/fields.h"

using namespace returnpage;
using namespace provincialpage;

class TestProvincialCreditsPage : public QObject
{
    Q_OBJECT
private slots:
    void britishColumbiaRenovationExpensesTyped();
};

// Ann, British Columbia, 30,000 of other income, living with her mother of
// 70; she types 4,000 of renovation expenses on the BC479: 10 % x 4,000 =
// 400.00 on line 47900 (gov.bc.ca, worked in
// tests/model/tst_provincialrefundable.cpp).
void TestProvincialCreditsPage::britishColumbiaRenovationExpensesTyped()
{
    WindowFixture f;
    QVERIFY(f.exposed);
    constexpr int kBritishColumbia = 2;
    constexpr int kBc479 = 42;
    NewReturnBasicData record = singleRecord();
    record.TaxPronv = kBritishColumbia;
    CFamilyTaxData* family = newFamily(record);
    IndividualTaxData* person = family->getTaxpayer();
    QVERIFY(person->GetT1()->findField("line13000NotOnSlip")->setText(QStringLiteral("30000")));
    CTaxData_Form* form = person->GetFormData(kBc479, true);
    QVERIFY(form);
    QVERIFY(form->findField("livesWithSeniorOrDisabled")->setText(QStringLiteral("1")));
    family->Calculate(-1, nullptr);

    Form_Return* page = openFormRow(f, family, kBc479);
    QVERIFY(page);
    const CField* expenses = form->findField("homeRenovationExpenses");
    QVERIFY(expenses);
    QCOMPARE(expenses->lineNumber(), QStringLiteral("60480"));
    QLineEdit* typed = lineEditorFor(page, expenses);
    QVERIFY(typed);
    QVERIFY(!isLocked(typed));
    QTabWidget* tabs = tabsAround(typed);
    QVERIFY(tabs);
    QVERIFY(showTabOf(tabs, typed));
    QApplication::setActiveWindow(page->window());
    typed->setFocus();
    typed->selectAll();
    QTest::keyClicks(typed, QStringLiteral("4000"));
    QTest::keyClick(typed, Qt::Key_Return);
    QApplication::processEvents();
    QCOMPARE(static_cast<const CFloatField*>(expenses)->m_value, 4000.0);
    family->Calculate(-1, nullptr);
    QApplication::processEvents();

    QCOMPARE(person->GetT1()->line47900ProvincialCredits.m_value, 400.0);
    QLineEdit* credit = lineEditorFor(page, form->findField("homeRenovation"));
    QVERIFY(credit);
    QVERIFY(isLocked(credit));
    QCOMPARE(figureIn(credit), QStringLiteral("400.00"));
    QVERIFY(f.window->grab().save(modalsteps::artefactPath(QStringLiteral("bc479-home-renovation.png"))));
}

QTEST_APPLESS_MAIN(TestProvincialCreditsPage)
#include "tst_provincialcreditspage.moc"
