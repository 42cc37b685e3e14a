#include "companion/ui/messages.h"

#include "companion/ui/prompter.h"

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
