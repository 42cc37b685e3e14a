#include "filing/ui/formfilingwidgets.h"

#include "filing/direradsubmission.h"
#include "filing/ui/DlgFilingResult.h"
#include "filing/ui/cformfilingdlg.h"
#include "filing/ui/direradtermsstep.h"

void FormFilingWidgets::confirmFiling(const FormFilingRequest& request,
                                      const std::function<int(TemplateValueMap&)>& send)
{
    // No efiler ID or password: the T1135 is filed as the taxpayer's own.
    CFormFilingDlg dlg(CString(), CString(), request.type, *request.xml, request.family, request.parent,
                       request.settings);
    dlg.SetStringInfo(request.name, request.sin);
    dlg.setT1135Sender(send);
    m_dialog = &dlg;
    dlg.exec();
    m_dialog = nullptr;
}

bool FormFilingWidgets::agreeToTerms(const SoapFilingResult& terms)
{
    return askFilingTerms(terms, false, m_dialog);
}

void FormFilingWidgets::showResult(const FilingResultReport& report)
{
    DlgFilingResult dialog(report.title, m_dialog);
    dialog.setMsg(report.overview, report.details, report.bottom, report.path, report.detailsAreHtml);
    dialog.exec();
}

QWidget* FormFilingWidgets::promptParent() const
{
    return m_dialog;
}
