#include "workspace/folderviewvisitors.h"

#include "companion/forms/catalogue.h"
#include "model/individualtaxdata.h"
#include "workspace/folderview.h"
#include "workspace/treeitem.h"

namespace {

FolderView* viewOf(void* param)
{
    return static_cast<FolderView*>(param);
}

TreeItem* firstChild(TreeItem* branch)
{
    return branch->childCount() > 0 ? static_cast<TreeItem*>(branch->child(0)) : nullptr;
}

// The next row of a branch after cursor, or null.
TreeItem* nextRow(TreeItem* branch, TreeItem* cursor)
{
    const int next = branch->indexOfChild(cursor) + 1;
    return next > 0 && next < branch->childCount() ? static_cast<TreeItem*>(branch->child(next)) : nullptr;
}

} // namespace

bool CPopFormObj::hasRow(int formType)
{
    return formType != FORM_T1KS && formType != FORM_T183 && formType != FORM_T1KS_REFILE && formType != FORM_T1KS_PRIOR;
}

bool CPopFormObj::begin(void* param)
{
    m_pCursor = firstChild(viewOf(param)->formsItem());
    return true;
}

bool CPopFormObj::doWork(STRUCT_FORMDATA_ITEM_2004* item, void* param)
{
    if (!item || !hasRow(item->type))
        return true;
    CString label;
    formDisplayName(m_bCoupled, item, label);
    TreeItem* branch = viewOf(param)->formsItem();
    ReturnTreeModel* model = viewOf(param)->treeModel();
    if (m_pCursor) {
        model->setItemKey(m_pCursor, FROM_FORM, item->type, item->id);
        model->setLabel(m_pCursor, label);
        m_pCursor = nextRow(branch, m_pCursor);
    } else {
        auto* row = new TreeItemForm(item->type, item->id);
        row->setText(0, label);
        model->appendRow(branch, row);
    }
    return true;
}

bool CPopFormObj::end(void* param)
{
    FolderView* view = viewOf(param);
    view->removeItemAndRest(view->formsItem(), m_pCursor);
    m_pCursor = nullptr;
    return true;
}

bool CPopSlipObj::begin(void* param)
{
    m_pCursor = firstChild(viewOf(param)->slipsItem());
    m_seen.clear();
    return true;
}

bool CPopSlipObj::doWork(STRUCT_SLIPDATA_ITEM_2004* item, void* param)
{
    if (!item)
        return true;
    CString name;
    slipDisplayName(m_bCoupled, item, name);
    const QString label = numberedSlipLabel(name, ++m_seen[item->type]);
    TreeItem* branch = viewOf(param)->slipsItem();
    ReturnTreeModel* model = viewOf(param)->treeModel();
    if (m_pCursor) {
        model->setItemKey(m_pCursor, FROM_SLIP, item->type, item->id);
        model->setLabel(m_pCursor, label);
        m_pCursor = nextRow(branch, m_pCursor);
    } else {
        auto* row = new TreeItem(FROM_SLIP, item->type, item->id);
        row->setText(0, label);
        model->appendRow(branch, row);
    }
    return true;
}

bool CPopSlipObj::end(void* param)
{
    FolderView* view = viewOf(param);
    view->removeItemAndRest(view->slipsItem(), m_pCursor);
    m_pCursor = nullptr;
    return true;
}

bool CPopNoteObj::doWork(STRUCT_NOTEDATA_ITEM_2004* item, void* param)
{
    if (!item)
        return true;
    CString label;
    noteDisplayName(item, label);
    auto* row = new TreeItem(FROM_NOTE, 0, item->id);
    row->setText(0, label);
    viewOf(param)->treeModel()->appendRow(viewOf(param)->notesItem(), row);
    return true;
}

bool CPopWizObj::doWork(STRUCT_WIZDATA_ITEM_2004* item, void* param)
{
    if (!item)
        return true;
    // A person holds one interview object of each type: the type is its id.
    auto* row = new TreeItem(FROM_TAXWIZARD, item->type, item->type);
    row->setText(0, QString::fromUtf8(getTaxWizardName(item->type)));
    viewOf(param)->treeModel()->appendRow(viewOf(param)->wizardItem(), row);
    return true;
}
