#pragma once

#include <vector>

class IndividualTaxData;

// The taxable incomes in [from, to] at which a person's tax bends: the
// federal and provincial rate thresholds, where a federal credit starts to
// shrink, and every bend of the province's own tax found on its rules
// (health premium, surtax, low-income reduction). A piecewise-linear family
// balance has its minimum at such a bend or at an end, so the optimiser's
// searches try them.
std::vector<double> incomeBends(IndividualTaxData& person, double from, double to);
