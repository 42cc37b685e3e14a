#include <QtTest>

#include "common/capturingurlopener.h"
#include "companion/ui/basedialog.h"
#include "companion/ui/cyesnocontinuedlg.h"
#include "companion/ui/dlggeneralinput.h"
#include "companion/ui/dlgmsgwithlink.h"
#include "companion/ui/richtext.h"
#include "companion/ui/widgetprompter.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// What a rich-text label shows to the user, line breaks as '\n'.
QString shownText(const QLabel* label)
{
    QTextDocument doc;
    doc.setHtml(label->text());
    return doc.toPlainText().replace(QChar::LineSeparator, QLatin1Char('\n'));
}

// The address of the first link in a rich-text label.
QString firstLink(const QLabel* label)
{
    QTextDocument doc;
    doc.setHtml(label->text());
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor())
                return format.anchorHref();
        }
    }
    return QString();
}

QLabel* label(const QWidget* dialog, const QString& name)
{
    auto* found = dialog->findChild<QLabel*>(name);
    if (!found)
        qFatal("no label %s", qPrintable(name));
    return found;
}

class CountingDialog : public BaseDialog
{
public:
    explicit CountingDialog(QWidget* parent) : BaseDialog(QStringLiteral("Counting"), parent)
    {
        afterCreateUI();
    }
    void afterCreateUI() override
    {
        ++calls;
        BaseDialog::afterCreateUI();
    }
    int calls = 0;
};

const QString kMarkup = QStringLiteral("Tom & Jerry <b>not bold</b> &amp; <a href=\"x\">no link</a>");
const QString kLinkWithQuery = QStringLiteral("https://example.org/faq/index.php?action=artikel&cat=8&amp;id=48&q=\"x\"");

} // namespace

class TestMessageDialogs : public QObject
{
    Q_OBJECT
private slots:
    void baseDialog();
    void continueDialogLines();
    void continueDialogLinkGoesToOpener();
    void continueDialogIgnoresLineOutOfRange();
    void messageWithLink();
    void generalInput();
    void dialogsBuiltFromContent();
    void messageTextFormat_data();
    void messageTextFormat();
    void messageBoxShowsRequest();
    void messageBoxShowsTheCause();
};

void TestMessageDialogs::baseDialog()
{
    QWidget parent;
    CountingDialog dlg(&parent);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Counting"));
    QCOMPARE(dlg.parentWidget(), &parent);
    QVERIFY(dlg.isModal());
    QCOMPARE(dlg.calls, 1);
}

void TestMessageDialogs::continueDialogLines()
{
    CYesNoContinueDlg dlg(QStringLiteral("voDarevivo Warning Message"), nullptr);
    dlg.setMsg(1, kMarkup, false);
    dlg.setMsg(3, QStringLiteral("first paragraph\n\nsecond paragraph"), false);

    QCOMPARE(dlg.windowTitle(), QStringLiteral("voDarevivo Warning Message"));
    QCOMPARE(shownText(label(&dlg, QStringLiteral("lblMsg1"))), kMarkup);
    QCOMPARE(firstLink(label(&dlg, QStringLiteral("lblMsg1"))), QString());
    QCOMPARE(shownText(label(&dlg, QStringLiteral("lblMsg3"))),
             QStringLiteral("first paragraph\n\nsecond paragraph"));
    QVERIFY(!label(&dlg, QStringLiteral("lblMsg1"))->isHidden());
    QVERIFY(label(&dlg, QStringLiteral("lblMsg2"))->isHidden());
    QVERIFY(!label(&dlg, QStringLiteral("lblMsg3"))->isHidden());
    QVERIFY(label(&dlg, QStringLiteral("lblMsg4"))->isHidden());
    QCOMPARE(dlg.msg(3), QStringLiteral("first paragraph\n\nsecond paragraph"));

    const PromptContent content = dlg.content();
    QCOMPARE(content.kind, PromptKind::ContinueQuestion);
    QCOMPARE(content.texts(), (QStringList{kMarkup, QStringLiteral("first paragraph\n\nsecond paragraph")}));
    QCOMPARE(content.lines.keys(), (QList<int>{1, 3}));
}

void TestMessageDialogs::continueDialogLinkGoesToOpener()
{
    CapturingUrlOpener opener;
    CYesNoContinueDlg dlg(QStringLiteral("t"), nullptr);
    dlg.setMsg(4, kLinkWithQuery, true);

    QLabel* link = label(&dlg, QStringLiteral("lblMsg4"));
    QCOMPARE(shownText(link), kLinkWithQuery);
    QCOMPARE(firstLink(link), kLinkWithQuery);
    QVERIFY(!link->openExternalLinks());
    emit link->linkActivated(firstLink(link));
    QCOMPARE(opener.urls, QList<QUrl>{QUrl(kLinkWithQuery)});
    QCOMPARE(dlg.content().firstLink(), kLinkWithQuery);
}

void TestMessageDialogs::continueDialogIgnoresLineOutOfRange()
{
    CYesNoContinueDlg dlg(QStringLiteral("t"), nullptr);
    QTest::ignoreMessage(QtWarningMsg, "CYesNoContinueDlg: no text line 5");
    dlg.setMsg(5, QStringLiteral("lost"), false);
    QTest::ignoreMessage(QtWarningMsg, "CYesNoContinueDlg: no text line 0");
    dlg.setMsg(0, QStringLiteral("lost"), false);
    QVERIFY(dlg.content().lines.isEmpty());
    QVERIFY(dlg.msg(5).isEmpty());
}

void TestMessageDialogs::messageWithLink()
{
    CapturingUrlOpener opener;
    QWidget parent;
    const QString path = QStringLiteral("file:///home/u/my returns/_SlipSummary.html");
    DlgMsgWithLink dlg(QStringLiteral("Tax Slips Summary"), &parent);
    dlg.setMsg1(QStringLiteral("click this link to view the tax slips summary for"));
    dlg.setMsg2(QStringLiteral("<i>O'Brien</i> & Smith"));
    dlg.setLink(path);

    QCOMPARE(dlg.windowTitle(), QStringLiteral("Tax Slips Summary"));
    QCOMPARE(shownText(label(&dlg, QStringLiteral("lblMsg2"))), QStringLiteral("<i>O'Brien</i> & Smith"));
    QLabel* link = label(&dlg, QStringLiteral("lblLink"));
    QCOMPARE(shownText(link), path);
    emit link->linkActivated(firstLink(link));
    QCOMPARE(opener.urls.size(), 1);
    QCOMPARE(opener.urls.first().toLocalFile(), QStringLiteral("/home/u/my returns/_SlipSummary.html"));

    DlgMsgWithLink noLink(QStringLiteral("Online Filing Failed"), nullptr);
    noLink.setMsg1(QStringLiteral("T1135 form submission failed. The error code is 7."));
    QVERIFY(label(&noLink, QStringLiteral("lblLink"))->isHidden());
    QVERIFY(label(&noLink, QStringLiteral("lblMsg2"))->isHidden());
    QVERIFY(noLink.content().link.isEmpty());
}

void TestMessageDialogs::generalInput()
{
    dlgGeneralInput dlg(QStringLiteral("Enter password to open file"), nullptr);
    dlg.setMsg(0, QStringLiteral("Please enter the password for this return file"));
    dlg.setMsg(3, QStringLiteral("Press 'Cancel' button to <cancel>"));
    dlg.setPasswordMode(true);

    auto* edit = dlg.findChild<QLineEdit*>(QStringLiteral("edtInput"));
    QVERIFY(edit);
    QCOMPARE(edit->echoMode(), QLineEdit::Password);
    QCOMPARE(shownText(label(&dlg, QStringLiteral("lblMsg3"))), QStringLiteral("Press 'Cancel' button to <cancel>"));
    QVERIFY(label(&dlg, QStringLiteral("lblMsg1"))->isHidden());

    dlg.setEnteredText(QStringLiteral("pw"));
    QCOMPARE(edit->text(), QStringLiteral("pw"));
    const PromptContent content = dlg.content();
    QVERIFY(content.secret);
    QCOMPARE(content.texts(), (QStringList{QStringLiteral("Please enter the password for this return file"),
                                           QStringLiteral("Press 'Cancel' button to <cancel>")}));
    QCOMPARE(content.lines.keys(), (QList<int>{0, 3}));

    dlg.setPasswordMode(false);
    QCOMPARE(edit->echoMode(), QLineEdit::Normal);
}

void TestMessageDialogs::dialogsBuiltFromContent()
{
    PromptContent box = CYesNoContinueDlg::describe(QStringLiteral("voDarevivo Warning Message"));
    box.setLine(1, QStringLiteral("DirErad Access Code"));
    box.setLine(3, QStringLiteral("Are you sure?"));
    box.setLine(4, kLinkWithQuery, true);
    box.size = QSize(700, 400);
    std::unique_ptr<PromptDialog> continueDlg = PromptDialog::create(nullptr, box);
    auto* yesNo = qobject_cast<CYesNoContinueDlg*>(continueDlg.get());
    QVERIFY(yesNo);
    QCOMPARE(yesNo->windowTitle(), QStringLiteral("voDarevivo Warning Message"));
    QCOMPARE(yesNo->msg(1), QStringLiteral("DirErad Access Code"));
    QCOMPARE(yesNo->msg(3), QStringLiteral("Are you sure?"));
    QCOMPARE(firstLink(label(yesNo, QStringLiteral("lblMsg4"))), kLinkWithQuery);
    QCOMPARE(yesNo->size(), QSize(700, 400));

    PromptContent input;
    input.kind = PromptKind::TextInput;
    input.title = QStringLiteral("Enter password to open file");
    input.setLine(1, QStringLiteral("This return file is proetected by a password"));
    input.secret = true;
    input.initialText = QStringLiteral("start");
    std::unique_ptr<PromptDialog> inputDlg = PromptDialog::create(nullptr, input);
    auto* general = qobject_cast<dlgGeneralInput*>(inputDlg.get());
    QVERIFY(general);
    QVERIFY(general->isPasswordMode());
    QCOMPARE(general->msg(1), QStringLiteral("This return file is proetected by a password"));
    QCOMPARE(general->enteredText(), QStringLiteral("start"));

    PromptContent message;
    message.kind = PromptKind::MessageWithLink;
    message.title = QStringLiteral("Update");
    message.setLine(1, QStringLiteral("first"));
    message.setLine(2, QStringLiteral("second"));
    message.link = QStringLiteral("https://example.org/download24-in.html");
    std::unique_ptr<PromptDialog> messageDlg = PromptDialog::create(nullptr, message);
    auto* withLink = qobject_cast<DlgMsgWithLink*>(messageDlg.get());
    QVERIFY(withLink);
    QCOMPARE(withLink->msg1(), QStringLiteral("first"));
    QCOMPARE(withLink->msg2(), QStringLiteral("second"));
    QCOMPARE(withLink->link(), message.link);
}

void TestMessageDialogs::messageTextFormat_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("format");
    QTest::newRow("program's formatted text")
        << QStringLiteral("<h3>DirErad accepts the current year (2024).</h3><br><br>Click 'No' button.")
        << int(Qt::RichText);
    QTest::newRow("leading blanks") << QStringLiteral("  <b>bold</b>") << int(Qt::RichText);
    QTest::newRow("user text with a tag") << QStringLiteral("The S.I.N (<b>123</b>) entered is invalid!")
                                          << int(Qt::PlainText);
    QTest::newRow("ampersand") << QStringLiteral("Tom & Jerry") << int(Qt::PlainText);
    QTest::newRow("not a tag") << QStringLiteral("<3 taxes") << int(Qt::PlainText);
    QTest::newRow("plain") << QStringLiteral("Tax return province is not changed!") << int(Qt::PlainText);
}

void TestMessageDialogs::messageTextFormat()
{
    QFETCH(QString, message);
    QFETCH(int, format);
    QCOMPARE(int(::messageTextFormat(message)), format);
}

void TestMessageDialogs::messageBoxShowsRequest()
{
    MessageBoxRequest request;
    request.icon = Prompt::Question;
    request.title = QStringLiteral("voDarevivo 2024 for DirErad");
    request.text = QStringLiteral("Save <changes> & close?");
    request.buttons = Prompt::Yes | Prompt::No | Prompt::Cancel;
    const std::unique_ptr<QMessageBox> box = buildMessageBox(nullptr, request);
    QCOMPARE(box->windowTitle(), request.title);
    QCOMPARE(box->text(), request.text);
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(int(box->standardButtons()), int(request.buttons));
    QCOMPARE(box->icon(), QMessageBox::Question);
    QVERIFY(!box->defaultButton());
}

// A failure's cause stands under the message, in the box's second paragraph.
void TestMessageDialogs::messageBoxShowsTheCause()
{
    MessageBoxRequest request;
    request.icon = Prompt::Information;
    request.title = QStringLiteral("voDarevivo 2024 for DirErad");
    request.text = QStringLiteral("Error filing T1135, return code = -10.");
    request.informativeText = QStringLiteral("connection refused by 127.0.0.1:8443");
    const std::unique_ptr<QMessageBox> box = buildMessageBox(nullptr, request);
    QCOMPARE(box->text(), request.text);
    QCOMPARE(box->informativeText(), request.informativeText);
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    const QString folder = QCoreApplication::applicationDirPath() + "/../artefacts";
    QDir().mkpath(folder);
    QVERIFY(box->grab().save(folder + "/messagebox-cause.png"));
    // Without a cause the box has one paragraph.
    request.informativeText.clear();
    QVERIFY(buildMessageBox(nullptr, request)->informativeText().isEmpty());
}

QTEST_MAIN(TestMessageDialogs)
#include "tst_messagedialogs.moc"
