// Each kind's own reading of its slip element, after the common one: the
// children it keeps as members, by box number or by the end of their names.
#include "agencydata/records/taxslipkinds.h"

#include "agencydata/slipchildren.h"
#include "companion/core/xmlreader.h"

#include <tinyxml.h>

#include <cstring>

namespace {

bool isBox(const SlipChild& child, const char* key)
{
    return child.boxNumber && std::strcmp(child.boxNumber, key) == 0;
}

// The kinds named by a payer element without a box number.
template <class Slip>
void takePayerName(Slip& slip, const std::vector<SlipChild>& children)
{
    static const NamedMember<Slip> payer[] = {{"PayerName", &Slip::m_payerName}};
    takeNamedMembers(slip, children, ChildrenTaken::WithoutBoxNumber, payer);
}

} // namespace

int TaxSlipT4::parseXMLData(TiXmlElement* slipElement)
{
    // Box 28 holds three exemption codes, told apart by their element names.
    static const NamedMember<TaxSlipT4> box28Codes[] = {
        {"CPPQPPExemptCode", &TaxSlipT4::m_cppQppExemptCode},
        {"EmploymentInsurancePremiumExemptCode", &TaxSlipT4::m_eiExemptCode},
        {"ProvincialParentalInsurancePlanExemptCode", &TaxSlipT4::m_ppipExemptCode},
    };
    static const NamedMember<TaxSlipT4> employer[] = {{"EmployerName", &TaxSlipT4::m_employerName}};
    for (const SlipChild& child : slipChildren(slipElement)) {
        if (!child.boxNumber)
            takeNamedMember(*this, child, employer);
        else if (isBox(child, "10"))
            m_province = child.text;
        else if (isBox(child, "28"))
            takeNamedMember(*this, child, box28Codes);
    }
    return 0;
}

int TaxSlipT4A::parseXMLData(TiXmlElement* slipElement)
{
    takePayerName(*this, slipChildren(slipElement));
    return 0;
}

int TaxSlipT5::parseXMLData(TiXmlElement* slipElement)
{
    takePayerName(*this, slipChildren(slipElement));
    return 0;
}

int TaxSlipT4RIF::parseXMLData(TiXmlElement* slipElement)
{
    takePayerName(*this, slipChildren(slipElement));
    return 0;
}

int TaxSlipT4RSP::parseXMLData(TiXmlElement* slipElement)
{
    using S = TaxSlipT4RSP;
    static const BoxMember<S> boxes[] = {
        {"16", &S::m_box16}, {"18", &S::m_box18}, {"20", &S::m_box20}, {"22", &S::m_box22},
        {"24", &S::m_box24}, {"25", &S::m_box25}, {"26", &S::m_box26}, {"27", &S::m_box27},
        {"28", &S::m_box28}, {"30", &S::m_box30},
    };
    const std::vector<SlipChild> children = slipChildren(slipElement);
    takePayerName(*this, children);
    takeBoxMembers(*this, children, boxes);
    return 0;
}

int TaxSlipT3::parseXMLData(TiXmlElement* slipElement)
{
    using S = TaxSlipT3;
    static const NamedMember<S> trust[] = {{"TrustName", &S::m_trustName}};
    static const BoxMember<S> boxes[] = {
        {"21", &S::m_box21}, {"23", &S::m_box23}, {"25", &S::m_box25}, {"26", &S::m_box26},
        {"30", &S::m_box30}, {"32", &S::m_box32}, {"34", &S::m_box34}, {"39", &S::m_box39},
        {"49", &S::m_box49}, {"50", &S::m_box50}, {"51", &S::m_box51},
    };
    const std::vector<SlipChild> children = slipChildren(slipElement);
    takeNamedMembers(*this, children, ChildrenTaken::WithoutBoxNumber, trust);
    takeBoxMembers(*this, children, boxes);
    return 0;
}

int TaxSlipT5007::parseXMLData(TiXmlElement* slipElement)
{
    using S = TaxSlipT5007;
    static const BoxMember<S> boxes[] = {{"10", &S::m_box10}, {"11", &S::m_box11}};
    const std::vector<SlipChild> children = slipChildren(slipElement);
    takePayerName(*this, children);
    takeBoxMembers(*this, children, boxes);
    return 0;
}

int TaxSlipT1204::parseXMLData(TiXmlElement* slipElement)
{
    using S = TaxSlipT1204;
    static const BoxMember<S> boxes[] = {{"82", &S::m_box82}, {"84", &S::m_box84}};
    const std::vector<SlipChild> children = slipChildren(slipElement);
    takePayerName(*this, children);
    takeBoxMembers(*this, children, boxes);
    return 0;
}

int TaxSlipT4AP::parseXMLData(TiXmlElement* slipElement)
{
    using S = TaxSlipT4AP;
    static const BoxMember<S> boxes[] = {
        {"13", &S::m_box13}, {"14", &S::m_box14}, {"15", &S::m_box15}, {"16", &S::m_box16},
        {"17", &S::m_box17}, {"18", &S::m_box18}, {"19", &S::m_box19}, {"20", &S::m_box20},
        {"21", &S::m_box21}, {"22", &S::m_box22}, {"23", &S::m_box23},
    };
    takeBoxMembers(*this, slipChildren(slipElement), boxes);
    return 0;
}

int TaxSlipT4E::parseXMLData(TiXmlElement* slipElement)
{
    using S = TaxSlipT4E;
    static const BoxMember<S> boxes[] = {
        {"7", &S::m_box7},   {"14", &S::m_box14}, {"15", &S::m_box15}, {"17", &S::m_box17},
        {"18", &S::m_box18}, {"20", &S::m_box20}, {"21", &S::m_box21}, {"22", &S::m_box22},
        {"23", &S::m_box23}, {"26", &S::m_box26}, {"30", &S::m_box30}, {"33", &S::m_box33},
        {"37", &S::m_box37},
    };
    takeBoxMembers(*this, slipChildren(slipElement), boxes);
    return 0;
}

int TaxSlipT4AOAS::parseXMLData(TiXmlElement* slipElement)
{
    using S = TaxSlipT4AOAS;
    static const BoxMember<S> boxes[] = {
        {"18", &S::m_box18}, {"19", &S::m_box19}, {"20", &S::m_box20},
        {"21", &S::m_box21}, {"22", &S::m_box22}, {"23", &S::m_box23},
    };
    takeBoxMembers(*this, slipChildren(slipElement), boxes);
    return 0;
}

int TaxSlipRC62::parseXMLData(TiXmlElement* slipElement)
{
    using S = TaxSlipRC62;
    static const BoxMember<S> boxes[] = {{"10", &S::m_box10}, {"12", &S::m_box12}};
    takeBoxMembers(*this, slipChildren(slipElement), boxes);
    return 0;
}

int TaxSlipT5008::parseXMLData(TiXmlElement* slipElement)
{
    using S = TaxSlipT5008;
    static const BoxMember<S> boxes[] = {
        {"11", &S::m_box11}, {"13", &S::m_box13}, {"15", &S::m_box15}, {"16", &S::m_box16},
        {"17", &S::m_box17}, {"18", &S::m_box18}, {"19", &S::m_box19}, {"20", &S::m_box20},
        {"21", &S::m_box21}, {"22", &S::m_box22}, {"23", &S::m_box23},
    };
    takeBoxMembers(*this, slipChildren(slipElement), boxes);
    return 0;
}

int TaxSlipT5013::parseNoneBoxTagValue(const char* name, const char* text)
{
    // The partnership is named by PayerName; an IssuerName is not taken.
    if (nameEndsWith(name, "PayerName"))
        m_payerName = text;
    return 0;
}

// The next four kinds name their values by element only: a child is taken
// by its name whether or not it carries a box number.

int TaxSlipRRSPReceipt::parseXMLData(TiXmlElement* slipElement)
{
    using S = TaxSlipRRSPReceipt;
    static const NamedMember<S> members[] = {
        {"IssuerName", &S::m_receiptIssuerName},
        {"RRSPNumber", &S::m_rrspNumber},
        {"RRSPContractNumber", &S::m_rrspContractNumber},
        {"RRSPSpouseContributionIndicator", &S::m_spouseContributionIndicator},
        {"PriorYearRRSPContributionAmount", &S::m_priorYearAmount},
        {"CurrentYearRRSPContributionAmount", &S::m_currentYearAmount},
    };
    takeNamedMembers(*this, slipChildren(slipElement), ChildrenTaken::All, members);
    return 0;
}

int TaxSlipMBRentalAssistSlip::parseXMLData(TiXmlElement* slipElement)
{
    using S = TaxSlipMBRentalAssistSlip;
    static const NamedMember<S> members[] = {
        {"PayerName", &S::m_payerName},
        {"ManitobaShelterBenefitAmount", &S::m_shelterBenefitAmount},
    };
    takeNamedMembers(*this, slipChildren(slipElement), ChildrenTaken::All, members);
    return 0;
}

int TaxSlipPRPP::parseXMLData(TiXmlElement* slipElement)
{
    using S = TaxSlipPRPP;
    static const NamedMember<S> members[] = {
        {"EmployeeCurrentYearPooledRegisteredPensionPlanContributionAmount", &S::m_employeeCurrentYearAmount},
        {"EmployeeCurrentYearTaxExemptIncomePooledRegisteredPensionPlanContributionAmount",
         &S::m_employeeCurrentYearExemptAmount},
        {"EmployeePriorYearPooledRegisteredPensionPlanContributionAmount", &S::m_employeePriorYearAmount},
        {"EmployeePriorYearTaxExemptIncomePooledRegisteredPensionPlanContributionAmount",
         &S::m_employeePriorYearExemptAmount},
        {"EmployerPooledRegisteredPensionPlanContributionAmount", &S::m_employerAmount},
        {"PooledRegisteredPensionPlanContractNumber", &S::m_contractNumber},
        {"SlipVersionDescription", &S::m_versionDescription},
    };
    takeNamedMembers(*this, slipChildren(slipElement), ChildrenTaken::All, members);
    return 0;
}

int TaxSlipT4FHSA::parseXMLData(TiXmlElement* slipElement)
{
    static const NamedMember<TaxSlipT4FHSA> payer[] = {{"IssuerPayerName", &TaxSlipT4FHSA::m_payerName}};
    takeNamedMembers(*this, slipChildren(slipElement), ChildrenTaken::All, payer);
    return 0;
}

int TaxSlipT2202::parseXMLData(TiXmlElement* slipElement)
{
    // Only elements named as sessions are sessions: anything else the list
    // holds is passed over, and a fifth session and beyond are dropped.
    MyTiXmlHandle session =
        MyTiXmlHandle(slipElement).FirstChildElement("TuitionSessionPeriods").FirstChildElement("TuitionSessionPeriod");
    for (; session.ToElement() && m_sessionCount < kMaxSessions;
         session = session.NextSiblingElement("TuitionSessionPeriod")) {
        const TiXmlElement* period = session.ToElement();
        const int k = m_sessionCount;
        m_fromPeriod[k] = getElementSubEleStringText(period, "FromPeriod");
        m_toPeriod[k] = getElementSubEleStringText(period, "ToPeriod");
        m_partTimeMonths[k] = getElementSubEleStringText(period, "PartTimeMonthCount");
        m_fullTimeMonths[k] = getElementSubEleStringText(period, "FullTimeMonthCount");
        m_eligibleFees[k] = getElementSubEleStringText(period, "TuitionSessionEligibleFeesAmount");
        ++m_sessionCount;
    }
    return 0;
}
