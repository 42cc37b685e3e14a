#include "workspace/quillorsettingsfromapp.h"

#include "app/tabwndapp.h"

namespace {
const char* const kClientLetterVersionKey = "CustomizedClientLetter_Ver";
}

QuillorSettings quillorSettingsFromApp()
{
    QuillorSettings settings;
    settings.appTitle = TabWndApp::s_appTitle;
    if (const TabWndApp* app = TabWndApp::getMainApp()) {
        settings.server = app->m_config.QuillorServer;
        settings.email = app->m_config.QuillorEmail;
        settings.password = app->m_config.QuillorPswd;
        settings.filingReport = app->m_config.FilingReport;
    }
    return settings;
}

void quillorRunLogToApp(const QString& line)
{
    if (TabWndApp* app = TabWndApp::getMainApp())
        app->WriteRunLogFile(line.toUtf8().constData());
}

int clientLetterVersionFromApp()
{
    const TabWndApp* app = TabWndApp::getMainApp();
    return app ? app->m_config.CustomizedClientLetter_Ver : 0;
}

void recordClientLetterVersionInApp(int version)
{
    TabWndApp* app = TabWndApp::getMainApp();
    if (!app)
        return;
    app->m_config.CustomizedClientLetter_Ver = version;
    app->m_dbManager.saveParameter(kClientLetterVersionKey, version);
}
