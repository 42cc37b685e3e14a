#pragma once

#include <list>

#include "companion/core/cstring.h"
#include "companion/forms/taxtypes.h"

class BaseTaxPage;
class CTaxData_Form;
class TaxData_T2209_2036;
struct DependantInfoStruct;

// The interface every provincial tax plug-in implements, and the contract
// between a plug-in library and the program that loads it.
//
// A plug-in is a shared library that links only the companion library. It
// exports two C entries:
//     int ProvincialTaxManagerVersion();           // PROVINCIAL_TAX_MANAGER_VERSION it was built with
//     CProvincialTaxManager* GetTaxManager();       // a new manager, owned by the caller
// The loader asks the version first and refuses a library built against
// another layout of this class, so a stale plug-in can never be called
// through the wrong table of virtual functions.
//
// Form arguments are the person's forms, each null when the person does not
// hold one; the comment names the form type. They are passed as the common
// base; a plug-in checks getType() before it casts.
//
// Results are ASSIGNED, never added: each calculation operation sets the
// provincial amounts it owns from scratch, so calling it twice (the family
// calculation runs every step twice) gives the same figures.

// Raise whenever a virtual function is added, removed, reordered or changes
// its arguments, or the data members of the base change.
constexpr int PROVINCIAL_TAX_MANAGER_VERSION = 1;

constexpr const char* PROVINCIAL_ENTRY_GET_MANAGER = "GetTaxManager";
constexpr const char* PROVINCIAL_ENTRY_VERSION = "ProvincialTaxManagerVersion";

class CProvincialTaxManager;
using PFN_GetTaxManager = CProvincialTaxManager* (*)();
using PFN_ProvincialTaxManagerVersion = int (*)();

// Amount codes of getProvAmountClaimed / setProvAmountClaimed that the
// program uses. A plug-in answers 0 (and leaves the value alone) for a code
// it does not know.
enum ProvincialAmountCode : int {
    PROVAMT_TUITION_CARRY_FORWARD = 11001, // unused provincial tuition amounts from earlier years
    PROVAMT_INSTALMENT_TAX = 63855,        // provincial tax, for the instalment worksheet
    PROVAMT_INSTALMENT_CREDITS = 63856,    // provincial credits, for the instalment worksheet
    PROVAMT_UNUSED_LOW_INCOME_REDUCTION = 61565, // low-income tax reduction left for the spouse
};

class CProvincialTaxManager
{
public:
    // Optional operations. A plug-in lists the ones it implements in
    // offeredOperations(); the loader never calls an optional operation a
    // plug-in does not offer and uses the answer for "not offered" instead
    // (see each operation).
    enum Operation : unsigned int {
        OpSetTaxReturnDefaultValues = 1u << 0,
        OpSyncDepInfo = 1u << 1,
        OpNewFormData = 1u << 2,
        OpFreeFormData = 1u << 3,
        OpActivateForm = 1u << 4,
        OpNewWizardData = 1u << 5,
        OpFreeWizardData = 1u << 6,
        OpActivateWizard = 1u << 7,
        OpReadDataFromWizards = 1u << 8,
        OpWriteDataToWizards = 1u << 9,
        OpIsEligibleForElectronicFile = 1u << 10,
        OpIsNonRefTaxCreditAllUsed = 1u << 11,
    };

    explicit CProvincialTaxManager(ENUMTYPE_PROVINCE province) : m_nProvince(province) {}
    virtual ~CProvincialTaxManager();
    CProvincialTaxManager(const CProvincialTaxManager&) = delete;
    CProvincialTaxManager& operator=(const CProvincialTaxManager&) = delete;

    // The family's dependant table (not owned), given once after loading.
    void setDepInfo(DependantInfoStruct* dependants) { m_pDepInfo = dependants; }
    DependantInfoStruct* getDepInfo() const { return m_pDepInfo; }
    // The person's T1 (type 1) and Schedule 5 (type 6), given before each
    // calculation (not owned; either may be null).
    void setTaxFormInfo(CTaxData_Form* t1, CTaxData_Form* sch5)
    {
        m_pT1 = t1;
        m_pSch5 = sch5;
    }
    CTaxData_Form* getT1() const { return m_pT1; }
    CTaxData_Form* getSch5() const { return m_pSch5; }

    // Which optional operations this plug-in implements (Operation bits).
    virtual unsigned int offeredOperations() const { return 0; }
    bool offers(Operation op) const { return (offeredOperations() & op) != 0; }

    virtual int getProvince() const { return m_nProvince; }

    // --- Optional operations (defaults = "not offered") ---
    virtual void SetTaxReturnDefaultValues(CTaxData_Form* t1, CTaxData_Form* sch5);
    virtual void SyncDepInfo(int formType, DependantInfoStruct* dependants);
    // A provincial form of the type, or null. The plug-in frees what it made
    // in FreeFormData.
    virtual CTaxData_Form* NewFormData(ENUMTYPE_FORM type, bool addToReturn);
    // True when the form was the plug-in's and is now freed.
    virtual bool FreeFormData(CTaxData_Form* form, bool inList);
    virtual int ActivateForm(ENUMTYPE_FORM type, unsigned int* id, std::list<BaseTaxPage*>& pages);
    // The provincial interview data (kind 6), or null. The plug-in keeps
    // track of it and frees it in FreeWizardData.
    virtual CTaxData_Form* NewWizardData();
    virtual bool FreeWizardData();
    virtual int ActivateWizard(unsigned int* id);
    virtual void ReadDataFromWizards();
    virtual void WriteDataToWizards();
    // 0 when a return with this provincial calculation may be filed.
    virtual int IsEligibleForElectronicFile();
    virtual bool IsNonRefTaxCreditAllUsed();

    // --- Operations every plug-in implements ---
    // The provincial form that goes with a federal one, or 0.
    virtual ENUMTYPE_FORM FindRelatedForm1(ENUMTYPE_FORM type) = 0;

    virtual void CalcLoggingCredit(CTaxData_Form* t1) = 0;
    virtual void CalcProvCredit(CTaxData_Form* t1, CTaxData_Form* t2203, CTaxData_Form* sch5,
                                const std::list<TaxData_T2209_2036*>& t2209List) = 0;
    virtual void ExchangeDataBeforeCalc(bool fromInterviewData, int changedType, CTaxData_Form* t1) = 0;
    virtual void CalcProvTax_BeforeExchData(CTaxData_Form* t1, CTaxData_Form* sch2, CTaxData_Form* sch3,
                                            CTaxData_Form* dividendWorksheet, CTaxData_Form* sch5,
                                            CTaxData_Form* sch9, CTaxData_Form* sch11, CTaxData_Form* t1206,
                                            const std::list<TaxData_T2209_2036*>& t2209List,
                                            CTaxData_Form* t691, CTaxData_Form* t1219) = 0;
    virtual void CalcProvTax_AfterExchData(CTaxData_Form* t1, CTaxData_Form* t2203, CTaxData_Form* sch2,
                                           CTaxData_Form* sch3, CTaxData_Form* sch9, CTaxData_Form* t1206,
                                           const std::list<TaxData_T2209_2036*>& t2209List,
                                           CTaxData_Form* t691, CTaxData_Form* t1219, CTaxData_Form* t2017) = 0;
    virtual void beforeCalcFormData(int formType, CTaxData_Form* form) = 0;
    virtual void afterCalcFormData(int formType, CTaxData_Form* form) = 0;
    virtual void CalcBenefit(bool estimate, CTaxData_Form* t1, CTaxData_Form* returnSummary) = 0;

    // Between spouses; spouse is the other person's plug-in.
    virtual void ExchangeCoupledInfoAfterCalcTaxableIncome(CProvincialTaxManager* spouse) = 0;
    virtual void ExchangeCoupledInfoForProvTax_MainlyS2(CProvincialTaxManager* spouse) = 0;
    virtual void ExchangeCoupledInfoForProvTax_MainlyUnusedLowIncCredit_MXOption(CProvincialTaxManager* spouse) = 0;

    // Amounts by code (ProvincialAmountCode): 1 and the value when the code
    // is known, else 0 with the value untouched.
    virtual int getProvAmountClaimed(int code, double& value) = 0;
    virtual int getProvAmountClaimed(int code, int& value) = 0;
    virtual int getProvAmountClaimed(int code, CString& value) = 0;
    virtual int setProvAmountClaimed(int code, double value) = 0;

    // Append messages; never change the return.
    virtual void Validate(std::list<CString>& messages, CTaxData_Form* t1, CTaxData_Form* sch2,
                          CTaxData_Form* sch5, CTaxData_Form* sch9, CTaxData_Form* sch11, CTaxData_Form* t691,
                          CTaxData_Form* t1206) = 0;
    virtual void ValidateWithCoupled(std::list<CString>& messages, CProvincialTaxManager* spouse) = 0;
    // Questions to confirm before filing; each is asked yes/no by the caller.
    virtual void AnyMsgBeforeDirerad(CTaxData_Form* t1, CTaxData_Form* sch11, std::list<CString>& messages) = 0;

    virtual void UpdateT1KST2203(CTaxData_Form* returnSummary, CTaxData_Form* t2203, CTaxData_Form* sch5,
                                 CTaxData_Form* sch9) = 0;
    // Appends the province's income thresholds (where its rates change).
    virtual void GetIncomeThresholds(std::list<double>& thresholds) = 0;

protected:
    ENUMTYPE_PROVINCE m_nProvince;
    DependantInfoStruct* m_pDepInfo = nullptr;
    CTaxData_Form* m_pT1 = nullptr;
    CTaxData_Form* m_pSch5 = nullptr;
};
