#pragma once

// The T1135 statement of one person as the agency's XML document
// (t1135:ForeignIncomeVerificationStatement): the opening part with the
// software identification, the statement's own body (its form class fills
// the middle templates), and the closing part.

#include "companion/core/cstring.h"
#include "companion/core/templatevaluemap.h"

class CFamilyTaxData;
class IndividualTaxData;

enum T1135StatementResult {
    T1135StatementBuilt = 0,
    // The person has no T1135 statement: xml is left as it was.
    T1135StatementNoForm = -100,
};

// The statement revision date the agency registered for this program's
// T1135 documents; it is fixed apart from the return's own revision date.
extern const char* const kT1135RevisionDate;

// Appends the current person's statement to xml: 0, T1135StatementNoForm, or
// the first failure of a part (the filler's result, or the form's). On a
// failure xml holds what the parts before it appended; discard it.
int getT1135XMLContent(CFamilyTaxData& family, CString& xml);
int getT1135XMLContent(IndividualTaxData& person, CString& xml);

// The opening part ("swcode": the DIRERAD software code and "M";
// "swrevdate") and the closing part, each appended to xml; the filler's
// result.
int getT1135XMLPart1(CString& xml, TemplateValueMap& values);
int getT1135XMLPartEnd(CString& xml, TemplateValueMap& values);
