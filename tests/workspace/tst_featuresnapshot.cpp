// The settings snapshot the application keeps for its features: what the
// preferences apply reaches the next command, a change that was not applied
// does not, and the snapshot names the same run-folder files as the
// application's own functions.
#include <QtTest>

#include "fakereturnpage.h"
#include "windowfixture.h"
#include "workspace/featureenvironment.h"
#include "workspace/preferencedlg.h"

#include <QLineEdit>

namespace {

const char* const kNoPdfFolder = "voDarevivo cannot open or create the file folder for printable tax form (.pdf) file.";

FakeReturnPage* openPage(WindowFixture& f)
{
    auto* page = new FakeReturnPage(f.window->nextReturnNumber());
    f.window->presentReturnPage(page);
    return page;
}

// A PDF folder below a plain file: it can never be made.
QString blockedFolder(WindowFixture& f)
{
    QFile blocker(f.home.filePath("blocker"));
    if (blocker.open(QIODevice::WriteOnly))
        blocker.close();
    return f.home.filePath("blocker/pdf");
}

// The print command on the page; what the user was told and what reached
// the page.
QStringList printAndTell(WindowFixture& f, FakeReturnPage* page)
{
    f.prompter->clear();
    page->calls.clear();
    f.action("actionGenerate_Print_pdf_Files")->trigger();
    return f.promptTexts() + page->calls;
}

} // namespace

class TestFeatureSnapshot : public QObject
{
    Q_OBJECT
private slots:
    // The preferences' "Apply Changes" with a usable PDF folder: the next
    // print command's context has it, where the old folder stopped it.
    void preferencesApplyReachesTheNextCommand()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        f.app->m_config.RetPdfPath = blockedFolder(f);
        f.app->refreshFeatureSettings();
        FakeReturnPage* page = openPage(f);
        QCOMPARE(printAndTell(f, page), (QStringList{kNoPdfFolder, "save"}));

        const QString usable = f.home.filePath("printed");
        QVERIFY(QDir().mkpath(usable));
        PreferenceDlg dialog(f.window);
        dialog.edtFolderRetFiles->setText(QString());
        dialog.edtFolderPdfFiles->setText(usable);
        dialog.on_btnApply_clicked();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        QCOMPARE(currentFeatureSettings().pdfFolder, usable);
        QCOMPARE(printAndTell(f, page), (QStringList{"save", "OnFileCreatePdfFile"}));
    }

    // A command takes the snapshot as it stands: a configuration member
    // changed without being applied changes nothing, until it is applied.
    void unappliedChangeIsNotSeen()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        const QString usable = f.home.filePath("printed");
        QVERIFY(QDir().mkpath(usable));
        f.app->m_config.RetPdfPath = usable;
        f.app->refreshFeatureSettings();
        FakeReturnPage* page = openPage(f);

        f.app->m_config.RetPdfPath = blockedFolder(f);
        QCOMPARE(printAndTell(f, page), (QStringList{"save", "OnFileCreatePdfFile"}));
        QCOMPARE(f.app->saveConfigDB(), 0);
        QCOMPARE(printAndTell(f, page), (QStringList{kNoPdfFolder, "save"}));
    }

    // The filing log and the result file of the snapshot are the files the
    // application itself names, in and out of test mode, after an apply.
    void filingFilesFollowTheTestMode_data()
    {
        QTest::addColumn<bool>("testMode");
        QTest::addColumn<QString>("resultFile");
        QTest::newRow("test mode") << true << "netfileresult.ws";
        QTest::newRow("production") << false << "netfileresult.txt";
    }

    void filingFilesFollowTheTestMode()
    {
        QFETCH(bool, testMode);
        QFETCH(QString, resultFile);
        WindowFixture f;
        QVERIFY(f.ready);
        f.app->m_config.MODEDEBUG = testMode;
        QCOMPARE(f.app->saveConfigDB(), 0);
        const FeatureSettings& settings = f.app->featureSettings();
        QCOMPARE(settings.testMode, testMode);
        CString path;
        f.app->getFilingLogFilePath(path, 1);
        QCOMPARE(settings.filing.resultFilePath, QString(path));
        QCOMPARE(QFileInfo(settings.filing.resultFilePath).fileName(), resultFile);
        f.app->getFilingLogFilePath(path, 0);
        QCOMPARE(settings.filing.logPath, QString(path));
        QCOMPARE(filingExchangeSettingsFrom(settings).testMode, testMode);
        QCOMPARE(tddServiceSettingsFrom(settings).modeDebug, testMode);
    }
};

QTEST_APPLESS_MAIN(TestFeatureSnapshot)
#include "tst_featuresnapshot.moc"
