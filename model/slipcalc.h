#pragma once

#include "companion/core/cstring.h"

// One person's slips reduced to totals, built fresh on the stack by whoever
// needs them (the calculation, validation, the slip summary) and never kept.
// Every field starts at zero except t4AllEiExempt (true) and
// t5007ManitobaMinRatio (1.0). Shared slips count in each spouse's totals
// from that spouse's own copy.
struct STRUCT_SLIPDATA_CALCULATION
{
    STRUCT_SLIPDATA_CALCULATION() = default;

    int getT4Count() const { return t4QppCount + t4NonQppCount; }
    int getNonQPPT4Count() const { return t4NonQppCount; }

    // Each replaces html with one table of this record's totals; always 0.
    int getSlipSummary_T3(CString& html) const;
    int getSlipSummary_T4(CString& html) const;
    int getSlipSummary_T4A(CString& html) const;
    int getSlipSummary_T5(CString& html) const;

    // RC62 and RC210
    double rc62Box10 = 0, rc62Box12 = 0, rc210Box10 = 0, rc210Box11 = 0;

    // T3 (recipient's shares)
    double t3Box21 = 0;
    bool t3HasBox21 = false;
    double t3Box21LessBox30 = 0, t3Box21Marked = 0, t3Box22 = 0, t3Box23 = 0, t3Box24 = 0, t3Box24Unmarked = 0,
           t3Box25 = 0, t3Box25Taxed = 0, t3Box26Other = 0, t3Box26MarkB = 0, t3Box26MarkC = 0, t3Box30 = 0,
           t3Box31 = 0, t3Box32 = 0, t3Box33 = 0, t3Box34 = 0, t3Box35 = 0, t3Box37 = 0, t3Box38 = 0, t3Box39 = 0,
           t3Box49 = 0, t3Box50 = 0, t3Box51 = 0;

    // T4
    int t4QppCount = 0, t4NonQppCount = 0;
    double t4Box14 = 0;
    bool hasIndianActIncome = false;
    double t4Box14EiExempt = 0, t4Box16 = 0, t4Box14Quebec = 0, t4Box14OutsideQuebec = 0, t4Box16A = 0,
           t4Box18 = 0, t4Box20 = 0, t4Box22 = 0, t4Box24 = 0;
    bool t4HasPlacementAgency = false;
    double t4PlacementAgencyEarnings = 0;
    bool t4HasKind1 = false;
    double t4KindEarnings1 = 0;
    bool t4HasKind2 = false;
    double t4KindEarnings2 = 0, t4Box30 = 0, t4Other1Code0 = 0, t4Other1Code1 = 0, t4Other2 = 0, t4Other3 = 0,
           t4Box42 = 0, t4Other4 = 0, t4Box44 = 0, t4Box46 = 0, t4Other5 = 0, t4Box52 = 0, t4Box55 = 0,
           t4Box55EiExempt = 0, t4Box17 = 0, t4Box26 = 0, t4Box26Qpp = 0, t4Box26Cpp = 0;
    // Security options deduction under 110(1)(d.1) (box 41), beside box 39's.
    double t4Box41 = 0;
    bool t4CppExemptSeen = false, t4QppExemptSeen = false, t4AllEiExempt = true;
    // Second QPP contributions (box 17A); EI insurable earnings slip by slip
    // (box 24, or box 14 when box 24 is blank and the slip is not EI-exempt)
    // and the part of them on slips with PPIP premiums (box 55), whose EI was
    // withheld at the Quebec rate.
    double t4Box17A = 0, t4EiInsurable = 0, t4EiInsurableQuebec = 0;
    double t4Other6 = 0, t4QuebecEarningsWith6 = 0, t4Box66 = 0, t4Box67 = 0, t4Box71 = 0, t4Other7 = 0,
           t4Box85 = 0, t4Box85Marked = 0, t4Box87 = 0, t4Box88 = 0, t4RetiringTaxedNoBox14 = 0,
           t4FishingBox14Taxed = 0;
    bool t4HasFishing = false;

    // T5 (recipient's shares)
    double t5Box10 = 0, t5Box11 = 0, t5Box12 = 0, t5Interest = 0, t5InterestPart1 = 0, t5InterestPart2 = 0,
           t5InterestPart3 = 0, t5InterestPart4 = 0, t5Box14 = 0, t5Box15 = 0, t5Box16 = 0, t5Box17Marked = 0,
           t5Box17Unmarked = 0, t5Box18 = 0, t5Box19Pension = 0, t5Box19Other = 0, t5Box24 = 0, t5Box25 = 0,
           t5Box26 = 0;

    // T4E
    double t4eBox7 = 0, t4eBox14NetOfBox18 = 0, t4eBox14NetOfBox18Quebec = 0, t4eBox15 = 0, t4eBox17 = 0,
           t4eBox18 = 0, t4eBox20 = 0, t4eBox21 = 0, t4eBox22 = 0, t4eBox23 = 0, t4eOther1 = 0, t4eBox30 = 0,
           t4eOther2 = 0, t4eBox33 = 0, t4eOther3 = 0, t4eBox37 = 0, t4eBox14Taxed = 0, t4eBox18IndianAct = 0;
    // Regular benefits (box 15) of the T4Es that show a repayment rate (box 7).
    double t4eRepayable = 0;

    // T4RSP
    double t4rspBox16Marked = 0, t4rspBox16Unmarked = 0, t4rspBox18 = 0, t4rspBox20 = 0, t4rspBox22 = 0,
           t4rspBox25 = 0, t4rspBox26 = 0, t4rspBox27 = 0, t4rspBox28Income = 0, t4rspBox28Deduction = 0,
           t4rspBox30 = 0, t4rspBox34 = 0, t4rspSpousalPlanAmounts = 0;

    // T4A(OAS)
    double oasBox18 = 0, oasBox19 = 0, oasBox20 = 0, oasBox21 = 0, oasBox22 = 0, oasBox23 = 0;

    // T4A(P)
    double t4apBox14 = 0;
    bool t4apBox14MarkSeen = false;
    double t4apBox15 = 0, t4apBox16 = 0, t4apBox17 = 0, t4apBox18 = 0, t4apBox19 = 0, t4apBox20LessBox18 = 0,
           t4apMaxBox21 = 0, t4apMaxBox21Unmarked = 0, t4apBox22 = 0, t4apOther1 = 0, t4apBox20WithOther1 = 0,
           t4apBox20IndianAct = 0, t4apMaxBox23 = 0, t4apMaxBox23Unmarked = 0, t4apBox18Added = 0;

    // T4A
    double t4aBox16 = 0, t4aBox18 = 0, t4aBox20 = 0, t4aBox22 = 0, t4aBox24Pension = 0, t4aBox24Other = 0,
           t4aBox24Marked = 0, t4aBox28KindB = 0, t4aBox28KindA = 0, t4aOther1 = 0, t4aOther2 = 0,
           t4aBox104Net = 0, t4aOther3 = 0, t4aBox30Unmarked = 0, t4aBox34 = 0, t4aBox32Second = 0, t4aBox40 = 0,
           t4aBox42 = 0, t4aBox46 = 0, t4aTaxedIncome = 0, t4aBox124Code0 = 0, t4aBox124Code1 = 0, t4aBox48 = 0,
           t4aBox105Code2 = 0, t4aBox105Code1 = 0, t4aBox105Code0 = 0, t4aBox105Taxable = 0, t4aBox106 = 0,
           t4aBox107 = 0, t4aBox109 = 0, t4aOther4 = 0, t4aBox118 = 0, t4aBox119 = 0, t4aOther5 = 0, t4aBox125 = 0,
           t4aBox127 = 0, t4aBox128 = 0, t4aOther6 = 0, t4aOther7 = 0, t4aBox131 = 0, t4aOther8 = 0,
           t4aBox133Pension = 0, t4aBox133Other = 0, t4aOther9 = 0, t4aBox135 = 0, t4aBox135Marked = 0,
           t4aOther10 = 0, t4aOther11 = 0, t4aOther12 = 0, t4aOther13 = 0, t4aOther14 = 0, t4aBox194Pension = 0,
           t4aBox194Other = 0, t4aBox197 = 0, t4aBox198 = 0, t4aBox199 = 0, t4aBox200 = 0, t4aBox201 = 0,
           t4aBox202 = 0, t4aBox203 = 0, t4aBox204 = 0, t4aBox205 = 0, t4aBox210 = 0, t4aBox211 = 0,
           t4aBox197And203IndianAct = 0;

    // T2202
    double t2202PartTimeMonths = 0, t2202FullTimeMonths = 0, t2202FeesWithPartTime = 0, t2202FeesOther = 0;

    // T5003 and T5007
    double t5003Amount = 0, t5007Box10 = 0, t5007Box10IndianAct = 0, t5007Box11 = 0, t5007ManitobaMinRatio = 1.0;
    bool t5007ManitobaBox11 = false;

    // T5013 (scaled by the box 5 share)
    double t5013Share01 = 0, t5013Share02 = 0, t5013Share03 = 0, t5013Share04 = 0, t5013Share05 = 0,
           t5013Share06 = 0, t5013Share07 = 0, t5013Share08 = 0, t5013Share09 = 0, t5013Share10 = 0,
           t5013Share11 = 0, t5013Share12 = 0, t5013Share13 = 0, t5013Share14 = 0, t5013Share15Unmarked = 0,
           t5013Share15Marked = 0, t5013Share16 = 0, t5013Share17 = 0, t5013Share18 = 0, t5013Share19 = 0,
           t5013Share20 = 0, t5013Share21 = 0, t5013Share22 = 0, t5013Share23 = 0, t5013Share24 = 0,
           t5013Share25 = 0;

    // T4RIF
    double t4rifBox16Pension = 0, t4rifBox16Other = 0, t4rifBox18 = 0, t4rifBox20Pension = 0, t4rifBox20Other = 0,
           t4rifBox24Pension = 0, t4rifBox24Other = 0, t4rifBox24Negative = 0, t4rifBox22 = 0, t4rifBox28 = 0,
           t4rifOther1 = 0, t4rifBox16WithOther1 = 0, t4rifTaxedOther = 0;

    // T4PS, T5006, T4A-RCA, T1204, shelter assistance, PRPP
    double t4psAmount01 = 0, t4psAmount02 = 0, t4psAmount03 = 0, t4psAmount04 = 0, t4psAmount05 = 0,
           t4psAmount06 = 0, t4psAmount07 = 0, t4psAmount08 = 0, t4psAmount09 = 0, t4psAmount10 = 0,
           t4psAmount11 = 0, t4psAmount12 = 0, t4psAmount13 = 0;
    double t5006Net1 = 0, t5006Net2 = 0, t5006Amount5 = 0;
    double t4arcaAmount1 = 0, t4arcaAmount2 = 0, t4arcaAmount3 = 0, t4arcaAmount4 = 0, t4arcaAmount5 = 0,
           t4arcaAmount6 = 0, t4arcaAmount7 = 0;
    double t1204Box82 = 0, t1204Box84 = 0;
    int t1204Count = 0;
    double mbShelterAmount = 0;
    double prppEmployeeCurrentYear = 0, prppEmployeePriorYear = 0, prppExemptIncomeCurrentYear = 0,
           prppExemptIncomePriorYear = 0, prppEmployer = 0;

    // Shared, NR4 and T4FHSA
    double pensionTaxDeducted = 0;
    double nr4Amount1 = 0, nr4Amount2 = 0, nr4Amount3 = 0, nr4Amount4 = 0;
    double fhsaBox18 = 0, fhsaBox20 = 0, fhsaBox22 = 0, fhsaBox24 = 0, fhsaBox26 = 0, fhsaBox28 = 0,
           fhsaBox30 = 0, fhsaBox32 = 0, fhsaBox34 = 0, fhsaBox36 = 0, fhsaBox38 = 0;
};
