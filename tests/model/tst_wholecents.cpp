// Every amount the return stores is a whole number of cents: shares are
// rounded on the statement or slip that shows them, and a calculation leaves
// no money field of any form, slip or interview record between two cents.
#include <QtTest>
#include <memory>

#include "companion/forms/federal/statements.h"
#include "companion/forms/slips/slips_investment.h"
#include "companion/rules/money.h"
#include "modelfixture.h"

using namespace modelfixture;

namespace {

template <typename Form>
Form& addForm(IndividualTaxData& person, ENUMTYPE_FORM type)
{
    return static_cast<Form&>(*person.NewFormDataItem(type, 0, true, 0, true)->data);
}

// The money fields of one object that are not whole cents, as "name=value".
QStringList fractionalMoney(const CTaxData_Form& form)
{
    QStringList out;
    for (const CField* f : form.fieldList()) {
        if (!f->isMoney())
            continue;
        const double value = static_cast<const CFloatField*>(f)->m_value;
        if (value != taxrules::roundCents(value))
            out << QStringLiteral("%1/%2=%3").arg(form.getType()).arg(f->name()).arg(value, 0, 'g', 17);
    }
    return out;
}

// Every object of the person through its field table: forms, slips, interview records.
QStringList fractionalMoney(const IndividualTaxData& person)
{
    QStringList out;
    for (const STRUCT_FORMDATA_ITEM_2004* item : person.m_formList)
        if (item->data)
            out << fractionalMoney(*item->data);
    for (const STRUCT_SLIPDATA_ITEM_2004* item : person.m_slipList)
        if (item->data)
            out << fractionalMoney(*item->data);
    for (const STRUCT_WIZDATA_ITEM_2004* item : person.m_wizList)
        if (item->data)
            out << fractionalMoney(*item->data);
    return out;
}

int moneyFieldCount(const IndividualTaxData& person)
{
    int count = 0;
    for (const STRUCT_FORMDATA_ITEM_2004* item : person.m_formList)
        if (item->data)
            for (const CField* f : item->data->fieldList())
                count += f->isMoney() ? 1 : 0;
    return count;
}

// The stored return files of the tests, where the build says the sources
// are: a build folder may be anywhere.
QString fixtureFolder()
{
    return QStringLiteral(VR_TESTS_SOURCE_DIR "/fixtures/returnfile");
}

} // namespace

class TestWholeCents : public QObject
{
    Q_OBJECT
    std::unique_ptr<CFamilyTaxData> family;
    IndividualTaxData* person = nullptr;

    void start(bool coupled = false)
    {
        family = std::make_unique<CFamilyTaxData>();
        const NewReturnBasicData data = newReturn(coupled ? 1 : 5, coupled);
        family->NewData(&data);
        person = family->getTaxpayer();
    }

private slots:
    void cleanup() { family.reset(); }

    void sharesAddUpToTheLine_data()
    {
        QTest::addColumn<QString>("statement");
        // Each of two statements (or slips) reports 100.01 of which the person
        // holds 50 %: 100.01 x 50 % = 50.005, which rounds half away from zero
        // to 50.01 on each. The line adds what the two show: 50.01 + 50.01 =
        // 100.02, never 100.01 (the sum of the unrounded halves, rounded).
        QTest::newRow("rental, line 12600") << "rental";
        QTest::newRow("business partnership, line 13500") << "business";
        QTest::newRow("T5 share of interest, line 12100") << "t5";
    }
    void sharesAddUpToTheLine()
    {
        QFETCH(QString, statement);
        start();
        TaxData_T1New* t1 = person->GetT1();
        std::vector<const CFloatField*> shown;
        const CFloatField* line = nullptr;
        for (int i = 0; i < 2; ++i) {
            if (statement == "rental") {
                auto& f = addForm<TaxData_T776New>(*person, 12);
                f.line8141GrossRents.m_value = 100.01;
                f.OwnershipPercent.m_value = 50;
                shown.push_back(&f.NetResult);
                line = &t1->line12600NetRental;
            } else if (statement == "business") {
                auto& f = addForm<TaxData_T2125_New>(*person, 125);
                f.GrossIncome.m_value = 100.01;
                f.PartnershipIndicator.m_value = 1;
                f.PartnershipPercent.m_value = 50;
                shown.push_back(&f.PartnershipNet1);
                line = &t1->line13500BusinessNet;
            } else {
                auto& slip = static_cast<TaxData_Slip_T5&>(*person->NewSlipData(8, 0, 0)->data);
                slip.box13Interest.m_value = 100.01;
                slip.SharePercent.m_value = 50;
                shown.push_back(&slip.shareInterest);
                line = &t1->line12100InterestIncome;
            }
        }
        family->Calculate(0, nullptr);
        for (const CFloatField* net : shown)
            QCOMPARE(net->m_value, 50.01);
        QCOMPARE(line->m_value, shown[0]->m_value + shown[1]->m_value);
        QCOMPARE(line->m_value, 100.02);
    }

    void typedAmountsAreStoredInCents()
    {
        start();
        auto& rental = addForm<TaxData_T776New>(*person, 12);
        QVERIFY(rental.line8141GrossRents.setText(QStringLiteral("1234.565")));
        QCOMPARE(rental.line8141GrossRents.m_value, 1234.57);
        // A share is not money: it keeps its digits.
        QVERIFY(rental.OwnershipPercent.setText(QStringLiteral("33.3333")));
        QCOMPARE(rental.OwnershipPercent.m_value, 33.3333);
        family->Calculate(0, nullptr);
        // 1234.57 x 33.3333 % = 411.5229... -> 411.52.
        QCOMPARE(rental.NetResult.m_value, 411.52);
        QVERIFY2(fractionalMoney(*person).isEmpty(), qPrintable(fractionalMoney(*person).join(' ')));
    }

    void everyFixtureReturnHoldsWholeCents()
    {
        const QString folder = fixtureFolder();
        QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder));
        int calculated = 0;
        for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files)) {
            int code = -99;
            std::unique_ptr<CFamilyTaxData> read(CFamilyTaxData::serializeFromFile(CString(info.filePath()), code));
            if (!read || code != 0)
                continue; // a damaged input kept for the reader's own tests
            read->Calculate(0, nullptr);
            ++calculated;
            QStringList fractions = fractionalMoney(*read->getTaxpayer());
            if (read->IsCoupledReturn())
                fractions << fractionalMoney(*read->getSpouse());
            QVERIFY2(fractions.isEmpty(), qPrintable(info.fileName() + ": " + fractions.join(' ')));
        }
        // At least the single and the coupled return read whole.
        QVERIFY(calculated >= 2);
    }

    void testReturnOfEveryFormHoldsWholeCents()
    {
        start(true);
        for (IndividualTaxData* p : {family->getTaxpayer(), family->getSpouse()}) {
            p->CreateTestPrintFile();
            // Odd fractions in every money field the user could type into,
            // so that the rounding has work to do.
            for (STRUCT_FORMDATA_ITEM_2004* item : p->m_formList)
                for (CField* f : item->data->fieldList())
                    if (f->isMoney() && !f->isComputed())
                        static_cast<CFloatField*>(f)->m_value += 0.005;
        }
        QVERIFY(moneyFieldCount(*family->getTaxpayer()) > 1000);
        family->Calculate(0, nullptr);
        QStringList fractions = fractionalMoney(*family->getTaxpayer());
        fractions << fractionalMoney(*family->getSpouse());
        QVERIFY2(fractions.isEmpty(), qPrintable(fractions.mid(0, 20).join(' ')));
    }
};

QTEST_GUILESS_MAIN(TestWholeCents)
#include "tst_wholecents.moc"
