#include "app/cwebinfoutil.h"

#include "app/tabwndapp.h"
#include "companion/core/qwebclient.h"

#include <QRegularExpression>

CWebInfoUtil::CWebInfoUtil()
{
    if (TabWndApp* app = TabWndApp::getMainApp())
        m_host = app->m_config.voDarevivoWebServer;
}

CWebInfoUtil::CWebInfoUtil(const QString& host) : m_host(host) {}

CWebInfoUtil::~CWebInfoUtil() = default;

int CWebInfoUtil::parseReply(const QString& reply, QString& word)
{
    // A decimal number, optional blanks, then a word of non-blank characters.
    // The number is bounded so that a long run of digits cannot overflow.
    static const QRegularExpression pattern(QStringLiteral("^\\s*([+-]?\\d{1,9})(?!\\d)\\s*(\\S*)"));
    word.clear();
    const QRegularExpressionMatch m = pattern.match(reply);
    if (!m.hasMatch())
        return -1;
    word = m.captured(2).left(kMaxWordLength);
    return m.captured(1).toInt();
}

int CWebInfoUtil::getInfoByTwoKeyWords(const char* kw1, const char* kw2, CString& out)
{
    try {
        QWebClient client(QStringLiteral("https://%1%2").arg(m_host, QLatin1String(kInfoPath)), false);
        client.setTimeoutMs(kTimeoutMs);
        client.addQueryItem(QStringLiteral("kw1"), QString::fromUtf8(kw1 ? kw1 : ""));
        client.addQueryItem(QStringLiteral("kw2"), QString::fromUtf8(kw2 ? kw2 : ""));
        QString reply;
        if (!client.post(reply))
            reply.clear();
        QString word;
        const int status = parseReply(reply, word);
        if (status >= 199 && status <= 201)
            out = word;
        return status;
    } catch (...) {
        return -100;
    }
}
