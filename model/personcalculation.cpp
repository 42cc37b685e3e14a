// The dispatch of one person's calculation steps; steps 1 to 5 are in
// TaxDataCalc_Steps.cpp and TaxDataCalc_TaxSteps.cpp.
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
    case IndividualTaxData::CalcStepSlipsAndIncome: return step1(changed);
    case IndividualTaxData::CalcStepTaxableIncome: return step2();
    case IndividualTaxData::CalcStepSpouseAmounts: return step3();
    case IndividualTaxData::CalcStepFederalTax: return step4();
    case IndividualTaxData::CalcStepCreditsAndBalance: return step5(isSpouse);
    case IndividualTaxData::CalcStepAdjustment: return p.calculateStep6();
    }
    return 0;
}
