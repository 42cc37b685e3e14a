#pragma once

// The result of a filing exchange (T1 return or T1135 statement) whose
// request went out but brought back no usable reply: a time-out, or the
// connection closed after sending. The agency may have filed it, so the
// caller records nothing and tells the user to check before filing again,
// instead of reporting a failure that invites a second filing.
constexpr int FilingOutcomeUnknown = -30;

// The result of a filing exchange whose reply came back but was not XML.
constexpr int FilingReplyNotXml = 1;

// Whether a filing exchange's result leaves the user not knowing if the
// agency has the filing. A reply that is not XML counts as well: something
// answered, and nobody can tell whether the filing reached the agency first.
inline bool isFilingOutcomeUnknown(int exchangeResult)
{
    return exchangeResult == FilingOutcomeUnknown || exchangeResult == FilingReplyNotXml;
}
