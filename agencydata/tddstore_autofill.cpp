// Storing one taxpayer's Auto-fill record: the taxpayer row, then the record
// in place of the taxpayer's earlier one, in one transaction, so a failure
// anywhere leaves the earlier record as it was.
#include "agencydata/records/tddtaxdataoneperson.h"
#include "agencydata/tddstore.h"

#include "companion/core/datetimetext.h"

#include <QSqlDatabase>

namespace {

int failedSave(FILE* log)
{
    writeStoreLog(log, "failed to save into db\n");
    return 0;
}

} // namespace

int TDDTaxDataOnePerson::saveToSqliteDB(QSqlDatabase* db, FILE* log, const std::string& sin,
                                        const std::string& itemXml)
{
    try {
        const QByteArray time = getXMLDateTimeString(false).toUtf8();
        const std::string digits = storedSIN(sin.c_str());
        if (!db || digits.empty())
            return failedSave(log);

        CString html;
        toHtml(html, digits.c_str(), time.constData());

        TddStoreTransaction transaction(db);
        if (!transaction.begun())
            return failedSave(log);
        int id = locateIDForSIN(db, digits.c_str());
        if (id == 0) {
            writeStoreLog(log, "cannot locate id=%d\n", id);
            id = saveSINReturnID(db, digits.c_str());
        }
        if (id <= 0)
            return failedSave(log);
        writeStoreLog(log, "save into id=%d\n", id);

        const int stored = updateDataForSIN(db, id, time.constData(), itemXml.c_str(),
                                            html.toUtf8().constData(), taxYear);
        writeStoreLog(log, "save into db=%d\n", stored);
        if (stored != 2 || !transaction.commit())
            return failedSave(log);
        return 1;
    } catch (...) {
        return failedSave(log);
    }
}
