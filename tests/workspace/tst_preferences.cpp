// The preferences as the main window opens them: what they show, what
// "Apply Changes" stores and writes, and what Browse and the folder checks do.
#include <QtTest>

#include "print/ui/esign/quilloraccountpanel.h"
#include "windowfixture.h"
#include "workspace/preferencedlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

QString artefact(const QString& name)
{
    const QString folder = QCoreApplication::applicationDirPath() + "/../artefacts";
    QDir().mkpath(folder);
    return QDir(folder).absoluteFilePath(name);
}

// What the settings table holds under name; false when absent.
bool storedSetting(TabWndApp* app, const char* name, CString& value)
{
    return app->m_dbManager.readParameter(name, value) > 0;
}

} // namespace

class TestPreferences : public QObject
{
    Q_OBJECT

private slots:
    void showsTheApplicationValuesAndKeepsAScreenshot()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        f.app->m_config.BusinessName = "Comptables Nord";
        f.app->m_config.PreAssessment = 1;
        f.app->m_config.PostAssessment = 0;
        f.app->m_config.QuillorEmail = "agent@exemple.ca";
        PreferenceDlg dialog(f.window);
        QCOMPARE(dialog.windowTitle(), QString("Preference"));
        QCOMPARE(dialog.tabWidget->count(), 3);
        QCOMPARE(dialog.tabWidget->currentIndex(), 2);
        QCOMPARE(dialog.edtBusiName->text(), QString("Comptables Nord"));
        QVERIFY(dialog.rdoPreAssessTaxPayer->isChecked());
        QVERIFY(dialog.rdoPostAssessPreparer->isChecked());
        QCOMPARE(dialog.accountPanel->edtUserEmail->text(), QString("agent@exemple.ca"));
        QCOMPARE(dialog.edtEFilerPswd->echoMode(), QLineEdit::PasswordEchoOnEdit);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (int i = 0; i < dialog.tabWidget->count(); ++i) {
            dialog.tabWidget->setCurrentIndex(i);
            QVERIFY(dialog.grab().save(artefact(QString("preferences-tab%1.png").arg(i))));
        }
    }

    void applyInTestModeWritesTheTestEfileKeys()
    {
        WindowFixture f; // the fixture's configuration is in test mode
        QVERIFY(f.ready);
        QVERIFY(f.app->m_config.MODEDEBUG);
        PreferenceDlg dialog(f.window);
        dialog.edtFolderRetFiles->setText(QString());
        dialog.edtFolderPdfFiles->setText(QString());
        dialog.edtEFilerID->setText("T9876");
        dialog.edtEFilerPswd->setText("essai");
        dialog.edtBusiName->setText("  Typed as is ");
        dialog.on_btnApply_clicked();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(f.app->m_config.BusinessEFileNum, CString("T9876"));
        QCOMPARE(f.app->m_config.BusinessName, CString("  Typed as is "));

        CString value;
        QVERIFY(storedSetting(f.app, "BusinessEFileNumDbg", value));
        QCOMPARE(value, CString("T9876"));
        QVERIFY(storedSetting(f.app, "BusinessEFilePasswordDbg", value));
        QCOMPARE(value, CString("essai"));
        value.clear();
        storedSetting(f.app, "BusinessEFileNum", value);
        QVERIFY(value != CString("T9876"));
    }

    void contactLeftUncheckedKeepsItsSetting()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        f.app->m_config.PreAssessment = 7;
        PreferenceDlg dialog(f.window);
        QVERIFY(!dialog.rdoPreAssessPreparer->isChecked());
        QVERIFY(!dialog.rdoPreAssessTaxPayer->isChecked());
        dialog.edtFolderRetFiles->setText(QString());
        dialog.edtFolderPdfFiles->setText(QString());
        dialog.on_btnApply_clicked();
        QCOMPARE(f.app->m_config.PreAssessment, 7);
    }

    void browse_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("expected");
        QTest::newRow("cancelled: unchanged") << QString() << QString("/typed/before");
        QTest::newRow("chosen: native separators") << QString("/chosen/folder")
                                                   << QDir::toNativeSeparators("/chosen/folder");
    }

    void browse()
    {
        QFETCH(QString, answer);
        QFETCH(QString, expected);
        WindowFixture f;
        QVERIFY(f.ready);
        PreferenceDlg dialog(f.window);
        for (QLineEdit* edit : {dialog.edtFolderRetFiles, dialog.edtFolderPdfFiles}) {
            edit->setText("/typed/before");
            if (answer.isEmpty())
                f.prompter->queueCancel();
            else
                f.prompter->queueFile(answer);
        }
        QTest::mouseClick(dialog.btnBrowseRetFilesFolder, Qt::LeftButton);
        QTest::mouseClick(dialog.btnBrowsePdfFilesFolder, Qt::LeftButton);
        QCOMPARE(dialog.edtFolderRetFiles->text(), expected);
        QCOMPARE(dialog.edtFolderPdfFiles->text(), expected);
        QCOMPARE(f.prompter->records().size(), 2);
        QCOMPARE(f.prompter->records()[0].title, QString("Select Folder (need write access)"));
        QCOMPARE(f.prompter->records()[0].texts.value(0), QString("/typed/before"));
        // Nothing is stored before Apply.
        QVERIFY(f.app->m_config.RetPath != CString(expected));
    }

    void missingFolderIsOfferedForCreation_data()
    {
        QTest::addColumn<bool>("create");
        QTest::newRow("declined: stays open, nothing stored") << false;
        QTest::newRow("accepted: created and stored") << true;
    }

    void missingFolderIsOfferedForCreation()
    {
        QFETCH(bool, create);
        WindowFixture f;
        QVERIFY(f.ready);
        const CString before = f.app->m_config.RetPath;
        const QString missing = f.home.path() + "/nouveau/retours";
        PreferenceDlg dialog(f.window);
        dialog.edtFolderRetFiles->setText(missing);
        dialog.edtFolderPdfFiles->setText(f.home.path());
        dialog.edtBusiName->setText("Changed");
        f.prompter->queueYes(create);
        dialog.on_btnApply_clicked();
        QCOMPARE(f.prompter->records().size(), 1);
        QVERIFY(f.prompter->records()[0].texts.join(' ').contains(missing));
        QCOMPARE(QFileInfo(missing).isDir(), create);
        if (create) {
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(f.app->m_config.RetPath, CString(missing));
        } else {
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(f.app->m_config.RetPath, before);
            QVERIFY(f.app->m_config.BusinessName != CString("Changed"));
        }
    }

    void unwritableFolderIsRefused()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        const QString locked = f.home.path() + "/verrou";
        QVERIFY(QDir().mkpath(locked));
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        if (QTemporaryFile(locked + "/x-XXXXXX").open())
            QSKIP("running with rights that ignore permissions");
        PreferenceDlg dialog(f.window);
        dialog.edtFolderRetFiles->setText(locked);
        dialog.on_btnApply_clicked();
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(f.prompter->records().size(), 1);
        QVERIFY(f.prompter->records()[0].texts.join(' ').contains("cannot be written"));
        QVERIFY(f.app->m_config.RetPath != CString(locked));
    }

    void commandOpensTheDialogOverTheWindow()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        bool opened = false;
        QTimer::singleShot(0, [&opened] {
            auto* dialog = qobject_cast<PreferenceDlg*>(QApplication::activeModalWidget());
            opened = dialog != nullptr;
            if (dialog)
                dialog->btnCancel->click();
        });
        f.action("actionPreference")->trigger();
        QVERIFY(opened);
        QVERIFY(f.prompter->records().isEmpty());
        QVERIFY(f.window->findChildren<PreferenceDlg*>().isEmpty()); // destroyed after use
    }

    void cancelDiscardsEdits()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        const CString before = f.app->m_config.BusinessName;
        PreferenceDlg dialog(f.window);
        dialog.edtBusiName->setText("Never stored");
        QTest::mouseClick(dialog.btnCancel, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(f.app->m_config.BusinessName, before);
    }
};

QTEST_APPLESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
