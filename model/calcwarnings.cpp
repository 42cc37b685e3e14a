// What the calculation cannot carry into the return, told to the user
// through validation rather than dropped without a word.
#include "companion/forms/federal/statements.h"
#include "model/calcsteps_common.h"

using namespace calcsteps;

namespace {
// The election form has room for the figures of six T4 slips.
constexpr int kCpt20Slips = 6;
}

void IndividualTaxData::ValidateCalculationInputs(std::list<CString>& messages)
{
    forEachForm<TaxData_T2125_New>(*this, 125, [&](TaxData_T2125_New& f) {
        const int kind = f.IncomeKind.m_value;
        if (kind != 0 && kind != 1) {
            CString caption;
            f.GetCaption(caption);
            messages.push_back(CString("T2125 \"") + caption +
                               CString("\": choose business or professional income; its income is not included "
                                       "in the return until a kind is chosen."));
        }
    });
    const int t4Slips = GetCountOfSlip(1);
    if (HasForm(FORM_CPT20) && t4Slips > kCpt20Slips)
        messages.push_back(CString("CPT20: only the first six T4 slips fit on the form; ") +
                           CString::number(t4Slips - kCpt20Slips) +
                           CString(" more T4 slip(s) must be reported on a separate sheet."));
}
