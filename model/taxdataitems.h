#pragma once

#include "companion/forms/taxtypes.h"

class CTaxData_Form;

// List items of a person's return. The person owns each item and the object
// it points at. Ids are unique within the person across forms and slips; a
// shared id names the linked item of the same type in the other spouse's
// list (0: not shared).

struct STRUCT_FORMDATA_ITEM_2004
{
    ENUMTYPE_FORM type = 0;
    int id = 0;
    int sharedId = 0;
    CTaxData_Form* data = nullptr;
};

struct STRUCT_SLIPDATA_ITEM_2004
{
    ENUMTYPE_SLIP type = 0;
    int id = 0;
    int sharedId = 0;
    CTaxData_Form* data = nullptr;
};

struct STRUCT_NOTEDATA_ITEM_2004
{
    int id = 0;
    CTaxData_Form* data = nullptr;
};

struct STRUCT_WIZDATA_ITEM_2004
{
    ENUMTYPE_TAXWIZARD type = 0;
    CTaxData_Form* data = nullptr;
};

// Visitors over a person's items. A walk over forms or slips calls begin,
// then doWork per item until one returns false, then end (also after an
// early stop). The note walk has no begin or end; the interview-data walk
// visits every item whatever doWork answers.
class CEnumTaxFormObj
{
public:
    virtual ~CEnumTaxFormObj() = default;
    virtual bool doWork(STRUCT_FORMDATA_ITEM_2004* item, void* param);
    virtual bool begin(void* param);
    virtual bool end(void* param);
    int m_counter = 0;
};

class CEnumTaxSlipObj
{
public:
    virtual ~CEnumTaxSlipObj() = default;
    virtual bool doWork(STRUCT_SLIPDATA_ITEM_2004* item, void* param);
    virtual bool begin(void* param);
    virtual bool end(void* param);
    int m_counter = 0;
};

class CEnumTaxNoteObj
{
public:
    virtual ~CEnumTaxNoteObj() = default;
    virtual bool doWork(STRUCT_NOTEDATA_ITEM_2004* item, void* param);
    int m_counter = 0;
};

class CEnumTaxWizardObj
{
public:
    virtual ~CEnumTaxWizardObj() = default;
    virtual bool doWork(STRUCT_WIZDATA_ITEM_2004* item, void* param);
    int m_counter = 0;
};

// Gives every form the coupled flag that param (a bool*) points at.
class CSetCoupledFlagObj : public CEnumTaxFormObj
{
public:
    CSetCoupledFlagObj() { m_counter = 0; }
    bool doWork(STRUCT_FORMDATA_ITEM_2004* item, void* param) override;
};
