#include "model/ui/returntreeitem.h"

#include "companion/forms/taxtypes.h"

void TreeItem::setItemKey(int kind, int type, int id)
{
    m_kind = kind;
    m_type = type;
    m_id = id;
}

QVariant TreeItem::data(int column, int role) const
{
    if (role == Qt::ToolTipRole) {
        const QVariant own = QTreeWidgetItem::data(column, role);
        if (own.isValid())
            return own;
        return QTreeWidgetItem::data(column, Qt::DisplayRole);
    }
    return QTreeWidgetItem::data(column, role);
}

TreeItemForm::TreeItemForm(int type, int id) : TreeItem(FROM_FORM, type, id)
{
}
