// The Auto-fill options: what each fill option lets an apply bring in.
#include <QtTest>

#include "agencydata/records/dataafr.h"

#include <functional>

using Predicate = std::function<bool(const DataAFR&)>;
Q_DECLARE_METATYPE(Predicate)

class TestAutoFillOptions : public QObject
{
    Q_OBJECT
private slots:
    void fieldsInOrder()
    {
        DataAFR options;
        QCOMPARE(int(options.fieldList().size()), 24);
        QCOMPARE(options.fieldList().front()->name(), QStringLiteral("iFillOption"));
        QCOMPARE(options.fieldList().back()->name(), QStringLiteral("bHBPLLP"));
        QCOMPARE(options.fld_iFillOption.m_value, DataAFR::kNotChosen);
    }

    void slipTypes_data()
    {
        QTest::addColumn<int>("fillOption");
        QTest::addColumn<int>("slipType");
        QTest::addColumn<bool>("allowed");
        // Only the T4 box is ticked in every row.
        QTest::newRow("all: T5013, which has no box") << 0 << 13 << true;
        QTest::newRow("all: type 0") << 0 << 0 << true;
        QTest::newRow("all: T4") << 0 << 1 << true;
        QTest::newRow("ticked: T4") << 1 << 1 << true;
        QTest::newRow("ticked: T4A not ticked") << 1 << 2 << false;
        QTest::newRow("ticked: RRSP receipt") << 1 << 20 << false;
        QTest::newRow("ticked: T5013") << 1 << 13 << false;
        QTest::newRow("nothing chosen: T4") << -1 << 1 << false;
        QTest::newRow("nothing chosen: T5013") << -1 << 13 << false;
    }

    void slipTypes()
    {
        QFETCH(int, fillOption);
        QFETCH(int, slipType);
        QFETCH(bool, allowed);
        DataAFR options;
        options.fld_iFillOption.m_value = fillOption;
        options.fld_bT4.m_value = 1;
        QCOMPARE(options.allowApplySlip(slipType), allowed);
    }

    void everySlipBoxGatesItsType()
    {
        DataAFR options;
        options.fld_iFillOption.m_value = DataAFR::kTickedElements;
        const int boxed[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 17, 18, 19, 21, 22, 23, 25, 26};
        for (int type : boxed) {
            QVERIFY2(!options.allowApplySlip(type), qPrintable(QString::number(type)));
            CBoolField* tick = const_cast<CBoolField*>(options.tickFor(type));
            QVERIFY(tick);
            tick->m_value = 1;
            QVERIFY2(options.allowApplySlip(type), qPrintable(QString::number(type)));
            tick->m_value = 0;
        }
        for (int type : {0, 10, 12, 13, 14, 15, 16, 20, 24, 27, -1})
            QVERIFY(!options.tickFor(type));
    }

    void amountGroups_data()
    {
        QTest::addColumn<Predicate>("allows");
        QTest::addColumn<QString>("tick");
        QTest::newRow("tuition") << Predicate(&DataAFR::allowTuition) << "bTuition";
        QTest::newRow("instalments") << Predicate(&DataAFR::allowInstalment) << "bInstalment";
        QTest::newRow("RRSP limit") << Predicate(&DataAFR::allowRRSPLimit) << "bRRSPLimit";
        QTest::newRow("RRSP receipts") << Predicate(&DataAFR::allowRRSPContribution) << "bRRSPContribution";
        QTest::newRow("HBP and LLP") << Predicate(&DataAFR::allowHBPLLP) << "bHBPLLP";
    }

    void amountGroups()
    {
        QFETCH(Predicate, allows);
        QFETCH(QString, tick);
        DataAFR options;
        QVERIFY(!allows(options));
        options.fld_iFillOption.m_value = DataAFR::kAllElements;
        QVERIFY(allows(options));
        options.fld_iFillOption.m_value = DataAFR::kTickedElements;
        QVERIFY(!allows(options));
        auto* box = dynamic_cast<CBoolField*>(options.findField(tick));
        QVERIFY(box);
        box->m_value = 1;
        QVERIFY(allows(options));
    }

    void validFillOptions_data()
    {
        QTest::addColumn<int>("fillOption");
        QTest::addColumn<bool>("valid");
        QTest::newRow("all") << 0 << true;
        QTest::newRow("ticked") << 1 << true;
        QTest::newRow("nothing chosen") << -1 << false;
        QTest::newRow("unknown") << 2 << false;
    }

    void validFillOptions()
    {
        QFETCH(int, fillOption);
        QFETCH(bool, valid);
        DataAFR options;
        options.fld_iFillOption.m_value = fillOption;
        QCOMPARE(options.hasValidFillOption(), valid);
    }
};

QTEST_GUILESS_MAIN(TestAutoFillOptions)
#include "tst_autofilloptions.moc"
