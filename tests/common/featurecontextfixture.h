#pragma once

#include <QObject>
#include <QTest>
#include <QStringList>

#include "common/scriptedprompter.h"
#include "companion/core/messages.h"
#include "model/featurecontext.h"

class QWidget;

// A feature service's context in a test: a scripted prompter, an edition,
// a stand-in parent that is only handed through (a service never uses it as
// a widget) and a save that records being asked.
struct FeatureContextFixture
{
    static constexpr unsigned char kEdition = 2;

    ScriptedPrompter prompter;
    QObject parentStandIn;
    bool saveAsked = false;
    FeatureContext context;

    FeatureContextFixture()
    {
        context.prompter = &prompter;
        context.edition = kEdition;
        context.dialogParent = reinterpret_cast<QWidget*>(&parentStandIn);
        context.saveReturn = [this] {
            saveAsked = true;
            return true;
        };
    }

    // The one message a command showed: "<feature> is not available yet."
    // in an information box over the parent, titled for the edition.
    void verifyTold(const QString& feature) const
    {
        QCOMPARE(prompter.records().size(), 1);
        const PromptRecord& shown = prompter.records().front();
        QCOMPARE(shown.kind, PromptKind::MessageBox);
        // As numbers: naming a message-box value would need the widget library.
        QCOMPARE(int(shown.icon), int(Prompt::Information));
        QCOMPARE(shown.title, gMsgTitle(kEdition));
        QCOMPARE(shown.texts, QStringList{feature + QStringLiteral(" is not available yet.")});
        QVERIFY(shown.hadParent);
    }
};
