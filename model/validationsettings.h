#pragma once

#include "companion/core/cstring.h"

namespace validation {

// Where the EFILE checks read the preparer's EFILE password: the
// application supplies it from its own settings on request, so that the
// password never enters the model's data or a client's return.
using EfilerPasswordSource = CString (*)();
void setEfilerPasswordSource(EfilerPasswordSource source);
// The password, or an empty text when no source is set.
CString efilerPassword();

} // namespace validation
