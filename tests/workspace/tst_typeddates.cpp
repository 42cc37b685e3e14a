// Dates typed on the real window: a dependant's date of birth on the
// Dependants page takes the forms people type, refuses what is no date with
// a message, and its calendar opens near the date it is for.
#include <QtTest>

#include "companion/ui/styleddateedit.h"
#include "e2e/usersteps.h"
#include "returnpagefixture.h"

#include <QCalendarWidget>

using namespace returnpage;

class TestTypedDates : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void dependantBirthDateKeepsTypedForms_data();
    void dependantBirthDateKeepsTypedForms();
    void notADateIsRefused();
    void calendarOpensNearTheDate();

private:
    Form_Return* dependantsPage(WindowFixture& f);
};

void TestTypedDates::initTestCase()
{
    // The short order the field takes besides the ISO forms is the locale's:
    // the month first here.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

Form_Return* TestTypedDates::dependantsPage(WindowFixture& f)
{
    Form_Return* page = present(f, newFamily(singleRecord()));
    if (!page || !usersteps::showInterview(page, "Dependants") || !usersteps::typeInto(page, "FirstName1", "Cleo"))
        return nullptr;
    return page;
}

void TestTypedDates::dependantBirthDateKeepsTypedForms_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("ISO") << "2020-05-01";
    QTest::newRow("eight digits") << "20200501";
    QTest::newRow("the locale's order") << "05/01/2020";
}

void TestTypedDates::dependantBirthDateKeepsTypedForms()
{
    QFETCH(QString, typed);
    WindowFixture f;
    Form_Return* page = dependantsPage(f);
    QVERIFY(page);
    auto* born = qobject_cast<StyledDateEdit*>(usersteps::editorOf(page, "BirthDate1"));
    QVERIFY(born);
    QCOMPARE(born->placeholderText(), QString("YYYY-MM-DD or MM/DD/YYYY"));

    QVERIFY(usersteps::typeInto(page, "BirthDate1", typed));
    QCOMPARE(born->text(), QString("2020-05-01"));
    QVERIFY(born->refusal().isEmpty());
    const DependantInfo* child = page->familyData()->dependants().GetAt(0);
    QVERIFY(child);
    QCOMPARE(child->dateOfBirth, QDate(2020, 5, 1));

    // Kept: away to the T1 and back, the page shows it again.
    QVERIFY(usersteps::showForm(page, FORM_T1));
    QVERIFY(usersteps::showInterview(page, "Dependants"));
    QCOMPARE(usersteps::shownText(page, "BirthDate1"), QString("2020-05-01"));
    QCOMPARE(page->familyData()->dependants().GetAt(0)->dateOfBirth, QDate(2020, 5, 1));
}

void TestTypedDates::notADateIsRefused()
{
    WindowFixture f;
    f.window->resize(1100, 760);
    Form_Return* page = dependantsPage(f);
    QVERIFY(page);
    QVERIFY(usersteps::typeInto(page, "BirthDate1", "2020-05-01"));
    auto* born = qobject_cast<StyledDateEdit*>(usersteps::editorOf(page, "BirthDate1"));
    QVERIFY(born);
    QSignalSpy refused(born, &StyledDateEdit::refused);

    QVERIFY(usersteps::typeInto(page, "BirthDate1", "2020-02-30"));
    QCOMPARE(refused.count(), 1);
    QCOMPARE(born->refusal(), QString("\"2020-02-30\" is not a date. Type a date as YYYY-MM-DD or MM/DD/YYYY."));
    // The message shows beside the field, in a tip that needs no closing.
    QWidget* tip = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->inherits("QTipLabel"))
            tip = top;
    QVERIFY(tip);
    QVERIFY(usersteps::keepPicture(tip, "typed-dates", "refused-date-message"));
    // The date it had stays, on the page and in the return.
    QCOMPARE(born->text(), QString("2020-05-01"));
    QCOMPARE(page->familyData()->dependants().GetAt(0)->dateOfBirth, QDate(2020, 5, 1));

    // Emptied by the user: no date any more.
    born->setFocus();
    born->selectAll();
    QTest::keyClick(born, Qt::Key_Backspace);
    QTest::keyClick(born, Qt::Key_Return);
    QCOMPARE(born->text(), QString());
    QVERIFY(!page->familyData()->dependants().GetAt(0)->dateOfBirth.isValid());
    QCOMPARE(refused.count(), 1);
}

void TestTypedDates::calendarOpensNearTheDate()
{
    WindowFixture f;
    f.window->resize(1100, 760);
    Form_Return* page = dependantsPage(f);
    QVERIFY(page);
    auto* born = qobject_cast<StyledDateEdit*>(usersteps::editorOf(page, "BirthDate1"));
    QVERIFY(born);

    // Empty: a child's date of birth, about ten years back.
    born->showCalendar();
    QVERIFY(born->calendar());
    const QDate today = QDate::currentDate();
    QCOMPARE(born->calendar()->yearShown(), today.year() - 10);
    QCOMPARE(born->calendar()->monthShown(), today.month());
    born->calendar()->window()->close();

    // A picked day is the date, in the return too.
    QVERIFY(usersteps::typeInto(page, "BirthDate1", "2020-05-01"));
    born->showCalendar();
    QCalendarWidget* calendar = born->calendar();
    QVERIFY(calendar);
    QCOMPARE(calendar->yearShown(), 2020);
    QCOMPARE(calendar->monthShown(), 5);
    QVERIFY(usersteps::keepPicture(calendar->window(), "typed-dates", "calendar-of-a-dependant"));
    emit calendar->clicked(QDate(2020, 5, 17));
    QCOMPARE(born->text(), QString("2020-05-17"));
    QCOMPARE(page->familyData()->dependants().GetAt(0)->dateOfBirth, QDate(2020, 5, 17));

    // The taxpayer's own date of birth, empty, opens about forty years back.
    QVERIFY(usersteps::showForm(page, FORM_T1));
    auto* own = qobject_cast<StyledDateEdit*>(usersteps::editorOf(page, "BirthDate"));
    QVERIFY(own);
    own->setDate(QDate());
    QCOMPARE(own->calendarStartMonth(), QDate(today.year() - 40, today.month(), 1));
}

QTEST_APPLESS_MAIN(TestTypedDates)
#include "tst_typeddates.moc"
