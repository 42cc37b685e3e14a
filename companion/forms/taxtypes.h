#pragma once

// Type numbers of the return's items. They are written to return files as
// 32-bit integers and compared with plain numbers everywhere, so each type
// is an int alias; the named values below are for readability only and any
// int may be passed (the catalogues answer safely for unknown numbers).

// Form type, 1 to 210 (row of Global_Forms_Info).
typedef int ENUMTYPE_FORM;
// Slip type, 1 to 26 (row of Global_Slips_Info).
typedef int ENUMTYPE_SLIP;
// Interview-data kind, 1 to 6 (row of Global_TaxWizard_Info).
typedef int ENUMTYPE_TAXWIZARD;
// Province or territory of residence, 0 (none) to 13.
typedef int ENUMTYPE_PROVINCE;
// Kind of a data object: form, slip or interview data.
typedef int ENUMTYPE_FROM;

// The tax year this build prepares returns for; dependants' ages are
// counted at December 31 of it.
constexpr int TAX_YEAR = 2024;

enum : int {
    FROM_FORM = 0,
    FROM_SLIP = 1,
    FROM_TAXWIZARD = 2,
};

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

// Editions (the application's purpose byte); bits so that a form can be
// offered in several.
enum : unsigned char {
    EDITION_EFILE = 1,
    EDITION_DIRERAD = 2,
    EDITION_ALL = 3,
};
