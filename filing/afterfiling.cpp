#include "filing/afterfiling.h"

#include "companion/rules/money.h"

#include <cmath>

const char* const kAgencyWebSite = "https://www.canada.ca";

namespace {

struct PagePath
{
    AgencyPage page;
    const char* path;
};

const PagePath kPages[] = {
    {AgencyPage::MyAccount, "/en/revenue-agency/services/e-services/e-services-individuals/account-individuals.html"},
    {AgencyPage::DirectDeposit, "/en/revenue-agency/services/about-canada-revenue-agency-cra/direct-deposit.html"},
    {AgencyPage::PayNow, "/en/revenue-agency/services/make-a-payment-canada-revenue-agency.html"},
    {AgencyPage::ArrangeToPay, "/en/revenue-agency/services/tax/individuals/topics/about-your-tax-return/"
                               "making-payments-individuals/payment-arrangements.html"},
};

// The balance in whole cents, so that 0.01 compares as exactly one cent.
long long cents(double balance)
{
    return std::llround(taxrules::roundCents(balance) * 100.0);
}

} // namespace

QString agencyPageUrl(AgencyPage page)
{
    for (const PagePath& p : kPages)
        if (p.page == page)
            return QLatin1String(kAgencyWebSite) + QLatin1String(p.path);
    return QString();
}

AfterFilingOffer afterFilingOffer(bool emailGiven, double balance)
{
    AfterFilingOffer offer;
    offer.myAccount = emailGiven;
    offer.directDeposit = cents(balance) <= -1;
    offer.payment = cents(balance) >= 1;
    return offer;
}

bool offersAfterFilingPage(bool emailGiven, double balance)
{
    return emailGiven || std::llabs(cents(balance)) >= 2;
}
