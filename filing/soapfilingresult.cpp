#include "filing/soapfilingresult.h"

#include "companion/core/datetimetext.h"

#include <QStringList>

SoapFilingResult::SoapFilingResult(int kind)
    : m_nKind(kind), m_strResultCode("-100"), m_strTime(GetCurTime(CurTimeLocal))
{
}

bool SoapFilingResult::isError184() const
{
    return m_strResultCode.left(3) == QLatin1String("184");
}

bool SoapFilingResult::chkResultCode() const
{
    static const QStringList kReturnRefusals = {"180", "181", "182", "183", "580",
                                                "581", "582", "587", "588", "589"};
    static const QStringList kOtherRefusals = {"480", "481"};
    const QString head = m_strResultCode.left(3);
    return (m_nKind == KindT1Return ? kReturnRefusals : kOtherRefusals).contains(head);
}
