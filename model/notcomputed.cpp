#include "model/notcomputed.h"

#include <QRegularExpression>
#include <list>

#include "companion/forms/catalogue.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/money.h"
#include "model/individualtaxdata.h"

namespace {

constexpr int kQuebec = 11;

// The provincial credits the province's tax leaves out, as its checks name
// them ("... does not include the provincial <credit>, for which ...").
QStringList provincialLeftOut(IndividualTaxData& person, TaxData_T1New& t1)
{
    std::list<CString> messages;
    person.m_provMgr.Validate(messages, &t1, person.GetFormData(3, false), person.GetFormData(6, false),
                              person.GetFormData(9, false), person.GetFormData(11, false),
                              person.GetFormData(31, false), person.GetFormData(29, false));
    static const QRegularExpression leftOut(QStringLiteral("does not include the provincial (.+), for which"));
    QStringList out;
    for (const CString& message : messages) {
        const QRegularExpressionMatch m = leftOut.match(message);
        if (m.hasMatch())
            out << QStringLiteral("line 42800: the provincial ") + m.captured(1);
    }
    return out;
}

} // namespace

QStringList notComputedByThisProgram(IndividualTaxData& person)
{
    QStringList out;
    TaxData_T1New* t1 = person.GetT1();
    if (!t1)
        return out;
    const int province = t1->getMainTaxProvince();
    if (province == kQuebec)
        out << QStringLiteral("Quebec tax: the Quebec return is filed separately with the province");
    if (taxrules::isPresentAmount(t1->line32400TuitionFromChild.m_value)
        && !taxrules::isPresentAmount(t1->ChildTuitionCurrentYear.m_value))
        out << QStringLiteral("line 32400: the limit of a parent's tuition amount without the student's amount "
                              "(the amount is taken as typed)");
    out << provincialLeftOut(person, *t1);
    out.removeDuplicates();
    return out;
}

QHash<QString, QString> notComputedByLine(const QStringList& items)
{
    static const QRegularExpression namedLine(QStringLiteral("^line (\\d{5}): "));
    QHash<QString, QString> byLine;
    for (const QString& item : items) {
        const QRegularExpressionMatch m = namedLine.match(item);
        if (!m.hasMatch())
            continue;
        QString& note = byLine[m.captured(1)];
        note = note.isEmpty() ? item : note + QStringLiteral("; ") + item;
    }
    return byLine;
}
