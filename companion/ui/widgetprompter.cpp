#include "companion/ui/widgetprompter.h"

#include "companion/ui/promptdialog.h"
#include "companion/ui/richtext.h"

#include <QFileDialog>

std::unique_ptr<QMessageBox> buildMessageBox(QWidget* parent, const MessageBoxRequest& request)
{
    auto box = std::make_unique<QMessageBox>(request.icon, request.title, QString(),
                                             request.buttons, parent);
    box->setTextFormat(messageTextFormat(request.text));
    box->setText(request.text);
    if (request.defaultButton != QMessageBox::NoButton)
        box->setDefaultButton(request.defaultButton);
    return box;
}

QMessageBox::StandardButton WidgetPrompter::messageBox(QWidget* parent, const MessageBoxRequest& request)
{
    std::unique_ptr<QMessageBox> box = buildMessageBox(parent, request);
    if (box->exec() == -1)
        return QMessageBox::Cancel;
    return box->standardButton(box->clickedButton());
}

int WidgetPrompter::runDialog(PromptDialog& dialog)
{
    return dialog.runModal();
}

QString WidgetPrompter::chooseFile(QWidget* parent, const FileChooserRequest& request)
{
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
