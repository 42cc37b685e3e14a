// The item store on its own: ids, the single-item lookup, removal, order,
// shared ids and the item-by-item comparison the person's copy and
// comparison rest on.
#include <QtTest>

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fields.h"
#include "companion/forms/formfactory.h"
#include "model/MultiProvsTaxMgr.h"
#include "model/personitemstore.h"

namespace {

// A store with its own host; the host loads no plug-in, so every object
// here is a federal one the store deletes itself.
struct Store
{
    CMultiProvsTaxMgr host{MULTIPROVS_MODE_RESIDENCE, nullptr};
    PersonItemStore items{host};
    ~Store() { items.freeAll(); }

    STRUCT_FORMDATA_ITEM_2004* form(ENUMTYPE_FORM type, int id = 0, int sharedId = 0)
    {
        return items.adoptForm(type, id, sharedId, CFormFactory::AllocFedFormData(type), true);
    }
    STRUCT_SLIPDATA_ITEM_2004* slip(ENUMTYPE_SLIP type, int id = 0, int sharedId = 0)
    {
        return items.adoptSlip(type, id, sharedId, CFormFactory::AllocSlipData(type));
    }
};

void changeFirstField(CTaxData_Form* form)
{
    QVERIFY(form && !form->fieldList().empty());
    CField* field = form->fieldList().front();
    const QString before = field->text();
    field->fillTestValue(7);
    if (field->text() == before)
        field->fillTestValue(11);
    QVERIFY(field->text() != before);
}

} // namespace

class TestPersonItemStore : public QObject
{
    Q_OBJECT

private slots:
    void idsAreDrawnOrTakenAcrossFormsSlipsAndNotes()
    {
        Store s;
        QCOMPARE(s.form(FORM_T1)->id, PersonItemStore::kFirstItemId);
        QCOMPARE(s.slip(SLIP_T4)->id, PersonItemStore::kFirstItemId + 1);
        // A given id is kept and later draws pass it.
        QCOMPARE(s.slip(SLIP_T5, 500)->id, 500);
        QCOMPARE(s.items.adoptNote(0, CFormFactory::AllocNoteData())->id, 501);
        QCOMPARE(s.items.adoptNote(900, CFormFactory::AllocNoteData())->id, 900);
        QCOMPARE(s.form(FORM_SCH9)->id, 901);
        // A given id below the next one leaves the next one alone.
        QCOMPARE(s.form(FORM_SCH7, 150)->id, 150);
        QCOMPARE(s.items.GetNextUniqueID(), 902);
    }

    void onlyFormItemIsNullForNoneAndForSeveral()
    {
        Store s;
        QVERIFY(!s.items.onlyFormItem(FORM_T776));
        STRUCT_FORMDATA_ITEM_2004* first = s.form(FORM_T776);
        QCOMPARE(s.items.onlyFormItem(FORM_T776), first);
        s.form(FORM_T776);
        QVERIFY(!s.items.onlyFormItem(FORM_T776));
        QVERIFY(s.items.HasForm(FORM_T776));
        QCOMPARE(s.items.GetCountOfForm(FORM_T776), 2);
        QCOMPARE(s.items.GetCountOfForm(0), 2);
    }

    void removingAFormTakesOnlyItsItem()
    {
        Store s;
        s.form(FORM_T1);
        STRUCT_FORMDATA_ITEM_2004* rental = s.form(FORM_T776);
        const int keptId = s.form(FORM_T776)->id;
        s.items.removeFormItem(rental->data);
        QCOMPARE(s.items.GetCountOfForm(FORM_T776), 1);
        QCOMPARE(s.items.onlyFormItem(FORM_T776)->id, keptId);
        QVERIFY(s.items.GetT1());
    }

    void theSummaryMovesToTheFront()
    {
        Store s;
        s.form(FORM_T1);
        s.form(FORM_SCH9);
        s.form(FORM_T1KS);
        s.items.moveFormToFront(FORM_T1KS);
        QCOMPARE(s.items.m_formList.front()->type, ENUMTYPE_FORM(FORM_T1KS));
        QCOMPARE(s.items.m_formList.size(), size_t(3));
        QCOMPARE(s.items.m_formList.back()->type, ENUMTYPE_FORM(FORM_SCH9));
    }

    void danglingSharedIdsAreCleared()
    {
        Store mine, theirs;
        // Linked both ways: kept. Pointing at an item that does not point
        // back, or at nothing: cleared.
        mine.slip(SLIP_T5, 100, 200);
        theirs.slip(SLIP_T5, 200, 100);
        mine.slip(SLIP_T5, 101, 201);
        theirs.slip(SLIP_T5, 201, 999);
        mine.form(FORM_T776, 102, 300);
        mine.items.ClearDanglingSharedIds(theirs.items);
        auto slip = mine.items.m_slipList.begin();
        QCOMPARE((*slip++)->sharedId, 200);
        QCOMPARE((*slip)->sharedId, 0);
        QCOMPARE(mine.items.m_formList.front()->sharedId, 0);
    }

    void layoutIsOrderedAndItemsAreNot()
    {
        Store a, b;
        a.form(FORM_T1, 100);
        a.form(FORM_SCH9, 101);
        b.form(FORM_SCH9, 101);
        b.form(FORM_T1, 100);
        // The same items in another order: equal, but no value copy.
        QVERIFY(a.items.sameItems(b.items));
        QVERIFY(!a.items.sameLayout(b.items));
        changeFirstField(b.items.onlyFormItem(FORM_SCH9)->data);
        QVERIFY(!a.items.sameItems(b.items));
    }

    void valueCopyMakesTheItemsEqual()
    {
        Store a, b;
        a.form(FORM_T1, 100);
        a.slip(SLIP_T4, 101);
        b.form(FORM_T1, 100);
        b.slip(SLIP_T4, 101);
        b.items.m_nextId = 300;
        changeFirstField(b.items.m_slipList.front()->data);
        QVERIFY(a.items.sameLayout(b.items));
        QVERIFY(!a.items.sameItems(b.items));
        a.items.copyValuesFrom(b.items);
        QVERIFY(a.items.sameItems(b.items));
        QCOMPARE(a.items.m_nextId, 300);
    }
};

QTEST_GUILESS_MAIN(TestPersonItemStore)
#include "tst_personitemstore.moc"
