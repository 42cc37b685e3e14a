// The yes/no questions of a new return start unanswered: nothing may answer
// "Yes" for the user (foreign property, Elections Canada, forms T1243 and
// the like). The stored answers keep their meaning, 0 Yes and 1 No.
#include <QtTest>

#include <QComboBox>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "model/calcfixture.h"
#include "common/scriptedprompter.h"
#include "common/testhome.h"
#include "companion/forms/formfactory.h"
#include "companion/forms/wizard/interviewdata.h"
#include "companion/ui/basetaxpage.h"

using namespace calcfixture;

namespace {

constexpr ENUMTYPE_TAXWIZARD kGeneralInterview = 1;

bool isYesNoQuestion(const CField* field)
{
    const auto list = field->choices();
    return list.contains(qMakePair(choices::kYes, QStringLiteral("Yes")))
           && list.contains(qMakePair(choices::kNo, QStringLiteral("No")));
}

// "name = value" of every yes/no question of an object that is not unanswered.
QStringList answered(const CTaxData_Form& form)
{
    QStringList out;
    for (const CField* f : form.fieldList())
        if (isYesNoQuestion(f) && static_cast<const CIntField*>(f)->m_value != choices::kNotAnswered)
            out << QStringLiteral("%1 = %2").arg(f->name(), f->text());
    return out;
}

int questionCount(const CTaxData_Form& form)
{
    int n = 0;
    for (const CField* f : form.fieldList())
        n += isYesNoQuestion(f) ? 1 : 0;
    return n;
}

} // namespace

class TestNewReturnAnswers : public QObject
{
    Q_OBJECT
private slots:
    void newReturnLeavesQuestionsUnanswered_data();
    void newReturnLeavesQuestionsUnanswered();
    void everyNewObjectLeavesQuestionsUnanswered();
    void interviewAnswersDoNotAnswerForTheUser();
    void foreignPropertyYesOnlyForARealYes_data();
    void foreignPropertyYesOnlyForARealYes();
    void unansweredSurvivesTheReturnFile();
    void pageOffersNotAnsweredAndStoresTheChoice();
};

void TestNewReturnAnswers::newReturnLeavesQuestionsUnanswered_data()
{
    QTest::addColumn<bool>("coupled");
    QTest::newRow("single") << false;
    QTest::newRow("coupled") << true;
}

void TestNewReturnAnswers::newReturnLeavesQuestionsUnanswered()
{
    QFETCH(bool, coupled);
    auto family = makeFamily(coupled);
    for (IndividualTaxData* person : {family->getTaxpayer(), family->getSpouse()}) {
        if (!person || !person->GetT1())
            continue;
        TaxData_T1New& t1 = *person->GetT1();
        for (const CIntField* question : {&t1.ForeignPropertyAnswer, &t1.ElectionsCanadaAnswer,
                                          &t1.CitizenshipAnswer, &t1.EmigrantFormsAnswer, &t1.FirstTimeFilerAnswer,
                                          &t1.DonorAnswer, &t1.RuralSupplementAnswer})
            QVERIFY2(isYesNoQuestion(question), qPrintable(question->name()));
        QVERIFY(questionCount(t1) >= 10);
        QVERIFY2(answered(t1).isEmpty(), qPrintable(answered(t1).join(", ")));
        // The calculation answers nothing either.
        family->Calculate(-1, nullptr);
        family->Calculate(-1, nullptr);
        QVERIFY2(answered(t1).isEmpty(), qPrintable(answered(t1).join(", ")));
        QVERIFY(!t1.answeredYesToForeignProperty());
    }
}

// Every form, slip and interview object the return can hold.
void TestNewReturnAnswers::everyNewObjectLeavesQuestionsUnanswered()
{
    int questions = 0;
    QStringList wrong;
    for (ENUMTYPE_FROM kind : {FROM_FORM, FROM_SLIP, FROM_TAXWIZARD, FROM_NOTE})
        for (const CFormFactory::Row& row : CFormFactory::rows(kind)) {
            std::unique_ptr<CTaxData_Form> object(row.make(row.type));
            if (!object)
                continue;
            questions += questionCount(*object);
            for (const QString& a : answered(*object))
                wrong << QStringLiteral("%1 %2").arg(QString::fromLatin1(row.className), a);
            // Cleared back to new, still unanswered.
            object->fillFieldsWithTestData();
            object->ClearAllData();
            for (const QString& a : answered(*object))
                wrong << QStringLiteral("%1 after clearing: %2").arg(QString::fromLatin1(row.className), a);
        }
    QVERIFY(questions >= 20);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(", ")));
}

// The interview's general questions are carried into the T1: a new
// interview must not carry a "Yes" there.
void TestNewReturnAnswers::interviewAnswersDoNotAnswerForTheUser()
{
    auto family = makeFamily(false);
    IndividualTaxData* person = family->getTaxpayer();
    auto* general = qobject_cast<TaxData_Wizard_General*>(person->GetWizData(kGeneralInterview, true));
    QVERIFY(general);
    QVERIFY(answered(*general).isEmpty());
    family->Calculate(FROM_TAXWIZARD, general);
    TaxData_T1New& t1 = *person->GetT1();
    QVERIFY2(answered(t1).isEmpty(), qPrintable(answered(t1).join(", ")));

    // A real answer in the interview does reach the T1.
    general->ForeignPropertyAnswer.m_value = choices::kYes;
    family->Calculate(FROM_TAXWIZARD, general);
    QCOMPARE(t1.ForeignPropertyAnswer.m_value, choices::kYes);
    QVERIFY(t1.answeredYesToForeignProperty());
}

void TestNewReturnAnswers::foreignPropertyYesOnlyForARealYes_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("yes");
    QTest::newRow("not answered") << choices::kNotAnswered << false;
    QTest::newRow("yes") << choices::kYes << true;
    QTest::newRow("no") << choices::kNo << false;
}

void TestNewReturnAnswers::foreignPropertyYesOnlyForARealYes()
{
    QFETCH(int, answer);
    QFETCH(bool, yes);
    TaxData_T1New t1;
    t1.ForeignPropertyAnswer.m_value = answer;
    QCOMPARE(t1.answeredYesToForeignProperty(), yes);
}

void TestNewReturnAnswers::unansweredSurvivesTheReturnFile()
{
    TestHome home;
    ScriptedPrompter prompter;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("answers.r24"));
    auto family = makeFamily(false);
    family->getTaxpayer()->GetT1()->ElectionsCanadaAnswer.m_value = choices::kNo;
    QCOMPARE(family->saveToFile(CString(path), 2), 0);
    int code = -99;
    std::unique_ptr<CFamilyTaxData> read(CFamilyTaxData::serializeFromFile(CString(path), code));
    QVERIFY(read);
    QCOMPARE(code, 0);
    TaxData_T1New& t1 = *read->getTaxpayer()->GetT1();
    QCOMPARE(t1.ElectionsCanadaAnswer.m_value, choices::kNo);
    QCOMPARE(t1.ForeignPropertyAnswer.m_value, choices::kNotAnswered);
    QCOMPARE(t1.CitizenshipAnswer.m_value, choices::kNotAnswered);
}

void TestNewReturnAnswers::pageOffersNotAnsweredAndStoresTheChoice()
{
    TaxData_T1New t1;
    QWidget parent;
    std::list<BaseTaxPage*> pages;
    QVERIFY(t1.CreatePages(pages, &parent) > 0);
    QComboBox* combo = nullptr;
    BaseTaxPage* owner = nullptr;
    for (BaseTaxPage* page : pages)
        if (auto* c = page->findChild<QComboBox*>(QStringLiteral("fld_ForeignPropertyAnswer"))) {
            combo = c;
            owner = page;
        }
    QVERIFY(combo);
    QCOMPARE(combo->currentText(), QStringLiteral("Not answered"));
    QVERIFY(combo->isEnabled());

    QSignalSpy spy(owner, &BaseTaxPage::signalCalc);
    combo->setCurrentIndex(combo->findText(QStringLiteral("Yes")));
    QCOMPARE(t1.ForeignPropertyAnswer.m_value, choices::kYes);
    QCOMPARE(spy.count(), 1);
    // The user may take the answer back.
    combo->setCurrentIndex(combo->findText(QStringLiteral("Not answered")));
    QCOMPARE(t1.ForeignPropertyAnswer.m_value, choices::kNotAnswered);
    QCOMPARE(spy.count(), 2);
}

QTEST_MAIN(TestNewReturnAnswers)
#include "tst_newreturnanswers.moc"
