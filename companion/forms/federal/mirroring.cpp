// Forms that mirror the return: they take their figures from the return
// and keep only a little arithmetic of their own.

#include "companion/forms/federal/mirroring.h"

#include <QCryptographicHash>
#include <algorithm>
#include <cmath>

#include "companion/core/sincheck.h"
#include "companion/core/templatefill.h"
#include "companion/core/xmlwrite.h"
#include "companion/forms/formeventcodes.h"
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

std::vector<CTaxData_Form::PageAction> TaxData_T183New::pageActions() const
{
    return {{"ESignRequestId", "btnPrintForDelivery", "Print for E-Delivery", FORMEVENT_SUBMIT_T183, 0},
            {"ESignRequestId", "btnCheckESignStatus", "Check E-Signature Status", FORMEVENT_T183_TIME, 0}};
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

std::vector<CTaxData_Form::PageAction> CTaxData_RC71::pageActions() const
{
    return {{"ESignRequestId", "btnPrintForDelivery", "Print for E-Delivery", FORMEVENT_SUBMIT_RC71, 0},
            {"ESignRequestId", "btnCheckESignStatus", "Check E-Signature Status", FORMEVENT_RC71_TIME, 0}};
}

int CTaxData_T1ADJ::Calculate01()
{
    RevisedAmount.m_value = PreviousAmount.m_value + Change.m_value;
    return 0;
}

bool TaxData_T1135New::isIndividual() const { return ReporterType.m_value == 0; }

namespace {

// The property categories of the statement: element and field, in the
// statement's order. A category without an amount is not sent.
struct T1135Category
{
    const char* element;
    CFloatField TaxData_T1135New::*amount;
};

const T1135Category kT1135Categories[] = {
    {"t1135:FundsHeldOutsideCanadaAmount", &TaxData_T1135New::FundsHeldAbroad},
    {"t1135:NonResidentCorporationSharesAmount", &TaxData_T1135New::SharesNonResident},
    {"t1135:NonResidentIndebtednessAmount", &TaxData_T1135New::IndebtednessNonResident},
    {"t1135:NonResidentTrustInterestAmount", &TaxData_T1135New::TrustInterests},
    {"t1135:RealPropertyOutsideCanadaAmount", &TaxData_T1135New::RealProperty},
    {"t1135:OtherPropertyOutsideCanadaAmount", &TaxData_T1135New::OtherProperty},
};

CString dateText(const CDateField& date)
{
    return date.IsValid() ? CString(date.m_value.toString(QStringLiteral("yyyy-MM-dd"))) : CString();
}

CString wholeDollars(double amount) { return CString(QString::fromStdString(taxrules::formatAmount(amount, 0))); }

// Fills one template text held in values under key; its result.
int fillPart(const TemplateValueMap& values, const char* key, std::string& out)
{
    const auto found = values.find(key);
    if (found == values.end())
        return TemplateNotLoaded;
    return fillTemplateText(out, found->second.toStdString(), values, TemplateRequestPart);
}

} // namespace

int TaxData_T1135New::getT1135XMLContent(CString& body, TemplateValueMap& values) const
{
    body = CString();
    values.setText("firstname", GivenName.m_value.trimmed());
    values.setText("lastname", LastName.m_value.trimmed());
    if (!SIN.m_value.trimmed().isEmpty())
        values.setText("sin", CString(QString::fromStdString(normaliseSIN(SIN.m_value.trimmed().toUtf8().constData()))));
    values.setText("selfemp", SelfEmployed.m_value != 0 ? "1" : "2");
    values.setText("street", Address.m_value.trimmed());
    values.setText("city", City.m_value.trimmed());
    values.setText("prov", Province.m_value.trimmed());
    values.setText("postcode", PostalCode.m_value.trimmed().remove(QLatin1Char(' ')).toUpper());
    if (!Country.m_value.trimmed().isEmpty())
        values.setText("country", Country.m_value.trimmed());
    values.setText("startdate", dateText(PeriodStart));
    values.setText("enddate", dateText(PeriodEnd));
    if (AmendedFlag.m_value != 0)
        values.setText("amended", "1");

    std::string xml;
    int result = fillPart(values, "t1135part2", xml);
    if (result != TemplateFilled)
        return result;
    CString categories;
    writeXMLOpenTagString(categories, "t1135:PropertyCategoryData");
    writeXMLString(categories, "t1135:ReportingMethodCode", Indicator.m_value != 0 ? CString("1") : CString("2"));
    for (const T1135Category& category : kT1135Categories) {
        const double amount = (this->*category.amount).m_value;
        if (taxrules::isPresentAmount(amount))
            writeXMLString(categories, category.element, wholeDollars(amount));
    }
    if (taxrules::isPresentAmount(IncomeTotal.m_value))
        writeXMLString(categories, "t1135:SpecifiedForeignPropertyIncomeAmount", wholeDollars(IncomeTotal.m_value));
    writeXMLCloseTagString(categories, "t1135:PropertyCategoryData");
    xml += categories.toStdString();
    result = fillPart(values, "t1135part3", xml);
    if (result != TemplateFilled)
        return result;
    body = CString(QString::fromStdString(xml));
    return 0;
}

bool TaxData_T1135New::Validate(unsigned char, std::list<CString>& messages)
{
    const size_t before = messages.size();
    auto refuse = [&messages](const char* text) { messages.push_back(CString(text)); };
    if (GivenName.m_value.trimmed().isEmpty() || LastName.m_value.trimmed().isEmpty())
        refuse("Form T1135: enter the first and last name of the person filing the statement.");
    if (!CheckSIN(SIN.m_value.toUtf8().constData()))
        refuse("Form T1135: the social insurance number is not valid.");
    if (Address.m_value.trimmed().isEmpty() || City.m_value.trimmed().isEmpty() || Province.m_value.trimmed().isEmpty()
        || PostalCode.m_value.trimmed().isEmpty())
        refuse("Form T1135: enter the address, city, province and postal code.");
    if (!PeriodStart.IsValid() || !PeriodEnd.IsValid() || PeriodEnd.m_value < PeriodStart.m_value)
        refuse("Form T1135: enter the tax year's start and end dates, the end not before the start.");
    bool anyCategory = false, anyNegative = false;
    for (const T1135Category& category : kT1135Categories) {
        const double amount = (this->*category.amount).m_value;
        anyNegative = anyNegative || taxrules::isNegativeAmount(amount);
        anyCategory = anyCategory || taxrules::isPositiveAmount(amount);
    }
    if (anyNegative)
        refuse("Form T1135: a cost amount cannot be negative.");
    if (!anyCategory)
        refuse("Form T1135: enter the cost of at least one category of specified foreign property.");
    return messages.size() != before;
}
