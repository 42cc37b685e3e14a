// Whether one person's return may be filed online: every refusal that
// applies, in a fixed order, so that the one shown first is always the same
// for the same return.
#include "model/individualtaxdata.h"

#include "companion/forms/catalogue.h"
#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/others.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/money.h"
#include "model/filingtestmode.h"

#include <array>

namespace {

constexpr int kQuebec = 11;
// The agency takes at most this many T2209 forms, and this many statements
// of business, rental, farming or employment expenses, in one online return.
constexpr int kMostT2209Forms = 3;
constexpr int kMostStatementForms = 12;

// What the rules look at, read once from the return.
struct EligibilityFacts
{
    const IndividualTaxData& person;
    const TaxData_T1New* t1;
    bool efile;
};

enum Editions : unsigned {
    Direrad = 1u,
    Efile = 2u,
    Both = Direrad | Efile,
};

struct EligibilityRule
{
    unsigned editions;
    bool (*applies)(const EligibilityFacts&);
    const char* refusal;
};

template <typename Form>
const Form* formOf(const IndividualTaxData& person, ENUMTYPE_FORM type)
{
    return qobject_cast<const Form*>(const_cast<IndividualTaxData&>(person).GetFormData(type, false));
}

template <typename Form>
double deductionOf(const IndividualTaxData& person, ENUMTYPE_FORM type)
{
    const Form* form = formOf<Form>(person, type);
    return form ? form->Result.m_value : 0.0;
}

bool sinStartsWithAny(const TaxData_T1New& t1, std::initializer_list<const char*> starts)
{
    const QString sin = t1.SIN.m_value.trimmed();
    for (const char* start : starts)
        if (sin.startsWith(QLatin1String(start), Qt::CaseInsensitive))
            return true;
    return false;
}

bool provinceUnsupported(const EligibilityFacts& f) { return !IsProvinceSupported(f.person.m_province); }

bool direradSinRefused(const EligibilityFacts& f) { return f.t1 && sinStartsWithAny(*f.t1, {"09", "08"}); }

// EFILE refuses a number starting with 0, except those starting with 08 or
// 09, which only DIRERAD refuses.
bool efileSinRefused(const EligibilityFacts& f)
{
    return f.t1 && sinStartsWithAny(*f.t1, {"0"}) && !sinStartsWithAny(*f.t1, {"08", "09"});
}

bool residencyRefused(const EligibilityFacts& f)
{
    const auto* schedule = formOf<TaxData_T1248SchD>(f.person, FORM_T1248_SCHD);
    return schedule && !schedule->isEligibleForDirErad();
}

bool selfEmploymentElsewhere(const EligibilityFacts& f)
{
    return f.t1 && f.t1->SelfEmploymentProvince.m_value != 0
           && f.t1->SelfEmploymentProvince.m_value != f.t1->getMainTaxProvince();
}

bool emigrant(const EligibilityFacts& f) { return f.t1 && f.t1->IsEmmigrant(); }
bool deceased(const EligibilityFacts& f) { return f.t1 && f.t1->IsDeceased(); }
bool bankruptOrAfter(const EligibilityFacts& f) { return f.t1 && (f.t1->IsBankrupt() || f.t1->IsPostBankrupt()); }
bool postBankrupt(const EligibilityFacts& f) { return f.t1 && f.t1->IsPostBankrupt(); }
bool bankruptRevokingFiscalPeriod(const EligibilityFacts& f)
{
    return f.t1 && f.t1->IsBankrupt() && f.t1->RevokeFiscalPeriodElection.m_value;
}

bool foreignPlanCombination(const EligibilityFacts& f)
{
    const std::array<double, 3> deductions = {deductionOf<TaxData_RC267New>(f.person, FORM_RC267),
                                              deductionOf<TaxData_RC268New>(f.person, FORM_RC268),
                                              deductionOf<TaxData_RC269>(f.person, FORM_RC269)};
    int present = 0;
    for (double amount : deductions)
        present += taxrules::isPresentAmount(amount) ? 1 : 0;
    return present >= 2;
}

bool multipleJurisdictionOutsideQuebec(const EligibilityFacts& f)
{
    return f.t1 && f.person.m_province != kQuebec && taxrules::isPresentAmount(f.t1->line44000QuebecAbatement.m_value);
}

bool tooManyT2209(const EligibilityFacts& f) { return f.person.GetCountOfForm(FORM_T2209) > kMostT2209Forms; }

bool tooManyStatements(const EligibilityFacts& f) { return f.person.GetCountOfSFDForms() > kMostStatementForms; }

const char kDirectDepositRefusal[] =
    "Form T1DD can only be submitted by paper return; or you can change direct deposit information with CRA "
    "first by contacting CRA office, then remove form T1DD before creating the DIRERAD.";
const char kDirectDepositTestNote[] = "Direrad will skip T1DD form.";

// The refusals in the order the user is told of them: these come before the
// direct deposit form, the two counts after it, then the refusals of single
// farm statements, one per form.
const EligibilityRule kRulesBeforeDirectDeposit[] = {
    {Both, provinceUnsupported,
     "voDarevivo cannot create DIRERAD/EFILE for your province. It will be supported in the future."},
    {Direrad, direradSinRefused, "Tax return which has SIN number starting with 09 or 08 is not eligible for Direrad."},
    {Efile, efileSinRefused, "Tax return which has SIN number starting with '0' is not eligible for EFILE."},
    {Both, residencyRefused, "DirErad/EFile doesn't allow the residency type specified in form T1248 Schedule D."},
    {Both, selfEmploymentElsewhere,
     "The tax return is not eligible to use Direrad/Efile, because the self-employment province is not the same "
     "as the tax province."},
    {Direrad, emigrant, "This tax return is not eligible for DIRERAD/EFILE, because tax payer is an emigrant."},
    {Direrad, deceased, "This tax return is not eligible to for DIRERAD/EFILE, because the tax payer is deceased."},
    {Direrad, bankruptOrAfter,
     "This tax return is not eligible for DirErad/EFile, because the tax payer is in bankruptcy."},
    {Direrad, foreignPlanCombination,
     "This return is not eligible for Direrad, because there are combination of RC267/RC268/RC269 in tax return."},
    {Efile, bankruptRevokingFiscalPeriod,
     "This tax return is not eligible for EFILE because you chose to revoke the previously filed election to keep "
     "a fiscal period that does not end on a Dec. 31 fiscal period."},
    {Efile, postBankrupt, "This tax return is not eligible for DirErad/EFile, because the tax payer is in bankruptcy."},
    {Both, multipleJurisdictionOutsideQuebec,
     "This tax return is not eligible for DIRERAD/EFILE, because tax payer is not a Quebec resident, and indicated "
     "on line 440 of T1 that multiple jurisdiction applies."},
};

const EligibilityRule kRulesAfterDirectDeposit[] = {
    {Both, tooManyT2209, "This return is not eligible for Direrad or Efile, because it contains more than 3 T2209 forms."},
    {Both, tooManyStatements,
     "The tax return is not eligible for DIRERAD/EFILE, because tax return has more than 12 self-business and/or "
     "work expenses forms."},
};

template <size_t N>
void applyRules(const EligibilityRule (&rules)[N], const EligibilityFacts& facts, std::list<CString>& messages)
{
    const unsigned edition = facts.efile ? Efile : Direrad;
    for (const EligibilityRule& rule : rules)
        if ((rule.editions & edition) && rule.applies(facts))
            messages.push_back(CString(rule.refusal));
}

} // namespace

int IndividualTaxData::IsEligibleForElectronicFile(unsigned char mode, std::list<CString>& messages,
                                                   std::list<CString>* notes)
{
    const EligibilityFacts facts{*this, GetT1(), (mode & 1) != 0};
    applyRules(kRulesBeforeDirectDeposit, facts, messages);

    // A test run files without the direct deposit form instead of refusing;
    // the filing road tells the user so before it goes on.
    if (HasForm(FORM_T1DD)) {
        if (!filingTestMode())
            messages.push_back(CString(kDirectDepositRefusal));
        else if (notes)
            notes->push_back(CString(kDirectDepositTestNote));
    }

    applyRules(kRulesAfterDirectDeposit, facts, messages);

    // Each such form refuses on its own, in the order of the return's forms.
    const TaxData_T1New* t1 = facts.t1;
    for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList) {
        if (item->type == FORM_T1273) {
            messages.push_back(CString("voDarevivo doesn't support DIRERAD or EFILE for tax return with CAIS form T1273."));
        } else if (item->type == FORM_T1163 && t1) {
            const auto* farm = qobject_cast<const TaxData_T1163New*>(item->data);
            if (farm && farm->MainFarmsteadProvince.m_value != t1->getMainTaxProvince())
                messages.push_back(CString("This tax return is not eligible for DIRERAD, since the province of main "
                                           "farmstead in form T1163 is not same as the province of residence on Dec. 31."));
        }
    }

    return m_provMgr.IsEligibleForElectronicFile();
}
