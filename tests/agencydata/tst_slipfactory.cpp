// The slip factory of the Auto-fill record: which element becomes which
// slip, the remark, and the 2048 slips a record keeps.
#include <QtTest>

#include "agencydata/records/taxslipkinds.h"
#include "agencydata/records/tddtaxdataoneperson.h"
#include "itemxml.h"

using namespace itemxml;

namespace {

int parseSlips(const QByteArray& xml, TDDTaxDataOnePerson& record)
{
    TiXmlDocument document;
    document.Parse(xml.constData(), nullptr, TIXML_ENCODING_UTF8);
    if (document.Error() || !document.RootElement())
        return kNotWellFormed;
    return record.parseXMLDataForSlips(document.RootElement());
}

QByteArray slips(const QByteArray& children, const QByteArray& attributes = QByteArray())
{
    return "<ns2:Slips xmlns:ns2=\"urn:agency\" xmlns:a=\"urn:a\"" +
           (attributes.isEmpty() ? QByteArray() : " " + attributes) + ">" + children + "</ns2:Slips>";
}

QByteArray slip(const QByteArray& name, const QByteArray& employer = "Maple Works")
{
    return "<" + name + "><ns2:SlipTaxYear>2024</ns2:SlipTaxYear><ns2:EmployerName>" + employer +
           "</ns2:EmployerName><ns2:Amount boxNumber=\"14\">52000.00</ns2:Amount></" + name + ">";
}

} // namespace

class TestSlipFactory : public QObject
{
    Q_OBJECT
private slots:
    void elementNames_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("slipType");
        const struct
        {
            const char* name;
            int type;
        } kinds[] = {{"T4Slip", 1},         {"T4ASlip", 2},     {"T4ESlip", 5},
                     {"RC62Slip", 17},      {"T5Slip", 8},      {"T3Slip", 9},
                     {"T4AOASSlip", 6},     {"T4RSPSlip", 4},   {"T4APSlip", 3},
                     {"T2202Slip", 25},     {"T5007Slip", 11},  {"T5008Slip", 19},
                     {"T5013Slip", 13},     {"T4RIFSlip", 7},   {"RC210Slip", 18},
                     {"RRSPContributionReceiptSlip", 20},       {"ManitobaRentAssistSlip", 21},
                     {"PRPPSlip", 22},      {"T1204Slip", 23},  {"T4FHSASlip", 26}};
        for (const auto& kind : kinds)
            QTest::newRow(kind.name) << QByteArray("ns2:") + kind.name << kind.type;
        QTest::newRow("lower case, no prefix") << QByteArray("t4slip") << 1;
        QTest::newRow("upper case") << QByteArray("ns2:T4FHSASLIP") << 26;
    }

    void elementNames()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, slipType);
        TDDTaxDataOnePerson record(2024);
        QCOMPARE(parseSlips(slips(slip(name)), record), 1);
        QCOMPARE(record.slips[0]->slipType(), slipType);
        QCOMPARE(record.unknownSlipElements, 0);
        // The common reading and the kind's own both ran.
        QCOMPARE(record.slips[0]->m_taxYear, std::string("2024"));
        QCOMPARE(record.slips[0]->getNumberedBoxStrValue("14"), std::string("52000.00"));
    }

    void t4SlipIsReadAsT4()
    {
        TDDTaxDataOnePerson record(2024);
        QCOMPARE(parseSlips(slips(slip("ns2:T4Slip", "North Shore") + slip("t4slip", "South Shore")), record), 2);
        for (int i = 0; i < 2; ++i)
            QVERIFY(dynamic_cast<TaxSlipT4*>(record.slips[i].get()));
        QCOMPARE(static_cast<TaxSlipT4&>(*record.slips[0]).m_employerName, std::string("North Shore"));
        QCOMPARE(static_cast<TaxSlipT4&>(*record.slips[1]).m_employerName, std::string("South Shore"));
    }

    // Only the part after the first ':' is the kind, so a name with two
    // prefixes is no kind; it is skipped and counted, as any unknown name.
    void unknownNamesAreSkipped_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("two prefixes") << QByteArray("a:b:T4Slip");
        QTest::newRow("unknown kind") << QByteArray("ns2:T4PSSlip");
        QTest::newRow("kind with a suffix") << QByteArray("ns2:T4SlipX");
    }

    void unknownNamesAreSkipped()
    {
        QFETCH(QByteArray, name);
        TDDTaxDataOnePerson record(2024);
        QCOMPARE(parseSlips(slips(slip(name) + slip("ns2:T5Slip")), record), 1);
        QCOMPARE(record.slips[0]->slipType(), 8);
        QCOMPARE(record.unknownSlipElements, 1);
    }

    void remarkWithoutSlips()
    {
        TDDTaxDataOnePerson record(2024);
        QCOMPARE(parseSlips(slips(QByteArray(), "remark=\"No slips on file\""), record), 0);
        QCOMPARE(record.remark, std::string("No slips on file"));
        QCOMPARE(record.slipCount(), 0);
        QCOMPARE(record.slips.dropped(), 0);
    }

    void remarkKeptWhenNoneSent()
    {
        TDDTaxDataOnePerson record(2024);
        record.remark = "earlier";
        QCOMPARE(parseSlips(slips(slip("ns2:T4Slip")), record), 1);
        QCOMPARE(record.remark, std::string("earlier"));
    }

    // Unknown names between the slips do not count toward the 2048 a record
    // keeps; the 2049th known slip is dropped and counted.
    void keepsAtMost2048Slips()
    {
        QByteArray children;
        children.reserve(2049 * 160);
        const QByteArray t4 = slip("ns2:T4Slip");
        const QByteArray unknown = slip("ns2:NotASlip");
        for (int i = 0; i < 2049; ++i) {
            children += t4;
            if (i % 100 == 0)
                children += unknown;
        }
        TDDTaxDataOnePerson record(2024);
        QCOMPARE(parseSlips(slips(children), record), 2048);
        QCOMPARE(record.slipCount(), TDDTaxDataOnePerson::kMaxSlips);
        QCOMPARE(record.slips.dropped(), 1);
        QCOMPARE(record.unknownSlipElements, 21);
    }

    void slipsOfAnItem()
    {
        TDDTaxDataOnePerson record(2024);
        QCOMPARE(parseItem(item(identifier() + el("Slips", slip("ns2:T4Slip") + slip("ns2:T2202Slip"),
                                                  "remark=\"two\"")),
                           record),
                 0);
        QCOMPARE(record.slipCount(), 2);
        QCOMPARE(record.slips[1]->slipType(), 25);
        QCOMPARE(record.remark, std::string("two"));
    }
};

QTEST_GUILESS_MAIN(TestSlipFactory)
#include "tst_slipfactory.moc"
