#include "filing/efileexchange.h"

#include "filing/agencymessages.h"
#include "filing/filingexchangesettings.h"
#include "filing/filingwebclient.h"
#include "filing/requestcompose.h"
#include "filing/resultfiletrace.h"
#include "filing/soapfilingresult.h"

#include "companion/core/datetimetext.h"
#include "companion/core/outsidexml.h"
#include "companion/core/xmlreader.h"

#include <QIODevice>

#include <exception>

namespace {

QString textOf(const MyTiXmlHandle& element)
{
    return QString::fromUtf8(element.Text());
}

// An accepted return: its transmission number, the agency's notice code and
// the first message text with the links after it.
void readAcceptance(SoapFilingResult* r, TiXmlElement* response, TiXmlElement* confirmation)
{
    r->m_bAccepted = true;
    r->m_strConfirmation = QString::fromUtf8(getElementSubEleStringText(response, "TransmissionNumber"));
    r->m_strCvIndicator = QString::fromUtf8(getElementSubEleStringText(response, "t1ersp:CvIndicator"));
    const MyTiXmlHandle english = MyTiXmlHandle(confirmation).FirstChildElement("t1rsp:EnglishMessage");
    r->m_strMessage += textOf(english.FirstChildElement("t1rsp:MessageText")).toHtmlEscaped();
    parseLinkedTextInMsg(r->m_strMessage, english.FirstChildElement("t1rsp:Hyperlink").ToElement());
    r->m_bMessageIsHtml = true;
}

// A refused return. A code of the 184 family is reported from the
// processing error alone, whose error code is the clue the preparer needs.
void readEfileRefusal(SoapFilingResult* r, TiXmlElement* fileReturn)
{
    r->m_bAccepted = false;
    r->m_strCodes.clear();
    if (r->isError184()) {
        if (TiXmlElement* error = MyTiXmlHandle(fileReturn).FirstChildElement("t1rsp:ProcessingError").ToElement())
            readProcessingError(*r, error);
    } else if (fileReturn) {
        readRefusal(*r, fileReturn);
    }
    r->m_bMessageIsHtml = true;
}

// A body that holds no return response: a fault, the older service's
// response, or something else.
int readOtherBody(SoapFilingResult* r, const MyTiXmlHandle& body)
{
    r->m_bAccepted = false;
    if (TiXmlElement* fault = body.FirstChildElement("soapenv:Fault").ToElement()) {
        TiXmlElement* text = MyTiXmlHandle(fault).FirstChildElement("faultstring").ToElement();
        r->m_strMessage = text ? textOf(MyTiXmlHandle(text)) : QStringLiteral("XML fault error, no details.");
        return EfileSoapFault;
    }
    if (TiXmlElement* frrms = body.FirstChildElement("FrrmsEfileReturnResponse").ToElement()) {
        r->m_strResultCode = QString::fromUtf8(getElementSubEleStringText(frrms, "ResultCode"));
        r->m_strMessage = textOf(MyTiXmlHandle(frrms)
                                     .FirstChildElement("t1rsp:FileReturnResponse")
                                     .FirstChildElement("t1rsp:Rejection")
                                     .FirstChildElement("t1rsp:EnglishMessage")
                                     .FirstChildElement("t1rsp:MessageText"));
        return EfileReplyRead;
    }
    if (TiXmlElement* eol = body.FirstChildElement("pfeo:EolResponse").ToElement()) {
        r->m_strResultCode = QString::fromUtf8(getElementSubEleStringText(eol, "resultCode"));
        r->m_strMessage = QStringLiteral("132 means EFile system is not operational at this time.");
        return EfileReplyRead;
    }
    r->m_strResultCode = QStringLiteral("-1");
    r->m_strMessage = QStringLiteral("Efile error, no response, nor fault error");
    return EfileNoResponseNorFault;
}

} // namespace

bool isEfileOutcomeUnknown(int exchangeResult)
{
    return exchangeResult == FilingOutcomeUnknown || exchangeResult == EfileReplyNotXml
        || exchangeResult == EfileNoResponseNorFault;
}

int parseEOLSoapResponseResult(QIODevice* log, const std::string& reply, int kind, SoapFilingResult* r)
{
    TiXmlDocument doc;
    QString refusal;
    if (!parseOutsideXml(doc, reply, TIXML_ENCODING_UTF8, &refusal) || doc.Error()) {
        r->m_bAccepted = false;
        r->m_strResultCode = QStringLiteral("-1");
        r->m_strCodes = QStringLiteral("response error");
        r->m_strMessage = refusal;
        if (log && !refusal.isEmpty())
            log->write(refusal.toUtf8() + "\n\n");
        return EfileReplyNotXml;
    }

    const MyTiXmlHandle body = MyTiXmlHandle(doc.RootElement()).FirstChildElement("soapenv:Body");
    int result = EfileReplyRead;
    if (TiXmlElement* response =
            body.FirstChildElement(kind == SoapFilingResult::KindT1135 ? "FrrmsEfileReturnResponse"
                                                                      : "t1ersp:EfileReturnResponse")
                .ToElement()) {
        r->m_strMessage.clear();
        r->m_strResultCode = QString::fromUtf8(getElementSubEleStringText(response, "ResultCode"));
        TiXmlElement* fileReturn = MyTiXmlHandle(response).FirstChildElement("t1rsp:FileReturnResponse").ToElement();
        if (TiXmlElement* confirmation = MyTiXmlHandle(fileReturn).FirstChildElement("t1rsp:Confirmation").ToElement())
            readAcceptance(r, response, confirmation);
        else
            readEfileRefusal(r, fileReturn);
    } else {
        result = readOtherBody(r, body);
    }
    if (log)
        log->write(r->m_strMessage.toUtf8() + "\n");
    return result;
}

int EOLSOAP_request(TemplateValueMap& values, const std::string& xml, SoapFilingResult* r,
                    const FilingExchangeSettings& settings)
{
    const CString now = GetCurTime(CurTimeLocal);
    ResultFileTrace trace(settings.resultFilePath, ResultFileTrace::Replace);
    putOriginatingAddress(RequestTemplateFamily::Efile, values);

    std::string request;
    CString problem;
    if (GetEfileRequest(true, values, xml, request, &problem) != RequestComposed) {
        trace.write("Efile request creation failed.\n" + problem.toUtf8() + "\n");
        return EfileNotComposed;
    }
    trace.writeOutgoingRequest(settings.testMode, QByteArray::fromStdString(request), now.toUtf8() + "\n");

    SoapPostResult post;
    try {
        FilingWebClient client(settings.efileReturnServiceUrl());
        post = client.post(QByteArray::fromStdString(request), "text/xml; charset=UTF-8");
    } catch (const std::exception&) {
        trace.write("Please try again, make sure voDarevivo is permitted by firewall to use Internet.\n");
        return EfileSendException;
    }
    switch (post.outcome) {
    case SoapPostOutcome::NotSent:
        trace.write("EFile web service failed.\n" + post.error.toUtf8() + "\n");
        return EfileNotSent;
    case SoapPostOutcome::OutcomeUnknown:
        trace.write("EFile sent, but no reply came back: the outcome is unknown.\n" + post.error.toUtf8() + "\n");
        return FilingOutcomeUnknown;
    case SoapPostOutcome::Reply:
        break;
    }
    return parseEOLSoapResponseResult(trace.device(), post.body.toStdString(), SoapFilingResult::KindT1Return, r);
}
