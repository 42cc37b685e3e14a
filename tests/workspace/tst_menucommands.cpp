#include <QtTest>

#include "common/modalsteps.h"
#include "fakereturnpage.h"
#include "windowfixture.h"
#include "workspace/actionshowreturn.h"
#include "workspace/commandregistry.h"
#include "workspace/windowcommands.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

QString shownText(const QString& text)
{
    QString plain = text;
    return plain.remove(QLatin1Char('&'));
}

QStringList windowMenuNames()
{
    QStringList names;
    for (const Ui_MainWindow::MenuInfo& menu : Ui_MainWindow::menus())
        names << QString::fromLatin1(menu.objectName);
    return names;
}

} // namespace

// The window's menus are made of the commands the features register: every
// row shown is a registered command (or an open return's Windows entry), with
// the command's text, menu and enable rule; the named slots run the same
// command once; a command no placement list names still shows, at the end of
// its menu. A picture of each menu, with and without a return page, is kept.
class TestMenuCommands : public QObject
{
    Q_OBJECT
private slots:
    void everyRowIsARegisteredCommand_data();
    void everyRowIsARegisteredCommand();
    void commandsArePublishedOnce();
    void namedSlotRunsTheCommandOnce_data();
    void namedSlotRunsTheCommandOnce();
    void unplacedCommandGoesAtTheEndOfItsMenu();
    void menuPictures();
};

void TestMenuCommands::everyRowIsARegisteredCommand_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<bool>("withReturn");
    QTest::addColumn<QStringList>("notShown");
    const QStringList efileForms{"actionSubmit_E_Auth_former_T1013", "actionSubmit_PAD_Pre_authorized_Debit"};
    QTest::newRow("start page") << QByteArray() << false << (QStringList{"actionGeneratePrintFiles"} + efileForms);
    QTest::newRow("return page") << QByteArray() << true << (QStringList{"actionGeneratePrintFiles"} + efileForms);
    QTest::newRow("print files enabled") << QByteArray("EnableGenPrint=1\n") << true << efileForms;
}

void TestMenuCommands::everyRowIsARegisteredCommand()
{
    QFETCH(QByteArray, config);
    QFETCH(bool, withReturn);
    QFETCH(QStringList, notShown);
    WindowFixture f(config);
    QVERIFY(f.ready);
    FakeReturnPage* page = nullptr;
    if (withReturn) {
        page = new FakeReturnPage(f.window->nextReturnNumber(), "/r/a.r24");
        f.window->presentReturnPage(page);
    }
    ReturnMenuFacts facts;
    facts.returnShown = withReturn;
    const CommandRegistry& registry = CommandRegistry::program();
    QStringList shown;
    for (QAction* bar : f.window->menuBar()->actions()) {
        QMenu* menu = bar->menu();
        QVERIFY(menu);
        for (QAction* row : menu->actions()) {
            if (row->isSeparator())
                continue;
            // The Windows menu lists the open returns, one entry a page.
            if (auto* entry = dynamic_cast<ActionShowReturn*>(row)) {
                QCOMPARE(menu, f.window->widgets()->menuWindows);
                QVERIFY(page && entry->page() == page);
                continue;
            }
            const FeatureCommand* command = registry.find(row->objectName());
            QVERIFY2(command, qPrintable(row->objectName()));
            QCOMPARE(menu->objectName(), QString::fromLatin1(command->menu));
            QCOMPARE(shownText(row->text()), QString::fromLatin1(command->text));
            QCOMPARE(row->isEnabled(), command->enabled(facts));
            QVERIFY2(!shown.contains(row->objectName()), qPrintable(row->objectName()));
            shown << row->objectName();
        }
    }
    // And every registered command is shown, but those this edition and
    // configuration leave out.
    QStringList missing;
    for (const FeatureCommand& command : registry.commands()) {
        if (!shown.contains(QString::fromLatin1(command.id)))
            missing << QString::fromLatin1(command.id);
    }
    QCOMPARE(missing, notShown);
}

void TestMenuCommands::commandsArePublishedOnce()
{
    const CommandRegistry& registry = CommandRegistry::program();
    QCOMPARE(registry.duplicateIds(), QStringList());
    const QStringList menus = windowMenuNames();
    for (const FeatureCommand& command : registry.commands()) {
        QVERIFY2(menus.contains(QString::fromLatin1(command.menu)), command.id);
        QVERIFY2(command.run && command.enabled && command.offered, command.id);
        QVERIFY2(QByteArray(command.text).size() > 0, command.id);
    }
}

void TestMenuCommands::namedSlotRunsTheCommandOnce_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("call");
    QTest::newRow("T1135") << "on_actionFile_T1135_Online_triggered" << "OnFileT1135";
    QTest::newRow("DIRERAD") << "on_actionInternetFiling_triggered" << "OnFileCreateElectronFile";
    QTest::newRow("print") << "on_actionGenerate_Print_pdf_Files_triggered" << "OnFileCreatePdfFile";
    QTest::newRow("validate") << "on_actionValidate_Return_triggered" << "ValidateTaxReturn 2 1 0";
    QTest::newRow("T4FHSA") << "onAddSlip_T4FHSA" << "addTaxSlip 26";
    QTest::newRow("note") << "onAdd_a_tax_note" << "addTaxNote";
}

// A slot named after its action is not also connected by its name: the
// command runs once, whether the slot or the action starts it.
void TestMenuCommands::namedSlotRunsTheCommandOnce()
{
    QFETCH(QString, slot);
    QFETCH(QString, call);
    WindowFixture f;
    auto* page = new FakeReturnPage(f.window->nextReturnNumber(), "/r/a.r24");
    f.window->presentReturnPage(page);
    page->calls.clear();
    QVERIFY(QMetaObject::invokeMethod(f.window, qPrintable(slot)));
    QCOMPARE(page->calls, (QStringList{"save", call}));
    page->calls.clear();
    const QString id = slot == "onAddSlip_T4FHSA"   ? QString("actionAdd_T4FHSA_slip")
                       : slot == "onAdd_a_tax_note" ? QString("actionAdd_a_tax_note")
                                                    : slot.mid(3).chopped(10);
    QVERIFY2(f.action(qPrintable(id)), qPrintable(id));
    f.action(qPrintable(id))->trigger();
    QCOMPARE(page->calls, (QStringList{"save", call}));
}

// Adding a command is one row in its feature's table: the window shows it at
// the end of the menu it names, with its text, shortcut and enable rule.
void TestMenuCommands::unplacedCommandGoesAtTheEndOfItsMenu()
{
    FeatureCommands extra = {
        {"actionCheck_Everything", "menuHelp", "Check Everything", "Ctrl+Shift+K", MenuRules::withReturn,
         MenuRules::always, true, false, [](FeatureContext&) {}},
        {"actionNowhere", "menuThatIsNot", "Nowhere", "", MenuRules::always, MenuRules::always, false, false,
         [](FeatureContext&) {}},
    };
    const CommandRegistry registry({windowCommands(), extra});
    WindowFixture f; // the application, which a window needs
    QMainWindow window;
    Ui_MainWindow ui;
    ui.setupUi(&window, &registry);

    QAction* last = ui.menuHelp->actions().last();
    QCOMPARE(last->objectName(), QString("actionCheck_Everything"));
    QCOMPARE(shownText(last->text()), QString("Check Everything"));
    QCOMPARE(last->shortcut(), QKeySequence("Ctrl+Shift+K"));
    QCOMPARE(ui.action("actionCheck_Everything"), last);
    const auto rule = std::find_if(ui.enableRules().begin(), ui.enableRules().end(),
                                   [last](const auto& entry) { return entry.first == last; });
    QVERIFY(rule != ui.enableRules().end());
    QVERIFY(rule->second == &MenuRules::withReturn);
    // A menu the window does not have shows nothing; nor does a placed id
    // that no feature registered.
    QVERIFY(!ui.action("actionNowhere"));
    QVERIFY(!ui.action("actionFile_T1135_Online"));
    QVERIFY(!ui.actionFile_T1135_Online);
    QVERIFY(ui.actionNew);
}

void TestMenuCommands::menuPictures()
{
    WindowFixture f;
    QVERIFY(f.exposed);
    for (const bool withReturn : {false, true}) {
        if (withReturn) {
            auto* page = new FakeReturnPage(f.window->nextReturnNumber(), "/r/a.r24");
            f.window->presentReturnPage(page);
        }
        for (QAction* entry : f.window->menuBar()->actions()) {
            QMenu* menu = entry->menu();
            QVERIFY(menu);
            menu->popup(f.window->mapToGlobal(QPoint(0, 0)));
            QVERIFY(QTest::qWaitForWindowExposed(menu));
            const QImage picture = menu->grab().toImage();
            menu->hide();
            QVERIFY(!picture.isNull());
            const QString name = QString("menus/%1-%2.png")
                                     .arg(menu->objectName(), withReturn ? "return" : "start");
            QDir().mkpath(QFileInfo(modalsteps::artefactPath(name)).absolutePath());
            QVERIFY(picture.save(modalsteps::artefactPath(name)));
        }
    }
}

QTEST_APPLESS_MAIN(TestMenuCommands)
#include "tst_menucommands.moc"
