#include <QtTest>

#include "dialogs/datanewreturnbasic.h"

class TestDataNewReturnBasic : public QObject
{
    Q_OBJECT
private slots:
    void fieldsInOrderWithStartValues();
    void spouseAskedOnlyWhenMarriedOrCommonLaw_data();
    void spouseAskedOnlyWhenMarriedOrCommonLaw();
    void presetBirthDates();
};

void TestDataNewReturnBasic::fieldsInOrderWithStartValues()
{
    const DataNewReturnBasic rec;
    const auto fields = rec.fieldsInOrder();
    const FieldKind kinds[DataNewReturnBasic::kFieldCount] = {
        FieldKind::String, FieldKind::String, FieldKind::String, FieldKind::Date, FieldKind::Int,
        FieldKind::Int,    FieldKind::String, FieldKind::String, FieldKind::Bool, FieldKind::Bool,
        FieldKind::String, FieldKind::Date,   FieldKind::Int,    FieldKind::Bool, FieldKind::Bool,
        FieldKind::Bool,   FieldKind::Bool,   FieldKind::Bool,   FieldKind::Bool, FieldKind::Bool,
        FieldKind::Bool,   FieldKind::Bool,   FieldKind::Bool};
    for (int i = 0; i < DataNewReturnBasic::kFieldCount; ++i) {
        QCOMPARE(int(fields[i]->kind()), int(kinds[i]));
        // Declaration order is the order the return model reads them in.
        if (i > 0)
            QVERIFY(reinterpret_cast<const char*>(fields[i]) > reinterpret_cast<const char*>(fields[i - 1]));
    }
    QCOMPARE(rec.MaritalStatus.m_value, -1);
    QCOMPARE(rec.TaxPronv.m_value, 0);
    QCOMPARE(rec.TaxPronvSpouse.m_value, 0);
    QCOMPARE(rec.LastName.maxLength(), 50);
    QCOMPARE(rec.LastName.attribute(), 0);
    QVERIFY(!rec.dob.IsValid());
    QVERIFY(rec.fieldList().empty());
    QCOMPARE(const_cast<DataNewReturnBasic&>(rec).Calculate(), 0);
    for (int i = 0; i < DataNewReturnBasic::kFieldCount; ++i) {
        if (fields[i] != &rec.MaritalStatus)
            QVERIFY2(fields[i]->isBlank(), qPrintable(QString::number(i)));
    }
}

void TestDataNewReturnBasic::spouseAskedOnlyWhenMarriedOrCommonLaw_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("asked");
    QTest::newRow("none chosen") << -1 << false;
    QTest::newRow("married") << 0 << true;
    QTest::newRow("common-law") << 1 << true;
    QTest::newRow("widowed") << 2 << false;
    QTest::newRow("divorced") << 3 << false;
    QTest::newRow("separated") << 4 << false;
    QTest::newRow("single") << 5 << false;
    QTest::newRow("far negative") << -7 << false;
}

void TestDataNewReturnBasic::spouseAskedOnlyWhenMarriedOrCommonLaw()
{
    QFETCH(int, status);
    QFETCH(bool, asked);
    DataNewReturnBasic rec;
    rec.MaritalStatus.m_value = status;
    QCOMPARE(rec.shouldAskSpouseInfo(), asked);
    rec.Coupled.m_value = 1;
    QCOMPARE(rec.isCoupled(), asked);
}

void TestDataNewReturnBasic::presetBirthDates()
{
    DataNewReturnBasic rec;
    rec.presetBirthDates();
    QCOMPARE(rec.dob.m_value, QDate(1980, 1, 1));
    QCOMPARE(rec.dobSpouse.m_value, QDate(1980, 1, 1));
}

QTEST_MAIN(TestDataNewReturnBasic)
#include "tst_datanewreturnbasic.moc"
