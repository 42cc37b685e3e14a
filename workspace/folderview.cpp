#include "workspace/folderview.h"

#include <map>

#include "companion/forms/catalogue.h"
#include "companion/forms/ctaxdata_form.h"
#include "model/cfamilytaxdata.h"
#include "workspace/folderviewvisitors.h"
#include "workspace/mainwindow.h"
#include "workspace/treeitem.h"

#include <QHash>
#include <QHeaderView>
#include <QPair>
#include <QCoreApplication>
#include <QMenu>

namespace {

// Keeps the current row across a rebuild of the tree: the rows are reused by
// position, so after the walk the row with the remembered kind and id is
// made current again, wherever it went.
class CurrentRowKeeper
{
public:
    explicit CurrentRowKeeper(FolderView* view) : m_view(view)
    {
        if (auto* row = dynamic_cast<TreeItem*>(view->currentItem()); row && !row->isBranch()) {
            m_kind = row->itemKind();
            m_id = row->itemId();
            m_valid = true;
        }
    }
    ~CurrentRowKeeper()
    {
        if (!m_valid)
            return;
        auto* now = dynamic_cast<TreeItem*>(m_view->currentItem());
        if (now && now->hasKey(m_kind, m_id))
            return;
        if (TreeItem* row = m_view->findItem(m_kind, m_id))
            m_view->setCurrentItem(row);
    }
    CurrentRowKeeper(const CurrentRowKeeper&) = delete;
    CurrentRowKeeper& operator=(const CurrentRowKeeper&) = delete;

private:
    FolderView* m_view;
    int m_kind = 0;
    int m_id = 0;
    bool m_valid = false;
};

TreeItem* childRow(const TreeItem* branch, int i)
{
    return static_cast<TreeItem*>(branch->child(i));
}

} // namespace

void slipDisplayName(bool coupled, const STRUCT_SLIPDATA_ITEM_2004* item, CString& out)
{
    out = CString();
    if (!item)
        return;
    if (coupled && item->sharedId > 0)
        out = CString("S-");
    out += QString::fromUtf8(getSlipName(item->type));
    CString caption;
    if (item->data) {
        item->data->GetCaption(caption);
        // Appended before the caption is tested, so that a slip made by
        // Auto-fill is marked even without a caption.
        if (item->data->isAutoFilled())
            caption += QStringLiteral(" by Auto-Fill");
    }
    if (!caption.isEmpty())
        out += QStringLiteral(" - ") + caption;
}

void noteDisplayName(const STRUCT_NOTEDATA_ITEM_2004* item, CString& out)
{
    out = CString();
    if (item && item->data)
        item->data->GetCaption(out);
    // A note without a title still needs a row one can see and click.
    if (QString(out).trimmed().isEmpty())
        out = CString(QCoreApplication::translate("FolderView", "Tax note (no title)"));
}

FolderView::FolderView(QWidget* parent)
    : QTreeView(parent),
      m_itemStart(new TreeItem),
      m_itemSlips(new TreeItem),
      m_itemWizard(new TreeItem),
      m_itemNotes(new TreeItem),
      m_itemForms(new TreeItem),
      m_itemResult(new TreeItem(kKindResult, 93, 0)),
      m_model(new ReturnTreeModel(this))
{
    setModel(m_model);
    // As a tree widget does: the one column's header cannot be clicked.
    header()->setSectionsClickable(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QWidget::customContextMenuRequested, this, &FolderView::ShowContextMenu);
}

FolderView::~FolderView()
{
    // Branch heads not yet placed in the tree belong to nobody else.
    for (TreeItem* branch : {m_itemResult, m_itemForms, m_itemNotes, m_itemWizard, m_itemSlips, m_itemStart}) {
        if (indexOfTopLevelItem(branch) < 0)
            delete branch;
    }
}

void FolderView::addBranch(TreeItem* item, const QString& caption)
{
    m_model->setLabel(item, caption);
    if (indexOfTopLevelItem(item) < 0)
        m_model->addTopLevelItem(item);
}

void FolderView::setCurrentItem(TreeItem* item)
{
    setCurrentIndex(m_model->indexOf(item));
}

void FolderView::populate(CFamilyTaxData* data)
{
    m_pFamilyData = data;
    addBranch(m_itemStart, tr("Start"));
    addBranch(m_itemSlips, tr("Tax Slips"));
    m_model->setToolTip(m_itemSlips, tr("Right click to add more tax slips"));
    addBranch(m_itemWizard, tr("Express Wizard"));
    addBranch(m_itemNotes, tr("Tax Notes"));
    SyncFromNoteData();
    expand(m_model->indexOf(m_itemNotes));
    addBranch(m_itemForms, tr("Tax Forms"));
    SyncFromReturnData();
    for (TreeItem* branch : {m_itemSlips, m_itemWizard, m_itemNotes, m_itemForms})
        expand(m_model->indexOf(branch));
    addBranch(m_itemResult, tr("Result"));
}

IndividualTaxData* FolderView::person() const
{
    return m_pFamilyData ? m_pFamilyData->getCurIndvTaxData() : nullptr;
}

bool FolderView::coupled() const
{
    return m_pFamilyData && m_pFamilyData->IsCoupledReturn();
}

void FolderView::SyncFromReturnData()
{
    SyncFromWizardData();
    SyncFromFormData();
    SyncFromSlipData();
    SyncFromNoteData();
}

void FolderView::SyncFromWizardData()
{
    CurrentRowKeeper keep(this);
    cleanData(*m_itemWizard);
    if (IndividualTaxData* p = person()) {
        CPopWizObj walk;
        p->EnumTaxWizards(&walk, this);
    }
}

void FolderView::SyncFromFormData()
{
    IndividualTaxData* p = person();
    if (!p)
        return;
    CurrentRowKeeper keep(this);
    CPopFormObj walk(coupled());
    p->EnumTaxForms(&walk, this);
}

void FolderView::SyncFromSlipData()
{
    IndividualTaxData* p = person();
    if (!p)
        return;
    CurrentRowKeeper keep(this);
    CPopSlipObj walk(coupled());
    p->EnumTaxSlips(&walk, this);
}

void FolderView::SyncFromNoteData()
{
    CurrentRowKeeper keep(this);
    cleanData(*m_itemNotes);
    if (IndividualTaxData* p = person()) {
        CPopNoteObj walk;
        p->EnumTaxNotes(&walk, this);
    }
}

void FolderView::SyncFormsName()
{
    IndividualTaxData* p = person();
    if (!p)
        return;
    const bool isCoupled = coupled();
    for (int i = 0; i < m_itemForms->childCount(); ++i) {
        TreeItem* row = childRow(m_itemForms, i);
        for (const STRUCT_FORMDATA_ITEM_2004* item : p->m_formList) {
            if (item->id == row->itemId() && item->type == row->itemType()) {
                CString label;
                formDisplayName(isCoupled, item, label);
                m_model->setLabel(row, label);
                break;
            }
        }
    }
}

QString numberedSlipLabel(const QString& label, int place)
{
    // A second slip of a kind with no payer named would read exactly like
    // the first: it is told apart by its place among the slips of its kind.
    return place > 1 && !label.contains(QLatin1String(" - ")) ? label + QStringLiteral(" (%1)").arg(place) : label;
}

void FolderView::SyncSlipsNotesName()
{
    IndividualTaxData* p = person();
    if (!p)
        return;
    const bool isCoupled = coupled();
    // Each row's whole label, its place among the slips of its kind
    // included, is worked out before it is set: a row whose label did not
    // change is left alone, so an edit repaints only the slip it changed.
    QHash<QPair<int, int>, const STRUCT_SLIPDATA_ITEM_2004*> slips;
    slips.reserve(int(p->m_slipList.size()));
    for (const STRUCT_SLIPDATA_ITEM_2004* item : p->m_slipList)
        slips.insert(qMakePair(int(item->type), int(item->id)), item);
    std::map<int, int> seen;
    for (int i = 0; i < m_itemSlips->childCount(); ++i) {
        TreeItem* row = childRow(m_itemSlips, i);
        const int place = ++seen[row->itemType()];
        const STRUCT_SLIPDATA_ITEM_2004* item = slips.value(qMakePair(row->itemType(), row->itemId()));
        CString label;
        if (item)
            slipDisplayName(isCoupled, item, label);
        else
            label = CString(row->text(0));
        m_model->setLabel(row, item ? numberedSlipLabel(label, place) : QString(label));
    }
    for (int i = 0; i < m_itemNotes->childCount(); ++i) {
        TreeItem* row = childRow(m_itemNotes, i);
        for (const STRUCT_NOTEDATA_ITEM_2004* item : p->m_noteList) {
            if (item->id == row->itemId()) {
                CString label;
                noteDisplayName(item, label);
                m_model->setLabel(row, label);
                break;
            }
        }
    }
}

void FolderView::clearFormData()
{
    cleanData(*m_itemForms);
}

void FolderView::clearSlipData()
{
    cleanData(*m_itemSlips);
}

void FolderView::clearNoteData()
{
    cleanData(*m_itemNotes);
}

void FolderView::cleanData(TreeItem& branch)
{
    for (int i = branch.childCount() - 1; i >= 0; --i)
        m_model->removeRow(&branch, i);
}

void FolderView::removeItemAndRest(TreeItem* parent, TreeItem* first)
{
    if (!parent || !first)
        return;
    const int from = parent->indexOfChild(first);
    if (from < 0)
        return;
    for (int i = parent->childCount() - 1; i >= from; --i)
        m_model->removeRow(parent, i);
}

TreeItem* FolderView::nextSibling(TreeItem* item) const
{
    if (!item || !item->parent())
        return nullptr;
    QTreeWidgetItem* parent = item->parent();
    const int next = parent->indexOfChild(item) + 1;
    return next < parent->childCount() ? static_cast<TreeItem*>(parent->child(next)) : nullptr;
}

TreeItem* FolderView::getSelected() const
{
    const QModelIndexList rows = selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
    return rows.isEmpty() ? nullptr : m_model->itemAt(rows.first());
}

TreeItem* FolderView::getSelectedData(int& kind, int& type, int& id) const
{
    kind = kKindNone;
    type = 0;
    id = 0;
    TreeItem* row = getSelected();
    if (!row)
        return nullptr;
    if (row == m_itemResult) {
        kind = kKindResult;
        type = FORM_T1KS;
        return row;
    }
    const QTreeWidgetItem* parent = row->parent();
    if (parent != m_itemForms && parent != m_itemSlips && parent != m_itemNotes)
        return nullptr;
    kind = row->itemKind();
    type = row->itemType();
    id = row->itemId();
    return row;
}

CTaxData_Form* FolderView::dataObject(const TreeItem* row) const
{
    IndividualTaxData* p = person();
    if (!row || !p)
        return nullptr;
    if (row == m_itemResult)
        return p->GetFormData(FORM_T1KS, false);
    switch (row->itemKind()) {
    case FROM_FORM:
        return static_cast<const IndividualTaxData*>(p)->GetFormData(row->itemType(), row->itemId());
    case FROM_SLIP:
        return p->GetSlipData(row->itemType(), row->itemId(), false);
    case FROM_TAXWIZARD:
        return p->GetWizData(row->itemType(), false);
    case FROM_NOTE:
        for (const STRUCT_NOTEDATA_ITEM_2004* item : p->m_noteList)
            if (item->id == row->itemId())
                return item->data;
        return nullptr;
    default:
        return nullptr;
    }
}

TreeItem* FolderView::findItem(int kind, int id) const
{
    if (kind == kKindResult)
        return m_itemResult;
    const TreeItem* branch = kind == FROM_SLIP ? m_itemSlips
                             : kind == FROM_NOTE ? m_itemNotes
                             : kind == FROM_TAXWIZARD ? m_itemWizard
                                                      : m_itemForms;
    const int wantedKind = branch == m_itemForms ? int(FROM_FORM) : kind;
    for (int i = 0; i < branch->childCount(); ++i) {
        TreeItem* row = childRow(branch, i);
        if (row->itemKind() == wantedKind && row->itemId() == id)
            return row;
    }
    return nullptr;
}

void FolderView::ShowItem(int kind, int id)
{
    TreeItem* row = findItem(kind, id);
    if (!row && m_itemForms->childCount() > 0)
        row = childRow(m_itemForms, 0);
    if (row)
        setCurrentItem(row);
    else
        setCurrentItem(nullptr);
}

bool FolderView::removeSelected()
{
    TreeItem* row = getSelected();
    if (!row)
        return false;
    auto* parent = static_cast<TreeItem*>(row->parent());
    if (parent != m_itemForms && parent != m_itemSlips && parent != m_itemNotes)
        return false;
    m_model->removeRow(parent, parent->indexOfChild(row));
    viewport()->update();
    return true;
}

QMenu* FolderView::createContextMenu(TreeItem* row)
{
    if (!row)
        return nullptr;
    QString title;
    int type = -1;
    const QTreeWidgetItem* parent = row->parent();
    if (row == m_itemSlips) {
        title = tr("Slips menu");
        type = MenuSlips;
    } else if (parent == m_itemSlips) {
        title = tr("Slip menu");
        type = MenuSlip;
    } else if (row == m_itemForms) {
        title = tr("Forms menu");
        type = MenuForms;
    } else if (parent == m_itemForms) {
        title = tr("Form menu");
        type = MenuForm;
    } else if (row == m_itemNotes) {
        title = tr("Note menu");
        type = MenuNotes;
    } else if (parent == m_itemNotes) {
        title = tr("Note menu");
        type = MenuNote;
    } else {
        return nullptr;
    }
    auto* menu = new QMenu(title, this);
    if (MainWindow* window = MainWindow::getInstance())
        window->setupContextMenu(type, menu);
    return menu;
}

void FolderView::ShowContextMenu(const QPoint& pos)
{
    if (TreeItem* under = itemAt(pos))
        setCurrentItem(under);
    QMenu* menu = createContextMenu(getSelected());
    if (!menu)
        return;
    menu->exec(viewport()->mapToGlobal(pos));
    delete menu;
}
