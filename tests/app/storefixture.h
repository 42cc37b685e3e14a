#pragma once

#include "app/SqliteDBManager.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <QtTest>

#include <memory>

// A fresh database folder for one test case, with a manager whose connection
// name no other case uses. The connection is closed and removed when the
// fixture goes.
class StoreFixture
{
public:
    StoreFixture() { QVERIFY(m_dir.isValid()); }

    QString folder() const { return m_dir.path(); }
    QString dbFile() const { return m_dir.filePath(QStringLiteral("mydata2024n.db")); }

    // Opens (or reopens) the database in the folder; returns openDBFile's result.
    int open()
    {
        static int serial = 0;
        m_manager.reset();
        m_manager = std::make_unique<CSqliteDBManager>(QStringLiteral("store_test_%1").arg(++serial));
        CString path = folder();
        return m_manager->openDBFile(path);
    }
    void close() { m_manager.reset(); }

    CSqliteDBManager& manager() { return *m_manager; }
    QSqlDatabase& db() { return m_manager->db(); }

    // Runs one statement on the manager's connection and fails the test if it fails.
    void exec(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query(db());
        QVERIFY2(query.prepare(sql), qPrintable(sql));
        for (const QVariant& value : values)
            query.addBindValue(value);
        QVERIFY2(query.exec(), qPrintable(sql + QStringLiteral(": ") + query.lastError().text()));
    }

    // First column of every row of a query, as text.
    QStringList column(const QString& sql, const QVariantList& values = {})
    {
        QStringList out;
        QSqlQuery query(db());
        if (!query.prepare(sql))
            return {QStringLiteral("<prepare failed>")};
        for (const QVariant& value : values)
            query.addBindValue(value);
        if (!query.exec())
            return {QStringLiteral("<exec failed>")};
        while (query.next())
            out << (query.value(0).isNull() ? QStringLiteral("<null>") : query.value(0).toString());
        return out;
    }

    int count(const QString& table)
    {
        const QStringList values = column(QStringLiteral("select count(*) from ") + table);
        return values.size() == 1 ? values.first().toInt() : -1;
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<CSqliteDBManager> m_manager;
};
