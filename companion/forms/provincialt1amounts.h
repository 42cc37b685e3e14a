#pragma once

class CTaxData_Form;

// The two T1 totals that belong to the provincial calculation: provincial
// tax (the T1's line 42800 is taken from it) and provincial credits (line
// 47900). The loader clears them before the plug-in assigns them, so a
// province with no working plug-in never leaves an old figure behind.
// Also the T1 lines a provincial calculation starts from.
//
// They are reached by field name so that this layer and the plug-ins do not
// depend on the T1's class; each name is the T1 field that holds the amount
// (a test checks the T1 has every one).
namespace ProvincialT1Amounts {

constexpr const char* kTaxTotalField = "ProvincialTaxTotal";
constexpr const char* kCreditTotalField = "ProvincialCreditTotal";

// Lines the provincial tax is worked out from.
constexpr const char* kNetIncomeField = "line23600NetIncome";
constexpr const char* kTaxableIncomeField = "line26000TaxableIncome";
constexpr const char* kBasePensionEmploymentField = "line30800CppEmployment";
constexpr const char* kBasePensionSelfEmployedField = "line31000CppSelfEmployed";
constexpr const char* kEiPremiumsField = "line31200EiPremiums";
constexpr const char* const kInputFields[] = {kNetIncomeField, kTaxableIncomeField, kBasePensionEmploymentField,
                                              kBasePensionSelfEmployedField, kEiPremiumsField};

// False when t1 is null, not a T1 (type 1) or lacks the field.
bool setTaxTotal(CTaxData_Form* t1, double amount);
bool setCreditTotal(CTaxData_Form* t1, double amount);
// 0 when t1 is null, not a T1 or lacks the field.
double taxTotal(const CTaxData_Form* t1);
double creditTotal(const CTaxData_Form* t1);
// The amount of the named T1 field; 0 when t1 is null, not a T1 or lacks it.
double lineAmount(const CTaxData_Form* t1, const char* fieldName);

} // namespace ProvincialT1Amounts
