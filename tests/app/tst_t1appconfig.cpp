#include <QtTest>

#include "app/t1appconfig.h"
#include "app/windowplacement.h"

// The configuration's defaults, the file "gr_path.ini" over them, the rules
// that fill what is still empty, and the placement rule of the main window.
class TestT1AppConfig : public QObject
{
    Q_OBJECT
private slots:
    void defaults_data();
    void defaults();
    void builtInJvmPathIsTheBuildsRuntime();
    void fileOverrides_data();
    void fileOverrides();
    void finalizeHosts_data();
    void finalizeHosts();
    void endpointTable_data();
    void endpointTable();
    void viewSettingChecks_data();
    void viewSettingChecks();
    void placement_data();
    void placement();

private:
    static QString textOf(const CT1AppConfig& c, const QString& key);
};

namespace {

// Reads the given file text into a configuration made as the start-up makes it.
struct LoadedConfig
{
    QTemporaryDir dir;
    CT1AppConfig config;

    explicit LoadedConfig(const QByteArray& fileText = QByteArray(), bool finalize = true)
    {
        config.setDefaultValue("/opt/app/bin", "/home/u/Documents/vodarevivo/2024");
        const QString path = dir.filePath("gr_path.ini");
        if (!fileText.isNull()) {
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write(fileText);
        }
        config.readConfigFile(path.toUtf8().constData());
        if (finalize)
            config.finalize();
    }
};

} // namespace

QString TestT1AppConfig::textOf(const CT1AppConfig& c, const QString& key)
{
    const std::map<QString, const CString*> texts = {
        {"DireradSoftwareCode", &c.DireradSoftwareCode}, {"DireradSoftwareDate", &c.DireradSoftwareDate},
        {"EfileSoftwareCode", &c.EfileSoftwareCode},     {"EfileSoftwareDate", &c.EfileSoftwareDate},
        {"EOLSERVER", &c.EOLSERVER},                     {"DIRERADSERVER", &c.DIRERADSERVER},
        {"T1013SERVER", &c.T1013SERVER},                 {"QuillorServer", &c.QuillorServer},
        {"voDarevivoWebServer", &c.voDarevivoWebServer}, {"URL_SEND_RETURN_FILE", &c.URL_SEND_RETURN_FILE},
        {"URL_SEND_COMMENT", &c.URL_SEND_COMMENT},       {"LeftPaneSize", &c.LeftPaneSize},
        {"PDFPATH", &c.PDFPATH},                         {"XMLPATH", &c.XMLPATH},
        {"BFORM_XMLPATH", &c.BFORM_XMLPATH},             {"HTMLPATH", &c.HTMLPATH},
        {"EFILEXML_TEMPLATE_PATH", &c.EFILEXML_TEMPLATE_PATH},
        {"JAVACLASSPATH", &c.JAVACLASSPATH},             {"JAVAPROJPATH", &c.JAVAPROJPATH},
        {"JVMPATH", &c.JVMPATH},                         {"TDDDataFile", &c.TDDDataFile},
        {"BKColor", &c.BKColor},                         {"FontSize", &c.FontSize},
        {"RetPath", &c.RetPath},                         {"RetPdfPath", &c.RetPdfPath},
        {"m_strNOAPath", &c.m_strNOAPath},               {"BusinessName", &c.BusinessName},
        {"ShowRelMsg", &c.ShowRelMsg},                   {"QuillorEmail", &c.QuillorEmail},
        {"NOARenderHost", &c.NOARenderHost},
    };
    const std::map<QString, const bool*> flags = {
        {"PrintLogo", &c.PrintLogo},         {"PrintHeader", &c.PrintHeader},
        {"PrintTailer", &c.PrintTailer},     {"FullLog", &c.FullLog},
        {"Allow2nd", &c.Allow2nd},           {"MODEDEBUG", &c.MODEDEBUG},
        {"NoWarningMsg", &c.NoWarningMsg},   {"EnableGenPrint", &c.EnableGenPrint},
        {"OverwriteStatus", &c.OverwriteStatus}, {"FilingReport", &c.FilingReport},
        {"CustomizedClientLetter", &c.CustomizedClientLetter},
    };
    const std::map<QString, const int*> numbers = {
        {"LeftX", &c.LeftX},
        {"Width", &c.Width},
        {"PreAssessment", &c.PreAssessment},
        {"PostAssessment", &c.PostAssessment},
        {"PrntClientLetter", &c.PrntClientLetter},
        {"SaveBackup", &c.SaveBackup},
        {"PdfPathSameAsRet", &c.PdfPathSameAsRet},
        {"CustomizedClientLetter_Ver", &c.CustomizedClientLetter_Ver},
    };
    if (texts.count(key))
        return *texts.at(key);
    if (flags.count(key))
        return *flags.at(key) ? "true" : "false";
    if (numbers.count(key))
        return QString::number(*numbers.at(key));
    return "<unknown key>";
}

void TestT1AppConfig::defaults_data()
{
    const QString res = QDir(QCoreApplication::applicationDirPath() + "/../Resources").path();
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("DireradSoftwareDate") << "DireradSoftwareDate" << "2024-12-13";
    QTest::newRow("EfileSoftwareDate") << "EfileSoftwareDate" << "2024-12-13";
    QTest::newRow("DireradSoftwareCode") << "DireradSoftwareCode" << "095";
    QTest::newRow("EfileSoftwareCode") << "EfileSoftwareCode" << "095";
    QTest::newRow("URL_SEND_RETURN_FILE") << "URL_SEND_RETURN_FILE" << "/fileupload.php";
    QTest::newRow("URL_SEND_COMMENT") << "URL_SEND_COMMENT" << "/commentupload.php";
    QTest::newRow("LeftPaneSize") << "LeftPaneSize" << "270";
    QTest::newRow("BKColor") << "BKColor" << "#d0f1ff";
    QTest::newRow("FontSize") << "FontSize" << "12";
    QTest::newRow("HTMLPATH") << "HTMLPATH" << "/opt/app/bin/help";
    QTest::newRow("EFILEXML_TEMPLATE_PATH") << "EFILEXML_TEMPLATE_PATH" << "/opt/app/bin/bin";
    QTest::newRow("BFORM_XMLPATH") << "BFORM_XMLPATH" << "/opt/app/bin/BFormxml";
    QTest::newRow("PDFPATH") << "PDFPATH" << res + "/pdf";
    QTest::newRow("XMLPATH") << "XMLPATH" << res + "/xml";
    QTest::newRow("JAVACLASSPATH") << "JAVACLASSPATH" << res + "/itext13.jar:" + res + "/mr.jar";
    QTest::newRow("JAVAPROJPATH") << "JAVAPROJPATH" << "";
    QTest::newRow("JVMPATH") << "JVMPATH" << QString::fromUtf8(CT1AppConfig::kBuiltInJvmPath);
    QTest::newRow("TDDDataFile") << "TDDDataFile" << "";
    QTest::newRow("RetPath") << "RetPath" << "/home/u/Documents/vodarevivo/2024/data";
    QTest::newRow("RetPdfPath") << "RetPdfPath" << "/home/u/Documents/vodarevivo/2024/data";
    QTest::newRow("m_strNOAPath") << "m_strNOAPath" << "/home/u/Documents/vodarevivo/2024/data/noa1";
    QTest::newRow("PrintLogo") << "PrintLogo" << "true";
    QTest::newRow("PrintHeader") << "PrintHeader" << "true";
    QTest::newRow("PrintTailer") << "PrintTailer" << "true";
    QTest::newRow("FullLog") << "FullLog" << "false";
    QTest::newRow("Allow2nd") << "Allow2nd" << "false";
    QTest::newRow("MODEDEBUG") << "MODEDEBUG" << "false";
    QTest::newRow("NoWarningMsg") << "NoWarningMsg" << "false";
    QTest::newRow("EnableGenPrint") << "EnableGenPrint" << "false";
    QTest::newRow("OverwriteStatus") << "OverwriteStatus" << "false";
    QTest::newRow("FilingReport") << "FilingReport" << "false";
    QTest::newRow("LeftX") << "LeftX" << "0";
    QTest::newRow("Width") << "Width" << "0";
    QTest::newRow("PreAssessment") << "PreAssessment" << "-1";
    QTest::newRow("PostAssessment") << "PostAssessment" << "-1";
    QTest::newRow("PrntClientLetter") << "PrntClientLetter" << "0";
    QTest::newRow("SaveBackup") << "SaveBackup" << "0";
    QTest::newRow("PdfPathSameAsRet") << "PdfPathSameAsRet" << "0";
    QTest::newRow("CustomizedClientLetter_Ver") << "CustomizedClientLetter_Ver" << "0";
    QTest::newRow("BusinessName") << "BusinessName" << "";
}

void TestT1AppConfig::defaults()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    LoadedConfig loaded; // no file at all
    QCOMPARE(textOf(loaded.config, key), value);
}

// The print engine starts from this default on a system set up by
// scripts/deps: it must be a server libjvm that exists.
void TestT1AppConfig::builtInJvmPathIsTheBuildsRuntime()
{
    const QString path = QString::fromUtf8(CT1AppConfig::kBuiltInJvmPath);
    QVERIFY2(path.endsWith(QLatin1String("/lib/server/libjvm.so")), qPrintable(path));
    QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
}

void TestT1AppConfig::fileOverrides_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("text key") << QByteArray("JVMPATH=/usr/lib/jvm/libjvm.so\n") << "JVMPATH" << "/usr/lib/jvm/libjvm.so";
    QTest::newRow("default replaced") << QByteArray("DireradSoftwareDate = 2025-01-31\r\n") << "DireradSoftwareDate"
                                      << "2025-01-31";
    QTest::newRow("pane width") << QByteArray("LeftPaneSize=320\n") << "LeftPaneSize" << "320";
    QTest::newRow("malformed pane width") << QByteArray("LeftPaneSize=wide\n") << "LeftPaneSize" << "270";
    QTest::newRow("flag on") << QByteArray("Allow2nd=1\n") << "Allow2nd" << "true";
    QTest::newRow("flag off") << QByteArray("PrintHeader=0\n") << "PrintHeader" << "false";
    QTest::newRow("code from file") << QByteArray("EfileSoftwareCode=123\n") << "EfileSoftwareCode" << "123";
    QTest::newRow("other code still derived") << QByteArray("EfileSoftwareCode=123\n") << "DireradSoftwareCode"
                                              << "095";
    QTest::newRow("settings are not file keys") << QByteArray("BKColor=#000000\n") << "BKColor" << "#d0f1ff";
    QTest::newRow("absent key keeps default") << QByteArray("# only a comment\n") << "HTMLPATH"
                                              << "/opt/app/bin/help";
}

void TestT1AppConfig::fileOverrides()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, key);
    QFETCH(QString, value);
    LoadedConfig loaded(file);
    QCOMPARE(textOf(loaded.config, key), value);
}

void TestT1AppConfig::finalizeHosts_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("production agency host") << QByteArray() << "DIRERADSERVER" << "apps.taxagency.example";
    QTest::newRow("production EOL host") << QByteArray() << "EOLSERVER" << "apps.taxagency.example";
    QTest::newRow("production T1013 host") << QByteArray() << "T1013SERVER" << "apps.taxagency.example";
    QTest::newRow("production e-signature") << QByteArray() << "QuillorServer" << "api.quillor.example";
    QTest::newRow("test agency host") << QByteArray("MODEDEBUG=1\n") << "EOLSERVER" << "certtest.taxagency.example";
    QTest::newRow("test e-signature") << QByteArray("MODEDEBUG=1\n") << "QuillorServer" << "sandbox.quillor.example";
    QTest::newRow("file host wins in test mode")
        << QByteArray("MODEDEBUG=1\nDIRERADSERVER=127.0.0.1:8443\n") << "DIRERADSERVER" << "127.0.0.1:8443";
    QTest::newRow("other hosts still test")
        << QByteArray("MODEDEBUG=1\nDIRERADSERVER=127.0.0.1:8443\n") << "T1013SERVER" << "certtest.taxagency.example";
    QTest::newRow("file host wins in production") << QByteArray("QuillorServer=q.local\n") << "QuillorServer"
                                                  << "q.local";
    QTest::newRow("notice rendering on the product's host") << QByteArray() << "NOARenderHost"
                                                           << "www.vodarevivo.example";
    QTest::newRow("notice rendering on the product's host from the file")
        << QByteArray("voDarevivoWebServer=web.local\n") << "NOARenderHost" << "web.local";
    QTest::newRow("notice rendering on a loopback in test mode")
        << QByteArray("MODEDEBUG=1\nNOARenderHost=127.0.0.1:8444\n") << "NOARenderHost" << "127.0.0.1:8444";
}

void TestT1AppConfig::finalizeHosts()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, key);
    QFETCH(QString, value);
    LoadedConfig loaded(file);
    QCOMPARE(textOf(loaded.config, key), value);
}

void TestT1AppConfig::endpointTable_data()
{
    using C = CT1AppConfig;
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("value");
    const QByteArray prod;
    const QByteArray test("MODEDEBUG=1\n");
    QTest::newRow("prod key 0") << prod << int(C::TDDWEBSERVICE_AFR_SPKEY_DIRERAD) << "Rt6YpL2mXc9VbN4kZq7HsW3dJf8GuA5e";
    QTest::newRow("prod key 2") << prod << int(C::TDDWEBSERVICE_AFR_SPKEY_DIRERAD_MAC) << "hK5pWz8NcR2vLq7XbM3tYs9DfG4jEu6A";
    QTest::newRow("prod key 5 twin of 1") << prod << int(C::TDDWEBSERVICE_NOA_SPKEY_EFILE) << "Vb3NxQ8rTz6HmK2wPc9LsJ5dYf7GaE4u";
    QTest::newRow("prod key 7 twin of 3") << prod << int(C::TDDWEBSERVICE_NOA_SPKEY_EFILE_MAC) << "Qm7RtVw2XkPb9LzHn4CsYd8FgJ3eTa6U";
    QTest::newRow("test key 0") << test << int(C::TDDWEBSERVICE_AFR_SPKEY_DIRERAD) << "Zc2WmQ7vRx4LpN9kTb6HsJ3dYf8GuA5e";
    QTest::newRow("test key 1") << test << int(C::TDDWEBSERVICE_AFR_SPKEY_EFILE) << "Lq9TbV4xMz7RcK2pWn5HsY8dJg3FaE6u";
    QTest::newRow("test key 6 twin of 2") << test << int(C::TDDWEBSERVICE_NOA_SPKEY_DIRERAD_MAC) << "wX8cN3pRz5LmT9kVq2HbY7sJd4GfA6Eu";
    QTest::newRow("test key 3") << test << int(C::TDDWEBSERVICE_AFR_SPKEY_EFILE_MAC) << "Dp4KsW9zQm2XcL7vTn5RbH8jYg3FuE6a";
    QTest::newRow("prod path 9") << prod << int(C::TDDWEBSERVICE_URLPATH_DATADELIVERY_1) << "/ebci/awsc/tdd/ws/";
    QTest::newRow("test path 9") << test << int(C::TDDWEBSERVICE_URLPATH_DATADELIVERY_1) << "/ebci/awsc/tdd/ws/";
    QTest::newRow("prod path 10") << prod << int(C::TDDWEBSERVICE_URLPATH_TDD_2) << "/TaxDataDeliveryService";
    QTest::newRow("test path 10") << test << int(C::TDDWEBSERVICE_URLPATH_TDD_2) << "/CertTestDeliveryService";
    QTest::newRow("prod path 11") << prod << int(C::TDDWEBSERVICE_URLPATH_NOA_2) << "/NoticeOfAssessmentService";
    QTest::newRow("test path 11") << test << int(C::TDDWEBSERVICE_URLPATH_NOA_2) << "/CertTestNOAService";
    QTest::newRow("prod path 13") << prod << int(C::TDDWEBSERVER_URLPATH_AUTH) << "/gol-ged/awsc/tdd/auth/start";
    QTest::newRow("test path 13") << test << int(C::TDDWEBSERVER_URLPATH_AUTH) << "/ebci/awsc/tdd/certtest/auth/start";
    QTest::newRow("prod service host") << prod << int(C::TDDWEBSERVICE_HOST) << "apps.taxagency.example";
    QTest::newRow("prod login host") << prod << int(C::TDDWEBSERVER_HOST) << "login.taxagency.example";
    QTest::newRow("test login host") << test << int(C::TDDWEBSERVER_HOST) << "certtest.taxagency.example";
    QTest::newRow("prod script address") << prod << int(C::TDDWEBSERVER_URLPATH_CRAJS)
                                         << "https://login.taxagency.example/gol-ged/awsc/tdd/auth/pub/js/cra.js";
    QTest::newRow("test script address") << test << int(C::TDDWEBSERVER_URLPATH_CRAJS)
                                         << "https://certtest.taxagency.example/ebci/awsc/tdd/certtest/pub/js/cra.js";
    QTest::newRow("test host from file")
        << QByteArray("MODEDEBUG=1\nTDDWEBSERVICE_HOST=127.0.0.1:9443\n") << int(C::TDDWEBSERVICE_HOST) << "127.0.0.1:9443";
    QTest::newRow("test login host from file")
        << QByteArray("MODEDEBUG=1\nTDDWEBSERVER_HOST=127.0.0.1:9444\n") << int(C::TDDWEBSERVER_URLPATH_CRAJS)
        << "https://127.0.0.1:9444/ebci/awsc/tdd/certtest/pub/js/cra.js";
    QTest::newRow("production ignores host keys")
        << QByteArray("TDDWEBSERVICE_HOST=127.0.0.1:9443\n") << int(C::TDDWEBSERVICE_HOST) << "apps.taxagency.example";
    QTest::newRow("keys cannot come from file")
        << QByteArray("TDDWEBSERVICE_AFR_SPKEY_DIRERAD=abc\n") << int(C::TDDWEBSERVICE_AFR_SPKEY_DIRERAD)
        << "Rt6YpL2mXc9VbN4kZq7HsW3dJf8GuA5e";
}

void TestT1AppConfig::endpointTable()
{
    QFETCH(QByteArray, file);
    QFETCH(int, entry);
    QFETCH(QString, value);
    LoadedConfig loaded(file);
    QCOMPARE(QString(loaded.config.tddService(CT1AppConfig::TddServiceEntry(entry))), value);
}

void TestT1AppConfig::viewSettingChecks_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("colour") << "colour" << "#a0B1c2" << true;
    QTest::newRow("colour of four") << "colour" << "#fff" << false;
    QTest::newRow("colour not hex") << "colour" << "#zzzzzz" << false;
    QTest::newRow("colour without hash") << "colour" << "1234567" << false;
    QTest::newRow("font") << "font" << "14" << true;
    QTest::newRow("font too small") << "font" << "2" << false;
    QTest::newRow("font text") << "font" << "big" << false;
    QTest::newRow("font empty") << "font" << "" << false;
    QTest::newRow("pane") << "pane" << "270" << true;
    QTest::newRow("pane negative") << "pane" << "-5" << false;
    QTest::newRow("pane huge") << "pane" << "999999" << false;
}

void TestT1AppConfig::viewSettingChecks()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    const bool result = kind == "colour" ? SettingsCheck::isColour(text)
                        : kind == "font" ? SettingsCheck::isFontSize(text)
                                         : SettingsCheck::isPaneSize(text);
    QCOMPARE(result, valid);
}

void TestT1AppConfig::placement_data()
{
    QTest::addColumn<QRect>("saved");
    QTest::addColumn<QRect>("expected");
    // Screens: a 1920x1080 primary with a 40-pixel panel at the bottom.
    QTest::newRow("fresh start fits the available area") << QRect(0, 0, 0, 0) << QRect(20, 60, 1900, 980);
    QTest::newRow("saved placement kept") << QRect(100, 120, 900, 600) << QRect(100, 120, 900, 600);
    QTest::newRow("corner on the edge is inside") << QRect(1919, 1079, 800, 500) << QRect(1919, 1079, 800, 500);
    QTest::newRow("corner on a detached screen") << QRect(2500, 100, 900, 600) << QRect(20, 60, 900, 600);
    QTest::newRow("too big for the screen") << QRect(-3000, 0, 2500, 1500) << QRect(20, 60, 1900, 980);
    QTest::newRow("zero height derives size") << QRect(100, 100, 900, 0) << QRect(20, 60, 1720, 880);
}

void TestT1AppConfig::placement()
{
    QFETCH(QRect, saved);
    QFETCH(QRect, expected);
    const QRect screen(0, 0, 1920, 1080);
    const QRect available(0, 0, 1920, 1040);
    const WindowPlacement p =
        WindowPlacement::resolve(saved.x(), saved.y(), saved.width(), saved.height(), screen, screen, available);
    QCOMPARE(p.rect(), expected);
}

QTEST_APPLESS_MAIN(TestT1AppConfig)
#include "tst_t1appconfig.moc"
