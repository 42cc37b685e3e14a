#pragma once

#include <list>

#include "companion/forms/taxtypes.h"
#include "companion/rules/provincialcalc.h"

class CTaxData_Form;

// What the plug-in computes for its province from a calculated T1: the
// 2024 provincial or territorial tax of the rules library. Quebec, and a
// missing T1, give an all-zero result (Quebec tax is on its own return).
taxrules::ProvincialResult computeProvincialFromT1(ENUMTYPE_PROVINCE province, const CTaxData_Form* t1);

// The province's rate thresholds (where its rates change), lowest first;
// none for Quebec.
std::list<double> provincialThresholds(ENUMTYPE_PROVINCE province);
