#include "provincialcalculation.h"

#include <QDate>
#include <algorithm>

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/federal/credits.h"
#include "companion/forms/provincialt1amounts.h"
#include "companion/rules/money.h"
#include "companion/rules/provincialcredits2024.h"
#include "companion/rules/provincialpolitical2024.h"
#include "companion/rules/provincialrefundable2024.h"
#include "companion/rules/provincialtables2024.h"

using namespace ProvincialT1Amounts;

namespace {

constexpr int kTaxYear = 2024;

// A field's kind names its class (a yes/no field is a whole number too), so
// the kind answers what a run-time cast would: the helpers below look the
// T1's fields up many times a calculation.
CFloatField* asFloat(CField* field)
{
    return field && field->kind() == FieldKind::Float ? static_cast<CFloatField*>(field) : nullptr;
}

CIntField* asWholeNumber(CField* field)
{
    return field && (field->kind() == FieldKind::Int || field->kind() == FieldKind::Bool)
               ? static_cast<CIntField*>(field)
               : nullptr;
}

CStringField* asText(CField* field)
{
    return field && field->kind() == FieldKind::String ? static_cast<CStringField*>(field) : nullptr;
}

CDateField* asDate(CField* field)
{
    return field && field->kind() == FieldKind::Date ? static_cast<CDateField*>(field) : nullptr;
}

// A field of any form by its name: amounts, whole numbers and dates. The
// plug-in reaches the schedules by field name, as it does the T1, so it
// does not depend on their classes.
double formAmount(const CTaxData_Form* form, const char* name)
{
    if (!form)
        return 0.0;
    // A field's kind names its class (a yes/no field is a whole number).
    const CField* field = form->findField(QLatin1String(name));
    if (!field)
        return 0.0;
    switch (field->kind()) {
    case FieldKind::Float: return static_cast<const CFloatField*>(field)->m_value;
    case FieldKind::Int:
    case FieldKind::Bool: return static_cast<const CIntField*>(field)->m_value;
    default: return 0.0;
    }
}

bool ageAtLeast65(const CTaxData_Form* t1)
{
    auto* birth = t1 ? asDate(t1->findField(QStringLiteral("BirthDate"))) : nullptr;
    return birth && birth->m_value.isValid() && kTaxYear - birth->m_value.year() >= 65;
}

bool hasSpouse(const CTaxData_Form* t1)
{
    // Married (0) or living common-law (1) on December 31.
    auto* status = t1 ? asWholeNumber(t1->findField(QStringLiteral("MaritalStatus"))) : nullptr;
    return status && (status->m_value == 0 || status->m_value == 1);
}

bool spouseAtLeast65(const CTaxData_Form* t1)
{
    auto* birth = t1 ? asDate(t1->findField(QStringLiteral("SpouseBirthDate"))) : nullptr;
    return birth && birth->m_value.isValid() && kTaxYear - birth->m_value.year() >= 65;
}

QString textOf(const CTaxData_Form* t1, const char* name)
{
    auto* field = t1 ? asText(t1->findField(QLatin1String(name))) : nullptr;
    return field ? QString(field->m_value).remove(QLatin1Char(' ')) : QString();
}

// T1 lines whose amounts feed a provincial credit that is not worked out
// here for any province.
struct LeftOutLine
{
    const char* field;
    const char* description;
    // The province's form copies the line, so it is not left out there.
    bool taxrules::ProvincialCreditTable::*copiedBy = nullptr;
};

const LeftOutLine kLeftOut[] = {
    {"line31220VolunteerFirefighters", "volunteer firefighters' amount (line 31220)",
     &taxrules::ProvincialCreditTable::volunteerFirefightersAsFederal},
    {"line31240SearchRescue", "search and rescue volunteers' amount (line 31240)",
     &taxrules::ProvincialCreditTable::searchRescueAsFederal},
    {"line32400TuitionFromChild", "tuition amounts transferred from a child (line 32400)"},
    {"line40424TaxOnSplitIncome", "provincial tax on split income (line 40424)"},
    {"line40427MinimumTaxCarryover", "minimum tax carryover (line 40427)"},
};

// The field of each ProvincialT1Lines::Line, in its order.
const char* const kLineFields[ProvincialT1Lines::LineCount] = {
    kTaxableIncomeField, kNetIncomeField, kBasePensionEmploymentField, kBasePensionSelfEmployedField,
    kEiPremiumsField, "line31217EiSelfEmployed", "line31400PensionIncomeAmount", "line31600DisabilitySelf",
    "line31900StudentLoanInterest", "line31260CanadaEmployment", "line12010OtherThanEligibleDividends",
    "line12000TaxableDividends", "line10100EmploymentIncome", "line10400OtherEmploymentIncome", "SpouseNetIncome",
    "ChildrenUnder19", "MedicalChildren", "MedicalOwn1", "MedicalOwn2", "MedicalOwn3", "MedicalOwn4", "MedicalOwn5",
    "MedicalOwn6", "MedicalSpouse1", "MedicalSpouse2", "MedicalSpouse3", "MedicalSpouse4", "MedicalSpouse5",
    "MedicalSpouse6", "line30100AgeAmount", "line30300SpouseAmount", "line30400EligibleDependant",
    "line31800DisabilityTransferred", "line33199NotInTable", "line32600TransferFromSpouse",
    "line30500CaregiverChildren", "line31300Adoption1", "line31300Adoption2", "line31300Adoption3",
    "line31300Adoption4", "line31300Adoption5", "line31300Adoption6", "line31800NotInTable",
    "line30450CaregiverOther", "line30425CaregiverSpouse", "line31300AdoptionExpenses",
    "line31220VolunteerFirefighters", "line31240SearchRescue"};

// What the provincial Schedule 11 takes from the federal one: this year's
// tuition after the Canada training credit (its line 8, which the provincial
// forms copy to line 59140), the months of study, and the designation of a
// transfer (to a spouse, 1, or a parent or grandparent, 2).
void tuitionScheduleAmounts(const CTaxData_Form* sch11, ProvincialScheduleAmounts& s)
{
    if (!sch11 || sch11->getType() != FORM_SCH11)
        return;
    s.tuitionFees = formAmount(sch11, "line32000CurrentYear");
    s.fullTimeMonths = formAmount(sch11, "TotalFullTimeMonths");
    s.partTimeMonths = formAmount(sch11, "TotalPartTimeMonths");
    const double transferTo = formAmount(sch11, "TransferTo");
    s.tuitionTransferDesignated = transferTo == 1.0 || transferTo == 2.0;
}

} // namespace

void ProvincialT1Lines::attach(const CTaxData_Form* t1)
{
    if (t1 == m_t1 && t1)
        return;
    m_t1 = t1;
    const bool isT1 = t1 && t1->getKind() == FROM_FORM && t1->getType() == FORM_T1;
    for (int line = 0; line < LineCount; ++line)
        m_fields[line] =
            isT1 ? asFloat(t1->findField(QLatin1String(kLineFields[line]))) : nullptr;
}

double ProvincialT1Lines::operator()(Line line) const
{
    const CFloatField* field = line >= 0 && line < LineCount ? m_fields[line] : nullptr;
    return field ? field->m_value : 0.0;
}

ProvincialScheduleAmounts provincialScheduleAmounts(const CTaxData_Form* sch5, const CTaxData_Form* sch9,
                                                    const CTaxData_Form* sch2, const CTaxData_Form* sch11)
{
    ProvincialScheduleAmounts s;
    // The federal Schedule 5 says who is claimed; the provincial amounts
    // are worked from the same person's net income.
    s.claimsSpouse = formAmount(sch5, "ClaimSpouseAmount") != 0.0 && formAmount(sch5, "CanClaimSpouse") != 0.0;
    s.spouseNetIncome = formAmount(sch5, "SpouseNetIncome");
    s.claimsEligibleDependant = formAmount(sch5, "ClaimEligibleDependant") != 0.0 && formAmount(sch5, "HasSpouse") == 0.0;
    s.dependantNetIncome = formAmount(sch5, "DependantNetIncome");
    // Provincial donation credits start from the allowable donations of the
    // federal Schedule 9 (its lines 13 and 14 split them at 200).
    s.donations = taxrules::roundCents(formAmount(sch9, "line34000AllowableDonations")
                                       + formAmount(sch9, "line34200CulturalGifts"));
    if (s.claimsEligibleDependant) {
        auto* name = asText(sch5->findField(QStringLiteral("DependantName")));
        s.eligibleDependantName = name ? QString(name->m_value).simplified().toCaseFolded() : QString();
    }
    s.claimsSpouseTransfer = sch2 && formAmount(sch2, "CanClaimFlag") != 0.0;
    s.spouseTuitionTransfer = formAmount(sch2, "SpouseTuitionTransfer");
    tuitionScheduleAmounts(sch11, s);
    return s;
}

void readInterviewAnswers(const CTaxData_Form* interview, ProvincialScheduleAmounts& schedules)
{
    schedules.infirmDependantsLivedWithClaimant = formAmount(interview, "infirmDependantsLivedWithYou") != 0.0;
    schedules.politicalContributions = formAmount(interview, "politicalContributions");
}

double provincialTuitionCarryForwardOnT1(const CTaxData_Form* t1)
{
    return formAmount(t1, "ProvTuitionCarryForward");
}

namespace {

// The dependants of the table with what the provincial form takes from
// each: the disability amount of those eligible for it, whoever claims the
// caregiver amounts, and the medical expenses the T1 holds for a dependant
// other than a child under 18 (a child's are with the return's own).
std::vector<taxrules::ProvincialDependant> provincialDependants(const DependantInfoStruct* table,
                                                                const CTaxData_Form* t1,
                                                                const QString& eligibleDependant)
{
    std::vector<taxrules::ProvincialDependant> out;
    for (int d = 0; table && t1 && d < table->GetCount() && d < 12; ++d) {
        const DependantInfo* info = table->GetAt(d);
        if (!info || !info->isUsed())
            continue;
        const int age = info->ageAtYearEnd();
        const bool childUnder18 = info->relationship == DEP_REL_CHILD && age >= 0 && age < 18;
        taxrules::ProvincialDependant dependant;
        dependant.under18 = age >= 0 && age < 18;
        dependant.netIncome = info->netIncome;
        dependant.transfersDisability = info->relationship != DEP_REL_NONE
                                        && info->infirm == DependantInfo::kInfirmWithDisabilityAmount;
        // The one claimed as eligible dependant has the caregiver amount
        // with that claim (line 30425), not again here.
        const QString name = QString(info->firstName + CString(" ") + info->lastName).simplified().toCaseFolded();
        dependant.caregiver = info->relationship != DEP_REL_NONE && info->infirm && age >= 18
                              && (eligibleDependant.isEmpty() || name != eligibleDependant);
        if (!childUnder18) {
            double expenses = 0.0;
            for (int a = 1; a <= 5; ++a)
                expenses += taxrules::positivePart(
                    formAmount(t1, QStringLiteral("MedicalDependant%1_%2").arg(d + 1).arg(a).toLatin1().constData()));
            dependant.otherMedicalExpenses = taxrules::roundCents(expenses);
        }
        if (dependant.transfersDisability || dependant.caregiver
            || taxrules::isPresentAmount(dependant.otherMedicalExpenses))
            out.push_back(dependant);
    }
    return out;
}

// Whether the eligible dependant Schedule 5 names is one of the children
// under 19 of the table (those the T1 counts): a parent or other relative
// of the table claimed as eligible dependant leaves every child counted.
// Without a name, or with one the table does not hold, the dependant is
// taken as one of the children, the common case.
bool eligibleDependantIsCountedChild(const DependantInfoStruct* table, const QString& eligibleDependant)
{
    if (!table || eligibleDependant.isEmpty())
        return true;
    for (int d = 0; d < table->GetCount(); ++d) {
        const DependantInfo* info = table->GetAt(d);
        if (!info || !info->isUsed())
            continue;
        const QString name = QString(info->firstName + CString(" ") + info->lastName).simplified().toCaseFolded();
        if (name == eligibleDependant) {
            const int age = info->ageAtYearEnd();
            return info->isChild() && age >= 0 && age <= 18;
        }
    }
    return true;
}

// The months of the year in which one child was less than six years of age
// on the first day of the month (and born by then).
int monthsUnderSix(const DependantInfo& child)
{
    if (!child.dateOfBirth.isValid())
        return 0;
    const QDate sixth = child.dateOfBirth.addYears(6);
    int months = 0;
    for (int month = 1; month <= 12; ++month) {
        const QDate first(kTaxYear, month, 1);
        if (child.dateOfBirth <= first && first < sixth)
            ++months;
    }
    return months;
}

// Those months added over the children of the table, which are taken as
// living with the claimant: what the amounts for young children count
// (Prince Edward Island's and Nova Scotia's). `withoutEligibleDependant`
// leaves out the child Schedule 5 names as eligible dependant; without a
// name the eldest child is taken as the one claimed (the one with the
// fewest such months).
struct YoungChildMonths
{
    int all = 0;
    int withoutEligibleDependant = 0;
};
YoungChildMonths youngChildMonths(const DependantInfoStruct* table, bool claimsEligibleDependant,
                                  const QString& eligibleDependant)
{
    YoungChildMonths out;
    int named = -1;
    int fewest = -1;
    for (int d = 0; table && d < table->GetCount(); ++d) {
        const DependantInfo* info = table->GetAt(d);
        if (!info || !info->isUsed() || !info->isChild())
            continue;
        const int months = monthsUnderSix(*info);
        out.all += months;
        const QString name = QString(info->firstName + CString(" ") + info->lastName).simplified().toCaseFolded();
        if (!eligibleDependant.isEmpty() && name == eligibleDependant)
            named = months;
        if (fewest < 0 || months < fewest)
            fewest = months;
    }
    const int claimed = !claimsEligibleDependant ? 0 : named >= 0 ? named : std::max(0, fewest);
    out.withoutEligibleDependant = out.all - claimed;
    return out;
}

// The children of the table less than six years of age at the end of the
// year: what Nunavut's amount for young children counts.
int youngChildrenAtYearEnd(const DependantInfoStruct* table)
{
    int children = 0;
    for (int d = 0; table && d < table->GetCount(); ++d) {
        const DependantInfo* info = table->GetAt(d);
        if (!info || !info->isUsed() || !info->isChild())
            continue;
        const int age = info->ageAtYearEnd();
        if (age >= 0 && age < 6)
            ++children;
    }
    return children;
}

} // namespace

taxrules::ProvincialResult computeProvincialFromT1(ENUMTYPE_PROVINCE province, const CTaxData_Form* t1,
                                                   const ProvincialScheduleAmounts& schedules,
                                                   ProvincialT1Lines* lines, const ProvincialCoupleAmounts& couple,
                                                   const DependantInfoStruct* dependants,
                                                   const std::vector<taxrules::ForeignTaxLeft>& foreignTax,
                                                   bool minimumTax)
{
    ProvincialT1Lines own;
    ProvincialT1Lines& line = lines ? *lines : own;
    line.attach(t1);
    using L = ProvincialT1Lines;
    // The T1 has settled these lines by the time the provincial steps run;
    // they are what the provincial form carries over from the federal one.
    taxrules::ProvincialInput in;
    in.taxableIncome = line(L::TaxableIncome);
    in.netIncome = line(L::NetIncome);
    in.pensionPlanBaseAmount =
        taxrules::roundCents(line(L::BasePensionEmployment) + line(L::BasePensionSelfEmployed));
    in.eiPremiums = taxrules::roundCents(line(L::EiPremiums) + line(L::EiSelfEmployed));
    in.age65 = ageAtLeast65(t1);
    in.claimsSpouse = schedules.claimsSpouse;
    in.spouseNetIncome = schedules.spouseNetIncome;
    in.claimsEligibleDependant = schedules.claimsEligibleDependant;
    in.dependantNetIncome = schedules.dependantNetIncome;
    in.pensionIncomeAmount = line(L::PensionIncomeAmount);
    in.disabilitySelf = taxrules::isPositiveAmount(line(L::DisabilitySelf));
    in.studentLoanInterest = line(L::StudentLoanInterest);
    in.canadaEmploymentAmount = line(L::CanadaEmployment);
    // The expenses before any threshold: the T1's line 33099 holds them
    // less the federal threshold, and each province has its own.
    double medical = 0.0;
    for (int m = L::MedicalChildren; m <= L::MedicalSpouse6; ++m)
        medical += taxrules::positivePart(line(L::Line(m)));
    in.medicalExpenses = taxrules::roundCents(medical);
    in.donations = schedules.donations;
    in.otherDividends = line(L::OtherDividends);
    in.eligibleDividends = taxrules::roundCents(line(L::TaxableDividends) - in.otherDividends);
    in.employmentIncome = taxrules::roundCents(line(L::Employment) + line(L::OtherEmployment));
    in.familyNetIncome = taxrules::roundCents(in.netIncome + (hasSpouse(t1) ? line(L::SpouseNetIncome) : 0.0));
    in.dependentChildren = int(line(L::ChildrenUnder19));
    in.eligibleDependantIsChild =
        !schedules.claimsEligibleDependant || eligibleDependantIsCountedChild(dependants, schedules.eligibleDependantName);
    in.hasSpouse = hasSpouse(t1);
    in.spouseAge65 = in.hasSpouse && spouseAtLeast65(t1);
    in.claimsFamilyAmounts = couple.claimsFamilyAmounts;
    in.spouseReturnSameProvince = couple.spouseReturnSameProvince;
    in.spouseUnusedReduction = couple.spouseUnusedReduction;
    in.federalAgeAmount = line(L::AgeAmount);
    in.federalSpouseAmount = line(L::SpouseAmount);
    in.federalEligibleDependantAmount = line(L::EligibleDependantAmount);
    in.federalDisabilityAmount = line(L::DisabilitySelf);
    in.federalDisabilityTransferred = line(L::DisabilityTransferred);
    in.dependants = provincialDependants(dependants, t1, schedules.eligibleDependantName);
    // The provincial form claims a dependant's amounts on the return that
    // claims them federally (the table is the family's, shared by spouses).
    const bool claimsDisability =
        taxrules::isPresentAmount(line(L::DisabilityTransferred) - line(L::DisabilityNotInTable));
    const bool claimsCaregiver = taxrules::isPresentAmount(line(L::CaregiverOther));
    for (taxrules::ProvincialDependant& d : in.dependants) {
        d.transfersDisability = d.transfersDisability && claimsDisability;
        d.caregiver = d.caregiver && claimsCaregiver;
    }
    for (int child = L::Adoption1; child <= L::Adoption6; ++child)
        in.adoptionExpenses[std::size_t(child - L::Adoption1)] = line(L::Line(child));
    in.federalInfirmChildren = taxrules::isPresentAmount(line(L::InfirmChildren));
    in.infirmDependantsLivedWithClaimant = schedules.infirmDependantsLivedWithClaimant;
    in.politicalContributions = schedules.politicalContributions;
    in.otherMedicalNotInTable = taxrules::isPresentAmount(line(L::OtherDependantsMedicalNotInTable));
    in.disabilityNotInTable = taxrules::isPresentAmount(line(L::DisabilityNotInTable));
    in.claimsSpouseTransfer = schedules.claimsSpouseTransfer && in.hasSpouse;
    in.spouseTransferable = couple.spouseTransferable;
    in.spouseTuitionTransfer = schedules.spouseTuitionTransfer;
    in.federalSpouseTransfer = line(L::TransferFromSpouse);
    in.foreignTax = foreignTax;
    in.minimumTax = minimumTax;
    in.federalCaregiverSpouse = line(L::CaregiverSpouse);
    in.federalCaregiverOther = line(L::CaregiverOther);
    in.federalCaregiverChildren = line(L::InfirmChildren);
    in.federalAdoptionAmount = line(L::AdoptionExpenses);
    in.federalVolunteerFirefighters = line(L::VolunteerFirefighters);
    in.federalSearchRescue = line(L::SearchRescue);
    const YoungChildMonths young =
        youngChildMonths(dependants, schedules.claimsEligibleDependant, schedules.eligibleDependantName);
    in.youngChildMonths = young.all;
    in.youngChildMonthsNotEligibleDependant = young.withoutEligibleDependant;
    in.youngChildren = youngChildrenAtYearEnd(dependants);
    // Only the spouse with the lower net income claims the young children
    // (at equal incomes, the one the tie-break does not pick), also when the
    // spouse lives in another province.
    in.claimsYoungChildren = !in.hasSpouse || !couple.higherIncomeSpouse;
    in.tuitionCarryForward = schedules.tuitionCarryForward;
    in.tuitionFees = schedules.tuitionFees;
    in.fullTimeMonths = schedules.fullTimeMonths;
    in.partTimeMonths = schedules.partTimeMonths;
    in.tuitionTransferDesignated = schedules.tuitionTransferDesignated;
    return taxrules::computeProvincial(taxrules::provinceFromNumber(province), in);
}

std::vector<taxrules::ForeignTaxLeft> provincialForeignTax(const std::list<TaxData_T2209_2036*>& t2209List)
{
    std::vector<taxrules::ForeignTaxLeft> countries;
    for (const TaxData_T2209_2036* t2209 : t2209List) {
        if (!t2209)
            continue;
        taxrules::ForeignTaxLeft country;
        country.taxNotCredited = taxrules::roundCents(taxrules::positivePart(
            t2209->ForeignTaxPaid.m_value - t2209->Adjust15Percent.m_value - t2209->Result1.m_value));
        country.foreignIncome = t2209->ForeignNonBusinessIncome.m_value;
        country.netIncome = t2209->NetIncome.m_value;
        countries.push_back(country);
    }
    return countries;
}

bool minimumTaxApplies(const CTaxData_Form* t691)
{
    return taxrules::isPositiveAmount(formAmount(t691, "Result"));
}

ProvincialRefundableCredits computeProvincialCredits(ENUMTYPE_PROVINCE province, const CTaxData_Form* t1,
                                                     const CTaxData_Form* interview,
                                                     const ProvincialCoupleAmounts& couple,
                                                     const CTaxData_Form* creditsForm,
                                                     const taxrules::ProvincialResult* taxForm)
{
    ProvincialRefundableCredits credits;
    // The interview's answers may be missing (its amounts then count as
    // nil); the childcare credit needs none of them.
    if (!t1)
        return credits;
    switch (taxrules::provinceFromNumber(province)) {
    case taxrules::Province::ON: {
        // 65 at the start of the year: born in 1958 or earlier.
        auto* birth = asDate(t1->findField(QStringLiteral("BirthDate")));
        const bool senior = birth && birth->m_value.isValid() && kTaxYear - 1 - birth->m_value.year() >= 65;
        credits.seniorsTransit = taxrules::ontarioSeniorsTransitCredit(senior, formAmount(interview, "transitCosts"));
        // The childcare credit on the deduction this return claims, at the
        // rate of the family's adjusted income: net incomes without the
        // child care benefit and disability savings plan income (the spouse's
        // as the return holds it, line 23600).
        const double childCare = lineAmount(t1, "line21400ChildCare");
        if (taxrules::isPositiveAmount(childCare)) {
            const double spouse = hasSpouse(t1) ? lineAmount(t1, "SpouseNetIncome") : 0.0;
            const double adjusted = taxrules::roundCents(
                lineAmount(t1, kNetIncomeField) - lineAmount(t1, "line11700UCCB")
                - lineAmount(t1, "line12500RdspIncome") + lineAmount(t1, "line21300UCCBRepayment") + spouse);
            credits.care = taxrules::ontarioCareCredit(adjusted, childCare);
        }
        // The seniors care at home credit on the ON428's allowable medical
        // expenses (line 58769), at 70 or older (born in 1954 or earlier),
        // or with a spouse who is; family net income as lines 5 to 7.
        if (taxForm) {
            auto* spouseBirth = asDate(t1->findField(QStringLiteral("SpouseBirthDate")));
            const bool spouse = hasSpouse(t1);
            const bool seventy =
                (birth && birth->m_value.isValid() && kTaxYear - birth->m_value.year() >= 70)
                || (spouse && spouseBirth && spouseBirth->m_value.isValid()
                    && kTaxYear - spouseBirth->m_value.year() >= 70);
            const double family = taxrules::roundCents(lineAmount(t1, kNetIncomeField)
                                                       + (spouse ? lineAmount(t1, "SpouseNetIncome") : 0.0));
            credits.careAtHome = taxrules::ontarioSeniorsCareAtHomeCredit(
                seventy, taxrules::roundCents(taxForm->medicalAmount + taxForm->otherDependantsMedical), family);
        }
        break;
    }
    case taxrules::Province::MB: {
        // A couple claims it once, on the return that claims the family's
        // amounts; the family income as the CARE credit's above.
        if (!couple.claimsFamilyAmounts)
            break;
        taxrules::ManitobaPersonalCreditFamily family;
        const bool spouse = hasSpouse(t1);
        family.spouseOrEligibleDependant =
            spouse || taxrules::isPositiveAmount(lineAmount(t1, "line30400EligibleDependant"));
        // 65 or older: born in 1959 or earlier.
        family.age65 = ageAtLeast65(t1);
        family.spouseAge65 = spouse && spouseAtLeast65(t1);
        family.disabilityClaims = taxrules::isPositiveAmount(lineAmount(t1, "line31600DisabilitySelf")) ? 1 : 0;
        family.dependentChildren = int(lineAmount(t1, "ChildrenUnder19"));
        family.familyIncome = taxrules::roundCents(
            lineAmount(t1, kNetIncomeField) - lineAmount(t1, "line11700UCCB") - lineAmount(t1, "line12500RdspIncome")
            + lineAmount(t1, "line21300UCCBRepayment") + (spouse ? lineAmount(t1, "SpouseNetIncome") : 0.0));
        credits.personal = taxrules::manitobaPersonalTaxCredit(family);
        break;
    }
    case taxrules::Province::NT: {
        // Adjusted net income as Nunavut's below; the spouse's is taken as
        // their net income. A couple claims the supplement once, on the
        // return that claims the family's amounts; someone under 18 none.
        const double adjusted = taxrules::roundCents(lineAmount(t1, kNetIncomeField)
                                                     - lineAmount(t1, "line24400ForcesPoliceDeduction")
                                                     - lineAmount(t1, "line25000OtherPaymentsDeduction"));
        auto* birth = asDate(t1->findField(QStringLiteral("BirthDate")));
        const bool adult = !birth || !birth->m_value.isValid() || kTaxYear - birth->m_value.year() >= 18;
        const bool spouse = hasSpouse(t1);
        credits.costOfLiving = taxrules::northwestTerritoriesCostOfLivingCredit(
            adjusted, adult && couple.claimsFamilyAmounts, spouse, spouse ? lineAmount(t1, "SpouseNetIncome") : 0.0);
        break;
    }
    case taxrules::Province::NB:
        // Each claimant's own, on the expenses this return claims: for
        // someone 65 or older or living with a family member who is.
        credits.homeRenovation = taxrules::nbSeniorsHomeRenovationCredit(
            ageAtLeast65(t1) || formAmount(creditsForm, "livesWithSeniorOrDisabled") != 0.0,
            formAmount(creditsForm, "nbHomeRenovationExpenses"));
        break;
    case taxrules::Province::NL:
        credits.physicalActivity =
            taxrules::nlPhysicalActivityCredit(formAmount(creditsForm, "physicalActivityExpenses"));
        break;
    case taxrules::Province::NU: {
        // Adjusted net income: net income less the armed forces and police
        // deduction and the other payments deduction (line 25600's
        // treaty-exempt foreign income is not told apart from its other
        // deductions, and is not taken off). A single parent: no spouse and
        // a child under 19 in the dependant table.
        const double adjusted = taxrules::roundCents(lineAmount(t1, kNetIncomeField)
                                                     - lineAmount(t1, "line24400ForcesPoliceDeduction")
                                                     - lineAmount(t1, "line25000OtherPaymentsDeduction"));
        const bool singleParent = !hasSpouse(t1) && lineAmount(t1, "ChildrenUnder19") > 0.0;
        credits.costOfLiving = taxrules::nunavutCostOfLivingCredit(adjusted, singleParent);
        break;
    }
    case taxrules::Province::BC: {
        // The home renovation credit is each claimant's own, on the expenses
        // this return claims: for someone 65 or older or eligible for the
        // disability amount, or living with such a family member.
        const bool renovationEligible = ageAtLeast65(t1)
                                        || taxrules::isPositiveAmount(lineAmount(t1, "line31600DisabilitySelf"))
                                        || formAmount(creditsForm, "livesWithSeniorOrDisabled") != 0.0;
        credits.homeRenovation =
            taxrules::bcHomeRenovationCredit(renovationEligible, formAmount(creditsForm, "homeRenovationExpenses"));
        // One renter's credit for a couple, on the return that claims the family's amounts.
        if (couple.claimsFamilyAmounts) {
            const double family =
                lineAmount(t1, kNetIncomeField) + (hasSpouse(t1) ? lineAmount(t1, "SpouseNetIncome") : 0.0);
            credits.renter = taxrules::bcRenterCredit(family, formAmount(interview, "rentPaid"),
                                                      int(formAmount(interview, "rentMonths")));
        }
        break;
    }
    default: break;
    }
    // Ontario's and Nunavut's political contribution credits are refundable.
    const taxrules::Province jurisdiction = taxrules::provinceFromNumber(province);
    if (taxrules::politicalContributionCreditIsRefundable(jurisdiction)) {
        credits.political = taxrules::provincialPoliticalContributionCredit(
            jurisdiction, formAmount(interview, "politicalContributions"));
        // Nunavut's is at most the territorial tax the cost of living
        // credit leaves (NU479 lines 17 to 20).
        if (jurisdiction == taxrules::Province::NU)
            credits.political = std::min(credits.political,
                                         taxrules::roundCents(taxrules::positivePart(
                                             lineAmount(t1, "line42800ProvincialTax") - credits.costOfLiving)));
    }
    credits.total = taxrules::roundCents(credits.seniorsTransit + credits.care + credits.careAtHome + credits.renter
                                         + credits.homeRenovation + credits.physicalActivity + credits.political
                                         + credits.personal
                                         + credits.costOfLiving);
    return credits;
}

std::vector<SharedLimit> sharedLimits(ENUMTYPE_PROVINCE province)
{
    // Schedules BC(S12) and NB(S12) (10,000 for the couple), the NL479's
    // physical activity fees (2,000 for the family): the sources of
    // provincialrefundable2024.cpp.
    switch (taxrules::provinceFromNumber(province)) {
    case taxrules::Province::BC:
    case taxrules::Province::NB:
        return {{kProvAmountHomeRenovationExpenses, 10000.0, "home renovation expenses"}};
    case taxrules::Province::NL: return {{kProvAmountPhysicalActivityExpenses, 2000.0, "physical activity expenses"}};
    default: return {};
    }
}

double sharedLimitClaimed(const CTaxData_Form* creditsForm, int amountCode)
{
    if (amountCode == kProvAmountPhysicalActivityExpenses)
        return taxrules::positivePart(formAmount(creditsForm, "physicalActivityExpenses"));
    if (amountCode == kProvAmountHomeRenovationExpenses)
        return taxrules::positivePart(formAmount(creditsForm, "homeRenovationExpenses")
                                      + formAmount(creditsForm, "nbHomeRenovationExpenses"));
    return 0.0;
}

bool claimsFamilyAmounts(const CTaxData_Form* t1, bool equalTieBreak)
{
    if (!hasSpouse(t1))
        return true;
    const double own = lineAmount(t1, kNetIncomeField);
    const double spouse = lineAmount(t1, "SpouseNetIncome");
    if (!taxrules::isPresentAmount(own - spouse)) {
        const QString mine = textOf(t1, "SIN");
        const QString theirs = textOf(t1, "SpouseSIN");
        return mine == theirs ? equalTieBreak : mine < theirs;
    }
    return own > spouse;
}

std::vector<std::string> provincialCreditsLeftOut(ENUMTYPE_PROVINCE province, const CTaxData_Form* t1)
{
    std::vector<std::string> left;
    if (!taxrules::provinceTable2024(taxrules::provinceFromNumber(province)))
        return left;
    const taxrules::ProvincialCreditTable* credits =
        taxrules::provincialCredits2024(taxrules::provinceFromNumber(province));
    for (const LeftOutLine& line : kLeftOut)
        if (taxrules::isPresentAmount(lineAmount(t1, line.field))
            && !(line.copiedBy && credits && credits->*line.copiedBy))
            left.emplace_back(line.description);
    return left;
}

std::list<double> provincialThresholds(ENUMTYPE_PROVINCE province)
{
    std::list<double> thresholds;
    for (const taxrules::TaxBracket& band : taxrules::provincialBrackets2024(taxrules::provinceFromNumber(province)))
        if (band.from > 0.0)
            thresholds.push_back(band.from);
    return thresholds;
}
