#pragma once

// The 2024 income tax arithmetic as a pure library: plain records in,
// plain records out, no forms, no widgets, no Qt. The T1 form classes and
// the provincial plug-ins call it; nothing here knows about them.
//
//   money.h                  roundCents: every line to the cent, half away from zero
//   province.h               Province (catalogue numbers), from code or number
//   brackets.h               TaxBracket, taxOnIncome
//   federalconstants2024.h   the federal figures as one table (FedKey, line, value),
//                            federalBrackets2024
//   payrollcontributions.h   computeCpp, computeQpp, computeCppSelfEmployed,
//                            basePensionPart, computeEi, computePpip
//   federalcredits.h         basicPersonalAmount, ageAmount, spouseOrDependantAmount,
//                            canadaEmploymentAmount, pensionIncomeAmount,
//                            medicalThreshold, medicalExpenseAmount,
//                            allowableDonations, donationCredit, dividendTaxCredit
//   pensionplanlines.h       cppLines, interprovincialPlanLines (Schedule 8, RC381)
//   eilines.h                eiLines (31200 and 45000 from the T4s, as T2204 does)
//   socialbenefits.h         socialBenefitsRepayment (line 23500)
//   provincialtables2024.h   ProvinceTable per province, provincialBrackets2024
//   ontario2024.h            ontarioSurtax, ontarioTaxReduction, ontarioHealthPremium
//   britishcolumbia2024.h    bcTaxReduction
//   provincialcalc.h         ProvincialInput/Result, computeProvincial (line 42800)
//   federalreturn.h          FederalInput/Result, computeFederal, provincialInputFrom
//
// Computed: total income (10100 to 15000), deductions (20700 to 23600,
// including CPP on self-employment and the enhanced/second contributions),
// the social benefits repayment, taxable income (25000, 25300, 25400),
// federal tax, the federal non-refundable credits listed in FederalResult,
// the dividend tax credit, CPP/QPP, EI and PPIP premiums with CPP and EI
// overpayments, the refundable Quebec abatement, payments and the balance.
// Provincial (not Quebec): tax by the rate schedule less the basic
// personal amount, base CPP and EI at the lowest rate; Ontario surtax, tax
// reduction (basic part) and health premium; the BC tax reduction.
//
// Not computed (left to the forms, or to a later year of this library):
//   federal: Canada caregiver amounts and the caregiver top-up of the spouse
//   and eligible-dependant amounts; disability supplement for minors and the
//   disability amount transferred from a dependant (31800); medical expenses
//   of other dependants (33199); tuition transferred to a spouse or parent;
//   interest and other credits not listed above; EI on self-employment
//   (opt-in); QPP on self-employment (worked out on the Quebec return);
//   monthly proration of CPP for people turning 18 or 70 or who died;
//   foreign tax credit, political contributions, minimum tax, tax on split
//   income; refundable medical expense supplement, Canada workers benefit,
//   Canada training credit; non-residents' federal surtax; the rule that
//   balances or refunds of 2 dollars or less are not collected or paid.
//   provincial: every non-refundable credit other than the basic personal
//   amount, CPP and EI (age, spouse, pension, disability, tuition, medical,
//   donations, dividends, ...); the Ontario tax reduction for dependants,
//   LIFT and other Ontario credits; Nova Scotia's additional basic personal
//   amount for low incomes; low-income reductions and refundable credits
//   of the other provinces and territories; provincial minimum tax.
#include "companion/rules/federalreturn.h"
