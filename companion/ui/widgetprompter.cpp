#include "companion/ui/widgetprompter.h"

#include "companion/ui/promptdialog.h"
#include "companion/ui/richtext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QFileDialog>
#include <QThread>

namespace {

// The prompter's values are the message box's numbers, handed on as they are.
static_assert(int(Prompt::Ok) == int(QMessageBox::Ok) && int(Prompt::Yes) == int(QMessageBox::Yes)
              && int(Prompt::No) == int(QMessageBox::No) && int(Prompt::Cancel) == int(QMessageBox::Cancel)
              && int(Prompt::Save) == int(QMessageBox::Save) && int(Prompt::Discard) == int(QMessageBox::Discard)
              && int(Prompt::Retry) == int(QMessageBox::Retry) && int(Prompt::Abort) == int(QMessageBox::Abort)
              && int(Prompt::RestoreDefaults) == int(QMessageBox::RestoreDefaults)
              && int(Prompt::NoButton) == int(QMessageBox::NoButton));
static_assert(int(Prompt::NoIcon) == int(QMessageBox::NoIcon)
              && int(Prompt::Information) == int(QMessageBox::Information)
              && int(Prompt::Warning) == int(QMessageBox::Warning)
              && int(Prompt::Critical) == int(QMessageBox::Critical)
              && int(Prompt::Question) == int(QMessageBox::Question));

bool canShowWindows(const QString& title)
{
    const QCoreApplication* app = QCoreApplication::instance();
    if (qobject_cast<const QApplication*>(app) && QThread::currentThread() == app->thread())
        return true;
    qWarning("Not shown (no window can be opened here): %s", qUtf8Printable(title));
    return false;
}

} // namespace

std::unique_ptr<QMessageBox> buildMessageBox(QWidget* parent, const MessageBoxRequest& request)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Icon(request.icon), request.title, QString(),
                                             QMessageBox::StandardButtons(int(request.buttons)), parent);
    box->setTextFormat(messageTextFormat(request.text));
    box->setText(request.text);
    if (!request.informativeText.isEmpty())
        box->setInformativeText(request.informativeText);
    if (request.defaultButton != Prompt::NoButton)
        box->setDefaultButton(QMessageBox::StandardButton(request.defaultButton));
    for (auto it = request.buttonTexts.cbegin(); it != request.buttonTexts.cend(); ++it)
        if (QAbstractButton* button = box->button(QMessageBox::StandardButton(it.key())))
            button->setText(it.value());
    return box;
}

Prompt::StandardButton WidgetPrompter::messageBox(QWidget* parent, const MessageBoxRequest& request)
{
    if (!canShowWindows(request.title))
        return cautiousButton(request.buttons);
    std::unique_ptr<QMessageBox> box = buildMessageBox(parent, request);
    if (box->exec() == -1)
        return Prompt::Cancel;
    return Prompt::StandardButton(box->standardButton(box->clickedButton()));
}

int WidgetPrompter::prompt(QWidget* parent, const PromptContent& content, QString& text)
{
    if (!canShowWindows(content.title))
        return QDialog::Rejected;
    std::unique_ptr<PromptDialog> dialog = PromptDialog::create(parent, content);
    const int result = dialog->runModal();
    if (result == QDialog::Accepted && content.kind == PromptKind::TextInput)
        text = dialog->enteredText();
    return result;
}

int WidgetPrompter::runDialog(PromptDialog& dialog)
{
    if (!canShowWindows(dialog.windowTitle()))
        return QDialog::Rejected;
    return dialog.runModal();
}

QString WidgetPrompter::chooseFile(QWidget* parent, const FileChooserRequest& request)
{
    if (!canShowWindows(request.caption))
        return QString();
    switch (request.kind) {
    case PromptKind::SaveFile:
        return QFileDialog::getSaveFileName(parent, request.caption, request.startPath, request.filter);
    case PromptKind::Folder:
        return QFileDialog::getExistingDirectory(parent, request.caption, request.startPath,
                                                 QFileDialog::ShowDirsOnly);
    default:
        return QFileDialog::getOpenFileName(parent, request.caption, request.startPath, request.filter);
    }
}

namespace {

// Loading the widget layer makes real dialogs the answer when no prompter is
// installed; a process without it stays quiet.
WidgetPrompter& realDialogs()
{
    static WidgetPrompter prompter;
    return prompter;
}

[[maybe_unused]] const bool g_registered = (Prompter::setFallback(&realDialogs()), true);

} // namespace
