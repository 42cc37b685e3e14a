#include "model/cpersonalsettings.h"

void CPersonalSettings::init()
{
    m_side = m_kind0 = m_kind1 = m_id0 = m_id1 = 0;
}

void CPersonalSettings::setCurrentForm(int side, int kind, int id)
{
    m_side = side;
    if (side == 0) {
        m_kind0 = kind;
        m_id0 = id;
    } else {
        m_kind1 = kind;
        m_id1 = id;
    }
}

void CPersonalSettings::getCurrentForm(int& side, int& kind, int& id) const
{
    side = m_side;
    getCurrentFormForSide(m_side, kind, id);
}

void CPersonalSettings::getCurrentFormForSide(int side, int& kind, int& id) const
{
    kind = side == 0 ? m_kind0 : m_kind1;
    id = side == 0 ? m_id0 : m_id1;
}
