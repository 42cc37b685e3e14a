// The caregiver amount on the tax form page of the province that works it
// out, on the line of that province's own form.
#include <QtTest>

#include "common/modalsteps.h"
#include "provincialpagekit.h"

#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/fields.h"

using namespace returnpage;
using namespace provincialpage;

class TestProvincialCaregiverPage : public QObject
{
    Q_OBJECT
private slots:
    void britishColumbiaLine();
};

// Ann, British Columbia, 60,000 of other income, with an infirm parent
// (born 1950) whose net income is 21,000: the B.C. caregiver amount, 5,505
// less (21,000 - 18,629) = 3,134 (gov.bc.ca, "2024 Basic personal income
// tax credits"; 42800 2,559.33, worked in tests/model/tst_provincialreturns),
// shows on the BC428 page as line 58175, read-only; Ontario's line 58185
// has no editor there.
void TestProvincialCaregiverPage::britishColumbiaLine()
{
    WindowFixture f;
    QVERIFY(f.exposed);
    constexpr int kBritishColumbia = 2;
    constexpr int kBc428 = 41;
    NewReturnBasicData record = singleRecord();
    record.TaxPronv = kBritishColumbia;
    CFamilyTaxData* family = newFamily(record);
    IndividualTaxData* person = family->getTaxpayer();
    QVERIFY(person->GetT1()->findField("line13000NotOnSlip")->setText(QStringLiteral("60000")));
    family->dependants().AllocData(DependantInfoStruct::kStandardCount);
    DependantInfo& parent = *family->dependants().GetAt(0);
    parent.firstName = CString("Rose");
    parent.lastName = CString("Lee");
    parent.relationship = DEP_REL_PARENT;
    parent.dateOfBirth = QDate(1950, 4, 1);
    parent.netIncome = 21000;
    parent.infirm = 1;
    family->Calculate(-1, nullptr);
    QCOMPARE(person->GetT1()->line42800ProvincialTax.m_value, 2559.33);

    Form_Return* page = openFormRow(f, family, kBc428);
    QVERIFY(page);

    const CTaxData_Form* form = person->GetFormData(kBc428, false);
    QVERIFY(form);
    const CField* line58175 = form->findField("bcCaregiver");
    QVERIFY(line58175);
    QCOMPARE(line58175->lineNumber(), QStringLiteral("58175"));
    QLineEdit* editor = lineEditorFor(page, line58175);
    QVERIFY(editor);
    QVERIFY(isLocked(editor));
    QCOMPARE(figureIn(editor), QStringLiteral("3134.00"));
    const CField* line58185 = form->findField("caregiver");
    QVERIFY(line58185);
    for (BaseTaxPage* shown : page->allPages()) {
        QWidget* other = shown->editorFor(line58185);
        QVERIFY(!other || !other->isVisibleTo(shown));
    }

    QTabWidget* tabs = tabsAround(editor);
    QVERIFY(tabs);
    QVERIFY(showTabOf(tabs, editor));
    QVERIFY(f.window->grab().save(modalsteps::artefactPath(QStringLiteral("bc428-caregiver.png"))));
}

QTEST_APPLESS_MAIN(TestProvincialCaregiverPage)
#include "tst_provincialcaregiverpage.moc"
