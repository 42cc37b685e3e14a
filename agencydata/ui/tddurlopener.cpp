#include "agencydata/ui/tddurlopener.h"

#include "companion/ui/urlopener.h"

#include <QUrl>

TddWebService::LinkOpener tddDesktopLinkOpener()
{
    return [](const QUrl& url) { return UrlOpener::open(url); };
}
