// Computed lines on the real window: Schedule 9's net and taxable income
// and Schedule 11's working lines are shown read-only and shaded, and the
// RRSP page's total adds what was typed above it.
#include <QtTest>

#include "e2e/usersteps.h"
#include "returnpagefixture.h"

using namespace returnpage;

class TestComputedPages : public QObject
{
    Q_OBJECT
private slots:
    void schedulesShowComputedLinesReadOnly_data();
    void schedulesShowComputedLinesReadOnly();
    void rrspPageTotalsWhatWasTyped();
};

void TestComputedPages::schedulesShowComputedLinesReadOnly_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<QStringList>("computed");
    QTest::addColumn<QString>("typed");
    QTest::newRow("Schedule 9") << int(FORM_SCH9)
                                << QStringList{"NetIncome", "TaxableIncome", "line34000AllowableDonations"}
                                << "OtherDonations";
    QTest::newRow("Schedule 11") << int(FORM_SCH11)
                                 << QStringList{"TField", "CreditsBase", "line32000CurrentYear", "CarryForwardNext"}
                                 << "EligibleFees";
}

void TestComputedPages::schedulesShowComputedLinesReadOnly()
{
    QFETCH(int, form);
    QFETCH(QStringList, computed);
    QFETCH(QString, typed);
    WindowFixture f;
    f.window->resize(1100, 800);
    CFamilyTaxData* family = newFamily(singleRecord());
    QVERIFY(family->getTaxpayer()->GetFormData(ENUMTYPE_FORM(form), true));
    family->Calculate(-1, nullptr);
    Form_Return* page = present(f, family);
    QVERIFY(usersteps::showForm(page, form));
    for (const QString& name : computed) {
        auto* line = qobject_cast<QLineEdit*>(usersteps::editorOf(page, name));
        QVERIFY2(line, qPrintable(name));
        QVERIFY2(line->isReadOnly(), qPrintable(name));
        QCOMPARE(line->focusPolicy(), Qt::NoFocus);
        QCOMPARE(line->palette().color(QPalette::Base), line->palette().color(QPalette::Window));
    }
    // The line typed into takes the amount, and keeps it.
    QVERIFY(usersteps::typeInto(page, typed, "1500"));
    QCOMPARE(usersteps::shownText(page, typed), QString("1500.00"));
    QVERIFY(usersteps::keepPicture(f.window, "computed-lines", QString(QTest::currentDataTag()).replace(' ', '-')));
}

void TestComputedPages::rrspPageTotalsWhatWasTyped()
{
    WindowFixture f;
    f.window->resize(1100, 800);
    Form_Return* page = present(f, newFamily(singleRecord()));
    QVERIFY(usersteps::showInterview(page, "RRSP Contributions"));
    auto* total = qobject_cast<QLineEdit*>(usersteps::editorOf(page, "ContributionTotal"));
    QVERIFY(total);
    QVERIFY(total->isReadOnly());
    QVERIFY(usersteps::typeInto(page, "OwnPriorYearContributions", "5000"));
    // 5,000.00 typed, nothing else: the total is 5,000.00.
    QCOMPARE(usersteps::shownText(page, "ContributionTotal"), QString("5000.00"));
    QVERIFY(page->familyData()->getTaxpayer()->GetFormData(FORM_SCH7, false));
    QVERIFY(usersteps::keepPicture(f.window, "computed-lines", "rrsp-page"));
}

QTEST_APPLESS_MAIN(TestComputedPages)
#include "tst_computedpages.moc"
