#include <QtTest>

#include "common/modalsteps.h"
#include "companion/forms/federal/credits.h"
#include "returnpagefixture.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSplitter>

using namespace returnpage;

// What a preparer meets while typing on the open-return page: notes written
// over several lines, computed figures that cannot be typed over, a new slip
// that starts in the person's province, a tree pane that follows the font,
// and a note beside a line whose amount this program does not take into
// account.
class TestPageComfort : public QObject
{
    Q_OBJECT
private slots:
    void taxNoteKeepsSeveralLines();
    void childCareIncomesAreComputed();
    void newSlipStartsInThePersonsProvince_data();
    void newSlipStartsInThePersonsProvince();
    void treePaneWidensWithTheFont();
    void collapsedPaneStaysCollapsed();
    void lineNotComputedIsNotedBesideIt();
};

namespace {

Form_Return* presentAtUsualWidth(WindowFixture& f, CFamilyTaxData* family)
{
    f.window->resize(1280, 760);
    Form_Return* page = present(f, family);
    QApplication::processEvents();
    page->setLeftpaneWidth(270);
    QApplication::processEvents();
    return page;
}

template <typename W>
W* onPages(Form_Return* page, const QString& name)
{
    for (BaseTaxPage* p : page->allPages())
        if (auto* w = p->findChild<W*>(name))
            return w;
    return nullptr;
}

int paneWidth(Form_Return* page)
{
    return page->findChild<QSplitter*>("splitter")->sizes().value(0);
}

} // namespace

void TestPageComfort::taxNoteKeepsSeveralLines()
{
    WindowFixture f;
    QVERIFY(f.ready);
    CFamilyTaxData* family = newFamily(singleRecord());
    Form_Return* page = presentAtUsualWidth(f, family);
    page->addTaxNote();
    auto* text = onPages<QPlainTextEdit>(page, "fld_Text");
    QVERIFY2(text, "the note's text is not a multi-line editor");
    QVERIFY(!text->isReadOnly());

    const QString written = "Client brought the T4 late.\nCall back about the rent receipts.";
    text->setFocus();
    text->setPlainText(written);
    // Leaving the editor stores the note, as leaving a line edit does.
    page->saveCurFormDataToDoc();
    QTest::keyClick(text, Qt::Key_Tab);

    // Note rows are keyed by id; every note is of type 0.
    TreeItem* row = rowOf(page->folderView(), FROM_NOTE, 0);
    QVERIFY(row);
    // A note without a title still has a row to click, and the page says what it shows.
    QCOMPARE(row->text(0), QString("Tax note (no title)"));
    QCOMPARE(page->findChild<QLabel*>("lblFormDesc")->text(), QString("Tax Note"));
    CTaxData_Form* note = page->folderView()->dataObject(row);
    QVERIFY(note);
    QCOMPARE(note->findField("Text")->text(), written);

    // Shown again after another page, both lines are there.
    page->folderView()->setCurrentItem(rowOf(page->folderView(), FROM_FORM, 1));
    page->folderView()->setCurrentItem(row);
    text = onPages<QPlainTextEdit>(page, "fld_Text");
    QVERIFY(text);
    QCOMPARE(text->toPlainText(), written);
    page->window()->grab().save(modalsteps::artefactPath("tax-note.png"));
}

// The child care form's net and earned income are the calculation's: shown
// shaded, not typed, and they follow the T1.
void TestPageComfort::childCareIncomesAreComputed()
{
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    IndividualTaxData* person = family->getTaxpayer();
    STRUCT_SLIPDATA_ITEM_2004* t4 = person->NewSlipData(kSlipT4, 0, 0);
    QVERIFY(t4);
    t4->data->findField("box14EmploymentIncome")->setText("42000");
    CTaxData_Form* t778 = person->GetFormData(FORM_T778, true);
    QVERIFY(t778);
    family->Calculate(-1, nullptr);
    Form_Return* page = present(f, family);
    page->showTaxForm(0, t778);

    for (const QString name : {"fld_NetIncome", "fld_EarnedIncome"}) {
        QLineEdit* shown = onPages<QLineEdit>(page, name);
        QVERIFY2(shown, qPrintable(name));
        QVERIFY2(shown->isReadOnly(), qPrintable(name));
        QCOMPARE(shown->focusPolicy(), Qt::NoFocus);
        QCOMPARE(shown->toolTip(), QString("computed"));
    }
    // One T4 of 42,000 without contributions: no deductions, so net income
    // (line 15000 less line 23300) is 42,000, and so is earned income (box 14).
    QCOMPARE(static_cast<TaxData_T778New*>(t778)->NetIncome.m_value, 42000.0);
    QCOMPARE(static_cast<TaxData_T778New*>(t778)->EarnedIncome.m_value, 42000.0);
}

void TestPageComfort::newSlipStartsInThePersonsProvince_data()
{
    QTest::addColumn<int>("province");
    QTest::newRow("Ontario") << 9;
    QTest::newRow("Manitoba") << 3;
    QTest::newRow("British Columbia") << 2;
}

void TestPageComfort::newSlipStartsInThePersonsProvince()
{
    QFETCH(int, province);
    WindowFixture f;
    NewReturnBasicData record = singleRecord();
    record.TaxPronv = province;
    Form_Return* page = present(f, newFamily(record));
    f.action("actionAdd_T4_slip")->trigger();
    TreeItem* row = rowOf(page->folderView(), FROM_SLIP, kSlipT4);
    QVERIFY(row);
    CTaxData_Form* slip = page->folderView()->dataObject(row);
    QVERIFY(slip);
    QCOMPARE(static_cast<CIntField*>(slip->findField("Province"))->m_value, province);
    auto* shown = onPages<QComboBox>(page, "fld_Province");
    QVERIFY(shown);
    QCOMPARE(shown->currentData().toInt(), province);
}

void TestPageComfort::treePaneWidensWithTheFont()
{
    WindowFixture f;
    Form_Return* page = presentAtUsualWidth(f, newFamily(singleRecord()));
    QCOMPARE(paneWidth(page), 270);
    page->changeFontSize(18);
    QApplication::processEvents();
    const int wider = paneWidth(page);
    QVERIFY2(wider > 270, qPrintable(QString::number(wider)));
    // The form keeps at least half of the page.
    const QList<int> sizes = page->findChild<QSplitter*>("splitter")->sizes();
    QVERIFY(sizes.value(0) <= (sizes.value(0) + sizes.value(1)) / 2);
    // A smaller font never narrows a pane the user set.
    page->changeFontSize(8);
    QCOMPARE(paneWidth(page), wider);
}

void TestPageComfort::collapsedPaneStaysCollapsed()
{
    WindowFixture f;
    Form_Return* page = presentAtUsualWidth(f, newFamily(singleRecord()));
    QVERIFY(!page->toggleViewMode());
    const int collapsed = paneWidth(page);
    QVERIFY(collapsed <= 10);
    page->changeFontSize(18);
    QCOMPARE(paneWidth(page), collapsed);
}

void TestPageComfort::lineNotComputedIsNotedBesideIt()
{
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    // A tuition amount transferred from a child is taken as typed, unlimited.
    family->getTaxpayer()->GetT1()->line32400TuitionFromChild.m_value = 5000;
    family->Calculate(-1, nullptr);
    Form_Return* page = presentAtUsualWidth(f, family);
    QString status;
    page->refreshReturnStatus(status);

    QLabel* note = onPages<QLabel>(page, "note_line32400TuitionFromChild");
    QVERIFY2(note, "no note beside line 32400");
    QVERIFY(note->toolTip().startsWith("line 32400: "));
    QVERIFY(!note->text().isEmpty());
    // Lines the program computes whole carry no note.
    QVERIFY(!onPages<QLabel>(page, "note_line10100EmploymentIncome"));
    // The screenshot shows the note on its tab, scrolled into view.
    QTabWidget* pageTabs = tabs(page);
    for (int i = 0; i < pageTabs->count(); ++i)
        if (pageTabs->widget(i)->findChild<QLabel*>(note->objectName()))
            pageTabs->setCurrentIndex(i);
    if (auto* scroll = qobject_cast<QScrollArea*>(pageTabs->currentWidget()))
        scroll->ensureWidgetVisible(note);
    QApplication::processEvents();
    page->window()->grab().save(modalsteps::artefactPath("line-not-computed.png"));

    // The amount removed, the note goes with the next recalculation.
    QLineEdit* typed = editor(page, "line32400TuitionFromChild");
    QVERIFY(typed);
    typed->setText("0");
    emit typed->editingFinished();
    page->refreshReturnStatus(status);
    QVERIFY(!onPages<QLabel>(page, "note_line32400TuitionFromChild"));
}

QTEST_APPLESS_MAIN(TestPageComfort)
#include "tst_pagecomfort.moc"
