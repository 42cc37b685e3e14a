// Commands on the current person's forms: add a form, arrange the forms, and
// the summary of the slips.
#include "workspace/form_return.h"

#include "app/mywaitcursor.h"
#include "app/tabwndapp.h"
#include "companion/forms/catalogue.h"
#include "companion/ui/dlgmsgwithlink.h"
#include "dialogs/addtaxformdlg.h"
#include "dialogs/dlgchangeformorder.h"
#include "model/cfamilytaxdata.h"
#include "model/formorder.h"
#include "model/slipcaptionlist.h"
#include "workspace/slipsummaryfile.h"

#include <QDir>

void Form_Return::addTaxForm()
{
    if (!m_pFamilyData)
        return;
    std::list<unsigned int> provinces;
    m_pFamilyData->GetActiveProvinces(provinces);
    AddTaxFormDlg dialog(TabWndApp::s_appPurpose, provinces, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const ENUMTYPE_FORM type = dialog.getSelectedForm();
    if (type == 0)
        return;
    if (!IsMultipleForm(type) && m_pFamilyData->HasForm(type)) {
        TabWndApp::gAppInformation(tr("This tax form already exists in the tax return."), this);
        return;
    }
    if (!m_pFamilyData->NewFormDataItem(type, 0, true, 0, true)) {
        TabWndApp::gAppInformation(tr("Add form failed!"), this);
        return;
    }
    onSignalCalc(nullptr, nullptr);
    syncFolderView(true, false);
}

int Form_Return::changeFormsOrder()
{
    IndividualTaxData* person = m_pFamilyData ? m_pFamilyData->getCurIndvTaxData() : nullptr;
    if (!person)
        return 0;
    const std::vector<STRUCT_FORMDATA_ITEM_2004*> forms = movableForms(*person);
    QStringList labels;
    for (const STRUCT_FORMDATA_ITEM_2004* item : forms) {
        CString label;
        formDisplayName(false, item, label);
        labels << label;
    }
    DlgChangeFormOrder dialog(labels, this);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    std::vector<STRUCT_FORMDATA_ITEM_2004*> order;
    for (int index : dialog.order())
        order.push_back(forms[size_t(index)]);
    applyFormOrder(*person, order);
    syncFolderView(true, false);
    // The tree keeps its row, which may now hold another form: the shown
    // form's row is selected again.
    selectShownRow();
    return 0;
}

void Form_Return::getSlipSummary()
{
    IndividualTaxData* person = m_pFamilyData ? m_pFamilyData->getCurIndvTaxData() : nullptr;
    TabWndApp* app = TabWndApp::getMainApp();
    if (!person || !app)
        return;
    const QString path = slipSummaryPath(app->m_config.RetPath, m_pFamilyData->GetDireradNameWithoutSuffix());
    QString error;
    bool written = false;
    {
        MyWaitCursor wait;
        written = writeSlipSummaryFile(path, [this, person](QTextStream& out) {
            m_pFamilyData->getSlipSummary(out);
            writeSlipCaptionList(*person, out);
        }, &error);
    }
    if (!written) {
        TabWndApp::gAppInformation(tr("The tax slips summary could not be written to %1: %2")
                                       .arg(QDir::toNativeSeparators(path), error),
                                   this);
        return;
    }
    CString name;
    person->getFedStringClaimed(17, name);
    DlgMsgWithLink::showMessage(this, tr("Tax Slips Summary"), tr("click this link to view the tax slips summary for"),
                                name, QStringLiteral("file:///") + path);
}
