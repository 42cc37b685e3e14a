#pragma once

#include <QString>

// The agency's online services offered after an accepted DIRERAD filing.

// The agency's web site, host of the pages below.
extern const char* const kAgencyWebSite;

enum class AgencyPage { MyAccount, DirectDeposit, PayNow, ArrangeToPay };
// The page's full address on the agency's web site.
QString agencyPageUrl(AgencyPage page);

struct AfterFilingOffer
{
    bool myAccount = false;     // an e-mail address went with the return
    bool directDeposit = false; // the return ends in a refund
    bool payment = false;       // the return ends in a balance owing
};

// balance: positive when the taxpayer owes, negative for a refund, in
// dollars. A balance under a cent either way is neither.
AfterFilingOffer afterFilingOffer(bool emailGiven, double balance);
// Whether the page is worth showing: an e-mail address, or a balance of
// more than a cent either way.
bool offersAfterFilingPage(bool emailGiven, double balance);
