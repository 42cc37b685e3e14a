// The kinds' constructors: each fixes its slip type and its box labels. The
// descriptions are shown to the user as the agency's slips have always been
// described here; they are kept exactly, misspellings included, so reports
// read the same from year to year.
#include "agencydata/records/taxslipkinds.h"

namespace {

const TaxSlip::BoxLabel kT4Labels[] = {
    {"14", "Employment income"},
    {"16", "CPP Contribution"},
    {"17", "QPP Contribution"},
    {"18", "EI Premium Amount"},
    {"20", "RPP Contribution"},
    {"22", "Income Tax Deducted"},
    {"24", "EI Insurable Earning"},
    {"26", "CPP/QPP Pensionable Earning"},
    {"30", "Housing, board and lodging"},
    {"42", "Employment Commissions"},
    {"44", "Union Due"},
    {"45", "Employer Offered Dental Benefits"},
    {"46", "Charitable Donation"},
    {"52", "Pension Adjustment"},
    {"55", "Quebec PPIP premium"},
    {"56", "Quebec PPIP insurable earning"},
    {"57", "Period 1/2 income"},
    {"58", "Period 3/4 income"},
    {"59", "Period 5/6 income"},
    {"60", "Period 7 income"},
    {"66", "Eligible retiring allowance"},
    {"67", "Non-eligible retiring allowance"},
    {"71", "Indian Exempt Income Employment Amount"},
    {"87", "Volunteer firefighter exempt Amount"},
    {"88", "Indian self-employment"},
};

const TaxSlip::BoxLabel kT4ALabels[] = {
    {"15", "Payer-offered Dental Benefits"},
    {"16", "Pension Superannuation Payment"},
    {"18", "Lumpsum Payment"},
    {"20", "Self-employment commission"},
    {"22", "Income Tax Deducted"},
    {"24", "Annuity Income Amount"},
    {"28", "Other Income"},
    {"30", "Patronage allocations"},
    {"32", "Registered pension plan contribution (past service)"},
    {"34", "Pension adjustment"},
    {"37", "Advanced life deferred annuity purchase"},
    {"40", "RESP accumulated income payments"},
    {"42", "RESP educational assisstance payments"},
    {"46", "Charitable Donation Amount"},
    {"48", "Fees for services"},
    {"104", "Research grants"},
    {"105", "Scholarships, bursaries"},
    {"106", "Death benefits"},
    {"107", "Payments from a wage-loss replacement plan"},
    {"109", "Periodic payments from unregistered plan"},
    {"118", "Medical premium benefits"},
    {"119", "Premium paid to group life insurance plan"},
    {"124", "Board and lodging at special work sites"},
    {"125", "Disability benefits paid out of a pension plan"},
    {"128", "Veterans' benefits eligible for pension splitting"},
    {"131", "RDSP Income"},
    {"135", "Premium paid for health plan"},
    {"196", "Tuition assistance for adult basic education"},
    {"197", "CERB amount"},
    {"198", "CESB amount"},
    {"199", "CEB amount"},
    {"200", "Prov. Covid-10 support"},
    {"201", "Repayment of Covid-10 Benefit"},
    {"202", "CRB amount"},
    {"203", "CRSB amount"},
    {"204", "CRCB amount"},
    {"205", "One-time payment for older seniors"},
    {"210", "Postdoctoral Fellowship income"},
    {"211", "CAN Worker Lockdown Benefit"},
};

const TaxSlip::BoxLabel kT5Labels[] = {
    {"10", "Actual Amount of Dividends Other Than Eligible Dividends"},
    {"11", "Taxable Amount of Dividends Other Than Eligible Dividends"},
    {"12", "Dividend tax credit for Dividends other than eligible dividends"},
    {"13", "Canadian Interest Amount"},
    {"14", "Other income from Canadian sources"},
    {"15", "Foreign income"},
    {"16", "Foreign income tax paid"},
    {"17", "Royalties from Canadian sources"},
    {"18", "Capital Gains dividends Amount"},
    {"24", "Actual Amount of Eligible Dividends"},
    {"25", "Taxable Amount of Eligible Dividends"},
    {"26", "Dividend tax credit for eligible dividends"},
    {"27", "Currency"},
};

const TaxSlip::BoxLabel kT4RSPLabels[] = {
    {"34", "Amounts deemed received on death"},
    {"37", "Advanced life deferred annuity"},
};

const TaxSlip::BoxLabel kT5013Labels[] = {
    {"5", "Percentage of business (%)"},
    {"10", "Total limited partner's business income (loss)"},
    {"20", "Total business income (loss)"},
    {"30", "Total capital gains (loss)"},
    {"40", "Capital cost allowance"},
};

const TaxSlip::BoxLabel kT4RIFLabels[] = {
    {"16", "RIF Taxable Payment Amount"},
    {"18", "Deceased Amount"},
    {"20", "Deregistration Amount"},
    {"22", "Other Income Deduction Amount"},
    {"24", "RIF Excess Payment Amount"},
    {"26", "Spousal RRIF"},
    {"28", "Income Tax Deducted Amount"},
    {"37", "Advanced life deferred annuity"},
};

const TaxSlip::BoxLabel kRC210Labels[] = {
    {"10", "Basic ACWB benefit Amount"},
    {"11", "ACWB disability benefit Amount"},
};

const TaxSlip::BoxLabel kT4FHSALabels[] = {
    {"14", "FHSA Contract Number"},
    {"16", "FHSA Identificatio Number"},
    {"18", "Contribution"},
    {"20", "Qualifying withdrawals"},
    {"22", "Taxable withdrawals"},
    {"24", "FHSA beneficiary distribution received"},
    {"26", "Amount deemed received on FHSA cessation"},
    {"28", "Security for a loan"},
    {"30", "Income tax deducted"},
    {"32", "RRSP transfers in"},
    {"34", "Spousal RRSP transfer in"},
    {"36", "Designated - RRSP/RRIF transfer out"},
    {"38", "Designated - withdrawls"},
    {"61", "Payer Account Number"},
};

} // namespace

TaxSlipT4::TaxSlipT4() : TaxSlip(1) { addBoxLabels(kT4Labels); }
TaxSlipT4A::TaxSlipT4A() : TaxSlip(2) { addBoxLabels(kT4ALabels); }
TaxSlipT4AP::TaxSlipT4AP() : TaxSlip(3) {}
TaxSlipT4RSP::TaxSlipT4RSP() : TaxSlip(4) { addBoxLabels(kT4RSPLabels); }
TaxSlipT4E::TaxSlipT4E() : TaxSlip(5) {}
TaxSlipT4AOAS::TaxSlipT4AOAS() : TaxSlip(6) {}
TaxSlipT4RIF::TaxSlipT4RIF() : TaxSlip(7) { addBoxLabels(kT4RIFLabels); }
TaxSlipT5::TaxSlipT5() : TaxSlip(8) { addBoxLabels(kT5Labels); }
TaxSlipT3::TaxSlipT3() : TaxSlip(9) {}
TaxSlipT5007::TaxSlipT5007() : TaxSlip(11) {}
TaxSlipT5013::TaxSlipT5013() : TaxSlip(13) { addBoxLabels(kT5013Labels); }
TaxSlipRC62::TaxSlipRC62() : TaxSlip(17) {}
TaxSlipRC210::TaxSlipRC210() : TaxSlip(18) { addBoxLabels(kRC210Labels); }
TaxSlipT5008::TaxSlipT5008() : TaxSlip(19) {}
TaxSlipRRSPReceipt::TaxSlipRRSPReceipt() : TaxSlip(20) {}
TaxSlipMBRentalAssistSlip::TaxSlipMBRentalAssistSlip() : TaxSlip(21) {}
TaxSlipPRPP::TaxSlipPRPP() : TaxSlip(22) {}
TaxSlipT1204::TaxSlipT1204() : TaxSlip(23) {}
TaxSlipT2202::TaxSlipT2202() : TaxSlip(25) {}
TaxSlipT4FHSA::TaxSlipT4FHSA() : TaxSlip(26) { addBoxLabels(kT4FHSALabels); }

// The agency numbers these two kinds 19 and 20, where the return's slip
// catalogue has other slips: the return keeps no slip object for them (an
// apply turns their data into schedule entries). Their headings name them
// here rather than show another slip's title.
const char* TaxSlipT5008::getName() const
{
    return "T5008 Statement of Securities Transactions";
}

const char* TaxSlipRRSPReceipt::getName() const
{
    return "RRSP Contribution Receipt";
}
