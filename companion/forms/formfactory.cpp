#include "companion/forms/formfactory.h"

#include <algorithm>

#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/federal/mirroring.h"
#include "companion/forms/federal/others.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/schedules/taxdata_sch11.h"
#include "companion/forms/schedules/taxdata_sch12.h"
#include "companion/forms/schedules/taxdata_sch13_15.h"
#include "companion/forms/schedules/taxdata_sch2.h"
#include "companion/forms/schedules/taxdata_sch3.h"
#include "companion/forms/schedules/taxdata_sch5.h"
#include "companion/forms/schedules/taxdata_sch6.h"
#include "companion/forms/schedules/taxdata_sch7.h"
#include "companion/forms/schedules/taxdata_sch8.h"
#include "companion/forms/schedules/taxdata_sch9.h"
#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/slips/slips_investment.h"
#include "companion/forms/slips/slips_other.h"
#include "companion/forms/t1/taxdata_t1ksnew.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/forms/wizard/interviewdata.h"
#include "companion/forms/wizard/taxnote.h"

namespace {

// A class with one type number.
template <class T>
CTaxData_Form* make(int) { return new T; }

// A class made for several numbers, told apart by the number it is given.
template <class T>
CTaxData_Form* makeTyped(int type) { return new T(type); }

#define ROW(type, cls) {type, #cls, &make<cls>}
#define TYPED_ROW(type, cls) {type, #cls, &makeTyped<cls>}

const std::vector<CFormFactory::Row> kForms = {
    ROW(FORM_T1, TaxData_T1New),
    TYPED_ROW(FORM_SCH1, TaxData_UnusedForm),
    ROW(FORM_SCH2, TaxData_Sch2),
    ROW(FORM_SCH3, TaxData_Sch3),
    TYPED_ROW(FORM_SCH4, TaxData_UnusedForm),
    ROW(FORM_SCH5, TaxData_Sch5),
    ROW(FORM_SCH7, TaxData_Sch7),
    ROW(FORM_SCH8_OLD, TaxData_Sch8),
    ROW(FORM_SCH9, TaxData_Sch9),
    ROW(FORM_SCH11, TaxData_Sch11),
    ROW(FORM_T776, TaxData_T776New),
    ROW(FORM_T778, TaxData_T778New),
    ROW(FORM_T929, TaxData_T929New),
    ROW(FORM_T1163, TaxData_T1163New),
    ROW(FORM_T1172, TaxData_T1172New),
    ROW(FORM_T1212, TaxData_T1212New),
    ROW(FORM_T2038, TaxData_T2038New),
    ROW(FORM_T2042, TaxData_T2042New),
    ROW(FORM_T2204, TaxData_T2204_New),
    ROW(FORM_GST370, CTaxData_GST370),
    ROW(FORM_T1206, TaxData_T1206New),
    ROW(FORM_T626, TaxData_T626_New),
    ROW(FORM_T691, TaxData_T691New),
    ROW(FORM_T936, TaxData_T936New),
    ROW(FORM_T2209, TaxData_T2209_2036),
    ROW(FORM_T2017, TaxData_T2017New),
    ROW(FORM_T5013, CTaxData_T5013),
    ROW(FORM_T1A, TaxData_T1ANew),
    ROW(FORM_T657, TaxData_T657New),
    ROW(FORM_T2222, CTaxData_T2222),
    ROW(FORM_T2121, TaxData_T2121New),
    ROW(FORM_T1DD, CTaxData_T1DD),
    ROW(FORM_RC71, CTaxData_RC71),
    ROW(FORM_T5004, TaxData_T5004),
    ROW(FORM_CPT20, TaxData_CPT20_New),
    ROW(FORM_T777, TaxData_T777New),
    ROW(FORM_T1219, CTaxData_T1219),
    ROW(FORM_TL2, TaxData_TL2_New),
    TYPED_ROW(FORM_T1KS, TaxData_T1KSNew),
    ROW(FORM_T183, TaxData_T183New),
    ROW(FORM_T1153, CTaxData_T1153),
    ROW(FORM_T1135, TaxData_T1135New),
    ROW(FORM_T1M, TaxData_T1MNew),
    ROW(FORM_T1223, CTaxData_T1223),
    ROW(FORM_T746, TaxData_T746New),
    ROW(FORM_T1229, CTaxData_T1229),
    ROW(FORM_T1170, TaxData_T1170),
    ROW(FORM_T1ADJ, CTaxData_T1ADJ),
    ROW(FORM_T1013, TaxData_T1013New),
    ROW(FORM_T1032, TaxData_T1032_New),
    ROW(FORM_SCH6, TaxData_Sch6),
    ROW(FORM_T2205, CTaxData_T2205),
    TYPED_ROW(FORM_T2125, TaxData_T2125_New),
    TYPED_ROW(FORM_T2125_COMMISSION, TaxData_T2125_New),
    ROW(FORM_SCH12_MULTIGEN, TaxData_Sch12_MultigHomeReno),
    ROW(FORM_RC267, TaxData_RC267New),
    ROW(FORM_RC268, TaxData_RC268New),
    ROW(FORM_RC269, TaxData_RC269),
    ROW(FORM_SCH13, TaxData_Sch13),
    ROW(FORM_RC359, TaxData_RC359),
    TYPED_ROW(FORM_T2091, TaxData_T2091),
    ROW(FORM_RC381, TaxData_RC381),
    ROW(FORM_RC383, TaxData_RC383),
    ROW(FORM_SCH8, TaxData_Sch8_14),
    TYPED_ROW(FORM_SCH1A, TaxData_UnusedForm),
    ROW(FORM_SCH12_2016, TaxData_Sch12_2016),
    TYPED_ROW(FORM_T1KS_REFILE, TaxData_T1KSNew),
    TYPED_ROW(FORM_T1255, TaxData_T2091),
    TYPED_ROW(FORM_T1KS_PRIOR, TaxData_T1KSNew),
    TYPED_ROW(FORM_SCH14, TaxData_UnusedForm),
    ROW(FORM_T90, TaxData_T90),
    ROW(FORM_T224, TaxData_T224),
    ROW(FORM_T225, TaxData_T225),
    ROW(FORM_T777S, TaxData_T777Covid19),
    ROW(FORM_T185, TaxData_T185),
    ROW(FORM_RC59, TaxData_RC59_e),
    ROW(FORM_RC59X, TaxData_RC59X_e),
    ROW(FORM_T1044, TaxData_T1044),
    ROW(FORM_T2043, TaxData_T2043),
    ROW(FORM_T1B, TaxData_T1B),
    ROW(FORM_T2039, TaxData_T2039),
    ROW(FORM_SCH15, TaxData_Sch15),
    ROW(FORM_T1248_SCHD, TaxData_T1248SchD),
    ROW(FORM_INSTALMENT_CALC, TaxData_InstalmentCalc),
    ROW(FORM_WS_D1, TaxData_WS_D1),
};

const std::vector<CFormFactory::Row> kSlips = {
    ROW(SLIP_T4, TaxData_Slip_T4),
    ROW(SLIP_T4A, TaxData_Slip_T4A),
    ROW(SLIP_T4AP, TaxData_Slip_T4AP),
    ROW(SLIP_T4RSP, TaxData_Slip_T4RSP),
    ROW(SLIP_T4E, TaxData_Slip_T4E),
    ROW(SLIP_T4AOAS, CSlipData_T4AOAS),
    ROW(SLIP_T4RIF, TaxData_Slip_T4RIF),
    ROW(SLIP_T5, TaxData_Slip_T5),
    ROW(SLIP_T3, TaxData_Slip_T3),
    ROW(SLIP_T5003, CSlipData_T5003),
    ROW(SLIP_T5007, CSlipData_T5007),
    ROW(SLIP_T5013, TaxData_Slip_T5013),
    ROW(SLIP_T4PS, TaxData_Slip_T4PS),
    ROW(SLIP_T4ARCA, TaxData_Slip_T4ARCA),
    ROW(SLIP_T5006, TaxData_Slip_T5006),
    ROW(SLIP_RC62, TaxData_Slip_RC62),
    ROW(SLIP_RC210, TaxData_Slip_RC210),
    ROW(SLIP_MB_SHELTER, TaxData_Slip_MBShelterAssist),
    ROW(SLIP_PRPP, TaxData_Slip_PRPP),
    ROW(SLIP_T1204, TaxData_Slip_T1204),
    ROW(SLIP_NR4, TaxData_Slip_NR4),
    ROW(SLIP_T2202, TaxData_Slip_T2202),
    ROW(SLIP_T4FHSA, TaxData_Slip_T4FHSA),
};

// Kind 6 (provincial) is made by the province's plug-in.
const std::vector<CFormFactory::Row> kWizards = {
    ROW(1, TaxData_Wizard_General),
    ROW(2, TaxData_LastYearAmounts),
    ROW(3, CWizData_Dependant),
    ROW(4, CWizData_MedExp),
    ROW(5, TaxData_RRSPContrib),
};

const std::vector<CFormFactory::Row> kNotes = {
    ROW(1, TaxData_TaxNote),
};

#undef ROW
#undef TYPED_ROW

CTaxData_Form* makeFrom(const std::vector<CFormFactory::Row>& table, int type)
{
    auto it = std::lower_bound(table.begin(), table.end(), type,
                               [](const CFormFactory::Row& row, int t) { return row.type < t; });
    return it != table.end() && it->type == type ? it->make(type) : nullptr;
}

}  // namespace

const std::vector<CFormFactory::Row>& CFormFactory::formRows() { return kForms; }
const std::vector<CFormFactory::Row>& CFormFactory::slipRows() { return kSlips; }
const std::vector<CFormFactory::Row>& CFormFactory::wizardRows() { return kWizards; }
const std::vector<CFormFactory::Row>& CFormFactory::noteRows() { return kNotes; }

const std::vector<CFormFactory::Row>& CFormFactory::rows(ENUMTYPE_FROM kind)
{
    static const std::vector<Row> none;
    switch (kind) {
    case FROM_FORM: return kForms;
    case FROM_SLIP: return kSlips;
    case FROM_TAXWIZARD: return kWizards;
    case FROM_NOTE: return kNotes;
    }
    return none;
}

CTaxData_Form* CFormFactory::create(ENUMTYPE_FROM kind, int type) { return makeFrom(rows(kind), type); }
CTaxData_Form* CFormFactory::AllocFedFormData(ENUMTYPE_FORM type) { return makeFrom(kForms, type); }
CTaxData_Form* CFormFactory::AllocSlipData(ENUMTYPE_SLIP type) { return makeFrom(kSlips, type); }
CTaxData_Form* CFormFactory::NewWizData(ENUMTYPE_TAXWIZARD type) { return makeFrom(kWizards, type); }
CTaxData_Form* CFormFactory::AllocNoteData() { return makeFrom(kNotes, 1); }
