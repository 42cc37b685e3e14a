#pragma once

#include "companion/forms/ctaxdata_form.h"

// A free-text note the preparer keeps with a person's return.
class TaxData_TaxNote : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_TaxNote() : CTaxData_Form(FROM_NOTE, 1) {}
    CStringField Title{this, 1, "Title", "", "Title", fld::Caption()};
    // Free text over several lines; as long as a line edit used to allow.
    CStringField Text{this, 2, "Text", "", "Note", fld::MaxLength(32767)};
    CDateField Date{this, 3, "Date", "", "Date"};
};
