// Forms that mirror the return: they take their figures from the return
// and keep only a little arithmetic of their own.

#include "companion/forms/federal/mirroring.h"

#include <QCryptographicHash>
#include <algorithm>
#include <cmath>

#include "companion/rules/money.h"

int TaxData_T1ANew::Calculate01()
{
    NonCapitalLoss.m_value = EmploymentLoss.m_value + InvestmentLoss.m_value + RentalLoss.m_value +
                             BusinessLoss.m_value + FarmingLoss.m_value;
    LossResult.m_value = std::max(0.0, CapitalLoss.m_value - CarryBack1.m_value - CarryBack2.m_value - CarryBack3.m_value);
    return 0;
}

void TaxData_T183New::getDCN(CString& dcn) const
{
    // A control number that identifies this return's signing: the S.I.N.'s
    // digits and the signing date make it unique per person and day; the
    // S.I.N. itself never appears in it.
    const QByteArray seed = (SIN.m_value + "|" + SignedDate.text()).toUtf8();
    const QByteArray digest = QCryptographicHash::hash(seed, QCryptographicHash::Sha256).toHex().left(12).toUpper();
    dcn = CString(QString::fromLatin1(digest));
}

int TaxData_T183New::Calculate01()
{
    DocumentControlNumber.m_value.clear();
    getDCN(DocumentControlNumber.m_value);
    return 0;
}

int TaxData_T1013New::Calculate01()
{
    // Level 1 lets the representative view, level 2 also change; nothing
    // else is valid.
    if (AuthorizationLevel.m_value != 1 && AuthorizationLevel.m_value != 2)
        AuthorizationLevel.m_value = 1;
    return 0;
}

int CTaxData_RC71::Calculate01()
{
    AmountPaid.m_value = std::max(0.0, AmountPaid.m_value);
    return 0;
}

int CTaxData_T1ADJ::Calculate01()
{
    RevisedAmount.m_value = PreviousAmount.m_value + Change.m_value;
    return 0;
}

bool TaxData_T1135New::isIndividual() const { return ReporterType.m_value == 0; }

namespace {
// One element with escaped text; empty values are left out.
QString element(const char* tag, const QString& value)
{
    if (value.isEmpty())
        return QString();
    return QStringLiteral("<t1135:%1>%2</t1135:%1>\n").arg(QLatin1String(tag), value.toHtmlEscaped());
}
QString amount(double value) { return QString::fromStdString(taxrules::formatAmount(value, 0)); }
}  // namespace

int TaxData_T1135New::getT1135XMLContent(CString& body, TemplateValueMap& values) const
{
    if (SIN.m_value.trimmed().isEmpty())
        return -1;
    QString xml = values["t1135part2"];
    xml += element("GivenName", GivenName.m_value.trimmed());
    xml += element("Initial", Initial.m_value.trimmed());
    xml += element("FamilyName", LastName.m_value.trimmed());
    xml += element("SocialInsuranceNumber", SIN.m_value.trimmed());
    xml += element("TaxationYearStartDate", PeriodStart.text());
    xml += element("TaxationYearEndDate", PeriodEnd.text());
    xml += element("AmendedIndicator", AmendedFlag.m_value ? QStringLiteral("1") : QStringLiteral("2"));
    xml += element("SimplifiedReportingIndicator", Indicator.m_value ? QStringLiteral("1") : QStringLiteral("2"));
    xml += element("FundsHeldOutsideCanada", amount(FundsHeldAbroad.m_value));
    xml += element("SharesOfNonResidentCorporations", amount(SharesNonResident.m_value));
    xml += element("IndebtednessOwedByNonResident", amount(IndebtednessNonResident.m_value));
    xml += element("InterestsInNonResidentTrusts", amount(TrustInterests.m_value));
    xml += element("RealPropertyOutsideCanada", amount(RealProperty.m_value));
    xml += element("OtherPropertyOutsideCanada", amount(OtherProperty.m_value));
    xml += element("IncomeFromSpecifiedForeignProperty", amount(IncomeTotal.m_value));
    xml += values["t1135part3"];
    body = CString(xml);
    return 0;
}
