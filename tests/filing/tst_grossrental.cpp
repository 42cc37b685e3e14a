// Gross rental income (line 12599) as the calculation leaves it on the T1
// and as the electronic return and the T1 barcode carry it, read back from
// what they hold.
#include <QtTest>

#include "companion/forms/federal/others.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "efilefixture.h"
#include "filing/GenerateElectronicFile.h"
#include "filing/barcodet1record.h"
#include "model/cfamilytaxdata.h"
#include "model/dialogrecords.h"
#include "model/individualtaxdata.h"

namespace {

// Rents of one T776 and, when rentsShare is not zero, a T5013 slip's
// rental activity (gross and net).
struct Rents
{
    double statementRents = 0;
    double statementExpenses = 0;
    double partnershipGross = 0;
    double partnershipNet = 0;
    double typedOnT1 = 0; // on line 12599 before the calculation (an older file's)
    bool withStatement = true;
};

// The value of one free-format line in the XML, empty when it is not sent.
QString xmlLine(const QString& xml, int line)
{
    const QString open = QStringLiteral("<t1:FreeFormatLine LineCode=\"%1\">").arg(line);
    const int at = xml.indexOf(open);
    if (at < 0)
        return QString();
    const int from = at + open.size();
    return xml.mid(from, xml.indexOf(QLatin1Char('<'), from) - from);
}

// The free-format item of a line in the T1 barcode block (after the fixed
// record, items joined by '-', closed by "-EOD"), without its line code.
QByteArray barcodeLine(const QByteArray& block, int line)
{
    const QByteArray code = QByteArray::number(line);
    for (const QByteArray& item : block.mid(T1ReturnBarcodeFixedData::kLength).split('-'))
        if (item.startsWith(code))
            return item.mid(code.size());
    return QByteArray();
}

} // namespace

Q_DECLARE_METATYPE(Rents)

class TestGrossRental : public QObject
{
    Q_OBJECT
private slots:
    void line12599IsTheStatementsGross_data();
    void line12599IsTheStatementsGross();
};

void TestGrossRental::line12599IsTheStatementsGross_data()
{
    QTest::addColumn<Rents>("rents");
    QTest::addColumn<double>("line12599");
    QTest::addColumn<QString>("xml");
    QTest::addColumn<QByteArray>("barcode");
    // The barcode carries cents without a point: 12,000.00 is 1200000.
    QTest::newRow("one statement of 12,000 rents")
        << Rents{12000, 3000, 0, 0, 0, true} << 12000.0 << "12000.00" << QByteArray("1200000");
    // T776 gross 12,000 + T5013 rental gross 3,000 = 15,000.
    QTest::newRow("statement and partnership rents")
        << Rents{12000, 3000, 3000, 1000, 0, true} << 15000.0 << "15000.00" << QByteArray("1500000");
    // A statement with no rent yet: the agency still wants the line, as 1.
    QTest::newRow("statement without rent") << Rents{0, 0, 0, 0, 0, true} << 0.0 << "1.00" << QByteArray("100");
    // The statement's gross replaces what was typed: 8,400 -> 12,000.
    QTest::newRow("left over amount under a statement")
        << Rents{12000, 3000, 0, 0, 8400, true} << 12000.0 << "12000.00" << QByteArray("1200000");
    // No rental statement at all: no gross rent, and no rental lines sent.
    QTest::newRow("left over amount, no statement") << Rents{0, 0, 0, 0, 8400, false} << 0.0 << QString()
                                                    << QByteArray();
}

void TestGrossRental::line12599IsTheStatementsGross()
{
    QFETCH(Rents, rents);
    QFETCH(double, line12599);
    QFETCH(QString, xml);
    QFETCH(QByteArray, barcode);

    // The line is the statements' alone: the page shows it read-only.
    QVERIFY(TaxData_T1New().line12599GrossRental.isComputed());
    efilefixture::useSoftwareCodes();
    CFamilyTaxData family;
    NewReturnBasicData record;
    record.FirstName = "Jean";
    record.LastName = "Tremblay";
    record.sin = "123456782";
    record.TaxPronv = efilefixture::kOntario;
    record.MaritalStatus = 5;
    family.NewData(&record);
    IndividualTaxData& person = *family.getTaxpayer();
    person.GetT1()->line12599GrossRental.m_value = rents.typedOnT1;
    if (rents.withStatement) {
        auto* t776 = qobject_cast<TaxData_T776New*>(person.NewFormDataItem(FORM_T776, 0, true, 0, true)->data);
        QVERIFY(t776);
        t776->line8141GrossRents.m_value = rents.statementRents;
        t776->line9270OtherExpenses.m_value = rents.statementExpenses;
    }
    if (!qFuzzyIsNull(rents.partnershipGross)) {
        auto* t5013 = qobject_cast<CTaxData_T5013*>(person.NewFormDataItem(ENUMTYPE_FORM(38), 0, true, 0, true)->data);
        QVERIFY(t5013);
        t5013->RentalGross.m_value = rents.partnershipGross;
        t5013->RentalNet.m_value = rents.partnershipNet;
    }
    family.Calculate(-1, nullptr);

    QCOMPARE(person.GetT1()->line12599GrossRental.m_value, line12599);

    CString document;
    QCOMPARE(CreateElectronicFile(family, document, efilefixture::kDirerad), int(ElectronicFileBuilt));
    QCOMPARE(xmlLine(document, 12599), xml);

    CMemoryBlock block;
    GenerateT1Barcode(person, block);
    QVERIFY(block.bytes().endsWith("-EOD"));
    QCOMPARE(barcodeLine(block.bytes(), 12599), barcode);
}

QTEST_GUILESS_MAIN(TestGrossRental)
#include "tst_grossrental.moc"
