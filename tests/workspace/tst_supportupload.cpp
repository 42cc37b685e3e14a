#include <QtTest>

#include "companion/core/appclock.h"
#include "dialogs/dlgsendfileforhelp.h"
#include "fakes/supportuploadfake.h"
#include "fakes/testcerts.h"
#include "returnpagefixture.h"
#include "workspace/supportupload.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextEdit>

using namespace returnpage;

// "Send Return File to voDarevivo" on the real window, with the support
// service played on 127.0.0.1 by its stand-in.
class TestSupportUpload : public QObject
{
    Q_OBJECT
private slots:
    void unsavedNewReturnIsNotSent();
    void savedReturnGoesWithAddressAndMessageInTheBody();
    void serverFailureIsReported();
    void unsavedEditsAreOfferedToBeSaved_data();
    void unsavedEditsAreOfferedToBeSaved();
    void cancelledDialogSendsNothing();
    void remoteNamesDifferWithinOneMinute();

private:
    struct Setup;
};

namespace {

// The window's test configuration trusts the test CA.
QByteArray trustTestCa()
{
    return "TestCAFile=" + TestCerts::caPem().toUtf8() + "\n";
}

// A failed step inside a modal loop must not leave the test waiting.
void closeModalLater()
{
    QTimer::singleShot(10000, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
}

// Fills the support dialog once it shows and presses OK or Cancel. Its
// title is kept for the test to look at.
void answerSupportDialog(const QString& email, const QString& message, bool ok, QString* title = nullptr)
{
    closeModalLater();
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<DlgSendFileForHelp*>(QApplication::activeModalWidget());
        if (!dialog)
            qFatal("the support dialog is not shown");
        if (title)
            *title = dialog->windowTitle();
        dialog->edtEmail->setText(email);
        dialog->edtMsg->setPlainText(message);
        QTest::mouseClick(dialog->buttonBox->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                          Qt::LeftButton);
    });
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const RecordedRequest::Part* partNamed(const QList<RecordedRequest::Part>& parts, const QByteArray& name)
{
    for (const RecordedRequest::Part& part : parts) {
        if (part.name == name)
            return &part;
    }
    return nullptr;
}

} // namespace

// The window with a saved single return open, and the service's stand-in.
struct TestSupportUpload::Setup
{
    Setup() : f(trustTestCa())
    {
        ready = f.ready && fake.start();
        f.app->m_config.voDarevivoWebServer = fake.hostAndPort();
        page = present(f, newFamily(singleRecord()));
        path = f.home.filePath("Ann_Lee.r24");
    }

    bool save()
    {
        f.prompter->queueFile(path);
        f.action("actionSave_Return")->trigger();
        return page && page->hasFileToSave() && QFileInfo::exists(path);
    }

    WindowFixture f;
    SupportUploadFake fake;
    Form_Return* page = nullptr;
    QString path;
    bool ready = false;
};

void TestSupportUpload::unsavedNewReturnIsNotSent()
{
    Setup s;
    QVERIFY(s.ready && s.page);
    QVERIFY(!s.page->hasFileToSave());
    QVERIFY(s.f.action("actionSend_Return_File_to_Brannock")->isEnabled());
    s.f.action("actionSend_Return_File_to_Brannock")->trigger();
    QCOMPARE(s.f.promptTexts(), QStringList{"Please save return to a file first."});
    QVERIFY(s.fake.requests().isEmpty());
}

void TestSupportUpload::savedReturnGoesWithAddressAndMessageInTheBody()
{
    Setup s;
    QVERIFY(s.ready && s.page);
    QVERIFY(s.save());
    s.f.prompter->clear();
    QString title;
    answerSupportDialog("  ann@exemple.museum ", "Line 12800 looks wrong", true, &title);
    s.f.action("actionSend_Return_File_to_Brannock")->trigger();

    QCOMPARE(title, QString("Send Return File for Help"));
    QCOMPARE(s.f.promptTexts(),
             QStringList{"file is sent successfully, we will contact you at ann@exemple.museum"});
    QCOMPARE(s.fake.requests().size(), 1);
    const RecordedRequest request = s.fake.requests().first();
    QCOMPARE(request.method, QByteArray("POST"));
    // Nothing in the address: the fields travel in the body.
    QCOMPARE(request.target, QByteArray(SupportUploadFake::uploadPath()));
    QVERIFY(request.header("Authorization").isEmpty());
    const QList<RecordedRequest::Part> parts = request.parts();
    QStringList names;
    for (const RecordedRequest::Part& part : parts)
        names << QString::fromUtf8(part.name);
    // No "path": the user's folders stay on this computer.
    QCOMPARE(names, (QStringList{"email", "msg", "file"}));
    QCOMPARE(partNamed(parts, "email")->body, QByteArray("ann@exemple.museum"));
    QCOMPARE(partNamed(parts, "msg")->body, (TabWndApp::s_appTitle + "\nLine 12800 looks wrong").toUtf8());
    const RecordedRequest::Part* file = partNamed(parts, "file");
    QCOMPARE(file->body, fileBytes(s.path));
    const QString remote = QString::fromUtf8(file->fileName);
    QVERIFY2(QRegularExpression("^\\d{8}-[0-9a-f]{8}-Ann_Lee\\.r24$").match(remote).hasMatch(), qPrintable(remote));
    QVERIFY(!request.body.contains(QFileInfo(s.path).path().toUtf8()));
}

void TestSupportUpload::serverFailureIsReported()
{
    Setup s;
    QVERIFY(s.ready && s.page);
    QVERIFY(s.save());
    s.fake.setStatus(500);
    s.f.prompter->clear();
    answerSupportDialog("a@b.co", "help", true);
    s.f.action("actionSend_Return_File_to_Brannock")->trigger();
    QCOMPARE(s.fake.requests().size(), 1);
    QCOMPARE(s.f.promptTexts(), QStringList{"file is NOT sent, please contact us for solution."});
}

void TestSupportUpload::unsavedEditsAreOfferedToBeSaved_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("sent");
    QTest::addColumn<bool>("savedFirst");
    QTest::newRow("Yes: saved, then sent") << int(Prompt::Yes) << true << true;
    QTest::newRow("No: the file as last saved") << int(Prompt::No) << true << false;
    QTest::newRow("Cancel: nothing") << int(Prompt::Cancel) << false << false;
}

void TestSupportUpload::unsavedEditsAreOfferedToBeSaved()
{
    QFETCH(int, answer);
    QFETCH(bool, sent);
    QFETCH(bool, savedFirst);
    Setup s;
    QVERIFY(s.ready && s.page);
    QVERIFY(s.save());
    const QByteArray lastSaved = fileBytes(s.path);
    QLineEdit* field = editor(s.page, "line12800SupportReceived");
    QVERIFY(field);
    field->setText("31000");
    s.f.prompter->clear();
    s.f.prompter->queueButton(Prompt::StandardButton(answer));
    if (sent)
        answerSupportDialog("a@b.co", "help", true);
    s.f.action("actionSend_Return_File_to_Brannock")->trigger();

    QVERIFY(!s.f.prompter->records().isEmpty());
    const PromptRecord& offer = s.f.prompter->records().first();
    QCOMPARE(offer.buttons, Prompt::Yes | Prompt::No | Prompt::Cancel);
    QVERIFY(offer.texts.join("\n").startsWith("This return has changes that are not saved"));
    QCOMPARE(s.fake.requests().size(), sent ? 1 : 0);
    QCOMPARE(fileBytes(s.path) != lastSaved, savedFirst);
    QCOMPARE(s.page->isChanged(), !savedFirst);
    if (sent) {
        const QList<RecordedRequest::Part> parts = s.fake.requests().first().parts();
        const RecordedRequest::Part* file = partNamed(parts, "file");
        QVERIFY(file);
        QCOMPARE(file->body, fileBytes(s.path));
    }
}

void TestSupportUpload::cancelledDialogSendsNothing()
{
    Setup s;
    QVERIFY(s.ready && s.page);
    QVERIFY(s.save());
    s.f.prompter->clear();
    answerSupportDialog("a@b.co", "help", false);
    s.f.action("actionSend_Return_File_to_Brannock")->trigger();
    QVERIFY(s.fake.requests().isEmpty());
    QVERIFY(s.f.prompter->records().isEmpty());
}

void TestSupportUpload::remoteNamesDifferWithinOneMinute()
{
    const QDateTime moment(QDate(2025, 3, 4), QTime(7, 5, 30));
    const QString first = SupportUpload::remoteFileName(moment, "/home/ann/returns/Ann_Lee.r24");
    const QString second = SupportUpload::remoteFileName(moment.addSecs(10), "/home/ann/returns/Ann_Lee.r24");
    // Month, day, hour and minute, each of two digits.
    QVERIFY2(first.startsWith("03040705-"), qPrintable(first));
    QVERIFY(second.startsWith("03040705-"));
    QVERIFY(first.endsWith("-Ann_Lee.r24") && second.endsWith("-Ann_Lee.r24"));
    QVERIFY(first != second);
    QVERIFY(!first.contains("home"));
}

QTEST_APPLESS_MAIN(TestSupportUpload)
#include "tst_supportupload.moc"
