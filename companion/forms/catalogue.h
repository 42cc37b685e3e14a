#pragma once

#include "companion/forms/taxtypes.h"

// The catalogues of form, slip, interview-data and province types. Each is a
// constant table indexed by the type number (row 0 stands for "none"); code
// that holds a number of unknown origin (from a file, a plug-in or a caller)
// should go through the lookup functions, which answer safely for any int.

struct STRUCT_FORM_INFO
{
    ENUMTYPE_FORM type;
    const char* name;        // the agency's form title, as lists and the return tree show it
    const char* code;        // short code ("T2125", "Sch. 9")
    const char* constName;   // identifier for generated type definitions
    const char* description; // plain words the add-form filter also searches
    const char* layoutFile;  // print layout file; empty for rows that get none
    ENUMTYPE_PROVINCE province; // 0 federal, else the province the form belongs to
    unsigned char editions;  // EDITION_* bits in which the form may be added
    bool dependants;         // the form is given the family's dependant table
    bool sharable;           // may be shared with the spouse in a coupled return
    bool sfd;                // a statement form (self-employment and similar)
    bool multiple;           // a return may hold more than one
    bool expired;            // retired or never assigned: not made, dropped on reading
    bool addable;            // offered by the add-form list (not a form the model keeps itself)
};

struct STRUCT_SLIP_INFO
{
    ENUMTYPE_SLIP type;
    const char* code;      // short name ("T4")
    const char* name;      // the slip's title as the return tree shows it
    const char* constName; // identifier for generated type definitions
    bool sharable;         // joint slips that may be shared with the spouse
};

struct STRUCT_TAXWIZARD_INFO
{
    ENUMTYPE_TAXWIZARD type;
    const char* name;
    const char* constName;
    bool create; // created for every return when it is opened or made
};

struct STRUCT_PROVINCE_INFO
{
    ENUMTYPE_PROVINCE province;
    const char* constName; // first string: identifier
    const char* name;      // second string: the name the T1 and the lists show
    const char* code;      // third string: the agency's two-letter code
    const char* libName;   // fourth string: plug-in library base name; empty = no plug-in
    bool supported;
    ENUMTYPE_FORM farmStatementType; // AgriInvest statement used there (T1163 or T1273)
};

// One entry of the federal and provincial form sets: a form type and whether
// it is created for every return of that set.
struct STRUCT_FORM_ENTRY
{
    ENUMTYPE_FORM type;
    bool create;
};

constexpr int MAX_PROVINCE_FORMS = 8;
struct STRUCT_PROVINCE_FORMS
{
    int count;
    STRUCT_FORM_ENTRY forms[MAX_PROVINCE_FORMS];
};

// Tables. Sizes include row 0.
extern const STRUCT_FORM_INFO Global_Forms_Info[FORMTYPE_LAST + 1];
extern const STRUCT_SLIP_INFO Global_Slips_Info[SLIPTYPE_LAST + 1];
extern const STRUCT_TAXWIZARD_INFO Global_TaxWizard_Info[TAXWIZARD_LAST + 1];
extern const STRUCT_PROVINCE_INFO Global_Provs_Info[PROVINCE_COUNT];
// Federal forms that the slips or the rules may make necessary.
extern const STRUCT_FORM_ENTRY Federal_Forms_Info[];
extern const int Federal_Forms_Num;
// Provincial forms of each province, index = province.
extern const STRUCT_PROVINCE_FORMS Province_Forms_Info[PROVINCE_COUNT];

// Safe row lookups: null for a number outside the table.
const STRUCT_FORM_INFO* getFormInfo(ENUMTYPE_FORM type);
const STRUCT_SLIP_INFO* getSlipInfo(ENUMTYPE_SLIP type);
const STRUCT_TAXWIZARD_INFO* getTaxWizardInfo(ENUMTYPE_TAXWIZARD type);
const STRUCT_PROVINCE_INFO* getProvInfo(ENUMTYPE_PROVINCE province);
const STRUCT_PROVINCE_FORMS* getProvinceForms(ENUMTYPE_PROVINCE province);

// Names and codes; "" for unknown numbers, never null.
const char* getFormName(ENUMTYPE_FORM type);
const char* getFormCode(ENUMTYPE_FORM type);
const char* getSlipName(ENUMTYPE_SLIP type);
const char* getTaxWizardName(ENUMTYPE_TAXWIZARD type);
const char* getProvName(ENUMTYPE_PROVINCE province);
const char* getProvCode(ENUMTYPE_PROVINCE province);
// Province number of a two-letter code (case-insensitive); 0 when unknown.
ENUMTYPE_PROVINCE getProvinceFromCode(const char* code);

// Predicates. An unknown form or slip number is not SFD, not multiple, not
// sharable and counts as expired; an unknown province is not supported.
bool IsSFDForm(ENUMTYPE_FORM type);
bool IsMultipleForm(ENUMTYPE_FORM type);
bool IsFormSharable(ENUMTYPE_FORM type);
bool IsSlipSharable(ENUMTYPE_SLIP type);
bool IsFormDependantRelated(ENUMTYPE_FORM type);
bool IsProvinceSupported(int province);
// Expired: retired or unknown. With a province other than 0, a form of
// another province also counts as expired there.
bool IsFormExpired(ENUMTYPE_FORM type, ENUMTYPE_PROVINCE province);
// The province a form belongs to: 0 federal, 1 to 13, -1 for an unknown
// number (so that it never matches a province).
int getFormProv(ENUMTYPE_FORM type);
// Forms every return of the edition and province must hold: the T1 and the
// return summary; the T183 and the instalment calculation in the EFILE
// edition; the province's forms flagged for creation.
bool IsFormMandatory(unsigned char edition, ENUMTYPE_PROVINCE province, ENUMTYPE_FORM type);
// The agricultural-programme statement used in a province: T1273 (109)
// where the programmes are administered under the harmonized statement,
// else T1163 (15).
ENUMTYPE_FORM GetCAISFormTypeFromProv(ENUMTYPE_PROVINCE province);
