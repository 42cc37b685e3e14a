// Removing an item of the open return from the window: a slip, form or note
// that holds entries goes only after the user says Yes to a question that
// names it; an empty one goes at once.
#include <QtTest>

#include "companion/forms/schedules/taxdata_sch7.h"
#include "companion/ui/widgetprompter.h"
#include "e2e/usersteps.h"
#include "returnpagefixture.h"

#include <QMessageBox>
#include <QPushButton>

using namespace returnpage;

class TestItemRemoval : public QObject
{
    Q_OBJECT
private slots:
    void filledItemAsks_data();
    void filledItemAsks();
    void emptyItemGoesWithoutAsking_data();
    void emptyItemGoesWithoutAsking();
    void questionDefaultsToNo();
};

namespace {

const char kRemoveSlip[] = "actionRemove_Selected_Slip";
const char kRemoveForm[] = "actionRemove_Selected_Form_Schedule";

// A T4 from Employer Inc. with 31,000 of employment income, typed on its
// page as the user does.
void addFilledT4(WindowFixture& f, Form_Return* page)
{
    f.action("actionAdd_T4_slip")->trigger();
    QVERIFY(usersteps::typeInto(page, "EmployerName", "Employer Inc."));
    QVERIFY(usersteps::typeInto(page, "box14EmploymentIncome", "31000"));
}

void addFilledNote(WindowFixture& f, Form_Return* page)
{
    f.action("actionAdd_a_tax_note")->trigger();
    QVERIFY(usersteps::typeInto(page, "Title", "Receipts"));
}

int itemCount(CFamilyTaxData* family, const QString& kind)
{
    IndividualTaxData* person = family->getTaxpayer();
    if (kind == "slip")
        return int(person->m_slipList.size());
    if (kind == "note")
        return int(person->m_noteList.size());
    return person->HasForm(FORM_SCH7) ? 1 : 0;
}

} // namespace

void TestItemRemoval::filledItemAsks_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("question");
    const QString t4 = "Remove the T4 from Employer Inc. with 31,000.00 of income?";
    const QString note = "Remove the tax note \"Receipts\" with what was written in it?";
    const QString schedule7 =
        "Remove Schedule 7 RRSP, PRPP and SPP Unused Contributions, Transfers, and HBP or LLP Activities with what "
        "was entered on it?";
    QTest::newRow("T4, No keeps it") << "slip" << int(Prompt::No) << t4;
    QTest::newRow("T4, Yes removes it") << "slip" << int(Prompt::Yes) << t4;
    QTest::newRow("note, No keeps it") << "note" << int(Prompt::No) << note;
    QTest::newRow("note, Yes removes it") << "note" << int(Prompt::Yes) << note;
    QTest::newRow("Schedule 7, No keeps it") << "form" << int(Prompt::No) << schedule7;
    QTest::newRow("Schedule 7, Yes removes it") << "form" << int(Prompt::Yes) << schedule7;
}

void TestItemRemoval::filledItemAsks()
{
    QFETCH(QString, kind);
    QFETCH(int, answer);
    QFETCH(QString, question);
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    if (kind == "form") {
        // Unused contributions carried from last year: an entry on a form the
        // return does not need.
        auto* sch7 = dynamic_cast<TaxData_Sch7*>(family->getTaxpayer()->GetFormData(FORM_SCH7, true));
        QVERIFY(sch7);
        sch7->UnusedRRSPContributions.setText("1500");
        family->Calculate(-1, nullptr);
    }
    Form_Return* page = present(f, family);
    QVERIFY(page);
    if (kind == "slip")
        addFilledT4(f, page);
    else if (kind == "note")
        addFilledNote(f, page);
    else
        QVERIFY(usersteps::showForm(page, FORM_SCH7));
    QCOMPARE(itemCount(family, kind), 1);

    f.prompter->clear();
    f.prompter->queueButton(Prompt::StandardButton(answer));
    f.action(kind == "form" ? kRemoveForm : kRemoveSlip)->trigger();

    QCOMPARE(f.promptTexts(), QStringList{question});
    QCOMPARE(f.prompter->records().front().buttons, Prompt::StandardButtons(Prompt::Yes | Prompt::No));
    QCOMPARE(f.prompter->pendingAnswers(), 0);
    const bool removed = answer == Prompt::Yes;
    QCOMPARE(itemCount(family, kind), removed ? 0 : 1);
    const TreeItem* branch = kind == "slip"   ? page->folderView()->slipsItem()
                             : kind == "note" ? page->folderView()->notesItem()
                                              : nullptr;
    if (branch)
        QCOMPARE(branch->childCount(), removed ? 0 : 1);
    else
        QCOMPARE(rowOf(page->folderView(), FROM_FORM, FORM_SCH7) != nullptr, !removed);
    if (!removed && kind == "slip") {
        // Kept whole: what was typed is still on the slip.
        QCOMPARE(usersteps::shownText(page, "box14EmploymentIncome"), QString("31000.00"));
    }
}

void TestItemRemoval::emptyItemGoesWithoutAsking_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("slip") << "slip";
    QTest::newRow("note") << "note";
}

void TestItemRemoval::emptyItemGoesWithoutAsking()
{
    QFETCH(QString, kind);
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    present(f, family);
    f.action(kind == "slip" ? "actionAdd_T4_slip" : "actionAdd_a_tax_note")->trigger();
    QCOMPARE(itemCount(family, kind), 1);
    f.prompter->clear();
    f.action(kRemoveSlip)->trigger();
    QVERIFY(f.prompter->records().isEmpty());
    QCOMPARE(itemCount(family, kind), 0);
}

// The question as the user sees it, in the real message box: No is the
// default button, so Enter keeps the slip. Its picture is kept.
void TestItemRemoval::questionDefaultsToNo()
{
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    Form_Return* page = present(f, family);
    addFilledT4(f, page);

    WidgetPrompter real;
    ScopedPrompter shown(&real);
    usersteps::ModalGuard guard(20000);
    bool seen = false;
    QString defaultText;
    modalsteps::whenModal<QMessageBox>([&](QMessageBox* box) {
        seen = true;
        defaultText = box->defaultButton() ? box->defaultButton()->text().remove('&') : QString();
        usersteps::keepPicture(box, "item-removal", "remove-filled-t4");
        QTest::keyClick(box, Qt::Key_Return);
    });
    f.action(kRemoveSlip)->trigger();
    QVERIFY(seen);
    QCOMPARE(defaultText, QString("No"));
    QCOMPARE(itemCount(family, "slip"), 1);
}

QTEST_APPLESS_MAIN(TestItemRemoval)
#include "tst_itemremoval.moc"
