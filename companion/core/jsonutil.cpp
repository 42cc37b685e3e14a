#include "companion/core/jsonutil.h"

#include "companion/core/outsidexml.h"

#include <QJsonDocument>
#include <QJsonValue>

int JsonUtil::parseString(const QString& json)
{
    return parseBytes(json.toUtf8());
}

int JsonUtil::parseBytes(const QByteArray& utf8)
{
    const OutsideXmlCheck check = checkOutsideJson(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    m_refusal = check.message;
    if (!check.accepted) {
        m_status = kError;
        return m_status;
    }
    const QJsonDocument doc = QJsonDocument::fromJson(utf8);
    if (doc.isNull()) {
        m_status = kError;
        return m_status;
    }
    m_status = kOk;
    if (doc.isObject())
        m_object = doc.object();
    return m_status;
}

int JsonUtil::getStrParam(const QString& key, QString& out)
{
    if (!m_object.contains(key)) {
        m_status = kError;
        return m_status;
    }
    out = m_object.value(key).toString();
    m_status = kOk;
    return m_status;
}

int JsonUtil::getIntParam(const QString& key, int& out)
{
    if (!m_object.contains(key)) {
        m_status = kError;
        return m_status;
    }
    out = m_object.value(key).toInt();
    m_status = kOk;
    return m_status;
}

bool JsonUtil::getBoolParam(const QString& key)
{
    if (!m_object.contains(key)) {
        m_status = kError;
        return false;
    }
    return m_object.value(key).toBool();
}

QJsonArray JsonUtil::getSubArray(const QString& key) const
{
    return m_object.value(key).toArray();
}
