#pragma once

// The barcode blocks of the supplementary statements (selected financial
// data): a 564-character fixed record, the statement's own free-format line
// data, then "-EOD". One generator per statement class; the block's
// sequence number is its place among the person's statement blocks.

#include <QDate>
#include <QList>

#include "companion/core/cstring.h"
#include "filing/barcodeitems.h"

class CTaxData_Form;
class CTaxData_T5013;
class IndividualTaxData;
class TaxData_T2042New;
class TaxData_T2091;
class TaxData_T2121New;
class TaxData_T2125_New;
class TaxData_T776New;
class TaxData_T777New;
class TaxData_TL2_New;

class SFDBarcodeFixedData : public List_FixedBarcodeItem
{
public:
    SFDBarcodeFixedData();
    ~SFDBarcodeFixedData() override = default;

    static constexpr int kLength = 564;

    struct ShareLine
    {
        ShareLine(SFDBarcodeFixedData* record)
            : name(record, 30, nullptr), address(record, 30, nullptr), zeros(record, 8, nullptr),
              share(record, 6, nullptr)
        {
        }
        FixedBarcodeItem name, address, zeros, share;
    };

    FixedBarcodeItem recordType{this, 2, "03"};          // 1
    FixedBarcodeItem sequence{this, 2, nullptr};         // 2
    FixedBarcodeItem formCode{this, 2, nullptr};         // 3
    FixedBarcodeItem blanks4{this, 2, "  "};             // 4
    FixedBarcodeItem firstIndicator{this, 1, nullptr};   // 5
    FixedBarcodeItem industryCode{this, 6, nullptr};     // 6
    FixedBarcodeItem sin{this, 9, nullptr};              // 7
    FixedBarcodeItem name{this, 30, nullptr};            // 8
    FixedBarcodeItem address{this, 30, nullptr};         // 9
    FixedBarcodeItem postalCode{this, 6, nullptr};       // 10
    FixedBarcodeItem periodStart{this, 8, nullptr};      // 11
    FixedBarcodeItem periodEnd{this, 8, nullptr};        // 12
    FixedBarcodeItem number9{this, 9, "000000000"};      // 13
    FixedBarcodeItem percentage{this, 4, "0000"};        // 14
    FixedBarcodeItem identifier8{this, 8, "        "};   // 15
    FixedBarcodeItem secondIndicator{this, 1, nullptr};  // 16
    FixedBarcodeItem identifier15{this, 15, nullptr};    // 17
    FixedBarcodeItem count1{this, 4, nullptr};           // 18
    FixedBarcodeItem description1{this, 96, nullptr};    // 19
    FixedBarcodeItem description2{this, 96, nullptr};    // 20
    FixedBarcodeItem count2{this, 3, nullptr};           // 21
    ShareLine shares[3] = {ShareLine(this), ShareLine(this), ShareLine(this)}; // 22 to 33
};

// What one statement gives the record's items 6 to 33, taken from the
// statement's own fields by its generator.
struct SfdStatementValues
{
    struct Share
    {
        CString name;
        CString address;
        double share = 0.0;
    };
    CString industryCode;
    CString sin;
    CString name;
    CString address;
    CString postalCode;
    QDate periodStart;
    QDate periodEnd;
    CString number9;
    double percent = 0.0;
    CString identifier8;
    bool secondAnswer = false;
    CString identifier15;
    double count1 = 0.0;
    CString description1;
    CString description2;
    double count2 = 0.0;
    Share shares[3];
};

// Items 6 to 33 of a business statement from its values.
void fillStatementRecord(const SfdStatementValues& values, SFDBarcodeFixedData& record);
// Items 4 to 33 of a statement that carries no business data: zeros and
// blanks, with the person's S.I.N. from the T1.
void setDefaultFixDataForNonBusiSFD01(const IndividualTaxData& person, SFDBarcodeFixedData& record);

// Each appends the statement's whole block to block.
void GenerateT2125Barcode(int type, const TaxData_T2125_New& form, CMemoryBlock& block, int sequence);
void GenerateT776Barcode(const TaxData_T776New& form, CMemoryBlock& block, int sequence);
void GenerateT2042Barcode(const TaxData_T2042New& form, CMemoryBlock& block, int sequence);
void GenerateT2121Barcode(const TaxData_T2121New& form, CMemoryBlock& block, int sequence);
void GenerateT777Barcode(const IndividualTaxData& person, const TaxData_T777New& form, CMemoryBlock& block,
                         int sequence);
void GenerateTL2Barcode(const IndividualTaxData& person, const TaxData_TL2_New& form, CMemoryBlock& block,
                        int sequence);
void GenerateT2091Barcode(const IndividualTaxData& person, const TaxData_T2091& form, CMemoryBlock& block,
                          int sequence);
// One block per statement of the form, appended to blocks; sequence is
// advanced by one for each. A statement of kind 5, or one the form does not
// report as a statement, gets no block and no number.
void GenerateT5013Barcode(const CTaxData_T5013& form, QList<QByteArray>& blocks, int& sequence);
// The form code of a T5013 statement of the given kind; empty for a kind
// that has none.
const char* t5013StatementFormCode(int kind);
