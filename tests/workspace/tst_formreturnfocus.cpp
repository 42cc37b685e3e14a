#include <QtTest>

#include "companion/forms/slips/slips_employment.h"
#include "returnpagefixture.h"

#include <QComboBox>
#include <QPointer>

using namespace returnpage;

// Structural changes made while an editor of the shown page still has the
// keyboard focus and unfinished text: the text goes where it belongs, and
// neither the editor's focus-out nor its deletion reaches a freed form or a
// freed page.
class TestFormReturnFocus : public QObject
{
    Q_OBJECT
private slots:
    void removeShownSlipWhileTyping();
    void switchPersonWhileTypingOnSlip();
    void closePageWhileTyping_data();
    void closePageWhileTyping();
    void closeProgramWhileTyping();
    void ownEditRemovesShownForm();
    void returnWithoutForms();
};

namespace {

constexpr int kRC381 = 148;

// Puts the keyboard focus into the editor of a field of the shown page and
// types text into it without finishing the edit.
QLineEdit* typeWithoutLeaving(WindowFixture& f, Form_Return* page, const QString& field, const QString& text)
{
    QLineEdit* edit = editor(page, field);
    if (!edit)
        return nullptr;
    QApplication::setActiveWindow(f.window);
    for (int i = 0; i < tabs(page)->count(); ++i) {
        if (tabs(page)->widget(i)->isAncestorOf(edit))
            tabs(page)->setCurrentIndex(i);
    }
    edit->setFocus();
    if (!QTest::qWaitFor([edit] { return edit->hasFocus(); }))
        return nullptr;
    edit->selectAll();
    QTest::keyClicks(edit, text);
    return edit;
}

// Runs the deletions that were put off, as the event loop would.
void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

} // namespace

void TestFormReturnFocus::removeShownSlipWhileTyping()
{
    WindowFixture f;
    QVERIFY(f.ready);
    CFamilyTaxData* family = newFamily(singleRecord());
    Form_Return* page = present(f, family);
    f.action("actionAdd_T4_slip")->trigger();
    QCOMPARE(page->shownKind(), int(FROM_SLIP));
    QPointer<QLineEdit> edit = typeWithoutLeaving(f, page, "box14EmploymentIncome", "12345");
    QVERIFY(edit);

    // The amount being typed counts as an entry: the removal is confirmed.
    f.prompter->queueButton(Prompt::Yes);
    f.action("actionRemove_Selected_Slip")->trigger();
    QCOMPARE(f.promptTexts(), QStringList{"Remove the T4 with 12,345.00 of income?"});
    runDeferredDeletes();
    QVERIFY(!edit);
    QVERIFY(family->getTaxpayer()->m_slipList.empty());
    QCOMPARE(page->shownKind(), int(FROM_FORM));
    QCOMPARE(page->shownType(), 1);
    QCOMPARE(page->currentForm(), static_cast<CTaxData_Form*>(family->getTaxpayer()->GetT1()));

    // The T1 shown in its place takes edits as usual (a line the user types).
    QVERIFY(typeWithoutLeaving(f, page, "line12800SupportReceived", "777"));
    page->folderView()->setFocus();
    QTRY_COMPARE(family->getTaxpayer()->GetT1()->line12800SupportReceived.m_value, 777.0);
}

void TestFormReturnFocus::switchPersonWhileTypingOnSlip()
{
    WindowFixture f;
    CFamilyTaxData* family = newFamily(coupledRecord());
    Form_Return* page = present(f, family);
    f.action("actionAdd_T4_slip")->trigger();
    CTaxData_Form* slip = page->currentForm();
    QVERIFY(slip);
    QPointer<QLineEdit> edit = typeWithoutLeaving(f, page, "box14EmploymentIncome", "4321");
    QVERIFY(edit);

    // Chosen from the keyboard: the chooser itself never takes the focus.
    page->findChild<QComboBox*>("comboBox")->setCurrentIndex(1);
    runDeferredDeletes();
    QVERIFY(!edit);
    QCOMPARE(family->getCurIndv(), int(CFamilyTaxData::kSpouse));
    QCOMPARE(page->currentForm(), static_cast<CTaxData_Form*>(family->getSpouse()->GetT1()));
    // The amount went into the taxpayer's slip, not into the spouse's return.
    QCOMPARE(family->getTaxpayer()->m_slipList.size(), size_t(1));
    QCOMPARE(family->getTaxpayer()->m_slipList.front()->data, slip);
    auto* t4 = dynamic_cast<TaxData_Slip_T4*>(slip);
    QVERIFY(t4);
    QCOMPARE(t4->box14EmploymentIncome.m_value, 4321.0);
    QVERIFY(family->getSpouse()->m_slipList.empty());
}

void TestFormReturnFocus::closePageWhileTyping_data()
{
    QTest::addColumn<bool>("withFile");
    QTest::newRow("new return, discarded") << false;
    QTest::newRow("saved return, changes discarded") << true;
}

void TestFormReturnFocus::closePageWhileTyping()
{
    QFETCH(bool, withFile);
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    if (withFile) {
        QFileInfo file(f.home.path() + "/Ann_Lee.r24");
        page->setFilepath(&file);
        QCOMPARE(page->saveReturnFile(false), 0);
    }
    QPointer<Form_Return> watched = page;
    QPointer<QLineEdit> edit = typeWithoutLeaving(f, page, "line12800SupportReceived", "999");
    QVERIFY(edit);

    f.prompter->queueButton(Prompt::Discard);
    f.action("actionClose_Return")->trigger();
    // The typed amount counted as a change to ask about.
    QCOMPARE(f.prompter->records().size(), 1);
    QCOMPARE(f.window->openReturnCount(), 0);
    runDeferredDeletes();
    QVERIFY(!watched);
    QVERIFY(!edit);
}

void TestFormReturnFocus::closeProgramWhileTyping()
{
    WindowFixture f;
    Form_Return* page = present(f, newFamily(coupledRecord()));
    QPointer<QLineEdit> edit = typeWithoutLeaving(f, page, "line12800SupportReceived", "5555");
    QVERIFY(edit);
    int calculations = 0;
    QObject watcher;
    for (BaseTaxPage* formPage : page->allPages())
        connect(formPage, &BaseTaxPage::signalCalc, &watcher, [&calculations] { ++calculations; });

    // The window goes with the return still open and the edit unfinished:
    // nothing recalculates or writes into a window that is being destroyed.
    delete f.window;
    f.window = nullptr;
    QVERIFY(!edit);
    QCOMPARE(calculations, 0);
}

void TestFormReturnFocus::ownEditRemovesShownForm()
{
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    IndividualTaxData* person = family->getTaxpayer();
    // QPP contributions on a T4 bring RC381; once the slip shows CPP
    // contributions instead, the calculation drops it.
    STRUCT_SLIPDATA_ITEM_2004* slip = person->NewSlipData(1, 0, 0);
    QVERIFY(slip);
    auto* t4 = dynamic_cast<TaxData_Slip_T4*>(slip->data);
    QVERIFY(t4);
    t4->box14EmploymentIncome.m_value = 40000;
    t4->box17QppContributions.m_value = 2000;
    family->Calculate(-1, nullptr);
    QVERIFY(person->HasForm(kRC381));
    Form_Return* page = present(f, family);
    TreeItem* row = rowOf(page->folderView(), FROM_FORM, kRC381);
    QVERIFY(row);
    page->folderView()->setCurrentItem(row);
    QCOMPARE(page->shownType(), kRC381);
    QVERIFY(!page->pages().empty());

    // An edit on the shown form whose recalculation removes that form.
    QLineEdit* edit = nullptr;
    for (QLineEdit* candidate : page->pages().front()->findChildren<QLineEdit*>()) {
        if (!candidate->isReadOnly() && candidate->validator() == nullptr) {
            edit = candidate;
            break;
        }
    }
    if (!edit) {
        for (QLineEdit* candidate : page->pages().front()->findChildren<QLineEdit*>()) {
            if (!candidate->isReadOnly()) {
                edit = candidate;
                break;
            }
        }
    }
    QVERIFY(edit);
    QPointer<QLineEdit> watched = edit;
    QApplication::setActiveWindow(f.window);
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    edit->selectAll();
    QTest::keyClicks(edit, "12");
    t4->box17QppContributions.m_value = 0;
    t4->box16CppContributions.m_value = 2000;
    page->folderView()->setFocus();
    QTRY_VERIFY(!person->HasForm(kRC381));
    runDeferredDeletes();
    QVERIFY(!watched);
    QCOMPARE(page->shownType(), 1);
    QCOMPARE(page->currentForm(), static_cast<CTaxData_Form*>(person->GetT1()));
    QVERIFY(!rowOf(page->folderView(), FROM_FORM, kRC381));
}

void TestFormReturnFocus::returnWithoutForms()
{
    WindowFixture f;
    auto* family = new CFamilyTaxData(MULTIPROVS_MODE_RESIDENCE);
    Form_Return* page = present(f, family);
    QVERIFY(page);
    QCOMPARE(page->shownKind(), -1);
    QCOMPARE(tabs(page)->count(), 0);
    FolderView* tree = page->folderView();
    QCOMPARE(tree->topLevelItemCount(), 6);
    QCOMPARE(tree->formsItem()->childCount(), 0);
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        tree->setCurrentItem(tree->topLevelItem(i));
    // The commands on the return find nothing to act on and change nothing.
    for (const char* command : {"actionRemove_Selected_Slip", "actionAdd_T4_slip", "actionAdd_a_tax_note",
                                "actionLarge", "actionRemove_Selected_Form_Schedule", "actionShare_slip_with_spouse"})
        f.action(command)->trigger();
    QCOMPARE(family->GetCountOfForm(0), 0);
    QCOMPARE(f.window->openReturnCount(), 1);
    f.prompter->queueButton(Prompt::Discard);
    f.action("actionClose_Return")->trigger();
    QCOMPARE(f.window->openReturnCount(), 0);
    runDeferredDeletes();
}

QTEST_APPLESS_MAIN(TestFormReturnFocus)
#include "tst_formreturnfocus.moc"
