#include "filing/ui/formfilingwidgets.h"

#include "filing/ui/cformfilingdlg.h"

void FormFilingWidgets::fileForm(const FormFilingRequest& request)
{
    // No efiler ID or password: the T1135 is filed as the taxpayer's own.
    CFormFilingDlg dlg(CString(), CString(), request.type, *request.xml, request.family, request.parent,
                       request.settings);
    dlg.SetStringInfo(request.name, request.sin);
    dlg.exec();
}
