#pragma once

struct DependantInfoStruct;
class TaxData_T778New;

// The children a T778 limits child care expenses by, counted from the family's
// dependant table into the form's dependant counts: a child entered once as a
// dependant reaches the claim without being counted again by hand. The counts
// typed on the form are for children the table does not list.
void countChildrenForChildCare(const DependantInfoStruct* dependants, TaxData_T778New& t778);
