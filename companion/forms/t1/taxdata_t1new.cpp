#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/forms/formeventcodes.h"

#include "companion/forms/direradlines.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "companion/rules/money.h"

using taxrules::isPresentAmount;

namespace {

constexpr int kTaxYear = 2024;

double sum(std::initializer_list<const CFloatField*> fields)
{
    double total = 0;
    for (const CFloatField* f : fields)
        total += f->m_value;
    return total;
}

bool inTaxYear(const QDate& date) { return date.isValid() && date.year() == kTaxYear; }

int ageAtYearEnd(const QDate& birth) { return birth.isValid() ? kTaxYear - birth.year() : 0; }

int daysInTaxYear() { return QDate(kTaxYear, 1, 1).daysInYear(); }

}  // namespace

TaxData_T1New::TaxData_T1New()
    : CTaxData_Form(FROM_FORM, FORM_T1), m_taxStairs(STRUCT_TAX_STAIRS_JURISDICTION::federal2024())
{
}

CStringField* TaxData_T1New::textFieldByCode(int code)
{
    switch (code) {
    case 1: return &SIN;
    case 11: return &FirstName;
    case 12: return &LastName;
    case 15: return &Email;
    case 16: return &Email2;
    case 19: return &HomePhone;
    }
    return nullptr;
}

// The line steps are in taxdata_t1new_steps.cpp.

int TaxData_T1New::Calculate01()
{
    CalculateLine213ByWorkSheet();
    CalculateTotalIncome(true);
    CalculateNetIncomeBeforeCCT();
    CalculateNetIncomeBeforeF23500();
    CalculateNetIncomeAfterCCT();
    CalculateTaxableIncome();
    CalculateLine314ByWorkSheet();
    CalculateField350AndField410_414();
    CalculateFedTax1stStep();
    CalculateField404();
    CalculateField429AndNonResiSurTax();
    CalculateLine440ByWorkSheet();
    CalculateField406();
    CalculateField417(false);
    CalculateFedTax();
    CalculateBeforeLine437(true);
    CalculateBalance(true);
    return 0;
}

// ---- Predicates

int TaxData_T1New::GetAge() const { return ageAtYearEnd(BirthDate.m_value); }
int TaxData_T1New::GetSpouseAge() const { return ageAtYearEnd(SpouseBirthDate.m_value); }

// Married (0) or common-law (1) on December 31.
bool TaxData_T1New::HasSpouse() const { return MaritalStatus.m_value == 0 || MaritalStatus.m_value == 1; }
bool TaxData_T1New::CanClaimSpouse() const { return HasSpouse(); }
bool TaxData_T1New::canClaimSch2() const { return HasSpouse(); }
bool TaxData_T1New::canClaimT1032() const { return HasSpouse(); }

void TaxData_T1New::clearSpouseInfo()
{
    // The spouse block (ids 120 to 136) by its members: a calculation of a
    // return without a spouse clears it on every pass, and the table has
    // hundreds of other fields.
    for (CField* field : std::initializer_list<CField*>{
             &SpouseFirstName, &SpouseLastName, &SpouseSIN, &SpouseBirthDate, &SpouseEntryDate, &SpouseNetIncome,
             &SpouseUCCB, &SpouseUCCBRepayment, &SpouseWorkingIncome, &SpouseSelfEmploymentIncome,
             &SpouseHasSelfEmployment, &SpouseTaxableIncome, &SpouseSplitIncome, &SpouseAdjustedNetIncome,
             &SpouseChildCare, &SpouseMortgageForeclosure, &SpouseTaxPayable})
        field->reset();
}

bool TaxData_T1New::IsWidowedInTaxYear() const { return MaritalStatus.m_value == 2 && HasMaritalChange(); }

bool TaxData_T1New::HasMaritalChange() const
{
    return MaritalStatusChanged.m_value != 0 && inTaxYear(MaritalStatusChangeDate.m_value);
}

bool TaxData_T1New::IsBankrupt() const { return inTaxYear(BankruptcyDate.m_value); }
bool TaxData_T1New::IsPostBankrupt() const { return IsBankrupt() && BankruptcyPeriod.m_value == 1; }

int TaxData_T1New::GetBankruptDaysInTaxYear() const
{
    if (!IsBankrupt())
        return daysInTaxYear();
    const QDate date = BankruptcyDate.m_value;
    // The return before the bankruptcy covers January 1 to the day before;
    // the one after covers the day of bankruptcy to December 31.
    return IsPostBankrupt() ? int(date.daysTo(QDate(kTaxYear, 12, 31))) + 1 : date.dayOfYear() - 1;
}

int TaxData_T1New::GetBankruptMonthsInTaxYear() const
{
    if (!IsBankrupt())
        return 12;
    const int month = BankruptcyDate.m_value.month();
    return IsPostBankrupt() ? 13 - month : month - 1;
}

bool TaxData_T1New::IsImmigrant() const { return inTaxYear(EntryDate.m_value); }
bool TaxData_T1New::IsEmmigrant() const { return inTaxYear(DepartureDate.m_value); }
bool TaxData_T1New::shouldProrateAsImmigrant() const { return IsImmigrant() || IsEmmigrant(); }
bool TaxData_T1New::IsDeceased() const { return inTaxYear(DateOfDeath.m_value); }
bool TaxData_T1New::IsDeceasedForEfileReporting() const { return DateOfDeath.IsValid(); }
bool TaxData_T1New::KnowDeceasedDate() const { return DateOfDeath.IsValid(); }
bool TaxData_T1New::IsDisabled() const { return Disabled.m_value != 0; }
bool TaxData_T1New::IsAgeUnder18() const { return GetAge() < 18; }
bool TaxData_T1New::IsAgeNotUnder65() const { return GetAge() >= 65; }
bool TaxData_T1New::IsSpouseAgeNotUnder65() const { return GetSpouseAge() >= 65; }
bool TaxData_T1New::IsSpouseAgeNotUnder18() const { return GetSpouseAge() >= 18; }

bool TaxData_T1New::HasSelfEmploymentIncome() const
{
    for (const CFloatField* net : {&line13500BusinessNet, &line13700ProfessionalNet, &line13900CommissionNet,
                                   &line14100FarmingNet, &line14300FishingNet})
        if (isPresentAmount(net->m_value))
            return true;
    return false;
}

bool TaxData_T1New::HasSelfEmploymentIncome2(int kind) const
{
    // Kind 0 also counts a statement that is in the return with no income yet.
    if (HasSelfEmploymentIncome())
        return true;
    return kind == 0 && BusinessCount.m_value + ProfessionalCount.m_value + CommissionCount.m_value +
                                FarmingCount.m_value + FishingCount.m_value >= 1;
}

double TaxData_T1New::getSelfEmploymentIncomeWithoutLoss() const
{
    double total = 0;
    for (const CFloatField* net : {&line13500BusinessNet, &line13700ProfessionalNet, &line13900CommissionNet,
                                   &line14100FarmingNet, &line14300FishingNet})
        total += std::max(0.0, net->m_value);
    return total;
}

double TaxData_T1New::getSelfEmploymentIncomeForCPP() const
{
    return std::max(0.0, sum({&line13500BusinessNet, &line13700ProfessionalNet, &line13900CommissionNet,
                              &line14100FarmingNet, &line14300FishingNet}));
}

namespace {
// Provinces whose residents receive the federal fuel charge rebate in 2024:
// Alberta, Manitoba, New Brunswick, Newfoundland and Labrador, Nova Scotia,
// Ontario, Prince Edward Island, Saskatchewan.
bool isFuelChargeProvince(int province)
{
    for (int p : {1, 3, 4, 5, 6, 9, 10, 12})
        if (p == province)
            return true;
    return false;
}
}  // namespace

bool TaxData_T1New::isEligibleForCAI() const
{
    return isFuelChargeProvince(getMainTaxProvince()) && !IsDeceased() && !IsEmmigrant();
}

bool TaxData_T1New::isProvEligibleForCAI() const { return isFuelChargeProvince(getMainTaxProvince()); }

// Only Ontario's return asks the organ donor question.
bool TaxData_T1New::isDonorInfoNeeded() const { return getMainTaxProvince() == 9; }

double TaxData_T1New::getSpouseNetIncForSpouseCredit(bool includeSplitIncome) const
{
    return SpouseNetIncome.m_value + (includeSplitIncome ? SpouseSplitIncome.m_value : 0.0);
}

bool TaxData_T1New::canNotOverwriteSpouseAgeAmount() const { return !canClaimSch2(); }

double TaxData_T1New::CalculateAgeAmount(bool eligible, double netIncome, int days, int daysInYear, double maximum,
                                         double threshold, double rate)
{
    if (!eligible || daysInYear <= 0)
        return 0;
    const double amount = std::max(0.0, maximum - std::max(0.0, netIncome - threshold) * rate);
    return amount * std::min(1.0, double(days) / daysInYear);
}

void TaxData_T1New::GetIncomeThresholds(QList<double>& thresholds) const
{
    for (double threshold : m_taxStairs.thresholds())
        thresholds.append(threshold);
}

CString TaxData_T1New::ConstructFullName() const
{
    return CString(QString(FirstName.m_value.trimmed() + " " + LastName.m_value.trimmed()).trimmed());
}

void TaxData_T1New::GetFullAddressWithoutPostcode(int style, CString& out) const
{
    QString line = AddressLine1.m_value;
    auto append = [&line](const QString& part) {
        while (line.endsWith(' '))
            line.chop(1);
        if (!line.isEmpty())
            line += ' ';
        line += part;
    };
    if (!AddressLine2.m_value.isEmpty())
        append(AddressLine2.m_value);
    if (!RuralRoute.m_value.isEmpty())
        append("RR " + RuralRoute.m_value);
    // Style 10 is the street line alone; the others add the city.
    if (style != 10 && !City.m_value.isEmpty())
        line += (line.isEmpty() ? "" : ", ") + City.m_value;
    out = CString(line);
}

bool TaxData_T1New::IsNonRefTaxCreditAllUsed() const
{
    return line35000NonRefundableCredits.m_value >= line40400FederalTaxOnIncome.m_value + line40424TaxOnSplitIncome.m_value;
}

void TaxData_T1New::SyncWithSpouseMailingAddr(const TaxData_T1New& other)
{
    for (const CField* from : other.fieldList())
        if (from->id() >= 20 && from->id() <= 31)
            if (CField* to = findFieldById(from->id()))
                to->copyValueFrom(*from);
}

std::vector<CTaxData_Form::PageAction> TaxData_T1New::pageActions() const
{
    return {
        {"PostalCode", "btnCopyAddressToSpouse", "Copy mailing address to spouse's return", FORMEVENT_MAILING_TO_SPOUSE, 0},
        {"PreparerEFileNumber", "btnCopyPreparer", "Copy tax preparer's data", FORMEVENT_COPY_PREPARER, 0},
    };
}

int TaxData_T1New::WriteDireradData(unsigned char, DireradGenObjParamStru& param)
{
    static const std::set<int> kWrittenByReturnRules = {
        50339, 50340, 12599, 12600, 13499, 13500, 14299, 14300, 14099, 14100, 13899, 13900, 13699, 13700,
        9915,  55290, 55220, 57730, 55320, 55300, 67650, 67830, 67820, 67860, 67840, 67890, 68080, 68100,
        68110, 5365,  54950, 49000};
    return writeDireradLinesOfTable(*this, param, &kWrittenByReturnRules);
}
