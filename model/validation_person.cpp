// Whole-return validation of one person: every slip and form validates
// itself, then the program's own checks of the whole return run into one
// record. Nothing here changes the return: the slip totals are taken in the
// read-only mode that creates no form.
#include <memory>
#include <set>

#include "companion/forms/catalogue.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/individualtaxdata.h"
#include "model/slipcalc.h"
#include "model/validation_checks.h"
#include "model/validationrecord.h"

namespace {

constexpr ENUMTYPE_FORM kT2091 = 147;
constexpr ENUMTYPE_FORM kT2091Trust = 160;

// Asks one object to validate itself; the record goes to out only when the
// object says it stays.
void validateItem(CTaxData_Form* object, int source, int itemType, unsigned char purpose,
                  std::list<_STRUCT_FORM_VALIDATE_INFO*>& out)
{
    if (!object)
        return;
    auto record = std::make_unique<_STRUCT_FORM_VALIDATE_INFO>();
    if (object->Validate(purpose, record->messages)) {
        record->source = source;
        record->itemType = itemType;
        out.push_back(record.release());
    }
}

} // namespace

int IndividualTaxData::Validate(unsigned char edition, std::list<_STRUCT_FORM_VALIDATE_INFO*>& out)
{
    TaxData_T1New* t1 = GetT1();
    const bool bankrupt = t1 && t1->IsBankrupt();

    for (STRUCT_SLIPDATA_ITEM_2004* item : m_slipList)
        validateItem(item->data, VALIDATE_SOURCE_SLIP, item->type, edition, out);
    for (STRUCT_FORMDATA_ITEM_2004* item : m_formList) {
        // A bankrupt person's return carries the forms of the period as they
        // are; only the principal-residence designations are still checked.
        if (bankrupt && IsSFDForm(item->type) && item->type != kT2091 && item->type != kT2091Trust)
            continue;
        validateItem(item->data, VALIDATE_SOURCE_FORM, item->type, edition, out);
    }
    if (!t1)
        return int(out.size());

    STRUCT_SLIPDATA_CALCULATION totals;
    std::set<ENUMTYPE_FORM> unused;
    PrepareSlipsBeforeCalculate(totals, unused, false);

    auto record = std::make_unique<_STRUCT_FORM_VALIDATE_INFO>();
    record->source = VALIDATE_SOURCE_PERSON;
    validation::PersonCheckContext context{*this, *t1, totals, edition, *record};
    validation::checkSlipsSettingsFamilyAndCredits(context);
    validation::checkSchedulesAndInvestmentForms(context);
    validation::checkBenefitsRrspAndReserves(context);
    validation::checkMinimumTaxAndStatements(context);
    // What the calculation could not carry into the return is an error too.
    ValidateCalculationInputs(record->messages);
    record->removeDuplicateMessages();
    if (!record->messages.empty())
        out.push_back(record.release());
    return int(out.size());
}
