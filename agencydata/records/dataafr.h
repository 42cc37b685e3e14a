#pragma once

#include "companion/forms/cwsbasedata.h"
#include "companion/forms/fields.h"

// What one apply of an Auto-fill record may bring into the return: every
// tax data element (fill option 0), or only the ticked ones among eighteen
// slip kinds and five groups of amounts (fill option 1). The options page
// binds its widgets "fld_" + field name to these fields; the apply asks the
// predicates. The record lives for one run of the Auto-fill wizard.
//
// The fill option starts at -1, nothing chosen: until the options page sets
// it, every predicate refuses, whatever is ticked.
class DataAFR : public CWSBaseData
{
public:
    static constexpr int kAllElements = 0;
    static constexpr int kTickedElements = 1;
    static constexpr int kNotChosen = -1;

    DataAFR() = default;
    DataAFR(const DataAFR&) = delete;
    DataAFR& operator=(const DataAFR&) = delete;

    CIntField fld_iFillOption{this, 1, "iFillOption", "", "Fill option", fld::Start(kNotChosen)};
    CBoolField fld_bT4{this, 2, "bT4", "", "T4"};
    CBoolField fld_bT4A{this, 3, "bT4A", "", "T4A"};
    CBoolField fld_bT4AOAS{this, 4, "bT4AOAS", "", "T4A(OAS)"};
    CBoolField fld_bT4AP{this, 5, "bT4AP", "", "T4A(P)"};
    CBoolField fld_bT4E{this, 6, "bT4E", "", "T4E"};
    CBoolField fld_bT4FHSA{this, 7, "bT4FHSA", "", "T4FHSA"};
    CBoolField fld_bT4RIF{this, 8, "bT4RIF", "", "T4RIF"};
    CBoolField fld_bT1204{this, 9, "bT1204", "", "T1204"};
    CBoolField fld_bT3{this, 10, "bT3", "", "T3"};
    CBoolField fld_bT5{this, 11, "bT5", "", "T5"};
    CBoolField fld_bPRPP{this, 12, "bPRPP", "", "PRPP tax slip"};
    CBoolField fld_bRC62{this, 13, "bRC62", "", "RC62"};
    CBoolField fld_bRC210{this, 14, "bRC210", "", "RC210"};
    CBoolField fld_bT5007{this, 15, "bT5007", "", "T5007"};
    CBoolField fld_bT5008{this, 16, "bT5008", "", "T5008"};
    CBoolField fld_bTuition{this, 17, "bTuition", "", "Fed./Prov. Tuition Carryover amount"};
    CBoolField fld_bT2202{this, 18, "bT2202", "", "T2202"};
    CBoolField fld_bMBSB{this, 19, "bMBSB", "", "Manitoba shelter benefit slip"};
    CBoolField fld_bInstalment{this, 20, "bInstalment", "", "Tax instalment from CRA records"};
    CBoolField fld_bRRSPLimit{this, 21, "bRRSPLimit", "", "RRSP Deduction Limit and Unused RRSP from CRA records"};
    CBoolField fld_bT4RSP{this, 22, "bT4RSP", "", "T4RSP slip"};
    CBoolField fld_bRRSPContribution{this, 23, "bRRSPContribution", "", "RRSP Contribution Receipt"};
    CBoolField fld_bHBPLLP{this, 24, "bHBPLLP", "", "HBP/LLP required repayment from CRA records"};

    int Calculate() override { return 0; }

    // The agency slip types (as the Auto-fill record numbers them) that have
    // a box of their own, with the box; type 19 is the T5008, whose rows go
    // to Schedule 3. Null for a type without a box (T5013, the RRSP receipt
    // and any other number).
    const CBoolField* tickFor(int slipType) const
    {
        switch (slipType) {
        case 1: return &fld_bT4;
        case 2: return &fld_bT4A;
        case 3: return &fld_bT4AP;
        case 4: return &fld_bT4RSP;
        case 5: return &fld_bT4E;
        case 6: return &fld_bT4AOAS;
        case 7: return &fld_bT4RIF;
        case 8: return &fld_bT5;
        case 9: return &fld_bT3;
        case 11: return &fld_bT5007;
        case 17: return &fld_bRC62;
        case 18: return &fld_bRC210;
        case 19: return &fld_bT5008;
        case 21: return &fld_bMBSB;
        case 22: return &fld_bPRPP;
        case 23: return &fld_bT1204;
        case 25: return &fld_bT2202;
        case 26: return &fld_bT4FHSA;
        default: return nullptr;
        }
    }

    // Each is true under fill option 0, under option 1 when its item is
    // ticked, and never while no option is chosen.
    bool allowApplySlip(int slipType) const { return allows(tickFor(slipType)); }
    bool allowTuition() const { return allows(&fld_bTuition); }
    bool allowInstalment() const { return allows(&fld_bInstalment); }
    bool allowRRSPLimit() const { return allows(&fld_bRRSPLimit); }
    bool allowRRSPContribution() const { return allows(&fld_bRRSPContribution); }
    bool allowHBPLLP() const { return allows(&fld_bHBPLLP); }

    // Only 0 and 1 are choices; the options page refuses anything else.
    bool hasValidFillOption() const { return unsigned(fld_iFillOption.m_value) <= unsigned(kTickedElements); }

private:
    bool allows(const CBoolField* box) const
    {
        if (fld_iFillOption.m_value == kAllElements)
            return true;
        return fld_iFillOption.m_value == kTickedElements && box && box->m_value != 0;
    }
};
