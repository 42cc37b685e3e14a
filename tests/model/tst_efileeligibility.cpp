// Whether a return may be filed online (DIRERAD, mode 2, or EFILE, mode 1):
// every refusal that applies, in rule order, and the note a test run gives
// in place of refusing a direct deposit form.
#include <QtTest>

#include <functional>

#include "companion/forms/catalogue.h"
#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/others.h"
#include "efilepersonfixture.h"
#include "model/cfamilytaxdata.h"
#include "model/filingtestmode.h"

namespace {

constexpr unsigned char kDirerad = 2;
constexpr unsigned char kEfile = 1;

const char kEmigrant[] = "This tax return is not eligible for DIRERAD/EFILE, because tax payer is an emigrant.";
const char kDeceased[] = "This tax return is not eligible to for DIRERAD/EFILE, because the tax payer is deceased.";
const char kBankrupt[] = "This tax return is not eligible for DirErad/EFile, because the tax payer is in bankruptcy.";
const char kSin08[] = "Tax return which has SIN number starting with 09 or 08 is not eligible for Direrad.";
const char kSin0[] = "Tax return which has SIN number starting with '0' is not eligible for EFILE.";
const char kForeignPlans[] =
    "This return is not eligible for Direrad, because there are combination of RC267/RC268/RC269 in tax return.";
const char kStatements[] = "The tax return is not eligible for DIRERAD/EFILE, because tax return has more than 12 "
                           "self-business and/or work expenses forms.";
const char kT2209[] = "This return is not eligible for Direrad or Efile, because it contains more than 3 T2209 forms.";
const char kT1273[] = "voDarevivo doesn't support DIRERAD or EFILE for tax return with CAIS form T1273.";
const char kLine440[] = "This tax return is not eligible for DIRERAD/EFILE, because tax payer is not a Quebec "
                        "resident, and indicated on line 440 of T1 that multiple jurisdiction applies.";
const char kDirectDeposit[] =
    "Form T1DD can only be submitted by paper return; or you can change direct deposit information with CRA "
    "first by contacting CRA office, then remove form T1DD before creating the DIRERAD.";

using Setup = std::function<void(EfilePerson&)>;

void setForeignPlan(EfilePerson& p, int type, double amount)
{
    CTaxData_Form* form = p.add(type);
    QVERIFY(form);
    QVERIFY(form->findField(QStringLiteral("Contributions"))->setText(QString::number(amount)));
    form->Calculate01();
}

void addStatements(EfilePerson& p, int count)
{
    QVERIFY(IsSFDForm(12));
    for (int i = 0; i < count; ++i)
        QVERIFY(p.add(12));
}

const QMap<QString, Setup>& setups()
{
    static const QMap<QString, Setup> table = {
        {"clean", [](EfilePerson&) {}},
        {"deceased bankrupt emigrant",
         [](EfilePerson& p) {
             p.t1().DepartureDate.m_value = QDate(2024, 8, 1);
             p.t1().DateOfDeath.m_value = QDate(2024, 11, 2);
             p.t1().BankruptcyDate.m_value = QDate(2024, 3, 4);
         }},
        {"sin 08", [](EfilePerson& p) { p.t1().SIN.m_value = CString("080000009"); }},
        {"sin 05", [](EfilePerson& p) { p.t1().SIN.m_value = CString("050000005"); }},
        {"RC267 and RC269",
         [](EfilePerson& p) {
             setForeignPlan(p, 136, 10.00);
             setForeignPlan(p, 138, 10.00);
         }},
        {"RC268 alone", [](EfilePerson& p) { setForeignPlan(p, 137, 10.00); }},
        {"12 statements, 3 T2209",
         [](EfilePerson& p) {
             addStatements(p, 12);
             for (int i = 0; i < 3; ++i)
                 QVERIFY(p.add(35));
         }},
        {"13 statements", [](EfilePerson& p) { addStatements(p, 13); }},
        {"4 T2209",
         [](EfilePerson& p) {
             for (int i = 0; i < 4; ++i)
                 QVERIFY(p.add(35));
         }},
        {"line 440 outside Quebec", [](EfilePerson& p) { p.t1().line44000QuebecAbatement.m_value = 120.0; }},
        {"two T1273",
         [](EfilePerson& p) {
             p.addItemOfType(109);
             p.addItemOfType(109);
         }},
        {"T1DD", [](EfilePerson& p) { QVERIFY(p.add(52)); }},
    };
    return table;
}

QStringList texts(const std::list<CString>& list)
{
    QStringList out;
    for (const CString& text : list)
        out << QString(text);
    return out;
}

} // namespace

class TestEfileEligibility : public QObject
{
    Q_OBJECT
private slots:
    void refusalsInRuleOrder_data();
    void refusalsInRuleOrder();
    void quebecResidentWithLine440Passes();
    void directDepositInTestRun();
    void familyAsksTheCurrentPerson();
};

void TestEfileEligibility::refusalsInRuleOrder_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("clean return") << "clean" << int(kDirerad) << QStringList();
    QTest::newRow("deceased bankrupt emigrant") << "deceased bankrupt emigrant" << int(kDirerad)
                                                << QStringList{kEmigrant, kDeceased, kBankrupt};
    QTest::newRow("sin 08, DIRERAD") << "sin 08" << int(kDirerad) << QStringList{kSin08};
    QTest::newRow("sin 08, EFILE") << "sin 08" << int(kEfile) << QStringList();
    QTest::newRow("sin 05, DIRERAD") << "sin 05" << int(kDirerad) << QStringList();
    QTest::newRow("sin 05, EFILE") << "sin 05" << int(kEfile) << QStringList{kSin0};
    QTest::newRow("RC267 and RC269") << "RC267 and RC269" << int(kDirerad) << QStringList{kForeignPlans};
    QTest::newRow("RC267 and RC269, EFILE") << "RC267 and RC269" << int(kEfile) << QStringList();
    QTest::newRow("RC268 alone") << "RC268 alone" << int(kDirerad) << QStringList();
    QTest::newRow("12 statements and 3 T2209") << "12 statements, 3 T2209" << int(kDirerad) << QStringList();
    QTest::newRow("13 statements") << "13 statements" << int(kDirerad) << QStringList{kStatements};
    QTest::newRow("4 T2209") << "4 T2209" << int(kDirerad) << QStringList{kT2209};
    QTest::newRow("line 440 outside Quebec") << "line 440 outside Quebec" << int(kDirerad) << QStringList{kLine440};
    QTest::newRow("two T1273") << "two T1273" << int(kDirerad) << QStringList{kT1273, kT1273};
    QTest::newRow("T1DD outside a test run") << "T1DD" << int(kDirerad) << QStringList{kDirectDeposit};
}

void TestEfileEligibility::refusalsInRuleOrder()
{
    QFETCH(QString, setup);
    QFETCH(int, mode);
    QFETCH(QStringList, expected);
    EfilePerson jean;
    setups().value(setup)(jean);
    std::list<CString> messages, notes;
    jean.person.IsEligibleForElectronicFile((unsigned char)mode, messages, &notes);
    QCOMPARE(texts(messages), expected);
    QVERIFY(notes.empty());
}

void TestEfileEligibility::quebecResidentWithLine440Passes()
{
    EfilePerson marie(11);
    marie.t1().line44000QuebecAbatement.m_value = 120.0;
    std::list<CString> messages;
    marie.person.IsEligibleForElectronicFile(kDirerad, messages);
    QVERIFY2(!texts(messages).contains(kLine440), qPrintable(texts(messages).join('\n')));
}

void TestEfileEligibility::directDepositInTestRun()
{
    EfilePerson jean;
    QVERIFY(jean.add(52));
    jean.t1().SIN.m_value = CString("080000009"); // another rule still refuses
    setFilingTestMode(true);
    std::list<CString> messages, notes;
    jean.person.IsEligibleForElectronicFile(kDirerad, messages, &notes);
    setFilingTestMode(false);
    QCOMPARE(texts(messages), QStringList{kSin08});
    QCOMPARE(texts(notes), QStringList{"Direrad will skip T1DD form."});
}

void TestEfileEligibility::familyAsksTheCurrentPerson()
{
    CFamilyTaxData family;
    NewReturnBasicData data;
    data.FirstName = CString("Jean");
    data.LastName = CString("Tremblay");
    data.sin = CString("080000009");
    data.dob = QDate(1975, 6, 15);
    data.TaxPronv = 9;
    data.MaritalStatus = 5;
    family.NewData(&data);
    std::list<CString> messages;
    family.IsEligibleForElectronicFile(kDirerad, messages);
    QCOMPARE(texts(messages), QStringList{kSin08});
}

QTEST_GUILESS_MAIN(TestEfileEligibility)
#include "tst_efileeligibility.moc"
