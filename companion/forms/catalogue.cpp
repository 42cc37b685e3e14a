#include "companion/forms/catalogue.h"

#include <QByteArray>

namespace {

template <typename Row, int N>
const Row* rowOf(const Row (&table)[N], int index)
{
    // Row 0 is the "none" row: it describes no type, so it is not returned.
    return index > 0 && index < N ? &table[index] : nullptr;
}

} // namespace

const STRUCT_FORM_INFO* getFormInfo(ENUMTYPE_FORM type) { return rowOf(Global_Forms_Info, type); }
const STRUCT_SLIP_INFO* getSlipInfo(ENUMTYPE_SLIP type) { return rowOf(Global_Slips_Info, type); }
const STRUCT_TAXWIZARD_INFO* getTaxWizardInfo(ENUMTYPE_TAXWIZARD type) { return rowOf(Global_TaxWizard_Info, type); }
const STRUCT_PROVINCE_INFO* getProvInfo(ENUMTYPE_PROVINCE province) { return rowOf(Global_Provs_Info, province); }
const STRUCT_PROVINCE_FORMS* getProvinceForms(ENUMTYPE_PROVINCE province) { return rowOf(Province_Forms_Info, province); }

const char* getFormName(ENUMTYPE_FORM type)
{
    const STRUCT_FORM_INFO* row = getFormInfo(type);
    return row ? row->name : "";
}

const char* getFormCode(ENUMTYPE_FORM type)
{
    const STRUCT_FORM_INFO* row = getFormInfo(type);
    return row ? row->code : "";
}

const char* getSlipName(ENUMTYPE_SLIP type)
{
    const STRUCT_SLIP_INFO* row = getSlipInfo(type);
    return row ? row->name : "";
}

const char* getTaxWizardName(ENUMTYPE_TAXWIZARD type)
{
    const STRUCT_TAXWIZARD_INFO* row = getTaxWizardInfo(type);
    return row ? row->name : "";
}

const char* getProvName(ENUMTYPE_PROVINCE province)
{
    const STRUCT_PROVINCE_INFO* row = getProvInfo(province);
    return row ? row->name : "";
}

const char* getProvCode(ENUMTYPE_PROVINCE province)
{
    const STRUCT_PROVINCE_INFO* row = getProvInfo(province);
    return row ? row->code : "";
}

ENUMTYPE_PROVINCE getProvinceFromCode(const char* code)
{
    if (!code)
        return PROV_NONE;
    const QByteArray wanted = QByteArray(code).trimmed().toUpper();
    for (int p = 1; p < PROVINCE_COUNT; ++p) {
        if (wanted == Global_Provs_Info[p].code)
            return p;
    }
    return PROV_NONE;
}

bool IsSFDForm(ENUMTYPE_FORM type)
{
    const STRUCT_FORM_INFO* row = getFormInfo(type);
    return row && row->sfd;
}

bool IsMultipleForm(ENUMTYPE_FORM type)
{
    const STRUCT_FORM_INFO* row = getFormInfo(type);
    return row && row->multiple;
}

bool IsFormSharable(ENUMTYPE_FORM type)
{
    const STRUCT_FORM_INFO* row = getFormInfo(type);
    return row && row->sharable;
}

bool IsSlipSharable(ENUMTYPE_SLIP type)
{
    const STRUCT_SLIP_INFO* row = getSlipInfo(type);
    return row && row->sharable;
}

bool IsFormDependantRelated(ENUMTYPE_FORM type)
{
    const STRUCT_FORM_INFO* row = getFormInfo(type);
    return row && row->dependants;
}

bool IsProvinceSupported(int province)
{
    const STRUCT_PROVINCE_INFO* row = getProvInfo(province);
    return row && row->supported;
}

bool IsFormExpired(ENUMTYPE_FORM type, ENUMTYPE_PROVINCE province)
{
    const STRUCT_FORM_INFO* row = getFormInfo(type);
    if (!row || row->expired)
        return true;
    return province > 0 && row->province > 0 && row->province != province;
}

int getFormProv(ENUMTYPE_FORM type)
{
    const STRUCT_FORM_INFO* row = getFormInfo(type);
    return row ? row->province : -1;
}

bool IsFormMandatory(unsigned char edition, ENUMTYPE_PROVINCE province, ENUMTYPE_FORM type)
{
    if (type == FORM_T1 || type == FORM_T1KS)
        return true;
    if ((edition & EDITION_EFILE) && (type == FORM_T183 || type == FORM_INSTALMENT_CALC))
        return true;
    if (const STRUCT_PROVINCE_FORMS* forms = getProvinceForms(province)) {
        for (int i = 0; i < forms->count; ++i) {
            if (forms->forms[i].type == type && forms->forms[i].create)
                return true;
        }
    }
    return false;
}

ENUMTYPE_FORM GetCAISFormTypeFromProv(ENUMTYPE_PROVINCE province)
{
    const STRUCT_PROVINCE_INFO* row = getProvInfo(province);
    return row ? row->farmStatementType : 15;
}
