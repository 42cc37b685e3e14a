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
// interview data 1 to 6, provinces 0 (none) to 13.
using ENUMTYPE_FORM = int;
using ENUMTYPE_SLIP = int;
using ENUMTYPE_TAXWIZARD = int;
using ENUMTYPE_PROVINCE = int;
