#pragma once

#include "companion/core/cstring.h"

#include <QString>

// Client of the product web site's information page: posts two key words
// and reads a reply "<status> <word>".
class CWebInfoUtil
{
public:
    static constexpr const char* kInfoPath = "/phpproj/zelbo/info/kestrovainfo.php";
    // A longer reply word is cut to this length.
    static constexpr int kMaxWordLength = 255;
    // Time allowed for the whole request.
    static constexpr int kTimeoutMs = 10000;

    // The host of the application's configuration.
    CWebInfoUtil();
    // An explicit host ("name" or "name:port"); usable on any thread.
    explicit CWebInfoUtil(const QString& host);
    virtual ~CWebInfoUtil();

    // The reply's status number; -1 when the reply holds no number (or no
    // reply came), -100 when the request threw. out receives the reply word
    // for status 199 to 201 only.
    int getInfoByTwoKeyWords(const char* kw1, const char* kw2, CString& out);

    // Splits a reply into its status number (-1 when it has none) and word
    // (empty when it has none; cut to kMaxWordLength).
    static int parseReply(const QString& reply, QString& word);

private:
    QString m_host;
};
