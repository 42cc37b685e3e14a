// Figure for the coupled-return optimisation: a couple where one spouse
// draws a 100,000 pension and the other works part time, with shareable
// interest, capital gains and donations. The median time of a whole
// optimisation on a fresh scratch copy is printed beside its budget, with
// the number of recalculations it took.
#include <QCoreApplication>
#include <cstdio>

#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/schedules/taxdata_sch9.h"
#include "companion/forms/slips/slips_employment.h"
#include "model/cfamilytaxdata.h"
#include "model/optimize_splitsearch.h"

#include "benchstats.h"

namespace {

NewReturnBasicData basics()
{
    NewReturnBasicData data;
    data.FirstName = CString("Ann");
    data.LastName = CString("Lee");
    data.sin = CString("046454286");
    data.TaxPronv = 9;
    data.MaritalStatus = 0;
    data.FirstNameSpouse = CString("Ben");
    data.LastNameSpouse = CString("Lee");
    data.sinSpouse = CString("130692544");
    data.TaxPronvSpouse = 9;
    data.Coupled = true;
    return data;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    CFamilyTaxData couple;
    const NewReturnBasicData record = basics();
    couple.NewData(&record);
    IndividualTaxData* taxpayer = couple.getTaxpayer();
    IndividualTaxData* spouse = couple.getSpouse();
    auto& pension = static_cast<TaxData_Slip_T4A&>(*taxpayer->NewSlipData(2, 0, 0)->data);
    pension.box16Pension.m_value = 100000;
    pension.box22IncomeTaxDeducted.m_value = 25000;
    auto& t4 = static_cast<TaxData_Slip_T4&>(*spouse->NewSlipData(1, 0, 0)->data);
    t4.Province.m_value = 9;
    t4.box14EmploymentIncome.m_value = 18000;
    t4.box22IncomeTaxDeducted.m_value = 1500;
    static_cast<TaxData_T1032_New*>(taxpayer->GetFormData(118, true))->ElectorIndicator.m_value = 0;
    static_cast<TaxData_T1032_New*>(spouse->GetFormData(118, true))->ElectorIndicator.m_value = 1;
    static_cast<TaxData_Sch9*>(taxpayer->GetFormData(9, true))->OtherDonations.m_value = 1200;
    couple.Calculate(-1, nullptr);

    DataShareAmtDlg amounts;
    amounts.fld_BankInterest_3.m_value = 8000;
    amounts.fld_CapGain_3.m_value = 5000;
    amounts.fld_Donation_1.m_value = 1200;
    amounts.fld_Donation_3.m_value = 600;

    // Each run starts from a fresh copy; the copy is made outside the timing.
    int recalculations = 0;
    double balance = 0.0;
    benchstats::Figure figure{"Optimise, coupled return, 100,000 pension", 500.0, {}};
    for (int i = 0; i < 31; ++i) {
        CFamilyTaxData scratch;
        scratch = couple;
        OptimizeRun run;
        figure.samplesMs.push_back(benchstats::elapsedMs([&] { scratch.DoCoupledReturnOptimize(&amounts, &run); }));
        recalculations = run.recalculations();
        double mine = 0, theirs = 0;
        scratch.GetFamilyReturnStatus(mine, theirs, balance);
    }
    benchstats::print(figure);
    std::printf("  %d recalculations, family balance %.2f\n", recalculations, balance);
    return 0;
}
