// Figures for the whole-family recalculation: a single simple return, and a
// coupled return with 30 slips on each side and the common forms. Each
// median is printed beside its budget.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "companion/forms/federal/statements.h"
#include "companion/forms/schedules/taxdata_sch7.h"
#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/slips/slips_investment.h"
#include "model/cfamilytaxdata.h"

namespace {

NewReturnBasicData basics(bool coupled)
{
    NewReturnBasicData data;
    data.FirstName = CString("Ann");
    data.LastName = CString("Lee");
    data.sin = CString("046454286");
    data.TaxPronv = 9;
    data.MaritalStatus = coupled ? 0 : 5;
    data.FirstNameSpouse = CString("Ben");
    data.LastNameSpouse = CString("Lee");
    data.sinSpouse = CString("130692544");
    data.TaxPronvSpouse = 9;
    data.Coupled = coupled;
    return data;
}

void addSlips(IndividualTaxData& person, int count)
{
    for (int i = 0; i < count; ++i) {
        switch (i % 3) {
        case 0: {
            auto& t4 = static_cast<TaxData_Slip_T4&>(*person.NewSlipData(1, 0, 0)->data);
            t4.Province.m_value = 9;
            t4.box14EmploymentIncome.m_value = 20000 + i;
            t4.box16CppContributions.m_value = 900;
            t4.box18EiPremiums.m_value = 300;
            t4.box22IncomeTaxDeducted.m_value = 3000;
            t4.box26PensionableEarnings.m_value = 20000;
            break;
        }
        case 1: static_cast<TaxData_Slip_T5&>(*person.NewSlipData(8, 0, 0)->data).box13Interest.m_value = 100 + i; break;
        default: static_cast<TaxData_Slip_T3&>(*person.NewSlipData(9, 0, 0)->data).box49ActualEligible.m_value = 50; break;
        }
    }
    auto* sch7 = static_cast<TaxData_Sch7*>(person.GetFormData(7, true));
    sch7->OwnPriorYearContributions.m_value = 3000;
    sch7->RRSPDeductionLimit.m_value = 10000;
    person.GetFormData(9, true);
    person.GetFormData(210, true);
    auto* rental = static_cast<TaxData_T776New*>(person.NewFormDataItem(12, 0, true, 0, true)->data);
    rental->line8141GrossRents.m_value = 12000;
}

double medianMs(CFamilyTaxData& family, int runs)
{
    std::vector<double> times;
    family.Calculate(0, nullptr); // the first pass adds the forms the slips call for
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        family.Calculate(0, nullptr);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    CFamilyTaxData single;
    const NewReturnBasicData one = basics(false);
    single.NewData(&one);
    auto& t4 = static_cast<TaxData_Slip_T4&>(*single.getTaxpayer()->NewSlipData(1, 0, 0)->data);
    t4.box14EmploymentIncome.m_value = 50000;
    t4.box22IncomeTaxDeducted.m_value = 8000;
    std::printf("Calculate, single simple return:          %.3f ms (budget 0.3 ms)\n", medianMs(single, 501));

    CFamilyTaxData couple;
    const NewReturnBasicData two = basics(true);
    couple.NewData(&two);
    addSlips(*couple.getTaxpayer(), 30);
    if (couple.getSpouse())
        addSlips(*couple.getSpouse(), 30);
    std::printf("Calculate, coupled return with 30 slips:  %.3f ms (budget 2 ms)\n", medianMs(couple, 201));
    std::printf("Return file write and read: not measured here (the return file is not in this branch)\n");
    return 0;
}
