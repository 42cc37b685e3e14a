#pragma once

#include "companion/forms/taxtypes.h"
#include "print/esign/quillorclient.h"

#include <QString>

// One filing's outcome recorded with the e-signature service, so that the
// preparer can find the filing records there later. It runs silently: the
// caller (the filing dialog that has just heard the agency) gets a code.
class QuillorFilingRecord
{
public:
    enum Result {
        Sent = 0,          // recorded, or the filing report is off (nothing sent)
        NoAccount = -1,    // the account is not set; the user was told
        Refused = -99,     // an error status, or a body that is not a JSON object
        NoReply = -100,
    };

    QuillorFilingRecord(QuillorClient& client, QuillorRunLog runLog)
        : m_client(client), m_runLog(std::move(runLog)) {}

    // The code the service files the record under.
    static QString formCode(ENUMTYPE_FORM form);

    // The current person's T1 gives the S.I.N. (sent masked), name and
    // telephone.
    int send(ENUMTYPE_FORM form, bool accepted, const QString& confirmation, const QString& filingMessage);

private:
    QuillorClient& m_client;
    QuillorRunLog m_runLog;
};
