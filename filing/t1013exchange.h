#pragma once

#include "filing/filingoutcome.h"

#include "companion/core/cstring.h"
#include "companion/core/templatevaluemap.h"

#include <list>

class TiXmlElement;
struct FilingExchangeSettings;

// The outcome of one T1013 or pre-authorised debit filing, as the form
// filing reads it.
struct StructT1013SoapResult
{
    int m_nReceivedFormsCount = 0; // the forms the agency reports as received (T1013)
    CString m_strConfirmation;
    CString m_strResponseCodes;    // the agency's codes and messages, or what failed, as one text
    std::list<CString> m_codes;    // the single codes, in the reply's order
};

// Results of the exchange, besides FilingOutcomeUnknown.
enum T1013ExchangeResult : int {
    T1013ReplyRead = 0,       // the reply was read; whether it was accepted is for the caller to judge
    T1013NotComposed = -1,    // the request could not be composed; nothing was sent
    T1013NotSent = -10,       // the request never left: no connection, TLS refused
    T1013SendException = -99, // an exception came out of sending
    T1013ReplyNotXml = -100,  // the reply holds no SOAP envelope that parses
};

// Whether the exchange's result leaves the user not knowing if the agency
// has the form: it went out, and nothing readable came back.
bool isT1013OutcomeUnknown(int exchangeResult);

// Files a T1013 (isT1013) or a T183 pre-authorised debit: the request is
// the head filled from values (efilerid and password, and for a T1013
// taxyear, for a debit softwarecode, revdate and sin), body as it stands
// and the tail. The reply's SOAP envelope is read into result. The result
// file is replaced: outside test mode by the time, the reply, the envelope
// read and the response-codes text; in test mode by the request alone, its
// password blanked. Every failure leaves its sentence in the response-codes
// text. Returns one of T1013ExchangeResult, or FilingOutcomeUnknown when the
// request went out and no reply came back.
int T1013orT183PadSOAP_request(bool isT1013, TemplateValueMap& values, CString& body, StructT1013SoapResult* result,
                               const FilingExchangeSettings& settings);

// The T1013 service's reply (envelope: the SOAP envelope element): the
// received-forms count, the confirmation number, and the batch, form and
// rejected-batch codes in that order, each also in the text "response
// codes: " followed by every code and a blank; a fault adds its code and
// string. Always 0.
int parseT1013SoapResponseResult(TiXmlElement* envelope, StructT1013SoapResult* result);

// The pre-authorised debit service's reply: the confirmation number, and the
// codes and messages of the last of confirmation, rejection, processing
// error and system error that is present. Always 0.
int parseT183PADSoapResponseResult(TiXmlElement* envelope, StructT1013SoapResult* result);
