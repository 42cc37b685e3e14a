// The provincial tax plug-in. One source for every province: the build makes
// one library per province and tells each its number (PROVINCE_NUMBER).
//
// The calculation ASSIGNS (never adds) the province's 2024 tax, worked out
// by the rules library from the T1's taxable income, net income and base
// CPP/EI lines (see provincialcalculation.h); Quebec's library assigns 0, as
// Quebec tax is on its own return. Provincial refundable credits are not
// computed and are assigned 0. IsEligibleForElectronicFile still refuses by
// default. The test build of the plug-in (lib/testplugins/steerable) lets
// tests script messages, thresholds and figures (which then replace the
// computed ones) through the side file described in provincialtestconfig.h;
// the shipped build always takes the shipped settings.

#include <QPointer>
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "companion/forms/provincialt1amounts.h"
#include "companion/forms/provincialtaxmanager.h"
#include "companion/rules/money.h"
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
        for (int code : {PROVAMT_TUITION_CARRY_FORWARD, PROVAMT_INSTALMENT_TAX, PROVAMT_INSTALMENT_CREDITS})
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
        if (!m_config.formTypes.empty())
            ops |= OpNewFormData | OpFreeFormData;
        return ops;
    }

    // ---- items ----
    CTaxData_Form* NewFormData(ENUMTYPE_FORM type, bool) override
    {
        const auto& types = m_config.formTypes;
        if (std::find(types.begin(), types.end(), type) == types.end())
            return nullptr;
        auto* form = new ProvincialForm(type);
        form->setMainTaxProvince(m_nProvince);
        m_forms.emplace_back(form);
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

    ENUMTYPE_FORM FindRelatedForm1(ENUMTYPE_FORM type) override
    {
        auto it = m_config.relatedForms.find(type);
        return it == m_config.relatedForms.end() ? 0 : it->second;
    }

    // ---- calculation ----
    void CalcLoggingCredit(CTaxData_Form*) override {}

    void ExchangeDataBeforeCalc(bool, int, CTaxData_Form*) override {}

    void CalcProvTax_BeforeExchData(CTaxData_Form* t1, CTaxData_Form*, CTaxData_Form*, CTaxData_Form*,
                                    CTaxData_Form*, CTaxData_Form*, CTaxData_Form*, CTaxData_Form*,
                                    const std::list<TaxData_T2209_2036*>&, CTaxData_Form*, CTaxData_Form*) override
    {
        assignTax(t1);
    }

    // Nothing the spouses exchange changes what this calculation uses, so
    // after the exchange the same figure is assigned again.
    void CalcProvTax_AfterExchData(CTaxData_Form* t1, CTaxData_Form*, CTaxData_Form*, CTaxData_Form*,
                                   CTaxData_Form*, CTaxData_Form*, const std::list<TaxData_T2209_2036*>&,
                                   CTaxData_Form*, CTaxData_Form*, CTaxData_Form*) override
    {
        assignTax(t1);
    }

    void CalcProvCredit(CTaxData_Form* t1, CTaxData_Form*, CTaxData_Form*,
                        const std::list<TaxData_T2209_2036*>&) override
    {
        // No provincial refundable credit is computed yet (line 47900).
        const double credits = m_config.credits.value_or(0.0);
        ProvincialT1Amounts::setCreditTotal(t1, credits);
        m_amounts[PROVAMT_INSTALMENT_CREDITS] = credits;
        for (const auto& form : m_forms)
            if (auto* provincial = dynamic_cast<ProvincialForm*>(form.data()))
                provincial->provincialCredits.m_value = credits;
    }

    void beforeCalcFormData(int, CTaxData_Form*) override {}
    void afterCalcFormData(int, CTaxData_Form*) override {}
    void CalcBenefit(bool, CTaxData_Form*, CTaxData_Form*) override {}

    void ExchangeCoupledInfoAfterCalcTaxableIncome(CProvincialTaxManager*) override {}
    void ExchangeCoupledInfoForProvTax_MainlyS2(CProvincialTaxManager*) override {}
    void ExchangeCoupledInfoForProvTax_MainlyUnusedLowIncCredit_MXOption(CProvincialTaxManager*) override {}

    int IsEligibleForElectronicFile() override { return m_config.eligibleAnswer; }

    // ---- amounts by code ----
    int getProvAmountClaimed(int code, double& value) override
    {
        auto it = m_amounts.find(code);
        if (it == m_amounts.end())
            return 0;
        value = it->second;
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
        return 1;
    }

    // ---- validation ----
    void Validate(std::list<CString>& messages, CTaxData_Form*, CTaxData_Form*, CTaxData_Form*, CTaxData_Form*,
                  CTaxData_Form*, CTaxData_Form*, CTaxData_Form*) override
    {
        messages.insert(messages.end(), m_config.validateMessages.begin(), m_config.validateMessages.end());
    }

    void ValidateWithCoupled(std::list<CString>& messages, CProvincialTaxManager*) override
    {
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
    // Provincial tax from scratch on every call: the family calculation
    // runs each step twice and must get the same figure both times.
    void assignTax(CTaxData_Form* t1)
    {
        const double tax = m_config.tax.value_or(computeProvincialFromT1(m_nProvince, t1).provincialTax);
        ProvincialT1Amounts::setTaxTotal(t1, tax);
        m_amounts[PROVAMT_INSTALMENT_TAX] = tax;
        for (const auto& form : m_forms)
            if (auto* provincial = dynamic_cast<ProvincialForm*>(form.data()))
                provincial->provincialTax.m_value = tax;
    }

    ProvincialTestConfig m_config;
    std::map<int, double> m_amounts;
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
