#include "filing/ui/direradroadwidgets.h"

#include "filing/ui/direradresultdlg.h"
#include "filing/ui/ppgsignupemail.h"

int DireradRoadWidgets::askOnlineMailSignup(QWidget* parent)
{
    switch (runOnlineMailSignup(parent)) {
    case DataPpgSignupEmail::SignMeUp: return SignMeUp;
    case DataPpgSignupEmail::NotNow: return NotNow;
    default: return SignupCancelled;
    }
}

DireradSubmissionResult DireradRoadWidgets::submit(const DireradSubmissionRequest& request)
{
    CDireradResultDlg dlg(2, request.family, request.isReFile, *request.xml, request.parent, request.settings);
    dlg.SetStringInfo(request.status, request.name);
    dlg.exec();
    DireradSubmissionResult result;
    result.outcome = dlg.m_outcome;
    result.confirmation = dlg.m_strConfirmation;
    result.agencyMessage = dlg.m_strAgencyMessage;
    return result;
}
