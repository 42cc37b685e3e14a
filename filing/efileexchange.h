#pragma once

#include "filing/filingoutcome.h"

#include "companion/core/templatevaluemap.h"

#include <string>

class QIODevice;
class SoapFilingResult;
struct FilingExchangeSettings;

// Results of the EFILE exchange, besides FilingOutcomeUnknown.
enum EfileExchangeResult : int {
    EfileReplyRead = 0,            // a reply was read (accepted, refused, or not operational)
    EfileNotComposed = 104,        // the request could not be composed; nothing was sent
    EfileNotSent = 106,            // the request never left: no connection, TLS refused
    EfileNoResponseNorFault = 111, // the reply is XML, but neither a response nor a SOAP fault
    EfileReplyNotXml = 113,        // the reply is not XML
    EfileSoapFault = 190,          // the service answered with a SOAP fault: the return was not taken
    EfileSendException = 200,      // an exception came out of sending
};

// Whether the exchange's result leaves the preparer not knowing if the
// agency has the return: the request went out and what came back (if
// anything) cannot be read as an answer.
bool isEfileOutcomeUnknown(int exchangeResult);

// Reads an EFILE reply into r. kind SoapFilingResult::KindT1135 expects a
// T1135 reply, any other kind a T1 reply. Elements are matched by local
// name, whatever prefix the agency binds. An accepted return's message is
// HTML (its text escaped, its links as anchors); the message, unless the
// reply is not XML, and a line end go to log when given.
//
//  EfileReplyRead           a response: r->m_bAccepted says whether it was accepted
//  EfileNoResponseNorFault  XML of another shape
//  EfileReplyNotXml         not XML (result code "-1", codes "response error")
//  EfileSoapFault           a SOAP fault (its fault string is the message)
int parseEOLSoapResponseResult(QIODevice* log, const std::string& reply, int kind, SoapFilingResult* r);

// Files the T1 return of xml (the electronic return as generated) through
// the EFILE service with the preparer's request data of values, and reads
// the reply into r (kind 1). The result file is replaced: outside test mode
// by the time and the agency's message (or what failed); in test mode by
// the request alone, its passwords blanked.
//
// Returns one of EfileExchangeResult, or FilingOutcomeUnknown when the
// request went out but no reply came back (a time-out, a connection closed).
int EOLSOAP_request(TemplateValueMap& values, const std::string& xml, SoapFilingResult* r,
                    const FilingExchangeSettings& settings);
