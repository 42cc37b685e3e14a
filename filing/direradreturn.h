#pragma once

#include "filing/filingoutcome.h"
#include "filing/filingresult.h"
#include "filing/soapfilingresult.h"

#include "companion/core/templatevaluemap.h"

#include <string>

class QIODevice;
struct FilingExchangeSettings;

// Reads a DIRERAD reply into r. kind SoapFilingResult::KindT1135 reads a
// T1135 reply, any other kind a T1 reply. Elements are matched by local
// name, whatever prefix the agency binds. The message (or the parser's
// error text) and an empty line go to log when given. FilingReplyNotXml
// when the reply is not XML, otherwise 0 (whether the filing was accepted
// is r->m_bAccepted).
int parseDireradSoapResponseResult(QIODevice* log, int kind, const std::string& reply, SoapFilingResult* r);

// Files the T1 return xml (the electronic return as generated) with the
// request data of values, and reads the reply into r (kind 1). The result
// file is replaced by this exchange's trace; in test mode it holds the
// request, redacted, and the reply.
//
//  0                     a reply was read into r
//  FilingReplyNotXml     a reply came back that was not XML
//  -10                   the request could not be composed
//  -20                   not sent: the request never left
//  FilingOutcomeUnknown  sent, but no usable reply came back
//  -99                   an exception came out of sending
int DireradSOAP_request2(TemplateValueMap& values, const std::string& xml, SoapFilingResult* r,
                         const FilingExchangeSettings& settings);

// The same exchange with its outcome as a value: the agency's reply read, or
// the failure with the code above, the cause in words (for a transport
// failure, the network's own) and whether the return may have reached the
// agency.
Result<SoapFilingResult> fileDireradReturn(TemplateValueMap& values, const std::string& xml,
                                           const FilingExchangeSettings& settings);
