// The filing, print and agency-data services on their own: no window, no
// page, only the model and a context with a scripted prompter. Until each
// feature is built, its commands tell the user so, over the parent they are
// given and titled for the program's edition, and the operations that answer
// a caller report that nothing was done.
#include <QtTest>

#include <QObject>
#include <functional>

#include "agencydata/agencydataservice.h"
#include "common/scriptedprompter.h"
#include "companion/core/messages.h"
#include "filing/filingservice.h"
#include "model/cfamilytaxdata.h"
#include "print/printservice.h"

Q_DECLARE_METATYPE(std::function<void(const FeatureContext&)>)

using Command = std::function<void(const FeatureContext&)>;

class TestFeatureServices : public QObject
{
    Q_OBJECT
private slots:
    void commandsSayTheyAreNotAvailable_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("feature");
        QTest::newRow("file online") << Command([](const FeatureContext& c) { FilingService(c).createElectronicFile(); })
                                     << "Filing a return online";
        QTest::newRow("T1135") << Command([](const FeatureContext& c) { FilingService(c).fileT1135(); })
                               << "Filing form T1135 online";
        QTest::newRow("ReFile") << Command([](const FeatureContext& c) { FilingService(c).prepareReFile(); })
                                << "Setting a return for ReFile";
        QTest::newRow("un-ReFile") << Command([](const FeatureContext& c) { FilingService(c).unsetReFile(); })
                                   << "Un-setting a return for ReFile";
        QTest::newRow("PDF") << Command([](const FeatureContext& c) { PrintService(c).createPdfFile(); })
                             << "Printing to PDF";
        QTest::newRow("print files") << Command([](const FeatureContext& c) { PrintService(c).createPrintFiles(false); })
                                     << "Generating print files";
        QTest::newRow("e-signature") << Command([](const FeatureContext& c) { PrintService(c).submitESignatureForm(1); })
                                     << "E-signature";
        QTest::newRow("e-signature status")
            << Command([](const FeatureContext& c) { PrintService(c).getESignatureFormTime(ENUMTYPE_FORM(1)); })
            << "E-signature status";
        QTest::newRow("auto-fill") << Command([](const FeatureContext& c) { AgencyDataService(c).autoFill(); })
                                   << "Auto-fill";
        QTest::newRow("Express NOA") << Command([](const FeatureContext& c) { AgencyDataService(c).expressNoa(); })
                                     << "Express NOA";
    }

    void commandsSayTheyAreNotAvailable()
    {
        QFETCH(Command, command);
        QFETCH(QString, feature);
        ScriptedPrompter prompter;
        CFamilyTaxData family;
        QObject parentStandIn;
        FeatureContext context;
        context.family = &family;
        context.prompter = &prompter;
        context.edition = 2;
        // The parent is only handed through; a service never uses it as a widget.
        context.dialogParent = reinterpret_cast<QWidget*>(&parentStandIn);
        bool saved = false;
        context.saveReturn = [&saved] { saved = true; return true; };

        command(context);

        QCOMPARE(prompter.records().size(), 1);
        const PromptRecord& shown = prompter.records().front();
        QCOMPARE(shown.kind, PromptKind::MessageBox);
        // As numbers: naming a message-box value would need the widget library.
        QCOMPARE(int(shown.icon), int(QMessageBox::Information));
        QCOMPARE(shown.title, gMsgTitle(2));
        QCOMPARE(shown.texts, QStringList{feature + " is not available yet."});
        QVERIFY(shown.hadParent);
        QVERIFY(!saved); // nothing is filed or printed, so nothing needs saving
    }

    void operationsReportThatNothingWasDone()
    {
        ScriptedPrompter prompter;
        FeatureContext context;
        context.prompter = &prompter;
        FilingService filing(context);
        QVERIFY(!filing.isEligibleForReFile());
        QCOMPARE(filing.validateTaxForm(1, ENUMTYPE_FORM(1)), 0);
        QCOMPARE(filing.sendFilingRecord(1, CString("confirmation")), 0);
        PrintService print(context);
        QCOMPARE(print.createPdf(ENUMTYPE_FORM(1), 1), -1);
        QCOMPARE(print.submitDocDelivery(ENUMTYPE_FORM(1), CString("/tmp/x.pdf")), -1);
        QCOMPARE(print.submitESignatureFormType(ENUMTYPE_FORM(1)), -1);
        QVERIFY(!print.loginToESignature());
        QVERIFY(!print.readyToESignature());
        QCOMPARE(print.fetchCustomizedClientLetter(), 0);
        QVERIFY(prompter.records().isEmpty());
    }

    // With no prompter in the context the installed one is asked.
    void theInstalledPrompterIsTheDefault()
    {
        ScriptedPrompter installed;
        FilingService(FeatureContext()).fileT1135();
        QCOMPARE(installed.records().size(), 1);
        QVERIFY(!installed.records().front().hadParent);
    }
};

QTEST_GUILESS_MAIN(TestFeatureServices)
#include "tst_featureservices.moc"
