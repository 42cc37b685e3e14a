#include "app/returnfileentry.h"

ReturnFileEntriesModel::ReturnFileEntriesModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

ReturnFileEntriesModel::~ReturnFileEntriesModel() = default;

int ReturnFileEntriesModel::rowCount(const QModelIndex&) const
{
    return static_cast<int>(m_entries.size());
}

int ReturnFileEntriesModel::columnCount(const QModelIndex&) const
{
    return ColumnCount;
}

QVariant ReturnFileEntriesModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return QVariant();
    const ReturnFileEntry* entry = getElementData(index.row());
    if (!entry)
        return QVariant();
    switch (index.column()) {
    case NameColumn: return entry->getName();
    case TimeColumn: return entry->getTime();
    case PathColumn: return entry->getFilepath();
    default: return QVariant();
    }
}

QVariant ReturnFileEntriesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const titles[ColumnCount] = {
        "Tax Payer's Name", "Last Open Time", "Return File Path"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QVariant();
    return QString::fromLatin1(titles[section]);
}

ReturnFileEntry* ReturnFileEntriesModel::getElementData(int row) const
{
    if (row < 0 || row >= rowCount())
        return nullptr;
    return m_entries[static_cast<size_t>(row)].get();
}

QString ReturnFileEntriesModel::getFilePath(int row) const
{
    const ReturnFileEntry* entry = getElementData(row);
    return entry ? entry->getFilepath() : QString();
}

QString ReturnFileEntriesModel::getFilePath(const QModelIndex& index) const
{
    return index.isValid() ? getFilePath(index.row()) : QString();
}

void ReturnFileEntriesModel::append(ReturnFileEntry* entry)
{
    if (!entry)
        return;
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    m_entries.emplace_back(entry);
    endInsertRows();
}

int ReturnFileEntriesModel::remove(QModelIndex index)
{
    const int row = index.row();
    if (!index.isValid() || row < 0 || row >= rowCount())
        return 0;
    beginRemoveRows(QModelIndex(), row, row);
    m_entries.erase(m_entries.begin() + row);
    endRemoveRows();
    return 1;
}

void ReturnFileEntriesModel::clear()
{
    if (m_entries.empty())
        return;
    beginRemoveRows(QModelIndex(), 0, rowCount() - 1);
    m_entries.clear();
    endRemoveRows();
}
