#include "filing/t1135exchange.h"

#include "filing/direradreturn.h"
#include "filing/filingexchangesettings.h"
#include "filing/filingwebclient.h"
#include "filing/requestcompose.h"
#include "filing/resultfiletrace.h"
#include "filing/soapfilingresult.h"

#include "companion/core/datetimetext.h"

#include <exception>

int T1135SOAP_request(TemplateValueMap& values, const std::string& xml, StructT1135SoapResult* out,
                      const FilingExchangeSettings& settings)
{
    const CString now = GetCurTime(CurTimeLocal);
    ResultFileTrace trace(settings.resultFilePath, ResultFileTrace::Replace);
    values.setText("origip", "0.0.0.0");

    std::string request;
    if (GetDireradRequest(false, values, xml, request) != RequestComposed) {
        trace.write("T1135 request creation failed.\n");
        return -1;
    }
    trace.writeOutgoingRequest(settings.testMode, QByteArray::fromStdString(request), now.toUtf8() + "\n");

    SoapPostResult post;
    try {
        FilingWebClient client(settings.fileFormServiceUrl());
        post = client.post(QByteArray::fromStdString(request), "text/xml; charset=UTF-8");
    } catch (const std::exception&) {
        trace.write("Please try again, make sure voDarevivo is permitted by firewall to use Internet.\n");
        return -99;
    }
    switch (post.outcome) {
    case SoapPostOutcome::NotSent:
        trace.write("T1135 web service failed.\n");
        return -10;
    case SoapPostOutcome::OutcomeUnknown:
        trace.write("T1135 sent, but no reply came back: the outcome is unknown.\n");
        return FilingOutcomeUnknown;
    case SoapPostOutcome::Reply:
        break;
    }
    trace.write("\n" + post.body + "\n");
    SoapFilingResult r(SoapFilingResult::KindT1135);
    const int result = parseDireradSoapResponseResult(trace.device(), r.m_nKind, post.body.toStdString(), &r);
    if (result != 0)
        return result;
    out->m_nAccepted = r.m_bAccepted ? 1 : 0;
    if (r.m_bAccepted)
        out->m_strConfirmation = r.m_strConfirmation;
    out->m_strCodes = r.m_strCodes;
    out->m_strMessage = r.m_strMessage;
    out->m_bMessageIsHtml = r.m_bMessageIsHtml;
    return 0;
}
