#include <QtTest>

#include "dialogs/dlgfindfiles.h"
#include "returnpagefixture.h"

#include <QListView>
#include <QPushButton>
#include <QStandardItemModel>

using namespace returnpage;

// "Find Return Files" from the real window: the dialog it opens, the list it
// keeps in the run folder, and the return it opens.
class TestFindReturnFiles : public QObject
{
    Q_OBJECT
private slots:
    void foundReturnOpensInAPage();
};

void TestFindReturnFiles::foundReturnOpensInAPage()
{
    WindowFixture f;
    QVERIFY(f.ready);
    Form_Return* page = present(f, newFamily(singleRecord()));
    QVERIFY(page);
    const QString path = f.home.filePath("Ann_Lee.r24");
    f.prompter->queueFile(path);
    f.action("actionSave_Return")->trigger();
    QVERIFY(QFileInfo::exists(path));
    f.window->actionCloseReturn();
    QCOMPARE(f.window->openReturnCount(), 0);

    QFile list(f.runPath() + "/findfiles.csv");
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write(path.toUtf8() + "\n");
    list.close();

    f.prompter->clear();
    QString title;
    QStringList listed;
    QTimer::singleShot(10000, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<DlgFindFiles*>(QApplication::activeModalWidget());
        if (!dialog)
            qFatal("the search dialog is not shown");
        title = dialog->windowTitle();
        listed = dialog->listedPaths();
        dialog->listView->setCurrentIndex(dialog->resultList()->index(0, 0));
        QTest::mouseClick(dialog->btnOpen, Qt::LeftButton);
    });
    f.action("actionFind_Return_Files")->trigger();

    QCOMPARE(title, QString("Find Return Files"));
    QCOMPARE(listed, QStringList{path});
    QVERIFY(f.prompter->records().isEmpty());
    QCOMPARE(f.window->openReturnCount(), 1);
    ReturnPageInterface* opened = f.window->currentReturnPage();
    QVERIFY(opened);
    QString openedPath;
    opened->getFilepath(openedPath);
    QCOMPARE(QFileInfo(openedPath).canonicalFilePath(), QFileInfo(path).canonicalFilePath());
}

QTEST_APPLESS_MAIN(TestFindReturnFiles)
#include "tst_findreturnfiles.moc"
