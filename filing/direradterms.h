#pragma once

#include <string>

class SoapFilingResult;

// Reads the agency's terms reply into r: the message texts each followed by
// CR LF, the link text as the confirmation and the link target as the codes.
// 0, or -1 when the reply was not XML ("response error") or held no terms
// ("unknown response error").
int parseDireradTermSoapResponseResult(const std::string& reply, SoapFilingResult* r);
