#include "print/esign/quilloraccountcheck.h"

#include "companion/core/emailcheck.h"
#include "companion/core/jsonutil.h"
#include "companion/core/qwebclient.h"

#include <QCoreApplication>

namespace {

const char* const kVerifyPath = "/api/user/verify";

QString tr(const char* text)
{
    return QCoreApplication::translate("QuillorAccountCheck", text);
}

QString networkProblem()
{
    return tr("Check account points failed, maybe network problem!");
}

} // namespace

QString QuillorAccountCheck::messageFor(const QuillorReply& reply, const QString& host)
{
    if (!reply.isSuccess())
        return networkProblem();
    JsonUtil json;
    if (json.parseString(reply.body) != JsonUtil::kOk)
        return networkProblem();

    QString message;
    int points = 0;
    if (json.getIntParam(QStringLiteral("points"), points) == JsonUtil::kOk) {
        message = points >= 0 ? tr("Your account has %1 points available. [%2]").arg(points).arg(host)
                              : tr("Login to Quillor failed, code=%1!").arg(points);
    }
    QString text;
    if (json.getStrParam(QStringLiteral("subscription"), text) == JsonUtil::kOk)
        message += QLatin1Char('\n') + tr("Active subscription ends %1.").arg(text);
    if (json.getStrParam(QStringLiteral("subscriptionStatus"), text) == JsonUtil::kOk)
        message += QLatin1Char('\n') + tr("Status: %1").arg(text);
    return message.isEmpty() ? networkProblem() : message;
}

bool QuillorAccountCheck::check(const QString& email, const QString& password)
{
    // A click that reaches here while a check waits for its reply is dropped:
    // one request at a time.
    if (m_running)
        return false;
    if (email.isEmpty() || password.isEmpty() || !checkEmail(email.toUtf8().constData())) {
        m_client.tell(tr("Please enter valid email address and password for user points."), false);
        return false;
    }
    if (m_checks >= kMaxChecks) {
        m_client.tell(tr("Account check is limited to three times each time Preference is opened."), false);
        return false;
    }
    ++m_checks;

    m_running = true;
    const QuillorSettings settings = m_client.settings();
    QWebClient web(QuillorClient::url(settings.server, QString::fromLatin1(kVerifyPath)), false);
    web.addQueryItem(QStringLiteral("email"), email);
    web.addQueryItem(QStringLiteral("password"), password);
    web.addQueryItem(QStringLiteral("msg"), QStringLiteral("testing"));
    web.addQueryItem(QStringLiteral("formname"), QStringLiteral("E-Auth"));
    web.addQueryItem(QStringLiteral("sfwrver"), settings.appTitle);
    const QuillorReply reply = m_client.post(web, QuillorClient::Auth::None);
    m_running = false;

    m_client.tell(messageFor(reply, settings.server), false);
    return true;
}
