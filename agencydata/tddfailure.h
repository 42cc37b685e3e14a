#pragma once

#include <QString>

// Why a session stored no record, told in words the user can act on: a
// service that cannot be reached is not a login left unfinished, and neither
// is an answer that holds nothing for the S.I.N. asked.
enum class TddFailure {
    Unreachable,       // no HTTP reply from the data service
    LoginNotCompleted, // the login page was not completed (or the link not opened)
    Refused,           // the service answered, but refused or never delivered
    Unreadable,        // the service's reply could not be read
    NoRecord,          // the data arrived and held no record for the S.I.N. and year
    Stopped,           // the user stopped the session after the login
};

// What a session's end tells: errorPosted and extra are the last error code
// (TddCode::Error) and its extra value, loggedIn whether the login's
// callback was accepted, dataArrived whether the reply was read and stored.
TddFailure tddFailureOf(bool errorPosted, int extra, bool loggedIn, bool dataArrived);

QString tddFailureText(TddFailure failure, int extra, int taxYear);
