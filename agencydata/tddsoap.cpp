#include "agencydata/tddsoap.h"

#include "companion/core/base64.h"
#include "companion/core/datetimetext.h"
#include "companion/core/digest.h"
#include "companion/core/outsidexml.h"
#include "companion/core/templatefill.h"
#include "companion/core/urlcoding.h"
#include "companion/core/xmlreader.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include <tinyxml.h>

#include <mutex>

// Outside any namespace, as Qt requires: the templates live in this static
// library, whose resources reach a program only when code refers to them.
static void registerTddTemplates()
{
    Q_INIT_RESOURCE(tddtemplates);
}

namespace {

void ensureTemplates()
{
    static std::once_flag once;
    std::call_once(once, registerTddTemplates);
}

const TddServiceNames kAutoFill = {":/tdd/tdd/tdd001.xmt", "StageTDDDirerad", "StageTDDDireradResponse",
                                   ":/tdd/tdd/tdd004.xmt", "GetTDDDirerad",   "GetTDDDireradResponse", "N"};
const TddServiceNames kExpressNoa = {":/tdd/tdd/noa001.xmt", "StageNOA", "StageNOAResponse",
                                     ":/tdd/tdd/noa004.xmt", "GetNOA",   "GetNOAResponse", "U"};

const int kNonceBytes = 16;
const size_t kMinTokenLength = 6;
const size_t kMaxTokenLength = 255;
const size_t kMaxReplyTokenLength = 4096;

// The values both requests share: the UsernameToken with a fresh nonce and
// creation time, so that no two requests carry the same digest.
void fillSecurityValues(const TddServiceSettings& settings, const CString& taxYear, short forWhich,
                        TemplateValueMap& values)
{
    CString code, key;
    getSoftwareCode(settings, forWhich, code, key);
    const std::string created = getXMLDateTimeString(true).toStdString();
    const std::string nonce = makeTddNonce();
    std::string digest;
    makeDigest(key.toStdString(), created, nonce, digest);
    values.setText("username", code);
    values.setText("timestamp", CString(created));
    values.setText("nonce", CString(Base64encode(nonce)));
    values.setText("digest", CString(digest));
    values.setText("taxyear", taxYear);
}

} // namespace

const TddServiceNames& tddServiceNames(short forWhich)
{
    return forWhich == TddAutoFill ? kAutoFill : kExpressNoa;
}

void getSoftwareCode(const TddServiceSettings& settings, short forWhich, CString& code, CString& key)
{
    code = settings.softwareCode;
    const bool plain = code.compare(QLatin1String("095"), Qt::CaseInsensitive) == 0;
    if (forWhich == TddAutoFill)
        key = plain ? settings.afrKey : settings.afrMacKey;
    else
        key = plain ? settings.noaKey : settings.noaMacKey;
    code += QLatin1String(tddServiceNames(forWhich).suffix);
}

void makeDigest(const std::string& key, const std::string& created, const std::string& nonce, std::string& out)
{
    SHA1 sha;
    sha.add(nonce.data(), nonce.size());
    sha.add(created.data(), created.size());
    sha.add(key.data(), key.size());
    unsigned char raw[SHA1::kHashBytes];
    sha.getHash(raw);
    out = Base64encode(std::string(reinterpret_cast<const char*>(raw), sizeof raw));
}

std::string makeTddNonce()
{
    quint32 words[kNonceBytes / 4];
    QRandomGenerator::system()->fillRange(words);
    return std::string(reinterpret_cast<const char*>(words), kNonceBytes);
}

std::string normaliseTddSin(const std::string& typed)
{
    std::string digits;
    for (char c : typed) {
        if (c == ' ' || c == '-')
            continue;
        if (c < '0' || c > '9')
            return std::string();
        digits += c;
    }
    return digits.size() == 9 ? digits : std::string();
}

bool isAcceptableTddToken(const std::string& token)
{
    if (token.size() < kMinTokenLength || token.size() > kMaxTokenLength)
        return false;
    for (char c : token) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
                        c == '_' || c == '~' || c == '+' || c == '/' || c == '=' || c == '-';
        if (!ok)
            return false;
    }
    return true;
}

std::string acceptTddTokenA(const std::string& encoded)
{
    // Bounded before decoding too: "%41" three times as long as its result.
    if (encoded.size() > 3 * kMaxTokenLength)
        return std::string();
    const std::string decoded = urlDecode(encoded);
    return isAcceptableTddToken(decoded) ? decoded : std::string();
}

int constructTDDTokenCReq(const TddServiceSettings& settings, const CString& taxYear, short forWhich,
                          const std::list<std::string>& SINs, std::string& out)
{
    std::string sinElements;
    for (const std::string& typed : SINs) {
        const std::string sin = normaliseTddSin(typed);
        if (sin.empty())
            return TemplateMissingValue;
        sinElements += "<Sin>" + sin + "</Sin>";
    }
    ensureTemplates();
    const TddServiceNames& names = tddServiceNames(forWhich);
    TemplateValueMap values;
    fillSecurityValues(settings, taxYear, forWhich, values);
    values.setText("tagstage", CString(names.stageElement));
    std::string request;
    const int filled = processTemplatePartInString(request, CString(names.stageTemplate), values, 0);
    if (filled != TemplateFilled)
        return filled;
    out = request + sinElements + "</" + names.stageElement + "></S:Body></S:Envelope>";
    return 0;
}

int constructTDDDataReadyReq(const TddServiceSettings& settings, const CString& taxYear, short forWhich,
                             const std::string& tokenA, std::string& out)
{
    // The first token was checked where it came in (the callback); the
    // agency's later ones are only bounded, and escaped like every value.
    if (tokenA.empty() || tokenA.size() > kMaxReplyTokenLength)
        return TemplateMissingValue;
    ensureTemplates();
    const TddServiceNames& names = tddServiceNames(forWhich);
    TemplateValueMap values;
    fillSecurityValues(settings, taxYear, forWhich, values);
    values.setText("tokenA", CString(tokenA));
    values.setText("tagdata", CString(names.dataElement));
    std::string request;
    const int filled = processTemplatePartInString(request, CString(names.dataTemplate), values, 0);
    if (filled != TemplateFilled)
        return filled;
    out = request;
    return 0;
}

int parseTDDTokenSoapResponseResult(const std::string& reply, const char* responseElement, const char* tokenElement,
                                    StructTDDSoapResult* result)
{
    StructTDDSoapResult read;
    TiXmlDocument doc;
    QString refusal;
    const bool parsed = parseOutsideXml(doc, reply, TIXML_ENCODING_UTF8, &refusal);
    int outcome;
    if (!parsed) {
        read.message = CString(refusal);
        outcome = TddReplyRead_Unreadable;
    } else if (doc.Error() || !doc.RootElement()) {
        read.message = "response parse error";
        outcome = TddReplyRead_Unreadable;
    } else {
        const MyTiXmlHandle body = MyTiXmlHandle(doc.RootElement()).FirstChildElement("Body", "soapenv");
        const TiXmlElement* response = body.FirstChildElement(responseElement, "ns").ToElement();
        if (response) {
            read.ReturnCode = CString(getElementSubEleStringText(response, "ReturnCode"));
            read.token = getElementSubEleStringText(response, tokenElement);
            outcome = TddReplyRead_Response;
        } else {
            const TiXmlElement* fault = body.FirstChildElement("Fault", "soapenv").ToElement();
            const TiXmlElement* faultString =
                fault ? MyTiXmlHandle(const_cast<TiXmlElement*>(fault)).FirstChildElement("faultstring").ToElement()
                      : nullptr;
            read.message = faultString ? CString(faultString->GetText() ? faultString->GetText() : "")
                                       : CString("Error: no response and Fault");
            outcome = TddReplyRead_NoResponse;
        }
    }
    if (result)
        *result = read;
    return outcome;
}

std::string maskTddRequestForLog(const std::string& request)
{
    static const QRegularExpression sin(QStringLiteral("(<(?:[A-Za-z0-9_]+:)?Sin>)[^<]*?([^<]{0,4})(</)"));
    QString text = QString::fromStdString(request);
    text.replace(sin, QStringLiteral("\\1xxxxx\\2\\3"));
    return text.toStdString();
}
