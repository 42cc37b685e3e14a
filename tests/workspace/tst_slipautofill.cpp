#include <QtTest>

#include "agencydata/records/dataafr.h"
#include "agencydata/records/taxslipkinds.h"
#include "agencydata/records/tddtaxdataoneperson.h"
#include "companion/forms/catalogue.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/schedules/taxdata_sch3.h"
#include "companion/forms/slips/slips_employment.h"
#include "returnpagefixture.h"

#include <QTemporaryDir>

using namespace returnpage;

// The mark of a slip that Auto-fill made: its label in the tree and its flag
// byte in the return file.
class TestSlipAutoFill : public QObject
{
    Q_OBJECT
private slots:
    void labelShowsTheMark_data();
    void labelShowsTheMark();
    void flagSurvivesSaveAndReload();
    void fileWithoutTheFlagOpensClear();
    void appliedRecordShowsItsMark();
    void applyMarksSurviveSaveAndReload();
};

namespace {

QString t4Name() { return QString::fromUtf8(getSlipName(kSlipT4)); }

QList<CTaxData_Form*> slipsOf(const IndividualTaxData* person)
{
    QList<CTaxData_Form*> out;
    for (const STRUCT_SLIPDATA_ITEM_2004* item : person->m_slipList)
        out << item->data;
    return out;
}

// One agency T4, one T5008 and one T1204.
void fillRecord(TDDTaxDataOnePerson& record)
{
    auto t4 = std::make_unique<TaxSlipT4>();
    t4->m_employerName = "ACME";
    t4->m_boxValues["14"] = CString("41000.00");
    record.slips.add(std::move(t4));
    auto t5008 = std::make_unique<TaxSlipT5008>();
    t5008->m_box17 = "Alpha";
    t5008->m_box20 = "1000.00";
    t5008->m_box21 = "1600.00";
    record.slips.add(std::move(t5008));
    auto t1204 = std::make_unique<TaxSlipT1204>();
    t1204->m_box82 = "900.00";
    record.slips.add(std::move(t1204));
}

int statementsOf(IndividualTaxData* person, bool autoFilled)
{
    std::list<STRUCT_FORMDATA_ITEM_2004*> items;
    person->GetFormDataList(FORM_T2125, items);
    int n = 0;
    for (const STRUCT_FORMDATA_ITEM_2004* item : items)
        n += item->data->isAutoFilled() == autoFilled ? 1 : 0;
    return n;
}

} // namespace

void TestSlipAutoFill::labelShowsTheMark_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("autoFilled");
    QTest::addColumn<QString>("label");
    QTest::newRow("auto-filled") << "ACME" << true << t4Name() + " - ACME by Auto-Fill";
    // The mark goes onto the caption before it is tested for emptiness.
    QTest::newRow("auto-filled without caption") << "" << true << t4Name() + " -  by Auto-Fill";
    QTest::newRow("typed by the user") << "ACME" << false << t4Name() + " - ACME";
}

void TestSlipAutoFill::labelShowsTheMark()
{
    QFETCH(QString, caption);
    QFETCH(bool, autoFilled);
    QFETCH(QString, label);
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    auto* slip = static_cast<TaxData_Slip_T4*>(family->NewSlipData(kSlipT4, 0, 0)->data);
    slip->EmployerName.m_value = caption;
    slip->setAutoFilled(autoFilled);
    Form_Return* page = present(f, family);
    QVERIFY(page);
    QCOMPARE(rowLabels(page->folderView()->slipsItem()), QStringList{label});
}

void TestSlipAutoFill::flagSurvivesSaveAndReload()
{
    WindowFixture f;
    QTemporaryDir dir;
    const QString path = dir.filePath("filled.r24");
    {
        CFamilyTaxData* family = newFamily(singleRecord());
        auto* filled = static_cast<TaxData_Slip_T4*>(family->NewSlipData(kSlipT4, 0, 0)->data);
        filled->EmployerName.m_value = "ACME";
        filled->setAutoFilled(true);
        family->NewSlipData(kSlipT4, 0, 0)->data->setAutoFilled(false);
        QCOMPARE(family->saveToFile(CString(path), TabWndApp::s_appPurpose), 0);
        family->FreeData();
        delete family;
    }
    f.window->openReturnFile(path);
    auto* page = dynamic_cast<Form_Return*>(f.window->currentReturnPage());
    QVERIFY2(page, qPrintable(f.promptTexts().join(" | ")));
    const QList<CTaxData_Form*> slips = slipsOf(page->familyData()->getTaxpayer());
    QCOMPARE(slips.size(), 2);
    QVERIFY(slips[0]->isAutoFilled());
    QVERIFY(!slips[1]->isAutoFilled());
    QCOMPARE(rowLabels(page->folderView()->slipsItem()).first(), t4Name() + " - ACME by Auto-Fill");
    // Opening it changed nothing: closing asks nothing.
    QVERIFY(!page->isChanged());
}

void TestSlipAutoFill::fileWithoutTheFlagOpensClear()
{
    WindowFixture f;
    // Written before slips carried the flag.
    f.window->openReturnFile(QStringLiteral(VR_TESTS_SOURCE_DIR "/fixtures/returnfile/coupled.r24"));
    auto* page = dynamic_cast<Form_Return*>(f.window->currentReturnPage());
    QVERIFY2(page, qPrintable(f.promptTexts().join(" | ")));
    QList<CTaxData_Form*> slips = slipsOf(page->familyData()->getTaxpayer());
    slips += slipsOf(page->familyData()->getSpouse());
    QVERIFY(!slips.isEmpty());
    for (const CTaxData_Form* slip : slips)
        QCOMPARE(int(slip->autoFillFlags()), 0);
    for (const QString& label : rowLabels(page->folderView()->slipsItem()))
        QVERIFY(!label.contains("Auto-Fill"));
}

void TestSlipAutoFill::appliedRecordShowsItsMark()
{
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    TDDTaxDataOnePerson record(2024);
    fillRecord(record);
    DataAFR options;
    options.fld_iFillOption.m_value = DataAFR::kAllElements;
    QCOMPARE(family->AutoFillReturn(record, &options), 0);
    Form_Return* page = present(f, family);
    QVERIFY(page);
    QVERIFY(rowLabels(page->folderView()->slipsItem()).contains(t4Name() + " - ACME by Auto-Fill"));
}

// What an apply made is still known as such in the reopened file, so a
// later apply replaces it there too.
void TestSlipAutoFill::applyMarksSurviveSaveAndReload()
{
    WindowFixture f;
    QTemporaryDir dir;
    const QString path = dir.filePath("applied.r24");
    TDDTaxDataOnePerson record(2024);
    fillRecord(record);
    DataAFR options;
    options.fld_iFillOption.m_value = DataAFR::kAllElements;
    {
        CFamilyTaxData* family = newFamily(singleRecord());
        QCOMPARE(family->AutoFillReturn(record, &options), 0);
        QCOMPARE(family->saveToFile(CString(path), TabWndApp::s_appPurpose), 0);
        family->FreeData();
        delete family;
    }
    f.window->openReturnFile(path);
    auto* page = dynamic_cast<Form_Return*>(f.window->currentReturnPage());
    QVERIFY2(page, qPrintable(f.promptTexts().join(" | ")));
    CFamilyTaxData* family = page->familyData();
    IndividualTaxData* person = family->getTaxpayer();
    QCOMPARE(statementsOf(person, true), 1);
    auto* sch3 = qobject_cast<TaxData_Sch3*>(person->GetFormData(FORM_SCH3, false));
    QVERIFY(sch3);
    QCOMPARE(sch3->equityEntryRows(), 1);
    QVERIFY(sch3->equityEntry(0).AutoFilled);
    const double totalIncome = person->GetT1()->line15000TotalIncome.m_value;

    QCOMPARE(family->AutoFillReturn(record, &options), 0);
    QCOMPARE(statementsOf(person, true), 1);
    QCOMPARE(statementsOf(person, false), 0);
    QCOMPARE(sch3->equityEntryRows(), 1);
    QCOMPARE(slipsOf(person).size(), 2);
    QCOMPARE(person->GetT1()->line15000TotalIncome.m_value, totalIncome);
}

QTEST_APPLESS_MAIN(TestSlipAutoFill)
#include "tst_slipautofill.moc"
