#pragma once

class CTaxData_Form;

// The two T1 totals that belong to the provincial calculation: provincial
// tax (the T1's line 42800 is taken from it) and provincial credits (line
// 47900). The loader clears them before the plug-in assigns them, so a
// province with no working plug-in never leaves an old figure behind.
//
// They are reached by field name so that this layer does not depend on the
// T1's class; each name is the T1 field that holds the total.
namespace ProvincialT1Amounts {

constexpr const char* kTaxTotalField = "ProvincialTaxTotal";
constexpr const char* kCreditTotalField = "ProvincialCreditTotal";

// False when t1 is null, not a T1 (type 1) or lacks the field.
bool setTaxTotal(CTaxData_Form* t1, double amount);
bool setCreditTotal(CTaxData_Form* t1, double amount);
// 0 when t1 is null, not a T1 or lacks the field.
double taxTotal(const CTaxData_Form* t1);
double creditTotal(const CTaxData_Form* t1);

} // namespace ProvincialT1Amounts
