#include "filing/direradterms.h"

#include "filing/soapfilingresult.h"

#include "companion/core/outsidexml.h"
#include "companion/core/xmlreader.h"

int parseDireradTermSoapResponseResult(const std::string& reply, SoapFilingResult* r)
{
    int result = 0;
    TiXmlDocument doc;
    QString refusal;
    if (!parseOutsideXml(doc, reply, TIXML_DEFAULT_ENCODING, &refusal)) {
        r->m_bAccepted = false;
        r->m_strCodes = CString("response error");
        r->m_strMessage = refusal;
        return -1;
    }
    if (doc.Error()) {
        r->m_bAccepted = false;
        r->m_strCodes = CString("response error");
        result = -1;
    }
    // Matched by local name: the service may use any prefix.
    const MyTiXmlHandle terms = MyTiXmlHandle(doc.RootElement())
                                    .FirstChildElement("soapenv:Body")
                                    .FirstChildElement("t1rsp:TermsAndConditionsResponse")
                                    .FirstChildElement("t1rsp:TermsAndConditions");
    if (!terms.ToElement()) {
        r->m_bAccepted = false;
        r->m_strCodes = CString("unknown response error");
        return -1;
    }
    r->m_bAccepted = true;
    const MyTiXmlHandle english = terms.FirstChildElement("t1rsp:EnglishMessage");
    for (MyTiXmlHandle text = english.FirstChildElement("t1rsp:MessageText"); text.ToElement();
         text = text.NextSiblingElement())
        r->m_strMessage += QString::fromUtf8(text.Text()) + QStringLiteral("\r\n");
    if (TiXmlElement* link = english.FirstChildElement("t1rsp:Hyperlink").ToElement()) {
        r->m_strConfirmation = QString::fromUtf8(getElementSubEleStringText(link, "t1rsp:HyperlinkText"));
        r->m_strCodes = QString::fromUtf8(getElementSubEleStringText(link, "t1rsp:HyperlinkTarget"));
    }
    return result;
}

#include "filing/filingexchangesettings.h"
#include "filing/filingwebclient.h"
#include "filing/resultfiletrace.h"

#include "companion/core/datetimetext.h"
#include "companion/core/templatefill.h"
#include "companion/core/templatevaluemap.h"

int DireradSOAP_request1_internal(SoapFilingResult* r, bool isReFile, const FilingExchangeSettings& settings,
                                  QString* cause)
{
    auto because = [cause](const QString& text) {
        if (cause)
            *cause = text;
    };
    ResultFileTrace trace(settings.resultFilePath, ResultFileTrace::Append);
    auto write = [&](const QByteArray& text) { trace.write(text); };
    write("\n\n" + GetCurTime(CurTimeLocal).toUtf8() + " \n");

    TemplateValueMap values;
    values["termrequestkw"] = CString(isReFile ? "RefileTermsAndConditionsRequest" : "TermsAndConditionsRequest");
    std::string request;
    if (processTemplatePart(request, ":/net/net/nwsreq.xmt", values, 0) != 0) {
        r->m_strCodes += " cannot assemble request of Direrad Term and Agreement.\n";
        write(r->m_strCodes.toUtf8());
        return -9;
    }
    write(settings.direradHost.toUtf8() + "\n");

    FilingWebClient client(settings.fileReturnServiceUrl());
    std::string reply;
    if (!client.postSoapXML(request, "text/xml; charset=UTF-8", nullptr, nullptr, reply)) {
        r->m_strCodes += " read Direrad Term failed or network interruption.\n";
        because(client.lastResult().error);
        write(r->m_strCodes.toUtf8());
        return -50;
    }
    if (settings.testMode)
        write(QByteArray::fromStdString(reply));
    if (parseDireradTermSoapResponseResult(reply, r) != 0) {
        r->m_strCodes += " parses Direrad Term failed.\n";
        because(QStringLiteral("The agency's reply held no terms (%1).").arg(QString(r->m_strCodes).trimmed()));
        write(r->m_strCodes.toUtf8());
        return 51;
    }
    return 0;
}
