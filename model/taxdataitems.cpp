#include "model/taxdataitems.h"

#include "companion/forms/ctaxdata_form.h"

bool CEnumTaxFormObj::doWork(STRUCT_FORMDATA_ITEM_2004*, void*)
{
    ++m_counter;
    return true;
}

bool CEnumTaxFormObj::begin(void*) { return true; }
bool CEnumTaxFormObj::end(void*) { return true; }

bool CEnumTaxSlipObj::doWork(STRUCT_SLIPDATA_ITEM_2004*, void*)
{
    ++m_counter;
    return true;
}

bool CEnumTaxSlipObj::begin(void*) { return true; }
bool CEnumTaxSlipObj::end(void*) { return true; }

bool CEnumTaxNoteObj::doWork(STRUCT_NOTEDATA_ITEM_2004*, void*)
{
    ++m_counter;
    return true;
}

bool CEnumTaxWizardObj::doWork(STRUCT_WIZDATA_ITEM_2004*, void*)
{
    ++m_counter;
    return true;
}

bool CSetCoupledFlagObj::doWork(STRUCT_FORMDATA_ITEM_2004* item, void* param)
{
    ++m_counter;
    if (item && item->data && param)
        item->data->setCoupledReturn(*static_cast<bool*>(param));
    return true;
}
