// The tax form of a calculated return in the window: a row of the return
// tree, whose page shows the provincial plug-in's figures, read-only.
#include <QtTest>

#include "common/modalsteps.h"
#include "returnpagefixture.h"

#include "companion/forms/fields.h"

#include <QLineEdit>
#include <QTabWidget>
#include <utility>

using namespace returnpage;

class TestProvincialTaxPage : public QObject
{
    Q_OBJECT
private slots:
    void taxFormPageShowsTheCalculation();
};

// Ann, Ontario, a T4 of 45,000 (CPP 2,469.25, EI 747.00): her ON428 is a
// row of the tree and its last tab shows line 42800 as the T1 has it
// (1,663.18, worked in tests/model/tst_provincialforms.cpp), not editable.
void TestProvincialTaxPage::taxFormPageShowsTheCalculation()
{
    WindowFixture f;
    QVERIFY(f.exposed);
    CFamilyTaxData* family = newFamily(singleRecord());
    IndividualTaxData* person = family->getTaxpayer();
    STRUCT_SLIPDATA_ITEM_2004* slip = person->NewSlipData(kSlipT4, 0, 0);
    QVERIFY(slip);
    const std::pair<const char*, const char*> boxes[] = {
        {"box14EmploymentIncome", "45000"}, {"box16CppContributions", "2469.25"}, {"box18EiPremiums", "747"},
        {"box24EiInsurableEarnings", "45000"}, {"box26PensionableEarnings", "45000"}};
    for (const auto& [box, text] : boxes)
        QVERIFY(slip->data->findField(box)->setText(QString::fromUtf8(text)));
    family->Calculate(-1, nullptr);
    QCOMPARE(person->GetT1()->line42800ProvincialTax.m_value, 1663.18);

    Form_Return* page = present(f, family);
    QVERIFY(page);
    constexpr int kOn428 = 24;
    TreeItem* row = rowOf(page->folderView(), FROM_FORM, kOn428);
    QVERIFY(row);
    page->folderView()->setCurrentItem(row);
    QCOMPARE(page->shownType(), kOn428);

    const CTaxData_Form* form = person->GetFormData(kOn428, false);
    QVERIFY(form);
    const CField* line42800 = form->findField("provincialTax");
    QVERIFY(line42800);
    QLineEdit* editor = nullptr;
    BaseTaxPage* tab = nullptr;
    for (BaseTaxPage* shown : page->pages())
        if (auto* found = qobject_cast<QLineEdit*>(shown->editorFor(line42800))) {
            editor = found;
            tab = shown;
        }
    QVERIFY(editor);
    QVERIFY(editor->isReadOnly() || !editor->isEnabled());
    QCOMPARE(editor->text().remove(QLatin1Char(',')), QStringLiteral("1663.18"));

    // Pictures of the credits tab and of the tab with line 42800.
    QTabWidget* tabs = nullptr;
    for (QWidget* up = tab; up && !tabs; up = up->parentWidget())
        tabs = qobject_cast<QTabWidget*>(up);
    QVERIFY(tabs);
    const auto show = [tabs](const QWidget* shown) {
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i) == shown || tabs->widget(i)->isAncestorOf(shown))
                tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        return shown->isVisible();
    };
    const CField* credits = form->findField("nonRefundableCredits");
    QWidget* creditsEditor = nullptr;
    for (BaseTaxPage* shown : page->pages())
        if (!creditsEditor)
            creditsEditor = shown->editorFor(credits);
    QVERIFY(creditsEditor);
    QVERIFY(show(creditsEditor));
    QVERIFY(f.window->grab().save(modalsteps::artefactPath(QStringLiteral("on428-credits.png"))));
    QVERIFY(show(editor));
    QVERIFY(f.window->grab().save(modalsteps::artefactPath(QStringLiteral("on428-page.png"))));
}

QTEST_APPLESS_MAIN(TestProvincialTaxPage)
#include "tst_provincialtaxpage.moc"
