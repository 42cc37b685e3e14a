#pragma once

// Small Auto-fill items written as the agency writes them (a namespace
// prefix on every element), read into a record as the reply parser does.

#include "agencydata/records/tddtaxdataoneperson.h"

#include <tinyxml.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

namespace itemxml {

inline QByteArray el(const QByteArray& name, const QByteArray& content = QByteArray(),
                     const QByteArray& attributes = QByteArray())
{
    const QByteArray open = "ns2:" + name + (attributes.isEmpty() ? QByteArray() : " " + attributes);
    return "<" + open + ">" + content + "</ns2:" + name + ">";
}

inline QByteArray repeated(int count, const std::function<QByteArray(int)>& one)
{
    QByteArray all;
    for (int i = 0; i < count; ++i)
        all += one(i);
    return all;
}

inline QByteArray item(const QByteArray& children)
{
    return "<ns2:IndividualIncomeTaxDataItem xmlns:ns2=\"urn:agency\">" + children +
           "</ns2:IndividualIncomeTaxDataItem>";
}

inline QByteArray identifier(const QByteArray& id = "1a4e63fbc8540ee9")
{
    return el("IndividualTaxpayerIdentifier", id);
}

// parseXMLData's result, or kNotWellFormed so a broken fixture fails its test.
constexpr int kNotWellFormed = -99;

inline int parseItem(const QByteArray& xml, TDDTaxDataOnePerson& record)
{
    TiXmlDocument document;
    document.Parse(xml.constData(), nullptr, TIXML_ENCODING_UTF8);
    if (document.Error() || !document.RootElement())
        return kNotWellFormed;
    return record.parseXMLData(document.RootElement());
}

// A set-off table in the shipped format (Latin-1, CR LF, quoted fields, a
// header row): PSED in two rows (the first wins), CSC stored with its
// trailing blank, one telephone with a Latin-1 letter.
inline QByteArray setOffTableCsv()
{
    const QByteArray header = "\"Prog Nbr/Id \",\"Eng Abbr \",\"French Abbr \",\"Prog Name Eng \",\"Dept Name Eng \","
                              "\"Prog Name French \",\"Dept Name French \",\"Error Clue \",\"Program Active \","
                              "\"Dest Code \",\"Telephone or Toll-Free \"\r\n";
    auto row = [](const QByteArray& abbreviation, const QByteArray& telephone) {
        return "\"1 \",\"" + abbreviation + "\",\"A \",\"Program, with a comma \",\"Dept \",\"P \",\"D \",\"\","
               "\"Y\",\"X\",\"" + telephone + "\"\r\n";
    };
    return header + row("PSED", "Toll-Free       800-830-3118 Ext      ") + row("PSED", "Local 613-555-0100") +
           row("CSC ", "Toll-Free       800-555-0199 Ext      ") +
           row("\nMUNI", QByteArray("Num\xe9ro 819-555-0142")) + row("PFRA", "Toll-Free       800-282-6249 Ext      ");
}

// Writes the table into dir and points the record's look-up at it; call
// before the first look-up of the process.
inline bool useSetOffTableIn(const QTemporaryDir& dir)
{
    const QString path = dir.filePath("setoff.csv");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(setOffTableCsv()) < 0)
        return false;
    file.close();
    TDDTaxDataOnePerson::m_strSetOffCodeFilePath = CString(path);
    return true;
}

} // namespace itemxml
