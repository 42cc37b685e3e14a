#include "companion/forms/provincialt1amounts.h"

#include "companion/forms/ctaxdata_form.h"

namespace {

CFloatField* amountField(const CTaxData_Form* t1, const char* name)
{
    if (!t1 || t1->getKind() != FROM_FORM || t1->getType() != FORM_T1)
        return nullptr;
    CField* field = t1->findField(QLatin1String(name));
    return field && field->kind() == FieldKind::Float ? static_cast<CFloatField*>(field) : nullptr;
}

bool setAmount(CTaxData_Form* t1, const char* name, double amount)
{
    CFloatField* field = amountField(t1, name);
    if (!field)
        return false;
    field->m_value = amount;
    return true;
}

double amount(const CTaxData_Form* t1, const char* name)
{
    const CFloatField* field = amountField(t1, name);
    return field ? field->m_value : 0.0;
}

} // namespace

namespace ProvincialT1Amounts {

bool setTaxTotal(CTaxData_Form* t1, double value)
{
    return setAmount(t1, kTaxTotalField, value);
}

bool setCreditTotal(CTaxData_Form* t1, double value)
{
    return setAmount(t1, kCreditTotalField, value);
}

double taxTotal(const CTaxData_Form* t1)
{
    return amount(t1, kTaxTotalField);
}

double creditTotal(const CTaxData_Form* t1)
{
    return amount(t1, kCreditTotalField);
}

double lineAmount(const CTaxData_Form* t1, const char* fieldName)
{
    return amount(t1, fieldName);
}

} // namespace ProvincialT1Amounts
