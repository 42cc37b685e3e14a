#include "workspace/filingenvironmentfromapp.h"

#include "app/BasicEvent.h"
#include "app/mywaitcursor.h"
#include "app/tabwndapp.h"
#include "filing/ui/refilerestrictions.h"
#include "workspace/form_return.h"

#include <QFileInfo>

FilingExchangeSettings filingExchangeSettingsFromApp()
{
    FilingExchangeSettings settings;
    TabWndApp* app = TabWndApp::getMainApp();
    if (!app)
        return settings;
    settings.direradHost = app->m_config.DIRERADSERVER;
    settings.efileHost = app->m_config.EOLSERVER;
    settings.t1013Host = app->m_config.T1013SERVER;
    settings.testMode = app->m_config.MODEDEBUG;
    CString path;
    app->getFilingLogFilePath(path, 1);
    settings.resultFilePath = path;
    return settings;
}

DireradRoadEnvironment direradRoadEnvironmentFromApp(Form_Return* page)
{
    DireradRoadEnvironment env;
    TabWndApp* app = TabWndApp::getMainApp();
    env.submission.exchange = filingExchangeSettingsFromApp();
    env.appTitle = TabWndApp::s_appTitle;
    env.validateReturn = [page] { return page->ValidateTaxReturn(TabWndApp::s_appPurpose, false, false); };
    if (!app)
        return env;
    CString logPath;
    app->getFilingLogFilePath(logPath, 0);
    env.submission.filingLogPath = logPath;
    env.submission.writeFilingLog = [app](const CString& name, const CString& result, const CString& confirmation,
                                          const CString& msg) {
        return app->writeSuccFilingLog(name, result, confirmation, msg) == 0;
    };
    env.runFolder = app->m_strRunPath;
    env.noWarningMsg = app->m_config.NoWarningMsg;
    env.findTaxpayer = [app](const CString& sin, const CString& name) {
        return CBasicEvent::findUserIDAndUpdateUser(app->m_dbManager.db(), sin, name, CString(), CString());
    };
    env.saveHistoryEvent = [app](int uid, int eventId, const CString& text) {
        return CBasicEvent::saveUniqueEvent(app->m_dbManager.db(), uid, eventId, text, false, false, true) > 0;
    };
    env.runLog = [app](const QString& line) { app->WriteRunLogFile(line.toUtf8().constData()); };
    return env;
}

FormFilingSettings formFilingSettingsFromApp(Form_Return* page)
{
    FormFilingSettings settings;
    settings.exchange = filingExchangeSettingsFromApp();
    settings.edition = TabWndApp::s_appPurpose;
    settings.sendFilingRecord = page->filingRecordSender();
    TabWndApp* app = TabWndApp::getMainApp();
    if (!app)
        return settings;
    // The maker's help pages (the T1013 error codes) live on its web host.
    settings.makerWebHost = QString(app->m_config.voDarevivoWebServer);
    CString logPath;
    app->getFilingLogFilePath(logPath, 0);
    settings.filingLogPath = logPath;
    settings.writeFilingLog = [app](const CString& name, const CString& result, const CString& confirmation,
                                    const CString& msg) {
        return app->writeSuccFilingLog(name, result, confirmation, msg) == 0;
    };
    return settings;
}

T1135RoadEnvironment t1135RoadEnvironmentFromApp(Form_Return* page)
{
    T1135RoadEnvironment env;
    env.filing = formFilingSettingsFromApp(page);
    env.validateT1135 = [page] { return page->ValidateTaxForm(TabWndApp::s_appPurpose, FORM_T1135, false, false); };
    return env;
}

ReFileEnvironment reFileEnvironmentFromApp(Form_Return* page)
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

DireradSubmissionSettings efileSubmissionSettingsFromApp(Form_Return* page)
{
    DireradSubmissionSettings settings = direradRoadEnvironmentFromApp(page).submission;
    // Through the page's sender, so that tests can record the records.
    settings.sendFilingRecord = page->filingRecordSender();
    if (const TabWndApp* app = TabWndApp::getMainApp()) {
        settings.efileNumber = app->m_config.BusinessEFileNum;
        settings.efilePassword = app->m_config.BusinessEFilePassword;
    }
    return settings;
}
