#pragma once

#include <QString>

// The program's settings a feature reads, as values. The application keeps
// one of these, made again whenever its configuration changes (at start and
// when the preferences are applied); a command's context takes it as it
// stands, so a feature never reaches into the application object and a test
// hands it what it wants.
struct FeatureSettings
{
    QString runFolder;      // the run folder, where the filing logs and the result file live
    QString pdfFolder;      // where printable returns are written
    QString noticeFolder;   // where rendered notices of assessment are saved
    QString resourceFolder; // the program's resources (the notice page templates under "noa")
    bool testMode = false;  // the agencies' test hosts; requests and replies are traced

    // The agency's filing services and the preparer who files.
    struct Filing
    {
        QString direradHost;    // "host[:port]" of the DIRERAD services
        QString efileHost;      // "host[:port]" of the EFILE service
        QString t1013Host;      // "host[:port]" of the T1013 and pre-authorised debit services
        QString resultFilePath; // the filing result file in the run folder
        QString logPath;        // the log of accepted filings in the run folder
        QString efileNumber;    // the preparer's EFILE number
        QString efilePassword;  // the preparer's EFILE password, as typed
        QString makerWebHost;   // the maker's web host (help pages of the error codes)
        bool noWarningMsg = false; // the filing's warnings are not asked about
    } filing;

    // The e-signature and e-delivery service.
    struct ESignature
    {
        QString server;   // host, optionally ":port"
        QString email;    // account e-mail
        QString password; // account password as typed
        bool filingReport = false;   // each filing is also recorded with the service
        bool customizedClientLetter = false; // the preparer's own client letter is fetched
        int clientLetterVersion = 0; // the customised client letter installed
    } esign;

    // The print engine.
    struct Print
    {
        QString classPath;       // the engine's class path
        QString templateFolder;  // the engine's PDF templates
        QString layoutFolder;    // the engine's layouts
        QString jvmPath;         // the Java runtime library
        bool printHeader = true; // false: every job starts the engine afresh
        bool pdfBesideReturn = false;    // the PDF goes into the return file's folder
        bool clientLetterByDefault = false; // the print options start with the client letter
        bool tellSelection = false;      // test mode: the printed selection is told
    } print;

    // The preparer's block printed on the T1's last page and the invoice.
    struct Preparer
    {
        QString firm, address, city, province, postcode, phone;
    } preparer;

    // The agency data (Auto-fill, Express NOA) services.
    struct AgencyData
    {
        QString softwareCode;
        QString afrKey, afrMacKey, noaKey, noaMacKey;
        QString serviceHost, dataDeliveryPath, tddServicePath, noaServicePath;
        QString loginHost, loginPath;
        QString craJsUrl;           // the agency's login script
        bool fullLog = false;       // responses are logged
        int timeoutSeconds = 60;    // each SOAP call
        QString noaRenderHost;      // host[:port] of the notice rendering service
        int callbackPortOverride = 0; // 0: the edition's own port
        int loginWaitSeconds = 600;
        QString dataFile;           // offline mode: the reply file read instead of a request
    } agencyData;
};
