// The return tree's item model: every change it makes reaches a view as the
// model calls of its kind, and the model stays consistent through them
// (checked by Qt's own model tester at every step).
#include <QtTest>
#include <QAbstractItemModelTester>

#include "model/ui/returntreemodel.h"

class TestReturnTreeModel : public QObject
{
    Q_OBJECT
private slots:
    void branchesAndRowsAreTheModelsRows();
    void changesAreTold_data();
    void changesAreTold();
};

namespace {

struct Tree
{
    ReturnTreeModel model;
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::QtTest};
    TreeItem* slips = new TreeItem;
    TreeItem* forms = new TreeItem;

    Tree()
    {
        model.addTopLevelItem(slips);
        model.addTopLevelItem(forms);
        model.setLabel(slips, "Tax Slips");
        model.setLabel(forms, "Tax Forms");
        for (int id : {100, 101, 102}) {
            auto* row = new TreeItem(1, 1, id);
            row->setText(0, QStringLiteral("T4 %1").arg(id));
            model.appendRow(slips, row);
        }
    }
};

} // namespace

void TestReturnTreeModel::branchesAndRowsAreTheModelsRows()
{
    Tree t;
    QCOMPARE(t.model.rowCount(), 2);
    QCOMPARE(t.model.columnCount(), 1);
    QCOMPARE(t.model.topLevelItem(1), t.forms);
    QCOMPARE(t.model.indexOfTopLevelItem(t.forms), 1);
    // As in a tree widget, a branch has no parent item; its rows have it.
    QVERIFY(!t.slips->parent());
    const QModelIndex slips = t.model.indexOf(t.slips);
    QCOMPARE(t.model.rowCount(slips), 3);
    const QModelIndex second = t.model.index(1, 0, slips);
    QCOMPARE(t.model.data(second).toString(), QString("T4 101"));
    // A row without a tool tip of its own shows its label as one.
    QCOMPARE(t.model.data(second, Qt::ToolTipRole).toString(), QString("T4 101"));
    QCOMPARE(t.model.parent(second), slips);
    QCOMPARE(t.model.itemAt(second)->itemId(), 101);
    QCOMPARE(t.model.indexOf(t.model.itemAt(second)), second);
    QVERIFY(!t.model.index(3, 0, slips).isValid());
    QVERIFY(!t.model.index(0, 1, slips).isValid());
    QCOMPARE(t.model.headerData(0, Qt::Horizontal).toString(), QString("1"));
}

void TestReturnTreeModel::changesAreTold_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("signal");
    QTest::addColumn<int>("slipRowsAfter");
    QTest::newRow("a row appended") << "append" << "rowsInserted" << 4;
    QTest::newRow("a row removed") << "remove" << "rowsRemoved" << 2;
    QTest::newRow("a row relabelled") << "label" << "dataChanged" << 3;
    QTest::newRow("a row re-keyed") << "key" << "dataChanged" << 3;
    QTest::newRow("a tool tip") << "tip" << "dataChanged" << 3;
}

void TestReturnTreeModel::changesAreTold()
{
    QFETCH(QString, change);
    QFETCH(QString, signal);
    QFETCH(int, slipRowsAfter);
    Tree t;
    QSignalSpy inserted(&t.model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&t.model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy data(&t.model, &QAbstractItemModel::dataChanged);
    TreeItem* middle = static_cast<TreeItem*>(t.slips->child(1));
    if (change == "append")
        t.model.appendRow(t.slips, new TreeItem(1, 5, 200));
    else if (change == "remove")
        t.model.removeRow(t.slips, 1);
    else if (change == "label")
        t.model.setLabel(middle, "T4 - ACME");
    else if (change == "key")
        t.model.setItemKey(middle, 1, 8, 300);
    else
        t.model.setToolTip(middle, "Employment income");
    QCOMPARE(inserted.count(), signal == "rowsInserted" ? 1 : 0);
    QCOMPARE(removed.count(), signal == "rowsRemoved" ? 1 : 0);
    QCOMPARE(data.count(), signal == "dataChanged" ? 1 : 0);
    QCOMPARE(t.model.rowCount(t.model.indexOf(t.slips)), slipRowsAfter);
    if (signal == "dataChanged")
        QCOMPARE(data.first().at(0).value<QModelIndex>(), t.model.indexOf(middle));
    if (change == "remove")
        QCOMPARE(t.model.itemAt(t.model.index(1, 0, t.model.indexOf(t.slips)))->itemId(), 102);
    // The same label again is no change.
    t.model.setLabel(t.slips, "Tax Slips");
    QCOMPARE(data.count(), signal == "dataChanged" ? 1 : 0);
}

QTEST_MAIN(TestReturnTreeModel)
#include "tst_returntreemodel.moc"
