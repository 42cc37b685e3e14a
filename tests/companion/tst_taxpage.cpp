#include <QtTest>

#include <QComboBox>
#include <QLabel>
#include <list>

#include "companion/ui/basetaxpage.h"
#include "companion/ui/scrolltaxform.h"
#include "companion/ui/styledwidgets.h"
#include "companion/forms/catalogue.h"
#include "sampleforms.h"

namespace {

// A long form: three explicit pages, the last long enough to split again.
class SampleLongForm : public CTaxData_Form
{
public:
    SampleLongForm() : CTaxData_Form(FROM_FORM, 201)
    {
        for (int i = 0; i < 260; ++i) {
            names.push_back(QByteArray("amount") + QByteArray::number(i));
            const char* section = i % 20 == 0 ? sections.emplace_back("Part " + QByteArray::number(i / 20)).constData()
                                              : nullptr;
            auto opts = FieldOpts().section(section);
            fields.emplace_back(new CFloatField(this, 100 + i, names.back().constData(), "", "Amount", opts));
        }
    }
    CStringField name{this, 1, "name", "", "Name", fld::Page("Identification")};
    CFloatField first{this, 2, "first", "1", "First", fld::Page("Amounts")};
    std::list<QByteArray> names;
    std::list<QByteArray> sections;
    std::vector<std::unique_ptr<CFloatField>> fields;
};

template <typename W>
W* child(QWidget* page, const QString& name)
{
    return page->findChild<W*>(name);
}

}  // namespace

class TestTaxPage : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_form = std::make_unique<SampleEmploymentForm>(); }
    void cleanup()
    {
        for (BaseTaxPage* p : m_pages)
            delete p;
        m_pages.clear();
        m_form.reset();
    }

    void pageShowsLinesLabelsAndSections();
    void editingAnAmountStoresAndSignals();
    void editorsOfEachKindStore_data();
    void editorsOfEachKindStore();
    void computedAndReadOnlyFieldsAreNotEditable();
    void choicesShowAsAList();
    void reloadShowsCalculatedValues();
    void longTextShowsFromItsStart();
    void storeLeavesUntouchedValuesExact();
    void invalidTextIsNotStored();
    void amountBoxesRefuseWhatIsNoAmountAsTyped();
    void longFormsSplitIntoPages();
    void scrollFrameHoldsThePage();

private:
    BaseTaxPage* buildOnePage()
    {
        const int n = m_form->CreatePages(m_pages, nullptr);
        if (n != 1 || m_pages.size() != 1)
            return nullptr;
        return m_pages.front();
    }

    std::unique_ptr<SampleEmploymentForm> m_form;
    std::list<BaseTaxPage*> m_pages;
};

void TestTaxPage::pageShowsLinesLabelsAndSections()
{
    BaseTaxPage* page = buildOnePage();
    QVERIFY(page);
    // A form without a page break of its own is titled with the catalogue name of its type.
    QCOMPARE(page->getTitle(), QString::fromUtf8(getFormName(ENUMTYPE_FORM(200))));
    QCOMPARE(page->getFormData(), m_form.get());
    auto* line = child<QLabel>(page, "line_line10100Employment");
    QVERIFY(line);
    QCOMPARE(line->text(), QStringLiteral("10100"));
    QVERIFY(line->alignment() & Qt::AlignRight);
    QCOMPARE(child<QLabel>(page, "label_line15000TotalIncome")->text(), QStringLiteral("Total income"));
    QStringList headings;
    for (QLabel* l : page->findChildren<QLabel*>())
        if (l->objectName().startsWith(QLatin1String("section_")))
            headings << l->text();
    QCOMPARE(headings, QStringList({"Employer", "Income", "Carry-forward"}));
    auto* amount = child<DoubleLineEdit>(page, "fld_line10100Employment");
    QVERIFY(amount);
    QVERIFY(amount->alignment() & Qt::AlignRight);
    // A yes/no field is the common three-answer list.
    auto* yesNo = child<QComboBox>(page, "fld_unionMember");
    QVERIFY(yesNo);
    QCOMPARE(yesNo->count(), 3);
    QCOMPARE(yesNo->itemText(0), QStringLiteral("Not answered"));
    QCOMPARE(yesNo->itemText(1), QStringLiteral("Yes"));
    QCOMPARE(yesNo->itemText(2), QStringLiteral("No"));
    QVERIFY(child<StyledDateEdit>(page, "fld_startDate"));
    QVERIFY(child<StringLineEdit>(page, "fld_employerName"));
    // Hidden fields have no editor.
    QVERIFY(!page->findChild<QWidget*>("fld_internalState"));
    QCOMPARE(page->fieldCount(), 11);
}

void TestTaxPage::editingAnAmountStoresAndSignals()
{
    BaseTaxPage* page = buildOnePage();
    QVERIFY(page);
    QSignalSpy spy(page, &BaseTaxPage::signalCalc);
    auto* amount = child<DoubleLineEdit>(page, "fld_line10100Employment");
    amount->setText("1,234.5");
    emit amount->editingFinished();
    QCOMPARE(m_form->line10100Employment.m_value, 1234.5);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<CTaxData_Form*>(), static_cast<CTaxData_Form*>(m_form.get()));
    QCOMPARE(spy.at(0).at(1).value<CField*>(), static_cast<CField*>(&m_form->line10100Employment));
    QCOMPARE(amount->text(), QStringLiteral("1234.50"));
    // Leaving the editor again without a change neither stores nor signals.
    emit amount->editingFinished();
    QCOMPARE(spy.count(), 1);
}

void TestTaxPage::editorsOfEachKindStore_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("text") << "employerName";
    QTest::newRow("int") << "monthsWorked";
    QTest::newRow("check box") << "unionMember";
    QTest::newRow("date") << "startDate";
}

void TestTaxPage::editorsOfEachKindStore()
{
    QFETCH(QString, field);
    BaseTaxPage* page = buildOnePage();
    QVERIFY(page);
    QSignalSpy spy(page, &BaseTaxPage::signalCalc);
    QWidget* editor = page->findChild<QWidget*>("fld_" + field);
    QVERIFY(editor);
    if (auto* date = qobject_cast<StyledDateEdit*>(editor)) {
        date->setDate(QDate(2024, 5, 6));
    } else if (auto* text = qobject_cast<QLineEdit*>(editor)) {
        text->setText(field == QLatin1String("monthsWorked") ? "7" : "Acme");
        emit text->editingFinished();
    } else if (auto* list = qobject_cast<QComboBox*>(editor)) {
        list->setCurrentIndex(list->findText(QStringLiteral("Yes")));
    }
    QCOMPARE(spy.count(), 1);
    const CField* f = m_form->findField(field);
    if (field == QLatin1String("employerName"))
        QCOMPARE(m_form->employerName.m_value, CString("Acme"));
    else if (field == QLatin1String("monthsWorked"))
        QCOMPARE(m_form->monthsWorked.m_value, 7);
    else if (field == QLatin1String("unionMember"))
        QCOMPARE(m_form->unionMember.m_value, 1);
    else
        QCOMPARE(m_form->startDate.m_value, QDate(2024, 5, 6));
    QCOMPARE(spy.at(0).at(1).value<CField*>(), f);
}

void TestTaxPage::computedAndReadOnlyFieldsAreNotEditable()
{
    BaseTaxPage* page = buildOnePage();
    QVERIFY(page);
    auto* total = child<DoubleLineEdit>(page, "fld_line15000TotalIncome");
    QVERIFY(total->isReadOnly());
    QVERIFY(!child<DoubleLineEdit>(page, "fld_line10100Employment")->isReadOnly());
    // Even a text forced into it is not stored.
    QSignalSpy spy(page, &BaseTaxPage::signalCalc);
    total->setText("999");
    emit total->editingFinished();
    page->store();
    QCOMPARE(m_form->line15000TotalIncome.m_value, 0.0);
    QCOMPARE(spy.count(), 0);
}

void TestTaxPage::choicesShowAsAList()
{
    BaseTaxPage* page = buildOnePage();
    QVERIFY(page);
    auto* combo = child<QComboBox>(page, "fld_payPeriod");
    QVERIFY(combo);
    QCOMPARE(combo->count(), 2);
    // -1 is no entry: nothing shown as chosen.
    QCOMPARE(combo->currentIndex(), -1);
    QSignalSpy spy(page, &BaseTaxPage::signalCalc);
    combo->setCurrentIndex(1);
    QCOMPARE(m_form->payPeriod.m_value, 1);
    QCOMPARE(spy.count(), 1);
    m_form->payPeriod.m_value = 0;
    page->reload();
    QCOMPARE(combo->currentText(), QStringLiteral("Weekly"));
    QCOMPARE(spy.count(), 1);
}

void TestTaxPage::reloadShowsCalculatedValues()
{
    BaseTaxPage* page = buildOnePage();
    QVERIFY(page);
    QSignalSpy spy(page, &BaseTaxPage::signalCalc);
    m_form->line10100Employment.m_value = 100;
    m_form->line10400Other.m_value = 20.5;
    m_form->startDate.m_value = QDate(2024, 1, 31);
    m_form->Calculate01();
    page->reload();
    QCOMPARE(child<DoubleLineEdit>(page, "fld_line15000TotalIncome")->text(), QStringLiteral("120.50"));
    QCOMPARE(child<StyledDateEdit>(page, "fld_startDate")->nullableDate(), QDate(2024, 1, 31));
    // Showing values is not an edit.
    QCOMPARE(spy.count(), 0);
    m_form->startDate.m_value = QDate();
    page->syncData();
    QVERIFY(!child<StyledDateEdit>(page, "fld_startDate")->nullableDate().isValid());
}

// A text longer than its box is read from its start; the box the user is
// typing into keeps its cursor where the typing left it.
void TestTaxPage::longTextShowsFromItsStart()
{
    m_form->employerName.m_value = CString("Lakeshore Regional Transit Commission of the Greater Toronto Area");
    BaseTaxPage* page = buildOnePage();
    QVERIFY(page);
    auto* name = child<QLineEdit>(page, "fld_employerName");
    QVERIFY(name);
    name->setFixedWidth(80);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page));
    name->clearFocus();
    page->reload();
    QVERIFY(name->fontMetrics().horizontalAdvance(name->text()) > name->width());
    QCOMPARE(name->cursorPosition(), 0);

    QApplication::setActiveWindow(page);
    name->setFocus();
    QTRY_VERIFY(name->hasFocus());
    name->end(false);
    page->reload();
    QCOMPARE(name->cursorPosition(), name->text().size());
}

void TestTaxPage::storeLeavesUntouchedValuesExact()
{
    m_form->line10400Other.m_value = 10.0049;
    BaseTaxPage* page = buildOnePage();
    QVERIFY(page);
    child<DoubleLineEdit>(page, "fld_line10100Employment")->setText("55");
    page->store();
    QCOMPARE(m_form->line10100Employment.m_value, 55.0);
    QCOMPARE(m_form->line10400Other.m_value, 10.0049);
}

void TestTaxPage::invalidTextIsNotStored()
{
    BaseTaxPage* page = buildOnePage();
    QVERIFY(page);
    m_form->monthsWorked.m_value = 4;
    page->reload();
    auto* months = child<StringLineEdit>(page, "fld_monthsWorked");
    QSignalSpy spy(page, &BaseTaxPage::signalCalc);
    // Longer than any int: the validator lets digits through, the field refuses.
    months->setText("99999999999");
    emit months->editingFinished();
    QCOMPARE(m_form->monthsWorked.m_value, 4);
    QCOMPARE(months->text(), QStringLiteral("4"));
    QCOMPARE(spy.count(), 0);
}

void TestTaxPage::longFormsSplitIntoPages()
{
    SampleLongForm form;
    std::list<BaseTaxPage*> pages;
    const int n = form.CreatePages(pages, nullptr);
    QCOMPARE(n, int(pages.size()));
    QVERIFY(n >= 3);
    auto it = pages.begin();
    QCOMPARE((*it)->getTitle(), QStringLiteral("Identification"));
    QCOMPARE((*it)->fieldCount(), 1);
    ++it;
    QCOMPARE((*it)->getTitle(), QStringLiteral("Amounts"));
    ++it;
    QCOMPARE((*it)->getTitle(), QStringLiteral("Amounts (2)"));
    int total = 0;
    for (BaseTaxPage* p : pages) {
        total += p->fieldCount();
        QVERIFY(p->fieldCount() <= 140);
    }
    QCOMPARE(total, int(form.fieldList().size()));
    qDeleteAll(pages);
}

void TestTaxPage::scrollFrameHoldsThePage()
{
    BaseTaxPage* page = buildOnePage();
    QVERIFY(page);
    m_pages.clear();  // the frame owns it now
    ScrollTaxForm frame("#E1E1E1", nullptr, page);
    QCOMPARE(frame.getCtntWgt(), static_cast<QWidget*>(page));
    frame.setBKColor("white");
    QCOMPARE(frame.viewport()->palette().color(QPalette::Window), QColor("white"));
    frame.setBKColor("not a colour");
    QCOMPARE(frame.viewport()->palette().color(QPalette::Window), QColor("white"));
}

void TestTaxPage::amountBoxesRefuseWhatIsNoAmountAsTyped()
{
    BaseTaxPage* page = buildOnePage();
    QVERIFY(page);
    QList<DoubleLineEdit*> boxes;
    for (DoubleLineEdit* box : page->findChildren<DoubleLineEdit*>())
        if (!box->isReadOnly())
            boxes << box;
    // Every box of the page, and one made on its own after them.
    DoubleLineEdit alone;
    boxes << &alone;
    QVERIFY(boxes.size() > 2);
    for (DoubleLineEdit* box : boxes) {
        box->clear();
        // Letters and a second sign are kept out key by key; digits,
        // separators and the dollar sign go in.
        QTest::keyClicks(box, "-1x2,3a4.5q6 $");
        QCOMPARE(box->text(), QStringLiteral("-12,34.56 $"));
        box->clear();
        QTest::keyClicks(box, "+-7e");
        QCOMPARE(box->text(), QStringLiteral("+7"));
    }
}

QTEST_MAIN(TestTaxPage)
#include "tst_taxpage.moc"
