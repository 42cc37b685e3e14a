#include "companion/ui/formevents.h"

#include <QCoreApplication>
#include <QVariant>

// Out of line, so that the classes' type information has one home and
// dynamic_cast works across the shared library.
MyEvent::~MyEvent() = default;
EventForwardEdit::~EventForwardEdit() = default;

bool postFormEvent(QObject* from, MyEvent* event)
{
    for (QObject* o = from; o; o = o->parent()) {
        if (o->property(kFormEventReceiverProperty).toBool()) {
            // Posted, not sent: the receiver may rebuild the pages, this
            // one included.
            QCoreApplication::postEvent(o, event);
            return true;
        }
    }
    delete event;
    return false;
}
