#pragma once

#include "companion/forms/ctaxdata_form.h"

// The province's interview data (kind 6): the answers the provincial
// credits of most provinces start from. The plug-in makes and frees it, and
// reads the refundable credits it feeds (line 47900) from it.
class ProvincialInterviewData : public CTaxData_Form
{
public:
    static constexpr int kInterviewKind = 6;

    ProvincialInterviewData() : CTaxData_Form(FROM_TAXWIZARD, kInterviewKind) {}

    CFloatField rentPaid{this, 1, "rentPaid", "", "Rent paid for your principal residence in 2024",
                         fld::Section("Housing")};
    CIntField rentMonths{this, 4, "rentMonths", "60575",
                         "Months of 2024 for which you paid rent for your home in the province"};
    CFloatField propertyTaxPaid{this, 2, "propertyTaxPaid", "", "Property tax paid for your principal residence in 2024"};
    CBoolField residentAllYear{this, 3, "residentAllYear", "", "Resident of the province all of 2024",
                               fld::Section("Residence")};
    CFloatField transitCosts{this, 5, "transitCosts", "63100",
                             "Amount paid for your own use of Ontario public transit in 2024 (65 or older)",
                             fld::Section("Public transit")};
    CBoolField infirmDependantsLivedWithYou{this, 6, "infirmDependantsLivedWithYou", "58400",
                                            "The infirm dependants 18 or older you claim for lived with you in "
                                            "2024 (caregiver amount)",
                                            fld::Section("Dependants")};
    CFloatField politicalContributions{this, 7, "politicalContributions", "",
                                       "Contributions made in 2024 to the province's or territory's registered "
                                       "political parties and candidates",
                                       fld::Section("Political contributions")};
};
