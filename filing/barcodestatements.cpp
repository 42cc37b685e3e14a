#include "filing/barcodestatements.h"

#include "companion/forms/direradlines.h"
#include "companion/forms/fieldchoices.h"
#include "companion/forms/federal/others.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "filing/agencyanswers.h"
#include "filing/barcodefields.h"
#include "filing/barcodefreeformat.h"
#include "model/individualtaxdata.h"

using namespace barcodefields;

namespace {

// A statement's answer to its question, or "0" when it was not given.
const char* answerText(int answer)
{
    return agencyanswers::code(agencyanswers::Question::StatementQuestion, answer, agencyanswers::Medium::Barcode);
}

// The statement's lines, as the electronic return records them (mode 2,
// free-format data only). write is the statement's own e-file writer.
template <typename Write>
void appendLinesAndEnd(CMemoryBlock& block, Write write)
{
    DireradFreeFormatMap data;
    CString text;
    int counter = 0;
    DireradGenObjParamStru param;
    param.mode = DireradGenObjParamStru::ModeDirerad;
    param.outputKind = DireradGenObjParamStru::OutputFreeFormatOnly;
    param.text = &text;
    param.counter = &counter;
    param.data = &data;
    param.t2209Count = 0;
    write(param);
    ConvertFreeDataMapToMemoryBlock(data, block);
    block.Append("-EOD");
}

// The writers record into the parameter block and leave the form as it was;
// they are declared on mutable forms because the electronic return shares
// them.
void appendFormLines(const CTaxData_Form& form, CMemoryBlock& block)
{
    appendLinesAndEnd(block, [&form](DireradGenObjParamStru& param) {
        const_cast<CTaxData_Form&>(form).WriteDireradData(DireradGenObjParamStru::ModeDirerad, param);
    });
}

void startRecord(SFDBarcodeFixedData& record, int sequence, const char* formCode)
{
    record.sequence.SetValue(CString::asprintf("%02d", sequence));
    record.formCode.SetValue(formCode);
    record.blanks4.SetAllCharsTo(' ');
}

// The values every statement of the family carries.
SfdStatementValues statementValues(const CStatementForm& form)
{
    SfdStatementValues values;
    values.sin = form.SIN.RemoveBlanks();
    values.name = form.Name.m_value;
    values.address = form.Address.m_value;
    values.postalCode = form.PostalCode.m_value;
    values.periodStart = form.FiscalStart.m_value;
    values.periodEnd = form.FiscalEnd.m_value;
    return values;
}

// A business number (nine digits, then the program and its account) gives
// the nine-digit number and the fifteen-character identifier.
void setBusinessNumber(SfdStatementValues& values, const CString& number)
{
    const CString raw = rawPostcode(number); // blanks and dashes out, capitals
    values.number9 = raw.Left(9);
    values.identifier15 = raw;
}

void finish(const SFDBarcodeFixedData& record, CMemoryBlock& block, const CTaxData_Form& form)
{
    record.OutputToMemoryBlock(block);
    appendFormLines(form, block);
}

void generateNonBusiness(const IndividualTaxData& person, const CTaxData_Form& form, const char* code,
                         CMemoryBlock& block, int sequence)
{
    SFDBarcodeFixedData record;
    startRecord(record, sequence, code);
    setDefaultFixDataForNonBusiSFD01(person, record);
    finish(record, block, form);
}

} // namespace

SFDBarcodeFixedData::SFDBarcodeFixedData()
{
    count1.SetAllCharsTo(' ');
    description1.SetAllCharsTo(' ');
    description2.SetAllCharsTo(' ');
    count2.SetAllCharsTo(' ');
}

void fillStatementRecord(const SfdStatementValues& v, SFDBarcodeFixedData& r)
{
    r.industryCode.SetValueRightPadding(v.industryCode, '0');
    r.sin.SetValueLeftPadding(v.sin, '0');
    r.name.SetValueRightPadding(v.name, ' ');
    r.address.SetValueRightPadding(v.address, ' ');
    r.postalCode.SetValueRightPadding(rawPostcode(v.postalCode), ' ');
    r.periodStart.SetValue(dateText(v.periodStart));
    r.periodEnd.SetValue(dateText(v.periodEnd));
    r.number9.SetValueRightPadding(v.number9, '0');
    r.percentage.SetValue(percentText(v.percent));
    r.identifier8.SetValueRightPadding(v.identifier8, ' ');
    r.secondIndicator.SetValue(
        agencyanswers::code(agencyanswers::Question::StatementFlag, v.secondAnswer ? 1 : 0, agencyanswers::Medium::Barcode));
    r.identifier15.SetValueRightPadding(v.identifier15, ' ');
    const CString first = countText(v.count1);
    if (!first.isEmpty())
        r.count1.SetValueRightPadding(first, ' ');
    r.description1.SetValueRightPadding(v.description1, ' ');
    r.description2.SetValueRightPadding(v.description2, ' ');
    const CString second = countText(v.count2);
    if (!second.isEmpty())
        r.count2.SetValueLeftPadding(second, ' ');
    for (int i = 0; i < 3; ++i) {
        r.shares[i].name.SetValueRightPadding(v.shares[i].name, ' ');
        r.shares[i].address.SetValueRightPadding(v.shares[i].address, ' ');
        r.shares[i].zeros.SetAllCharsTo('0');
        r.shares[i].share.SetValue(shareText(v.shares[i].share));
    }
}

void setDefaultFixDataForNonBusiSFD01(const IndividualTaxData& person, SFDBarcodeFixedData& r)
{
    r.blanks4.SetAllCharsTo(' ');
    r.firstIndicator.SetValue("0");
    r.industryCode.SetAllCharsTo('0');
    const TaxData_T1New* t1 = person.GetT1();
    r.sin.SetValueLeftPadding(t1 ? t1->SIN.m_value : CString(), '0');
    r.name.SetAllCharsTo(' ');
    r.address.SetAllCharsTo(' ');
    r.postalCode.SetAllCharsTo(' ');
    r.periodStart.SetAllCharsTo('0');
    r.periodEnd.SetAllCharsTo('0');
    r.number9.SetAllCharsTo('0');
    r.percentage.SetAllCharsTo('0');
    r.identifier8.SetAllCharsTo(' ');
    r.secondIndicator.SetValue("0");
    r.identifier15.SetAllCharsTo(' ');
    for (SFDBarcodeFixedData::ShareLine& line : r.shares) {
        line.name.SetAllCharsTo(' ');
        line.address.SetAllCharsTo(' ');
        line.zeros.SetAllCharsTo('0');
        line.share.SetAllCharsTo('0');
    }
}

void GenerateT2125Barcode(int type, const TaxData_T2125_New& form, CMemoryBlock& block, int sequence)
{
    SFDBarcodeFixedData record;
    // The commission variant is always "02"; the business form is "03" for
    // a professional activity.
    const bool activity = type == FORM_T2125 && form.IncomeKind.m_value != 0;
    startRecord(record, sequence, activity ? "03" : "02");
    record.firstIndicator.SetValue("1");
    SfdStatementValues values = statementValues(form);
    values.industryCode = form.IndustryCode.m_value;
    setBusinessNumber(values, form.Identification.m_value);
    values.percent = form.PartnershipPercent.m_value;
    values.secondAnswer = form.PartnershipIndicator.m_value != 0;
    values.description1 = form.BusinessDescription.m_value;
    values.shares[0].name = form.PartnerName.m_value;
    fillStatementRecord(values, record);
    finish(record, block, form);
}

void GenerateT776Barcode(const TaxData_T776New& form, CMemoryBlock& block, int sequence)
{
    SFDBarcodeFixedData record;
    startRecord(record, sequence, "01");
    record.firstIndicator.SetValue("0");
    SfdStatementValues values = statementValues(form);
    values.percent = form.OwnershipPercent.m_value;
    fillStatementRecord(values, record);
    record.industryCode.SetValue(values.industryCode); // as it is, not padded
    finish(record, block, form);
}

void GenerateT2042Barcode(const TaxData_T2042New& form, CMemoryBlock& block, int sequence)
{
    SFDBarcodeFixedData record;
    startRecord(record, sequence, "05");
    record.firstIndicator.SetValue(answerText(form.FirstAnswer.m_value));
    SfdStatementValues values = statementValues(form);
    setBusinessNumber(values, form.Identification.m_value);
    fillStatementRecord(values, record);
    record.identifier8.SetAllCharsTo(' ');
    finish(record, block, form);
}

void GenerateT2121Barcode(const TaxData_T2121New& form, CMemoryBlock& block, int sequence)
{
    SFDBarcodeFixedData record;
    startRecord(record, sequence, "04");
    record.firstIndicator.SetValue(answerText(form.FirstAnswer.m_value));
    SfdStatementValues values = statementValues(form);
    fillStatementRecord(values, record);
    record.address.SetAllCharsTo(' ');
    record.postalCode.SetAllCharsTo(' ');
    finish(record, block, form);
}

void GenerateT777Barcode(const IndividualTaxData& person, const TaxData_T777New& form, CMemoryBlock& block,
                         int sequence)
{
    generateNonBusiness(person, form, "07", block, sequence);
}

void GenerateTL2Barcode(const IndividualTaxData& person, const TaxData_TL2_New& form, CMemoryBlock& block,
                        int sequence)
{
    generateNonBusiness(person, form, "08", block, sequence);
}

void GenerateT2091Barcode(const IndividualTaxData& person, const TaxData_T2091& form, CMemoryBlock& block,
                          int sequence)
{
    generateNonBusiness(person, form, form.getType() == FORM_T1255 ? "12" : "11", block, sequence);
}

const char* t5013StatementFormCode(int kind)
{
    switch (kind) {
    case 0: return "01";
    case 1: return "03";
    case 2:
    case 3: return "02";
    case 4: return "05";
    case 6: return "04";
    default: return "";
    }
}

void GenerateT5013Barcode(const CTaxData_T5013& form, QList<QByteArray>& blocks, int& sequence)
{
    const CIntField* kinds[] = {&form.Kind1, &form.Kind2, &form.Kind3, &form.Kind4};
    for (int statement = 0; statement < 4; ++statement) {
        const int kind = kinds[statement]->m_value;
        if (kind == -1 || kind == 5 || !form.IsThisSFD(statement))
            continue;
        ++sequence;
        SFDBarcodeFixedData record;
        record.sequence.SetValue(CString::asprintf("%02d", sequence));
        record.blanks4.SetAllCharsTo(' ');
        if (*t5013StatementFormCode(kind))
            record.formCode.SetValue(t5013StatementFormCode(kind));
        record.firstIndicator.SetValue("2");
        SfdStatementValues values;
        values.sin = form.SIN.RemoveBlanks();
        values.name = form.PartnershipName.m_value;
        setBusinessNumber(values, form.PartnershipId.m_value);
        fillStatementRecord(values, record);
        for (SFDBarcodeFixedData::ShareLine& line : record.shares) {
            line.name.SetAllCharsTo(' ');
            line.address.SetAllCharsTo(' ');
            line.zeros.SetAllCharsTo('0');
            line.share.SetAllCharsTo('0');
        }
        CMemoryBlock block;
        record.OutputToMemoryBlock(block);
        appendLinesAndEnd(block, [&form, statement](DireradGenObjParamStru& param) {
            const_cast<CTaxData_T5013&>(form).ConvertToDirerad(DireradGenObjParamStru::ModeDirerad, statement, param);
        });
        blocks.append(block.bytes());
    }
}
