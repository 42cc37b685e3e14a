#include <QtTest>

#include "companion/forms/federal/statements.h"
#include "companion/ui/basetaxpage.h"
#include "companion/ui/formevents.h"
#include "returnpagefixture.h"

#include <QPushButton>

using namespace returnpage;

// The buttons generated pages carry, and what the open-return page does when
// one is pressed.
class TestPageEvents : public QObject
{
    Q_OBJECT
private slots:
    void t2125CopiesTheT1Address();
    void t1CopiesTheMailingAddressToTheSpouse();
    void goToButtonOpensTheForm_data();
    void goToButtonOpensTheForm();
    void everyT1LineNamingAFormGoesToIt_data();
    void everyT1LineNamingAFormGoesToIt();
    void reloadEventShowsTheFormAgain();
};

namespace {

QPushButton* button(Form_Return* page, const QString& name)
{
    for (BaseTaxPage* p : page->allPages())
        if (auto* b = p->findChild<QPushButton*>(name))
            return b;
    return nullptr;
}

void fillT1Address(CFamilyTaxData* family)
{
    auto* t1 = static_cast<TaxData_T1New*>(family->getTaxpayer()->GetFormData(FORM_T1, false));
    t1->AddressLine1.m_value = "12 Main St";
    t1->City.m_value = "Toronto";
    t1->MailingProvince.m_value = kOntario;
    t1->PostalCode.m_value = "M4B1B3";
}

} // namespace

void TestPageEvents::t2125CopiesTheT1Address()
{
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    fillT1Address(family);
    auto* statement = static_cast<TaxData_T2125_New*>(family->GetFormData(FORM_T2125, true));
    Form_Return* page = present(f, family);
    QVERIFY(page);
    page->folderView()->setCurrentItem(rowOf(page->folderView(), FROM_FORM, FORM_T2125));
    QCOMPARE(page->shownType(), FORM_T2125);
    QPushButton* copy = button(page, "btnCopyT1Address");
    QVERIFY(copy);
    QTest::mouseClick(copy, Qt::LeftButton);
    QTRY_COMPARE(QString(statement->City.m_value), QString("Toronto"));
    QVERIFY(QString(statement->Address.m_value).contains("12 Main St"));
    QCOMPARE(statement->Province.m_value, kOntario);
    QCOMPARE(QString(statement->PostalCode.m_value), QString("M4B1B3"));
    // The page shows what was copied.
    QCOMPARE(editor(page, "City")->text(), QString("Toronto"));
}

void TestPageEvents::t1CopiesTheMailingAddressToTheSpouse()
{
    WindowFixture f;
    CFamilyTaxData* family = newFamily(coupledRecord());
    fillT1Address(family);
    Form_Return* page = present(f, family);
    QVERIFY(page);
    QCOMPARE(page->shownType(), FORM_T1);
    QPushButton* copy = button(page, "btnCopyAddressToSpouse");
    QVERIFY(copy);
    QTest::mouseClick(copy, Qt::LeftButton);
    const auto* spouseT1 = static_cast<TaxData_T1New*>(family->getSpouse()->GetFormData(FORM_T1, false));
    QTRY_COMPARE(QString(spouseT1->City.m_value), QString("Toronto"));
    QCOMPARE(QString(spouseT1->AddressLine1.m_value), QString("12 Main St"));
    QCOMPARE(QString(spouseT1->PostalCode.m_value), QString("M4B1B3"));
    QCOMPARE(f.promptTexts(), QStringList{"Mailing address is copied into spouse's return!"});
}

void TestPageEvents::goToButtonOpensTheForm_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::newRow("Schedule 9") << "btnGoToSch9" << int(FORM_SCH9);
    QTest::newRow("T2125") << "btnGoToT2125" << int(FORM_T2125);
}

void TestPageEvents::goToButtonOpensTheForm()
{
    QFETCH(QString, name);
    QFETCH(int, type);
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    QVERIFY(page);
    QVERIFY(!page->familyData()->HasForm(type));
    QPushButton* go = button(page, name);
    QVERIFY(go);
    f.prompter->queueYes(true);
    QTest::mouseClick(go, Qt::LeftButton);
    QTRY_COMPARE(page->shownType(), type);
    QVERIFY(page->familyData()->HasForm(type));
    QVERIFY(f.promptTexts().first().startsWith("Do you want to go to form ["));
}

// The T1's lines whose amount the agency's 2024 return takes from another
// form, schedule or statement ("Enter the amount from line 29 of your Form
// T1-M on line 21900", canada.ca's line-by-line pages for individuals), each
// with the form the line names.
void TestPageEvents::everyT1LineNamingAFormGoesToIt_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("text");
    const struct { const char* field; int type; const char* text; } rows[] = {
        {"line11600ElectedSplitPension", FORM_T1032, "Go to T1032"},
        {"line12600NetRental", FORM_T776, "Go to T776"},
        {"line12700TaxableCapitalGains", FORM_SCH3, "Go to Schedule 3"},
        {"line13500BusinessNet", FORM_T2125, "Go to T2125"},
        {"line13700ProfessionalNet", FORM_T2125, "Go to T2125"},
        {"line13900CommissionNet", FORM_T2125_COMMISSION, "Go to T2125 (comm.)"},
        {"line14100FarmingNet", FORM_T2042, "Go to T2042"},
        {"line14300FishingNet", FORM_T2121, "Go to T2121"},
        {"line20800RrspDeduction", FORM_SCH7, "Go to Schedule 7"},
        {"line20805FhsaDeduction", FORM_SCH15, "Go to Schedule 15"},
        {"line21000SplitPensionDeduction", FORM_T1032, "Go to T1032"},
        {"line21400ChildCare", FORM_T778, "Go to T778"},
        {"line21500DisabilitySupports", FORM_T929, "Go to T929"},
        {"line21900MovingExpenses", FORM_T1M, "Go to T1-M"},
        {"line22200CppSelfEmployed", FORM_SCH8, "Go to Schedule 8"},
        {"line22400ExplorationExpenses", FORM_T1229, "Go to T1229"},
        {"line23100ClergyResidence", FORM_T1223, "Go to T1223"},
        {"line25500NorthernResidents", FORM_T2222, "Go to T2222"},
        {"line31000CppSelfEmployed", FORM_SCH8, "Go to Schedule 8"},
        {"line31217EiSelfEmployed", FORM_SCH13, "Go to Schedule 13"},
        {"line31285HomeAccessibility", FORM_SCH12_2016, "Go to Schedule 12 (HATC)"},
        {"line32300Tuition", FORM_SCH11, "Go to Schedule 11"},
        {"line32600TransferFromSpouse", FORM_SCH2, "Go to Schedule 2"},
        {"line34900Donations", FORM_SCH9, "Go to Schedule 9"},
        {"line40424TaxOnSplitIncome", FORM_T1206, "Go to T1206"},
        {"line40427MinimumTaxCarryover", FORM_T691, "Go to T691"},
        {"line40500ForeignTaxCredit", FORM_T2209, "Go to T2209"},
        {"line41200InvestmentTaxCredit", FORM_T2038, "Go to T2038(IND)"},
        {"line42100CppSelfEmployedPayable", FORM_SCH8, "Go to Schedule 8"},
        {"line42120EiSelfEmployedPayable", FORM_SCH13, "Go to Schedule 13"},
        {"line45300WorkersBenefit", FORM_SCH6, "Go to Schedule 6"},
        {"line45350TrainingCredit", FORM_SCH11, "Go to Schedule 11"},
        {"line45400InvestmentTaxRefund", FORM_T2038, "Go to T2038(IND)"},
    };
    for (const auto& r : rows)
        QTest::newRow(r.field) << QString(r.field) << r.type << QString(r.text);
}

void TestPageEvents::everyT1LineNamingAFormGoesToIt()
{
    QFETCH(QString, field);
    QFETCH(int, type);
    QFETCH(QString, text);
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    QVERIFY(page);
    QCOMPARE(page->shownType(), FORM_T1);
    QPushButton* go = nullptr;
    int buttonsOfLine = 0;
    for (BaseTaxPage* p : page->allPages())
        for (QPushButton* b : p->findChildren<QPushButton*>())
            if (b->property(kGoToLineProperty).toString() == field) {
                go = b;
                ++buttonsOfLine;
            }
    QCOMPARE(buttonsOfLine, 1);
    QCOMPARE(go->text(), text);
    // The button is on the tab of its line, so the user sees both together.
    QWidget* line = editor(page, field);
    QVERIFY(line);
    QCOMPARE(go->parentWidget(), line->parentWidget());

    f.prompter->queueYes(true);
    QTest::mouseClick(go, Qt::LeftButton);
    QTRY_COMPARE(page->shownType(), type);
    QVERIFY(page->familyData()->HasForm(type));
    QVERIFY(f.promptTexts().first().startsWith("Do you want to go to form ["));
}

// A page that changed its form behind the widgets asks for the reload event,
// and every page of the shown form shows the form's values again.
void TestPageEvents::reloadEventShowsTheFormAgain()
{
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    Form_Return* page = present(f, family);
    QVERIFY(page);
    QCOMPARE(page->shownType(), FORM_T1);
    auto* t1 = static_cast<TaxData_T1New*>(family->getTaxpayer()->GetFormData(FORM_T1, false));
    t1->City.m_value = "Kingston";
    QVERIFY(editor(page, "City")->text() != QString("Kingston"));
    BaseTaxPage* first = page->pages().front();
    QVERIFY(postFormEvent(first, new MyEvent(FORMEVENT_RELOAD)));
    QTRY_COMPARE(editor(page, "City")->text(), QString("Kingston"));
}

QTEST_APPLESS_MAIN(TestPageEvents)
#include "tst_pageevents.moc"
