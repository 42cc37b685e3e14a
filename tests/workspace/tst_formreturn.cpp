#include <QtTest>

#include "companion/forms/catalogue.h"
#include "common/specialfiles.h"
#include "companion/core/savecopies.h"
#include "companion/ui/formevents.h"
#include "model/returnfileloadcode.h"
#include "returnpagefixture.h"
#include "workspace/actionshowreturn.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QPointer>
#include <QSplitter>
#include <QStatusBar>
#include <QTextBrowser>

#include <unistd.h>

using namespace returnpage;

// The open-return page on the real window offscreen: the tree, the tabs, the
// person chooser, the recalculation after an edit, the page events, and the
// look-up of the shown item after structural changes.
class TestFormReturn : public QObject
{
    Q_OBJECT
private slots:
    void openedPageShowsT1();
    void treeTopLevel();
    void branchHeadsShowQuickHelp_data();
    void branchHeadsShowQuickHelp();
    void taxNotesHeadKeepsTabs();
    void coupledChooserSwitchesPerson();
    void typingOnT1UpdatesStatus();
    void visiblePageStoredBeforeTabsGo_data();
    void visiblePageStoredBeforeTabsGo();
    void removingShownItemThenFontLarger_data();
    void removingShownItemThenFontLarger();
    void removingMandatoryFormRefused();
    void recalculationKeepsSelection();
    void rebuildReselectsById();
    void oldPagesAreDisconnected();
    void forwardEditEvent_data();
    void forwardEditEvent();
    void mailingAddressEvent_data();
    void mailingAddressEvent();
    void paneWidth_data();
    void paneWidth();
    void toggleViewMode();
    void saveThenOpenFile();
    void openDamagedFile();
    void openRemovesLeftoverCopies();
    void openRefusesWhatIsNotAFile_data();
    void openRefusesWhatIsNotAFile();
};

void TestFormReturn::openedPageShowsT1()
{
    WindowFixture f;
    QVERIFY(f.ready);
    Form_Return* page = present(f, newFamily(singleRecord()));
    QVERIFY(page);
    QCOMPARE(page->getTitle(), QString("Untitled (unsaved)"));
    QCOMPARE(page->shownKind(), int(FROM_FORM));
    QCOMPARE(page->shownType(), 1);
    QVERIFY(tabs(page)->count() > 0);
    QVERIFY(!page->isChanged());
    QVERIFY(statusText(f).startsWith("[Total Income]="));
    CString taxpayer, spouse, family;
    page->familyData()->getFamilyResult(taxpayer, spouse, family);
    QVERIFY(QString(taxpayer).startsWith("Ann"));
    QCOMPARE(page->findChild<QLabel*>("lblResultLine1")->text(), QString(taxpayer));
    QVERIFY(page->findChild<QLabel*>("lblResultLine2")->text().isEmpty());
    QCOMPARE(f.window->showReturnAction(page)->text(), QString("Return 1 - Untitled (unsaved)"));
    QVERIFY(f.window->windowTitle().endsWith(" - Untitled (unsaved)"));
}

void TestFormReturn::treeTopLevel()
{
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    QCOMPARE(topLevel(page->folderView()),
             QStringList({"Start", "Tax Slips", "Express Wizard", "Tax Notes", "Tax Forms", "Result"}));
    // The return summary has no row: the Result item stands for it.
    QVERIFY(!rowOf(page->folderView(), FROM_FORM, 93));
    QVERIFY(rowOf(page->folderView(), FROM_FORM, 1));
    for (TreeItem* head : {page->folderView()->startItem(), page->folderView()->resultItem()})
        QVERIFY(!page->folderView()->createContextMenu(head));
}

void TestFormReturn::branchHeadsShowQuickHelp_data()
{
    QTest::addColumn<int>("head");
    QTest::addColumn<QString>("file");
    QTest::newRow("Start") << 0 << "mkst_start.html";
    QTest::newRow("Tax Slips") << 1 << "mkst_slip.html";
    QTest::newRow("Express Wizard") << 2 << "mkst_wiz.html";
    QTest::newRow("Tax Forms") << 4 << "mkst_form.html";
}

void TestFormReturn::branchHeadsShowQuickHelp()
{
    QFETCH(int, head);
    QFETCH(QString, file);
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    page->folderView()->setCurrentItem(page->folderView()->topLevelItem(head));
    QCOMPARE(tabs(page)->count(), 1);
    QCOMPARE(tabs(page)->tabText(0), QString("Quick Help"));
    QVERIFY(!page->currentForm());
    auto* browser = tabs(page)->findChild<QTextBrowser*>("quickHelp");
    QVERIFY(browser);
    const QUrl source = browser->source();
    QVERIFY2(source.isLocalFile(), qPrintable(source.toString()));
    QVERIFY(source.toString().startsWith("file:///"));
    QVERIFY(!source.toString().startsWith("file:////"));
    QCOMPARE(QFileInfo(source.toLocalFile()).fileName(), file);
    QVERIFY2(QFileInfo::exists(source.toLocalFile()), qPrintable(source.toLocalFile()));
    QVERIFY(!browser->toPlainText().isEmpty());
    // Nothing to store from a help page: no recalculation runs.
    page->saveCurFormDataToDoc();
    QCOMPARE(tabs(page)->count(), 1);
}

void TestFormReturn::taxNotesHeadKeepsTabs()
{
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    const int count = tabs(page)->count();
    page->folderView()->setCurrentItem(page->folderView()->notesItem());
    QCOMPARE(tabs(page)->count(), count);
    QCOMPARE(page->shownType(), 1);
}

void TestFormReturn::coupledChooserSwitchesPerson()
{
    WindowFixture f;
    CFamilyTaxData* family = newFamily(coupledRecord());
    STRUCT_SLIPDATA_ITEM_2004* slip = family->getSpouse()->NewSlipData(kSlipT4, 0, 0);
    QVERIFY(slip);
    slip->data->findField("box14EmploymentIncome")->setText("50000");
    family->Calculate(-1, nullptr);
    Form_Return* page = present(f, family);

    auto* chooser = page->findChild<QComboBox*>("comboBox");
    QCOMPARE(chooser->count(), 2);
    QCOMPARE(chooser->itemText(0), QString("Ann Lee"));
    QCOMPARE(chooser->itemText(1), QString("Bob Roy"));
    QCOMPARE(rowLabels(page->folderView()->slipsItem()).size(), 0);
    QVERIFY(statusText(f).startsWith("[Total Income]=0.00"));

    chooser->setCurrentIndex(1);
    QCOMPARE(family->getCurIndv(), int(CFamilyTaxData::kSpouse));
    const QStringList slips = rowLabels(page->folderView()->slipsItem());
    QCOMPARE(slips.size(), 1);
    QVERIFY2(slips.first().startsWith(QString::fromUtf8(getSlipName(kSlipT4))), qPrintable(slips.first()));
    QVERIFY2(statusText(f).startsWith("[Total Income]=50,000.00"), qPrintable(statusText(f)));
    QCOMPARE(statusText(f), QString(family->getSpouse()->GetReturnStatusString(IndividualTaxData::kStatusOnScreen)));
    // The spouse's own T1 is shown.
    QCOMPARE(page->shownType(), 1);
    QCOMPARE(page->currentForm(), static_cast<CTaxData_Form*>(family->getSpouse()->GetT1()));

    chooser->setCurrentIndex(0);
    QCOMPARE(family->getCurIndv(), int(CFamilyTaxData::kTaxpayer));
    QCOMPARE(rowLabels(page->folderView()->slipsItem()).size(), 0);
}

void TestFormReturn::typingOnT1UpdatesStatus()
{
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    // Support payments received: typed on the T1, no slip or form fills it.
    QLineEdit* income = editor(page, "line12800SupportReceived");
    QVERIFY(income);
    QVERIFY(!income->isReadOnly());
    QApplication::setActiveWindow(f.window);
    tabs(page)->setCurrentWidget(tabs(page)->widget(0));
    income->setFocus();
    QTRY_VERIFY(income->hasFocus());
    QVERIFY(statusText(f).startsWith("[Total Income]=0.00"));
    income->selectAll();
    QTest::keyClicks(income, "42000");
    QVERIFY(statusText(f).startsWith("[Total Income]=0.00"));
    // Leaving the field is enough: no button, no Enter.
    page->folderView()->setFocus();
    QTRY_VERIFY(!income->hasFocus());
    QVERIFY2(statusText(f).startsWith("[Total Income]=42,000.00"), qPrintable(statusText(f)));
    QVERIFY(page->isChanged());
}

void TestFormReturn::visiblePageStoredBeforeTabsGo_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("person switch") << "person";
    QTest::newRow("tree selection") << "tree";
    QTest::newRow("font change") << "font";
}

void TestFormReturn::visiblePageStoredBeforeTabsGo()
{
    QFETCH(QString, how);
    WindowFixture f;
    CFamilyTaxData* family = newFamily(coupledRecord());
    Form_Return* page = present(f, family);
    QLineEdit* income = editor(page, "line12800SupportReceived");
    QVERIFY(income);
    // Typed, but the field never finished editing.
    income->setText("1234");
    if (how == "person")
        page->findChild<QComboBox*>("comboBox")->setCurrentIndex(1);
    else if (how == "tree")
        page->folderView()->setCurrentItem(page->folderView()->resultItem());
    else
        f.action("actionLarge")->trigger();
    QCOMPARE(family->getTaxpayer()->GetT1()->line12800SupportReceived.m_value, 1234.0);
}

void TestFormReturn::removingShownItemThenFontLarger_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("slip") << "slip";
    QTest::newRow("note") << "note";
}

void TestFormReturn::removingShownItemThenFontLarger()
{
    QFETCH(QString, kind);
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    Form_Return* page = present(f, family);
    if (kind == "slip") {
        f.action("actionAdd_T4_slip")->trigger();
        QCOMPARE(page->shownKind(), int(FROM_SLIP));
    } else {
        f.action("actionAdd_a_tax_note")->trigger();
        QCOMPARE(page->shownKind(), int(FROM_NOTE));
    }
    QVERIFY(tabs(page)->count() > 0);
    const int size = page->fontSize();

    f.action("actionRemove_Selected_Slip")->trigger();
    QCOMPARE(family->getTaxpayer()->m_slipList.size(), size_t(0));
    QCOMPARE(family->getTaxpayer()->m_noteList.size(), size_t(0));
    QCOMPARE(rowLabels(page->folderView()->slipsItem()).size(), 0);
    QCOMPARE(rowLabels(page->folderView()->notesItem()).size(), 0);
    // The item is gone: the T1 is shown instead.
    QCOMPARE(page->shownKind(), int(FROM_FORM));
    QCOMPARE(page->shownType(), 1);

    f.action("actionLarge")->trigger();
    QCOMPARE(page->fontSize(), size + 2);
    QCOMPARE(page->currentForm(), static_cast<CTaxData_Form*>(family->getTaxpayer()->GetT1()));
    QVERIFY(tabs(page)->count() > 0);
}

void TestFormReturn::removingMandatoryFormRefused()
{
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    Form_Return* page = present(f, family);
    page->folderView()->setCurrentItem(rowOf(page->folderView(), FROM_FORM, 1));
    f.action("actionRemove_Selected_Form_Schedule")->trigger();
    QVERIFY(f.promptTexts().contains(
        "This tax form can NOT be removed, because it's mandatory or necessary for other tax slips/forms."));
    QVERIFY(family->getTaxpayer()->GetT1());
    QVERIFY(rowOf(page->folderView(), FROM_FORM, 1));
}

void TestFormReturn::recalculationKeepsSelection()
{
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    IndividualTaxData* person = family->getTaxpayer();
    // QPP contributions on a T4 bring one plan form; when the slip shows CPP
    // contributions instead, the calculation drops it and brings the other,
    // so the rows after it move.
    STRUCT_SLIPDATA_ITEM_2004* slip = person->NewSlipData(kSlipT4, 0, 0);
    QVERIFY(slip);
    slip->data->findField("box14EmploymentIncome")->setText("40000");
    slip->data->findField("box17QppContributions")->setText("2000");
    family->Calculate(-1, nullptr);
    QVERIFY(person->HasForm(148));
    person->GetFormData(7, true);
    Form_Return* page = present(f, family);
    FolderView* tree = page->folderView();
    const int before = tree->formsItem()->childCount();

    TreeItem* schedule7 = rowOf(tree, FROM_FORM, 7);
    QVERIFY(schedule7);
    const int id = schedule7->itemId();
    tree->setCurrentItem(schedule7);
    QCOMPARE(page->shownType(), 7);
    const int row = tree->formsItem()->indexOfChild(schedule7);

    // The edit's signal, as a page sends it: the calculation removes one
    // form ahead of the selection and adds another.
    slip->data->findField("box17QppContributions")->setText("0");
    slip->data->findField("box16CppContributions")->setText("2000");
    BaseTaxPage* shownPage = page->pages().front();
    emit shownPage->signalCalc(shownPage->getFormData(), nullptr);

    QCOMPARE(tree->formsItem()->childCount(), before);
    QVERIFY(!person->HasForm(148));
    QVERIFY(person->HasForm(150));
    QVERIFY(tree->formsItem()->indexOfChild(tree->currentItem()) != row);
    auto* current = static_cast<TreeItem*>(tree->currentItem());
    QCOMPARE(current->itemType(), 7);
    QCOMPARE(current->itemId(), id);
    QCOMPARE(page->shownType(), 7);
    QCOMPARE(page->shownId(), id);
}

void TestFormReturn::rebuildReselectsById()
{
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    Form_Return* page = present(f, family);
    FolderView* tree = page->folderView();
    TreeItem* t1 = rowOf(tree, FROM_FORM, 1);
    tree->setCurrentItem(t1);
    const int id = t1->itemId();
    // A form that lands ahead of the selected one.
    IndividualTaxData* person = family->getTaxpayer();
    STRUCT_FORMDATA_ITEM_2004* added = person->NewFormDataItem(7, 0, true, 0, true);
    QVERIFY(added);
    person->m_formList.remove(added);
    person->m_formList.push_front(added);
    page->syncFolderView(true, false);
    auto* current = static_cast<TreeItem*>(tree->currentItem());
    QCOMPARE(current->itemType(), 1);
    QCOMPARE(current->itemId(), id);
    QCOMPARE(tree->formsItem()->indexOfChild(current), 1);
    QCOMPARE(page->shownType(), 1);
}

void TestFormReturn::oldPagesAreDisconnected()
{
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    QPointer<BaseTaxPage> old = page->pages().front();
    QPointer<QLineEdit> oldEditor = editor(page, "line10100EmploymentIncome");
    QVERIFY(old && oldEditor);
    page->folderView()->setCurrentItem(page->folderView()->resultItem());
    QCOMPARE(page->shownType(), 93);
    QVERIFY(old); // deleted later, not yet
    QVERIFY(!QObject::disconnect(old.data(), &BaseTaxPage::signalCalc, page, &Form_Return::onSignalCalc));
    QVERIFY(oldEditor->signalsBlocked());
    QTRY_VERIFY(!old);
}

void TestFormReturn::forwardEditEvent_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestFormReturn::forwardEditEvent()
{
    QFETCH(bool, yes);
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    Form_Return* page = present(f, family);
    const int forms = family->GetCountOfForm(0);
    f.prompter->queueYes(yes);
    f.window->showReturnResultInStatus(CString("stale"));
    EventForwardEdit event(7);
    QVERIFY(QCoreApplication::sendEvent(page, &event));
    QCOMPARE(f.promptTexts().last(), QString("Do you want to go to form [%1]").arg(QString::fromUtf8(getFormName(7))));
    QCOMPARE(family->HasForm(7), yes);
    if (yes) {
        QCOMPARE(family->GetCountOfForm(0), forms + 1);
        QCOMPARE(page->shownType(), 7);
        QCOMPARE(static_cast<TreeItem*>(page->folderView()->currentItem())->itemType(), 7);
        // The return was recalculated and the status refreshed.
        QVERIFY(statusText(f).startsWith("[Total Income]="));
    } else {
        QCOMPARE(page->shownType(), 1);
        QCOMPARE(statusText(f), QString("stale"));
    }
}

void TestFormReturn::mailingAddressEvent_data()
{
    QTest::addColumn<bool>("coupled");
    QTest::newRow("single") << false;
    QTest::newRow("coupled") << true;
}

void TestFormReturn::mailingAddressEvent()
{
    QFETCH(bool, coupled);
    WindowFixture f;
    CFamilyTaxData* family = newFamily(coupled ? coupledRecord() : singleRecord());
    family->getTaxpayer()->GetT1()->City.m_value = "Guelph";
    Form_Return* page = present(f, family);
    MyEvent event(FORMEVENT_MAILING_TO_SPOUSE);
    QVERIFY(QCoreApplication::sendEvent(page, &event));
    const bool told = f.promptTexts().contains("Mailing address is copied into spouse's return!");
    QCOMPARE(told, coupled);
    if (coupled)
        QCOMPARE(QString(family->getSpouse()->GetT1()->City.m_value), QString("Guelph"));
}

void TestFormReturn::paneWidth_data()
{
    // -1 asks for more than the splitter's width; expected -1 is the default
    // width clamped to half the splitter.
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("expected");
    QTest::newRow("fits") << 300 << 300;
    QTest::newRow("too narrow") << 5 << -1;
    QTest::newRow("not a number") << 0 << -1;
    QTest::newRow("wider than the splitter") << -1 << -1;
}

void TestFormReturn::paneWidth()
{
    QFETCH(int, asked);
    QFETCH(int, expected);
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    auto* splitter = page->findChild<QSplitter*>("splitter");
    const int total = splitter->sizes().value(0) + splitter->sizes().value(1);
    QVERIFY(total > 600);
    QVERIFY(page->setLeftpaneWidth(asked < 0 ? total + 50 : asked));
    QCOMPARE(splitter->sizes().value(0), expected < 0 ? qMin(270, total / 2) : expected);
    QCOMPARE(splitter->sizes().value(0) + splitter->sizes().value(1), total);
}

void TestFormReturn::toggleViewMode()
{
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    auto* splitter = page->findChild<QSplitter*>("splitter");
    splitter->setSizes({400, 400});
    QVERIFY(!page->toggleViewMode());
    // Collapsed as far as the pane's minimum width lets it.
    QVERIFY(splitter->sizes().value(0) <= 10);
    QVERIFY(page->toggleViewMode());
    QCOMPARE(splitter->sizes().value(0), 270);
}

void TestFormReturn::saveThenOpenFile()
{
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    STRUCT_SLIPDATA_ITEM_2004* slip = family->getTaxpayer()->NewSlipData(kSlipT4, 0, 0);
    QVERIFY(slip);
    slip->data->findField("box14EmploymentIncome")->setText("31000");
    family->Calculate(-1, nullptr);
    Form_Return* page = present(f, family);
    const QString path = f.home.path() + "/Ann_Lee.r24";
    QFileInfo info(path);
    page->setFilepath(&info);
    QCOMPARE(page->getTitle(), QDir::toNativeSeparators(info.absolutePath()) + QDir::separator() + "Ann_Lee.r24");
    QVERIFY(page->isChanged() == false);
    QCOMPARE(page->saveReturnFile(false), 0);
    QVERIFY(QFileInfo::exists(path));
    f.action("actionClose_Return")->trigger();
    QCOMPARE(f.window->openReturnCount(), 0);

    f.window->openReturnFile(path);
    auto* opened = dynamic_cast<Form_Return*>(f.window->currentReturnPage());
    QVERIFY(opened);
    QCOMPARE(opened->getTitle(), QDir::toNativeSeparators(info.absolutePath()) + QDir::separator() + "Ann_Lee.r24");
    QVERIFY(!opened->isChanged());
    QVERIFY(statusText(f).startsWith("[Total Income]=31,000.00"));
    QCOMPARE(f.window->statusBar()->currentMessage(), QString("File read successfully"));
}

void TestFormReturn::openDamagedFile()
{
    WindowFixture f;
    const QString path = f.home.path() + "/broken.r24";
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("this is not a return file");
    file.close();
    f.window->openReturnFile(path);
    QCOMPARE(f.window->openReturnCount(), 0);
    QVERIFY(!f.promptTexts().isEmpty());
    f.window->openReturnFile(f.home.path() + "/missing.r24");
    QCOMPARE(f.promptTexts().last(), QString("Open return file failed!"));
    QCOMPARE(f.window->openReturnCount(), 0);
}

// A save killed before its rename left a whole copy of the return; opening
// the return takes it away.
void TestFormReturn::openRemovesLeftoverCopies()
{
    WindowFixture f;
    const QString path = f.home.path() + "/ret.r24";
    std::unique_ptr<CFamilyTaxData> family(newFamily(singleRecord()));
    QCOMPARE(family->saveToFile(CString(path), 2), 0);
    const QString stray = path + ".ABC123";
    QVERIFY(QFile::copy(path, stray));
    QFile file(stray);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(sessionStartTime().addSecs(-60), QFileDevice::FileModificationTime));
    file.close();
    f.window->openReturnFile(path);
    QCOMPARE(f.window->openReturnCount(), 1);
    QVERIFY(!QFileInfo::exists(stray));
}

void TestFormReturn::openRefusesWhatIsNotAFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("directory") << "directory";
    QTest::newRow("socket") << "socket";
}

void TestFormReturn::openRefusesWhatIsNotAFile()
{
    QFETCH(QString, kind);
    WindowFixture f;
    const QString path = f.home.path() + "/x.r24";
    int socket = -1;
    if (kind == "fifo")
        QVERIFY(specialfiles::makeFifo(path));
    else if (kind == "directory")
        QVERIFY(QDir().mkdir(path));
    else
        QVERIFY((socket = specialfiles::makeSocket(path)) >= 0);
    const FifoReleaser releaser(path);
    QElapsedTimer clock;
    clock.start();
    f.window->openReturnFile(path);
    const qint64 elapsed = clock.elapsed();
    if (socket >= 0)
        ::close(socket);
    QVERIFY2(elapsed < 1000, qPrintable(QString("took %1 ms").arg(elapsed)));
    QCOMPARE(f.window->openReturnCount(), 0);
    QCOMPARE(f.promptTexts(), QStringList{"Open return file failed!"});
}

QTEST_APPLESS_MAIN(TestFormReturn)
#include "tst_formreturn.moc"
