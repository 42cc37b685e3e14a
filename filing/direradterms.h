#pragma once

#include <QString>

#include <string>

class SoapFilingResult;

// Reads the agency's terms reply into r: the message texts each followed by
// CR LF, the link text as the confirmation and the link target as the codes.
// 0, or -1 when the reply was not XML ("response error") or held no terms
// ("unknown response error").
int parseDireradTermSoapResponseResult(const std::string& reply, SoapFilingResult* r);

struct FilingExchangeSettings;

// Fetches the terms into r and traces the exchange in the result file.
// 0 received; -9 the request could not be composed; -50 no reply (nothing is
// filed by this request, so every transport failure counts alike); 51 the
// reply held no terms. When the terms did not come, cause (if given) gets
// what failed in its own words: the network's for a transport failure.
int DireradSOAP_request1_internal(SoapFilingResult* r, bool isReFile, const FilingExchangeSettings& settings,
                                  QString* cause = nullptr);
