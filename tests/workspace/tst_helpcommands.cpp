// The help menu's information boxes and the report of returns not filed
// online, from the real window.
#include <QtTest>

#include "common/capturingurlopener.h"
#include "returnpagefixture.h"

#include <QTemporaryDir>

using namespace returnpage;

namespace {

QString reportText(const CapturingUrlOpener& opener)
{
    if (opener.urls.isEmpty())
        return QString();
    QFile file(opener.urls.last().toLocalFile());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestHelpCommands : public QObject
{
    Q_OBJECT
private slots:
    void aboutNamesTheReleaseDate()
    {
        WindowFixture f({}, 2);
        QVERIFY(f.ready);
        f.prompter->clear();
        f.action("actionAbout_Brannock")->trigger();
        QCOMPARE(f.prompter->records().size(), 1);
        const PromptRecord& shown = f.prompter->records().first();
        QCOMPARE(shown.kind, PromptKind::MessageWithLink);
        QCOMPARE(shown.title, QString("About voDarevivo 2024 for DirErad"));
        QCOMPARE(shown.texts.first(), QString("This software is released on 2024-12-13.\n"));
    }

    void informationBoxesCarryTheirLinks_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("update") << "actionUpdate_voDarevivo" << "Update voDarevivo 2024 for DirErad"
                                << "Today's anti-virus software favours software update by re-install.";
        QTest::newRow("industry code") << "actionFind_Industry_Code" << "Find Industry Code"
                                       << "Industry code is a 6-digit code.";
        QTest::newRow("direct deposit") << "actionDirect_deposit_form" << "Direct Deposit Form"
                                        << "Canada direct deposit enrolment form";
        QTest::newRow("T5008") << "actionAdd_T5008_slip" << "T5008 Tax Slip Information"
                               << "T5008 tax slip is NOT used directly in tax return.";
    }

    void informationBoxesCarryTheirLinks()
    {
        QFETCH(QString, action);
        QFETCH(QString, title);
        QFETCH(QString, firstLine);
        WindowFixture f({}, 2);
        QVERIFY(f.ready);
        f.prompter->clear();
        f.action(action.toLatin1().constData())->trigger();
        QCOMPARE(f.prompter->records().size(), 1);
        const PromptRecord& shown = f.prompter->records().first();
        QCOMPARE(shown.title, title);
        QVERIFY2(shown.texts.first().startsWith(firstLine), qPrintable(shown.texts.first()));
        QVERIFY(shown.link.startsWith("https://"));
    }

    void emptyListGivesOnlyTheSummary()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        CapturingUrlOpener opener;
        f.action("actionFind_Returns_Not_Filed_Online")->trigger();
        QCOMPARE(opener.urls.size(), 1);
        QVERIFY(opener.urls.first().toLocalFile().startsWith(f.runPath() + "/filing"));
        QCOMPARE(reportText(opener), QString("Summary: Total files scaned: 0;  Not-filed files: 0\n\n"));
    }

    void deletedFileIsReportedAndCounted()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        QTemporaryDir dir;
        const QString kept = dir.filePath("kept.r24");
        const QString gone = dir.filePath("gone.r24");
        for (const QString& path : {kept, gone}) {
            CFamilyTaxData* family = newFamily(singleRecord());
            QCOMPARE(family->saveToFile(CString(path), TabWndApp::s_appPurpose), 0);
            delete family;
            QVERIFY(f.app->saveReturnEntry(CString("Ann"), CString(""), CString(path)) != 0);
        }
        QVERIFY(QFile::remove(gone));
        CapturingUrlOpener opener;
        f.action("actionFind_Returns_Not_Filed_Online")->trigger();
        const QString text = reportText(opener);
        QVERIFY2(text.contains(gone + "\n===> file open failed\n\n"), qPrintable(text));
        // The return that was read is not filed yet.
        QVERIFY2(text.contains(kept + "\n===> Ann Lee: (not filed/unknown)  \n\n"), qPrintable(text));
        QVERIFY2(text.endsWith("Summary: Total files scaned: 2;  Not-filed files: 1\n\n"), qPrintable(text));
    }
};

QTEST_APPLESS_MAIN(TestHelpCommands)
#include "tst_helpcommands.moc"
