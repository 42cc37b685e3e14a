#include "dialogs/newreturnchecks.h"

#include "companion/core/sincheck.h"
#include "companion/core/sinmessage.h"
#include "companion/forms/catalogue.h"
#include "companion/forms/entrychecks.h"
#include "companion/forms/fields.h"
#include "companion/ui/cyesnocontinuedlg.h"
#include "companion/core/messages.h"
#include "dialogs/datanewreturnbasic.h"

namespace NewReturnChecks {

namespace {

void tell(QWidget* page, const QString& text)
{
    promptWarning(page, QString::fromUtf8(kTitle), text);
}

} // namespace

bool nothingMissing(QWidget* page, const QStringList& missing)
{
    if (missing.isEmpty())
        return true;
    tell(page, QStringLiteral("Please enter: ") + missing.join(QStringLiteral(", ")) + QLatin1Char('.'));
    return false;
}

bool provinceSupported(QWidget* page, int province)
{
    if (IsProvinceSupported(province))
        return true;
    tell(page, QStringLiteral("Tax Province is not supported!"));
    return false;
}

bool maritalStatusChosen(QWidget* page, int status)
{
    if (status >= 0 && status <= 5)
        return true;
    tell(page, QStringLiteral("Please choose the marital status."));
    return false;
}

bool sinAcceptable(QWidget* page, const CStringField& sin, const QString& whose)
{
    if (sin.IsEmptyIfRemoveBlank())
        return true;
    const char* problem = nullptr;
    if (CheckSIN(sin.m_value.trimmed().toUtf8().constData(), &problem))
        return true;
    // The number itself is never repeated in the message.
    tell(page, sinNotValidMessage(whose, problem));
    return false;
}

bool sinsDiffer(QWidget* page, const CStringField& own, const CStringField& spouse)
{
    const QString problem = entrycheck::sameSinProblem(own.m_value, spouse.m_value);
    if (problem.isEmpty())
        return true;
    tell(page, problem);
    return false;
}

bool birthDateAccepted(QWidget* page, const CDateField& dob, const QString& whose, QDate& confirmed)
{
    if (!dob.IsValid()) {
        tell(page, QStringLiteral("Please enter the ") + whose + QStringLiteral(" date of birth."));
        return false;
    }
    const QString afterYear = entrycheck::birthDateProblem(dob.m_value, whose);
    if (!afterYear.isEmpty()) {
        tell(page, afterYear);
        return false;
    }
    if (dob.m_value != DataNewReturnBasic::presetBirthDate() || dob.m_value == confirmed)
        return true;
    const QString question = QStringLiteral("The ") + whose + QStringLiteral(" date of birth is still ")
                             + dob.m_value.toString(QStringLiteral("yyyy/MM/dd"))
                             + QStringLiteral(", the date the wizard starts from. Is this the right date of birth?");
    if (!CYesNoContinueDlg::warnYesNoMsg(page, QString::fromUtf8(kTitle), question))
        return false;
    confirmed = dob.m_value;
    return true;
}

} // namespace NewReturnChecks
