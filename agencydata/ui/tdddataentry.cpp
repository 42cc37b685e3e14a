#include "agencydata/ui/tdddataentry.h"

#include <iterator>

TDDDataEntriesModel::TDDDataEntriesModel(QObject* parent) : QAbstractTableModel(parent) {}

TDDDataEntriesModel::~TDDDataEntriesModel()
{
    for (TDDDataEntry* entry : m_entries)
        delete entry;
}

int TDDDataEntriesModel::rowCount(const QModelIndex&) const
{
    return int(m_entries.size());
}

int TDDDataEntriesModel::columnCount(const QModelIndex&) const
{
    return 3;
}

QVariant TDDDataEntriesModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return QVariant();
    const TDDDataEntry* entry = getElementData(index.row());
    if (!entry)
        return QVariant();
    switch (index.column()) {
    case 0: return entry->getName();
    case 1: return entry->getTime();
    case 2: return entry->getTaxyear();
    default: return QVariant();
    }
}

QVariant TDDDataEntriesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case 0: return QStringLiteral("S.I.N.");
    case 1: return QStringLiteral("Update Time");
    case 2: return QStringLiteral("Tax Year");
    default: return QVariant();
    }
}

TDDDataEntry* TDDDataEntriesModel::getElementData(int row) const
{
    if (row < 0 || row >= int(m_entries.size()))
        return nullptr;
    return *std::next(m_entries.begin(), row);
}

void TDDDataEntriesModel::append(TDDDataEntry* entry)
{
    const int row = int(m_entries.size());
    beginInsertRows(QModelIndex(), row, row);
    m_entries.push_back(entry);
    endInsertRows();
}

int TDDDataEntriesModel::remove(const QModelIndex& index)
{
    const int row = index.row();
    if (!getElementData(row))
        return 0;
    beginRemoveRows(QModelIndex(), row, row);
    auto it = std::next(m_entries.begin(), row);
    delete *it;
    m_entries.erase(it);
    endRemoveRows();
    return 1;
}

void TDDDataEntriesModel::clear()
{
    if (m_entries.empty())
        return;
    beginRemoveRows(QModelIndex(), 0, int(m_entries.size()) - 1);
    for (TDDDataEntry* entry : m_entries)
        delete entry;
    m_entries.clear();
    endRemoveRows();
}
