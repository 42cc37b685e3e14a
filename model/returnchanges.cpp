#include "model/returnchanges.h"

void ReturnChangeNotifier::noteCalculated()
{
    m_pending.calculated = true;
    announceIfFree();
}

void ReturnChangeNotifier::noteItemsChanged(int person, int kind)
{
    const std::pair<int, int> change{person, kind};
    if (!m_pending.items.contains(change))
        m_pending.items.append(change);
    announceIfFree();
}

void ReturnChangeNotifier::noteFilingStatusChanged(int formType)
{
    if (!m_pending.filing.contains(formType))
        m_pending.filing.append(formType);
    announceIfFree();
}

void ReturnChangeNotifier::notePersonSwitched(int person)
{
    m_pending.switched = true;
    m_pending.person = person;
    announceIfFree();
}

void ReturnChangeNotifier::release()
{
    if (m_depth > 0)
        --m_depth;
    announceIfFree();
}

void ReturnChangeNotifier::announceIfFree()
{
    if (m_depth > 0 || m_announcing)
        return;
    // A listener may change the return again: what it changes is announced
    // after every listener heard this announcement, never in the middle of it.
    m_announcing = true;
    while (!m_pending.empty() && m_depth == 0) {
        const Pending done = std::exchange(m_pending, Pending());
        if (done.switched)
            emit personSwitched(done.person);
        for (const auto& [person, kind] : done.items)
            emit itemsChanged(person, kind);
        for (int formType : done.filing)
            emit filingStatusChanged(formType);
        if (done.calculated)
            emit calculated();
    }
    m_announcing = false;
}
