// The dialog that follows a print: its look in both modes, the check of the
// receiver's e-mail and the link to the PDF, which reaches the URL opener as
// the local-file URL it was given.
#include <QtTest>

#include "common/capturingurlopener.h"
#include "common/scriptedprompter.h"
#include "print/ui/esign/dlgquillorafterprint.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kWarning = QStringLiteral("Please make sure receiver's email is not empty and valid.");

void saveShot(QWidget* widget, const QString& name)
{
    const QString folder = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../artefacts");
    QDir().mkpath(folder);
    widget->grab().save(folder + "/" + name + ".png");
}

} // namespace

class TestAfterPrintDialog : public QObject
{
    Q_OBJECT

private slots:
    void looksAsLaidOut_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("okText");
        QTest::addColumn<bool>("deliveryShown");
        QTest::newRow("e-delivery") << 1 << "E-Delivery" << true;
        QTest::newRow("e-signature") << 0 << "Request E-Signature" << false;
    }
    void looksAsLaidOut()
    {
        QFETCH(int, mode);
        QFETCH(QString, okText);
        QFETCH(bool, deliveryShown);
        DlgQuillorAfterPrint dialog(mode, QUrl::fromLocalFile("/home/agent/PDFs/Jean Tremblay_0_0_0.pdf"),
                                    "client@example.ca");
        dialog.setWindowTitle("Generate Printable Return File");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.size(), QSize(645, 340));
        QCOMPARE(dialog.font().pointSize(), 11);
        QPushButton* ok = dialog.ui->buttonBox->button(QDialogButtonBox::Ok);
        QPushButton* close = dialog.ui->buttonBox->button(QDialogButtonBox::Cancel);
        QCOMPARE(ok->text(), okText);
        QCOMPARE(close->text(), QString("Close"));
        QVERIFY(close->isDefault());
        QVERIFY(!ok->isDefault());
        QCOMPARE(dialog.ui->lblDelivery->isVisible(), deliveryShown);
        QCOMPARE(dialog.ui->lblSignature->isVisible(), !deliveryShown);
        // Either request carries the full S.I.N.: the preparer reads so before sending.
        QVERIFY(dialog.ui->lblSinNotice->isVisible());
        QCOMPARE(dialog.ui->lblSinNotice->text(),
                 QString("The taxpayer's full S.I.N. is sent to Quillor with the document."));
        QVERIFY(dialog.content().texts().contains(dialog.ui->lblSinNotice->text()));
        QCOMPARE(dialog.ui->edtToEmail->text(), QString("client@example.ca"));
        saveShot(&dialog, QStringLiteral("afterprint-mode%1").arg(mode));
    }

    void okChecksTheEmail_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("closes");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("not an address") << "client at example" << false;
        QTest::newRow("address") << "client@example.ca" << true;
    }
    void okChecksTheEmail()
    {
        QFETCH(QString, typed);
        QFETCH(bool, closes);
        ScriptedPrompter prompter;
        DlgQuillorAfterPrint dialog(1, QUrl::fromLocalFile("/tmp/return.pdf"), QString());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.ui->edtToEmail->setText(typed);
        QTest::mouseClick(dialog.ui->buttonBox->button(QDialogButtonBox::Ok), Qt::LeftButton);

        QCOMPARE(dialog.isVisible(), !closes);
        QCOMPARE(dialog.m_strToEmail, typed);
        if (closes) {
            QCOMPARE(dialog.result(), 1);
            QVERIFY(prompter.records().isEmpty());
        } else {
            QCOMPARE(prompter.records().size(), 1);
            QCOMPARE(prompter.records()[0].title, QString("Warnings"));
            QCOMPARE(prompter.records()[0].texts, QStringList{kWarning});
            QCOMPARE(int(prompter.records()[0].icon), int(Prompt::Warning));
        }
    }

    // Without a window the prompter's answer is checked the same way: an
    // empty answer is warned about and asked again.
    void answerWithoutAWindowIsChecked()
    {
        ScriptedPrompter prompter;
        prompter.queueText("");
        prompter.queueText("client@example.ca");
        DlgQuillorAfterPrint dialog(1, QUrl::fromLocalFile("/tmp/return.pdf"), QString());
        QCOMPARE(dialog.exec(), 1);
        QCOMPARE(dialog.m_strToEmail, QString("client@example.ca"));
        QCOMPARE(prompter.records().size(), 3);
        QCOMPARE(prompter.records()[1].texts, QStringList{kWarning});
    }

    void linkOpensTheExactLocalFile()
    {
        CapturingUrlOpener opener;
        QTemporaryDir dir;
        const QString folder = dir.filePath("My PDFs #2 & co");
        QVERIFY(QDir().mkpath(folder));
        const QString pdf = folder + "/Jean_0_0_0.pdf";
        const QUrl link = QUrl::fromLocalFile(pdf);
        DlgQuillorAfterPrint dialog(1, link, QString());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // The label holds an escaped link; activating it hands over the URL.
        QVERIFY(!dialog.ui->lblFileLink->text().contains("& co"));
        emit dialog.ui->lblFileLink->linkActivated(dialog.ui->lblFileLink->text());
        QCOMPARE(opener.urls.size(), 1);
        QCOMPARE(opener.urls[0], link);
        QCOMPARE(opener.urls[0].toLocalFile(), pdf);
        QVERIFY(dialog.isVisible()); // the dialog stays open
        saveShot(&dialog, "afterprint-link");
    }
};

QTEST_MAIN(TestAfterPrintDialog)
#include "tst_afterprintdialog.moc"
