// The settings table: read at start-up, the preference settings written back
// when the user applies the preferences.
#include "app/tabwndapp.h"
#include "model/preparerinfo.h"
#include "model/validationsettings.h"
#include "app/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtDebug>

namespace {

const int kPath = 1;

// Reads a text setting that must pass a check; a row that fails it leaves
// the value from the defaults and the file.
void readChecked(CSqliteDBManager& db, const char* key, CString& value, bool (*isValid)(const QString&))
{
    CString stored;
    if (db.readParameter(key, stored) > 0 && isValid(stored))
        value = stored.trimmed();
}

} // namespace

int TabWndApp::readConfigDB()
{
    CT1AppConfig& c = m_config;
    CSqliteDBManager& db = m_dbManager;

    readChecked(db, "LeftPaneSize", c.LeftPaneSize, SettingsCheck::isPaneSize);
    readChecked(db, "BKColor", c.BKColor, SettingsCheck::isColour);
    readChecked(db, "FontSize", c.FontSize, SettingsCheck::isFontSize);

    db.readParameter("LeftX", c.LeftX);
    db.readParameter("LeftY", c.LeftY);
    db.readParameter("Width", c.Width);
    db.readParameter("Height", c.Height);

    QScreen* primary = QGuiApplication::primaryScreen();
    const QRect screen = primary ? primary->geometry() : QRect();
    const QRect available = primary ? primary->availableGeometry() : QRect();
    const WindowPlacement place =
        WindowPlacement::resolve(c.LeftX, c.LeftY, c.Width, c.Height, m_rcScreens, screen, available);
    c.LeftX = place.x;
    c.LeftY = place.y;
    c.Width = place.width;
    c.Height = place.height;

    qInfo().nospace() << "left x: " << c.LeftX;
    qInfo().nospace() << "left y: " << c.LeftY;
    qInfo().noquote().nospace() << "read leftpanel " << c.LeftPaneSize;
    qInfo().noquote().nospace() << "read fs " << c.FontSize;

    db.readParameter("RetPath", c.RetPath, kPath);
    db.readParameter("RetPdfPath", c.RetPdfPath, kPath);
    db.readParameter("PdfPathSameAsRet", c.PdfPathSameAsRet);
    db.readParameter("LastOpenPath", m_strLastOpenPath, kPath);
    db.readParameter("LastImportPath", m_strLastImportPath, kPath);

    db.readParameter("BusinessName", c.BusinessName);
    db.readParameter("BusinessAddr", c.BusinessAddr);
    db.readParameter("BusinessCity", c.BusinessCity);
    db.readParameter("BusinessProv", c.BusinessProv);
    db.readParameter("BusinessPostcode", c.BusinessPostcode);
    db.readParameter("BusinessPhone", c.BusinessPhone);

    db.readParameter(c.MODEDEBUG ? "BusinessEFileNumDbg" : "BusinessEFileNum", c.BusinessEFileNum);
    db.readParameter(c.MODEDEBUG ? "BusinessEFilePasswordDbg" : "BusinessEFilePassword", c.BusinessEFilePassword);

    db.readParameter("DiscounterCode", c.DiscounterCode);
    db.readParameter("PreAssessment", c.PreAssessment);
    db.readParameter("PostAssessment", c.PostAssessment);
    db.readParameter("PrntClientLetter", c.PrntClientLetter);
    db.readParameter("SaveBackup", c.SaveBackup);
    db.readParameter("ShowRelMsg", c.ShowRelMsg);

    db.readParameter("FilingReport", c.FilingReport);
    db.readParameter("CustomizedClientLetter", c.CustomizedClientLetter);
    db.readParameter("CustomizedClientLetter_Ver", c.CustomizedClientLetter_Ver);

    db.readParameter("QuillorEmail", c.QuillorEmail);
    db.readParameter("QuillorPswd", c.QuillorPswd);
    db.readParameter("QLFromEmail", c.QLFromEmail);
    publishPreparerInfo();
    return 0;
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
    info.PreAssessment = c.PreAssessment;
    info.PostAssessment = c.PostAssessment;
    setPreparerInfo(info);
    // The EFILE checks of validation ask for the password when they run.
    validation::setEfilerPasswordSource([]() -> CString {
        const TabWndApp* app = getMainApp();
        return app ? app->m_config.BusinessEFilePassword : CString();
    });
}

int TabWndApp::saveConfigDB()
{
    publishPreparerInfo();
    const CT1AppConfig& c = m_config;
    CSqliteDBManager& db = m_dbManager;

    db.saveParameter("LeftPaneSize", c.LeftPaneSize);
    db.saveParameter("RetPath", c.RetPath, kPath);
    db.saveParameter("RetPdfPath", c.RetPdfPath, kPath);
    db.saveParameter("PdfPathSameAsRet", c.PdfPathSameAsRet);

    db.saveParameter("BusinessName", c.BusinessName);
    db.saveParameter("BusinessAddr", c.BusinessAddr);
    db.saveParameter("BusinessCity", c.BusinessCity);
    db.saveParameter("BusinessProv", c.BusinessProv);
    db.saveParameter("BusinessPostcode", c.BusinessPostcode);
    db.saveParameter("BusinessPhone", c.BusinessPhone);
    db.saveParameter(c.MODEDEBUG ? "BusinessEFileNumDbg" : "BusinessEFileNum", c.BusinessEFileNum);
    db.saveParameter(c.MODEDEBUG ? "BusinessEFilePasswordDbg" : "BusinessEFilePassword", c.BusinessEFilePassword);

    db.saveParameter("DiscounterCode", c.DiscounterCode);
    db.saveParameter("PreAssessment", c.PreAssessment);
    db.saveParameter("PostAssessment", c.PostAssessment);
    db.saveParameter("PrntClientLetter", c.PrntClientLetter);
    db.saveParameter("SaveBackup", c.SaveBackup);
    db.saveParameter("ShowRelMsg", c.ShowRelMsg);
    db.saveParameter("FilingReport", c.FilingReport);
    db.saveParameter("CustomizedClientLetter", c.CustomizedClientLetter);

    db.saveParameter("QuillorEmail", c.QuillorEmail);
    db.saveParameter("QuillorPswd", c.QuillorPswd);
    db.saveParameter("QLFromEmail", c.QLFromEmail);
    return 0;
}
