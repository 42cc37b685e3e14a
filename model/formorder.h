#pragma once

#include <vector>

class IndividualTaxData;
struct STRUCT_FORMDATA_ITEM_2004;

// The order of a person's forms as the user arranges it. The return summary
// and its two copies (types 93, 159, 165) are not movable: they keep their
// places in the list and are never offered.
bool isFixedInFormOrder(int formType);

// The movable forms of the person, in list order.
std::vector<STRUCT_FORMDATA_ITEM_2004*> movableForms(const IndividualTaxData& person);

// Puts the movable forms back into the positions movable forms held, in the
// given order: P, 93, Q, R with the order R, Q, P becomes R, 93, Q, P. Only
// positions change. Refused (false, nothing changed) unless order holds
// exactly the person's movable forms.
bool applyFormOrder(IndividualTaxData& person, const std::vector<STRUCT_FORMDATA_ITEM_2004*>& order);
