// What a person's filing requests carry, as typed records built from the
// return, and where each fact lands in the composed request, read back by
// parsing it: the DIRERAD return (first-time filer or filed before, with or
// without an access code, with or without a test case) and the EFILE return
// (with or without a T183 and an RC71, signed or not, in test mode or not).
// The key table is checked against the request templates themselves.
#include <QtTest>

#include "companion/forms/federal/mirroring.h"
#include "efilefixture.h"
#include "filing/requestcompose.h"
#include "model/filingtestmode.h"
#include "model/preparerinfo.h"
#include "model/requestfields.h"
#include "model/returnrequestfacts.h"
#include "model/validationsettings.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

using namespace efilefixture;

namespace {

const char* const kPassword = "Pw<7>&x"; // escaped once on the way out, read back whole

CString preparerPassword() { return CString(kPassword); }

// Every element of a document by its path from the root ("a/b/c"), with
// its text.
struct ReadBack
{
    bool wellFormed = false;
    QString error;
    QList<QPair<QString, QString>> elements;

    // The texts of the elements whose path ends with suffix.
    QStringList textsAt(const QString& suffix) const
    {
        QStringList texts;
        for (const auto& element : elements) {
            if (element.first == suffix || element.first.endsWith(QLatin1Char('/') + suffix))
                texts << element.second;
        }
        return texts;
    }
    bool has(const QString& suffix) const { return !textsAt(suffix).isEmpty(); }
    // The one text at suffix; "<absent>" or "<repeated>" otherwise.
    QString text(const QString& suffix) const
    {
        const QStringList texts = textsAt(suffix);
        return texts.isEmpty() ? QStringLiteral("<absent>") : texts.size() > 1 ? QStringLiteral("<repeated>") : texts.first();
    }
};

ReadBack readBack(const QString& xml)
{
    ReadBack doc;
    QStringList open;
    QStringList texts;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            open << reader.qualifiedName().toString();
            texts << QString();
        } else if (reader.isCharacters() && !texts.isEmpty()) {
            texts.last() += reader.text();
        } else if (reader.isEndElement()) {
            doc.elements << qMakePair(open.join(QLatin1Char('/')), texts.takeLast());
            open.removeLast();
        }
    }
    doc.wellFormed = !reader.hasError();
    doc.error = reader.errorString();
    return doc;
}

const char* const kDireradHead = "soapenv:Envelope/soapenv:Body/t1rq:FileReturnRequest/";
const char* const kEfileHead = "soapenv:Envelope/soapenv:Body/t1rq:EfileReturnRequest/";
const char* const kEfileData = "soapenv:Envelope/soapenv:Body/t1rq:EfileReturnRequest/ef:EfileData/";

// The DIRERAD request around a stand-in return, as the exchange composes it.
QString composedDirerad(const DireradReturnFacts& facts)
{
    TemplateValueMap values;
    putDireradReturnFacts(facts, values);
    putOriginatingAddress(RequestTemplateFamily::Direrad, values);
    std::string request;
    if (ComposeDireradRequest(request, values, "<t1:T1Return/>") != RequestComposed)
        return QString();
    return QString::fromStdString(request);
}

QString composedEfile(const EfileReturnFacts& facts, CString* problem = nullptr)
{
    TemplateValueMap values;
    putEfileReturnFacts(facts, values);
    putOriginatingAddress(RequestTemplateFamily::Efile, values);
    std::string request;
    if (ComposeEfileRequest(request, values, "<t1:T1Return/>", problem) != RequestComposed)
        return QString();
    return QString::fromStdString(request);
}

// The placeholder names of the templates; an optional one ("name0") by the
// name it is looked up under.
QSet<QString> placeholdersOf(const QStringList& paths)
{
    QSet<QString> names;
    static const QRegularExpression placeholder(QStringLiteral("\\$\\$\\(([A-Za-z0-9_]+)\\)"));
    for (const QString& path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        auto it = placeholder.globalMatch(QString::fromUtf8(file.readAll()));
        while (it.hasNext()) {
            QString name = it.next().captured(1);
            if (name.endsWith(QLatin1Char('0')))
                name.chop(1);
            names.insert(name);
        }
    }
    return names;
}

} // namespace

class TestReturnRequestFacts : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void direradFacts_data();
    void direradFacts();
    void withoutT1NoFacts();
    void efileWithT183AndRC71_data();
    void efileWithT183AndRC71();
    void efileWithoutT183_data();
    void efileWithoutT183();
    void efileTestCaseOnlyInTestMode_data();
    void efileTestCaseOnlyInTestMode();
    void mapFormsComposeTheSameBytes_data();
    void mapFormsComposeTheSameBytes();
    void keyTableMatchesTemplates_data();
    void keyTableMatchesTemplates();
};

void TestReturnRequestFacts::initTestCase()
{
    PreparerInfo info = preparerInfo();
    info.BusinessEFileNum = CString("K1234");
    setPreparerInfo(info);
    validation::setEfilerPasswordSource(preparerPassword);
}

void TestReturnRequestFacts::cleanup()
{
    setFilingTestMode(false);
}

void TestReturnRequestFacts::direradFacts_data()
{
    QTest::addColumn<bool>("firstTime");
    QTest::addColumn<QString>("secondName");
    QTest::addColumn<QString>("accessCode");
    QTest::addColumn<int>("testCase");
    QTest::addColumn<int>("agreement");
    QTest::newRow("first-time filer, no second name") << true << "" << "IGNORED" << 0 << 1;
    QTest::newRow("first-time filer, second name, test case") << true << "Luc" << "" << 17 << 1;
    QTest::newRow("filed before, access code") << false << "" << "AB12CD" << 0 << 1;
    QTest::newRow("filed before, blank code, test case") << false << "" << "  " << 3 << 0;
    QTest::newRow("filed before, negative test case") << false << "" << "ZZ9" << -4 << 1;
}

void TestReturnRequestFacts::direradFacts()
{
    QFETCH(bool, firstTime);
    QFETCH(QString, secondName);
    QFETCH(QString, accessCode);
    QFETCH(int, testCase);
    QFETCH(int, agreement);
    Taxpayer jean;
    jean.t1().FirstTimeFilerAnswer.m_value = firstTime ? 0 : 1;
    jean.t1().FirstName.m_value = CString("Anne & Marie");
    jean.t1().SecondName.m_value = CString(secondName);
    jean.t1().DireradAccessCode.m_value = CString(accessCode);
    jean.t1().Email.m_value = CString(" jean@example.ca ");

    const std::optional<DireradReturnFacts> facts = jean.person.direradReturnFacts(agreement, testCase);
    QVERIFY(facts);
    QCOMPARE(QString(facts->sin), QStringLiteral("123456782"));
    QCOMPARE(facts->birthDate, QDate(1975, 6, 15));
    QCOMPARE(facts->agreement, agreement);
    QCOMPARE(facts->testCase, testCase > 0 ? testCase : 0);
    QCOMPARE(facts->firstTimeFiler.has_value(), firstTime);
    const bool codeSent = !firstTime && !accessCode.trimmed().isEmpty();
    QCOMPARE(QString(facts->accessCode), codeSent ? accessCode : QString());
    if (firstTime) {
        QCOMPARE(QString(facts->firstTimeFiler->given), QStringLiteral("Anne & Marie"));
        QCOMPARE(QString(facts->firstTimeFiler->second), secondName);
        QCOMPARE(QString(facts->firstTimeFiler->family), QStringLiteral("Tremblay"));
    }
    QCOMPARE(QString(facts->email), QStringLiteral("jean@example.ca"));

    const QString request = composedDirerad(*facts);
    QVERIFY2(!request.isEmpty(), "the request could not be composed");
    const ReadBack doc = readBack(request);
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    const QString head = QLatin1String(kDireradHead);
    QCOMPARE(doc.text(head + "tp:TaxpayerSocialInsuranceNumber"), QStringLiteral("123456782"));
    QCOMPARE(doc.text(head + "tp:TaxpayerBirthDate"), QStringLiteral("1975-06-15"));
    QCOMPARE(doc.text(head + "t1rq:AgreementIndicator"), QString::number(agreement));
    QCOMPARE(doc.text(head + "comm:FirstTimeFilerIndicator"), firstTime ? QStringLiteral("1") : QStringLiteral("0"));
    QCOMPARE(doc.text(head + "comm:TestCaseIdentifier"),
             testCase > 0 ? QString::number(testCase) : QStringLiteral("<absent>"));
    QCOMPARE(doc.text(head + "comm:OriginatingIP"), QStringLiteral("0.0.0.0"));
    QCOMPARE(doc.text(head + "t1rq:DireradAccessCode"), codeSent ? accessCode : QStringLiteral("<absent>"));
    // The names follow the filed return, in the request itself.
    QCOMPARE(doc.text(head + "comm:GivenName"), firstTime ? QStringLiteral("Anne & Marie") : QStringLiteral("<absent>"));
    QCOMPARE(doc.text(head + "t1rq:SecondName"),
             firstTime ? (secondName.isEmpty() ? QStringLiteral("X") : secondName) : QStringLiteral("<absent>"));
    QCOMPARE(doc.text(head + "comm:FamilyName"), firstTime ? QStringLiteral("Tremblay") : QStringLiteral("<absent>"));
    QCOMPARE(doc.textsAt(head + "t1rq:TaxReturnForm/t1:T1Return").size(), 1);
}

void TestReturnRequestFacts::withoutT1NoFacts()
{
    DependantInfoStruct dependants{12};
    IndividualTaxData empty{0, &dependants};
    QVERIFY(!empty.GetT1());
    QVERIFY(!empty.direradReturnFacts(1, 5));
    QVERIFY(!empty.efileReturnFacts(FORM_T1, 5));
}

void TestReturnRequestFacts::efileWithT183AndRC71_data()
{
    QTest::addColumn<bool>("firstTime");
    QTest::addColumn<bool>("t183Signed");
    QTest::addColumn<bool>("withRC71");
    QTest::addColumn<bool>("representative");
    QTest::addColumn<int>("form");
    QTest::newRow("filed before, signed T183 and RC71") << false << true << true << true << int(FORM_T1);
    QTest::newRow("first-time filer, unsigned T183, no RC71") << true << false << false << false << int(FORM_T1);
    QTest::newRow("for the T1135: no signatures") << false << true << true << true << int(FORM_T1135);
}

void TestReturnRequestFacts::efileWithT183AndRC71()
{
    QFETCH(bool, firstTime);
    QFETCH(bool, t183Signed);
    QFETCH(bool, withRC71);
    QFETCH(bool, representative);
    QFETCH(int, form);
    Taxpayer jean;
    jean.t1().FirstTimeFilerAnswer.m_value = firstTime ? 0 : 1;
    jean.t1().DireradAccessCode.m_value = CString("NOTSENT"); // EFILE sends no access code
    auto* t183 = jean.add<TaxData_T183New>(FORM_T183);
    QVERIFY(t183);
    t183->RepresentativeAuthorized.m_value = representative ? 1 : 0;
    t183->RepresentativeExpiry.m_value = QDate(2025, 12, 31);
    t183->NOARetrievalAuthorized.m_value = 1;
    t183->PreAssessmentContact.m_value = 1;
    t183->PostAssessmentContact.m_value = 0;
    t183->ESigned.m_value = t183Signed ? 1 : 0;
    t183->ESignedTime.m_value = CString("2025-03-02T09:15:40");
    CString dcn;
    t183->getDCN(dcn);
    QVERIFY(!dcn.isEmpty());
    if (withRC71) {
        auto* rc71 = jean.add<CTaxData_RC71>(FORM_RC71);
        QVERIFY(rc71);
        rc71->DiscounterRegNumber.m_value = CString("D-77");
        rc71->ESigned.m_value = 1;
        rc71->ESignedTime.m_value = CString("2025-03-03 18:01:02");
    }

    const std::optional<EfileReturnFacts> facts = jean.person.efileReturnFacts(ENUMTYPE_FORM(form), 0);
    QVERIFY(facts);
    QCOMPARE(QString(facts->efilerNumber), QStringLiteral("K1234"));
    QCOMPARE(QString(facts->efilerPassword), QString::fromLatin1(kPassword));
    QCOMPARE(facts->testCase, 0);
    QCOMPARE(facts->firstTimeFiler.has_value(), firstTime);
    QVERIFY(facts->authorisation);
    QCOMPARE(QString(facts->authorisation->documentControlNumber), QString(dcn));
    QCOMPARE(facts->authorisation->representative, representative);
    QCOMPARE(facts->authorisation->representativeExpiry, representative ? QDate(2025, 12, 31) : QDate());
    QVERIFY(facts->authorisation->noaRetrieval);
    // The agency's codes are the form's choices + 2.
    QCOMPARE(facts->authorisation->preAssessmentContactCode, 3);
    QCOMPARE(facts->authorisation->postAssessmentContactCode, 2);
    QCOMPARE(facts->discounterRegistration.has_value(), withRC71);
    const bool forReturn = form == FORM_T1;
    QCOMPARE(facts->t183Signing.has_value(), forReturn);
    QCOMPARE(facts->rc71Signing.has_value(), forReturn && withRC71);
    if (forReturn) {
        QCOMPARE(facts->t183Signing->isSigned, t183Signed);
        QCOMPARE(facts->t183Signing->time, QDateTime(QDate(2025, 3, 2), QTime(9, 15, 40)));
    }
    if (forReturn && withRC71)
        QCOMPARE(facts->rc71Signing->time, QDateTime(QDate(2025, 3, 3), QTime(18, 1, 2)));

    const QString request = composedEfile(*facts);
    QVERIFY2(!request.isEmpty(), "the request could not be composed");
    const ReadBack doc = readBack(request);
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    const QString head = QLatin1String(kEfileHead);
    const QString data = QLatin1String(kEfileData);
    QCOMPARE(doc.text(head + "ef:TransmitterEfilerNumber"), QStringLiteral("K1234"));
    QCOMPARE(doc.textsAt(head + "ef:PasswordID"), QStringList{kPassword});
    QCOMPARE(doc.textsAt(data + "ef:PasswordID"), QStringList{kPassword});
    QCOMPARE(doc.text(data + "ef:DocumentControlNumber/ef:TaxPreparerEfilerNumber"), QStringLiteral("K1234"));
    QCOMPARE(doc.text(data + "ef:DocumentControlNumber/ef:TaxPreparerReturnControlNumber"), QString(dcn));
    QCOMPARE(doc.text(data + "ef:DiscounterRegistrationNumber"), withRC71 ? QStringLiteral("D-77") : QStringLiteral("<absent>"));
    QCOMPARE(doc.text(data + "ef:TaxPreparerAuthorizationIndicator"),
             representative ? QStringLiteral("1") : QStringLiteral("<absent>"));
    QCOMPARE(doc.text(data + "ef:TaxPreparerAuthorizationExpiryDate"),
             representative ? QStringLiteral("2025-12-31") : QStringLiteral("<absent>"));
    QCOMPARE(doc.text(data + "ef:EfilerNOARetrievalAuthorizationIndicator"), QStringLiteral("1"));
    QCOMPARE(doc.text(data + "ef:TaxPreparerPreAssessmentReviewContactCode"), QStringLiteral("3"));
    QCOMPARE(doc.text(data + "ef:TaxPreparerPostAssessmentReviewContactCode"), QStringLiteral("2"));

    const QString t183Block = data + "ef:T183ElectronicSignatureData/";
    QCOMPARE(doc.text(t183Block + "ef:T183ElectronicSignatureIndicator"),
             !forReturn ? QStringLiteral("<absent>") : t183Signed ? QStringLiteral("1") : QStringLiteral("0"));
    const bool t183Stamp = forReturn && t183Signed;
    QCOMPARE(doc.text(t183Block + "ef:T183ElectronicSignatureDate"),
             t183Stamp ? QStringLiteral("2025-03-02") : QStringLiteral("<absent>"));
    QCOMPARE(doc.text(t183Block + "ef:T183ElectronicSignatureTime"),
             t183Stamp ? QStringLiteral("09:15:40") : QStringLiteral("<absent>"));
    QCOMPARE(doc.has(data + "ef:T183ElectronicSignatureData"), forReturn);
    const QString rc71Block = data + "ef:RC71ElectronicSignatureData/";
    const bool rc71Sent = forReturn && withRC71;
    QCOMPARE(doc.has(data + "ef:RC71ElectronicSignatureData"), rc71Sent);
    QCOMPARE(doc.text(rc71Block + "ef:RC71ElectronicSignatureIndicator"), rc71Sent ? QStringLiteral("1") : QStringLiteral("<absent>"));
    QCOMPARE(doc.text(rc71Block + "ef:RC71ElectronicSignatureDate"), rc71Sent ? QStringLiteral("2025-03-03") : QStringLiteral("<absent>"));
    QCOMPARE(doc.text(rc71Block + "ef:RC71ElectronicSignatureTime"), rc71Sent ? QStringLiteral("18:01:02") : QStringLiteral("<absent>"));
    QVERIFY(!doc.has(data + "ef:RepresentativeID"));

    QCOMPARE(doc.text(head + "comm:FirstTimeFilerIndicator"), firstTime ? QStringLiteral("1") : QStringLiteral("0"));
    QCOMPARE(doc.text(head + "comm:GivenName"), firstTime ? QStringLiteral("Jean") : QStringLiteral("<absent>"));
    QCOMPARE(doc.text(head + "t1rq:SecondName"), firstTime ? QStringLiteral("X") : QStringLiteral("<absent>"));
    QCOMPARE(doc.text(head + "comm:FamilyName"), firstTime ? QStringLiteral("Tremblay") : QStringLiteral("<absent>"));
    QVERIFY(!request.contains(QStringLiteral("NOTSENT")));
    QVERIFY(!doc.has(head + "comm:TestCaseIdentifier"));
    QCOMPARE(doc.text(head + "comm:OriginatingIP"), QStringLiteral("0.0.0.0"));
}

void TestReturnRequestFacts::efileWithoutT183_data()
{
    QTest::addColumn<bool>("withRC71");
    QTest::newRow("nothing") << false;
    QTest::newRow("an RC71 alone") << true;
}

void TestReturnRequestFacts::efileWithoutT183()
{
    QFETCH(bool, withRC71);
    Taxpayer jean;
    if (withRC71) {
        auto* rc71 = jean.add<CTaxData_RC71>(FORM_RC71);
        QVERIFY(rc71);
        rc71->DiscounterRegNumber.m_value = CString("D-77");
        rc71->ESigned.m_value = 1;
    }
    const std::optional<EfileReturnFacts> facts = jean.person.efileReturnFacts(FORM_T1, 0);
    QVERIFY(facts);
    QVERIFY(!facts->authorisation);
    QVERIFY(!facts->t183Signing);
    QVERIFY(!facts->rc71Signing);
    QCOMPARE(facts->discounterRegistration.has_value(), withRC71);
    // Without a control number the request is never composed: nothing is
    // sent that the agency would take as a return without its authorisation.
    CString problem;
    QVERIFY(composedEfile(*facts, &problem).isEmpty());
    QVERIFY2(QString(problem).contains(QStringLiteral("dcn")), qPrintable(QString(problem)));
}

void TestReturnRequestFacts::efileTestCaseOnlyInTestMode_data()
{
    QTest::addColumn<bool>("testMode");
    QTest::addColumn<int>("testCase");
    QTest::addColumn<QString>("sent");
    QTest::newRow("test mode, case 12") << true << 12 << "12";
    QTest::newRow("test mode, no case") << true << 0 << "<absent>";
    QTest::newRow("test mode, negative") << true << -2 << "<absent>";
    QTest::newRow("production, case 12") << false << 12 << "<absent>";
}

void TestReturnRequestFacts::efileTestCaseOnlyInTestMode()
{
    QFETCH(bool, testMode);
    QFETCH(int, testCase);
    QFETCH(QString, sent);
    Taxpayer jean;
    QVERIFY(jean.add<TaxData_T183New>(FORM_T183));
    setFilingTestMode(testMode);
    const std::optional<EfileReturnFacts> facts = jean.person.efileReturnFacts(FORM_T1, testCase);
    QVERIFY(facts);
    QCOMPARE(facts->testCase, sent == QLatin1String("<absent>") ? 0 : testCase);
    const ReadBack doc = readBack(composedEfile(*facts));
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    QCOMPARE(doc.text(QLatin1String(kEfileHead) + "comm:TestCaseIdentifier"), sent);
}

void TestReturnRequestFacts::mapFormsComposeTheSameBytes_data()
{
    QTest::addColumn<bool>("firstTime");
    QTest::addColumn<bool>("withForms");
    QTest::addColumn<bool>("testMode");
    QTest::newRow("filed before, T183 and RC71, test mode") << false << true << true;
    QTest::newRow("first-time filer, no forms") << true << false << false;
}

// The map forms of the request data (for callers that still fill a map)
// give the very request the records give.
void TestReturnRequestFacts::mapFormsComposeTheSameBytes()
{
    QFETCH(bool, firstTime);
    QFETCH(bool, withForms);
    QFETCH(bool, testMode);
    Taxpayer jean;
    jean.t1().FirstTimeFilerAnswer.m_value = firstTime ? 0 : 1;
    jean.t1().DireradAccessCode.m_value = CString("AB12CD");
    if (withForms) {
        auto* t183 = jean.add<TaxData_T183New>(FORM_T183);
        auto* rc71 = jean.add<CTaxData_RC71>(FORM_RC71);
        QVERIFY(t183 && rc71);
        t183->ESigned.m_value = 1;
        t183->ESignedTime.m_value = CString("2025-03-02T09:15:40");
        t183->RepresentativeAuthorized.m_value = 1;
        rc71->DiscounterRegNumber.m_value = CString("D-77");
    }
    setFilingTestMode(testMode);

    TemplateValueMap direradMap;
    CString email;
    double balance = -1.0;
    jean.person.getDireradDataInfo(direradMap, 1, email, balance, 9);
    putOriginatingAddress(RequestTemplateFamily::Direrad, direradMap);
    std::string fromMap;
    QCOMPARE(ComposeDireradRequest(fromMap, direradMap, "<t1:T1Return/>"), int(RequestComposed));
    QCOMPARE(QString::fromStdString(fromMap), composedDirerad(*jean.person.direradReturnFacts(1, 9)));

    if (!withForms)
        return;
    TemplateValueMap efileMap;
    efileTestCaseTextIn(efileMap) = CString(" 9 ");
    jean.person.getEfileDataInfo(efileMap, FORM_T1);
    putOriginatingAddress(RequestTemplateFamily::Efile, efileMap);
    std::string efileFromMap;
    QCOMPARE(ComposeEfileRequest(efileFromMap, efileMap, "<t1:T1Return/>"), int(RequestComposed));
    QCOMPARE(QString::fromStdString(efileFromMap), composedEfile(*jean.person.efileReturnFacts(FORM_T1, 9)));
}

void TestReturnRequestFacts::keyTableMatchesTemplates_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QStringList>("templates");
    QTest::addColumn<QStringList>("neverSent");
    QTest::newRow("DIRERAD") << int(RequestTemplateFamily::Direrad)
                             << QStringList{":/net/net/nwspart1.xmt", ":/net/net/nwspartend.xmt"} << QStringList();
    // This program keeps no representative identifier: its line drops out.
    QTest::newRow("EFILE") << int(RequestTemplateFamily::Efile)
                           << QStringList{":/net/net/ewspart1.xmt", ":/net/net/ewspartend.xmt"}
                           << QStringList{"repID"};
    QTest::newRow("form filings") << int(RequestTemplateFamily::FormFiling)
                                  << QStringList{":/net/net/t1013wspart1.xmt", ":/net/net/t1013wspartend.xmt",
                                                 ":/net/net/t183padwspart1.xmt", ":/net/net/t183padwspartend.xmt"}
                                  << QStringList();
}

// Every placeholder a family's templates ask for has a field in the table,
// and every key the table gives the family is asked for.
void TestReturnRequestFacts::keyTableMatchesTemplates()
{
    QFETCH(int, family);
    QFETCH(QStringList, templates);
    QFETCH(QStringList, neverSent);
    for (const QString& path : templates)
        QVERIFY2(QFile::exists(path), qPrintable(path));
    const QSet<QString> asked = placeholdersOf(templates);
    QVERIFY(!asked.isEmpty());
    const QStringList keys = requestFieldKeys(RequestTemplateFamily(family));
    QVERIFY(!keys.isEmpty());
    for (const QString& name : asked) {
        if (!neverSent.contains(name))
            QVERIFY2(keys.contains(name), qPrintable(QStringLiteral("the table has no field for %1").arg(name)));
    }
    for (const QString& key : keys)
        QVERIFY2(asked.contains(key), qPrintable(QStringLiteral("no template asks for %1").arg(key)));
}

QTEST_GUILESS_MAIN(TestReturnRequestFacts)
#include "tst_returnrequestfacts.moc"
