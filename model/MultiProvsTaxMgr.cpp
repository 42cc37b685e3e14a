#include "model/MultiProvsTaxMgr.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <algorithm>

#include "companion/core/oslibname.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/provincialt1amounts.h"
#include "companion/core/messages.h"
#include "model/provinceplugininfo.h"

namespace {

QString& pluginFolderOverride()
{
    static QString folder;
    return folder;
}

bool& keepPluginsLoaded()
{
    static bool keep = false;
    return keep;
}

// One extra load of each library a batch used, never unloaded: it keeps the
// code mapped while every return's own load comes and goes.
void keepLoaded(const QString& path)
{
    static QHash<QString, QLibrary*> kept;
    if (kept.contains(path))
        return;
    auto* library = new QLibrary(path);
    if (library->load())
        kept.insert(path, library);
    else
        delete library;
}

QString programFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Without an application object (a tool that only reads files) the
    // running executable still tells where the program lives.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

} // namespace

CMultiProvsTaxMgr::CMultiProvsTaxMgr(ENUM_MultiProvsTaxMgrMode mode, DependantInfoStruct* dependants)
    : m_mode(mode), m_dependants(dependants)
{
}

CMultiProvsTaxMgr::~CMultiProvsTaxMgr()
{
    // The holder is being torn down with its host: it is not told, but
    // everything the plug-ins made is still freed before their code goes.
    m_releaseHook = nullptr;
    killAll();
}

// ---------------------------------------------------------------- where from

QString CMultiProvsTaxMgr::pluginFolder()
{
    const QString& overridden = pluginFolderOverride();
    if (!overridden.isEmpty())
        return overridden;
    return QDir::cleanPath(programFolder() + QStringLiteral("/../lib/plugins"));
}

void CMultiProvsTaxMgr::setKeepPluginsLoaded(bool keep)
{
    keepPluginsLoaded() = keep;
}

void CMultiProvsTaxMgr::setPluginFolder(const QString& folder)
{
    pluginFolderOverride() = folder.isEmpty() ? QString() : QDir(folder).absolutePath();
}

int CMultiProvsTaxMgr::getProvLibFilePath(ENUMTYPE_PROVINCE province, QString& path)
{
    const QString baseName = provincePluginBaseName(province);
    if (baseName.isEmpty())
        return 0;
    QString fileName;
    getOSLibFilename(baseName, fileName);
    path = QDir(pluginFolder()).absoluteFilePath(fileName);
    return 1;
}

// ---------------------------------------------------------------- management

CProvincialTaxManager* CMultiProvsTaxMgr::getProvMgr(ENUMTYPE_PROVINCE province, bool unloadOthers)
{
    if (!isProvinceSupportedForPlugin(province)) {
        setLoadFailure(province, QStringLiteral("the province is not supported"));
        return nullptr;
    }
    if (unloadOthers)
        killAll();
    if (m_managers[province])
        return m_managers[province];
    return loadPlugin(province);
}

CProvincialTaxManager* CMultiProvsTaxMgr::loadPlugin(ENUMTYPE_PROVINCE province)
{
    QString path;
    if (!getProvLibFilePath(province, path)) {
        setLoadFailure(province, QStringLiteral("the province has no provincial tax module"));
        return nullptr;
    }

    auto* library = new QLibrary(path);
    auto refuse = [&](const QString& reason) -> CProvincialTaxManager* {
        if (library->isLoaded())
            library->unload();
        delete library;
        setLoadFailure(province, QStringLiteral("%1: %2").arg(path, reason));
        return nullptr;
    };

    if (!library->load())
        return refuse(library->errorString());

    auto version = reinterpret_cast<PFN_ProvincialTaxManagerVersion>(library->resolve(PROVINCIAL_ENTRY_VERSION));
    if (!version)
        return refuse(QStringLiteral("the module does not state its interface version"));
    const int built = version();
    if (built != PROVINCIAL_TAX_MANAGER_VERSION)
        return refuse(QStringLiteral("the module was built for interface version %1, this program needs %2")
                          .arg(QString::number(built), QString::number(PROVINCIAL_TAX_MANAGER_VERSION)));

    auto entry = reinterpret_cast<PFN_GetTaxManager>(library->resolve(PROVINCIAL_ENTRY_GET_MANAGER));
    if (!entry)
        return refuse(QStringLiteral("the module has no entry \"%1\"").arg(QLatin1String(PROVINCIAL_ENTRY_GET_MANAGER)));

    CProvincialTaxManager* manager = entry();
    if (!manager)
        return refuse(QStringLiteral("the module made no tax manager"));
    if (manager->getProvince() != province) {
        const int served = manager->getProvince();
        delete manager;
        return refuse(QStringLiteral("the module serves province %1, not %2")
                          .arg(QString::number(served), QString::number(province)));
    }

    if (keepPluginsLoaded())
        keepLoaded(path);
    manager->setDepInfo(m_dependants);
    m_managers[province] = manager;
    m_libraries[province] = library;
    if (m_lastFailedProvince == province) {
        m_lastFailedProvince = 0;
        m_lastLoadError.clear();
    }
    return manager;
}

void CMultiProvsTaxMgr::setLoadFailure(ENUMTYPE_PROVINCE province, const QString& reason)
{
    m_lastFailedProvince = province;
    m_lastLoadError = reason;
}

CProvincialTaxManager* CMultiProvsTaxMgr::getModeOneProvMgr() const
{
    for (CProvincialTaxManager* manager : m_managers) {
        if (manager)
            return manager;
    }
    return nullptr;
}

CProvincialTaxManager* CMultiProvsTaxMgr::mainProvMgr() const
{
    if (m_mainProvince <= 0 || m_mainProvince >= kProvinceSlots)
        return nullptr;
    return m_managers[m_mainProvince];
}

void CMultiProvsTaxMgr::GetActiveProvinces(std::list<unsigned int>& provinces) const
{
    for (int province = 0; province < kProvinceSlots; ++province) {
        if (m_managers[province])
            provinces.push_back(unsigned(province));
    }
}

void CMultiProvsTaxMgr::setMainProvince(ENUMTYPE_PROVINCE province)
{
    m_mainProvince = province;
}

void CMultiProvsTaxMgr::FreeData()
{
    killAll();
}

void CMultiProvsTaxMgr::killAll()
{
    // Objects first, while every plug-in's code is still there; then the
    // managers; then the libraries.
    for (int province = 0; province < kProvinceSlots; ++province)
        releaseObjectsOf(province);
    for (CProvincialTaxManager*& manager : m_managers) {
        delete manager;
        manager = nullptr;
    }
    for (QLibrary*& library : m_libraries) {
        if (library) {
            library->unload();
            delete library;
            library = nullptr;
        }
    }
    m_madeObjects.clear();
}

void CMultiProvsTaxMgr::releaseObjectsOf(ENUMTYPE_PROVINCE province)
{
    CProvincialTaxManager* manager = m_managers[province];
    if (!manager)
        return;
    forgetDeadObjects();

    std::vector<QPointer<CTaxData_Form>> forms;
    std::vector<QPointer<CTaxData_Form>> interviewData;
    for (const MadeObject& made : m_madeObjects) {
        if (made.province == province)
            (made.interviewData ? interviewData : forms).push_back(made.object);
    }
    // The holder lets go of everything before anything is freed.
    if (m_releaseHook) {
        for (const auto& form : forms)
            if (form)
                m_releaseHook(form);
        for (const auto& data : interviewData)
            if (data)
                m_releaseHook(data);
    }
    for (const auto& form : forms) {
        if (!form)
            continue;
        if (!manager->offers(CProvincialTaxManager::OpFreeFormData) || !manager->FreeFormData(form, false))
            delete form.data();
    }
    if (!interviewData.empty() && manager->offers(CProvincialTaxManager::OpFreeWizardData))
        manager->FreeWizardData();
    for (const auto& data : interviewData) {
        if (data) // the plug-in did not free it: its class's code is still loaded now
            delete data.data();
    }
    forgetDeadObjects();
}

void CMultiProvsTaxMgr::forgetDeadObjects()
{
    m_madeObjects.erase(std::remove_if(m_madeObjects.begin(), m_madeObjects.end(),
                                       [](const MadeObject& made) { return made.object.isNull(); }),
                        m_madeObjects.end());
}

int CMultiProvsTaxMgr::liveObjectCount() const
{
    int count = 0;
    for (const MadeObject& made : m_madeObjects) {
        if (!made.object.isNull())
            ++count;
    }
    return count;
}

ENUMTYPE_PROVINCE CMultiProvsTaxMgr::makerOf(const CTaxData_Form* form) const
{
    for (const MadeObject& made : m_madeObjects) {
        if (made.object.data() == form)
            return made.province;
    }
    return 0;
}

// ---------------------------------------------------------------- state

CMultiProvsTaxMgr::ProvincialState CMultiProvsTaxMgr::provincialState() const
{
    if (m_mainProvince == 0)
        return ProvincialState::NoProvince;
    return mainProvMgr() ? ProvincialState::Ready : ProvincialState::Unavailable;
}

CString CMultiProvsTaxMgr::unavailableMessage() const
{
    switch (provincialState()) {
    case ProvincialState::Ready:
        return CString();
    case ProvincialState::NoProvince:
        return CString("No province or territory of residence is set, so provincial tax has not been "
                       "calculated. This return cannot be filed until it is.");
    case ProvincialState::Unavailable:
        break;
    }
    const QString name = provinceDisplayName(m_mainProvince);
    if (m_lastFailedProvince == m_mainProvince && !m_lastLoadError.isEmpty()) {
        return CString(QStringLiteral("The provincial tax calculation for %1 is unavailable (%2). Provincial tax "
                                      "has not been calculated; this return cannot be filed until it is.")
                           .arg(name, m_lastLoadError));
    }
    return CString(QStringLiteral("The provincial tax calculation for %1 has not been loaded. Provincial tax has "
                                  "not been calculated; this return cannot be filed until it is.")
                       .arg(name));
}

// ---------------------------------------------------------------- items

CTaxData_Form* CMultiProvsTaxMgr::NewFormData(ENUMTYPE_FORM type, bool addToReturn)
{
    CProvincialTaxManager* manager = mainProvMgr();
    if (!manager || !manager->offers(CProvincialTaxManager::OpNewFormData))
        return nullptr;
    CTaxData_Form* form = manager->NewFormData(type, addToReturn);
    if (form)
        m_madeObjects.push_back({form, m_mainProvince, false});
    return form;
}

bool CMultiProvsTaxMgr::FreeFormData(CTaxData_Form* form, bool inList)
{
    if (!form)
        return false;
    forgetDeadObjects();
    // The plug-in that made the form frees it; a form of unknown origin is
    // offered to every loaded plug-in in province order.
    const ENUMTYPE_PROVINCE maker = makerOf(form);
    bool freed = false;
    for (int province = 0; province < kProvinceSlots && !freed; ++province) {
        CProvincialTaxManager* manager = m_managers[province];
        if (!manager || (maker != 0 && province != maker))
            continue;
        if (manager->offers(CProvincialTaxManager::OpFreeFormData))
            freed = manager->FreeFormData(form, inList);
    }
    // Freed or handed back to the caller to delete: either way no longer ours.
    m_madeObjects.erase(std::remove_if(m_madeObjects.begin(), m_madeObjects.end(),
                                       [form](const MadeObject& made) { return made.object.data() == form; }),
                        m_madeObjects.end());
    return freed;
}

ENUMTYPE_FORM CMultiProvsTaxMgr::FindRelatedForm1(ENUMTYPE_FORM type)
{
    CProvincialTaxManager* manager = mainProvMgr();
    return manager ? manager->FindRelatedForm1(type) : 0;
}

CTaxData_Form* CMultiProvsTaxMgr::NewWizardData()
{
    CProvincialTaxManager* manager = mainProvMgr();
    if (!manager || !manager->offers(CProvincialTaxManager::OpNewWizardData))
        return nullptr;
    CTaxData_Form* data = manager->NewWizardData();
    if (data)
        m_madeObjects.push_back({data, m_mainProvince, true});
    return data;
}

bool CMultiProvsTaxMgr::FreeWizardData()
{
    bool allFreed = true;
    for (CProvincialTaxManager* manager : m_managers) {
        if (!manager)
            continue;
        if (manager->offers(CProvincialTaxManager::OpFreeWizardData))
            allFreed = manager->FreeWizardData() && allFreed;
        else
            allFreed = false;
    }
    forgetDeadObjects();
    return allFreed;
}

void CMultiProvsTaxMgr::ReadDataFromWizards()
{
    CProvincialTaxManager* manager = mainProvMgr();
    if (manager && manager->offers(CProvincialTaxManager::OpReadDataFromWizards))
        manager->ReadDataFromWizards();
}

void CMultiProvsTaxMgr::WriteDataToWizards()
{
    CProvincialTaxManager* manager = mainProvMgr();
    if (manager && manager->offers(CProvincialTaxManager::OpWriteDataToWizards))
        manager->WriteDataToWizards();
}

void CMultiProvsTaxMgr::SyncDepInfo(ENUMTYPE_PROVINCE province, int formType)
{
    // Loading the other province for this must not count as the person's
    // own provincial calculation failing.
    const QString keptError = m_lastLoadError;
    const ENUMTYPE_PROVINCE keptProvince = m_lastFailedProvince;
    CProvincialTaxManager* manager = getProvMgr(province, false);
    if (province != m_mainProvince) {
        m_lastLoadError = keptError;
        m_lastFailedProvince = keptProvince;
    }
    if (manager && manager->offers(CProvincialTaxManager::OpSyncDepInfo))
        manager->SyncDepInfo(formType, m_dependants);
}

// ---------------------------------------------------------------- calculation

void CMultiProvsTaxMgr::setTaxFormInfo(CTaxData_Form* t1, CTaxData_Form* sch5)
{
    if (CProvincialTaxManager* manager = mainProvMgr())
        manager->setTaxFormInfo(t1, sch5);
}

void CMultiProvsTaxMgr::SetTaxReturnDefaultValues(CTaxData_Form* t1, CTaxData_Form* sch5)
{
    CProvincialTaxManager* manager = mainProvMgr();
    if (manager && manager->offers(CProvincialTaxManager::OpSetTaxReturnDefaultValues))
        manager->SetTaxReturnDefaultValues(t1, sch5);
}

void CMultiProvsTaxMgr::CalcLoggingCredit(CTaxData_Form* t1)
{
    if (CProvincialTaxManager* manager = mainProvMgr())
        manager->CalcLoggingCredit(t1);
}

void CMultiProvsTaxMgr::CalcProvCredit(CTaxData_Form* t1, CTaxData_Form* t2203, CTaxData_Form* sch5,
                                       const T2209List& t2209List)
{
    ProvincialT1Amounts::setCreditTotal(t1, 0.0);
    if (CProvincialTaxManager* manager = mainProvMgr())
        manager->CalcProvCredit(t1, t2203, sch5, t2209List);
}

void CMultiProvsTaxMgr::ExchangeDataBeforeCalc(bool fromInterviewData, int changedType, CTaxData_Form* t1)
{
    if (CProvincialTaxManager* manager = mainProvMgr())
        manager->ExchangeDataBeforeCalc(fromInterviewData, changedType, t1);
}

void CMultiProvsTaxMgr::CalcProvTax_BeforeExchData(CTaxData_Form* t1, CTaxData_Form* sch2, CTaxData_Form* sch3,
                                                   CTaxData_Form* dividendWorksheet, CTaxData_Form* sch5,
                                                   CTaxData_Form* sch9, CTaxData_Form* sch11, CTaxData_Form* t1206,
                                                   const T2209List& t2209List, CTaxData_Form* t691,
                                                   CTaxData_Form* t1219)
{
    if (CProvincialTaxManager* manager = mainProvMgr())
        manager->CalcProvTax_BeforeExchData(t1, sch2, sch3, dividendWorksheet, sch5, sch9, sch11, t1206, t2209List,
                                            t691, t1219);
}

void CMultiProvsTaxMgr::CalcProvTax_AfterExchData(CTaxData_Form* t1, CTaxData_Form* t2203, CTaxData_Form* sch2,
                                                  CTaxData_Form* sch3, CTaxData_Form* sch9, CTaxData_Form* t1206,
                                                  const T2209List& t2209List, CTaxData_Form* t691,
                                                  CTaxData_Form* t1219, CTaxData_Form* t2017)
{
    ProvincialT1Amounts::setTaxTotal(t1, 0.0);
    if (CProvincialTaxManager* manager = mainProvMgr())
        manager->CalcProvTax_AfterExchData(t1, t2203, sch2, sch3, sch9, t1206, t2209List, t691, t1219, t2017);
}

int CMultiProvsTaxMgr::beforeCalcFormData(int formType, CTaxData_Form* form)
{
    if (CProvincialTaxManager* manager = mainProvMgr())
        manager->beforeCalcFormData(formType, form);
    return 0;
}

int CMultiProvsTaxMgr::afterCalcFormData(int formType, CTaxData_Form* form)
{
    if (CProvincialTaxManager* manager = mainProvMgr())
        manager->afterCalcFormData(formType, form);
    return 0;
}

void CMultiProvsTaxMgr::CalcBenefit(bool estimate, CTaxData_Form* t1, CTaxData_Form* returnSummary)
{
    if (CProvincialTaxManager* manager = mainProvMgr())
        manager->CalcBenefit(estimate, t1, returnSummary);
}

void CMultiProvsTaxMgr::UpdateT1KST2203(CTaxData_Form* returnSummary, CTaxData_Form* t2203, CTaxData_Form* sch5,
                                        CTaxData_Form* sch9)
{
    if (CProvincialTaxManager* manager = mainProvMgr())
        manager->UpdateT1KST2203(returnSummary, t2203, sch5, sch9);
}

void CMultiProvsTaxMgr::GetIncomeThresholds(std::list<double>& thresholds)
{
    if (CProvincialTaxManager* manager = mainProvMgr())
        manager->GetIncomeThresholds(thresholds);
}

bool CMultiProvsTaxMgr::IsNonRefTaxCreditAllUsed()
{
    CProvincialTaxManager* manager = mainProvMgr();
    if (!manager)
        return false;
    if (!manager->offers(CProvincialTaxManager::OpIsNonRefTaxCreditAllUsed))
        return true;
    return manager->IsNonRefTaxCreditAllUsed();
}

// ---------------------------------------------------------------- coupled

void CMultiProvsTaxMgr::ExchangeCoupledInfoAfterCalcTaxableIncome(CMultiProvsTaxMgr* other)
{
    CProvincialTaxManager* mine = mainProvMgr();
    CProvincialTaxManager* theirs = other ? other->mainProvMgr() : nullptr;
    if (mine && theirs)
        mine->ExchangeCoupledInfoAfterCalcTaxableIncome(theirs);
}

void CMultiProvsTaxMgr::ExchangeCoupledInfoForProvTax_MainlyS2(CMultiProvsTaxMgr* other)
{
    CProvincialTaxManager* mine = mainProvMgr();
    CProvincialTaxManager* theirs = other ? other->mainProvMgr() : nullptr;
    if (mine && theirs)
        mine->ExchangeCoupledInfoForProvTax_MainlyS2(theirs);
}

void CMultiProvsTaxMgr::ExchangeCoupledInfoForProvTax_MainlyUnusedLowIncCredit_MXOption(CMultiProvsTaxMgr* other)
{
    CProvincialTaxManager* mine = mainProvMgr();
    CProvincialTaxManager* theirs = other ? other->mainProvMgr() : nullptr;
    if (mine && theirs)
        mine->ExchangeCoupledInfoForProvTax_MainlyUnusedLowIncCredit_MXOption(theirs);
}

void CMultiProvsTaxMgr::ValidateWithCoupled(std::list<CString>& messages, CMultiProvsTaxMgr* other)
{
    CProvincialTaxManager* mine = mainProvMgr();
    CProvincialTaxManager* theirs = other ? other->mainProvMgr() : nullptr;
    if (mine && theirs)
        mine->ValidateWithCoupled(messages, theirs);
}

// ---------------------------------------------------------------- amounts

int CMultiProvsTaxMgr::getProvAmountClaimed(int code, double& value)
{
    CProvincialTaxManager* manager = mainProvMgr();
    return manager ? manager->getProvAmountClaimed(code, value) : 0;
}

int CMultiProvsTaxMgr::setProvAmountClaimed(int code, double value)
{
    CProvincialTaxManager* manager = mainProvMgr();
    return manager ? manager->setProvAmountClaimed(code, value) : 0;
}

// ---------------------------------------------------------------- validation

void CMultiProvsTaxMgr::Validate(std::list<CString>& messages, CTaxData_Form* t1, CTaxData_Form* sch2,
                                 CTaxData_Form* sch5, CTaxData_Form* sch9, CTaxData_Form* sch11, CTaxData_Form* t691,
                                 CTaxData_Form* t1206)
{
    CProvincialTaxManager* manager = mainProvMgr();
    if (!manager) {
        messages.push_back(unavailableMessage());
        return;
    }
    manager->Validate(messages, t1, sch2, sch5, sch9, sch11, t691, t1206);
}

int CMultiProvsTaxMgr::IsEligibleForElectronicFile()
{
    CProvincialTaxManager* manager = mainProvMgr();
    if (!manager)
        return kNotEligibleUnavailable;
    if (!manager->offers(CProvincialTaxManager::OpIsEligibleForElectronicFile))
        return 0;
    return manager->IsEligibleForElectronicFile();
}

bool CMultiProvsTaxMgr::AnyMsgBeforeDirerad(CTaxData_Form* t1, CTaxData_Form* sch11, QWidget* parent)
{
    CProvincialTaxManager* manager = mainProvMgr();
    if (!manager)
        return false; // validation has said why; nothing unchecked may be filed
    std::list<CString> messages;
    manager->AnyMsgBeforeDirerad(t1, sch11, messages);
    for (const CString& message : messages) {
        if (!warnYesNo(parent, QStringLiteral("voDarevivo Warning Message"), message))
            return false;
    }
    return true;
}
