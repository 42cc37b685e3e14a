#include "companion/forms/provincialtaxmanager.h"

// The defaults of the optional operations. A caller that honours
// offeredOperations() never reaches them; they still answer safely for one
// that does not.

CProvincialTaxManager::~CProvincialTaxManager() = default;

void CProvincialTaxManager::SetTaxReturnDefaultValues(CTaxData_Form*, CTaxData_Form*) {}

void CProvincialTaxManager::SyncDepInfo(int, DependantInfoStruct*) {}

CTaxData_Form* CProvincialTaxManager::NewFormData(ENUMTYPE_FORM, bool)
{
    return nullptr;
}

bool CProvincialTaxManager::FreeFormData(CTaxData_Form*, bool)
{
    return false;
}

int CProvincialTaxManager::ActivateForm(ENUMTYPE_FORM, unsigned int*, std::list<BaseTaxPage*>&)
{
    return 0;
}

CTaxData_Form* CProvincialTaxManager::NewWizardData()
{
    return nullptr;
}

bool CProvincialTaxManager::FreeWizardData()
{
    return false;
}

int CProvincialTaxManager::ActivateWizard(unsigned int*)
{
    return 0;
}

void CProvincialTaxManager::ReadDataFromWizards() {}

void CProvincialTaxManager::WriteDataToWizards() {}

int CProvincialTaxManager::IsEligibleForElectronicFile()
{
    return 0;
}

bool CProvincialTaxManager::IsNonRefTaxCreditAllUsed()
{
    return true;
}
