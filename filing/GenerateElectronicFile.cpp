#include "filing/GenerateElectronicFile.h"

#include <cmath>

#include "companion/core/templatefill.h"
#include "companion/core/xmlwrite.h"
#include "companion/forms/catalogue.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/money.h"
#include "companion/forms/fieldchoices.h"
#include "filing/agencyanswers.h"
#include "filing/direradfreeformat.h"
#include "model/cfamilytaxdata.h"
#include "model/individualtaxdata.h"
#include "model/preparerinfo.h"

const char* const kAgencyNamespaceHost = "http://www.cra-arc.gc.ca";

namespace {

const char kNpart1[] = ":/net/net/npart1.xmt";
const char kEpart1[] = ":/net/net/epart1.xmt";
const char kEpartDec[] = ":/net/net/epartdec.xmt";
const char kEpartBnk[] = ":/net/net/epartbnk.xmt";
const char kNpartEnd[] = ":/net/net/npartend.xmt";
const char kEpartEnd[] = ":/net/net/epartend.xmt";

bool isEfile(unsigned char mode) { return (mode & 1) != 0; }

CString number(int value) { return CString(QString::number(value)); }

CString provinceCode(int province)
{
    if (province <= 0 || province >= PROVINCE_COUNT)
        return CString();
    return CString(Global_Provs_Info[province].code);
}

// Expands a template into out; on failure out is unchanged.
int expand(const char* path, const TemplateValueMap& values, int flags, CString& out,
           std::vector<std::string>* missing)
{
    return processTemplatePartInString(out, CString(path), values, flags, missing);
}

void describeFailure(CString* problem, const char* part, int result, const std::vector<std::string>& missing)
{
    if (problem)
        *problem = CString(QStringLiteral("The electronic return could not be built: template %1 ").arg(QLatin1String(part)) + describeTemplateFailure(result, missing));
}

// Sets key to the agency's code of the answer; an answer not given sets
// nothing, so the element is left out.
bool setAnswer(TemplateValueMap& values, const char* key, agencyanswers::Question question, int stored)
{
    const char* code = agencyanswers::code(question, stored, agencyanswers::Medium::Xml);
    if (code)
        values.setText(key, code);
    return code != nullptr;
}

// The settlement-land answers of Yukon (13), the Northwest
// Territories (7) and Quebec (5).
void fillSettlementLand(int province, const TaxData_T1New& t1, TemplateValueMap& values)
{
    using agencyanswers::Question;
    if (province == 13) {
        setAnswer(values, "AborLandResidence", Question::SettlementLand, t1.AboriginalLandAnswer13.m_value);
        if (t1.AboriginalLandAnswer13.m_value == choices::kYes) {
            values.setText("ytfirstnation", t1.YukonSettlementNumber.m_value);
            setAnswer(values, "firstnationIDInd", Question::FirstNationCitizen, t1.FirstNationIdAnswer13.m_value);
        }
    } else if (province == 7) {
        setAnswer(values, "tlicho", Question::SettlementLand, t1.TlichoAnswer.m_value);
        setAnswer(values, "deline", Question::SettlementLand, t1.DelineAnswer.m_value);
        if (t1.DelineAnswer.m_value == choices::kYes)
            values.setText("firstnationIDInd", number(t1.FirstNationIdCode7.m_value + 1));
    } else if (province == 5) {
        setAnswer(values, "AborLandResidence", Question::SettlementLand, t1.AboriginalLandAnswer5.m_value);
    }
}

} // namespace

CString xmlDateText(const QDate& date)
{
    return date.isValid() ? CString(date.toString(QStringLiteral("yyyy-MM-dd"))) : CString();
}

int bankruptcyWholeDollars(double amount)
{
    if (amount <= -0.5 - taxrules::kAbsentBelow)
        return int(std::trunc(amount - 0.5));
    if (amount <= 1.0 - taxrules::kAbsentBelow)
        return 1;
    return int(std::trunc(amount + 0.5));
}

CString telephoneDigits(const CString& phone)
{
    QString digits;
    for (const QChar c : phone)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
    if (digits.size() == 11 && digits.startsWith(QLatin1Char('1')))
        digits.remove(0, 1);
    return digits.size() == 10 ? CString(digits) : CString();
}

void fillOpeningPartValues(IndividualTaxData& person, const TaxData_T1New& t1, unsigned char mode,
                           TemplateValueMap& values)
{
    const bool efile = isEfile(mode);
    const PreparerInfo& codes = preparerInfo();
    values.setText("nshost", kAgencyNamespaceHost);

    // 1. Auto-fill.
    if (t1.AutoFillFlag.m_value != 0) {
        values.setText("AFRFlag", "1");
        if (t1.AutoFillDate.IsValid())
            values.setText("AFRDate", xmlDateText(t1.AutoFillDate.m_value));
    } else {
        values.setText("AFRFlag", "0");
    }
    // 2. and 3. Software, amended and multi-year indicators.
    const bool refile = t1.ReFileFlag.m_value != 0;
    values.setText("swrevdate", efile ? codes.EfileSoftwareDate : codes.DireradSoftwareDate);
    if (efile)
        values.setText("swcode", codes.EfileSoftwareCode + (refile ? "R" : "F"));
    else
        values.setText("swcode", codes.DireradSoftwareCode + (refile ? "S" : "G"));
    if (refile)
        values.setText("amended", "1");
    if (t1.MultiYearFlag.m_value != 0)
        values.setText("multiyear", "1");
    // 4. Identity.
    values.setText("sin", t1.SIN.m_value);
    values.setText("taxyear", "2024");
    values.setText("bdate", xmlDateText(t1.BirthDate.m_value));
    // 5. Marital status.
    values.setText("marital", number(t1.MaritalStatus.m_value + 1));
    setAnswer(values, "maritalchg", agencyanswers::Question::MaritalStatusChanged, t1.MaritalStatusChanged.m_value);
    if (t1.MaritalStatusChanged.m_value != 0)
        values.setText("maritalchgdate", xmlDateText(t1.MaritalStatusChangeDate.m_value));
    // 6. Always given.
    values.setText("spouseselfemp", t1.HasSpouse() && t1.SelfEmployedSpouseDeadline.m_value != 0 ? "1" : "0");
    // 7. and 8. Residence.
    values.setText("taxprov", provinceCode(t1.ProvinceOfResidence.m_value));
    if (t1.CurrentProvince.m_value > 0)
        values.setText("resprov", provinceCode(t1.CurrentProvince.m_value));
    fillSettlementLand(person.m_province, t1, values);
    // 9. Names: plain text here, escaped once by the filler.
    if (t1.FirstTimeFilerAnswer.m_value == 0) {
        values.setText("firstname", CString());
        values.setText("lastname", CString());
    } else {
        CString sin, given, second, family, email;
        QDate birth;
        double balance = 0.0;
        person.GetPersonalBasicInfo(sin, given, second, family, email, birth, balance);
        values.setText("firstname", given.isEmpty() ? CString("X") : given);
        values.setText("lastname", t1.LastName.m_value);
        if (t1.SurnameChanged.m_value == 0)
            values.setText("namechanged", "2");
    }
    // 10. Residency type.
    const char* residency = t1.ResidencyFlag.m_value != 0 ? "2"
                            : t1.IsImmigrant()            ? "4"
                            : t1.IsEmmigrant()            ? "5"
                                                          : "1";
    values.setText("ResiType", residency);
    // 11. Mailing address; a DIRERAD return sends no foreign address.
    const bool foreign = t1.ForeignMailingAddress.m_value != 0;
    values.setText("FrgnMailAddr", foreign ? "1" : "2");
    if (efile || !foreign) {
        CString block;
        int counter = 0;
        privateGenerateXmlFilePartAddrData(t1, block, mode, counter);
        values.setFragment("mailing_address_block", block);
    }
    // 12. Date of moving, only of this year or the next.
    if (t1.DateOfMove.IsValid() && (t1.DateOfMove.m_value.year() == 2024 || t1.DateOfMove.m_value.year() == 2025))
        values.setText("dateofmove", xmlDateText(t1.DateOfMove.m_value));
    // 13. Entry or departure.
    if (t1.IsImmigrant()) {
        if (t1.EntryDate.IsValid())
            values.setText("EntryDate", xmlDateText(t1.EntryDate.m_value));
    } else if (t1.IsEmmigrant() && t1.DepartureDate.IsValid()) {
        values.setText("DepartDate", xmlDateText(t1.DepartureDate.m_value));
    }
    // 14. Rural supplement: yes is 1, as for every other question.
    if (t1.isProvEligibleForCAI())
        setAnswer(values, "CAIRural", agencyanswers::Question::RuralSupplement, t1.RuralSupplementAnswer.m_value);
    // 15. Telephone: both elements or neither.
    const CString digits = telephoneDigits(t1.HomePhone.m_value);
    if (!digits.isEmpty()) {
        values.setText("areacode", digits.Left(3));
        values.setText("phone", digits.Mid(3, 7));
    }
    // 16. and 17. E-mail and language.
    if (!t1.Email.IsEmptyIfRemoveBlank())
        values.setText("email", t1.Email.GetTrimedString());
    values.setText("language", number(t1.Language.m_value + 1));
    // 18. Spouse.
    if (person.isSpouseRelated()) {
        CString block;
        int counter = 0;
        privateGenerateXmlFilePartSpouseData(t1, block, mode, counter);
        values.setFragment("tpTaxpayerSpouseData_block", block);
    }
    // 19. Citizenship and Elections Canada.
    setAnswer(values, "citizen", agencyanswers::Question::Citizenship, t1.CitizenshipAnswer.m_value);
    if (t1.CitizenshipAnswer.m_value == choices::kYes)
        setAnswer(values, "elecanauth", agencyanswers::Question::ElectionsCanada, t1.ElectionsCanadaAnswer.m_value);
    // 20. and 21. Indian Act exemption and organ donor consent.
    values.setText("isIndian", person.HasForm(FORM_T90) ? "1" : "0");
    if (t1.isDonorInfoNeeded())
        setAnswer(values, "Donor", agencyanswers::Question::OrganDonor, t1.DonorAnswer.m_value);
}

int privateGenerateXmlFilePart1(IndividualTaxData& person, CString& out, unsigned char mode, int& counter,
                                std::vector<std::string>* missing)
{
    Q_UNUSED(counter);
    const TaxData_T1New* t1 = person.GetT1();
    if (!t1)
        return TemplateMissingValue;
    TemplateValueMap values;
    fillOpeningPartValues(person, *t1, mode, values);
    return expand(isEfile(mode) ? kEpart1 : kNpart1, values, TemplateDocumentOpening, out, missing);
}

void privateGenerateXmlFilePartSpouseData(const TaxData_T1New& t1, CString& out, unsigned char, int&)
{
    CString block;
    writeXMLString(block, "tp:SpouseSocialInsuranceNumber", t1.SpouseSIN.m_value);
    writeXMLString(block, "tp:SpouseGivenName", t1.SpouseFirstName.m_value, 4);
    // Whole dollars, halves away from zero: 0.5 is sent as 1, 0.4 not at all.
    const double wholeNet = taxrules::roundAmount(t1.SpouseNetIncome.m_value, 0);
    if (wholeNet >= 1)
        writeXMLString(block, "tp:SpouseNetIncomeAmount", CString::asprintf("%d", int(wholeNet)));
    const int uccb = int(std::trunc(t1.SpouseUCCB.m_value));
    if (uccb != 0)
        writeXMLString(block, "tp:SpouseUniversalChildCareBenefitAmount", number(uccb));
    const int uccbRepaid = int(std::trunc(t1.SpouseUCCBRepayment.m_value));
    if (uccbRepaid != 0)
        writeXMLString(block, "tp:SpouseUniversalChildCareRepaymentAmount", number(uccbRepaid));
    out += block;
}

void privateGenerateXmlFilePartAddrData(const TaxData_T1New& t1, CString& out, unsigned char, int&)
{
    CString inner;
    if (!t1.CareOfLine.IsEmptyIfRemoveBlank())
        writeXMLString(inner, "comm:AddressCareOfLineText", t1.CareOfLine.m_value, 26);
    CString street;
    t1.GetFullAddressWithoutPostcode(10, street);
    if (t1.ForeignMailingAddress.m_value == 0) {
        writeXMLOpenTagString(inner, "comm:CanadianMailingAddress");
        writeXMLString(inner, "comm:AddressStreetText", street, 60);
        writeXMLString(inner, "comm:AddressMunicipalityName", t1.City.m_value, 50);
        writeXMLString(inner, "comm:AddressProvinceCode", provinceCode(t1.MailingProvince.m_value));
        // Validation takes the letters in either case; the agency reads capitals.
        writeXMLString(inner, "comm:AddressPostalCode", CString(t1.PostalCode.RemoveBlanks().toUpper()));
        writeXMLCloseTagString(inner, "comm:CanadianMailingAddress");
    } else {
        writeXMLOpenTagString(inner, "comm:NonCanadianMailingAddress");
        writeXMLString(inner, "comm:AddressStreetText", street, 60);
        writeXMLString(inner, "comm:GlobalAddressMunicipalityName", t1.City.m_value, 50);
        const CString country = t1.Country.GetTrimedString();
        if (country.CompareNoCase(QStringLiteral("USA")) == 0) {
            writeXMLString(inner, "comm:StateCode", t1.State.GetTrimedString());
            writeXMLOpenTagString(inner, "comm:USZipCode");
            writeXMLString(inner, "comm:ZipCode", t1.PostalCode.GetTrimedString());
            writeXMLCloseTagString(inner, "comm:USZipCode");
        }
        writeXMLString(inner, "comm:CountryCode", country);
        writeXMLCloseTagString(inner, "comm:NonCanadianMailingAddress");
    }
    if (const char* same = agencyanswers::code(agencyanswers::Question::HomeSameAsMailing,
                                               t1.HomeAddressSameAsMailing.m_value, agencyanswers::Medium::Xml))
        writeXMLString(inner, "tp:HomeAddressSameAsMailingAddressIndicator", same);
    writeXMLOpenTagString(out, "tp:TaxpayerMailingAddress");
    out += inner;
    writeXMLCloseTagString(out, "tp:TaxpayerMailingAddress");
}

int privateGenerateXmlFilePartForDeceased(const TaxData_T1New& t1, CString& out, unsigned char, int&)
{
    TemplateValueMap values;
    values.setText("date", xmlDateText(t1.DateOfDeath.m_value));
    if (t1.TaxDeceasedBeneficiaryElection.m_value != 0)
        values.setText("taxbnfry", "1");
    return expand(kEpartDec, values, TemplateRequestPart, out, nullptr);
}

int privateGenerateXmlFilePartForBankruptcy(const TaxData_T1New& t1, CString& out, unsigned char, int&)
{
    TemplateValueMap values;
    values.setText("netinc", number(bankruptcyWholeDollars(t1.PostBankruptcyNetIncome.m_value)));
    values.setText("adjnetinc", number(bankruptcyWholeDollars(t1.PostBankruptcyAdjustedNetIncome.m_value)));
    return expand(kEpartBnk, values, TemplateRequestPart, out, nullptr);
}

int privateGenerateXmlFilePartEnd(CString& out, unsigned char mode, int&)
{
    return expand(isEfile(mode) ? kEpartEnd : kNpartEnd, TemplateValueMap(), TemplateRequestPart, out, nullptr);
}

int CreateElectronicFile(IndividualTaxData& person, CString& xml, unsigned char mode, CString* problem)
{
    const TaxData_T1New* t1 = person.GetT1();
    if (!t1) {
        if (problem)
            *problem = CString("The electronic return could not be built: the person has no T1.");
        return ElectronicFileNoReturn;
    }
    int counter = 0;
    CString document;
    std::vector<std::string> missing;
    int result = privateGenerateXmlFilePart1(person, document, mode, counter, &missing);
    if (result != TemplateFilled) {
        describeFailure(problem, isEfile(mode) ? "epart1" : "npart1", result, missing);
        return ElectronicFileTemplateFailed;
    }
    const bool bankrupt = t1->IsBankrupt();
    if (isEfile(mode)) {
        if (t1->IsDeceasedForEfileReporting()
            && (result = privateGenerateXmlFilePartForDeceased(*t1, document, mode, counter)) != TemplateFilled) {
            describeFailure(problem, "epartdec", result, missing);
            return ElectronicFileTemplateFailed;
        }
        if (bankrupt && (result = privateGenerateXmlFilePartForBankruptcy(*t1, document, mode, counter)) != TemplateFilled) {
            describeFailure(problem, "epartbnk", result, missing);
            return ElectronicFileTemplateFailed;
        }
    }

    CString lines;
    DireradFreeFormatMap data;
    DireradGenObjParamStru param;
    param.mode = mode;
    param.outputKind = DireradGenObjParamStru::OutputXml;
    param.text = &lines;
    param.counter = &counter;
    param.data = &data;
    WriteDireradFreeFormatData(person, mode, param);
    if (!bankrupt)
        privateWriteDirEradSFD_ExceptT2091(person, mode, param);
    privateWriteDirEradSFD_T2091(person, mode, param);
    document += lines;

    if ((result = privateGenerateXmlFilePartEnd(document, mode, counter)) != TemplateFilled) {
        describeFailure(problem, isEfile(mode) ? "epartend" : "npartend", result, missing);
        return ElectronicFileTemplateFailed;
    }
    xml += document;
    return ElectronicFileBuilt;
}

int CreateElectronicFile(CFamilyTaxData& family, CString& xml, unsigned char mode, CString* problem)
{
    IndividualTaxData* person = family.getCurIndvTaxData();
    if (!person) {
        if (problem)
            *problem = CString("The electronic return could not be built: no return is open.");
        return ElectronicFileNoReturn;
    }
    return CreateElectronicFile(*person, xml, mode, problem);
}
