#pragma once

// The T1 barcode block of one person: a 485-character fixed record of
// identification and status data from the T1, the return's free-format line
// data, then "-EOD".

#include "companion/core/cstring.h"
#include "filing/barcodeitems.h"

class IndividualTaxData;
class TaxData_T1New;

class T1ReturnBarcodeFixedData : public List_FixedBarcodeItem
{
public:
    // softwareCode goes into item 32; note is only kept.
    T1ReturnBarcodeFixedData(const CString& softwareCode, const CString& note);
    ~T1ReturnBarcodeFixedData() override = default;

    static constexpr int kLength = 485;

    // Members in record order; the number is the item's place in the record.
    FixedBarcodeItem recordType{this, 2, "01"};           // 1
    FixedBarcodeItem taxYear{this, 4, "2024"};            // 2
    FixedBarcodeItem zeros3{this, 8, "00000000"};         // 3
    FixedBarcodeItem sin{this, 9, nullptr};               // 4
    FixedBarcodeItem birthDate{this, 8, nullptr};         // 5
    FixedBarcodeItem province6{this, 2, nullptr};         // 6
    FixedBarcodeItem province7{this, 2, nullptr};         // 7
    FixedBarcodeItem maritalStatus{this, 1, nullptr};     // 8
    FixedBarcodeItem spouseSin{this, 9, "000000000"};     // 9
    FixedBarcodeItem spouseFirstName{this, 4, "    "};    // 10
    FixedBarcodeItem firstName{this, 30, nullptr};        // 11
    FixedBarcodeItem lastName{this, 30, nullptr};         // 12
    FixedBarcodeItem blanks13{this, 26, nullptr};         // 13
    FixedBarcodeItem addressLine{this, 60, nullptr};      // 14
    FixedBarcodeItem city{this, 50, nullptr};             // 15
    FixedBarcodeItem mailingProvince{this, 2, nullptr};   // 16
    FixedBarcodeItem postalCode{this, 6, nullptr};        // 17
    FixedBarcodeItem email{this, 75, nullptr};            // 18
    FixedBarcodeItem dateOfMove{this, 8, "00000000"};     // 19
    FixedBarcodeItem homeSameAsMailing{this, 1, "0"};     // 20
    FixedBarcodeItem homePhone{this, 10, nullptr};        // 21
    FixedBarcodeItem language{this, 1, nullptr};          // 22
    FixedBarcodeItem spouseNetIncome{this, 9, "000000000"};     // 23
    FixedBarcodeItem spouseUccb{this, 9, "000000000"};          // 24
    FixedBarcodeItem spouseUccbRepayment{this, 9, "000000000"}; // 25
    FixedBarcodeItem deceased{this, 1, "0"};              // 26
    FixedBarcodeItem dateOfDeath{this, 8, "00000000"};    // 27
    FixedBarcodeItem bankrupt{this, 1, "0"};              // 28
    FixedBarcodeItem postBankruptcyIncome{this, 9, "000000000"}; // 29
    FixedBarcodeItem bankruptcyProvince3{this, 9, "000000000"};  // 30
    FixedBarcodeItem statementCount{this, 2, nullptr};    // 31
    FixedBarcodeItem softwareCode{this, 3, nullptr};      // 32
    FixedBarcodeItem filingKind{this, 1, "G"};            // 33
    FixedBarcodeItem blanks34{this, 37, nullptr};         // 34
    FixedBarcodeItem revisionDate{this, 8, "20241213"};   // 35
    FixedBarcodeItem selfEmployedSpouse{this, 1, nullptr};// 36
    FixedBarcodeItem citizenship{this, 1, "0"};           // 37
    FixedBarcodeItem electionsCanada{this, 2, "00"};      // 38
    FixedBarcodeItem settlement39{this, 1, "0"};          // 39
    FixedBarcodeItem settlement40{this, 1, "0"};          // 40
    FixedBarcodeItem settlement41{this, 1, "0"};          // 41
    FixedBarcodeItem settlementNumber{this, 5, "00000"};  // 42
    FixedBarcodeItem firstNationCitizen{this, 1, "0"};    // 43
    FixedBarcodeItem currentProvince{this, 2, nullptr};   // 44
    FixedBarcodeItem indianAct{this, 1, "0"};             // 45
    FixedBarcodeItem fixed46{this, 8, "   00000"};        // 46
    FixedBarcodeItem ruralSupplement{this, 1, "0"};       // 47
    FixedBarcodeItem fixed48{this, 1, "0"};               // 48
    FixedBarcodeItem maritalChangeDate{this, 4, "0000"};  // 49
    FixedBarcodeItem organDonor{this, 1, "0"};            // 50

    CString m_note;
};

// Sets the record from the person's T1 (the caller makes sure there is
// one). Reads only: the return is the same afterwards.
void FillT1BarcodeFixedData(const IndividualTaxData& person, T1ReturnBarcodeFixedData& record);
// Appends the person's T1 barcode block (record, line data, "-EOD").
void GenerateT1Barcode(const IndividualTaxData& person, CMemoryBlock& block);

// The pieces of the record the tests look at on their own.
// The mailing address in one line: AddressLine1, AddressLine2, "RR " and
// the rural route, each part after the one before it with its trailing
// blanks dropped and one blank between.
CString barcodeAddressLine(const TaxData_T1New& t1);
// Post-bankruptcy amounts: nothing or less than a dollar is sent as 1,
// others rounded half away from zero.
long long barcodeZeroToOne(double amount);
