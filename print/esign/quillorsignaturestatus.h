#pragma once

#include "companion/forms/taxtypes.h"
#include "print/esign/quillorclient.h"

#include <QDateTime>
#include <QString>

#include <functional>

// Asks the e-signature service how the signing request of the T183 (form 96)
// or the RC71 (form 53) of the open return's current person stands, and
// tells the user. A completed signature writes its time, in local time, and
// the signed flag into the T183; the RC71 keeps no time. The request id is
// the one the form carries; the query never changes it.
class QuillorSignatureStatus
{
public:
    struct Outcome
    {
        bool asked = false;      // the status request was posted
        QString shown;           // the message shown at the end, empty when none
        bool t183Signed = false; // the T183 received a signed time and flag
    };

    // A signature read back is announced by the return (its filing status),
    // so that whoever shows the form shows it.
    explicit QuillorSignatureStatus(QuillorClient& client) : m_client(client) {}

    // Forms other than 96 and 53 carry no request: nothing happens.
    Outcome query(ENUMTYPE_FORM form);

    // The request id as one path segment: its blanks trimmed and every
    // character that could end or climb out of the segment percent-encoded;
    // empty when nothing usable remains.
    static QString requestIdSegment(const QString& requestId);
    // The service's completion time (ISO 8601, UTC unless it names an
    // offset) as a moment; invalid unless the text is a whole date-time.
    static QDateTime completionTime(const QString& text);
    // The form's field text of a local time: "yyyy-MM-dd hh:mm:ss".
    static QString signedTimeText(const QDateTime& local);

private:
    QuillorClient& m_client;
};
