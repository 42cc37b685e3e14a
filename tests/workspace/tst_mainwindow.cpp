#include <QtTest>

#include "common/promptpicture.h"

#include "fakereturnpage.h"
#include "returnpagefixture.h"
#include "windowfixture.h"
#include "workspace/actionshowreturn.h"
#include "workspace/viewintroduction.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QToolBar>

namespace {

// A menu text as read, without its mnemonic mark.
QString shownText(const QString& text)
{
    QString plain = text;
    return plain.remove(QLatin1Char('&'));
}

} // namespace

// The real main window offscreen: title, menus and toolbar, enabled states,
// the page stack with the Windows menu, closing and quitting with changed
// returns, the View commands and the routing of commands to the open return.
class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void startPageTitleAndStatus();
    void menuBarOrder();
    void menusHaveMnemonics();
    void menuEntries_data();
    void menuEntries();
    void efileEditionKeepsEfileItems();
    void toolBar();
    void standardShortcuts_data();
    void standardShortcuts();
    void enabledStates_data();
    void enabledStates();
    void helpMenuEnd_data();
    void helpMenuEnd();
    void atMostTwoReturns();
    void returnNumbersReuseTheLowestFree();
    void windowsMenuSwitchesPages();
    void closeReturnAsksWhenChanged_data();
    void closeReturnAsksWhenChanged();
    void quitWithChangedReturnAsks();
    void closeShowsEachChangedReturnInTurn();
    void closeWithUnchangedReturnsEnds();
    void closeAsksAboutReturnNeverSaved_data();
    void closeAsksAboutReturnNeverSaved();
    void fontSizeFromSetting_data();
    void fontSizeFromSetting();
    void fontSizeStaysInRange();
    void backgroundColour();
    void maximizeViewToggles();
    void routing_data();
    void routing();
    void commandsDoNothingOnStartPage();
    void agencyCommandsOpenTheStoredRecords_data();
    void agencyCommandsOpenTheStoredRecords();
    void pdfFolderCheck();
    void contextMenus_data();
    void contextMenus();
    void contextMenusOfferWhatApplies_data();
    void contextMenusOfferWhatApplies();
    void slipBranchOffersOnlyTheProvincesSlips();

private:
    static FakeReturnPage* openPage(WindowFixture& f, const QString& path = QString());
    static QStringList entriesOf(const QMenu* menu);
};

FakeReturnPage* TestMainWindow::openPage(WindowFixture& f, const QString& path)
{
    auto* page = new FakeReturnPage(f.window->nextReturnNumber(), path);
    f.window->presentReturnPage(page);
    return page;
}

// "objectName|text" per entry, "-" per separator.
QStringList TestMainWindow::entriesOf(const QMenu* menu)
{
    QStringList entries;
    for (const QAction* action : menu->actions())
        entries << (action->isSeparator() ? QString("-") : action->objectName() + "|" + shownText(action->text()));
    return entries;
}

void TestMainWindow::startPageTitleAndStatus()
{
    WindowFixture f;
    QVERIFY(f.ready);
    QVERIFY(f.window->windowTitle().endsWith(" - Release date: 2024-12-13"));
    QCOMPARE(f.window->windowTitle(), QString("voDarevivo 2024 for DirErad - Testing - Release date: 2024-12-13"));
    auto* result = f.window->findChild<QLabel*>("lblResult");
    QVERIFY(result);
    QVERIFY(result->text().isEmpty());
    QCOMPARE(entriesOf(f.window->widgets()->menuWindows), QStringList{"actionWelcome|Welcome"});
    QCOMPARE(f.window->widgets()->stackedWidget->currentWidget(), static_cast<QWidget*>(f.window->startPage()));

    // The title follows the current page.
    FakeReturnPage* page = openPage(f, "/r/Ann_Lee.r24");
    QCOMPARE(f.window->windowTitle(), QString("voDarevivo 2024 for DirErad - Testing - /r/Ann_Lee.r24"));
    QCOMPARE(result->text(), page->status);
    f.action("actionWelcome")->trigger();
    QVERIFY(f.window->windowTitle().endsWith(" - Release date: 2024-12-13"));
    QVERIFY(result->text().isEmpty());
}

void TestMainWindow::menuBarOrder()
{
    WindowFixture f;
    QStringList titles;
    for (QAction* action : f.window->menuBar()->actions())
        titles << shownText(action->text());
    QCOMPARE(titles, (QStringList{"Start", "Slips/Notes", "Forms", "View", "Windows", "Planning/Optimize",
                                  "Filing/Print", "Help"}));
}

// Alt and a letter open each menu of the bar, and within a menu no two
// entries answer to the same letter.
void TestMainWindow::menusHaveMnemonics()
{
    WindowFixture f;
    const auto mnemonicOf = [](const QString& text) {
        const int at = text.indexOf(QLatin1Char('&'));
        return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
    };
    QString barLetters;
    for (QAction* menuAction : f.window->menuBar()->actions()) {
        const QChar letter = mnemonicOf(menuAction->text());
        QVERIFY2(!letter.isNull(), qPrintable(menuAction->text()));
        QVERIFY2(!barLetters.contains(letter), qPrintable(menuAction->text()));
        barLetters += letter;
        QString entryLetters;
        int marked = 0;
        for (QAction* entry : menuAction->menu()->actions()) {
            const QChar entryLetter = entry->isSeparator() ? QChar() : mnemonicOf(entry->text());
            if (entryLetter.isNull())
                continue;
            ++marked;
            QVERIFY2(!entryLetters.contains(entryLetter), qPrintable(entry->text()));
            entryLetters += entryLetter;
        }
        QVERIFY2(marked > 0, qPrintable(menuAction->text()));
    }
    QCOMPARE(f.action("actionSave_Return")->text(), QStringLiteral("&Save Return"));
    QCOMPARE(f.action("actionSave_Return_As")->text(), QStringLiteral("Save &Return As"));
}

void TestMainWindow::menuEntries_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("Start") << "menuvoDarevivo"
                           << QStringList{"actionNew|New Return",
                                          "actionOpen_File|Open Return",
                                          "actionImport_Prior_Year_s_Return|Import Prior Year's Return",
                                          "actionSave_Return|Save Return",
                                          "actionSave_Return_As|Save Return As",
                                          "actionFind_Return_Files|Find Return Files",
                                          "actionClose_Return|Close Return",
                                          "-",
                                          "actionPreference|Preference",
                                          "-",
                                          "actionSet_Return_for_ReFile|Set Return for ReFile",
                                          "actionUn_set_Return_for_ReFile|Un-set Return for ReFile",
                                          "-",
                                          "actionAuto_Fill_AFR|Auto-Fill (AFR)",
                                          "actionExpress_NOA|Express NOA",
                                          "-",
                                          "actionChange_Tax_Province|Change Tax Province",
                                          "actionCouple_Returns_2to1|Couple Returns (2to1)",
                                          "actionDe_Couple_Return_1to2|De-Couple Return",
                                          "-",
                                          "actionQuit|Quit"};
    QTest::newRow("Slips/Notes")
        << "menuSlips"
        << QStringList{"actionRemove_Selected_Slip|Remove Selected Tax Slip/Note",
                       "-",
                       "actionShare_slip_with_spouse|Share slip with spouse",
                       "actionUn_share_slip_with_spouse|Un-share slip with spouse",
                       "-",
                       "actionAdd_a_tax_note|Add a tax note",
                       "actionSlip_summary|Slip Summary",
                       "-",
                       "actionAdd_PRPP_slip|Add PRPP slip",
                       "actionAdd_RC62_slip|Add RC62 slip",
                       "actionAdd_RC210_slip|Add RC210 slip",
                       "actionAdd_Manitoba_shelter_benefit_slip|Add Manitoba shelter benefit slip",
                       "-",
                       "actionAdd_T3_slip|Add T3 slip",
                       "actionAdd_T4_slip|Add T4 slip",
                       "actionAdd_T4A_slip|Add T4A slip",
                       "actionAdd_T4A_OAS_slip|Add T4A(OAS) slip",
                       "actionAdd_T4A_P_slip|Add T4A(P) slip",
                       "actionAdd_T4A_RCA_slip|Add T4A-RCA slip",
                       "actionAdd_T4E_slip|Add T4E slip",
                       "actionAdd_T4FHSA_slip|Add T4FHSA slip",
                       "actionAdd_T4PS_slip|Add T4PS slip",
                       "actionAdd_T4RIF_slip|Add T4RIF slip",
                       "actionAdd_T4RSP_slip|Add T4RSP slip",
                       "actionAdd_T5_slip|Add T5 slip",
                       "actionAdd_T1204_slip|Add T1204 slip",
                       "actionAdd_T2202_slip|Add T2202 slip",
                       "actionAdd_T5003_slip|Add T5003 slip",
                       "actionAdd_T5006_slip|Add T5006 slip",
                       "actionAdd_T5007|Add T5007",
                       "actionAdd_T5008_slip|Add T5008 slip",
                       "actionAdd_T5013_slip|Add T5013 slip",
                       "actionAdd_NR4_slip|Add NR4 slip"};
    QTest::newRow("Forms") << "menuForms"
                           << QStringList{"actionRemove_Selected_Form_Schedule|Remove Selected Form/Schedule",
                                          "actionAdd_a_Tax_Form|Add a Tax Form ...",
                                          "actionArrange_Order_of_Tax_Forms|Arrange Order of Tax Forms ...",
                                          "-",
                                          "actionShare_Form_to_Spouse|Share form to spouse's return",
                                          "actionUn_share_form_with_spouse|Un-share form with spouse's return"};
    QTest::newRow("View") << "menuView"
                          << QStringList{"actionBackground_Color|Background Color ...",
                                         "actionSmall|Make Font Smaller", "actionLarge|Make Font Larger", "-",
                                         "actionMaximize_View|Maximize View"};
    QTest::newRow("Planning/Optimize") << "menuPlanning_Optimize"
                                       << QStringList{"actionTax_Planning|Tax Planning", "actionOptimize|Optimize"};
    // Edition 2: no E-Auth and no PAD.
    QTest::newRow("Filing/Print") << "menuFiling_Print"
                                  << QStringList{"actionValidate_Return|Validate Return",
                                                 "actionInternetFiling|DirErad to CRA",
                                                 "actionFind_Returns_Not_Filed_Online|Find Returns Not-Filed-Online",
                                                 "actionGenerate_Print_pdf_Files|Generate Print (.pdf) Files",
                                                 "-",
                                                 "actionFile_T1135_Online|File T1135 Online",
                                                 "-",
                                                 "actionSend_T183_for_E_Signature|Send T183 for E-Signature",
                                                 "actionSend_E_Auth_for_E_Signature|Send E-Auth for E-Signature"};
    QTest::newRow("Help") << "menuHelp"
                          << QStringList{"actionFind_Industry_Code|Find Industry Code",
                                         "actionDirect_deposit_form|Direct deposit form",
                                         "actionSend_Return_File_to_Brannock|Send Return File to voDarevivo",
                                         "-",
                                         "actionAbout_Brannock|About voDarevivo",
                                         "actionUpdate_voDarevivo|Update voDarevivo"};
}

void TestMainWindow::menuEntries()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, entries);
    WindowFixture f;
    auto* found = f.window->findChild<QMenu*>(menu);
    QVERIFY(found);
    QCOMPARE(entriesOf(found), entries);
    // Only the standard desktop commands have keys; every other entry has none.
    static const QHash<QString, QString> standardKeys = {
        {"actionNew", "Ctrl+N"},          {"actionOpen_File", "Ctrl+O"}, {"actionSave_Return", "Ctrl+S"},
        {"actionSave_Return_As", "Ctrl+Shift+S"}, {"actionClose_Return", "Ctrl+W"}, {"actionQuit", "Ctrl+Q"},
        {"actionAbout_Brannock", "F1"}};
    for (QAction* action : found->actions()) {
        QCOMPARE(action->shortcut().toString(QKeySequence::PortableText), standardKeys.value(action->objectName()));
        QVERIFY(!action->isCheckable());
    }
}

void TestMainWindow::efileEditionKeepsEfileItems()
{
    WindowFixture f(QByteArray(), 1);
    const QStringList filing = entriesOf(f.window->widgets()->menuFiling_Print);
    QCOMPARE(filing.at(1), QString("actionInternetFiling|EFile to CRA"));
    QVERIFY(filing.contains("actionSubmit_E_Auth_former_T1013|EFile E-Auth (former T1013)"));
    QVERIFY(filing.contains("actionSubmit_PAD_Pre_authorized_Debit|EFile PAD (Pre-authorized Debit)"));
    QCOMPARE(f.action("actionInternetFiling")->iconText(), QString("EFile Return"));
    openPage(f);
    QVERIFY(!f.action("actionSubmit_E_Auth_former_T1013")->isEnabled());
    QVERIFY(!f.action("actionSubmit_PAD_Pre_authorized_Debit")->isEnabled());
}

void TestMainWindow::standardShortcuts_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("keys");
    QTest::newRow("new") << "actionNew" << "Ctrl+N";
    QTest::newRow("open") << "actionOpen_File" << "Ctrl+O";
    QTest::newRow("save") << "actionSave_Return" << "Ctrl+S";
    QTest::newRow("save as") << "actionSave_Return_As" << "Ctrl+Shift+S";
    QTest::newRow("close") << "actionClose_Return" << "Ctrl+W";
    QTest::newRow("quit") << "actionQuit" << "Ctrl+Q";
    QTest::newRow("help") << "actionAbout_Brannock" << "F1";
}

void TestMainWindow::standardShortcuts()
{
    QFETCH(QString, action);
    QFETCH(QString, keys);
    WindowFixture f;
    auto* found = f.window->findChild<QAction*>(action);
    QVERIFY(found);
    QCOMPARE(found->shortcut().toString(QKeySequence::PortableText), keys);
    // No two commands answer to the same keys.
    int holders = 0;
    for (QAction* other : f.window->findChildren<QAction*>())
        holders += other->shortcut() == found->shortcut() ? 1 : 0;
    QCOMPARE(holders, 1);
}

void TestMainWindow::toolBar()
{
    WindowFixture f;
    auto* bar = f.window->findChild<QToolBar*>("toolBar");
    QVERIFY(bar);
    QStringList buttons;
    for (QAction* action : bar->actions()) {
        buttons << (action->isSeparator() ? QString("-") : action->objectName() + "|" + action->iconText());
        if (!action->isSeparator())
            QVERIFY2(!action->icon().pixmap(32, 32).isNull(), qPrintable(action->objectName()));
    }
    QCOMPARE(buttons, (QStringList{"actionNew|&New", "actionOpen_File|&Open", "actionImport_Prior_Year_s_Return|&Import",
                                   "actionFind_Return_Files|&Find Return", "actionSave_Return|&Save",
                                   "actionClose_Return|&Close", "actionMaximize_View|&Toggle", "actionOptimize|&Optimize",
                                   "-", "actionAdd_a_Tax_Form|+&Form", "actionValidate_Return|&Validate",
                                   "actionInternetFiling|DirErad Return", "actionGenerate_Print_pdf_Files|Generate &Print",
                                   "-", "actionPreference|&Preference", "actionAbout_Brannock|&About"}));
    QCOMPARE(f.window->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
}

void TestMainWindow::enabledStates_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("onStartPage");
    QTest::addColumn<bool>("withReturn");
    const struct { const char* name; bool start; bool ret; } rows[] = {
        {"actionSave_Return", false, true},
        {"actionValidate_Return", false, true},
        {"actionFile_T1135_Online", false, true},
        {"actionFind_Returns_Not_Filed_Online", true, true},
        {"actionClose_Return", false, true},
        {"actionSave_Return_As", false, true},
        {"actionUn_share_slip_with_spouse", false, true},
        {"actionAdd_T4A_slip", false, true},
        {"actionChange_Tax_Province", false, true},
        {"actionSlip_summary", false, true},
        {"actionMaximize_View", false, true},
        {"actionSend_Return_File_to_Brannock", false, true},
        {"actionAdd_T5008_slip", true, true},
        {"actionNew", true, true},
        {"actionOpen_File", true, true},
        {"actionPreference", true, true},
        {"actionAuto_Fill_AFR", true, true},
        {"actionLarge", true, true},
        {"actionWelcome", true, true},
        {"actionQuit", true, true},
        {"actionAbout_Brannock", true, true},
        {"actionSend_T183_for_E_Signature", false, false},
        {"actionSend_E_Auth_for_E_Signature", false, false},
    };
    for (const auto& row : rows)
        QTest::newRow(row.name) << QString(row.name) << row.start << row.ret;
}

void TestMainWindow::enabledStates()
{
    QFETCH(QString, action);
    QFETCH(bool, onStartPage);
    QFETCH(bool, withReturn);
    WindowFixture f;
    QAction* a = f.window->widgets()->action(action);
    QVERIFY(a);
    QCOMPARE(a->isEnabled(), onStartPage);
    openPage(f);
    QCOMPARE(a->isEnabled(), withReturn);
    // With the return still open but the start page current, the state is
    // the start page's again.
    f.action("actionWelcome")->trigger();
    QCOMPARE(f.window->openReturnCount(), 1);
    QCOMPARE(a->isEnabled(), onStartPage);
}

void TestMainWindow::helpMenuEnd_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QString>("last");
    QTest::newRow("plain") << QByteArray() << "Update voDarevivo";
    QTest::newRow("EnableGenPrint") << QByteArray("EnableGenPrint=1\n") << "Generate Print Files";
}

void TestMainWindow::helpMenuEnd()
{
    QFETCH(QByteArray, config);
    QFETCH(QString, last);
    WindowFixture f(config);
    const QList<QAction*> actions = f.window->widgets()->menuHelp->actions();
    QCOMPARE(shownText(actions.last()->text()), last);
    if (last == "Generate Print Files") {
        // It asks on the start page too; No goes to the export of the print
        // engine's tables, which tells the user nothing.
        f.prompter->queueYes(false);
        actions.last()->trigger();
        QCOMPARE(f.promptTexts(), (QStringList{"Creat test data file?"}));
    }
}

void TestMainWindow::atMostTwoReturns()
{
    WindowFixture f;
    QVERIFY(f.window->canOpenMoreReturn());
    openPage(f);
    QVERIFY(f.window->canOpenMoreReturn());
    openPage(f);
    QVERIFY(f.prompter->records().isEmpty());
    QVERIFY(!f.window->canOpenMoreReturn());
    QCOMPARE(f.promptTexts(), QStringList{"Maximum number of returns are opened already. Please click 'Close' "
                                          "button on top to close a return first!"});
    // New and Open go no further than the limit's message.
    f.prompter->clear();
    f.action("actionNew")->trigger();
    f.action("actionOpen_File")->trigger();
    QCOMPARE(f.prompter->records().size(), 2);
    for (const PromptRecord& record : f.prompter->records())
        QCOMPARE(record.kind, PromptKind::MessageBox);
    // Find Return Files has its own message.
    f.prompter->clear();
    f.action("actionFind_Return_Files")->trigger();
    QCOMPARE(f.promptTexts(), QStringList{"Please close a return file to proceed!"});
}

void TestMainWindow::returnNumbersReuseTheLowestFree()
{
    WindowFixture f;
    FakeReturnPage* first = openPage(f, "/r/a.r24");
    openPage(f, "/r/b.r24");
    QCOMPARE(entriesOf(f.window->widgets()->menuWindows),
             (QStringList{"actionWelcome|Welcome", "|Return 1 - /r/a.r24", "|Return 2 - /r/b.r24"}));
    f.window->showReturnPage(first);
    f.action("actionClose_Return")->trigger();
    QCOMPARE(f.window->openReturnCount(), 1);
    QCOMPARE(f.window->nextReturnNumber(), 1);
    openPage(f, "/r/c.r24");
    QCOMPARE(entriesOf(f.window->widgets()->menuWindows),
             (QStringList{"actionWelcome|Welcome", "|Return 2 - /r/b.r24", "|Return 1 - /r/c.r24"}));
}

void TestMainWindow::windowsMenuSwitchesPages()
{
    WindowFixture f;
    FakeReturnPage* a = openPage(f, "/r/a.r24");
    FakeReturnPage* b = openPage(f, "/r/b.r24");
    QStackedWidget* stack = f.window->widgets()->stackedWidget;
    QCOMPARE(stack->currentWidget(), static_cast<QWidget*>(b));
    f.window->showReturnAction(a)->trigger();
    QCOMPARE(stack->currentWidget(), static_cast<QWidget*>(a));
    QVERIFY(f.window->windowTitle().endsWith(" - /r/a.r24"));
    // A page's new file shows in its entry.
    a->setFilePath("/r/new.r24");
    f.window->refreshReturnEntry(a);
    QCOMPARE(f.window->showReturnAction(a)->text(), QString("Return 1 - /r/new.r24"));
    // Closing the current one of two shows the other; closing the last shows the start page.
    f.action("actionClose_Return")->trigger();
    QCOMPARE(stack->currentWidget(), static_cast<QWidget*>(b));
    f.action("actionClose_Return")->trigger();
    QCOMPARE(stack->currentWidget(), static_cast<QWidget*>(f.window->startPage()));
    QCOMPARE(entriesOf(f.window->widgets()->menuWindows), QStringList{"actionWelcome|Welcome"});
}

void TestMainWindow::closeReturnAsksWhenChanged_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::newRow("Save") << int(Prompt::Save) << true;
    QTest::newRow("Discard") << int(Prompt::Discard) << true;
    QTest::newRow("Cancel") << int(Prompt::Cancel) << false;
}

void TestMainWindow::closeReturnAsksWhenChanged()
{
    QFETCH(int, answer);
    QFETCH(bool, closed);
    WindowFixture f;
    FakeReturnPage* page = openPage(f, "/r/a.r24");
    page->changed = true;
    f.prompter->queueButton(Prompt::StandardButton(answer));
    f.action("actionClose_Return")->trigger();
    QCOMPARE(f.prompter->records().size(), 1);
    QCOMPARE(f.window->openReturnCount(), closed ? 0 : 1);
    if (!closed) {
        // The visible form page was stored before the question.
        QCOMPARE(page->calls.mid(page->calls.indexOf("save")), (QStringList{"save", "close?"}));
        QCOMPARE(f.window->currentReturnPage(), static_cast<ReturnPageInterface*>(page));
    }
}

void TestMainWindow::quitWithChangedReturnAsks()
{
    WindowFixture f;
    FakeReturnPage* page = openPage(f, "/r/a.r24");
    page->changed = true;
    bool quitting = false;
    connect(f.app, &QCoreApplication::aboutToQuit, [&quitting]() { quitting = true; });

    f.prompter->queueButton(Prompt::Cancel);
    f.action("actionQuit")->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(f.promptTexts(),
             QStringList{"This return has changes that are not saved.\n\nDo you want to save them before closing?"});
    QVERIFY(f.window->isVisible());
    QVERIFY(!quitting);
    QCOMPARE(f.window->openReturnCount(), 1);

    // Discard: the return is closed without saving and the window closes.
    f.prompter->queueButton(Prompt::Discard);
    f.action("actionQuit")->trigger();
    QVERIFY(!f.window->isVisible());
    QCOMPARE(f.window->openReturnCount(), 0);
}

void TestMainWindow::closeShowsEachChangedReturnInTurn()
{
    WindowFixture f;
    FakeReturnPage* a = openPage(f, "/r/a.r24");
    FakeReturnPage* b = openPage(f, "/r/b.r24");
    a->changed = true;
    b->changed = true;
    // The start page is current: the changed returns are shown one by one.
    f.action("actionWelcome")->trigger();
    f.prompter->queueButton(Prompt::Save);
    f.prompter->queueButton(Prompt::Cancel);
    QVERIFY(!f.window->close());
    QCOMPARE(f.prompter->records().size(), 2);
    QVERIFY(f.window->isVisible());
    // The first was saved and closed; the second stays open and current.
    QCOMPARE(f.window->openReturnCount(), 1);
    QCOMPARE(f.window->currentReturnPage(), static_cast<ReturnPageInterface*>(b));
    QVERIFY(f.window->windowTitle().endsWith(" - /r/b.r24"));
    QVERIFY(b->changed);
}

void TestMainWindow::closeWithUnchangedReturnsEnds()
{
    WindowFixture f;
    FakeReturnPage* a = openPage(f, "/r/a.r24");
    QVERIFY(f.window->close());
    QVERIFY(f.prompter->records().isEmpty());
    // What was typed on the visible page counted before deciding.
    QVERIFY(a->calls.contains("save"));
}

void TestMainWindow::closeAsksAboutReturnNeverSaved_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("chooseFile");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("written");
    QTest::newRow("Cancel keeps the page") << int(Prompt::Cancel) << false << false << false;
    QTest::newRow("Discard closes unsaved") << int(Prompt::Discard) << false << true << false;
    QTest::newRow("Save asks for a file and writes it") << int(Prompt::Save) << true << true << true;
    QTest::newRow("Save with no file chosen keeps the page") << int(Prompt::Save) << false << false << false;
}

void TestMainWindow::closeAsksAboutReturnNeverSaved()
{
    QFETCH(int, answer);
    QFETCH(bool, chooseFile);
    QFETCH(bool, closed);
    QFETCH(bool, written);
    WindowFixture f;
    // A new return just made by the wizard: no file, nothing changed since.
    Form_Return* page = returnpage::present(f, returnpage::newFamily(returnpage::singleRecord()));
    QVERIFY(page && !page->isChanged() && !page->hasFileToSave());
    const QString file = f.home.path() + "/Ann_Lee.r24";
    f.prompter->queueButton(Prompt::StandardButton(answer));
    if (answer == Prompt::Save)
        chooseFile ? f.prompter->queueFile(file) : f.prompter->queueCancel();
    f.action("actionClose_Return")->trigger();

    const PromptRecord& question = f.prompter->records().front();
    QCOMPARE(question.texts.join("\n"),
             QString("This return has never been saved.\n\nDo you want to save it before closing?"));
    QCOMPARE(question.buttons, Prompt::StandardButtons(Prompt::Save | Prompt::Discard | Prompt::Cancel));
    if (answer == Prompt::Cancel)
        QVERIFY(promptpicture::keep(question, "save-questions", "close-never-saved"));
    if (answer == Prompt::Save) {
        // Save goes to Save As: the file chooser of the Save command.
        QCOMPARE(f.prompter->records().size(), 2);
        QCOMPARE(f.prompter->records().at(1).kind, PromptKind::SaveFile);
        QCOMPARE(f.prompter->records().at(1).title, QString("Save Return File"));
    } else {
        QCOMPARE(f.prompter->records().size(), 1);
    }
    QCOMPARE(f.prompter->pendingAnswers(), 0);
    QCOMPARE(f.window->openReturnCount(), closed ? 0 : 1);
    if (!closed)
        QCOMPARE(f.window->currentReturnPage(), static_cast<ReturnPageInterface*>(page));
    QCOMPARE(QFileInfo::exists(file), written);
    if (written) {
        // What was written is the return: it opens again with its taxpayer.
        f.window->openReturnFile(file);
        auto* reopened = dynamic_cast<Form_Return*>(f.window->currentReturnPage());
        QVERIFY(reopened);
        QCOMPARE(QString(reopened->familyData()->getTaxpayer()->GetFirstName()), QString("Ann"));
    }
}

void TestMainWindow::fontSizeFromSetting_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<int>("size");
    QTest::newRow("5") << "5" << 12;
    QTest::newRow("6") << "6" << 6;
    QTest::newRow("14") << "14" << 14;
    QTest::newRow("20") << "20" << 20;
    QTest::newRow("21") << "21" << 12;
    QTest::newRow("letters") << "abc" << 12;
    QTest::newRow("empty") << "" << 12;
    QTest::newRow("negative") << "-8" << 12;
}

void TestMainWindow::fontSizeFromSetting()
{
    QFETCH(QString, setting);
    QFETCH(int, size);
    QCOMPARE(MainWindow::fontSizeFromSetting(setting), size);
}

void TestMainWindow::fontSizeStaysInRange()
{
    WindowFixture f(QByteArray(), 0, [](TabWndApp* app) { app->m_config.FontSize = "18"; });
    QCOMPARE(f.window->fontSize(), 18);
    FakeReturnPage* page = openPage(f);
    f.action("actionLarge")->trigger();
    QCOMPARE(f.window->fontSize(), 20);
    QCOMPARE(QString(f.app->m_config.FontSize), QString("20"));
    // The visible page is stored before it is rebuilt.
    QCOMPARE(page->calls, (QStringList{"save", "font 20"}));
    f.action("actionLarge")->trigger();
    QCOMPARE(f.window->fontSize(), 20);
    QCOMPARE(QString(f.app->m_config.FontSize), QString("20"));
    QCOMPARE(page->calls.size(), 2);

    for (int i = 0; i < 10; ++i)
        f.action("actionSmall")->trigger();
    QCOMPARE(f.window->fontSize(), 6);
    QCOMPARE(QString(f.app->m_config.FontSize), QString("6"));
    QCOMPARE(page->calls.last(), QString("font 6"));
}

void TestMainWindow::backgroundColour()
{
    WindowFixture f;
    QColor next;
    f.window->setColorChooser([&next]() { return next; });
    const QString before = f.app->m_config.BKColor;
    f.action("actionBackground_Color")->trigger(); // cancelled
    QCOMPARE(QString(f.app->m_config.BKColor), before);

    FakeReturnPage* page = openPage(f);
    next = QColor(0x12, 0xAB, 0xEF);
    f.action("actionBackground_Color")->trigger();
    QCOMPARE(QString(f.app->m_config.BKColor), QString("#12abef"));
    QCOMPARE(page->calls, (QStringList{"save", "refreshView"}));
}

void TestMainWindow::maximizeViewToggles()
{
    WindowFixture f;
    openPage(f);
    QAction* view = f.action("actionMaximize_View");
    view->trigger();
    QCOMPARE(view->text(), QString("Restore View"));
    view->trigger();
    QCOMPARE(view->text(), QString("Maximize View"));
}

void TestMainWindow::routing_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("call");
    const struct { const char* action; const char* call; } rows[] = {
        {"actionRemove_Selected_Slip", "removeSelected"},
        {"actionRemove_Selected_Form_Schedule", "removeSelected"},
        {"actionShare_slip_with_spouse", "shareSelectedSlip"},
        {"actionUn_share_slip_with_spouse", "unshareSelectedSlip"},
        {"actionShare_Form_to_Spouse", "shareSelectedForm"},
        {"actionUn_share_form_with_spouse", "unshareSelectedForm"},
        {"actionAdd_a_tax_note", "addTaxNote"},
        {"actionSlip_summary", "getSlipSummary"},
        {"actionAdd_a_Tax_Form", "addTaxForm"},
        {"actionArrange_Order_of_Tax_Forms", "changeFormsOrder"},
        {"actionChange_Tax_Province", "taxReturnChangeProvince"},
        {"actionDe_Couple_Return_1to2", "deCoupleReturn"},
        {"actionOptimize", "optimizeReturn"},
        {"actionTax_Planning", "taxPlanning"},
        {"actionValidate_Return", "ValidateTaxReturn 2 1 0"},
        {"actionUn_set_Return_for_ReFile", "UnsetReFile"},
        {"actionInternetFiling", "OnFileCreateElectronFile"},
        {"actionFile_T1135_Online", "OnFileT1135"},
        {"actionSet_Return_for_ReFile", "OnPrepareReFile"},
        {"actionGenerate_Print_pdf_Files", "OnFileCreatePdfFile"},
        {"actionAdd_T4_slip", "addTaxSlip 1"},
        {"actionAdd_T4A_slip", "addTaxSlip 2"},
        {"actionAdd_T4A_P_slip", "addTaxSlip 3"},
        {"actionAdd_T4RSP_slip", "addTaxSlip 4"},
        {"actionAdd_T4E_slip", "addTaxSlip 5"},
        {"actionAdd_T4A_OAS_slip", "addTaxSlip 6"},
        {"actionAdd_T4RIF_slip", "addTaxSlip 7"},
        {"actionAdd_T5_slip", "addTaxSlip 8"},
        {"actionAdd_T3_slip", "addTaxSlip 9"},
        {"actionAdd_T5003_slip", "addTaxSlip 10"},
        {"actionAdd_T5007", "addTaxSlip 11"},
        {"actionAdd_T5013_slip", "addTaxSlip 13"},
        {"actionAdd_T4PS_slip", "addTaxSlip 14"},
        {"actionAdd_T4A_RCA_slip", "addTaxSlip 15"},
        {"actionAdd_T5006_slip", "addTaxSlip 16"},
        {"actionAdd_RC62_slip", "addTaxSlip 17"},
        {"actionAdd_RC210_slip", "addTaxSlip 18"},
        {"actionAdd_Manitoba_shelter_benefit_slip", "addTaxSlip 21"},
        {"actionAdd_PRPP_slip", "addTaxSlip 22"},
        {"actionAdd_T1204_slip", "addTaxSlip 23"},
        {"actionAdd_NR4_slip", "addTaxSlip 24"},
        {"actionAdd_T2202_slip", "addTaxSlip 25"},
        {"actionAdd_T4FHSA_slip", "addTaxSlip 26"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.action) << QString(row.action) << QString(row.call);
}

void TestMainWindow::routing()
{
    QFETCH(QString, action);
    QFETCH(QString, call);
    WindowFixture f;
    FakeReturnPage* page = openPage(f, "/r/a.r24");
    page->calls.clear();
    f.window->widgets()->action(action)->trigger();
    // The visible form page is stored first, then the one operation runs.
    QCOMPARE(page->calls, (QStringList{"save", call}));
    QVERIFY(f.prompter->records().isEmpty());
}

void TestMainWindow::commandsDoNothingOnStartPage()
{
    WindowFixture f;
    FakeReturnPage* page = openPage(f);
    f.action("actionWelcome")->trigger();
    page->calls.clear();
    // The slots themselves (the actions are disabled here) find no return.
    for (const char* slot : {"on_actionUn_share_slip_with_spouse_triggered", "on_actionValidate_Return_triggered",
                             "on_actionAdd_T4_slip_triggered", "on_actionMaximize_View_triggered",
                             "actionSaveReturn", "actionCloseReturn", "on_actionGenerate_Print_pdf_Files_triggered"})
        QVERIFY(QMetaObject::invokeMethod(f.window, slot));
    QVERIFY(page->calls.isEmpty());
    QVERIFY(f.prompter->records().isEmpty());
    QCOMPARE(f.window->openReturnCount(), 1);
}

void TestMainWindow::agencyCommandsOpenTheStoredRecords_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("title");
    QTest::newRow("auto-fill") << "on_actionAuto_Fill_AFR_triggered" << "Auto Fill Tax Data";
    QTest::newRow("express NOA") << "on_actionExpress_NOA_triggered" << "Express Notice of Assessment";
}

void TestMainWindow::agencyCommandsOpenTheStoredRecords()
{
    QFETCH(QString, slot);
    QFETCH(QString, title);
    WindowFixture f;
    QString shown;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            shown = dialog->windowTitle();
            dialog->close();
        }
    });
    timer.start(50);
    QVERIFY(QMetaObject::invokeMethod(f.window, qPrintable(slot)));
    QCOMPARE(shown, title);
    QVERIFY(f.prompter->records().isEmpty());
}


void TestMainWindow::pdfFolderCheck()
{
    WindowFixture f;
    // A PDF folder below a plain file cannot be made.
    QFile blocker(f.home.filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    f.app->m_config.RetPdfPath = f.home.filePath("blocker/pdf");
    f.app->refreshFeatureSettings();
    FakeReturnPage* page = openPage(f);
    page->calls.clear();
    f.action("actionGenerate_Print_pdf_Files")->trigger();
    QCOMPARE(f.promptTexts(),
             QStringList{"voDarevivo cannot open or create the file folder for printable tax form (.pdf) file."});
    QCOMPARE(page->calls, QStringList{"save"});
}

void TestMainWindow::contextMenus_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("slips") << 0
                           << QStringList{"Add T3 slip", "Add T4 slip", "Add T4A slip", "Add T4A(P) slip",
                                          "Add T4A(OAS) slip", "Add T4A-RCA slip", "Add T4E slip", "Add T4FHSA slip",
                                          "Add T4PS slip", "Add T4RIF slip", "Add T4RSP slip", "Add T5 slip",
                                          "Add T5003 slip", "Add T5006 slip", "Add T5007", "Add T5008 slip",
                                          "Add T5013 slip", "Add RC62 slip", "Add RC210 slip", "Add NR4 slip",
                                          "Add PRPP slip", "Add T1204 slip", "Add T2202 slip",
                                          "Add Manitoba shelter benefit slip"};
    QTest::newRow("slip") << 1
                          << QStringList{"Remove Selected Tax Slip/Note", "Share slip with spouse",
                                         "Un-share slip with spouse"};
    QTest::newRow("forms") << 10 << QStringList{"Add a Tax Form ..."};
    QTest::newRow("form") << 11
                          << QStringList{"Remove Selected Form/Schedule", "Share form to spouse's return",
                                         "Un-share form with spouse's return"};
    QTest::newRow("notes") << 20 << QStringList{"Add a tax note"};
    QTest::newRow("note") << 21 << QStringList{"Remove Selected Tax Slip/Note"};
    QTest::newRow("2") << 2 << QStringList();
    QTest::newRow("12") << 12 << QStringList();
    QTest::newRow("22") << 22 << QStringList();
}

void TestMainWindow::contextMenus()
{
    QFETCH(int, type);
    QFETCH(QStringList, texts);
    WindowFixture f;
    QMenu menu;
    f.window->setupContextMenu(type, &menu);
    QStringList shown;
    for (QAction* action : menu.actions())
        shown << shownText(action->text());
    QCOMPARE(shown, texts);
}

void TestMainWindow::contextMenusOfferWhatApplies_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("coupled");
    QTest::addColumn<int>("province");
    QTest::addColumn<bool>("sharable");
    QTest::addColumn<bool>("shared");
    QTest::addColumn<QStringList>("texts");
    const QString remove = "Remove Selected Tax Slip/Note";
    QTest::newRow("slip of a single return") << 1 << false << 9 << true << false << QStringList{remove};
    QTest::newRow("joint slip of a couple")
        << 1 << true << 9 << true << false << QStringList{remove, "Share slip with spouse"};
    QTest::newRow("shared slip") << 1 << true << 9 << true << true << QStringList{remove, "Un-share slip with spouse"};
    QTest::newRow("slip that is never shared") << 1 << true << 9 << false << false << QStringList{remove};
    QTest::newRow("shared form")
        << 11 << true << 9 << true << true
        << QStringList{"Remove Selected Form/Schedule", "Un-share form with spouse's return"};
    QTest::newRow("form of a single return")
        << 11 << false << 9 << true << false << QStringList{"Remove Selected Form/Schedule"};
}

// The tree's menus offer only what applies: sharing inside a couple, the
// undo of a share only on a shared item, and no other province's slips.
void TestMainWindow::contextMenusOfferWhatApplies()
{
    QFETCH(int, type);
    QFETCH(bool, coupled);
    QFETCH(int, province);
    QFETCH(bool, sharable);
    QFETCH(bool, shared);
    QFETCH(QStringList, texts);
    WindowFixture f;
    FakeReturnPage* page = openPage(f);
    page->facts.coupled = coupled;
    page->facts.province = province;
    page->facts.itemSharable = sharable;
    page->facts.itemShared = shared;
    QMenu menu;
    f.window->setupContextMenu(type, &menu);
    QStringList shown;
    for (QAction* action : menu.actions())
        shown << shownText(action->text());
    QCOMPARE(shown, texts);
}

// The Manitoba shelter benefit slip is offered to Manitoba residents only.
void TestMainWindow::slipBranchOffersOnlyTheProvincesSlips()
{
    const QString manitoba = "Add Manitoba shelter benefit slip";
    for (int province : {3 /* Manitoba */, 9 /* Ontario */}) {
        WindowFixture f;
        FakeReturnPage* page = openPage(f);
        page->facts.province = province;
        QMenu menu;
        f.window->setupContextMenu(0, &menu);
        QStringList shown;
        for (QAction* action : menu.actions())
            shown << shownText(action->text());
        QCOMPARE(shown.contains(manitoba), province == 3);
        QVERIFY(shown.contains("Add T4 slip"));
    }
}

QTEST_APPLESS_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
