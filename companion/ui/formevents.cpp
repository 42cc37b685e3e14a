#include "companion/ui/formevents.h"

// Out of line, so that the classes' type information has one home and
// dynamic_cast works across the shared library.
MyEvent::~MyEvent() = default;
EventForwardEdit::~EventForwardEdit() = default;
