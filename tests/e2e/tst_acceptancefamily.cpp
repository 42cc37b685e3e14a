// One family's return from start to finish on the real window, offscreen,
// with a fresh home and the scripted prompter answering every message: a new
// coupled Ontario return typed in through the wizard, the pages and the
// slips; saved, closed and opened again from the start page's list and read
// by the batch mode; validated, optimised and planned without being changed.
// A picture of each main step is kept in build/artefacts/acceptance-family.
#include <QtTest>

#include "companion/forms/catalogue.h"
#include "companion/forms/dependantinfostruct.h"
#include "dialogs/dlgdecouplereturn.h"
#include "dialogs/dlgimportoption.h"
#include "dialogs/dlgoptimizereturn.h"
#include "dialogs/dlgtaxplanning.h"
#include "dialogs/dlgvalidationmsgs.h"
#include "dialogs/newreturnbasic_spouse.h"
#include "dialogs/newreturnbasic_tab1.h"
#include "dialogs/newreturnwizard.h"
#include "model/coupledsplit.h"
#include "model/dialogrecords.h"
#include "usersteps.h"
#include "workspace/ui_viewintroduction.h"
#include "workspace/viewintroduction.h"

#include <QListWidget>
#include <QProcess>
#include <QRadioButton>
#include <QSlider>
#include <QTableView>
#include <QWizard>

#include <memory>

using namespace usersteps;

namespace {

const QString kPictures = QStringLiteral("acceptance-family");
constexpr double kCent = 0.005;

template <class W>
W* child(QWidget* parent, const char* name)
{
    auto* w = parent->findChild<W*>(QString::fromLatin1(name));
    if (!w)
        qFatal("no widget %s", name);
    return w;
}

void typeIntoWizard(QWidget* page, const char* name, const QString& text)
{
    auto* edit = child<StringLineEdit>(page, name);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// The wizard as the preparer fills it: Jane Roe, married, Ontario, with her
// husband John in the same return.
void fillNewReturnWizard(NewReturnWizard* wizard)
{
    QWidget* taxpayer = wizard->taxpayerPage();
    typeIntoWizard(taxpayer, "fld_FirstName", "Jane");
    typeIntoWizard(taxpayer, "fld_LastName", "Roe");
    typeIntoWizard(taxpayer, "fld_sin", "046 454 286");
    child<StyledDateEdit>(taxpayer, "fld_dob")->setDate(QDate(1985, 7, 14));
    auto* province = child<CT1ComboBox>(taxpayer, "fld_TaxPronv");
    province->setCurrentIndex(province->findData(kOntario));
    QTest::keyClick(child<QRadioButton>(taxpayer, "fld_MaritalStatus_0"), Qt::Key_Space);
    keepPicture(wizard, kPictures, "01-wizard-taxpayer");
    QTest::mouseClick(wizard->button(QWizard::NextButton), Qt::LeftButton);

    QWidget* spouse = wizard->spousePage();
    typeIntoWizard(spouse, "fld_FirstNameSpouse", "John");
    typeIntoWizard(spouse, "fld_LastNameSpouse", "Roe");
    typeIntoWizard(spouse, "fld_sinSpouse", "130 692 544");
    child<StyledDateEdit>(spouse, "fld_dobSpouse")->setDate(QDate(1983, 2, 20));
    auto* coupled = child<StyledCheckBox>(spouse, "fld_Coupled");
    if (!coupled->isChecked())
        QTest::keyClick(coupled, Qt::Key_Space);
    keepPicture(wizard, kPictures, "02-wizard-spouse");
    QTest::mouseClick(wizard->button(QWizard::NextButton), Qt::LeftButton);
    QTest::mouseClick(wizard->button(QWizard::FinishButton), Qt::LeftButton);
}

// A single Ontario return through the wizard.
void fillSingleReturnWizard(NewReturnWizard* wizard, const QString& first, const QString& last, const QString& sin)
{
    QWidget* taxpayer = wizard->taxpayerPage();
    typeIntoWizard(taxpayer, "fld_FirstName", first);
    typeIntoWizard(taxpayer, "fld_LastName", last);
    typeIntoWizard(taxpayer, "fld_sin", sin);
    child<StyledDateEdit>(taxpayer, "fld_dob")->setDate(QDate(1990, 1, 10));
    auto* province = child<CT1ComboBox>(taxpayer, "fld_TaxPronv");
    province->setCurrentIndex(province->findData(kOntario));
    QTest::keyClick(child<QRadioButton>(taxpayer, "fld_MaritalStatus_5"), Qt::Key_Space);
    // Without a spouse the next page is the forms page, the last.
    QTest::mouseClick(wizard->button(QWizard::NextButton), Qt::LeftButton);
    QTest::mouseClick(wizard->button(QWizard::FinishButton), Qt::LeftButton);
}

QStringList personNames(Form_Return* page)
{
    QStringList out;
    auto* chooser = page->findChild<QComboBox*>("comboBox");
    for (int i = 0; chooser && i < chooser->count(); ++i)
        out << chooser->itemText(i);
    return out;
}

QLabel* resultLine(Form_Return* page, int line)
{
    return page->findChild<QLabel*>(QStringLiteral("lblResultLine%1").arg(line));
}

// What the window shows of the open return's results.
struct ShownFigures
{
    QString status;
    QStringList resultLines;
    QString federalTax;
    bool operator==(const ShownFigures& other) const
    {
        return status == other.status && resultLines == other.resultLines && federalTax == other.federalTax;
    }
};

char* toString(const ShownFigures& figures)
{
    return QTest::toString(figures.status + " | " + figures.resultLines.join(" | ") + " | " + figures.federalTax);
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The bytes the return would be saved as, written aside: equal bytes, equal
// return.
QByteArray savedBytes(CFamilyTaxData* family, const QString& path)
{
    QFile::remove(path);
    return family->saveToFile(CString(path), TabWndApp::s_appPurpose) == 0 ? bytesOf(path) : QByteArray();
}

} // namespace

class TestAcceptanceFamily : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;
    QString m_savedPath;
    ShownFigures m_shown;

    Form_Return* page() const { return dynamic_cast<Form_Return*>(f->window->currentReturnPage()); }

    ShownFigures shownFigures()
    {
        Form_Return* p = page();
        ShownFigures out;
        out.status = statusText(*f);
        for (int line = 1; line <= 3; ++line)
            out.resultLines << resultLine(p, line)->text();
        showForm(p, FORM_T1);
        out.federalTax = shownText(p, "line42000NetFederalTax");
        return out;
    }

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();
    void newCoupledReturnThroughTheWizard();
    void savedClosedAndReopenedFromTheStartPage();
    void validateOptimizeAndPlan();
    void importCoupleChangeProvinceDecouple();
};

void TestAcceptanceFamily::initTestCase()
{
    f = std::make_unique<WindowFixture>();
    QVERIFY(f->ready);
    f->window->resize(1280, 860);
    QApplication::setActiveWindow(f->window);
    QVERIFY(keepPicture(f->window, kPictures, "00-start"));
}

// Every message the program asked was answered by the step, none by
// default, and no answer was left over.
void TestAcceptanceFamily::cleanup()
{
    QStringList unanswered;
    for (const PromptRecord& record : f->prompter->records())
        if (record.answeredByDefault || record.unexpectedAnswer)
            unanswered << record.texts.join("\n");
    QVERIFY2(unanswered.isEmpty(), qPrintable(unanswered.join(" | ")));
    QCOMPARE(f->prompter->pendingAnswers(), 0);
    f->prompter->clear();
}

void TestAcceptanceFamily::cleanupTestCase()
{
    f.reset();
}

// Worked by hand from the 2024 rules (the agency's T1 General 2024, its
// Schedule 1 and Federal Worksheet; Ontario's ON428 2024; CPP 5.95 % over
// the 3,500 exemption, of which 1 % is the enhanced part; EI 1.66 %):
//
// Jane: T4 60,000 (CPP 3,361.75 = 56,500 x 5.95 %, EI 996.00 = 60,000 x
// 1.66 %, tax deducted 10,000), T5 interest 1,010, medical expenses 3,000.
//   Total income 61,010.00; line 22215 enhanced CPP 56,500 x 1 % = 565.00;
//   net and taxable income 60,445.00 (the child care is John's).
//   Federal tax: 55,867 x 15 % = 8,380.05, plus (60,445 - 55,867) x 20.5 %
//   = 938.49: 9,318.54.
//   Credits: basic 15,705 + CPP base 2,796.75 (56,500 x 4.95 %) + EI 996.00
//   + Canada employment 1,433 + medical 3,000 - 3 % x 60,445 = 1,186.65
//   (3 % is below 2,759): 22,117.40 x 15 % = 3,317.61.
//   Line 42000 = 9,318.54 - 3,317.61 = 6,000.93.
//   Ontario: 51,446 x 5.05 % = 2,598.02, plus 8,999 x 9.15 % = 823.41:
//   3,421.43. Credits: basic 12,399 + 2,796.75 + 996.00 + medical 1,186.65
//   (3 % is below 2,885) = 17,378.40 x 5.05 % = 877.61. Basic Ontario tax
//   2,543.82: no surtax (below 5,554), no reduction (2 x 286 and 2 x (286 +
//   529) are both below it), no LIFT credit (family net income far above
//   its phase-out). Health premium at 60,445 (48,600 to 72,000): 600.
//   Line 42800 = 3,143.82.
//   Total payable 6,000.93 + 3,143.82 = 9,144.75; deducted 10,000.00:
//   refund 855.25.
// John: T4 45,000 (CPP 2,469.25, EI 747.00, tax deducted 6,000), child care
// 4,000 for Lily (born 2020): the spouse with the lower net income claims;
// limit 8,000 for a child under 7, two thirds of earned income 30,000:
// line 21400 = 4,000.00.
void TestAcceptanceFamily::newCoupledReturnThroughTheWizard()
{
    const ModalGuard guard(60000);
    bool wizardShown = false;
    modalsteps::whenModal<NewReturnWizard>([&wizardShown](NewReturnWizard* wizard) {
        wizardShown = true;
        fillNewReturnWizard(wizard);
    });
    f->action("actionNew")->trigger();
    QVERIFY(wizardShown);
    Form_Return* p = page();
    QVERIFY2(p, qPrintable(f->promptTexts().join(" | ")));
    CFamilyTaxData* family = p->familyData();
    QVERIFY(family->IsCoupledReturn());
    const QStringList names = {p->findChild<QComboBox*>("comboBox")->itemText(0),
                               p->findChild<QComboBox*>("comboBox")->itemText(1)};
    QCOMPARE(names, (QStringList{"Jane Roe", "John Roe"}));

    // The child, once, on the dependants page.
    QVERIFY(showInterview(p, "Dependants"));
    QCOMPARE(shownForm(p), QString("Dependants"));
    QVERIFY(typeInto(p, "FirstName1", "Lily"));
    QVERIFY(typeInto(p, "LastName1", "Roe"));
    QVERIFY(choose(p, "Relationship1", "Son or daughter"));
    QVERIFY(setDate(p, "BirthDate1", QDate(2020, 9, 1)));
    QVERIFY(keepPicture(f->window, kPictures, "03-dependants"));
    QCOMPARE(QString(family->dependants().GetAt(0)->firstName), QString("Lily"));

    // Jane's slips.
    f->action("actionAdd_T4_slip")->trigger();
    QCOMPARE(p->shownKind(), int(FROM_SLIP));
    QVERIFY(typeInto(p, "box14EmploymentIncome", "60000"));
    QVERIFY(typeInto(p, "box16CppContributions", "3361.75"));
    QVERIFY(typeInto(p, "box18EiPremiums", "996"));
    QVERIFY(typeInto(p, "box22IncomeTaxDeducted", "10000"));
    QVERIFY(keepPicture(f->window, kPictures, "04-jane-t4"));
    f->action("actionAdd_T5_slip")->trigger();
    QVERIFY(typeInto(p, "box13Interest", "1010"));
    QVERIFY(keepPicture(f->window, kPictures, "05-jane-t5"));

    // Jane's own medical expenses.
    QVERIFY(showInterview(p, "Medical Expenses"));
    QCOMPARE(shownText(p, "DepFirstName1"), QString("Lily"));
    QVERIFY(typeInto(p, "Own1", "3000"));
    QVERIFY(keepPicture(f->window, kPictures, "06-medical-expenses"));

    // Jane's mailing address and answers on her T1.
    const MailingAddressAndAnswers home{"41 Maple Ave", "Guelph", "Ontario", "N1H 3T4"};
    QVERIFY(typeMailingAddressAndAnswers(p, home));

    // John's slip and the child care he claims.
    QVERIFY(switchTo(p, CFamilyTaxData::kSpouse));
    QVERIFY(typeMailingAddressAndAnswers(p, home));
    f->action("actionAdd_T4_slip")->trigger();
    QVERIFY(typeInto(p, "box14EmploymentIncome", "45000"));
    QVERIFY(typeInto(p, "box16CppContributions", "2469.25"));
    QVERIFY(typeInto(p, "box18EiPremiums", "747"));
    QVERIFY(typeInto(p, "box22IncomeTaxDeducted", "6000"));
    addFormFromList(f->action("actionAdd_a_Tax_Form"), "T778", FORM_T778);
    // The form joins the tree; its row opens it.
    QVERIFY(showForm(p, FORM_T778));
    QCOMPARE(shownForm(p), QString::fromUtf8(getFormName(FORM_T778)));
    QVERIFY(typeInto(p, "OwnAmount", "4000"));
    QVERIFY(keepPicture(f->window, kPictures, "07-john-child-care"));
    QVERIFY(showForm(p, FORM_T1));
    QCOMPARE(shownText(p, "line21400ChildCare"), DoubleLineEdit::formatAmount(4000.00));

    // Back to Jane: her T1, her status and the family's results.
    QVERIFY(switchTo(p, CFamilyTaxData::kTaxpayer));
    QVERIFY(showForm(p, FORM_T1));
    QCOMPARE(shownText(p, "line15000TotalIncome"), DoubleLineEdit::formatAmount(61010.00));
    QCOMPARE(shownText(p, "line23600NetIncome"), DoubleLineEdit::formatAmount(60445.00));
    QCOMPARE(shownText(p, "line42000NetFederalTax"), DoubleLineEdit::formatAmount(6000.93));
    QVERIFY(keepPicture(f->window, kPictures, "08-jane-t1"));
    const QString status = statusText(*f);
    QVERIFY2(status.startsWith("[Total Income]=61,010.00 [Net Income]=60,445.00 [Taxable Income]=60,445.00 "),
             qPrintable(status));
    QVERIFY2(qAbs(balanceOf(status) - -855.25) < kCent, qPrintable(status));
    // The result lines: each person's, and the family's their sum.
    const double jane = balanceOf(resultLine(p, 1)->text());
    const double john = balanceOf(resultLine(p, 2)->text());
    const double both = balanceOf(resultLine(p, 3)->text());
    QVERIFY2(resultLine(p, 1)->text().startsWith("Jane"), qPrintable(resultLine(p, 1)->text()));
    QVERIFY2(resultLine(p, 2)->text().startsWith("John"), qPrintable(resultLine(p, 2)->text()));
    QVERIFY2(resultLine(p, 3)->text().startsWith("Family"), qPrintable(resultLine(p, 3)->text()));
    QVERIFY(qAbs(jane - balanceOf(status)) < kCent);
    QVERIFY2(qAbs(both - (jane + john)) < kCent, qPrintable(resultLine(p, 3)->text()));
    QVERIFY(select(p, p->folderView()->resultItem()));
    QVERIFY(keepPicture(f->window, kPictures, "09-family-result"));
    QVERIFY(p->isChanged());
    m_shown = shownFigures();
}

void TestAcceptanceFamily::savedClosedAndReopenedFromTheStartPage()
{
    Form_Return* p = page();
    QVERIFY(p);
    // Save Return As: the preparer names the file "Jane_Roe.r24" in the
    // folder the program proposes.
    m_savedPath = f->home.filePath("Documents/vodarevivo/2024/data/Jane_Roe.r24");
    f->prompter->queueFile(m_savedPath);
    f->action("actionSave_Return_As")->trigger();
    QVERIFY2(QFileInfo::exists(m_savedPath), qPrintable(f->promptTexts().join(" | ")));
    QCOMPARE(f->prompter->records().last().kind, PromptKind::SaveFile);
    QVERIFY2(f->prompter->records().last().texts.value(0).startsWith(QFileInfo(m_savedPath).path() + "/Jane_Roe"),
             qPrintable(f->prompter->records().last().texts.join(" ")));
    QVERIFY(!p->isChanged());
    QVERIFY2(f->window->windowTitle().contains("Jane_Roe.r24"), qPrintable(f->window->windowTitle()));
    const QByteArray bytes = bytesOf(m_savedPath);

    const int prompts = f->prompter->records().size();
    f->action("actionClose_Return")->trigger();
    QCOMPARE(f->window->openReturnCount(), 0);
    QCOMPARE(f->prompter->records().size(), prompts);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The start page lists the return; a double click on its row opens it.
    ViewIntroduction* start = f->window->startPage();
    QVERIFY(start->isVisible());
    QTableView* table = start->widgets()->tableView;
    const QAbstractItemModel* rows = table->model();
    int row = -1;
    for (int r = 0; r < rows->rowCount(); ++r)
        if (rows->index(r, 0).data().toString().contains("Jane"))
            row = r;
    QVERIFY2(row >= 0, "the saved return is not listed");
    QVERIFY(keepPicture(f->window, kPictures, "10-start-page-list"));
    const QPoint centre = table->visualRect(rows->index(row, 0)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, centre);
    p = page();
    QVERIFY2(p, qPrintable(f->promptTexts().join(" | ")));
    QCOMPARE(f->window->openReturnCount(), 1);
    QVERIFY(!p->isChanged());
    QCOMPARE(shownFigures(), m_shown);
    QVERIFY(keepPicture(f->window, kPictures, "11-reopened"));
    // Opening reads the file and never writes it.
    QCOMPARE(bytesOf(m_savedPath), bytes);

    // The batch mode on a list holding the file: the same status line, with
    // amounts as the batch mode writes them (no thousands separators).
    QTemporaryDir work;
    QFile list(work.filePath("list.txt"));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("Jane_Roe.r24\n");
    list.close();
    QProcess batch;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", f->home.path());
    batch.setProcessEnvironment(env);
    batch.setWorkingDirectory(work.path());
    batch.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    batch.start(QCoreApplication::applicationDirPath() + "/vodarevivo",
                {"printresult", QFileInfo(m_savedPath).path() + "/", "list.txt"});
    QVERIFY2(batch.waitForStarted(), "the program is not built");
    QVERIFY(batch.waitForFinished(60000));
    QCOMPARE(batch.exitCode(), 0);
    QFile result(work.filePath("taxresult.txt"));
    QVERIFY(result.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(result.readAll()).split('\n');
    QCOMPARE(lines.value(0), QString("Jane_Roe.r24"));
    QCOMPARE(lines.value(1), QString(m_shown.status).remove(','));
}

// Validation passes; the optimiser's donation split is no worse
// than any split on a 1 % grid, worked through the model on a copy; neither
// the optimiser left with "No Change and Close" nor tax planning changes the
// open return.
void TestAcceptanceFamily::validateOptimizeAndPlan()
{
    Form_Return* p = page();
    QVERIFY(p);
    CFamilyTaxData* family = p->familyData();
    QTemporaryDir aside;
    const QByteArray before = savedBytes(family, aside.filePath("before.r24"));
    QVERIFY(!before.isEmpty());
    const ModalGuard guard(120000);

    // Validate Return: the family's return is complete, so the result is the
    // message that it passes; the warnings are not looked at.
    f->prompter->clear();
    f->prompter->queueYes(false);
    f->action("actionValidate_Return")->trigger();
    QCOMPARE(f->promptTexts(), QStringList{"This tax return passes validation check, there are no errors found.\n\n"
                                           "Do you want to view the warning message?"});

    // Optimize: 1,500 of donations the two may share.
    constexpr double kPool = 1500;
    QString familyBest;
    modalsteps::whenModal<QWizard>([&](QWizard* wizard) {
        auto* pool = wizard->findChild<DoubleLineEdit*>("fld_Donation_3");
        pool->setFocus();
        pool->selectAll();
        QTest::keyClicks(pool, "1500");
        wizard->grab().save(modalsteps::artefactPath(kPictures + "/13-shareable-amounts.png"));
        QTest::mouseClick(wizard->button(QWizard::FinishButton), Qt::LeftButton);
    });
    modalsteps::whenModal<DlgOptimizeReturn>([&](DlgOptimizeReturn* dialog) {
        familyBest = dialog->findChild<QLabel*>("lblFamilyBest")->text();
        dialog->grab().save(modalsteps::artefactPath(kPictures + "/14-optimize.png"));
        QTest::mouseClick(dialog->findChild<QPushButton*>("btnClose"), Qt::LeftButton);
    });
    f->action("actionOptimize")->trigger();
    QVERIFY2(!familyBest.isEmpty(), qPrintable(f->promptTexts().join(" | ")));
    const double best = balanceOf(familyBest);
    QVERIFY2(!qIsNaN(best), qPrintable(familyBest));

    // The grid: the taxpayer claims 0 %, 1 %, ... 100 % of the pool.
    CFamilyTaxData scratch(family->mode());
    scratch = *family;
    DataShareAmtDlg amounts;
    readShareableAmounts(scratch, amounts);
    amounts.fld_Donation_3.m_value = kPool;
    amounts.Calculate();
    double gridBest = 1e12;
    double gridBestAt = -1;
    for (int percent = 0; percent <= 100; ++percent) {
        recalculateAtSplit(scratch, amounts, kPool * percent / 100.0, 0.0);
        double taxpayer = 0, spouse = 0, total = 0;
        scratch.GetFamilyReturnStatus(taxpayer, spouse, total);
        if (total < gridBest) {
            gridBest = total;
            gridBestAt = percent;
        }
    }
    scratch.FreeData();
    QVERIFY2(best <= gridBest + kCent, qPrintable(QString("optimiser %1, grid %2 at %3 %")
                                                      .arg(best).arg(gridBest).arg(gridBestAt)));
    QCOMPARE(shownFigures(), m_shown);

    // Tax planning: a deduction of 2,000 tried on Jane's return changes what
    // the dialog shows after planning, and nothing of the open return.
    QString plannedBefore, plannedAfter;
    modalsteps::whenModal<DlgTaxPlanning>([&](DlgTaxPlanning* dialog) {
        auto* deduction = dialog->findChild<QLineEdit*>("edtDeductionMax");
        deduction->setFocus();
        deduction->selectAll();
        QTest::keyClicks(deduction, "2000");
        QTest::keyClick(deduction, Qt::Key_Return);
        dialog->findChild<QSlider*>("sldDeduction")->setValue(2000);
        plannedBefore = dialog->findChild<QLabel*>("lblResult1_2")->text();
        plannedAfter = dialog->findChild<QLabel*>("lblResult1_1")->text();
        dialog->grab().save(modalsteps::artefactPath(kPictures + "/15-tax-planning.png"));
        dialog->reject();
    });
    f->action("actionTax_Planning")->trigger();
    QCOMPARE(plannedBefore, "Jane Roe - " + QString(family->getTaxpayer()->GetReturnStatusString(0)));
    QVERIFY2(plannedAfter.startsWith("Jane Roe - [Total Income]=61010.00 [Net Income]=58445.00"),
             qPrintable(plannedAfter));
    QVERIFY(!p->isChanged());
    QCOMPARE(shownFigures(), m_shown);
    QCOMPARE(savedBytes(family, aside.filePath("after.r24")), before);
}

// Last year's return, two single returns made one, a move to another
// province and the couple parted again, each from the window's commands.
void TestAcceptanceFamily::importCoupleChangeProvinceDecouple()
{
    const ModalGuard guard(120000);
    QVERIFY(page());
    const QString folder = QFileInfo(m_savedPath).path();

    // Import Prior Year's Return: a copy of the saved file (the file itself
    // is open in a page, and an open file is shown, not imported), with the
    // options as offered.
    const QString lastYear = QDir(folder).filePath("last-year.r24");
    QFile::remove(lastYear);
    QVERIFY(QFile::copy(m_savedPath, lastYear));
    f->prompter->clear();
    f->prompter->queueFile(lastYear);
    bool optionsShown = false;
    modalsteps::whenModal<DlgImportOption_Info>([&optionsShown](DlgImportOption_Info* dialog) {
        optionsShown = true;
        dialog->grab().save(modalsteps::artefactPath(kPictures + "/16-import-options.png"));
        QTest::mouseClick(dialog->findChild<QPushButton*>("btnImport"), Qt::LeftButton);
    });
    const QByteArray savedBefore = bytesOf(lastYear);
    f->action("actionImport_Prior_Year_s_Return")->trigger();
    QVERIFY(optionsShown);
    QCOMPARE(f->window->openReturnCount(), 2);
    Form_Return* imported = page();
    QVERIFY(imported);
    QVERIFY(!imported->hasFileToSave());
    QVERIFY2(f->window->windowTitle().endsWith("Untitled (unsaved)"), qPrintable(f->window->windowTitle()));
    QCOMPARE(personNames(imported), (QStringList{"Jane Roe", "John Roe"}));
    QVERIFY(showForm(imported, FORM_T1));
    QCOMPARE(shownText(imported, "SIN").remove(' ').remove('-'), QString("046454286"));
    QVERIFY(showInterview(imported, "Dependants"));
    QCOMPARE(shownText(imported, "FirstName1"), QString("Lily"));
    // Last year's slips are not carried into this year: the year starts
    // with no income.
    QCOMPARE(rowLabels(imported->folderView()->slipsItem()), QStringList());
    QVERIFY2(statusText(*f).startsWith("[Total Income]=0.00 "), qPrintable(statusText(*f)));
    QVERIFY(keepPicture(f->window, kPictures, "17-imported"));
    QCOMPARE(bytesOf(lastYear), savedBefore);
    // Both closed: the imported one was never saved, so it asks first.
    f->prompter->queueButton(Prompt::Discard);
    f->action("actionClose_Return")->trigger();
    f->action("actionClose_Return")->trigger();
    QCOMPARE(f->window->openReturnCount(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Two single returns, each made with New Return and saved; Bob's S.I.N.
    // is not known yet.
    const struct
    {
        const char* first;
        const char* last;
        const char* sin;
        const char* file;
    } singles[] = {{"Ann", "Lee", "527 000 509", "Ann_Lee.r24"}, {"Bob", "Roy", "", "Bob_Roy.r24"}};
    for (const auto& single : singles) {
        modalsteps::whenModal<NewReturnWizard>([&single](NewReturnWizard* wizard) {
            fillSingleReturnWizard(wizard, single.first, single.last, single.sin);
        });
        f->action("actionNew")->trigger();
        QVERIFY2(page(), qPrintable(f->promptTexts().join(" | ")));
        QCOMPARE(personNames(page()), QStringList{QString(single.first) + " " + single.last});
        QVERIFY(typeMailingAddressAndAnswers(page(), {"8 Elm St", "Kingston", "Ontario", "K7L 2V6"}));
        f->action("actionAdd_T4_slip")->trigger();
        QVERIFY(typeInto(page(), "box14EmploymentIncome", "30000"));
        f->prompter->queueFile(folder + "/" + single.file);
        f->action("actionSave_Return")->trigger();
        QVERIFY(QFileInfo::exists(folder + "/" + single.file));
        f->action("actionClose_Return")->trigger();
        QCOMPARE(f->window->openReturnCount(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Couple Returns (2to1).
    modalsteps::whenModal<QWizard>([&folder](QWizard* wizard) {
        wizard->findChild<StringLineEdit*>("fld_Filename1")->setText(folder + "/Ann_Lee.r24");
        wizard->findChild<StringLineEdit*>("fld_Filename2")->setText(folder + "/Bob_Roy.r24");
        wizard->grab().save(modalsteps::artefactPath(kPictures + "/18-couple-returns.png"));
        QTest::mouseClick(wizard->button(QWizard::FinishButton), Qt::LeftButton);
    });
    f->prompter->clear();
    f->prompter->queueButton(Prompt::Yes); // they are married
    f->action("actionCouple_Returns_2to1")->trigger();
    QCOMPARE(f->promptTexts().value(0), QString("Neither return is of a married or common-law person. What is the "
                                                "couple's marital status?\n\n'Yes' for married, 'No' for "
                                                "common-law, or 'Cancel' coupling"));
    Form_Return* coupled = page();
    QVERIFY2(coupled, qPrintable(f->promptTexts().join(" | ")));
    QVERIFY(coupled->familyData()->IsCoupledReturn());
    QCOMPARE(personNames(coupled), (QStringList{"Ann Lee", "Bob Roy"}));
    QVERIFY(!coupled->hasFileToSave());
    // Both incomes reach the family's result line.
    QVERIFY2(resultLine(coupled, 3)->text().startsWith("Family"), qPrintable(resultLine(coupled, 3)->text()));
    QVERIFY(qAbs(balanceOf(resultLine(coupled, 3)->text()) - (balanceOf(resultLine(coupled, 1)->text()) +
                                                                balanceOf(resultLine(coupled, 2)->text()))) < kCent);
    QVERIFY2(statusText(*f).startsWith("[Total Income]=30,000.00"), qPrintable(statusText(*f)));
    QVERIFY(keepPicture(f->window, kPictures, "19-coupled"));

    // Validate Return on it: Bob has no S.I.N., so the result dialog lists
    // each person's messages.
    QStringList tabTitles;
    QList<QStringList> rows;
    modalsteps::whenModal<DlgValidationMsgs>([&](DlgValidationMsgs* dialog) {
        auto* people = dialog->findChild<QTabWidget*>("tabPeople");
        for (int i = 0; i < people->count(); ++i) {
            tabTitles << people->tabText(i);
            QStringList shown;
            if (auto* list = people->widget(i)->findChild<QListWidget*>())
                for (int r = 0; r < list->count(); ++r)
                    shown << list->item(r)->text();
            rows << shown;
        }
        people->setCurrentIndex(1);
        dialog->grab().save(modalsteps::artefactPath(kPictures + "/19b-validation-result.png"));
        dialog->accept();
    });
    f->prompter->clear();
    f->action("actionValidate_Return")->trigger();
    QVERIFY2(!tabTitles.isEmpty(), qPrintable(f->promptTexts().join(" | ")));
    QCOMPARE(tabTitles, (QStringList{"Ann Lee", "Bob Roy"}));
    QCOMPARE(rows.value(0),
             QStringList{"There are no validation errors found in this return, Please check spouse's side."});
    QVERIFY2(rows.value(1).contains(" 1 - T1: the social insurance number is not valid."),
             qPrintable(rows.value(1).join("\n")));

    // Change Tax Province: both move to Alberta.
    const QStringList formsBefore = rowLabels(coupled->folderView()->formsItem());
    const QString ontarioStatus = statusText(*f);
    constexpr int kAlberta = 1;
    modalsteps::whenModal<QWizard>([](QWizard* wizard) {
        auto* province = wizard->findChild<CT1ComboBox*>("fld_NewTaxProv");
        province->setCurrentIndex(province->findData(kAlberta));
        QTest::mouseClick(wizard->findChild<QRadioButton*>("fld_ChgBoth_0"), Qt::LeftButton);
        wizard->grab().save(modalsteps::artefactPath(kPictures + "/20-change-province.png"));
        QTest::mouseClick(wizard->button(QWizard::FinishButton), Qt::LeftButton);
    });
    f->prompter->clear();
    f->action("actionChange_Tax_Province")->trigger();
    QCOMPARE(f->promptTexts().value(0),
             QString("Tax return file is changed to the new province, you need to save file the confirm the changes."));
    const QStringList formsAfter = rowLabels(coupled->folderView()->formsItem());
    // Recalculated with Alberta's tax: the same incomes, another balance.
    QVERIFY2(statusText(*f).startsWith("[Total Income]=30,000.00"), qPrintable(statusText(*f)));
    QVERIFY2(balanceOf(statusText(*f)) != balanceOf(ontarioStatus), qPrintable(statusText(*f)));
    QVERIFY2(formsBefore.join(" ").contains("ON428"), qPrintable(formsBefore.join(" | ")));
    QVERIFY2(!formsAfter.join(" ").contains("ON428"), qPrintable(formsAfter.join(" | ")));
    QVERIFY2(formsAfter.join(" ").contains("AB428"), qPrintable(formsAfter.join(" | ")));
    QVERIFY(switchTo(coupled, CFamilyTaxData::kSpouse));
    QVERIFY2(rowLabels(coupled->folderView()->formsItem()).join(" ").contains("AB428"),
             qPrintable(rowLabels(coupled->folderView()->formsItem()).join(" | ")));
    QVERIFY(switchTo(coupled, CFamilyTaxData::kTaxpayer));
    // Alberta's own amounts for this family (the caregiver lines among them)
    // are all computed now: no line above the pages says something is left out.
    auto* note = coupled->findChild<QLabel*>("lblNotComputed");
    QVERIFY(note);
    QVERIFY2(!note->isVisible(), qPrintable(note->text()));
    QVERIFY(keepPicture(f->window, kPictures, "21-alberta"));

    // De-Couple Return, keeping Bob.
    QStringList offered;
    modalsteps::whenModal<DlgDeCoupleReturn>([&offered](DlgDeCoupleReturn* dialog) {
        auto* combo = dialog->findChild<QComboBox*>("comboBox");
        for (int i = 0; i < combo->count(); ++i)
            offered << combo->itemText(i);
        combo->setCurrentIndex(1);
        dialog->grab().save(modalsteps::artefactPath(kPictures + "/22-de-couple.png"));
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    // The coupled return, never saved, changed province: the user is asked
    // to save it before it is parted, and goes on without.
    f->prompter->clear();
    f->prompter->queueButton(Prompt::Discard);
    f->action("actionDe_Couple_Return_1to2")->trigger();
    QCOMPARE(f->prompter->records().size(), 1);
    QVERIFY2(f->promptTexts().value(0).startsWith("This coupled return has never been saved."),
             qPrintable(f->promptTexts().join(" | ")));
    QCOMPARE(offered, (QStringList{"Ann Lee", "Bob Roy"}));
    QVERIFY(!coupled->familyData()->IsCoupledReturn());
    QCOMPARE(personNames(coupled), QStringList{"Bob Roy"});
    QVERIFY2(f->window->windowTitle().endsWith("Untitled (unsaved)"), qPrintable(f->window->windowTitle()));
    QVERIFY2(rowLabels(coupled->folderView()->formsItem()).join(" ").contains("AB428"),
             qPrintable(rowLabels(coupled->folderView()->formsItem()).join(" | ")));
    QVERIFY2(resultLine(coupled, 1)->text().startsWith("Bob"), qPrintable(resultLine(coupled, 1)->text()));
    QCOMPARE(resultLine(coupled, 3)->text(), QString());
    QVERIFY2(statusText(*f).startsWith("[Total Income]=30,000.00"), qPrintable(statusText(*f)));
    QVERIFY(keepPicture(f->window, kPictures, "23-de-coupled"));
}

QTEST_APPLESS_MAIN(TestAcceptanceFamily)
#include "tst_acceptancefamily.moc"
