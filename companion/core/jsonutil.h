#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

// Holds one parsed JSON reply object and a status, so that the web clients
// can parse a reply and pick its fields without handling Qt's JSON classes.
// Status 0 is success; 99 means the last parse failed or the last key read
// (text, integer or flag) was missing.
class JsonUtil
{
public:
    static constexpr int kOk = 0;
    static constexpr int kError = 99;

    JsonUtil() = default;

    // 99 when the text is no JSON document (object unchanged); otherwise 0,
    // and a JSON object replaces the held one (an array leaves it). A text
    // that the outside-text guard refuses (too large, nested too deep) is not
    // parsed: 99, with the guard's sentence in refusal().
    int parseString(const QString& json);
    int parseBytes(const QByteArray& utf8);

    // 0 with out := the value as text (empty when it is not a string);
    // 99 with out unchanged when the key is missing.
    int getStrParam(const QString& key, QString& out);
    // 0 with out := the value as an integer (0 when it is not a number);
    // 99 with out unchanged when the key is missing.
    int getIntParam(const QString& key, int& out);
    // The value as a flag (false when not a boolean), status unchanged;
    // false and status 99 when the key is missing.
    bool getBoolParam(const QString& key);
    // The value as an array; empty when missing or not an array. The status
    // is not touched.
    QJsonArray getSubArray(const QString& key) const;

    int status() const { return m_status; }
    // Why the last parse refused its text before parsing; empty otherwise.
    const QString& refusal() const { return m_refusal; }
    const QJsonObject& object() const { return m_object; }

private:
    QJsonObject m_object;
    int m_status = kOk;
    QString m_refusal;
};
