#pragma once

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fieldchoices.h"

// Schedule 9: donations and gifts.
class TaxData_Sch9 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Sch9() : CTaxData_Form(FROM_FORM, FORM_SCH9) {}

    CFloatField InterviewDonations1{this, 1, "InterviewDonations1", "", "Donations entered in the interview"};
    CFloatField InterviewDonations2{this, 2, "InterviewDonations2", "", "Other gifts entered in the interview"};
    CFloatField SlipDonations1{this, 3, "SlipDonations1", "", "Donations from T4 slips", fld::ReadOnly()};
    CFloatField SlipDonations2{this, 4, "SlipDonations2", "", "Donations from T4A slips", fld::ReadOnly()};
    CFloatField OtherDonations{this, 5, "OtherDonations", "", "Other allowable charitable donations"};
    // The person's claim out of the couple's pooled donations, set by the
    // coupled-return optimiser; negative when the person passes own
    // donations to the spouse.
    CFloatField CoupleDonationShare{this, 9, "CoupleDonationShare", "", "Share of the couple's pooled donations", fld::ReadOnly()};
    CFloatField NetIncome{this, 6, "NetIncome", "23600", "Net income", fld::ReadOnly()};
    CFloatField TaxableIncome{this, 7, "TaxableIncome", "26000", "Taxable income", fld::ReadOnly()};
    CIntField Deceased{this, 8, "Deceased", "", "The person died in the year", fld::Choices(choices::kYesNoFlag)};
    CFloatField line33700CapitalGainsGifts{this, 33700, "line33700CapitalGainsGifts", "33700", "Gifts of capital property"};
    CFloatField line33900DepreciableGifts{this, 33900, "line33900DepreciableGifts", "33900", "Gifts of depreciable property"};
    CFloatField line34000AllowableDonations{this, 34000, "line34000AllowableDonations", "34000", "Allowable charitable donations", fld::Computed()};
    CFloatField line34200CulturalGifts{this, 34200, "line34200CulturalGifts", "34200", "Total cultural and ecological gifts"};
    CFloatField Result{this, 34900, "Result", "34900", "Donations and gifts", fld::Computed()};

    int Calculate01() override;
    // The person's own gifts: typed, from the interview and from slips,
    // before any share of the couple's pool.
    double ownDonations() const
    {
        return InterviewDonations1.m_value + InterviewDonations2.m_value + SlipDonations1.m_value +
               SlipDonations2.m_value + OtherDonations.m_value;
    }
};
