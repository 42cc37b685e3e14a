#include <QtTest>

#include <QAbstractItemView>
#include <QComboBox>
#include <QVBoxLayout>

#include "companion/ui/styledwidgets.h"

// A page's list of choices takes the size a plain list box of the same
// choices would take, in any font and style, before it is shown, once it
// is shown and after a change; and it builds its drop-down list only when
// the list is opened.
class TestChoiceComboBox : public QObject
{
    Q_OBJECT
private slots:
    void sizedAsAListBox_data();
    void sizedAsAListBox();
    void changesAreMeasuredAsByAListBox();
    void otherBoxesSizedAsAListBox_data();
    void otherBoxesSizedAsAListBox();
    void dropDownListBuiltWhenOpened();
};

namespace {

// The page style: a font size and a margin on every widget.
const char kPageStyle[] = "QWidget {font-size: 11pt;margin-top: 1px;margin-bottom: 1px;}";

struct Pair
{
    explicit Pair(const QStringList& items)
    {
        parent.setStyleSheet(QString::fromLatin1(kPageStyle));
        auto* column = new QVBoxLayout(&parent);
        choice = new ChoiceComboBox(&parent);
        plain = new QComboBox(&parent);
        column->addWidget(choice);
        column->addWidget(plain);
        both([&](QComboBox* box) { box->addItems(items); });
    }
    void both(const std::function<void(QComboBox*)>& change)
    {
        change(choice);
        change(plain);
    }
    void compare(const char* when) const
    {
        QVERIFY2(choice->sizeHint() == plain->sizeHint(), when);
        QVERIFY2(choice->minimumSizeHint() == plain->minimumSizeHint(), when);
    }
    QWidget parent;
    ChoiceComboBox* choice = nullptr;
    QComboBox* plain = nullptr;
};

} // namespace

void TestChoiceComboBox::sizedAsAListBox_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("pointSize");
    QTest::newRow("yes or no") << QStringList{"Not answered", "Yes", "No"} << 11;
    QTest::newRow("yes or no, large") << QStringList{"Not answered", "Yes", "No"} << 19;
    QTest::newRow("provinces") << QStringList{"Newfoundland and Labrador", "Prince Edward Island", "Nova Scotia",
                                              "New Brunswick", "Quebec", "Ontario", "Manitoba", "Saskatchewan",
                                              "Alberta", "British Columbia", "Yukon", "Northwest Territories",
                                              "Nunavut"}
                               << 9;
    QTest::newRow("one long choice") << QStringList{"Married, or living common-law with a spouse or partner"} << 12;
    QTest::newRow("no choices") << QStringList{} << 11;
}

void TestChoiceComboBox::sizedAsAListBox()
{
    QFETCH(QStringList, items);
    QFETCH(int, pointSize);
    Pair pair(items);
    pair.parent.setStyleSheet(QStringLiteral("QWidget {font-size: %1pt;margin-top: 1px;margin-bottom: 1px;}")
                                  .arg(pointSize));
    pair.compare("before it is shown");
    pair.parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pair.parent));
    pair.compare("shown");
    pair.both([](QComboBox* box) { box->setEnabled(false); });
    pair.compare("disabled");
}

void TestChoiceComboBox::changesAreMeasuredAsByAListBox()
{
    Pair pair({"Yes", "No"});
    // Polished as a page is before it is measured.
    pair.parent.ensurePolished();
    pair.compare("made");
    // Choices added before the first show count from the show on, as in a
    // list box; the sizes asked before it must not come back.
    pair.both([](QComboBox* box) { box->addItem("Not answered, or answered by somebody else"); });
    pair.parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pair.parent));
    pair.compare("shown with a longer choice");
    QVERIFY(pair.choice->sizeHint().width() > QComboBox().sizeHint().width());

    const std::vector<std::pair<const char*, std::function<void(QComboBox*)>>> changes = {
        {"font", [](QComboBox* b) {
             QFont large = b->font();
             large.setPointSize(20);
             b->setFont(large);
         }},
        {"bold", [](QComboBox* b) {
             QFont bold = b->font();
             bold.setBold(true);
             b->setFont(bold);
         }},
        {"own style", [](QComboBox* b) { b->setStyleSheet("QComboBox {padding: 6px 30px; border: 3px solid;}"); }},
        {"page style", [](QComboBox* b) { b->parentWidget()->setStyleSheet("QWidget {font-size: 7pt;}"); }},
        {"no style", [](QComboBox* b) {
             b->setStyleSheet(QString());
             b->parentWidget()->setStyleSheet(QString());
         }},
        {"a choice added after the show", [](QComboBox* b) { b->addItem("A much longer answer than any before it"); }},
        {"font after the added choice", [](QComboBox* b) {
             QFont small = b->font();
             small.setPointSize(8);
             b->setFont(small);
         }},
    };
    for (const auto& change : changes) {
        pair.both(change.second);
        pair.compare(change.first);
    }
}

void TestChoiceComboBox::otherBoxesSizedAsAListBox_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("minimum length") << 0;
    QTest::newRow("typed into") << 1;
    QTest::newRow("a choice with a picture") << 2;
    QTest::newRow("a placeholder") << 3;
    QTest::newRow("sized to its contents always") << 4;
}

void TestChoiceComboBox::otherBoxesSizedAsAListBox()
{
    QFETCH(int, kind);
    Pair pair({"Yes", "No"});
    pair.both([kind](QComboBox* box) {
        switch (kind) {
        case 0:
            box->setMinimumContentsLength(40);
            break;
        case 1:
            box->setEditable(true);
            break;
        case 2: {
            QPixmap picture(30, 30);
            picture.fill(Qt::red);
            box->addItem(QIcon(picture), "With a picture");
            break;
        }
        case 3:
            box->setCurrentIndex(-1);
            box->setPlaceholderText("Choose one of the answers the agency accepts");
            break;
        default:
            box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            box->addItem("Added after the policy, longer than the rest");
            break;
        }
    });
    pair.compare("configured");
    pair.parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pair.parent));
    pair.compare("shown");
}

void TestChoiceComboBox::dropDownListBuiltWhenOpened()
{
    QWidget parent;
    parent.setStyleSheet(QString::fromLatin1(kPageStyle));
    auto* box = new ChoiceComboBox(&parent);
    box->addItems({"Not answered", "Yes", "No"});
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    const auto windows = [box] {
        int n = 0;
        for (QObject* child : box->children())
            n += child->isWidgetType() && static_cast<QWidget*>(child)->isWindow();
        return n;
    };
    QCOMPARE(windows(), 0);
    box->showPopup();
    QCOMPARE(windows(), 1);
    QCOMPARE(box->view()->font().pointSize(), box->font().pointSize());
    box->hidePopup();
}

QTEST_MAIN(TestChoiceComboBox)
#include "tst_choicecombobox.moc"
