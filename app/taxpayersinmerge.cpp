#include "app/taxpayersinmerge.h"

#include "companion/core/sincheck.h"

#include <QMap>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QVector>

namespace {

const char* const kUniqueIndex = "idx_tb_taxpayers_sin_unique";

struct TaxpayerRow
{
    int id = 0;
    QString name, phone, email;
};

// Rows that point at a taxpayer: table and column.
const struct { const char* table; const char* column; } kTaxpayerLinks[] = {
    {"tb_taxdata", "uid"}, {"tb_taxnoa", "uid"},    {"tb_history", "uid"},
    {"tb_retfile", "uid1"}, {"tb_retfile", "uid2"},
};

bool exists(QSqlDatabase& db, const char* type, const char* name)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("select count(*) from sqlite_master where type=:type and name=:name"));
    query.bindValue(QStringLiteral(":type"), QLatin1String(type));
    query.bindValue(QStringLiteral(":name"), QLatin1String(name));
    return query.exec() && query.next() && query.value(0).toInt() > 0;
}

bool failed(const QSqlQuery& query, QString& error)
{
    error = query.lastError().text();
    return false;
}

bool exec(QSqlDatabase& db, const QString& sql, const QVariantList& values, QString& error)
{
    QSqlQuery query(db);
    if (!query.prepare(sql))
        return failed(query, error);
    for (const QVariant& value : values)
        query.addBindValue(value);
    return query.exec() || failed(query, error);
}

QVariant storedSin(const QVariant& value)
{
    if (value.isNull())
        return value;
    const std::string digits = normaliseSIN(value.toString().trimmed().toUtf8().constData());
    return digits.empty() ? QVariant(QVariant::String) : QVariant(QString::fromStdString(digits));
}

// Keeps the first row, takes what it lacks from the newest row that has it,
// points every link of the others at it and deletes them.
bool merge(QSqlDatabase& db, const QVector<TaxpayerRow>& rows, QString& error)
{
    TaxpayerRow kept = rows.first();
    for (int i = rows.size() - 1; i > 0; --i) {
        const TaxpayerRow& other = rows[i];
        for (auto field : {&TaxpayerRow::name, &TaxpayerRow::phone, &TaxpayerRow::email}) {
            if ((kept.*field).trimmed().isEmpty() && !(other.*field).trimmed().isEmpty())
                kept.*field = other.*field;
        }
    }
    if (!exec(db, QStringLiteral("update tb_taxpayers set name=?, phone=?, email=? where id=?"),
              {kept.name, kept.phone, kept.email, kept.id}, error))
        return false;
    for (int i = 1; i < rows.size(); ++i) {
        for (const auto& link : kTaxpayerLinks) {
            if (!exists(db, "table", link.table))
                continue;
            const QString sql = QStringLiteral("update %1 set %2=? where %2=?")
                                    .arg(QLatin1String(link.table), QLatin1String(link.column));
            if (!exec(db, sql, {kept.id, rows[i].id}, error))
                return false;
        }
        if (!exec(db, QStringLiteral("delete from tb_taxpayers where id=?"), {rows[i].id}, error))
            return false;
    }
    return true;
}

} // namespace

bool TaxpayerSinMerge::run(QSqlDatabase& db, QString& error)
{
    if (!exists(db, "table", "tb_taxpayers") || exists(db, "index", kUniqueIndex))
        return true;

    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("select id, sin, name, phone, email from tb_taxpayers order by id")))
        return failed(query, error);
    QMap<QString, QVector<TaxpayerRow>> bySin;
    QVector<QPair<int, QVariant>> rewritten;
    while (query.next()) {
        const QVariant stored = query.value(1);
        const QVariant normal = storedSin(stored);
        if (normal != stored || normal.isNull() != stored.isNull())
            rewritten.append({query.value(0).toInt(), normal});
        if (normal.isNull())
            continue;
        TaxpayerRow row;
        row.id = query.value(0).toInt();
        row.name = query.value(2).toString();
        row.phone = query.value(3).toString();
        row.email = query.value(4).toString();
        bySin[normal.toString()].append(row);
    }
    query.finish();

    // Duplicates go first, so that no rewritten S.I.N. meets another.
    QSet<int> merged;
    for (const QVector<TaxpayerRow>& rows : bySin) {
        if (rows.size() > 1 && !merge(db, rows, error))
            return false;
        for (int i = 1; i < rows.size(); ++i)
            merged.insert(rows[i].id);
    }
    for (const auto& change : rewritten) {
        if (merged.contains(change.first))
            continue;
        if (!exec(db, QStringLiteral("update tb_taxpayers set sin=? where id=?"), {change.second, change.first},
                  error))
            return false;
    }
    return true;
}
