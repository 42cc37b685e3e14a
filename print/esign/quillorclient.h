#pragma once

#include "companion/core/cstring.h"
#include "model/featurecontext.h"
#include "print/esign/quillorbusy.h"
#include "print/esign/quillorsettings.h"

#include <QByteArray>
#include <QString>

class QWebClient;

// The two failure texts every feature of the e-signature service shows.
extern const char* const s_msg_network_fail;   // a post that got no reply
extern const char* const s_msg_invalid_result; // a reply without the field needed

// One reply of the service: whether any came, its HTTP status and body.
struct QuillorReply
{
    bool arrived = false;
    int status = 0;
    QString body;

    // A reply with an error status is a failure even when its body parses.
    bool isSuccess() const { return arrived && status >= 200 && status < 300; }
};

// What the features of the e-signature, e-delivery and filing-record service
// share: where the service is, the fixed values of every request, the request
// signature "msg1", the Basic credential, the account test and the login. A
// client is made for one operation; the settings are read afresh for each
// request and never written here.
class QuillorClient
{
public:
    enum class Auth { None, Basic, Bearer };
    enum LoginResult { LoginOk = 0, LoginFailed = 99, LoginNotConfigured = 112 };

    static constexpr const char* kSoftwareCode = "T1KW2024"; // item "sw", prefix of msg1
    static constexpr const char* kProductCode = "T1KW";      // template request
    static constexpr const char* kLoginType = "kestrova";    // item "login_type"
    static constexpr const char* kTaxYear = "2024";
    // Shared with the service, which recomputes msg1 with it.
    static constexpr const char* kSharedKey = "Q7M2X8K4V1R9T3W6Z5H0B2N8";
    // How much of a raw reply follows the invalid-result text.
    static constexpr int kShownReplyChars = 200;

    QuillorClient(FeatureContext context, QuillorSettingsSource settings,
                  QuillorBusyIndicator* busy = nullptr);

    // "https://" + host + path.
    static QString url(const QString& host, const QString& path);
    // The same on the configured host.
    QString url(const QString& path) const;

    // out := the msg1 text of a request; it is never sent, only its digest.
    static void _formDocServiceMsg1(const char* func, const CString& form, const CString& id, CString& out);
    // The item "msg1": SHA-256 of the text's UTF-8 bytes, 64 lower-case hex digits.
    static QString msg1Digest(const QString& msg1Text);
    // Base64 of the UTF-8 bytes of email + ":" + password, of any length.
    static QByteArray basicCredential(const QString& email, const QString& password);

    // True when the account e-mail and password are both set (blanks count);
    // otherwise tells the user, over the feature's window, and returns false.
    bool readyToQuillorCA();
    // Logs in with the account settings: LoginOk with the access token in
    // token, LoginNotConfigured (told by readyToQuillorCA, nothing sent) or
    // LoginFailed (told; token unchanged).
    int loginToQuillorCA(QString& token);

    // One post of the items already added to web, with the authorisation
    // asked for (the Basic credential from the current settings, or the
    // token), while the window shows it is busy.
    QuillorReply post(QWebClient& web, Auth auth, const QString& token = QString());

    QuillorSettings settings() const { return m_settings(); }
    const FeatureContext& context() const { return m_context; }
    QuillorBusyIndicator* busyIndicator() const { return m_busy; }

    // "Invalid result returned." and the start of the raw reply, as plain text.
    static QString invalidResultText(const QString& reply);
    // An information box titled for the edition; parentless boxes go over
    // the main window.
    void tell(const QString& text, bool overFeatureWindow) const;

private:
    FeatureContext m_context;
    QuillorSettingsSource m_settings;
    QuillorBusyIndicator* m_busy;
};
