#include "workspace/featureenvironment.h"

#include "agencydata/ui/tddurlopener.h"
#include "app/BasicEvent.h"
#include "app/mywaitcursor.h"
#include "app/tabwndapp.h"
#include "filing/ui/refilerestrictions.h"
#include "print/JavaEnvs.h"
#include "workspace/form_return.h"

#include <QDir>
#include <QFileInfo>

namespace {

const char* const kClientLetterVersionKey = "CustomizedClientLetter_Ver";

// Accepted filings are recorded in the snapshot's filing log.
std::function<bool(const CString&, const CString&, const CString&, const CString&)>
filingLogWriter(const QString& logPath)
{
    return [logPath](const CString& name, const CString& result, const CString& confirmation, const CString& msg) {
        TabWndApp* app = TabWndApp::getMainApp();
        return app && app->writeSuccFilingLog(logPath, name, result, confirmation, msg) == 0;
    };
}

} // namespace

FilingExchangeSettings filingExchangeSettingsFrom(const FeatureSettings& settings)
{
    FilingExchangeSettings exchange;
    exchange.direradHost = settings.filing.direradHost;
    exchange.efileHost = settings.filing.efileHost;
    exchange.t1013Host = settings.filing.t1013Host;
    exchange.testMode = settings.testMode;
    exchange.resultFilePath = settings.filing.resultFilePath;
    return exchange;
}

QuillorSettings quillorSettingsFrom(const FeatureSettings& settings)
{
    QuillorSettings quillor;
    quillor.appTitle = TabWndApp::s_appTitle;
    quillor.server = settings.esign.server;
    quillor.email = settings.esign.email;
    quillor.password = settings.esign.password;
    quillor.filingReport = settings.esign.filingReport;
    return quillor;
}

JavaVMEnvSettings javaVMEnvSettingsFrom(const FeatureSettings& settings)
{
    JavaVMEnvSettings bridge;
    bridge.classPath = settings.print.classPath;
    bridge.pdfPath = settings.print.templateFolder;
    bridge.xmlPath = settings.print.layoutFolder;
    bridge.jvmPath = settings.print.jvmPath;
    bridge.printHeader = settings.print.printHeader;
    bridge.retPdfPath = settings.pdfFolder;
    return bridge;
}

TddServiceSettings tddServiceSettingsFrom(const FeatureSettings& settings)
{
    const FeatureSettings::AgencyData& a = settings.agencyData;
    TddServiceSettings s;
    s.softwareCode = a.softwareCode;
    s.afrKey = a.afrKey;
    s.afrMacKey = a.afrMacKey;
    s.noaKey = a.noaKey;
    s.noaMacKey = a.noaMacKey;
    s.serviceHost = a.serviceHost;
    s.dataDeliveryPath = a.dataDeliveryPath;
    s.tddServicePath = a.tddServicePath;
    s.noaServicePath = a.noaServicePath;
    s.loginHost = a.loginHost;
    s.loginPath = a.loginPath;
    s.modeDebug = settings.testMode;
    s.fullLog = a.fullLog;
    s.timeoutMs = a.timeoutSeconds * 1000;
    s.noaRenderHost = a.noaRenderHost;
    s.noaPageFolder = settings.noticeFolder;
    if (!settings.runFolder.isEmpty()) {
        const QDir run(settings.runFolder);
        s.requestLogPath = QDir::toNativeSeparators(run.filePath(QStringLiteral("tddlog.txt")));
        s.sessionLogPath = QDir::toNativeSeparators(run.filePath(QStringLiteral("tddlog2.txt")));
    }
    return s;
}

TddSessionOptions tddSessionOptionsFrom(const FeatureSettings& settings, int appPurpose)
{
    const FeatureSettings::AgencyData& a = settings.agencyData;
    TddSessionOptions o;
    o.service = tddServiceSettingsFrom(settings);
    o.callbackPort = a.callbackPortOverride ? a.callbackPortOverride : tddCallbackPort(appPurpose);
    o.loginWaitSeconds = a.loginWaitSeconds;
    o.dataFile = a.dataFile;
    o.craJsUrl = a.craJsUrl;
    o.opener = tddDesktopLinkOpener();
    return o;
}

DireradRoadEnvironment direradRoadEnvironment(const FeatureContext& context, Form_Return* page)
{
    const FeatureSettings& settings = context.settings;
    DireradRoadEnvironment env;
    env.submission.exchange = filingExchangeSettingsFrom(settings);
    env.submission.filingLogPath = settings.filing.logPath;
    env.submission.writeFilingLog = filingLogWriter(settings.filing.logPath);
    env.appTitle = TabWndApp::s_appTitle;
    env.validateReturn = [page] { return page->ValidateTaxReturn(TabWndApp::s_appPurpose, false, false); };
    env.runFolder = settings.runFolder;
    env.noWarningMsg = settings.filing.noWarningMsg;
    env.findTaxpayer = [](const CString& sin, const CString& name) {
        TabWndApp* app = TabWndApp::getMainApp();
        return app ? CBasicEvent::findUserIDAndUpdateUser(app->m_dbManager.db(), sin, name, CString(), CString()) : 0;
    };
    env.saveHistoryEvent = [](int uid, int eventId, const CString& text) {
        TabWndApp* app = TabWndApp::getMainApp();
        return app && CBasicEvent::saveUniqueEvent(app->m_dbManager.db(), uid, eventId, text, false, false, true) > 0;
    };
    env.runLog = runLogLine;
    return env;
}

DireradSubmissionSettings efileSubmissionSettings(const FeatureContext& context, Form_Return* page)
{
    DireradSubmissionSettings settings = direradRoadEnvironment(context, page).submission;
    // Through the page's sender, so that tests can record the records.
    settings.sendFilingRecord = page->filingRecordSender();
    settings.efileNumber = context.settings.filing.efileNumber;
    settings.efilePassword = context.settings.filing.efilePassword;
    return settings;
}

FormFilingSettings formFilingSettings(const FeatureContext& context, Form_Return* page)
{
    FormFilingSettings settings;
    settings.exchange = filingExchangeSettingsFrom(context.settings);
    settings.edition = TabWndApp::s_appPurpose;
    settings.sendFilingRecord = page->filingRecordSender();
    // The maker's help pages (the T1013 error codes) live on its web host.
    settings.makerWebHost = context.settings.filing.makerWebHost;
    settings.filingLogPath = context.settings.filing.logPath;
    settings.writeFilingLog = filingLogWriter(context.settings.filing.logPath);
    return settings;
}

T1135RoadEnvironment t1135RoadEnvironment(const FeatureContext& context, Form_Return* page)
{
    T1135RoadEnvironment env;
    env.filing = formFilingSettings(context, page);
    env.validateT1135 = [page] { return page->ValidateTaxForm(TabWndApp::s_appPurpose, FORM_T1135, false, false); };
    return env;
}

ReFileEnvironment reFileEnvironment(Form_Return* page)
{
    ReFileEnvironment env;
    env.agreeToRestrictions = [page] { return agreeToReFileRestrictions(page); };
    env.returnFilePath = [page] {
        QString path;
        page->getFilepath(path);
        return path;
    };
    env.moveToFile = [page](const QString& path) {
        QFileInfo info(path);
        page->setFilepath(&info);
        MyWaitCursor wait;
        page->saveReturnFile(false);
    };
    return env;
}

const FeatureSettings& currentFeatureSettings()
{
    static const FeatureSettings none;
    const TabWndApp* app = TabWndApp::getMainApp();
    return app ? app->featureSettings() : none;
}

QuillorSettings currentQuillorSettings()
{
    return quillorSettingsFrom(currentFeatureSettings());
}

void installJavaVMEnv()
{
    JavaVMEnv* bridge = JavaVMEnv::getInstance();
    bridge->setSettingsSource([] {
        return TabWndApp::getMainApp() ? javaVMEnvSettingsFrom(currentFeatureSettings()) : JavaVMEnvSettings();
    });
    bridge->setRunLog([](const char* line) {
        if (TabWndApp* app = TabWndApp::getMainApp())
            app->WriteRunLogFile(line);
    });
}

void runLogLine(const QString& line)
{
    if (TabWndApp* app = TabWndApp::getMainApp())
        app->WriteRunLogFile(line.toUtf8().constData());
}

void recordClientLetterVersion(int version)
{
    TabWndApp* app = TabWndApp::getMainApp();
    if (!app)
        return;
    app->m_config.CustomizedClientLetter_Ver = version;
    app->m_dbManager.saveParameter(kClientLetterVersionKey, version);
    app->refreshFeatureSettings();
}
