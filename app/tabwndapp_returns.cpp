// The recent-return list as the pages and the start page reach it.
#include "app/tabwndapp.h"

#include "app/returnfileentry.h"

int TabWndApp::saveReturnEntry(const CString& name1, const CString& name2, const CString& path)
{
    return m_dbManager.updateOrInsertHistoryItem(name1, name2, path);
}

ReturnFileEntriesModel* TabWndApp::loadReturnEntriesIntoModel(const QString& filter)
{
    m_dbManager.loadAllHistoryItems(m_returnEntries, filter);
    return &m_returnEntries;
}

CSqliteDBManager::ReturnEntryRemoval TabWndApp::removeReturnEntry(const QModelIndex& index)
{
    return m_dbManager.removeReturnEntry(m_returnEntries, index);
}

QStringList TabWndApp::allReturnFilePaths()
{
    ReturnFileEntriesModel all;
    m_dbManager.loadAllHistoryItems(all, QString());
    QStringList paths;
    for (int row = 0; row < all.rowCount(); ++row)
        paths << all.getFilePath(row);
    return paths;
}
