#include "filing/direradroad.h"

#include "filing/GenerateElectronicFile.h"
#include "filing/efileeligibilitycheck.h"

#include "companion/core/filemodes.h"
#include "companion/core/messages.h"
#include "companion/core/prompter.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/forms/taxtypes.h"
#include "model/cfamilytaxdata.h"
#include "model/individualtaxdata.h"

#include <QCoreApplication>
#include <QFile>

#include <list>

const char* const kFilingSeasonStart = "2025-02-24";

namespace {

const char* const kSeasonHelpPage = "https://www.vodarevivo.example/help/filing-season.html";
const int kHistoryFilingStatus = 1018;
const int kHistoryFilingResult = 1019;
const int kFiled = 1;
const int kReFiled = 3;

QString tr(const char* text)
{
    return QCoreApplication::translate("DireradRoad", text);
}

// Removes the test-mode copy of the electronic return, which holds the
// whole return with the S.I.N., on every way out of the road.
class TestCopy
{
public:
    ~TestCopy()
    {
        if (!m_path.isEmpty())
            QFile::remove(m_path);
    }
    bool write(const QString& path, const CString& xml)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        m_path = path;
        keepToOwner(file);
        return file.write(xml.toUtf8()) >= 0;
    }

private:
    QString m_path;
};

} // namespace

DireradRoad::DireradRoad(FeatureContext context, DireradRoadEnvironment environment, DireradRoadDialogs& dialogs)
    : m_context(std::move(context)), m_env(std::move(environment)), m_dialogs(dialogs), m_family(m_context.family)
{
}

void DireradRoad::tell(const QString& text)
{
    gMsgInformation(m_context.edition, text, nullptr);
}

bool DireradRoad::seasonOpen()
{
    if (m_env.submission.exchange.testMode)
        return true;
    const QDate start = QDate::fromString(QLatin1String(kFilingSeasonStart), QStringLiteral("yyyy-MM-dd"));
    if (m_context.currentTime().date() >= start)
        return true;
    PromptContent content;
    content.kind = PromptKind::MessageWithLink;
    content.title = QStringLiteral("voDarevivo 2024");
    content.setLine(1, tr("CRA DirErad/EFile for new tax season starts on (%1). Please try again when this day "
                          "arrives.")
                           .arg(QLatin1String(kFilingSeasonStart)));
    content.setLine(2, tr("Please refer the following URL:"));
    content.link = QLatin1String(kSeasonHelpPage);
    QString unused;
    m_context.prompterToUse().prompt(m_context.dialogParent, content, unused);
    return false;
}

bool DireradRoad::eligible(int isReFile)
{
    // The ReFILE and online-filing refusals, and first what a test run
    // leaves out of the return (the direct deposit form).
    if (!checkOnlineFilingEligibility(m_context, m_context.edition, isReFile != 0))
        return false;
    if (m_env.validateReturn && m_env.validateReturn() > 0)
        return false;
    std::list<CString> messages;
    if (isReFile && (m_family->DoSurveyBeforeReFile(messages), !messages.empty())) {
        tell(messages.front());
        return false;
    }
    return true;
}

bool DireradRoad::notFiledAlreadyOrAgreed(int isReFile)
{
    if (isReFile)
        return true;
    IndividualTaxData* person = m_family->getCurIndvTaxData();
    const TaxData_T1New* t1 = person ? person->GetT1() : nullptr;
    if (!t1 || (t1->FilingStatus.m_value != kFiled && t1->FilingStatus.m_value != kReFiled))
        return true;
    // Filing an accepted return again is rarely meant: the agency would
    // take it as a second return.
    return gMsgChoice(m_context.edition,
                      tr("CRA has already accepted this return (confirmation %1). Do you want to file it again?")
                          .arg(t1->FilingResultText.m_value),
                      tr("File it again"), tr("Don't file"), nullptr);
}

bool DireradRoad::offerSignupAndMultiYear()
{
    int hasEmail = 0;
    m_family->getFedAmountClaimed(10, hasEmail);
    if (hasEmail == 0) {
        const int choice = m_dialogs.askOnlineMailSignup(m_context.dialogParent);
        if (choice == DireradRoadDialogs::SignupCancelled)
            return false;
        if (choice == DireradRoadDialogs::SignMeUp) {
            tell(tr("Please enter your email on page 1 of T1, Identification area, then do DirErad again."));
            return false;
        }
    }
    const QString question =
        tr("<h3>DirErad accepts the current year (%1) and up to six prior-year returns. If you intend to file more "
           "than one of these returns today or within next two days, click 'Yes' button on every return you "
           "file.</h3><br><br>In order to accurately assess tax returns, please file your return in order, oldest "
           "return first.<br><br>Click 'No' button if you only file this year's return.")
            .arg(QStringLiteral("2024"));
    if (gMsgQuestion(m_context.edition, question, nullptr) == Prompt::Yes)
        m_family->setFedAmount(3, 1, 0.0);
    return true;
}

void DireradRoad::recordOutcome(const DireradSubmissionResult& result, int uid)
{
    switch (result.outcome) {
    case DireradOutcome::Accepted:
        m_family->updateFilingStatus(FORM_T1, 1, result.confirmation);
        if (!m_context.saveReturn || !m_context.saveReturn()) {
            tell(tr("CRA accepted the return (confirmation %1), but the return file could not be saved. Please "
                    "save the return, under another name or in another folder if need be, so that the filing "
                    "status is kept.")
                     .arg(result.confirmation));
        }
        if (uid > 0 && m_env.saveHistoryEvent)
            m_env.saveHistoryEvent(uid, kHistoryFilingResult, result.agencyMessage);
        break;
    case DireradOutcome::Refused:
        // A failed attempt; an earlier acceptance and its confirmation stay.
        m_family->updateFilingStatus(FORM_T1, -1, CString());
        break;
    case DireradOutcome::NotSent:
    case DireradOutcome::OutcomeUnknown:
        // Nothing the agency decided: the return's status stays as it was.
        break;
    }
}

void DireradRoad::run()
{
    if (!m_family)
        return;
    if (!m_env.submission.exchange.direradHostConfigured()) {
        tell(tr("The agency's filing host is not configured: set DIRERADSERVER in gr_path.ini."));
        return;
    }
    int isReFile = 0;
    m_family->getFedAmountClaimed(2, isReFile);
    if (!seasonOpen())
        return;
    if (!eligible(isReFile))
        return;
    CString sin, name;
    m_family->getFedStringClaimed(1, sin);
    m_family->getFedStringClaimed(17, name);
    if (!notFiledAlreadyOrAgreed(isReFile))
        return;
    if (!isReFile && !offerSignupAndMultiYear())
        return;

    TestCopy copy;
    const bool testMode = m_env.submission.exchange.testMode;
    CString xml;
    CString problem;
    // A return that could not be built whole is never offered for sending,
    // and nothing of the filing is recorded.
    if (CreateElectronicFile(*m_family, xml, 2, &problem) != ElectronicFileBuilt) {
        tell(problem);
        return;
    }
    if (testMode
        && !copy.write(m_env.runFolder + QLatin1Char('/') + m_family->GetDireradNameWithoutSuffix() + "_2024.ws", xml)) {
        tell(tr("Direrad or EFile can NOT be created. Check firewall program or anti-virus software settings."));
        return;
    }
    if (!m_env.noWarningMsg && !m_family->AnyMsgBeforeDirerad(2, isReFile != 0))
        return;
    if (isReFile
        && !warnYesNo(m_context.dialogParent, m_env.appTitle,
                      tr("Please note that this is an Amended Return for Re-File purpose.")))
        return;

    const int uid = m_env.findTaxpayer ? m_env.findTaxpayer(sin, name) : 0;
    const CString status = m_family->GetReturnStatusString(0);
    if (uid > 0 && m_env.saveHistoryEvent)
        m_env.saveHistoryEvent(uid, kHistoryFilingStatus, status);
    else if (m_env.runLog)
        m_env.runLog(QStringLiteral("DirErad: no taxpayer row (%1); filing history not written").arg(uid));

    DireradSubmissionRequest request;
    request.family = m_family;
    request.isReFile = isReFile;
    request.xml = &xml;
    request.status = status;
    request.name = name;
    request.parent = m_context.dialogParent;
    request.settings = m_env.submission;
    if (!request.settings.now)
        request.settings.now = [this] { return m_context.currentTime(); };
    const DireradSubmissionResult result = m_dialogs.submit(request);
    recordOutcome(result, uid);
}
