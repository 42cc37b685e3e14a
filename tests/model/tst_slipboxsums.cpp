// The table of slip boxes added unchanged into totals: every row names a
// real amount of the slip its type makes, and two slips of that type add
// their amounts, as the calculation sees them, into the row's total.
#include <QtTest>
#include <memory>

#include "companion/forms/cfield.h"
#include "companion/forms/slips/slips_investment.h"
#include "model/slipboxsums.h"
#include "modelfixture.h"

using namespace modelfixture;

class TestSlipBoxSums : public QObject
{
    Q_OBJECT

private slots:
    void everyRowReachesItsTotal()
    {
        for (const SlipBoxSum& row : slipBoxSums()) {
            CFamilyTaxData family;
            const NewReturnBasicData data = newReturn(5, false, kOntario);
            family.NewData(&data);
            IndividualTaxData& person = *family.getTaxpayer();
            CFloatField* boxes[2] = {};
            for (int n = 0; n < 2; ++n) {
                STRUCT_SLIPDATA_ITEM_2004* item = person.NewSlipData(row.slip, 0, 0);
                QVERIFY2(item && item->data, row.box);
                // The sums check a slip's class once, with its type's first row.
                QVERIFY2(row.isOfClass(*item->data), row.box);
                item->data->InitPrintTestData();
                boxes[n] = dynamic_cast<CFloatField*>(item->data->findField(QString::fromLatin1(row.box)));
                QVERIFY2(boxes[n], row.box);
            }
            STRUCT_SLIPDATA_CALCULATION totals;
            std::set<ENUMTYPE_FORM> needed;
            person.PrepareSlipsBeforeCalculate(totals, needed, false);
            // The slips' own calculation has run: the amounts are read after it.
            const double expected = boxes[0]->m_value + boxes[1]->m_value;
            QVERIFY2(expected != 0.0, row.box);
            QVERIFY2(qFuzzyCompare(totals.*row.total, expected),
                     qPrintable(QStringLiteral("%1: %2, expected %3")
                                    .arg(QLatin1String(row.box))
                                    .arg(totals.*row.total)
                                    .arg(expected)));
        }
    }

    // A slip of another class under a type (a damaged file could hold one)
    // adds nothing to that type's totals.
    void aSlipOfAnotherClassAddsNothing()
    {
        TaxData_Slip_T5 t5;
        t5.InitPrintTestData();
        STRUCT_SLIPDATA_CALCULATION totals;
        addPlainSlipBoxes(totals, SLIP_T4, t5);
        const STRUCT_SLIPDATA_CALCULATION untouched;
        int rows = 0;
        for (const SlipBoxSum& row : slipBoxSums()) {
            if (row.slip != SLIP_T4)
                continue;
            ++rows;
            QVERIFY2(!row.isOfClass(t5), row.box);
            QCOMPARE(totals.*row.total, untouched.*row.total);
        }
        QVERIFY(rows > 0);
        addPlainSlipBoxes(totals, SLIP_T5, t5); // under its own type it does add
        bool added = false;
        for (const SlipBoxSum& row : slipBoxSums())
            added = added || (row.slip == SLIP_T5 && totals.*row.total != untouched.*row.total);
        QVERIFY(added);
    }
};

QTEST_GUILESS_MAIN(TestSlipBoxSums)
#include "tst_slipboxsums.moc"
