#pragma once

#include "companion/forms/ctaxdata_form.h"

// The province's interview data (kind 6): the answers the provincial
// credits of most provinces start from. The plug-in makes and frees it.
class ProvincialInterviewData : public CTaxData_Form
{
public:
    static constexpr int kInterviewKind = 6;

    ProvincialInterviewData() : CTaxData_Form(FROM_TAXWIZARD, kInterviewKind) {}

    CFloatField rentPaid{this, 1, "rentPaid", "", "Rent paid for your principal residence in 2024",
                         fld::Section("Housing")};
    CFloatField propertyTaxPaid{this, 2, "propertyTaxPaid", "", "Property tax paid for your principal residence in 2024"};
    CBoolField residentAllYear{this, 3, "residentAllYear", "", "Resident of the province all of 2024",
                               fld::Section("Residence")};
};
