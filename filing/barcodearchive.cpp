#include "filing/barcodearchive.h"

#include <algorithm>

#include "companion/core/sincheck.h"
#include "companion/forms/catalogue.h"
#include "companion/forms/federal/others.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "filing/barcodeitems.h"
#include "filing/barcodestatements.h"
#include "filing/barcodet1record.h"
#include "model/barcodeblock.h"
#include "model/individualtaxdata.h"

namespace {

template <typename Class, typename Generate>
void blocksOfType(const IndividualTaxData& person, std::initializer_list<int> types, int& sequence,
                  QList<QByteArray>& blocks, Generate generate)
{
    for (const STRUCT_FORMDATA_ITEM_2004* item : person.m_formList) {
        if (std::find(types.begin(), types.end(), item->type) == types.end())
            continue;
        const auto* form = qobject_cast<const Class*>(item->data);
        if (!form)
            continue;
        CMemoryBlock block;
        generate(item->type, *form, block, ++sequence);
        blocks.append(block.bytes());
    }
}

} // namespace

bool IsGeneralBarcodeEligible(const IndividualTaxData& person)
{
    const TaxData_T1New* t1 = person.GetT1();
    if (!t1)
        return false;
    const CString sin = t1->SIN.RemoveBlanks();
    if (sin.isEmpty() || t1->SIN.m_value == CString("000000000"))
        return false;
    if (!CheckSIN(t1->SIN.m_value.toUtf8().constData()) || sin.at(0) == QLatin1Char('0'))
        return false;
    return !t1->IsEmmigrant() && !t1->IsImmigrant();
}

int GetCountOfBarcodeSFDForms(const IndividualTaxData& person)
{
    const TaxData_T1New* t1 = person.GetT1();
    if (!t1 || t1->IsBankrupt())
        return 0;
    int count = 0;
    for (const STRUCT_FORMDATA_ITEM_2004* item : person.m_formList) {
        if (item->type == FORM_T1273 || item->type == FORM_T1163)
            continue;
        if (item->type == FORM_T5013) {
            if (const auto* t5013 = qobject_cast<const CTaxData_T5013*>(item->data))
                count += t5013->GetCountOfBarcodeSFDForms();
        } else if (IsSFDForm(ENUMTYPE_FORM(item->type))) {
            ++count;
        }
    }
    count -= person.GetCountOfForm(FORM_T777S);
    return count > 0 ? count : 0;
}

QList<QByteArray> buildBarcodeStatementBlocks(const IndividualTaxData& person)
{
    QList<QByteArray> blocks;
    int s = 0;
    blocksOfType<TaxData_T776New>(person, {FORM_T776}, s, blocks, [](int, const TaxData_T776New& f, CMemoryBlock& b, int n) {
        GenerateT776Barcode(f, b, n);
    });
    blocksOfType<TaxData_T2042New>(person, {FORM_T2042}, s, blocks, [](int, const TaxData_T2042New& f, CMemoryBlock& b, int n) {
        GenerateT2042Barcode(f, b, n);
    });
    blocksOfType<TaxData_T2121New>(person, {FORM_T2121}, s, blocks, [](int, const TaxData_T2121New& f, CMemoryBlock& b, int n) {
        GenerateT2121Barcode(f, b, n);
    });
    for (int type : {FORM_T2125, FORM_T2125_COMMISSION})
        blocksOfType<TaxData_T2125_New>(person, {type}, s, blocks, [](int t, const TaxData_T2125_New& f, CMemoryBlock& b, int n) {
            GenerateT2125Barcode(t, f, b, n);
        });
    for (const STRUCT_FORMDATA_ITEM_2004* item : person.m_formList)
        if (item->type == FORM_T5013)
            if (const auto* t5013 = qobject_cast<const CTaxData_T5013*>(item->data))
                GenerateT5013Barcode(*t5013, blocks, s);
    blocksOfType<TaxData_T777New>(person, {FORM_T777}, s, blocks, [&person](int, const TaxData_T777New& f, CMemoryBlock& b, int n) {
        GenerateT777Barcode(person, f, b, n);
    });
    blocksOfType<TaxData_TL2_New>(person, {FORM_TL2}, s, blocks, [&person](int, const TaxData_TL2_New& f, CMemoryBlock& b, int n) {
        GenerateTL2Barcode(person, f, b, n);
    });
    blocksOfType<TaxData_T2091>(person, {FORM_T2091, FORM_T1255}, s, blocks, [&person](int, const TaxData_T2091& f, CMemoryBlock& b, int n) {
        GenerateT2091Barcode(person, f, b, n);
    });
    return blocks;
}

bool buildBarcodeArchive(const IndividualTaxData& person, BarcodeBlock& block)
{
    if (!IsGeneralBarcodeEligible(person))
        return false;
    CMemoryBlock t1Block;
    GenerateT1Barcode(person, t1Block);
    block.t1Archive = t1Block.bytes();
    block.statements.clear();
    const int counted = GetCountOfBarcodeSFDForms(person);
    if (counted >= 1 && counted <= BarcodeBlock::kMaxStatementBlocks) {
        const QList<QByteArray> built = buildBarcodeStatementBlocks(person);
        if (!built.isEmpty() && built.size() <= BarcodeBlock::kMaxStatementBlocks)
            block.statements = built;
    }
    return true;
}

void installBarcodeBuilder() { BarcodeBlock::setBuilder(&buildBarcodeArchive); }
