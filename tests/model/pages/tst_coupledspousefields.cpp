// The T1's spouse section: in a coupled return the exchange between the
// spouses fills it from the other return, so the page shows it read-only;
// a person filing alone types it, so it stays editable.
#include <QtTest>

#include <QDateEdit>
#include <QLineEdit>
#include <QTemporaryDir>

#include "model/calcfixture.h"
#include "common/scriptedprompter.h"
#include "common/testhome.h"
#include "companion/ui/basetaxpage.h"

using namespace calcfixture;

namespace {

std::vector<CField*> spouseSection(TaxData_T1New& t1)
{
    return {&t1.SpouseFirstName, &t1.SpouseLastName, &t1.SpouseSIN, &t1.SpouseBirthDate,
            &t1.SpouseEntryDate, &t1.SpouseNetIncome, &t1.SpouseUCCB, &t1.SpouseUCCBRepayment,
            &t1.SpouseWorkingIncome, &t1.SpouseSelfEmploymentIncome, &t1.SpouseHasSelfEmployment,
            &t1.SpouseTaxableIncome, &t1.SpouseSplitIncome, &t1.SpouseAdjustedNetIncome, &t1.SpouseChildCare,
            &t1.SpouseMortgageForeclosure};
}

// Whether the page lets the user type into the editor.
bool editable(const QWidget* editor)
{
    if (auto* line = qobject_cast<const QLineEdit*>(editor))
        return !line->isReadOnly();
    if (auto* date = qobject_cast<const QDateEdit*>(editor))
        return !date->isReadOnly();
    return editor->isEnabled();
}

// Every field of the spouse section is editable (or not), on the page too.
QStringList sectionNot(TaxData_T1New& t1, bool wanted)
{
    QWidget parent;
    std::list<BaseTaxPage*> pages;
    t1.CreatePages(pages, &parent);
    QStringList wrong;
    for (CField* f : spouseSection(t1)) {
        const QWidget* editor = nullptr;
        for (BaseTaxPage* page : pages)
            if (!editor)
                editor = page->editorFor(f);
        if (!editor || f->isReadOnly() == wanted || editable(editor) != wanted)
            wrong << f->name();
    }
    return wrong;
}

// Married, filing alone: the spouse's figures are the user's to enter.
std::unique_ptr<CFamilyTaxData> marriedFilingAlone()
{
    auto family = std::make_unique<CFamilyTaxData>();
    NewReturnBasicData record;
    record.FirstName = CString("Ada");
    record.LastName = CString("Tremblay");
    record.sin = CString("046454286");
    record.dob = QDate(1970, 4, 12);
    record.TaxPronv = kOntario;
    record.MaritalStatus = 0;
    record.Coupled = false;
    record.FirstNameSpouse = CString("Louis");
    record.LastNameSpouse = CString("Tremblay");
    record.sinSpouse = CString("130692544");
    record.dobSpouse = QDate(1968, 9, 30);
    family->NewData(&record);
    return family;
}

} // namespace

class TestCoupledSpouseFields : public QObject
{
    Q_OBJECT
private slots:
    void coupledSectionIsReadOnly();
    void filingAloneSectionIsEditable();
    void decouplingUnlocksTheSection();
    void lockSurvivesTheReturnFile();
};

void TestCoupledSpouseFields::coupledSectionIsReadOnly()
{
    auto family = makeFamily(true);
    addT4(family->getSpouse(), 52000.0);
    for (IndividualTaxData* person : {family->getTaxpayer(), family->getSpouse()}) {
        TaxData_T1New& t1 = *person->GetT1();
        QVERIFY(t1.isCoupledReturn());
        const QStringList wrong = sectionNot(t1, false);
        QVERIFY2(wrong.isEmpty(), qPrintable("editable in a coupled return: " + wrong.join(", ")));
        // Fields outside the section stay as they were.
        QVERIFY(!t1.SpouseTaxPayable.isReadOnly());
        QVERIFY(!t1.FirstName.isReadOnly());
    }
    // The section holds the other spouse's own figures.
    family->Calculate(-1, nullptr);
    TaxData_T1New& mine = *family->getTaxpayer()->GetT1();
    TaxData_T1New& theirs = *family->getSpouse()->GetT1();
    QCOMPARE(mine.SpouseNetIncome.m_value, theirs.line23600NetIncome.m_value);
    QCOMPARE(mine.SpouseWorkingIncome.m_value, 52000.0);
    QCOMPARE(QString(mine.SpouseFirstName.m_value), QString(theirs.FirstName.m_value));
}

void TestCoupledSpouseFields::filingAloneSectionIsEditable()
{
    auto family = marriedFilingAlone();
    QVERIFY(!family->IsCoupledReturn());
    TaxData_T1New& t1 = *family->getTaxpayer()->GetT1();
    const QStringList wrong = sectionNot(t1, true);
    QVERIFY2(wrong.isEmpty(), qPrintable("read-only for a person filing alone: " + wrong.join(", ")));
    // What the user types is what the calculation uses.
    t1.SpouseNetIncome.m_value = 12000.0;
    t1.SpouseTaxableIncome.m_value = 11000.0;
    family->Calculate(-1, nullptr);
    family->Calculate(-1, nullptr);
    QCOMPARE(t1.SpouseNetIncome.m_value, 12000.0);
    QCOMPARE(t1.SpouseTaxableIncome.m_value, 11000.0);
}

void TestCoupledSpouseFields::decouplingUnlocksTheSection()
{
    auto family = makeFamily(true);
    TaxData_T1New* t1 = family->getTaxpayer()->GetT1();
    QVERIFY(t1->SpouseNetIncome.isReadOnly());
    family->DecoupleReturn(false);
    QVERIFY(!family->IsCoupledReturn());
    t1 = family->getTaxpayer()->GetT1();
    const QStringList wrong = sectionNot(*t1, true);
    QVERIFY2(wrong.isEmpty(), qPrintable("still read-only after decoupling: " + wrong.join(", ")));

    // Joined again with another family's taxpayer: locked again.
    auto other = makeFamily(false);
    QVERIFY(family->CoupleTaxReturn(other.get()));
    QVERIFY(family->IsCoupledReturn());
    QVERIFY(family->getTaxpayer()->GetT1()->SpouseNetIncome.isReadOnly());
}

void TestCoupledSpouseFields::lockSurvivesTheReturnFile()
{
    TestHome home;
    ScriptedPrompter prompter;
    QTemporaryDir dir;
    for (bool coupled : {true, false}) {
        const QString path = dir.filePath(coupled ? QStringLiteral("couple.r24") : QStringLiteral("alone.r24"));
        auto family = coupled ? makeFamily(true) : marriedFilingAlone();
        family->Calculate(-1, nullptr);
        QCOMPARE(family->saveToFile(CString(path), 2), 0);
        int code = -99;
        std::unique_ptr<CFamilyTaxData> read(CFamilyTaxData::serializeFromFile(CString(path), code));
        QVERIFY(read);
        QCOMPARE(code, 0);
        QCOMPARE(read->IsCoupledReturn(), coupled);
        const QStringList wrong = sectionNot(*read->getTaxpayer()->GetT1(), !coupled);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(", ")));
    }
}

QTEST_MAIN(TestCoupledSpouseFields)
#include "tst_coupledspousefields.moc"
