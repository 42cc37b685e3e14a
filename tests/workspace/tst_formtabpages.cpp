#include <QtTest>

#include "common/modalsteps.h"
#include "companion/forms/slips/slips_employment.h"
#include "companion/rules/money.h"
#include "companion/ui/scrolltaxform.h"
#include "returnpagefixture.h"

#include <QComboBox>

using namespace returnpage;

// A form's tabs on the open-return page: each tab's page is built when the
// tab is first shown, and a page built late behaves as one built at once:
// it shows the return's figures, its edits are stored and recalculated, it
// takes the colour chosen before it was built, and a jump to one of its
// lines shows it with the line focused.
class TestFormTabPages : public QObject
{
    Q_OBJECT
private slots:
    void openingBuildsOnlyTheShownTab();
    void secondTabShowsFiguresAndTakesEdits();
    void pageBuiltLateTakesTheChosenColour();
    void jumpToLineOnUnbuiltTab_data();
    void jumpToLineOnUnbuiltTab();
    void jumpToAbsentLineChangesNothing_data();
    void jumpToAbsentLineChangesNothing();
    void tabKeyWalksALateBuiltPage();
    void choiceListOpensInThePageFont_data();
    void choiceListOpensInThePageFont();
};

namespace {

// Ann's T4: box 14 employment income goes to T1 line 10100 (T4 slip guide,
// box 14 "Employment income": report on line 10100).
constexpr double kT4Box14 = 40000.0;

QString amountText(double amount)
{
    return QString::fromStdString(taxrules::formatAmount(amount));
}

CFamilyTaxData* familyWithT4()
{
    CFamilyTaxData* family = newFamily(singleRecord());
    STRUCT_SLIPDATA_ITEM_2004* slip = family->getTaxpayer()->NewSlipData(kSlipT4, 0, 0);
    auto* t4 = slip ? dynamic_cast<TaxData_Slip_T4*>(slip->data) : nullptr;
    if (!t4)
        return family;
    t4->box14EmploymentIncome.m_value = kT4Box14;
    family->Calculate(-1, nullptr);
    return family;
}

TaxData_T1New* t1Of(Form_Return* page)
{
    return dynamic_cast<TaxData_T1New*>(page->familyData()->getTaxpayer()->GetFormData(FORM_T1, false));
}

// The tab whose page shows the field, found from the form's own plan of its
// pages (what the tabs were made from), or -1.
int tabOfField(CTaxData_Form* form, const QString& name)
{
    const std::vector<CTaxData_Form::PagePlan> plans = form->planPages();
    for (size_t i = 0; i < plans.size(); ++i)
        for (const CField* field : plans[i].fields)
            if (field->hasName(name))
                return int(i);
    return -1;
}

QWidget* contentOf(Form_Return* page, int tab)
{
    auto* frame = qobject_cast<ScrollTaxForm*>(tabs(page)->widget(tab));
    return frame ? frame->getCtntWgt() : nullptr;
}

int builtTabs(Form_Return* page)
{
    int built = 0;
    for (int i = 0; i < tabs(page)->count(); ++i)
        built += contentOf(page, i) ? 1 : 0;
    return built;
}

void keepPicture(WindowFixture& f, const QString& name)
{
    QApplication::processEvents();
    QVERIFY(f.window->grab().save(modalsteps::artefactPath("form-tabs-" + name + ".png")));
}

// The drop-down list a list box has built, a window among its children, or
// null when it has built none.
QWidget* dropDownOf(QComboBox* box)
{
    for (QObject* child : box->children())
        if (child->isWidgetType() && static_cast<QWidget*>(child)->isWindow())
            return static_cast<QWidget*>(child);
    return nullptr;
}

// True when the widget lies inside what its scrolling frame shows.
bool scrolledIntoView(QWidget* widget, int tab, Form_Return* page)
{
    auto* frame = qobject_cast<ScrollTaxForm*>(tabs(page)->widget(tab));
    if (!frame)
        return false;
    const QRect inView(widget->mapTo(frame->viewport(), QPoint(0, 0)), widget->size());
    return frame->viewport()->rect().contains(inView);
}

} // namespace

void TestFormTabPages::openingBuildsOnlyTheShownTab()
{
    WindowFixture f;
    QVERIFY(f.ready);
    Form_Return* page = present(f, familyWithT4());
    QVERIFY(page);
    TaxData_T1New* t1 = t1Of(page);
    QVERIFY(t1);
    const int planned = int(t1->planPages().size());
    QVERIFY2(planned > 3, "the T1 should have many pages");
    QCOMPARE(tabs(page)->count(), planned);
    QCOMPARE(tabs(page)->currentIndex(), 0);
    // Only the shown tab has its page: the first, with the T1's first lines.
    QCOMPARE(builtTabs(page), 1);
    QVERIFY(contentOf(page, 0));
    QCOMPARE(page->pages().size(), size_t(1));
    QCOMPARE(static_cast<QWidget*>(page->pages().front()), contentOf(page, 0));
    QCOMPARE(page->pages().front()->getTitle(), tabs(page)->tabText(0));
    auto* firstName = qobject_cast<QLineEdit*>(page->pages().front()->editorFor(t1->findField("FirstName")));
    QVERIFY(firstName);
    QCOMPARE(firstName->text(), QString("Ann"));
    keepPicture(f, "opened-t1");
}

void TestFormTabPages::secondTabShowsFiguresAndTakesEdits()
{
    WindowFixture f;
    QVERIFY(f.ready);
    Form_Return* page = present(f, familyWithT4());
    QVERIFY(page);
    TaxData_T1New* t1 = t1Of(page);
    QVERIFY(t1);
    const int income = tabOfField(t1, "line10100EmploymentIncome");
    QVERIFY(income > 0);
    QCOMPARE(tabOfField(t1, "line12800SupportReceived"), income);
    QCOMPARE(tabOfField(t1, "line15000TotalIncome"), income);
    QVERIFY(!contentOf(page, income));

    // Shown as a click on its tab shows it.
    tabs(page)->setCurrentIndex(income);
    auto* shown = qobject_cast<BaseTaxPage*>(contentOf(page, income));
    QVERIFY(shown);
    QCOMPARE(shown->getTitle(), tabs(page)->tabText(income));
    QCOMPARE(builtTabs(page), 2);
    QCOMPARE(page->pages().size(), size_t(2));
    QCOMPARE(page->pages().back(), shown);
    auto* employment = qobject_cast<QLineEdit*>(shown->editorFor(t1->findField("line10100EmploymentIncome")));
    QVERIFY(employment);
    QCOMPARE(employment->text(), amountText(kT4Box14));
    keepPicture(f, "t1-total-income-tab");

    // Support payments received typed on the late page: stored into the T1
    // and recalculated. Line 15000 adds line 12800 to the employment income
    // of line 10100 (T1 2024, step 2): 40,000 + 1,500 = 41,500.
    auto* support = qobject_cast<QLineEdit*>(shown->editorFor(t1->findField("line12800SupportReceived")));
    auto* total = qobject_cast<QLineEdit*>(shown->editorFor(t1->findField("line15000TotalIncome")));
    QVERIFY(support && total);
    QCOMPARE(total->text(), amountText(kT4Box14));
    const QString statusBefore = statusText(f);
    QApplication::setActiveWindow(f.window);
    support->setFocus();
    QTRY_VERIFY(support->hasFocus());
    support->selectAll();
    QTest::keyClicks(support, "1500");
    QTest::keyClick(support, Qt::Key_Return);
    QCOMPARE(t1->line12800SupportReceived.m_value, 1500.0);
    QCOMPARE(t1->line15000TotalIncome.m_value, 41500.0);
    QCOMPARE(total->text(), amountText(41500.0));
    QVERIFY(statusText(f).startsWith("[Total Income]=41,500.00"));
    QVERIFY(statusText(f) != statusBefore);
    // Coming back to a tab shown before builds nothing again.
    tabs(page)->setCurrentIndex(0);
    tabs(page)->setCurrentIndex(income);
    QCOMPARE(contentOf(page, income), static_cast<QWidget*>(shown));
    QCOMPARE(builtTabs(page), 2);
}

void TestFormTabPages::pageBuiltLateTakesTheChosenColour()
{
    WindowFixture f;
    QVERIFY(f.ready);
    Form_Return* page = present(f, familyWithT4());
    QVERIFY(page);
    const int last = tabs(page)->count() - 1;
    QVERIFY(last > 0);
    QVERIFY(!contentOf(page, last));
    // The background colour chosen while the tab has no page yet.
    f.app->m_config.BKColor = "#123456";
    page->refreshViewForColorFontSize();
    QVERIFY(!contentOf(page, last));
    tabs(page)->setCurrentIndex(last);
    QWidget* built = contentOf(page, last);
    QVERIFY(built);
    QVERIFY(built->autoFillBackground());
    QCOMPARE(built->palette().color(QPalette::Window), QColor("#123456"));
}

void TestFormTabPages::jumpToLineOnUnbuiltTab_data()
{
    QTest::addColumn<QString>("field");
    // Lines on two pages, and a list far down a long page (scrolled to).
    QTest::newRow("support received") << QString("line12800SupportReceived");
    QTest::newRow("business investment loss") << QString("line21700BusinessInvestmentLoss");
    QTest::newRow("workers benefit flag") << QString("line55320Flag");
}

void TestFormTabPages::jumpToLineOnUnbuiltTab()
{
    QFETCH(QString, field);
    WindowFixture f;
    QVERIFY(f.ready);
    f.window->resize(1100, 700);
    Form_Return* page = present(f, familyWithT4());
    QVERIFY(page);
    QApplication::setActiveWindow(f.window);
    QApplication::processEvents();
    TaxData_T1New* t1 = t1Of(page);
    const int tab = tabOfField(t1, field);
    QVERIFY(tab > 0);
    QVERIFY(!contentOf(page, tab));

    QVERIFY(page->goToField(field));
    QCOMPARE(tabs(page)->currentIndex(), tab);
    auto* built = qobject_cast<BaseTaxPage*>(contentOf(page, tab));
    QVERIFY(built);
    QWidget* shown = built->editorFor(t1->findField(field));
    QVERIFY(shown);
    QTRY_VERIFY(shown->hasFocus());
    QTRY_VERIFY(shown->isVisible());
    QTRY_VERIFY(scrolledIntoView(shown, tab, page));
    QCOMPARE(builtTabs(page), 2);
    keepPicture(f, "jump-" + field);
}

void TestFormTabPages::jumpToAbsentLineChangesNothing_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("no such field") << QString("line99999Nothing");
    // Stored, never shown on a page.
    QTest::newRow("hidden field") << QString("PensionPlanSelector");
}

void TestFormTabPages::jumpToAbsentLineChangesNothing()
{
    QFETCH(QString, field);
    WindowFixture f;
    QVERIFY(f.ready);
    Form_Return* page = present(f, familyWithT4());
    QVERIFY(page);
    QVERIFY(!page->goToField(field));
    QCOMPARE(tabs(page)->currentIndex(), 0);
    QCOMPARE(builtTabs(page), 1);
}

void TestFormTabPages::tabKeyWalksALateBuiltPage()
{
    WindowFixture f;
    QVERIFY(f.ready);
    Form_Return* page = present(f, familyWithT4());
    QVERIFY(page);
    QApplication::setActiveWindow(f.window);
    QVERIFY(page->goToField("line10100NotOnSlip"));
    QWidget* start = QApplication::focusWidget();
    QVERIFY(start);
    QCOMPARE(start->objectName(), QString("fld_line10100NotOnSlip"));
    // Lines 10105, 10120 and 10400 between them are computed: no focus, and
    // none of them leads to another form (no "Go to" button between).
    QTest::keyClick(start, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("fld_line10400NotOnSlip"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), start);
}

void TestFormTabPages::choiceListOpensInThePageFont_data()
{
    QTest::addColumn<int>("pointSize");
    QTest::newRow("small") << 9;
    QTest::newRow("large") << 16;
}

void TestFormTabPages::choiceListOpensInThePageFont()
{
    QFETCH(int, pointSize);
    WindowFixture f;
    QVERIFY(f.ready);
    Form_Return* page = present(f, familyWithT4());
    QVERIFY(page);
    page->changeFontSize(pointSize);
    QApplication::processEvents();
    QCOMPARE(page->pages().size(), size_t(1));
    const QList<QComboBox*> boxes = page->pages().front()->findChildren<QComboBox*>();
    QVERIFY2(boxes.size() > 1, "the T1's first page asks questions");
    // A page shows its questions without building their lists.
    for (QComboBox* box : boxes) {
        QCOMPARE(box->font().pointSize(), pointSize);
        QVERIFY2(!dropDownOf(box), qPrintable(box->objectName()));
    }
    // Opened, a list shows its choices in the box's font.
    QComboBox* box = boxes.front();
    QVERIFY(box->count() > 1);
    box->showPopup();
    QWidget* list = dropDownOf(box);
    QVERIFY(list);
    QTRY_VERIFY(list->isVisible());
    QCOMPARE(box->view()->font().pointSize(), pointSize);
    QCOMPARE(box->view()->model()->rowCount(), box->count());
    box->hidePopup();
    QTRY_VERIFY(!list->isVisible());
}

QTEST_APPLESS_MAIN(TestFormTabPages)
#include "tst_formtabpages.moc"
