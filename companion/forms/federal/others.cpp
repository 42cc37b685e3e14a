#include "companion/forms/federal/others.h"

#include <algorithm>
#include <cmath>

#include "companion/core/xmlwrite.h"
#include "companion/forms/direradlines.h"
#include "companion/forms/t1/taxdata_t1ksnew.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/money.h"
#include "companion/rules/socialbenefits.h"

using taxrules::isPresentAmount;

// ---- T5013 form: activity kinds 0 business, 1 professional, 2 commission,
// 3 farming, 4 fishing, 5 rental; -1 none.

namespace {
struct Block
{
    const CIntField& kind;
    const CIntField& sfd;
    const CFloatField& gross;
    const CFloatField& net;
};
}  // namespace

#define VR_BLOCKS(f) \
    {Block{f.Kind1, f.Sfd1, f.Gross1, f.Net1}, Block{f.Kind2, f.Sfd2, f.Gross2, f.Net2}, \
     Block{f.Kind3, f.Sfd3, f.Gross3, f.Net3}, Block{f.Kind4, f.Sfd4, f.Gross4, f.Net4}}

static bool hasKind(const CTaxData_T5013& f, int kind)
{
    for (const Block& b : VR_BLOCKS(f))
        if (b.kind.m_value == kind)
            return true;
    return false;
}

bool CTaxData_T5013::HaveBusinessIncome() const { return hasKind(*this, 0) || isPresentAmount(BusinessNet.m_value); }
bool CTaxData_T5013::HaveProfessionalIncome() const { return hasKind(*this, 1) || isPresentAmount(ProfessionalNet.m_value); }
bool CTaxData_T5013::HaveCommissionIncome() const { return hasKind(*this, 2) || isPresentAmount(CommissionNet.m_value); }
bool CTaxData_T5013::HaveFarmIncome() const { return hasKind(*this, 3) || isPresentAmount(FarmingNet.m_value); }
bool CTaxData_T5013::HaveFishIncome() const { return hasKind(*this, 4) || isPresentAmount(FishingNet.m_value); }
bool CTaxData_T5013::HaveRentalIncome() const { return hasKind(*this, 5) || isPresentAmount(RentalNet.m_value); }

bool CTaxData_T5013::IsThisSFD(int block) const
{
    if (block < 0 || block > 3)
        return false;
    const Block blocks[] = VR_BLOCKS((*this));
    return blocks[block].kind.m_value >= 0 && blocks[block].sfd.m_value != 0;
}

int CTaxData_T5013::GetCountOfSFDForms(bool withEmpty) const
{
    int count = 0;
    for (const Block& b : VR_BLOCKS((*this)))
        if (b.kind.m_value >= 0 && b.sfd.m_value != 0 && (withEmpty || isPresentAmount(b.gross.m_value) || isPresentAmount(b.net.m_value)))
            ++count;
    return count;
}

int CTaxData_T5013::GetCountOfBarcodeSFDForms() const { return GetCountOfSFDForms(false); }

double CTaxData_T5013::GetTotalNonLossNetIncome() const
{
    double total = 0;
    for (const Block& b : VR_BLOCKS((*this)))
        if (b.kind.m_value >= 0)
            total += std::max(0.0, b.net.m_value);
    return total;
}

int CTaxData_T5013::ConvertToDirerad(unsigned char mode, int block, DireradGenObjParamStru& param)
{
    Q_UNUSED(mode);
    if (!IsThisSFD(block))
        return 0;
    // An activity block is a statement of its own: its gross and net go on
    // the return's lines of its kind (0 business ... 5 rental).
    static const int kGrossAndNetLines[6][2] = {{13499, 13500}, {13699, 13700}, {13899, 13900},
                                                {14099, 14100}, {14299, 14300}, {12599, 12600}};
    const Block blocks[] = VR_BLOCKS((*this));
    const Block& b = blocks[block];
    if (b.kind.m_value < 0 || b.kind.m_value > 5)
        return 0;
    if (param.writesXml())
        writeXMLString(*param.text, kDireradStatementFormCodeTag, CString("T5013"));
    int written = DIRERAD_DOLLAR_VALUE_Func(kGrossAndNetLines[b.kind.m_value][0], b.gross.m_value, param);
    written += DIRERAD_DOLLAR_VALUE_Func(kGrossAndNetLines[b.kind.m_value][1], b.net.m_value, param);
    return written;
}

int CTaxData_T5013::Calculate01()
{
    // Each activity's net is its gross less its expenses, home use and CCA.
    for (int n = 1; n <= 4; ++n) {
        auto value = [this, n](int offset) -> double& {
            return static_cast<CFloatField*>(findFieldById(10 * n + offset))->m_value;
        };
        value(3) = value(2) - value(4) - value(5) - value(6);
    }
    return 0;
}

#undef VR_BLOCKS

// ---- T1248 Schedule D

bool TaxData_T1248SchD::isFactualResident() const { return ResidencyStatus.m_value == 0; }
bool TaxData_T1248SchD::isEligibleForDirErad() const { return ResidencyStatus.m_value == 0 || ResidencyStatus.m_value == 1; }

int TaxData_T1248SchD::ValidateWithT1(unsigned char purpose, CString& text, bool mailingOutsideCanada,
                                      bool deemedResident, bool immigrant, bool emigrant) const
{
    Q_UNUSED(purpose);
    Q_UNUSED(mailingOutsideCanada);
    // A factual resident keeps residential ties; someone who also entered or
    // left Canada in the year is not one.
    if (isFactualResident() && (immigrant || emigrant)) {
        text = CString("Schedule D of form T1248: a factual resident cannot have entered or left Canada in the year.");
        return 1;
    }
    if (deemedResident && ResidencyStatus.m_value != 1) {
        text = CString("Schedule D of form T1248: the return says deemed resident; choose that residency status here.");
        return 1;
    }
    return 0;
}

// ---- Instalments

void TaxData_InstalmentCalc::Calculate(const TaxData_T1New& t1, TaxData_T1KSNew& summary)
{
    NetTaxOwing.m_value = t1.line43500TotalPayable.m_value + ProvincialAmount1.m_value - ProvincialAmount2.m_value;
    TaxDeducted.m_value = t1.line43700TaxDeducted.m_value;
    // Instalments are due when the tax not deducted at source exceeds 3,000.
    const double owing = std::max(0.0, NetTaxOwing.m_value - TaxDeducted.m_value);
    AnnualInstalment.m_value = owing > 3000 ? owing : 0.0;
    QuarterlyInstalment.m_value = AnnualInstalment.m_value / 4;
    for (CFloatField* due : {&summary.InstalmentAmount1, &summary.InstalmentAmount2, &summary.InstalmentAmount3,
                             &summary.InstalmentAmount4})
        due->m_value = QuarterlyInstalment.m_value;
}

// ---- Dividend and interest worksheet

void TaxData_WS_D1::resetDivDetailsAmounts()
{
    for (CFloatField* f : {&EligibleActual, &EligibleTaxable, &OtherActual, &OtherTaxable, &EligibleCredit, &OtherCredit,
                           &Interest, &ForeignIncome})
        f->m_value = 0;
}

double TaxData_WS_D1::getF12010() const { return line12010.m_value; }
double TaxData_WS_D1::getF12000() const { return line12000.m_value; }

void TaxData_WS_D1::CalculateF23500(double netIncome, double oasRepaymentBase, double eiRepaymentBase)
{
    // Computed afresh every time from this pass's figures, never from what
    // the line held before.
    F23500.m_value = taxrules::socialBenefitsRepayment(netIncome, oasRepaymentBase, eiRepaymentBase).total;
}

double TaxData_WS_D1::getF23500() const { return F23500.m_value; }

int TaxData_WS_D1::Calculate01()
{
    line12010.m_value = OtherTaxable.m_value;
    line12000.m_value = OtherTaxable.m_value + EligibleTaxable.m_value;
    line12100.m_value = Interest.m_value + ForeignIncome.m_value;
    line40425.m_value = EligibleCredit.m_value + OtherCredit.m_value;
    return 0;
}

int TaxData_Benefit_CAI::Calculate01()
{
    // The rebate amounts per province come with the yearly arithmetic.
    Result.m_value = std::max(0.0, Result.m_value);
    return 0;
}
