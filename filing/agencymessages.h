#pragma once

#include "companion/core/cstring.h"

class TiXmlElement;
class SoapFilingResult;

// The agency's message elements as the HTML the result dialog shows. Every
// text the agency sends is escaped, and only http and https targets become
// links: the reply is outside input and must not script or restyle the page.

// Empties out, then each message text (first and every following sibling
// element) followed by "<br/>", with U+2019 written as an apostrophe. A null
// first leaves out as it was. Always 0.
int parseEngMsgInMsg(CString& out, TiXmlElement* first);

// Appends "<br/>" and one "<a href='target'>text</a><br/>" per link element
// (first and its following siblings), with one more "<br/>" before every link
// after the first. A target that is not http or https gives its text alone.
// A null first appends nothing. Always 0.
int parseLinkedTextInMsg(CString& out, TiXmlElement* first);

// The message and codes of a t1rsp:FileReturnResponse that carries no
// confirmation: its rejection, else its system error, else its processing
// error (with the error code appended to the codes).
void readRefusal(SoapFilingResult& result, TiXmlElement* fileReturnResponse);
// The processing-error part of readRefusal alone.
void readProcessingError(SoapFilingResult& result, TiXmlElement* processingError);
