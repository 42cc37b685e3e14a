// Tools on the open return whose dialogs are not part of this build yet.
#include "workspace/form_return.h"

#include "workspace/featurenotavailable.h"

void Form_Return::taxReturnChangeProvince()
{
    tellFeatureNotAvailable(this, tr("Changing the tax province"));
}

void Form_Return::deCoupleReturn()
{
    tellFeatureNotAvailable(this, tr("De-coupling a return"));
}

void Form_Return::optimizeReturn()
{
    tellFeatureNotAvailable(this, tr("Optimizing a coupled return"));
}

void Form_Return::taxPlanning()
{
    tellFeatureNotAvailable(this, tr("Tax planning"));
}
