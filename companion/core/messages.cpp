#include "companion/core/messages.h"

#include "companion/core/prompter.h"

#include <QDialog>

namespace {

QMessageBox::StandardButton showBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                    const QString& text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
{
    MessageBoxRequest request;
    request.icon = icon;
    request.title = title;
    request.text = text;
    request.buttons = buttons;
    request.defaultButton = defaultButton;
    return Prompter::instance().messageBox(parent, request);
}

QString choose(QWidget* parent, PromptKind kind, const QString& caption, const QString& startPath,
               const QString& filter)
{
    FileChooserRequest request;
    request.kind = kind;
    request.caption = caption;
    request.startPath = startPath;
    request.filter = filter;
    return Prompter::instance().chooseFile(parent, request);
}

} // namespace

void gMsgGetTitle(unsigned char edition, QString& title)
{
    title = (edition & 2) ? QStringLiteral("voDarevivo 2024 for DirErad")
                          : QStringLiteral("voDarevivo 2024 for EFile");
}

QString gMsgTitle(unsigned char edition)
{
    QString title;
    gMsgGetTitle(edition, title);
    return title;
}

void gMsgInformation(unsigned char edition, const QString& msg, QWidget* parent)
{
    showBox(parent, QMessageBox::Information, gMsgTitle(edition), msg, QMessageBox::Ok);
}

QMessageBox::StandardButton gMsgQuestion(unsigned char edition, const QString& msg, QWidget* parent)
{
    return showBox(parent, QMessageBox::Question, gMsgTitle(edition), msg,
                   QMessageBox::Yes | QMessageBox::No);
}

QMessageBox::StandardButton promptInformation(QWidget* parent, const QString& title, const QString& text,
                                              QMessageBox::StandardButtons buttons)
{
    return showBox(parent, QMessageBox::Information, title, text, buttons);
}

QMessageBox::StandardButton promptWarning(QWidget* parent, const QString& title, const QString& text,
                                          QMessageBox::StandardButtons buttons)
{
    return showBox(parent, QMessageBox::Warning, title, text, buttons);
}

QMessageBox::StandardButton promptCritical(QWidget* parent, const QString& title, const QString& text,
                                           QMessageBox::StandardButtons buttons)
{
    return showBox(parent, QMessageBox::Critical, title, text, buttons);
}

QMessageBox::StandardButton promptQuestion(QWidget* parent, const QString& title, const QString& text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton)
{
    return showBox(parent, QMessageBox::Question, title, text, buttons, defaultButton);
}

QString chooseOpenFile(QWidget* parent, const QString& caption, const QString& startPath,
                       const QString& filter)
{
    return choose(parent, PromptKind::OpenFile, caption, startPath, filter);
}

QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& startPath,
                       const QString& filter)
{
    return choose(parent, PromptKind::SaveFile, caption, startPath, filter);
}

QString chooseFolder(QWidget* parent, const QString& caption, const QString& startPath)
{
    return choose(parent, PromptKind::Folder, caption, startPath, QString());
}

PromptContent continueQuestion(const QString& title)
{
    PromptContent c;
    c.kind = PromptKind::ContinueQuestion;
    c.title = title;
    return c;
}

bool askToContinue(QWidget* parent, const PromptContent& content)
{
    QString unused;
    return Prompter::instance().prompt(parent, content, unused) == QDialog::Accepted;
}

bool warnYesNo(QWidget* parent, const QString& title, const QString& message)
{
    PromptContent content = continueQuestion(title);
    content.setLine(2, message);
    return askToContinue(parent, content);
}

namespace {
// The text lines a text prompt has (0 and 1 above the field, 2 and 3 below).
constexpr int kTextPromptLines = 4;
} // namespace

bool askForText(QWidget* parent, const QString& title, const QStringList& lines, QString& text, bool password)
{
    PromptContent c;
    c.kind = PromptKind::TextInput;
    c.title = title;
    for (int i = 0; i < lines.size() && i < kTextPromptLines; ++i) {
        if (!lines.at(i).isEmpty())
            c.setLine(i, lines.at(i));
    }
    c.secret = password;
    c.initialText = text;
    QString entered = text;
    if (Prompter::instance().prompt(parent, c, entered) != QDialog::Accepted)
        return false;
    text = entered;
    return true;
}
