// The once-per-run check for a newer version on the product web site.
#include "app/tabwndapp.h"

#include "app/latestversioncheck.h"

int TabWndApp::checkLatestVersion()
{
    if (m_config.MODEDEBUG || m_versionCheckStarted)
        return 0;
    m_versionCheckStarted = true;
    m_versionCheck = new LatestVersionCheck(m_config.voDarevivoWebServer);
    connect(m_versionCheck, &LatestVersionCheck::finished, this, &TabWndApp::onLatestVersion);
    m_versionCheck->start();
    return 0;
}

void TabWndApp::onLatestVersion(const QString& word)
{
    if (LatestVersionCheck::isNewerVersion(word))
        gAppInformation(newVersionMessage(), nullptr);
}

QString TabWndApp::newVersionMessage() const
{
    return QString::asprintf("There is a new version of voDarevivo %s. You can go to ", "2024") +
           QStringLiteral("https://%1").arg(m_config.voDarevivoWebServer) + " to download/install it again.";
}

void TabWndApp::waitForVersionCheck()
{
    if (m_versionCheck)
        m_versionCheck->wait();
}
