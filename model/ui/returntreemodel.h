#pragma once

#include "model/ui/returntreeitem.h"

#include <QAbstractItemModel>

// The return tree as an item model: top-level branches with their rows, one
// column, for a QTreeView. The rows are TreeItem nodes the model owns. Every
// change goes through the model's own calls, one row at a time, so that a
// view and its selection hear of each insertion, removal and new label as it
// happens (the current row follows, or goes with a removed row).
class ReturnTreeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    explicit ReturnTreeModel(QObject* parent = nullptr);
    ~ReturnTreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The rows by node.
    QModelIndex indexOf(const TreeItem* item) const;
    TreeItem* itemAt(const QModelIndex& index) const;
    int topLevelItemCount() const;
    TreeItem* topLevelItem(int row) const;
    int indexOfTopLevelItem(const TreeItem* item) const;

    // Changes; each is told to the views. The model takes the rows it is given.
    void addTopLevelItem(TreeItem* branch);
    void appendRow(TreeItem* branch, TreeItem* row);
    // Removes and deletes the child at position row of branch.
    void removeRow(TreeItem* branch, int row);
    void setLabel(TreeItem* item, const QString& label);
    void setToolTip(TreeItem* item, const QString& tip);
    void setItemKey(TreeItem* item, int kind, int type, int id);

private:
    void changed(TreeItem* item);

    // The branches; as in a tree widget, a branch has no parent item.
    QList<TreeItem*> m_top;
};
