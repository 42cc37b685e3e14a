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

// Editions (the application's purpose byte); bits so that a form can be
// offered in several.
enum : unsigned char {
    EDITION_EFILE = 1,
    EDITION_DIRERAD = 2,
    EDITION_ALL = 3,
};
