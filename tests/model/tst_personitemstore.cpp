// The item store on its own: ids, the single-item lookup, removal, order,
// shared ids and the item-by-item comparison the person's copy and
// comparison rest on.
#include <QtTest>
#include <memory>

#include "companion/forms/catalogue.h"
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

// The lookups by type agree, for every type, with a walk of the list as it
// stands.
void lookupsMatchTheList(const PersonItemStore& items)
{
    for (int type = -1; type <= FORMTYPE_LAST + 1; ++type) {
        int count = 0;
        STRUCT_FORMDATA_ITEM_2004* first = nullptr;
        for (STRUCT_FORMDATA_ITEM_2004* item : items.m_formList)
            if (item->type == type && count++ == 0)
                first = item;
        if (type == 0)
            continue; // count 0 is every form's
        QCOMPARE(items.GetCountOfForm(type), count);
        QCOMPARE(items.HasForm(type), count > 0);
        QCOMPARE(items.onlyFormItem(type), count == 1 ? first : nullptr);
    }
    QCOMPARE(items.GetCountOfForm(0), int(items.m_formList.size()));
    QCOMPARE(items.GetT1() != nullptr, items.GetCountOfForm(FORM_T1) == 1);
}

// A form type the catalogue gives to a province.
ENUMTYPE_FORM someProvincialType()
{
    for (int type = 1; type <= FORMTYPE_LAST; ++type)
        if (getFormProv(type) > 0)
            return type;
    return 0;
}

enum ListChange { AddForm, AddSecondOfType, RemoveForm, MoveToFront, FreeAll, ForgetObject, RemoveProvincial };

} // namespace

Q_DECLARE_METATYPE(ListChange)

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

    // While a calculation holds the table by type, every change the store
    // makes to the list shows in the next lookup: the table drawn before
    // the change is not used after it.
    void heldLookupsFollowEveryChange_data()
    {
        QTest::addColumn<ListChange>("change");
        QTest::newRow("form added") << AddForm;
        QTest::newRow("second form of a type") << AddSecondOfType;
        QTest::newRow("form removed") << RemoveForm;
        QTest::newRow("form moved to the front") << MoveToFront;
        QTest::newRow("every item freed") << FreeAll;
        QTest::newRow("plug-in object forgotten") << ForgetObject;
        QTest::newRow("provincial forms removed") << RemoveProvincial;
    }

    void heldLookupsFollowEveryChange()
    {
        QFETCH(ListChange, change);
        Store s;
        const ENUMTYPE_FORM provincial = someProvincialType();
        QVERIFY(provincial > 0);
        s.form(FORM_SCH9);
        STRUCT_FORMDATA_ITEM_2004* t1 = s.form(FORM_T1);
        STRUCT_FORMDATA_ITEM_2004* rental = s.form(FORM_T776);
        s.items.adoptForm(provincial, 0, 0, CFormFactory::AllocFedFormData(FORM_SCH9), true);
        s.items.holdFormTypeIndex();
        lookupsMatchTheList(s.items); // the table is drawn here
        QCOMPARE(s.items.onlyFormItem(FORM_T776), rental);
        switch (change) {
        case AddForm: s.form(FORM_SCH7); break;
        case AddSecondOfType: s.form(FORM_T1); break;
        case RemoveForm: s.items.removeFormItem(t1->data); break;
        case MoveToFront: s.items.moveFormToFront(FORM_T776); break;
        case FreeAll: s.items.freeAll(); break;
        case ForgetObject: {
            // The host frees a plug-in's object itself; the store only lets
            // go of the item.
            std::unique_ptr<CTaxData_Form> object(rental->data);
            s.items.forgetPluginObject(object.get());
            break;
        }
        case RemoveProvincial: s.items.removeProvincialFormsExcept(provincial == 1 ? 2 : 1); break;
        }
        lookupsMatchTheList(s.items);
        s.items.releaseFormTypeIndex();
        lookupsMatchTheList(s.items);
    }

    // Without a hold the lookups walk the list, so an edit of the public
    // list itself is seen, even after a calculation held the table.
    void lookupsWithoutAHoldWalkTheList()
    {
        Store s;
        s.form(FORM_T1);
        s.form(FORM_T776);
        s.items.holdFormTypeIndex();
        QVERIFY(s.items.HasForm(FORM_T776));
        s.items.releaseFormTypeIndex();
        STRUCT_FORMDATA_ITEM_2004* rental = s.items.m_formList.back();
        s.items.m_formList.pop_back();
        QVERIFY(!s.items.HasForm(FORM_T776));
        QVERIFY(!s.items.onlyFormItem(FORM_T776));
        s.items.m_formList.push_back(rental);
        lookupsMatchTheList(s.items);
    }

    // A type outside what the table holds (a damaged file) leaves the list
    // to be walked, with the same answers.
    void aTypeBeyondTheTableIsStillFound()
    {
        Store s;
        s.form(FORM_T1);
        STRUCT_FORMDATA_ITEM_2004* odd = s.items.adoptForm(5000, 0, 0, CFormFactory::AllocFedFormData(FORM_SCH9), true);
        s.items.holdFormTypeIndex();
        QCOMPARE(s.items.onlyFormItem(5000), odd);
        QCOMPARE(s.items.GetCountOfForm(5000), 1);
        lookupsMatchTheList(s.items);
        s.items.releaseFormTypeIndex();
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
