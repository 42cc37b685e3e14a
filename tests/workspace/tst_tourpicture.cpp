#include <QtTest>

#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/slips/slips_investment.h"
#include "returnpagefixture.h"

#include <QSplitter>
#include <QLabel>
#include <QTabBar>

using namespace returnpage;

// The picture of the README's tour (artefacts/main-window.png, kept as
// docs/main-window.png): a coupled Ontario return with slips on both sides,
// on the T1's income tab, with the tree pane widened as a user drags it.
// The test holds the picture to what it shows: the recalculated status
// bar, the tab shown and the result lines whole. Tree rows longer than the
// pane end in "..." as they do for every user (their tool tip has the name).
class TestTourPicture : public QObject
{
    Q_OBJECT
private slots:
    void mainWindowPicture();
};

namespace {

constexpr int kSlipT5 = 8;
constexpr int kWindowWidth = 1600;
constexpr int kWindowHeight = 900;
constexpr int kTreePaneWidth = 400;

CFamilyTaxData* roeFamily()
{
    NewReturnBasicData record = coupledRecord();
    record.FirstName = "Jane";
    record.LastName = "Roe";
    record.sin = "046454286";
    record.FirstNameSpouse = "John";
    record.LastNameSpouse = "Roe";
    record.sinSpouse = "130692544";
    auto* family = new CFamilyTaxData(MULTIPROVS_MODE_RESIDENCE);
    family->NewData(&record);

    struct Employment
    {
        IndividualTaxData* person;
        const char* employer;
        double income, cpp, ei, taxDeducted;
    };
    const Employment slips[] = {
        {family->getTaxpayer(), "Maple Clinic", 62000, 3480.75, 1029.20, 9800},
        {family->getSpouse(), "Lakeside Books", 38000, 2052.75, 630.80, 4300},
    };
    for (const Employment& e : slips) {
        auto* t4 = qobject_cast<TaxData_Slip_T4*>(e.person->NewSlipData(kSlipT4, 0, 0)->data);
        t4->EmployerName.m_value = e.employer;
        t4->Province.m_value = kOntario;
        t4->box14EmploymentIncome.m_value = e.income;
        t4->box16CppContributions.m_value = e.cpp;
        t4->box18EiPremiums.m_value = e.ei;
        t4->box22IncomeTaxDeducted.m_value = e.taxDeducted;
    }
    auto* t5 = qobject_cast<TaxData_Slip_T5*>(family->getTaxpayer()->NewSlipData(kSlipT5, 0, 0)->data);
    t5->box13Interest.m_value = 850;
    family->Calculate(-1, nullptr);
    return family;
}

QString artefact(const QString& name)
{
    const QString folder = QCoreApplication::applicationDirPath() + "/../artefacts";
    QDir().mkpath(folder);
    return QDir(folder).absoluteFilePath(name);
}

} // namespace

void TestTourPicture::mainWindowPicture()
{
    WindowFixture f;
    QVERIFY(f.ready);
    f.window->resize(kWindowWidth, kWindowHeight);
    Form_Return* page = present(f, roeFamily());
    QVERIFY(page);
    QApplication::processEvents();
    page->setLeftpaneWidth(kTreePaneWidth);
    QApplication::processEvents();
    QCOMPARE(page->findChild<QSplitter*>("splitter")->sizes().value(0), kTreePaneWidth);

    // Jane's total income (line 15000): employment income 62,000 from her T4
    // (box 14 to line 10100) and interest 850 from her T5 (box 13 to line
    // 12100): 62,850.00.
    QVERIFY2(statusText(f).startsWith("[Total Income]=62,850.00 [Net Income]="), qPrintable(statusText(f)));

    QTabWidget* formTabs = tabs(page);
    QVERIFY(formTabs);
    int income = -1;
    for (int i = 0; i < formTabs->count(); ++i)
        if (formTabs->tabText(i) == "Total income")
            income = i;
    QVERIFY2(income >= 0, "the T1 has no \"Total income\" tab");
    formTabs->setCurrentIndex(income);
    QApplication::processEvents();

    // The tab shown is whole in the tab bar.
    const QTabBar* bar = formTabs->tabBar();
    QVERIFY2(bar->tabRect(income).left() >= 0 && bar->tabRect(income).right() < bar->width(),
             qPrintable(QString("the tab spans %1 to %2 of %3")
                            .arg(bar->tabRect(income).left())
                            .arg(bar->tabRect(income).right())
                            .arg(bar->width())));

    // The result lines under the tree are shown whole.
    for (const char* name : {"lblResultLine1", "lblResultLine2", "lblResultLine3"}) {
        const auto* line = page->findChild<QLabel*>(name);
        QVERIFY(line);
        QVERIFY2(!line->text().isEmpty() && line->sizeHint().width() <= line->width(), name);
    }

    const QString picture = artefact("main-window.png");
    QVERIFY(f.window->grab().save(picture, "PNG"));
    const QImage saved(picture);
    QCOMPARE(saved.size(), f.window->size() * f.window->devicePixelRatioF());
}

QTEST_APPLESS_MAIN(TestTourPicture)
#include "tst_tourpicture.moc"
