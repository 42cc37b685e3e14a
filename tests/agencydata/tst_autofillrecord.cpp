// The Auto-fill record of one taxpayer read from small items: the
// identifier, every section, the lists with their capacities and the year
// look-ups the return model uses.
#include <QtTest>

#include "agencydata/recordlists.h"
#include "agencydata/records/tddtaxdataoneperson.h"
#include "itemxml.h"
#include "recordfixtures.h"

#include <type_traits>

using namespace itemxml;
using namespace recordfixtures;

using Field = std::function<QString(const TDDTaxDataOnePerson&)>;
using Lookup = std::function<double(const TDDTaxDataOnePerson&, const char*)>;
Q_DECLARE_METATYPE(Field)
Q_DECLARE_METATYPE(Lookup)
Q_DECLARE_METATYPE(RecordList)

static_assert(!std::is_copy_constructible<TDDTaxDataOnePerson>::value, "the record owns its entries and slips");
static_assert(!std::is_copy_assignable<TDDTaxDataOnePerson>::value, "the record owns its entries and slips");

namespace {

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

QString yesNo(bool flag)
{
    return flag ? "yes" : "no";
}

// Every text the record holds outside its lists.
QStringList everyText(const TDDTaxDataOnePerson& r)
{
    const _SummaryStruct& s = r.summary;
    const _StructClient& c = r.client;
    QStringList texts;
    for (const std::string* t :
         {&s.disabilityEligibilityCode, &s.postalCodeOnFile, &s.instalmentAmount, &s.trainingCreditLimit,
          &s.eiElectionForSelfEmployment, &s.hbpOutstandingBalance, &s.hbpRequiredRepaymentRemaining,
          &s.hbpRepaymentToDate, &s.hbpUpdateDate, &s.llpRepayableBalance, &s.llpRequiredRepaymentRemaining,
          &s.llpRepaymentToDate, &s.llpUpdateDate, &s.rrspUpdateDate, &s.rrspDeductionLimit,
          &s.rrspUnusedContributions, &s.electronicCorrespondencePreference, &c.onlineServiceRegistrationCode,
          &c.emigrationDate, &c.immigrationDate, &c.disabilityEligibilityCode, &c.refundSetOffCode, &r.remark})
        texts << text(*t);
    return texts;
}

QList<bool> everyFlag(const TDDTaxDataOnePerson& r)
{
    const _SummaryStruct& s = r.summary;
    const _StructClient& c = r.client;
    return {s.uncashedCheque,       s.gstHstReturnOutstanding, s.managesOnlineMail,
            s.returnedMail,         s.foreignPropertyDeclared, c.nonResidentSourceDeduction,
            c.bankrupt,             c.canadaWorkersBenefit,    c.refundExamination,
            c.onlineServiceRegistration, c.currentYearReturn,  c.cebDebtOwing,
            c.reassessmentInProgress};
}

void verifyEmpty(const TDDTaxDataOnePerson& record)
{
    for (const QString& t : everyText(record))
        QVERIFY2(t.isEmpty(), qPrintable(t));
    for (bool flag : everyFlag(record))
        QVERIFY(!flag);
    for (const RecordListInfo& list : recordLists()) {
        const ListCounts counts = list.counts(record);
        QVERIFY2(counts.kept == 0 && counts.dropped == 0, list.what);
    }
    QCOMPARE(record.unknownSlipElements, 0);
}

QByteArray unfiledYears(int count)
{
    return el("Summary", el("UnfiledReturn", repeated(count, [](int i) {
                                return el("TaxYear", QByteArray::number(1900 + i));
                            })));
}

QByteArray setOffs(int count)
{
    // Codes in turn: one in the table, one padded in the table, one absent.
    static const char* codes[] = {"PSED", "CSC", "NOPE"};
    return el("Client", el("RefundSetOffs", repeated(count, [](int i) {
                               return el("RefundSetoff", el("RefundSetoffProgramCode", codes[i % 3]) +
                                                             el("RefundSetoffProgramID", QByteArray::number(i)) +
                                                             el("RefundSetoffProgramAmount", "10.00"));
                           })));
}

} // namespace

class TestAutoFillRecord : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_setOffDir;

private slots:
    void initTestCase() { QVERIFY(useSetOffTableIn(m_setOffDir)); }

    void identifierAlone()
    {
        TDDTaxDataOnePerson record(2024);
        QCOMPARE(parseItem(item(identifier("abc123")), record), 0);
        QCOMPARE(record.identifier, std::string("abc123"));
        QCOMPARE(record.taxYear, 2024);
        verifyEmpty(record);
    }

    void noIdentifierFillsNothing()
    {
        TDDTaxDataOnePerson record(2024);
        QCOMPARE(parseItem(item(fullSummary() + fullClient() + fullCarryOver() +
                                el("Slips", el("T4Slip", el("SlipTaxYear", "2024")), "remark=\"r\"")),
                           record),
                 -1);
        QVERIFY(record.identifier.empty());
        verifyEmpty(record);
    }

    void everySectionRead_data()
    {
        QTest::addColumn<Field>("field");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, Field field, const char* expected) {
            QTest::newRow(name) << field << QString(expected);
        };
        using R = const TDDTaxDataOnePerson&;
        row("summary disability", [](R r) { return text(r.summary.disabilityEligibilityCode); }, "DTC1");
        row("postal code", [](R r) { return text(r.summary.postalCodeOnFile); }, "K1A 0B1");
        row("instalment", [](R r) { return text(r.summary.instalmentAmount); }, "1200.00");
        row("training limit", [](R r) { return text(r.summary.trainingCreditLimit); }, "500.00");
        row("EI election", [](R r) { return text(r.summary.eiElectionForSelfEmployment); }, "N");
        row("unfiled years", [](R r) { return text(r.summary.unfiledTaxYears[0] + r.summary.unfiledTaxYears[1]); },
            "20212022");
        row("RRSP row", [](R r) {
                const StructRRSPHistory& h = r.summary.rrspHistory[0];
                return text(h.taxYear + "|" + h.undeductedContributions + h.currentYearContributions +
                            h.totalAvailableContributions + h.repaymentToHBPorLLP + h.contributionsDeducted +
                            h.totalUnclaimedContributions);
            }, "2023|123456");
        // "1", "Y" and "true" are yes; "2" (the agency's no) and "N" are no.
        row("summary flags", [](R r) {
                const _SummaryStruct& s = r.summary;
                return QStringList{yesNo(s.uncashedCheque), yesNo(s.gstHstReturnOutstanding),
                                   yesNo(s.managesOnlineMail), yesNo(s.returnedMail),
                                   yesNo(s.foreignPropertyDeclared)}.join(',');
            }, "yes,no,yes,no,yes");
        row("correspondence", [](R r) { return text(r.summary.electronicCorrespondencePreference); }, "E");
        row("HBP", [](R r) {
                const _SummaryStruct& s = r.summary;
                return text(s.hbpUpdateDate + "|" + s.hbpOutstandingBalance + "|" + s.hbpRequiredRepaymentRemaining +
                            "|" + s.hbpRepaymentToDate + "|" + s.hbpRequiredRepayments[0].year + "=" +
                            s.hbpRequiredRepayments[0].amount);
            }, "2024-02-01|9000.00|600.00|3000.00|2024=600.00");
        row("LLP", [](R r) {
                const _SummaryStruct& s = r.summary;
                return text(s.llpUpdateDate + "|" + s.llpRepayableBalance + "|" + s.llpRequiredRepaymentRemaining +
                            "|" + s.llpRepaymentToDate + "|" + s.llpRequiredRepayments[0].year + "=" +
                            s.llpRequiredRepayments[0].amount);
            }, "2024-02-02|4000.00|400.00|800.00|2024=400.00");
        row("RRSP", [](R r) {
                const _SummaryStruct& s = r.summary;
                return text(s.rrspUpdateDate + "|" + s.rrspDeductionLimit + "|" + s.rrspUnusedContributions);
            }, "2024-03-01|18000.00|250.00");
        row("client flags", [](R r) {
                const _StructClient& c = r.client;
                return QStringList{yesNo(c.nonResidentSourceDeduction), yesNo(c.bankrupt),
                                   yesNo(c.canadaWorkersBenefit), yesNo(c.refundExamination),
                                   yesNo(c.onlineServiceRegistration), yesNo(c.currentYearReturn),
                                   yesNo(c.cebDebtOwing), yesNo(c.reassessmentInProgress)}.join(',');
            }, "yes,no,yes,no,yes,no,yes,yes");
        row("client texts", [](R r) {
                const _StructClient& c = r.client;
                return text(c.onlineServiceRegistrationCode + "|" + c.emigrationDate + "|" + c.immigrationDate +
                            "|" + c.disabilityEligibilityCode + "|" + c.refundSetOffCode);
            }, "R1|2020-01-02|2010-03-04|DTC2|S");
        row("reassessment", [](R r) {
                return text(r.client.reassessments[0].taxYear + "|" + r.client.reassessments[0].date);
            }, "2022|2023-05-06");
        row("set-off", [](R r) {
                const StructRefundSetOff& s = r.client.refundSetOffs[0];
                return text(s.programCode + "|" + s.programID + "|" + s.programAmount + "|" + s.telephone);
            }, "PFRA|77|150.00|Toll-Free       800-282-6249 Ext      ");
        row("in-progress and client unfiled years", [](R r) {
                return text(r.client.reassessmentInProgressYears[0] + "|" + r.client.unfiledTaxYears[0]);
            }, "2021|2019");
        row("non-capital loss", [](R r) {
                const StructNonCapitalLoss& e = *r.carryOver.nonCapitalLosses[0];
                return text(e.taxYear + "|" + e.currentYearLoss + "|" + e.priorYearLoss + "|" + e.subsequentYearLoss);
            }, "2019|1000|200|300");
        row("capital gain/loss", [](R r) {
                const StructCapitalGainLoss& e = *r.carryOver.capitalGainLosses[0];
                return text(e.taxYear + "|" + e.inclusionRate + "|" + e.taxableCapitalGain + "|" + e.unappliedNetLoss +
                            "|" + e.priorYearNetLoss + "|" + e.subsequentYearNetLoss);
            }, "2018|50|400|500|60|70");
        row("capital gain deduction", [](R r) {
                const StructCapitalGainDeduction& e = *r.carryOver.capitalGainDeductions[0];
                return text(e.taxYear + "|" + e.deduction + "|" + e.netCapitalGainLoss + "|" +
                            e.netFarmPropertyDisposition + "|" + e.netSmallBusinessShareDisposition);
            }, "2017|800|900|10|20");
        row("tuition", [](R r) {
                return text(r.carryOver.federalTuition[0]->taxYear + "=" +
                            r.carryOver.federalTuition[0]->carryForwardAvailable + "|" +
                            r.carryOver.provincialTuition[0]->taxYear + "=" +
                            r.carryOver.provincialTuition[0]->carryForwardAvailable);
            }, "2023=1500|2022=700");
        // The second loss has no year attribute: an empty year.
        row("business investment losses", [](R r) {
                const auto& losses = r.carryOver.businessInvestmentLosses;
                return text(losses[0]->taxYear + "=" + losses[0]->lossAmount + "|" + losses[1]->taxYear + "=" +
                            losses[1]->lossAmount);
            }, "2016=4000|=50");
    }

    void everySectionRead()
    {
        QFETCH(Field, field);
        QFETCH(QString, expected);
        TDDTaxDataOnePerson record(2024);
        QCOMPARE(parseItem(item(identifier() + fullSummary() + fullClient() + fullCarryOver()), record), 0);
        QCOMPARE(field(record), expected);
    }

    void missingPlansLeaveTheirMembersEmpty()
    {
        TDDTaxDataOnePerson record(2024);
        QCOMPARE(parseItem(item(identifier() + el("Summary", el("InstalmentAmount", "5"))), record), 0);
        QCOMPARE(record.summary.instalmentAmount, std::string("5"));
        // The instalment aside, nothing else was sent.
        record.summary.instalmentAmount.clear();
        verifyEmpty(record);
    }

    void yearLookups_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<Lookup>("lookup");
        QTest::addColumn<QString>("year");
        QTest::addColumn<double>("expected");
        const QByteArray hbp = el("Summary", el("HomeBuyerPlan", el("HomeBuyerPlanRequiredRepaymentAmount",
                                                                    requiredRepayment("2023", "100") +
                                                                        requiredRepayment("2024", "250"))));
        const QByteArray hbpTwice = el("Summary", el("HomeBuyerPlan", el("HomeBuyerPlanRequiredRepaymentAmount",
                                                                         requiredRepayment("2024", "250") +
                                                                             requiredRepayment("2024", "999"))));
        const QByteArray llp =
            el("Summary", el("LifeLongLearningPlan", el("LifeLongLearningPlanRequiredRepaymentAmount",
                                                        requiredRepayment("2023", "100") +
                                                            requiredRepayment(" 2024 ", "250.50"))));
        auto tuition = [](const char* element) {
            return el("CarryOver", el(element, el("Tuition", el("TaxYear", "2023") +
                                                                 el("CarryForwardAvailableAmount", "1,234.50"))));
        };
        const Lookup hbpLookup = [](const TDDTaxDataOnePerson& r, const char* y) {
            return r.summary.getHBPRequiredRepaymentForYear(y);
        };
        const Lookup llpLookup = [](const TDDTaxDataOnePerson& r, const char* y) {
            return r.summary.getLLPRequiredRepaymentForYear(y);
        };
        const Lookup fedLookup = [](const TDDTaxDataOnePerson& r, const char* y) {
            return r.carryOver.getFedTuitionForTaxYear(y);
        };
        const Lookup provLookup = [](const TDDTaxDataOnePerson& r, const char* y) {
            return r.carryOver.getProvTuitionForTaxYear(y);
        };
        QTest::newRow("HBP 2024") << hbp << hbpLookup << "2024" << 250.0;
        QTest::newRow("HBP 2023") << hbp << hbpLookup << "2023" << 100.0;
        QTest::newRow("HBP 2025 absent") << hbp << hbpLookup << "2025" << 0.0;
        QTest::newRow("HBP year with a trailing blank") << hbp << hbpLookup << "2024 " << 250.0;
        QTest::newRow("HBP two pairs of one year: the first") << hbpTwice << hbpLookup << "2024" << 250.0;
        QTest::newRow("HBP none") << QByteArray() << hbpLookup << "2024" << 0.0;
        QTest::newRow("LLP year sent with blanks") << llp << llpLookup << "2024" << 250.5;
        QTest::newRow("LLP is not HBP") << hbp << llpLookup << "2024" << 0.0;
        QTest::newRow("federal tuition") << tuition("FederalTuitionEducationTextBookAmounts") << fedLookup << "2023"
                                         << 1234.5;
        QTest::newRow("provincial tuition") << tuition("ProvincialTuitionEducationTextBookAmounts") << provLookup
                                            << "2023" << 1234.5;
        QTest::newRow("provincial is not federal") << tuition("FederalTuitionEducationTextBookAmounts")
                                                   << provLookup << "2023" << 0.0;
    }

    void yearLookups()
    {
        QFETCH(QByteArray, xml);
        QFETCH(Lookup, lookup);
        QFETCH(QString, year);
        QFETCH(double, expected);
        TDDTaxDataOnePerson record(2024);
        QCOMPARE(parseItem(item(identifier() + xml), record), 0);
        QCOMPARE(lookup(record, year.toUtf8().constData()), expected);
        QCOMPARE(lookup(record, nullptr), 0.0);
    }

    void rrspRowEmpty_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<bool>("empty");
        QTest::newRow("zeros in every form") << "2023" << QStringList{"0", "0.00", "", "0", "0.00", ""} << true;
        QTest::newRow("no year") << "" << QStringList{"", "", "", "", "", ""} << true;
        QTest::newRow("a year alone carries no amount") << "2024" << QStringList{"", "", "", "", "", ""} << true;
        const QStringList zeros{"0", "0.00", "", "0", "0.00", ""};
        for (int i = 0; i < 6; ++i) {
            QStringList amounts = zeros;
            amounts[i] = "0.01";
            QTest::addRow("0.01 in amount %d", i + 1) << "2023" << amounts << false;
        }
    }

    void rrspRowEmpty()
    {
        QFETCH(QString, year);
        QFETCH(QStringList, amounts);
        QFETCH(bool, empty);
        StructRRSPHistory row;
        row.taxYear = year.toStdString();
        std::string* members[] = {&row.undeductedContributions, &row.currentYearContributions,
                                  &row.totalAvailableContributions, &row.repaymentToHBPorLLP,
                                  &row.contributionsDeducted, &row.totalUnclaimedContributions};
        for (int i = 0; i < 6; ++i)
            *members[i] = amounts[i].toStdString();
        QCOMPARE(row.isEmpty(), empty);
    }

    // One element more than a list keeps: the list is full, the last is
    // counted as dropped.
    void capacities_data()
    {
        QTest::addColumn<RecordList>("list");
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<int>("capacity");
        auto many = [](int count, const QByteArray& entry, const QByteArray& attributes = QByteArray()) {
            return repeated(count, [&](int) { return el(entry, el("TaxYear", "2020"), attributes); });
        };
        auto ownText = [](int count, const QByteArray& entry) {
            return repeated(count, [&](int) { return el(entry, "2020", "year=\"2020\""); });
        };
        QTest::newRow("unfiled years") << RecordList::UnfiledYears << unfiledYears(101) << 100;
        QTest::newRow("RRSP history") << RecordList::RRSPHistory
                                      << el("Summary", el("RRSPContributionHistory", many(101, "RRSPContribution")))
                                      << 100;
        QTest::newRow("HBP") << RecordList::HBPRequiredRepayments
                             << el("Summary", el("HomeBuyerPlan", el("HomeBuyerPlanRequiredRepaymentAmount",
                                                                     ownText(11, "RequiredRepayment"))))
                             << 10;
        QTest::newRow("LLP") << RecordList::LLPRequiredRepayments
                             << el("Summary", el("LifeLongLearningPlan", el("LifeLongLearningPlanRequiredRepaymentAmount",
                                                                            ownText(11, "RequiredRepayment"))))
                             << 10;
        QTest::newRow("set-offs") << RecordList::RefundSetOffs << setOffs(41) << 40;
        QTest::newRow("reassessments") << RecordList::Reassessments
                                       << el("Client", el("Reassessments", many(21, "Reassessment"))) << 20;
        QTest::newRow("in-progress years") << RecordList::ReassessmentInProgressYears
                                           << el("Client", el("ReassessmentInProgress",
                                                              ownText(21, "ReassessmentTaxYear")))
                                           << 20;
        QTest::newRow("client unfiled years") << RecordList::ClientUnfiledYears
                                              << el("Client", el("UnfiledReturn", ownText(21, "TaxYear"))) << 20;
        QTest::newRow("non-capital losses") << RecordList::NonCapitalLosses
                                            << el("CarryOver", el("NonCapitalLosses", many(101, "Loss"))) << 100;
        QTest::newRow("capital gains") << RecordList::CapitalGainLosses
                                       << el("CarryOver", el("CapitalGainLosses", many(101, "Gain"))) << 100;
        QTest::newRow("deductions") << RecordList::CapitalGainDeductions
                                    << el("CarryOver", el("CapitalGainDeductions", many(101, "Deduction"))) << 100;
        QTest::newRow("federal tuition")
            << RecordList::FederalTuition
            << el("CarryOver", el("FederalTuitionEducationTextBookAmounts", many(21, "Tuition"))) << 20;
        QTest::newRow("provincial tuition")
            << RecordList::ProvincialTuition
            << el("CarryOver", el("ProvincialTuitionEducationTextBookAmounts", many(21, "Tuition"))) << 20;
        QTest::newRow("business investment losses")
            << RecordList::BusinessInvestmentLosses
            << el("CarryOver", el("BusinessInvestmentLossAmounts", ownText(21, "BusinessInvestmentLossAmount")))
            << 20;
    }

    void capacities()
    {
        QFETCH(RecordList, list);
        QFETCH(QByteArray, xml);
        QFETCH(int, capacity);
        TDDTaxDataOnePerson record(2024);
        QCOMPARE(parseItem(item(identifier() + xml), record), 0);
        const ListCounts counts = recordListInfo(list).counts(record);
        QCOMPARE(counts.capacity, capacity);
        QCOMPARE(counts.kept, capacity);
        QCOMPARE(counts.dropped, 1);
    }

    void unfiledYearsKeepTheFirstHundred()
    {
        TDDTaxDataOnePerson record(2024);
        QCOMPARE(parseItem(item(identifier() + unfiledYears(101)), record), 0);
        QCOMPARE(record.summary.unfiledTaxYears.count(), 100);
        QCOMPARE(record.summary.unfiledTaxYears[0], std::string("1900"));
        QCOMPARE(record.summary.unfiledTaxYears[99], std::string("1999"));
        QCOMPARE(record.summary.unfiledTaxYears.dropped(), 1);
    }

    // A list named by its element takes only siblings of that name; one the
    // agency adds beside it is not an entry.
    void namedListsTakeOnlyTheirElements_data()
    {
        QTest::addColumn<RecordList>("list");
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<int>("expected");
        const QByteArray foreign = el("Note", el("TaxYear", "1999"), "year=\"1999\"");
        QTest::newRow("unfiled years, foreign after")
            << RecordList::UnfiledYears
            << el("Summary", el("UnfiledReturn", el("TaxYear", "2021") + el("TaxYear", "2022") + foreign)) << 2;
        QTest::newRow("unfiled years, foreign first")
            << RecordList::UnfiledYears
            << el("Summary", el("UnfiledReturn", foreign + el("TaxYear", "2021") + foreign + el("TaxYear", "2022")))
            << 2;
        QTest::newRow("unfiled years, no year") << RecordList::UnfiledYears
                                                << el("Summary", el("UnfiledReturn", foreign)) << 0;
        QTest::newRow("RRSP history")
            << RecordList::RRSPHistory
            << el("Summary", el("RRSPContributionHistory", rrspRow("2023", "1") + foreign + rrspRow("2024", "1")))
            << 2;
        QTest::newRow("HBP") << RecordList::HBPRequiredRepayments
                             << el("Summary", el("HomeBuyerPlan", el("HomeBuyerPlanRequiredRepaymentAmount",
                                                                     requiredRepayment("2023", "1") + foreign)))
                             << 1;
        QTest::newRow("LLP") << RecordList::LLPRequiredRepayments
                             << el("Summary", el("LifeLongLearningPlan",
                                                 el("LifeLongLearningPlanRequiredRepaymentAmount",
                                                    requiredRepayment("2023", "1") + foreign)))
                             << 1;
        QTest::newRow("set-offs") << RecordList::RefundSetOffs
                                  << el("Client", el("RefundSetOffs",
                                                     el("RefundSetoff", el("RefundSetoffProgramCode", "PSED")) +
                                                         foreign))
                                  << 1;
        QTest::newRow("in-progress years")
            << RecordList::ReassessmentInProgressYears
            << el("Client", el("ReassessmentInProgress", el("ReassessmentInProgressIndicator", "1") +
                                                             el("ReassessmentTaxYear", "2021") + foreign))
            << 1;
        QTest::newRow("client unfiled years")
            << RecordList::ClientUnfiledYears << el("Client", el("UnfiledReturn", el("TaxYear", "2019") + foreign))
            << 1;
        QTest::newRow("business investment losses")
            << RecordList::BusinessInvestmentLosses
            << el("CarryOver", el("BusinessInvestmentLossAmounts",
                                  el("BusinessInvestmentLossAmount", "10", "year=\"2016\"") + foreign))
            << 1;
        // Lists of every child take children of any name.
        QTest::newRow("reassessments, any name")
            << RecordList::Reassessments
            << el("Client", el("Reassessments", el("Reassessment", el("TaxYear", "2020")) + foreign)) << 2;
        QTest::newRow("non-capital losses, any name")
            << RecordList::NonCapitalLosses
            << el("CarryOver", el("NonCapitalLosses", el("Loss", el("TaxYear", "2020")) + foreign +
                                                          el("Other", el("TaxYear", "2021"))))
            << 3;
    }

    void namedListsTakeOnlyTheirElements()
    {
        QFETCH(RecordList, list);
        QFETCH(QByteArray, xml);
        QFETCH(int, expected);
        TDDTaxDataOnePerson record(2024);
        QCOMPARE(parseItem(item(identifier() + xml), record), 0);
        const ListCounts counts = recordListInfo(list).counts(record);
        QCOMPARE(counts.kept, expected);
        QCOMPARE(counts.dropped, 0);
    }

    void unfiledYearsSkipForeignElements()
    {
        TDDTaxDataOnePerson record(2024);
        QCOMPARE(parseItem(item(identifier() +
                                el("Summary", el("UnfiledReturn", el("Note", "1999") + el("TaxYear", "2021") +
                                                                      el("Note", "1998") + el("TaxYear", "2022")))),
                           record),
                 0);
        QCOMPARE(record.summary.unfiledTaxYears.count(), 2);
        QCOMPARE(record.summary.unfiledTaxYears[0], std::string("2021"));
        QCOMPARE(record.summary.unfiledTaxYears[1], std::string("2022"));
    }

    void setOffsKeepFortyWithTheirTelephones()
    {
        TDDTaxDataOnePerson record(2024);
        QCOMPARE(parseItem(item(identifier() + setOffs(41)), record), 0);
        const auto& kept = record.client.refundSetOffs;
        QCOMPARE(kept.count(), 40);
        QCOMPARE(kept.dropped(), 1);
        const std::string telephones[] = {"Toll-Free       800-830-3118 Ext      ",
                                          "Toll-Free       800-555-0199 Ext      ", ""};
        for (int i = 0; i < kept.count(); ++i) {
            QCOMPARE(kept[i].programID, std::to_string(i));
            QCOMPARE(kept[i].telephone, telephones[i % 3]);
        }
    }
};

QTEST_GUILESS_MAIN(TestAutoFillRecord)
#include "tst_autofillrecord.moc"
