#include "agencydata/tddstore.h"

#include "companion/core/sincheck.h"
#include "companion/core/sinmask.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <cctype>
#include <cstdarg>

std::string storedSIN(const char* sin)
{
    std::string digits = normaliseSIN(sin);
    if (digits.size() != 9)
        return std::string();
    for (char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::string();
    }
    return digits;
}

int locateIDForSIN(QSqlDatabase* db, const char* sin)
{
    const std::string digits = storedSIN(sin);
    if (!db || digits.empty())
        return 0;
    QSqlQuery query(*db);
    query.prepare(QStringLiteral("select id, name from tb_taxpayers where sin=:sin"));
    query.bindValue(QStringLiteral(":sin"), QString::fromStdString(digits));
    if (!query.exec() || !query.next())
        return 0;
    return query.value(0).toInt();
}

int saveSINReturnID(QSqlDatabase* db, const char* sin)
{
    const std::string digits = storedSIN(sin);
    if (!db || digits.empty())
        return 0;
    // The unique S.I.N. makes the insert a no-op when the row exists
    // already, whoever added it; the look-up then gives that row.
    QSqlQuery query(*db);
    query.prepare(QStringLiteral("insert or ignore into tb_taxpayers (name, sin) values ('', :sin)"));
    query.bindValue(QStringLiteral(":sin"), QString::fromStdString(digits));
    if (!query.exec())
        return 0;
    return locateIDForSIN(db, digits.c_str());
}

int updateDataForSIN(QSqlDatabase* db, int uid, const char* time, const char* xml, const char* html,
                     int taxYear)
{
    if (!db)
        return 0;
    QSqlQuery remove(*db);
    remove.prepare(QStringLiteral("delete from tb_taxdata where uid=:uid"));
    remove.bindValue(QStringLiteral(":uid"), uid);
    if (!remove.exec())
        return 0;

    QSqlQuery insert(*db);
    insert.prepare(QStringLiteral("insert into tb_taxdata (uid, create_time, data1, html1, taxyear) "
                                  "values (:uid, :time, :xmldata, :htmldata, :year)"));
    insert.bindValue(QStringLiteral(":uid"), uid);
    insert.bindValue(QStringLiteral(":time"), QString::fromUtf8(time ? time : ""));
    insert.bindValue(QStringLiteral(":xmldata"), QString::fromUtf8(xml ? xml : ""));
    insert.bindValue(QStringLiteral(":htmldata"), QString::fromUtf8(html ? html : ""));
    insert.bindValue(QStringLiteral(":year"), taxYear);
    return insert.exec() ? 2 : 1;
}

TddStoreTransaction::TddStoreTransaction(QSqlDatabase* db)
    : m_db(db)
{
    if (m_db && m_db->isOpen()) {
        QSqlQuery query(*m_db);
        m_begun = query.exec(QStringLiteral("BEGIN IMMEDIATE"));
    }
}

TddStoreTransaction::~TddStoreTransaction()
{
    rollback();
}

bool TddStoreTransaction::commit()
{
    if (!m_begun)
        return false;
    QSqlQuery query(*m_db);
    if (!query.exec(QStringLiteral("COMMIT"))) {
        rollback();
        return false;
    }
    m_begun = false;
    return true;
}

void TddStoreTransaction::rollback()
{
    if (!m_begun)
        return;
    QSqlQuery query(*m_db);
    query.exec(QStringLiteral("ROLLBACK"));
    m_begun = false;
}

void writeStoreLog(FILE* log, const char* format, ...)
{
    if (!log)
        return;
    char line[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    const QByteArray masked = maskSINsInLogLine(QByteArray(line));
    std::fwrite(masked.constData(), 1, std::size_t(masked.size()), log);
    std::fflush(log);
}
