#include "model/featurecontext.h"

#include "companion/core/appclock.h"
#include "companion/core/messages.h"
#include "companion/core/prompter.h"

#include <QCoreApplication>

Prompter& FeatureContext::prompterToUse() const
{
    return prompter ? *prompter : Prompter::instance();
}

QDateTime FeatureContext::currentTime() const
{
    return now ? now() : AppClock::now();
}

void FeatureContext::tellNotAvailable(const QString& feature) const
{
    tellInformation(QCoreApplication::translate("FeatureContext", "%1 is not available yet.").arg(feature),
                    dialogParent);
}

void FeatureContext::tellInformation(const QString& text, QWidget* parent, const QString& cause) const
{
    MessageBoxRequest request;
    request.icon = Prompt::Information;
    request.title = gMsgTitle(edition);
    request.text = text;
    request.informativeText = cause;
    request.buttons = Prompt::Ok;
    prompterToUse().messageBox(parent, request);
}
