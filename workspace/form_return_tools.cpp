// Tools that restructure the open return (province, de-couple) and those
// whose dialogs are not part of this build yet.
#include "workspace/form_return.h"

#include "app/mywaitcursor.h"
#include "app/tabwndapp.h"
#include "companion/forms/catalogue.h"
#include "dialogs/dlgchangeprov.h"
#include "dialogs/dlgdecouplereturn.h"
#include "model/cfamilytaxdata.h"
#include "model/provincechangecheck.h"
#include "workspace/featurenotavailable.h"
#include "workspace/folderview.h"
#include "workspace/ui_form_return.h"

#include <QComboBox>

void Form_Return::taxReturnChangeProvince()
{
    IndividualTaxData* person = m_pFamilyData ? m_pFamilyData->getCurIndvTaxData() : nullptr;
    if (!person)
        return;
    DataDlgChangeProv record;
    if (runChangeProvinceWizard(record, this) != 1)
        return;
    const int from = person->m_province;
    const int to = record.fld_NewTaxProv.m_value;
    const bool both = record.fld_ChgBoth.m_value == 0;
    if (to == from) {
        TabWndApp::gAppInformation(tr("Tax return province is not changed!"), this);
        return;
    }
    // A return is only ever moved into a province this program calculates.
    if (!IsProvinceSupported(to)) {
        TabWndApp::gAppInformation(tr("Tax Province is not supported!"), this);
        return;
    }
    const QStringList losing = provincialFormsWithEntries(*m_pFamilyData, to, both);
    if (!losing.isEmpty()
        && !TabWndApp::gAppQuestion(tr("These provincial forms hold data that the change of province deletes:\n%1\n\n"
                                       "Do you want to change the province?")
                                        .arg(losing.join(QLatin1Char('\n'))),
                                    this))
        return;
    // The pages may be bound to forms the change deletes: they go first.
    destroyFormTabs();
    m_pFamilyData->ChangeProvince(from, to, both ? 1 : 0);
    m_pFamilyData->Calculate(0, nullptr);
    syncFolderView(true, true);
    if (m_listPages.empty())
        showT1();
    QString status;
    refreshReturnStatus(status);
    TabWndApp::gAppInformation(
        tr("Tax return file is changed to the new province, you need to save file the confirm the changes."), this);
}

void Form_Return::deCoupleReturn()
{
    if (!m_pFamilyData || !m_pFamilyData->IsCoupledReturn())
        return;
    CString taxpayerName, spouseName;
    m_pFamilyData->getTaxpayer()->getFedStringClaimed(17, taxpayerName);
    m_pFamilyData->getSpouse()->getFedStringClaimed(17, spouseName);
    DlgDeCoupleReturn dialog(taxpayerName, spouseName, this);
    dialog.setWindowTitle(tr("De-Couple Tax Return"));
    if (dialog.exec() != QDialog::Accepted)
        return;

    MyWaitCursor wait;
    m_bSwitching = true;
    // Nothing may stay bound to the person whose data go.
    destroyFormTabs();
    m_pCurForm = nullptr;
    m_shown = ShownKey();
    m_pFamilyData->DecoupleReturn(dialog.keptPerson() == 1);
    m_pFamilyData->Calculate(-1, nullptr);
    m_pFamilyData->fillComboBox(ui->comboBox, false);
    ui->treeFolderView->populate(m_pFamilyData);
    ui->treeFolderView->ShowItem(FROM_FORM, 0);
    // The coupled file on disk stays as it was: the single return is new.
    setFilepath(nullptr);
    m_bSwitching = false;
    showT1();
    QString status;
    refreshReturnStatus(status);
}

void Form_Return::optimizeReturn()
{
    tellFeatureNotAvailable(this, tr("Optimizing a coupled return"));
}

void Form_Return::taxPlanning()
{
    tellFeatureNotAvailable(this, tr("Tax planning"));
}
