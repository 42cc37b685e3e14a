#pragma once

#include <map>

#include "model/taxdataitems.h"

class FolderView;
class TreeItem;

// The walks that fill the return tree's branches from the current person's
// lists. The form and slip walks reuse the branch's rows in order (relabel
// and re-key them), append rows for a longer list and drop the rows left
// over; the note and interview-data walks always append to an emptied
// branch. The walk parameter is the FolderView.

class CPopFormObj : public CEnumTaxFormObj
{
public:
    explicit CPopFormObj(bool coupled) : m_bCoupled(coupled) {}
    bool doWork(STRUCT_FORMDATA_ITEM_2004* item, void* param) override;
    bool begin(void* param) override;
    bool end(void* param) override;

    // Forms that never get a row: the return summary (shown by Result), the
    // T183 and two forms kept only for filing.
    static bool hasRow(int formType);

private:
    bool m_bCoupled;
    TreeItem* m_pCursor = nullptr;
};

class CPopSlipObj : public CEnumTaxSlipObj
{
public:
    explicit CPopSlipObj(bool coupled) : m_bCoupled(coupled) {}
    bool doWork(STRUCT_SLIPDATA_ITEM_2004* item, void* param) override;
    bool begin(void* param) override;
    bool end(void* param) override;

private:
    bool m_bCoupled;
    TreeItem* m_pCursor = nullptr;
    std::map<int, int> m_seen; // slips of each kind walked so far
};

class CPopNoteObj : public CEnumTaxNoteObj
{
public:
    bool doWork(STRUCT_NOTEDATA_ITEM_2004* item, void* param) override;
};

class CPopWizObj : public CEnumTaxWizardObj
{
public:
    bool doWork(STRUCT_WIZDATA_ITEM_2004* item, void* param) override;
};
