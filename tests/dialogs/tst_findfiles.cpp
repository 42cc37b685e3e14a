#include <QtTest>

#include "common/scriptedprompter.h"
#include "common/testhome.h"
#include "dialogs/dlgfindfiles.h"
#include "dialogs/findfilesplan.h"
#include "dialogs/threadfindfiles.h"

#include <QButtonGroup>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>

#include <memory>

// "Find Return Files" on the real dialog, offscreen, over a fresh home
// folder: the list file, the year choice, the search on its worker, the
// ways of closing during a search, and what opening a found file does.
class TestFindFiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void listFileKeepsOnlyPaths();
    void searchWithoutYearWarnsAndStartsNothing();
    void yearChoiceGivesItsSuffixes_data();
    void yearChoiceGivesItsSuffixes();
    void firstStatusNamesSuffixesAndFolders();
    void searchListsEachFileOnceAndKeepsTheList();
    void closingDuringASearchStopsAndWaits_data();
    void closingDuringASearchStopsAndWaits();
    void clearAndOpenWaitForTheSearch();
    void openingAFoundFile_data();
    void openingAFoundFile();
    void openWithoutSelectionDoesNothing();

private:
    QString home(const QString& relative) const { return m_home->filePath(relative); }
    QString listPath() const { return home("findfiles.csv"); }
    QString makeFile(const QString& relative, const QByteArray& bytes = "return") const;
    DlgFindFiles* makeDialog();
    static bool waitUntilStopped(DlgFindFiles* dialog, int timeoutMs = 20000);
    static QString artefact(const QString& name);

    // Turns HOME to a home folder holding a large tree, made once: its walk
    // is still running when the dialog is closed or used right after the
    // search started. Its year folder holds one return file of 2024.
    QString useBigHome();

    QTemporaryDir m_bigHome;
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    QStringList m_opened;
    QStringList m_imported;
};

void TestFindFiles::initTestCase()
{
    QVERIFY(m_bigHome.isValid());
    for (int d = 0; d < 100; ++d) {
        const QString folder = m_bigHome.filePath(QString("big/d%1/e%1").arg(d));
        QVERIFY(QDir().mkpath(folder));
        for (int f = 0; f < 500; ++f) {
            QFile file(QString("%1/f%2.txt").arg(folder).arg(f));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }
    QVERIFY(QDir().mkpath(m_bigHome.filePath("Documents/vodarevivo/2024")));
    QFile found(m_bigHome.filePath("Documents/vodarevivo/2024/Ann_Lee.r24"));
    QVERIFY(found.open(QIODevice::WriteOnly));
}

QString TestFindFiles::useBigHome()
{
    qputenv("HOME", m_bigHome.path().toLocal8Bit());
    return m_bigHome.filePath("Documents/vodarevivo/2024/Ann_Lee.r24");
}

void TestFindFiles::init()
{
    m_home = std::make_unique<TestHome>();
    m_prompter = std::make_unique<ScriptedPrompter>();
    m_opened.clear();
    m_imported.clear();
}

void TestFindFiles::cleanup()
{
    m_prompter.reset();
    m_home.reset();
}

QString TestFindFiles::makeFile(const QString& relative, const QByteArray& bytes) const
{
    const QString path = home(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

DlgFindFiles* TestFindFiles::makeDialog()
{
    FoundFileOpener opener;
    opener.openReturnFile = [this](const QString& path) { m_opened << path; };
    opener.importReturnFile = [this](const QString& path) { m_imported << path; };
    return new DlgFindFiles("Find Return Files", listPath(), opener, nullptr);
}

bool TestFindFiles::waitUntilStopped(DlgFindFiles* dialog, int timeoutMs)
{
    return QTest::qWaitFor([dialog] { return !dialog->isSearching(); }, timeoutMs);
}

QString TestFindFiles::artefact(const QString& name)
{
    const QString folder = QCoreApplication::applicationDirPath() + "/../artefacts";
    QDir().mkpath(folder);
    return QDir(folder).absoluteFilePath(name);
}

void TestFindFiles::listFileKeepsOnlyPaths()
{
    const QString path = makeFile("Documents/vodarevivo/2024/Ann_Lee.r24");
    QFile list(listPath());
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("abc\n\n  x  \n" + path.toUtf8() + "\n");
    list.close();

    std::unique_ptr<DlgFindFiles> dialog(makeDialog());
    QCOMPARE(dialog->windowTitle(), QString("Find Return Files"));
    QCOMPARE(dialog->listedPaths(), QStringList{path});
    QCOMPARE(dialog->listView->model()->rowCount(), 1);
}

void TestFindFiles::searchWithoutYearWarnsAndStartsNothing()
{
    std::unique_ptr<DlgFindFiles> dialog(makeDialog());
    QVERIFY(!dialog->radLastYear->isChecked() && !dialog->radCurYear->isChecked()
            && !dialog->radPriorYears->isChecked());
    QTest::mouseClick(dialog->btnSearch, Qt::LeftButton);
    QCOMPARE(m_prompter->records().size(), 1);
    const PromptRecord& warning = m_prompter->records().first();
    QCOMPARE(warning.icon, Prompt::Warning);
    QCOMPARE(warning.title, QString("Warning"));
    QCOMPARE(warning.texts.join("\n"), QString("Please choose search file option first!"));
    QVERIFY(!dialog->isSearching());
    QVERIFY(dialog->findChildren<ThreadFindFiles*>().isEmpty());
}

void TestFindFiles::yearChoiceGivesItsSuffixes_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QStringList>("suffixes");
    QTest::newRow("Year 2023") << 0 << QStringList{"r23"};
    QTest::newRow("Current Year 2024") << 1 << QStringList{"r24"};
    QTest::newRow("Year before 2023") << 2 << QStringList{"r22", "r21", "r20"};
    QTest::newRow("no choice") << -1 << QStringList{};
}

void TestFindFiles::yearChoiceGivesItsSuffixes()
{
    QFETCH(int, choice);
    QFETCH(QStringList, suffixes);
    QCOMPARE(findfiles::suffixesForYear(choice), suffixes);
    std::unique_ptr<DlgFindFiles> dialog(makeDialog());
    if (choice >= 0)
        QVERIFY(dialog->grpSearchOption->button(choice)->text().contains(choice == 1 ? "2024" : "2023"));
}

void TestFindFiles::firstStatusNamesSuffixesAndFolders()
{
    const QStringList folders = findfiles::searchFolders();
    const QString h = QDir::homePath();
    const QString d = h + "/Documents";
    const QString p = h + "/.local/share";
    QCOMPARE(folders.size(), 8);
    QCOMPARE(folders, (QStringList{p + "/vodarevivo_2022n", p + "/vodarevivo_2022e", d + "/vodarevivo/2023",
                                   d + "/vodarevivo-efile/2023", d + "/vodarevivo/2024",
                                   d + "/vodarevivo-efile/2024", h, p}));

    ThreadFindFiles worker;
    QSignalSpy status(&worker, &ThreadFindFiles::statusChanged);
    QSignalSpy progress(&worker, &ThreadFindFiles::progressChanged);
    worker.setFileSuffixForSearch(folders, findfiles::suffixesForYear(findfiles::PriorYears));
    worker.start();
    QVERIFY(worker.wait(20000));
    QVERIFY(!status.isEmpty() && !progress.isEmpty());
    QCOMPARE(status.first().first().toString(), "search r22,r21,r20 from " + folders.join(","));
    QCOMPARE(progress.first().first().toInt(), 0);
}

void TestFindFiles::searchListsEachFileOnceAndKeepsTheList()
{
    // Folder 5 (Documents/vodarevivo/2024) lies inside the home folder, which
    // is walked as well: its files are reached twice.
    const QString first = makeFile("Documents/vodarevivo/2024/Émilie_Côté.r24");
    const QString nested = makeFile("Documents/vodarevivo/2024/copies/Bob_Roy.R24");
    const QString elsewhere = makeFile("archive/2024/Ann_Lee.r24");
    makeFile("archive/2023/Ann_Lee.r23");
    makeFile(".hidden/Hidden.r24");
    QVERIFY(QFile::link(first, home("archive/link.r24")));
    QVERIFY(QFile::link(home("Documents"), home("archive/documents-link")));

    std::unique_ptr<DlgFindFiles> dialog(makeDialog());
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    dialog->radCurYear->setChecked(true);
    QTest::mouseClick(dialog->btnSearch, Qt::LeftButton);
    QVERIFY(dialog->isSearching());
    QVERIFY(waitUntilStopped(dialog.get()));

    QStringList listed = dialog->listedPaths();
    QCOMPARE(listed.size(), 3);
    // The documents year folder is walked before the home folder.
    const QStringList fromYearFolder = listed.mid(0, 2);
    QCOMPARE(QSet<QString>(fromYearFolder.begin(), fromYearFolder.end()), (QSet<QString>{first, nested}));
    QCOMPARE(listed.at(2), elsewhere);
    QCOMPARE(dialog->lblSearching->text(), QString("search stopped"));

    // The list file holds the rows as UTF-8, one a line.
    QFile list(listPath());
    QVERIFY(list.open(QIODevice::ReadOnly));
    QCOMPARE(list.readAll(), (listed.join("\n") + "\n").toUtf8());
    list.close();
    QVERIFY(dialog->grab().save(artefact("findfiles-after-search.png")));

    // A second search finds the same files and lists none of them again.
    QTest::mouseClick(dialog->btnSearch, Qt::LeftButton);
    QVERIFY(waitUntilStopped(dialog.get()));
    QCOMPARE(dialog->listedPaths(), listed);

    // The next use of the dialog starts from the list kept.
    dialog.reset(makeDialog());
    QCOMPARE(dialog->listedPaths(), listed);
}

void TestFindFiles::closingDuringASearchStopsAndWaits_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape") << "escape";
    QTest::newRow("the close box") << "close box";
    QTest::newRow("the Close button") << "button";
}

void TestFindFiles::closingDuringASearchStopsAndWaits()
{
    QFETCH(QString, how);
    const QString found = useBigHome();

    auto* dialog = makeDialog();
    QPointer<DlgFindFiles> guard(dialog);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    dialog->radCurYear->setChecked(true);
    QTest::mouseClick(dialog->btnSearch, Qt::LeftButton);
    QVERIFY(dialog->isSearching());
    const QList<ThreadFindFiles*> workers = dialog->findChildren<ThreadFindFiles*>();
    QCOMPARE(workers.size(), 1);
    QPointer<ThreadFindFiles> worker(workers.first());
    // The year folder is walked before the home folder and its large tree.
    QVERIFY(QTest::qWaitFor([dialog] { return dialog->resultList()->rowCount() == 1; }, 20000));
    // The wait lets the dialog delete a worker that has ended: on a machine
    // too busy to show the first row before the walk of the large tree was
    // over, there is no running search left to close.
    if (!worker || !worker->isRunning())
        QSKIP("the walk of the large tree ended before its first row was shown");

    if (how == "escape")
        QTest::keyClick(dialog, Qt::Key_Escape);
    else if (how == "close box")
        QVERIFY(dialog->close());
    else
        QTest::mouseClick(dialog->btnClose, Qt::LeftButton);

    // The dialog is closed, its worker has ended, and what it found before
    // the stop is listed and kept.
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QVERIFY(!dialog->isSearching());
    QVERIFY(!worker || !worker->isRunning());
    QCOMPARE(dialog->listedPaths(), QStringList{found});
    QFile list(listPath());
    QVERIFY(list.open(QIODevice::ReadOnly));
    QCOMPARE(list.readAll(), (found + "\n").toUtf8());

    // As the window does when exec() returns.
    delete dialog;
    QVERIFY(!guard);
    QTest::qWait(50);
    QVERIFY(!worker);
}

void TestFindFiles::clearAndOpenWaitForTheSearch()
{
    const QString listedBefore = useBigHome();
    QFile list(listPath());
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write(listedBefore.toUtf8() + "\n");
    list.close();

    std::unique_ptr<DlgFindFiles> dialog(makeDialog());
    dialog->listView->setCurrentIndex(dialog->resultList()->index(0, 0));
    dialog->radLastYear->setChecked(true);
    QTest::mouseClick(dialog->btnSearch, Qt::LeftButton);
    QVERIFY(dialog->isSearching());
    QVERIFY(dialog->findChildren<ThreadFindFiles*>().first()->isRunning());
    QTest::mouseClick(dialog->btnClear, Qt::LeftButton);
    QTest::mouseClick(dialog->btnOpen, Qt::LeftButton);
    QCOMPARE(m_prompter->records().size(), 2);
    for (const PromptRecord& record : m_prompter->records())
        QCOMPARE(record.texts.join("\n"), QString("Please stop the search process first"));
    QCOMPARE(dialog->listedPaths(), QStringList{listedBefore});
    QVERIFY(m_opened.isEmpty());

    QTest::mouseClick(dialog->btnStop, Qt::LeftButton);
    QVERIFY(waitUntilStopped(dialog.get()));
    QCOMPARE(dialog->lblSearching->text(), QString("search stopped"));
    QTest::mouseClick(dialog->btnClear, Qt::LeftButton);
    QCOMPARE(dialog->resultList()->rowCount(), 0);
    // Clearing does not rewrite the kept list.
    dialog.reset(makeDialog());
    QCOMPARE(dialog->listedPaths(), QStringList{listedBefore});
}

void TestFindFiles::openingAFoundFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("deleted");
    QTest::addColumn<QString>("outcome"); // open, import, or the message shown
    QTest::newRow("this year's, in capitals") << "Ann_Lee.R24" << false << "open";
    QTest::newRow("last year's") << "Ann_Lee.r23" << false << "import";
    QTest::newRow("of 2022") << "Ann_Lee.r22" << false
                             << "This return file is of 2022 or earlier. Only this year's (.r24) return files can be "
                                "opened and last year's (.r23) imported.";
    QTest::newRow("of 2020") << "Ann_Lee.R20" << false
                             << "This return file is of 2022 or earlier. Only this year's (.r24) return files can be "
                                "opened and last year's (.r23) imported.";
    QTest::newRow("deleted meanwhile") << "Ann_Lee.r24" << true << "cannot read this file";
}

void TestFindFiles::openingAFoundFile()
{
    QFETCH(QString, name);
    QFETCH(bool, deleted);
    QFETCH(QString, outcome);
    const QString path = makeFile("returns/" + name);
    QFile list(listPath());
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write(path.toUtf8() + "\n");
    list.close();
    if (deleted)
        QVERIFY(QFile::remove(path));

    std::unique_ptr<DlgFindFiles> dialog(makeDialog());
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    dialog->listView->setCurrentIndex(dialog->resultList()->index(0, 0));
    QTest::mouseClick(dialog->btnOpen, Qt::LeftButton);

    QCOMPARE(m_opened, outcome == "open" ? QStringList{path} : QStringList{});
    QCOMPARE(m_imported, outcome == "import" ? QStringList{path} : QStringList{});
    const bool used = outcome == "open" || outcome == "import";
    QCOMPARE(dialog->isVisible(), !used);
    if (!used) {
        QCOMPARE(m_prompter->records().size(), 1);
        QCOMPARE(m_prompter->records().first().texts.join("\n"), outcome);
    } else {
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(m_prompter->records().isEmpty());
    }
}

void TestFindFiles::openWithoutSelectionDoesNothing()
{
    const QString path = makeFile("returns/Ann_Lee.r24");
    QFile list(listPath());
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write(path.toUtf8() + "\n");
    list.close();
    std::unique_ptr<DlgFindFiles> dialog(makeDialog());
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QTest::mouseClick(dialog->btnOpen, Qt::LeftButton);
    QVERIFY(dialog->isVisible());
    QVERIFY(m_opened.isEmpty() && m_imported.isEmpty());
    QVERIFY(m_prompter->records().isEmpty());
}

QTEST_MAIN(TestFindFiles)
#include "tst_findfiles.moc"
