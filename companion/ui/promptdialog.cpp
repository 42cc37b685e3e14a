#include "companion/ui/promptdialog.h"

#include "companion/ui/cyesnocontinuedlg.h"
#include "companion/ui/dlggeneralinput.h"
#include "companion/ui/dlgmsgwithlink.h"
#include "companion/ui/widgetprompter.h"

int PromptDialog::exec()
{
    Prompter& prompter = Prompter::instance();
    int result = QDialog::Rejected;
    if (prompter.runsDialogs()) {
        // Only the widget prompter runs dialogs; its checks decide whether
        // a window can be shown at all.
        auto* widgets = dynamic_cast<WidgetPrompter*>(&prompter);
        result = widgets ? widgets->runDialog(*this) : runModal();
    } else {
        // Answered from what the dialog shows, without a window.
        const PromptContent what = content();
        QString text = what.initialText;
        result = prompter.prompt(parentWidget(), what, text);
        if (result == QDialog::Accepted && what.kind == PromptKind::TextInput)
            setEnteredText(text);
    }
    setResult(result);
    return result;
}

int PromptDialog::runModal()
{
    return QDialog::exec();
}

std::unique_ptr<PromptDialog> PromptDialog::create(QWidget* parent, const PromptContent& content)
{
    std::unique_ptr<PromptDialog> dialog;
    switch (content.kind) {
    case PromptKind::ContinueQuestion: {
        auto dlg = std::make_unique<CYesNoContinueDlg>(content.title, parent);
        for (auto it = content.lines.cbegin(); it != content.lines.cend(); ++it)
            dlg->setMsg(it.key(), it->text, it->isLink);
        dlg->setButtonTexts(content.continueText, content.stopText);
        dialog = std::move(dlg);
        break;
    }
    case PromptKind::TextInput: {
        auto dlg = std::make_unique<dlgGeneralInput>(content.title, parent);
        for (auto it = content.lines.cbegin(); it != content.lines.cend(); ++it)
            dlg->setMsg(it.key(), it->text);
        dlg->setPasswordMode(content.secret);
        dlg->setInputText(content.initialText);
        dialog = std::move(dlg);
        break;
    }
    default: {
        auto dlg = std::make_unique<DlgMsgWithLink>(content.title, parent);
        dlg->setMsg1(content.lines.value(1).text);
        dlg->setMsg2(content.lines.value(2).text);
        dlg->setLink(content.link);
        dialog = std::move(dlg);
        break;
    }
    }
    if (content.size.isValid())
        dialog->resize(content.size);
    return dialog;
}
