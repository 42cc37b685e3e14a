// The settings table: read at start-up, the preference settings written back
// when the user applies the preferences. The keys are listed once, in
// settingstable.cpp.
#include "app/tabwndapp.h"
#include "app/featuresettingsfromconfig.h"
#include "app/settingstable.h"
#include "model/filingtestmode.h"
#include "model/preparerinfo.h"
#include "model/validationsettings.h"
#include "app/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtDebug>

int TabWndApp::readConfigDB()
{
    CT1AppConfig& c = m_config;
    CSqliteDBManager& db = m_dbManager;

    Settings::Target target{c, m_strLastOpenPath, m_strLastImportPath};
    Settings::readAll(db, target);

    QScreen* primary = QGuiApplication::primaryScreen();
    const QRect screen = primary ? primary->geometry() : QRect();
    const QRect available = primary ? primary->availableGeometry() : QRect();
    const WindowPlacement place =
        WindowPlacement::resolve(c.LeftX, c.LeftY, c.Width, c.Height, m_rcScreens, screen, available);
    c.LeftX = place.x;
    c.LeftY = place.y;
    c.Width = place.width;
    c.Height = place.height;

    WriteDebugLine(QStringLiteral("left x: %1, left y: %2, left panel: %3, font size: %4")
                       .arg(c.LeftX)
                       .arg(c.LeftY)
                       .arg(QString(c.LeftPaneSize))
                       .arg(c.FontSize));

    publishPreparerInfo();
    refreshFeatureSettings();
    return 0;
}

void TabWndApp::refreshFeatureSettings()
{
    m_featureSettings = featureSettingsFromConfig(m_config, m_strRunPath);
}

void TabWndApp::publishPreparerInfo() const
{
    // The model fills new forms and the preparer section from these; it
    // never reads the application's configuration itself. The EFILE
    // password stays here: the filing code adds it to a filing it builds.
    const CT1AppConfig& c = m_config;
    PreparerInfo info;
    info.BusinessName = c.BusinessName;
    info.BusinessAddr = c.BusinessAddr;
    info.BusinessCity = c.BusinessCity;
    info.BusinessProv = c.BusinessProv;
    info.BusinessPostcode = c.BusinessPostcode;
    info.BusinessPhone = c.BusinessPhone;
    info.BusinessEFileNum = c.BusinessEFileNum;
    info.DiscounterCode = c.DiscounterCode;
    info.EfileSoftwareCode = c.EfileSoftwareCode;
    info.EfileSoftwareDate = c.EfileSoftwareDate;
    info.DireradSoftwareCode = c.DireradSoftwareCode;
    info.DireradSoftwareDate = c.DireradSoftwareDate;
    info.PreAssessment = c.PreAssessment;
    info.PostAssessment = c.PostAssessment;
    setPreparerInfo(info);
    setFilingTestMode(c.MODEDEBUG);
    // The EFILE checks of validation ask for the password when they run.
    validation::setEfilerPasswordSource([]() -> CString {
        const TabWndApp* app = getMainApp();
        return app ? app->m_config.BusinessEFilePassword : CString();
    });
}

int TabWndApp::saveConfigDB()
{
    publishPreparerInfo();
    refreshFeatureSettings();
    Settings::Target target{m_config, m_strLastOpenPath, m_strLastImportPath};
    Settings::saveAll(m_dbManager, target, Settings::WithPreferences);
    return 0;
}
