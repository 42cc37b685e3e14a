// The electronic return XML of the fixture taxpayer Jean Tremblay: its
// root and namespaces, the opening part's keys, the address, spouse,
// telephone and bankruptcy data, and escaping of what the user typed.
#include <QtTest>

#include "efilefixture.h"
#include "model/cfamilytaxdata.h"
#include "model/dialogrecords.h"

using namespace efilefixture;

class TestEfileXml : public QObject
{
    Q_OBJECT
private slots:
    void rootAndNamespaces_data();
    void rootAndNamespaces();
    void softwareIdAndAmendedIndicator_data();
    void softwareIdAndAmendedIndicator();
    void multiYearIndicator();
    void foreignMailingAddress_data();
    void foreignMailingAddress();
    void careOfAndNamesAreEscapedOnce();
    void careOfCutBeforeEscaping();
    void spouseNetIncome_data();
    void spouseNetIncome();
    void bankruptcyIncome_data();
    void bankruptcyIncome();
    void dateOfMove_data();
    void dateOfMove();
    void telephone_data();
    void telephone();
    void personWithoutT1GivesNothing();
    void familyBuildsTheCurrentPerson();
};

void TestEfileXml::rootAndNamespaces_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("requestPath");
    QTest::addColumn<bool>("efilePrefixes");
    QTest::newRow("DIRERAD") << int(kDirerad) << "/xmlns/t1rq/request/1-0-0" << false;
    QTest::newRow("EFILE") << int(kEfile) << "/xmlns/t1rq/efilerequest/1-0-0" << true;
}

void TestEfileXml::rootAndNamespaces()
{
    QFETCH(int, mode);
    QFETCH(QString, requestPath);
    QFETCH(bool, efilePrefixes);
    Taxpayer jean;
    const CString xml = jean.document(mode);
    const ParsedDocument doc = parse(xml);
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    QCOMPARE(doc.root, QStringLiteral("t1:T1Return"));
    // The templates' lines end in CR LF, and so does the document.
    QVERIFY(xml.contains("</comm:SoftwareID>\r\n<comm:SoftwareRevisionDate>"));
    QVERIFY(xml.endsWith("</t1:T1Return>\r\n"));
    const QString host = QString::fromLatin1(kAgencyNamespaceHost);
    const QMap<QString, QString> paths{{"ccms", "/xmlns/ccms/1-1-0"},       {"comm", "/xmlns/comm/2025/1-0-0"},
                                       {"sfd", "/xmlns/sfd/2025/1-0-0"},    {"t1", "/xmlns/t1/2025/1-0-0"},
                                       {"t1134", "/xmlns/t1134/2021/1-0-0"}, {"t1135", "/xmlns/t1135/2021/1-0-0"},
                                       {"t1rq", requestPath},               {"tp", "/xmlns/tp/2025/1-0-0"}};
    for (auto it = paths.begin(); it != paths.end(); ++it)
        QCOMPARE(doc.namespaces.value(it.key()), host + it.value());
    QCOMPARE(doc.namespaces.contains("ef"), efilePrefixes);
    QCOMPARE(doc.namespaces.contains("sdt"), efilePrefixes);
    if (efilePrefixes) {
        QCOMPARE(doc.namespaces.value("ef"), host + "/xmlns/ef/2025/1-0-0");
        QCOMPARE(doc.namespaces.value("sdt"), host + "/xmlns/sdt/2-2-0");
    }
    // The fixture's identity reaches the document.
    QCOMPARE(doc.text("tp:TaxpayerSocialInsuranceNumber"), QStringLiteral("123456782"));
    QCOMPARE(doc.text("tp:TaxYear"), QStringLiteral("2024"));
    QCOMPARE(doc.text("tp:TaxpayerBirthDate"), QStringLiteral("1975-06-15"));
    QCOMPARE(doc.text("tp:TaxpayerYearEndResidenceProvinceCode"), QStringLiteral("ON"));
    QVERIFY(!doc.has("tp:MultipleJurisdictionIndicator"));
}

void TestEfileXml::softwareIdAndAmendedIndicator_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("refile");
    QTest::addColumn<QString>("softwareId");
    QTest::newRow("DIRERAD") << int(kDirerad) << 0 << "097G";
    QTest::newRow("DIRERAD ReFILE") << int(kDirerad) << 1 << "097S";
    QTest::newRow("EFILE") << int(kEfile) << 0 << "E42F";
    QTest::newRow("EFILE amended") << int(kEfile) << 1 << "E42R";
}

void TestEfileXml::softwareIdAndAmendedIndicator()
{
    QFETCH(int, mode);
    QFETCH(int, refile);
    QFETCH(QString, softwareId);
    Taxpayer jean;
    jean.t1().ReFileFlag.m_value = refile;
    const ParsedDocument doc = parse(jean.document(mode));
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    QCOMPARE(doc.text("comm:SoftwareID"), softwareId);
    QCOMPARE(doc.text("comm:SoftwareRevisionDate"), mode == kDirerad ? QStringLiteral("2024-12-13") : QStringLiteral("2024-12-14"));
    QCOMPARE(doc.has("t1:AmendedTaxReturnIndicator"), refile != 0);
    if (refile)
        QCOMPARE(doc.text("t1:AmendedTaxReturnIndicator"), QStringLiteral("1"));
}

void TestEfileXml::multiYearIndicator()
{
    for (unsigned char mode : {kDirerad, kEfile}) {
        Taxpayer jean;
        ParsedDocument doc = parse(jean.document(mode));
        QVERIFY(!doc.has("t1:MultipleTaxYearReturnIndicator"));
        jean.t1().MultiYearFlag.m_value = 1;
        doc = parse(jean.document(mode));
        QCOMPARE(doc.count("t1:MultipleTaxYearReturnIndicator"), 1);
        QCOMPARE(doc.text("t1:MultipleTaxYearReturnIndicator"), QStringLiteral("1"));
        QVERIFY(!doc.has("tp:MultipleJurisdictionIndicator"));
    }
}

void TestEfileXml::foreignMailingAddress_data()
{
    QTest::addColumn<QString>("country");
    QTest::addColumn<bool>("usFields");
    QTest::newRow("usa, any case") << " usa " << true;
    QTest::newRow("France") << "FRA" << false;
}

void TestEfileXml::foreignMailingAddress()
{
    QFETCH(QString, country);
    QFETCH(bool, usFields);
    Taxpayer jean;
    TaxData_T1New& t1 = jean.t1();
    t1.ForeignMailingAddress.m_value = 1;
    t1.AddressLine1.m_value = CString("12 Rue & Co");
    t1.City.m_value = CString("Burlington");
    t1.State.m_value = CString(" VT ");
    t1.PostalCode.m_value = CString(" 05401 ");
    t1.Country.m_value = CString(country);

    const ParsedDocument direrad = parse(jean.document(kDirerad));
    QVERIFY2(direrad.wellFormed, qPrintable(direrad.error));
    QCOMPARE(direrad.text("tp:ForeignMailingAddressIndicator"), QStringLiteral("1"));
    QVERIFY(!direrad.has("tp:TaxpayerMailingAddress"));

    const ParsedDocument efile = parse(jean.document(kEfile));
    QVERIFY2(efile.wellFormed, qPrintable(efile.error));
    QVERIFY(efile.has("comm:NonCanadianMailingAddress"));
    QVERIFY(!efile.has("comm:CanadianMailingAddress"));
    QVERIFY(!efile.has("tp:ForeignMailingAddressIndicator"));
    QCOMPARE(efile.text("comm:AddressStreetText"), QStringLiteral("12 Rue & Co"));
    QCOMPARE(efile.text("comm:GlobalAddressMunicipalityName"), QStringLiteral("Burlington"));
    QCOMPARE(efile.text("comm:CountryCode"), country.trimmed());
    QCOMPARE(efile.has("comm:StateCode"), usFields);
    QCOMPARE(efile.has("comm:USZipCode"), usFields);
    if (usFields) {
        QCOMPARE(efile.text("comm:StateCode"), QStringLiteral("VT"));
        QCOMPARE(efile.text("comm:ZipCode"), QStringLiteral("05401"));
    }
}

void TestEfileXml::careOfAndNamesAreEscapedOnce()
{
    Taxpayer jean;
    jean.t1().CareOfLine.m_value = CString("c/o Smith & Co");
    jean.t1().FirstName.m_value = CString("Anne & Marie");
    jean.t1().Email.m_value = CString("jean<tremblay>@example.ca");

    const CString direradXml = jean.document(kDirerad);
    const ParsedDocument direrad = parse(direradXml);
    QVERIFY2(direrad.wellFormed, qPrintable(direrad.error));
    QCOMPARE(direrad.text("comm:AddressCareOfLineText"), QStringLiteral("c/o Smith & Co"));
    QVERIFY(direradXml.contains("c/o Smith &amp; Co"));
    QCOMPARE(direrad.text("tp:TaxpayerEmailAddress"), QStringLiteral("jean<tremblay>@example.ca"));
    // The DIRERAD return never carries the names.
    QCOMPARE(direrad.text("comm:GivenName"), QString());

    const CString efileXml = jean.document(kEfile);
    const ParsedDocument efile = parse(efileXml);
    QVERIFY2(efile.wellFormed, qPrintable(efile.error));
    QVERIFY(efileXml.contains("<comm:GivenName>Anne &amp; Marie</comm:GivenName>"));
    QVERIFY(!efileXml.contains("&amp;amp;"));
    QCOMPARE(efile.text("comm:GivenName"), QStringLiteral("Anne & Marie"));
    QCOMPARE(efile.text("comm:FamilyName"), QStringLiteral("Tremblay"));
    QCOMPARE(efile.text("comm:AddressCareOfLineText"), QStringLiteral("c/o Smith & Co"));
}

void TestEfileXml::careOfCutBeforeEscaping()
{
    Taxpayer jean;
    const QString careOf = QStringLiteral("c/o Tremblay Brothers Ltd& Sons"); // '&' is the 26th character
    QCOMPARE(careOf.at(25), QLatin1Char('&'));
    jean.t1().CareOfLine.m_value = CString(careOf);
    const CString xml = jean.document(kDirerad);
    const ParsedDocument doc = parse(xml);
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    QCOMPARE(doc.text("comm:AddressCareOfLineText"), careOf.left(26));
    QVERIFY(xml.contains("Ltd&amp;</comm:AddressCareOfLineText>"));
}

void TestEfileXml::spouseNetIncome_data()
{
    QTest::addColumn<double>("netIncome");
    QTest::addColumn<QString>("sent"); // empty: no element
    QTest::newRow("0.4 is none") << 0.4 << QString();
    QTest::newRow("0.5 goes up to 1") << 0.5 << "1";
    QTest::newRow("1234.49") << 1234.49 << "1234";
    QTest::newRow("a loss is none") << -250.0 << QString();
}

void TestEfileXml::spouseNetIncome()
{
    QFETCH(double, netIncome);
    QFETCH(QString, sent);
    Taxpayer jean;
    TaxData_T1New& t1 = jean.t1();
    t1.MaritalStatus.m_value = 0; // married
    t1.SpouseSIN.m_value = CString("130692544");
    t1.SpouseFirstName.m_value = CString("Marie-Ève");
    t1.SpouseNetIncome.m_value = netIncome;
    const ParsedDocument doc = parse(jean.document(kDirerad));
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    QVERIFY(doc.has("tp:TaxpayerSpouseData"));
    QCOMPARE(doc.text("tp:SpouseSocialInsuranceNumber"), QStringLiteral("130692544"));
    QCOMPARE(doc.text("tp:SpouseGivenName"), QStringLiteral("Mari"));
    QCOMPARE(doc.has("tp:SpouseNetIncomeAmount"), !sent.isEmpty());
    QCOMPARE(doc.text("tp:SpouseNetIncomeAmount"), sent);
}

void TestEfileXml::bankruptcyIncome_data()
{
    QTest::addColumn<double>("income");
    QTest::addColumn<QString>("sent");
    QTest::newRow("0 is sent as 1") << 0.0 << "1";
    QTest::newRow("-0.505 is sent as 1") << -0.505 << "1";
    QTest::newRow("-0.6 is sent as -1") << -0.6 << "-1";
    QTest::newRow("1234.5 rounds up") << 1234.5 << "1235";
}

void TestEfileXml::bankruptcyIncome()
{
    QFETCH(double, income);
    QFETCH(QString, sent);
    Taxpayer jean;
    jean.t1().BankruptcyDate.m_value = QDate(2024, 5, 1);
    jean.t1().PostBankruptcyNetIncome.m_value = income;
    jean.t1().PostBankruptcyAdjustedNetIncome.m_value = income;
    const ParsedDocument efile = parse(jean.document(kEfile));
    QVERIFY2(efile.wellFormed, qPrintable(efile.error));
    QCOMPARE(efile.text("t1:BankruptcyIndicator"), QStringLiteral("1"));
    QCOMPARE(efile.text("t1:PostBankruptcyNetIncomeAmount"), sent);
    QCOMPARE(efile.text("t1:PostBankruptcyAdjustedNetIncomeAmount"), sent);
    // The DIRERAD return has no bankruptcy part.
    QVERIFY(!parse(jean.document(kDirerad)).has("t1:BankruptcyData"));
}

void TestEfileXml::dateOfMove_data()
{
    QTest::addColumn<QDate>("moved");
    QTest::addColumn<QString>("sent");
    QTest::newRow("2023 is not sent") << QDate(2023, 11, 30) << QString();
    QTest::newRow("2024 is sent") << QDate(2024, 3, 1) << "2024-03-01";
    QTest::newRow("no date") << QDate() << QString();
}

void TestEfileXml::dateOfMove()
{
    QFETCH(QDate, moved);
    QFETCH(QString, sent);
    Taxpayer jean;
    jean.t1().DateOfMove.m_value = moved;
    const ParsedDocument doc = parse(jean.document(kDirerad));
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    QCOMPARE(doc.has("tp:ProvinceOfResidenceEffectiveDate"), !sent.isEmpty());
    QCOMPARE(doc.text("tp:ProvinceOfResidenceEffectiveDate"), sent);
}

void TestEfileXml::telephone_data()
{
    QTest::addColumn<QString>("phone");
    QTest::addColumn<QString>("areaCode"); // empty: no telephone element
    QTest::addColumn<QString>("localNumber");
    QTest::newRow("leading 1 dropped") << "1-613-555-0199" << "613" << "5550199";
    QTest::newRow("ten digits") << "(613) 555 0199" << "613" << "5550199";
    QTest::newRow("seven digits") << "555-0199" << QString() << QString();
    QTest::newRow("eleven digits not starting with 1") << "2-613-555-0199" << QString() << QString();
    QTest::newRow("empty") << QString() << QString() << QString();
}

void TestEfileXml::telephone()
{
    QFETCH(QString, phone);
    QFETCH(QString, areaCode);
    QFETCH(QString, localNumber);
    Taxpayer jean;
    jean.t1().HomePhone.m_value = CString(phone);
    const ParsedDocument doc = parse(jean.document(kDirerad));
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    QCOMPARE(doc.has("tp:TaxpayerHomeTelephoneNumber"), !areaCode.isEmpty());
    QCOMPARE(doc.text("comm:TelephoneAreaCode"), areaCode);
    QCOMPARE(doc.text("comm:TelephoneLocalNumber"), localNumber);
}

void TestEfileXml::personWithoutT1GivesNothing()
{
    DependantInfoStruct dependants{12};
    IndividualTaxData nobody{0, &dependants};
    CString xml("kept");
    QCOMPARE(CreateElectronicFile(nobody, xml, kDirerad), int(ElectronicFileNoReturn));
    QCOMPARE(static_cast<QString>(xml), QStringLiteral("kept"));
}

void TestEfileXml::familyBuildsTheCurrentPerson()
{
    useSoftwareCodes();
    CFamilyTaxData family;
    NewReturnBasicData data;
    data.FirstName = CString("Jean");
    data.LastName = CString("Tremblay");
    data.sin = CString("123456782");
    data.dob = QDate(1975, 6, 15);
    data.TaxPronv = kOntario;
    data.MaritalStatus = 5;
    family.NewData(&data);
    CString xml;
    QCOMPARE(CreateElectronicFile(family, xml, kDirerad), int(ElectronicFileBuilt));
    const ParsedDocument doc = parse(xml);
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    QCOMPARE(doc.text("tp:TaxpayerSocialInsuranceNumber"), QStringLiteral("123456782"));
}

QTEST_GUILESS_MAIN(TestEfileXml)
#include "tst_efilexml.moc"
