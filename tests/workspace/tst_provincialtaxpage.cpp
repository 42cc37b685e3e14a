// The tax form of a calculated return in the window: a row of the return
// tree, whose page shows the provincial plug-in's figures, read-only.
#include <QtTest>

#include "common/modalsteps.h"
#include "provincialpagekit.h"

#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/fields.h"

#include <utility>

using namespace returnpage;
using namespace provincialpage;

class TestProvincialTaxPage : public QObject
{
    Q_OBJECT
private slots:
    void taxFormPageShowsTheCalculation();
    void youngChildrenLineOnTheNovaScotiaForm();
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

    constexpr int kOn428 = 24;
    Form_Return* page = openFormRow(f, family, kOn428);
    QVERIFY(page);

    const CTaxData_Form* form = person->GetFormData(kOn428, false);
    QVERIFY(form);
    const CField* line42800 = form->findField("provincialTax");
    QVERIFY(line42800);
    QLineEdit* editor = lineEditorFor(page, line42800);
    QVERIFY(editor);
    QVERIFY(isLocked(editor));
    QCOMPARE(figureIn(editor), QStringLiteral("1663.18"));

    // Pictures of the credits tab and of the tab with line 42800.
    QTabWidget* tabs = tabsAround(editor);
    QVERIFY(tabs);
    const CField* credits = form->findField("nonRefundableCredits");
    QWidget* creditsEditor = nullptr;
    for (BaseTaxPage* shown : page->allPages())
        if (!creditsEditor)
            creditsEditor = shown->editorFor(credits);
    QVERIFY(creditsEditor);
    QVERIFY(showTabOf(tabs, creditsEditor));
    QVERIFY(f.window->grab().save(modalsteps::artefactPath(QStringLiteral("on428-credits.png"))));
    QVERIFY(showTabOf(tabs, editor));
    QVERIFY(f.window->grab().save(modalsteps::artefactPath(QStringLiteral("on428-page.png"))));
}

// Ann, Nova Scotia, 30,000 of other income and a daughter born in 2021:
// 12 months under 6, 1,200 on the NS428's line 58230 (1,573.97 on line
// 42800, worked in tests/model/tst_provincialreturns.cpp), read-only.
void TestProvincialTaxPage::youngChildrenLineOnTheNovaScotiaForm()
{
    WindowFixture f;
    QVERIFY(f.exposed);
    constexpr int kNovaScotia = 6;
    constexpr int kNs428 = 70;
    NewReturnBasicData record = singleRecord();
    record.TaxPronv = kNovaScotia;
    CFamilyTaxData* family = newFamily(record);
    IndividualTaxData* person = family->getTaxpayer();
    QVERIFY(person->GetT1()->findField("line13000NotOnSlip")->setText(QStringLiteral("30000")));
    family->dependants().AllocData(DependantInfoStruct::kStandardCount);
    DependantInfo& mia = *family->dependants().GetAt(0);
    mia.firstName = CString("Mia");
    mia.lastName = CString("Lee");
    mia.relationship = DEP_REL_CHILD;
    mia.dateOfBirth = QDate(2021, 4, 1);
    family->Calculate(-1, nullptr);
    QCOMPARE(person->GetT1()->line42800ProvincialTax.m_value, 1573.97);

    Form_Return* page = openFormRow(f, family, kNs428);
    QVERIFY(page);
    const CTaxData_Form* form = person->GetFormData(kNs428, false);
    QVERIFY(form);
    const CField* line58230 = form->findField("youngChildren");
    QVERIFY(line58230);
    QCOMPARE(line58230->lineNumber(), QStringLiteral("58230"));
    QLineEdit* editor = lineEditorFor(page, line58230);
    QVERIFY(editor);
    QVERIFY(isLocked(editor));
    QCOMPARE(figureIn(editor), QStringLiteral("1200.00"));
    QTabWidget* tabs = tabsAround(editor);
    QVERIFY(tabs);
    QVERIFY(showTabOf(tabs, editor));
    QVERIFY(f.window->grab().save(modalsteps::artefactPath(QStringLiteral("ns428-young-children.png"))));
}

QTEST_APPLESS_MAIN(TestProvincialTaxPage)
#include "tst_provincialtaxpage.moc"
