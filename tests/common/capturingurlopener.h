#pragma once

#include "companion/ui/urlopener.h"

#include <QList>
#include <QUrl>

// Installs itself for as long as it lives and keeps every address the
// program asked to open, instead of starting a browser.
class CapturingUrlOpener : public UrlOpener
{
public:
    CapturingUrlOpener() : m_previous(UrlOpener::install(this)) {}
    ~CapturingUrlOpener() override { UrlOpener::install(m_previous); }
    CapturingUrlOpener(const CapturingUrlOpener&) = delete;
    CapturingUrlOpener& operator=(const CapturingUrlOpener&) = delete;

    bool openUrl(const QUrl& url) override
    {
        urls << url;
        return true;
    }

    QList<QUrl> urls;

private:
    UrlOpener* m_previous;
};
