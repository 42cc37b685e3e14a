#pragma once

#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <list>
#include <vector>

#include "companion/core/cstring.h"
#include "companion/forms/provincialtaxmanager.h"
#include "companion/forms/taxtypes.h"

class CTaxData_Form;
class QLibrary;
class QWidget;
class TaxData_T2209_2036;
struct DependantInfoStruct;

// How a host serves its person. Every family makes its persons with mode 0:
// the plug-in of the person's province of residence serves the person and
// the coupled operations are active.
using ENUM_MultiProvsTaxMgrMode = int;
constexpr ENUM_MultiProvsTaxMgrMode MULTIPROVS_MODE_RESIDENCE = 0;

// One person's host of the provincial plug-ins. It loads the plug-in of a
// province from its library on first use, keeps manager and library
// together, hands the provincial operations of the calculation, validation
// and interview data to the plug-in of the person's main province, and
// unloads plug-ins when the person's data is freed or the province changes.
//
// Rules the host keeps:
// - Libraries are loaded by absolute path from the program's plug-in folder
//   (pluginFolder()), never by bare name.
// - Only the main province's plug-in calculates, validates and answers for
//   the person. A second plug-in that is loaded for another purpose (the
//   dependant synchronisation) never adds its tax to the return.
// - Every object a plug-in made through this host is freed before that
//   plug-in's code is unloaded. The person that holds such an object is
//   told first (setObjectReleaseHook) so that it drops the item.
// - Nothing here shows a window. A plug-in that cannot be loaded makes the
//   person's provincial calculation unavailable: provincialState() says so,
//   Validate reports it, IsEligibleForElectronicFile refuses filing, and the
//   user interface may show lastLoadError().
//
// User-interface thread only.
class CMultiProvsTaxMgr
{
public:
    enum class ProvincialState {
        NoProvince,  // no main province set
        Ready,       // the main province's plug-in is loaded
        Unavailable, // the main province's plug-in is not loaded (it failed, or was never tried)
    };

    // IsEligibleForElectronicFile's answer when the provincial calculation is
    // unavailable (plug-ins answer 0 or their own positive codes).
    static constexpr int kNotEligibleUnavailable = -1;

    using T2209List = std::list<TaxData_T2209_2036*>;
    // Told about a plug-in-made object just before the host frees it, so that
    // its holder can drop every reference to it (not delete it). Not called
    // from the host's destructor: the holder owns the host and is going too.
    using ObjectReleaseHook = std::function<void(CTaxData_Form*)>;

    CMultiProvsTaxMgr(ENUM_MultiProvsTaxMgrMode mode, DependantInfoStruct* dependants);
    virtual ~CMultiProvsTaxMgr();
    CMultiProvsTaxMgr(const CMultiProvsTaxMgr&) = delete;
    CMultiProvsTaxMgr& operator=(const CMultiProvsTaxMgr&) = delete;

    // ---- Where plug-ins come from ----
    // The folder plug-in libraries are loaded from: by default "plugins" in
    // the lib folder beside the program's bin folder (<bin>/../lib/plugins),
    // or the folder set here (tests). An empty folder restores the default.
    static QString pluginFolder();
    static void setPluginFolder(const QString& folder);
    // 0 when the province has no plug-in library, else 1 and the library's
    // absolute path in the plug-in folder.
    static int getProvLibFilePath(ENUMTYPE_PROVINCE province, QString& path);
    // While set, a plug-in library once loaded stays loaded for the run, so
    // a batch of returns loads each province's code once, not once a return.
    // Each return still gets its own tax manager and objects.
    static void setKeepPluginsLoaded(bool keep);

    // ---- Plug-in management ----
    // The plug-in of a province, loaded on first use; null when the province
    // is not supported, has no library, or its library fails to load, lacks
    // the entries, was built for another interface version, or serves
    // another province. With unloadOthers every loaded plug-in is freed first
    // (with the objects it made). A failure is remembered in lastLoadError()
    // and tried again at the next call.
    CProvincialTaxManager* getProvMgr(ENUMTYPE_PROVINCE province, bool unloadOthers);
    // The first loaded manager in province order, or null.
    CProvincialTaxManager* getModeOneProvMgr() const;
    // The main province's manager, or null. Does not load.
    CProvincialTaxManager* mainProvMgr() const;
    // Appends, ascending, every province whose plug-in is loaded.
    void GetActiveProvinces(std::list<unsigned int>& provinces) const;
    void setMainProvince(ENUMTYPE_PROVINCE province);
    ENUMTYPE_PROVINCE getMainProvince() const { return m_mainProvince; }
    ENUM_MultiProvsTaxMgrMode getMode() const { return m_mode; }
    // Frees every plug-in-made object, every manager and every library.
    void FreeData();

    void setObjectReleaseHook(ObjectReleaseHook hook) { m_releaseHook = std::move(hook); }
    // Objects made through this host by a plug-in and not yet freed.
    int liveObjectCount() const;

    // ---- State of the provincial calculation ----
    ProvincialState provincialState() const;
    bool isProvincialCalculationAvailable() const { return provincialState() == ProvincialState::Ready; }
    // Why the calculation is unavailable, in words for the user; empty when
    // it is available.
    CString unavailableMessage() const;
    // The last load failure: the library path and the loader's reason (empty
    // when the last load succeeded).
    QString lastLoadError() const { return m_lastLoadError; }

    // ---- Items made by the plug-in ----
    CTaxData_Form* NewFormData(ENUMTYPE_FORM type, bool addToReturn);
    // True when a plug-in freed the form; false means the caller deletes it.
    bool FreeFormData(CTaxData_Form* form, bool inList);
    ENUMTYPE_FORM FindRelatedForm1(ENUMTYPE_FORM type);
    CTaxData_Form* NewWizardData();
    // True when every loaded plug-in freed its interview data (true with none).
    bool FreeWizardData();
    void ReadDataFromWizards();
    void WriteDataToWizards();
    // The dependant synchronisation of a form: the plug-in of the given
    // province (loaded without unloading the others) receives the family's
    // dependant table.
    void SyncDepInfo(ENUMTYPE_PROVINCE province, int formType);

    // ---- Calculation ----
    void setTaxFormInfo(CTaxData_Form* t1, CTaxData_Form* sch5);
    void SetTaxReturnDefaultValues(CTaxData_Form* t1, CTaxData_Form* sch5);
    void CalcLoggingCredit(CTaxData_Form* t1);
    // Clears the T1's provincial-credit total, then the plug-in assigns it.
    void CalcProvCredit(CTaxData_Form* t1, CTaxData_Form* t2203, CTaxData_Form* sch5, const T2209List& t2209List);
    void ExchangeDataBeforeCalc(bool fromInterviewData, int changedType, CTaxData_Form* t1);
    void CalcProvTax_BeforeExchData(CTaxData_Form* t1, CTaxData_Form* sch2, CTaxData_Form* sch3,
                                    CTaxData_Form* dividendWorksheet, CTaxData_Form* sch5, CTaxData_Form* sch9,
                                    CTaxData_Form* sch11, CTaxData_Form* t1206, const T2209List& t2209List,
                                    CTaxData_Form* t691, CTaxData_Form* t1219);
    // Clears the T1's provincial-tax total, then the plug-in assigns it.
    void CalcProvTax_AfterExchData(CTaxData_Form* t1, CTaxData_Form* t2203, CTaxData_Form* sch2,
                                   CTaxData_Form* sch3, CTaxData_Form* sch9, CTaxData_Form* t1206,
                                   const T2209List& t2209List, CTaxData_Form* t691, CTaxData_Form* t1219,
                                   CTaxData_Form* t2017);
    int beforeCalcFormData(int formType, CTaxData_Form* form);
    int afterCalcFormData(int formType, CTaxData_Form* form);
    void CalcBenefit(bool estimate, CTaxData_Form* t1, CTaxData_Form* returnSummary);
    void UpdateT1KST2203(CTaxData_Form* returnSummary, CTaxData_Form* t2203, CTaxData_Form* sch5,
                         CTaxData_Form* sch9);
    // Appends the province's thresholds; unchanged without a plug-in.
    void GetIncomeThresholds(std::list<double>& thresholds);
    // False without a plug-in; true when the plug-in does not answer it.
    bool IsNonRefTaxCreditAllUsed();

    // ---- Between spouses (nothing when either has no plug-in) ----
    void ExchangeCoupledInfoAfterCalcTaxableIncome(CMultiProvsTaxMgr* other);
    void ExchangeCoupledInfoForProvTax_MainlyS2(CMultiProvsTaxMgr* other);
    void ExchangeCoupledInfoForProvTax_MainlyUnusedLowIncCredit_MXOption(CMultiProvsTaxMgr* other);
    void ValidateWithCoupled(std::list<CString>& messages, CMultiProvsTaxMgr* other);

    // ---- Amounts by code (main province's plug-in) ----
    // Its result; 0 with the value untouched when it is not loaded.
    int getProvAmountClaimed(int code, double& value);
    int setProvAmountClaimed(int code, double value);

    // ---- Validation and filing ----
    // Appends the unavailable message when the calculation is unavailable,
    // then the plug-in's messages.
    void Validate(std::list<CString>& messages, CTaxData_Form* t1, CTaxData_Form* sch2, CTaxData_Form* sch5,
                  CTaxData_Form* sch9, CTaxData_Form* sch11, CTaxData_Form* t691, CTaxData_Form* t1206);
    // kNotEligibleUnavailable when unavailable, else the plug-in's answer
    // (0 when it does not answer).
    int IsEligibleForElectronicFile();
    // Asks each of the plug-in's questions yes/no ("voDarevivo Warning
    // Message") through the program's prompter; false at the first no, and
    // false at once when the calculation is unavailable.
    bool AnyMsgBeforeDirerad(CTaxData_Form* t1, CTaxData_Form* sch11, QWidget* parent = nullptr);

private:
    // One slot per province number, 0 (none) to 13.
    static constexpr int kProvinceSlots = 14;

    struct MadeObject
    {
        QPointer<CTaxData_Form> object;
        ENUMTYPE_PROVINCE province;
        bool interviewData;
    };

    CProvincialTaxManager* loadPlugin(ENUMTYPE_PROVINCE province);
    void killAll();
    void releaseObjectsOf(ENUMTYPE_PROVINCE province);
    void forgetDeadObjects();
    ENUMTYPE_PROVINCE makerOf(const CTaxData_Form* form) const;
    void setLoadFailure(ENUMTYPE_PROVINCE province, const QString& reason);

    std::array<CProvincialTaxManager*, kProvinceSlots> m_managers{};
    std::array<QLibrary*, kProvinceSlots> m_libraries{};
    ENUM_MultiProvsTaxMgrMode m_mode;
    ENUMTYPE_PROVINCE m_mainProvince = 0;
    DependantInfoStruct* m_dependants;

    std::vector<MadeObject> m_madeObjects;
    ObjectReleaseHook m_releaseHook;
    QString m_lastLoadError;
    ENUMTYPE_PROVINCE m_lastFailedProvince = 0;
};
