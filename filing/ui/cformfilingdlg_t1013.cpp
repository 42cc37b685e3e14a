// The T1013 and T185 filings of the form filing dialog. No command of the
// program opens the dialog for those forms.
#include "filing/ui/cformfilingdlg.h"

#include "filing/t1013submission.h"
#include "filing/ui/DlgFilingResult.h"
#include "filing/ui/filingwaitcursor.h"

#include "companion/ui/dlgmsgwithlink.h"

int CFormFilingDlg::fileT1013orT185(TemplateValueMap& values)
{
    const QString shortName = QString::fromStdString(m_strShortName);
    T1013Submission submission(m_pFamilyData, m_settings);
    {
        FilingWaitCursor wait;
        submission.file(m_nFormType, shortName, values, m_strXml, m_strTaxpayerName);
    }
    m_bSucceeded = submission.outcome() == T1013Submission::Outcome::Accepted;
    if (submission.showsResultDialog()) {
        const FilingResultReport& report = submission.report();
        DlgFilingResult dialog(report.title, this);
        dialog.setMsg(report.overview, report.details, report.bottom, report.path, report.detailsAreHtml);
        dialog.exec();
    } else {
        const LinkMessage& message = submission.message();
        DlgMsgWithLink::showMessage(this, message.title, message.msg1, message.msg2, message.link);
    }
    return 0;
}
