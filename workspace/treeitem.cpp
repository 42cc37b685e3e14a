#include "workspace/treeitem.h"

#include "companion/forms/taxtypes.h"

void TreeItem::setItemKey(int kind, int type, int id)
{
    m_kind = kind;
    m_type = type;
    m_id = id;
}

TreeItemForm::TreeItemForm(int type, int id) : TreeItem(FROM_FORM, type, id)
{
}
