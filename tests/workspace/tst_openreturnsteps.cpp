#include <QtTest>

#include "../../bench/openreturnsteps.h"
#include "common/modalsteps.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/money.h"
#include "windowfixture.h"

#include <QLabel>

// The steps the window benchmark times must show what a user waits for:
// the saved return's T1 page with its figures, the form picked in the tree,
// and the recalculated return after a slip is edited. A step that showed an
// empty page or the wrong one would time nothing worth timing.
class TestOpenReturnSteps : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void savedReturnHoldsProvincialForms();
    void openShowsTheT1WithTheReturnsFigures();
    void switchShowsThePickedForm_data();
    void switchShowsThePickedForm();
    void slipEditReachesTheT1();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

namespace {

// The taxpayer's employment income on the saved return: benchreturns gives
// every third of the 30 slips (i = 0, 3, ..., 27) as a T4 of 20,000 + i,
// so ten T4s: 10 x 20,000 + (0 + 3 + ... + 27) = 200,000 + 135 = 200,135.
constexpr double kTaxpayerEmployment = 200135.0;

QString amountText(double amount)
{
    return QString::fromStdString(taxrules::formatAmount(amount));
}

QString lineText(BaseTaxPage* page, const char* field)
{
    CTaxData_Form* form = page ? page->getFormData() : nullptr;
    auto* editor = form ? qobject_cast<QLineEdit*>(page->editorFor(form->findField(field))) : nullptr;
    return editor ? editor->text() : QStringLiteral("<no editor for %1>").arg(QLatin1String(field));
}

// The T1 page that holds the field, among the shown return's pages.
BaseTaxPage* pageWith(Form_Return* page, const char* field)
{
    for (BaseTaxPage* p : page->allPages())
        if (p->getFormData() && p->editorFor(p->getFormData()->findField(field)))
            return p;
    return nullptr;
}

} // namespace

void TestOpenReturnSteps::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath("coupled.r24");
}

void TestOpenReturnSteps::savedReturnHoldsProvincialForms()
{
    WindowFixture f;
    QVERIFY(f.ready);
    QCOMPARE(openreturnsteps::saveCoupledReturn(m_path), 0);
    int code = -1;
    std::unique_ptr<CFamilyTaxData> read(CFamilyTaxData::serializeFromFile(CString(m_path), code));
    QCOMPARE(code, 0);
    QVERIFY(read && read->getTaxpayer() && read->getSpouse());
    QVERIFY(openreturnsteps::holdsProvincialForm(*read->getTaxpayer()));
    QVERIFY(openreturnsteps::holdsProvincialForm(*read->getSpouse()));
    QCOMPARE(read->getTaxpayer()->m_slipList.size(), size_t(benchreturns::kSlipsEach));
}

void TestOpenReturnSteps::openShowsTheT1WithTheReturnsFigures()
{
    WindowFixture f;
    QVERIFY(f.ready);
    QCOMPARE(openreturnsteps::saveCoupledReturn(m_path), 0);
    f.window->resize(1280, 760);
    openreturnsteps::PaintWatch watch;
    BaseTaxPage* painted = openreturnsteps::openToPaintedPage(f.window, watch, m_path);
    QVERIFY(painted);
    QVERIFY(painted->getFormData());
    QCOMPARE(int(painted->getFormData()->m_type), int(FORM_T1));
    Form_Return* page = openreturnsteps::shownReturn(f.window);
    QVERIFY(page);
    QCOMPARE(page->pages().front(), painted);
    QCOMPARE(lineText(pageWith(page, "line10100EmploymentIncome"), "line10100EmploymentIncome"),
             amountText(kTaxpayerEmployment));
    QVERIFY(f.window->grab().save(modalsteps::artefactPath("open-return-steps-t1.png")));
    openreturnsteps::closeShownReturn(f.window);
    QVERIFY(!openreturnsteps::shownReturn(f.window));
}

void TestOpenReturnSteps::switchShowsThePickedForm_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("Schedule 7") << int(FORM_SCH7);
    QTest::newRow("T1") << int(FORM_T1);
}

void TestOpenReturnSteps::switchShowsThePickedForm()
{
    QFETCH(int, type);
    WindowFixture f;
    QVERIFY(f.ready);
    QCOMPARE(openreturnsteps::saveCoupledReturn(m_path), 0);
    openreturnsteps::PaintWatch watch;
    QVERIFY(openreturnsteps::openToPaintedPage(f.window, watch, m_path));
    Form_Return* page = openreturnsteps::shownReturn(f.window);
    QVERIFY(page);
    // Away first, so that picking the T1 is a switch too.
    QVERIFY(openreturnsteps::switchToSlip(page, watch, 1));
    BaseTaxPage* painted = openreturnsteps::switchToForm(page, watch, ENUMTYPE_FORM(type));
    QVERIFY(painted);
    QCOMPARE(int(painted->getFormData()->m_type), type);
    QCOMPARE(page->pages().front(), painted);
}

void TestOpenReturnSteps::slipEditReachesTheT1()
{
    WindowFixture f;
    QVERIFY(f.ready);
    QCOMPARE(openreturnsteps::saveCoupledReturn(m_path), 0);
    openreturnsteps::PaintWatch watch;
    QVERIFY(openreturnsteps::openToPaintedPage(f.window, watch, m_path));
    Form_Return* page = openreturnsteps::shownReturn(f.window);
    BaseTaxPage* slip = openreturnsteps::switchToSlip(page, watch, 1);
    QVERIFY(slip);
    auto* status = f.window->findChild<QLabel*>("lblResult");
    QVERIFY(status);
    const QString before = status->text();
    // The first T4 held 20,000; typed as 30,000 the taxpayer's employment
    // income grows by 10,000: 200,135 + 10,000 = 210,135.
    QCOMPARE(openreturnsteps::editToRepaintedPage(slip, watch, "box14EmploymentIncome", "30000"), slip);
    QVERIFY(status->text().startsWith("[Total Income]="));
    QVERIFY(status->text() != before);
    QVERIFY(openreturnsteps::switchToForm(page, watch, FORM_T1));
    QCOMPARE(lineText(pageWith(page, "line10100EmploymentIncome"), "line10100EmploymentIncome"),
             amountText(kTaxpayerEmployment + 10000.0));
}

QTEST_APPLESS_MAIN(TestOpenReturnSteps)
#include "tst_openreturnsteps.moc"
