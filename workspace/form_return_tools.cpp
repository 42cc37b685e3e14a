// Tools that restructure the open return (province, de-couple) and those
// that work on a scratch copy of it (optimisation, tax planning).
#include "workspace/form_return.h"

#include "app/mywaitcursor.h"
#include "app/tabwndapp.h"
#include "companion/forms/catalogue.h"
#include "dialogs/dlgchangeprov.h"
#include "dialogs/dlgdecouplereturn.h"
#include "dialogs/dlgoptimizereturn.h"
#include "dialogs/dlgtaxplanning.h"
#include "dialogs/shareamtdlg.h"
#include "model/cfamilytaxdata.h"
#include "model/coupledsplit.h"
#include "model/provincechangecheck.h"
#include "workspace/folderview.h"
#include "workspace/ui_form_return.h"

#include <QComboBox>
#include <QCoreApplication>

#include <memory>

namespace {

// A deep copy of the family, freed with its data when it goes.
struct ScratchFamily
{
    explicit ScratchFamily(const CFamilyTaxData& from)
        : family(std::make_unique<CFamilyTaxData>(from.mode()))
    {
        *family = from;
    }
    ~ScratchFamily() { family->FreeData(); }
    ScratchFamily(const ScratchFamily&) = delete;
    ScratchFamily& operator=(const ScratchFamily&) = delete;

    std::unique_ptr<CFamilyTaxData> family;
};

} // namespace

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
    // The change deletes forms: the return as it was can be kept in its
    // file first.
    CString written;
    if (isChanged() && !settleUnsavedChanges(UnsavedOccasion::ChangeProvince, written))
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
    // The page leaves the coupled file for a new single return: changes not
    // saved to it would be lost without a word.
    CString written;
    if (isChanged() && !settleUnsavedChanges(UnsavedOccasion::DeCouple, written))
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
    if (!m_pFamilyData)
        return;
    DataShareAmtDlg amounts;
    // Only looked up: the open return gains no form from a look at it.
    const ShareableLookup lookup = readShareableAmounts(*m_pFamilyData, amounts);
    if (lookup.start == ShareableStart::NotCoupled) {
        TabWndApp::gAppInformation(
            tr("Right now, optimize function is only targeted coupled tax return for married/common-law tax returns."),
            nullptr);
        return;
    }
    if (lookup.start == ShareableStart::TransfererUnknown) {
        TabWndApp::gAppInformation(tr("Please answer who is the pension transferer in form T1032 first."), nullptr);
        return;
    }
    if (runShareAmountsWizard(amounts, m_pFamilyData, this) != QDialog::Accepted)
        return;

    double bestPension = 0.0;
    {
        ScratchFamily scratch(*m_pFamilyData);
        {
            MyWaitCursor wait;
            // The window keeps painting while the optimiser recalculates.
            OptimizeRun run([](int) {
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                return true;
            });
            scratch.family->DoCoupledReturnOptimize(&amounts, &run);
        }
        DlgOptimizeReturn dialog(scratch.family.get(), &amounts, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        bestPension = dialog.bestPension();
    }

    MyWaitCursor wait;
    // Only the optimiser's pension split comes back, and only where both
    // spouses elected on a T1032 when the tool started.
    if (lookup.bothPensionForms)
        writePensionSplit(*m_pFamilyData, bestPension);
    // The whole return is recalculated and the tree, the pages and the
    // results follow it.
    onSignalCalc(nullptr, nullptr);
}

void Form_Return::taxPlanning()
{
    if (!m_pFamilyData)
        return;
    ScratchFamily scratch(*m_pFamilyData);
    DlgTaxPlanning dialog(scratch.family.get(), this);
    dialog.exec();
}
