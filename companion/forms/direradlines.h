#pragma once

// The line data of the electronic return: the free-format map every line
// writer fills, the parameter block the writers share, the four line
// writers and the generic writer of a form's field table.
//
// What a line and a statement look like in the return's XML is said here
// and nowhere else:
//   a line       <t1:FreeFormatLine LineCode="10100">1234.56</t1:FreeFormatLine>
//                (dollars and cents "%.2f", whole dollars and numbers as
//                integers, text escaped)
//   a statement  <sfd:SelectedFinancialData>
//                  <sfd:StatementFormCode>T2125</sfd:StatementFormCode>
//                  the statement's lines, each as above
//                </sfd:SelectedFinancialData>
//   their count  <t1:SelectedFinancialDataRecordCount>02</t1:SelectedFinancialDataRecordCount>

#include <map>
#include <set>

#include "companion/core/cstring.h"

class CFloatField;
class CTaxData_Form;

// One line of the free-format data.
struct STRUCT_DIRERAD_TIA_FIELD_TYPE
{
    enum Kind { None = 0, WholeDollars = 1, DollarsAndCents = 2, Integer = 3, Text = 4 };
    static constexpr int kTextCapacity = 64;

    int kind = None;
    double amount = 0.0;  // kinds 1 and 2
    int number = 0;       // kind 3
    char text[kTextCapacity] = {}; // kind 4, UTF-8, always terminated

    bool operator==(const STRUCT_DIRERAD_TIA_FIELD_TYPE& other) const;
};

// Line code to its value, in ascending order of line code.
using DireradFreeFormatMap = std::map<int, STRUCT_DIRERAD_TIA_FIELD_TYPE>;

// Shared by every writer of one electronic return or barcode.
struct DireradGenObjParamStru
{
    enum Mode : unsigned char { ModeEfile = 1, ModeDirerad = 2 };
    enum OutputKind : unsigned char { OutputXml = 0, OutputFreeFormatOnly = 2 };

    unsigned char mode = ModeDirerad;
    unsigned char outputKind = OutputXml;
    CString* text = nullptr;            // the XML buffer (output kind 0)
    int* counter = nullptr;             // statement counter, carried along
    DireradFreeFormatMap* data = nullptr;
    int t2209Count = 0;

    bool writesXml() const { return outputKind == OutputXml && text; }
    // Lines 49000 and the EFILE-only parts go by this: bit 1 clear is EFILE.
    bool isEfileLineMode() const { return (mode & 2) == 0; }
};

// Tags of the statement records.
extern const char* const kDireradStatementTag;
extern const char* const kDireradStatementFormCodeTag;
extern const char* const kDireradStatementCountTag;

// The line writers. Each records the line in the map in both output kinds
// and, for XML output, appends the line; each returns 1 when it wrote the
// line and 0 when it did not.
//   DOLLAR_VALUE: dollars and cents (rounded to the cent); an amount under a
//     cent is no amount and writes nothing.
//   DOLLAR_..._IFZEROTHENONE: the same, except that no amount is sent as 1
//     (the agency wants the line even without an amount).
//   NUMERIC_VALUE: a whole number (rounded, halves away from zero); 0 writes
//     nothing.
int DIRERAD_DOLLAR_VALUE_Func(int line, double value, DireradGenObjParamStru& param);
int DIRERAD_DOLLAR_VALUE_IFZEROTHENONE_Func(int line, double value, DireradGenObjParamStru& param);
int DIRERAD_DOLLAR_FIELD_IFZEROTHENONE_Func(int line, const CFloatField& field, DireradGenObjParamStru& param);
int DIRERAD_NUMERIC_VALUE_Func(int line, double value, DireradGenObjParamStru& param);

// The XML of one line as it is written (exposed for the statement writers).
void appendDireradLineXml(CString& out, int line, const STRUCT_DIRERAD_TIA_FIELD_TYPE& value);

// The generic e-file writer of a form: every money field of the table that
// has a line number and an amount, each line once (a field whose id is its
// line number speaks for the line, else the first), in table order. Lines in
// skipped are left out, and so are the spouse's figures a return mirrors.
// A return's line already in the map (written by an earlier form) is not
// written again; a statement form is a record of its own, starting with its
// form code, and writes all its lines. Returns the number of lines written.
int writeDireradLinesOfTable(const CTaxData_Form& form, DireradGenObjParamStru& param,
                             const std::set<int>* skipped = nullptr);
