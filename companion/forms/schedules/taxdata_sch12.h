#pragma once

#include "companion/forms/ctaxdata_form.h"

// Schedule 12: home accessibility expenses.
class TaxData_Sch12_2016 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Sch12_2016() : CTaxData_Form(FROM_FORM, FORM_SCH12_2016) {}
    CStringField DwellingAddress{this, 1, "DwellingAddress", "", "Address of the eligible dwelling"};
    CStringField Supplier{this, 2, "Supplier", "", "Supplier"};
    CFloatField ExpensesPaid{this, 3, "ExpensesPaid", "", "Eligible expenses paid"};
    CFloatField Result{this, 31285, "Result", "31285", "Home accessibility expenses", fld::Computed()};
    int Calculate01() override;
};

// Schedule 12 (second part): multigenerational home renovation tax credit.
class TaxData_Sch12_MultigHomeReno : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Sch12_MultigHomeReno() : CTaxData_Form(FROM_FORM, FORM_SCH12_MULTIGEN) {}
    CStringField DwellingAddress{this, 1, "DwellingAddress", "", "Address of the eligible dwelling"};
    CFloatField ExpensesPaid{this, 2, "ExpensesPaid", "", "Qualifying renovation expenses"};
    CFloatField Result{this, 45355, "Result", "45355", "Multigenerational home renovation tax credit", fld::Computed()};
    int Calculate01() override;
};
