#pragma once

#include "app/SqliteDBManager.h"
#include "common/testhome.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <QtTest>

#include <cstdio>
#include <memory>

// A fresh home, an application database made by the application's own
// schema in it, a worker connection of its own (as a fetch opens one), and a
// fetch log the saves write to.
class AgencyStoreFixture
{
public:
    AgencyStoreFixture()
    {
        static int serial = 0;
        ++serial;
        m_manager = std::make_unique<CSqliteDBManager>(QStringLiteral("agency_store_main_%1").arg(serial));
        CString folder = m_home.path();
        QCOMPARE(m_manager->openDBFile(folder), int(CSqliteDBManager::OpenOk));
        m_worker = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                             QStringLiteral("agency_store_worker_%1").arg(serial));
        QVERIFY(m_manager->openExtraDBHandle(m_worker));
        m_logPath = m_home.filePath(QStringLiteral("tddlog2.txt"));
        m_log = std::fopen(QFile::encodeName(m_logPath).constData(), "a");
        QVERIFY(m_log);
    }
    ~AgencyStoreFixture()
    {
        if (m_log)
            std::fclose(m_log);
        CSqliteDBManager::closeExtraDBHandle(m_worker);
    }

    QSqlDatabase* worker() { return &m_worker; }
    // Opens a connection the caller added on the application database.
    bool openExtra(QSqlDatabase& db) const { return m_manager->openExtraDBHandle(db); }
    FILE* log() { return m_log; }
    QString home() const { return m_home.path(); }
    QString dbFile() const { return m_manager->filePath(); }
    QString noticeFolder() const { return m_home.filePath(QStringLiteral("Documents/data/noa1")); }

    // The log's lines so far.
    QStringList logLines()
    {
        std::fflush(m_log);
        QFile file(m_logPath);
        if (!file.open(QIODevice::ReadOnly))
            return {QStringLiteral("<no log>")};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // Runs one statement on the program's own connection.
    void exec(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query(m_manager->db());
        QVERIFY2(query.prepare(sql), qPrintable(sql));
        for (const QVariant& value : values)
            query.addBindValue(value);
        QVERIFY2(query.exec(), qPrintable(sql + QStringLiteral(": ") + query.lastError().text()));
    }

    // First column of every row, as text.
    QStringList column(const QString& sql, const QVariantList& values = {})
    {
        QStringList out;
        QSqlQuery query(m_manager->db());
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
    TestHome m_home;
    std::unique_ptr<CSqliteDBManager> m_manager;
    QSqlDatabase m_worker;
    QString m_logPath;
    FILE* m_log = nullptr;
};
