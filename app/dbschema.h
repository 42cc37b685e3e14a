#pragma once

#include <QStringList>
#include <vector>

// The tables of the application database. The creating texts are the file's
// format: they are stored by SQLite in sqlite_master and compared by older
// and newer versions of the program, so they must not be reworded.
struct DbTableSchema
{
    const char* table;
    const char* createStatement;
    std::vector<const char*> indexStatements;
};

namespace DbSchema {

// Every table of the database with its indexes, in the order they are created.
const std::vector<DbTableSchema>& tables();

// The statements that create whatever is missing and leave the rest alone:
// "create table X" / "create index X" become "... if not exists X".
QStringList createIfMissingStatements();

} // namespace DbSchema
