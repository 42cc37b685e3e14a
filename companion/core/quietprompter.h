#pragma once

#include "companion/core/prompter.h"

// For runs without a user (batch mode): never opens a window and never
// blocks. Messages are written to the log (qInfo) and otherwise ignored.
// Every question gets the cautious answer (Cancel, else No: nothing is
// overwritten, discarded or sent), yes/no warnings answer "do not continue",
// text and password prompts are cancelled and file choosers choose nothing.
class QuietPrompter : public Prompter
{
public:
    Prompt::StandardButton messageBox(QWidget* parent, const MessageBoxRequest& request) override;
    int prompt(QWidget* parent, const PromptContent& content, QString& text) override;
    QString chooseFile(QWidget* parent, const FileChooserRequest& request) override;
};
