#include "companion/rules/workersbenefit2024.h"

#include <algorithm>

#include "companion/rules/money.h"

namespace taxrules {

namespace {

// One phase: working income above `floor` credited at `rate` up to
// `maximum`, less `reductionRate` of adjusted family net income above
// `threshold`.
struct Phase {
    double floor;
    double rate;
    double maximum;
    double threshold;
    double reductionRate;

    double endPoint() const { return threshold + maximum / reductionRate; }
    double amount(double workingIncome, double netIncome, double reductionShare = 1.0) const
    {
        const double phasedIn = std::min(maximum, positivePart(workingIncome - floor) * rate);
        return roundCents(positivePart(phasedIn - positivePart(netIncome - threshold) * reductionRate * reductionShare));
    }
};

// The columns of one jurisdiction: basic amount and supplement for a person
// with neither an eligible spouse nor an eligible dependant, with a spouse
// only, with a dependant only, and with both. Outside Quebec the three
// family columns are the same.
struct Jurisdiction {
    Phase basic[4];
    Phase supplement[4];
};

int column(WorkersBenefitHousehold h) { return (h.eligibleSpouse ? 1 : 0) + (h.eligibleDependant ? 2 : 0); }

// General amounts (2024). Source: canada.ca, "Net income level where the
// recipient is not eligible to receive the Canada workers benefit", 2024
// tax year: no basic amount above 36,749 (single) or 48,093 (family), no
// supplement above 42,221 / 53,565; they are reached from the 2024 maxima
// 1,590 / 2,739 and 821, reduced at 15 % from 26,149 / 29,833 and from
// 36,749 / 48,093. The phase-in (27 % of working income above 3,000, or
// above 1,150 for the supplement) is not indexed (canada.ca, "CWB advance
// payment - calculation sheet", residents of Canada outside Alberta,
// Quebec and Nunavut).
constexpr Phase kBasicSingle{3000.0, 0.27, 1590.0, 26149.0, 0.15};
constexpr Phase kBasicFamily{3000.0, 0.27, 2739.0, 29833.0, 0.15};
constexpr Phase kSupplementSingle{1150.0, 0.27, 821.0, 36749.0, 0.15};
constexpr Phase kSupplementFamily{1150.0, 0.27, 821.0, 48093.0, 0.15};
constexpr Jurisdiction kGeneral{{kBasicSingle, kBasicFamily, kBasicFamily, kBasicFamily},
                                {kSupplementSingle, kSupplementFamily, kSupplementFamily, kSupplementFamily}};

// Alberta (2024). The same 2024 table gives Alberta's end points: 36,832
// (single) and 48,918 (family) for the basic amount, 42,306 / 54,392 for the
// supplement, which is reduced from where the basic amount ends. Alberta
// phases in from 2,760 of working income (910 for the supplement; canada.ca,
// the Alberta calculation sheets); the maxima and rates are the general
// ones, so the thresholds are the end points less maximum / 15 %:
// 36,832 - 10,600 = 26,232 and 48,918 - 18,260 = 30,658.
constexpr Phase kAbBasicSingle{2760.0, 0.27, 1590.0, 26232.0, 0.15};
constexpr Phase kAbBasicFamily{2760.0, 0.27, 2739.0, 30658.0, 0.15};
constexpr Phase kAbSupplementSingle{910.0, 0.27, 821.0, 36832.0, 0.15};
constexpr Phase kAbSupplementFamily{910.0, 0.27, 821.0, 48918.0, 0.15};
constexpr Jurisdiction kAlberta{{kAbBasicSingle, kAbBasicFamily, kAbBasicFamily, kAbBasicFamily},
                                {kAbSupplementSingle, kAbSupplementFamily, kAbSupplementFamily, kAbSupplementFamily}};

// Nunavut (2024). canada.ca, "CWB advance payment - calculation sheet ...
// residents of Nunavut": 14 % of working income above 6,000, reduced at 4 %
// (single) or 8 % (family); the supplement 26 % above 4,800, reduced at
// 12 %. The amounts of those sheets indexed to 2024 (x 1.024 x 1.063 x
// 1.047) give the maxima 1,578 and 2,371 from 26,127 and 35,957, and a
// supplement of 912: they end where the agency's 2024 table ends them
// (65,577 single, 65,595 family; the supplement 73,177 / 73,195, reduced
// from where the basic amount ends).
constexpr Phase kNuBasicSingle{6000.0, 0.14, 1578.0, 26127.0, 0.04};
constexpr Phase kNuBasicFamily{6000.0, 0.14, 2371.0, 35957.0, 0.08};
constexpr Phase kNuSupplementSingle{4800.0, 0.26, 912.0, 65577.0, 0.12};
constexpr Phase kNuSupplementFamily{4800.0, 0.26, 912.0, 65595.0, 0.12};
constexpr Jurisdiction kNunavut{{kNuBasicSingle, kNuBasicFamily, kNuBasicFamily, kNuBasicFamily},
                                {kNuSupplementSingle, kNuSupplementFamily, kNuSupplementFamily, kNuSupplementFamily}};

// Quebec (2024). Schedule 6's Quebec column: working income above 2,400
// (3,600 with an eligible spouse) at 37.3 % (20 % with an eligible dependant
// and no spouse, 23.9 % with both), reduced at 20 %; the supplement 40 %
// above 1,200, reduced at 20 % (canada.ca, the Quebec calculation sheets).
// The maxima are the 2023 schedule's (3,521.87, 5,497.27, 1,888.40,
// 3,522.38) indexed by 4.7 %; the thresholds are the agency's 2024 end
// points (32,356.72 single, 50,150.04 couple, 23,915.83 single with
// children, 39,969.72 couple with children) less maximum / 20 %. The
// supplement, 827.72, is reduced from where the basic amount ends: the
// table's supplement end points are 4,138.60 (827.72 / 20 %) further on.
constexpr Phase kQcBasicSingle{2400.0, 0.373, 3687.40, 13919.72, 0.20};
constexpr Phase kQcBasicCouple{3600.0, 0.373, 5755.64, 21371.84, 0.20};
constexpr Phase kQcBasicParent{2400.0, 0.20, 1977.15, 14030.08, 0.20};
constexpr Phase kQcBasicCoupleParent{3600.0, 0.239, 3687.93, 21530.07, 0.20};
constexpr Jurisdiction kQuebec{{kQcBasicSingle, kQcBasicCouple, kQcBasicParent, kQcBasicCoupleParent},
                               {{1200.0, 0.40, 827.72, 32356.72, 0.20},
                                {1200.0, 0.40, 827.72, 50150.04, 0.20},
                                {1200.0, 0.40, 827.72, 23915.83, 0.20},
                                {1200.0, 0.40, 827.72, 39969.72, 0.20}}};

const Jurisdiction& jurisdiction(Province province)
{
    switch (province) {
    case Province::QC:
        return kQuebec;
    case Province::AB:
        return kAlberta;
    case Province::NU:
        return kNunavut;
    default:
        return kGeneral;
    }
}

// The secondary earner exemption (not indexed).
constexpr double kSecondaryEarnerExemption = 14000.0;

} // namespace

WorkersBenefit canadaWorkersBenefit(const WorkersBenefitInput& in)
{
    const Jurisdiction& j = jurisdiction(in.province);
    const int c = column(in.household);
    WorkersBenefit b;
    b.basic = j.basic[c].amount(in.familyWorkingIncome, in.adjustedFamilyNetIncome);
    if (in.disabilitySupplement)
        b.supplement = j.supplement[c].amount(in.supplementWorkingIncome, in.adjustedFamilyNetIncome,
                                              in.bothSpousesDisabled ? 0.5 : 1.0);
    return b;
}

bool workersBenefitMayApply(Province province, WorkersBenefitHousehold household, double workingIncome,
                            double adjustedFamilyNetIncome, bool disabilitySupplement)
{
    const Jurisdiction& j = jurisdiction(province);
    const int c = column(household);
    const auto within = [&](const Phase& p) {
        return isPositiveAmount(workingIncome - p.floor) && isPositiveAmount(p.endPoint() - adjustedFamilyNetIncome);
    };
    return within(j.basic[c]) || (disabilitySupplement && within(j.supplement[c]));
}

double workersBenefitSecondaryEarnerExemption(double lowerWorkingIncome)
{
    return std::min(positivePart(lowerWorkingIncome), kSecondaryEarnerExemption);
}

} // namespace taxrules
