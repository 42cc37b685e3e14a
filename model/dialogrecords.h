#pragma once

#include <QDate>

#include "companion/core/cstring.h"
#include "companion/forms/cwsbasedata.h"
#include "companion/forms/fields.h"
#include "companion/forms/taxtypes.h"

// Records the return model shares with the dialogs. They live here because
// the model reads them and must not depend on the dialogs.

// What CFamilyTaxData::NewData reads of the new-return wizard's record, as
// plain values. The wizard's record (DataNewReturnBasic, made of field
// objects) converts with newReturnBasicDataFrom.
struct NewReturnBasicData
{
    CString FirstName;
    CString LastName;
    CString sin;
    QDate dob{1980, 1, 1};
    ENUMTYPE_PROVINCE TaxPronv = 0;
    int MaritalStatus = -1; // -1 not chosen, else ENUMTYPE_MARITAL_STATUS
    CString FirstNameSpouse;
    CString LastNameSpouse;
    bool Coupled = false;            // prepare the spouse's return too
    bool SpouseNonResident = false;  // not read by the model
    CString sinSpouse;
    QDate dobSpouse{1980, 1, 1};
    ENUMTYPE_PROVINCE TaxPronvSpouse = 0;
    // Forms to create in the new return.
    bool bSch3 = false;
    bool bSch4 = false;
    bool bSch6 = false;
    bool bSch7 = false;
    bool bSch9 = false;
    bool bSch11 = false;
    bool bSch15 = false;
    bool bT776 = false;
    bool bT2125 = false;
    bool bT1DD = false;
};

// The values of a record whose members are field objects of the same names
// (the new-return wizard's record).
template <typename Record>
NewReturnBasicData newReturnBasicDataFrom(const Record& record)
{
    NewReturnBasicData data;
    data.FirstName = record.FirstName.m_value;
    data.LastName = record.LastName.m_value;
    data.sin = record.sin.m_value;
    data.dob = record.dob.m_value;
    data.TaxPronv = record.TaxPronv.m_value;
    data.MaritalStatus = record.MaritalStatus.m_value;
    data.FirstNameSpouse = record.FirstNameSpouse.m_value;
    data.LastNameSpouse = record.LastNameSpouse.m_value;
    data.Coupled = record.Coupled.m_value != 0;
    data.SpouseNonResident = record.SpouseNonResident.m_value != 0;
    data.sinSpouse = record.sinSpouse.m_value;
    data.dobSpouse = record.dobSpouse.m_value;
    data.TaxPronvSpouse = record.TaxPronvSpouse.m_value;
    data.bSch3 = record.bSch3.m_value != 0;
    data.bSch4 = record.bSch4.m_value != 0;
    data.bSch6 = record.bSch6.m_value != 0;
    data.bSch7 = record.bSch7.m_value != 0;
    data.bSch9 = record.bSch9.m_value != 0;
    data.bSch11 = record.bSch11.m_value != 0;
    data.bSch15 = record.bSch15.m_value != 0;
    data.bT776 = record.bT776.m_value != 0;
    data.bT2125 = record.bT2125.m_value != 0;
    data.bT1DD = record.bT1DD.m_value != 0;
    return data;
}

// Options of the import of last year's return: five one-byte flags.
struct STRUCT_IMPORT_LASTYEAR_PARAM
{
    bool bKeepNotes = true;
    bool bIncludeSFD = false;
    bool bKeepForms = false;
    bool bCopyAllData = false;
    bool bMakeCoupled = false;
};

// Shareable amounts of a coupled return: _1 the taxpayer's own, _2 the
// spouse's own, _3 the couple's shareable pool; the claimed amounts and the
// pensions are shown, not edited.
class DataShareAmtDlg : public CWSBaseData
{
public:
    DataShareAmtDlg() = default;

    CFloatField fld_BankInterest_1_Claimed{this, 1, "fld_BankInterest_1_Claimed", "", "Interest claimed (taxpayer)"};
    CFloatField fld_BankInterest_1{this, 2, "fld_BankInterest_1", "", "Interest (taxpayer)"};
    CFloatField fld_BankInterest_2_Claimed{this, 3, "fld_BankInterest_2_Claimed", "", "Interest claimed (spouse)"};
    CFloatField fld_BankInterest_2{this, 4, "fld_BankInterest_2", "", "Interest (spouse)"};
    CFloatField fld_BankInterest_3{this, 5, "fld_BankInterest_3", "", "Shareable interest"};
    CFloatField fld_Donation_1_Claimed{this, 6, "fld_Donation_1_Claimed", "", "Donations claimed (taxpayer)"};
    CFloatField fld_Donation_1{this, 7, "fld_Donation_1", "", "Donations (taxpayer)"};
    CFloatField fld_Donation_2_Claimed{this, 8, "fld_Donation_2_Claimed", "", "Donations claimed (spouse)"};
    CFloatField fld_Donation_2{this, 9, "fld_Donation_2", "", "Donations (spouse)"};
    CFloatField fld_Donation_3{this, 10, "fld_Donation_3", "", "Shareable donations"};
    CFloatField fld_CapGain_1_Claimed{this, 11, "fld_CapGain_1_Claimed", "", "Capital gains claimed (taxpayer)"};
    CFloatField fld_CapGain_1{this, 12, "fld_CapGain_1", "", "Capital gains (taxpayer)"};
    CFloatField fld_CapGain_2_Claimed{this, 13, "fld_CapGain_2_Claimed", "", "Capital gains claimed (spouse)"};
    CFloatField fld_CapGain_2{this, 14, "fld_CapGain_2", "", "Capital gains (spouse)"};
    CFloatField fld_CapGain_3{this, 15, "fld_CapGain_3", "", "Shareable capital gains"};
    CFloatField fld_Pension_1_Claimed{this, 16, "fld_Pension_1_Claimed", "", "Pension claimed (taxpayer)"};
    CFloatField fld_Pension_1{this, 17, "fld_Pension_1", "", "Pension (taxpayer)"};
    CFloatField fld_Pension_2_Claimed{this, 18, "fld_Pension_2_Claimed", "", "Pension claimed (spouse)"};
    CFloatField fld_Pension_2{this, 19, "fld_Pension_2", "", "Pension (spouse)"};

    // Typed amounts are never below 0, and each person's donation stays
    // within what that person may claim.
    int Calculate() override;
};
