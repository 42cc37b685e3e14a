#pragma once

#include "companion/ui/basedialog.h"
#include "companion/core/prompter.h"

#include <memory>

// A dialog that asks the user something. exec() goes through the installed
// prompter, which either runs the real modal loop (runModal) or answers
// from content() without showing a window.
class PromptDialog : public BaseDialog
{
    Q_OBJECT
public:
    using BaseDialog::BaseDialog;

    // What the dialog shows, as a prompter that opens no window sees it.
    virtual PromptContent content() const = 0;

    // A text prompt's entered text; a prompter that shows no window hands the
    // answer in through setEnteredText.
    virtual QString enteredText() const { return QString(); }
    virtual void setEnteredText(const QString& text) { Q_UNUSED(text) }

    int exec() override;
    // The real modal loop; only a prompter that shows windows calls this.
    int runModal();

    // The dialog that shows content (a yes/no warning, a message with a link
    // or a text prompt), ready to run.
    static std::unique_ptr<PromptDialog> create(QWidget* parent, const PromptContent& content);
};
