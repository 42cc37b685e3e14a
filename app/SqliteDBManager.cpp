#include "app/SqliteDBManager.h"

#include "app/dbschema.h"
#include "app/taxpayersinmerge.h"
#include "companion/core/filemodes.h"
#include "companion/core/numbertext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <cerrno>
#include <cmath>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace {

const char* const kDriver = "QSQLITE";

QString busyTimeoutOption()
{
    return QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(CSqliteDBManager::BusyTimeoutMs);
}

// The file holds passwords: it is created readable by the user only, and an
// older file that is readable by others is narrowed to the user as well (the
// owner's own rights stay as the owner set them).
// SQLite gives its journal files the database file's permissions.
bool ensurePrivateFile(const QString& path)
{
    const QByteArray local = QFile::encodeName(path);
    const int fd = ::open(local.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    if (errno != EEXIST || !QFileInfo(path).isFile())
        return false;
    withholdFromOthers(path);
    return true;
}

// SQLite's primary result codes (the low byte of an extended one) that tell
// a damaged file and one another connection holds.
CSqliteDBManager::OpenFailure failureOf(const QSqlError& error)
{
    bool number = false;
    const int code = error.nativeErrorCode().toInt(&number) & 0xFF;
    if (!number)
        return CSqliteDBManager::OpenFailure::Other;
    switch (code) {
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return CSqliteDBManager::OpenFailure::Damaged;
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return CSqliteDBManager::OpenFailure::Locked;
    default:
        return CSqliteDBManager::OpenFailure::Other;
    }
}

// Settings are stored as decimal text; anything else reads as 0.
int settingToInt(const QString& text)
{
    const double number = myStringToDouble(text.toUtf8().toStdString());
    if (std::isnan(number))
        return 0;
    if (number >= double(INT_MAX))
        return INT_MAX;
    if (number <= double(INT_MIN))
        return INT_MIN;
    return static_cast<int>(number); // toward zero
}

} // namespace

CSqliteDBManager::CSqliteDBManager(const QString& connectionName)
    : m_connectionName(connectionName)
{
}

CSqliteDBManager::~CSqliteDBManager()
{
    closeDBFile();
}

void CSqliteDBManager::getDBFilename(CString& name)
{
    name = CString("mydata") + "2024" + "n" + ".db";
}

int CSqliteDBManager::fail(const QSqlQuery& query)
{
    m_lastError = query.lastError().text();
    return DbFailed;
}

int CSqliteDBManager::notOpen()
{
    m_lastError = QStringLiteral("the database is not open");
    return DbFailed;
}

int CSqliteDBManager::openDBFile(CString& path)
{
    closeDBFile();
    m_lastError.clear();
    m_openFailure = OpenFailure::Other;

    CString fileName;
    getDBFilename(fileName);
    path = QDir::toNativeSeparators(path + QLatin1Char('/') + fileName);
    m_filePath = path;

    if (!ensurePrivateFile(m_filePath)) {
        m_lastError = QStringLiteral("cannot create the database file");
        return OpenCannotOpen;
    }

    m_db = QSqlDatabase::addDatabase(QLatin1String(kDriver), m_connectionName);
    m_db.setDatabaseName(m_filePath);
    m_db.setConnectOptions(busyTimeoutOption());
    if (!m_db.open()) {
        m_lastError = m_db.lastError().text();
        forgetConnection();
        return OpenCannotOpen;
    }
    if (!createMissingSchema()) {
        forgetConnection();
        return OpenSchemaFailed;
    }
    m_openFailure = OpenFailure::None;
    m_bOpen = true;
    return OpenOk;
}

// All tables and indexes are created in one write transaction: either the
// schema is complete or nothing changed. Taking the write lock up front also
// makes a file that cannot be written fail here, at start-up, rather than
// later when the user's settings are saved.
bool CSqliteDBManager::createMissingSchema()
{
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        fail(query);
        m_openFailure = failureOf(query.lastError());
        return false;
    }
    QString mergeError;
    if (!TaxpayerSinMerge::run(m_db, mergeError)) {
        m_lastError = mergeError;
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    for (const QString& statement : DbSchema::createIfMissingStatements()) {
        if (!query.exec(statement)) {
            fail(query);
            m_openFailure = failureOf(query.lastError());
            query.exec(QStringLiteral("ROLLBACK"));
            return false;
        }
    }
    if (!query.exec(QStringLiteral("COMMIT"))) {
        fail(query);
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    return true;
}

void CSqliteDBManager::forgetConnection()
{
    if (m_db.isOpen())
        m_db.close();
    m_db = QSqlDatabase();
    if (QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::removeDatabase(m_connectionName);
    m_bOpen = false;
}

int CSqliteDBManager::closeDBFile()
{
    if (m_db.isValid() || QSqlDatabase::contains(m_connectionName))
        forgetConnection();
    return 0;
}

bool CSqliteDBManager::tableExists(const char* table)
{
    if (!m_bOpen)
        return false;
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("select count(*) from sqlite_master where type='table' and name=:name"));
    query.bindValue(QStringLiteral(":name"), QString::fromUtf8(table));
    return query.exec() && query.next() && query.value(0).toInt() > 0;
}

int CSqliteDBManager::readParameter(const char* name, CString& value, int isPath)
{
    if (!m_bOpen)
        return notOpen();
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("select id, value from tb_config where name=:name order by id desc"));
    query.bindValue(QStringLiteral(":name"), QString::fromUtf8(name));
    if (!query.exec())
        return fail(query);
    if (!query.next())
        return 0;
    QString text = query.value(1).toString().trimmed();
    if (isPath == 1)
        text = QDir::toNativeSeparators(text);
    value = text;
    return query.value(0).toInt();
}

int CSqliteDBManager::readParameter(const char* name, int& value)
{
    CString text;
    const int id = readParameter(name, text, 0);
    if (id > 0)
        value = settingToInt(text);
    return id;
}

int CSqliteDBManager::readParameter(const char* name, bool& value)
{
    int number = 0;
    const int id = readParameter(name, number);
    if (id > 0)
        value = number != 0;
    return id;
}

// Only the newest row of a key is updated; a key without a row gets one.
int CSqliteDBManager::saveParameter(const char* name, const CString& value, int isPath)
{
    CString scratch;
    const int id = readParameter(name, scratch, 0);
    if (id == DbFailed)
        return DbFailed;

    QSqlQuery query(m_db);
    if (id > 0) {
        query.prepare(QStringLiteral("update tb_config set value=? where id=?"));
        query.addBindValue(isPath == 1 ? QDir::toNativeSeparators(value) : QString(value));
        query.addBindValue(id);
        return query.exec() ? id : fail(query);
    }
    QString stored = value.trimmed();
    if (isPath == 1)
        stored = QDir::toNativeSeparators(stored);
    query.prepare(QStringLiteral("insert into tb_config (name, value) values (:name,:value)"));
    query.bindValue(QStringLiteral(":name"), QString::fromUtf8(name));
    query.bindValue(QStringLiteral(":value"), stored);
    if (!query.exec())
        return fail(query);
    return query.lastInsertId().toInt();
}

int CSqliteDBManager::saveParameter(const char* name, const char* value, int isPath)
{
    return saveParameter(name, CString(value), isPath);
}

int CSqliteDBManager::saveParameter(const char* name, int value)
{
    return saveParameter(name, CString(QString::number(value)), 0);
}

int CSqliteDBManager::saveParameter(const char* name, bool value)
{
    return saveParameter(name, CString(value ? "1" : "0"), 0);
}

bool CSqliteDBManager::openExtraDBHandle(QSqlDatabase& db) const
{
    if (m_filePath.isEmpty())
        return false;
    db.setDatabaseName(m_filePath);
    db.setConnectOptions(busyTimeoutOption());
    return db.open();
}

// The name goes with the connection, so that a later worker can add it again
// without Qt warning that it replaces a connection still registered.
void CSqliteDBManager::closeExtraDBHandle(QSqlDatabase& db)
{
    const QString name = db.connectionName();
    db.close();
    db = QSqlDatabase();
    if (!name.isEmpty() && QSqlDatabase::contains(name))
        QSqlDatabase::removeDatabase(name);
}
