#include <QtTest>

#include "app/BasicEvent.h"
#include "common/capturingurlopener.h"
#include "fakereturnpage.h"
#include "windowfixture.h"
#include "workspace/viewintroduction.h"
#include "workspace/ui_viewintroduction.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>

// The start page on the real window: texts and buttons, the list of recent
// returns with its filter, removing a return, and opening a row.
class TestStartPage : public QObject
{
    Q_OBJECT
private slots:
    void textsAndButtons();
    void removeWithoutSelection();
    void filterByName();
    void filter_data();
    void filter();
    void removeDeletesTheChosenFile_data();
    void removeDeletesTheChosenFile();
    void removeRefusesAnOpenReturn();
    void removeReportsAFailedDelete();
    void openingAnOpenFileShowsItsPage();
    void openingIsLimitedToTwoReturns();
    void contextMenuCommands();

private:
    // Two recent returns, "Ann Lee" then "Bob Roy", with real files.
    struct TwoReturns
    {
        QString annPath;
        QString bobPath;
    };
    static TwoReturns addTwoReturns(WindowFixture& f);
    static QStringList shownNames(WindowFixture& f);
    static void selectRow(WindowFixture& f, int proxyRow);
    static ViewIntroduction* page(WindowFixture& f) { return f.window->startPage(); }
};

TestStartPage::TwoReturns TestStartPage::addTwoReturns(WindowFixture& f)
{
    TwoReturns returns;
    const QString folder = f.home.path() + "/Documents/vodarevivo/2024/returns";
    QDir().mkpath(folder);
    returns.annPath = folder + "/Ann_Lee.r24";
    returns.bobPath = folder + "/Bob_Roy.r24";
    for (const QString& path : {returns.annPath, returns.bobPath}) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write("return");
    }
    f.app->m_dbManager.updateOrInsertHistoryItem("Ann Lee", "", returns.annPath);
    f.app->m_dbManager.updateOrInsertHistoryItem("Bob Roy", "", returns.bobPath);
    // One time for both, so that they list in the order they were added even
    // when the clock passed a second between the two.
    QSqlQuery(f.app->m_dbManager.db()).exec("update tb_retfile set open_time='2025-01-02 10:00:00'");
    // The page reloads the list when it is shown.
    f.window->actionShowWelcome();
    page(f)->hide();
    page(f)->show();
    return returns;
}

QStringList TestStartPage::shownNames(WindowFixture& f)
{
    QStringList names;
    const QAbstractItemModel* model = page(f)->widgets()->tableView->model();
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->index(row, 0).data().toString();
    return names;
}

void TestStartPage::selectRow(WindowFixture& f, int proxyRow)
{
    QTableView* table = page(f)->widgets()->tableView;
    table->selectRow(proxyRow);
}

void TestStartPage::textsAndButtons()
{
    WindowFixture f;
    Ui_ViewIntroduction* ui = page(f)->widgets();
    QCOMPARE(ui->label->text(), QString("Select return file to open, or create a new tax return file"));
    QCOMPARE(ui->label_2->text(), QString("Enter name, or S.I.N. to filter the following entries :"));
    QCOMPARE(ui->resetFilterButton->text(), QString("Clear"));
    QStringList buttons;
    for (QPushButton* button : {ui->newButton, ui->openButton, ui->importButton, ui->prefButton, ui->delButton})
        buttons << button->text();
    QCOMPARE(buttons, (QStringList{"New Return ...", "Open Selected Return", "Import Prior Year's Return",
                                   "Preference ...", "Remove Return"}));
    QVERIFY(!ui->newButton->icon().isNull());
    QVERIFY(!ui->prefButton->icon().isNull());
    QAbstractItemModel* model = ui->tableView->model();
    QVERIFY(model);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QString("Tax Payer's Name"));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QString("Last Open Time"));
    QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QString("Return File Path"));
    QCOMPARE(ui->tableView->columnWidth(0), 508);
    QCOMPARE(ui->tableView->columnWidth(1), 168);
    QVERIFY(ui->tableView->verticalHeader()->isHidden());
    QCOMPARE(ui->tableView->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(ui->tableView->selectionMode(), QAbstractItemView::SingleSelection);
}

void TestStartPage::removeWithoutSelection()
{
    WindowFixture f;
    addTwoReturns(f);
    page(f)->widgets()->delButton->click();
    QCOMPARE(f.prompter->records().size(), 1);
    QCOMPARE(f.prompter->records()[0].title, QString("Remove Return"));
    QCOMPARE(f.promptTexts(), QStringList{"Please choose a return file entry first."});
    QCOMPARE(shownNames(f).size(), 2);
}

void TestStartPage::filterByName()
{
    WindowFixture f;
    addTwoReturns(f);
    QCOMPARE(shownNames(f), (QStringList{"Ann Lee", "Bob Roy"}));
    QTest::keyClicks(page(f)->widgets()->edtFilter, "Ann");
    QCOMPARE(shownNames(f), QStringList{"Ann Lee"});
    page(f)->widgets()->resetFilterButton->click();
    QVERIFY(page(f)->widgets()->edtFilter->text().isEmpty());
    QCOMPARE(shownNames(f), (QStringList{"Ann Lee", "Bob Roy"}));
}

void TestStartPage::filter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("lower case") << "bob" << QStringList{"Bob Roy"};
    QTest::newRow("path") << "Bob_Roy.r24" << QStringList{"Bob Roy"};
    QTest::newRow("folder") << "returns" << QStringList{"Ann Lee", "Bob Roy"};
    QTest::newRow("sin digits") << "046454" << QStringList{"Bob Roy"};
    QTest::newRow("sin with blanks") << "046 454 286" << QStringList{"Bob Roy"};
    QTest::newRow("other sin") << "999999" << QStringList();
    QTest::newRow("wildcard is text") << "%" << QStringList();
    QTest::newRow("nothing") << "Zed" << QStringList();
}

void TestStartPage::filter()
{
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    WindowFixture f;
    addTwoReturns(f);
    QVERIFY(CBasicEvent::findUserIDAndUpdateUser(f.app->m_dbManager.db(), "046454286", "Bob Roy", "", "") > 0);
    page(f)->widgets()->edtFilter->setText(text);
    QCOMPARE(shownNames(f), names);
}

void TestStartPage::removeDeletesTheChosenFile_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("answer");
    QTest::newRow("OK") << "" << int(Prompt::Ok);
    QTest::newRow("Cancel") << "" << int(Prompt::Cancel);
    // With a filter the table's row 0 is the model's row 1.
    QTest::newRow("OK filtered") << "Bob" << int(Prompt::Ok);
}

void TestStartPage::removeDeletesTheChosenFile()
{
    QFETCH(QString, filter);
    QFETCH(int, answer);
    WindowFixture f;
    const TwoReturns returns = addTwoReturns(f);
    const bool filtered = !filter.isEmpty();
    page(f)->widgets()->edtFilter->setText(filter);
    // The unfiltered table's second row is Bob; the filtered table's first.
    selectRow(f, filtered ? 0 : 1);
    f.prompter->queueButton(Prompt::StandardButton(answer));
    page(f)->widgets()->delButton->click();
    // The question names the file that will go.
    QCOMPARE(f.promptTexts(), QStringList{"Please confirm to remove this return file? This change is unrecoverable.\n\n"
                                          + QDir::toNativeSeparators(returns.bobPath)});
    QCOMPARE(f.prompter->records()[0].buttons, Prompt::Ok | Prompt::Cancel);
    const bool removed = answer == Prompt::Ok;
    QCOMPARE(QFile::exists(returns.bobPath), !removed);
    QVERIFY(QFile::exists(returns.annPath));
    page(f)->widgets()->resetFilterButton->click();
    QCOMPARE(shownNames(f), removed ? QStringList{"Ann Lee"} : (QStringList{"Ann Lee", "Bob Roy"}));
    // The database forgot it too.
    page(f)->reloadEntries();
    QCOMPARE(shownNames(f).size(), removed ? 1 : 2);
}

void TestStartPage::removeRefusesAnOpenReturn()
{
    WindowFixture f;
    const TwoReturns returns = addTwoReturns(f);
    auto* open = new FakeReturnPage(f.window->nextReturnNumber(), returns.annPath);
    f.window->presentReturnPage(open);
    f.window->actionShowWelcome();
    selectRow(f, 0);
    page(f)->widgets()->delButton->click();
    QCOMPARE(f.promptTexts(), QStringList{"This return file is open. Please close it before removing it."});
    QVERIFY(QFile::exists(returns.annPath));
    QCOMPARE(shownNames(f).size(), 2);
}

void TestStartPage::removeReportsAFailedDelete()
{
    WindowFixture f;
    // A folder where the file should be: it cannot be removed as a file.
    const QString path = f.home.filePath("Cat_Fox.r24");
    QVERIFY(QDir().mkpath(path + "/inside"));
    f.app->m_dbManager.updateOrInsertHistoryItem("Cat Fox", "", path);
    page(f)->reloadEntries();
    QCOMPARE(shownNames(f), QStringList{"Cat Fox"});
    selectRow(f, 0);
    f.prompter->queueButton(Prompt::Ok);
    page(f)->widgets()->delButton->click();
    QCOMPARE(f.prompter->records().size(), 2);
    QCOMPARE(f.prompter->records()[1].icon, Prompt::Warning);
    QCOMPARE(f.promptTexts()[1], QString("The return file %1 cannot be deleted. It is kept in the list.").arg(path));
    QCOMPARE(shownNames(f), QStringList{"Cat Fox"});
    page(f)->reloadEntries();
    QCOMPARE(shownNames(f), QStringList{"Cat Fox"});
}

void TestStartPage::openingAnOpenFileShowsItsPage()
{
    WindowFixture f;
    const TwoReturns returns = addTwoReturns(f);
    auto* open = new FakeReturnPage(f.window->nextReturnNumber(), returns.bobPath);
    f.window->presentReturnPage(open);
    f.window->actionShowWelcome();
    selectRow(f, 1);
    page(f)->widgets()->openButton->click();
    QCOMPARE(f.window->currentReturnPage(), static_cast<ReturnPageInterface*>(open));
    QCOMPARE(f.window->openReturnCount(), 1);

    // The Return key in the table does the same.
    f.window->actionShowWelcome();
    QTableView* table = page(f)->widgets()->tableView;
    table->setFocus();
    selectRow(f, 1);
    QTest::keyClick(table, Qt::Key_Return);
    QCOMPARE(f.window->currentReturnPage(), static_cast<ReturnPageInterface*>(open));
}

void TestStartPage::openingIsLimitedToTwoReturns()
{
    WindowFixture f;
    addTwoReturns(f);
    for (int i = 0; i < 2; ++i)
        f.window->presentReturnPage(new FakeReturnPage(f.window->nextReturnNumber()));
    f.window->actionShowWelcome();
    selectRow(f, 0);
    page(f)->widgets()->openButton->click();
    QCOMPARE(f.promptTexts(), QStringList{"Maximum number of returns are opened already. Please click 'Close' button "
                                          "on top to close a return first!"});
    QCOMPARE(f.window->openReturnCount(), 2);
}

void TestStartPage::contextMenuCommands()
{
    WindowFixture f;
    const TwoReturns returns = addTwoReturns(f);
    CapturingUrlOpener opener;
    QGuiApplication::clipboard()->setText("before");
    // Nothing selected: nothing happens.
    page(f)->gotoSelectedFolder();
    page(f)->copySelectedFolder();
    QVERIFY(opener.urls.isEmpty());
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));

    page(f)->widgets()->edtFilter->setText("Bob");
    selectRow(f, 0);
    const QString folder = QFileInfo(returns.bobPath).absolutePath();
    page(f)->gotoSelectedFolder();
    QCOMPARE(opener.urls, QList<QUrl>{QUrl::fromLocalFile(folder)});
    page(f)->copySelectedFolder();
    QCOMPARE(QGuiApplication::clipboard()->text(), folder);
}

QTEST_APPLESS_MAIN(TestStartPage)
#include "tst_startpage.moc"
