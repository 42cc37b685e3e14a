#include <QtTest>

#include "common/scriptedprompter.h"
#include "companion/ui/cyesnocontinuedlg.h"
#include "companion/ui/dlggeneralinput.h"
#include "companion/ui/dlgmsgwithlink.h"
#include "companion/core/messages.h"
#include "companion/core/quietprompter.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The message functions a case calls; each returns its answer as text.
enum class Call
{
    InformationDirErad,
    InformationEFile,
    Question,
    QuestionWithButtons,
    WarnYesNo,
    MessageWithLink,
    ContinueDialogObject,
    PasswordPrompt,
    OpenFile,
    Folder,
};

enum class Script { Nothing, Yes, No, ButtonNo, ButtonCancel, Text, Cancel, File };

const QString kDirErad = QStringLiteral("voDarevivo 2024 for DirErad");
const QString kEFile = QStringLiteral("voDarevivo 2024 for EFile");

QString buttonName(Prompt::StandardButton b)
{
    return QString::number(int(b));
}

QString runCall(Call call)
{
    switch (call) {
    case Call::InformationDirErad:
        gMsgInformation(2, QStringLiteral("Tax return province is not changed!"), nullptr);
        return QString();
    case Call::InformationEFile:
        gMsgInformation(1, QStringLiteral("Please stop the search process first"), nullptr);
        return QString();
    case Call::Question:
        return buttonName(gMsgQuestion(2, QStringLiteral("Form contains validation errors."), nullptr));
    case Call::QuestionWithButtons:
        return buttonName(promptQuestion(nullptr, gMsgTitle(2),
                                         QStringLiteral("Do you want to save changed data?"),
                                         Prompt::Yes | Prompt::No | Prompt::Cancel));
    case Call::WarnYesNo:
        return CYesNoContinueDlg::warnYesNoMsg(nullptr, QStringLiteral("voDarevivo Warning Message"),
                                               QStringLiteral("Please note that this is an Amended Return."))
            ? QStringLiteral("yes") : QStringLiteral("no");
    case Call::MessageWithLink: {
        DlgMsgWithLink dlg(QStringLiteral("Find Industry Code"), nullptr);
        dlg.setMsg1(QStringLiteral("Industry code is a 6-digit code."));
        dlg.setMsg2(QStringLiteral("Find a industry code from the following web link:"));
        dlg.setLink(QStringLiteral("https://example.org/naics"));
        return QString::number(dlg.exec());
    }
    case Call::ContinueDialogObject: {
        CYesNoContinueDlg dlg(QStringLiteral("voDarevivo Warning Message"), nullptr);
        dlg.setMsg(1, QStringLiteral("voDarevivo Warning Message"), false);
        dlg.setMsg(2, QStringLiteral("Direct Deposit enrolment is available."), false);
        dlg.setMsg(4, QStringLiteral("https://example.org/dd-form"), true);
        dlg.resize(700, 400);
        return QString::number(dlg.exec());
    }
    case Call::PasswordPrompt: {
        QString text;
        const QStringList lines{QStringLiteral("Please enter the password for this return file"),
                                QStringLiteral("This return file is proetected by a password"),
                                QString(), QStringLiteral("Press 'Cancel' button to cancel")};
        const bool ok = dlgGeneralInput::getText(nullptr, QStringLiteral("Enter password to open file"),
                                                 lines, text, true);
        return ok ? QStringLiteral("ok:") + text : QStringLiteral("cancel");
    }
    case Call::OpenFile:
        return chooseOpenFile(nullptr, QStringLiteral("Open Return File"), QStringLiteral("/home/u"),
                              QStringLiteral("*.r24 Return files (*.r24);;All files (*.*)"));
    case Call::Folder:
        return chooseFolder(nullptr, QStringLiteral("Select Folder (need write access)"),
                            QStringLiteral("/home/u/pdf"));
    }
    return QString();
}

void applyScript(ScriptedPrompter& prompter, Script script)
{
    switch (script) {
    case Script::Nothing: break;
    case Script::Yes: prompter.queueYes(true); break;
    case Script::No: prompter.queueYes(false); break;
    case Script::ButtonNo: prompter.queueButton(Prompt::No); break;
    case Script::ButtonCancel: prompter.queueButton(Prompt::Cancel); break;
    case Script::Text: prompter.queueText(QStringLiteral("s3cret & <b>")); break;
    case Script::Cancel: prompter.queueCancel(); break;
    case Script::File: prompter.queueFile(QStringLiteral("/home/u/smith.r24")); break;
    }
}

// Closes whatever modal window is open, so a test that was wrongly left
// waiting on one fails instead of hanging.
class Watchdog
{
public:
    explicit Watchdog(int ms)
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_fired = true;
            while (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        m_timer.start(ms);
    }
    bool fired() const { return m_fired; }

private:
    QTimer m_timer;
    bool m_fired = false;
};

} // namespace

Q_DECLARE_METATYPE(Call)
Q_DECLARE_METATYPE(Script)
Q_DECLARE_METATYPE(PromptKind)

class TestPrompter : public QObject
{
    Q_OBJECT
private slots:
    void editionTitle_data();
    void editionTitle();
    void scriptedCalls_data();
    void scriptedCalls();
    void answersAreTakenInOrder();
    void askingCreatesNoWidget();
    void cautiousButton_data();
    void cautiousButton();
    void quietPrompterNeverBlocks();
    void widgetPrompterRunsRealDialogs();
    void widgetPrompterOffTheGuiThread();
};

void TestPrompter::editionTitle_data()
{
    QTest::addColumn<int>("edition");
    QTest::addColumn<QString>("title");
    QTest::newRow("DIRERAD") << 2 << kDirErad;
    QTest::newRow("EFILE") << 1 << kEFile;
    QTest::newRow("both bits") << 3 << kDirErad;
}

void TestPrompter::editionTitle()
{
    QFETCH(int, edition);
    QFETCH(QString, title);
    QString got = QStringLiteral("stale");
    gMsgGetTitle(static_cast<unsigned char>(edition), got);
    QCOMPARE(got, title);
}

void TestPrompter::scriptedCalls_data()
{
    QTest::addColumn<Call>("call");
    QTest::addColumn<Script>("script");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<PromptKind>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("byDefault");
    QTest::addColumn<int>("leftInQueue");

    const QString yes = buttonName(Prompt::Yes);
    const QString no = buttonName(Prompt::No);
    const QString cancel = buttonName(Prompt::Cancel);
    const QStringList questionText{QStringLiteral("Form contains validation errors.")};
    const QStringList saveText{QStringLiteral("Do you want to save changed data?")};
    const QStringList warnText{QStringLiteral("Please note that this is an Amended Return.")};
    const QString warnTitle = QStringLiteral("voDarevivo Warning Message");
    const QStringList passwordLines{QStringLiteral("Please enter the password for this return file"),
                                    QStringLiteral("This return file is proetected by a password"),
                                    QStringLiteral("Press 'Cancel' button to cancel")};
    const QStringList openTexts{QStringLiteral("/home/u"),
                                QStringLiteral("*.r24 Return files (*.r24);;All files (*.*)")};

    QTest::newRow("information asks nothing")
        << Call::InformationDirErad << Script::Yes << QString() << PromptKind::MessageBox << kDirErad
        << QStringList{QStringLiteral("Tax return province is not changed!")} << QString() << false << 1;
    QTest::newRow("information in the EFILE edition")
        << Call::InformationEFile << Script::Nothing << QString() << PromptKind::MessageBox << kEFile
        << QStringList{QStringLiteral("Please stop the search process first")} << QString() << false << 0;
    QTest::newRow("question yes") << Call::Question << Script::Yes << yes << PromptKind::MessageBox
                                  << kDirErad << questionText << QString() << false << 0;
    QTest::newRow("question no button") << Call::Question << Script::ButtonNo << no << PromptKind::MessageBox
                                        << kDirErad << questionText << QString() << false << 0;
    QTest::newRow("question unanswered is no") << Call::Question << Script::Nothing << no
                                               << PromptKind::MessageBox << kDirErad << questionText
                                               << QString() << true << 0;
    QTest::newRow("caller's buttons: cancel") << Call::QuestionWithButtons << Script::ButtonCancel << cancel
                                              << PromptKind::MessageBox << kDirErad << saveText
                                              << QString() << false << 0;
    QTest::newRow("caller's buttons: no") << Call::QuestionWithButtons << Script::No << cancel
                                          << PromptKind::MessageBox << kDirErad << saveText << QString()
                                          << false << 0;
    QTest::newRow("caller's buttons unanswered is cancel")
        << Call::QuestionWithButtons << Script::Nothing << cancel << PromptKind::MessageBox << kDirErad
        << saveText << QString() << true << 0;
    QTest::newRow("warning continued") << Call::WarnYesNo << Script::Yes << QStringLiteral("yes")
                                       << PromptKind::ContinueQuestion << warnTitle << warnText << QString()
                                       << false << 0;
    QTest::newRow("warning stopped") << Call::WarnYesNo << Script::No << QStringLiteral("no")
                                     << PromptKind::ContinueQuestion << warnTitle << warnText << QString()
                                     << false << 0;
    QTest::newRow("warning unanswered stops") << Call::WarnYesNo << Script::Nothing << QStringLiteral("no")
                                              << PromptKind::ContinueQuestion << warnTitle << warnText
                                              << QString() << true << 0;
    QTest::newRow("message with link asks nothing")
        << Call::MessageWithLink << Script::Nothing << QString::number(QDialog::Accepted)
        << PromptKind::MessageWithLink << QStringLiteral("Find Industry Code")
        << QStringList{QStringLiteral("Industry code is a 6-digit code."),
                       QStringLiteral("Find a industry code from the following web link:")}
        << QStringLiteral("https://example.org/naics") << false << 0;
    QTest::newRow("dialog object continued")
        << Call::ContinueDialogObject << Script::Yes << QString::number(QDialog::Accepted)
        << PromptKind::ContinueQuestion << warnTitle
        << QStringList{warnTitle, QStringLiteral("Direct Deposit enrolment is available.")}
        << QStringLiteral("https://example.org/dd-form") << false << 0;
    QTest::newRow("dialog object unanswered stops")
        << Call::ContinueDialogObject << Script::Nothing << QString::number(QDialog::Rejected)
        << PromptKind::ContinueQuestion << warnTitle
        << QStringList{warnTitle, QStringLiteral("Direct Deposit enrolment is available.")}
        << QStringLiteral("https://example.org/dd-form") << true << 0;
    QTest::newRow("password entered") << Call::PasswordPrompt << Script::Text
                                      << QStringLiteral("ok:s3cret & <b>") << PromptKind::TextInput
                                      << QStringLiteral("Enter password to open file") << passwordLines
                                      << QString() << false << 0;
    QTest::newRow("password cancelled") << Call::PasswordPrompt << Script::Cancel << QStringLiteral("cancel")
                                        << PromptKind::TextInput << QStringLiteral("Enter password to open file")
                                        << passwordLines << QString() << false << 0;
    QTest::newRow("password unanswered is cancelled")
        << Call::PasswordPrompt << Script::Nothing << QStringLiteral("cancel") << PromptKind::TextInput
        << QStringLiteral("Enter password to open file") << passwordLines << QString() << true << 0;
    QTest::newRow("open file chosen") << Call::OpenFile << Script::File << QStringLiteral("/home/u/smith.r24")
                                      << PromptKind::OpenFile << QStringLiteral("Open Return File")
                                      << openTexts << QString() << false << 0;
    QTest::newRow("open file cancelled") << Call::OpenFile << Script::Cancel << QString() << PromptKind::OpenFile
                                         << QStringLiteral("Open Return File") << openTexts << QString()
                                         << false << 0;
    QTest::newRow("folder unanswered is none")
        << Call::Folder << Script::Nothing << QString() << PromptKind::Folder
        << QStringLiteral("Select Folder (need write access)")
        << QStringList{QStringLiteral("/home/u/pdf"), QString()} << QString() << true << 0;
}

void TestPrompter::scriptedCalls()
{
    QFETCH(Call, call);
    QFETCH(Script, script);
    QFETCH(QString, expected);
    QFETCH(PromptKind, kind);
    QFETCH(QString, title);
    QFETCH(QStringList, texts);
    QFETCH(QString, link);
    QFETCH(bool, byDefault);
    QFETCH(int, leftInQueue);

    ScriptedPrompter prompter;
    applyScript(prompter, script);
    QCOMPARE(runCall(call), expected);

    QCOMPARE(prompter.records().size(), 1);
    const PromptRecord& record = prompter.records().first();
    QCOMPARE(record.kind, kind);
    QCOMPARE(record.title, title);
    QCOMPARE(record.texts, texts);
    QCOMPARE(record.link, link);
    QCOMPARE(record.answeredByDefault, byDefault);
    QVERIFY(!record.unexpectedAnswer);
    QCOMPARE(prompter.pendingAnswers(), leftInQueue);
    if (call == Call::PasswordPrompt)
        QVERIFY(record.secret);
}

void TestPrompter::answersAreTakenInOrder()
{
    ScriptedPrompter prompter;
    prompter.queueText(QStringLiteral("pw"));
    prompter.queueYes(true);

    // The question comes first, but the script expected a text prompt: the
    // question gets the cautious answer and the text stays for the prompt.
    QCOMPARE(gMsgQuestion(2, QStringLiteral("Out of step?"), nullptr), Prompt::No);
    QVERIFY(prompter.records().at(0).unexpectedAnswer);

    QString text;
    QVERIFY(dlgGeneralInput::getText(nullptr, QStringLiteral("t"), {QStringLiteral("line")}, text));
    QCOMPARE(text, QStringLiteral("pw"));
    QVERIFY(CYesNoContinueDlg::warnYesNoMsg(nullptr, QStringLiteral("t"), QStringLiteral("go on?")));
    QCOMPARE(prompter.pendingAnswers(), 0);
    QCOMPARE(prompter.records().size(), 3);
    QVERIFY(prompter.hadUnexpectedAnswer());

    // A button the box does not offer is out of step too.
    prompter.clear();
    prompter.queueButton(Prompt::Save);
    QCOMPARE(gMsgQuestion(2, QStringLiteral("Yes or no?"), nullptr), Prompt::No);
    QVERIFY(prompter.hadUnexpectedAnswer());
    QCOMPARE(prompter.pendingAnswers(), 1);
}

void TestPrompter::askingCreatesNoWidget()
{
    // The return model asks through these; with a prompter that shows no
    // window they must not create a widget at all.
    ScriptedPrompter prompter;
    prompter.queueYes(true);
    prompter.queueText(QStringLiteral("pw"));
    prompter.queueYes(true);
    const int widgetsBefore = QApplication::allWidgets().size();

    QVERIFY(CYesNoContinueDlg::warnYesNoMsg(nullptr, QStringLiteral("t"), QStringLiteral("go on?")));
    QString text;
    QVERIFY(dlgGeneralInput::getText(nullptr, QStringLiteral("t"), {QStringLiteral("line")}, text, true));
    DlgMsgWithLink::showMessage(nullptr, QStringLiteral("t"), QStringLiteral("one"), QString(),
                                QStringLiteral("https://example.org"));
    PromptContent box = CYesNoContinueDlg::describe(QStringLiteral("t"));
    box.setLine(2, QStringLiteral("Please confirm tax residency."));
    box.size = QSize(700, 500);
    QVERIFY(CYesNoContinueDlg::ask(nullptr, box));
    QCOMPARE(gMsgQuestion(2, QStringLiteral("q"), nullptr), Prompt::No);

    QCOMPARE(QApplication::allWidgets().size(), widgetsBefore);
    QCOMPARE(prompter.records().size(), 5);
    QCOMPARE(prompter.records().at(2).kind, PromptKind::MessageWithLink);
    QCOMPARE(prompter.records().at(2).texts, QStringList{QStringLiteral("one")});
    QCOMPARE(prompter.records().at(3).texts, QStringList{QStringLiteral("Please confirm tax residency.")});
}

void TestPrompter::cautiousButton_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("cautious");
    QTest::addColumn<int>("affirmative");
    QTest::newRow("yes no") << int(Prompt::Yes | Prompt::No) << int(Prompt::No)
                            << int(Prompt::Yes);
    QTest::newRow("yes no cancel") << int(Prompt::Yes | Prompt::No | Prompt::Cancel)
                                   << int(Prompt::Cancel) << int(Prompt::Yes);
    QTest::newRow("ok cancel") << int(Prompt::Ok | Prompt::Cancel) << int(Prompt::Cancel)
                               << int(Prompt::Ok);
    QTest::newRow("ok only") << int(Prompt::Ok) << int(Prompt::Ok) << int(Prompt::Ok);
    QTest::newRow("save discard") << int(Prompt::Save | Prompt::Discard) << int(Prompt::Discard)
                                  << int(Prompt::Save);
}

void TestPrompter::cautiousButton()
{
    QFETCH(int, buttons);
    QFETCH(int, cautious);
    QFETCH(int, affirmative);
    const auto set = Prompt::StandardButtons(buttons);
    QCOMPARE(int(Prompter::cautiousButton(set)), cautious);
    QCOMPARE(int(Prompter::affirmativeButton(set)), affirmative);
}

void TestPrompter::quietPrompterNeverBlocks()
{
    QuietPrompter quiet;
    ScopedPrompter installed(&quiet);
    Watchdog watchdog(3000);

    QTest::ignoreMessage(QtInfoMsg, "voDarevivo 2024 for DirErad: Batch run note");
    gMsgInformation(2, QStringLiteral("Batch run note"), nullptr);
    QCOMPARE(gMsgQuestion(2, QStringLiteral("Overwrite?"), nullptr), Prompt::No);
    QCOMPARE(promptQuestion(nullptr, QStringLiteral("t"), QStringLiteral("Save?"),
                            Prompt::Yes | Prompt::No | Prompt::Cancel),
             Prompt::Cancel);
    QVERIFY(!CYesNoContinueDlg::warnYesNoMsg(nullptr, QStringLiteral("t"), QStringLiteral("Continue?")));

    DlgMsgWithLink info(QStringLiteral("About"), nullptr);
    info.setMsg1(QStringLiteral("released"));
    QCOMPARE(info.exec(), int(QDialog::Accepted));

    QString text = QStringLiteral("unchanged");
    QVERIFY(!dlgGeneralInput::getText(nullptr, QStringLiteral("Enter password to open file"),
                                      {QStringLiteral("Please enter the password")}, text, true));
    QCOMPARE(text, QStringLiteral("unchanged"));
    QVERIFY(chooseOpenFile(nullptr, QStringLiteral("Open"), QString(), QStringLiteral("*.r24")).isEmpty());
    QVERIFY(chooseSaveFile(nullptr, QStringLiteral("Save"), QString(), QStringLiteral("*.r24")).isEmpty());
    QVERIFY(chooseFolder(nullptr, QStringLiteral("Folder"), QString()).isEmpty());

    QVERIFY(!watchdog.fired());
}

void TestPrompter::widgetPrompterRunsRealDialogs()
{
    // No prompter installed: the real dialogs are shown and wait for a click.
    Watchdog watchdog(5000);

    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<CYesNoContinueDlg*>(QApplication::activeModalWidget());
        if (dlg)
            dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Yes)->click();
    });
    QVERIFY(CYesNoContinueDlg::warnYesNoMsg(nullptr, QStringLiteral("t"), QStringLiteral("Continue?")));

    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box)
            box->button(QMessageBox::Yes)->click();
    });
    QCOMPARE(gMsgQuestion(2, QStringLiteral("Real box?"), nullptr), Prompt::Yes);

    // Buttons given words show them; the answer is still the button's.
    QStringList shownWords;
    QTimer::singleShot(0, [&shownWords] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        shownWords << box->button(QMessageBox::Yes)->text() << box->button(QMessageBox::No)->text();
        const QString folder = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../artefacts");
        QDir().mkpath(folder);
        box->grab().save(folder + "/question-with-button-words.png");
        box->button(QMessageBox::No)->click();
    });
    QVERIFY(!gMsgChoice(2, QStringLiteral("Send it?"), QStringLiteral("Send the return"), QStringLiteral("Keep it"),
                        nullptr));
    QCOMPARE(shownWords, (QStringList{"Send the return", "Keep it"}));

    // A continue question's buttons take words the same way.
    shownWords.clear();
    QTimer::singleShot(0, [&shownWords] {
        auto* dlg = qobject_cast<CYesNoContinueDlg*>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        auto* buttons = dlg->findChild<QDialogButtonBox*>();
        shownWords << buttons->button(QDialogButtonBox::Yes)->text() << buttons->button(QDialogButtonBox::No)->text();
        buttons->button(QDialogButtonBox::Yes)->click();
    });
    PromptContent skip = continueQuestion(QStringLiteral("t"));
    skip.setLine(2, QStringLiteral("Skip it?"));
    skip.continueText = QStringLiteral("Skip it");
    skip.stopText = QStringLiteral("Stop here");
    QVERIFY(askToContinue(nullptr, skip));
    QCOMPARE(shownWords, (QStringList{"Skip it", "Stop here"}));

    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<dlgGeneralInput*>(QApplication::activeModalWidget());
        if (dlg) {
            dlg->findChild<QLineEdit*>(QStringLiteral("edtInput"))->setText(QStringLiteral("typed"));
            dlg->accept();
        }
    });
    QString text;
    QVERIFY(dlgGeneralInput::getText(nullptr, QStringLiteral("t"), {QStringLiteral("Enter")}, text));
    QCOMPARE(text, QStringLiteral("typed"));

    // A dialog the caller built runs itself.
    DlgMsgWithLink about(QStringLiteral("About"), nullptr);
    about.setMsg1(QStringLiteral("released"));
    QTimer::singleShot(0, [&about] {
        if (QApplication::activeModalWidget() == &about)
            about.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    QCOMPARE(about.exec(), int(QDialog::Accepted));

    QVERIFY(!watchdog.fired());
}

void TestPrompter::widgetPrompterOffTheGuiThread()
{
    // A worker thread must never build a window: the real prompter answers
    // cautiously and warns instead.
    QTest::ignoreMessage(QtWarningMsg, "Not shown (no window can be opened here): voDarevivo 2024 for DirErad");
    QTest::ignoreMessage(QtWarningMsg, "Not shown (no window can be opened here): t");
    Prompt::StandardButton answer = Prompt::Yes;
    bool continued = true;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        answer = gMsgQuestion(2, QStringLiteral("From a worker?"), nullptr);
        continued = CYesNoContinueDlg::warnYesNoMsg(nullptr, QStringLiteral("t"), QStringLiteral("go on?"));
    }));
    worker->start();
    QVERIFY(worker->wait(5000));
    QCOMPARE(answer, Prompt::No);
    QVERIFY(!continued);
}

QTEST_MAIN(TestPrompter)
#include "tst_prompter.moc"
