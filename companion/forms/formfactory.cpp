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
    ROW(1, TaxData_T1New),
    TYPED_ROW(2, TaxData_UnusedForm),
    ROW(3, TaxData_Sch2),
    ROW(4, TaxData_Sch3),
    TYPED_ROW(5, TaxData_UnusedForm),
    ROW(6, TaxData_Sch5),
    ROW(7, TaxData_Sch7),
    ROW(8, TaxData_Sch8),
    ROW(9, TaxData_Sch9),
    ROW(11, TaxData_Sch11),
    ROW(12, TaxData_T776New),
    ROW(13, TaxData_T778New),
    ROW(14, TaxData_T929New),
    ROW(15, TaxData_T1163New),
    ROW(17, TaxData_T1172New),
    ROW(18, TaxData_T1212New),
    ROW(20, TaxData_T2038New),
    ROW(21, TaxData_T2042New),
    ROW(23, TaxData_T2204_New),
    ROW(28, CTaxData_GST370),
    ROW(29, TaxData_T1206New),
    ROW(30, TaxData_T626_New),
    ROW(31, TaxData_T691New),
    ROW(32, TaxData_T936New),
    ROW(35, TaxData_T2209_2036),
    ROW(37, TaxData_T2017New),
    ROW(38, CTaxData_T5013),
    ROW(39, TaxData_T1ANew),
    ROW(40, TaxData_T657New),
    ROW(49, CTaxData_T2222),
    ROW(51, TaxData_T2121New),
    ROW(52, CTaxData_T1DD),
    ROW(53, CTaxData_RC71),
    ROW(55, TaxData_T5004),
    ROW(57, TaxData_CPT20_New),
    ROW(59, TaxData_T777New),
    ROW(89, CTaxData_T1219),
    ROW(92, TaxData_TL2_New),
    TYPED_ROW(93, TaxData_T1KSNew),
    ROW(96, TaxData_T183New),
    ROW(97, CTaxData_T1153),
    ROW(101, TaxData_T1135New),
    ROW(102, TaxData_T1MNew),
    ROW(103, CTaxData_T1223),
    ROW(105, TaxData_T746New),
    ROW(107, CTaxData_T1229),
    ROW(113, TaxData_T1170),
    ROW(116, CTaxData_T1ADJ),
    ROW(117, TaxData_T1013New),
    ROW(118, TaxData_T1032_New),
    ROW(119, TaxData_Sch6),
    ROW(124, CTaxData_T2205),
    TYPED_ROW(125, TaxData_T2125_New),
    TYPED_ROW(131, TaxData_T2125_New),
    ROW(133, TaxData_Sch12_MultigHomeReno),
    ROW(136, TaxData_RC267New),
    ROW(137, TaxData_RC268New),
    ROW(138, TaxData_RC269),
    ROW(139, TaxData_Sch13),
    ROW(145, TaxData_RC359),
    TYPED_ROW(147, TaxData_T2091),
    ROW(148, TaxData_RC381),
    ROW(149, TaxData_RC383),
    ROW(150, TaxData_Sch8_14),
    TYPED_ROW(151, TaxData_UnusedForm),
    ROW(157, TaxData_Sch12_2016),
    TYPED_ROW(159, TaxData_T1KSNew),
    TYPED_ROW(160, TaxData_T2091),
    TYPED_ROW(165, TaxData_T1KSNew),
    TYPED_ROW(166, TaxData_UnusedForm),
    ROW(171, TaxData_T90),
    ROW(173, TaxData_T224),
    ROW(174, TaxData_T225),
    ROW(179, TaxData_T777Covid19),
    ROW(181, TaxData_T185),
    ROW(184, TaxData_RC59_e),
    ROW(185, TaxData_RC59X_e),
    ROW(186, TaxData_T1044),
    ROW(193, TaxData_T2043),
    ROW(198, TaxData_T1B),
    ROW(199, TaxData_T2039),
    ROW(205, TaxData_Sch15),
    ROW(207, TaxData_T1248SchD),
    ROW(209, TaxData_InstalmentCalc),
    ROW(210, TaxData_WS_D1),
};

const std::vector<CFormFactory::Row> kSlips = {
    ROW(1, TaxData_Slip_T4),
    ROW(2, TaxData_Slip_T4A),
    ROW(3, TaxData_Slip_T4AP),
    ROW(4, TaxData_Slip_T4RSP),
    ROW(5, TaxData_Slip_T4E),
    ROW(6, CSlipData_T4AOAS),
    ROW(7, TaxData_Slip_T4RIF),
    ROW(8, TaxData_Slip_T5),
    ROW(9, TaxData_Slip_T3),
    ROW(10, CSlipData_T5003),
    ROW(11, CSlipData_T5007),
    ROW(13, TaxData_Slip_T5013),
    ROW(14, TaxData_Slip_T4PS),
    ROW(15, TaxData_Slip_T4ARCA),
    ROW(16, TaxData_Slip_T5006),
    ROW(17, TaxData_Slip_RC62),
    ROW(18, TaxData_Slip_RC210),
    ROW(21, TaxData_Slip_MBShelterAssist),
    ROW(22, TaxData_Slip_PRPP),
    ROW(23, TaxData_Slip_T1204),
    ROW(24, TaxData_Slip_NR4),
    ROW(25, TaxData_Slip_T2202),
    ROW(26, TaxData_Slip_T4FHSA),
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
