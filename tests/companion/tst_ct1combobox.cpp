#include <QtTest>

#include "companion/forms/catalogue.h"
#include "companion/ui/ct1combobox.h"

#include <set>

class TestCT1ComboBox : public QObject
{
    Q_OBJECT
private slots:
    void provincesStartWithNoChoice();
    void setCurSelData();
    void formsFollowProvinces_data();
    void formsFollowProvinces();
    void filterMatchesCodeTitleOrWords_data();
    void filterMatchesCodeTitleOrWords();
    void editionLimitsForms();
    void neverOffersFormsTheReturnKeepsItself();

private:
    static std::set<int> typesIn(const CT1ComboBox& box);
};

std::set<int> TestCT1ComboBox::typesIn(const CT1ComboBox& box)
{
    std::set<int> types;
    for (int i = 0; i < box.count(); ++i)
        types.insert(box.itemData(i, Qt::UserRole).toInt());
    return types;
}

void TestCT1ComboBox::provincesStartWithNoChoice()
{
    CT1ComboBox box(nullptr);
    box.addItem("stale", 99);
    box.LoadProvs();
    QCOMPARE(box.count(), 14);
    QCOMPARE(box.currentIndex(), 0);
    QCOMPARE(box.itemData(0).toInt(), 0);
    QCOMPARE(box.itemText(0), QString(CT1ComboBox::kNoProvinceText));
    QCOMPARE(box.itemText(3), QString("Manitoba"));
    QCOMPARE(box.itemData(3).toInt(), 3);
    QCOMPARE(box.itemText(11), QString("Quebec"));
    QCOMPARE(box.itemData(11).toInt(), 11);
    QCOMPARE(box.findData(99), -1);
}

void TestCT1ComboBox::setCurSelData()
{
    CT1ComboBox box(nullptr);
    box.LoadProvs();
    QVERIFY(box.SetCurSelData(9));
    QCOMPARE(box.currentText(), QString("Ontario"));
    QVERIFY(!box.SetCurSelData(42));
    QCOMPARE(box.currentData().toInt(), 0);
    QVERIFY(box.SetCurSelData(0));
    QCOMPARE(box.currentIndex(), 0);
}

void TestCT1ComboBox::formsFollowProvinces_data()
{
    QTest::addColumn<QList<int>>("provinces");
    QTest::addColumn<QList<int>>("present");
    QTest::addColumn<QList<int>>("absent");
    QTest::newRow("Ontario") << QList<int>{9} << QList<int>{24, 25, 125, 131, 12, 6} << QList<int>{45, 81, 41};
    QTest::newRow("Alberta and Saskatchewan") << QList<int>{1, 12} << QList<int>{45, 81, 125} << QList<int>{24};
    QTest::newRow("no plug-in loaded") << QList<int>{} << QList<int>{125, 6} << QList<int>{24, 45, 81};
}

void TestCT1ComboBox::formsFollowProvinces()
{
    QFETCH(QList<int>, provinces);
    QFETCH(QList<int>, present);
    QFETCH(QList<int>, absent);
    std::list<unsigned int> list;
    for (int p : provinces)
        list.push_back(unsigned(p));
    CT1ComboBox box(nullptr);
    box.LoadTaxForms(EDITION_DIRERAD, list, CString());
    const std::set<int> types = typesIn(box);
    for (int type : present)
        QVERIFY2(types.count(type), qPrintable(QString::number(type)));
    for (int type : absent)
        QVERIFY2(!types.count(type), qPrintable(QString::number(type)));
}

void TestCT1ComboBox::filterMatchesCodeTitleOrWords_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("form number") << "T2125" << QList<int>{125, 131};
    QTest::newRow("title words, any case") << "  real ESTATE " << QList<int>{12};
    QTest::newRow("search words") << "daycare" << QList<int>{13};
    QTest::newRow("provincial form of another province") << "AB428" << QList<int>{};
    QTest::newRow("nothing") << "no such form anywhere" << QList<int>{};
}

void TestCT1ComboBox::filterMatchesCodeTitleOrWords()
{
    QFETCH(QString, filter);
    QFETCH(QList<int>, expected);
    CT1ComboBox box(nullptr);
    box.LoadTaxForms(EDITION_DIRERAD, {9}, CString(filter));
    const std::set<int> types = typesIn(box);
    QCOMPARE(types, std::set<int>(expected.begin(), expected.end()));
    // Sorted by title.
    for (int i = 1; i < box.count(); ++i)
        QVERIFY(box.itemText(i - 1).compare(box.itemText(i), Qt::CaseInsensitive) <= 0);
}

void TestCT1ComboBox::editionLimitsForms()
{
    CT1ComboBox box(nullptr);
    box.LoadTaxForms(EDITION_DIRERAD, {9}, CString("T183"));
    QVERIFY(!typesIn(box).count(96));
    box.LoadTaxForms(EDITION_EFILE, {9}, CString("T183"));
    QVERIFY(typesIn(box).count(96));
}

void TestCT1ComboBox::neverOffersFormsTheReturnKeepsItself()
{
    CT1ComboBox box(nullptr);
    box.LoadTaxForms(EDITION_ALL, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, CString());
    const std::set<int> types = typesIn(box);
    for (int type : {1, 93, 159, 165, 177, 178, 2, 5, 8, 100, 151, 166, 10})
        QVERIFY2(!types.count(type), qPrintable(QString::number(type)));
    for (int type : types) {
        QVERIFY(!IsFormExpired(type, 0));
        QCOMPARE(box.itemText(box.findData(type)), QString::fromUtf8(getFormName(type)));
    }
}

QTEST_MAIN(TestCT1ComboBox)
#include "tst_ct1combobox.moc"
