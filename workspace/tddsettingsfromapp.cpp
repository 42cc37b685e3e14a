#include "workspace/tddsettingsfromapp.h"

#include "app/t1appconfig.h"
#include "agencydata/ui/tddurlopener.h"
#include "app/tabwndapp.h"

#include <QDir>

TddServiceSettings tddSettingsFromConfig(const CT1AppConfig& config, const QString& runFolder)
{
    using E = CT1AppConfig;
    TddServiceSettings s;
    s.softwareCode = config.DireradSoftwareCode;
    s.afrKey = config.tddService(E::TDDWEBSERVICE_AFR_SPKEY_DIRERAD);
    s.afrMacKey = config.tddService(E::TDDWEBSERVICE_AFR_SPKEY_DIRERAD_MAC);
    s.noaKey = config.tddService(E::TDDWEBSERVICE_NOA_SPKEY_DIRERAD);
    s.noaMacKey = config.tddService(E::TDDWEBSERVICE_NOA_SPKEY_DIRERAD_MAC);
    s.serviceHost = config.tddService(E::TDDWEBSERVICE_HOST);
    s.dataDeliveryPath = config.tddService(E::TDDWEBSERVICE_URLPATH_DATADELIVERY_1);
    s.tddServicePath = config.tddService(E::TDDWEBSERVICE_URLPATH_TDD_2);
    s.noaServicePath = config.tddService(E::TDDWEBSERVICE_URLPATH_NOA_2);
    s.loginHost = config.tddService(E::TDDWEBSERVER_HOST);
    s.loginPath = config.tddService(E::TDDWEBSERVER_URLPATH_AUTH);
    s.modeDebug = config.MODEDEBUG;
    s.fullLog = config.FullLog;
    s.timeoutMs = config.soapTimeoutSec() * 1000;
    s.noaRenderHost = config.NOARenderHost;
    s.noaPageFolder = config.m_strNOAPath;
    if (!runFolder.isEmpty()) {
        s.requestLogPath = QDir::toNativeSeparators(QDir(runFolder).filePath(QStringLiteral("tddlog.txt")));
        s.sessionLogPath = QDir::toNativeSeparators(QDir(runFolder).filePath(QStringLiteral("tddlog2.txt")));
    }
    return s;
}

TddServiceSettings tddSettingsFromApp()
{
    TabWndApp* app = TabWndApp::getMainApp();
    if (!app)
        return TddServiceSettings();
    TddServiceSettings s = tddSettingsFromConfig(app->m_config, QString());
    CString path;
    app->getTDDLogFilePath(path, 0);
    s.requestLogPath = path;
    app->getTDDLogFilePath(path, 1);
    s.sessionLogPath = path;
    return s;
}

TddSessionOptions tddSessionOptionsFromConfig(const CT1AppConfig& config, const QString& runFolder,
                                              int appPurpose)
{
    TddSessionOptions o;
    o.service = tddSettingsFromConfig(config, runFolder);
    const int port = config.tddCallbackPortOverride();
    o.callbackPort = port ? port : tddCallbackPort(appPurpose);
    o.loginWaitSeconds = config.tddLoginWaitSeconds();
    o.dataFile = config.TDDDataFile;
    o.craJsUrl = config.tddService(CT1AppConfig::TDDWEBSERVER_URLPATH_CRAJS);
    o.opener = tddDesktopLinkOpener();
    return o;
}
