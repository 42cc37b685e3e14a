#include "app/featuresettingsfromconfig.h"

#include "app/t1appconfig.h"

#include <QDir>

namespace {

void fillFiling(FeatureSettings::Filing& f, const CT1AppConfig& c, const QString& runFolder)
{
    f.direradHost = c.DIRERADSERVER;
    f.efileHost = c.EOLSERVER;
    f.t1013Host = c.T1013SERVER;
    // The same names as TabWndApp::getFilingLogFilePath: the result file of
    // a test run is kept apart from the real one.
    if (!runFolder.isEmpty()) {
        f.logPath = runFolder + QStringLiteral("/netfilelog.txt");
        f.resultFilePath = runFolder + QStringLiteral("/netfileresult") +
                           (c.MODEDEBUG ? QStringLiteral(".ws") : QStringLiteral(".txt"));
    }
    f.efileNumber = c.BusinessEFileNum;
    f.efilePassword = c.BusinessEFilePassword;
    f.makerWebHost = c.voDarevivoWebServer;
    f.noWarningMsg = c.NoWarningMsg;
}

void fillAgencyData(FeatureSettings::AgencyData& a, const CT1AppConfig& c)
{
    using E = CT1AppConfig;
    a.softwareCode = c.DireradSoftwareCode;
    a.afrKey = c.tddService(E::TDDWEBSERVICE_AFR_SPKEY_DIRERAD);
    a.afrMacKey = c.tddService(E::TDDWEBSERVICE_AFR_SPKEY_DIRERAD_MAC);
    a.noaKey = c.tddService(E::TDDWEBSERVICE_NOA_SPKEY_DIRERAD);
    a.noaMacKey = c.tddService(E::TDDWEBSERVICE_NOA_SPKEY_DIRERAD_MAC);
    a.serviceHost = c.tddService(E::TDDWEBSERVICE_HOST);
    a.dataDeliveryPath = c.tddService(E::TDDWEBSERVICE_URLPATH_DATADELIVERY_1);
    a.tddServicePath = c.tddService(E::TDDWEBSERVICE_URLPATH_TDD_2);
    a.noaServicePath = c.tddService(E::TDDWEBSERVICE_URLPATH_NOA_2);
    a.loginHost = c.tddService(E::TDDWEBSERVER_HOST);
    a.loginPath = c.tddService(E::TDDWEBSERVER_URLPATH_AUTH);
    a.craJsUrl = c.tddService(E::TDDWEBSERVER_URLPATH_CRAJS);
    a.fullLog = c.FullLog;
    a.timeoutSeconds = c.soapTimeoutSec();
    a.noaRenderHost = c.NOARenderHost;
    a.callbackPortOverride = c.tddCallbackPortOverride();
    a.loginWaitSeconds = c.tddLoginWaitSeconds();
    a.dataFile = c.TDDDataFile;
}

} // namespace

FeatureSettings featureSettingsFromConfig(const CT1AppConfig& c, const QString& runFolder)
{
    FeatureSettings s;
    s.runFolder = runFolder;
    s.pdfFolder = c.RetPdfPath;
    s.noticeFolder = c.m_strNOAPath;
    s.resourceFolder = c.m_strResourcePath;
    s.testMode = c.MODEDEBUG;
    fillFiling(s.filing, c, runFolder);

    s.esign.server = c.QuillorServer;
    s.esign.email = c.QuillorEmail;
    s.esign.password = c.QuillorPswd;
    s.esign.filingReport = c.FilingReport;
    s.esign.customizedClientLetter = c.CustomizedClientLetter;
    s.esign.clientLetterVersion = c.CustomizedClientLetter_Ver;

    s.print.classPath = c.JAVACLASSPATH;
    s.print.templateFolder = c.PDFPATH;
    s.print.layoutFolder = c.XMLPATH;
    s.print.jvmPath = c.JVMPATH;
    s.print.printHeader = c.PrintHeader;
    s.print.pdfBesideReturn = c.PdfPathSameAsRet != 0;
    s.print.clientLetterByDefault = c.PrntClientLetter != 0;
    s.print.tellSelection = c.MODEDEBUG && c.EnableGenPrint;

    s.preparer = {c.BusinessName, c.BusinessAddr, c.BusinessCity, c.BusinessProv, c.BusinessPostcode, c.BusinessPhone};

    fillAgencyData(s.agencyData, c);
    return s;
}
