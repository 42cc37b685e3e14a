// Storing one notice of assessment under its taxpayer.
#include "agencydata/NOATaxDataOnePerson.h"
#include "agencydata/tddstore.h"

#include "companion/core/datetimetext.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

namespace {

int failedSave(FILE* log)
{
    writeStoreLog(log, "failed to save into db\n");
    return -1;
}

} // namespace

int updateNOADataForSIN(QSqlDatabase* db, int uid, const char* time, const char* data, const char* path,
                        int taxYear)
{
    if (!db)
        return 0;
    QSqlQuery remove(*db);
    remove.prepare(QStringLiteral("delete from tb_taxnoa where uid=:uid and taxyear=:year"));
    remove.bindValue(QStringLiteral(":uid"), uid);
    remove.bindValue(QStringLiteral(":year"), taxYear);
    if (!remove.exec())
        return 0;

    QSqlQuery insert(*db);
    insert.prepare(QStringLiteral("insert into tb_taxnoa (uid, create_time, data1, htmlfile, taxyear) "
                                  "values (:uid, :time, :data, :path, :year)"));
    insert.bindValue(QStringLiteral(":uid"), uid);
    insert.bindValue(QStringLiteral(":time"), QString::fromUtf8(time ? time : ""));
    insert.bindValue(QStringLiteral(":data"), QString::fromUtf8(data ? data : ""));
    insert.bindValue(QStringLiteral(":path"), QString::fromUtf8(path ? path : ""));
    insert.bindValue(QStringLiteral(":year"), taxYear);
    return insert.exec() ? 1 : 0;
}

CString NOATaxDataOnePerson::messageFor(const std::string& maskedSin) const
{
    const QString masked = QString::fromStdString(maskedSin);
    if (summaryText.empty())
        return QStringLiteral("For tax payer (S.I.N. %1), no message presents.").arg(masked);
    // One substitution for both, so a "%1" in the agency's text stays text.
    return QStringLiteral("For tax payer (S.I.N. %1), %2.").arg(masked, QString::fromStdString(summaryText));
}

int NOATaxDataOnePerson::saveToSqliteDB(QSqlDatabase* db, FILE* log, const std::string& sin, std::string& xml)
{
    try {
        const QByteArray time = getXMLDateTimeString(false).toUtf8();
        const std::string digits = storedSIN(sin.c_str());
        if (!db || digits.empty())
            return failedSave(log);
        const std::string masked = maskSIN(digits);
        maskAccountNumbers(xml, masked);

        // The post may take until its time-out: it runs before the
        // transaction, so the database is not held meanwhile.
        int rendered = RenderOk;
        QByteArray page;
        if (notice.present) {
            rendered = renderNotice(time.constData(), xml, page);
            if (rendered != RenderOk)
                writeStoreLog(log, "rendering failed: %s\n", m_lastRenderError.toUtf8().constData());
        }

        TddStoreTransaction transaction(db);
        if (!transaction.begun())
            return failedSave(log);
        const int id = saveSINReturnID(db, digits.c_str());
        if (id <= 0)
            return failedSave(log);

        const CString path = pagePath(masked, id);
        const bool pageExisted = QFile::exists(path);
        bool pageWritten = false;
        if (notice.present && rendered == RenderOk) {
            rendered = writePage(path, page);
            pageWritten = rendered == RenderOk;
            if (!pageWritten)
                writeStoreLog(log, "rendering failed: %s\n", m_lastRenderError.toUtf8().constData());
        }
        const CString stored = pageWritten ? path : messageFor(masked);
        const int result = updateNOADataForSIN(db, id, time.constData(), xml.c_str(),
                                               stored.toUtf8().constData(), taxYear);
        if (notice.present)
            writeStoreLog(log, "xslt=%d save into db=%d\n", rendered, result);
        else
            writeStoreLog(log, "save into db=%d\n", result);

        if (result != 1 || !transaction.commit()) {
            if (pageWritten && !pageExisted)
                QFile::remove(path);
            return failedSave(log);
        }
        // The row just replaced was the only one to use this page.
        if (!pageWritten && pageExisted)
            QFile::remove(path);
        return result;
    } catch (...) {
        return failedSave(log);
    }
}
