#pragma once

#include "companion/forms/formeventcodes.h"

#include <QEvent>

// A custom event of one of the ENUMTYPE_FORMEVENT types.
class MyEvent : public QEvent
{
public:
    explicit MyEvent(int type) : QEvent(static_cast<QEvent::Type>(type)) {}
    ~MyEvent() override;
};

// Asks the page to go to a form of the return (creating it when absent).
class EventForwardEdit : public MyEvent
{
public:
    explicit EventForwardEdit(int formType) : MyEvent(FORMEVENT_FORWARD_EDIT), m_formType(formType) {}
    ~EventForwardEdit() override;

    int formType() const { return m_formType; }

private:
    int m_formType;
};

// Name of the bool property that marks the widget form pages send their
// events to (the open-return page). A page looks for it among its ancestors.
constexpr const char* kFormEventReceiverProperty = "acceptsFormEvents";

// Posts the event (taking ownership) to the nearest ancestor of from that
// accepts form events; false, and the event deleted, when there is none.
bool postFormEvent(QObject* from, MyEvent* event);
