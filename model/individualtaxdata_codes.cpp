// Person return: T1 values by code, identity, status texts and filing results.
#include "model/individualtaxdata.h"

#include "companion/core/appclock.h"
#include "companion/core/datetimetext.h"
#include "companion/core/folders.h"
#include "companion/forms/federal/mirroring.h"
#include "companion/forms/schedules/taxdata_sch5.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/money.h"
#include "model/preparerinfo.h"

namespace {

// An amount counts as present from a cent's fraction up.

enum : int {
    FILING_NOT_FILED = 0,
    FILING_FILED = 1,
    FILING_AMENDED = 2,
    FILING_REFILED = 3,
};

CString trimmed(const CString& text) { return CString(text.trimmed()); }

} // namespace

bool IndividualTaxData::getFedAmountClaimed(int code, double& value) const
{
    const TaxData_T1New* t1 = GetT1();
    if (!t1)
        return false;
    switch (code) {
    case 150: value = t1->line15000TotalIncome.m_value; return true;
    case 236: value = t1->line23600NetIncome.m_value; return true;
    case 260: value = t1->line26000TaxableIncome.m_value; return true;
    case 367:
        value = t1->line30500CaregiverChildren.m_value;
        return taxrules::isPositiveAmount(value);
    case 483: value = t1->line48300Balance.m_value; return true;
    case 484: value = t1->line48400Refund.m_value; return true;
    case 485: value = t1->line48500BalanceOwing.m_value; return true;
    default: return false;
    }
}

bool IndividualTaxData::getFedAmountClaimed(int code, int& value) const
{
    const TaxData_T1New* t1 = GetT1();
    if (!t1)
        return false;
    switch (code) {
    case 2: value = t1->ReFileFlag.m_value != 0 ? 1 : 0; return true;
    case 4: value = t1->IsPostBankrupt() ? 1 : 0; return true;
    case 10: {
        CString text16;
        getFedStringClaimed(16, text16);
        value = text16.isEmpty() ? 0 : 1;
        return true;
    }
    case 303: {
        // Without Schedule 5 there is no spouse amount: 0, not whatever the
        // caller's variable held.
        const STRUCT_FORMDATA_ITEM_2004* found = nullptr;
        for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList)
            if (item->type == FORM_SCH5) {
                found = item;
                break;
            }
        const auto* schedule5 = found ? qobject_cast<const TaxData_Sch5*>(found->data) : nullptr;
        value = schedule5 ? int(schedule5->SpouseAmountResult.m_value) : 0;
        return true;
    }
    default: return false;
    }
}

bool IndividualTaxData::getFedStringClaimed(int code, CString& text) const
{
    const TaxData_T1New* t1 = GetT1();
    if (!t1)
        return false;
    if (code == 17) {
        text = CString(t1->FirstName.m_value + QLatin1Char(' ') + t1->LastName.m_value);
        return true;
    }
    const CStringField* field = const_cast<TaxData_T1New*>(t1)->textFieldByCode(code);
    if (!field)
        return false;
    text = field->m_value;
    return true;
}

bool IndividualTaxData::setFedAmount(int code, int flag, double)
{
    TaxData_T1New* t1 = GetT1();
    if (code != 3 || !t1)
        return false;
    t1->MultiYearFlag.m_value = flag != 0 ? 1 : 0;
    return true;
}

namespace {

// A return or statement that the agency has accepted (filed or refiled)
// stays so: no later attempt can take that back.
bool isConfirmedStatus(int status) { return status == FILING_FILED || status == FILING_REFILED; }

// The status after an attempt that did not go through: an accepted one is
// kept, a pending amendment stays pending, anything else is unchanged.
int statusAfterFailure(int status, bool amendment)
{
    if (isConfirmedStatus(status))
        return status;
    return amendment ? int(FILING_AMENDED) : status;
}

// The T1013 authorisation once the agency has answered. An accepted one
// stays accepted: only a later acceptance renews its time and number.
void recordT1013Filing(TaxData_T1013New& form, int result, const CString& text)
{
    const bool accepted = result == 1;
    if (form.FilingStatus.m_value == 1 && !accepted)
        return;
    form.FilingStatus.m_value = result;
    form.FilingTime.m_value = getCurTimeStr();
    if (accepted) {
        form.Confirmation.m_value = text;
        form.FailureText.m_value.clear();
    } else {
        form.FailureText.m_value = text;
    }
}

// The T185 pre-authorised debit keeps only an accepted agreement: a refusal
// is in the filing result file, and must not hide the number of one that
// went through.
void recordT185Filing(TaxData_T185& form, int result, const CString& text)
{
    if (result != 1)
        return;
    const QDateTime now = AppClock::now();
    form.Confirmation.m_value = text;
    form.FilingDate.m_value = now.date();
    form.FilingNote.m_value = CString(QStringLiteral("You sent a PAD at %1, confirmation number [%2].")
                                          .arg(now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), text));
}

} // namespace

void IndividualTaxData::updateFilingStatus(ENUMTYPE_FORM type, int result, const CString& text)
{
    if (type == FORM_T1) {
        TaxData_T1New* t1 = GetT1();
        if (!t1)
            return;
        const bool refile = t1->ReFileFlag.m_value != 0;
        if (result == 1) {
            t1->FilingTime.m_value = getCurTimeStr();
            t1->FilingResultText.m_value = text;
            t1->FilingStatus.m_value = refile ? FILING_REFILED : FILING_FILED;
            return;
        }
        if (result < 0) {
            // The confirmation of an earlier acceptance is what the user must
            // be able to show the agency: a failure goes in its own fields.
            t1->FilingFailureText.m_value = text;
            t1->FilingFailureTime.m_value = getCurTimeStr();
            t1->FilingStatus.m_value = statusAfterFailure(t1->FilingStatus.m_value, refile);
            return;
        }
        // A status set directly (a return prepared for ReFILE is amended).
        if (result <= FILING_REFILED)
            t1->FilingStatus.m_value = result;
        if (refile && !isConfirmedStatus(t1->FilingStatus.m_value))
            t1->FilingStatus.m_value = FILING_AMENDED;
        return;
    }
    if (type == FORM_T1135) {
        auto* t1135 = qobject_cast<TaxData_T1135New*>(GetFormData(FORM_T1135, false));
        if (!t1135)
            return;
        const bool amended = t1135->AmendedFlag.m_value != 0;
        if (result == 1) {
            t1135->FilingTime.m_value = getCurTimeStr();
            t1135->Confirmation.m_value = text;
            t1135->FilingStatus.m_value = amended ? FILING_REFILED : FILING_FILED;
            return;
        }
        t1135->FailureText.m_value = text;
        t1135->FailureTime.m_value = getCurTimeStr();
        t1135->FilingStatus.m_value = statusAfterFailure(t1135->FilingStatus.m_value, amended);
        return;
    }
    if (type == FORM_T1013) {
        if (auto* t1013 = qobject_cast<TaxData_T1013New*>(GetFormData(FORM_T1013, false)))
            recordT1013Filing(*t1013, result, text);
        return;
    }
    if (type == FORM_T185) {
        if (auto* t185 = qobject_cast<TaxData_T185*>(GetFormData(FORM_T185, false)))
            recordT185Filing(*t185, result, text);
    }
}

void IndividualTaxData::UnsetReFile()
{
    if (TaxData_T1New* t1 = GetT1())
        t1->ReFileFlag.m_value = 0;
}

CString IndividualTaxData::GetReturnStatusString(int style) const
{
    if (!GetT1())
        return CString("No tax return is opened.");
    double total = 0.0, net = 0.0, taxable = 0.0, owing = 0.0, refund = 0.0;
    getFedAmountClaimed(150, total);
    getFedAmountClaimed(236, net);
    getFedAmountClaimed(260, taxable);
    getFedAmountClaimed(485, owing);
    getFedAmountClaimed(484, refund);
    const bool owes = taxrules::isPositiveAmount(owing);
    auto amountText = [style](double amount) {
        return QString::fromStdString(style == kStatusOnScreen ? taxrules::formatAmountGrouped(amount)
                                                               : taxrules::formatAmount(amount));
    };
    return CString(QStringLiteral("[Total Income]=%1 [Net Income]=%2 [Taxable Income]=%3 [%4]=%5")
                       .arg(amountText(total), amountText(net), amountText(taxable),
                            owes ? QStringLiteral("Balance Due") : QStringLiteral("Refund"),
                            amountText(owes ? owing : refund)));
}

CString IndividualTaxData::GetDireradNameWithoutSuffix() const
{
    const CString last = GetLastName();
    return makeValidFilename(CString(GetFirstName() + QLatin1Char('_') + (last.isEmpty() ? CString("unknown") : last)));
}

void IndividualTaxData::GetPersonalBasicInfo(CString& sin, CString& givenName, CString& secondName,
                                             CString& familyName, CString& email, QDate& dob,
                                             double& balance) const
{
    const TaxData_T1New* t1 = GetT1();
    if (!t1)
        return;
    sin = t1->SIN.m_value;
    givenName = trimmed(t1->FirstName.m_value);
    secondName = trimmed(t1->SecondName.m_value);
    familyName = trimmed(t1->LastName.m_value);
    // The return's own e-mail address (text code 15), the one the agency's
    // mail and the after-filing links go to; code 16 is the second address.
    CString address;
    getFedStringClaimed(15, address);
    email = trimmed(address);
    dob = t1->BirthDate.m_value;
    getFedAmountClaimed(483, balance);
}

CString IndividualTaxData::GetFirstName() const
{
    const TaxData_T1New* t1 = GetT1();
    return t1 ? CString(t1->FirstName.m_value) : CString();
}

CString IndividualTaxData::GetLastName() const
{
    const TaxData_T1New* t1 = GetT1();
    return t1 ? CString(t1->LastName.m_value) : CString();
}

void IndividualTaxData::GetFirstName(CString& given, CString& initial) const
{
    const CString first = trimmed(GetFirstName());
    const int blank = first.lastIndexOf(QLatin1Char(' '));
    if (blank < 0) {
        given = first;
        initial = CString();
        return;
    }
    given = CString(first.left(blank));
    initial = CString(first.mid(blank + 1));
}

CString IndividualTaxData::GetSIN() const
{
    const TaxData_T1New* t1 = GetT1();
    return t1 ? CString(t1->SIN.m_value) : CString();
}

QDate IndividualTaxData::GetDOB() const
{
    const TaxData_T1New* t1 = GetT1();
    return t1 ? t1->BirthDate.m_value : QDate();
}

CString IndividualTaxData::GetSpouseSIN() const
{
    const TaxData_T1New* t1 = GetT1();
    return t1 ? CString(t1->SpouseSIN.m_value) : CString();
}

CString IndividualTaxData::GetSpouseFirstName() const
{
    const TaxData_T1New* t1 = GetT1();
    return t1 ? CString(t1->SpouseFirstName.m_value) : CString();
}

CString IndividualTaxData::GetSpouseLastName() const
{
    const TaxData_T1New* t1 = GetT1();
    return t1 ? CString(t1->SpouseLastName.m_value) : CString();
}

QDate IndividualTaxData::GetSpouseDOB() const
{
    const TaxData_T1New* t1 = GetT1();
    return t1 ? t1->SpouseBirthDate.m_value : QDate();
}

ENUMTYPE_MARITAL_STATUS IndividualTaxData::GetMaritalStatus() const
{
    const TaxData_T1New* t1 = GetT1();
    return t1 ? t1->MaritalStatus.m_value : -1;
}

void IndividualTaxData::SetMaritalStatus(ENUMTYPE_MARITAL_STATUS status)
{
    if (TaxData_T1New* t1 = GetT1())
        t1->MaritalStatus.m_value = status;
}

bool IndividualTaxData::IsDisabled() const
{
    const TaxData_T1New* t1 = GetT1();
    return t1 && t1->IsDisabled();
}

int IndividualTaxData::CopyTaxPreparerInfo()
{
    TaxData_T1New* t1 = GetT1();
    if (!t1)
        return 0;
    // A setting left empty keeps what the return holds.
    const PreparerInfo& preparer = preparerInfo();
    setStringValueIfNotEmpty(t1->PreparerPhone.m_value, preparer.BusinessPhone);
    setStringValueIfNotEmpty(t1->PreparerName.m_value, preparer.BusinessName);
    setStringValueIfNotEmpty(t1->PreparerAddress.m_value, preparer.BusinessAddr);
    QString place = preparer.BusinessCity;
    if (!preparer.BusinessProv.isEmpty())
        place += (place.isEmpty() ? QString() : QStringLiteral(", ")) + preparer.BusinessProv;
    if (!preparer.BusinessPostcode.isEmpty())
        place += (place.isEmpty() ? QString() : QStringLiteral(" ")) + preparer.BusinessPostcode;
    setStringValueIfNotEmpty(t1->PreparerCity.m_value, CString(place));
    setStringValueIfNotEmpty(t1->PreparerEFileNumber.m_value, preparer.BusinessEFileNum);
    return 0;
}
