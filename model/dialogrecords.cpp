#include "model/dialogrecords.h"

#include <algorithm>

int DataShareAmtDlg::Calculate()
{
    fld_Donation_1.m_value = std::min(fld_Donation_1.m_value, fld_Donation_1_Claimed.m_value);
    fld_Donation_2.m_value = std::min(fld_Donation_2.m_value, fld_Donation_2_Claimed.m_value);
    return 0;
}
