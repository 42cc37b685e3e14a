#pragma once

// Progress codes a session posts, with an extra value, to whatever shows it.
namespace TddCode {
enum : int {
    StageBuilding = 5,
    StageReplied = 10,
    TokenCAccepted = 15,
    LinkOpening = 20,
    CallbackArrived = 25,
    CallbackPathFound = 30,
    TokenAAccepted = 40,
    PollSending1 = 50, PollReplied1 = 55, PollWaited1 = 56,
    PollSending2 = 60, PollReplied2 = 65, PollWaited2 = 66,
    PollSending3 = 70, PollReplied3 = 75, PollWaited3 = 76,
    Saved = 99,   // extra: saved count + 1000
    Error = 1000, // extra: one of TddExtra, or the agency's ReturnCode
};
}

// The extra values of code 1000. Each way a step can end has its own, so the
// user sees a code for every end and no session waits for a code that never
// comes; the log says the same in words.
namespace TddExtra {
enum : int {
    // The stage step.
    StageTemplate = -10,        // the stage request could not be built
    Transport = -20,            // no HTTP reply (connection, TLS, time-out)
    Exception = -99,            // the request could not even be sent
    StageRefused = 100,         // ReturnCode other than 0, a fault, an unreadable
                                // reply, or ReturnCode 0 without a tokenC
    // The login link.
    LinkWithoutTokenC = -41,    // no tokenC to put in the link
    LinkNotOpened = -42,        // the desktop did not open the link
    // The data polling.
    PollTemplate = -31,         // the data request could not be built
    PollTransport = -32,        // no HTTP reply to a data request
    PollException = -33,        // a data request could not be sent
    PollReturnCode10 = -34,     // the agency's ReturnCode 10
    PollNeverReady = -35,       // three "not ready" replies
    PollUnreadable = -36,       // a data reply that is not XML
    PollNoResponse = -37,       // a fault, or no response element
    PollNoReturnCode = -38,     // an empty or non-numeric ReturnCode
    PollNoNextToken = -43,      // "not ready" without a usable next token
    PollNoTokenA = -44,         // polling started without an accepted tokenA
    NoReplyParser = -39,        // data ready, but nothing here reads it
    ParseFailed = -40,          // the reply parser refused the data
    // The session.
    CallbackFailed = 0,         // the callback server failed on a request
    PortInUse = -45,            // the callback port could not be bound
    LoginTimedOut = -46,        // no callback within the login wait
    OfflineFileUnreadable = -47, // the offline reply file could not be read
};
}
