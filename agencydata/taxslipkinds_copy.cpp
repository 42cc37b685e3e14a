// Copying agency slips into the return's slip objects is not built yet:
// until it is, every kind that has a slip object in the return leaves the
// target as it was and says so through its result.
#include "agencydata/records/taxslipkinds.h"

namespace {

constexpr int kNotCopied = -1;

} // namespace

int TaxSlipT4::copyToSlipData(CTaxData_Form* /*target*/)
{
    return kNotCopied;
}

int TaxSlipT4A::copyToSlipData(CTaxData_Form* /*target*/)
{
    return kNotCopied;
}

int TaxSlipT4AP::copyToSlipData(CTaxData_Form* /*target*/)
{
    return kNotCopied;
}

int TaxSlipT4RSP::copyToSlipData(CTaxData_Form* /*target*/)
{
    return kNotCopied;
}

int TaxSlipT4E::copyToSlipData(CTaxData_Form* /*target*/)
{
    return kNotCopied;
}

int TaxSlipT4AOAS::copyToSlipData(CTaxData_Form* /*target*/)
{
    return kNotCopied;
}

int TaxSlipT4RIF::copyToSlipData(CTaxData_Form* /*target*/)
{
    return kNotCopied;
}

int TaxSlipT5::copyToSlipData(CTaxData_Form* /*target*/)
{
    return kNotCopied;
}

int TaxSlipT3::copyToSlipData(CTaxData_Form* /*target*/)
{
    return kNotCopied;
}

int TaxSlipT5007::copyToSlipData(CTaxData_Form* /*target*/)
{
    return kNotCopied;
}

int TaxSlipT5013::copyToSlipData(CTaxData_Form* /*target*/)
{
    return kNotCopied;
}

int TaxSlipRC62::copyToSlipData(CTaxData_Form* /*target*/)
{
    return kNotCopied;
}

int TaxSlipRC210::copyToSlipData(CTaxData_Form* /*target*/)
{
    return kNotCopied;
}

int TaxSlipMBRentalAssistSlip::copyToSlipData(CTaxData_Form* /*target*/)
{
    return kNotCopied;
}

int TaxSlipPRPP::copyToSlipData(CTaxData_Form* /*target*/)
{
    return kNotCopied;
}

int TaxSlipT1204::copyToSlipData(CTaxData_Form* /*target*/)
{
    return kNotCopied;
}

int TaxSlipT2202::copyToSlipData(CTaxData_Form* /*target*/)
{
    return kNotCopied;
}

int TaxSlipT4FHSA::copyToSlipData(CTaxData_Form* /*target*/)
{
    return kNotCopied;
}

// These two have no slip object in the return: an apply reads their members
// directly, so there is nothing to copy.
int TaxSlipT5008::copyToSlipData(CTaxData_Form* /*target*/)
{
    return 0;
}

int TaxSlipRRSPReceipt::copyToSlipData(CTaxData_Form* /*target*/)
{
    return 0;
}
