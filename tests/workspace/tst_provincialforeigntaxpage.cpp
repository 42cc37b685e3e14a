// The provincial foreign tax credit on the tax form's page in the window:
// its line on the ON428, read-only, with the plug-in's figure.
#include <QtTest>

#include "common/modalsteps.h"
#include "provincialpagekit.h"

#include "companion/forms/fields.h"

using namespace returnpage;
using namespace provincialpage;

class TestProvincialForeignTaxPage : public QObject
{
    Q_OBJECT
private slots:
    void creditLineShowsTheCalculation();
};

// Ann, Ontario, 40,000 of other income and a T5 with 10,000 of foreign
// income and 1,500 of foreign tax: the federal credit is 1,028.85, the
// Ontario credit 379.77 and line 42800 2,119.08 (worked in
// tests/model/tst_provincialforeigntax.cpp).
void TestProvincialForeignTaxPage::creditLineShowsTheCalculation()
{
    WindowFixture f;
    QVERIFY(f.exposed);
    CFamilyTaxData* family = newFamily(singleRecord());
    IndividualTaxData* person = family->getTaxpayer();
    person->GetT1()->line13000NotOnSlip.m_value = 40000;
    constexpr int kSlipT5 = 8;
    STRUCT_SLIPDATA_ITEM_2004* slip = person->NewSlipData(kSlipT5, 0, 0);
    QVERIFY(slip);
    QVERIFY(slip->data->findField("box15Foreign")->setText(QStringLiteral("10000")));
    QVERIFY(slip->data->findField("box16ForeignTax")->setText(QStringLiteral("1500")));
    family->Calculate(-1, nullptr);
    QCOMPARE(person->GetT1()->line42800ProvincialTax.m_value, 2119.08);

    constexpr int kOn428 = 24;
    Form_Return* page = openFormRow(f, family, kOn428);
    QVERIFY(page);

    const CTaxData_Form* form = person->GetFormData(kOn428, false);
    QVERIFY(form);
    const CField* credit = form->findField("foreignTaxCredit");
    QVERIFY(credit);
    QLineEdit* editor = lineEditorFor(page, credit);
    QVERIFY(editor);
    QVERIFY(isLocked(editor));
    QCOMPARE(figureIn(editor), QStringLiteral("379.77"));

    QTabWidget* tabs = tabsAround(editor);
    QVERIFY(tabs);
    QVERIFY(showTabOf(tabs, editor));
    QVERIFY(f.window->grab().save(modalsteps::artefactPath(QStringLiteral("on428-foreign-tax.png"))));
}

QTEST_APPLESS_MAIN(TestProvincialForeignTaxPage)
#include "tst_provincialforeigntaxpage.moc"
