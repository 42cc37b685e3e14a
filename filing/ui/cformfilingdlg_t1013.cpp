// The T1013 and T185 filings of the form filing dialog. No command of the
// program opens the dialog for those forms.
#include "filing/ui/cformfilingdlg.h"

#include "companion/core/messages.h"

int CFormFilingDlg::fileT1013orT185(TemplateValueMap&)
{
    gMsgInformation(m_settings.edition,
                    tr("Filing %1 online is not part of this program yet.").arg(QString::fromStdString(m_strShortName)),
                    this);
    return 0;
}
