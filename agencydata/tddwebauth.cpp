#include "agencydata/tddwebauth.h"

#include "agencydata/tddsoap.h"
#include "companion/core/base64.h"
#include "companion/core/digest.h"
#include "companion/core/urlcoding.h"

const char* tddAuthServicePath(short forWhich)
{
    return forWhich == TddAutoFill ? "/gol-ged/awsc/tdd/ws" : "/gol-ged/awsc/tdd/ws/noa";
}

int constructTDDWebAuthSignedkey(const TddServiceSettings& settings, short forWhich, CString& out,
                                 const CString& timestamp, const std::string& auth, const CString& lang,
                                 const std::string& tail)
{
    CString code, key;
    getSoftwareCode(settings, forWhich, code, key);
    const std::string message = code.toStdString() +
                                urlEncode((settings.loginHost + settings.loginPath).toStdString()) +
                                timestamp.toStdString() + auth + lang.toStdString() + tail;
    const std::string keyBytes = key.toStdString();
    unsigned char mac[SHA256::kHashBytes];
    hmac<SHA256>(message.data(), message.size(), keyBytes.data(), keyBytes.size(), mac);
    out = CString(urlEncode(Base64encode(std::string(reinterpret_cast<const char*>(mac), sizeof mac))));
    return 0;
}

CString buildTDDWebAuthUrl(const TddServiceSettings& settings, short forWhich, const CString& taxYear,
                           const std::string& tokenC, qint64 epochSeconds)
{
    CString code, key;
    getSoftwareCode(settings, forWhich, code, key);
    const CString timestamp = QString::number(epochSeconds);
    const std::string auth = urlEncode(tddAuthServicePath(forWhich));
    const CString lang("en");
    const std::string t = urlEncode(tokenC);
    const std::string tail = urlEncode(tokenC + taxYear.toStdString());
    CString signature;
    constructTDDWebAuthSignedkey(settings, forWhich, signature, timestamp, auth, lang, tail);
    return "https://" + settings.loginHost + settings.loginPath + "?spID=" + code + "&timestamp=" + timestamp +
           "&auth=" + CString(auth) + "&key=" + signature + "&t=" + CString(t) + "&lang=" + lang +
           "&swtaxyear=" + taxYear;
}
