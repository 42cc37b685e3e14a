#pragma once

#include <vector>

#include "companion/forms/taxtypes.h"
#include "model/slipcalc.h"

class CTaxData_Form;

// The slip boxes that go into a total unchanged: one row per box, naming
// the slip type, the box and the total it adds to. Boxes that are split,
// capped, marked or counted are added by the slip walk in slipcalc.cpp.
struct SlipBoxSum {
    ENUMTYPE_SLIP slip;
    const char* box; // the field's name on the slip
    double STRUCT_SLIPDATA_CALCULATION::*total;
    // Whether the slip is of the class the box belongs to, and the box's
    // value once that is known (no check of its own).
    bool (*isOfClass)(const CTaxData_Form& slip);
    double (*valueOfClass)(const CTaxData_Form& slip);
};

const std::vector<SlipBoxSum>& slipBoxSums();

// Adds every plain box of one slip of the given type into its total.
void addPlainSlipBoxes(STRUCT_SLIPDATA_CALCULATION& totals, ENUMTYPE_SLIP type, const CTaxData_Form& slip);
