// A filing request as written to a file keeps no secret and no whole S.I.N.
#include <QtTest>

#include "filing/requestredaction.h"

class TestRequestRedaction : public QObject
{
    Q_OBJECT
private slots:
    void redacts_data();
    void redacts();
};

void TestRequestRedaction::redacts_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("access code") << QByteArray("<a><t1rq:DireradAccessCode>AB12CD</t1rq:DireradAccessCode></a>")
                                 << QByteArray("<a><t1rq:DireradAccessCode></t1rq:DireradAccessCode></a>");
    QTest::newRow("passwords")
        << QByteArray("<ef:PasswordID>p1</ef:PasswordID><wsse:Password Type=\"t\">p2</wsse:Password>"
                      "<padrq:PasswordIdentifier>p3</padrq:PasswordIdentifier>")
        << QByteArray("<ef:PasswordID></ef:PasswordID><wsse:Password Type=\"t\"></wsse:Password>"
                      "<padrq:PasswordIdentifier></padrq:PasswordIdentifier>");
    QTest::newRow("other prefix") << QByteArray("<ns2:DireradAccessCode>AB</ns2:DireradAccessCode>")
                                  << QByteArray("<ns2:DireradAccessCode></ns2:DireradAccessCode>");
    QTest::newRow("sins")
        << QByteArray("<t1rq:SocialInsuranceNumber>123456782</t1rq:SocialInsuranceNumber>"
                      "<t1rq:SpouseSocialInsuranceNumber>046 454 286</t1rq:SpouseSocialInsuranceNumber>")
        << QByteArray("<t1rq:SocialInsuranceNumber>782</t1rq:SocialInsuranceNumber>"
                      "<t1rq:SpouseSocialInsuranceNumber>286</t1rq:SpouseSocialInsuranceNumber>");
    QTest::newRow("other elements kept")
        << QByteArray("<t1rq:Name>Jean</t1rq:Name><t1rq:PasswordHint>kept</t1rq:PasswordHint>")
        << QByteArray("<t1rq:Name>Jean</t1rq:Name><t1rq:PasswordHint>kept</t1rq:PasswordHint>");
}

void TestRequestRedaction::redacts()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, written);
    QCOMPARE(redactFilingRequest(request), written);
}

QTEST_GUILESS_MAIN(TestRequestRedaction)
#include "tst_requestredaction.moc"
