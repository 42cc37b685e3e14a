// The provincial foreign tax credit on the tax form's page in the window:
// its line on the ON428, read-only, with the plug-in's figure.
#include <QtTest>

#include "common/modalsteps.h"
#include "returnpagefixture.h"

#include "companion/forms/fields.h"

#include <QLineEdit>
#include <QTabWidget>
#include <utility>

using namespace returnpage;

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

    Form_Return* page = present(f, family);
    QVERIFY(page);
    constexpr int kOn428 = 24;
    TreeItem* row = rowOf(page->folderView(), FROM_FORM, kOn428);
    QVERIFY(row);
    page->folderView()->setCurrentItem(row);
    QCOMPARE(page->shownType(), kOn428);

    const CTaxData_Form* form = person->GetFormData(kOn428, false);
    QVERIFY(form);
    const CField* credit = form->findField("foreignTaxCredit");
    QVERIFY(credit);
    QLineEdit* editor = nullptr;
    for (BaseTaxPage* shown : page->pages())
        if (auto* found = qobject_cast<QLineEdit*>(shown->editorFor(credit)))
            editor = found;
    QVERIFY(editor);
    QVERIFY(editor->isReadOnly() || !editor->isEnabled());
    QCOMPARE(editor->text().remove(QLatin1Char(',')), QStringLiteral("379.77"));

    QTabWidget* tabs = nullptr;
    for (QWidget* up = editor; up && !tabs; up = up->parentWidget())
        tabs = qobject_cast<QTabWidget*>(up);
    QVERIFY(tabs);
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->isAncestorOf(editor))
            tabs->setCurrentIndex(i);
    QCoreApplication::processEvents();
    QVERIFY(editor->isVisible());
    QVERIFY(f.window->grab().save(modalsteps::artefactPath(QStringLiteral("on428-foreign-tax.png"))));
}

QTEST_APPLESS_MAIN(TestProvincialForeignTaxPage)
#include "tst_provincialforeigntaxpage.moc"
