#include <QtTest>

#include "companion/forms/catalogue.h"
#include "companion/forms/slips/slips_employment.h"
#include "returnpagefixture.h"

#include <QSignalSpy>

using namespace returnpage;

// The slip rows of the return tree: repeated slips that name no payer are
// told apart by their place among the slips of their kind, and an edit
// relabels only the rows whose text changed.
class TestReturnTreeLabels : public QObject
{
    Q_OBJECT
private slots:
    void repeatedSlipsAreNumbered_data();
    void repeatedSlipsAreNumbered();
    void editRelabelsOnlyTheChangedRow();
};

namespace {

// A single return with T4 slips whose employers are the names given ("" for
// none), in order.
CFamilyTaxData* withT4s(const QStringList& employers)
{
    CFamilyTaxData* family = newFamily(singleRecord());
    for (const QString& employer : employers) {
        auto& t4 = static_cast<TaxData_Slip_T4&>(*family->getTaxpayer()->NewSlipData(kSlipT4, 0, 0)->data);
        t4.EmployerName.setText(employer);
        t4.box14EmploymentIncome.m_value = 1000;
    }
    family->Calculate(-1, nullptr);
    return family;
}

QString t4Name()
{
    return QString::fromUtf8(getSlipName(kSlipT4));
}

} // namespace

void TestReturnTreeLabels::repeatedSlipsAreNumbered_data()
{
    QTest::addColumn<QStringList>("employers");
    QTest::addColumn<QStringList>("labels");
    const QString t4 = t4Name();
    QTest::newRow("three unnamed") << QStringList{"", "", ""}
                                   << QStringList{t4, t4 + " (2)", t4 + " (3)"};
    // A named slip keeps its name, and still counts as a place of its kind.
    QTest::newRow("named between") << QStringList{"", "Acme", ""}
                                   << QStringList{t4, t4 + " - Acme", t4 + " (3)"};
}

void TestReturnTreeLabels::repeatedSlipsAreNumbered()
{
    QFETCH(QStringList, employers);
    QFETCH(QStringList, labels);
    WindowFixture f;
    QVERIFY(f.ready);
    Form_Return* page = present(f, withT4s(employers));
    QVERIFY(page);
    auto* tree = page->findChild<FolderView*>();
    QCOMPARE(rowLabels(tree->slipsItem()), labels);
    // Relabelled after a recalculation, nothing is numbered twice.
    page->saveCurFormDataToDoc();
    tree->SyncSlipsNotesName();
    QCOMPARE(rowLabels(tree->slipsItem()), labels);
    tree->SyncFromSlipData();
    QCOMPARE(rowLabels(tree->slipsItem()), labels);
}

void TestReturnTreeLabels::editRelabelsOnlyTheChangedRow()
{
    WindowFixture f;
    QVERIFY(f.ready);
    CFamilyTaxData* family = withT4s({"", "", ""});
    Form_Return* page = present(f, family);
    auto* tree = page->findChild<FolderView*>();
    const QString t4 = t4Name();
    QSignalSpy changed(tree->treeModel(), &QAbstractItemModel::dataChanged);
    // The second slip gets an employer and the return is recalculated.
    STRUCT_SLIPDATA_ITEM_2004* second = *std::next(family->getTaxpayer()->m_slipList.begin());
    static_cast<TaxData_Slip_T4&>(*second->data).EmployerName.setText("Acme");
    family->Calculate(FROM_SLIP, second->data);
    QCOMPARE(rowLabels(tree->slipsItem()), (QStringList{t4, t4 + " - Acme", t4 + " (3)"}));
    TreeItem* row = tree->findItem(FROM_SLIP, second->id);
    QVERIFY(row);
    const QModelIndex rowIndex = tree->treeModel()->indexOf(row);
    QVERIFY(!changed.isEmpty());
    for (const QList<QVariant>& signal : changed) {
        const QModelIndex topLeft = signal.at(0).toModelIndex();
        QVERIFY2(topLeft.parent() != rowIndex.parent() || topLeft.row() == rowIndex.row(),
                 qPrintable(QStringLiteral("row %1 of the slips relabelled").arg(topLeft.row())));
    }
}

QTEST_APPLESS_MAIN(TestReturnTreeLabels)
#include "tst_returntreelabels.moc"
