#pragma once

// Shows the wait cursor while a post to the agency's filing services waits
// on the interface thread. The filing client itself sees no widgets, so the
// window layer installs this once at start-up.
void installFilingWaitCursor();

// The wait cursor for as long as it lives, around a filing step that blocks
// the interface thread (the exchange, the filing record).
class FilingWaitCursor
{
public:
    FilingWaitCursor();
    ~FilingWaitCursor();
    FilingWaitCursor(const FilingWaitCursor&) = delete;
    FilingWaitCursor& operator=(const FilingWaitCursor&) = delete;
};
