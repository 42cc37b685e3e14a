// The province's Schedule 11 in the window: a row of the return tree that
// the federal Schedule 11 brings, whose page takes the unused amounts of
// earlier years as typed and shows the calculation's figures read-only.
#include <QtTest>

#include "common/modalsteps.h"
#include "provincialpagekit.h"

#include "companion/forms/fields.h"

using namespace returnpage;
using namespace provincialpage;

class TestProvincialTuitionPage : public QObject
{
    Q_OBJECT
private slots:
    void schedule11PageTakesTheUnusedAmounts();
};

// Ann, Ontario, 30,000 of other income and 20,000 of unused Ontario tuition
// amounts: 17,601 claimed on line 58560 (30,000 less the basic personal
// amount 12,399) and 2,399 left for a later year (worked in
// tests/model/tst_provincialtuition.cpp).
void TestProvincialTuitionPage::schedule11PageTakesTheUnusedAmounts()
{
    WindowFixture f;
    QVERIFY(f.exposed);
    CFamilyTaxData* family = newFamily(singleRecord());
    IndividualTaxData* person = family->getTaxpayer();
    QVERIFY(person->GetT1()->findField("line13000NotOnSlip")->setText(QStringLiteral("30000")));
    QVERIFY(person->GetFormData(FORM_SCH11, true));
    family->Calculate(-1, nullptr);
    constexpr int kOnSchedule11 = 27;
    CTaxData_Form* form = person->GetFormData(kOnSchedule11, false);
    QVERIFY(form);
    CField* unused = form->findField("carryForward");
    QVERIFY(unused);
    QVERIFY(unused->setText(QStringLiteral("20000")));
    family->Calculate(-1, nullptr);

    Form_Return* page = openFormRow(f, family, kOnSchedule11);
    QVERIFY(page);

    QLineEdit* typed = lineEditorFor(page, unused);
    QVERIFY(typed);
    QVERIFY(!isLocked(typed));
    QCOMPARE(figureIn(typed), QStringLiteral("20000.00"));
    QLineEdit* claimed = lineEditorFor(page, form->findField("claimed"));
    QVERIFY(claimed);
    QVERIFY(isLocked(claimed));
    QCOMPARE(figureIn(claimed), QStringLiteral("17601.00"));
    QLineEdit* left = lineEditorFor(page, form->findField("carriedForward"));
    QVERIFY(left);
    QCOMPARE(figureIn(left), QStringLiteral("2399.00"));

    QVERIFY(f.window->grab().save(modalsteps::artefactPath(QStringLiteral("on-s11-page.png"))));
}

QTEST_APPLESS_MAIN(TestProvincialTuitionPage)
#include "tst_provincialtuitionpage.moc"
