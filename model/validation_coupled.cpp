// Validation between the two spouses of a coupled return, and the family
// layer that picks the person and adds the between-spouses record.
#include <memory>

#include "companion/forms/federal/credits.h"
#include "companion/forms/fieldchoices.h"
#include "companion/forms/schedules/taxdata_sch11.h"
#include "companion/forms/schedules/taxdata_sch2.h"
#include "companion/forms/schedules/taxdata_sch6.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/federalconstants2024.h"
#include "model/cfamilytaxdata.h"
#include "model/validation_checks.h"
#include "model/validationrecord.h"

using validation::exceeds;
using validation::positive;

namespace {

// The maximum of adoption expenses per child (line 31300), the two spouses'
// claims for one child together.
double adoptionMaximumPerChild()
{
    return taxrules::federalConstant(taxrules::FedKey::AdoptionMaximumPerChild);
}
// The home buyers' amount (line 31270) the two spouses may share.
constexpr double kHomeBuyersMaximum = 10000;
constexpr int kAdoptedChildren = 6;

double adjustedNetIncome(const TaxData_T1New& t1)
{
    return t1.line23600NetIncome.m_value - t1.line11700UCCB.m_value + t1.line21400ChildCare.m_value;
}

const CFloatField& adoption(const TaxData_T1New& t1, int child)
{
    const CFloatField* fields[kAdoptedChildren] = {&t1.line31300Adoption1, &t1.line31300Adoption2,
                                                   &t1.line31300Adoption3, &t1.line31300Adoption4,
                                                   &t1.line31300Adoption5, &t1.line31300Adoption6};
    return *fields[child - 1];
}

template <typename Form>
Form* onlyForm(IndividualTaxData& person, ENUMTYPE_FORM type)
{
    return qobject_cast<Form*>(person.GetFormData(type, false));
}

} // namespace

int IndividualTaxData::ValidateWithCoupled(unsigned char edition, std::list<CString>& messages,
                                           IndividualTaxData& other)
{
    Q_UNUSED(edition);
    TaxData_T1New* a = GetT1();
    TaxData_T1New* b = other.GetT1();
    if (!a || !b)
        return int(messages.size());
    auto add = [&](const char* text) { messages.push_back(CString(text)); };

    if ((a->MaritalStatus.m_value == 2 && !a->IsWidowedInTaxYear()) ||
        (b->MaritalStatus.m_value == 2 && !b->IsWidowedInTaxYear()))
        add("If you are widowed in the tax year, please check the box under marital status to indicate marital "
            "status changed in the tax year, so spouse related amount can be filed.");
    if (a->HasSpouse()) {
        const double ownUccb = a->line11700UCCB.m_value;
        const double spouseUccb = a->SpouseUCCB.m_value;
        if (!positive(ownUccb) && positive(spouseUccb) &&
            exceeds(adjustedNetIncome(*b) - adjustedNetIncome(*a), spouseUccb))
            add("UCCB must be claimed by you because you have lower net income.");
        if (positive(ownUccb) && exceeds(adjustedNetIncome(*a) - adjustedNetIncome(*b), ownUccb))
            add("UCCB must be claimed by your spouse because your spouse has lower net income.");
    }
    if (positive(a->line30300SpouseAmount.m_value) && positive(b->line30300SpouseAmount.m_value))
        add("Both spouses claimed spouse amount in schedule 5, only one should claim it.");
    if (positive(a->line30500CaregiverChildren.m_value) && positive(b->line30500CaregiverChildren.m_value))
        add("You and your spouse can NOT claim the amount at field 30500 at the same time.");
    for (int child = 1; child <= kAdoptedChildren; ++child) {
        if (exceeds(adoption(*a, child).m_value + adoption(*b, child).m_value, adoptionMaximumPerChild())) {
            const QString field = QString::asprintf("field 31300 (adoption) for child %d", child);
            const QString limit = QString::asprintf("$%.2f", adoptionMaximumPerChild());
            messages.push_back(CString(QString::asprintf("The total of %s in both returns is more than %s.",
                                                         field.toUtf8().constData(), limit.toUtf8().constData())));
        }
    }
    if (exceeds(a->line31270HomeBuyers.m_value + b->line31270HomeBuyers.m_value, kHomeBuyersMaximum))
        add("The total of Home Buyer's Amount in field 31270 in both returns is more than $10,000.");
    if (auto* schedule2 = onlyForm<TaxData_Sch2>(*this, 3); schedule2 && taxrules::isPresentAmount(schedule2->SpouseTuitionTransfer.m_value)) {
        auto* spouseSchedule11 = onlyForm<TaxData_Sch11>(other, 11);
        if (!spouseSchedule11 ||
            exceeds(schedule2->SpouseTuitionTransfer.m_value, spouseSchedule11->line32700Transferred.m_value))
            add("To claim an amount in field 36000 of Schedule 2, there has to be an even larger amount in field "
                "32700 of spouse Schedule 11.");
    }
    auto* ownS6 = onlyForm<TaxData_Sch6>(*this, 119);
    auto* otherS6 = onlyForm<TaxData_Sch6>(other, 119);
    if (ownS6 && otherS6 && ownS6->CwbAnswer.m_value == choices::kYes &&
        otherS6->CwbAnswer.m_value == choices::kYes)
        add("Only one person between Married or Common-law couple can claim basic CWB benefit in schedule 6.");
    auto* ownT778 = onlyForm<TaxData_T778New>(*this, 13);
    auto* otherT778 = onlyForm<TaxData_T778New>(other, 13);
    if (ownT778 && otherT778 && (ownT778->Choice1.m_value == 0) == (otherT778->Choice1.m_value == 0))
        add("One tax return should claim it has higher net income in form T778 for child care expenses.");
    if ((GetFormData(118, false) != nullptr) != (other.GetFormData(118, false) != nullptr))
        add("Please make sure form T1032 (Election to Split Pension) is presented in both coupled returns.");
    m_provMgr.ValidateWithCoupled(messages, &other.m_provMgr);
    return int(messages.size());
}

int CFamilyTaxData::ValidateWithCoupled(unsigned char edition, std::list<CString>& messages, bool spouse)
{
    if (!IsCoupledReturn())
        return 0;
    IndividualTaxData* person = spouse ? m_pSpouse : m_pTaxpayer;
    IndividualTaxData* other = spouse ? m_pTaxpayer : m_pSpouse;
    return person->ValidateWithCoupled(edition, messages, *other);
}

quint64 CFamilyTaxData::ValidateTaxReturn(unsigned char edition, std::list<_STRUCT_FORM_VALIDATE_INFO*>& out,
                                          CString& name, bool spouse, bool withCoupledChecks)
{
    const bool coupled = IsCoupledReturn();
    if (spouse && !coupled)
        return 0;
    IndividualTaxData* person = spouse ? m_pSpouse : m_pTaxpayer;
    if (!person)
        return 0;
    person->getFedStringClaimed(17, name);
    quint64 count = quint64(person->Validate(edition, out));
    if (coupled && withCoupledChecks) {
        auto record = std::make_unique<_STRUCT_FORM_VALIDATE_INFO>();
        record->source = VALIDATE_SOURCE_SPOUSES;
        ValidateWithCoupled(edition, record->messages, spouse);
        record->removeDuplicateMessages();
        count += record->messages.size();
        // A record with nothing in it would show an empty heading.
        if (!record->messages.empty())
            out.push_back(record.release());
    }
    return count;
}
