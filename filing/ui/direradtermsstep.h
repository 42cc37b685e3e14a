#pragma once

class QWidget;
class SoapFilingResult;
struct FilingExchangeSettings;

// Shows terms, the agency's terms as fetched, in the terms dialog; true when
// the user agreed.
bool askFilingTerms(const SoapFilingResult& terms, bool isReFile, QWidget* parent);

// The terms step before a DIRERAD or T1135 filing: fetches the agency's
// terms and asks the user's consent. 0 agreed (dialogResult 1), 10 declined
// (dialogResult 2); otherwise the exchange's failure, told to the user, and
// dialogResult is left as it was.
int DireradSOAP_request1(int& dialogResult, bool isReFile, QWidget* parent, const FilingExchangeSettings& settings);
