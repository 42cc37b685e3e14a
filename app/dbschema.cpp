#include "app/dbschema.h"

namespace {

QString withIfNotExists(const char* statement)
{
    // Every statement starts with "create table ", "create index " or
    // "create unique index ".
    QString text = QString::fromLatin1(statement);
    for (const QLatin1String kind : {QLatin1String("table "), QLatin1String("index ")}) {
        const int at = text.indexOf(kind);
        if (at > 0) {
            text.insert(at + kind.size() - 1, QStringLiteral(" if not exists"));
            break;
        }
    }
    return text;
}

} // namespace

const std::vector<DbTableSchema>& DbSchema::tables()
{
    static const std::vector<DbTableSchema> schema = {
        {"tb_config",
         "create table tb_config (id integer primary key autoincrement, name text, value text)",
         {"create index idx_tb_config_name on tb_config (name)"}},
        {"tb_taxpayers",
         "create table tb_taxpayers (id integer primary key autoincrement, name varchar(200), "
         "sin varchar(20), phone varchar(20), email varchar(80))",
         // One row per taxpayer: S.I.N.s are stored as their nine digits and
         // found by them (an older file is merged first, TaxpayerSinMerge).
         {"create index idx_tb_taxpayer_sin on tb_taxpayers (sin)",
          "create unique index idx_tb_taxpayers_sin_unique on tb_taxpayers (sin)"}},
        {"tb_retfile",
         "create table tb_retfile (id integer primary key autoincrement, name1 varchar(100), "
         "name2 varchar(100), uid1 integer, uid2 integer, filepath varchar(200), open_time datetime)",
         {"create index idx_tb_retfile_filepath on tb_retfile (filepath)",
          "create index idx_tb_retfile_names on tb_retfile (name1, name2)",
          "create index idx_tb_retfile_uid on tb_retfile (uid1, uid2)"}},
        {"tb_taxdata",
         "create table tb_taxdata (id integer primary key autoincrement, uid integer, "
         "create_time datetime, data1 text, html1 text, taxyear integer)",
         {"create index idx_tb_taxdata_uid on tb_taxdata (uid)"}},
        {"tb_taxnoa",
         "create table tb_taxnoa (id integer primary key autoincrement, uid integer, "
         "create_time datetime, data1 text, htmlfile varchar(256), taxyear integer)",
         {"create index idx_tb_taxnoa_uid on tb_taxnoa (uid)"}},
        {"tb_history",
         "create table tb_history (id integer primary key autoincrement, uid integer, "
         "eventid integer, msg varchar(200), event_time datetime DEFAULT NULL)",
         {"create index idx_tb_history_uid on tb_history (uid)"}},
    };
    return schema;
}

QStringList DbSchema::createIfMissingStatements()
{
    QStringList statements;
    for (const DbTableSchema& table : tables()) {
        statements << withIfNotExists(table.createStatement);
        for (const char* index : table.indexStatements)
            statements << withIfNotExists(index);
    }
    return statements;
}
