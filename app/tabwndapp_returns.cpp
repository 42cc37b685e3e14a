// The recent-return list as the pages and the start page reach it.
#include "app/tabwndapp.h"

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
