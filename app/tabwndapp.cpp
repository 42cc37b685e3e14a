#include "app/tabwndapp.h"
#include "app/settingstable.h"

#include "app/latestversioncheck.h"
#include "companion/core/filemodes.h"
#include "companion/core/folders.h"
#include "companion/core/qwebclient.h"
#include "companion/forms/fields.h"
#include "model/MultiProvsTaxMgr.h"
#include "companion/core/messages.h"

#include <QDir>
#include <QEvent>
#include <QStringList>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QSqlError>
#include <QWidget>
#include <QtDebug>

TabWndApp* TabWndApp::s_app = nullptr;
unsigned char TabWndApp::s_appPurpose = 0;
QString TabWndApp::s_appTitle;

TabWndApp* TabWndApp::initMainApp(int& argc, char** argv)
{
    if (!s_app)
        s_app = new TabWndApp(argc, argv);
    return s_app;
}

TabWndApp::TabWndApp(int& argc, char** argv) : QApplication(argc, argv)
{
    s_app = this;
    s_appPurpose = 2;
    gMsgGetTitle(2, s_appTitle);
}

TabWndApp::~TabWndApp()
{
    ExitInstance();
    delete m_versionCheck; // waits for a query still running
    m_versionCheck = nullptr;
    if (s_app == this)
        s_app = nullptr;
}

QWidget* TabWndApp::getMainWidget()
{
    return s_app ? s_app->m_pMainWidget : nullptr;
}

void TabWndApp::makePrivateFolder(const CString& path)
{
    // A folder that cannot be made is not reported here: the file operations
    // in it report their own failures.
    // The program's folders and database hold the preparer's EFILE and
    // e-signature passwords: nobody but the user may read them. The user's
    // own rights are left as the user set them.
    if (makeFolderExists(path))
        withholdFromOthers(path);
}

int TabWndApp::initApp()
{
    // How amounts are shown and how long texts may be in older return files:
    // both must be settled before the first return file is read.
    CFloatField::p_for_brannock = false;
    CStringField::setLargeSizeSerializeOption(65942, 512);
    // A province's plug-in, once a return has needed it, stays mapped for the
    // run: every later open of a return of that province finds its code in
    // place instead of mapping and relocating the library again.
    CMultiProvsTaxMgr::setKeepPluginsLoaded(true);

    m_strSeparator = QDir::separator();
    m_strAppPath = QCoreApplication::applicationDirPath();
    m_strDocPath = QDir::homePath() + m_strSeparator + "Documents" + m_strSeparator + "vodarevivo" +
                   m_strSeparator + "2024";

    CString diagnostic = "Doc path : " + m_strDocPath;
    m_strLocalPath = m_strDocPath;
    makePrivateFolder(m_strLocalPath);
    // The product folder above the year holds nothing but the year folders.
    withholdFromOthers(QFileInfo(m_strLocalPath).absolutePath());
    diagnostic += "\nAppLocal Version path: " + m_strLocalPath;

    m_strRunPath = m_strLocalPath + m_strSeparator + "run";
    makePrivateFolder(m_strRunPath);
    m_strSysPath = m_strLocalPath + m_strSeparator + "._sys";
    makePrivateFolder(m_strSysPath);

    m_strRunLogFile = m_strRunPath + m_strSeparator + "log2024.txt";
    InitRunLogFile();
    WriteRunLogFile("Only one instance of voDarevivo can run");

    m_strDBFile = m_strSysPath;
    diagnostic += " \ndb path : " + m_strDBFile;

    _initStep65(m_strDBFile);
    bool reported = false;
    if (!m_dbManager.isOpen() && !m_databaseOptional && !recoverSettingsDatabase(reported)) {
        if (!reported)
            promptCritical(nullptr, QStringLiteral("Error"),
                           QStringLiteral("Program cannot read/write config file %1.").arg(m_strDBFile),
                           Prompt::Ok);
        return InitDbNotOpen;
    }
    if (m_dbManager.isOpen())
        withholdFromOthers(m_strDBFile);
    else
        WriteRunLogFile("settings database not opened: running without it");
    WriteRunLogFile("check 70");

    QStringList screenLines;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect r = screen->geometry();
        m_rcScreens = m_rcScreens.united(r);
        screenLines << QStringLiteral("screen rect: %1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }

    makePrivateFolder(m_strDocPath);
    m_config.setDefaultValue(m_strAppPath, m_strDocPath);
    WriteRunLogFile("check 80");

    const CString iniPath = m_strRunPath + m_strSeparator + "gr_path.ini";
    m_config.readConfigFile(iniPath.toUtf8().constData());
    m_config.finalize();
    trustTestCertificates();
    readConfigDB();
    if (m_config.MODEDEBUG)
        s_appTitle += " - Testing";
    // Known only now whether this run is a test run that keeps them.
    for (const QString& line : screenLines)
        WriteDebugLine(line);
    WriteDebugLine(QStringLiteral("print engine classes: ") + QString(m_config.JAVACLASSPATH));
    WriteDebugLine(QStringLiteral("print engine pdf and xml folders: ") + QString(m_config.PDFPATH) + QStringLiteral(", ")
                   + QString(m_config.XMLPATH));

    WriteRunLogFile(diagnostic.toUtf8().constData());

    if (!QFileInfo::exists(m_config.RetPath))
        makePrivateFolder(m_config.RetPath); // a folder the user chose keeps its rights
    WriteRunLogFile("check 90");
    WriteRunLogFile("check 120");
    WriteRunLogFile("check 130");
    m_initialised = true;
    return InitOk;
}

int TabWndApp::_initStep65(CString& path)
{
    m_dbManager.openDBFile(path);
    if (!m_dbManager.isOpen())
        return InitStepDbNotOpen;
    m_dbManager.removeNonExistHistoryItems();
    return 0;
}

void TabWndApp::trustTestCertificates()
{
    // Only test mode trusts certificates beyond the system's (the loopback
    // servers of the tests); verification itself is never switched off.
    if (!m_config.MODEDEBUG || m_config.TestCAFile.IsEmpty())
        return;
    if (!QWebClient::addTrustedCaFile(m_config.TestCAFile))
        qWarning().noquote() << "no certificate in TestCAFile" << m_config.TestCAFile;
}

void TabWndApp::setMainWidget(QWidget* window)
{
    if (m_mainWindowGuard)
        m_mainWindowGuard->removeEventFilter(this);
    m_pMainWidget = window;
    m_mainWindowGuard = window;
    if (window) {
        window->installEventFilter(this);
        // A destroyed window must not be used as a parent or read at exit.
        connect(window, &QObject::destroyed, this, [this, window] {
            if (m_pMainWidget == window)
                m_pMainWidget = nullptr;
        });
    }
}

bool TabWndApp::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_mainWindowGuard) {
        switch (event->type()) {
        case QEvent::Close:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowStateChange:
            rememberMainWindowGeometry();
            break;
        default:
            break;
        }
    }
    return QApplication::eventFilter(watched, event);
}

void TabWndApp::rememberMainWindowGeometry()
{
    // The normal geometry, so that a window closed maximised comes back at
    // its own size rather than as a screen-sized normal window.
    if (m_mainWindowGuard && m_mainWindowGuard->isWindow()) {
        const QRect normal = m_mainWindowGuard->normalGeometry();
        if (normal.isValid())
            m_lastWindowGeometry = normal;
    }
}

void TabWndApp::getStartRectPos(QRect& r) const
{
    r = QRect(m_config.LeftX, m_config.LeftY, m_config.Width, m_config.Height);
}

bool TabWndApp::openExtraDBHandle(QSqlDatabase& db)
{
    // The manager also makes the connection wait for the other one's locks.
    if (m_dbManager.openExtraDBHandle(db))
        return true;
    qWarning().noquote() << "second database connection not opened:" << db.lastError().text();
    return false;
}

void TabWndApp::closeExtraDBHandle(QSqlDatabase& db)
{
    CSqliteDBManager::closeExtraDBHandle(db);
}

int TabWndApp::ExitInstance()
{
    if (!m_initialised)
        return 0;
    m_initialised = false;
    WriteDebugLine(QStringLiteral("app closing"));

    rememberMainWindowGeometry();
    unsigned when = Settings::AtExit;
    if (m_lastWindowGeometry.isValid()) {
        m_config.LeftX = m_lastWindowGeometry.x();
        m_config.LeftY = m_lastWindowGeometry.y();
        m_config.Width = m_lastWindowGeometry.width();
        m_config.Height = m_lastWindowGeometry.height();
        when |= Settings::AtExitWhenPlaced;
    }
    Settings::Target target{m_config, m_strLastOpenPath, m_strLastImportPath};
    CSqliteDBManager& db = m_dbManager;
    Settings::saveAll(db, target, when);
    db.closeDBFile();
    return 0;
}

int TabWndApp::gAppInformation(const QString& msg, QWidget* parent)
{
    gMsgInformation(s_appPurpose, msg, parent ? parent : getMainWidget());
    return 1;
}

bool TabWndApp::gAppQuestion(const QString& msg, QWidget* parent)
{
    const Prompt::StandardButton answer = gMsgQuestion(s_appPurpose, msg, parent ? parent : getMainWidget());
    return answer == Prompt::Ok || answer == Prompt::Yes;
}

bool TabWndApp::gAppChoice(const QString& msg, const QString& yesText, const QString& noText, QWidget* parent)
{
    return gMsgChoice(s_appPurpose, msg, yesText, noText, parent ? parent : getMainWidget());
}

int TabWndApp::gAppQuestionReturnBtn(const QString& msg, QWidget* parent, Prompt::StandardButtons buttons)
{
    QString title;
    gMsgGetTitle(s_appPurpose, title);
    return promptQuestion(parent, title, msg, buttons, Prompt::NoButton);
}
