// The return page's login to the e-signature service, in the program as it
// starts: the configuration file points it at the service's stand-in, and
// the account comes from the settings as the preferences apply them.
#include <QtTest>

#include "fakes/esignfake.h"
#include "returnpagefixture.h"

#include <QDirIterator>

namespace {

const QString kEmail = QStringLiteral("agent@exemple.ca");
const QString kFirstPassword = QStringLiteral("premier-mdp");
const QString kAppliedPassword = QStringLiteral("applique-mdp");
const QString kSin = QStringLiteral("046454286");

QStringList g_logged;
QtMessageHandler g_previousHandler = nullptr;

void keepMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    g_logged << message;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

// What "Apply Changes" does with the account fields.
void applyAccount(TabWndApp* app, const QString& email, const QString& password)
{
    app->m_config.QuillorEmail = email;
    app->m_config.QuillorPswd = password;
    app->saveConfigDB();
}

} // namespace

class TestEsignLogin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QString why;
        QVERIFY2(EsignFake::makeCertificates(why), qPrintable(why));
        g_previousHandler = qInstallMessageHandler(keepMessage);
    }

    void cleanupTestCase() { qInstallMessageHandler(g_previousHandler); }

    void appliedPasswordIsUsedByTheNextLogin()
    {
        EsignFake fake(QJsonObject{{kEmail, kAppliedPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        WindowFixture f(fake.configLines());
        QVERIFY(f.ready);
        NewReturnBasicData record = returnpage::singleRecord();
        record.sin = kSin;
        Form_Return* page = returnpage::present(f, returnpage::newFamily(record));
        QVERIFY(page);

        // Nothing set yet: the page says so and sends nothing.
        QString token = "keep";
        QCOMPARE(page->loginToQuillorCA(token), 112);
        QCOMPARE(f.promptTexts(),
                 QStringList{"Enter Quillor points email/password in preference, they are used for Quillor purpose."});
        QVERIFY(fake.records().isEmpty());

        applyAccount(f.app, kEmail, kFirstPassword);
        QCOMPARE(page->loginToQuillorCA(token), 99);
        QCOMPARE(token, QString("keep"));
        applyAccount(f.app, kEmail, kAppliedPassword);
        QVERIFY(page->readyToQuillorCA());
        QCOMPARE(page->loginToQuillorCA(token), 0);
        QCOMPARE(token, QString("tok-1"));

        const QList<QJsonObject> records = fake.records();
        QCOMPARE(records.size(), 2);
        QCOMPARE(EsignFake::items(records[1]), QStringList({"email=" + kEmail, "password=" + kAppliedPassword}));
        // The window takes input again after the request.
        QVERIFY(f.window->isEnabled());
        QVERIFY(!QApplication::overrideCursor());

        // The settings database keeps the password as the user typed it, in a
        // file only the user can read.
        QFileInfo db(f.app->m_strDBFile);
        QVERIFY(db.exists());
        QCOMPARE(db.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
                 QFileDevice::Permissions());

        // No log or other file the program wrote, and nothing it logged, holds
        // a password, the credential, the token or the S.I.N.
        const QStringList secrets{kFirstPassword, kAppliedPassword, QStringLiteral("tok-1"), kSin,
                                  QString::fromLatin1((kEmail + ':' + kAppliedPassword).toUtf8().toBase64())};
        QDirIterator files(f.home.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        int looked = 0;
        while (files.hasNext()) {
            const QString path = files.next();
            if (QFileInfo(path).absoluteFilePath() == QFileInfo(f.app->m_strDBFile).absoluteFilePath())
                continue;
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            ++looked;
            for (const QString& secret : secrets)
                QVERIFY2(!bytes.contains(secret.toUtf8()), qPrintable(path + " holds a secret"));
        }
        QVERIFY(looked > 0); // at least the run log and the configuration file
        for (const QString& line : qAsConst(g_logged))
            for (const QString& secret : secrets)
                QVERIFY2(!line.contains(secret), qPrintable("logged: " + line));
    }
};

QTEST_APPLESS_MAIN(TestEsignLogin)
#include "tst_esignlogin.moc"
