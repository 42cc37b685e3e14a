// The print and e-signature service on its own: no window and no page, a
// context with a scripted prompter. Until printing is built its commands tell
// the user so and its operations report failure without making a file.
#include <QtTest>

#include <functional>

#include "common/featurecontextfixture.h"
#include "print/printservice.h"

using Command = std::function<void(PrintService&)>;
Q_DECLARE_METATYPE(Command)

class TestPrintService : public QObject
{
    Q_OBJECT
private slots:
    void commandsSayTheyAreNotAvailable_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("feature");
        QTest::newRow("PDF") << Command(&PrintService::createPdfFile) << "Printing to PDF";
        QTest::newRow("print files") << Command([](PrintService& s) { s.createPrintFiles(false); })
                                     << "Generating print files";
        QTest::newRow("test print file") << Command([](PrintService& s) { s.createPrintFiles(true); })
                                         << "Generating print files";
        QTest::newRow("e-signature") << Command([](PrintService& s) { s.submitESignatureForm(1); }) << "E-signature";
        QTest::newRow("e-signature status")
            << Command([](PrintService& s) { s.getESignatureFormTime(ENUMTYPE_FORM(1)); }) << "E-signature status";
    }

    void commandsSayTheyAreNotAvailable()
    {
        QFETCH(Command, command);
        QFETCH(QString, feature);
        FeatureContextFixture f;
        PrintService service(f.context);
        command(service);
        f.verifyTold(feature);
        QVERIFY(!f.saveAsked);
    }

    void operationsReportFailure()
    {
        FeatureContextFixture f;
        PrintService service(f.context);
        QCOMPARE(service.createPdf(ENUMTYPE_FORM(1), 1), -1);
        QCOMPARE(service.submitDocDelivery(ENUMTYPE_FORM(1), CString("/tmp/return.pdf")), -1);
        QCOMPARE(service.submitESignatureFormType(ENUMTYPE_FORM(1)), -1);
        QVERIFY(!service.loginToESignature());
        QVERIFY(!service.readyToESignature());
        QCOMPARE(service.fetchCustomizedClientLetter(), 0);
        QVERIFY(f.prompter.records().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPrintService)
#include "tst_printservice.moc"
