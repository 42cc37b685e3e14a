#include "workspace/quillorsettingsfromapp.h"

#include "app/tabwndapp.h"

QuillorSettings quillorSettingsFromApp()
{
    QuillorSettings settings;
    settings.appTitle = TabWndApp::s_appTitle;
    if (const TabWndApp* app = TabWndApp::getMainApp()) {
        settings.server = app->m_config.QuillorServer;
        settings.email = app->m_config.QuillorEmail;
        settings.password = app->m_config.QuillorPswd;
    }
    return settings;
}
