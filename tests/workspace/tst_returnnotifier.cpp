// The open-return page follows the return through what the return
// announces: a change made on the model alone shows in the tree and the
// result lines, and an edit typed on a page reaches them only that way.
#include <QtTest>

#include "e2e/usersteps.h"
#include "model/returnchanges.h"
#include "returnpagefixture.h"

using namespace returnpage;

namespace {

constexpr int kSchedule7 = 7;

QString resultLine(Form_Return* page)
{
    auto* line = page->findChild<QLabel*>("lblResultLine1");
    return line ? line->text() : QString();
}

} // namespace

class TestReturnNotifier : public QObject
{
    Q_OBJECT
private slots:
    void aChangeOnTheModelShowsInTreeAndResultLines();
    void anEditTypedReachesTheResultLinesThroughTheNotifierAlone();
};

void TestReturnNotifier::aChangeOnTheModelShowsInTreeAndResultLines()
{
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    QVERIFY(page);
    CFamilyTaxData* family = page->familyData();
    QVERIFY(!rowOf(page->folderView(), FROM_FORM, kSchedule7));
    QCOMPARE(rowLabels(page->folderView()->slipsItem()).size(), 0);
    const QString before = resultLine(page);

    // Nobody tells the page: the return itself announces the operation, once.
    QSignalSpy calculated(&family->changes(), &ReturnChangeNotifier::calculated);
    {
        ReturnChangeGuard change(family->changes());
        STRUCT_SLIPDATA_ITEM_2004* t4 = family->NewSlipData(kSlipT4, 0, 0);
        QVERIFY(t4 && t4->data);
        // 50,000 of employment income with no tax withheld: tax is owed
        // (the income is far above the basic personal amount).
        t4->data->findField("box14EmploymentIncome")->setText("50000");
        family->NewFormDataItem(kSchedule7, 0, true, 0, true);
        family->Calculate(FROM_SLIP, t4->data);
        // Nothing shows before the operation ends.
        QCOMPARE(rowLabels(page->folderView()->slipsItem()).size(), 0);
        QCOMPARE(resultLine(page), before);
    }
    QCOMPARE(calculated.count(), 1);
    QCOMPARE(rowLabels(page->folderView()->slipsItem()).size(), 1);
    QVERIFY(rowOf(page->folderView(), FROM_FORM, kSchedule7));
    QVERIFY(resultLine(page) != before);
    QVERIFY2(usersteps::balanceOf(resultLine(page)) > 0, qPrintable(resultLine(page)));
    QVERIFY(usersteps::keepPicture(f.window, "returnnotifier", "tree-and-results-after-model-change"));
}

void TestReturnNotifier::anEditTypedReachesTheResultLinesThroughTheNotifierAlone()
{
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    QVERIFY(page);
    CFamilyTaxData* family = page->familyData();
    page->addTaxSlip(kSlipT4);
    const QString before = resultLine(page);
    const QStringList slipRows = rowLabels(page->folderView()->slipsItem());
    QCOMPARE(slipRows.size(), 1);

    // With the return's announcements held back, an edit is stored and
    // calculated, but the page learns nothing of it.
    family->changes().blockSignals(true);
    QVERIFY(usersteps::typeInto(page, "box14EmploymentIncome", "50000"));
    family->changes().blockSignals(false);
    QCOMPARE(resultLine(page), before);

    // The next edit is announced, and the page shows where the return is.
    QVERIFY(usersteps::typeInto(page, "box22IncomeTaxDeducted", "1000"));
    QVERIFY(resultLine(page) != before);
    QVERIFY2(usersteps::balanceOf(resultLine(page)) > 0, qPrintable(resultLine(page)));
    QCOMPARE(rowLabels(page->folderView()->slipsItem()), slipRows);
}

QTEST_APPLESS_MAIN(TestReturnNotifier)
#include "tst_returnnotifier.moc"
