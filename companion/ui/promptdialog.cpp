#include "companion/ui/promptdialog.h"

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
