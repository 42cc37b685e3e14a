// Printing and e-signature on the open return. The print subsystem replaces
// these bodies; until then each command tells the user it is not available.
#include "workspace/featurenotavailable.h"
#include "workspace/form_return.h"

bool Form_Return::m_bClientLetterFetched = false;

void Form_Return::OnFileCreatePdfFile()
{
    tellFeatureNotAvailable(this, tr("Printing to PDF"));
}

int Form_Return::CreatePDF(ENUMTYPE_FORM, int)
{
    return -1;
}

void Form_Return::OnCreateJavaXML(bool)
{
    tellFeatureNotAvailable(nullptr, tr("Generating print files"));
}

void Form_Return::OnSubmitQuillorForm(int)
{
    tellFeatureNotAvailable(this, tr("E-signature"));
}

void Form_Return::OnGetQuillorFormTime(ENUMTYPE_FORM)
{
    tellFeatureNotAvailable(this, tr("E-signature status"));
}

int Form_Return::_SubmitDocDelivery(ENUMTYPE_FORM, const CString&)
{
    return -1;
}

int Form_Return::_SubmitQuillorFormType(ENUMTYPE_FORM)
{
    return -1;
}

bool Form_Return::loginToQuillorCA()
{
    return false;
}

bool Form_Return::readyToQuillorCA()
{
    return false;
}

int Form_Return::fetchCustomizedClientLetter()
{
    return 0;
}
