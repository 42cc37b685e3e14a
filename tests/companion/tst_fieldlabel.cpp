#include <QtTest>

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "companion/ui/fieldlabel.h"

// The labels of a page's lines take the sizes QLabel would give them,
// whatever their text, font, box and shortcut, before and after any of
// these change, and whether or not another label showed the same text
// first.
class TestFieldLabel : public QObject
{
    Q_OBJECT
private slots:
    void sizesAreQLabels_data();
    void sizesAreQLabels();
    void aChangeIsMeasuredAgain();
    void sameTextIsMeasuredOnce();
};

namespace {

// The page style: a font size and a margin on every widget.
const char kPageStyle[] = "QWidget {font-size: 11pt;margin-top: 1px;margin-bottom: 1px;}";

const int kWidths[] = {0, 1, 40, 90, 147, 149, 260, 332, 471, 900, QWIDGETSIZE_MAX};

// The two labels side by side in one styled parent, as a page holds them.
struct Pair
{
    explicit Pair(const QString& text)
    {
        parent.setStyleSheet(QString::fromLatin1(kPageStyle));
        auto* column = new QVBoxLayout(&parent);
        field = new FieldLabel(text, &parent);
        plain = new QLabel(text, &parent);
        column->addWidget(field);
        column->addWidget(plain);
    }
    void both(const std::function<void(QLabel*)>& change)
    {
        change(field);
        change(plain);
    }
    QWidget parent;
    FieldLabel* field = nullptr;
    QLabel* plain = nullptr;
};

void compareSizes(const Pair& pair)
{
    QCOMPARE(pair.field->sizeHint(), pair.plain->sizeHint());
    QCOMPARE(pair.field->minimumSizeHint(), pair.plain->minimumSizeHint());
    for (int width : kWidths)
        QCOMPARE(pair.field->heightForWidth(width), pair.plain->heightForWidth(width));
}

} // namespace

void TestFieldLabel::sizesAreQLabels_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("wrapped");
    QTest::addColumn<bool>("withBuddy");
    QTest::newRow("line number") << QString("10100") << false << false;
    QTest::newRow("short words") << QString("First name") << true << true;
    QTest::newRow("long words") << QString("Canada Pension Plan or Quebec Pension Plan contributions on "
                                           "self-employment and other earnings, from Schedule 8 or Form RC381")
                                << true << true;
    QTest::newRow("ampersand with buddy") << QString("Interest && other investment income &amp; more") << true
                                          << true;
    QTest::newRow("ampersand without buddy") << QString("Interest & other investment income") << true << false;
    QTest::newRow("two lines") << QString("Total income\nbefore adjustments") << true << true;
    QTest::newRow("one long word") << QString("Supercalifragilisticexpialidocious") << true << false;
    QTest::newRow("rich text") << QString("<b>Identification</b> of the taxpayer") << true << false;
}

void TestFieldLabel::sizesAreQLabels()
{
    QFETCH(QString, text);
    QFETCH(bool, wrapped);
    QFETCH(bool, withBuddy);
    Pair pair(text);
    QLineEdit buddy(&pair.parent);
    pair.both([&](QLabel* label) {
        label->setWordWrap(wrapped);
        if (withBuddy)
            label->setBuddy(&buddy);
    });
    compareSizes(pair);
    // Asked again, as the layout asks at each pass.
    compareSizes(pair);
}

void TestFieldLabel::aChangeIsMeasuredAgain()
{
    Pair pair("Net income");
    pair.both([](QLabel* label) { label->setWordWrap(true); });
    compareSizes(pair);

    // Each change alone; the sizes asked before it must not come back.
    const std::vector<std::function<void(QLabel*)>> changes = {
        [](QLabel* l) { l->setText("Net income before adjustments, after the deductions of step 3"); },
        [](QLabel* l) { l->setText("Tax"); },
        [](QLabel* l) {
            QFont bold = l->font();
            bold.setBold(true);
            l->setFont(bold);
        },
        [](QLabel* l) {
            QFont large = l->font();
            large.setPointSize(18);
            l->setFont(large);
        },
        [](QLabel* l) { l->setIndent(12); },
        [](QLabel* l) { l->setMargin(5); },
        [](QLabel* l) { l->setContentsMargins(3, 4, 20, 6); },
        [](QLabel* l) { l->setAlignment(Qt::AlignRight | Qt::AlignVCenter); },
        [](QLabel* l) { l->setWordWrap(false); },
        [](QLabel* l) { l->setMinimumWidth(300); },
        [](QLabel* l) { l->setMaximumWidth(120); },
        [](QLabel* l) { l->setFrameStyle(QFrame::Box | QFrame::Plain); },
        [](QLabel* l) { l->setStyleSheet("QLabel {padding: 7px;}"); },
        [](QLabel* l) { l->setStyleSheet("QLabel {border: 3px solid red; margin: 2px 9px;}"); },
        [](QLabel* l) { l->setStyleSheet("QLabel {padding: 7px; font-size: 14pt;}"); },
        [](QLabel* l) { l->setStyleSheet(QString()); },
        [](QLabel* l) { l->parentWidget()->setStyleSheet("QLabel {padding: 4px 11px; font-size: 9pt;}"); },
        [](QLabel* l) { l->parentWidget()->setStyleSheet("QLabel {padding: 4px 11px; font-size: 9pt; border: 1px solid;}"); },
        [](QLabel* l) { l->setLayoutDirection(Qt::RightToLeft); },
        [](QLabel* l) { l->setPixmap(QPixmap(30, 12)); },
        [](QLabel* l) { l->setText("Back to words after a picture"); },
    };
    int step = 0;
    for (const auto& change : changes) {
        pair.both(change);
        const QByteArray at = "change " + QByteArray::number(step++);
        QCOMPARE(pair.field->sizeHint(), pair.plain->sizeHint());
        QVERIFY2(pair.field->minimumSizeHint() == pair.plain->minimumSizeHint(), at.constData());
        for (int width : kWidths)
            QVERIFY2(pair.field->heightForWidth(width) == pair.plain->heightForWidth(width), at.constData());
    }
}

void TestFieldLabel::sameTextIsMeasuredOnce()
{
    QWidget parent;
    parent.setStyleSheet(QString::fromLatin1(kPageStyle));
    const QString text = QStringLiteral("Taxable capital gains, a line no other test of this program shows");
    auto* first = new FieldLabel(text, &parent);
    first->setWordWrap(true);
    first->sizeHint();
    first->minimumSizeHint();
    first->heightForWidth(333);
    const int remembered = FieldLabel::rememberedSizes();
    QVERIFY(remembered >= 3);

    // The same line on another page: nothing new to work out.
    auto* again = new FieldLabel(text, &parent);
    again->setWordWrap(true);
    QCOMPARE(again->sizeHint(), first->sizeHint());
    QCOMPARE(again->minimumSizeHint(), first->minimumSizeHint());
    QCOMPARE(again->heightForWidth(333), first->heightForWidth(333));
    QCOMPARE(FieldLabel::rememberedSizes(), remembered);

    // Another width, or another text, is worked out.
    again->heightForWidth(334);
    QCOMPARE(FieldLabel::rememberedSizes(), remembered + 1);
    again->setText(text + QStringLiteral(" twice"));
    again->sizeHint();
    QVERIFY(FieldLabel::rememberedSizes() > remembered + 1);
}

QTEST_MAIN(TestFieldLabel)
#include "tst_fieldlabel.moc"
