#include "companion/core/messages.h"

#include "companion/core/prompter.h"


namespace {

Prompt::StandardButton showBox(QWidget* parent, Prompt::Icon icon, const QString& title,
                                    const QString& text, Prompt::StandardButtons buttons,
                                    Prompt::StandardButton defaultButton = Prompt::NoButton)
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
    showBox(parent, Prompt::Information, gMsgTitle(edition), msg, Prompt::Ok);
}

Prompt::StandardButton gMsgQuestion(unsigned char edition, const QString& msg, QWidget* parent)
{
    return showBox(parent, Prompt::Question, gMsgTitle(edition), msg,
                   Prompt::Yes | Prompt::No);
}

bool gMsgChoice(unsigned char edition, const QString& msg, const QString& yesText, const QString& noText,
                QWidget* parent)
{
    MessageBoxRequest request;
    request.icon = Prompt::Question;
    request.title = gMsgTitle(edition);
    request.text = msg;
    request.buttons = Prompt::Yes | Prompt::No;
    request.buttonTexts.insert(Prompt::Yes, yesText);
    request.buttonTexts.insert(Prompt::No, noText);
    return Prompter::instance().messageBox(parent, request) == Prompt::Yes;
}

Prompt::StandardButton promptInformation(QWidget* parent, const QString& title, const QString& text,
                                              Prompt::StandardButtons buttons)
{
    return showBox(parent, Prompt::Information, title, text, buttons);
}

Prompt::StandardButton promptWarning(QWidget* parent, const QString& title, const QString& text,
                                          Prompt::StandardButtons buttons)
{
    return showBox(parent, Prompt::Warning, title, text, buttons);
}

Prompt::StandardButton promptCritical(QWidget* parent, const QString& title, const QString& text,
                                           Prompt::StandardButtons buttons)
{
    return showBox(parent, Prompt::Critical, title, text, buttons);
}

Prompt::StandardButton promptQuestion(QWidget* parent, const QString& title, const QString& text,
                                           Prompt::StandardButtons buttons,
                                           Prompt::StandardButton defaultButton)
{
    return showBox(parent, Prompt::Question, title, text, buttons, defaultButton);
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
    return Prompter::instance().prompt(parent, content, unused) == Prompt::Accepted;
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
    if (Prompter::instance().prompt(parent, c, entered) != Prompt::Accepted)
        return false;
    text = entered;
    return true;
}
