#include "app/extradbconnection.h"

#include "app/SqliteDBManager.h"

#include <QAtomicInteger>

namespace {
QAtomicInteger<quint64> s_connectionCounter;
}

CExtraDBConnection::CExtraDBConnection(const QString& dbFilePath, const QString& namePrefix)
    : m_name(QStringLiteral("%1_%2").arg(namePrefix).arg(s_connectionCounter.fetchAndAddRelaxed(1) + 1))
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_db.setDatabaseName(dbFilePath);
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(CSqliteDBManager::BusyTimeoutMs));
    m_db.open();
}

CExtraDBConnection::~CExtraDBConnection()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}
