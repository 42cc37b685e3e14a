#pragma once

#include <QString>
#include <list>
#include <map>
#include <optional>
#include <vector>

#include "companion/core/cstring.h"

// Test-only settings of the provincial plug-in. Only the test plug-ins
// (lib/testplugins/steerable) read them, from the side file that the
// environment variable VODAREVIVO_PROVINCE_TESTFILE names; nothing is read
// when it is not set, and the plug-in then behaves as shipped. The shipped
// plug-ins in lib/plugins are built without the reader (provincialtestconfig.cpp)
// and always take the shipped defaults, whatever the environment says.
//
// One "key=value" per line; '#' starts a comment. A key may be prefixed with
// a province number and a dot ("9.validate=...") to apply to that province
// only. Keys (repeatable ones add an entry each time):
//     validate=TEXT        a validation message (repeatable)
//     coupled=TEXT         a message between spouses (repeatable)
//     prefiling=TEXT       a question before filing (repeatable)
//     threshold=AMOUNT     an income threshold (repeatable); given, the list
//                          replaces the province's own thresholds
//     related=FED:PROV     FindRelatedForm1(FED) answers PROV (repeatable); given,
//                          the list replaces the province's own relations
//     form=TYPE            the plug-in makes forms of this type (repeatable); given,
//                          the list replaces the province's own forms
//     tax=AMOUNT           provincial tax the calculation assigns in place of
//                          the computed one
//     credits=AMOUNT       provincial credits the calculation assigns in place
//                          of the computed ones
//     eligible=N           IsEligibleForElectronicFile's answer (default 1: never filed)
//     interviewData=0|1    whether the plug-in offers interview data (default 1)
// The file is bounded (64 KiB, 200 entries per list); lines beyond that and
// values that do not parse are ignored.
struct ProvincialTestConfig
{
    std::list<CString> validateMessages;
    std::list<CString> coupledMessages;
    std::list<CString> preFilingMessages;
    std::list<double> thresholds;
    std::map<int, int> relatedForms;
    std::vector<int> formTypes;
    std::optional<double> tax;
    std::optional<double> credits;
    int eligibleAnswer = 1;
    bool offersInterviewData = true;

    static constexpr const char* kEnvironmentVariable = "VODAREVIVO_PROVINCE_TESTFILE";
    static constexpr qint64 kMaxFileBytes = 64 * 1024;
    static constexpr size_t kMaxEntries = 200;

    // The settings for one province: from the side file in a test plug-in,
    // the shipped defaults in a shipped one (provincialshippedconfig.cpp).
    static ProvincialTestConfig load(int province);
    // The same from a file's text (test plug-ins only).
    static ProvincialTestConfig parse(const QString& text, int province);
};
