#pragma once

#include "filing/direradsubmission.h"

#include "companion/core/cstring.h"
#include "model/featurecontext.h"

#include <QString>

#include <functional>

// The submission as the road hands it to the submission dialog.
struct DireradSubmissionRequest
{
    CFamilyTaxData* family = nullptr;
    int isReFile = 0;
    CString* xml = nullptr; // the electronic return, kept by the road
    CString status;         // the return-status line
    CString name;           // the person's full name
    QWidget* parent = nullptr;
    DireradSubmissionSettings settings;
};

struct DireradSubmissionResult
{
    DireradOutcome outcome = DireradOutcome::NotSent;
    CString confirmation;
    CString agencyMessage;
};

// The windows of the road that are more than a message: the filing
// subsystem's ui part installs them, so the road itself sees no widgets.
class DireradRoadDialogs
{
public:
    // Answers of the online-mail sign-up page.
    enum : int { SignupCancelled = -1, SignMeUp = 0, NotNow = 1 };

    virtual ~DireradRoadDialogs() = default;
    virtual int askOnlineMailSignup(QWidget* parent) = 0;
    // Runs the submission dialog to its end.
    virtual DireradSubmissionResult submit(const DireradSubmissionRequest& request) = 0;
};

// What the road needs of the program and the open page, beyond the feature
// context. The window layer fills it.
struct DireradRoadEnvironment
{
    DireradSubmissionSettings submission; // its exchange.testMode is the program's test mode
    QString runFolder;
    bool noWarningMsg = false;
    QString appTitle;
    std::function<int()> validateReturn; // errors found (the page has shown them)
    // The taxpayer's row in the program's database, made when missing: its
    // id, or 0 or less when there is none.
    std::function<int(const CString& sin, const CString& name)> findTaxpayer;
    std::function<bool(int uid, int eventId, const CString& text)> saveHistoryEvent;
    std::function<void(const QString& line)> runLog;
};

// The first day the agency takes returns of the season.
extern const char* const kFilingSeasonStart; // "2025-02-24"

// The DIRERAD filing of the current person of the open return, from the
// season check to the filing status kept in the return.
class DireradRoad
{
public:
    DireradRoad(FeatureContext context, DireradRoadEnvironment environment, DireradRoadDialogs& dialogs);
    void run();

private:
    bool seasonOpen();
    bool eligible(int isReFile);
    bool notFiledAlreadyOrAgreed(int isReFile);
    bool offerSignupAndMultiYear();
    void tell(const QString& text);
    void recordOutcome(const DireradSubmissionResult& result, int uid);

    FeatureContext m_context;
    DireradRoadEnvironment m_env;
    DireradRoadDialogs& m_dialogs;
    CFamilyTaxData* m_family;
};
