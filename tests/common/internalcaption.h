#pragma once

#include <QRegularExpression>

// What a caption a user reads must never look like: an internal field name,
// a numbered placeholder or a bare form, interview or slip number.
inline const QRegularExpression& internalCaption()
{
    static const QRegularExpression re(
        QStringLiteral("Supporting|Further answer|field [0-9]|Form [0-9]|Interview [0-9]|Slip [0-9]"));
    return re;
}
