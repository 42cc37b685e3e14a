#include "filing/direradreturn.h"

#include "filing/agencymessages.h"
#include "filing/filingexchangesettings.h"
#include "filing/filingwebclient.h"
#include "filing/requestcompose.h"
#include "filing/requestredaction.h"
#include "filing/resultfiletrace.h"
#include "filing/soapfilingresult.h"

#include "companion/core/datetimetext.h"
#include "companion/core/outsidexml.h"
#include "companion/core/xmlreader.h"

#include <QIODevice>

#include <exception>

namespace {

QString textOf(TiXmlElement* element)
{
    return QString::fromUtf8(MyTiXmlHandle(element).Text());
}

void readConfirmation(SoapFilingResult* r, TiXmlElement* confirmation)
{
    r->m_bAccepted = true;
    r->m_strConfirmation = QString::fromUtf8(getElementSubEleStringText(confirmation, "t1rsp:ConfirmationCode"));
    const MyTiXmlHandle texts =
        MyTiXmlHandle(confirmation).FirstChildElement("t1rsp:EnglishMessage").FirstChildElement("t1rsp:MessageText");
    for (MyTiXmlHandle text = texts; text.ToElement(); text = text.NextSiblingElement())
        r->m_strMessage += textOf(text.ToElement()) + QStringLiteral("\r\n");
}

} // namespace

int parseDireradSoapResponseResult(QIODevice* log, int kind, const std::string& reply, SoapFilingResult* r)
{
    auto writeLog = [log](const CString& text) {
        if (log)
            log->write(text.toUtf8() + "\n\n");
    };
    TiXmlDocument doc;
    QString refusal;
    if (!parseOutsideXml(doc, reply, TIXML_ENCODING_UTF8, &refusal) || doc.Error()) {
        r->m_bAccepted = false;
        r->m_strCodes = CString("response error");
        r->m_strMessage = refusal;
        writeLog(r->m_strCodes);
        if (!refusal.isEmpty())
            writeLog(refusal);
        return FilingReplyNotXml;
    }

    const MyTiXmlHandle body = MyTiXmlHandle(doc.RootElement()).FirstChildElement("soapenv:Body");
    const MyTiXmlHandle response = body.FirstChildElement(
        kind == SoapFilingResult::KindT1135 ? "FrrmsDireradReturnResponse" : "t1rsp:DireradReturnResponse");
    if (TiXmlElement* code = response.FirstChildElement("ResultCode").ToElement())
        r->m_strCodes = textOf(code);

    TiXmlElement* fileReturn = response.FirstChildElement("t1rsp:FileReturnResponse").ToElement();
    if (!fileReturn) {
        r->m_bAccepted = false;
        TiXmlElement* fault = body.FirstChildElement("soapenv:Fault").FirstChildElement("faultstring").ToElement();
        r->m_strMessage = fault ? textOf(fault) : QStringLiteral("Error: no T1 return response and Fault");
    } else if (TiXmlElement* confirmation =
                   MyTiXmlHandle(fileReturn).FirstChildElement("t1rsp:Confirmation").ToElement()) {
        readConfirmation(r, confirmation);
    } else {
        r->m_bAccepted = false;
        readRefusal(*r, fileReturn);
        r->m_bMessageIsHtml = true;
    }
    writeLog(r->m_strMessage);
    return 0;
}

namespace {

// The exchange of DireradSOAP_request2; cause, when given, gets why no
// reply was read.
int exchangeReturn(TemplateValueMap& values, const std::string& xml, SoapFilingResult* r,
                   const FilingExchangeSettings& settings, QString* cause)
{
    auto because = [cause](const QString& text) {
        if (cause)
            *cause = text;
    };
    const CString now = GetCurTime(CurTimeLocal);
    ResultFileTrace trace(settings.resultFilePath, ResultFileTrace::Replace);
    putOriginatingAddress(RequestTemplateFamily::Direrad, values);

    std::string request;
    if (GetDireradRequest(true, values, xml, request) != RequestComposed) {
        r->m_strCodes += " cannot assemble Direrad request.\n";
        trace.write(r->m_strCodes.toUtf8());
        because(QStringLiteral("The DirErad request could not be made from the return."));
        return -10;
    }
    trace.write(now.toUtf8() + "\n");
    if (settings.testMode) {
        trace.write(settings.direradHost.toUtf8() + "\n");
        trace.write(redactFilingRequest(QByteArray::fromStdString(request)));
    }

    SoapPostResult post;
    try {
        FilingWebClient client(settings.fileReturnServiceUrl());
        post = client.post(QByteArray::fromStdString(request), "text/xml; charset=UTF-8");
    } catch (const std::exception&) {
        r->m_strCodes += " Exception occurred.\n";
        trace.write(r->m_strCodes.toUtf8());
        because(QStringLiteral("Please try again, make sure voDarevivo is permitted by firewall to use Internet."));
        return -99;
    }
    switch (post.outcome) {
    case SoapPostOutcome::NotSent:
        r->m_strCodes += " Online filing failed.\n";
        trace.write("\n" + r->m_strCodes.toUtf8() + post.error.toUtf8() + "\n");
        because(post.error);
        return -20;
    case SoapPostOutcome::OutcomeUnknown:
        r->m_strCodes += " Sent, but no reply came back: the outcome is unknown.\n";
        trace.write("\n" + r->m_strCodes.toUtf8() + post.error.toUtf8() + "\n" + post.body + "\n");
        because(post.error);
        return FilingOutcomeUnknown;
    case SoapPostOutcome::Reply:
        break;
    }
    if (settings.testMode)
        trace.write("\n" + post.body + "\n");
    const int parsed =
        parseDireradSoapResponseResult(trace.device(), SoapFilingResult::KindT1Return, post.body.toStdString(), r);
    if (parsed != 0)
        because(QStringLiteral("The agency's reply could not be read (%1).").arg(QString(r->m_strMessage).trimmed()));
    return parsed;
}

} // namespace

int DireradSOAP_request2(TemplateValueMap& values, const std::string& xml, SoapFilingResult* r,
                         const FilingExchangeSettings& settings)
{
    return exchangeReturn(values, xml, r, settings, nullptr);
}

Result<SoapFilingResult> fileDireradReturn(TemplateValueMap& values, const std::string& xml,
                                           const FilingExchangeSettings& settings)
{
    SoapFilingResult reply(SoapFilingResult::KindT1Return);
    QString cause;
    const int code = exchangeReturn(values, xml, &reply, settings, &cause);
    if (code != 0)
        return FilingFailure{code, cause, isFilingOutcomeUnknown(code)};
    return reply;
}
