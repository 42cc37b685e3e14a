#pragma once

// The SOAP requests of the agency's filing services, composed from the
// request templates around the filed document: the T1 return or the T1135
// statement for DIRERAD and EFILE, a prepared body for the T1013 and the
// T183 pre-authorised debit. The composers report by their results only.

#include <string>

#include "companion/core/cstring.h"
#include "companion/core/templatevaluemap.h"
#include "filing/filingrequest.h"
#include "model/requestfields.h"
#include "model/returnrequestfacts.h"

#include <QStringList>

// Puts every field of request that the family's templates carry under the
// key they use for it (an empty field as an empty value, so a template fills
// it empty rather than failing).
void putFilingRequest(const FilingRequest& request, RequestTemplateFamily family, TemplateValueMap& values);
// The keys putFilingRequest fills for family.
QStringList filingRequestKeys(RequestTemplateFamily family);

// What the person's DIRERAD return or T1135 statement request carries, under
// the DIRERAD templates' keys.
void putDireradReturnFacts(const DireradReturnFacts& facts, TemplateValueMap& values);
// What the person's EFILE return request carries, under the EFILE templates' keys.
void putEfileReturnFacts(const EfileReturnFacts& facts, TemplateValueMap& values);
// The originating address the agency asks of a return's request; this
// program always sends "0.0.0.0".
void putOriginatingAddress(RequestTemplateFamily family, TemplateValueMap& values);

enum RequestComposeResult {
    RequestComposed = 0,
    // The document was not found in the generated file, or the head template
    // could not be filled.
    RequestHeadFailed = -1,
    // The tail template could not be filled: the request is unusable.
    RequestTailFailed = -10,
};

// Cuts the document out of xml (isT1: the t1:T1Return element, else the
// t1135:ForeignIncomeVerificationStatement element; any XML declaration and
// text around it are dropped) and composes the DIRERAD request around it.
// problem, when given, receives what failed (the template's missing keys).
int GetDireradRequest(bool isT1, TemplateValueMap& values, const std::string& xml, std::string& request,
                      CString* problem = nullptr);
int ComposeDireradRequest(std::string& request, TemplateValueMap& values, const std::string& document,
                          CString* problem = nullptr);
// The same with the EFILE templates.
int GetEfileRequest(bool isT1, TemplateValueMap& values, const std::string& xml, std::string& request,
                    CString* problem = nullptr);
int ComposeEfileRequest(std::string& request, TemplateValueMap& values, const std::string& document,
                        CString* problem = nullptr);

// The T1013 (isT1013) or T183 pre-authorised debit request: the head filled
// from values, the body as it stands, the tail. Appends to request; 0 or the
// filler's failure.
int GetT1013OrT183PadRequest(bool isT1013, TemplateValueMap& values, CString& body, CString& request);

// The element of the filed document in xml: from its start tag (the name
// followed by a blank, ">" or "/") through its end tag. False when either is
// missing or the end does not follow the start.
bool findFiledDocument(bool isT1, const std::string& xml, std::string& document);
