// The dispatch of one person's calculation steps.
#include "model/personcalculation.h"

#include "model/individualtaxdata.h"

int PersonCalculation::run(const CalcChange& changed, int step, bool isSpouse)
{
    IndividualTaxData& p = m_person;
    switch (step) {
    case IndividualTaxData::CalcStepPrepare: {
        m_change = changed;
        m_asSpouse = isSpouse;
        const int added = p._autoAddSomeForms();
        p.calculateStep0(changed);
        return added;
    }
    case IndividualTaxData::CalcStepSlipsAndIncome: return p.CalculateStep1(changed);
    case IndividualTaxData::CalcStepTaxableIncome: return p.CalculateStep2();
    case IndividualTaxData::CalcStepSpouseAmounts: return p.CalculateStep3();
    case IndividualTaxData::CalcStepFederalTax: return p.CalculateStep4();
    case IndividualTaxData::CalcStepCreditsAndBalance: return p.CalculateStep5(isSpouse);
    case IndividualTaxData::CalcStepAdjustment: return p.calculateStep6();
    }
    return 0;
}
