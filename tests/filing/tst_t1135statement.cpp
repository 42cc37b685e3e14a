// The T1135 statement as the agency's document: the frame around the form's
// own body, the software identification, the statement inside a DIRERAD
// request, and the statement's validation record.
#include <QtTest>

#include "companion/forms/federal/mirroring.h"
#include "efilefixture.h"
#include "filing/requestcompose.h"
#include "filing/t1135statement.h"
#include "model/validationrecord.h"

using namespace efilefixture;

namespace {

TaxData_T1135New* addStatement(Taxpayer& jean)
{
    auto* t1135 = jean.add<TaxData_T1135New>(FORM_T1135);
    if (!t1135)
        return nullptr;
    t1135->GivenName.m_value = CString("Jean");
    t1135->LastName.m_value = CString("Tremblay");
    t1135->SIN.m_value = CString("123 456 782");
    t1135->Address.m_value = CString("100 Wellington St");
    t1135->City.m_value = CString("Ottawa & Hull");
    t1135->Province.m_value = CString("ON");
    t1135->PostalCode.m_value = CString("k1a 0a6");
    t1135->PeriodStart.m_value = QDate(2024, 1, 1);
    t1135->PeriodEnd.m_value = QDate(2024, 12, 31);
    t1135->FundsHeldAbroad.m_value = 150000.0;
    t1135->RealProperty.m_value = 0.0;
    return t1135;
}

void deleteRecords(std::list<_STRUCT_FORM_VALIDATE_INFO*>& records)
{
    for (_STRUCT_FORM_VALIDATE_INFO* record : records)
        delete record;
    records.clear();
}

} // namespace

class TestT1135Statement : public QObject
{
    Q_OBJECT
private slots:
    void withoutStatement();
    void statementDocument();
    void statementInsideADireradRequest();
    void validation_data();
    void validation();
};

void TestT1135Statement::withoutStatement()
{
    Taxpayer jean;
    CString xml("kept");
    QCOMPARE(getT1135XMLContent(jean.person, xml), int(T1135StatementNoForm));
    QCOMPARE(QString(xml), QStringLiteral("kept"));
}

void TestT1135Statement::statementDocument()
{
    Taxpayer jean;
    PreparerInfo info = preparerInfo();
    info.DireradSoftwareDate = CString("2024-11-30"); // the statement keeps its own date
    setPreparerInfo(info);
    QVERIFY(addStatement(jean));
    CString xml;
    QCOMPARE(getT1135XMLContent(jean.person, xml), 0);
    const ParsedDocument doc = parse(xml);
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    QCOMPARE(doc.root, QStringLiteral("t1135:ForeignIncomeVerificationStatement"));
    QCOMPARE(doc.text("t1135:SoftwareID"), QStringLiteral("097M"));
    QCOMPARE(doc.text("t1135:SoftwareRevisionDate"), QStringLiteral("2024-12-13"));
    QCOMPARE(doc.texts.values("t1135:GivenName"), (QList<QString>{"Jean", "Jean"}));
    QCOMPARE(doc.text("ccms:SocialInsuranceNumber"), QStringLiteral("123456782"));
    QCOMPARE(doc.text("t1135:AddressMunicipalityName"), QStringLiteral("Ottawa & Hull"));
    QCOMPARE(doc.text("t1135:GlobalPostalZipCode"), QStringLiteral("K1A0A6"));
    QCOMPARE(doc.text("t1135:TaxationYearEndDate"), QStringLiteral("2024-12-31"));
    QCOMPARE(doc.text("t1135:FundsHeldOutsideCanadaAmount"), QStringLiteral("150000"));
    QVERIFY(!doc.has("t1135:RealPropertyOutsideCanadaAmount"));
    QVERIFY(!doc.has("t1135:AmendedReturnIndicator"));
    QVERIFY(!doc.has("t1135:CertifierPositionTitle"));
    // The categories stand between the year and the certification.
    QVERIFY(doc.elements.indexOf("t1135:TaxationYearData") < doc.elements.indexOf("t1135:PropertyCategoryData"));
    QVERIFY(doc.elements.indexOf("t1135:PropertyCategoryData") < doc.elements.indexOf("t1135:CertificationDetail"));
    QVERIFY(static_cast<QString>(xml).endsWith(QStringLiteral("</t1135:ForeignIncomeVerificationStatement>\r\n")));
}

void TestT1135Statement::statementInsideADireradRequest()
{
    Taxpayer jean;
    QVERIFY(addStatement(jean));
    CString xml;
    QCOMPARE(getT1135XMLContent(jean.person, xml), 0);
    TemplateValueMap values;
    CString email;
    double balance = 0.0;
    jean.person.getDireradDataInfo(values, 1, email, balance, 0);
    values.setText("origip", "0.0.0.0");
    std::string request;
    QCOMPARE(GetDireradRequest(false, values, static_cast<QString>(xml).toStdString(), request), 0);
    const QString text = QString::fromStdString(request);
    const ParsedDocument doc = parse(text);
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    QCOMPARE(doc.count("t1135:ForeignIncomeVerificationStatement"), 1);
    QCOMPARE(text.count(QStringLiteral("<?xml")), 1);
}

void TestT1135Statement::validation_data()
{
    QTest::addColumn<bool>("withStatement");
    QTest::addColumn<QString>("breakField");
    QTest::addColumn<int>("records");
    QTest::newRow("no statement") << false << QString() << 0;
    QTest::newRow("complete statement") << true << QString() << 0;
    QTest::newRow("invalid S.I.N.") << true << "SIN" << 1;
    QTest::newRow("no category") << true << "FundsHeldAbroad" << 1;
}

void TestT1135Statement::validation()
{
    QFETCH(bool, withStatement);
    QFETCH(QString, breakField);
    QFETCH(int, records);
    Taxpayer jean;
    TaxData_T1135New* t1135 = withStatement ? addStatement(jean) : nullptr;
    if (t1135 && breakField == QLatin1String("SIN"))
        t1135->SIN.m_value = CString("123456789");
    if (t1135 && breakField == QLatin1String("FundsHeldAbroad"))
        t1135->FundsHeldAbroad.m_value = 0.0;
    std::list<_STRUCT_FORM_VALIDATE_INFO*> out;
    const int result = jean.person.ValidateT1135(2, out);
    QCOMPARE(int(out.size()), records);
    QCOMPARE(result, records);
    if (records) {
        QCOMPARE(out.front()->source, int(VALIDATE_SOURCE_FORM));
        QCOMPARE(out.front()->itemType, int(FORM_T1135));
        QCOMPARE(int(out.front()->messages.size()), 1);
    }
    deleteRecords(out);
}

QTEST_GUILESS_MAIN(TestT1135Statement)
#include "tst_t1135statement.moc"
