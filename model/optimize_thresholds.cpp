// The income thresholds of one person's return, for the coupled optimiser.
#include "model/individualtaxdata.h"

#include <QList>

#include "companion/forms/t1/taxdata_t1new.h"

void IndividualTaxData::GetIncomeThresholds(std::list<double>& thresholds)
{
    const TaxData_T1New* t1 = GetT1();
    if (!t1)
        return;
    QList<double> federal;
    t1->GetIncomeThresholds(federal);
    thresholds.insert(thresholds.end(), federal.begin(), federal.end());
    m_provMgr.GetIncomeThresholds(thresholds);
}
