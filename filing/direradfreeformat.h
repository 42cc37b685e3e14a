#pragma once

// The return's lines and statement records of the electronic return, and
// the free-format line map that the barcode reuses. The same walk serves
// both: XML output (kind 0) and the map alone (kind 2).

#include "companion/core/cstring.h"
#include "companion/forms/direradlines.h"
#include "model/taxdataitems.h"

class IndividualTaxData;

// Writes every form's own lines (the form's e-file writer) in list order;
// skips the forms whose figures go elsewhere (types 19, 22, 33, 109) and the
// statement forms, which go as records. Counts the T2209 forms it passes.
class CDireradGenObj : public CEnumTaxFormObj
{
public:
    CDireradGenObj() { m_counter = 0; }
    // param is the DireradGenObjParamStru of the walk; always true.
    bool doWork(STRUCT_FORMDATA_ITEM_2004* item, void* param) override;
};

// True when any of the first count codes of lines is in data.
bool CheckIfEntryInMap(const DireradFreeFormatMap& data, const int* lines, int count);

// Every form's lines, then the return's extra lines in their fixed order.
// Returns the number of entries the map holds afterwards. A person without
// a T1 gets the forms' lines only.
int WriteDireradFreeFormatData(IndividualTaxData& person, unsigned char mode, DireradGenObjParamStru& param);

// The statement records other than T2091, preceded by their count. The
// count is the number of records that actually follow in the document (these
// and the T2091 records written after them), so the two can never differ;
// no count and no record when there is none. Returns the records written here.
int privateWriteDirEradSFD_ExceptT2091(IndividualTaxData& person, unsigned char mode, DireradGenObjParamStru& param);
// The T2091 (principal residence) records, also for a bankrupt person.
int privateWriteDirEradSFD_T2091(IndividualTaxData& person, unsigned char mode, DireradGenObjParamStru& param);
// The number of T2091 records the person's return gives.
int countDirEradT2091Records(const IndividualTaxData& person);

// Opening and closing tags of one statement record; counter and n are
// carried for the callers' sake and not used.
void privateWriteDirEradSFDHeader1(CString& text, int& counter, int n);
void privateWriteDirEradSFDHeader2(CString& text, int& counter, int n);
void privateWriteDirEradSFDTailer(CString& text);
