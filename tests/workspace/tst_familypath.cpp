// A coupled Ontario family finished on the real window, as a new user would:
// the interview pages each open their own page, the child entered on the
// dependants page reaches child care, medical expenses and the benefit
// estimate, computed lines cannot be typed into, entries are checked where
// they are typed, the title marks unsaved changes, Ctrl+S saves and the start
// page finds the return by S.I.N. Pictures of the path are kept under the
// build folder (artefacts/familypath) for a person to look at.
#include <QtTest>

#include "returnpagefixture.h"

#include "companion/core/sincheck.h"
#include "companion/core/sinmessage.h"
#include "companion/forms/catalogue.h"
#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/federal/credits.h"
#include "companion/forms/t1/taxdata_t1ksnew.h"
#include "companion/ui/styledwidgets.h"
#include "model/individualtaxdata.h"
#include "workspace/ui_viewintroduction.h"
#include "workspace/viewintroduction.h"

#include <QComboBox>
#include <QDir>
#include <QTableView>

using namespace returnpage;

namespace {

constexpr const char* kOwnSin = "046 454 286";

QString artefactFolder()
{
    const QString folder = QCoreApplication::applicationDirPath() + "/../artefacts/familypath";
    QDir().mkpath(folder);
    return folder;
}

void keepPicture(QWidget* window, const QString& name)
{
    QApplication::processEvents();
    QVERIFY(window->grab().save(artefactFolder() + "/" + name + ".png"));
}

QWidget* editorOf(Form_Return* page, const QString& field)
{
    for (BaseTaxPage* p : page->allPages())
        if (auto* e = p->findChild<QWidget*>("fld_" + field))
            return e;
    return nullptr;
}

// Types into a line edit as a person does: select, type, press Enter.
void typeInto(Form_Return* page, const QString& field, const QString& text)
{
    auto* edit = qobject_cast<QLineEdit*>(editorOf(page, field));
    QVERIFY2(edit, qPrintable(field));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
    QApplication::processEvents();
}

void choose(Form_Return* page, const QString& field, const QString& answer)
{
    auto* list = qobject_cast<QComboBox*>(editorOf(page, field));
    QVERIFY2(list, qPrintable(field));
    const int index = list->findText(answer);
    QVERIFY2(index >= 0, qPrintable(answer));
    list->setCurrentIndex(index);
    QApplication::processEvents();
}

void setDate(Form_Return* page, const QString& field, const QDate& date)
{
    auto* edit = qobject_cast<StyledDateEdit*>(editorOf(page, field));
    QVERIFY2(edit, qPrintable(field));
    edit->setDate(date);
    QApplication::processEvents();
}

TreeItem* childNamed(TreeItem* branch, const QString& label)
{
    for (int i = 0; i < branch->childCount(); ++i)
        if (branch->child(i)->text(0) == label)
            return static_cast<TreeItem*>(branch->child(i));
    return nullptr;
}

void select(Form_Return* page, TreeItem* row)
{
    QVERIFY(row);
    page->folderView()->setCurrentItem(row);
    QApplication::processEvents();
}

void showForm(Form_Return* page, int type)
{
    select(page, rowOf(page->folderView(), FROM_FORM, type));
}

QString shownForm(Form_Return* page)
{
    auto* label = page->findChild<QLabel*>("lblFormDesc");
    return label ? label->text() : QString();
}

void addT4WithIncome(WindowFixture& f, Form_Return* page, const QString& income)
{
    f.action("actionAdd_T4_slip")->trigger();
    QApplication::processEvents();
    typeInto(page, "box14EmploymentIncome", income);
}

void switchTo(Form_Return* page, int person)
{
    auto* chooser = page->findChild<QComboBox*>("comboBox");
    QVERIFY(chooser);
    for (int i = 0; i < chooser->count(); ++i)
        if (chooser->itemData(i, Qt::UserRole).toInt() == person)
            chooser->setCurrentIndex(i);
    QApplication::processEvents();
    QCOMPARE(page->familyData()->getCurIndv(), person);
}

// The coupled Ontario family in a window of a usual size.
Form_Return* presentCouple(WindowFixture& f)
{
    if (!f.ready)
        return nullptr;
    f.window->resize(1280, 860);
    return present(f, newFamily(coupledRecord()));
}

QString lastPromptText(const WindowFixture& f)
{
    return f.prompter->records().isEmpty() ? QString() : f.prompter->records().last().texts.join("\n");
}

} // namespace

class TestFamilyPath : public QObject
{
    Q_OBJECT
private slots:
    void interviewRowsOpenTheirOwnPages_data();
    void interviewRowsOpenTheirOwnPages();
    void childOnTheDependantsPageReachesTheClaims();
    void entriesCheckedWhereTyped();
    void unsavedMarkAndSaveByKey();
    void notComputedAmountsListed();
};

void TestFamilyPath::interviewRowsOpenTheirOwnPages_data()
{
    QTest::addColumn<QString>("row");
    for (const char* name : {"General Information", "Last Year's Amounts", "Dependants", "Medical Expenses",
                             "RRSP Contributions"})
        QTest::newRow(name) << name;
}

void TestFamilyPath::interviewRowsOpenTheirOwnPages()
{
    QFETCH(QString, row);
    WindowFixture f;
    QVERIFY(f.ready);
    Form_Return* page = present(f, newFamily(coupledRecord()));
    QVERIFY(page);
    // Another row first, so that the row under test is a real change.
    showForm(page, FORM_T1);
    select(page, childNamed(page->folderView()->wizardItem(), row));
    QCOMPARE(shownForm(page), row);
    QCOMPARE(page->folderView()->currentItem()->text(0), row);
}

// The child is entered once, on the dependants page. Worked by hand (2024
// rules and the benefit year July 2025 to June 2026):
// - T778: a child born in 2019 is born in 2018 or later, limit 8,000. Ann
//   (15,000 of employment income, less than Bob's 20,000) claims; two thirds
//   of her earned income is 10,000; 3,000 paid: line 21400 = 3,000.
// - Medical: the child is under 18, so the 500 paid counts on line 33099,
//   less 3% of Ann's net income (15,000 - 3,000 child care = 12,000; no
//   CPP is entered on her slip): 500 - 360 = 140. Without the child: 0.
// - Canada child benefit: one child under 6, 7,997 a year; the family's net
//   income is under 37,487, so nothing is taken off: 7,997.
void TestFamilyPath::childOnTheDependantsPageReachesTheClaims()
{
    WindowFixture f;
    Form_Return* page = presentCouple(f);
    QVERIFY(page);
    CFamilyTaxData* family = page->familyData();

    addT4WithIncome(f, page, "15000");
    switchTo(page, CFamilyTaxData::kSpouse);
    addT4WithIncome(f, page, "20000");
    switchTo(page, CFamilyTaxData::kTaxpayer);

    // Before the child: no benefit.
    auto* summary = qobject_cast<TaxData_T1KSNew*>(family->getTaxpayer()->GetFormData(FORM_T1KS, false));
    QVERIFY(summary);
    QCOMPARE(summary->CCB.m_value, 0.0);

    select(page, childNamed(page->folderView()->wizardItem(), "Dependants"));
    QCOMPARE(shownForm(page), QStringLiteral("Dependants"));
    typeInto(page, "FirstName1", "Cleo");
    typeInto(page, "LastName1", "Lee");
    choose(page, "Relationship1", "Son or daughter");
    setDate(page, "BirthDate1", QDate(2019, 5, 1));
    keepPicture(f.window, "1-dependants-page");

    const DependantInfo* child = family->dependants().GetAt(0);
    QVERIFY(child);
    QCOMPARE(QString(child->firstName), QStringLiteral("Cleo"));
    QCOMPARE(child->relationship, int(DEP_REL_CHILD));
    QCOMPARE(child->dateOfBirth, QDate(2019, 5, 1));

    // Medical expenses: the child is listed by name on the medical page.
    select(page, childNamed(page->folderView()->wizardItem(), "Medical Expenses"));
    QCOMPARE(shownForm(page), QStringLiteral("Medical Expenses"));
    auto* childName = qobject_cast<QLineEdit*>(editorOf(page, "DepFirstName1"));
    QVERIFY(childName);
    QCOMPARE(childName->text(), QStringLiteral("Cleo"));
    typeInto(page, "Dep1_1", "500");
    keepPicture(f.window, "2-medical-page");

    // Child care: the form counts the child without a count typed.
    page->forwardTaxFormThere(FORM_T778);
    QCOMPARE(shownForm(page), QString::fromUtf8(getFormName(FORM_T778)));
    typeInto(page, "OwnAmount", "3000");
    keepPicture(f.window, "3-child-care");

    TaxData_T1New* t1 = family->getTaxpayer()->GetT1();
    auto* t778 = qobject_cast<TaxData_T778New*>(family->getTaxpayer()->GetFormData(FORM_T778, false));
    QVERIFY(t778);
    QCOMPARE(t778->DependantsUnder7.m_value, 1.0);
    QCOMPARE(t778->ChildrenUnder7.m_value, 0.0);
    QCOMPARE(t1->line21400ChildCare.m_value, 3000.0);
    QCOMPARE(t1->line33099MedicalExpenses.m_value, 140.0);
    // The child of 1 May 2019 is 6 from the first month of the benefit year
    // (July 2025 to June 2026): 6,748 for each month's twelfth, all year.
    QCOMPARE(summary->CCB.m_value, 6748.0);

    // Typing into a computed line is impossible.
    showForm(page, FORM_T1);
    auto* federalTax = qobject_cast<QLineEdit*>(editorOf(page, "line42000NetFederalTax"));
    QVERIFY(federalTax);
    QVERIFY(federalTax->isReadOnly());
    QCOMPARE(federalTax->focusPolicy(), Qt::NoFocus);
    QCOMPARE(federalTax->toolTip(), QStringLiteral("computed"));
    const double before = t1->line42000NetFederalTax.m_value;
    QTest::keyClicks(federalTax, "999");
    QTest::keyClick(federalTax, Qt::Key_Return);
    QCOMPARE(t1->line42000NetFederalTax.m_value, before);

    select(page, page->folderView()->resultItem());
    keepPicture(f.window, "4-result");
    // The result lines separate thousands.
    QVERIFY2(page->findChild<QLabel*>("lblResultLine3")->text().startsWith("Family ["), "family line");
    QVERIFY2(statusText(f).contains("[Total Income]=15,000.00"), qPrintable(statusText(f)));
}

void TestFamilyPath::entriesCheckedWhereTyped()
{
    WindowFixture f;
    Form_Return* page = presentCouple(f);
    QVERIFY(page);
    CFamilyTaxData* family = page->familyData();
    TaxData_T1New* t1 = family->getTaxpayer()->GetT1();
    showForm(page, FORM_T1);

    // The wizard's rule and the wizard's words.
    typeInto(page, "SIN", "123456789");
    const char* problem = nullptr;
    QVERIFY(!CheckSIN("123456789", &problem));
    QCOMPARE(lastPromptText(f), sinNotValidMessage(QStringLiteral("taxpayer's"), problem));
    QVERIFY(QString(t1->SIN.m_value).isEmpty());
    QCOMPARE(qobject_cast<QLineEdit*>(editorOf(page, "SIN"))->text(), QString());

    // Kept as its nine digits.
    typeInto(page, "SIN", kOwnSin);
    QCOMPARE(QString(t1->SIN.m_value), QStringLiteral("046454286"));

    // A date of birth after the tax year is refused; the stored date stays.
    const QDate birth = t1->BirthDate.m_value;
    setDate(page, "BirthDate", QDate(2030, 1, 1));
    QVERIFY2(lastPromptText(f).contains("after the end of the tax year 2024"), qPrintable(lastPromptText(f)));
    QCOMPARE(t1->BirthDate.m_value, birth);
    keepPicture(f.window, "5-t1-identification");

    // The spouse's own S.I.N. cannot be the taxpayer's.
    switchTo(page, CFamilyTaxData::kSpouse);
    showForm(page, FORM_T1);
    const int promptsBefore = f.prompter->records().size();
    typeInto(page, "SIN", "046-454-286");
    QCOMPARE(f.prompter->records().size(), promptsBefore + 1);
    QCOMPARE(lastPromptText(f), QStringLiteral("The spouse's Social Insurance Number cannot be the taxpayer's own."));
    QVERIFY(QString(family->getSpouse()->GetT1()->SIN.m_value).isEmpty());

    // A slip box: letters, a negative amount and an absurd one are refused
    // with a message; the box keeps its amount.
    addT4WithIncome(f, page, "20000");
    for (const char* bad : {"-5", "100000000.01"}) {
        typeInto(page, "box14EmploymentIncome", bad);
        QVERIFY2(!lastPromptText(f).isEmpty(), bad);
    }
    QVERIFY2(lastPromptText(f).contains("100,000,000.00"), qPrintable(lastPromptText(f)));
    CTaxData_Form* slip = family->getSpouse()->m_slipList.front()->data;
    auto* box14 = static_cast<CFloatField*>(slip->findField(QStringLiteral("box14EmploymentIncome")));
    QCOMPARE(box14->m_value, 20000.0);
    // A new slip's province of employment starts at the person's province.
    QCOMPARE(static_cast<CIntField*>(slip->findField(QStringLiteral("Province")))->m_value, kOntario);
}

void TestFamilyPath::unsavedMarkAndSaveByKey()
{
    WindowFixture f;
    QVERIFY(f.ready);
    NewReturnBasicData record = coupledRecord();
    record.sin = kOwnSin;
    Form_Return* page = present(f, newFamily(record));
    QVERIFY(page);
    f.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.window));
    const QString path = f.home.filePath("Ann_Lee.r24");
    f.prompter->queueFile(path);
    QTest::keyClick(f.window, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QFileInfo::exists(path));
    QVERIFY(!f.window->windowTitle().startsWith("*"));

    showForm(page, FORM_T1);
    typeInto(page, "line10100NotOnSlip", "1234567.5");
    QVERIFY2(f.window->windowTitle().startsWith("*"), qPrintable(f.window->windowTitle()));
    QVERIFY2(statusText(f).contains("1,234,567.50"), qPrintable(statusText(f)));
    keepPicture(f.window, "6-unsaved");
    QTest::keyClick(f.window, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!page->isChanged());
    QVERIFY(!f.window->windowTitle().startsWith("*"));

    // The start page finds the saved return by the S.I.N., typed as printed.
    f.window->actionShowWelcome();
    ViewIntroduction* start = f.window->startPage();
    start->hide();
    start->show();
    start->widgets()->edtFilter->setText(kOwnSin);
    const QAbstractItemModel* rows = start->widgets()->tableView->model();
    QCOMPARE(rows->rowCount(), 1);
    QVERIFY2(rows->index(0, 0).data().toString().contains("Ann"), qPrintable(rows->index(0, 0).data().toString()));
    keepPicture(f.window, "7-start-page-by-sin");
}

// Line 32400 is typed as designated: the program does not limit it, and a
// return holding an amount there says so beside the pages.
void TestFamilyPath::notComputedAmountsListed()
{
    WindowFixture f;
    Form_Return* page = presentCouple(f);
    QVERIFY(page);
    auto* note = page->findChild<QLabel*>("lblNotComputed");
    QVERIFY(note);
    QVERIFY(note->isHidden());
    showForm(page, FORM_T1);
    typeInto(page, "line32400TuitionFromChild", "2000");
    select(page, page->folderView()->resultItem());
    QVERIFY(note->isVisible());
    QVERIFY2(note->text().startsWith("Not computed by this program: "), qPrintable(note->text()));
    QVERIFY2(note->text().contains("line 32400"), qPrintable(note->text()));
    keepPicture(f.window, "8-not-computed");
}

QTEST_APPLESS_MAIN(TestFamilyPath)
#include "tst_familypath.moc"
