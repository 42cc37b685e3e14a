// The family's recalculation: a changed shared item reaches the spouse's
// linked copy, then every step for one or both persons, with the coupled
// exchange after each step, all twice; then the return summaries.
#include "model/cfamilytaxdata.h"
#include "model/returnchanges.h"

#include "companion/forms/ctaxdata_form.h"

namespace {

using Step = IndividualTaxData::EnumCalculateStep;
constexpr int kFirstStep = IndividualTaxData::CalcStepPrepare;
constexpr int kLastStep = IndividualTaxData::CalcStepAdjustment;
constexpr int kPasses = 2;

// Every amount the return stores is a whole number of cents, whatever
// arithmetic a step did: one pass over each object's field table.
void roundStoredAmounts(IndividualTaxData& person)
{
    for (STRUCT_FORMDATA_ITEM_2004* item : person.m_formList)
        if (item->data)
            item->data->roundMoneyFields();
    for (STRUCT_SLIPDATA_ITEM_2004* item : person.m_slipList)
        if (item->data)
            item->data->roundMoneyFields();
    for (STRUCT_WIZDATA_ITEM_2004* item : person.m_wizList)
        if (item->data)
            item->data->roundMoneyFields();
}

// The persons' tables of forms by type, held for one calculation: its
// steps look forms up by type hundreds of times, and only the item store
// changes a form list while it runs.
class FormTypeIndexHold
{
public:
    FormTypeIndexHold(IndividualTaxData* taxpayer, IndividualTaxData* spouse) : m_persons{taxpayer, spouse}
    {
        for (IndividualTaxData* person : m_persons)
            if (person)
                person->holdFormTypeIndex();
    }
    ~FormTypeIndexHold()
    {
        for (IndividualTaxData* person : m_persons)
            if (person)
                person->releaseFormTypeIndex();
    }
    FormTypeIndexHold(const FormTypeIndexHold&) = delete;
    FormTypeIndexHold& operator=(const FormTypeIndexHold&) = delete;

private:
    IndividualTaxData* m_persons[2];
};

} // namespace

int CFamilyTaxData::Calculate(int kind, CTaxData_Form* changed)
{
    Q_UNUSED(kind); // the changed object says what it is
    // One announcement for the whole recalculation, forms it added included.
    ReturnChangeGuard announce(*m_changes);
    const FormTypeIndexHold formsByType(m_pTaxpayer, m_pSpouse);
    const int formsBefore = GetCountOfForm(0);
    const bool coupled = IsCoupledReturn();
    IndividualTaxData* current = m_curIndv == kSpouse ? m_pSpouse : m_pTaxpayer;
    IndividualTaxData* other = current == m_pSpouse ? m_pTaxpayer : m_pSpouse;

    CalcChange change;
    if (changed) {
        change.kind = changed->getKind();
        change.type = changed->getType();
        if (coupled && change.kind == FROM_FORM) {
            const int sharedId = current->GetSharedFormID(changed);
            if (sharedId > 0) {
                const IndividualTaxData* spouseSide = other;
                if (CTaxData_Form* copy = spouseSide->GetFormData(change.type, sharedId))
                    copy->UpdateSharedCopy(changed);
                else
                    current->SetSharedForm(changed, 0);
            }
        } else if (coupled && change.kind == FROM_SLIP) {
            const int sharedId = current->GetSharedSlipID(changed);
            if (sharedId > 0) {
                if (CTaxData_Form* copy = other->GetSlipData(change.type, sharedId, false))
                    copy->UpdateSharedCopy(changed);
                else
                    current->SetSharedSlip(changed, 0);
            }
        }
    }

    int formsAddedOrRemoved = 0;
    for (int pass = 0; pass < kPasses; ++pass) {
        if (!coupled) {
            // A single return is always the taxpayer's, whoever is "current".
            for (int step = kFirstStep; step <= kLastStep; ++step)
                formsAddedOrRemoved += m_pTaxpayer->Calculate(change, Step(step), false);
            continue;
        }
        for (int step = kFirstStep; step <= kLastStep; ++step) {
            formsAddedOrRemoved += current->Calculate(change, Step(step), current == m_pSpouse);
            formsAddedOrRemoved += other->Calculate(CalcChange(), Step(step), other == m_pSpouse);
            ExchangeCoupledTaxData(Step(step));
        }
    }
    // The return summaries are made once, from the last pass's figures: no
    // step reads what a summary holds (a step only writes its instalment
    // lines, which the summary leaves alone), and a summary is made afresh
    // from the returns, the persons and the summaries' own choices, so one
    // made after the first pass would be overwritten unchanged.
    if (!coupled) {
        m_pTaxpayer->UpdateT1KS(true, nullptr);
    } else {
        current->UpdateT1KS(true, other);
        other->UpdateT1KS(false, current);
    }
    roundStoredAmounts(*m_pTaxpayer);
    if (coupled)
        roundStoredAmounts(*m_pSpouse);
    if (formsAddedOrRemoved != 0 || GetCountOfForm(0) != formsBefore)
        m_changes->noteItemsChanged(m_curIndv, FROM_FORM);
    m_changes->noteCalculated();
    return formsAddedOrRemoved;
}
