#include "filing/agencymessages.h"

#include "filing/soapfilingresult.h"

#include "companion/core/xmlreader.h"

namespace {

const QChar kRightQuote(0x2019);

QString messageText(const char* utf8)
{
    QString text = QString::fromUtf8(utf8 ? utf8 : "");
    text.replace(kRightQuote, QLatin1Char('\''));
    return text.toHtmlEscaped();
}

bool isWebTarget(const QString& target)
{
    return target.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        || target.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

TiXmlElement* path(TiXmlElement* from, std::initializer_list<const char*> names)
{
    MyTiXmlHandle h(from);
    for (const char* name : names)
        h = h.FirstChildElement(name);
    return h.ToElement();
}

void appendRefusalTexts(CString& message, TiXmlElement* refusal)
{
    parseEngMsgInMsg(message, path(refusal, {"t1rsp:EnglishMessage", "t1rsp:MessageText"}));
    parseLinkedTextInMsg(message, path(refusal, {"t1rsp:EnglishMessage", "t1rsp:Hyperlink"}));
}

} // namespace

int parseEngMsgInMsg(CString& out, TiXmlElement* first)
{
    if (!first)
        return 0;
    out.clear();
    for (MyTiXmlHandle e(first); e.ToElement(); e = e.NextSiblingElement())
        out += messageText(e.Text()) + QStringLiteral("<br/>");
    return 0;
}

int parseLinkedTextInMsg(CString& out, TiXmlElement* first)
{
    if (!first)
        return 0;
    out += QStringLiteral("<br/>");
    bool firstLink = true;
    for (MyTiXmlHandle e(first); e.ToElement(); e = e.NextSiblingElement()) {
        if (!firstLink)
            out += QStringLiteral("<br/>");
        firstLink = false;
        const QString text = QString::fromUtf8(getElementSubEleStringText(e.ToElement(), "t1rsp:HyperlinkText"));
        const QString target = QString::fromUtf8(getElementSubEleStringText(e.ToElement(), "t1rsp:HyperlinkTarget"));
        if (isWebTarget(target))
            out += QStringLiteral("<a href='") + target.toHtmlEscaped().replace('\'', "&#39;") + QStringLiteral("'>")
                 + text.toHtmlEscaped() + QStringLiteral("</a><br/>");
        else
            out += text.toHtmlEscaped() + QStringLiteral("<br/>");
    }
    return 0;
}

void readProcessingError(SoapFilingResult& result, TiXmlElement* processingError)
{
    appendRefusalTexts(result.m_strMessage, processingError);
    if (TiXmlElement* code = path(processingError, {"t1rsp:ErrorCodeDescription", "t1rsp:ErrorCode"})) {
        const QString c = QString::fromUtf8(MyTiXmlHandle(code).Text());
        result.m_strCodes += c;
        result.m_strMessage += QStringLiteral("<br/>Error code: (") + c.toHtmlEscaped() + QStringLiteral(")<br/>");
    }
    if (TiXmlElement* text = path(processingError,
                                  {"t1rsp:ErrorCodeDescription", "t1rsp:EnglishMessage", "t1rsp:MessageText"})) {
        result.m_strMessage += QStringLiteral("<br/>Error Message:<br/>");
        bool firstText = true;
        for (MyTiXmlHandle e(text); e.ToElement(); e = e.NextSiblingElement()) {
            if (!firstText)
                result.m_strMessage += QStringLiteral("<br/>");
            firstText = false;
            result.m_strMessage += messageText(e.Text());
        }
    }
}

void readRefusal(SoapFilingResult& result, TiXmlElement* fileReturnResponse)
{
    MyTiXmlHandle f(fileReturnResponse);
    if (TiXmlElement* rejection = f.FirstChildElement("t1rsp:Rejection").ToElement()) {
        appendRefusalTexts(result.m_strMessage, rejection);
        return;
    }
    if (TiXmlElement* systemError = f.FirstChildElement("t1rsp:SystemError").ToElement()) {
        parseEngMsgInMsg(result.m_strMessage, path(systemError, {"t1rsp:EnglishMessage", "t1rsp:MessageText"}));
        return;
    }
    if (TiXmlElement* processingError = f.FirstChildElement("t1rsp:ProcessingError").ToElement())
        readProcessingError(result, processingError);
}
