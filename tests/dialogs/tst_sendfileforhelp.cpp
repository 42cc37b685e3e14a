#include <QtTest>

#include "common/scriptedprompter.h"
#include "dialogs/dlgsendfileforhelp.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

// The support request dialog on the real widgets: which addresses OK takes,
// what it hands to the caller, and the length of the message.
class TestSendFileForHelp : public QObject
{
    Q_OBJECT
private slots:
    void okTakesOnlyAValidAddress_data();
    void okTakesOnlyAValidAddress();
    void messageIsCutToWhatTheLabelPromises();
    void cancelHandsNothingOver();

private:
    static QString artefact(const QString& name);
};

QString TestSendFileForHelp::artefact(const QString& name)
{
    const QString folder = QCoreApplication::applicationDirPath() + "/../artefacts";
    QDir().mkpath(folder);
    return QDir(folder).absoluteFilePath(name);
}

void TestSendFileForHelp::okTakesOnlyAValidAddress_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("two-letter top-level domain") << "a@b.co" << true;
    QTest::newRow("six-letter top-level domain") << "x@y.museum" << true;
    QTest::newRow("four letters") << "_x@y.info" << true;
    QTest::newRow("capitals") << "ANN.LEE@EXEMPLE.CA" << true;
    QTest::newRow("blanks around, trimmed") << "  a@b.com " << true;
    QTest::newRow("two dots in the domain") << "a@b..c.com" << true;
    QTest::newRow("one-letter top-level domain") << "a@b.c" << false;
    QTest::newRow("no dot after @") << "a@bcom" << false;
    QTest::newRow("starts with a dot") << ".a@b.com" << false;
    QTest::newRow("starts with a hyphen") << "-a@b.com" << false;
    QTest::newRow("blank inside") << "a b@c.com" << false;
    QTest::newRow("two @") << "a@b@c.com" << false;
    QTest::newRow("digits as top-level domain") << "a@b.12" << false;
    QTest::newRow("empty") << "" << false;
}

void TestSendFileForHelp::okTakesOnlyAValidAddress()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    ScriptedPrompter prompter;
    DlgSendFileForHelp dialog(nullptr);
    dialog.setWindowTitle("Send Return File for Help");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(dialog.edtEmail, typed);
    QTest::keyClicks(dialog.edtMsg, "Line 12800 looks wrong");
    QTest::mouseClick(dialog.buttonBox->button(QDialogButtonBox::Ok), Qt::LeftButton);

    QCOMPARE(DlgSendFileForHelp::isValidEmail(typed), accepted);
    QCOMPARE(dialog.isVisible(), !accepted);
    if (accepted) {
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.m_strEmail, typed.trimmed());
        QCOMPARE(dialog.m_strMsg, QString("Line 12800 looks wrong"));
        QVERIFY(prompter.records().isEmpty());
    } else {
        QCOMPARE(prompter.records().size(), 1);
        QCOMPARE(prompter.records().first().texts.join("\n"), QString("please enter a valid email address."));
        QVERIFY(dialog.m_strMsg.isEmpty());
        // What the user typed stays for correction.
        QCOMPARE(dialog.edtEmail->text(), typed);
        if (typed == "a@b.c")
            QVERIFY(dialog.grab().save(artefact("sendfileforhelp-refused.png")));
    }
}

void TestSendFileForHelp::messageIsCutToWhatTheLabelPromises()
{
    ScriptedPrompter prompter;
    DlgSendFileForHelp dialog(nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QString longText = QString(150, QLatin1Char('a')) + QString(100, QLatin1Char('b'));
    QTest::keyClicks(dialog.edtMsg, longText.left(190));
    QCOMPARE(dialog.edtMsg->toPlainText(), longText.left(190));
    QTest::keyClicks(dialog.edtMsg, longText.mid(190));
    QCOMPARE(dialog.edtMsg->toPlainText(), longText.left(DlgSendFileForHelp::kMaxMessageLength));
    // Pasted text is cut the same way.
    dialog.edtMsg->setPlainText(longText);
    QCOMPARE(dialog.edtMsg->toPlainText().size(), 200);
    dialog.edtEmail->setText("a@b.co");
    QTest::mouseClick(dialog.buttonBox->button(QDialogButtonBox::Ok), Qt::LeftButton);
    QCOMPARE(dialog.m_strMsg, longText.left(200));
}

void TestSendFileForHelp::cancelHandsNothingOver()
{
    ScriptedPrompter prompter;
    DlgSendFileForHelp dialog(nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.edtEmail->setText("a@b.co");
    QTest::mouseClick(dialog.buttonBox->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(dialog.m_strEmail.isEmpty());
    QVERIFY(prompter.records().isEmpty());
}

QTEST_MAIN(TestSendFileForHelp)
#include "tst_sendfileforhelp.moc"
