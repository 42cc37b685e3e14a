#include <QtTest>

#include "companion/forms/catalogue.h"
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

QTEST_APPLESS_MAIN(TestSlipAutoFill)
#include "tst_slipautofill.moc"
