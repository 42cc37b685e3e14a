#pragma once

#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/individualtaxdata.h"

// One person with a T1 (Jean Tremblay, Ontario, S.I.N. 123456782) for the
// online filing rules, and a way to add forms of any type.
struct EfilePerson
{
    DependantInfoStruct dependants{12};
    IndividualTaxData person{0, &dependants};

    explicit EfilePerson(int province = 9)
    {
        person.NewData(province, CString("Jean"), CString("Tremblay"), CString("123456782"), QDate(1975, 6, 15), 5,
                       CString(), CString(), CString(), QDate(), false);
    }
    TaxData_T1New& t1() { return *person.GetT1(); }

    template <typename Form = CTaxData_Form>
    Form* add(int type)
    {
        STRUCT_FORMDATA_ITEM_2004* item = person.NewFormDataItem(ENUMTYPE_FORM(type), 0, true, 0, true);
        return item ? qobject_cast<Form*>(item->data) : nullptr;
    }
    // An item of a type the federal factory does not make (the farm
    // statement some provinces use): the rules look at its type alone.
    void addItemOfType(int type)
    {
        auto* item = new STRUCT_FORMDATA_ITEM_2004;
        item->type = ENUMTYPE_FORM(type);
        item->id = person.GetNextUniqueID();
        item->data = new CTaxData_Form(FROM_FORM, type);
        person.m_formList.push_back(item);
    }
};
