// The return announces its changes: one announcement per operation, in a
// fixed order, whoever made the change.
#include <QtTest>

#include "model/cfamilytaxdata.h"
#include "model/returnchanges.h"
#include "modelfixture.h"

#include <functional>
#include <memory>

using namespace modelfixture;

namespace {

constexpr int kSlipT4 = 1;

// Every announcement, as "name(args)", in the order heard.
class Recorder : public QObject
{
public:
    explicit Recorder(const ReturnChangeNotifier& n)
    {
        connect(&n, &ReturnChangeNotifier::personSwitched, this,
                [this](int p) { heard << QStringLiteral("personSwitched(%1)").arg(p); });
        connect(&n, &ReturnChangeNotifier::itemsChanged, this,
                [this](int p, int k) { heard << QStringLiteral("itemsChanged(%1,%2)").arg(p).arg(k); });
        connect(&n, &ReturnChangeNotifier::filingStatusChanged, this,
                [this](int t) { heard << QStringLiteral("filingStatusChanged(%1)").arg(t); });
        connect(&n, &ReturnChangeNotifier::calculated, this, [this] { heard << QStringLiteral("calculated"); });
    }
    QStringList heard;
};

std::unique_ptr<CFamilyTaxData> newFamily(bool coupled)
{
    auto family = std::make_unique<CFamilyTaxData>();
    const NewReturnBasicData data = newReturn(coupled ? 1 : 5, coupled);
    family->NewData(&data);
    family->Calculate(-1, nullptr);
    return family;
}

using Operation = std::function<void(CFamilyTaxData&)>;

} // namespace

Q_DECLARE_METATYPE(Operation)

class TestReturnChanges : public QObject
{
    Q_OBJECT
private slots:
    void oneAnnouncementPerOperation_data();
    void oneAnnouncementPerOperation();
    void nothingUntilTheOutermostGuardEnds();
    void aListenersChangeIsAnnouncedOnItsOwn();
    void aCopyAnnouncesToNobody();
};

void TestReturnChanges::oneAnnouncementPerOperation_data()
{
    QTest::addColumn<bool>("coupled");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("recalculation of an unchanged return")
        << false << Operation([](CFamilyTaxData& f) { f.Calculate(-1, nullptr); }) << QStringList{"calculated"};
    QTest::newRow("a slip added")
        << false << Operation([](CFamilyTaxData& f) { f.NewSlipData(kSlipT4, 0, 0); })
        << QStringList{"itemsChanged(-2,1)"};
    QTest::newRow("a slip added and the return recalculated, in one guard")
        << false << Operation([](CFamilyTaxData& f) {
               ReturnChangeGuard change(f.changes());
               f.NewSlipData(kSlipT4, 0, 0);
               f.Calculate(-1, nullptr);
           })
        << QStringList{"itemsChanged(-2,1)", "calculated"};
    QTest::newRow("two slips removed and a note added, in one guard: each list once")
        << false << Operation([](CFamilyTaxData& f) {
               STRUCT_SLIPDATA_ITEM_2004* first = f.NewSlipData(kSlipT4, 0, 0);
               STRUCT_SLIPDATA_ITEM_2004* second = f.NewSlipData(kSlipT4, 0, 0);
               ReturnChangeGuard change(f.changes());
               f.RemoveSlipData(first->data);
               f.RemoveSlipData(second->data);
               f.NewNoteData(0);
           })
        << QStringList{"itemsChanged(-2,1)", "itemsChanged(-2,1)", "itemsChanged(-2,1)", "itemsChanged(-2,3)"};
    QTest::newRow("the filing status")
        << false << Operation([](CFamilyTaxData& f) { f.updateFilingStatus(FORM_T1, 1, CString("C123")); })
        << QStringList{"filingStatusChanged(1)"};
    QTest::newRow("the spouse chosen")
        << true << Operation([](CFamilyTaxData& f) { f.setCurIndv(CFamilyTaxData::kSpouse); })
        << QStringList{"personSwitched(-1)"};
    QTest::newRow("the person already chosen: nothing")
        << true << Operation([](CFamilyTaxData& f) { f.setCurIndv(CFamilyTaxData::kTaxpayer); }) << QStringList{};
    QTest::newRow("the spouse chosen and a slip added: the person first")
        << true << Operation([](CFamilyTaxData& f) {
               ReturnChangeGuard change(f.changes());
               f.Calculate(-1, nullptr);
               f.updateFilingStatus(FORM_T1, -1, CString());
               f.setCurIndv(CFamilyTaxData::kSpouse);
               f.NewSlipData(kSlipT4, 0, 0);
           })
        << QStringList{"personSwitched(-1)", "itemsChanged(-1,1)", "filingStatusChanged(1)", "calculated"};
    QTest::newRow("de-coupling: every list of both persons")
        << true << Operation([](CFamilyTaxData& f) { f.DecoupleReturn(false); })
        << QStringList{"itemsChanged(0,-1)"};
}

void TestReturnChanges::oneAnnouncementPerOperation()
{
    QFETCH(bool, coupled);
    QFETCH(Operation, operation);
    QFETCH(QStringList, expected);
    std::unique_ptr<CFamilyTaxData> family = newFamily(coupled);
    Recorder recorder(family->changes());
    operation(*family);
    QCOMPARE(recorder.heard, expected);
}

void TestReturnChanges::nothingUntilTheOutermostGuardEnds()
{
    std::unique_ptr<CFamilyTaxData> family = newFamily(false);
    Recorder recorder(family->changes());
    {
        ReturnChangeGuard outer(family->changes());
        {
            ReturnChangeGuard inner(family->changes());
            family->NewSlipData(kSlipT4, 0, 0);
            family->Calculate(-1, nullptr);
        }
        QVERIFY(family->changes().isHeld());
        QCOMPARE(recorder.heard, QStringList());
        family->Calculate(-1, nullptr);
    }
    QVERIFY(!family->changes().isHeld());
    QCOMPARE(recorder.heard, (QStringList{"itemsChanged(-2,1)", "calculated"}));
}

void TestReturnChanges::aListenersChangeIsAnnouncedOnItsOwn()
{
    std::unique_ptr<CFamilyTaxData> family = newFamily(false);
    Recorder recorder(family->changes());
    // A listener that recalculates when the slips change: its recalculation
    // is a second announcement, after the first one ended.
    bool recalculated = false;
    QObject listener;
    QObject::connect(&family->changes(), &ReturnChangeNotifier::itemsChanged, &listener, [&](int, int) {
        if (!recalculated) {
            recalculated = true;
            family->Calculate(-1, nullptr);
        }
    });
    {
        ReturnChangeGuard change(family->changes());
        family->NewSlipData(kSlipT4, 0, 0);
        family->updateFilingStatus(FORM_T1, -1, CString());
    }
    QCOMPARE(recorder.heard, (QStringList{"itemsChanged(-2,1)", "filingStatusChanged(1)", "calculated"}));
    QVERIFY(recalculated);
}

void TestReturnChanges::aCopyAnnouncesToNobody()
{
    std::unique_ptr<CFamilyTaxData> family = newFamily(false);
    CFamilyTaxData copy;
    copy = *family;
    Recorder recorder(family->changes());
    copy.NewSlipData(kSlipT4, 0, 0);
    copy.Calculate(-1, nullptr);
    QCOMPARE(recorder.heard, QStringList());
    QVERIFY(&copy.changes() != &family->changes());
}

QTEST_GUILESS_MAIN(TestReturnChanges)
#include "tst_returnchanges.moc"
