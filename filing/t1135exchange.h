#pragma once

#include "filing/filingoutcome.h"
#include "filing/filingresult.h"

#include "companion/core/cstring.h"
#include "companion/core/templatevaluemap.h"

#include <string>

struct FilingExchangeSettings;

// The outcome of one T1135 filing, as the form filing reads it.
struct StructT1135SoapResult
{
    int m_nAccepted = 0;        // 1 when the agency accepted the statement
    CString m_strConfirmation;  // set only when accepted
    CString m_strCodes;         // the agency's result and error codes
    CString m_strMessage;       // the agency's message
    bool m_bMessageIsHtml = false; // see SoapFilingResult::m_bMessageIsHtml
};

// Files the T1135 statement of xml (the statement file as generated) with
// the request data of values. The result file is replaced: outside test
// mode by the time, the reply and the agency's message; in test mode by the
// redacted request alone.
//
//  0                     a reply was read; out holds the outcome
//  FilingReplyNotXml     a reply came back that was not XML; out untouched
//  -1                    the request could not be composed; out untouched
//  -10                   not sent: the request never left; out untouched
//  FilingOutcomeUnknown  sent, but no usable reply came back; out untouched
//  -99                   an exception came out of sending; out untouched
int T1135SOAP_request(TemplateValueMap& values, const std::string& xml, StructT1135SoapResult* out,
                      const FilingExchangeSettings& settings);

// The same exchange with its outcome as a value: the agency's answer, or the
// failure with the code above, the cause in words (for a transport failure,
// the network's own) and whether the statement may have reached the agency.
Result<StructT1135SoapResult> fileT1135Statement(TemplateValueMap& values, const std::string& xml,
                                                 const FilingExchangeSettings& settings);
