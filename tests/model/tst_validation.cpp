// Whole-return validation: the records it builds, the checks' edges, the
// checks between spouses, and that validating never changes the return.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "calcfixture.h"
#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/schedules/taxdata_sch11.h"
#include "companion/forms/schedules/taxdata_sch2.h"
#include "companion/forms/schedules/taxdata_sch3.h"
#include "companion/forms/schedules/taxdata_sch6.h"
#include "companion/forms/schedules/taxdata_sch7.h"
#include "companion/forms/slips/slips_investment.h"
#include "companion/rules/money.h"
#include "model/MultiProvsTaxMgr.h"
#include "model/validationrecord.h"

using namespace calcfixture;

namespace {

using Records = std::list<_STRUCT_FORM_VALIDATE_INFO*>;

// Owns the records a test asks for.
struct RecordList
{
    Records records;
    ~RecordList() { clear(); }
    void clear()
    {
        for (auto* r : records)
            delete r;
        records.clear();
    }
    int count(int source, int itemType = -1) const
    {
        int n = 0;
        for (auto* r : records)
            if (r->source == source && (itemType < 0 || r->itemType == itemType))
                ++n;
        return n;
    }
    // The messages of the whole-return record (source 4), if any.
    QStringList personMessages() const
    {
        QStringList out;
        for (auto* r : records)
            if (r->source == VALIDATE_SOURCE_PERSON)
                for (const CString& m : r->messages)
                    out << m;
        return out;
    }
};

QStringList personMessages(IndividualTaxData* person, unsigned char purpose = 2)
{
    RecordList list;
    person->Validate(purpose, list.records);
    return list.personMessages();
}

QByteArray savedBytes(CFamilyTaxData& family, const QString& path)
{
    if (family.saveToFile(CString(path), 2) != 0)
        return QByteArray();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const char* const kBeneficiaryText = "Tax beneficiary amount (Field 52080) must be at least $1.50.";
const char* const kSchedule2Text = "Field 36100 of Schedule 2 exceeds maximum amount allowed.";
const char* const kRentalText =
    "Please lower CCA claim amount (Field 9936) in Rental form T776, CCA claim cannot create/increase a rental loss.";
const char* const kDeathText = "Working Income Tax Benefit cannot be claimed because tax payer died before July 1st "
                               "in the tax year. Remove form Schedule 6.";
const char* const kQuebecText =
    "Line 438 on page 4 of T1 cannot exceed 45 percent of the income tax deducted on Non-Quebec T4 slips.";
const char* const kInvestmentExpensesText = "Field 68080, in form T936 or reported as supporting field, requires an "
                                            "entry at field 14100, 14300 or 23200 of form T1.";

} // namespace

class TestValidation : public QObject
{
    Q_OBJECT

private slots:
    void recordFormatsItsMessages()
    {
        _STRUCT_FORM_VALIDATE_INFO record;
        record.insertMsg("Plain text.");
        record.insertMsg1("Please remove %s.", "form CPT20");
        record.insertMsg2("Please add form [%s] into return to %s.", "T90", "report tax-exempted income");
        record.insertMsg1("Please remove %s.", "form CPT20");
        QCOMPARE(record.messages, (std::list<CString>{CString("Plain text."), CString("Please remove form CPT20."),
                                                      CString("Please add form [T90] into return to report "
                                                              "tax-exempted income."),
                                                      CString("Please remove form CPT20.")}));
        record.removeDuplicateMessages();
        QCOMPARE(record.messages.size(), size_t(3));
        QCOMPARE(record.messages.back(), CString("Please add form [T90] into return to report tax-exempted income."));
    }

    void thresholdEdges_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("reported");

        QTest::newRow("52080 at 1.49") << "beneficiary" << QVariant(1.49) << kBeneficiaryText << true;
        QTest::newRow("52080 at 1.495") << "beneficiary" << QVariant(1.495) << kBeneficiaryText << false;
        QTest::newRow("52080 at 1.50") << "beneficiary" << QVariant(1.50) << kBeneficiaryText << false;
        QTest::newRow("36100 at 57552.005") << "schedule2" << QVariant(57552.005) << kSchedule2Text << false;
        QTest::newRow("36100 at 57552.01") << "schedule2" << QVariant(57552.01) << kSchedule2Text << true;
        QTest::newRow("12600 at -0.01") << "rental" << QVariant(-0.01) << kRentalText << false;
        QTest::newRow("12600 at -0.02") << "rental" << QVariant(-0.02) << kRentalText << true;
        QTest::newRow("died 2024-06-30") << "death" << QVariant(QDate(2024, 6, 30)) << kDeathText << true;
        QTest::newRow("died 2024-07-01") << "death" << QVariant(QDate(2024, 7, 1)) << kDeathText << false;
        // 45 % of the 1,000 withheld outside Quebec; the Quebec slip's tax does not count.
        QTest::newRow("43800 at 450") << "quebec" << QVariant(450.0) << kQuebecText << false;
        QTest::newRow("43800 at 450.01") << "quebec" << QVariant(450.01) << kQuebecText << true;
    }

    void thresholdEdges()
    {
        QFETCH(QString, scenario);
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        QFETCH(bool, reported);

        auto family = makeFamily(false, scenario == "quebec" ? 11 : kOntario);
        IndividualTaxData* person = family->getTaxpayer();
        TaxData_T1New& t1 = *person->GetT1();
        if (scenario == "beneficiary") {
            t1.TaxDeceasedBeneficiaryElection.m_value = 1;
            t1.TaxBeneficiaryAmount.m_value = value.toDouble();
        } else if (scenario == "schedule2") {
            form<TaxData_Sch2>(person, 3, true)->line36100AdjustedAmount.m_value = value.toDouble();
        } else if (scenario == "rental") {
            auto* t776 = form<TaxData_T776New>(person, 12, true);
            t776->NetResult.m_value = -100;
            t776->line9936CCA.m_value = 50;
            t1.line12600NetRental.m_value = value.toDouble();
        } else if (scenario == "death") {
            form<TaxData_Sch6>(person, 119, true);
            t1.DateOfDeath.m_value = value.toDate();
        } else if (scenario == "quebec") {
            addT4(person, 10000, 1000, kOntario);
            addT4(person, 20000, 5000, 11);
            t1.line43800QuebecTaxTransfer.m_value = value.toDouble();
        }
        QCOMPARE(personMessages(person).contains(text), reported);
    }

    // Line 32400 against what the student could transfer (canada.ca, "Line
    // 32400 - Tuition amount transferred from a child or grandchild"): at
    // most 5,000 of the student's 2024 amount, or that amount when less,
    // less the part the student claimed.
    void tuitionFromChildAboveTransferable_data()
    {
        QTest::addColumn<double>("typed");
        QTest::addColumn<double>("studentAmount");
        QTest::addColumn<double>("studentUsed");
        QTest::addColumn<QString>("claimed"); // empty: no message
        // 3,000 less the 1,000 used: 2,000 transferable.
        QTest::newRow("2,000 of 2,000") << 2000.0 << 3000.0 << 1000.0 << QString();
        QTest::newRow("2,000.01 of 2,000") << 2000.01 << 3000.0 << 1000.0 << QString("2,000.00");
        // 8,000 of fees: 5,000 at most, none used.
        QTest::newRow("6,000 of 5,000") << 6000.0 << 8000.0 << 0.0 << QString("5,000.00");
        // The student used it all: nothing to transfer.
        QTest::newRow("500 of nothing") << 500.0 << 4000.0 << 4000.0 << QString("0.00");
        // Without the student's amount the designation stands as typed.
        QTest::newRow("student's amount unknown") << 6000.0 << 0.0 << 0.0 << QString();
    }

    void tuitionFromChildAboveTransferable()
    {
        QFETCH(double, typed);
        QFETCH(double, studentAmount);
        QFETCH(double, studentUsed);
        QFETCH(QString, claimed);
        auto family = makeFamily(false);
        IndividualTaxData* person = family->getTaxpayer();
        TaxData_T1New& t1 = *person->GetT1();
        t1.line32400TuitionFromChild.m_value = typed;
        t1.ChildTuitionCurrentYear.m_value = studentAmount;
        t1.ChildTuitionUsed.m_value = studentUsed;
        const QStringList found = personMessages(person).filter("Field 32400");
        if (claimed.isEmpty()) {
            QVERIFY2(found.isEmpty(), qPrintable(found.join('\n')));
            return;
        }
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.front(), QString("Field 32400 of T1 ($%1) is more than the student could transfer: at most "
                                        "$5,000 of the student's 2024 tuition amount, less the part the student "
                                        "claimed. The return claims $%2.")
                                    .arg(QString::fromStdString(taxrules::formatAmountGrouped(typed)), claimed));
    }

    // A spouse whose return is not in the file: the person's T1 must name
    // them and give their net income. A coupled return takes both from the
    // spouse's own return.
    void spouseFilingApart_data()
    {
        QTest::addColumn<bool>("coupled");
        QTest::addColumn<int>("maritalStatus");
        QTest::addColumn<QString>("spouseSin");
        QTest::addColumn<double>("spouseNet");
        QTest::addColumn<QStringList>("messages");
        const QString sin = "T1, Spouse page, Spouse's social insurance number: enter the social insurance number of "
                            "your spouse or common-law partner.";
        const QString net = "T1, Spouse page, Spouse's net income: enter the net income of your spouse or common-law "
                            "partner (line 23600 of their return, 0 when it is negative).";
        QTest::newRow("married, spouse unnamed") << false << 0 << " " << 0.0 << QStringList{sin};
        QTest::newRow("common-law, net income below zero")
            << false << 1 << "130692544" << -10.0 << QStringList{net};
        QTest::newRow("married, both given") << false << 0 << "130692544" << 31500.0 << QStringList();
        QTest::newRow("married, no income") << false << 0 << "130692544" << 0.0 << QStringList();
        QTest::newRow("single, nothing asked") << false << 5 << "" << 0.0 << QStringList();
        QTest::newRow("coupled, the spouse's own return") << true << 0 << "" << 0.0 << QStringList();
    }

    void spouseFilingApart()
    {
        QFETCH(bool, coupled);
        QFETCH(int, maritalStatus);
        QFETCH(QString, spouseSin);
        QFETCH(double, spouseNet);
        QFETCH(QStringList, messages);
        auto family = makeFamily(coupled);
        IndividualTaxData* person = family->getTaxpayer();
        TaxData_T1New& t1 = *person->GetT1();
        t1.MaritalStatus.m_value = maritalStatus;
        t1.SpouseSIN.m_value = spouseSin;
        t1.SpouseNetIncome.m_value = spouseNet;
        QStringList found;
        for (const QString& text : personMessages(person))
            if (text.startsWith("T1, Spouse page"))
                found << text;
        QCOMPARE(found, messages);
    }

    void catalogueCases_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("times");

        const QString schedule8 = "Schedule 8 is not needed, please remove it.";
        const QString rc381 = "Please remove form RC381, it's not needed.";
        const QString onlyOne =
            "There should be only one form T2091 in tax return according to Field 17900 of Schedule 3.";
        const QString twoOrMore =
            "There should be two or more form T2091 in tax return according to Field 17900 of Schedule 3.";
        const QString needsSchedule8 =
            "Schedule 8 should be included in the tax return if field 122, 135, 137, 139, 141 or 143 of T1 is claimed.";
        QTest::newRow("no plan, Schedule 8") << "noPlanBothSchedules" << schedule8 << 1;
        QTest::newRow("no plan, RC381") << "noPlanBothSchedules" << rc381 << 1;
        QTest::newRow("17900 answered 2, two T2091") << "answer2TwoT2091" << twoOrMore << 0;
        QTest::newRow("17900 answered 2, two T2091, not one") << "answer2TwoT2091" << onlyOne << 0;
        QTest::newRow("17900 answered 1, two T2091") << "answer1TwoT2091" << onlyOne << 1;
        QTest::newRow("17900 unanswered, no T2091") << "unansweredNoT2091" << onlyOne << 0;
        QTest::newRow("self-employed, bankrupt") << "selfEmployedBankrupt" << needsSchedule8 << 0;
        QTest::newRow("self-employed, not bankrupt") << "selfEmployed" << needsSchedule8 << 1;
        QTest::newRow("spouse S.I.N. of zeros with T1032")
            << "zeroSpouseSin" << "Please enter spouse social insurance number on page 1 of T1 as required by form T1032."
            << 1;
        QTest::newRow("5.5 study months, 5 before bankruptcy")
            << "studyMonths" << "Number of months in form Schedule 11 can NOT be more than the pre-bankrupt months in the tax year."
            << 1;
        QTest::newRow("two T776 with CCA on a loss") << "twoRentals" << kRentalText << 1;
        QTest::newRow("TL2 without line 22900")
            << "lonelyTl2"
            << "Please remove form T777/T777S or TL2 from the tax return, because there is no work expense claimed on "
               "line 22900 of T1."
            << 1;
        const QString hbp = "RRSP HBP repayment doesn't meet the minimum requirement according to last year assessment.";
        QTest::newRow("HBP repaid 999.99 of 1000") << "hbp999.99" << hbp << 1;
        QTest::newRow("HBP repaid 1000 of 1000") << "hbp1000" << hbp << 0;
        QTest::newRow("Schedule 6 without the 38105 answer")
            << "schedule6Unanswered"
            << "Field 38105 in schedule 6 requires at least an amount in field 10105/10000/10026/38107/38109." << 0;
        QTest::newRow("Schedule 6, 38105 Yes without exempt income")
            << "schedule6Include"
            << "Field 38105 in schedule 6 requires at least an amount in field 10105/10000/10026/38107/38109." << 1;
    }

    void catalogueCases()
    {
        QFETCH(QString, scenario);
        QFETCH(QString, text);
        QFETCH(int, times);
        auto family = makeFamily(false);
        IndividualTaxData* person = family->getTaxpayer();
        TaxData_T1New& t1 = *person->GetT1();
        auto addForm = [&](ENUMTYPE_FORM type) { return person->NewFormDataItem(type, 0, true, 0, true)->data; };
        if (scenario == "noPlanBothSchedules") {
            t1.PensionPlanSelector.m_value = 0;
            addForm(150);
            addForm(148);
        } else if (scenario.startsWith("answer") || scenario == "unansweredNoT2091") {
            auto* s3 = form<TaxData_Sch3>(person, 4, true);
            if (scenario != "unansweredNoT2091") {
                s3->line17900PrincipalResidences.m_value = scenario == "answer2TwoT2091" ? 2 : 1;
                addForm(147);
                addForm(147);
            }
        } else if (scenario.startsWith("selfEmployed")) {
            t1.line13500BusinessNet.m_value = 20000;
            t1.CppMonths.m_value = 12;
            t1.PensionPlanSelector.m_value = 1;
            if (person->HasForm(150))
                person->RemoveFormData(person->GetFormData(150, false), true);
            if (scenario == "selfEmployedBankrupt")
                t1.BankruptcyDate.m_value = QDate(2024, 6, 10);
        } else if (scenario == "zeroSpouseSin") {
            addForm(118);
            t1.SpouseSIN.m_value = CString("000000000");
        } else if (scenario == "studyMonths") {
            t1.BankruptcyDate.m_value = QDate(2024, 6, 10);
            form<TaxData_Sch11>(person, 11, true)->PartTimeMonths.m_value = 5.5;
        } else if (scenario == "twoRentals") {
            t1.line12600NetRental.m_value = -500;
            for (int i = 0; i < 2; ++i) {
                auto* t776 = qobject_cast<TaxData_T776New*>(addForm(12));
                t776->NetResult.m_value = -250;
                t776->line9936CCA.m_value = 100;
            }
        } else if (scenario == "lonelyTl2") {
            addForm(92);
        } else if (scenario.startsWith("hbp")) {
            // 500 designated as income on line 12900, the rest repaid on
            // Schedule 7 (made first: a new Schedule 7 takes last year's
            // amounts from the interview).
            form<TaxData_Sch7>(person, 7, true)->line24600HbpRepayment.m_value = scenario.mid(3).toDouble() - 500;
            t1.HBPRequiredRepayment.m_value = 1000;
            t1.line12900HbpPart.m_value = 500;
        } else if (scenario.startsWith("schedule6")) {
            auto* s6 = form<TaxData_Sch6>(person, 119, true);
            if (scenario == "schedule6Include")
                s6->line38105IncludeExempt.m_value = 0;
        }
        QCOMPARE(personMessages(person).count(text), times);
    }

    void calculationGapsAreValidationErrors()
    {
        auto family = makeFamily(false);
        IndividualTaxData* person = family->getTaxpayer();
        auto* t2125 = form<TaxData_T2125_New>(person, 125, true);
        t2125->BusinessDescription.m_value = CString("Repairs");
        t2125->IncomeKind.m_value = 2;
        QVERIFY(personMessages(person).contains("T2125 \"Repairs\": choose business or professional income; its "
                                                "income is not included in the return until a kind is chosen."));
    }

    void efileChecksOnlyInTheEfileEdition()
    {
        auto family = makeFamily(false);
        const QString t183 = "Add form T183 - Information Return of Electronic Filing, to the tax return.";
        QVERIFY(!personMessages(family->getTaxpayer(), kPurposeDirerad).contains(t183));
        QVERIFY(personMessages(family->getTaxpayer(), kPurposeEfile).contains(t183));
    }

    void repeatedConclusionShownOnce()
    {
        // The statement check and the amount-in-use check both find the
        // investment expenses without a line to support them.
        auto family = makeFamily(false);
        IndividualTaxData* person = family->getTaxpayer();
        form<TaxData_T936New>(person, 32, true)->line68080.m_value = 100;
        QCOMPARE(personMessages(person).count(kInvestmentExpensesText), 1);
    }

    void bankruptSkipsStatementsButNotDesignations_data()
    {
        QTest::addColumn<bool>("bankrupt");
        QTest::newRow("bankrupt") << true;
        QTest::newRow("not bankrupt") << false;
    }

    void bankruptSkipsStatementsButNotDesignations()
    {
        QFETCH(bool, bankrupt);
        auto family = makeFamily(false);
        IndividualTaxData* person = family->getTaxpayer();
        if (bankrupt)
            person->GetT1()->BankruptcyDate.m_value = QDate(2024, 5, 1);
        form<TaxData_T776New>(person, 12, true)->OwnershipPercent.m_value = 150;
        auto* t2091 = form<TaxData_T2091>(person, 147, true);
        t2091->YearsDesignated.m_value = 5;
        t2091->YearsOwned.m_value = 3;

        RecordList list;
        person->Validate(2, list.records);
        QCOMPARE(list.count(VALIDATE_SOURCE_FORM, 12), bankrupt ? 0 : 1);
        QCOMPARE(list.count(VALIDATE_SOURCE_FORM, 147), 1);
    }

    void eachFailingSlipHasItsRecord()
    {
        auto family = makeFamily(false);
        IndividualTaxData* person = family->getTaxpayer();
        addT4(person, 100, 200);
        addT4(person, 1000, 10);
        addT4(person, 300, 400);
        RecordList list;
        const int count = person->Validate(2, list.records);
        QCOMPARE(list.count(VALIDATE_SOURCE_SLIP, 1), 2);
        QCOMPARE(count, int(list.records.size()));
        // Records already in the list are counted too.
        QCOMPARE(person->Validate(2, list.records), 2 * count);
    }

    void unavailableProvincialCalculationIsAnError()
    {
        QTemporaryDir empty;
        CMultiProvsTaxMgr::setPluginFolder(empty.path());
        auto family = makeFamily(false);
        IndividualTaxData* person = family->getTaxpayer();
        const QStringList messages = personMessages(person);
        CMultiProvsTaxMgr::setPluginFolder(QString());
        QVERIFY(!person->m_provMgr.isProvincialCalculationAvailable());
        QVERIFY(messages.contains(person->m_provMgr.unavailableMessage()));
    }

    void coupledValidationChangesNothing()
    {
        auto family = makeFamily(true);
        addT4(family->getTaxpayer(), 52000, 9000);
        addT4(family->getSpouse(), 31000, 4000);
        auto& t3 = static_cast<TaxData_Slip_T3&>(*family->getTaxpayer()->NewSlipData(9, 0, 0)->data);
        t3.box21CapitalGains.m_value = 1200;
        family->Calculate(0, nullptr);
        // The slip's capital gains make the calculation add Schedule 3;
        // validation must not, whatever the slips would need.
        QVERIFY(family->getTaxpayer()->HasForm(4));
        family->getTaxpayer()->RemoveFormData(family->getTaxpayer()->GetFormData(4, false), true);
        const int formsBefore = family->getTaxpayer()->GetCountOfForm(0);

        QTemporaryDir dir;
        const QByteArray before = savedBytes(*family, dir.filePath("before.vrt"));
        QVERIFY(!before.isEmpty());

        quint64 counts[2] = {};
        for (quint64& count : counts) {
            RecordList first, second;
            CString name, spouseName;
            count = family->ValidateTaxReturn(2, first.records, name, false, true) +
                    family->ValidateTaxReturn(2, second.records, spouseName, true, false);
            QCOMPARE(name, CString("Ada Tremblay"));
            QCOMPARE(spouseName, CString("Louis Tremblay"));
            // No checks between the spouses failed: no empty record for them.
            QCOMPARE(first.count(VALIDATE_SOURCE_SPOUSES), 0);
        }
        QCOMPARE(counts[0], counts[1]);
        QVERIFY(!family->getTaxpayer()->HasForm(4));
        QCOMPARE(family->getTaxpayer()->GetCountOfForm(0), formsBefore);
        QCOMPARE(savedBytes(*family, dir.filePath("after.vrt")), before);

        // With nothing between the spouses the count is the same either way.
        RecordList with, without;
        CString name;
        QCOMPARE(family->ValidateTaxReturn(2, with.records, name, false, true),
                 family->ValidateTaxReturn(2, without.records, name, false, false));
    }

    void betweenSpousesRecordCountsItsMessages()
    {
        auto family = makeFamily(true);
        family->getSpouse()->GetT1()->line30300SpouseAmount.m_value = 0;
        family->getTaxpayer()->GetT1()->line30500CaregiverChildren.m_value = 2616;
        family->getSpouse()->GetT1()->line30500CaregiverChildren.m_value = 2616;
        RecordList with, without;
        CString name;
        const quint64 withChecks = family->ValidateTaxReturn(2, with.records, name, false, true);
        const quint64 withoutChecks = family->ValidateTaxReturn(2, without.records, name, false, false);
        QCOMPARE(with.count(VALIDATE_SOURCE_SPOUSES), 1);
        QCOMPARE(with.records.back()->messages,
                 std::list<CString>{CString("You and your spouse can NOT claim the amount at field 30500 at the same time.")});
        QCOMPARE(withChecks, withoutChecks + 1);
        // A single return has no spouse to validate.
        auto single = makeFamily(false);
        RecordList none;
        QCOMPARE(single->ValidateTaxReturn(2, none.records, name, true, true), quint64(0));
        QVERIFY(none.records.empty());
    }

    void adoptionLimitPerChild_data()
    {
        QTest::addColumn<double>("spouseAmount");
        QTest::addColumn<int>("messages");
        QTest::newRow("19066 + 0.005") << 0.005 << 0;
        QTest::newRow("19066 + 0.01") << 0.01 << 1;
    }

    void adoptionLimitPerChild()
    {
        QFETCH(double, spouseAmount);
        QFETCH(int, messages);
        auto family = makeFamily(true);
        // Without income both spouses' returns claim the spouse amount.
        family->getSpouse()->GetT1()->line30300SpouseAmount.m_value = 0;
        family->getTaxpayer()->GetT1()->line31300Adoption2.m_value = 19066;
        family->getSpouse()->GetT1()->line31300Adoption2.m_value = spouseAmount;
        std::list<CString> found;
        QCOMPARE(family->ValidateWithCoupled(2, found, false), messages);
        if (messages)
            QCOMPARE(found.front(),
                     CString("The total of field 31300 (adoption) for child 2 in both returns is more than $19066.00."));
    }

    void homeBuyersLimitIsTenThousand_data()
    {
        QTest::addColumn<double>("spouseAmount");
        QTest::addColumn<bool>("reported");
        QTest::newRow("10000 in all") << 5000.0 << false;
        QTest::newRow("10000.01 in all") << 5000.01 << true;
    }

    void homeBuyersLimitIsTenThousand()
    {
        QFETCH(double, spouseAmount);
        QFETCH(bool, reported);
        auto family = makeFamily(true);
        family->getTaxpayer()->GetT1()->line31270HomeBuyers.m_value = 5000;
        family->getSpouse()->GetT1()->line31270HomeBuyers.m_value = spouseAmount;
        std::list<CString> found;
        family->ValidateWithCoupled(2, found, true);
        const CString text("The total of Home Buyer's Amount in field 31270 in both returns is more than $10,000.");
        QCOMPARE(std::find(found.begin(), found.end(), text) != found.end(), reported);
    }

    void basicWorkersBenefitClaimedOnce_data()
    {
        QTest::addColumn<int>("taxpayerAnswer");
        QTest::addColumn<int>("spouseAnswer");
        QTest::addColumn<bool>("reported");
        QTest::newRow("both claim") << choices::kYes << choices::kYes << true;
        QTest::newRow("one claims") << choices::kYes << choices::kNo << false;
        QTest::newRow("unanswered") << choices::kNotAnswered << choices::kYes << false;
    }

    void basicWorkersBenefitClaimedOnce()
    {
        QFETCH(int, taxpayerAnswer);
        QFETCH(int, spouseAnswer);
        QFETCH(bool, reported);
        auto family = makeFamily(true);
        form<TaxData_Sch6>(family->getTaxpayer(), 119, true)->CwbAnswer.m_value = taxpayerAnswer;
        form<TaxData_Sch6>(family->getSpouse(), 119, true)->CwbAnswer.m_value = spouseAnswer;
        std::list<CString> found;
        family->ValidateWithCoupled(2, found, false);
        const CString text("Only one person between Married or Common-law couple can claim basic CWB benefit in "
                           "schedule 6.");
        QCOMPARE(std::find(found.begin(), found.end(), text) != found.end(), reported);
    }

    void pensionSplitElectionInBothReturns()
    {
        auto family = makeFamily(true);
        family->getSpouse()->NewFormDataItem(118, 0, true, 0, true);
        if (family->getTaxpayer()->HasForm(118))
            family->getTaxpayer()->RemoveFormData(family->getTaxpayer()->GetFormData(118, false), true);
        std::list<CString> found;
        family->ValidateWithCoupled(2, found, false);
        const CString text("Please make sure form T1032 (Election to Split Pension) is presented in both coupled "
                           "returns.");
        QVERIFY(std::find(found.begin(), found.end(), text) != found.end());
    }
};

QTEST_GUILESS_MAIN(TestValidation)
#include "tst_validation.moc"
