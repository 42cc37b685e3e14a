// Filing on the open return. The filing subsystem replaces these bodies;
// until then each command tells the user it is not available.
#include "workspace/featurenotavailable.h"
#include "workspace/form_return.h"

void Form_Return::OnFileCreateElectronFile()
{
    tellFeatureNotAvailable(this, tr("Filing a return online"));
}

void Form_Return::OnFileT1135()
{
    tellFeatureNotAvailable(this, tr("Filing form T1135 online"));
}

void Form_Return::OnPrepareReFile()
{
    tellFeatureNotAvailable(this, tr("Setting a return for ReFile"));
}

void Form_Return::UnsetReFile()
{
    tellFeatureNotAvailable(this, tr("Un-setting a return for ReFile"));
}

bool Form_Return::isEligibleForReFile()
{
    return false;
}

int Form_Return::ValidateTaxForm(unsigned char, ENUMTYPE_FORM)
{
    return 0;
}

int Form_Return::sendFilingRecord(int, const CString&)
{
    return 0;
}
