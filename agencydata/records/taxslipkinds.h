#pragma once

#include "agencydata/records/taxslip.h"

#include <array>
#include <string>

// The twenty kinds of slip the agency's Auto-fill data holds. Each adds the
// texts its own reading takes from the slip element (as received, untrimmed;
// a member m_boxN also stands in the box map under key N) and fixes its slip
// type and box labels in its constructor.

class TaxSlipT4 : public TaxSlip
{
public:
    TaxSlipT4();
    int parseXMLData(TiXmlElement* slipElement) override;
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;

    std::string m_employerName;
    std::string m_province;         // box 10
    std::string m_cppQppExemptCode; // box 28, one of three codes
    std::string m_eiExemptCode;
    std::string m_ppipExemptCode;
};

class TaxSlipT4A : public TaxSlip
{
public:
    TaxSlipT4A();
    int parseXMLData(TiXmlElement* slipElement) override;
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;

    std::string m_payerName;
};

class TaxSlipT4AP : public TaxSlip
{
public:
    TaxSlipT4AP();
    int parseXMLData(TiXmlElement* slipElement) override;
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;

    std::string m_box13, m_box14, m_box15, m_box16, m_box17, m_box18, m_box19, m_box20, m_box21, m_box22,
        m_box23;
};

class TaxSlipT4RSP : public TaxSlip
{
public:
    TaxSlipT4RSP();
    int parseXMLData(TiXmlElement* slipElement) override;
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;

    std::string m_payerName;
    std::string m_box16, m_box18, m_box20, m_box22, m_box24, m_box25, m_box26, m_box27, m_box28, m_box30;
};

class TaxSlipT4E : public TaxSlip
{
public:
    TaxSlipT4E();
    int parseXMLData(TiXmlElement* slipElement) override;
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;

    std::string m_box7, m_box14, m_box15, m_box17, m_box18, m_box20, m_box21, m_box22, m_box23, m_box26,
        m_box30, m_box33, m_box37;
};

class TaxSlipT4AOAS : public TaxSlip
{
public:
    TaxSlipT4AOAS();
    int parseXMLData(TiXmlElement* slipElement) override;
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;

    std::string m_box18, m_box19, m_box20, m_box21, m_box22, m_box23;
};

class TaxSlipT4RIF : public TaxSlip
{
public:
    TaxSlipT4RIF();
    int parseXMLData(TiXmlElement* slipElement) override;
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;

    std::string m_payerName;
};

// Its amounts may be in a foreign currency (box 27): copied as they are,
// and named for the user to convert.
class TaxSlipT5 : public TaxSlip
{
public:
    TaxSlipT5();
    int parseXMLData(TiXmlElement* slipElement) override;
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;
    void appendCopyNotes(std::list<CString>& notes) const override;

    std::string m_payerName;
};

class TaxSlipT3 : public TaxSlip
{
public:
    TaxSlipT3();
    int parseXMLData(TiXmlElement* slipElement) override;
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;

    std::string m_trustName;
    std::string m_box21, m_box23, m_box25, m_box26, m_box30, m_box32, m_box34, m_box39, m_box49, m_box50,
        m_box51;
};

class TaxSlipT5007 : public TaxSlip
{
public:
    TaxSlipT5007();
    int parseXMLData(TiXmlElement* slipElement) override;
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;

    std::string m_payerName;
    std::string m_box10, m_box11;
};

// Its issuer element is not taken as the issuer: the partnership is named by
// its PayerName. Only the partnership and its share (box 5) reach the
// return; the amounts of boxes 10, 20, 30 and 40 are named for the user.
class TaxSlipT5013 : public TaxSlip
{
public:
    TaxSlipT5013();
    int parseNoneBoxTagValue(const char* name, const char* text) override;
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;
    void appendCopyNotes(std::list<CString>& notes) const override;

    std::string m_payerName;
};

class TaxSlipRC62 : public TaxSlip
{
public:
    TaxSlipRC62();
    int parseXMLData(TiXmlElement* slipElement) override;
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;

    std::string m_box10, m_box12;
};

// Its two boxes are shown from the box map; it has nothing of its own.
class TaxSlipRC210 : public TaxSlip
{
public:
    TaxSlipRC210();
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;
};

// No slip object in the return: an apply turns it into a Schedule 3 row.
class TaxSlipT5008 : public TaxSlip
{
public:
    TaxSlipT5008();
    const char* getName() const override;
    int parseXMLData(TiXmlElement* slipElement) override;
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;

    std::string m_box11, m_box13, m_box15, m_box16, m_box17, m_box18, m_box19, m_box20, m_box21, m_box22,
        m_box23;
};

// No slip object in the return: an apply sums it into the RRSP schedule.
class TaxSlipRRSPReceipt : public TaxSlip
{
public:
    TaxSlipRRSPReceipt();
    const char* getName() const override;
    int parseXMLData(TiXmlElement* slipElement) override;
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;

    std::string m_receiptIssuerName;
    std::string m_rrspNumber;
    std::string m_rrspContractNumber;
    std::string m_spouseContributionIndicator;
    std::string m_priorYearAmount;
    std::string m_currentYearAmount;
};

class TaxSlipMBRentalAssistSlip : public TaxSlip
{
public:
    TaxSlipMBRentalAssistSlip();
    int parseXMLData(TiXmlElement* slipElement) override;
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;

    std::string m_payerName;
    std::string m_shelterBenefitAmount;
};

class TaxSlipPRPP : public TaxSlip
{
public:
    TaxSlipPRPP();
    int parseXMLData(TiXmlElement* slipElement) override;
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;

    std::string m_contractNumber;
    std::string m_employeeCurrentYearAmount;
    std::string m_employeeCurrentYearExemptAmount;
    std::string m_employerAmount;
    std::string m_employeePriorYearAmount;
    std::string m_employeePriorYearExemptAmount;
    std::string m_versionDescription;
};

class TaxSlipT1204 : public TaxSlip
{
public:
    TaxSlipT1204();
    int parseXMLData(TiXmlElement* slipElement) override;
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;

    std::string m_payerName;
    std::string m_box82, m_box84;
};

// The school's name is the common issuer; its boxes 10 to 15 and 24 to 26
// stay in the box map. Each tuition session keeps five texts.
class TaxSlipT2202 : public TaxSlip
{
public:
    static constexpr int kMaxSessions = 4;
    using SessionTexts = std::array<std::string, kMaxSessions>;

    TaxSlipT2202();
    int parseXMLData(TiXmlElement* slipElement) override;
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;

    int m_sessionCount = 0;
    SessionTexts m_fromPeriod;
    SessionTexts m_toPeriod;
    SessionTexts m_partTimeMonths;
    SessionTexts m_fullTimeMonths;
    SessionTexts m_eligibleFees;
};

class TaxSlipT4FHSA : public TaxSlip
{
public:
    TaxSlipT4FHSA();
    int parseXMLData(TiXmlElement* slipElement) override;
    int toHtml(CString& out, int n) const override;
    int copyToSlipData(CTaxData_Form* target) override;

    std::string m_payerName;
};
