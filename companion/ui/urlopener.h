#pragma once

class QUrl;

// Opens web pages and local files in the desktop's viewer. Everything that
// opens a link goes through here, so tests can capture the address instead
// of launching a browser.
class UrlOpener
{
public:
    virtual ~UrlOpener();

    // Opens the address with the installed opener, or the desktop's when none
    // is installed. Returns whether it could be handed over.
    static bool open(const QUrl& url);
    // Installs an opener (not owned; nullptr goes back to the desktop's) and
    // returns the one installed before.
    static UrlOpener* install(UrlOpener* opener);

    virtual bool openUrl(const QUrl& url) = 0;
};

// The desktop's viewer (QDesktopServices).
class DesktopUrlOpener : public UrlOpener
{
public:
    bool openUrl(const QUrl& url) override;
};
