#pragma once

#include "companion/core/cstring.h"

class QSqlDatabase;

// Event numbers written to the history (tb_history.eventid).
enum ENUMTYPE_HISTORYEVENT {
    HISTORY_FILING_STATUS = 1018, // the return's status line, before a submission
    HISTORY_FILING_RESULT = 1019, // the agency's message of an accepted submission
};

// The history events and the taxpayers of the application database. Every
// operation takes the connection to use; nothing here logs, since the rows
// hold social insurance numbers.
class CBasicEvent
{
public:
    enum : int { DbFailed = -100 };

    virtual ~CBasicEvent() = default;

    // Adds an event and returns its row id, or DbFailed. With replace, the
    // taxpayer's earlier rows of the event are deleted in the same
    // transaction; an event not tied to a taxpayer (uid 0) replaces nothing,
    // so it can never clear other taxpayers' events. A negative uid (a failed
    // taxpayer lookup) writes nothing. With encoded, the text is stored
    // Base64-encoded (UTF-8); withTime stores the local time, else NULL.
    static int saveUniqueEvent(QSqlDatabase& db, int uid, int eventId, const CString& msg,
                               bool encoded, bool withTime, bool replace);

    // Finds the taxpayer with this S.I.N. (the newest row when there are
    // several) and refreshes the name, phone and e-mail that are given (empty
    // texts keep what is stored), or adds a taxpayer. S.I.N.s are compared
    // without the blanks and dashes they may be written with (normaliseSIN),
    // and a new taxpayer is stored in that form. Returns the taxpayer's id,
    // 0 for an empty S.I.N. (nothing is written), or DbFailed.
    static int findUserIDAndUpdateUser(QSqlDatabase& db, const CString& sin, const CString& name,
                                       const CString& phone, const CString& email);

    // The taxpayer's id for this S.I.N., 0 when there is none, or DbFailed.
    static int findUserID(QSqlDatabase& db, const CString& sin);
};
