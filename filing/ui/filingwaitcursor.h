#pragma once

// Shows the wait cursor while a post to the agency's filing services waits
// on the interface thread. The filing client itself sees no widgets, so the
// window layer installs this once at start-up.
void installFilingWaitCursor();
