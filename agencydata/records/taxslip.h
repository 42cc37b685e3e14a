#pragma once

#include "companion/core/cstring.h"

class CTaxData_Form;

// An information slip received from the agency, one subclass per slip kind
// (the agency-data library has them). The return model sees only this: a
// slip that copies its boxes into the return's slip object of its class.
class TaxSlip
{
public:
    virtual ~TaxSlip() = default;

    // The return's slip type this slip fills (a T4 fills the T4 slip).
    virtual int slipType() const = 0;
    // Copies the slip's boxes into slip, an object of the matching class;
    // 0 when copied.
    virtual int copyToSlipData(CTaxData_Form* slip) = 0;
    // Leaves suffix unchanged; no kind needs another.
    virtual void getSlipSpecNameSuffix(CString& suffix) { (void)suffix; }
};
