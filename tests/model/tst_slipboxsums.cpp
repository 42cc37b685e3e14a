// The table of slip boxes added unchanged into totals: every row names a
// real amount of the slip its type makes, and two slips of that type add
// their amounts, as the calculation sees them, into the row's total.
#include <QtTest>
#include <memory>

#include "companion/forms/cfield.h"
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
};

QTEST_GUILESS_MAIN(TestSlipBoxSums)
#include "tst_slipboxsums.moc"
