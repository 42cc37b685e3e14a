#include "companion/ui/urlopener.h"

#include <QDesktopServices>
#include <QUrl>

#include <atomic>

namespace {
std::atomic<UrlOpener*> g_installed{nullptr};
}

UrlOpener::~UrlOpener() = default;

bool UrlOpener::open(const QUrl& url)
{
    if (UrlOpener* installed = g_installed.load())
        return installed->openUrl(url);
    static DesktopUrlOpener desktop;
    return desktop.openUrl(url);
}

UrlOpener* UrlOpener::install(UrlOpener* opener)
{
    return g_installed.exchange(opener);
}

bool DesktopUrlOpener::openUrl(const QUrl& url)
{
    if (!url.isValid())
        return false;
    return QDesktopServices::openUrl(url);
}
