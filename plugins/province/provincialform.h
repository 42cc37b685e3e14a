#pragma once

#include "companion/forms/ctaxdata_form.h"

// A provincial tax form as this plug-in lays it out: the figures the
// provincial calculation assigns.
class ProvincialForm : public CTaxData_Form
{
public:
    explicit ProvincialForm(int type) : CTaxData_Form(FROM_FORM, type) {}

    CFloatField provincialTax{this, 1, "provincialTax", "42800", "Provincial or territorial tax",
                              fld::Section("Provincial tax").computed()};
    CFloatField provincialCredits{this, 2, "provincialCredits", "47900", "Provincial or territorial credits",
                                  fld::Computed()};
};
