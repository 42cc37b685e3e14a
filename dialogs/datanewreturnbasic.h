#pragma once

#include "companion/forms/cwsbasedata.h"
#include "companion/forms/fields.h"

#include <QDate>
#include <array>

// What the new-return wizard collects: the taxpayer, the spouse and whether
// to prepare the spouse's return too, and the forms to add at once. The
// wizard's pages bind their widgets "fld_" + member name to these fields;
// the return model's new-return operation reads them in this order.
class DataNewReturnBasic : public CWSBaseData
{
public:
    DataNewReturnBasic() = default;

    // Nothing to derive.
    int Calculate() override { return 0; }

    // Married (0) or common-law (1): the wizard asks for the spouse and the
    // new return carries one. -1 (nothing chosen) and 2 to 5 do not.
    bool shouldAskSpouseInfo() const { return static_cast<quint32>(MaritalStatus.m_value) < 2; }
    // Coupled return: a spouse is present and the spouse's return is wanted.
    bool isCoupled() const { return shouldAskSpouseInfo() && Coupled.m_value != 0; }

    // The date both dates of birth start from. The pages do not accept it
    // without the user's confirmation.
    static QDate presetBirthDate() { return QDate(1980, 1, 1); }
    void presetBirthDates()
    {
        dob.m_value = presetBirthDate();
        dobSpouse.m_value = presetBirthDate();
    }

    static constexpr int kFieldCount = 23;
    // The fields in the order above, for code that walks the whole record.
    std::array<const CField*, kFieldCount> fieldsInOrder() const
    {
        return {&FirstName, &LastName, &sin, &dob, &TaxPronv, &MaritalStatus,
                &FirstNameSpouse, &LastNameSpouse, &Coupled, &SpouseNonResident, &sinSpouse,
                &dobSpouse, &TaxPronvSpouse, &bSch3, &bSch4, &bSch6, &bSch7, &bSch9,
                &bSch11, &bSch15, &bT776, &bT2125, &bT1DD};
    }

    // Taxpayer
    CStringField FirstName{0, "", 50, 0x10000};
    CStringField LastName{0, "", 50, 0x10000};
    CStringField sin{0, "", 50, 0x10000};
    CDateField dob{0, 0};
    CIntField TaxPronv{0, 0, 0};      // province, 0 none chosen
    CIntField MaritalStatus{-1, 0};   // 0 Married ... 5 Single, -1 none chosen
    // Spouse
    CStringField FirstNameSpouse{0, "", 50, 0x10000};
    CStringField LastNameSpouse{0, "", 50, 0x10000};
    CBoolField Coupled{0, 0};
    CBoolField SpouseNonResident{0, 0};
    CStringField sinSpouse{0, "", 50, 0x10000};
    CDateField dobSpouse{0, 0};
    CIntField TaxPronvSpouse{0, 0, 0};
    // Forms to add
    CBoolField bSch3{0, 0};
    CBoolField bSch4{0, 0};
    CBoolField bSch6{0, 0};
    CBoolField bSch7{0, 0};
    CBoolField bSch9{0, 0};
    CBoolField bSch11{0, 0};
    CBoolField bSch15{0, 0};
    CBoolField bT776{0, 0};
    CBoolField bT2125{0, 0};
    CBoolField bT1DD{0, 0};
};
