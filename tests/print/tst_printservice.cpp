// The e-signature status query on its own: no window and no page, a context
// with a scripted prompter. Until it is built it tells the user so.
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

};

QTEST_GUILESS_MAIN(TestPrintService)
#include "tst_printservice.moc"
