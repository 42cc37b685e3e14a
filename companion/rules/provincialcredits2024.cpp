#include "companion/rules/provincialcredits2024.h"

#include "companion/rules/money.h"

#include <algorithm>
#include <vector>

namespace taxrules {

namespace {

constexpr double kAgeReductionRate = 0.15;
constexpr double kMedicalIncomeShare = 0.03;
constexpr double kDonationFirstPart = 200.0;

// Figures from each province's 2024 form 428 and its worksheet, as the
// agency and the provinces publish them (sources by row). Rows with blanks
// are provinces whose remaining 2024 amounts are not yet in this table.
//
// The supplements to the disability amount for a person under 18 (lines
// 58440 and 58480) are those of the 2024 base amounts table of taxtips.ca
// ("2024 Non-Refundable Personal Tax Credits - Base Amounts"): Ontario
// 5,843, Nova Scotia 3,449, New Brunswick 5,686, Newfoundland and Labrador
// 3,435, Prince Edward Island 4,019; British Columbia's 5,505 is in its
// row. The other provinces' 2024 supplements were not confirmed, so a
// child's disability amount is not transferred there (and the plug-in says
// so). The same table gives no amount for
// infirm children under 18 in Ontario and the four Atlantic provinces
// (the federal line 30500 has no counterpart on their forms).
std::vector<ProvincialCreditTable> buildTables()
{
    using P = Province;
    std::vector<ProvincialCreditTable> rows;
    auto row = [&rows](Province p) -> ProvincialCreditTable& {
        rows.push_back(ProvincialCreditTable{});
        rows.back().province = p;
        return rows.back();
    };

    // Ontario, form ON428 2024: age 6,054 above 45,068; spouse and eligible
    // dependant 10,528 less the income above 1,053; pension at most 1,714;
    // disability 10,017; medical threshold 2,806; donations 5.05 % and
    // 11.16 %; dividends 10 % (eligible) and 2.9863 % (other). Sources: the
    // 2024 ON428 (Part B), the Ontario 2024 credit table of the accounting
    // firms' planning guides, the dividend credit rate tables.
    {
        auto& on = row(P::ON);
        on.ageAmount = 6054.0;
        on.ageThreshold = 45068.0;
        on.spouseAmount = 10528.0;
        on.spouseIncomeAllowed = 1053.0;
        on.pensionMaximum = 1714.0;
        on.disabilityAmount = 10017.0;
        on.disabilitySupplement = 5843.0;
        // The caregiver amount 5,844 less the dependant's net income above
        // 19,994 (nil at 25,838) and adoption expenses of at most 15,127 a
        // child: the Ontario 2024 non-refundable credits table of rcgt.com's
        // tax planning guide (the nil point as on the ON428 line 58185 help).
        on.caregiverAmount = 5844.0;
        on.caregiverThreshold = 19994.0;
        on.adoptionMaximum = 15127.0;
        on.noInfirmChildrenAmount = true;
        on.medicalCap = 2806.0;
        on.donationFirstRate = 0.0505;
        on.donationRestRate = 0.1116;
        on.eligibleDividendRate = 0.10;
        on.otherDividendRate = 0.029863;
        on.studentLoanInterest = true;
    }
    // British Columbia, gov.bc.ca "2024 Basic personal income tax credits":
    // age 5,641 above 41,993; spouse and eligible dependant 10,772 less the
    // income above 1,078; pension 1,000; disability 9,435; medical threshold
    // 2,616; donations at the lowest rate on the first 200 and 16.8 % on the
    // rest, 20.5 % on the part of the rest matched by taxable income above
    // 252,752. Eligible dividends 12 %.
    {
        auto& bc = row(P::BC);
        bc.ageAmount = 5641.0;
        bc.ageThreshold = 41993.0;
        bc.spouseAmount = 10772.0;
        bc.spouseIncomeAllowed = 1078.0;
        bc.pensionMaximum = 1000.0;
        bc.disabilityAmount = 9435.0;
        bc.medicalCap = 2616.0;
        bc.donationFirstRate = 0.0506;
        bc.donationRestRate = 0.168;
        bc.donationTopRate = 0.205;
        bc.donationTopFrom = 252752.0;
        bc.eligibleDividendRate = 0.12;
        bc.studentLoanInterest = true;
        // The B.C. caregiver amount (BC428 line 58175) for each infirm
        // dependant 18 or older: 5,505 less the dependant's net income above
        // 18,629 (nil at 24,134), the same gov.bc.ca 2024 table ("B.C.
        // caregiver"); the 24,134 nil point is the 2024 line 58175 help's.
        bc.caregiverAmount = 5505.0;
        bc.caregiverThreshold = 18629.0;
        // The same table: the disability amount for a child under 18 is
        // 9,435 plus 5,505 ("Disability amount for child under 18 $5,505",
        // reduced by care expenses above 3,196, which this build does not
        // take: see provincialDisabilityTransfer); adoption expenses up to
        // 19,066 a child (line 58330, "Actual (to a maximum of $19,066)").
        // The table lists every B.C. basic credit and none for infirm
        // children under 18, so the federal line 30500 has no counterpart.
        bc.disabilitySupplement = 5505.0;
        bc.adoptionMaximum = 19066.0;
        bc.noInfirmChildrenAmount = true;
    }
    // Alberta, form AB428 2024: age at most 6,099; spouse and eligible
    // dependant 21,885 less the whole of the other person's income; pension
    // at most 1,685; disability 16,882; donations 60 % on the first 200 and
    // 21 % on the rest; eligible dividends 8.12 %. The age threshold and the
    // medical threshold are the 2023 worksheet's 43,570 and 2,714 indexed by
    // Alberta's 2024 factor of 4.2 % (the ratio of the basic personal
    // amounts 21,885 / 21,003): 45,400 and 2,828, as the 2024 AB428 prints
    // for the medical threshold.
    {
        auto& ab = row(P::AB);
        ab.ageAmount = 6099.0;
        ab.ageThreshold = 45400.0;
        ab.spouseAmount = 21885.0;
        ab.spouseIncomeAllowed = 0.0;
        ab.pensionMaximum = 1685.0;
        ab.disabilityAmount = 16882.0;
        ab.medicalCap = 2828.0;
        ab.donationFirstRate = 0.60;
        ab.donationRestRate = 0.21;
        ab.eligibleDividendRate = 0.0812;
        ab.studentLoanInterest = true;
    }
    // Nova Scotia, form NS428 2024: age 4,141 above 30,828; spouse and
    // eligible dependant 8,481 less the income above 848; pension at most
    // 1,173; disability 7,341; medical threshold 1,637; donations 8.79 % and
    // 21 %; eligible dividends 8.85 %. Sources: the NS428 lines, the
    // provincial non-refundable credit tables of 2024, novascotia.ca.
    {
        auto& ns = row(P::NS);
        ns.ageAmount = 4141.0;
        ns.ageThreshold = 30828.0;
        ns.spouseAmount = 8481.0;
        ns.spouseIncomeAllowed = 848.0;
        ns.pensionMaximum = 1173.0;
        ns.disabilityAmount = 7341.0;
        ns.disabilitySupplement = 3449.0;
        ns.noInfirmChildrenAmount = true;
        ns.medicalCap = 1637.0;
        // The amount for young children (line 58230): "$100 per month for
        // each child" less than six years of age and living with the
        // claimant on the first day of the month, not claimed as eligible
        // dependant on line 58160, by the spouse with the lower net income;
        // "The maximum amount you can claim for 2024 is $1,200 for each
        // dependent child" (the agency's NS428 line 58230 help as
        // support.drtax.ca gives it).
        ns.youngChildMonthly = 100.0;
        ns.youngChildNotEligibleDependant = true;
        ns.donationFirstRate = 0.0879;
        ns.donationRestRate = 0.21;
        ns.eligibleDividendRate = 0.0885;
        ns.studentLoanInterest = true;
    }
    // New Brunswick, Newfoundland and Labrador, Prince Edward Island: the
    // 2024 age, spouse and disability amounts of the provincial credit
    // tables; eligible dividend rates 14 %, 6.3 % and 10.5 %.
    {
        auto& nb = row(P::NB);
        nb.ageAmount = 5878.0;
        nb.ageThreshold = 43763.0;
        nb.spouseAmount = 10223.0;
        nb.spouseIncomeAllowed = 1023.0;
        nb.disabilityAmount = 9747.0;
        nb.disabilitySupplement = 5686.0;
        nb.noInfirmChildrenAmount = true;
        nb.eligibleDividendRate = 0.14;
        // The 2024 New Brunswick credit table of the accounting firms'
        // planning guides (NB428 lines 58360, 58520, 58689 and 58969):
        // pension income at most 1,000; medical expenses above the lesser of
        // 3 % and 2,724; donations 9.4 % on the first 200 and 17.95 % on
        // the rest; student loan interest.
        nb.pensionMaximum = 1000.0;
        nb.medicalCap = 2724.0;
        nb.donationFirstRate = 0.094;
        nb.donationRestRate = 0.1795;
        nb.studentLoanInterest = true;
    }
    {
        auto& nl = row(P::NL);
        nl.ageAmount = 6905.0;
        nl.ageThreshold = 37842.0;
        nl.spouseAmount = 8840.0;
        nl.spouseIncomeAllowed = 885.0;
        nl.disabilityAmount = 7299.0;
        nl.disabilitySupplement = 3435.0;
        nl.noInfirmChildrenAmount = true;
        nl.eligibleDividendRate = 0.063;
        // gov.nl.ca: the pension income amount is not indexed (1,000, the
        // NL428 maximum); the NL428 credits student loan interest (58520).
        nl.pensionMaximum = 1000.0;
        nl.studentLoanInterest = true;
        // Donations 8.7 % on the first 200 and 21.8 % on the rest (the 2024
        // donation credit rates table of taxtips.ca, "2024 Donation Tax
        // Credit Rates").
        nl.donationFirstRate = 0.087;
        nl.donationRestRate = 0.218;
        // "Volunteer firefighters' amount 58315" on the NL428 (aclasssoft.com's
        // layout), "based on the criteria for the federal volunteer
        // firefighter tax credit. The amount of the credit is $3,000 x the
        // lowest NL tax rate" (taxtips.ca): the federal line 31220 as it
        // stands. Its search and rescue line's amount was not confirmed.
        nl.volunteerFirefightersAsFederal = true;
    }
    {
        auto& pe = row(P::PE);
        pe.ageAmount = 5595.0;
        pe.ageThreshold = 33740.0;
        pe.spouseAmount = 11466.0;
        pe.spouseIncomeAllowed = 1147.0;
        pe.disabilityAmount = 6890.0;
        pe.disabilitySupplement = 4019.0;
        pe.noInfirmChildrenAmount = true;
        pe.eligibleDividendRate = 0.105;
        // PE428 2024 Part B: pension income at most 1,000 (58360); medical
        // expenses above the lesser of 3 % and 1,678 (amounts Prince Edward
        // Island does not index); student loan interest (58520).
        pe.pensionMaximum = 1000.0;
        pe.medicalCap = 1678.0;
        pe.studentLoanInterest = true;
        // The amount for young children, 100 a month for each child less
        // than six years of age on the first day of the month (the agency's
        // line 58230 help as support.drtax.ca and hrblockonline.ca give it:
        // "You can claim $100 per month for each child", "only the person
        // with the lower net income (including zero income) can claim this
        // amount"); "Number of months 58229 x $100 = 58230" on the 2023
        // PE428 (eachtax.com) and line 58230 among the current PE428 lines
        // (support.drtax.ca): not indexed since it began in July 2006
        // (taxtips.ca, "PEI Young Child Tax Credit").
        pe.youngChildMonthly = 100.0;
    }
    // Manitoba, form MB428: age 3,728 above 27,749, disability 6,180 and
    // the medical threshold 1,728 (amounts Manitoba does not index, the same
    // on the 2023 and 2024 forms); donations 10.8 % and 17.4 %; eligible
    // dividends 8 %; student loan interest (58520). The spouse and eligible
    // dependant amounts are 9,134 less the other person's whole net income
    // (MB428 2024 lines 11 to 16, base amount 9,134, not indexed).
    {
        auto& mb = row(P::MB);
        mb.spouseAmount = 9134.0;
        mb.spouseIncomeAllowed = 0.0;
        mb.ageAmount = 3728.0;
        mb.ageThreshold = 27749.0;
        mb.disabilityAmount = 6180.0;
        mb.medicalCap = 1728.0;
        mb.donationFirstRate = 0.108;
        mb.donationRestRate = 0.174;
        mb.eligibleDividendRate = 0.08;
        mb.studentLoanInterest = true;
        // Pension income at most 1,000 (MB428 line 58360; Manitoba does not
        // index it: 1,000 in the provincial tables of 2017 and of 2024).
        mb.pensionMaximum = 1000.0;
        // Adoption expenses "(maximum $10,000 per child)" (MB428 line 58330,
        // the form as eachtax.com lays it out), a fixed amount like the age,
        // disability and medical figures above, which the 2024 form keeps.
        mb.adoptionMaximum = 10000.0;
        // "Volunteer firefighters' amount (amount from line 31220 of your
        // return) 58315" and "Search and rescue volunteers' amount (amount
        // from line 31240 of your return) 58316", the MB428 as eachtax.com
        // lays it out; both lines in the current MB428 line list of
        // support.drtax.ca.
        mb.volunteerFirefightersAsFederal = true;
        mb.searchRescueAsFederal = true;
    }
    // Yukon, form YT428: the basic personal, age, spouse, eligible
    // dependant, Canada employment, pension income and disability amounts
    // are the return's own lines 30000 to 31600, and so are its caregiver
    // amounts and adoption expenses: the 2024 YT428 Part B copies line 30425
    // on its line 58170, 30450 on 58180, 30500 on 58189 and 31300 on 58330
    // ("Caregiver amount for infirm dependants age 18 or older (amount from
    // line 30450 of your return)", the 2024 form as eachtax.com lays it out,
    // with the 2024 age amount maximum 8,790; the same wording on the 2023
    // form). Yukon's caregiver credit has followed the Canada caregiver
    // credit since 2017 (taxtips.ca, "Infirm Dependant Amount Tax Credit for
    // Age 18 and Older"). The medical threshold
    // follows the federal one (2,635 on the 2023 form, as federally; 2,759
    // for 2024); donations 6.4 % and 12.8 %; eligible dividends 12.02 %.
    {
        auto& yt = row(P::YT);
        yt.amountsAsFederal = true;
        yt.canadaEmploymentAmount = true;
        yt.medicalCap = 2759.0;
        yt.donationFirstRate = 0.064;
        yt.donationRestRate = 0.128;
        yt.eligibleDividendRate = 0.1202;
        yt.studentLoanInterest = true;
    }
    // Saskatchewan, 2024: spouse and eligible dependant 18,491 less the
    // income above 1,849 (nil at 20,340) and 7,015 for each dependent child
    // (the 2024 amounts of the provincial tax tables, indexed 4.7 %);
    // student loan interest as federally; eligible dividends 11 %.
    //
    // The age amount and the senior supplementary amount are the 2023
    // SK428's (age at most 5,380, "Senior supplementary amount (if born in
    // 1958 or earlier) claim $1,421", the SK428 as eachtax.com lays it out)
    // indexed by Saskatchewan's 2024 factor ("Income tax brackets and tax
    // credit amounts are indexed for the 2024 taxation year at an indexation
    // level of 4.7 per cent", saskatchewan.ca, Personal Income Tax), to the
    // dollar: 5,633 and 1,488. The disability amount is 10,894 and the
    // medical threshold 2,610 (the same SK428 layout, whose disability line
    // reads "claim $10,894": the 2023 amount of 10,405, the caregiver amount
    // of the 2023 SK428 line 58400 help of support.drtax.ca, which
    // Saskatchewan sets equal to the disability amount, indexed 4.7 %). The
    // pension income amount is at most 1,000, not indexed ("Pension income
    // maximum $1,000" on saskatchewan.ca's personal income tax structure
    // pages of 2017 and of 2025). saskatchewan.ca's 2025 table confirms the
    // chain: age 5,785 and medical 2,681 are 5,633 and 2,610 indexed by
    // 2.7 %, and the senior supplement 2,028 is 1,488 indexed plus the 500
    // added for 2025. The age amount is reduced by 15 % of net income above
    // the federal threshold, as in every year since 2017 (36,430 in the 2017
    // provincial credit table of taxtips.ca, the federal figure), 44,325
    // for 2024.
    {
        auto& sk = row(P::SK);
        sk.spouseAmount = 18491.0;
        sk.spouseIncomeAllowed = 1849.0;
        sk.dependentChildAmount = 7015.0;
        sk.ageAmount = 5633.0;
        sk.ageThreshold = 44325.0;
        sk.seniorSupplementaryAmount = 1488.0;
        sk.disabilityAmount = 10894.0;
        sk.pensionMaximum = 1000.0;
        sk.medicalCap = 2610.0;
        sk.eligibleDividendRate = 0.11;
        sk.studentLoanInterest = true;
        // Donations 10.5 % on the first 200 and 14.5 % on the rest (taxtips.ca,
        // "2024 Donation Tax Credit Rates": the lowest and highest rates).
        sk.donationFirstRate = 0.105;
        sk.donationRestRate = 0.145;
    }
    // Northwest Territories, form NT428: the spouse and eligible dependant
    // amounts are the basic personal amount (17,373) less the other
    // person's whole net income; pension income at most 1,000; donations
    // 5.9 % and 14.05 %; student loan interest (58520); eligible dividends
    // 11.5 %.
    //
    // Its age and disability amounts are the 2023 NT428's ("Age amount ...
    // (maximum $8,116)" reduced by 15 % of net income above 42,335, the
    // Worksheet NT428 2023; "Disability amount for self (claim $13,456 ...)",
    // the 2023 NT428 as aclasssoft.com lays it out) indexed by the
    // territory's 2024 factor of 4.7 % (wowa.ca, "Northwest Territories
    // Income Tax Brackets": "the indexation factor, which was 4.7% for
    // 2024"; it takes the basic personal amount from 16,593 to 17,373), to
    // the dollar: 8,497 above 44,325, and 14,088. The medical threshold is
    // the federal one (the 2023 NT428 prints 2,635, the federal figure of
    // 2023): 2,759 for 2024.
    {
        auto& nt = row(P::NT);
        nt.spouseAmount = 17373.0;
        nt.spouseIncomeAllowed = 0.0;
        nt.ageAmount = 8497.0;
        nt.ageThreshold = 44325.0;
        nt.disabilityAmount = 14088.0;
        nt.medicalCap = 2759.0;
        nt.pensionMaximum = 1000.0;
        nt.donationFirstRate = 0.059;
        nt.donationRestRate = 0.1405;
        nt.eligibleDividendRate = 0.115;
        nt.studentLoanInterest = true;
    }
    // Nunavut: the eligible dividend rate of 2024 (5.51 %); donations 4 %
    // on the first 200 and 11.5 % on the rest (taxtips.ca, "2024 Donation
    // Tax Credit Rates").
    //
    // The spouse and eligible dependant amounts are the basic personal
    // amount, 18,767, less the other person's whole net income (the NU428
    // lines 11 to 16: "Base amount" less the net income, at most the basic
    // personal amount; the 2023 NU428 as aclasssoft.com and eachtax.com lay
    // it out). The age amount is the 2023 NU428's "maximum $11,442" indexed
    // by Nunavut's 2024 factor of 4.7 % (the factor that takes the basic
    // personal amount from 17,925 to 18,767), to the dollar 11,980, less 15 %
    // of net income above the federal threshold, 44,325 (the TD1NU 2022 gives
    // 10,764 above 39,826, the federal threshold of that year). The pension
    // income amount is the lesser of the pension income and 2,000 (TD1NU
    // 2022, "enter $2,000, or your estimated annual pension income, whichever
    // is less", not indexed). Its disability, caregiver and medical figures
    // of 2024 were not confirmed: those credits are named when claimed.
    {
        auto& nu = row(P::NU);
        nu.eligibleDividendRate = 0.0551;
        nu.donationFirstRate = 0.04;
        nu.donationRestRate = 0.115;
        nu.spouseAmount = 18767.0;
        nu.spouseIncomeAllowed = 0.0;
        nu.ageAmount = 11980.0;
        nu.ageThreshold = 44325.0;
        nu.pensionMaximum = 2000.0;
        // The amount for young children: "Number of children 63710 x $1,200
        // = 58230" (the 2023 NU428 as eachtax.com lays it out), "$1,200 each
        // year from the time the child is born until the year the child
        // turns 6", claimed by the spouse with the lower net income
        // (hrblockonline.ca, the same 1,200 in 2015); not indexed, and line
        // 58230 is on the current NU428 (support.drtax.ca's line list).
        nu.youngChildYearly = 1200.0;
    }
    return rows;
}

// The provincial Schedule 11 of 2024 by province. Every province claims
// the unused amounts of earlier years. Sources:
//   Ontario: the 2024 Schedule ON(S11) has only the unused Ontario amounts
//     (line 1), set against taxable income up to 51,446 or the ON428 tax
//     divided by 5.05 %, less lines 58040 to 58480 of the ON428.
//   Saskatchewan: the 2024 Schedule SK(S11) has only the unused amounts
//     (line 1), against taxable income up to 52,057 or the SK428 tax divided
//     by 10.5 %, less lines 58040 to 58480; the SK428 line 58560 help: "for
//     2018 and later tax years, tuition and education amounts have been
//     eliminated".
//   British Columbia: gov.bc.ca "2024 Basic personal income tax credits"
//     (Tuition: actual, not indexed), the BC428 line 58560 help (line 59140
//     of Schedule BC(S11) is the federal amount already reduced by the
//     Canada training credit), and the B.C. education and textbook amounts
//     ended on January 1, 2019 (the B.C. education amount help).
//   New Brunswick: the tuition amount reintroduced for 2019 and later years
//     (the New Brunswick tuition help); whether an education amount came
//     back with it is not confirmed.
//   Prince Edward Island: the 2024 Schedule PE(S11): line 2 from line 8 of
//     the federal Schedule 11, education 120 a month part-time (59160) and
//     400 a month full-time (59180).
//   Nunavut: the 2024 Schedule NU(S11): line 2 from line 8 of the federal
//     Schedule 11; part-time education 120 and textbook 20 a month (lines 3
//     and 4). The full-time figures were not confirmed.
//   Alberta: the 2024 Schedule AB(S11) has only the unused amounts (line 1),
//     against taxable income up to 148,269 or the AB428 tax divided by 10 %,
//     less lines 58040 to 58480.
// Manitoba, Nova Scotia, Newfoundland and Labrador, the Northwest
// Territories and Yukon: whether a 2024 amount exists was not confirmed.
void addTuitionFigures(std::vector<ProvincialCreditTable>& rows)
{
    for (ProvincialCreditTable& t : rows) {
        switch (t.province) {
        case Province::ON:
        case Province::SK:
        case Province::AB: t.tuitionCurrentYear = false; break;
        case Province::BC:
            t.tuitionCurrentYear = true;
            t.educationFullTimeMonthly = 0.0;
            t.educationPartTimeMonthly = 0.0;
            break;
        case Province::NB: t.tuitionCurrentYear = true; break;
        case Province::PE:
            t.tuitionCurrentYear = true;
            t.educationFullTimeMonthly = 400.0;
            t.educationPartTimeMonthly = 120.0;
            break;
        case Province::NU:
            t.tuitionCurrentYear = true;
            t.educationPartTimeMonthly = 120.0 + 20.0;
            break;
        default: break;
        }
    }
}

// The dividend tax credit on other than eligible dividends (the taxable
// amount of line 12010), 2024, as a share of that amount; Ontario's is in
// its row. Sources: taxtips.ca "Saskatchewan Dividend Tax Credits" (2.519 %
// for 2024-2026), "Manitoba Dividend Tax Credit" (0.7835 % since 2017) and
// "Nova Scotia Dividend Tax Credits" (22.94 % of the federal gross-up, which
// at 15 % of 115 is 2.99 %); every rate agrees with rcgt.com's 2024 table of
// combined top marginal rates ("Marginal rates - N.B. 2024", all provinces):
// the rate is what remains of 1.15 x the top rate once the federal credit
// (9.0301 % x 1.15) and the top rate on these dividends are taken off,
// divided by 1.15, to within the table's two decimals (Alberta 48 % and
// 42.30 % give 2.18 %, British Columbia
// 53.5 % and 48.89 % give 1.96 %, New Brunswick 52.5 % and 46.83 % give
// 2.75 %, Newfoundland and Labrador 54.8 % and 48.96 % give 3.2 %, the
// Northwest Territories 47.05 % and 36.82 % give 6 %, Nunavut 44.5 % and
// 37.79 % give 2.61 %, Prince Edward Island 51.75 % and 47.63 % give 1.3 %,
// Yukon 48 % and 44.04 % give 0.67 %).
void addOtherDividendRates(std::vector<ProvincialCreditTable>& rows)
{
    struct Rate {
        Province province;
        double rate;
    };
    static const Rate kRates[] = {
        {Province::AB, 0.0218},   {Province::BC, 0.0196}, {Province::MB, 0.007835}, {Province::NB, 0.0275},
        {Province::NL, 0.032},    {Province::NS, 0.0299}, {Province::NT, 0.06},     {Province::NU, 0.0261},
        {Province::PE, 0.013},    {Province::SK, 0.02519}, {Province::YT, 0.0067},
    };
    for (ProvincialCreditTable& t : rows)
        for (const Rate& r : kRates)
            if (t.province == r.province)
                t.otherDividendRate = r.rate;
}

// The amounts for an infirm dependant 18 or older of the forms that have
// lines 58200 and 58400, 2024: {maximum, threshold} for each line.
//   New Brunswick: rcgt.com, "Table I2 - Main Non-Refundable Tax Credits -
//     N.B. 2024": the disabled dependant amount 5,686 reduced above 8,067
//     (nil at 13,753); the caregiver amount 5,686 reduced above 19,417 (nil
//     at 25,103).
//   Nova Scotia: 2,798 above 5,683 and 4,898 above 13,677 (the 2023 worksheet
//     NS428 maxima and EY's 2023 Nova Scotia credit table); Nova Scotia
//     indexes its credits only from 2025 (its 2024-25 budget), so 2024 keeps
//     them.
//   Alberta: the 2023 worksheet AB428 (base amounts 20,190 and 31,489,
//     maximum 12,158 each) raised by Alberta's 2024 factor of 4.2 %, the one
//     the age and medical thresholds above take: maximum 12,669 (the 2024
//     TD1AB amounts "impaired dependant" and "caregiver", nethris.com's 2024
//     table), bases 21,038 and 32,812, so thresholds 8,369 and 20,143.
void addInfirmDependantFigures(std::vector<ProvincialCreditTable>& rows)
{
    struct Figures {
        Province province;
        double infirmMaximum, infirmThreshold, caregiverMaximum, caregiverThreshold;
    };
    static const Figures kFigures[] = {
        {Province::NB, 5686.0, 8067.0, 5686.0, 19417.0},
        {Province::NS, 2798.0, 5683.0, 4898.0, 13677.0},
        {Province::AB, 12669.0, 8369.0, 12669.0, 20143.0},
    };
    // Alberta's, Manitoba's and Saskatchewan's forms have no amount for
    // infirm children under 18 (the federal line 30500): the 2024 AB428's
    // Part B as difficultbeauty.com lays it out, the MB428's lines as
    // drtax.ca lists them, the 2024 SK428's Part B as eachtax.com lays it out.
    for (ProvincialCreditTable& t : rows)
        if (t.province == Province::AB || t.province == Province::MB || t.province == Province::SK)
            t.noInfirmChildrenAmount = true;
    for (ProvincialCreditTable& t : rows)
        for (const Figures& f : kFigures)
            if (t.province == f.province) {
                t.infirmDependantAmount = f.infirmMaximum;
                t.infirmDependantThreshold = f.infirmThreshold;
                t.inHomeCaregiverAmount = f.caregiverMaximum;
                t.inHomeCaregiverThreshold = f.caregiverThreshold;
            }
}

const std::vector<ProvincialCreditTable>& tables()
{
    static const std::vector<ProvincialCreditTable> all = [] {
        std::vector<ProvincialCreditTable> rows = buildTables();
        addTuitionFigures(rows);
        addOtherDividendRates(rows);
        addInfirmDependantFigures(rows);
        return rows;
    }();
    return all;
}

} // namespace

const ProvincialCreditTable* provincialCredits2024(Province province)
{
    for (const ProvincialCreditTable& t : tables())
        if (t.province == province)
            return &t;
    return nullptr;
}

double provincialAgeAmount(const ProvincialCreditTable& table, double netIncome)
{
    if (!table.ageAmount)
        return 0.0;
    const double reduction = roundCents(positivePart(netIncome - table.ageThreshold) * kAgeReductionRate);
    return roundCents(positivePart(*table.ageAmount - reduction));
}

double provincialSpouseAmount(const ProvincialCreditTable& table, double otherNetIncome)
{
    if (!table.spouseAmount)
        return 0.0;
    const double base = *table.spouseAmount + table.spouseIncomeAllowed;
    return roundCents(std::min(*table.spouseAmount, positivePart(base - positivePart(otherNetIncome))));
}

double provincialMedicalAmount(const ProvincialCreditTable& table, double expenses, double netIncome)
{
    if (!table.medicalCap)
        return 0.0;
    const double threshold = std::min(*table.medicalCap, roundCents(positivePart(netIncome) * kMedicalIncomeShare));
    return roundCents(positivePart(expenses - threshold));
}

double provincialCaregiverAmount(const ProvincialCreditTable& table, double dependantNetIncome)
{
    if (!table.caregiverAmount)
        return 0.0;
    const double over = positivePart(dependantNetIncome - table.caregiverThreshold);
    return roundCents(positivePart(*table.caregiverAmount - over));
}

namespace {
double reducedAmount(const std::optional<double>& maximum, double threshold, double income)
{
    if (!maximum)
        return 0.0;
    return roundCents(positivePart(*maximum - positivePart(income - threshold)));
}
} // namespace

double provincialInfirmDependantAmount(const ProvincialCreditTable& table, double dependantNetIncome)
{
    return reducedAmount(table.infirmDependantAmount, table.infirmDependantThreshold, dependantNetIncome);
}

double provincialInHomeCaregiverAmount(const ProvincialCreditTable& table, double dependantNetIncome)
{
    return reducedAmount(table.inHomeCaregiverAmount, table.inHomeCaregiverThreshold, dependantNetIncome);
}

double provincialDisabilityTransfer(const ProvincialCreditTable& table, bool under18, double dependantTaxableIncome,
                                    double dependantBasicAmount)
{
    if (!table.disabilityAmount || (under18 && !table.disabilitySupplement))
        return 0.0;
    const double amount = *table.disabilityAmount + (under18 ? *table.disabilitySupplement : 0.0);
    const double needed = positivePart(dependantTaxableIncome - dependantBasicAmount);
    return roundCents(positivePart(amount - needed));
}

double provincialDonationCredit(const ProvincialCreditTable& table, double donations, double taxableIncome)
{
    if (!table.donationFirstRate || !table.donationRestRate)
        return 0.0;
    const double gifts = positivePart(donations);
    const double first = std::min(gifts, kDonationFirstPart);
    const double rest = gifts - first;
    const double top =
        table.donationTopRate ? std::min(rest, positivePart(taxableIncome - table.donationTopFrom)) : 0.0;
    return roundCents(roundCents(first * *table.donationFirstRate)
                      + roundCents((rest - top) * *table.donationRestRate)
                      + roundCents(top * table.donationTopRate.value_or(0.0)));
}

// Nova Scotia's additional amounts for taxable income under 75,000, since
// 2018: 3,000 more on the basic, spouse and eligible dependant amounts and
// an age supplement of 1,465, each phased out from 25,000 of taxable income.
// Sources: novascotia.ca (Basic Personal Amount), the NS Taxation Act
// s. 10A to 10D as summarised by the provincial credit tables for 2024.
namespace {
constexpr double kNsAdditional = 3000.0;
constexpr double kNsPhaseOutFrom = 25000.0;
constexpr double kNsPhaseOutRate = 0.06;
constexpr double kNsAgeSupplement = 1465.0;
constexpr double kNsAgePhaseOutRate = 0.0293;

double nsPhaseOut(double taxableIncome, double rate)
{
    return roundCents(positivePart(taxableIncome - kNsPhaseOutFrom) * rate);
}
} // namespace

double novaScotiaAdditionalPersonalAmount(double taxableIncome)
{
    return roundCents(positivePart(kNsAdditional - nsPhaseOut(taxableIncome, kNsPhaseOutRate)));
}

double novaScotiaAdditionalDependantAmount(double taxableIncome, double otherNetIncome)
{
    return roundCents(positivePart(kNsAdditional - positivePart(otherNetIncome)
                                   - nsPhaseOut(taxableIncome, kNsPhaseOutRate)));
}

double novaScotiaAgeSupplement(double taxableIncome)
{
    return roundCents(positivePart(kNsAgeSupplement - nsPhaseOut(taxableIncome, kNsAgePhaseOutRate)));
}

// The Nova Scotia age tax credit, 1,000 for 2014 and later years, for a
// resident 65 or older on December 31 with taxable income (line 26000)
// below 24,000. Sources: novascotia.ca, "Age Tax Credit"; the NS428 Part C
// line "Age tax credit (if you were born in 1958 or earlier and your taxable
// income is less than $24,000) Claim $1,000", its last line before line
// 42800 (the NS428 as aclasssoft.com lays it out).
namespace {
constexpr double kNsAgeTaxCredit = 1000.0;
constexpr double kNsAgeTaxCreditIncomeBelow = 24000.0;
} // namespace

double novaScotiaAgeTaxCredit(bool age65, double taxableIncome)
{
    return age65 && taxableIncome < kNsAgeTaxCreditIncomeBelow ? kNsAgeTaxCredit : 0.0;
}

double provincialTuitionRateTestIncome(double taxableIncome, double taxOnTaxableIncome, double firstBracketTop,
                                       double lowestRate)
{
    if (taxableIncome <= firstBracketTop || lowestRate <= 0.0)
        return roundCents(positivePart(taxableIncome));
    return roundCents(positivePart(taxOnTaxableIncome) / lowestRate);
}

} // namespace taxrules
