#include "filing/direradfreeformat.h"

#include <cmath>
#include <iterator>

#include "companion/core/xmlwrite.h"
#include "companion/forms/catalogue.h"
#include "companion/forms/federal/others.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/schedules/taxdata_sch6.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/money.h"
#include "model/individualtaxdata.h"

using taxrules::isPositiveAmount;
using taxrules::isPresentAmount;

namespace {

// Forms whose figures reach the return through other forms or lines.
bool isSkippedByFormWalk(int type)
{
    return type == FORM_T2032 || type == FORM_T2124 || type == FORM_T2124_COMMISSION || type == FORM_T1273
           || IsSFDForm(ENUMTYPE_FORM(type));
}

template <int N>
bool anyWritten(const DireradFreeFormatMap& data, const int (&lines)[N])
{
    return CheckIfEntryInMap(data, lines, N);
}

// A self-employment kind's gross and net lines, sent even at zero.
struct SelfEmploymentPair
{
    bool (IndividualTaxData::*has)() const;
    CFloatField TaxData_T1New::*gross;
    CFloatField TaxData_T1New::*net;
    int grossLine;
    int netLine;
};

const SelfEmploymentPair kSelfEmploymentPairs[] = {
    {&IndividualTaxData::HaveRentalIncome, &TaxData_T1New::line12599GrossRental, &TaxData_T1New::line12600NetRental, 12599, 12600},
    {&IndividualTaxData::HaveBusinessIncome, &TaxData_T1New::line13499BusinessGross, &TaxData_T1New::line13500BusinessNet, 13499, 13500},
    {&IndividualTaxData::HaveFishIncome, &TaxData_T1New::line14299FishingGross, &TaxData_T1New::line14300FishingNet, 14299, 14300},
    {&IndividualTaxData::HaveFarmIncome, &TaxData_T1New::line14099FarmingGross, &TaxData_T1New::line14100FarmingNet, 14099, 14100},
    {&IndividualTaxData::HaveCommissionIncome, &TaxData_T1New::line13899CommissionGross, &TaxData_T1New::line13900CommissionNet, 13899, 13900},
    {&IndividualTaxData::HaveProfessionalIncome, &TaxData_T1New::line13699ProfessionalGross, &TaxData_T1New::line13700ProfessionalNet, 13699, 13700},
};

// Any of these written means the return reports income.
const int kIncomeLines[] = {10100, 10400, 11300, 11400, 11500, 11600, 11700, 11900, 12000, 12100, 12200, 12500,
                            12600, 12700, 12800, 12900, 13000, 13010, 13500, 13700, 13900, 14100, 14300, 14700};
// Lines that make a single person's line 55220 necessary.
const int kSingleIndicatorLines[] = {30300, 52300, 52630, 52670, 53680, 55370, 55380,
                                     58120, 60900, 61580, 61880, 61970, 9918};

const TaxData_Sch6* schedule6Of(IndividualTaxData& person)
{
    return qobject_cast<const TaxData_Sch6*>(person.GetFormData(FORM_SCH6, false));
}

// The return's extra lines, after every form's own (rules 1 to 14).
void writeReturnRules(IndividualTaxData& person, const TaxData_T1New& t1, unsigned char mode,
                      DireradGenObjParamStru& param)
{
    const DireradFreeFormatMap& data = *param.data;

    // 1. Self-employed pension contributions without the schedule that
    //    details them: the agency is told to work them out.
    if ((isPositiveAmount(t1.line22200CppSelfEmployed.m_value) || isPositiveAmount(t1.line31000CppSelfEmployed.m_value))
        && !person.HasForm(FORM_RC381) && !person.HasForm(FORM_SCH8)) {
        DIRERAD_DOLLAR_VALUE_Func(50340, 1, param);
        DIRERAD_DOLLAR_VALUE_Func(50339, 1, param);
    }

    // 2. Gross and net of each kind of self-employment the return has.
    for (const SelfEmploymentPair& pair : kSelfEmploymentPairs) {
        if (!(person.*pair.has)())
            continue;
        DIRERAD_DOLLAR_FIELD_IFZEROTHENONE_Func(pair.grossLine, t1.*pair.gross, param);
        DIRERAD_DOLLAR_FIELD_IFZEROTHENONE_Func(pair.netLine, t1.*pair.net, param);
    }

    // 3. No income at all.
    if (!isPresentAmount(t1.line15000TotalIncome.m_value) && !anyWritten(data, kIncomeLines))
        DIRERAD_NUMERIC_VALUE_Func(9915, 1, param);

    // 4. and 5. Indicators by whether there is a spouse.
    bool wrote55220 = false;
    if (t1.HasSpouse()) {
        static const int kDependantLines[] = {30400, 58160};
        if (anyWritten(data, kDependantLines))
            DIRERAD_NUMERIC_VALUE_Func(55290, 1, param);
    } else {
        if (t1.SelfEmployedSpouseDeadline.m_value != 0 || anyWritten(data, kSingleIndicatorLines))
            wrote55220 = DIRERAD_NUMERIC_VALUE_Func(55220, 1, param) > 0;
        static const int kTransferLines[] = {32600, 58640, 68020};
        if (anyWritten(data, kTransferLines))
            DIRERAD_NUMERIC_VALUE_Func(57730, 1, param);
    }

    // 6. Taxable capital gains not written by a form.
    static const int kCapitalGainsLine[] = {12700};
    if (isPresentAmount(t1.line12700TaxableCapitalGains.m_value) && !anyWritten(data, kCapitalGainsLine))
        DIRERAD_DOLLAR_FIELD_IFZEROTHENONE_Func(12700, t1.line12700TaxableCapitalGains, param);

    // 7. A widowed person claiming the workers benefit's basic amount.
    const TaxData_Sch6* sch6 = schedule6Of(person);
    if (!wrote55220 && sch6 && sch6->isInDirerad() && t1.MaritalStatus.m_value == 2 && sch6->CwbAnswer.m_value == 0)
        DIRERAD_NUMERIC_VALUE_Func(55220, 1, param);

    // 8. Line 55320, called for by the workers benefit or its disability
    //    supplement.
    if (isPresentAmount(t1.line45300WorkersBenefit.m_value)) {
        if (t1.line55320Flag.m_value != 0 && sch6 && sch6->SpouseIndicator.m_value != 0)
            DIRERAD_DOLLAR_VALUE_Func(55320, 1, param);
        else
            DIRERAD_DOLLAR_VALUE_Func(55320, t1.line55320Amount.m_value, param);
    } else if (isPresentAmount(t1.Sch6Result2.m_value)) {
        DIRERAD_DOLLAR_VALUE_Func(55320, t1.line55320Amount.m_value, param);
    }

    // 9. Child care expenses claimed on the T778.
    if (person.HasForm(FORM_T778) && isPositiveAmount(t1.line21400ChildCare.m_value))
        DIRERAD_DOLLAR_VALUE_Func(55300, person.CalculateF5530ForT778(), param);

    // 10. to 12. Supporting fields, unless the form that details them is in
    //     the return (its own writer sends them then).
    if (!person.HasForm(FORM_T5004))
        DIRERAD_DOLLAR_VALUE_Func(67650, t1.support67650.m_value, param);
    if (!person.HasForm(FORM_T691)) {
        DIRERAD_DOLLAR_VALUE_Func(67830, t1.support67830.m_value, param);
        const bool needs67820 = t1.RentalCount.m_value > 0.99999999
                                || isPositiveAmount(t1.line22100CarryingCharges.m_value)
                                || isPositiveAmount(t1.line23200OtherDeductions.m_value)
                                || isPositiveAmount(t1.line12200PartnershipIncome.m_value)
                                || isPositiveAmount(t1.line22400ExplorationExpenses.m_value);
        if (needs67820) {
            DIRERAD_DOLLAR_VALUE_IFZEROTHENONE_Func(67820, t1.support67820.m_value, param);
        } else {
            DIRERAD_DOLLAR_VALUE_Func(67820, t1.support67820.m_value, param);
            DIRERAD_DOLLAR_VALUE_Func(67860, t1.support67860.m_value, param);
        }
        DIRERAD_DOLLAR_VALUE_Func(67840, t1.support67840.m_value, param);
        DIRERAD_DOLLAR_VALUE_Func(67890, t1.support67890.m_value, param);
    }
    if (!person.HasForm(FORM_T936)) {
        DIRERAD_DOLLAR_VALUE_Func(68080, t1.support68080.m_value, param);
        DIRERAD_DOLLAR_VALUE_Func(68100, t1.support68100.m_value, param);
        DIRERAD_DOLLAR_VALUE_Func(68110, t1.support68110.m_value, param);
        if (isPositiveAmount(t1.support5365.m_value))
            DIRERAD_DOLLAR_VALUE_Func(5365, t1.support5365.m_value, param);
    }

    // 13. A restricted farm loss goes as a positive whole-dollar amount.
    if (person.HaveFarmIncome() && t1.RestrictedFarmFlag.m_value != 0 && t1.line54950FarmingLoss.m_value < 0)
        DIRERAD_DOLLAR_VALUE_Func(54950, -std::trunc(t1.line54950FarmingLoss.m_value), param);

    // 14. EFILE only: who prepared the return (3 with a discounter's RC71).
    if ((mode & 2) == 0) {
        const int preparer = person.HasForm(FORM_RC71) ? 3 : (t1.ReturnPreparationCode.m_value == 1 ? 2 : 1);
        DIRERAD_NUMERIC_VALUE_Func(49000, preparer, param);
    }
}

// One record: opening tag, the form's own writer, closing tag.
template <typename Write>
void writeRecord(DireradGenObjParamStru& param, int& records, Write write)
{
    int unusedCounter = 0;
    if (param.writesXml())
        privateWriteDirEradSFDHeader1(*param.text, param.counter ? *param.counter : unusedCounter, records);
    write();
    if (param.writesXml())
        privateWriteDirEradSFDTailer(*param.text);
    ++records;
}

// Each item of type whose object is a Class is one record.
template <typename Class>
void writeRecordsOfType(IndividualTaxData& person, ENUMTYPE_FORM type, unsigned char mode,
                        DireradGenObjParamStru& param, int& records)
{
    for (STRUCT_FORMDATA_ITEM_2004* item : person.m_formList) {
        if (item->type != type || !qobject_cast<Class*>(item->data))
            continue;
        writeRecord(param, records, [&] { item->data->WriteDireradData(mode, param); });
    }
}

} // namespace

bool CDireradGenObj::doWork(STRUCT_FORMDATA_ITEM_2004* item, void* param)
{
    ++m_counter;
    auto* p = static_cast<DireradGenObjParamStru*>(param);
    if (!item || !item->data || !p || isSkippedByFormWalk(item->type))
        return true;
    item->data->WriteDireradData(p->mode, *p);
    if (item->type == FORM_T2209)
        ++p->t2209Count;
    return true;
}

bool CheckIfEntryInMap(const DireradFreeFormatMap& data, const int* lines, int count)
{
    for (int i = 0; i < count; ++i)
        if (data.count(lines[i]))
            return true;
    return false;
}

int WriteDireradFreeFormatData(IndividualTaxData& person, unsigned char mode, DireradGenObjParamStru& param)
{
    DireradFreeFormatMap ownMap;
    if (!param.data)
        param.data = &ownMap;
    CDireradGenObj walk;
    person.EnumTaxForms(&walk, &param);
    if (const TaxData_T1New* t1 = person.GetT1())
        writeReturnRules(person, *t1, mode, param);
    const int entries = int(param.data->size());
    if (param.data == &ownMap)
        param.data = nullptr;
    return entries;
}

int countDirEradT2091Records(const IndividualTaxData& person)
{
    int records = 0;
    for (const STRUCT_FORMDATA_ITEM_2004* item : person.m_formList)
        if ((item->type == FORM_T2091 || item->type == FORM_T1255) && qobject_cast<const TaxData_T2091*>(item->data))
            ++records;
    return records;
}

int privateWriteDirEradSFD_ExceptT2091(IndividualTaxData& person, unsigned char mode, DireradGenObjParamStru& param)
{
    // The records go to a buffer first, so that the count sent is the
    // number of records that follow.
    CString records;
    CString* documentText = param.text;
    param.text = documentText ? &records : nullptr;
    int written = 0;
    writeRecordsOfType<TaxData_T2125_New>(person, FORM_T2125_COMMISSION, mode, param, written);
    writeRecordsOfType<TaxData_T2125_New>(person, FORM_T2125, mode, param, written);
    writeRecordsOfType<TaxData_T776New>(person, FORM_T776, mode, param, written);
    writeRecordsOfType<TaxData_T2121New>(person, FORM_T2121, mode, param, written);
    writeRecordsOfType<TaxData_T2042New>(person, FORM_T2042, mode, param, written);
    writeRecordsOfType<TaxData_T1163New>(person, FORM_T1163, mode, param, written);
    for (STRUCT_FORMDATA_ITEM_2004* item : person.m_formList) {
        auto* t5013 = item->type == FORM_T5013 ? qobject_cast<CTaxData_T5013*>(item->data) : nullptr;
        for (int block = 0; t5013 && block < 4; ++block)
            if (t5013->IsThisSFD(block))
                writeRecord(param, written, [&] { t5013->ConvertToDirerad(mode, block, param); });
    }
    const TaxData_T1New* t1 = person.GetT1();
    if (t1 && isPositiveAmount(t1->line22900EmploymentExpenses.m_value)) {
        writeRecordsOfType<TaxData_T777New>(person, FORM_T777, mode, param, written);
        writeRecordsOfType<TaxData_TL2_New>(person, FORM_TL2, mode, param, written);
    }
    param.text = documentText;

    const int count = written + countDirEradT2091Records(person);
    if (count > 0 && param.writesXml()) {
        writeXMLString(*param.text, kDireradStatementCountTag, CString::asprintf("%02d", count));
        *param.text += records;
    }
    return written;
}

int privateWriteDirEradSFD_T2091(IndividualTaxData& person, unsigned char mode, DireradGenObjParamStru& param)
{
    int written = 0;
    for (STRUCT_FORMDATA_ITEM_2004* item : person.m_formList) {
        if ((item->type != FORM_T2091 && item->type != FORM_T1255) || !qobject_cast<TaxData_T2091*>(item->data))
            continue;
        writeRecord(param, written, [&] { item->data->WriteDireradData(mode, param); });
    }
    return written;
}

void privateWriteDirEradSFDHeader1(CString& text, int&, int)
{
    writeXMLOpenTagString(text, kDireradStatementTag);
}

void privateWriteDirEradSFDHeader2(CString& text, int&, int)
{
    writeXMLOpenTagString(text, kDireradStatementTag);
}

void privateWriteDirEradSFDTailer(CString& text)
{
    writeXMLCloseTagString(text, kDireradStatementTag);
}
