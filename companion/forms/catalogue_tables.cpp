#include "companion/forms/catalogue.h"

// Slip catalogue, row = slip type. Types 12, 19 and 20 are statements the
// return does not take as slips (securities transactions go to Schedule 3;
// the other two are not T1 slips); their rows exist so that every number
// has a name. Joint investment slips (T5, T3, T5013) may be shared.
const STRUCT_SLIP_INFO Global_Slips_Info[SLIPTYPE_LAST + 1] = {
    {0, "", "", "NONE", false},
    {SLIP_T4, "T4", "T4 Statement of Remuneration Paid", "SLIP_T4", false},
    {SLIP_T4A, "T4A", "T4A Statement of Pension, Retirement, Annuity, and Other Income", "SLIP_T4A", false},
    {SLIP_T4AP, "T4A(P)", "T4A(P) Statement of Canada Pension Plan Benefits", "SLIP_T4AP", false},
    {SLIP_T4RSP, "T4RSP", "T4RSP Statement of RRSP Income", "SLIP_T4RSP", false},
    {SLIP_T4E, "T4E", "T4E Statement of Employment Insurance and Other Benefits", "SLIP_T4E", false},
    {SLIP_T4AOAS, "T4A(OAS)", "T4A(OAS) Statement of Old Age Security", "SLIP_T4AOAS", false},
    {SLIP_T4RIF, "T4RIF", "T4RIF Statement of Income From a Registered Retirement Income Fund", "SLIP_T4RIF", false},
    {SLIP_T5, "T5", "T5 Statement of Investment Income", "SLIP_T5", true},
    {SLIP_T3, "T3", "T3 Statement of Trust Income Allocations and Designations", "SLIP_T3", true},
    {SLIP_T5003, "T5003", "T5003 Statement of Tax Shelter Information", "SLIP_T5003", false},
    {SLIP_T5007, "T5007", "T5007 Statement of Benefits", "SLIP_T5007", false},
    {SLIP_T5008, "T5008", "T5008 Statement of Securities Transactions", "SLIP_T5008", false},
    {SLIP_T5013, "T5013", "T5013 Statement of Partnership Income", "SLIP_T5013", true},
    {SLIP_T4PS, "T4PS", "T4PS Statement of Employee Profit-Sharing Plan Allocations and Payments", "SLIP_T4PS", false},
    {SLIP_T4ARCA, "T4A-RCA", "T4A-RCA Statement of Distributions From a Retirement Compensation Arrangement (RCA)", "SLIP_T4ARCA", false},
    {SLIP_T5006, "T5006", "T5006 Statement of Registered Labour-Sponsored Venture Capital Corporation Class A Shares", "SLIP_T5006", false},
    {SLIP_RC62, "RC62", "RC62 Universal Child Care Benefit Statement", "SLIP_RC62", false},
    {SLIP_RC210, "RC210", "RC210 Canada Workers Benefit Advance Payments Statement", "SLIP_RC210", false},
    {SLIP_T5018, "T5018", "T5018 Statement of Contract Payments", "SLIP_T5018", false},
    {SLIP_T1198, "T1198", "T1198 Statement of Qualifying Retroactive Lump-Sum Payment", "SLIP_T1198", false},
    {SLIP_MB_SHELTER, "MB Shelter", "Manitoba Shelter Assistance Benefit Statement", "SLIP_MB_SHELTER", false},
    {SLIP_PRPP, "PRPP", "Pooled Registered Pension Plan (PRPP) Contribution Receipt", "SLIP_PRPP", false},
    {SLIP_T1204, "T1204", "T1204 Government Service Contract Payments", "SLIP_T1204", false},
    {SLIP_NR4, "NR4", "NR4 Statement of Amounts Paid or Credited to Non-Residents of Canada", "SLIP_NR4", false},
    {SLIP_T2202, "T2202", "T2202 Tuition and Enrolment Certificate", "SLIP_T2202", false},
    {SLIP_T4FHSA, "T4FHSA", "T4FHSA First Home Savings Account Statement", "SLIP_T4FHSA", false},
};

// Interview data: every kind is made for every return; the provincial kind
// only when the province's plug-in offers one.
const STRUCT_TAXWIZARD_INFO Global_TaxWizard_Info[TAXWIZARD_LAST + 1] = {
    {0, "", "NONE", false},
    {1, "General Information", "WIZ_GENERAL", true},
    {2, "Last Year's Amounts", "WIZ_LASTYEAR", true},
    {3, "Dependants", "WIZ_DEPENDANT", true},
    {4, "Medical Expenses", "WIZ_MEDEXP", true},
    {5, "RRSP Contributions", "WIZ_RRSP", true},
    {6, "Provincial Information", "WIZ_PROVINCIAL", true},
};

// Provinces and territories in the order of their codes. Every one has a
// plug-in: Quebec's computes no provincial tax (that return is filed with
// the province) but gives the federal abatement and QPP rules their place.
// Alberta, Ontario, Prince Edward Island and Saskatchewan deliver the farm
// programmes through the harmonized statement T1273; the others use T1163.
const STRUCT_PROVINCE_INFO Global_Provs_Info[PROVINCE_COUNT] = {
    {0, "NONE", "", "", "", false, 0},
    {1, "ALBERTA", "Alberta", "AB", "provtax_ab", true, 109},
    {2, "BRITISH_COLUMBIA", "British Columbia", "BC", "provtax_bc", true, 15},
    {3, "MANITOBA", "Manitoba", "MB", "provtax_mb", true, 15},
    {4, "NEW_BRUNSWICK", "New Brunswick", "NB", "provtax_nb", true, 15},
    {5, "NEWFOUNDLAND_LABRADOR", "Newfoundland and Labrador", "NL", "provtax_nl", true, 15},
    {6, "NOVA_SCOTIA", "Nova Scotia", "NS", "provtax_ns", true, 15},
    {7, "NORTHWEST_TERRITORIES", "Northwest Territories", "NT", "provtax_nt", true, 15},
    {8, "NUNAVUT", "Nunavut", "NU", "provtax_nu", true, 15},
    {9, "ONTARIO", "Ontario", "ON", "provtax_on", true, 109},
    {10, "PRINCE_EDWARD_ISLAND", "Prince Edward Island", "PE", "provtax_pe", true, 109},
    {11, "QUEBEC", "Quebec", "QC", "provtax_qc", true, 15},
    {12, "SASKATCHEWAN", "Saskatchewan", "SK", "provtax_sk", true, 109},
    {13, "YUKON", "Yukon", "YT", "provtax_yt", true, 15},
};

// Federal forms that information slips can make necessary; none is created
// for every return by this table (the T1 and the summary are made first by
// the return itself).
const STRUCT_FORM_ENTRY Federal_Forms_Info[] = {
    {4, false},   // Schedule 3
    {7, false},   // Schedule 7
    {9, false},   // Schedule 9
    {11, false},  // Schedule 11
    {17, false},  // T1172
    {23, false},  // T2204
    {35, false},  // T2209
    {119, false}, // Schedule 6
    {148, false}, // RC381
    {150, false}, // Schedule 8
    {171, false}, // T90
    {205, false}, // Schedule 15
    {210, false}, // dividend and interest worksheet
};
const int Federal_Forms_Num = int(sizeof(Federal_Forms_Info) / sizeof(Federal_Forms_Info[0]));

// Provincial forms by province: the tax form is created for every return of
// the province; the rest come when the return needs them. Quebec residents
// file their provincial return with the province: no forms here.
const STRUCT_PROVINCE_FORMS Province_Forms_Info[PROVINCE_COUNT] = {
    {0, {}},
    {4, {{45, true}, {46, false}, {47, false}, {48, false}}},  // Alberta
    {4, {{41, true}, {42, false}, {43, false}, {44, false}}},  // British Columbia
    {4, {{86, true}, {87, false}, {90, false}, {91, false}}},  // Manitoba
    {4, {{98, true}, {99, false}, {94, false}, {95, false}}},  // New Brunswick
    {4, {{62, true}, {63, false}, {64, false}, {65, false}}},  // Newfoundland and Labrador
    {4, {{70, true}, {71, false}, {72, false}, {73, false}}},  // Nova Scotia
    {4, {{66, true}, {67, false}, {68, false}, {69, false}}},  // Northwest Territories
    {4, {{74, true}, {75, false}, {76, false}, {77, false}}},  // Nunavut
    {4, {{24, true}, {25, false}, {26, false}, {27, false}}},  // Ontario
    {3, {{78, true}, {79, false}, {80, false}}},               // Prince Edward Island
    {0, {}},                                                   // Quebec
    {3, {{81, true}, {82, false}, {83, false}}},               // Saskatchewan
    {4, {{108, true}, {112, false}, {110, false}, {111, false}}}, // Yukon
};
