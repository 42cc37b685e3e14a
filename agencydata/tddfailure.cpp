#include "agencydata/tddfailure.h"

#include "agencydata/tddprogress.h"

namespace {

// The error extras that mean something other than a refusal; every other
// value (StageRefused, the agency's own ReturnCodes, ...) is one.
const struct
{
    int extra;
    TddFailure failure;
} kFailureOfExtra[] = {
    {TddExtra::Transport, TddFailure::Unreachable},
    {TddExtra::Exception, TddFailure::Unreachable},
    {TddExtra::PollTransport, TddFailure::Unreachable},
    {TddExtra::PollException, TddFailure::Unreachable},
    {TddExtra::LinkNotOpened, TddFailure::LoginNotCompleted},
    {TddExtra::LoginTimedOut, TddFailure::LoginNotCompleted},
    {TddExtra::PortInUse, TddFailure::LoginNotCompleted},
    {TddExtra::CallbackFailed, TddFailure::LoginNotCompleted},
    {TddExtra::PollNoTokenA, TddFailure::LoginNotCompleted},
    {TddExtra::StageTemplate, TddFailure::Unreadable},
    {TddExtra::PollTemplate, TddFailure::Unreadable},
    {TddExtra::PollUnreadable, TddFailure::Unreadable},
    {TddExtra::PollNoResponse, TddFailure::Unreadable},
    {TddExtra::PollNoReturnCode, TddFailure::Unreadable},
    {TddExtra::PollNoNextToken, TddFailure::Unreadable},
    {TddExtra::NoReplyParser, TddFailure::Unreadable},
    {TddExtra::ParseFailed, TddFailure::Unreadable},
    {TddExtra::OfflineFileUnreadable, TddFailure::Unreadable},
};

} // namespace

TddFailure tddFailureOf(bool errorPosted, int extra, bool loggedIn, bool dataArrived)
{
    if (errorPosted) {
        for (const auto& entry : kFailureOfExtra)
            if (entry.extra == extra)
                return entry.failure;
        return TddFailure::Refused;
    }
    if (dataArrived)
        return TddFailure::NoRecord;
    return loggedIn ? TddFailure::Stopped : TddFailure::LoginNotCompleted;
}

QString tddFailureText(TddFailure failure, int extra, int taxYear)
{
    switch (failure) {
    case TddFailure::Unreachable:
        return QStringLiteral("The CRA data service cannot be reached (code %1): nothing was retrieved. Check the "
                              "Internet connection and try again later.")
            .arg(extra);
    case TddFailure::LoginNotCompleted:
        return QStringLiteral("The CRA login was not completed: nothing was retrieved. Sign in on the CRA page that "
                              "opens in your browser, then come back to the program.");
    case TddFailure::Refused:
        return QStringLiteral("The CRA data service did not deliver the data (code %1): nothing was retrieved. "
                              "Please try later.")
            .arg(extra);
    case TddFailure::Unreadable:
        return QStringLiteral("The reply of the CRA data service cannot be read (code %1): nothing was retrieved. "
                              "Please try later.")
            .arg(extra);
    case TddFailure::NoRecord:
        return QStringLiteral("No record is found at the CRA system for the S.I.N. entered and the tax year %1.")
            .arg(taxYear);
    case TddFailure::Stopped:
        break;
    }
    return QStringLiteral("The retrieval was stopped before any record was stored.");
}
