// Coupled-return optimisation: the split of the couple's shareable interest,
// capital gains, pension and donations that gives the lowest family balance.
// It runs on a scratch copy of the family; every candidate split is a whole
// recalculation, so each search tries only a few dozen of them.
#include "model/cfamilytaxdata.h"

#include <algorithm>
#include <cmath>
#include <list>

#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/schedules/taxdata_sch9.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/federalconstants2024.h"
#include "companion/rules/money.h"
#include "model/NumberStair.h"
#include "model/optimize_bends.h"
#include "model/optimize_splitsearch.h"

namespace {

constexpr ENUMTYPE_FORM kSchedule9 = 9;
constexpr ENUMTYPE_FORM kT1032 = 118;
constexpr int kPensioner = 0; // T1032 role: the spouse whose pension is split

using taxrules::roundCents;

TaxData_T1032_New* pensionForm(IndividualTaxData* person)
{
    return qobject_cast<TaxData_T1032_New*>(person->GetFormData(kT1032, false));
}

TaxData_Sch9* donationForm(IndividualTaxData* person, bool create)
{
    return qobject_cast<TaxData_Sch9*>(person->GetFormData(kSchedule9, create));
}

double familyBalance(const CFamilyTaxData& family)
{
    double taxpayer = 0.0, spouse = 0.0, total = 0.0;
    family.GetFamilyReturnStatus(taxpayer, spouse, total);
    return total;
}

NumberStair staircaseOf(IndividualTaxData* person)
{
    std::list<double> thresholds;
    person->GetIncomeThresholds(thresholds);
    NumberStair stair;
    for (double threshold : thresholds)
        stair.AddStepAmt(threshold);
    return stair;
}

// Break points of a search over [low, high] that moves income from giver
// to taker: the candidates at which either crosses one of its own bends,
// given that the value now in effect (current) gives them their present
// taxable incomes.
void addCrossings(SplitSearch& search, double current, double low, double high, IndividualTaxData& giver,
                  IndividualTaxData& taker)
{
    const double giverIncome = giver.GetT1()->line26000TaxableIncome.m_value;
    const double takerIncome = taker.GetT1()->line26000TaxableIncome.m_value;
    for (double bend : incomeBends(giver, giverIncome - (high - current), giverIncome - (low - current)))
        search.addBreakPoint(current + (giverIncome - bend));
    for (double bend : incomeBends(taker, takerIncome + (low - current), takerIncome + (high - current)))
        search.addBreakPoint(current + (bend - takerIncome));
}

// The couple's interest and capital gains as the optimiser moves them: the
// amounts start evenly split and a move takes interest first, then gains,
// from the giving spouse.
struct IncomeShares
{
    TaxData_T1New* taxpayer;
    TaxData_T1New* spouse;
    double taxpayerInterest0, spouseInterest0, taxpayerGain0, spouseGain0; // the even split
    double taxpayerInterestTotal, spouseInterestTotal, taxpayerGainTotal, spouseGainTotal;

    // Moves amount (positive: taxpayer to spouse) and returns what moved
    // with its sign; the rest is for the pension.
    double move(double amount) const
    {
        const bool fromTaxpayer = amount > 0;
        const double wanted = std::fabs(amount);
        const double interestTotal = fromTaxpayer ? taxpayerInterestTotal : spouseInterestTotal;
        const double gainTotal = fromTaxpayer ? taxpayerGainTotal : spouseGainTotal;
        // A total not above 0 moves nothing.
        const double interest = interestTotal > 0 ? std::min(wanted, interestTotal) : 0.0;
        const double rest = wanted - interest;
        const double gain = (rest > 0 && gainTotal > 0) ? std::min(rest, gainTotal) : 0.0;
        const double sign = fromTaxpayer ? 1.0 : -1.0;
        taxpayer->line12100CoupleInterestShare.m_value = roundCents(taxpayerInterest0 - sign * interest);
        spouse->line12100CoupleInterestShare.m_value = roundCents(spouseInterest0 + sign * interest);
        taxpayer->line12700CoupleGainShare.m_value = roundCents(taxpayerGain0 - sign * gain);
        spouse->line12700CoupleGainShare.m_value = roundCents(spouseGain0 + sign * gain);
        return sign * (interest + gain);
    }
    double maxFromTaxpayer() const { return std::max(0.0, taxpayerInterestTotal) + std::max(0.0, taxpayerGainTotal); }
    double maxFromSpouse() const { return std::max(0.0, spouseInterestTotal) + std::max(0.0, spouseGainTotal); }
};

// The pensioner of a pension split: the taxpayer when the taxpayer's role
// is the pensioner's, else the spouse when the spouse's is; none otherwise.
IndividualTaxData* pensionerOf(IndividualTaxData* taxpayer, IndividualTaxData* spouse)
{
    TaxData_T1032_New* mine = pensionForm(taxpayer);
    TaxData_T1032_New* theirs = pensionForm(spouse);
    if (!mine || !theirs)
        return nullptr;
    if (mine->ElectorIndicator.m_value == kPensioner)
        return taxpayer;
    if (theirs->ElectorIndicator.m_value == kPensioner)
        return spouse;
    return nullptr;
}

void setSplit(IndividualTaxData* taxpayer, IndividualTaxData* spouse, double split)
{
    for (IndividualTaxData* person : {taxpayer, spouse})
        if (TaxData_T1032_New* form = pensionForm(person))
            form->line10321SplitAmount.m_value = roundCents(split);
}

bool stopped(const OptimizeRun* run) { return run && run->cancelled(); }

} // namespace

void CFamilyTaxData::DoCoupledReturnOptimize(DataShareAmtDlg* amounts) { DoCoupledReturnOptimize(amounts, nullptr); }

bool CFamilyTaxData::DoCoupledReturnOptimize(DataShareAmtDlg* amounts, OptimizeRun* run)
{
    if (!IsCoupledReturn() || !amounts)
        return true;
    IndividualTaxData* taxpayer = m_pTaxpayer;
    IndividualTaxData* spouse = m_pSpouse;
    TaxData_T1New* taxpayerT1 = taxpayer->GetT1();
    TaxData_T1New* spouseT1 = spouse->GetT1();
    if (!taxpayerT1 || !spouseT1)
        return true;
    auto recalculate = [&](int kind, CTaxData_Form* changed) {
        Calculate(kind, changed);
        if (run)
            run->step();
    };

    // Even split of the shareable interest and gains to start from.
    const double interestPool = amounts->fld_BankInterest_3.m_value;
    const double gainPool = amounts->fld_CapGain_3.m_value;
    IncomeShares shares{taxpayerT1, spouseT1, roundCents(interestPool / 2), 0.0, roundCents(gainPool / 2), 0.0,
                        0.0, 0.0, 0.0, 0.0};
    shares.spouseInterest0 = roundCents(interestPool - shares.taxpayerInterest0);
    shares.spouseGain0 = roundCents(gainPool - shares.taxpayerGain0);
    shares.taxpayerInterestTotal = amounts->fld_BankInterest_1.m_value + shares.taxpayerInterest0;
    shares.spouseInterestTotal = amounts->fld_BankInterest_2.m_value + shares.spouseInterest0;
    shares.taxpayerGainTotal = amounts->fld_CapGain_1.m_value + shares.taxpayerGain0;
    shares.spouseGainTotal = amounts->fld_CapGain_2.m_value + shares.spouseGain0;
    shares.move(0.0);

    // The pension split starts from none, so the bracket move sees each
    // spouse's own pension.
    IndividualTaxData* pensioner = pensionerOf(taxpayer, spouse);
    const bool splitting = pensionForm(taxpayer) && pensionForm(spouse);
    if (splitting) {
        pensionForm(taxpayer)->line10322Election.m_value = 1;
        pensionForm(spouse)->line10322Election.m_value = 1;
        if (pensioner)
            setSplit(taxpayer, spouse, 0.0);
    }

    // Donations: both spouses claim half of the pool to start from.
    const double donationOwn1 = amounts->fld_Donation_1.m_value;
    const double donationOwn2 = amounts->fld_Donation_2.m_value;
    const double donationPool = amounts->fld_Donation_3.m_value;
    TaxData_Sch9* taxpayerSch9 = donationForm(taxpayer, true);
    TaxData_Sch9* spouseSch9 = donationForm(spouse, true);
    taxpayerSch9->CoupleDonationShare.m_value = roundCents(donationPool / 2);
    spouseSch9->CoupleDonationShare.m_value = roundCents(donationPool - taxpayerSch9->CoupleDonationShare.m_value);

    recalculate(-1, nullptr);

    // Bracket move: income goes from the higher to the lower spouse until
    // both stand in one bracket. Spouses of different provinces have
    // different staircases; the move then uses both sets of thresholds, and
    // the searches below judge each spouse on its own.
    const NumberStair taxpayerStair = staircaseOf(taxpayer);
    const NumberStair spouseStair = staircaseOf(spouse);
    NumberStair moveStair = taxpayerStair;
    if (taxpayerStair.steps() != spouseStair.steps())
        for (double threshold : spouseStair.steps())
            moveStair.AddStepAmt(threshold);
    // Half the eligible pension at most may be split.
    const double maxSplit = pensioner ? std::max(0.0, pensionForm(pensioner)->MaxSplit.m_value) : 0.0;
    const double taxpayerPension = pensioner == taxpayer ? maxSplit : 0.0;
    const double spousePension = pensioner == spouse ? maxSplit : 0.0;
    double upper = 0.0, lower = 0.0;
    moveStair.Optimize(PersonalAmt(taxpayerT1->line26000TaxableIncome.m_value,
                                   shares.taxpayerInterestTotal + shares.taxpayerGainTotal + taxpayerPension),
                       PersonalAmt(spouseT1->line26000TaxableIncome.m_value,
                                   shares.spouseInterestTotal + shares.spouseGainTotal + spousePension),
                       upper, lower);
    const double moved = shares.move(lower);
    const double rest = std::fabs(lower - moved);
    if (pensioner && rest > 0)
        setSplit(taxpayer, spouse, std::min(rest, lower > 0 ? taxpayerPension : spousePension));
    recalculate(-1, nullptr);

    // The interest and gains on the family's own figures: the bracket move
    // only guesses (credits, clawbacks and the province's own brackets bend
    // the tax too).
    if (!stopped(run) && taxrules::isPositiveAmount(shares.maxFromTaxpayer() + shares.maxFromSpouse())) {
        SplitSearch search(
            -shares.maxFromSpouse(), shares.maxFromTaxpayer(),
            [&](double candidate) {
                shares.move(candidate);
                Calculate(0, taxpayerT1);
                return familyBalance(*this);
            },
            run);
        addCrossings(search, moved, -shares.maxFromSpouse(), shares.maxFromTaxpayer(), *taxpayer, *spouse);
        shares.move(search.run(moved, familyBalance(*this)));
        recalculate(0, taxpayerT1);
    }

    if (pensioner && !stopped(run)) {
        double best = pensionForm(pensioner)->line10321SplitAmount.m_value;
        DoPensionSplitOpt(pensionForm(pensioner)->MaxSplit.m_value, best, run);
        setSplit(taxpayer, spouse, best);
        recalculate(0, pensionForm(taxpayer));
    }

    if (taxrules::isPositiveAmount(donationOwn1 + donationOwn2 + donationPool) && !stopped(run)) {
        // Pooled donations first go to the spouse with the higher income
        // (the first 200 of each claim earns the low rate); the search then
        // tries every other split, both all-to-one ends included.
        if (taxrules::isPositiveAmount(spouseT1->line26000TaxableIncome.m_value - taxpayerT1->line26000TaxableIncome.m_value)) {
            taxpayerSch9->CoupleDonationShare.m_value = roundCents(-donationOwn1);
            spouseSch9->CoupleDonationShare.m_value = roundCents(donationOwn1 + donationPool);
        } else {
            spouseSch9->CoupleDonationShare.m_value = roundCents(-donationOwn2);
            taxpayerSch9->CoupleDonationShare.m_value = roundCents(donationOwn2 + donationPool);
        }
        recalculate(-1, nullptr);
        double best = taxpayerSch9->CoupleDonationShare.m_value;
        DoDonationSplitOpt(-donationOwn1, donationPool + donationOwn2, donationPool, best, run);
        taxpayerSch9->CoupleDonationShare.m_value = roundCents(best);
        spouseSch9->CoupleDonationShare.m_value = roundCents(donationPool - best);
        recalculate(0, taxpayerSch9);
    }
    return !stopped(run);
}

void CFamilyTaxData::DoPensionSplitOpt(double maxSplit, double& best, OptimizeRun* run)
{
    IndividualTaxData* pensioner = pensionerOf(m_pTaxpayer, m_pSpouse);
    if (!pensioner)
        return;
    IndividualTaxData* transferee = pensioner == m_pTaxpayer ? m_pSpouse : m_pTaxpayer;
    TaxData_T1New* pensionerT1 = pensioner->GetT1();
    TaxData_T1New* transfereeT1 = transferee->GetT1();
    TaxData_T1032_New* form = pensionForm(pensioner);
    if (!pensionerT1 || !transfereeT1)
        return;
    // Never more than half of the pensioner's eligible pension.
    const double high = std::clamp(maxSplit, 0.0, std::max(0.0, form->MaxSplit.m_value));
    CTaxData_Form* changed = pensionForm(m_pTaxpayer);
    SplitSearch search(
        0.0, high,
        [&](double candidate) {
            setSplit(m_pTaxpayer, m_pSpouse, candidate);
            Calculate(0, changed);
            return familyBalance(*this);
        },
        run);
    const double current = form->line10321SplitAmount.m_value;
    addCrossings(search, current, 0.0, high, *pensioner, *transferee);
    // The pension income amount: the pensioner keeps the full amount while
    // the pension kept covers it, the transferee gets it once the split and
    // the own pension reach it.
    const double pensionAmountMax = taxrules::federalConstant(taxrules::FedKey::PensionAmountMax);
    search.addBreakPoint(form->EligiblePension.m_value - pensionAmountMax);
    search.addBreakPoint(pensionAmountMax - transfereeT1->PensionAmount.m_value);
    best = search.run(best, familyBalance(*this));
}

void CFamilyTaxData::DoDonationSplitOpt(double low, double high, double pool, double& best, OptimizeRun* run)
{
    TaxData_Sch9* taxpayerSch9 = donationForm(m_pTaxpayer, true);
    TaxData_Sch9* spouseSch9 = donationForm(m_pSpouse, true);
    const TaxData_T1New* taxpayerT1 = m_pTaxpayer->GetT1();
    const TaxData_T1New* spouseT1 = m_pSpouse->GetT1();
    if (!taxpayerT1 || !spouseT1)
        return;
    SplitSearch search(
        low, high,
        [&](double candidate) {
            taxpayerSch9->CoupleDonationShare.m_value = roundCents(candidate);
            spouseSch9->CoupleDonationShare.m_value = roundCents(pool - candidate);
            Calculate(0, taxpayerSch9);
            return familyBalance(*this);
        },
        run);
    // Where a claim leaves the low-rate first tier, and where it reaches the
    // limit of a share of net income.
    const double taxpayerOwn = taxpayerSch9->ownDonations();
    const double spouseOwn = spouseSch9->ownDonations();
    const double firstTier = taxrules::federalConstant(taxrules::FedKey::DonationFirstTier);
    const double incomeShare = taxrules::federalConstant(taxrules::FedKey::DonationNetIncomeLimit);
    search.addBreakPoint(firstTier - taxpayerOwn);
    search.addBreakPoint(spouseOwn + pool - firstTier);
    search.addBreakPoint(incomeShare * taxpayerT1->line23600NetIncome.m_value - taxpayerOwn);
    search.addBreakPoint(spouseOwn + pool - incomeShare * spouseT1->line23600NetIncome.m_value);
    best = search.run(best, familyBalance(*this));
}
