#include <QtTest>

#include "returnpagefixture.h"

#include <QSplitter>

using namespace returnpage;

// What a person sees in the open-return page's left pane at its usual
// width: captions and result lines are shown whole, and tree rows that the
// pane cuts short tell their full name in a tool tip.
class TestFormReturnLook : public QObject
{
    Q_OBJECT
private slots:
    void paneTextsShownWhole_data();
    void paneTextsShownWhole();
    void treeRowsTellTheirFullName();
};

namespace {

// True when the label shows all of its text at its present size.
bool shownWhole(const QLabel* label)
{
    if (label->sizeHint().width() <= label->width())
        return true;
    return label->wordWrap() && label->heightForWidth(label->width()) <= label->height();
}

Form_Return* presentAtUsualWidth(WindowFixture& f, CFamilyTaxData* family)
{
    f.window->resize(1280, 760);
    Form_Return* page = present(f, family);
    QApplication::processEvents();
    page->setLeftpaneWidth(270);
    QApplication::processEvents();
    return page;
}

} // namespace

void TestFormReturnLook::paneTextsShownWhole_data()
{
    QTest::addColumn<QString>("label");
    QTest::newRow("person chooser caption") << "label_3";
    QTest::newRow("taxpayer's result") << "lblResultLine1";
    QTest::newRow("spouse's result") << "lblResultLine2";
    QTest::newRow("family result") << "lblResultLine3";
}

void TestFormReturnLook::paneTextsShownWhole()
{
    QFETCH(QString, label);
    WindowFixture f;
    QVERIFY(f.ready);
    NewReturnBasicData record = coupledRecord();
    record.FirstName = "Alexandrina-Josephine";
    record.LastName = "Montgomery-Fitzwilliam";
    record.FirstNameSpouse = "Maximilian-Bartholomew";
    CFamilyTaxData* family = newFamily(record);
    family->getTaxpayer()->GetT1()->line10100EmploymentIncome.m_value = 987654.32;
    family->Calculate(-1, nullptr);
    Form_Return* page = presentAtUsualWidth(f, family);
    QCOMPARE(page->findChild<QSplitter*>("splitter")->sizes().value(0), 270);

    auto* shown = page->findChild<QLabel*>(label);
    QVERIFY(shown);
    QVERIFY(!shown->text().isEmpty());
    QVERIFY2(shownWhole(shown), qPrintable(QString("\"%1\" needs %2 pixels, has %3 x %4")
                                               .arg(shown->text())
                                               .arg(shown->sizeHint().width())
                                               .arg(shown->width())
                                               .arg(shown->height())));
}

void TestFormReturnLook::treeRowsTellTheirFullName()
{
    WindowFixture f;
    Form_Return* page = presentAtUsualWidth(f, newFamily(singleRecord()));
    FolderView* tree = page->folderView();
    TreeItem* t1 = rowOf(tree, FROM_FORM, 1);
    QVERIFY(t1);
    // The T1's name is longer than the pane is wide.
    QVERIFY(tree->fontMetrics().horizontalAdvance(t1->text(0)) > tree->viewport()->width());
    QCOMPARE(t1->data(0, Qt::ToolTipRole).toString(), t1->text(0));
    // A branch with a tool tip of its own keeps it.
    QCOMPARE(tree->slipsItem()->toolTip(0), QString("Right click to add more tax slips"));
    QCOMPARE(tree->startItem()->toolTip(0), QString("Start"));
    // Rows relabelled by a rebuild tell their new label.
    f.action("actionAdd_T4_slip")->trigger();
    TreeItem* slip = rowOf(tree, FROM_SLIP, kSlipT4);
    QVERIFY(slip);
    QCOMPARE(slip->toolTip(0), slip->text(0));
}

QTEST_APPLESS_MAIN(TestFormReturnLook)
#include "tst_formreturnlook.moc"
