#pragma once

#include <list>
#include <string>
#include <vector>

#include "companion/forms/taxtypes.h"
#include "companion/rules/provincialcalc.h"

class CTaxData_Form;

// What the Schedule 5 and Schedule 9 tell the provincial calculation. The
// plug-in reads them before the spouses exchange amounts (the call after
// the exchange is not given Schedule 5) and keeps them for that second call.
struct ProvincialScheduleAmounts
{
    bool claimsSpouse = false;
    double spouseNetIncome = 0.0;
    bool claimsEligibleDependant = false;
    double dependantNetIncome = 0.0;
    double donations = 0.0;
};

// The amounts of Schedule 5 and Schedule 9 (either may be null).
ProvincialScheduleAmounts provincialScheduleAmounts(const CTaxData_Form* sch5, const CTaxData_Form* sch9);

// What the plug-in computes for its province from a calculated T1: the
// 2024 provincial or territorial tax of the rules library. Quebec, and a
// missing T1, give an all-zero result (Quebec tax is on its own return).
taxrules::ProvincialResult computeProvincialFromT1(ENUMTYPE_PROVINCE province, const CTaxData_Form* t1,
                                                   const ProvincialScheduleAmounts& schedules = {});

// The credits that feed the provincial tax and that no province's
// calculation here works out, for which the T1 holds an amount: each a
// description with its T1 line.
std::vector<std::string> provincialCreditsLeftOut(ENUMTYPE_PROVINCE province, const CTaxData_Form* t1);

// The province's rate thresholds (where its rates change), lowest first;
// none for Quebec.
std::list<double> provincialThresholds(ENUMTYPE_PROVINCE province);
