#include "workspace/filingenvironmentfromapp.h"

#include "app/BasicEvent.h"
#include "app/tabwndapp.h"
#include "workspace/form_return.h"

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
    env.refreshPage = [page] { page->refreshCurTabDataFromDoc(); };
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

DireradSubmissionSettings efileSubmissionSettingsFromApp(Form_Return* page)
{
    DireradSubmissionSettings settings = direradRoadEnvironmentFromApp(page).submission;
    settings.sendFilingRecord = [page](int formType, bool accepted, const QString& confirmation,
                                       const QString& message) {
        return page->sendFilingRecord(formType, accepted, confirmation, message);
    };
    if (const TabWndApp* app = TabWndApp::getMainApp()) {
        settings.efileNumber = app->m_config.BusinessEFileNum;
        settings.efilePassword = app->m_config.BusinessEFilePassword;
    }
    return settings;
}
