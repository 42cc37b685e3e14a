#pragma once

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fieldchoices.h"

// Fields shared by the two contribution schedules of the pension plans: the
// slip figures the calculation hands in and the election answers.
class CPensionPlanSchedule : public CTaxData_Form
{
public:
    CIntField EmploymentIncomePresent{this, 1, "EmploymentIncomePresent", "", "Employment income reported", fld::Choices(choices::kYesNoFlag).readOnly()};
    CFloatField SlipContributions{this, 2, "SlipContributions", "", "Contributions from slips", fld::ReadOnly()};
    CIntField ExemptSeen{this, 3, "ExemptSeen", "", "A slip is marked exempt", fld::Choices(choices::kYesNoFlag).readOnly()};
    CFloatField NonQppSlipCount{this, 4, "NonQppSlipCount", "", "Slips outside the Quebec plan", fld::Count().readOnly()};
    CFloatField QppSlipContributions{this, 5, "QppSlipContributions", "", "QPP contributions from slips", fld::ReadOnly()};
    CFloatField SlipCountDifference{this, 6, "SlipCountDifference", "", "Quebec slips", fld::Count().readOnly()};
    CFloatField SecondAdditional{this, 7, "SecondAdditional", "", "Second additional contributions from slips", fld::ReadOnly()};
    CIntField PlacementAgency{this, 8, "PlacementAgency", "", "Placement agency or driver earnings", fld::Choices(choices::kYesNoFlag).readOnly()};
    CFloatField MonthCount{this, 9, "MonthCount", "", "Months of contribution", fld::Count().readOnly()};
    CFloatField SelfEmploymentEarnings{this, 41, "SelfEmploymentEarnings", "", "Net self-employment earnings", fld::Computed()};
    // The months the calculation found the person could contribute; a
    // schedule calculated on its own takes the whole year.
    CFloatField ContributoryMonths{this, 40, "ContributoryMonths", "", "Months the contributions are worked out on", fld::Computed().start(12)};
    CFloatField F50329Input{this, 50329, "F50329Input", "50329", "Pensionable earnings from slips", fld::ReadOnly()};
    CFloatField F50339Input{this, 50339, "F50339Input", "50339", "Pensionable earnings, self-employment", fld::ReadOnly()};
    CIntField Province{this, 10, "Province", "", "Province", fld::Choices(choices::kProvince)};
    CFloatField ProvinceAmount{this, 11, "ProvinceAmount", "", "Provincial amount"};
    CFloatField line50372{this, 50372, "line50372", "50372", "Retirement pension start month", fld::Count()};
    CFloatField line50374{this, 50374, "line50374", "50374", "Month the election was revoked", fld::Count()};
    CIntField ElectionFlag{this, 12, "ElectionFlag", "", "Election made", fld::Choices(choices::kYesNoFlag)};
    CIntField ElectionChoice{this, 13, "ElectionChoice", "", "Election choice", fld::Choices("0:No choice|1:Choice 1|2:Choice 2|3:Choice 3")};
    CFloatField ElectionAmount{this, 14, "ElectionAmount", "", "Amount of choice 1"};
    CFloatField EmploymentBase{this, 30800, "EmploymentBase", "30800", "Base contributions through employment", fld::ReadOnly()};
    CFloatField BaseContribution{this, 31000, "BaseContribution", "31000", "Base contributions on self-employment", fld::ReadOnly()};
    CFloatField EnhancedDeduction{this, 22200, "EnhancedDeduction", "22200", "Deduction for contributions on self-employment", fld::ReadOnly()};
    CFloatField EmploymentEnhanced{this, 22215, "EmploymentEnhanced", "22215", "Enhanced contributions on employment income", fld::ReadOnly()};
    CFloatField Payable{this, 42100, "Payable", "42100", "Contributions payable", fld::ReadOnly()};
    CFloatField Overpayment{this, 44800, "Overpayment", "44800", "Overpayment", fld::ReadOnly()};

protected:
    CPensionPlanSchedule(int type) : CTaxData_Form(FROM_FORM, type) {}
};

// Schedule 8: Canada Pension Plan contributions (current edition).
class TaxData_Sch8_14 : public CPensionPlanSchedule
{
    Q_OBJECT
public:
    TaxData_Sch8_14() : CPensionPlanSchedule(FORM_SCH8) {}

    void mockCPPQPPMonthIfNeeded(int months);
    void getCPPRelatedAmounts(double& base, double& enhanced, double& payable) const;
    double getBill51AmountK() const;
    double getEmpUnderDeduction() const;
    int Calculate01() override;
};

// RC381: inter-provincial calculation for CPP and QPP contributions.
class TaxData_RC381 : public CPensionPlanSchedule
{
    Q_OBJECT
public:
    TaxData_RC381() : CPensionPlanSchedule(FORM_RC381) {}
    CIntField CPT30Answer{this, 15, "CPT30Answer", "", "Election on form CPT30", fld::Question()};

    void mockCPPQPPMonthIfNeeded(int months);
    void getCPPRelatedAmounts(double& base, double& enhanced, double& payable) const;
    double getUnderDeduction() const;
    bool isCPT30AnswerNeeded() const;
    bool isField372Allowed() const;
    bool isField374Allowed() const;
    int Calculate01() override;
};

// Schedule 8 of earlier editions; kept so old returns load, replaced by
// TaxData_Sch8_14 when a return is carried into a new year.
class TaxData_Sch8 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Sch8() : CTaxData_Form(FROM_FORM, FORM_SCH8_OLD) {}
    CFloatField PensionableEarnings{this, 1, "PensionableEarnings", "", "Pensionable earnings"};
    CFloatField Contributions{this, 2, "Contributions", "", "Contributions"};
    CFloatField Payable{this, 42100, "Payable", "42100", "Contributions payable"};
};
