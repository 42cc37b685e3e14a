#pragma once

#include "app/SqliteDBManager.h"
#include "app/returnfileentry.h"
#include "app/t1appconfig.h"
#include "companion/core/cstring.h"
#include "model/featuresettings.h"

#include <QApplication>
#include "companion/core/promptvalues.h"
#include <QPointer>
#include <QRect>
#include <QSqlDatabase>
#include <QString>

#include <memory>

class LatestVersionCheck;

// The one application object: brings the program up (initApp) and down
// (ExitInstance, run by the destructor), and is the hub every subsystem
// reaches through getMainApp(): configuration, database, recent returns,
// folders, message boxes, logs and the main window.
class TabWndApp : public QApplication
{
    Q_OBJECT
public:
    // initApp results.
    enum : int { InitOk = 0, InitDbNotOpen = 101, InitStepDbNotOpen = 99 };

    // Creates the object on the first call; later calls return it.
    static TabWndApp* initMainApp(int& argc, char** argv);
    TabWndApp(int& argc, char** argv);
    ~TabWndApp() override;

    // Folders, run log, database, configuration and settings. 0 when ready,
    // 101 when the database cannot be opened (never when runs without a
    // database are allowed).
    int initApp();
    // The batch mode needs no settings: when the database cannot be opened
    // it runs without one rather than stop. Set before initApp.
    void allowRunWithoutDatabase(bool allow) { m_databaseOptional = allow; }
    // Opens the database in the given folder (completed to the file's path)
    // and drops recent-return rows whose file is gone; 99 when not open.
    int _initStep65(CString& path);
    // Settings saved at exit, then the database is closed; 0.
    int ExitInstance();

    static TabWndApp* getMainApp() { return s_app; }
    static QWidget* getMainWidget();
    // Registers the main window: the default parent of message boxes, and the
    // window whose placement is saved at exit.
    void setMainWidget(QWidget* window);

    // Message boxes of every subsystem, titled for the edition. A null parent
    // means the main window (except for gAppQuestionReturnBtn).
    static int gAppInformation(const QString& msg, QWidget* parent);
    static bool gAppQuestion(const QString& msg, QWidget* parent);
    // A Yes/No question whose buttons say what they do; true for Yes.
    static bool gAppChoice(const QString& msg, const QString& yesText, const QString& noText, QWidget* parent);
    static int gAppQuestionReturnBtn(const QString& msg, QWidget* parent, Prompt::StandardButtons buttons);

    bool allow2ndInstance() const { return m_config.Allow2nd; }
    // The saved main-window rectangle (settings LeftX, LeftY, Width, Height).
    void getStartRectPos(QRect& r) const;

    // A second connection on the application database for a caller that
    // created db as its own named connection: false when it did not open,
    // and the caller writes nothing then. Closing removes the connection's
    // name as well.
    bool openExtraDBHandle(QSqlDatabase& db);
    void closeExtraDBHandle(QSqlDatabase& db);

    // Settings table: read at start (after the configuration file), and the
    // preference settings written when the user applies the preferences.
    int readConfigDB();
    int saveConfigDB();
    // Hands the preparer settings to the return model.
    void publishPreparerInfo() const;

    // The settings snapshot every feature runs on (a command's context takes
    // it as it stands). It is made again from the configuration by
    // refreshFeatureSettings, which every change of the configuration ends
    // with: the start (readConfigDB), the preferences' apply (saveConfigDB)
    // and a recorded client letter. Whoever changes m_config by hand calls it.
    const FeatureSettings& featureSettings() const { return m_featureSettings; }
    void refreshFeatureSettings();

    // The recent-return list. saveReturnEntry records a file opened or saved
    // (the row id, 0 or DbFailed); loadReturnEntriesIntoModel fills
    // m_returnEntries with the rows whose names contain the filter and returns
    // it; removeReturnEntry deletes the row's return file and every row of its
    // path, and keeps them when the file cannot be deleted.
    int saveReturnEntry(const CString& name1, const CString& name2, const CString& path);
    ReturnFileEntriesModel* loadReturnEntriesIntoModel(const QString& filter);
    // Every recorded return file, in the list's order, whatever filter the
    // start page uses; m_returnEntries is left as it is.
    QStringList allReturnFilePaths();
    CSqliteDBManager::ReturnEntryRemoval removeReturnEntry(const QModelIndex& index);

    // Logs in the run folder.
    void InitRunLogFile();
    void WriteRunLogFile(const char* msg);
    // A line for the program's developers (screens, window placement, paths):
    // in the run log of a test run only, never on the terminal.
    void WriteDebugLine(const QString& line);
    static void WriteLogFile(const CString& path, const char* msg);
    // kind 0 "tddlog.txt", 1 "tddlog2.txt", 2 "findfiles.csv", other: the
    // run folder followed by the separator.
    void getTDDLogFilePath(CString& out, int kind);
    // kind 0 the filing log, other kinds the filing result file.
    void getFilingLogFilePath(CString& path, int kind);
    // One record in the filing log: 0 when written whole. Otherwise -1, after
    // a line in the run log and a message telling the user that the
    // accepted filing was not recorded, so the confirmation can be noted
    // by hand.
    int writeSuccFilingLog(const CString& name, const CString& result, const CString& confirmation,
                           const CString& msg);
    // The same into the filing log at path (a settings snapshot's).
    int writeSuccFilingLog(const CString& path, const CString& name, const CString& result,
                           const CString& confirmation, const CString& msg);
    // Failed filings are not logged; 0.
    int writeFailFilingLog(const CString& name, const CString& result, const CString& msg);
    // Appends one filing log record to path; false when it was not written whole.
    static bool appendFilingLogRecord(const CString& path, const CString& name, const CString& result,
                                      const CString& confirmation, const CString& msg);
    // kind 0 "efile2log.txt", other kinds "efile2result.txt", in the run folder.
    void getT1013LogFilePath(CString& out, int kind);

    // Asks the product's web site once per run, on a worker thread, for the
    // date of the latest version and tells the user when it is newer than
    // this one. Nothing in test mode. Always 0.
    int checkLatestVersion();
    // The text told to the user about a newer version.
    QString newVersionMessage() const;
    // Runs the event loop until a version check started earlier has finished
    // and told its result.
    void waitForVersionCheck();

    // The "printresult" command line: folder and list file. Writes one entry
    // per listed return into "./taxresult.txt"; the process exit code: 0, or
    // 1 when that file cannot be created or written (reported on stderr).
    static int CmdlinePrintResult(const QString& folder, const QString& listFile);
    // The result text of one return file.
    static CString GetTaxResult(const QString& path);
    // The same for a path as the file system's bytes.
    static CString GetTaxResultOfNativePath(const QByteArray& nativePath);
    // Writes the test print return to "testprint.r24" in the user's
    // documents folder, replacing an earlier one only when the new one was
    // written whole. 0, or a ReturnFileLoadCode after telling the user.
    static int createTestPrintFile();
    // The test print file's path.
    static QString testPrintFilePath();

    // The placement of the main window in normal (not maximised) state, as it
    // was when the window was last closed or moved; saved at exit.
    QRect lastMainWindowGeometry() const { return m_lastWindowGeometry; }

    static TabWndApp* s_app;
    static unsigned char s_appPurpose;
    static QString s_appTitle;

    CString m_strRunLogFile;
    QRect m_rcScreens;
    ReturnFileEntriesModel m_returnEntries;
    CT1AppConfig m_config;
    QWidget* m_pMainWidget = nullptr;
    QString m_strSeparator;
    CString m_strAppPath;
    CString m_strDocPath;
    CString m_strLocalPath;
    CString m_strRunPath;
    CString m_strSysPath;
    CString m_strLastOpenPath;
    CString m_strLastImportPath;
    CSqliteDBManager m_dbManager;
    CString m_strDBFile;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void makePrivateFolder(const CString& path);
    // After a failed open of the database: a damaged one is moved aside and
    // a new one made once the user agrees; a locked one is reported with the
    // process that holds it. True when the database is open afterwards;
    // reported tells whether the user has already been told why not.
    bool recoverSettingsDatabase(bool& reported);
    QString moveDatabaseAside();
    void rememberMainWindowGeometry();
    void trustTestCertificates();
    void onLatestVersion(const QString& word);

    FeatureSettings m_featureSettings;
    QPointer<QWidget> m_mainWindowGuard; // null once the window is gone
    QRect m_lastWindowGeometry;
    bool m_initialised = false;
    bool m_versionCheckStarted = false;
    bool m_databaseOptional = false;
    LatestVersionCheck* m_versionCheck = nullptr;
};
