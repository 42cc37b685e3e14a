// The provincial tax plug-in. One source for every province: the build makes
// one library per province and tells each its number (PROVINCE_NUMBER).
//
// The calculation ASSIGNS (never adds) the province's 2024 tax, worked out
// by the rules library from the T1's lines, Schedules 5 and 9 and the T2209
// forms (see provincialcalculation.h); Quebec's library assigns 0, as Quebec tax is on
// its own return. A provincial credit the calculation does not work out is
// never silently nil: when the return holds an amount that feeds it,
// Validate says so. Provincial refundable credits (line 47900) come from the
// answers of the province's interview data and the T1. The plug-in makes
// the province's forms for the return tree (its 428, its 479 where it has
// one, its Schedules 2 and 11) and shows each calculation's figures on them. IsEligibleForElectronicFile still refuses by
// default. The test build of the plug-in (lib/testplugins/steerable) lets
// tests script messages, thresholds and figures (which then replace the
// computed ones) through the side file described in provincialtestconfig.h;
// the shipped build always takes the shipped settings.

#include <QPointer>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "companion/forms/catalogue.h"
#include "companion/forms/provincialt1amounts.h"
#include "companion/forms/provincialtaxmanager.h"
#include "companion/rules/money.h"
#include "companion/rules/provincialtables2024.h"
#include "provincialcalculation.h"
#include "provincialform.h"
#include "provincialinterviewdata.h"
#include "provincialtestconfig.h"

#ifndef PROVINCE_NUMBER
#error "PROVINCE_NUMBER must give the province this library serves"
#endif

// Test builds may claim another interface version to exercise the loader's
// refusal; a shipped plug-in always states the version it was compiled with.
#ifndef PROVINCIAL_PLUGIN_BUILT_VERSION
#define PROVINCIAL_PLUGIN_BUILT_VERSION PROVINCIAL_TAX_MANAGER_VERSION
#endif

namespace {

class ProvincialTaxManager final : public CProvincialTaxManager
{
public:
    ProvincialTaxManager(ENUMTYPE_PROVINCE province, ProvincialTestConfig config)
        : CProvincialTaxManager(province), m_config(std::move(config))
    {
        for (int code : {int(PROVAMT_TUITION_CARRY_FORWARD), int(PROVAMT_INSTALMENT_TAX),
                         int(PROVAMT_INSTALMENT_CREDITS), int(PROVAMT_UNUSED_LOW_INCOME_REDUCTION),
                         kProvAmountTransferableToSpouse, kProvAmountHomeRenovationExpenses,
                         kProvAmountPhysicalActivityExpenses})
            m_amounts[code] = 0.0;
    }

    ~ProvincialTaxManager() override
    {
        // Anything still alive was made here and must not outlive this code.
        for (const auto& form : m_forms)
            delete form.data();
        delete m_interviewData.data();
    }

    unsigned int offeredOperations() const override
    {
        unsigned int ops = OpIsEligibleForElectronicFile;
        if (m_config.offersInterviewData)
            ops |= OpNewWizardData | OpFreeWizardData;
        if (makesForms())
            ops |= OpNewFormData | OpFreeFormData;
        return ops;
    }

    // ---- items ----
    // The province's own forms (its 428, its 479 and its Schedules 2 and 11), or
    // those the test settings name instead. A form made after a
    // calculation shows that calculation's figures at once.
    CTaxData_Form* NewFormData(ENUMTYPE_FORM type, bool) override
    {
        const std::vector<ENUMTYPE_FORM> types = formTypesMade();
        if (std::find(types.begin(), types.end(), type) == types.end())
            return nullptr;
        CTaxData_Form* form = newProvincialForm(m_nProvince, type);
        form->setMainTaxProvince(m_nProvince);
        // A return file holding the form replaces this with what it saved.
        if (auto* tuition = dynamic_cast<ProvincialTuitionForm*>(form))
            tuition->carryForward.m_value =
                tuitionCarryForward(getT1(), &m_amounts.at(PROVAMT_TUITION_CARRY_FORWARD));
        m_forms.emplace_back(form);
        showFigures(form);
        return form;
    }

    bool FreeFormData(CTaxData_Form* form, bool) override
    {
        auto it = std::find_if(m_forms.begin(), m_forms.end(),
                               [form](const QPointer<CTaxData_Form>& made) { return made.data() == form; });
        if (it == m_forms.end())
            return false;
        m_forms.erase(it);
        delete form;
        return true;
    }

    CTaxData_Form* NewWizardData() override
    {
        if (!m_config.offersInterviewData)
            return nullptr;
        if (!m_interviewData)
            m_interviewData = new ProvincialInterviewData;
        return m_interviewData;
    }

    bool FreeWizardData() override
    {
        delete m_interviewData.data();
        m_interviewData = nullptr;
        return true;
    }

    // The provincial form that goes with a federal one: the provincial
    // Schedules 2 and 11 with the federal ones, and in Ontario the 479 (whose
    // childcare credit is worked from the child care deduction) with the
    // T778. Test settings that name relations replace these.
    ENUMTYPE_FORM FindRelatedForm1(ENUMTYPE_FORM type) override
    {
        if (!m_config.relatedForms.empty()) {
            auto it = m_config.relatedForms.find(type);
            return it == m_config.relatedForms.end() ? 0 : it->second;
        }
        const ProvincialFormTypes own = provincialFormTypes(m_nProvince);
        if (type == FORM_SCH2)
            return own.spouseTransfer;
        if (type == FORM_SCH11)
            return own.tuition;
        if (type == FORM_T778 && m_nProvince == PROV_ON)
            return own.credits;
        return 0;
    }

    // ---- calculation ----
    void CalcLoggingCredit(CTaxData_Form*) override {}

    void ExchangeDataBeforeCalc(bool, int, CTaxData_Form*) override {}

    void CalcProvTax_BeforeExchData(CTaxData_Form* t1, CTaxData_Form* sch2, CTaxData_Form*, CTaxData_Form*,
                                    CTaxData_Form* sch5, CTaxData_Form* sch9, CTaxData_Form* sch11, CTaxData_Form*,
                                    const std::list<TaxData_T2209_2036*>& t2209List, CTaxData_Form* t691,
                                    CTaxData_Form*) override
    {
        m_schedules = provincialScheduleAmounts(sch5, sch9, sch2, sch11);
        m_schedules.tuitionCarryForward = tuitionCarryForward(t1, &m_amounts.at(PROVAMT_TUITION_CARRY_FORWARD));
        readInterviewAnswers(m_interviewData.data(), m_schedules);
        readForeignTax(t2209List, t691);
        assignTax(t1);
    }

    // The exchange may have changed the T1's lines (the spouse's net
    // income, pooled donations, the spouse's transfers); Schedule 5 is not
    // given here, so its figures are those read before the exchange, and
    // Schedules 9 and 2 are read again.
    void CalcProvTax_AfterExchData(CTaxData_Form* t1, CTaxData_Form*, CTaxData_Form* sch2, CTaxData_Form*,
                                   CTaxData_Form* sch9, CTaxData_Form*, const std::list<TaxData_T2209_2036*>& t2209List,
                                   CTaxData_Form* t691, CTaxData_Form*, CTaxData_Form*) override
    {
        const ProvincialScheduleAmounts again = provincialScheduleAmounts(nullptr, sch9, sch2);
        if (sch9)
            m_schedules.donations = again.donations;
        m_schedules.claimsSpouseTransfer = again.claimsSpouseTransfer;
        m_schedules.spouseTuitionTransfer = again.spouseTuitionTransfer;
        readForeignTax(t2209List, t691);
        assignTax(t1);
    }

    // The refundable credits of the province's 479 that the return holds
    // answers for (line 47900), from the interview data.
    void CalcProvCredit(CTaxData_Form* t1, CTaxData_Form*, CTaxData_Form*,
                        const std::list<TaxData_T2209_2036*>&) override
    {
        for (int code : {kProvAmountHomeRenovationExpenses, kProvAmountPhysicalActivityExpenses})
            m_amounts[code] = sharedLimitClaimed(creditsForm(), code);
        m_refundable =
            computeProvincialCredits(m_nProvince, t1, m_interviewData.data(), coupleAmounts(t1), creditsForm(),
                                     &m_result);
        const double credits = m_config.credits.value_or(m_refundable.total);
        ProvincialT1Amounts::setCreditTotal(t1, credits);
        m_amounts[PROVAMT_INSTALMENT_CREDITS] = credits;
        for (const auto& form : m_forms)
            showFigures(form.data());
    }

    void beforeCalcFormData(int, CTaxData_Form*) override {}
    void afterCalcFormData(int, CTaxData_Form*) override {}
    void CalcBenefit(bool, CTaxData_Form*, CTaxData_Form*) override {}

    // The spouse's province decides whether the family's low-income
    // reduction is shared: a spouse taxed by another province claims none
    // of it, so this return claims it whatever the incomes. The address only
    // breaks a tie between two returns that cannot otherwise be told apart.
    void ExchangeCoupledInfoAfterCalcTaxableIncome(CProvincialTaxManager* spouse) override
    {
        m_spouseProvince = spouse ? spouse->getProvince() : 0;
        m_spouseAddress = reinterpret_cast<std::uintptr_t>(spouse);
    }
    // The provincial Schedule 2: what the spouse's age, pension and
    // disability amounts leave unused, worked by the spouse's plug-in. Only
    // a spouse of the same province has them by this province's rules.
    void ExchangeCoupledInfoForProvTax_MainlyS2(CProvincialTaxManager* spouse) override
    {
        double unused = 0.0;
        if (spouse && spouse->getProvince() == m_nProvince
            && spouse->getProvAmountClaimed(kProvAmountTransferableToSpouse, unused))
            m_couple.spouseTransferable = unused;
        else
            m_couple.spouseTransferable.reset();
    }
    // What the spouse's reduction left unused, for the next pass; only
    // between spouses of the same province.
    void ExchangeCoupledInfoForProvTax_MainlyUnusedLowIncCredit_MXOption(CProvincialTaxManager* spouse) override
    {
        double unused = 0.0;
        if (!spouse || spouse->getProvince() != m_nProvince
            || !spouse->getProvAmountClaimed(PROVAMT_UNUSED_LOW_INCOME_REDUCTION, unused))
            unused = 0.0;
        m_couple.spouseUnusedReduction = unused;
    }

    int IsEligibleForElectronicFile() override { return m_config.eligibleAnswer; }

    // ---- amounts by code ----
    int getProvAmountClaimed(int code, double& value) override
    {
        auto it = m_amounts.find(code);
        if (it == m_amounts.end())
            return 0;
        value = code == PROVAMT_TUITION_CARRY_FORWARD ? tuitionCarryForward(getT1(), &it->second) : it->second;
        return 1;
    }

    int getProvAmountClaimed(int code, int& value) override
    {
        double amount = 0.0;
        if (!getProvAmountClaimed(code, amount))
            return 0;
        value = int(std::lround(amount));
        return 1;
    }

    int getProvAmountClaimed(int code, CString& value) override
    {
        double amount = 0.0;
        if (!getProvAmountClaimed(code, amount))
            return 0;
        value = CString(taxrules::formatAmount(amount));
        return 1;
    }

    int setProvAmountClaimed(int code, double value) override
    {
        auto it = m_amounts.find(code);
        if (it == m_amounts.end())
            return 0;
        it->second = value;
        if (code == PROVAMT_TUITION_CARRY_FORWARD)
            setTuitionCarryForward(value);
        return 1;
    }

    // ---- validation ----
    void Validate(std::list<CString>& messages, CTaxData_Form* t1, CTaxData_Form* sch2, CTaxData_Form* sch5,
                  CTaxData_Form* sch9, CTaxData_Form* sch11, CTaxData_Form* t691, CTaxData_Form*) override
    {
        if (t1 && !m_config.tax) {
            for (const std::string& credit : creditsLeftOut(t1, sch2, sch5, sch9, sch11, minimumTaxApplies(t691)))
                messages.push_back(CString(leftOutMessage(credit)));
            // Renovation expenses typed for someone the credit is not for
            // would give nothing without a word.
            const ProvincialRefundableCredits credits =
                computeProvincialCredits(m_nProvince, t1, m_interviewData.data(), coupleAmounts(t1), creditsForm(),
                                         &m_result);
            if (taxrules::isPositiveAmount(sharedLimitClaimed(creditsForm(), kProvAmountHomeRenovationExpenses))
                && !taxrules::isPositiveAmount(credits.homeRenovation))
                messages.push_back(CString(
                    "The home renovation expenses on the " + std::string(getFormCode(provincialFormTypes(m_nProvince).credits))
                    + " give no credit: it is for someone 65 or older at the end of 2024"
                    + std::string(m_nProvince == PROV_BC ? " or eligible for the disability amount" : "")
                    + ", or living with such a family member (answer the question on the form)."));
        }
        messages.insert(messages.end(), m_config.validateMessages.begin(), m_config.validateMessages.end());
    }

    // A couple of the same province shares one limit of some 479 credits'
    // expenses: together the two returns may claim no more.
    void ValidateWithCoupled(std::list<CString>& messages, CProvincialTaxManager* spouse) override
    {
        if (spouse && spouse->getProvince() == m_nProvince) {
            for (const SharedLimit& shared : sharedLimits(m_nProvince)) {
                const double own = sharedLimitClaimed(creditsForm(), shared.amountCode);
                double theirs = 0.0;
                if (!spouse->getProvAmountClaimed(shared.amountCode, theirs))
                    continue;
                if (taxrules::isPositiveAmount(own + theirs - shared.limit))
                    messages.push_back(CString(
                        "The " + std::string(shared.expenses) + " claimed on the "
                        + std::string(getFormCode(provincialFormTypes(m_nProvince).credits))
                        + " of both returns (" + taxrules::formatAmountGrouped(own + theirs)
                        + ") are more than the couple's limit of " + taxrules::formatAmountGrouped(shared.limit, 0)
                        + "."));
            }
        }
        messages.insert(messages.end(), m_config.coupledMessages.begin(), m_config.coupledMessages.end());
    }

    void AnyMsgBeforeDirerad(CTaxData_Form*, CTaxData_Form*, std::list<CString>& messages) override
    {
        messages.insert(messages.end(), m_config.preFilingMessages.begin(), m_config.preFilingMessages.end());
    }

    void UpdateT1KST2203(CTaxData_Form*, CTaxData_Form*, CTaxData_Form*, CTaxData_Form*) override {}

    void GetIncomeThresholds(std::list<double>& thresholds) override
    {
        const std::list<double> own =
            m_config.thresholds.empty() ? provincialThresholds(m_nProvince) : m_config.thresholds;
        thresholds.insert(thresholds.end(), own.begin(), own.end());
    }

private:
    // Every credit the return has an amount for that the provincial tax
    // leaves out: those of this province's table and those of no province.
    // Validate is not given the T2209 forms: the foreign tax they left at
    // the last calculation stands for them.
    std::vector<std::string> creditsLeftOut(CTaxData_Form* t1, CTaxData_Form* sch2, CTaxData_Form* sch5,
                                            CTaxData_Form* sch9, CTaxData_Form* sch11, bool minimumTax) const
    {
        ProvincialScheduleAmounts schedules = provincialScheduleAmounts(sch5, sch9, sch2, sch11);
        schedules.tuitionCarryForward = tuitionCarryForward(t1, &m_amounts.at(PROVAMT_TUITION_CARRY_FORWARD));
        readInterviewAnswers(m_interviewData.data(), schedules);
        std::vector<std::string> left =
            computeProvincialFromT1(m_nProvince, t1, schedules, nullptr, coupleAmounts(t1), getDepInfo(),
                                    m_foreignTax, minimumTax)
                .notComputed;
        for (const std::string& credit : provincialCreditsLeftOut(m_nProvince, t1))
            left.push_back(credit);
        return left;
    }

    std::string leftOutMessage(const std::string& credit) const
    {
        const taxrules::ProvinceTable* table = taxrules::provinceTable2024(taxrules::provinceFromNumber(m_nProvince));
        const std::string name = table ? table->name : "Provincial";
        return name + " tax (line 42800) does not include the provincial " + credit
               + ", for which the return has an amount. Work it out on the provincial tax form and check "
                 "line 42800.";
    }

    // Provincial tax from scratch on every call: the family calculation
    // runs each step twice and must get the same figure both times.
    ProvincialCoupleAmounts coupleAmounts(const CTaxData_Form* t1) const
    {
        ProvincialCoupleAmounts couple = m_couple;
        const bool otherProvince = m_spouseProvince != 0 && m_spouseProvince != m_nProvince;
        // Without a spouse this is true, and unused.
        couple.higherIncomeSpouse =
            claimsFamilyAmounts(t1, reinterpret_cast<std::uintptr_t>(this) < m_spouseAddress || !m_spouseAddress);
        couple.claimsFamilyAmounts = otherProvince || couple.higherIncomeSpouse;
        if (couple.claimsFamilyAmounts || otherProvince)
            couple.spouseUnusedReduction = 0.0;
        couple.spouseReturnSameProvince = m_spouseAddress != 0 && m_spouseProvince == m_nProvince;
        return couple;
    }

    void assignTax(CTaxData_Form* t1)
    {
        const ProvincialCoupleAmounts couple = coupleAmounts(t1);
        m_result = computeProvincialFromT1(m_nProvince, t1, m_schedules, &m_t1Lines, couple, getDepInfo(),
                                           m_foreignTax, m_minimumTax);
        m_spouseTransferable = couple.spouseTransferable;
        m_taxableIncome = m_t1Lines(ProvincialT1Lines::TaxableIncome);
        m_amounts[PROVAMT_UNUSED_LOW_INCOME_REDUCTION] = m_result.unusedReductionForSpouse;
        m_amounts[kProvAmountTransferableToSpouse] = m_result.transferableToSpouse;
        const double tax = m_config.tax.value_or(m_result.provincialTax);
        ProvincialT1Amounts::setTaxTotal(t1, tax);
        m_amounts[PROVAMT_INSTALMENT_TAX] = tax;
        for (const auto& form : m_forms)
            showFigures(form.data());
    }

    // The foreign tax the federal credit left (T2209 forms) and whether the
    // minimum tax applies, for the provincial foreign tax credit.
    void readForeignTax(const std::list<TaxData_T2209_2036*>& t2209List, const CTaxData_Form* t691)
    {
        m_foreignTax = provincialForeignTax(t2209List);
        m_minimumTax = minimumTaxApplies(t691);
    }

    // Whether formTypesMade() lists any, without listing them: the host asks
    // for every form it frees.
    bool makesForms() const
    {
        if (!m_config.formTypes.empty())
            return true;
        const ProvincialFormTypes own = provincialFormTypes(m_nProvince);
        return own.tax != 0 || own.credits != 0 || own.spouseTransfer != 0 || own.tuition != 0;
    }

    std::vector<ENUMTYPE_FORM> formTypesMade() const
    {
        if (!m_config.formTypes.empty())
            return m_config.formTypes;
        std::vector<ENUMTYPE_FORM> types;
        const ProvincialFormTypes own = provincialFormTypes(m_nProvince);
        for (ENUMTYPE_FORM type : {own.tax, own.credits, own.spouseTransfer, own.tuition})
            if (type != 0)
                types.push_back(type);
        return types;
    }

    // A form made here, filled with the figures of the last calculation
    // (all nil before the first): line 42800 and 47900 as the T1 got them.
    void showFigures(CTaxData_Form* form) const
    {
        const double tax = m_amounts.at(PROVAMT_INSTALMENT_TAX);
        const double credits = m_amounts.at(PROVAMT_INSTALMENT_CREDITS);
        if (auto* tax428 = dynamic_cast<ProvincialTaxForm*>(form))
            tax428->show(m_taxableIncome, m_result, tax);
        else if (auto* credits479 = dynamic_cast<ProvincialCreditsForm*>(form))
            credits479->show(m_refundable, credits);
        else if (auto* transfer = dynamic_cast<ProvincialSpouseTransferForm*>(form))
            transfer->show(m_spouseTransferable, m_result.spouseTransfer);
        else if (auto* tuition = dynamic_cast<ProvincialTuitionForm*>(form))
            tuition->show(m_result);
        else if (auto* provincial = dynamic_cast<ProvincialForm*>(form)) {
            provincial->provincialTax.m_value = tax;
            provincial->provincialCredits.m_value = credits;
        }
    }

    // The province's 479 made here, if any: some credits' amounts are typed on it.
    ProvincialCreditsForm* creditsForm() const
    {
        for (const auto& form : m_forms)
            if (auto* credits = dynamic_cast<ProvincialCreditsForm*>(form.data()))
                return credits;
        return nullptr;
    }

    // The province's Schedule 11 made here, if any.
    ProvincialTuitionForm* tuitionForm() const
    {
        for (const auto& form : m_forms)
            if (auto* tuition = dynamic_cast<ProvincialTuitionForm*>(form.data()))
                return tuition;
        return nullptr;
    }

    // The province's unused tuition amounts of earlier years: those of its
    // Schedule 11, which is saved with the return; without one, what the
    // program last handed over (`handed`, when given and not nil) or the
    // T1's provincial carry-forward.
    double tuitionCarryForward(const CTaxData_Form* t1, const double* handed) const
    {
        if (const ProvincialTuitionForm* form = tuitionForm())
            return form->carryForward.m_value;
        if (handed && taxrules::isPresentAmount(*handed))
            return *handed;
        return provincialTuitionCarryForwardOnT1(t1);
    }

    // The interview's last-year amounts and Auto-fill hand over the
    // carry-forward: it goes on the Schedule 11, where the user sees it. The
    // interview hands over nil whenever it is read with no answer there (a
    // Schedule 7 or 11 made, for one), which must not wipe what the user
    // typed on the schedule.
    void setTuitionCarryForward(double amount)
    {
        if (!taxrules::isPresentAmount(amount))
            return;
        if (ProvincialTuitionForm* tuition = tuitionForm())
            tuition->carryForward.m_value = amount;
    }

    ProvincialTestConfig m_config;
    ProvincialScheduleAmounts m_schedules;
    ProvincialCoupleAmounts m_couple;
    int m_spouseProvince = 0;
    std::uintptr_t m_spouseAddress = 0;
    ProvincialT1Lines m_t1Lines;
    // The last calculation's figures, shown on the forms made here.
    taxrules::ProvincialResult m_result;
    ProvincialRefundableCredits m_refundable;
    std::optional<double> m_spouseTransferable;
    double m_taxableIncome = 0.0;
    std::map<int, double> m_amounts;
    std::vector<taxrules::ForeignTaxLeft> m_foreignTax;
    bool m_minimumTax = false;
    QPointer<CTaxData_Form> m_interviewData;
    std::vector<QPointer<CTaxData_Form>> m_forms;
};

} // namespace

extern "C" Q_DECL_EXPORT int ProvincialTaxManagerVersion()
{
    return PROVINCIAL_PLUGIN_BUILT_VERSION;
}

extern "C" Q_DECL_EXPORT CProvincialTaxManager* GetTaxManager()
{
    return new ProvincialTaxManager(PROVINCE_NUMBER, ProvincialTestConfig::load(PROVINCE_NUMBER));
}
