#pragma once

#include "agencydata/records/boundedlist.h"
#include "agencydata/records/taxslip.h"
#include "companion/core/cstring.h"
#include "companion/core/numbertext.h"

#include <map>
#include <memory>
#include <mutex>
#include <cstdio>
#include <string>

class QSqlDatabase;
class TiXmlElement;

// Everything the agency's Auto-fill service returned for one taxpayer: the
// summary, the client data, the carry-forward amounts and the slips. Every
// value stays the text the agency sent; amounts are converted where they are
// used. The agency-data library parses, renders and stores the record; the
// return model reads it when the user applies it, through the members and
// the inline look-ups below.
//
// Each list keeps at most a fixed number of entries, well beyond what one
// taxpayer's data holds, so a runaway reply cannot exhaust memory; what lies
// beyond is counted (BoundedList::dropped), logged and said in the report.

namespace tddrecord {

// The year texts the agency sends may carry blanks around them (and so may
// the caller's), which must not make a year miss.
inline std::string trimmed(const std::string& text)
{
    const char* blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Lists hold some entries as they are and owned ones through a pointer.
template <class T>
const T& entryOf(const T& entry)
{
    return entry;
}
template <class T>
const T& entryOf(const std::unique_ptr<T>& entry)
{
    return *entry;
}

// The first entry whose year matches year (both trimmed); null when none
// does.
template <class List, class Entry>
const Entry* entryForYear(const List& list, const char* year, std::string Entry::*yearOf)
{
    if (!year)
        return nullptr;
    const std::string wanted = trimmed(year);
    for (const auto& entry : list) {
        const Entry& e = entryOf(entry);
        if (trimmed(e.*yearOf) == wanted)
            return &e;
    }
    return nullptr;
}

// The amount of the first entry whose year matches year; 0.0 when none does.
template <class List, class Entry>
double amountForYear(const List& list, const char* year, std::string Entry::*yearOf, std::string Entry::*amountOf)
{
    const Entry* e = entryForYear(list, year, yearOf);
    return e ? myStringToDouble(e->*amountOf) : 0.0;
}

} // namespace tddrecord

// One row of the RRSP contribution history.
struct StructRRSPHistory
{
    std::string taxYear;
    std::string undeductedContributions;
    std::string currentYearContributions;
    std::string totalAvailableContributions;
    std::string repaymentToHBPorLLP;
    std::string contributionsDeducted;
    std::string totalUnclaimedContributions;

    // True when the row carries no amount ("0", "0.00", "" and any text that
    // is not a number read as zero); its tax year is not looked at.
    bool isEmpty() const
    {
        for (const std::string* amount : {&undeductedContributions, &currentYearContributions,
                                          &totalAvailableContributions, &repaymentToHBPorLLP,
                                          &contributionsDeducted, &totalUnclaimedContributions}) {
            if (myStringToDouble(*amount) != 0.0)
                return false;
        }
        return true;
    }
};

// A required repayment of the Home Buyers' or the Lifelong Learning Plan:
// the year attribute and the element's own text.
struct StructRequiredRepayment
{
    std::string year;
    std::string amount;
};

struct _SummaryStruct
{
    static constexpr int kMaxUnfiledYears = 100;
    static constexpr int kMaxRRSPHistory = 100;
    static constexpr int kMaxRequiredRepayments = 10;

    std::string disabilityEligibilityCode;
    std::string postalCodeOnFile;
    std::string instalmentAmount;
    std::string trainingCreditLimit;
    std::string eiElectionForSelfEmployment;
    BoundedList<std::string, kMaxUnfiledYears> unfiledTaxYears;
    BoundedList<StructRRSPHistory, kMaxRRSPHistory> rrspHistory;
    BoundedList<StructRequiredRepayment, kMaxRequiredRepayments> hbpRequiredRepayments;
    std::string hbpOutstandingBalance;
    std::string hbpRequiredRepaymentRemaining;
    std::string hbpRepaymentToDate;
    std::string hbpUpdateDate;
    BoundedList<StructRequiredRepayment, kMaxRequiredRepayments> llpRequiredRepayments;
    std::string llpRepayableBalance;
    std::string llpRequiredRepaymentRemaining;
    std::string llpRepaymentToDate;
    std::string llpUpdateDate;
    std::string rrspUpdateDate;
    std::string rrspDeductionLimit;
    std::string rrspUnusedContributions;
    bool uncashedCheque = false;
    bool gstHstReturnOutstanding = false;
    bool managesOnlineMail = false;
    bool returnedMail = false;
    bool foreignPropertyDeclared = false;
    std::string electronicCorrespondencePreference;

    // The required repayment for a tax year: the first pair of that year.
    double getHBPRequiredRepaymentForYear(const char* year) const
    {
        return tddrecord::amountForYear(hbpRequiredRepayments, year, &StructRequiredRepayment::year,
                                        &StructRequiredRepayment::amount);
    }
    double getLLPRequiredRepaymentForYear(const char* year) const
    {
        return tddrecord::amountForYear(llpRequiredRepayments, year, &StructRequiredRepayment::year,
                                        &StructRequiredRepayment::amount);
    }
    // Whether the agency sent a required repayment for the year at all (an
    // absent year is not a repayment of 0).
    bool hasHBPRequiredRepaymentForYear(const char* year) const
    {
        return tddrecord::entryForYear(hbpRequiredRepayments, year, &StructRequiredRepayment::year) != nullptr;
    }
    bool hasLLPRequiredRepaymentForYear(const char* year) const
    {
        return tddrecord::entryForYear(llpRequiredRepayments, year, &StructRequiredRepayment::year) != nullptr;
    }
};

// One refund set-off: the program's code, ID and amount as sent, and the
// program's telephone from the set-off table.
struct StructRefundSetOff
{
    std::string programCode;
    std::string programID;
    std::string programAmount;
    std::string telephone;
};

struct StructReassessment
{
    std::string taxYear;
    std::string date;
};

struct _StructClient
{
    static constexpr int kMaxRefundSetOffs = 40;
    static constexpr int kMaxReassessments = 20;
    static constexpr int kMaxReassessmentYears = 20;
    static constexpr int kMaxUnfiledYears = 20;

    bool nonResidentSourceDeduction = false;
    bool bankrupt = false;
    bool canadaWorkersBenefit = false;
    bool refundExamination = false;
    bool onlineServiceRegistration = false;
    bool currentYearReturn = false;
    bool cebDebtOwing = false;
    std::string onlineServiceRegistrationCode;
    std::string emigrationDate;
    std::string immigrationDate;
    std::string disabilityEligibilityCode;
    std::string refundSetOffCode;
    BoundedList<StructRefundSetOff, kMaxRefundSetOffs> refundSetOffs;
    BoundedList<StructReassessment, kMaxReassessments> reassessments;
    bool reassessmentInProgress = false;
    BoundedList<std::string, kMaxReassessmentYears> reassessmentInProgressYears;
    BoundedList<std::string, kMaxUnfiledYears> unfiledTaxYears;
};

// Carry-forward entries: small records of texts, one per element received.
struct StructNonCapitalLoss
{
    std::string taxYear;
    std::string currentYearLoss;
    std::string priorYearLoss;
    std::string subsequentYearLoss;
};

struct StructCapitalGainLoss
{
    std::string taxYear;
    std::string inclusionRate;
    std::string taxableCapitalGain;
    std::string unappliedNetLoss;
    std::string priorYearNetLoss;
    std::string subsequentYearNetLoss;
};

struct StructCapitalGainDeduction
{
    std::string taxYear;
    std::string deduction;
    std::string netCapitalGainLoss;
    std::string netFarmPropertyDisposition;
    std::string netSmallBusinessShareDisposition;
};

struct StructTuitionCarryForward
{
    std::string taxYear;
    std::string carryForwardAvailable;
};

struct StructBusinessInvestmentLoss
{
    std::string taxYear; // the year attribute; "" when the agency sent none
    std::string lossAmount;
};

struct StructCarryOver
{
    static constexpr int kMaxLossesAndGains = 100;
    static constexpr int kMaxTuition = 20;
    static constexpr int kMaxBusinessInvestmentLosses = 20;

    BoundedList<std::unique_ptr<StructNonCapitalLoss>, kMaxLossesAndGains> nonCapitalLosses;
    BoundedList<std::unique_ptr<StructCapitalGainLoss>, kMaxLossesAndGains> capitalGainLosses;
    BoundedList<std::unique_ptr<StructCapitalGainDeduction>, kMaxLossesAndGains> capitalGainDeductions;
    BoundedList<std::unique_ptr<StructTuitionCarryForward>, kMaxTuition> federalTuition;
    BoundedList<std::unique_ptr<StructTuitionCarryForward>, kMaxTuition> provincialTuition;
    BoundedList<std::unique_ptr<StructBusinessInvestmentLoss>, kMaxBusinessInvestmentLosses>
        businessInvestmentLosses;

    // The tuition carry-forward available for a tax year: the first entry of
    // that year.
    double getFedTuitionForTaxYear(const char* year) const
    {
        return tddrecord::amountForYear(federalTuition, year, &StructTuitionCarryForward::taxYear,
                                        &StructTuitionCarryForward::carryForwardAvailable);
    }
    double getProvTuitionForTaxYear(const char* year) const
    {
        return tddrecord::amountForYear(provincialTuition, year, &StructTuitionCarryForward::taxYear,
                                        &StructTuitionCarryForward::carryForwardAvailable);
    }
    // Whether the agency sent a carry-forward for the year at all.
    bool hasFedTuitionForTaxYear(const char* year) const
    {
        return tddrecord::entryForYear(federalTuition, year, &StructTuitionCarryForward::taxYear) != nullptr;
    }
    bool hasProvTuitionForTaxYear(const char* year) const
    {
        return tddrecord::entryForYear(provincialTuition, year, &StructTuitionCarryForward::taxYear) != nullptr;
    }
};

struct TDDTaxDataOnePerson
{
    explicit TDDTaxDataOnePerson(int year = 0) : taxYear(year) {}
    virtual ~TDDTaxDataOnePerson() = default;
    // The record owns its entries and slips: a copy would share them.
    TDDTaxDataOnePerson(const TDDTaxDataOnePerson&) = delete;
    TDDTaxDataOnePerson& operator=(const TDDTaxDataOnePerson&) = delete;

    // A record holds at most this many slips.
    static constexpr int kMaxSlips = 2048;

    // Fills the record from one IndividualIncomeTaxDataItem element: 0, or
    // -1 when the item names no taxpayer (then nothing is filled). Meant to
    // run once, on a new record.
    int parseXMLData(TiXmlElement* item);
    // Takes the remark and the slips of a Slips element; the slip count after.
    int parseXMLDataForSlips(TiXmlElement* slipsElement);
    // Replaces html by the record's Auto-fill report, headed with the S.I.N.
    // and the time (Latin-1; null reads as ""). Always 0.
    int toHtml(CString& html, const char* sin, const char* time) const;
    // Stores the record under the taxpayer of sin (added when new) in place
    // of the taxpayer's earlier record, with itemXml as received and the
    // report, all in one transaction on db; the steps go to log (null: no
    // log). 1 when stored, 0 when not (the earlier record is then kept).
    int saveToSqliteDB(QSqlDatabase* db, FILE* log, const std::string& sin, const std::string& itemXml);

    // The telephone of a refund set-off program by its code ("" when the
    // set-off table lacks it), from the table at m_strSetOffCodeFilePath,
    // read once per process on first use, whichever thread comes first.
    static std::string GetPhoneForSetOffCode(const std::string& code);
    static void InitSetOffCodeMap();

    int slipCount() const { return slips.count(); }

    int taxYear = 0;
    std::string identifier;
    _SummaryStruct summary;
    _StructClient client;
    StructCarryOver carryOver;
    std::string remark;
    BoundedList<std::unique_ptr<TaxSlip>, kMaxSlips> slips;
    // Slip elements of a kind this program does not read: skipped, counted.
    int unknownSlipElements = 0;

    // Set it before the first look-up; later changes are not read.
    static CString m_strSetOffCodeFilePath;

private:
    static std::map<std::string, CString> m_SetOffCodeMap;
    static std::once_flag m_setOffCodeMapLoaded;
};
