#pragma once

#include <QString>

#include "companion/core/cstring.h"
#include "companion/core/templatevaluemap.h"

#include <string>
#include <vector>

// Fills "$$(name)" placeholders of a template from a TemplateValueMap.
//
// - Each placeholder takes the value of its name; plain values are
//   XML-escaped, fragments (TemplateValueMap::setFragment) go in unescaped.
// - A name ending in "0" is optional: its value is looked up under the name
//   itself, then under the name without the "0"; when neither is present the
//   whole template line holding it (with its line end) is left out.
// - Any other placeholder without a value is an error: nothing is appended,
//   the result is TemplateMissingValue and the names go to *missing.
// - A block marker ("$$(esigned_needed0)", "$$(rc71_needed0)") stands on the
//   line of a wrapper's opening tag and again on the line of its closing tag.
//   With its key given (a single space) both lines are kept; without it
//   every line from the first marker through the second is left out, so a
//   wrapper is never sent half.
// - A "$$(" with no ")" on the same line, or a block marker that is never
//   closed, is an error (TemplateMalformed).
// On success the filled text is appended to out (UTF-8) and 0 is returned.
enum TemplateFillResult {
    TemplateFilled = 0,
    TemplateMissingValue = 1,
    TemplateMalformed = 2,
    TemplateNotLoaded = -1,
};

// What the caller fills; the filling itself is the same for every flag, so
// no caller can let a value through unescaped by its choice of flag.
enum TemplateFillFlags {
    // A request or page that is not an electronic document: the Auto-fill
    // requests and the local callback server's reply page (HTML).
    TemplateRequestOrPage = 0,
    // A SOAP request part, or an inner or closing part of an electronic
    // document (deceased, bankruptcy, end parts).
    TemplateRequestPart = 1,
    // The opening part of an electronic document: the return (npart1,
    // epart1) or the T1135 statement, and the T1135's closing part.
    TemplateDocumentOpening = 64,
};

// The block markers: placeholders that bracket a wrapper whose children are
// all optional.
bool isTemplateBlockMarker(const std::string& placeholderName);

// The template is read from a file or a compiled-in resource (":/...").
int processTemplatePartInString(std::string& out, const CString& templatePath,
                                const TemplateValueMap& values, int flags,
                                std::vector<std::string>* missing = nullptr);
int processTemplatePartInString(CString& out, const CString& templatePath,
                                const TemplateValueMap& values, int flags,
                                std::vector<std::string>* missing = nullptr);
int processTemplatePart(std::string& out, const char* templatePath, const TemplateValueMap& values,
                        int flags, std::vector<std::string>* missing = nullptr);

// Why a fill failed, for the user: "has no value for a, b.", "could not be
// read." or "is malformed.", to follow the name of the template.
QString describeTemplateFailure(int result, const std::vector<std::string>& missing);

// The same over a template held in memory.
int fillTemplateText(std::string& out, const std::string& templateText, const TemplateValueMap& values,
                     int flags = 0, std::vector<std::string>* missing = nullptr);
