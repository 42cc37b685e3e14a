// The confirmations before filing: what the user is asked, in which order,
// and that a declined question stops the filing.
#include <QtTest>

#include "calcfixture.h"
#include "common/scriptedprompter.h"
#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/federal/credits.h"
#include "companion/forms/slips/slips_investment.h"
#include "model/validationrecord.h"
#include "modelfixture.h"

using namespace calcfixture;

namespace {

const QString kTitle = QStringLiteral("voDarevivo Warning Message");
const QString kResidency = QStringLiteral(
    "Please confirm tax residency of the tax payer. You can use this online filing if you were, in the tax year, a "
    "Resident or Immigrant of Canada. If you were a factual resident, please specify it in form T1248 Schedule D and "
    "do the online filing.");
const QString kResidencyDirerad =
    QStringLiteral("Non-resident, deemed resident return should be prepared by another software, voDarevivo Special "
                   "Version.");
const QString kRc210 = QStringLiteral(
    "If you or your spouse receive an RC210 slip with an amount in Box 10, the person, who is claiming the basic CWB, "
    "must report the spouse's Box 10 amount in Schedule 6. if neither spouse is claiming the basic CWB, they can "
    "choose who reports the amounts of Box 10 of RC210 slip.");
const QString kFhsa = QStringLiteral(
    "If the taxpayer opened an FHSA account in the tax year, please tick the box at F68930 on the Schedule 15.");
const QString kCpt20 = QStringLiteral("Please remove form CPT20 if you don't elect any income to make CPP "
                                      "contribution at line 11 or 12 on page 1 of the form.");
const QString kEmigrant = QStringLiteral(
    "Does the tax payer's tax situation require submission of any of the following forms: T1243, T1244, and/or "
    "T1161? Please select Yes or No. If 'Yes' is selected, a paper return must be filed.");

// An employee of 54 with an access code: the questions every such return gets.
std::unique_ptr<CFamilyTaxData> employeeReturn()
{
    auto family = makeFamily(false);
    addT4(family->getTaxpayer(), 52000, 9000);
    family->Calculate(0, nullptr);
    family->getTaxpayer()->GetT1()->DireradAccessCode.m_value = CString("ABCD1234");
    return family;
}

void answerYes(ScriptedPrompter& prompter, int times)
{
    for (int i = 0; i < times; ++i)
        prompter.queueYes(true);
}

QStringList allTexts(const ScriptedPrompter& prompter)
{
    QStringList texts;
    for (const PromptRecord& record : prompter.records())
        texts << record.texts.join(QLatin1Char('|'));
    return texts;
}

} // namespace

class TestPreFiling : public QObject
{
    Q_OBJECT

private slots:
    void employeeIsAskedTheseTexts()
    {
        auto family = employeeReturn();
        ScriptedPrompter prompter;
        answerYes(prompter, 20);
        QVERIFY(family->AnyMsgBeforeDirerad(kPurposeDirerad, false));
        QCOMPARE(allTexts(prompter), (QStringList{kResidency + "|" + kResidencyDirerad, kRc210, kFhsa}));
        for (const PromptRecord& record : prompter.records()) {
            QCOMPARE(record.kind, PromptKind::ContinueQuestion);
            QCOMPARE(record.title, kTitle);
        }
    }

    // The Universal Child Care Benefit ended in 2016: a parent of a young
    // child is asked nothing about it on a 2024 return.
    void parentOfYoungChildIsNotAskedAboutUccb()
    {
        auto family = employeeReturn();
        DependantInfoStruct* table = family->getTaxpayer()->m_pDependants;
        QVERIFY(table && table->GetAt(0));
        DependantInfo& child = *table->GetAt(0);
        child.firstName = CString("Mia");
        child.relationship = DEP_REL_CHILD;
        child.dateOfBirth = QDate(2021, 5, 1);
        family->Calculate(0, nullptr);
        QCOMPARE(table->GetDepNumberBetweenAges(0, 6), 1);
        ScriptedPrompter prompter;
        answerYes(prompter, 20);
        QVERIFY(family->AnyMsgBeforeDirerad(kPurposeDirerad, false));
        const QStringList texts = allTexts(prompter);
        QVERIFY2(!texts.join(' ').contains("Universal Child Care"), qPrintable(texts.join('\n')));
        QCOMPARE(texts, (QStringList{kResidency + "|" + kResidencyDirerad, kRc210, kFhsa}));
    }

    // A worker of low income without Schedule 6 is asked whether to skip it.
    // The text asks for an 'OK' the box does not have: the buttons say which
    // answer skips the schedule and which stops to add it.
    void schedule6QuestionSaysWhatEachButtonDoes()
    {
        auto family = makeFamily(false);
        IndividualTaxData* person = family->getTaxpayer();
        addT4(person, 15000, 500);
        family->Calculate(0, nullptr);
        if (CTaxData_Form* schedule6 = person->GetFormData(FORM_SCH6, false))
            person->RemoveFormData(schedule6, true);
        QVERIFY(family->MaySchedule6Needed());
        ScriptedPrompter prompter;
        prompter.queueYes(false);
        QVERIFY(!family->AnyMsgBeforeDirerad(kPurposeDirerad, false));
        QCOMPARE(prompter.records().size(), 1);
        const PromptRecord& asked = prompter.records().first();
        QCOMPARE(asked.kind, PromptKind::ContinueQuestion);
        QCOMPARE(asked.texts, QStringList{"You may want to include Schedule 6 to calculate Canada Workers Benefit. "
                                          "Press 'OK' button to skip Schedule 6."});
        const QMap<Prompt::StandardButton, QString> words{{Prompt::Yes, "Skip Schedule 6"},
                                                          {Prompt::No, "Stop to add Schedule 6"}};
        QCOMPARE(asked.buttonTexts, words);
    }

    void declinedQuestionStops()
    {
        auto family = employeeReturn();
        ScriptedPrompter prompter;
        prompter.queueYes(true);
        prompter.queueYes(false);
        QVERIFY(!family->AnyMsgBeforeDirerad(kPurposeDirerad, false));
        QCOMPARE(prompter.records().size(), 2);
        QCOMPARE(prompter.records().last().texts, QStringList{kRc210});
    }

    void emigrantWithPaperFormsStops_data()
    {
        QTest::addColumn<bool>("paperForms");
        QTest::newRow("Yes: a paper return") << true;
        QTest::newRow("No: filing goes on") << false;
    }

    void emigrantWithPaperFormsStops()
    {
        QFETCH(bool, paperForms);
        auto family = employeeReturn();
        family->getTaxpayer()->GetT1()->DepartureDate.m_value = QDate(2024, 8, 15);
        ScriptedPrompter prompter;
        prompter.queueYes(true);
        prompter.queueButton(paperForms ? Prompt::Yes : Prompt::No);
        answerYes(prompter, 20);
        QCOMPARE(family->AnyMsgBeforeDirerad(kPurposeDirerad, false), !paperForms);
        const PromptRecord& question = prompter.records().at(1);
        QCOMPARE(question.kind, PromptKind::MessageBox);
        QCOMPARE(question.title, QStringLiteral("Emigrant Return Note"));
        QCOMPARE(question.texts, QStringList{kEmigrant});
        QCOMPARE(question.buttons, Prompt::Yes | Prompt::No);
        QCOMPARE(prompter.records().size() == 2, paperForms);
    }

    void blankAccessCodeShowsItsBox_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("asked");
        QTest::newRow("blanks") << "        " << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("entered") << "ABCD1234" << false;
    }

    void blankAccessCodeShowsItsBox()
    {
        QFETCH(QString, code);
        QFETCH(bool, asked);
        auto family = employeeReturn();
        family->getTaxpayer()->GetT1()->DireradAccessCode.m_value = CString(code);
        ScriptedPrompter prompter;
        answerYes(prompter, 20);
        QVERIFY(family->AnyMsgBeforeDirerad(kPurposeDirerad, false));
        const QStringList expected{
            "DirErad Access Code",
            "Your unique Access code can be found on your Notice of Assessment (NOA) for a previous tax year. This "
            "eight-character Access code is made up of numbers and letters.",
            "Are you sure you want to file your tax return without entering your Access code? If you do not enter "
            "your Access code, you will not be able to use information from your 2023 tax return when confirming "
            "your identity with the CRA.",
            "You can enter DirErad Access Code on page 1 of T1, under tax payer's name."};
        bool found = false;
        for (const PromptRecord& record : prompter.records())
            found = found || record.texts == expected;
        QCOMPARE(found, asked);
    }

    void efileEditionOffersDirectDepositEnrolment()
    {
        auto family = employeeReturn();
        ScriptedPrompter prompter;
        answerYes(prompter, 20);
        QVERIFY(family->AnyMsgBeforeDirerad(kPurposeEfile, false));
        const PromptRecord& box = prompter.records().at(1);
        QCOMPARE(box.title, kTitle);
        QCOMPARE(box.texts.first(), kTitle);
        QVERIFY(box.texts.at(1).startsWith("Direct Deposit enrolment is available to be transmitted by EFile."));
        QCOMPARE(box.link, QStringLiteral("https://www.tpsgc-pwgsc.gc.ca/recgen/form/inscription-enrolment-eng.html"));
        QCOMPARE(prompter.records().at(0).texts.last(),
                 QStringLiteral("For EFile purpose, emigrant of Canda in the tax year would be allowed for online "
                                "filing."));
    }

    void pluginAnsweredNoStopsBeforeCpt20()
    {
        modelfixture::PluginSettings settings;
        const QString pluginText = QStringLiteral("Confirm the provincial tax credits");
        settings.use({QStringLiteral("prefiling=") + pluginText});
        auto family = employeeReturn();
        family->getTaxpayer()->GetFormData(57, true); // a CPT20 with no election

        int pluginIndex = -1;
        {
            ScriptedPrompter prompter;
            answerYes(prompter, 30);
            QVERIFY(family->AnyMsgBeforeDirerad(kPurposeDirerad, false));
            const QStringList texts = allTexts(prompter);
            pluginIndex = texts.indexOf(pluginText);
            QVERIFY(pluginIndex >= 0);
            QCOMPARE(texts.indexOf(kCpt20), pluginIndex + 1);
        }
        ScriptedPrompter prompter;
        answerYes(prompter, pluginIndex);
        prompter.queueYes(false);
        answerYes(prompter, 30);
        QVERIFY(!family->AnyMsgBeforeDirerad(kPurposeDirerad, false));
        QCOMPARE(allTexts(prompter).size(), pluginIndex + 1);
        QCOMPARE(allTexts(prompter).last(), pluginText);
    }

    void coupleClaimingLine30500IsAskedFirst()
    {
        auto family = makeFamily(true);
        family->getTaxpayer()->GetT1()->line30500CaregiverChildren.m_value = 2616;
        family->getSpouse()->GetT1()->line30500CaregiverChildren.m_value = 2616;
        ScriptedPrompter prompter;
        prompter.queueYes(false);
        QVERIFY(!family->AnyMsgBeforeDirerad(kPurposeDirerad, false));
        QCOMPARE(allTexts(prompter), QStringList{QStringLiteral(
                                         "As married or common-law, each child eligible for field 30500 can only be "
                                         "claimed by one person.")});
    }

    void askingChangesNothing()
    {
        auto family = employeeReturn();
        auto& t3 = static_cast<TaxData_Slip_T3&>(*family->getTaxpayer()->NewSlipData(9, 0, 0)->data);
        t3.box21CapitalGains.m_value = 500;
        t3.Calculate01();
        const int forms = family->getTaxpayer()->GetCountOfForm(0);
        ScriptedPrompter prompter;
        answerYes(prompter, 30);
        family->AnyMsgBeforeDirerad(kPurposeDirerad, false);
        QCOMPARE(family->getTaxpayer()->GetCountOfForm(0), forms);
        QVERIFY(!family->getTaxpayer()->HasForm(4));
    }
};

QTEST_GUILESS_MAIN(TestPreFiling)
#include "tst_prefiling.moc"
