#include <QtTest>

#include "model/formorder.h"
#include "model/individualtaxdata.h"

// The person's form order as the user arranges it: the return summary and
// its copies keep their places.
class TestFormOrder : public QObject
{
    Q_OBJECT
private slots:
    void movableFormsLeaveOutTheSummaryAndItsCopies();
    void newOrderGoesAroundTheFixedForms();
    void orderOfOtherItemsIsRefused();
};

namespace {

// A person whose list holds the given items; the items belong to the test,
// so the list is emptied before the person goes.
struct ListedPerson
{
    explicit ListedPerson(std::list<STRUCT_FORMDATA_ITEM_2004*> items)
        : person(MULTIPROVS_MODE_RESIDENCE, nullptr)
    {
        person.m_formList = std::move(items);
    }
    ~ListedPerson() { person.m_formList.clear(); }
    std::vector<int> ids() const
    {
        std::vector<int> out;
        for (const STRUCT_FORMDATA_ITEM_2004* item : person.m_formList)
            out.push_back(item->id);
        return out;
    }
    IndividualTaxData person;
};

STRUCT_FORMDATA_ITEM_2004 item(int type, int id)
{
    STRUCT_FORMDATA_ITEM_2004 out;
    out.type = type;
    out.id = id;
    return out;
}

} // namespace

void TestFormOrder::movableFormsLeaveOutTheSummaryAndItsCopies()
{
    auto p = item(7, 101), s93 = item(93, 102), q = item(9, 103), c159 = item(159, 104), c165 = item(165, 105);
    ListedPerson listed({&p, &s93, &q, &c159, &c165});
    const std::vector<STRUCT_FORMDATA_ITEM_2004*> forms = movableForms(listed.person);
    QCOMPARE(int(forms.size()), 2);
    QCOMPARE(forms[0], &p);
    QCOMPARE(forms[1], &q);
}

void TestFormOrder::newOrderGoesAroundTheFixedForms()
{
    // P, 93, Q, R shown as P, Q, R and rearranged to R, Q, P.
    auto p = item(7, 101), s93 = item(93, 102), q = item(9, 103), r = item(11, 104);
    ListedPerson listed({&p, &s93, &q, &r});
    QVERIFY(applyFormOrder(listed.person, {&r, &q, &p}));
    QCOMPARE(listed.ids(), (std::vector<int>{104, 102, 103, 101}));
    // The items themselves are untouched.
    QCOMPARE(r.type, 11);
    QCOMPARE(s93.id, 102);
}

void TestFormOrder::orderOfOtherItemsIsRefused()
{
    auto p = item(7, 101), s93 = item(93, 102), q = item(9, 103), stranger = item(12, 200);
    ListedPerson listed({&p, &s93, &q});
    // A form twice would drop the other; a foreign one would be adopted.
    QVERIFY(!applyFormOrder(listed.person, {&p, &p}));
    QVERIFY(!applyFormOrder(listed.person, {&q, &stranger}));
    QVERIFY(!applyFormOrder(listed.person, {&q}));
    QCOMPARE(listed.ids(), (std::vector<int>{101, 102, 103}));
}

QTEST_GUILESS_MAIN(TestFormOrder)
#include "tst_formorder.moc"
