#include "print/esign/quillorclient.h"

#include "companion/core/base64.h"
#include "companion/core/digest.h"
#include "companion/core/jsonutil.h"
#include "companion/core/messages.h"
#include "companion/core/prompter.h"
#include "companion/core/qwebclient.h"

#include <QCoreApplication>

const char* const s_msg_network_fail = "Network query failed, check firewall settings.";
const char* const s_msg_invalid_result = "Invalid result returned.";

QuillorBusyIndicator::~QuillorBusyIndicator() = default;

namespace {

const char* const kLoginPath = "/api/user/login";

QString tr(const char* text)
{
    return QCoreApplication::translate("QuillorClient", text);
}

} // namespace

QuillorClient::QuillorClient(FeatureContext context, QuillorSettingsSource settings,
                             QuillorBusyIndicator* busy)
    : m_context(std::move(context)), m_settings(std::move(settings)), m_busy(busy)
{
}

QString QuillorClient::url(const QString& host, const QString& path)
{
    return QStringLiteral("https://%1").arg(host) + path;
}

QString QuillorClient::url(const QString& path) const
{
    return url(settings().server, path);
}

void QuillorClient::_formDocServiceMsg1(const char* func, const CString& form, const CString& id, CString& out)
{
    out = QString::fromLatin1(kSoftwareCode) + QString::fromUtf8(func) + QString::fromLatin1(kSoftwareCode)
        + QLatin1Char('_') + form + id + QString::fromLatin1(kSharedKey);
}

QString QuillorClient::msg1Digest(const QString& msg1Text)
{
    return QString::fromStdString(SHA256()(msg1Text.toUtf8().toStdString()));
}

QByteArray QuillorClient::basicCredential(const QString& email, const QString& password)
{
    // Sized by the text itself: an account of any length is encoded whole.
    const QByteArray plain = (email + QLatin1Char(':') + password).toUtf8();
    return QByteArray::fromStdString(Base64encode(plain));
}

void QuillorClient::tell(const QString& text, bool overFeatureWindow) const
{
    MessageBoxRequest request;
    request.icon = Prompt::Information;
    request.title = gMsgTitle(m_context.edition);
    request.text = text;
    request.buttons = Prompt::Ok;
    m_context.prompterToUse().messageBox(overFeatureWindow ? m_context.dialogParent : nullptr, request);
}

QString QuillorClient::invalidResultText(const QString& reply)
{
    // The reply is the service's text, not ours: only its start is shown, and
    // the message box shows it as plain text (it starts with our words).
    return QString::fromLatin1(s_msg_invalid_result) + reply.left(kShownReplyChars);
}

bool QuillorClient::readyToQuillorCA()
{
    const QuillorSettings account = settings();
    if (!account.email.isEmpty() && !account.password.isEmpty())
        return true;
    tell(tr("Enter Quillor points email/password in preference, they are used for Quillor purpose."), true);
    return false;
}

QuillorReply QuillorClient::post(QWebClient& web, Auth auth, const QString& token)
{
    QuillorReply reply;
    QuillorBusyScope busy(m_busy);
    switch (auth) {
    case Auth::None:
        reply.arrived = web.post(reply.body, nullptr);
        break;
    case Auth::Basic: {
        const QuillorSettings account = settings();
        QByteArray credential = basicCredential(account.email, account.password);
        reply.arrived = web.post(reply.body, credential.constData());
        credential.fill('\0'); // the account in clear is not kept after the request
        break;
    }
    case Auth::Bearer:
        reply.arrived = web.post(reply.body, token, QStringLiteral("Bearer"));
        break;
    }
    reply.status = reply.arrived ? web.lastStatusCode() : 0;
    return reply;
}

int QuillorClient::loginToQuillorCA(QString& token)
{
    if (!readyToQuillorCA())
        return LoginNotConfigured;

    const QuillorSettings account = settings();
    QWebClient web(url(account.server, QString::fromLatin1(kLoginPath)), false);
    web.addQueryItem(QStringLiteral("email"), account.email);
    web.addQueryItem(QStringLiteral("password"), account.password);
    const QuillorReply reply = post(web, Auth::None);

    int result = LoginFailed;
    QString refusal;
    if (reply.isSuccess()) {
        JsonUtil json;
        QString received;
        // An empty token would send requests without authorisation.
        if (json.parseString(reply.body) == JsonUtil::kOk
            && json.getStrParam(QStringLiteral("access_token"), received) == JsonUtil::kOk
            && !received.isEmpty()) {
            token = received;
            result = LoginOk;
        }
        refusal = json.refusal();
    }
    if (result != LoginOk) {
        QString text = tr("Cannot login into Quillor, please check Quillor email/password setting in preference");
        // A reply refused unread is the service's fault, not the account's:
        // the user is told so too.
        if (!refusal.isEmpty())
            text += QLatin1Char('\n') + refusal;
        tell(text, false);
    }
    return result;
}
