#pragma once

// Estimated Canada child benefit for the benefit year the return leads to:
// under6 children aged 0 to 5, from6to17 children aged 6 to 17, disabled
// infirm dependants under 18, and the family's adjusted net income. The
// province is accepted for the callers' sake and not used.
double CalculateCCB2016(int province, int under6, int from6to17, int disabled, double familyIncome);
