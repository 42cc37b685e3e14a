#include "filing/direradterms.h"

#include "filing/soapfilingresult.h"

#include "companion/core/xmlreader.h"

int parseDireradTermSoapResponseResult(const std::string& reply, SoapFilingResult* r)
{
    int result = 0;
    TiXmlDocument doc;
    doc.Parse(reply.c_str());
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
