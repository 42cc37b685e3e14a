#pragma once

#include "companion/core/prompter.h"

#include <QMessageBox>

#include <memory>

class PromptDialog;

// Shows real Qt dialogs and waits for the user: the prompter of the
// interactive program. Windows are shown only from the GUI thread of a
// widget application; asked from anywhere else it shows nothing, warns and
// gives the cautious answer instead of crashing.
class WidgetPrompter : public Prompter
{
public:
    Prompt::StandardButton messageBox(QWidget* parent, const MessageBoxRequest& request) override;
    int prompt(QWidget* parent, const PromptContent& content, QString& text) override;
    bool runsDialogs() const override { return true; }
    // Runs a dialog the caller built modally, when windows can be shown.
    int runDialog(PromptDialog& dialog);
    QString chooseFile(QWidget* parent, const FileChooserRequest& request) override;
};

// The message box that WidgetPrompter shows for a request, ready to exec.
std::unique_ptr<QMessageBox> buildMessageBox(QWidget* parent, const MessageBoxRequest& request);
