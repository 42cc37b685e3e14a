// The T1's own checks on what a user types on its pages.
#include "companion/forms/t1/taxdata_t1new.h"

#include "companion/core/sincheck.h"
#include "companion/forms/entrychecks.h"

bool TaxData_T1New::checkEntry(const CField& field, QString& text, QString& problem) const
{
    if (!CTaxData_Form::checkEntry(field, text, problem))
        return false;
    const bool own = &field == &SIN;
    if (own || &field == &SpouseSIN) {
        problem = entrycheck::sinProblem(text, own ? QStringLiteral("taxpayer's") : QStringLiteral("spouse's"));
        if (problem.isEmpty())
            problem = entrycheck::sameSinProblem(own ? text : QString(SIN.m_value),
                                                 own ? QString(SpouseSIN.m_value) : text);
        if (!problem.isEmpty())
            return false;
        text = QString::fromStdString(normaliseSIN(text.trimmed().toUtf8().constData()));
        return true;
    }
    if (&field == &DateOfDeath || &field == &BirthDate) {
        const QDate typed = QDate::fromString(text, Qt::ISODate);
        problem = &field == &DateOfDeath ? entrycheck::deathDateProblem(BirthDate.m_value, typed)
                                         : entrycheck::deathDateProblem(typed, DateOfDeath.m_value);
        return problem.isEmpty();
    }
    return true;
}
