#include <QtTest>

#include "companion/forms/federal/statements.h"
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
};

namespace {

QPushButton* button(Form_Return* page, const QString& name)
{
    for (BaseTaxPage* p : page->pages())
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

QTEST_APPLESS_MAIN(TestPageEvents)
#include "tst_pageevents.moc"
