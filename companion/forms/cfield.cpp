#include "companion/forms/cfield.h"

#include "companion/forms/fieldowner.h"
#include "companion/forms/mydatastream.h"

#include <cstring>

CField::CField(FieldKind kind, int attribute) : m_kind(kind), m_attribute(attribute) {}

QString CField::name() const
{
    return m_ownName ? *m_ownName : QString::fromUtf8(m_name);
}

bool CField::hasName(const QString& name) const
{
    // Built-in names are plain ASCII identifiers.
    return m_ownName ? *m_ownName == name : name == QLatin1String(m_name);
}

bool CField::hasName(QLatin1String name) const
{
    if (m_ownName)
        return *m_ownName == name;
    return std::strncmp(m_name, name.data(), size_t(name.size())) == 0 && m_name[name.size()] == '\0';
}

void CField::computedFlagChanges()
{
    if (m_owner)
        m_owner->forgetFieldGroups();
}

void CField::dropOwnName()
{
    delete m_ownName;
    m_ownName = nullptr;
}

void CField::setName(const QString& name)
{
    if (m_ownName)
        *m_ownName = name;
    else
        m_ownName = new QString(name);
    if (m_owner)
        m_owner->forgetFieldIndex();
}

QList<QPair<int, QString>> CField::choices() const
{
    QList<QPair<int, QString>> out;
    if (!*m_choices)
        return out;
    const QStringList entries = QString::fromUtf8(m_choices).split(QLatin1Char('|'));
    for (const QString& entry : entries) {
        const int colon = entry.indexOf(QLatin1Char(':'));
        bool ok = false;
        const int value = entry.left(colon).trimmed().toInt(&ok);
        if (colon > 0 && ok)
            out.append(qMakePair(value, entry.mid(colon + 1).trimmed()));
    }
    return out;
}

int CField::lineCode() const
{
    int code = 0;
    const char* c = m_line;
    if (!c || !*c)
        return 0;
    for (; *c; ++c) {
        if (*c < '0' || *c > '9' || code > 9999999)
            return 0;
        code = code * 10 + (*c - '0');
    }
    return code;
}

bool CField::decodeValue(const char* bytes, quint32 size, unsigned fileVersion)
{
    QByteArray value = QByteArray::fromRawData(bytes, int(size));
    MyDataStream in(&value, QIODevice::ReadOnly);
    return readValue(in, size, fileVersion);
}
