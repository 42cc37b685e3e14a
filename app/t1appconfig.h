#pragma once

#include "companion/core/appconfig.h"
#include "companion/core/cstring.h"

// The program's configuration. Values come, in this order, from the built-in
// defaults (constructor, setDefaultValue), the file "gr_path.ini", the rules
// of finalize() that fill what is still empty, and last the settings table
// (TabWndApp::readConfigDB). Every subsystem reads the members directly.
class CT1AppConfig : public CAppConfig
{
public:
    // Entries of the Auto-fill and Express NOA endpoint table.
    enum TddServiceEntry {
        TDDWEBSERVICE_AFR_SPKEY_DIRERAD = 0,
        TDDWEBSERVICE_AFR_SPKEY_EFILE,
        TDDWEBSERVICE_AFR_SPKEY_DIRERAD_MAC,
        TDDWEBSERVICE_AFR_SPKEY_EFILE_MAC,
        TDDWEBSERVICE_NOA_SPKEY_DIRERAD,
        TDDWEBSERVICE_NOA_SPKEY_EFILE,
        TDDWEBSERVICE_NOA_SPKEY_DIRERAD_MAC,
        TDDWEBSERVICE_NOA_SPKEY_EFILE_MAC,
        TDDWEBSERVICE_HOST,
        TDDWEBSERVICE_URLPATH_DATADELIVERY_1,
        TDDWEBSERVICE_URLPATH_TDD_2,
        TDDWEBSERVICE_URLPATH_NOA_2,
        TDDWEBSERVER_HOST,
        TDDWEBSERVER_URLPATH_AUTH,
        TDDWEBSERVER_URLPATH_CRAJS,
        TDD_SERVICE_ENTRY_COUNT
    };

    // Built-in defaults, when neither the file nor the settings say otherwise.
    static constexpr const char* kDefaultBKColor = "#d0f1ff";
    static constexpr const char* kDefaultFontSize = "12";
    static constexpr const char* kDefaultLeftPaneSize = "270";
    // The runtime library (libjvm) of the Java the program was built with:
    // JVMPATH's default, so that the print engine starts on a system whose
    // Java is where the build found it.
    static const char* const kBuiltInJvmPath;

    CT1AppConfig();
    ~CT1AppConfig() override;

    // Folder defaults from the executable's folder and the document folder.
    void setDefaultValue(const CString& appDir, const CString& docDir);
    void afterReadConfigFile() override;
    // Hosts, software codes and the endpoint table, after the file is read.
    void finalize();

    // Text of an endpoint-table entry.
    const CString& tddService(TddServiceEntry entry) const { return m_tddServiceConfig[entry]; }

    CString DireradSoftwareCode, DireradSoftwareDate, EfileSoftwareCode, EfileSoftwareDate;
    CString EOLSERVER, DIRERADSERVER, T1013SERVER;
    CString voDarevivoWebServer, URL_SEND_RETURN_FILE, URL_SEND_COMMENT;
    CString LeftPaneSize;
    int LeftX = 0, LeftY = 0, Width = 0, Height = 0;
    CString BKColor;
    CString FontSize;
    CString m_strResourcePath;
    CString PDFPATH, XMLPATH, BFORM_XMLPATH, HTMLPATH, EFILEXML_TEMPLATE_PATH, JAVACLASSPATH, JAVAPROJPATH, JVMPATH;
    CString BusinessName, BusinessAddr, BusinessCity, BusinessProv, BusinessPostcode, BusinessPhone;
    CString BusinessEFileNum, BusinessEFilePassword;
    CString DiscounterCode;
    int PreAssessment = -1, PostAssessment = -1; // -1 not chosen, 0 no, 1 yes
    int PrntClientLetter = 0, SaveBackup = 0;
    CString RetPath, RetPdfPath;
    CString m_strNOAPath;
    int PdfPathSameAsRet = 0;
    bool PrintLogo = true, PrintHeader = true, PrintTailer = true, FullLog = false, Allow2nd = false;
    CString ShowRelMsg;
    bool FilingReport = false, CustomizedClientLetter = false;
    int CustomizedClientLetter_Ver = 0;
    bool m_bClientLetterFetched = false;
    CString QuillorEmail, QuillorPswd, QLFromEmail;
    CString QuillorServer;
    // Host of the service that renders a notice of assessment into a page
    // ("host" or "host:port"); the product's web host unless the file names
    // one (tests name their loopback "127.0.0.1:PORT").
    CString NOARenderHost;
    bool MODEDEBUG = false, NoWarningMsg = false, EnableGenPrint = false, OverwriteStatus = false;
    CString m_tddServiceConfig[TDD_SERVICE_ENTRY_COUNT];
    CString TDDDataFile;

    // Test mode only: a PEM file of certificates to trust besides the
    // system's (the loopback servers of the tests), and the hosts of the
    // Auto-fill services ("127.0.0.1:PORT"). Ignored outside test mode.
    CString TestCAFile;
    CString TDDServiceHostOverride;
    CString TDDLoginHostOverride;

    // Seconds a post to the agency's filing services may take before its
    // outcome is reported as unknown; key "SoapTimeoutSec", whole seconds
    // from 1 to 600, anything else gives the default.
    static constexpr int kDefaultSoapTimeoutSec = 60;
    int soapTimeoutSec() const;
    CString SoapTimeoutSec;

    // Agency data sessions, in test mode only: "TDDCallbackPort" names
    // another callback port (1 to 65535; 0 here means the edition's own),
    // "TDDLoginWaitSeconds" shortens the login wait (1 to 600 seconds).
    static constexpr int kDefaultTddLoginWaitSec = 600;
    int tddCallbackPortOverride() const;
    int tddLoginWaitSeconds() const;
    CString TDDCallbackPort;
    CString TDDLoginWaitSeconds;

private:
    void registerKeys();
};

// Checks of the view settings, so that a damaged settings row or file value
// falls back to the default instead of reaching the widgets.
namespace SettingsCheck {
bool isColour(const QString& text);   // "#" and six hexadecimal digits
bool isFontSize(const QString& text); // whole number of points, 6 to 72
bool isPaneSize(const QString& text); // whole number of pixels, 50 to 4000
}
