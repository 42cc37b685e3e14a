#include "app/BasicEvent.h"

#include "companion/core/sincheck.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

namespace {

QString sinKey(const QString& sin)
{
    return QString::fromStdString(normaliseSIN(sin.toUtf8().constData()));
}

QString storedMessage(const CString& msg, bool encoded)
{
    if (!encoded)
        return msg;
    return QString::fromLatin1(msg.toUtf8().toBase64());
}

int insertEvent(QSqlDatabase& db, int uid, int eventId, const QString& msg, bool withTime)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("insert into tb_history (uid, eventid, msg, event_time) values (:uid, :evid, :msg, ")
                  + (withTime ? QStringLiteral("datetime('now','localtime'))") : QStringLiteral("NULL)")));
    query.bindValue(QStringLiteral(":uid"), uid);
    query.bindValue(QStringLiteral(":evid"), eventId);
    query.bindValue(QStringLiteral(":msg"), msg);
    if (!query.exec())
        return CBasicEvent::DbFailed;
    return query.lastInsertId().toInt();
}

bool deleteTaxpayerEvents(QSqlDatabase& db, int uid, int eventId)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("delete from tb_history where eventid=:evid and uid=:uid"));
    query.bindValue(QStringLiteral(":evid"), eventId);
    query.bindValue(QStringLiteral(":uid"), uid);
    return query.exec();
}

// Sets only the fields that were given, so an empty phone or e-mail from the
// filing road keeps what the user or the agency data stored.
void updateTaxpayer(QSqlDatabase& db, int id, const CString& name, const CString& phone, const CString& email)
{
    const struct { const char* column; const CString& value; } fields[] = {
        {"name", name}, {"phone", phone}, {"email", email}};
    QStringList assignments;
    for (const auto& field : fields) {
        if (!field.value.trimmed().isEmpty())
            assignments << QStringLiteral("%1=:%1").arg(QLatin1String(field.column));
    }
    if (assignments.isEmpty())
        return;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("update tb_taxpayers set ") + assignments.join(QStringLiteral(", "))
                  + QStringLiteral(" where id=:retid"));
    for (const auto& field : fields) {
        if (!field.value.trimmed().isEmpty())
            query.bindValue(QLatin1Char(':') + QLatin1String(field.column), QString(field.value));
    }
    query.bindValue(QStringLiteral(":retid"), id);
    query.exec();
}

} // namespace

int CBasicEvent::saveUniqueEvent(QSqlDatabase& db, int uid, int eventId, const CString& msg,
                                 bool encoded, bool withTime, bool replace)
{
    if (uid < 0)
        return DbFailed;
    const QString text = storedMessage(msg, encoded);
    if (!replace || uid == 0)
        return insertEvent(db, uid, eventId, text, withTime);

    // The old event goes only when the new one is stored.
    if (!db.transaction())
        return DbFailed;
    if (!deleteTaxpayerEvents(db, uid, eventId)) {
        db.rollback();
        return DbFailed;
    }
    const int id = insertEvent(db, uid, eventId, text, withTime);
    if (id <= 0 || !db.commit()) {
        db.rollback();
        return DbFailed;
    }
    return id;
}

int CBasicEvent::findUserID(QSqlDatabase& db, const CString& sin)
{
    const QString key = sinKey(sin);
    // Rows stored by other writers may carry spaces or dashes: each stored
    // S.I.N. is normalised before it is compared.
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("select id, sin from tb_taxpayers order by id desc")))
        return DbFailed;
    while (query.next()) {
        if (sinKey(query.value(1).toString()) == key)
            return query.value(0).toInt();
    }
    return 0;
}

int CBasicEvent::findUserIDAndUpdateUser(QSqlDatabase& db, const CString& sin, const CString& name,
                                         const CString& phone, const CString& email)
{
    // Without a S.I.N. there is nothing to find a taxpayer by.
    if (sinKey(sin).isEmpty())
        return 0;
    const int id = findUserID(db, sin);
    if (id == DbFailed)
        return DbFailed;
    if (id != 0) {
        // The taxpayer is known either way; a failed refresh of the contact
        // texts does not change who it is.
        updateTaxpayer(db, id, name, phone, email);
        return id;
    }

    QSqlQuery query(db);
    query.prepare(QStringLiteral("insert into tb_taxpayers (name, sin, phone, email) values (:name, :sin, :phone, :email)"));
    query.bindValue(QStringLiteral(":name"), QString(name));
    query.bindValue(QStringLiteral(":sin"), sinKey(sin));
    query.bindValue(QStringLiteral(":phone"), QString(phone));
    query.bindValue(QStringLiteral(":email"), QString(email));
    if (!query.exec())
        return DbFailed;
    return query.lastInsertId().toInt();
}
