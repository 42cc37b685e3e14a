#include "model/ui/returntreemodel.h"

ReturnTreeModel::ReturnTreeModel(QObject* parent) : QAbstractItemModel(parent)
{
}

ReturnTreeModel::~ReturnTreeModel()
{
    qDeleteAll(m_top);
}

QModelIndex ReturnTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return QModelIndex();
    if (!parent.isValid())
        return row < m_top.size() ? createIndex(row, 0, static_cast<QTreeWidgetItem*>(m_top.at(row))) : QModelIndex();
    const TreeItem* owner = itemAt(parent);
    if (!owner || row >= owner->childCount())
        return QModelIndex();
    return createIndex(row, 0, owner->child(row));
}

QModelIndex ReturnTreeModel::parent(const QModelIndex& child) const
{
    const TreeItem* item = itemAt(child);
    auto* owner = item ? static_cast<TreeItem*>(item->parent()) : nullptr;
    return owner ? indexOf(owner) : QModelIndex();
}

int ReturnTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    if (!parent.isValid())
        return m_top.size();
    const TreeItem* owner = itemAt(parent);
    return owner ? owner->childCount() : 0;
}

int ReturnTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant ReturnTreeModel::data(const QModelIndex& index, int role) const
{
    const TreeItem* item = itemAt(index);
    return item ? item->data(0, role) : QVariant();
}

QVariant ReturnTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // The header is hidden; it is named as the tree has always named it.
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QStringLiteral("1");
    return QVariant();
}

Qt::ItemFlags ReturnTreeModel::flags(const QModelIndex& index) const
{
    const TreeItem* item = itemAt(index);
    return item ? item->flags() : Qt::NoItemFlags;
}

QModelIndex ReturnTreeModel::indexOf(const TreeItem* item) const
{
    if (!item)
        return QModelIndex();
    auto* node = const_cast<TreeItem*>(item);
    QTreeWidgetItem* owner = item->parent();
    const int row = owner ? owner->indexOfChild(node) : m_top.indexOf(node);
    return row < 0 ? QModelIndex() : createIndex(row, 0, static_cast<QTreeWidgetItem*>(node));
}

TreeItem* ReturnTreeModel::itemAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return static_cast<TreeItem*>(static_cast<QTreeWidgetItem*>(index.internalPointer()));
}

int ReturnTreeModel::topLevelItemCount() const
{
    return m_top.size();
}

TreeItem* ReturnTreeModel::topLevelItem(int row) const
{
    return m_top.value(row, nullptr);
}

int ReturnTreeModel::indexOfTopLevelItem(const TreeItem* item) const
{
    return m_top.indexOf(const_cast<TreeItem*>(item));
}

void ReturnTreeModel::addTopLevelItem(TreeItem* branch)
{
    if (!branch || m_top.contains(branch))
        return;
    beginInsertRows(QModelIndex(), m_top.size(), m_top.size());
    m_top.append(branch);
    endInsertRows();
}

void ReturnTreeModel::appendRow(TreeItem* branch, TreeItem* row)
{
    if (!branch || !row)
        return;
    const int at = branch->childCount();
    beginInsertRows(indexOf(branch), at, at);
    branch->addChild(row);
    endInsertRows();
}

void ReturnTreeModel::removeRow(TreeItem* branch, int row)
{
    if (!branch || row < 0 || row >= branch->childCount())
        return;
    beginRemoveRows(indexOf(branch), row, row);
    delete branch->takeChild(row);
    endRemoveRows();
}

void ReturnTreeModel::setLabel(TreeItem* item, const QString& label)
{
    if (!item || item->text(0) == label)
        return;
    item->setText(0, label);
    changed(item);
}

void ReturnTreeModel::setToolTip(TreeItem* item, const QString& tip)
{
    if (!item)
        return;
    item->setToolTip(0, tip);
    changed(item);
}

void ReturnTreeModel::setItemKey(TreeItem* item, int kind, int type, int id)
{
    if (!item)
        return;
    item->setItemKey(kind, type, id);
    changed(item);
}

void ReturnTreeModel::changed(TreeItem* item)
{
    const QModelIndex at = indexOf(item);
    if (at.isValid())
        emit dataChanged(at, at);
}
