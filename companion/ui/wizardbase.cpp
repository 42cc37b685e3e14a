#include "companion/ui/wizardbase.h"

#include "companion/ui/ppgwizardpage.h"

WizardBase::WizardBase(QWidget* parent, const QString& title)
    : QWizard(parent)
{
    setWindowTitle(title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void WizardBase::initUI(int width, int height)
{
    // Bound before any page is shown, so that a page's initializePage can
    // already rely on its widgets being filled and bound.
    for (int id : pageIds())
        bindPage(id);
    resize(width, height);
}

void WizardBase::initializePage(int id)
{
    bindPage(id);
    QWizard::initializePage(id);
}

void WizardBase::bindPage(int id)
{
    if (auto* ppg = qobject_cast<PpgWizardPage*>(page(id)))
        ppg->bindOnce();
}
