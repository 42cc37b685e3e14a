// One rounding rule, one formatter and one parser for amounts, and the page
// showing exactly what they give.
#include <QtTest>

#include <cstdio>
#include <limits>
#include <list>

#include "common/scriptedprompter.h"
#include "companion/core/numbertext.h"
#include "companion/rules/money.h"
#include "companion/ui/basetaxpage.h"
#include "companion/ui/styledwidgets.h"
#include "sampleforms.h"

namespace {

// The default locale for the length of a scope.
class LocaleScope
{
public:
    explicit LocaleScope(const QString& name) : m_before(QLocale()) { QLocale::setDefault(QLocale(name)); }
    ~LocaleScope() { QLocale::setDefault(m_before); }

private:
    QLocale m_before;
};

} // namespace

class TestAmountText : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        for (BaseTaxPage* p : m_pages)
            delete p;
        m_pages.clear();
        m_form.reset();
    }

    void pageFormatterAndRuleAgree_data();
    void pageFormatterAndRuleAgree();
    void typedTextOnThePage_data();
    void typedTextOnThePage();
    void everyHalfCentRoundsAwayFromZero();
    void largeAmountsRoundToo_data();
    void largeAmountsRoundToo();
    void formatterDecimals_data();
    void formatterDecimals();
    void groupedFormatter_data();
    void groupedFormatter();
    void presenceOfAnAmount_data();
    void presenceOfAnAmount();
    void nonMoneyFieldsKeepTheirDigits();

private:
    DoubleLineEdit* employmentEditor()
    {
        m_form = std::make_unique<SampleEmploymentForm>();
        if (m_form->CreatePages(m_pages, nullptr) != 1)
            return nullptr;
        return m_pages.front()->findChild<DoubleLineEdit*>(QStringLiteral("fld_line10100Employment"));
    }

    std::unique_ptr<SampleEmploymentForm> m_form;
    std::list<BaseTaxPage*> m_pages;
};

void TestAmountText::pageFormatterAndRuleAgree_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::addColumn<QString>("text");
    // Each a true half cent that binary holds a hair below the half.
    QTest::newRow("1.005") << 1.005 << 1.01 << "1.01";
    QTest::newRow("2.675") << 2.675 << 2.68 << "2.68";
    QTest::newRow("9227.315") << 9227.315 << 9227.32 << "9227.32";
    QTest::newRow("-0.005") << -0.005 << -0.01 << "-0.01";
    QTest::newRow("just below a half stays down") << 1.0049 << 1.0 << "1.00";
    QTest::newRow("negative below a cent is zero, unsigned") << -0.004 << 0.0 << "0.00";
}

void TestAmountText::pageFormatterAndRuleAgree()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QFETCH(QString, text);
    QCOMPARE(taxrules::roundCents(value), rounded);
    QCOMPARE(QString::fromStdString(taxrules::formatAmount(value)), text);
    DoubleLineEdit* editor = employmentEditor();
    QVERIFY(editor);
    m_form->line10100Employment.m_value = value;
    m_pages.front()->reload();
    QCOMPARE(editor->text(), text);
    QCOMPARE(m_form->line10100Employment.shownText(), text);
    // What the page shows reads back as the rounded amount.
    QVERIFY(m_form->line10100Employment.setText(editor->text()));
    QCOMPARE(m_form->line10100Employment.m_value, rounded);
}

void TestAmountText::typedTextOnThePage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("1.005 is stored as 1.01") << "en_CA" << "1.005" << true << 1.01 << "1.01";
    QTest::newRow("2.675") << "en_CA" << "2.675" << true << 2.68 << "2.68";
    QTest::newRow("9227.315") << "en_CA" << "9227.315" << true << 9227.32 << "9227.32";
    QTest::newRow("-0.005") << "en_CA" << "-0.005" << true << -0.01 << "-0.01";
    QTest::newRow("1,5 where the comma groups: refused, never 15") << "en_CA" << "1,5" << false << 7.0 << "7.00";
    QTest::newRow("1,5 where the comma is the decimal: 1.5") << "fr_CA" << "1,5" << true << 1.5 << "1.50";
    QTest::newRow("French grouping and decimal") << "fr_CA" << "1 234,565" << true << 1234.57 << "1234.57";
    QTest::newRow("French dollar sign after") << "fr_CA" << "12,50 $" << true << 12.5 << "12.50";
    QTest::newRow("plain text in a French locale") << "fr_CA" << "1234.5" << true << 1234.5 << "1234.50";
    QTest::newRow("English grouping") << "en_CA" << "-1,234,567.891" << true << -1234567.89 << "-1234567.89";
    QTest::newRow("dollar sign") << "en_CA" << "$1,000" << true << 1000.0 << "1000.00";
    QTest::newRow("bad grouping") << "en_CA" << "12,34" << false << 7.0 << "7.00";
    QTest::newRow("letters are refused, not stripped") << "en_CA" << "12abc" << false << 7.0 << "7.00";
    QTest::newRow("letters inside") << "en_CA" << "1o0" << false << 7.0 << "7.00";
    QTest::newRow("exponent") << "en_CA" << "1e3" << false << 7.0 << "7.00";
    QTest::newRow("blank inside") << "en_CA" << "1 2" << false << 7.0 << "7.00";
    QTest::newRow("two points") << "en_CA" << "1.2.3" << false << 7.0 << "7.00";
    QTest::newRow("empty is a blank amount") << "en_CA" << "" << true << 0.0 << "0.00";
}

void TestAmountText::typedTextOnThePage()
{
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(double, stored);
    QFETCH(QString, shown);
    const LocaleScope scope(locale);
    DoubleLineEdit* editor = employmentEditor();
    QVERIFY(editor);
    m_form->line10100Employment.m_value = 7.0;
    m_pages.front()->reload();
    ScriptedPrompter prompter;
    editor->setText(typed);
    emit editor->editingFinished();
    QCOMPARE(m_form->line10100Employment.m_value, stored);
    QCOMPARE(editor->text(), shown);
    // A refused text is told, never dropped without a word.
    QCOMPARE(prompter.records().size(), accepted ? 0 : 1);
    // The parser alone gives the same answer.
    double parsed = -1.0;
    QCOMPARE(parseAmountText(typed, &parsed), accepted);
    if (accepted)
        QCOMPARE(taxrules::roundCents(parsed), stored);
}

void TestAmountText::everyHalfCentRoundsAwayFromZero()
{
    // Every amount x.xx5 below 5,000 dollars, then a stride of them up to a
    // hundred million, read from its decimal text as a typed amount is read,
    // rounds away from zero; a tenth of a cent below it rounds down.
    auto halfCentText = [](long long halfCents) {
        char text[40];
        std::snprintf(text, sizeof text, "%lld.%03lld", halfCents / 200, (halfCents % 200) * 5);
        return QByteArray(text);
    };
    for (long long halfCents = 1; halfCents < 20000000000LL; halfCents += halfCents < 1000000 ? 2 : 2 * 7919) {
        const QByteArray text = halfCentText(halfCents);
        const double value = text.toDouble();
        const long long up = (halfCents + 1) / 2; // in cents
        const double expected = double(up) / 100.0;
        if (taxrules::roundCents(value) != expected || taxrules::roundCents(-value) != -expected)
            QFAIL(text.constData());
        if (taxrules::roundCents(value - 0.001) != double(up - 1) / 100.0)
            QFAIL(QByteArray(text + " less a tenth of a cent").constData());
    }
}

void TestAmountText::largeAmountsRoundToo_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("formatted");
    QTest::newRow("ten million") << "12345678.005" << "12345678.01";
    QTest::newRow("ten billion") << "12345678901.005" << "12345678901.01";
    QTest::newRow("ten billion, negative") << "-12345678901.005" << "-12345678901.01";
    QTest::newRow("ten billion, below the half") << "12345678901.004" << "12345678901.00";
    QTest::newRow("a trillion") << "1234567890123.125" << "1234567890123.13";
}

void TestAmountText::largeAmountsRoundToo()
{
    QFETCH(QString, text);
    QFETCH(QString, formatted);
    double value = 0;
    QVERIFY(parseAmountText(text, &value, QLocale::c()));
    QCOMPARE(QString::fromStdString(taxrules::formatAmount(value)), formatted);
    QCOMPARE(taxrules::roundCents(value), formatted.toDouble());
}

void TestAmountText::formatterDecimals_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole dollars, half up") << 1234.5 << 0 << "1235";
    QTest::newRow("whole dollars, negative half") << -0.5 << 0 << "-1";
    QTest::newRow("whole dollars, half a cent") << 0.005 << 0 << "0";
    QTest::newRow("small") << 0.07 << 2 << "0.07";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 2 << "0.00";
    QTest::newRow("four decimals") << 33.33335 << 4 << "33.3334";
}

void TestAmountText::formatterDecimals()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(taxrules::formatAmount(value, decimals)), text);
}

void TestAmountText::groupedFormatter_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("under a thousand") << 999.994 << 2 << "999.99";
    QTest::newRow("rounds up into a group") << 999.995 << 2 << "1,000.00";
    QTest::newRow("millions") << 1234567.5 << 2 << "1,234,567.50";
    QTest::newRow("negative") << -1234567.5 << 2 << "-1,234,567.50";
    QTest::newRow("negative, three digits") << -123.0 << 2 << "-123.00";
    QTest::newRow("whole dollars") << 100000000.0 << 0 << "100,000,000";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 2 << "0.00";
}

// What a person reads on screen: the one formatter's text with separators.
void TestAmountText::groupedFormatter()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(taxrules::formatAmountGrouped(value, decimals)), text);
    // The grouped text reads back as the same amount.
    double back = 0.0;
    QVERIFY(parseAmountText(text, &back, QLocale::c()));
    QCOMPARE(QString::fromStdString(taxrules::formatAmount(back, decimals)),
             QString::fromStdString(taxrules::formatAmount(value, decimals)));
}

void TestAmountText::presenceOfAnAmount_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("present");
    QTest::addColumn<bool>("positive");
    QTest::addColumn<bool>("negative");
    QTest::newRow("zero") << 0.0 << false << false << false;
    QTest::newRow("a cent") << 0.01 << true << true << false;
    QTest::newRow("less than a cent") << 0.005 << false << false << false;
    QTest::newRow("at the bound") << 0.009 << true << true << false;
    QTest::newRow("minus a cent") << -0.01 << true << false << true;
    QTest::newRow("minus less than a cent") << -0.008 << false << false << false;
}

void TestAmountText::presenceOfAnAmount()
{
    QFETCH(double, value);
    QFETCH(bool, present);
    QFETCH(bool, positive);
    QFETCH(bool, negative);
    QCOMPARE(taxrules::isPresentAmount(value), present);
    QCOMPARE(taxrules::isPositiveAmount(value), positive);
    QCOMPARE(taxrules::isNegativeAmount(value), negative);
}

void TestAmountText::nonMoneyFieldsKeepTheirDigits()
{
    class Shares : public CTaxData_Form
    {
    public:
        Shares() : CTaxData_Form(FROM_FORM, 202) {}
        CFloatField amount{this, 1, "amount", "", "Amount"};
        CFloatField percent{this, 2, "percent", "", "Share (%)", fld::Share()};
        CFloatField days{this, 3, "days", "", "Days", fld::Count()};
    } form;
    QVERIFY(form.amount.isMoney());
    QVERIFY(!form.percent.isMoney());
    QVERIFY(form.percent.setText(QStringLiteral("33.33335")));
    QCOMPARE(form.percent.m_value, 33.33335);
    QCOMPARE(form.percent.shownText(), QStringLiteral("33.3334"));
    QVERIFY(form.days.setText(QStringLiteral("120")));
    QCOMPARE(form.days.shownText(), QStringLiteral("120"));
    form.amount.m_value = 10.005;
    form.roundMoneyFields();
    QCOMPARE(form.amount.m_value, 10.01);
    QCOMPARE(form.percent.m_value, 33.33335);
}

QTEST_MAIN(TestAmountText)
#include "tst_amounttext.moc"
