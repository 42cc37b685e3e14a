#pragma once

class QWidget;
struct FilingExchangeSettings;

// The terms step before a DIRERAD or T1135 filing: fetches the agency's
// terms and asks the user's consent. 0 agreed (dialogResult 1), 10 declined
// (dialogResult 2); otherwise the exchange's failure, told to the user, and
// dialogResult is left as it was.
int DireradSOAP_request1(int& dialogResult, bool isReFile, QWidget* parent, const FilingExchangeSettings& settings);
