// Import of last year's return: one person's return becomes this year's.
#include "companion/rules/money.h"
#include "model/individualtaxdata.h"

#include <algorithm>
#include <vector>

#include "companion/forms/catalogue.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/t1/taxdata_t1ksnew.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/dialogrecords.h"
#include "model/returnfileedition.h"

namespace {

constexpr ENUMTYPE_FORM kT1 = 1;
constexpr ENUMTYPE_FORM kReturnSummary = 93;
constexpr ENUMTYPE_FORM kRc381 = 148;
constexpr ENUMTYPE_FORM kSchedule8 = 150;
constexpr ENUMTYPE_FORM kPriorYearSummary = 165;
constexpr ENUMTYPE_FORM kT1Placeholder = 161;
// Forms of last year that this year has no place for (the ReFILE copy of
// the summary, 159, among them).
constexpr ENUMTYPE_FORM kDroppedTypes[] = {8, 34, 58, 100, 114, 120, 134, 141, 159};

bool isDropped(ENUMTYPE_FORM type)
{
    return std::find(std::begin(kDroppedTypes), std::end(kDroppedTypes), type) != std::end(kDroppedTypes);
}

} // namespace

void IndividualTaxData::Build2003DataTo2004(STRUCT_IMPORT_LASTYEAR_PARAM* param)
{
    if (!param || (!HasForm(kT1) && !HasForm(kT1Placeholder)))
        return;

    // Last year's figures stay available in the prior-year summary.
    auto* summary = qobject_cast<TaxData_T1KSNew*>(GetFormData(kReturnSummary, true));
    auto* priorYear = qobject_cast<TaxData_T1KSNew*>(GetFormData(kPriorYearSummary, true));
    if (summary && priorYear)
        *priorYear = *summary;

    std::vector<CTaxData_Form*> removed;
    bool replaceRc381 = false;
    for (STRUCT_FORMDATA_ITEM_2004* item : m_formList) {
        CTaxData_Form* form = item->data;
        if (!form)
            continue;
        if (!param->bKeepForms && !form->ConvertToNextYear(returnFileEdition(), m_province, item->type)) {
            removed.push_back(form);
            continue;
        }
        if (isDropped(item->type) || item->type == kRc381) {
            replaceRc381 = replaceRc381 || item->type == kRc381;
            removed.push_back(form);
            continue;
        }
        if (item->type == kPriorYearSummary)
            continue;
        const bool keepAll = param->bCopyAllData || (IsSFDForm(item->type) && param->bIncludeSFD);
        form->KeepData(keepAll ? 1 : 0);
    }
    // A removed form takes its tied form along, which may itself be on the
    // list: only forms still held are removed.
    for (CTaxData_Form* form : removed)
        if (FindFormItem(form))
            RemoveFormData(form, true);

    // This year's contribution schedule in place of last year's election
    // form, made like any new form (dependants, coupled flag).
    if (replaceRc381)
        GetFormData(kSchedule8, true);

    // Last year's T1M amount goes on the T1 whatever its size.
    if (TaxData_T1New* t1 = GetT1(); t1 && taxrules::isPositiveAmount(m_dT1MAmount))
        t1->T1MAmount.m_value = m_dT1MAmount;

    if (param->bKeepForms) {
        for (STRUCT_SLIPDATA_ITEM_2004* item : m_slipList)
            if (item->data)
                item->data->KeepData(param->bCopyAllData ? 1 : 0);
    } else {
        std::vector<CTaxData_Form*> slips;
        for (const STRUCT_SLIPDATA_ITEM_2004* item : m_slipList)
            slips.push_back(item->data);
        for (CTaxData_Form* slip : slips)
            RemoveSlipData(slip);
    }
    if (!param->bKeepNotes) {
        std::vector<CTaxData_Form*> notes;
        for (const STRUCT_NOTEDATA_ITEM_2004* item : m_noteList)
            notes.push_back(item->data);
        for (CTaxData_Form* note : notes)
            RemoveNoteData(note);
    }
}
