#include "filing/barcodet1record.h"

#include <cmath>

#include "companion/forms/catalogue.h"
#include "companion/forms/fieldchoices.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "filing/agencyanswers.h"
#include "filing/barcodefields.h"
#include "filing/barcodefreeformat.h"
#include "filing/direradfreeformat.h"
#include "model/individualtaxdata.h"
#include "model/preparerinfo.h"

namespace {

using barcodefields::dateText;
using barcodefields::provinceCode;

// Nine characters of whole dollars, truncated toward zero.
CString wholeDollarsText(double amount)
{
    const double value = std::isfinite(amount) ? std::trunc(std::fmax(-1e12, std::fmin(1e12, amount))) : 0.0;
    return CString::asprintf("%09lld", static_cast<long long>(value));
}

// The agency's code of the answer; an answer not given leaves the item as
// it was.
void setAnswer(FixedBarcodeItem& item, agencyanswers::Question question, int stored)
{
    if (const char* code = agencyanswers::code(question, stored, agencyanswers::Medium::Barcode))
        item.SetValue(code);
}

void fillSettlementLand(const IndividualTaxData& person, const TaxData_T1New& t1, T1ReturnBarcodeFixedData& r)
{
    r.settlement39.SetValue("0");
    r.settlement40.SetValue("0");
    r.settlement41.SetValue("0");
    r.settlementNumber.SetAllCharsTo('0');
    if (t1.getMainTaxProvince() == 13) {
        // The answer the electronic return sends, and the settlement with it
        // only when the user said yes.
        setAnswer(r.settlement39, agencyanswers::Question::SettlementLand, t1.AboriginalLandAnswer13.m_value);
        if (t1.AboriginalLandAnswer13.m_value == choices::kYes) {
            r.settlementNumber.SetValue(t1.YukonSettlementNumber.m_value);
            setAnswer(r.firstNationCitizen, agencyanswers::Question::FirstNationCitizen, t1.FirstNationIdAnswer13.m_value);
        }
    } else if (person.m_province == 7) {
        setAnswer(r.settlement40, agencyanswers::Question::SettlementLand, t1.TlichoAnswer.m_value);
        setAnswer(r.settlement41, agencyanswers::Question::SettlementLand, t1.DelineAnswer.m_value);
        // The First Nation's code, counted from 1 as the electronic return
        // sends it; the item has room for the first two.
        const int nation = t1.FirstNationIdCode7.m_value;
        if (t1.DelineAnswer.m_value == choices::kYes && (nation == 0 || nation == 1))
            r.firstNationCitizen.SetValue(nation == 0 ? "1" : "2");
    } else if (person.m_province == 5) {
        setAnswer(r.settlement39, agencyanswers::Question::SettlementLand, t1.AboriginalLandAnswer5.m_value);
    }
}

} // namespace

T1ReturnBarcodeFixedData::T1ReturnBarcodeFixedData(const CString& code, const CString& note) : m_note(note)
{
    softwareCode.SetValue(code);
}

CString barcodeAddressLine(const TaxData_T1New& t1)
{
    CString line = t1.AddressLine1.m_value;
    auto add = [&line](const CString& part) {
        while (!line.isEmpty() && line.at(line.size() - 1).isSpace())
            line.chop(1);
        if (!line.isEmpty())
            line += CString(" ");
        line += part;
    };
    if (!t1.AddressLine2.m_value.isEmpty())
        add(t1.AddressLine2.m_value);
    if (!t1.RuralRoute.m_value.isEmpty())
        add(CString("RR ") + t1.RuralRoute.m_value);
    return line;
}

long long barcodeZeroToOne(double v)
{
    if (!std::isfinite(v))
        return 1;
    v = std::fmax(-1e12, std::fmin(1e12, v));
    if (v < -0.5 && -0.5 - v >= 0.009)
        return static_cast<long long>(std::trunc(v - 0.5));
    if (v < 1.0)
        return 1;
    return static_cast<long long>(std::trunc(v + 0.5));
}

void FillT1BarcodeFixedData(const IndividualTaxData& person, T1ReturnBarcodeFixedData& r)
{
    const TaxData_T1New* t1p = person.GetT1();
    if (!t1p)
        return;
    const TaxData_T1New& t1 = *t1p;

    r.zeros3.SetAllCharsTo('0');
    r.sin.SetValueLeftPadding(t1.SIN.m_value, '0');
    r.birthDate.SetValue(dateText(t1.BirthDate.m_value));
    r.province6.SetValue(provinceCode(person.m_province));
    r.province7.SetValue(provinceCode(person.m_province));
    r.maritalStatus.SetValue(CString::asprintf("%1d", t1.MaritalStatus.m_value + 1));
    if (person.isSpouseRelated()) {
        // The blanks are dropped from a copy: writing a file never changes
        // the return it writes.
        r.spouseSin.SetValueLeftPadding(t1.SpouseSIN.RemoveBlanks(), '0');
        r.spouseFirstName.SetValueRightPadding(t1.SpouseFirstName.m_value, ' ');
    } else {
        r.spouseSin.SetAllCharsTo('0');
        r.spouseFirstName.SetAllCharsTo(' ');
    }
    r.firstName.SetValueRightPadding(t1.FirstName.m_value, ' ');
    r.lastName.SetValueRightPadding(t1.LastName.m_value, ' ');
    r.blanks13.SetAllCharsTo(' ');
    r.addressLine.SetValueRightPadding(barcodeAddressLine(t1), ' ');
    r.city.SetValueRightPadding(t1.City.m_value, ' ');
    const int mailing = t1.MailingProvince.m_value;
    if (t1.ForeignMailingAddress.m_value == 0 && mailing >= 1 && mailing <= 13)
        r.mailingProvince.SetValue(provinceCode(mailing));
    else
        r.mailingProvince.SetAllCharsTo(' ');
    r.postalCode.SetValueRightPadding(barcodefields::rawPostcode(t1.PostalCode.m_value), ' ');
    r.email.SetValueRightPadding(t1.Email.m_value, ' ');
    if (t1.DateOfMove.m_value.isValid())
        r.dateOfMove.SetValue(dateText(t1.DateOfMove.m_value));
    setAnswer(r.homeSameAsMailing, agencyanswers::Question::HomeSameAsMailing, t1.HomeAddressSameAsMailing.m_value);
    if (t1.HomePhone.m_value.isEmpty())
        r.homePhone.SetAllCharsTo('0');
    else
        r.homePhone.SetValueLeftPadding(barcodefields::rawPhone(t1.HomePhone.m_value), '0');
    r.language.SetValue(CString::asprintf("%1d", t1.Language.m_value + 1));

    // Spouse's amounts go in whole dollars, truncated.
    if (t1.CanClaimSpouse()) {
        r.spouseNetIncome.SetValueLeftPadding(wholeDollarsText(t1.SpouseNetIncome.m_value), '0');
        r.spouseUccb.SetValueLeftPadding(wholeDollarsText(t1.SpouseUCCB.m_value), '0');
        r.spouseUccbRepayment.SetValueLeftPadding(wholeDollarsText(t1.SpouseUCCBRepayment.m_value), '0');
    } else {
        r.spouseNetIncome.SetAllCharsTo('0');
        r.spouseUccb.SetAllCharsTo('0');
        r.spouseUccbRepayment.SetAllCharsTo('0');
    }
    if (t1.KnowDeceasedDate()) {
        r.deceased.SetValue("1");
        const QDate death = t1.DateOfDeath.m_value;
        r.dateOfDeath.SetValue(CString::asprintf("%04d%02d%02d", death.year(), death.month(), death.day()));
    }
    if (t1.IsBankrupt()) {
        r.bankrupt.SetValue("1");
        r.postBankruptcyIncome.SetValueLeftPadding(
            CString::asprintf("%09lld", barcodeZeroToOne(t1.PostBankruptcyNetIncome.m_value)), '0');
        if (person.m_province == 3)
            r.bankruptcyProvince3.SetValueLeftPadding(
                CString::asprintf("%09lld", barcodeZeroToOne(t1.BankruptcyProvince3Amount.m_value)), '0');
    }
    r.statementCount.SetValue(CString::asprintf("%02d", person.GetCountOfSFDForms()));
    r.blanks34.SetAllCharsTo(' ');
    r.selfEmployedSpouse.SetValue(t1.CanClaimSpouse() && t1.SelfEmployedSpouseDeadline.m_value != 0 ? "1" : "0");
    setAnswer(r.citizenship, agencyanswers::Question::Citizenship, t1.CitizenshipAnswer.m_value);
    setAnswer(r.electionsCanada, agencyanswers::Question::ElectionsCanada, t1.ElectionsCanadaAnswer.m_value);
    fillSettlementLand(person, t1, r);
    if (t1.CurrentProvince.m_value == 0)
        r.currentProvince.SetAllCharsTo(' ');
    else
        r.currentProvince.SetValue(provinceCode(t1.CurrentProvince.m_value));
    if (t1.IsIndianFlag.m_value != 0)
        r.indianAct.SetValue("1");
    // Yes is 1, as for every other question.
    if (t1.isProvEligibleForCAI())
        setAnswer(r.ruralSupplement, agencyanswers::Question::RuralSupplement, t1.RuralSupplementAnswer.m_value);
    if (t1.MaritalStatusChanged.m_value != 0)
        r.maritalChangeDate.SetValue(barcodefields::monthDayText(t1.MaritalStatusChangeDate.m_value));
    if (t1.isDonorInfoNeeded())
        setAnswer(r.organDonor, agencyanswers::Question::OrganDonor, t1.DonorAnswer.m_value);
}

void GenerateT1Barcode(const IndividualTaxData& person, CMemoryBlock& block)
{
    T1ReturnBarcodeFixedData record(preparerInfo().DireradSoftwareCode, CString());
    FillT1BarcodeFixedData(person, record);
    record.OutputToMemoryBlock(block);

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
    // The line walk only reads the return (it records into data); it is
    // declared on a mutable person because the electronic return shares it.
    WriteDireradFreeFormatData(const_cast<IndividualTaxData&>(person), DireradGenObjParamStru::ModeDirerad, param);
    ConvertFreeDataMapToMemoryBlock(data, block);
    block.Append("-EOD");
}
