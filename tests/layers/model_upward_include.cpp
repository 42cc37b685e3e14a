// Model code that reaches up into the workspace. The model's include view
// does not hold the workspace, so this file must not compile.
#include "workspace/form_return.h"

int layerCheckUpward()
{
    return sizeof(Form_Return) > 0 ? 1 : 0;
}
