#pragma once

// What the whole-return checks of one person share: the person, the T1,
// fresh slip totals, the edition and the record the messages go to. The
// checks only read; a form that is absent is never created.

#include <cmath>

#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/money.h"
#include "model/TaxDataCalcTypes.h"
#include "model/calcsteps_common.h"
#include "model/individualtaxdata.h"
#include "model/slipcalc.h"
#include "model/validationrecord.h"
#include "model/validationsettings.h"

namespace validation {


// a is greater than b by at least the presence tolerance.
inline bool exceeds(double a, double b) { return taxrules::isPositiveAmount(a - b); }
// a is at least the presence tolerance (a positive amount).
inline bool positive(double a) { return taxrules::isPositiveAmount(a); }

struct PersonCheckContext
{
    IndividualTaxData& person;
    TaxData_T1New& t1;
    const STRUCT_SLIPDATA_CALCULATION& totals;
    unsigned char purpose;
    _STRUCT_FORM_VALIDATE_INFO& record;

    // The only form of the type and class, or null (none, or several).
    template <typename Form>
    Form* form(ENUMTYPE_FORM type) const
    {
        return calcsteps::formOf<Form>(person, type);
    }
    bool has(ENUMTYPE_FORM type) const { return person.GetFormData(type, false) != nullptr; }
    // An immigrant who did not arrive on the first day of the year.
    bool isNewImmigrant() const;
    void add(const char* text) { record.insertMsg(text); }
};

// The four groups of checks, in the order they run.
void checkSlipsSettingsFamilyAndCredits(PersonCheckContext& c);
void checkSchedulesAndInvestmentForms(PersonCheckContext& c);
void checkBenefitsRrspAndReserves(PersonCheckContext& c);
void checkMinimumTaxAndStatements(PersonCheckContext& c);

} // namespace validation
