#include <QtTest>

#include "model/returnfileloadcode.h"
#include "returnpagefixture.h"
#include "workspace/actionshowreturn.h"

#include <QStatusBar>

using namespace returnpage;

// Save Return and Save Return As on the real window: the file chooser, the
// file written, what the window shows afterwards, failures and the file of
// the other open return.
class TestSaveAs : public QObject
{
    Q_OBJECT
private slots:
    void saveUntitledAsksThenSavesWithoutAsking();
    void suffixAddedWhenMissing_data();
    void suffixAddedWhenMissing();
    void addedSuffixDoesNotReplaceWithoutAsking();
    void saveAsMovesToNewFileAndKeepsOldOne();
    void failedWriteKeepsReturnChanged_data();
    void failedWriteKeepsReturnChanged();
    void cancelledChooserWritesNothing_data();
    void cancelledChooserWritesNothing();
    void saveAsRefusesFileOfOtherPage();
    void savedReturnReopensUnchanged();

private:
    // Types support payments received (a T1 line only the user fills) on the
    // visible T1 page without finishing the edit: only the command's storing
    // of the page puts it in the return.
    static void typeIncome(Form_Return* page, const QString& amount);
    static double income(Form_Return* page);
    static QByteArray bytes(const QString& path);
    static bool hasRecentRow(WindowFixture& f, const QString& path);
    static QString titleFor(const QString& path);
    static int chooserCount(const WindowFixture& f);
};

void TestSaveAs::typeIncome(Form_Return* page, const QString& amount)
{
    QLineEdit* field = editor(page, "line12800SupportReceived");
    QVERIFY(field);
    field->setText(amount);
}

double TestSaveAs::income(Form_Return* page)
{
    return page->familyData()->getTaxpayer()->GetT1()->line12800SupportReceived.m_value;
}

QByteArray TestSaveAs::bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool TestSaveAs::hasRecentRow(WindowFixture& f, const QString& path)
{
    return f.app->m_dbManager.locateHistoryItemByFilepath(path) > 0;
}

QString TestSaveAs::titleFor(const QString& path)
{
    const QFileInfo info(path);
    return QDir::toNativeSeparators(info.absolutePath()) + QDir::separator() + info.fileName();
}

int TestSaveAs::chooserCount(const WindowFixture& f)
{
    int count = 0;
    for (const PromptRecord& record : f.prompter->records())
        count += record.kind == PromptKind::SaveFile ? 1 : 0;
    return count;
}

void TestSaveAs::saveUntitledAsksThenSavesWithoutAsking()
{
    WindowFixture f;
    QVERIFY(f.ready);
    Form_Return* page = present(f, newFamily(singleRecord()));
    QVERIFY(page);
    QVERIFY(f.action("actionSave_Return")->isEnabled());
    typeIncome(page, "31000");

    const QString path = f.home.filePath("Ann_Lee.r24");
    f.prompter->queueFile(path);
    f.action("actionSave_Return")->trigger();

    // The chooser proposes the taxpayer's names in the return folder.
    QCOMPARE(chooserCount(f), 1);
    const PromptRecord& chooser = f.prompter->records().first();
    QCOMPARE(chooser.title, QString("Save Return File"));
    QCOMPARE(chooser.texts, (QStringList{QString(f.app->m_config.RetPath) + f.app->m_strSeparator + "Ann_Lee.r24",
                                         "Return file (*.r24)"}));
    QVERIFY(!f.prompter->hadUnexpectedAnswer());

    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(income(page), 31000.0);
    QVERIFY(!page->isChanged());
    QCOMPARE(page->getTitle(), titleFor(path));
    QVERIFY(f.window->windowTitle().endsWith(" - " + titleFor(path)));
    QCOMPARE(f.window->showReturnAction(page)->text(), "Return 1 - " + titleFor(path));
    QCOMPARE(f.window->statusBar()->currentMessage(), QString("File saved"));
    QVERIFY(hasRecentRow(f, path));
    QCOMPARE(QString(f.app->m_strLastOpenPath), QFileInfo(path).canonicalPath());
    QCOMPARE(f.prompter->records().size(), 1);

    // The page now has its file: Save writes it again without asking.
    const QByteArray first = bytes(path);
    typeIncome(page, "45000");
    f.window->statusBar()->clearMessage();
    f.action("actionSave_Return")->trigger();
    QCOMPARE(f.prompter->records().size(), 1);
    QCOMPARE(f.window->statusBar()->currentMessage(), QString("File saved"));
    QVERIFY(bytes(path) != first);
    QCOMPARE(income(page), 45000.0);
    QVERIFY(!page->isChanged());
    QCOMPARE(page->getTitle(), titleFor(path));
}

void TestSaveAs::suffixAddedWhenMissing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("no suffix") << "mine" << "mine.r24";
    QTest::newRow("suffix") << "mine.r24" << "mine.r24";
    QTest::newRow("suffix in capitals") << "MINE.R24" << "MINE.R24";
    QTest::newRow("other suffix") << "mine.txt" << "mine.txt.r24";
    QTest::newRow("dotted name") << "a.b" << "a.b.r24";
}

void TestSaveAs::suffixAddedWhenMissing()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    f.prompter->queueFile(f.home.filePath(typed));
    f.action("actionSave_Return_As")->trigger();
    QVERIFY(QFileInfo::exists(f.home.filePath(written)));
    if (typed != written)
        QVERIFY(!QFileInfo::exists(f.home.filePath(typed)));
    QCOMPARE(page->getTitle(), titleFor(f.home.filePath(written)));
}

void TestSaveAs::addedSuffixDoesNotReplaceWithoutAsking()
{
    WindowFixture f;
    const QString existing = f.home.filePath("mine.r24");
    QFile file(existing);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("someone else's return");
    file.close();

    Form_Return* page = present(f, newFamily(singleRecord()));
    f.prompter->queueFile(f.home.filePath("mine"));
    f.prompter->queueYes(false);
    f.action("actionSave_Return")->trigger();
    QCOMPARE(f.promptTexts().last(), existing + " already exists.\nDo you want to replace it?");
    QCOMPARE(bytes(existing), QByteArray("someone else's return"));
    QVERIFY(!page->hasFileToSave());

    f.prompter->queueFile(f.home.filePath("mine"));
    f.prompter->queueYes(true);
    f.action("actionSave_Return")->trigger();
    QVERIFY(bytes(existing) != QByteArray("someone else's return"));
    QCOMPARE(page->getTitle(), titleFor(existing));
    QCOMPARE(f.prompter->pendingAnswers(), 0);
}

void TestSaveAs::saveAsMovesToNewFileAndKeepsOldOne()
{
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    const QString oldPath = f.home.filePath("Ann_Lee.r24");
    f.prompter->queueFile(oldPath);
    typeIncome(page, "1000");
    f.action("actionSave_Return")->trigger();
    const QByteArray oldBytes = bytes(oldPath);
    QVERIFY(!oldBytes.isEmpty());

    QDir().mkpath(f.home.filePath("copies"));
    const QString newPath = f.home.filePath("copies/Ann_Lee_2.r24");
    typeIncome(page, "2000");
    f.prompter->queueFile(newPath);
    f.action("actionSave_Return_As")->trigger();

    QCOMPARE(chooserCount(f), 2);
    QCOMPARE(bytes(oldPath), oldBytes);
    QVERIFY(QFileInfo::exists(newPath));
    QCOMPARE(page->getTitle(), titleFor(newPath));
    QCOMPARE(f.window->showReturnAction(page)->text(), "Return 1 - " + titleFor(newPath));
    QVERIFY(f.window->windowTitle().endsWith(" - " + titleFor(newPath)));
    QVERIFY(hasRecentRow(f, newPath));
    QCOMPARE(QString(f.app->m_strLastOpenPath), QFileInfo(newPath).canonicalPath());
    QVERIFY(!page->isChanged());

    // Save now goes to the new file.
    const QByteArray newBytes = bytes(newPath);
    typeIncome(page, "3000");
    f.action("actionSave_Return")->trigger();
    QCOMPARE(chooserCount(f), 2);
    QCOMPARE(bytes(oldPath), oldBytes);
    QVERIFY(bytes(newPath) != newBytes);
}

void TestSaveAs::failedWriteKeepsReturnChanged_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("savedFirst");
    QTest::addColumn<bool>("blockOwnFolder");
    // An untitled return saved into a "folder" that is a plain file.
    QTest::newRow("save untitled") << "actionSave_Return" << false << false;
    // A return with a file, saved as a file below a plain file.
    QTest::newRow("save as") << "actionSave_Return_As" << true << false;
    // A return whose own folder was replaced by a plain file.
    QTest::newRow("save to own file") << "actionSave_Return" << true << true;
}

void TestSaveAs::failedWriteKeepsReturnChanged()
{
    QFETCH(QString, command);
    QFETCH(bool, savedFirst);
    QFETCH(bool, blockOwnFolder);
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    const QString folder = f.home.filePath("returns");
    const QString ownFile = folder + "/Ann_Lee.r24";
    if (savedFirst) {
        QVERIFY(QDir().mkpath(folder));
        f.prompter->queueFile(ownFile);
        f.action("actionSave_Return")->trigger();
        QVERIFY(QFileInfo::exists(ownFile));
    }
    const QString titleBefore = page->getTitle();
    const int promptsBefore = f.prompter->records().size();

    QString blocker = f.home.filePath("blocker");
    if (blockOwnFolder) {
        blocker = folder;
        QVERIFY(QDir(folder).removeRecursively());
    }
    QFile plain(blocker);
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString target = blockOwnFolder ? ownFile : blocker + "/Ann_Lee.r24";

    typeIncome(page, "5000");
    if (!blockOwnFolder)
        f.prompter->queueFile(target);
    f.action(command.toLatin1())->trigger();

    QCOMPARE(f.prompter->pendingAnswers(), 0);
    const QStringList texts = f.promptTexts().mid(promptsBefore);
    QCOMPARE(texts.size(), blockOwnFolder ? 1 : 2); // the chooser, then the failure
    QVERIFY2(texts.last().startsWith("The return could not be saved to " + target), qPrintable(texts.last()));
    QCOMPARE(f.window->statusBar()->currentMessage(), QString("File save failed"));
    QVERIFY(!QFileInfo::exists(target));
    if (!blockOwnFolder)
        QVERIFY(!hasRecentRow(f, target));
    QCOMPARE(income(page), 5000.0);
    QVERIFY(page->isChanged());
    QCOMPARE(page->getTitle(), titleBefore);
    QVERIFY(f.window->windowTitle().endsWith(" - " + titleBefore));

    // Closing still asks, so the edit is not lost by closing.
    if (page->hasFileToSave())
        f.prompter->queueButton(Prompt::Cancel);
    else
        f.prompter->queueYes(false);
    f.action("actionClose_Return")->trigger();
    QCOMPARE(f.prompter->pendingAnswers(), 0);
    QCOMPARE(f.window->openReturnCount(), 1);
}

void TestSaveAs::cancelledChooserWritesNothing_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("savedFirst");
    QTest::newRow("save untitled") << "actionSave_Return" << false;
    QTest::newRow("save as untitled") << "actionSave_Return_As" << false;
    QTest::newRow("save as with a file") << "actionSave_Return_As" << true;
}

void TestSaveAs::cancelledChooserWritesNothing()
{
    QFETCH(QString, command);
    QFETCH(bool, savedFirst);
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    const QString path = f.home.filePath("Ann_Lee.r24");
    if (savedFirst) {
        f.prompter->queueFile(path);
        f.action("actionSave_Return")->trigger();
    }
    const QByteArray before = bytes(path);
    const QString title = page->getTitle();
    const QString windowTitle = f.window->windowTitle();
    const QStringList filesBefore = QDir(f.home.path()).entryList(QDir::Files);
    const QStringList returnFolderBefore = QDir(QString(f.app->m_config.RetPath)).entryList(QDir::Files);
    f.window->statusBar()->showMessage("before");

    typeIncome(page, "7000");
    f.prompter->queueCancel();
    f.action(command.toLatin1())->trigger();

    QCOMPARE(f.prompter->records().last().kind, PromptKind::SaveFile);
    QCOMPARE(f.prompter->pendingAnswers(), 0);
    QCOMPARE(QDir(f.home.path()).entryList(QDir::Files), filesBefore);
    QCOMPARE(QDir(QString(f.app->m_config.RetPath)).entryList(QDir::Files), returnFolderBefore);
    QCOMPARE(bytes(path), before);
    QCOMPARE(page->getTitle(), title);
    // The typed amount is still unsaved, so the title carries the unsaved mark.
    QCOMPARE(f.window->windowTitle(), windowTitle.startsWith('*') ? windowTitle : "*" + windowTitle);
    QCOMPARE(f.window->statusBar()->currentMessage(), QString("before"));
    QVERIFY(page->isChanged());
}

void TestSaveAs::saveAsRefusesFileOfOtherPage()
{
    WindowFixture f;
    Form_Return* first = present(f, newFamily(singleRecord()));
    const QString path = f.home.filePath("Ann_Lee.r24");
    f.prompter->queueFile(path);
    f.action("actionSave_Return")->trigger();
    const QByteArray saved = bytes(path);
    QVERIFY(!saved.isEmpty());

    Form_Return* second = present(f, newFamily(coupledRecord()));
    QVERIFY(second && second != first);
    typeIncome(second, "9000");
    // The same file by another spelling of its path.
    f.prompter->queueFile(f.home.path() + "/./Ann_Lee.r24");
    f.action("actionSave_Return_As")->trigger();

    QCOMPARE(f.promptTexts().last(), f.home.path() + "/./Ann_Lee.r24" +
                                         " is open in Return 1. Please close it there first, or save under "
                                         "another name.");
    QCOMPARE(bytes(path), saved);
    QVERIFY(!second->hasFileToSave());
    QVERIFY(second->isChanged());
    QCOMPARE(f.window->currentReturnPage(), static_cast<ReturnPageInterface*>(second));

    // The page's own file is fine for Save As.
    typeIncome(first, "100");
    f.window->showReturnPage(first);
    f.prompter->queueFile(path);
    f.action("actionSave_Return_As")->trigger();
    QVERIFY(bytes(path) != saved);
    QVERIFY(!first->isChanged());
}

void TestSaveAs::savedReturnReopensUnchanged()
{
    WindowFixture f;
    CFamilyTaxData* family = newFamily(coupledRecord());
    STRUCT_SLIPDATA_ITEM_2004* slip = family->getSpouse()->NewSlipData(kSlipT4, 0, 0);
    QVERIFY(slip);
    slip->data->findField("box14EmploymentIncome")->setText("50000");
    family->Calculate(-1, nullptr);
    Form_Return* page = present(f, family);
    typeIncome(page, "42000");

    const QString path = f.home.filePath("Ann_Lee_Bob_Roy.r24");
    f.prompter->queueFile(path);
    f.action("actionSave_Return")->trigger();
    QCOMPARE(f.prompter->records().first().texts.value(0),
             QString(f.app->m_config.RetPath) + f.app->m_strSeparator + "Ann_Lee_Bob_Roy.r24");
    QVERIFY(QFileInfo::exists(path));
    CFamilyTaxData saved(family->mode());
    saved = *page->familyData();
    QCOMPARE(saved.getTaxpayer()->GetT1()->line12800SupportReceived.m_value, 42000.0);

    f.action("actionClose_Return")->trigger();
    QCOMPARE(f.window->openReturnCount(), 0);
    f.prompter->queueFile(path);
    QVERIFY(f.action("actionOpen_File"));
    f.action("actionOpen_File")->trigger();
    auto* opened = dynamic_cast<Form_Return*>(f.window->currentReturnPage());
    QVERIFY(opened);
    QCOMPARE(opened->getTitle(), titleFor(path));
    QVERIFY(*opened->familyData() == saved);
    QCOMPARE(opened->familyData()->getSpouse()->GetT1()->line10100EmploymentIncome.m_value, 50000.0);
    QVERIFY(!opened->isChanged());
    saved.FreeData();
}

QTEST_APPLESS_MAIN(TestSaveAs)
#include "tst_saveas.moc"
