#include <QtTest>

#include "companion/forms/catalogue.h"

#include <set>

// Facts the return model relies on, checked against the tables.
class TestCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void formPredicates_data();
    void formPredicates();
    void sfdFormsAreExactlyTheStatements();
    void everyRowDescribesItsOwnType();
    void federalFactoryTypesAreFederal();
    void outOfRangeTypesAnswerSafely_data();
    void outOfRangeTypesAnswerSafely();
    void expiryDependsOnProvince_data();
    void expiryDependsOnProvince();
    void provinces_data();
    void provinces();
    void provinceCodesMapBack();
    void provincialFormsBelongToTheirProvince();
    void slips_data();
    void slips();
    void interviewDataRows();
    void mandatoryForms_data();
    void mandatoryForms();
};

void TestCatalogue::formPredicates_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("sfd");
    QTest::addColumn<bool>("multiple");
    QTest::addColumn<bool>("sharable");
    QTest::addColumn<bool>("expired");
    QTest::addColumn<bool>("dependants");
    QTest::addColumn<int>("province");
    QTest::addColumn<QString>("code");

    QTest::newRow("T1") << 1 << false << false << false << false << true << 0 << "T1";
    QTest::newRow("Schedule 1 retired") << 2 << false << false << false << true << false << 0 << "Sch. 1";
    QTest::newRow("Schedule 5") << 6 << false << false << false << false << true << 0 << "Sch. 5";
    QTest::newRow("T776 rental") << 12 << true << true << true << false << false << 0 << "T776";
    QTest::newRow("T2032 before 2008") << 19 << false << false << false << true << false << 0 << "T2032";
    QTest::newRow("T2042 farming") << 21 << true << true << true << false << false << 0 << "T2042";
    QTest::newRow("ON428") << 24 << false << false << false << false << true << 9 << "ON428";
    QTest::newRow("T2209 per country") << 35 << false << true << false << false << false << 0 << "T2209";
    QTest::newRow("T2121 fishing") << 51 << true << true << true << false << false << 0 << "T2121";
    QTest::newRow("T777") << 59 << true << false << false << false << false << 0 << "T777";
    QTest::newRow("SK428") << 81 << false << false << false << false << true << 12 << "SK428";
    QTest::newRow("TL2") << 92 << true << false << false << false << false << 0 << "TL2";
    QTest::newRow("return summary") << 93 << false << false << false << false << true << 0 << "Summary";
    QTest::newRow("dropped on reading 100") << 100 << false << false << false << true << false << 0 << "RC201";
    QTest::newRow("T1032 shared") << 118 << false << false << true << false << false << 0 << "T1032";
    QTest::newRow("T2125") << 125 << true << true << true << false << false << 0 << "T2125";
    QTest::newRow("T2125 commission") << 131 << true << true << true << false << false << 0 << "T2125 (comm.)";
    QTest::newRow("T2091") << 147 << true << true << true << false << false << 0 << "T2091(IND)";
    QTest::newRow("placeholder 151") << 151 << false << false << false << true << false << 0 << "Sch. 1-A";
    QTest::newRow("T1255") << 160 << true << true << true << false << false << 0 << "T1255";
    QTest::newRow("placeholder 166") << 166 << false << false << false << true << false << 0 << "Sch. 14";
    QTest::newRow("never created 177") << 177 << false << false << false << true << false << 0 << "";
    QTest::newRow("T777S") << 179 << true << false << false << false << false << 0 << "T777S";
    QTest::newRow("last row 210") << 210 << false << false << false << false << false << 0 << "WS Div./Int.";
}

void TestCatalogue::formPredicates()
{
    QFETCH(int, type);
    QFETCH(bool, sfd);
    QFETCH(bool, multiple);
    QFETCH(bool, sharable);
    QFETCH(bool, expired);
    QFETCH(bool, dependants);
    QFETCH(int, province);
    QFETCH(QString, code);
    QCOMPARE(IsSFDForm(type), sfd);
    QCOMPARE(IsMultipleForm(type), multiple);
    QCOMPARE(IsFormSharable(type), sharable);
    QCOMPARE(IsFormExpired(type, 0), expired);
    QCOMPARE(IsFormDependantRelated(type), dependants);
    QCOMPARE(getFormProv(type), province);
    QCOMPARE(QString::fromUtf8(getFormCode(type)), code);
    QVERIFY(*getFormName(type) != '\0');
}

void TestCatalogue::sfdFormsAreExactlyTheStatements()
{
    // The barcode and the electronic return write one record per statement
    // form; only these may answer true (38, 109 and 15 are counted apart).
    const std::set<int> required{12, 21, 51, 125, 131, 59, 92, 147, 160, 179};
    const std::set<int> allowed{38, 109, 15};
    for (int type = -5; type <= 220; ++type) {
        if (required.count(type))
            QVERIFY2(IsSFDForm(type), qPrintable(QString::number(type)));
        else if (!allowed.count(type))
            QVERIFY2(!IsSFDForm(type), qPrintable(QString::number(type)));
    }
}

void TestCatalogue::everyRowDescribesItsOwnType()
{
    std::set<QByteArray> constNames;
    for (int type = 0; type <= FORMTYPE_LAST; ++type) {
        const STRUCT_FORM_INFO& row = Global_Forms_Info[type];
        QCOMPARE(row.type, type);
        // Generated type definitions need one distinct identifier per row.
        QVERIFY(*row.constName != '\0');
        QVERIFY2(constNames.insert(row.constName).second, row.constName);
        // Retired rows get no layout; live ones do.
        QCOMPARE(*row.layoutFile == '\0', row.expired);
        if (row.expired)
            QVERIFY(!row.addable);
    }
    for (int type = 0; type <= SLIPTYPE_LAST; ++type)
        QCOMPARE(Global_Slips_Info[type].type, type);
    for (int p = 0; p < PROVINCE_COUNT; ++p)
        QCOMPARE(Global_Provs_Info[p].province, p);
}

void TestCatalogue::federalFactoryTypesAreFederal()
{
    // The numbers the federal form factory makes: all federal, and live
    // except the retired ones kept only so that older files still read
    // (Schedule 8 before 2014 among them).
    const int federal[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 17, 18, 20, 21, 23, 28, 29,
                           30, 31, 32, 35, 37, 38, 39, 40, 49, 51, 52, 53, 55, 57, 59, 89, 92, 93, 96,
                           97, 101, 102, 103, 105, 107, 113, 116, 117, 118, 119, 124, 125, 131, 133,
                           136, 137, 138, 139, 145, 147, 148, 149, 150, 151, 157, 159, 160, 165, 166,
                           171, 173, 174, 179, 181, 184, 185, 186, 193, 198, 199, 205, 207, 209, 210};
    const std::set<int> placeholders{2, 5, 8, 151, 166};
    int count = 0;
    for (int type : federal) {
        ++count;
        QCOMPARE(getFormProv(type), 0);
        QCOMPARE(IsFormExpired(type, 0), placeholders.count(type) == 1);
    }
    QCOMPARE(count, 85);
    // Dropped on reading whatever the year, and the pre-2008 statements.
    for (int type : {100, 114, 115, 120, 134, 141, 19, 22, 33, 177, 178})
        QVERIFY2(IsFormExpired(type, 0), qPrintable(QString::number(type)));
}

void TestCatalogue::outOfRangeTypesAnswerSafely_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("zero") << 0;
    QTest::newRow("one past the last") << 211;
    QTest::newRow("large") << 70000;
    QTest::newRow("negative") << -1;
    QTest::newRow("most negative") << int(0x80000000);
}

void TestCatalogue::outOfRangeTypesAnswerSafely()
{
    QFETCH(int, type);
    QVERIFY(!getFormInfo(type));
    QVERIFY(!IsSFDForm(type));
    QVERIFY(!IsMultipleForm(type));
    QVERIFY(!IsFormSharable(type));
    QVERIFY(!IsFormDependantRelated(type));
    QVERIFY(IsFormExpired(type, 0));
    QCOMPARE(getFormProv(type), -1);
    QCOMPARE(QByteArray(getFormName(type)), QByteArray());
    QVERIFY(!getSlipInfo(type));
    QVERIFY(!IsSlipSharable(type));
    QCOMPARE(QByteArray(getSlipName(type)), QByteArray());
    QCOMPARE(QByteArray(getTaxWizardName(type)), QByteArray());
    QVERIFY(!IsProvinceSupported(type));
    QCOMPARE(QByteArray(getProvName(type)), QByteArray());
    QVERIFY(!getProvinceForms(type));
    QVERIFY(!IsFormMandatory(EDITION_ALL, type, type));
}

void TestCatalogue::expiryDependsOnProvince_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("province");
    QTest::addColumn<bool>("expired");
    QTest::newRow("federal form anywhere") << 125 << 3 << false;
    QTest::newRow("ON428 in Ontario") << 24 << 9 << false;
    QTest::newRow("ON428 in Manitoba") << 24 << 3 << true;
    QTest::newRow("ON428 with no province") << 24 << 0 << false;
    QTest::newRow("retired form in its province") << 34 << 9 << true;
}

void TestCatalogue::expiryDependsOnProvince()
{
    QFETCH(int, type);
    QFETCH(int, province);
    QFETCH(bool, expired);
    QCOMPARE(IsFormExpired(type, province), expired);
}

void TestCatalogue::provinces_data()
{
    QTest::addColumn<int>("province");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("libName");
    QTest::addColumn<int>("farmStatement");
    QTest::newRow("1") << 1 << "Alberta" << "AB" << "provtax_ab" << 109;
    QTest::newRow("2") << 2 << "British Columbia" << "BC" << "provtax_bc" << 15;
    QTest::newRow("3") << 3 << "Manitoba" << "MB" << "provtax_mb" << 15;
    QTest::newRow("4") << 4 << "New Brunswick" << "NB" << "provtax_nb" << 15;
    QTest::newRow("5") << 5 << "Newfoundland and Labrador" << "NL" << "provtax_nl" << 15;
    QTest::newRow("6") << 6 << "Nova Scotia" << "NS" << "provtax_ns" << 15;
    QTest::newRow("7") << 7 << "Northwest Territories" << "NT" << "provtax_nt" << 15;
    QTest::newRow("8") << 8 << "Nunavut" << "NU" << "provtax_nu" << 15;
    QTest::newRow("9") << 9 << "Ontario" << "ON" << "provtax_on" << 109;
    QTest::newRow("10") << 10 << "Prince Edward Island" << "PE" << "provtax_pe" << 109;
    QTest::newRow("11") << 11 << "Quebec" << "QC" << "provtax_qc" << 15;
    QTest::newRow("12") << 12 << "Saskatchewan" << "SK" << "provtax_sk" << 109;
    QTest::newRow("13") << 13 << "Yukon" << "YT" << "provtax_yt" << 15;
}

void TestCatalogue::provinces()
{
    QFETCH(int, province);
    QFETCH(QString, name);
    QFETCH(QString, code);
    QFETCH(QString, libName);
    QFETCH(int, farmStatement);
    QVERIFY(IsProvinceSupported(province));
    QCOMPARE(QString::fromUtf8(getProvName(province)), name);
    QCOMPARE(QString::fromUtf8(getProvCode(province)), code);
    // The plug-in host takes the base name from the fourth string of the row.
    QCOMPARE(QString::fromUtf8(Global_Provs_Info[province].libName), libName);
    QCOMPARE(GetCAISFormTypeFromProv(province), farmStatement);
}

void TestCatalogue::provinceCodesMapBack()
{
    for (int p = 1; p < PROVINCE_COUNT; ++p)
        QCOMPARE(getProvinceFromCode(getProvCode(p)), p);
    QCOMPARE(getProvinceFromCode(" on "), 9);
    QCOMPARE(getProvinceFromCode("ZZ"), 0);
    QCOMPARE(getProvinceFromCode(""), 0);
    QCOMPARE(getProvinceFromCode(nullptr), 0);
    QVERIFY(!IsProvinceSupported(0));
}

void TestCatalogue::provincialFormsBelongToTheirProvince()
{
    // A change of province removes the old province's forms by getFormProv
    // and creates the new one's flagged forms: both tables must agree.
    for (int p = 0; p < PROVINCE_COUNT; ++p) {
        const STRUCT_PROVINCE_FORMS& set = Province_Forms_Info[p];
        QVERIFY(set.count >= 0 && set.count <= MAX_PROVINCE_FORMS);
        int created = 0;
        for (int i = 0; i < set.count; ++i) {
            const STRUCT_FORM_ENTRY& entry = set.forms[i];
            QCOMPARE(getFormProv(entry.type), p);
            QVERIFY(!IsFormExpired(entry.type, p));
            created += entry.create ? 1 : 0;
        }
        // Each province with a plug-in form set has exactly its tax form flagged;
        // Quebec's provincial return is filed with the province.
        QCOMPARE(created, (p == 0 || p == PROV_QC) ? 0 : 1);
    }
    for (int i = 0; i < Federal_Forms_Num; ++i) {
        QCOMPARE(getFormProv(Federal_Forms_Info[i].type), 0);
        QVERIFY(!IsFormExpired(Federal_Forms_Info[i].type, 0));
    }
    QVERIFY(Federal_Forms_Num > 0);
}

void TestCatalogue::slips_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("sharable");
    QTest::newRow("T4") << 1 << "T4" << false;
    QTest::newRow("T5 joint account") << 8 << "T5" << true;
    QTest::newRow("T3") << 9 << "T3" << true;
    QTest::newRow("12 has a row") << 12 << "T5008" << false;
    QTest::newRow("T5013") << 13 << "T5013" << true;
    QTest::newRow("RC210") << 18 << "RC210" << false;
    QTest::newRow("T4FHSA last") << 26 << "T4FHSA" << false;
}

void TestCatalogue::slips()
{
    QFETCH(int, type);
    QFETCH(QString, code);
    QFETCH(bool, sharable);
    const STRUCT_SLIP_INFO* row = getSlipInfo(type);
    QVERIFY(row);
    QCOMPARE(QString::fromUtf8(row->code), code);
    QCOMPARE(IsSlipSharable(type), sharable);
    QVERIFY(QString::fromUtf8(getSlipName(type)).startsWith(code) || type == 21 || type == 22);
}

void TestCatalogue::interviewDataRows()
{
    for (int type = 1; type <= TAXWIZARD_LAST; ++type) {
        const STRUCT_TAXWIZARD_INFO* row = getTaxWizardInfo(type);
        QVERIFY(row);
        QCOMPARE(row->type, type);
        QVERIFY(row->create);
        QVERIFY(*row->name != '\0');
    }
    QCOMPARE(QString::fromUtf8(getTaxWizardName(3)), QString("Dependants"));
    QVERIFY(!getTaxWizardInfo(7));
}

void TestCatalogue::mandatoryForms_data()
{
    QTest::addColumn<int>("edition");
    QTest::addColumn<int>("province");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("mandatory");
    QTest::newRow("T1") << int(EDITION_DIRERAD) << 9 << 1 << true;
    QTest::newRow("summary") << int(EDITION_DIRERAD) << 9 << 93 << true;
    QTest::newRow("T183 in DIRERAD") << int(EDITION_DIRERAD) << 9 << 96 << false;
    QTest::newRow("T183 in EFILE") << int(EDITION_EFILE) << 9 << 96 << true;
    QTest::newRow("instalments in EFILE") << int(EDITION_EFILE) << 9 << 209 << true;
    QTest::newRow("ON428 in Ontario") << int(EDITION_DIRERAD) << 9 << 24 << true;
    QTest::newRow("ON479 optional") << int(EDITION_DIRERAD) << 9 << 25 << false;
    QTest::newRow("ON428 in Alberta") << int(EDITION_DIRERAD) << 1 << 24 << false;
    QTest::newRow("T2125") << int(EDITION_DIRERAD) << 9 << 125 << false;
}

void TestCatalogue::mandatoryForms()
{
    QFETCH(int, edition);
    QFETCH(int, province);
    QFETCH(int, type);
    QFETCH(bool, mandatory);
    QCOMPARE(IsFormMandatory((unsigned char)edition, province, type), mandatory);
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
