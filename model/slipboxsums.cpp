#include "model/slipboxsums.h"

#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/slips/slips_investment.h"
#include "companion/forms/slips/slips_other.h"

namespace {

// A slip of another class under the type (never made by the factory, but a
// damaged file could hold one) adds nothing: addPlainSlipBoxes checks the
// class before it reads a box.
#define BOX(type, Class, field, totalField)                                                    \
    {                                                                                          \
        type, #field, &STRUCT_SLIPDATA_CALCULATION::totalField,                                \
            [](const CTaxData_Form& slip) { return qobject_cast<const Class*>(&slip) != nullptr; },  \
            [](const CTaxData_Form& slip) { return static_cast<const Class&>(slip).field.m_value; } \
    }

const std::vector<SlipBoxSum> kSums = {
    BOX(SLIP_T4, TaxData_Slip_T4, box16ASecondCpp, t4Box16A),
    BOX(SLIP_T4, TaxData_Slip_T4, box18EiPremiums, t4Box18),
    BOX(SLIP_T4, TaxData_Slip_T4, box20RppContributions, t4Box20),
    BOX(SLIP_T4, TaxData_Slip_T4, box24EiInsurableEarnings, t4Box24),
    BOX(SLIP_T4, TaxData_Slip_T4, box30BoardLodging, t4Box30),
    BOX(SLIP_T4, TaxData_Slip_T4, other2Box34, t4Other2),
    BOX(SLIP_T4, TaxData_Slip_T4, other3Box40, t4Other3),
    BOX(SLIP_T4, TaxData_Slip_T4, box42Commissions, t4Box42),
    BOX(SLIP_T4, TaxData_Slip_T4, other4Box39, t4Other4),
    BOX(SLIP_T4, TaxData_Slip_T4, box41SecurityOptions, t4Box41),
    BOX(SLIP_T4, TaxData_Slip_T4, box44UnionDues, t4Box44),
    BOX(SLIP_T4, TaxData_Slip_T4, box46Donations, t4Box46),
    BOX(SLIP_T4, TaxData_Slip_T4, other5Box53, t4Other5),
    BOX(SLIP_T4, TaxData_Slip_T4, box52PensionAdjustment, t4Box52),
    BOX(SLIP_T4, TaxData_Slip_T4, box17QppContributions, t4Box17),
    BOX(SLIP_T4, TaxData_Slip_T4, box17ASecondQpp, t4Box17A),
    BOX(SLIP_T4, TaxData_Slip_T4, other6Box31, t4Other6),
    BOX(SLIP_T4, TaxData_Slip_T4, box71IndianExempt, t4Box71),
    BOX(SLIP_T4, TaxData_Slip_T4, other7Box77, t4Other7),
    BOX(SLIP_T4, TaxData_Slip_T4, box85HealthPremiums, t4Box85),
    BOX(SLIP_T4, TaxData_Slip_T4, box87EmergencyVolunteer, t4Box87),
    BOX(SLIP_T4, TaxData_Slip_T4, box88IndianSelfEmployed, t4Box88),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box18LumpSum, t4aBox18),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box20SelfEmployedCommissions, t4aBox20),
    BOX(SLIP_T4A, TaxData_Slip_T4A, other1Box26, t4aOther1),
    BOX(SLIP_T4A, TaxData_Slip_T4A, other2Box27, t4aOther2),
    BOX(SLIP_T4A, TaxData_Slip_T4A, other3Box102, t4aOther3),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box34PensionAdjustment, t4aBox34),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box40RespAccumulated, t4aBox40),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box42RespEducational, t4aBox42),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box46Donations, t4aBox46),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box48FeesForServices, t4aBox48),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box106DeathBenefits, t4aBox106),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box107WageLoss, t4aBox107),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box109Unregistered, t4aBox109),
    BOX(SLIP_T4A, TaxData_Slip_T4A, other4Box108, t4aOther4),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box118MedicalPremium, t4aBox118),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box119GroupTermLife, t4aBox119),
    BOX(SLIP_T4A, TaxData_Slip_T4A, other5Box110, t4aOther5),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box125DisabilityBenefits, t4aBox125),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box127Veterans, t4aBox127),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box128VeteransSplit, t4aBox128),
    BOX(SLIP_T4A, TaxData_Slip_T4A, other6Box115, t4aOther6),
    BOX(SLIP_T4A, TaxData_Slip_T4A, other7Box116, t4aOther7),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box131Rdsp, t4aBox131),
    BOX(SLIP_T4A, TaxData_Slip_T4A, other8Box117, t4aOther8),
    BOX(SLIP_T4A, TaxData_Slip_T4A, other9Box122, t4aOther9),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box135HealthPremiums, t4aBox135),
    BOX(SLIP_T4A, TaxData_Slip_T4A, other10Box123, t4aOther10),
    BOX(SLIP_T4A, TaxData_Slip_T4A, other11Box126, t4aOther11),
    BOX(SLIP_T4A, TaxData_Slip_T4A, other12Box130, t4aOther12),
    BOX(SLIP_T4A, TaxData_Slip_T4A, other13Box129, t4aOther13),
    BOX(SLIP_T4A, TaxData_Slip_T4A, other14Box132, t4aOther14),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box198Crb, t4aBox198),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box199Crsb, t4aBox199),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box200Crcb, t4aBox200),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box201Repayment, t4aBox201),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box202Cesb, t4aBox202),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box204Parents, t4aBox204),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box205OlderSeniors, t4aBox205),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box210Postdoctoral, t4aBox210),
    BOX(SLIP_T4A, TaxData_Slip_T4A, box211Cwlb, t4aBox211),
    BOX(SLIP_T4AP, TaxData_Slip_T4AP, box15Survivor, t4apBox15),
    BOX(SLIP_T4AP, TaxData_Slip_T4AP, box16Disability, t4apBox16),
    BOX(SLIP_T4AP, TaxData_Slip_T4AP, box17Child, t4apBox17),
    BOX(SLIP_T4AP, TaxData_Slip_T4AP, box19PostRetirement, t4apBox19),
    BOX(SLIP_T4AP, TaxData_Slip_T4AP, box22IncomeTaxDeducted, t4apBox22),
    BOX(SLIP_T4RSP, TaxData_Slip_T4RSP, box18RefundOfPremiums, t4rspBox18),
    BOX(SLIP_T4RSP, TaxData_Slip_T4RSP, box20ExcessRefund, t4rspBox20),
    BOX(SLIP_T4RSP, TaxData_Slip_T4RSP, box22Withdrawal, t4rspBox22),
    BOX(SLIP_T4RSP, TaxData_Slip_T4RSP, box25Llp, t4rspBox25),
    BOX(SLIP_T4RSP, TaxData_Slip_T4RSP, box26Deregistration, t4rspBox26),
    BOX(SLIP_T4RSP, TaxData_Slip_T4RSP, box27Hbp, t4rspBox27),
    BOX(SLIP_T4RSP, TaxData_Slip_T4RSP, box30IncomeTaxDeducted, t4rspBox30),
    BOX(SLIP_T4RSP, TaxData_Slip_T4RSP, box34DeemedOnDeath, t4rspBox34),
    BOX(SLIP_T4E, TaxData_Slip_T4E, box15Regular, t4eBox15),
    BOX(SLIP_T4E, TaxData_Slip_T4E, box17SupportMeasures, t4eBox17),
    BOX(SLIP_T4E, TaxData_Slip_T4E, box20TaxableTuition, t4eBox20),
    BOX(SLIP_T4E, TaxData_Slip_T4E, box21NonTaxableTuition, t4eBox21),
    BOX(SLIP_T4E, TaxData_Slip_T4E, box22IncomeTaxDeducted, t4eBox22),
    BOX(SLIP_T4E, TaxData_Slip_T4E, box23QuebecTax, t4eBox23),
    BOX(SLIP_T4E, TaxData_Slip_T4E, other1, t4eOther1),
    BOX(SLIP_T4E, TaxData_Slip_T4E, box33Crf, t4eBox33),
    BOX(SLIP_T4E, TaxData_Slip_T4E, other3, t4eOther3),
    BOX(SLIP_T4E, TaxData_Slip_T4E, box37Parental, t4eBox37),
    BOX(SLIP_T4AOAS, CSlipData_T4AOAS, box18NetPension, oasBox18),
    BOX(SLIP_T4AOAS, CSlipData_T4AOAS, box19GrossPension, oasBox19),
    BOX(SLIP_T4AOAS, CSlipData_T4AOAS, box20Overpayment, oasBox20),
    BOX(SLIP_T4AOAS, CSlipData_T4AOAS, box21NetSupplements, oasBox21),
    BOX(SLIP_T4AOAS, CSlipData_T4AOAS, box22IncomeTaxDeducted, oasBox22),
    BOX(SLIP_T4AOAS, CSlipData_T4AOAS, box23QuebecTax, oasBox23),
    BOX(SLIP_T4RIF, TaxData_Slip_T4RIF, box18DeemedOnDeath, t4rifBox18),
    BOX(SLIP_T4RIF, TaxData_Slip_T4RIF, box22OtherIncome, t4rifBox22),
    BOX(SLIP_T5, TaxData_Slip_T5, shareBox10, t5Box10),
    BOX(SLIP_T5, TaxData_Slip_T5, shareBox11, t5Box11),
    BOX(SLIP_T5, TaxData_Slip_T5, shareBox12, t5Box12),
    BOX(SLIP_T5, TaxData_Slip_T5, shareInterest, t5Interest),
    BOX(SLIP_T5, TaxData_Slip_T5, shareInterestPart1, t5InterestPart1),
    BOX(SLIP_T5, TaxData_Slip_T5, shareInterestPart2, t5InterestPart2),
    BOX(SLIP_T5, TaxData_Slip_T5, shareInterestPart3, t5InterestPart3),
    BOX(SLIP_T5, TaxData_Slip_T5, shareInterestPart4, t5InterestPart4),
    BOX(SLIP_T5, TaxData_Slip_T5, shareBox14, t5Box14),
    BOX(SLIP_T5, TaxData_Slip_T5, shareBox15, t5Box15),
    BOX(SLIP_T5, TaxData_Slip_T5, shareBox16, t5Box16),
    BOX(SLIP_T5, TaxData_Slip_T5, shareBox18, t5Box18),
    BOX(SLIP_T5, TaxData_Slip_T5, shareBox24, t5Box24),
    BOX(SLIP_T5, TaxData_Slip_T5, shareBox25, t5Box25),
    BOX(SLIP_T5, TaxData_Slip_T5, shareBox26, t5Box26),
    BOX(SLIP_T3, TaxData_Slip_T3, shareBox22, t3Box22),
    BOX(SLIP_T3, TaxData_Slip_T3, shareBox23, t3Box23),
    BOX(SLIP_T3, TaxData_Slip_T3, shareBox32, t3Box32),
    BOX(SLIP_T3, TaxData_Slip_T3, shareBox33, t3Box33),
    BOX(SLIP_T3, TaxData_Slip_T3, shareBox34, t3Box34),
    BOX(SLIP_T3, TaxData_Slip_T3, shareBox35, t3Box35),
    BOX(SLIP_T3, TaxData_Slip_T3, shareBox37, t3Box37),
    BOX(SLIP_T3, TaxData_Slip_T3, shareBox38, t3Box38),
    BOX(SLIP_T3, TaxData_Slip_T3, shareBox39, t3Box39),
    BOX(SLIP_T3, TaxData_Slip_T3, shareBox49, t3Box49),
    BOX(SLIP_T3, TaxData_Slip_T3, shareBox50, t3Box50),
    BOX(SLIP_T3, TaxData_Slip_T3, shareBox51, t3Box51),
    BOX(SLIP_T5003, CSlipData_T5003, box121ShelterAmount, t5003Amount),
    BOX(SLIP_T5007, CSlipData_T5007, box11SocialAssistance, t5007Box11),
    BOX(SLIP_T4PS, TaxData_Slip_T4PS, amount01Box24, t4psAmount01),
    BOX(SLIP_T4PS, TaxData_Slip_T4PS, amount02Box25, t4psAmount02),
    BOX(SLIP_T4PS, TaxData_Slip_T4PS, amount03Box26, t4psAmount03),
    BOX(SLIP_T4PS, TaxData_Slip_T4PS, amount04Box30, t4psAmount04),
    BOX(SLIP_T4PS, TaxData_Slip_T4PS, amount05Box31, t4psAmount05),
    BOX(SLIP_T4PS, TaxData_Slip_T4PS, amount06Box32, t4psAmount06),
    BOX(SLIP_T4PS, TaxData_Slip_T4PS, amount07Box34, t4psAmount07),
    BOX(SLIP_T4PS, TaxData_Slip_T4PS, amount08Box35, t4psAmount08),
    BOX(SLIP_T4PS, TaxData_Slip_T4PS, amount09Box36, t4psAmount09),
    BOX(SLIP_T4PS, TaxData_Slip_T4PS, amount10Box37, t4psAmount10),
    BOX(SLIP_T4PS, TaxData_Slip_T4PS, amount11Box38, t4psAmount11),
    BOX(SLIP_T4PS, TaxData_Slip_T4PS, amount12Box39, t4psAmount12),
    BOX(SLIP_T4PS, TaxData_Slip_T4PS, amount13Box41, t4psAmount13),
    BOX(SLIP_T4ARCA, TaxData_Slip_T4ARCA, amount1Box14, t4arcaAmount1),
    BOX(SLIP_T4ARCA, TaxData_Slip_T4ARCA, amount2Box15, t4arcaAmount2),
    BOX(SLIP_T4ARCA, TaxData_Slip_T4ARCA, amount3Box16, t4arcaAmount3),
    BOX(SLIP_T4ARCA, TaxData_Slip_T4ARCA, amount4Box17, t4arcaAmount4),
    BOX(SLIP_T4ARCA, TaxData_Slip_T4ARCA, amount5Box18, t4arcaAmount5),
    BOX(SLIP_T4ARCA, TaxData_Slip_T4ARCA, amount6Box20, t4arcaAmount6),
    BOX(SLIP_T4ARCA, TaxData_Slip_T4ARCA, amount7Box22, t4arcaAmount7),
    BOX(SLIP_T5006, TaxData_Slip_T5006, amount5Box16, t5006Amount5),
    BOX(SLIP_RC62, TaxData_Slip_RC62, box10Benefit, rc62Box10),
    BOX(SLIP_RC62, TaxData_Slip_RC62, box12Repayment, rc62Box12),
    BOX(SLIP_RC210, TaxData_Slip_RC210, box10BasicAdvance, rc210Box10),
    BOX(SLIP_RC210, TaxData_Slip_RC210, box11DisabilityAdvance, rc210Box11),
    BOX(SLIP_MB_SHELTER, TaxData_Slip_MBShelterAssist, BenefitAmount, mbShelterAmount),
    BOX(SLIP_PRPP, TaxData_Slip_PRPP, EmployeeCurrentYear, prppEmployeeCurrentYear),
    BOX(SLIP_PRPP, TaxData_Slip_PRPP, EmployeePriorYear, prppEmployeePriorYear),
    BOX(SLIP_PRPP, TaxData_Slip_PRPP, ExemptCurrentYear, prppExemptIncomeCurrentYear),
    BOX(SLIP_PRPP, TaxData_Slip_PRPP, ExemptPriorYear, prppExemptIncomePriorYear),
    BOX(SLIP_PRPP, TaxData_Slip_PRPP, Employer, prppEmployer),
    BOX(SLIP_T1204, TaxData_Slip_T1204, box82Services, t1204Box82),
    BOX(SLIP_T1204, TaxData_Slip_T1204, box84Mixed, t1204Box84),
    BOX(SLIP_T4FHSA, TaxData_Slip_T4FHSA, box18Contributions, fhsaBox18),
    BOX(SLIP_T4FHSA, TaxData_Slip_T4FHSA, box20QualifyingWithdrawals, fhsaBox20),
    BOX(SLIP_T4FHSA, TaxData_Slip_T4FHSA, box22TaxableWithdrawals, fhsaBox22),
    BOX(SLIP_T4FHSA, TaxData_Slip_T4FHSA, box24BeneficiaryDistribution, fhsaBox24),
    BOX(SLIP_T4FHSA, TaxData_Slip_T4FHSA, box26DeemedOnCessation, fhsaBox26),
    BOX(SLIP_T4FHSA, TaxData_Slip_T4FHSA, box28LoanSecurity, fhsaBox28),
    BOX(SLIP_T4FHSA, TaxData_Slip_T4FHSA, box30IncomeTaxDeducted, fhsaBox30),
    BOX(SLIP_T4FHSA, TaxData_Slip_T4FHSA, box32RrspTransfers, fhsaBox32),
    BOX(SLIP_T4FHSA, TaxData_Slip_T4FHSA, box34SpousalRrspTransfers, fhsaBox34),
    BOX(SLIP_T4FHSA, TaxData_Slip_T4FHSA, box36DesignatedTransferOut, fhsaBox36),
    BOX(SLIP_T4FHSA, TaxData_Slip_T4FHSA, box38DesignatedWithdrawals, fhsaBox38),
};

#undef BOX

} // namespace

const std::vector<SlipBoxSum>& slipBoxSums() { return kSums; }

namespace {

// The rows of each slip type, in table order: a slip's boxes are added
// without walking the other types' rows.
const std::vector<std::vector<const SlipBoxSum*>>& rowsByType()
{
    static const std::vector<std::vector<const SlipBoxSum*>> byType = [] {
        std::vector<std::vector<const SlipBoxSum*>> out;
        for (const SlipBoxSum& row : kSums) {
            if (row.slip < 0)
                continue;
            if (size_t(row.slip) >= out.size())
                out.resize(size_t(row.slip) + 1);
            out[size_t(row.slip)].push_back(&row);
        }
        return out;
    }();
    return byType;
}

} // namespace

void addPlainSlipBoxes(STRUCT_SLIPDATA_CALCULATION& totals, ENUMTYPE_SLIP type, const CTaxData_Form& slip)
{
    const auto& byType = rowsByType();
    if (type < 0 || size_t(type) >= byType.size())
        return;
    const std::vector<const SlipBoxSum*>& rows = byType[size_t(type)];
    // Every row of one type names the same class: the class is checked once.
    if (rows.empty() || !rows.front()->isOfClass(slip))
        return;
    for (const SlipBoxSum* row : rows)
        totals.*row->total += row->valueOfClass(slip);
}
