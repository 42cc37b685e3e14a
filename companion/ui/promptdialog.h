#pragma once

#include "companion/ui/basedialog.h"
#include "companion/ui/prompter.h"

// What a prompt dialog shows, as a prompter that opens no window sees it.
struct PromptContent
{
    PromptKind kind = PromptKind::MessageWithLink;
    QString title;
    QStringList lines;  // the dialog's text lines that are set, in order
    QString link;       // the web link shown, if any
    bool secret = false; // the answer is a password
    QString initialText; // a text prompt's starting text
};

// A dialog that asks the user something. exec() goes through the installed
// prompter, which either runs the real modal loop (runModal) or answers
// without a window.
class PromptDialog : public BaseDialog
{
    Q_OBJECT
public:
    using BaseDialog::BaseDialog;

    virtual PromptContent content() const = 0;

    // A prompter that shows no window hands a text prompt its answer here.
    virtual void setEnteredText(const QString& text) { Q_UNUSED(text) }

    int exec() override;
    // The real modal loop; only a prompter calls this.
    int runModal();
};
