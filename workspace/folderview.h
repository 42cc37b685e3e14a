#pragma once

#include "companion/core/cstring.h"
#include "model/taxdataitems.h"

#include "model/ui/returntreemodel.h"

#include <QTreeView>

class CFamilyTaxData;
class CTaxData_Form;
class IndividualTaxData;
class QMenu;
class TreeItem;

// The return tree of an open-return page: six fixed branches with the
// current person's slips, interview data, notes and forms as children, in
// the order of the person's lists. Rows hold (kind, type, id) only; the
// objects are looked up in the return when needed, and every rebuild puts
// the selection back on the row with the same kind and id, wherever the
// rebuild moved it.
//
// The rows are a ReturnTreeModel (model/ui) that this view shows; the view
// keeps the item calls its callers use (current item, top-level items, the
// rectangle of a row).
class FolderView : public QTreeView
{
    Q_OBJECT
public:
    // Kinds read out of the selection (besides ENUMTYPE_FROM's form, slip and
    // note): the Result item, and nothing usable.
    static constexpr int kKindResult = 99;
    static constexpr int kKindNone = -1;
    // Context-menu types handed to MainWindow::setupContextMenu.
    enum MenuType { MenuSlips = 0, MenuSlip = 1, MenuForms = 10, MenuForm = 11, MenuNotes = 20, MenuNote = 21 };

    explicit FolderView(QWidget* parent = nullptr);
    ~FolderView() override;

    // Builds the six branches for the return's current person; called again
    // it rebuilds them.
    void populate(CFamilyTaxData* data);
    CFamilyTaxData* familyData() const { return m_pFamilyData; }
    ReturnTreeModel* treeModel() const { return m_model; }

    // The rows as items.
    int topLevelItemCount() const { return m_model->topLevelItemCount(); }
    TreeItem* topLevelItem(int row) const { return m_model->topLevelItem(row); }
    int indexOfTopLevelItem(const TreeItem* item) const { return m_model->indexOfTopLevelItem(item); }
    TreeItem* currentItem() const { return m_model->itemAt(currentIndex()); }
    // Makes the row current and selects it (none for null).
    void setCurrentItem(TreeItem* item);
    TreeItem* itemAt(const QPoint& pos) const { return m_model->itemAt(indexAt(pos)); }
    QRect visualItemRect(const TreeItem* item) const { return visualRect(m_model->indexOf(item)); }

    // Rebuilds of the branches for the current person.
    void SyncFromReturnData();
    void SyncFromFormData();
    void SyncFromSlipData();
    void SyncFromNoteData();
    void SyncFromWizardData();
    // Relabels without adding or removing rows.
    void SyncFormsName();
    void SyncSlipsNotesName();

    void clearFormData();
    void clearSlipData();
    void clearNoteData();
    // Removes a branch's children, the last first.
    void cleanData(TreeItem& branch);
    // Removes first and every later sibling; nothing when first is null.
    void removeItemAndRest(TreeItem* parent, TreeItem* first);
    TreeItem* nextSibling(TreeItem* item) const;

    TreeItem* getSelected() const;
    // kind 0 form, 1 slip, 3 note, 99 the Result item, -1 anything else,
    // with the row's type and id; the row, or null for kind -1.
    TreeItem* getSelectedData(int& kind, int& type, int& id) const;
    // The object a row stands for, looked up in the current person's lists;
    // null for branch heads and for rows whose item is gone.
    CTaxData_Form* dataObject(const TreeItem* item) const;
    // The child of the branch of that kind with that id (forms for any kind
    // other than slip, note and interview data; the Result item for 99).
    TreeItem* findItem(int kind, int id) const;
    // Makes the row of kind and id current; falls back to the first form, or
    // to no current row when there is no form.
    void ShowItem(int kind, int id);
    // Removes the selected form, slip or note row; false for other rows.
    bool removeSelected();

    TreeItem* startItem() const { return m_itemStart; }
    TreeItem* slipsItem() const { return m_itemSlips; }
    TreeItem* wizardItem() const { return m_itemWizard; }
    TreeItem* notesItem() const { return m_itemNotes; }
    TreeItem* formsItem() const { return m_itemForms; }
    TreeItem* resultItem() const { return m_itemResult; }

    // The context menu of a row filled by the main window, titled for it;
    // null for rows that have none. The caller owns it.
    QMenu* createContextMenu(TreeItem* item);

public slots:
    void ShowContextMenu(const QPoint& pos);

private:
    IndividualTaxData* person() const;
    bool coupled() const;
    void addBranch(TreeItem* item, const QString& caption);

    TreeItem* m_itemStart;
    TreeItem* m_itemSlips;
    TreeItem* m_itemWizard;
    TreeItem* m_itemNotes;
    TreeItem* m_itemForms;
    TreeItem* m_itemResult;
    CFamilyTaxData* m_pFamilyData = nullptr;
    ReturnTreeModel* m_model;
};

// Label of a slip row: "S-" for a shared slip of a coupled return, the
// slip's name, and " - " with the slip's caption when it has one.
void slipDisplayName(bool coupled, const STRUCT_SLIPDATA_ITEM_2004* item, CString& out);
// A slip row's label at its place among the slips of its kind (1 the
// first): " (2)", " (3)" ... appended to repeated slips that name no payer.
QString numberedSlipLabel(const QString& label, int place);
// Label of a note row: its caption.
void noteDisplayName(const STRUCT_NOTEDATA_ITEM_2004* item, CString& out);
