#include "model/cpersonalsettings.h"

#include "companion/forms/mydatastream.h"

bool CPersonalSettings::Serialize(MyDataStream& ar)
{
    if (ar.IsStoring()) {
        ar << qint32(1) << qint32(m_side) << qint32(m_kind0) << qint32(m_kind1) << qint32(m_id0) << qint32(m_id1);
        return ar.status() == QDataStream::Ok;
    }
    qint32 blockVersion = 0, side = 0, kind0 = 0, kind1 = 0, id0 = 0, id1 = 0;
    ar >> blockVersion >> side >> kind0 >> kind1 >> id0 >> id1;
    if (ar.status() != QDataStream::Ok)
        return false;
    m_side = side;
    m_kind0 = kind0;
    m_kind1 = kind1;
    m_id0 = id0;
    m_id1 = id1;
    return true;
}
