#pragma once

#include <QTreeWidgetItem>

// One row of the return tree. A row names the list item it stands for by
// kind, type and id and never points into the return: the return frees and
// recreates its objects (removal, recalculation, province change, Auto-fill),
// and a row that only holds a key cannot dangle. The object is looked up in
// the current person's lists when it is needed.
//
// The rows are the nodes of ReturnTreeModel (model/ui/returntreemodel.h),
// which alone changes them, so that every change reaches the view; they keep
// the item interface (text, tool tip, children) their readers use.
//
// Branch heads carry kind kNoKind.
class TreeItem : public QTreeWidgetItem
{
public:
    static constexpr int kNoKind = -1;

    TreeItem() = default;
    TreeItem(int kind, int type, int id) : m_kind(kind), m_type(type), m_id(id) {}

    int itemKind() const { return m_kind; }
    int itemType() const { return m_type; }
    int itemId() const { return m_id; }
    bool isBranch() const { return m_kind == kNoKind; }
    void setItemKey(int kind, int type, int id);
    bool hasKey(int kind, int id) const { return m_kind == kind && m_id == id; }

    // A row without a tool tip of its own shows its label as the tool tip:
    // the narrow pane cuts long form names short.
    QVariant data(int column, int role) const override;

private:
    int m_kind = kNoKind;
    int m_type = 0;
    int m_id = 0;
};

// The row of a form (kind 0).
class TreeItemForm : public TreeItem
{
public:
    TreeItemForm(int type, int id);
};
