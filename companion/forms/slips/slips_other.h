#pragma once

#include "companion/forms/ctaxdata_form.h"

// Benefit, plan, contract, non-resident and tuition slips.

// RC62: universal child care benefit statement.
class TaxData_Slip_RC62 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_RC62() : CTaxData_Form(FROM_SLIP, SLIP_RC62) {}
    CStringField PayerName{this, 1001, "PayerName", "", "Payer's name", fld::Caption().carryForward()};
    CFloatField box10Benefit{this, 10, "box10Benefit", "10", "Benefit paid"};
    CFloatField box12Repayment{this, 12, "box12Repayment", "12", "Repayment"};
};

// RC210: working income tax benefit advance payments statement.
class TaxData_Slip_RC210 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_RC210() : CTaxData_Form(FROM_SLIP, SLIP_RC210) {}
    CStringField PayerName{this, 1001, "PayerName", "", "Payer's name", fld::Caption().carryForward()};
    CFloatField box10BasicAdvance{this, 10, "box10BasicAdvance", "10", "Basic Canada workers benefit advance payments"};
    CFloatField box11DisabilityAdvance{this, 11, "box11DisabilityAdvance", "11", "Disability supplement advance payments"};
};

// Manitoba shelter assistance slip.
class TaxData_Slip_MBShelterAssist : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_MBShelterAssist() : CTaxData_Form(FROM_SLIP, SLIP_MB_SHELTER) {}
    CStringField PayerName{this, 1001, "PayerName", "", "Payer's name", fld::Caption().carryForward()};
    CFloatField BenefitAmount{this, 1002, "BenefitAmount", "", "Allowance amount"};
};

// PRPP contribution receipt.
class TaxData_Slip_PRPP : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_PRPP() : CTaxData_Form(FROM_SLIP, SLIP_PRPP) {}
    CStringField ContractNumber{this, 1001, "ContractNumber", "", "Contract number", fld::Caption().carryForward()};
    CStringField VersionDescription{this, 1002, "VersionDescription", "", "Receipt version"};
    CFloatField EmployeeCurrentYear{this, 1003, "EmployeeCurrentYear", "", "Employee contributions, current year"};
    CFloatField EmployeePriorYear{this, 1004, "EmployeePriorYear", "", "Employee contributions, first 60 days of the year"};
    CFloatField Employer{this, 1005, "Employer", "", "Employer contributions"};
    CFloatField ExemptCurrentYear{this, 1006, "ExemptCurrentYear", "", "Employee contributions from exempt income, current year"};
    CFloatField ExemptPriorYear{this, 1007, "ExemptPriorYear", "", "Employee contributions from exempt income, first 60 days"};
};

// T1204: government service contract payments.
class TaxData_Slip_T1204 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_T1204() : CTaxData_Form(FROM_SLIP, SLIP_T1204) {}
    CStringField PayerName{this, 1001, "PayerName", "", "Payer's name", fld::Caption().carryForward()};
    CFloatField box82Services{this, 82, "box82Services", "82", "Service-only payments"};
    CFloatField box84Mixed{this, 84, "box84Mixed", "84", "Mixed services and goods payments"};
};

// NR4: statement of amounts paid or credited to non-residents of Canada.
class TaxData_Slip_NR4 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_NR4() : CTaxData_Form(FROM_SLIP, SLIP_NR4) {}
    CStringField PayerName{this, 1001, "PayerName", "", "Payer's name", fld::Caption().carryForward()};
    CStringField box12Country{this, 12, "box12Country", "12", "Country code for tax purposes"};
    CStringField box14IncomeCode{this, 14, "box14IncomeCode", "14", "Income code"};
    CFloatField rate{this, 1002, "rate", "", "Share of the amounts reported", fld::Start(1).rate()};
    CFloatField amount1Box16{this, 16, "amount1Box16", "16", "Gross income"};
    CFloatField amount2Box17{this, 17, "amount2Box17", "17", "Non-resident tax withheld"};
    CFloatField amount3Box26{this, 26, "amount3Box26", "26", "Gross income (second income code)"};
    CFloatField amount4Box27{this, 27, "amount4Box27", "27", "Non-resident tax withheld (second income code)"};
};

// T2202: tuition and enrolment certificate, with up to four sessions.
class TaxData_Slip_T2202 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_T2202() : CTaxData_Form(FROM_SLIP, SLIP_T2202) {}
    CStringField box10School{this, 10, "box10School", "10", "Name of program or course", fld::Caption()};
    CStringField box11SchoolType{this, 11, "box11SchoolType", "11", "Student number"};
    CStringField box12FlyingClub{this, 12, "box12FlyingClub", "12", "Flying school or club"};
    CStringField box13Program{this, 13, "box13Program", "13", "School type"};
    CStringField box14Student{this, 14, "box14Student", "14", "Student's name"};
    CStringField box15Address{this, 15, "box15Address", "15", "Student's address"};
#define VR_T2202_SESSION(n)                                                                                    \
    CStringField session##n##From{this, 100 * n + 19, "session" #n "From", "19", "Session " #n ": from (YYYY/MM)", \
                                  fld::Section("Session " #n)};                                                \
    CStringField session##n##To{this, 100 * n + 20, "session" #n "To", "20", "Session " #n ": to (YYYY/MM)"};      \
    CFloatField session##n##PartTime{this, 100 * n + 21, "session" #n "PartTime", "21", "Number of months part-time"}; \
    CFloatField session##n##FullTime{this, 100 * n + 22, "session" #n "FullTime", "22", "Number of months full-time"}; \
    CFloatField session##n##Fees{this, 100 * n + 23, "session" #n "Fees", "23", "Eligible tuition fees"}
    VR_T2202_SESSION(1);
    VR_T2202_SESSION(2);
    VR_T2202_SESSION(3);
    VR_T2202_SESSION(4);
#undef VR_T2202_SESSION
    CFloatField box24PartTimeTotal{this, 24, "box24PartTimeTotal", "24", "Total months part-time", fld::Section("Totals").computed().count()};
    CFloatField box25FullTimeTotal{this, 25, "box25FullTimeTotal", "25", "Total months full-time", fld::Computed().count()};
    CFloatField box26FeesTotal{this, 26, "box26FeesTotal", "26", "Total eligible tuition fees", fld::Computed()};

    static constexpr int kSessions = 4;
    // Session 1 to 4: part-time months (box 21), full-time months (box 22), fees (box 23).
    CFloatField& partTimeMonths(int session);
    CFloatField& fullTimeMonths(int session);
    CFloatField& eligibleFees(int session);
    int Calculate01() override;
};

// T4FHSA: first home savings account statement.
class TaxData_Slip_T4FHSA : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Slip_T4FHSA() : CTaxData_Form(FROM_SLIP, SLIP_T4FHSA) {}
    CStringField PayerName{this, 1001, "PayerName", "", "Issuer's name", fld::Caption().carryForward()};
    CFloatField box18Contributions{this, 18, "box18Contributions", "18", "Contributions"};
    CFloatField box20QualifyingWithdrawals{this, 20, "box20QualifyingWithdrawals", "20", "Qualifying withdrawals"};
    CFloatField box22TaxableWithdrawals{this, 22, "box22TaxableWithdrawals", "22", "Taxable FHSA withdrawals"};
    CFloatField box24BeneficiaryDistribution{this, 24, "box24BeneficiaryDistribution", "24", "Beneficiary distribution received"};
    CFloatField box26DeemedOnCessation{this, 26, "box26DeemedOnCessation", "26", "Amount deemed received on cessation"};
    CFloatField box28LoanSecurity{this, 28, "box28LoanSecurity", "28", "Amount deemed received as security for a loan"};
    CFloatField box30IncomeTaxDeducted{this, 30, "box30IncomeTaxDeducted", "30", "Income tax deducted"};
    CFloatField box32RrspTransfers{this, 32, "box32RrspTransfers", "32", "Transfers in from your RRSP"};
    CFloatField box34SpousalRrspTransfers{this, 34, "box34SpousalRrspTransfers", "34", "Transfers in from your spouse's RRSP"};
    CFloatField box36DesignatedTransferOut{this, 36, "box36DesignatedTransferOut", "36", "Designated - RRSP/RRIF transfer out"};
    CFloatField box38DesignatedWithdrawals{this, 38, "box38DesignatedWithdrawals", "38", "Designated withdrawals"};
};
