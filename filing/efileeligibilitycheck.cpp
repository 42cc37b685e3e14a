#include "filing/efileeligibilitycheck.h"

#include "companion/core/messages.h"
#include "companion/core/prompter.h"
#include "model/cfamilytaxdata.h"

namespace {

void inform(const FeatureContext& context, const CString& text)
{
    MessageBoxRequest request;
    request.icon = Prompt::Information;
    request.title = gMsgTitle(context.edition);
    request.text = text;
    request.buttons = Prompt::Ok;
    context.prompterToUse().messageBox(context.dialogParent, request);
}

} // namespace

bool checkOnlineFilingEligibility(const FeatureContext& context, unsigned char mode, bool isReFile)
{
    if (!context.family)
        return false;
    std::list<CString> refusals, notes;
    if (isReFile && context.family->IsEligibleForReFile(mode, refusals) > 0) {
        inform(context, refusals.front());
        return false;
    }
    context.family->IsEligibleForElectronicFile(mode, refusals, &notes);
    for (const CString& note : notes)
        inform(context, note);
    if (!refusals.empty()) {
        inform(context, refusals.front());
        return false;
    }
    return true;
}
