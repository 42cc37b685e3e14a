#pragma once

// Type words shared by the data objects, the catalogues and the return model.

// What kind of data object a CTaxData_Form is. Notes are kinded 3, the same
// number the return tree uses for a note item.
enum ENUMTYPE_FROM : int {
    FROM_FORM = 0,
    FROM_SLIP = 1,
    FROM_TAXWIZARD = 2,
    FROM_NOTE = 3,
};

// Type numbers as the catalogues number them: forms 1 to 210, slips 1 to 26,
// interview data 1 to 6, provinces 0 (none) to 13. They are written to
// return files as 32-bit integers and compared with plain numbers, so each
// is an int alias; the named values below are for readability and any int
// may be passed (the catalogues answer safely for unknown numbers).
using ENUMTYPE_FORM = int;
using ENUMTYPE_SLIP = int;
using ENUMTYPE_TAXWIZARD = int;
using ENUMTYPE_PROVINCE = int;

// The tax year this build prepares returns for; dependants' ages are
// counted at December 31 of it.
constexpr int TAX_YEAR = 2024;

// Provinces in the order of their two-letter codes.
enum : int {
    PROV_NONE = 0,
    PROV_AB = 1,
    PROV_BC = 2,
    PROV_MB = 3,
    PROV_NB = 4,
    PROV_NL = 5,
    PROV_NS = 6,
    PROV_NT = 7,
    PROV_NU = 8,
    PROV_ON = 9,
    PROV_PE = 10,
    PROV_QC = 11,
    PROV_SK = 12,
    PROV_YT = 13,
    PROVINCE_COUNT = 14, // 0 included: size of tables indexed by province
};

enum : int {
    TAXWIZARD_GENERAL = 1,
    TAXWIZARD_LASTYEAR = 2,
    TAXWIZARD_DEPENDANT = 3,
    TAXWIZARD_MEDEXP = 4,
    TAXWIZARD_RRSP = 5,
    TAXWIZARD_PROVINCIAL = 6,
    TAXWIZARD_LAST = 6,
};

// Highest form and slip type numbers the catalogues know.
enum : int {
    FORMTYPE_LAST = 210,
    SLIPTYPE_LAST = 26,
};

// Form type numbers by the catalogue's constant names. The factory, the
// catalogues and every lookup by type use these; the numbers are written to
// return files, so a value never changes.
enum FormType : int {
    FORM_T1 = 1,
    FORM_SCH1 = 2,
    FORM_SCH2 = 3,
    FORM_SCH3 = 4,
    FORM_SCH4 = 5,
    FORM_SCH5 = 6,
    FORM_SCH7 = 7,
    FORM_SCH8_OLD = 8,
    FORM_SCH9 = 9,
    FORM_SCH11 = 11,
    FORM_T776 = 12,
    FORM_T778 = 13,
    FORM_T929 = 14,
    FORM_T1163 = 15,
    FORM_T1172 = 17,
    FORM_T1212 = 18,
    FORM_T2032 = 19,
    FORM_T2038 = 20,
    FORM_T2042 = 21,
    FORM_T2124 = 22,
    FORM_T2204 = 23,
    FORM_GST370 = 28,
    FORM_T1206 = 29,
    FORM_T626 = 30,
    FORM_T691 = 31,
    FORM_T936 = 32,
    FORM_T2124_COMMISSION = 33,
    FORM_T2209 = 35,
    FORM_T2017 = 37,
    FORM_T5013 = 38,
    FORM_T1A = 39,
    FORM_T657 = 40,
    FORM_T2222 = 49,
    FORM_T2121 = 51,
    FORM_T1DD = 52,
    FORM_RC71 = 53,
    FORM_T5004 = 55,
    FORM_CPT20 = 57,
    FORM_T777 = 59,
    FORM_T1219 = 89,
    FORM_TL2 = 92,
    FORM_T1KS = 93,
    FORM_T183 = 96,
    FORM_T1153 = 97,
    FORM_RC201 = 100,
    FORM_T1135 = 101,
    FORM_T1M = 102,
    FORM_T1223 = 103,
    FORM_T746 = 105,
    FORM_T1229 = 107,
    FORM_T1273 = 109,
    FORM_T1170 = 113,
    FORM_T2036_OLD = 114,
    FORM_T581 = 115,
    FORM_T1ADJ = 116,
    FORM_T1013 = 117,
    FORM_T1032 = 118,
    FORM_SCH6 = 119,
    FORM_SCH12_2009 = 120,
    FORM_T2205 = 124,
    FORM_T2125 = 125,
    FORM_T2125_COMMISSION = 131,
    FORM_SCH12_MULTIGEN = 133,
    FORM_T1OVPS = 134,
    FORM_RC267 = 136,
    FORM_RC268 = 137,
    FORM_RC269 = 138,
    FORM_SCH13 = 139,
    FORM_SCH14_2007 = 141,
    FORM_RC359 = 145,
    FORM_T2091 = 147,
    FORM_RC381 = 148,
    FORM_RC383 = 149,
    FORM_SCH8 = 150,
    FORM_SCH1A = 151,
    FORM_T2203 = 156,
    FORM_SCH12_2016 = 157,
    FORM_T1KS_REFILE = 159,
    FORM_T1255 = 160,
    FORM_T1KS_PRIOR = 165,
    FORM_SCH14 = 166,
    FORM_T90 = 171,
    FORM_T224 = 173,
    FORM_T225 = 174,
    FORM_RESERVED_177 = 177,
    FORM_RESERVED_178 = 178,
    FORM_T777S = 179,
    FORM_T185 = 181,
    FORM_RC59 = 184,
    FORM_RC59X = 185,
    FORM_T1044 = 186,
    FORM_T2043 = 193,
    FORM_T1B = 198,
    FORM_T2039 = 199,
    FORM_SCH15 = 205,
    FORM_T1248_SCHD = 207,
    FORM_INSTALMENT_CALC = 209,
    FORM_WS_D1 = 210,
};

// Slip type numbers by the catalogue's constant names: the one numbering
// of slips for the factory, the slip totals and every lookup.
enum SlipType : int {
    SLIP_T4 = 1,
    SLIP_T4A = 2,
    SLIP_T4AP = 3,
    SLIP_T4RSP = 4,
    SLIP_T4E = 5,
    SLIP_T4AOAS = 6,
    SLIP_T4RIF = 7,
    SLIP_T5 = 8,
    SLIP_T3 = 9,
    SLIP_T5003 = 10,
    SLIP_T5007 = 11,
    SLIP_T5008 = 12,
    SLIP_T5013 = 13,
    SLIP_T4PS = 14,
    SLIP_T4ARCA = 15,
    SLIP_T5006 = 16,
    SLIP_RC62 = 17,
    SLIP_RC210 = 18,
    SLIP_T5018 = 19,
    SLIP_T1198 = 20,
    SLIP_MB_SHELTER = 21,
    SLIP_PRPP = 22,
    SLIP_T1204 = 23,
    SLIP_NR4 = 24,
    SLIP_T2202 = 25,
    SLIP_T4FHSA = 26,
};

// Editions (the application's purpose byte); bits so that a form can be
// offered in several.
enum : unsigned char {
    EDITION_EFILE = 1,
    EDITION_DIRERAD = 2,
    EDITION_ALL = 3,
};
