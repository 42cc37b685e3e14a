#include "model/dialogrecords.h"

#include <algorithm>

int DataShareAmtDlg::Calculate()
{
    // A negative shareable amount would make the optimiser move income the
    // wrong way; what the user typed below 0 counts as nothing.
    for (CFloatField* typed : {&fld_BankInterest_1, &fld_BankInterest_2, &fld_BankInterest_3, &fld_Donation_1,
                               &fld_Donation_2, &fld_Donation_3, &fld_CapGain_1, &fld_CapGain_2, &fld_CapGain_3})
        typed->m_value = std::max(0.0, typed->m_value);
    fld_Donation_1.m_value = std::min(fld_Donation_1.m_value, fld_Donation_1_Claimed.m_value);
    fld_Donation_2.m_value = std::min(fld_Donation_2.m_value, fld_Donation_2_Claimed.m_value);
    return 0;
}
