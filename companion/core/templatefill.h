#pragma once

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
// - A "$$(" with no ")" on the same line is an error (TemplateMalformed).
// On success the filled text is appended to out (UTF-8) and 0 is returned.
// flags is accepted for the callers' sake and does not change the filling.
enum TemplateFillResult {
    TemplateFilled = 0,
    TemplateMissingValue = 1,
    TemplateMalformed = 2,
    TemplateNotLoaded = -1,
};

// The template is read from a file or a compiled-in resource (":/...").
int processTemplatePartInString(std::string& out, const CString& templatePath,
                                const TemplateValueMap& values, int flags,
                                std::vector<std::string>* missing = nullptr);
int processTemplatePartInString(CString& out, const CString& templatePath,
                                const TemplateValueMap& values, int flags,
                                std::vector<std::string>* missing = nullptr);
int processTemplatePart(std::string& out, const char* templatePath, const TemplateValueMap& values,
                        int flags, std::vector<std::string>* missing = nullptr);

// The same over a template held in memory.
int fillTemplateText(std::string& out, const std::string& templateText, const TemplateValueMap& values,
                     int flags = 0, std::vector<std::string>* missing = nullptr);
