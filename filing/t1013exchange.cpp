#include "filing/t1013exchange.h"

#include "filing/filingexchangesettings.h"
#include "filing/filingwebclient.h"
#include "filing/requestcompose.h"
#include "filing/resultfiletrace.h"
#include "filing/soapenvelopecut.h"

#include "companion/core/datetimetext.h"
#include "companion/core/outsidexml.h"
#include "companion/core/xmlreader.h"

#include <exception>

namespace {

QString textOf(const MyTiXmlHandle& element)
{
    return QString::fromUtf8(element.Text());
}

// Where the T1013 reply keeps its codes: the container under the batch
// response and the name of its first item.
struct CodeList
{
    std::initializer_list<const char*> path;
    const char* item;
};

const CodeList kT1013CodeLists[] = {
    {{"trisr:ResponseCodes", "trisr:BatchLevelResponse", "trisr:BatchResponseCode"}, "trisr:ResponseCode"},
    {{"trisr:ResponseCodes", "trisr:FormLevelResponse", "trisr:FormResponseCode"}, "trisr:ResponseCode"},
    {{"trisr:RejectedBatchForms", "trisr:BatchLevelError", "trisr:BatchErrorCode"}, "trisr:ErrorCode"},
};

MyTiXmlHandle follow(MyTiXmlHandle from, std::initializer_list<const char*> path)
{
    for (const char* name : path)
        from = from.FirstChildElement(name);
    return from;
}

} // namespace

bool isT1013OutcomeUnknown(int exchangeResult)
{
    return exchangeResult == FilingOutcomeUnknown || exchangeResult == T1013ReplyNotXml;
}

int parseT1013SoapResponseResult(TiXmlElement* envelope, StructT1013SoapResult* result)
{
    const MyTiXmlHandle body = MyTiXmlHandle(envelope).FirstChildElement("soapenv:Body");
    const MyTiXmlHandle batch = body.FirstChildElement("trisr:Response").FirstChildElement("trisr:BatchResponse");
    if (TiXmlElement* detail = batch.FirstChildElement("trisr:BatchResponseDetail").ToElement()) {
        result->m_nReceivedFormsCount = getElementSubEleStringAsInt(detail, "trisr:ReceivedFormsCount", 0);
        result->m_strConfirmation = QString::fromUtf8(getElementSubEleStringText(detail, "trisr:ConfirmationNumber"));
    }
    result->m_strResponseCodes = QStringLiteral("response codes: ");
    for (const CodeList& list : kT1013CodeLists) {
        // The first item by name, then whatever follows it.
        for (MyTiXmlHandle item = follow(batch, list.path).FirstChildElement(list.item); item.ToElement();
             item = item.NextSiblingElement()) {
            const QString code = textOf(item);
            result->m_codes.push_back(CString(code));
            result->m_strResponseCodes += code + QLatin1Char(' ');
        }
    }
    if (TiXmlElement* fault = body.FirstChildElement("soapenv:Fault").ToElement()) {
        result->m_strResponseCodes += QStringLiteral(" Fault code: ")
                                    + QString::fromUtf8(getElementSubEleStringText(fault, "faultcode"))
                                    + QStringLiteral(" details:")
                                    + QString::fromUtf8(getElementSubEleStringText(fault, "faultstring"));
        if (TiXmlElement* description =
                follow(MyTiXmlHandle(fault), {"Detail", "SystemSoapFaultType", "description"}).ToElement())
            result->m_strResponseCodes +=
                QStringLiteral(" description:")
                + QString::fromUtf8(getElementSubEleStringText(description, "englishMessageText"));
    }
    return 0;
}

int parseT183PADSoapResponseResult(TiXmlElement* envelope, StructT1013SoapResult* result)
{
    const MyTiXmlHandle body = MyTiXmlHandle(envelope).FirstChildElement("soapenv:Body");
    const MyTiXmlHandle pad = body.FirstChildElement("PadCreateResponse");
    MyTiXmlHandle codes(nullptr);
    if (TiXmlElement* confirmation = pad.FirstChildElement("Confirmation").ToElement()) {
        result->m_strConfirmation = QString::fromUtf8(getElementSubEleStringText(confirmation, "ConfirmationNumber"));
        codes = MyTiXmlHandle(confirmation).FirstChildElement("ResponseCodeDescription");
    }
    // The later kinds of answer win: a system error over a processing
    // error, over a rejection, over a confirmation.
    for (const char* kind : {"Rejection", "ProcessingError", "SystemError"}) {
        if (TiXmlElement* answer = pad.FirstChildElement(kind).ToElement())
            codes = MyTiXmlHandle(answer).FirstChildElement("ResponseCodeDescription");
    }
    for (MyTiXmlHandle item = codes; item.ToElement(); item = item.NextSiblingElement()) {
        result->m_codes.push_back(CString(QString::fromUtf8(getElementSubEleStringText(item.ToElement(), "ResponseCode"))));
        result->m_strResponseCodes +=
            textOf(item.FirstChildElement("EnglishMessage").FirstChildElement("MessageText")) + QLatin1Char('\n');
    }
    if (TiXmlElement* fault = body.FirstChildElement("soapenv:Fault").ToElement())
        result->m_strResponseCodes += QString::fromUtf8(getElementSubEleStringText(fault, "faultstring"));
    return 0;
}

int T1013orT183PadSOAP_request(bool isT1013, TemplateValueMap& values, CString& body, StructT1013SoapResult* result,
                               const FilingExchangeSettings& settings)
{
    const QByteArray now = GetCurTime(CurTimeLocal).toUtf8();
    ResultFileTrace trace(settings.resultFilePath, ResultFileTrace::Replace);

    CString request;
    if (GetT1013OrT183PadRequest(isT1013, values, body, request) != 0) {
        trace.write("\n\n" + now + "\nrequest creation failed.\n");
        result->m_strResponseCodes = QStringLiteral("request creation failed.");
        return T1013NotComposed;
    }
    const QByteArray requestBytes = request.toUtf8();
    trace.writeOutgoingRequest(settings.testMode, requestBytes, "\n\n" + now + "\n");

    int code = T1013ReplyRead;
    SoapPostResult post;
    try {
        FilingWebClient client(isT1013 ? settings.t1013ServiceUrl() : settings.padServiceUrl());
        post = client.post(requestBytes, "text/xml; charset=UTF-8");
    } catch (const std::exception&) {
        trace.write("Please try again, make sure voDarevivo is allowed by firewall to use Internet.\n");
        result->m_strResponseCodes = QStringLiteral("web service exception failed.");
        code = T1013SendException;
    }
    if (code == T1013ReplyRead && post.outcome == SoapPostOutcome::NotSent) {
        trace.write("T1013 web service failed.\n" + post.error.toUtf8() + "\n");
        result->m_strResponseCodes = QStringLiteral("web service failed.");
        code = T1013NotSent;
    } else if (code == T1013ReplyRead && post.outcome == SoapPostOutcome::OutcomeUnknown) {
        trace.write("T1013 sent, but no reply came back: the outcome is unknown.\n" + post.error.toUtf8() + "\n");
        result->m_strResponseCodes = QStringLiteral("sent, but no reply came back: the outcome is unknown.");
        code = FilingOutcomeUnknown;
    }
    trace.write(post.body + "\n\n");

    if (code == T1013ReplyRead) {
        QByteArray envelope;
        TiXmlDocument doc;
        QString refusal;
        const bool cut = cutSoapEnvelope(post.body, envelope);
        bool parsed = false;
        if (cut) {
            trace.write("xml=>\n" + envelope);
            parsed = parseOutsideXml(doc, envelope.constData(), static_cast<std::size_t>(envelope.size()),
                                     TIXML_ENCODING_UTF8, &refusal);
        }
        if (!parsed || doc.Error()) {
            trace.write("cannot parse returned response.\n");
            result->m_strResponseCodes = refusal.isEmpty() ? QStringLiteral("response parse failed.") : refusal;
            code = T1013ReplyNotXml;
        } else if (isT1013) {
            parseT1013SoapResponseResult(doc.RootElement(), result);
        } else {
            parseT183PADSoapResponseResult(doc.RootElement(), result);
        }
    }
    trace.write(result->m_strResponseCodes.toUtf8() + "\n\n");
    return code;
}
