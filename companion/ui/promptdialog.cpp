#include "companion/ui/promptdialog.h"

#include "companion/ui/cyesnocontinuedlg.h"
#include "companion/ui/dlggeneralinput.h"
#include "companion/ui/dlgmsgwithlink.h"

int PromptDialog::exec()
{
    const int result = Prompter::instance().runDialog(*this);
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
