#include "agencydata/setoffcodetable.h"

#include "agencydata/records/tddtaxdataoneperson.h"
#include "companion/core/csvparse.h"
#include "companion/core/fileload.h"

#include <QLoggingCategory>

#include <vector>

Q_LOGGING_CATEGORY(lcSetOffCodes, "vr.agency.setoff")

namespace {

// Fewer fields than this is not a program row (a stray blank line).
constexpr std::size_t kMinFields = 4;
constexpr std::size_t kAbbreviationField = 1;

QString fromLatin1(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), int(bytes.size()));
}

// Codes arrive from the agency's XML as UTF-8; the table's keys are compared
// in the same encoding.
std::string latin1ToUtf8(const std::string& bytes)
{
    return fromLatin1(bytes).toStdString();
}

} // namespace

std::string setOffCodeKey(const std::string& code)
{
    return QString::fromStdString(code).trimmed().toStdString();
}

bool readSetOffCodeTable(const std::string& latin1Csv, SetOffCodeTable& table)
{
    table.clear();
    std::vector<std::vector<std::string>> rows;
    if (!ParseCSV(latin1Csv, rows))
        return false;
    // Row 0 is the header.
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const std::vector<std::string>& row = rows[r];
        if (row.size() < kMinFields)
            continue;
        const std::string& abbreviation = row[kAbbreviationField];
        const std::string key = setOffCodeKey(latin1ToUtf8(abbreviation));
        if (key.empty())
            continue;
        // The first row of an abbreviation wins.
        table.emplace(key, CString(fromLatin1(row.back())));
    }
    return true;
}

bool loadSetOffCodeTable(const CString& path, SetOffCodeTable& table)
{
    table.clear();
    std::string bytes;
    return loadFileToString(path, bytes, 64, 64) && readSetOffCodeTable(bytes, table);
}

CString TDDTaxDataOnePerson::m_strSetOffCodeFilePath(":/tdd/tdd/cde-elements-22b.csv");
std::map<std::string, CString> TDDTaxDataOnePerson::m_SetOffCodeMap;
std::once_flag TDDTaxDataOnePerson::m_setOffCodeMapLoaded;

void TDDTaxDataOnePerson::InitSetOffCodeMap()
{
    // The first look-up may come from a fetch's worker thread or from the
    // window's thread; call_once makes every other caller wait for the whole
    // table. One attempt per process: a table that cannot be read leaves
    // every telephone empty, and says so once.
    std::call_once(m_setOffCodeMapLoaded, [] {
        if (loadSetOffCodeTable(m_strSetOffCodeFilePath, m_SetOffCodeMap))
            qCInfo(lcSetOffCodes, "set-off table: %d programs read from %s", int(m_SetOffCodeMap.size()),
                   qUtf8Printable(m_strSetOffCodeFilePath));
        else
            qCWarning(lcSetOffCodes, "set-off table could not be read from %s; telephones stay empty",
                      qUtf8Printable(m_strSetOffCodeFilePath));
    });
}

std::string TDDTaxDataOnePerson::GetPhoneForSetOffCode(const std::string& code)
{
    InitSetOffCodeMap();
    const auto found = m_SetOffCodeMap.find(setOffCodeKey(code));
    return found == m_SetOffCodeMap.end() ? std::string() : found->second.toStdString();
}
