#include "companion/ui/basedialog.h"

BaseDialog::BaseDialog(const QString& title, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
}

void BaseDialog::afterCreateUI()
{
    adjustSize();
}
