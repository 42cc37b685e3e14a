#pragma once

// The edition number a return file is read with when the caller does not
// pass one (CFamilyTaxData::serializeFromFile). The application sets its own
// edition here; the model cannot reach the application object.
unsigned char returnFileEdition();
void setReturnFileEdition(unsigned char edition);
