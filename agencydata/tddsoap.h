#pragma once

#include "agencydata/tddservicesettings.h"
#include "companion/core/cstring.h"

#include <list>
#include <string>

// The SOAP side of the agency's Auto-fill and Express NOA data services: the
// software code and key, the WS-Security digest, the two request builders and
// the reply reader. Free functions over plain values, so each can be checked
// on its own; TddWebService strings them into a session.

// Service kinds: anything other than Auto-fill behaves as Express NOA.
enum TddServiceKind : short { TddAutoFill = 1, TddExpressNoa = 2 };

// The software code with its suffix ("095N", "097U") and the service key the
// code selects. Only "095" exactly, ignoring case, selects the plain key;
// "097", "095 " and every other code select the "_MAC" key.
void getSoftwareCode(const TddServiceSettings& settings, short forWhich, CString& code, CString& key);

// PasswordDigest of the UsernameToken profile: Base64(SHA-1(nonce bytes +
// created + key)), 28 characters. The nonce is raw bytes with their own
// length: random bytes may hold zeros.
void makeDigest(const std::string& key, const std::string& created, const std::string& nonce, std::string& out);

// Sixteen fresh bytes from the system's random source; a request never
// reuses the nonce of another, so a captured request cannot be replayed.
std::string makeTddNonce();

// A S.I.N. as the agency takes it: nine digits, blanks and dashes removed.
// Empty when what remains is not nine digits.
std::string normaliseTddSin(const std::string& typed);

// tokenA as the callback delivers it, percent-decoded, when it is 6 to 255
// characters of [A-Za-z0-9._~+/=-]; empty otherwise. It goes into a request
// and comes from a local request anyone on the machine can send.
std::string acceptTddTokenA(const std::string& encoded);
bool isAcceptableTddToken(const std::string& token);

// The stage request: the template with "<Sin>" elements appended, one per
// S.I.N. in list order (each normalised; a S.I.N. that is not nine digits
// makes the request fail), then the closing text. 0 on success; a template
// failure or a bad S.I.N. gives a non-zero result and out unchanged.
int constructTDDTokenCReq(const TddServiceSettings& settings, const CString& taxYear, short forWhich,
                          const std::list<std::string>& SINs, std::string& out);
// The data request with tokenA (the callback's, or the token of the last "not
// ready" reply). 0 on success; a template failure or an empty or oversized
// token gives a non-zero result and out unchanged.
int constructTDDDataReadyReq(const TddServiceSettings& settings, const CString& taxYear, short forWhich,
                             const std::string& tokenA, std::string& out);

// The outcome of reading one reply.
struct StructTDDSoapResult
{
    CString ReturnCode;
    std::string token;
    CString message; // parse error or fault text
};

// Results of parseTDDTokenSoapResponseResult.
enum TddReplyRead {
    TddReplyRead_Response = 0,   // the response element was found
    TddReplyRead_Unreadable = 1, // not XML
    TddReplyRead_NoResponse = 10 // a fault, or neither a response nor a fault
};

// Reads a reply: Envelope / Body / the response element, its ReturnCode and
// token children; else Body / Fault / faultstring. Elements are matched by
// local name, so any envelope prefix the agency chooses reads the same.
int parseTDDTokenSoapResponseResult(const std::string& reply, const char* responseElement, const char* tokenElement,
                                    StructTDDSoapResult* result);

// A request as it may go into a log: the text of every Sin element masked
// to "xxxxx" and its last four characters.
std::string maskTddRequestForLog(const std::string& request);

// The names of the service kind's elements and templates.
struct TddServiceNames
{
    const char* stageTemplate;
    const char* stageElement;
    const char* stageReply;
    const char* dataTemplate;
    const char* dataElement;
    const char* dataReply;
    const char* suffix;
};
const TddServiceNames& tddServiceNames(short forWhich);
