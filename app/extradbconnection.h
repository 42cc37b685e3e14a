#pragma once

#include <QSqlDatabase>
#include <QString>

// A worker thread's own connection to the application database. Each object
// registers a connection under a name no other object uses, so two workers
// running at once never replace each other's connection, and removes it
// again when destroyed. Create, use and destroy it on the same thread.
class CExtraDBConnection
{
public:
    explicit CExtraDBConnection(const QString& dbFilePath,
                                const QString& namePrefix = QStringLiteral("TDD_DB_Connection"));
    ~CExtraDBConnection();

    CExtraDBConnection(const CExtraDBConnection&) = delete;
    CExtraDBConnection& operator=(const CExtraDBConnection&) = delete;

    bool isOpen() const { return m_db.isOpen(); }
    QSqlDatabase& db() { return m_db; }
    QString connectionName() const { return m_name; }

private:
    QString m_name;
    QSqlDatabase m_db;
};
