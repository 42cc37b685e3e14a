// The twenty slip kinds: their types and labels, and what each one's own
// reading takes from a slip element beside the common box map.
#include <QtTest>

#include "agencydata/records/taxslipkinds.h"
#include "slipxml.h"

#include <functional>

using MakeSlip = std::function<std::unique_ptr<TaxSlip>()>;
using ReadSlip = std::function<std::unique_ptr<TaxSlip>(const QByteArray&)>;
using Member = std::function<std::string(const TaxSlip&)>;
Q_DECLARE_METATYPE(MakeSlip)
Q_DECLARE_METATYPE(ReadSlip)
Q_DECLARE_METATYPE(Member)

namespace {

template <class Slip>
MakeSlip make()
{
    return [] { return std::unique_ptr<TaxSlip>(new Slip); };
}

template <class Slip>
ReadSlip reader()
{
    return [](const QByteArray& xml) { return std::unique_ptr<TaxSlip>(readSlip<Slip>(xml)); };
}

template <class Slip>
Member memberOf(std::string Slip::*member)
{
    return [member](const TaxSlip& slip) { return dynamic_cast<const Slip&>(slip).*member; };
}

QByteArray element(const char* slipName, const QByteArray& children)
{
    return QByteArray("<ns2:") + slipName + " xmlns:ns2=\"urn:agency\">" + children + "</ns2:" + slipName + ">";
}

QByteArray box(const char* key, const char* text, const char* name = "ns2:Amount")
{
    return QByteArray("<") + name + " boxNumber=\"" + key + "\">" + text + "</" + name + ">";
}

QByteArray named(const char* name, const char* text)
{
    return QByteArray("<ns2:") + name + ">" + text + "</ns2:" + name + ">";
}

QByteArray t2202Element(const QByteArray& periods)
{
    return element("T2202Slip", named("SlipTaxYear", "2024") + "<ns2:TuitionSessionPeriods>" + periods +
                                    "</ns2:TuitionSessionPeriods>");
}

QByteArray session(int k)
{
    const QByteArray n = QByteArray::number(k);
    return "<ns2:TuitionSessionPeriod>" + named("FromPeriod", "2024-0" + n) + named("ToPeriod", "2024-1" + n) +
           named("PartTimeMonthCount", "1" + n) + named("FullTimeMonthCount", "2" + n) +
           named("TuitionSessionEligibleFeesAmount", "100" + n + ".00") + "</ns2:TuitionSessionPeriod>";
}

} // namespace

class TestSlipKinds : public QObject
{
    Q_OBJECT
private slots:
    void typesAndLabelCounts_data()
    {
        QTest::addColumn<MakeSlip>("makeSlip");
        QTest::addColumn<int>("slipType");
        QTest::addColumn<int>("labels");
        QTest::newRow("T4") << make<TaxSlipT4>() << 1 << 25;
        QTest::newRow("T4A") << make<TaxSlipT4A>() << 2 << 39;
        QTest::newRow("T4AP") << make<TaxSlipT4AP>() << 3 << 0;
        QTest::newRow("T4RSP") << make<TaxSlipT4RSP>() << 4 << 2;
        QTest::newRow("T4E") << make<TaxSlipT4E>() << 5 << 0;
        QTest::newRow("T4AOAS") << make<TaxSlipT4AOAS>() << 6 << 0;
        QTest::newRow("T4RIF") << make<TaxSlipT4RIF>() << 7 << 8;
        QTest::newRow("T5") << make<TaxSlipT5>() << 8 << 13;
        QTest::newRow("T3") << make<TaxSlipT3>() << 9 << 0;
        QTest::newRow("T5007") << make<TaxSlipT5007>() << 11 << 0;
        QTest::newRow("T5013") << make<TaxSlipT5013>() << 13 << 5;
        QTest::newRow("RC62") << make<TaxSlipRC62>() << 17 << 0;
        QTest::newRow("RC210") << make<TaxSlipRC210>() << 18 << 2;
        QTest::newRow("T5008") << make<TaxSlipT5008>() << 19 << 0;
        QTest::newRow("RRSP receipt") << make<TaxSlipRRSPReceipt>() << 20 << 0;
        QTest::newRow("MB shelter") << make<TaxSlipMBRentalAssistSlip>() << 21 << 0;
        QTest::newRow("PRPP") << make<TaxSlipPRPP>() << 22 << 0;
        QTest::newRow("T1204") << make<TaxSlipT1204>() << 23 << 0;
        QTest::newRow("T2202") << make<TaxSlipT2202>() << 25 << 0;
        QTest::newRow("T4FHSA") << make<TaxSlipT4FHSA>() << 26 << 14;
    }

    void typesAndLabelCounts()
    {
        QFETCH(MakeSlip, makeSlip);
        QFETCH(int, slipType);
        QFETCH(int, labels);
        const auto slip = makeSlip();
        QCOMPARE(slip->m_slipType, slipType);
        QCOMPARE(slip->slipType(), slipType);
        QCOMPARE(int(slip->m_boxLabels.size()), labels);
        QVERIFY(slip->m_boxValues.empty());
        QVERIFY(slip->m_issuerName.empty());
        for (const auto& label : slip->m_boxLabels)
            QVERIFY(label.second.startsWith("Box " + QString::fromStdString(label.first) + " - "));
        QVERIFY(!QString(slip->getName()).isEmpty());
    }

    void labels_data()
    {
        QTest::addColumn<MakeSlip>("makeSlip");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("label");
        QTest::newRow("T4 14") << make<TaxSlipT4>() << "14" << "Box 14 - Employment income";
        QTest::newRow("T4 88") << make<TaxSlipT4>() << "88" << "Box 88 - Indian self-employment";
        QTest::newRow("T4FHSA 36") << make<TaxSlipT4FHSA>() << "36" << "Box 36 - Designated - RRSP/RRIF transfer out";
        // The descriptions are kept exactly as the program has shown them.
        QTest::newRow("T4FHSA 16") << make<TaxSlipT4FHSA>() << "16" << "Box 16 - FHSA Identificatio Number";
        QTest::newRow("T4FHSA 38") << make<TaxSlipT4FHSA>() << "38" << "Box 38 - Designated - withdrawls";
        QTest::newRow("T4A 42") << make<TaxSlipT4A>() << "42" << "Box 42 - RESP educational assisstance payments";
        QTest::newRow("T4A 200") << make<TaxSlipT4A>() << "200" << "Box 200 - Prov. Covid-10 support";
        QTest::newRow("T4A 211") << make<TaxSlipT4A>() << "211" << "Box 211 - CAN Worker Lockdown Benefit";
        QTest::newRow("T5 27") << make<TaxSlipT5>() << "27" << "Box 27 - Currency";
        QTest::newRow("T4RSP 37") << make<TaxSlipT4RSP>() << "37" << "Box 37 - Advanced life deferred annuity";
        QTest::newRow("T5013 5") << make<TaxSlipT5013>() << "5" << "Box 5 - Percentage of business (%)";
        QTest::newRow("T4RIF 26") << make<TaxSlipT4RIF>() << "26" << "Box 26 - Spousal RRIF";
        QTest::newRow("RC210 11") << make<TaxSlipRC210>() << "11" << "Box 11 - ACWB disability benefit Amount";
        // Keys are exact texts: no label for a zero-padded key.
        QTest::newRow("T4 014") << make<TaxSlipT4>() << "014" << "";
        QTest::newRow("T4A 127") << make<TaxSlipT4A>() << "127" << "";
    }

    void labels()
    {
        QFETCH(MakeSlip, makeSlip);
        QFETCH(QString, key);
        QFETCH(QString, label);
        const auto slip = makeSlip();
        const auto found = slip->m_boxLabels.find(key.toStdString());
        QCOMPARE(found == slip->m_boxLabels.end() ? QString() : QString(found->second), label);
    }

    void t4BoxTwentyEight_data()
    {
        QTest::addColumn<QByteArray>("children");
        QTest::addColumn<QString>("cpp");
        QTest::addColumn<QString>("ei");
        QTest::addColumn<QString>("ppip");
        QTest::addColumn<QString>("box28");
        QTest::newRow("three codes fill three members")
            << box("28", "1", "ns2:CPPQPPExemptCode") + box("28", "2", "ns2:EmploymentInsurancePremiumExemptCode") +
                   box("28", "Y", "ns2:ProvincialParentalInsurancePlanExemptCode")
            << "1" << "2" << "Y" << "Y";
        QTest::newRow("another ending changes no member")
            << box("28", "1", "ns2:SomeOtherExemptCode") << "" << "" << "" << "1";
        QTest::newRow("the ending must come under box 28")
            << box("29", "1", "ns2:CPPQPPExemptCode") << "" << "" << "" << "";
        QTest::newRow("without a box number it is no code") << named("CPPQPPExemptCode", "1") << "" << "" << ""
                                                             << "";
    }

    void t4BoxTwentyEight()
    {
        QFETCH(QByteArray, children);
        QFETCH(QString, cpp);
        QFETCH(QString, ei);
        QFETCH(QString, ppip);
        QFETCH(QString, box28);
        const auto slip = readSlip<TaxSlipT4>(element("T4Slip", children));
        QVERIFY(slip);
        QCOMPARE(QString::fromStdString(slip->m_cppQppExemptCode), cpp);
        QCOMPARE(QString::fromStdString(slip->m_eiExemptCode), ei);
        QCOMPARE(QString::fromStdString(slip->m_ppipExemptCode), ppip);
        QCOMPARE(QString::fromStdString(slip->getNumberedBoxStrValue("28")), box28);
    }

    // Members taken by the end of a child's name, and the payer and issuer
    // children that carry a box number or not.
    void namedMembers_data()
    {
        QTest::addColumn<ReadSlip>("read");
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<Member>("member");
        QTest::addColumn<QString>("expected");

        QTest::newRow("T4 employer") << reader<TaxSlipT4>() << element("T4Slip", named("EmployerName", "Acme"))
                                     << memberOf(&TaxSlipT4::m_employerName) << "Acme";
        QTest::newRow("T4 employer with a box number is a box")
            << reader<TaxSlipT4>() << element("T4Slip", box("99", "Acme", "ns2:EmployerName"))
            << memberOf(&TaxSlipT4::m_employerName) << "";
        QTest::newRow("T4 province") << reader<TaxSlipT4>() << element("T4Slip", box("10", "ON"))
                                     << memberOf(&TaxSlipT4::m_province) << "ON";
        QTest::newRow("T4A payer") << reader<TaxSlipT4A>() << element("T4ASlip", named("PayerName", "Pension Co"))
                                   << memberOf(&TaxSlipT4A::m_payerName) << "Pension Co";
        QTest::newRow("T4A payer with a box number is a box")
            << reader<TaxSlipT4A>() << element("T4ASlip", box("1", "Pension Co", "ns2:PayerName"))
            << memberOf(&TaxSlipT4A::m_payerName) << "";
        QTest::newRow("T5 payer") << reader<TaxSlipT5>() << element("T5Slip", named("PayerName", "Bank"))
                                  << memberOf(&TaxSlipT5::m_payerName) << "Bank";
        QTest::newRow("T4RIF payer") << reader<TaxSlipT4RIF>() << element("T4RIFSlip", named("PayerName", "Fund"))
                                     << memberOf(&TaxSlipT4RIF::m_payerName) << "Fund";
        QTest::newRow("T4RSP payer") << reader<TaxSlipT4RSP>() << element("T4RSPSlip", named("PayerName", "Trust"))
                                     << memberOf(&TaxSlipT4RSP::m_payerName) << "Trust";
        QTest::newRow("T5007 payer") << reader<TaxSlipT5007>() << element("T5007Slip", named("PayerName", "WSIB"))
                                     << memberOf(&TaxSlipT5007::m_payerName) << "WSIB";
        QTest::newRow("T1204 payer") << reader<TaxSlipT1204>() << element("T1204Slip", named("PayerName", "PWGSC"))
                                     << memberOf(&TaxSlipT1204::m_payerName) << "PWGSC";
        QTest::newRow("T3 trust") << reader<TaxSlipT3>() << element("T3Slip", named("TrustName", "Fund Trust"))
                                  << memberOf(&TaxSlipT3::m_trustName) << "Fund Trust";
        QTest::newRow("T5013 payer") << reader<TaxSlipT5013>()
                                     << element("T5013Slip", named("PayerName", "LP One"))
                                     << memberOf(&TaxSlipT5013::m_payerName) << "LP One";
        QTest::newRow("T5013 issuer is not taken")
            << reader<TaxSlipT5013>() << element("T5013Slip", named("IssuerName", "LP One"))
            << memberOf(&TaxSlipT5013::m_issuerName) << "";
        QTest::newRow("T5008 issuer is the common one")
            << reader<TaxSlipT5008>() << element("T5008Slip", named("IssuerName", "Broker"))
            << memberOf(&TaxSlipT5008::m_issuerName) << "Broker";
        QTest::newRow("receipt issuer with a box number")
            << reader<TaxSlipRRSPReceipt>()
            << element("RRSPContributionReceiptSlip", box("1", "Bank B", "ns2:IssuerName"))
            << memberOf(&TaxSlipRRSPReceipt::m_receiptIssuerName) << "Bank B";
        QTest::newRow("receipt issuer with a box number is not the common issuer")
            << reader<TaxSlipRRSPReceipt>()
            << element("RRSPContributionReceiptSlip", box("1", "Bank B", "ns2:IssuerName"))
            << memberOf(&TaxSlipRRSPReceipt::m_issuerName) << "";
        QTest::newRow("receipt issuer without a box number is both")
            << reader<TaxSlipRRSPReceipt>() << element("RRSPContributionReceiptSlip", named("IssuerName", "Bank B"))
            << memberOf(&TaxSlipRRSPReceipt::m_issuerName) << "Bank B";
        QTest::newRow("receipt number") << reader<TaxSlipRRSPReceipt>()
                                        << element("RRSPContributionReceiptSlip", named("RRSPNumber", "R-1") +
                                                                                      named("RRSPContractNumber", "C-2"))
                                        << memberOf(&TaxSlipRRSPReceipt::m_rrspNumber) << "R-1";
        QTest::newRow("receipt contract number")
            << reader<TaxSlipRRSPReceipt>()
            << element("RRSPContributionReceiptSlip", named("RRSPNumber", "R-1") + named("RRSPContractNumber", "C-2"))
            << memberOf(&TaxSlipRRSPReceipt::m_rrspContractNumber) << "C-2";
        QTest::newRow("receipt spouse indicator")
            << reader<TaxSlipRRSPReceipt>()
            << element("RRSPContributionReceiptSlip", box("24", "1", "ns2:RRSPSpouseContributionIndicator"))
            << memberOf(&TaxSlipRRSPReceipt::m_spouseContributionIndicator) << "1";
        QTest::newRow("receipt prior year")
            << reader<TaxSlipRRSPReceipt>()
            << element("RRSPContributionReceiptSlip", named("PriorYearRRSPContributionAmount", "300.00"))
            << memberOf(&TaxSlipRRSPReceipt::m_priorYearAmount) << "300.00";
        QTest::newRow("receipt current year")
            << reader<TaxSlipRRSPReceipt>()
            << element("RRSPContributionReceiptSlip", named("CurrentYearRRSPContributionAmount", "700.00"))
            << memberOf(&TaxSlipRRSPReceipt::m_currentYearAmount) << "700.00";
        QTest::newRow("shelter payer") << reader<TaxSlipMBRentalAssistSlip>()
                                       << element("ManitobaRentAssistSlip", box("1", "MB", "ns2:PayerName"))
                                       << memberOf(&TaxSlipMBRentalAssistSlip::m_payerName) << "MB";
        QTest::newRow("shelter amount")
            << reader<TaxSlipMBRentalAssistSlip>()
            << element("ManitobaRentAssistSlip", named("ManitobaShelterBenefitAmount", "480.00"))
            << memberOf(&TaxSlipMBRentalAssistSlip::m_shelterBenefitAmount) << "480.00";
        QTest::newRow("FHSA payer") << reader<TaxSlipT4FHSA>()
                                    << element("T4FHSASlip", named("IssuerPayerName", "Credit Union"))
                                    << memberOf(&TaxSlipT4FHSA::m_payerName) << "Credit Union";
        QTest::newRow("FHSA plain payer name is not its payer")
            << reader<TaxSlipT4FHSA>() << element("T4FHSASlip", named("PayerName", "Credit Union"))
            << memberOf(&TaxSlipT4FHSA::m_payerName) << "";
    }

    void namedMembers()
    {
        QFETCH(ReadSlip, read);
        QFETCH(QByteArray, xml);
        QFETCH(Member, member);
        QFETCH(QString, expected);
        const auto slip = read(xml);
        QVERIFY(slip);
        QCOMPARE(QString::fromStdString(member(*slip)), expected);
    }

    void prppMembers()
    {
        const char* const names[] = {
            "EmployeeCurrentYearPooledRegisteredPensionPlanContributionAmount",
            "EmployeeCurrentYearTaxExemptIncomePooledRegisteredPensionPlanContributionAmount",
            "EmployeePriorYearPooledRegisteredPensionPlanContributionAmount",
            "EmployeePriorYearTaxExemptIncomePooledRegisteredPensionPlanContributionAmount",
            "EmployerPooledRegisteredPensionPlanContributionAmount",
            "PooledRegisteredPensionPlanContractNumber",
            "SlipVersionDescription",
        };
        QByteArray children;
        int n = 0;
        for (const char* name : names)
            children += named(name, QByteArray::number(++n).constData());
        const auto slip = readSlip<TaxSlipPRPP>(element("PRPPSlip", children));
        QVERIFY(slip);
        QCOMPARE(slip->m_employeeCurrentYearAmount, std::string("1"));
        QCOMPARE(slip->m_employeeCurrentYearExemptAmount, std::string("2"));
        QCOMPARE(slip->m_employeePriorYearAmount, std::string("3"));
        QCOMPARE(slip->m_employeePriorYearExemptAmount, std::string("4"));
        QCOMPARE(slip->m_employerAmount, std::string("5"));
        QCOMPARE(slip->m_contractNumber, std::string("6"));
        QCOMPARE(slip->m_versionDescription, std::string("7"));
        QCOMPARE(slip->m_version, std::string("7"));
    }

    // Each kind that keeps boxes as members: every such box reaches its
    // member and stays in the box map; a box of another number reaches none.
    void boxMembers_data()
    {
        QTest::addColumn<ReadSlip>("read");
        QTest::addColumn<QByteArray>("slipName");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QList<Member>>("members");

        auto add = [](const char* row, ReadSlip read, const char* slipName,
                      std::initializer_list<std::pair<const char*, Member>> boxes) {
            QStringList keys;
            QList<Member> members;
            for (const auto& b : boxes) {
                keys << b.first;
                members << b.second;
            }
            QTest::newRow(row) << read << QByteArray(slipName) << keys << members;
        };
        using RSP = TaxSlipT4RSP;
        add("T4RSP", reader<RSP>(), "T4RSPSlip",
            {{"16", memberOf(&RSP::m_box16)}, {"18", memberOf(&RSP::m_box18)}, {"20", memberOf(&RSP::m_box20)},
             {"22", memberOf(&RSP::m_box22)}, {"24", memberOf(&RSP::m_box24)}, {"25", memberOf(&RSP::m_box25)},
             {"26", memberOf(&RSP::m_box26)}, {"27", memberOf(&RSP::m_box27)}, {"28", memberOf(&RSP::m_box28)},
             {"30", memberOf(&RSP::m_box30)}});
        using T3 = TaxSlipT3;
        add("T3", reader<T3>(), "T3Slip",
            {{"21", memberOf(&T3::m_box21)}, {"23", memberOf(&T3::m_box23)}, {"25", memberOf(&T3::m_box25)},
             {"26", memberOf(&T3::m_box26)}, {"30", memberOf(&T3::m_box30)}, {"32", memberOf(&T3::m_box32)},
             {"34", memberOf(&T3::m_box34)}, {"39", memberOf(&T3::m_box39)}, {"49", memberOf(&T3::m_box49)},
             {"50", memberOf(&T3::m_box50)}, {"51", memberOf(&T3::m_box51)}});
        using T5007 = TaxSlipT5007;
        add("T5007", reader<T5007>(), "T5007Slip",
            {{"10", memberOf(&T5007::m_box10)}, {"11", memberOf(&T5007::m_box11)}});
        using T1204 = TaxSlipT1204;
        add("T1204", reader<T1204>(), "T1204Slip",
            {{"82", memberOf(&T1204::m_box82)}, {"84", memberOf(&T1204::m_box84)}});
        using AP = TaxSlipT4AP;
        add("T4AP", reader<AP>(), "T4APSlip",
            {{"13", memberOf(&AP::m_box13)}, {"14", memberOf(&AP::m_box14)}, {"15", memberOf(&AP::m_box15)},
             {"16", memberOf(&AP::m_box16)}, {"17", memberOf(&AP::m_box17)}, {"18", memberOf(&AP::m_box18)},
             {"19", memberOf(&AP::m_box19)}, {"20", memberOf(&AP::m_box20)}, {"21", memberOf(&AP::m_box21)},
             {"22", memberOf(&AP::m_box22)}, {"23", memberOf(&AP::m_box23)}});
        using E = TaxSlipT4E;
        add("T4E", reader<E>(), "T4ESlip",
            {{"7", memberOf(&E::m_box7)}, {"14", memberOf(&E::m_box14)}, {"15", memberOf(&E::m_box15)},
             {"17", memberOf(&E::m_box17)}, {"18", memberOf(&E::m_box18)}, {"20", memberOf(&E::m_box20)},
             {"21", memberOf(&E::m_box21)}, {"22", memberOf(&E::m_box22)}, {"23", memberOf(&E::m_box23)},
             {"26", memberOf(&E::m_box26)}, {"30", memberOf(&E::m_box30)}, {"33", memberOf(&E::m_box33)},
             {"37", memberOf(&E::m_box37)}});
        using OAS = TaxSlipT4AOAS;
        add("T4AOAS", reader<OAS>(), "T4AOASSlip",
            {{"18", memberOf(&OAS::m_box18)}, {"19", memberOf(&OAS::m_box19)}, {"20", memberOf(&OAS::m_box20)},
             {"21", memberOf(&OAS::m_box21)}, {"22", memberOf(&OAS::m_box22)}, {"23", memberOf(&OAS::m_box23)}});
        using RC62 = TaxSlipRC62;
        add("RC62", reader<RC62>(), "RC62Slip", {{"10", memberOf(&RC62::m_box10)}, {"12", memberOf(&RC62::m_box12)}});
        using T5008 = TaxSlipT5008;
        add("T5008", reader<T5008>(), "T5008Slip",
            {{"11", memberOf(&T5008::m_box11)}, {"13", memberOf(&T5008::m_box13)}, {"15", memberOf(&T5008::m_box15)},
             {"16", memberOf(&T5008::m_box16)}, {"17", memberOf(&T5008::m_box17)}, {"18", memberOf(&T5008::m_box18)},
             {"19", memberOf(&T5008::m_box19)}, {"20", memberOf(&T5008::m_box20)}, {"21", memberOf(&T5008::m_box21)},
             {"22", memberOf(&T5008::m_box22)}, {"23", memberOf(&T5008::m_box23)}});
    }

    void boxMembers()
    {
        QFETCH(ReadSlip, read);
        QFETCH(QByteArray, slipName);
        QFETCH(QStringList, keys);
        QFETCH(QList<Member>, members);

        QByteArray children;
        for (const QString& key : keys)
            children += box(qPrintable(key), qPrintable("v" + key));
        const auto slip = read(element(slipName.constData(), children));
        QVERIFY(slip);
        for (int i = 0; i < keys.size(); ++i) {
            QCOMPARE(QString::fromStdString(members[i](*slip)), "v" + keys[i]);
            QCOMPARE(QString::fromStdString(slip->getNumberedBoxStrValue(qPrintable(keys[i]))), "v" + keys[i]);
        }

        // Zero-padded keys and keys of other boxes fill no member.
        QByteArray others;
        for (const QString& key : keys)
            others += box(qPrintable("0" + key), "x");
        others += box("99", "x");
        const auto other = read(element(slipName.constData(), others));
        QVERIFY(other);
        for (const Member& member : members)
            QCOMPARE(member(*other), std::string());
    }

    void lastBoxMemberWins()
    {
        const auto slip = readSlip<TaxSlipT4RSP>(element("T4RSPSlip", box("16", "1.00") + box("16", "2.00")));
        QVERIFY(slip);
        QCOMPARE(slip->m_box16, std::string("2.00"));
    }

    void t2202Sessions_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("fromPeriods");

        QTest::newRow("five sessions keep the first four")
            << t2202Element(session(1) + session(2) + session(3) + session(4) + session(5)) << 4
            << QStringList{"2024-01", "2024-02", "2024-03", "2024-04"};
        QTest::newRow("a foreign element is not a session")
            << t2202Element(session(1) + named("Remark", "not a session") + session(2)) << 2
            << QStringList{"2024-01", "2024-02"};
        QTest::newRow("a foreign element first")
            << t2202Element("<ns2:Other>" + named("FromPeriod", "2023-01") + "</ns2:Other>" + session(1)) << 1
            << QStringList{"2024-01"};
        QTest::newRow("foreign elements do not use up the four places")
            << t2202Element(session(1) + named("A", "a") + named("B", "b") + named("C", "c") + session(2) +
                             session(3) + session(4))
            << 4 << QStringList{"2024-01", "2024-02", "2024-03", "2024-04"};
        QTest::newRow("no sessions element") << element("T2202Slip", named("SlipTaxYear", "2024")) << 0
                                             << QStringList{};
        QTest::newRow("empty sessions element") << t2202Element("") << 0 << QStringList{};
        QTest::newRow("session outside the sessions element")
            << element("T2202Slip", session(1)) << 0 << QStringList{};
    }

    void t2202Sessions()
    {
        QFETCH(QByteArray, xml);
        QFETCH(int, count);
        QFETCH(QStringList, fromPeriods);
        const auto slip = readSlip<TaxSlipT2202>(xml);
        QVERIFY(slip);
        QCOMPARE(slip->m_sessionCount, count);
        for (int k = 0; k < count; ++k)
            QCOMPARE(QString::fromStdString(slip->m_fromPeriod[k]), fromPeriods[k]);
        for (int k = count; k < TaxSlipT2202::kMaxSessions; ++k)
            QVERIFY(slip->m_fromPeriod[k].empty());
    }

    void t2202SessionTexts()
    {
        const QByteArray partial = "<ns2:TuitionSessionPeriod>" + named("FromPeriod", "2024-09") +
                                   named("TuitionSessionEligibleFeesAmount", "2500.00") +
                                   "</ns2:TuitionSessionPeriod>";
        const auto slip = readSlip<TaxSlipT2202>(t2202Element(session(1) + partial));
        QVERIFY(slip);
        QCOMPARE(slip->m_sessionCount, 2);
        QCOMPARE(slip->m_toPeriod[0], std::string("2024-11"));
        QCOMPARE(slip->m_partTimeMonths[0], std::string("11"));
        QCOMPARE(slip->m_fullTimeMonths[0], std::string("21"));
        QCOMPARE(slip->m_eligibleFees[0], std::string("1001.00"));
        QCOMPARE(slip->m_fromPeriod[1], std::string("2024-09"));
        QCOMPARE(slip->m_toPeriod[1], std::string());
        QCOMPARE(slip->m_partTimeMonths[1], std::string());
        QCOMPARE(slip->m_fullTimeMonths[1], std::string());
        QCOMPARE(slip->m_eligibleFees[1], std::string("2500.00"));
    }

    void parseOfNullElementReadsNothing()
    {
        TaxSlipT2202 t2202;
        QCOMPARE(t2202.parseXMLData(nullptr), 0);
        QCOMPARE(t2202.m_sessionCount, 0);
        TaxSlipT4 t4;
        QCOMPARE(t4.parseXMLData(nullptr), 0);
        QVERIFY(t4.m_employerName.empty());
    }
};

QTEST_GUILESS_MAIN(TestSlipKinds)
#include "tst_slipkinds.moc"
