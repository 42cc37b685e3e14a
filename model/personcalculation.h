#pragma once

#include "model/TaxDataCalcTypes.h"

class IndividualTaxData;

// One person's calculation as the family's driver runs it: which of the
// person's steps each step number runs, and what the calculation in progress
// was started by and in which role. Step 0 records both; the later steps and
// the return summary read them.
class PersonCalculation
{
public:
    explicit PersonCalculation(IndividualTaxData& person) : m_person(person) {}
    PersonCalculation(const PersonCalculation&) = delete;
    PersonCalculation& operator=(const PersonCalculation&) = delete;

    // Runs step 0 to 6; the number of forms the step added or removed by
    // itself. Any other step does nothing and returns 0.
    int run(const CalcChange& changed, int step, bool isSpouse);

    const CalcChange& change() const { return m_change; }
    bool asSpouse() const { return m_asSpouse; }

private:
    IndividualTaxData& m_person;
    CalcChange m_change;
    bool m_asSpouse = false;
};
