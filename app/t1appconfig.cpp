#include "app/t1appconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QtDebug>

namespace {

// Service hosts. None of them can be reached from here; they are placeholders
// in a reserved domain, and every one of them can be replaced: the filing and
// e-signature hosts by their keys in "gr_path.ini", the Auto-fill hosts by
// the test-mode keys.
const char* const kAgencyAppHost = "apps.taxagency.example";
const char* const kAgencyLoginHost = "login.taxagency.example";
const char* const kAgencyTestHost = "certtest.taxagency.example";
const char* const kQuillorHost = "api.quillor.example";
const char* const kQuillorTestHost = "sandbox.quillor.example";
const char* const kProductWebHost = "www.vodarevivo.example";

const char* const kSoftwareDate = "2024-12-13";

// The endpoint table: production value, test-mode value. A null host entry
// is filled from the host in use (see finalize).
struct TddEntry {
    const char* production;
    const char* testMode;
};

const TddEntry kTddEntries[CT1AppConfig::TDD_SERVICE_ENTRY_COUNT] = {
    {"Rt6YpL2mXc9VbN4kZq7HsW3dJf8GuA5e", "Zc2WmQ7vRx4LpN9kTb6HsJ3dYf8GuA5e"},
    {"Vb3NxQ8rTz6HmK2wPc9LsJ5dYf7GaE4u", "Lq9TbV4xMz7RcK2pWn5HsY8dJg3FaE6u"},
    {"hK5pWz8NcR2vLq7XbM3tYs9DfG4jEu6A", "wX8cN3pRz5LmT9kVq2HbY7sJd4GfA6Eu"},
    {"Qm7RtVw2XkPb9LzHn4CsYd8FgJ3eTa6U", "Dp4KsW9zQm2XcL7vTn5RbH8jYg3FuE6a"},
    {"Rt6YpL2mXc9VbN4kZq7HsW3dJf8GuA5e", "Zc2WmQ7vRx4LpN9kTb6HsJ3dYf8GuA5e"},
    {"Vb3NxQ8rTz6HmK2wPc9LsJ5dYf7GaE4u", "Lq9TbV4xMz7RcK2pWn5HsY8dJg3FaE6u"},
    {"hK5pWz8NcR2vLq7XbM3tYs9DfG4jEu6A", "wX8cN3pRz5LmT9kVq2HbY7sJd4GfA6Eu"},
    {"Qm7RtVw2XkPb9LzHn4CsYd8FgJ3eTa6U", "Dp4KsW9zQm2XcL7vTn5RbH8jYg3FuE6a"},
    {nullptr, nullptr}, // TDDWEBSERVICE_HOST
    {"/ebci/awsc/tdd/ws/", "/ebci/awsc/tdd/ws/"},
    {"/TaxDataDeliveryService", "/CertTestDeliveryService"},
    {"/NoticeOfAssessmentService", "/CertTestNOAService"},
    {nullptr, nullptr}, // TDDWEBSERVER_HOST
    {"/gol-ged/awsc/tdd/auth/start", "/ebci/awsc/tdd/certtest/auth/start"},
    {nullptr, nullptr}, // TDDWEBSERVER_URLPATH_CRAJS
};
const char* const kCraJsPath = "/gol-ged/awsc/tdd/auth/pub/js/cra.js";
const char* const kCraJsTestPath = "/ebci/awsc/tdd/certtest/pub/js/cra.js";

bool isWholeNumberIn(const QString& text, int low, int high)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= low && value <= high;
}

} // namespace

const char* const CT1AppConfig::kBuiltInJvmPath = VR_DEFAULT_JVMPATH;

namespace SettingsCheck {

bool isColour(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    return pattern.match(text).hasMatch();
}

bool isFontSize(const QString& text)
{
    return isWholeNumberIn(text, 6, 72);
}

bool isPaneSize(const QString& text)
{
    return isWholeNumberIn(text, 50, 4000);
}

} // namespace SettingsCheck

CT1AppConfig::CT1AppConfig()
    : DireradSoftwareDate(kSoftwareDate),
      EfileSoftwareDate(kSoftwareDate),
      voDarevivoWebServer(kProductWebHost),
      URL_SEND_RETURN_FILE("/fileupload.php"),
      URL_SEND_COMMENT("/commentupload.php"),
      LeftPaneSize(kDefaultLeftPaneSize),
      BKColor(kDefaultBKColor),
      FontSize(kDefaultFontSize)
{
    registerKeys();
}

CT1AppConfig::~CT1AppConfig() = default;

void CT1AppConfig::registerKeys()
{
    const std::pair<const char*, CString*> texts[] = {
        {"DireradSoftwareCode", &DireradSoftwareCode},
        {"DireradSoftwareDate", &DireradSoftwareDate},
        {"EfileSoftwareCode", &EfileSoftwareCode},
        {"EfileSoftwareDate", &EfileSoftwareDate},
        {"EOLSERVER", &EOLSERVER},
        {"DIRERADSERVER", &DIRERADSERVER},
        {"T1013SERVER", &T1013SERVER},
        {"QuillorServer", &QuillorServer},
        {"NOARenderHost", &NOARenderHost},
        {"voDarevivoWebServer", &voDarevivoWebServer},
        {"URL_SEND_RETURN_FILE", &URL_SEND_RETURN_FILE},
        {"URL_SEND_COMMENT", &URL_SEND_COMMENT},
        {"LeftPaneSize", &LeftPaneSize},
        {"PDFPATH", &PDFPATH},
        {"XMLPATH", &XMLPATH},
        {"BFORM_XMLPATH", &BFORM_XMLPATH},
        {"HTMLPATH", &HTMLPATH},
        {"EFILEXML_TEMPLATE_PATH", &EFILEXML_TEMPLATE_PATH},
        {"JAVACLASSPATH", &JAVACLASSPATH},
        {"JAVAPROJPATH", &JAVAPROJPATH},
        {"JVMPATH", &JVMPATH},
        {"TDDDataFile", &TDDDataFile},
        {"TestCAFile", &TestCAFile},
        {"SoapTimeoutSec", &SoapTimeoutSec},
        {"TDDCallbackPort", &TDDCallbackPort},
        {"TDDLoginWaitSeconds", &TDDLoginWaitSeconds},
        {"TDDWEBSERVICE_HOST", &TDDServiceHostOverride},
        {"TDDWEBSERVER_HOST", &TDDLoginHostOverride},
        {"TDDWebServiceHost", &TDDServiceHostOverride},
        {"TDDWebServerHost", &TDDLoginHostOverride},
    };
    for (const auto& key : texts)
        m_mapStringKeys[key.first] = key.second;

    const std::pair<const char*, bool*> flags[] = {
        {"PrintLogo", &PrintLogo},
        {"PrintHeader", &PrintHeader},
        {"PrintTailer", &PrintTailer},
        {"FullLog", &FullLog},
        {"Allow2nd", &Allow2nd},
        {"MODEDEBUG", &MODEDEBUG},
        {"NoWarningMsg", &NoWarningMsg},
        {"EnableGenPrint", &EnableGenPrint},
        {"OverwriteStatus", &OverwriteStatus},
    };
    for (const auto& key : flags)
        m_mapBoolKeys[key.first] = key.second;
}

int CT1AppConfig::soapTimeoutSec() const
{
    bool ok = false;
    const int seconds = SoapTimeoutSec.trimmed().toInt(&ok);
    return ok && seconds >= 1 && seconds <= 600 ? seconds : kDefaultSoapTimeoutSec;
}

int CT1AppConfig::tddCallbackPortOverride() const
{
    bool ok = false;
    const int port = TDDCallbackPort.trimmed().toInt(&ok);
    return MODEDEBUG && ok && port >= 1 && port <= 65535 ? port : 0;
}

int CT1AppConfig::tddLoginWaitSeconds() const
{
    bool ok = false;
    const int seconds = TDDLoginWaitSeconds.trimmed().toInt(&ok);
    return MODEDEBUG && ok && seconds >= 1 && seconds <= kDefaultTddLoginWaitSec ? seconds
                                                                                 : kDefaultTddLoginWaitSec;
}

void CT1AppConfig::setDefaultValue(const CString& appDir, const CString& docDir)
{
    HTMLPATH = appDir + "/help";
    EFILEXML_TEMPLATE_PATH = appDir + "/bin";
    BFORM_XMLPATH = appDir + "/BFormxml";

    m_strResourcePath = QDir(QStringLiteral("%1/../Resources").arg(QCoreApplication::applicationDirPath())).path();
    PDFPATH = QStringLiteral("%1/pdf").arg(m_strResourcePath);
    XMLPATH = QStringLiteral("%1/xml").arg(m_strResourcePath);
    JAVACLASSPATH = QStringLiteral("%1/itext13.jar:%2/").arg(m_strResourcePath, m_strResourcePath) + "mr.jar";
    JVMPATH = QString::fromUtf8(kBuiltInJvmPath);

    RetPath = QDir::toNativeSeparators(docDir + "/data");
    RetPdfPath = RetPath;
    m_strNOAPath = QDir::toNativeSeparators(docDir + "/data" + "/noa1");
}

void CT1AppConfig::afterReadConfigFile()
{
    CAppConfig::afterReadConfigFile();
}

void CT1AppConfig::finalize()
{
    const char* agencyHost = MODEDEBUG ? kAgencyTestHost : kAgencyAppHost;
    setStringValIfNotSet(DIRERADSERVER, agencyHost);
    setStringValIfNotSet(EOLSERVER, agencyHost);
    setStringValIfNotSet(T1013SERVER, agencyHost);
    setStringValIfNotSet(QuillorServer, MODEDEBUG ? kQuillorTestHost : kQuillorHost);
    if (NOARenderHost.trimmed().isEmpty())
        NOARenderHost = voDarevivoWebServer;

    const char* code = (m_appType == 1 || m_appType == 2) ? "097" : "095";
    setStringValIfNotSet(DireradSoftwareCode, code);
    setStringValIfNotSet(EfileSoftwareCode, code);

    // A damaged pane width in the file must not reach the page layout.
    if (!SettingsCheck::isPaneSize(LeftPaneSize))
        LeftPaneSize = kDefaultLeftPaneSize;

    for (int i = 0; i < TDD_SERVICE_ENTRY_COUNT; ++i) {
        const char* value = MODEDEBUG ? kTddEntries[i].testMode : kTddEntries[i].production;
        m_tddServiceConfig[i] = value ? CString(value) : CString();
    }
    CString serviceHost = MODEDEBUG ? kAgencyTestHost : kAgencyAppHost;
    CString loginHost = MODEDEBUG ? kAgencyTestHost : kAgencyLoginHost;
    if (MODEDEBUG) {
        if (!TDDServiceHostOverride.IsEmpty())
            serviceHost = TDDServiceHostOverride;
        if (!TDDLoginHostOverride.IsEmpty())
            loginHost = TDDLoginHostOverride;
    }
    m_tddServiceConfig[TDDWEBSERVICE_HOST] = serviceHost;
    m_tddServiceConfig[TDDWEBSERVER_HOST] = loginHost;
    m_tddServiceConfig[TDDWEBSERVER_URLPATH_CRAJS] =
        "https://" + loginHost + (MODEDEBUG ? kCraJsTestPath : kCraJsPath);
}
