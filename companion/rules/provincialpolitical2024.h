#pragma once

#include "companion/rules/province.h"

// The 2024 provincial and territorial political contribution tax credits:
// a share of the contributions made in the year to the jurisdiction's own
// parties and candidates, by bands, up to a maximum credit. Ontario's and
// Nunavut's are refundable (their 479 forms, line 47900); the others come
// off the tax on the 428 (line 42800).
namespace taxrules {

// The credit for `contributions`; 0 for Quebec and None.
double provincialPoliticalContributionCredit(Province province, double contributions);

// Whether the province's credit is refundable (paid through its 479).
bool politicalContributionCreditIsRefundable(Province province);

} // namespace taxrules
