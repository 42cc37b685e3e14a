// The "Check points" button of the preferences' e-signature account, with
// the service's stand-in on loopback HTTPS: what the typed account sends,
// and that the window takes no input while a check waits for its reply.
#include <QtTest>

#include "common/scriptedprompter.h"
#include "companion/core/qwebclient.h"
#include "fakes/esignfake.h"
#include "print/ui/esign/quilloraccountpanel.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kEmail = QStringLiteral("agent@exemple.ca");
const QString kPassword = QStringLiteral("motdepasse");

// The preferences as far as the check needs them: a modal dialog that holds
// the account panel.
struct Preferences
{
    ScriptedPrompter prompter;
    QDialog dialog;
    QuillorAccountPanel* panel = nullptr;

    explicit Preferences(const EsignFake& fake)
    {
        FeatureContext context;
        context.prompter = &prompter;
        context.edition = 2;
        const QString host = fake.hostAndPort();
        panel = new QuillorAccountPanel(context, [host] {
            return QuillorSettings{host, QString(), QString(), QStringLiteral("voDarevivo - Testing")};
        });
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(panel);
        dialog.show();
    }

    void type(const QString& email, const QString& password)
    {
        panel->edtUserEmail->setText(email);
        panel->edtUserPswd->setText(password);
    }
    void click() { QTest::mouseClick(panel->btnCheckPoints, Qt::LeftButton); }
};

} // namespace

class TestEsignAccountPanel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QString why;
        QVERIFY2(EsignFake::makeCertificates(why), qPrintable(why));
        QVERIFY(QWebClient::addTrustedCaFile(EsignFake::caFile()));
        QWebClient::setDefaultTimeoutMs(10000);
    }

    void passwordIsMaskedExceptWhileEditing()
    {
        EsignFake fake;
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        Preferences prefs(fake);
        QCOMPARE(prefs.panel->edtUserPswd->echoMode(), QLineEdit::PasswordEchoOnEdit);
        QCOMPARE(prefs.panel->btnCheckPoints->text(), QString("Check points"));
    }

    void typedAccountIsChecked()
    {
        EsignFake fake(QJsonObject{{kEmail, QJsonObject{{"password", kPassword}, {"points", 7}}}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        Preferences prefs(fake);
        prefs.type(kEmail, QString());
        prefs.click();
        QCOMPARE(prefs.prompter.records().size(), 1);
        QCOMPARE(prefs.prompter.records().last().texts,
                 QStringList{"Please enter valid email address and password for user points."});
        QVERIFY(fake.records().isEmpty());

        prefs.type(kEmail, kPassword);
        prefs.click();
        QCOMPARE(prefs.prompter.records().size(), 2);
        QCOMPARE(prefs.prompter.records().last().texts,
                 QStringList{QString("Your account has 7 points available. [%1]").arg(fake.hostAndPort())});
        QCOMPARE(fake.records().size(), 1);
    }

    void fourthClickSendsNothing()
    {
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        Preferences prefs(fake);
        prefs.type(kEmail, kPassword);
        for (int i = 0; i < 4; ++i)
            prefs.click();
        QCOMPARE(fake.records().size(), 3);
        QCOMPARE(prefs.prompter.records().size(), 4);
        QCOMPARE(prefs.prompter.records().last().texts,
                 QStringList{"Account check is limited to three times each time Preference is opened."});
    }

    // While the reply is slow the user clicks again and tries to close the
    // preferences: neither reaches the dialog.
    void windowTakesNoInputDuringACheck()
    {
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        fake.script("/api/user/verify", QJsonArray{EsignFake::reply(200, R"({"points":1})", 1500)});
        Preferences prefs(fake);
        prefs.type(kEmail, kPassword);

        bool enabledDuring = true;
        bool waitCursorDuring = false;
        bool visibleAfterClose = false;
        QTimer::singleShot(300, &prefs.dialog, [&] {
            enabledDuring = prefs.dialog.isEnabled();
            waitCursorDuring = QApplication::overrideCursor()
                && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            prefs.click();
            prefs.panel->btnCheckPoints->click();
            prefs.dialog.close();
            visibleAfterClose = prefs.dialog.isVisible();
        });
        prefs.click();

        QVERIFY(!enabledDuring);
        QVERIFY(waitCursorDuring);
        QVERIFY(visibleAfterClose);
        QCOMPARE(fake.records().size(), 1);
        QCOMPARE(prefs.prompter.records().size(), 1);
        QCOMPARE(prefs.panel->accountCheck().checksMade(), 1);
        // Afterwards the window is usable again and the cursor is back.
        QVERIFY(prefs.dialog.isEnabled());
        QVERIFY(prefs.dialog.isVisible());
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(TestEsignAccountPanel)
#include "tst_esignaccountpanel.moc"
