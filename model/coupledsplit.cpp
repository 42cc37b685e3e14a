#include "model/coupledsplit.h"

#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/schedules/taxdata_sch9.h"
#include "companion/rules/money.h"
#include "model/cfamilytaxdata.h"

namespace {

constexpr ENUMTYPE_FORM kSchedule9 = 9;
constexpr ENUMTYPE_FORM kT1032 = 118;
constexpr int kPensioner = 0; // T1032 role: the spouse whose pension is split

TaxData_T1032_New* pensionForm(IndividualTaxData* person)
{
    return person ? qobject_cast<TaxData_T1032_New*>(person->GetFormData(kT1032, false)) : nullptr;
}

TaxData_Sch9* donationForm(IndividualTaxData* person, bool create)
{
    return person ? qobject_cast<TaxData_Sch9*>(person->GetFormData(kSchedule9, create)) : nullptr;
}

double claimedDonations(IndividualTaxData* person)
{
    const TaxData_Sch9* form = donationForm(person, false);
    return form ? form->ownDonations() : 0.0;
}

} // namespace

ShareableLookup readShareableAmounts(CFamilyTaxData& family, DataShareAmtDlg& amounts)
{
    ShareableLookup out;
    if (!family.IsCoupledReturn())
        return out;
    IndividualTaxData* taxpayer = family.getTaxpayer();
    IndividualTaxData* spouse = family.getSpouse();
    amounts.fld_Donation_1_Claimed.m_value = claimedDonations(taxpayer);
    amounts.fld_Donation_2_Claimed.m_value = claimedDonations(spouse);

    TaxData_T1032_New* mine = pensionForm(taxpayer);
    TaxData_T1032_New* theirs = pensionForm(spouse);
    out.bothPensionForms = mine && theirs;
    TaxData_T1032_New* source = nullptr;
    if (mine && mine->ElectorIndicator.m_value == kPensioner)
        source = mine;
    else if (theirs && theirs->ElectorIndicator.m_value == kPensioner)
        source = theirs;
    if (!source && out.bothPensionForms) {
        out.start = ShareableStart::TransfererUnknown;
        return out;
    }
    if (source) {
        amounts.fld_Pension_1_Claimed.m_value = source->line10321SplitAmount.m_value;
        amounts.fld_Pension_2_Claimed.m_value = source->line10321SplitAmount.m_value;
        amounts.fld_Pension_1.m_value = source->MaxSplit.m_value;
        amounts.fld_Pension_2.m_value = source->MaxSplit.m_value;
    }
    out.start = ShareableStart::Ready;
    return out;
}

double electedPensionSplit(CFamilyTaxData& family)
{
    TaxData_T1032_New* mine = pensionForm(family.getTaxpayer());
    return mine && pensionForm(family.getSpouse()) ? mine->line10321SplitAmount.m_value : 0.0;
}

bool writePensionSplit(CFamilyTaxData& family, double split)
{
    TaxData_T1032_New* mine = pensionForm(family.getTaxpayer());
    TaxData_T1032_New* theirs = pensionForm(family.getSpouse());
    if (!mine || !theirs)
        return false;
    for (TaxData_T1032_New* form : {mine, theirs}) {
        form->line10322Election.m_value = 1;
        form->line10321SplitAmount.setAmount(split);
    }
    return true;
}

void recalculateAtSplit(CFamilyTaxData& scratch, const DataShareAmtDlg& amounts, double donationPosition,
                        double pensionSplit)
{
    const double shareable =
        amounts.fld_Donation_1.m_value + amounts.fld_Donation_2.m_value + amounts.fld_Donation_3.m_value;
    // Each adjustment is what the person claims beyond its own shareable
    // donations; together they always make up the pool.
    TaxData_Sch9* taxpayerSch9 = donationForm(scratch.getTaxpayer(), true);
    TaxData_Sch9* spouseSch9 = donationForm(scratch.getSpouse(), true);
    if (taxpayerSch9)
        taxpayerSch9->CoupleDonationShare.setAmount(donationPosition - amounts.fld_Donation_1.m_value);
    if (spouseSch9)
        spouseSch9->CoupleDonationShare.setAmount(shareable - donationPosition - amounts.fld_Donation_2.m_value);
    scratch.Calculate(FROM_FORM, taxpayerSch9);
    TaxData_T1032_New* mine = pensionForm(scratch.getTaxpayer());
    TaxData_T1032_New* theirs = pensionForm(scratch.getSpouse());
    if (mine && theirs) {
        mine->line10321SplitAmount.setAmount(pensionSplit);
        theirs->line10321SplitAmount.setAmount(pensionSplit);
    }
    scratch.Calculate(FROM_FORM, mine);
}
