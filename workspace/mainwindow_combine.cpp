// Returns built from files on disk without opening them in place: last
// year's return carried into this year, and two single returns coupled into
// one. Neither file is ever written: the result opens as a new page without
// a file, so its first save asks for a name.
#include "workspace/mainwindow.h"

#include "app/mywaitcursor.h"
#include "app/tabwndapp.h"
#include "dialogs/dlgcouplereturn.h"
#include "dialogs/dlgimportoption.h"
#include "model/cfamilytaxdata.h"
#include "model/returnfileloadcode.h"

#include <QDir>
#include <QFileInfo>
#include "companion/core/promptvalues.h"

#include <memory>

namespace {

// What was read and is not kept goes whole: the persons' data, then the
// family.
struct FamilyDeleter
{
    void operator()(CFamilyTaxData* family) const
    {
        if (family) {
            family->FreeData();
            delete family;
        }
    }
};
using ReadFamily = std::unique_ptr<CFamilyTaxData, FamilyDeleter>;

ReadFamily readFamily(const QString& path, int& code)
{
    code = 99;
    ReadFamily family(CFamilyTaxData::serializeFromFile(CString(path), code));
    if (family && code != RFL_SUCCESS)
        family.reset();
    return family;
}

QString canonical(const QString& path)
{
    const QString out = QFileInfo(path).canonicalFilePath();
    return out.isEmpty() ? QFileInfo(path).absoluteFilePath() : out;
}

bool isSpouseStatus(int status) { return status == 0 || status == 1; }

STRUCT_IMPORT_LASTYEAR_PARAM modelOptions(const ImportOptionFlags& flags)
{
    STRUCT_IMPORT_LASTYEAR_PARAM out;
    out.bKeepNotes = flags.bKeepNotes;
    out.bIncludeSFD = flags.bIncludeSFD;
    out.bKeepForms = flags.bKeepForms;
    out.bCopyAllData = flags.bCopyAllData;
    out.bMakeCoupled = flags.bMakeCoupled;
    return out;
}

} // namespace

bool MainWindow::showInsteadIfOpen(const QString& path, const QString& refusal)
{
    // A file open in a page may hold changes not yet saved: building a return
    // from what is on disk would quietly leave them out. The page comes
    // forward, as Open brings it, and the user is told why nothing was built.
    ReturnPageInterface* open = findOpenReturn(path);
    if (!open)
        return false;
    showReturnPage(open);
    TabWndApp::gAppInformation(refusal.arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())), this);
    return true;
}

void MainWindow::importReturnFile(const QString& path)
{
    if (showInsteadIfOpen(path, tr("The return file %1 is open. Please close it before importing it.")))
        return;
    int code = 0;
    ReadFamily family;
    {
        MyWaitCursor wait;
        family = readFamily(path, code);
    }
    if (!family) {
        TabWndApp::gAppInformation(tr("Import prior year's return file failed, error = %1.").arg(code), this);
        return;
    }
    if (m_pApp)
        m_pApp->m_strLastImportPath = QFileInfo(path).canonicalPath();

    ImportOptionFlags flags;
    DlgImportOption_Info dialog(&flags, this);
    if (dialog.exec() == 0)
        return;
    // A spouse's return needs at least the spouse's name; an empty one would
    // be a return of nobody.
    if (flags.bMakeCoupled && !family->IsCoupledReturn()) {
        IndividualTaxData* taxpayer = family->getTaxpayer();
        if (taxpayer->GetSpouseFirstName().trimmed().isEmpty() && taxpayer->GetSpouseLastName().trimmed().isEmpty()) {
            TabWndApp::gAppInformation(tr("The prior year's return holds no spouse's name, so it cannot be made a "
                                          "coupled return. Enter the spouse's name in it, or import it without "
                                          "coupling."),
                                       this);
            return;
        }
    }
    STRUCT_IMPORT_LASTYEAR_PARAM options = modelOptions(flags);
    MyWaitCursor wait;
    family->Build2003DataTo2004(&options);
    family->Calculate(-1, nullptr);
    _presentAReturn(nullptr, family.release());
}

void MainWindow::on_actionCouple_Returns_2to1_triggered()
{
    if (!canOpenMoreReturn())
        return;
    const QString folder = m_pApp ? (!m_pApp->m_strLastOpenPath.IsEmpty() ? QString(m_pApp->m_strLastOpenPath)
                                                                          : QString(m_pApp->m_config.RetPath))
                                  : QString();
    QString file1, file2;
    if (runCoupleReturnWizard(TabWndApp::s_appPurpose, folder, this, file1, file2) != 1)
        return;
    // One person cannot be both spouses.
    if (canonical(file1) == canonical(file2)) {
        TabWndApp::gAppInformation(tr("Both return files are the same file, Couple return failed."), this);
        return;
    }
    for (const QString& file : {file1, file2}) {
        if (showInsteadIfOpen(file, tr("The return file %1 is open. Please close it before coupling it.")))
            return;
    }

    int code = 99;
    ReadFamily first, second;
    {
        MyWaitCursor wait;
        first = readFamily(file1, code);
    }
    if (!first) {
        TabWndApp::gAppInformation(tr("First return file cannot be read properly, Couple return failed."), this);
        return;
    }
    {
        MyWaitCursor wait;
        second = readFamily(file2, code);
    }
    if (!second) {
        TabWndApp::gAppInformation(tr("Second return file cannot be read properly, Couple return failed."), this);
        return;
    }
    IndividualTaxData* taxpayer = first->getTaxpayer();
    IndividualTaxData* spouse = second->getTaxpayer();
    const CString sin = taxpayer->GetSIN().trimmed();
    if (!sin.isEmpty() && sin == spouse->GetSIN().trimmed()) {
        TabWndApp::gAppInformation(tr("Both return files are of the same person (same S.I.N.), Couple return failed."),
                                   this);
        return;
    }
    // A spouse already in either file is not carried over: the user says so
    // before it is dropped.
    if (first->IsCoupledReturn() || second->IsCoupledReturn()) {
        if (!TabWndApp::gAppQuestion(tr("A return file is already a coupled return; only its tax payer is used and "
                                        "its spouse's return is left out. Do you want to continue?"),
                                     this))
            return;
    }
    int status = -1;
    if (!isSpouseStatus(taxpayer->GetMaritalStatus()) && !isSpouseStatus(spouse->GetMaritalStatus())) {
        const int answer = TabWndApp::gAppQuestionReturnBtn(
            tr("Neither return is of a married or common-law person. What is the couple's marital status?\n\n"
               "'Yes' for married, 'No' for common-law, or 'Cancel' coupling"),
            this, Prompt::Yes | Prompt::No | Prompt::Cancel);
        if (answer == Prompt::Yes)
            status = 0;
        else if (answer == Prompt::No)
            status = 1;
        else
            return;
    }

    MyWaitCursor wait;
    first->CoupleTaxReturn(second.get());
    if (status >= 0) {
        first->getTaxpayer()->SetMaritalStatus(status);
        first->getSpouse()->SetMaritalStatus(status);
    }
    first->Calculate(-1, nullptr);
    _presentAReturn(nullptr, first.release());
}
