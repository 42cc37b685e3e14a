#include "filing/t1135exchange.h"

#include "filing/direradreturn.h"
#include "filing/filingexchangesettings.h"
#include "filing/filingwebclient.h"
#include "filing/requestcompose.h"
#include "filing/resultfiletrace.h"
#include "filing/soapfilingresult.h"

#include "companion/core/datetimetext.h"

#include <exception>

namespace {

FilingFailure failure(int code, const QString& cause)
{
    return FilingFailure{code, cause, isFilingOutcomeUnknown(code)};
}

} // namespace

int T1135SOAP_request(TemplateValueMap& values, const std::string& xml, StructT1135SoapResult* out,
                      const FilingExchangeSettings& settings)
{
    Result<StructT1135SoapResult> result = fileT1135Statement(values, xml, settings);
    if (result && out)
        *out = result.value();
    return result.code();
}

Result<StructT1135SoapResult> fileT1135Statement(TemplateValueMap& values, const std::string& xml,
                                                 const FilingExchangeSettings& settings)
{
    const CString now = GetCurTime(CurTimeLocal);
    ResultFileTrace trace(settings.resultFilePath, ResultFileTrace::Replace);
    putOriginatingAddress(RequestTemplateFamily::Direrad, values);

    std::string request;
    if (GetDireradRequest(false, values, xml, request) != RequestComposed) {
        trace.write("T1135 request creation failed.\n");
        return failure(-1, QStringLiteral("The T1135 request could not be made from the statement."));
    }
    trace.writeOutgoingRequest(settings.testMode, QByteArray::fromStdString(request), now.toUtf8() + "\n");

    SoapPostResult post;
    try {
        FilingWebClient client(settings.fileFormServiceUrl());
        post = client.post(QByteArray::fromStdString(request), "text/xml; charset=UTF-8");
    } catch (const std::exception&) {
        trace.write("Please try again, make sure voDarevivo is permitted by firewall to use Internet.\n");
        return failure(-99, QStringLiteral("Please try again, make sure voDarevivo is permitted by firewall to use "
                                           "Internet."));
    }
    switch (post.outcome) {
    case SoapPostOutcome::NotSent:
        trace.write("T1135 web service failed.\n");
        return failure(-10, post.error);
    case SoapPostOutcome::OutcomeUnknown:
        trace.write("T1135 sent, but no reply came back: the outcome is unknown.\n");
        return failure(FilingOutcomeUnknown, post.error);
    case SoapPostOutcome::Reply:
        break;
    }
    trace.write("\n" + post.body + "\n");
    SoapFilingResult r(SoapFilingResult::KindT1135);
    const int parsed = parseDireradSoapResponseResult(trace.device(), r.m_nKind, post.body.toStdString(), &r);
    if (parsed != 0)
        return failure(parsed, QStringLiteral("The agency's reply could not be read (%1).")
                                   .arg(QString(r.m_strCodes).trimmed()));
    StructT1135SoapResult out;
    out.m_nAccepted = r.m_bAccepted ? 1 : 0;
    if (r.m_bAccepted)
        out.m_strConfirmation = r.m_strConfirmation;
    out.m_strCodes = r.m_strCodes;
    out.m_strMessage = r.m_strMessage;
    out.m_bMessageIsHtml = r.m_bMessageIsHtml;
    return out;
}
