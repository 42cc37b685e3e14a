#include <QtTest>

#include <QPointer>

#include "companion/forms/dependantinfostruct.h"
#include "modelfixture.h"

using namespace modelfixture;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

// A sharable form type the federal factory makes, statement or not, of a
// single instance when not a statement.
int sharableFormType(bool statement)
{
    for (int type = 1; type <= FORMTYPE_LAST; ++type) {
        if (!IsFormSharable(type) || IsSFDForm(type) != statement || getFormProv(type) != 0 || IsFormExpired(type, 0))
            continue;
        if (!statement && IsMultipleForm(type))
            continue;
        if (CTaxData_Form* probe = IndividualTaxData::AllocFedFormData(type)) {
            delete probe;
            return type;
        }
    }
    return 0;
}

void setBalance(IndividualTaxData* person, double balance)
{
    TaxData_T1New* t1 = t1Of(person);
    QVERIFY(t1);
    t1->line48300Balance.m_value = balance;
    t1->line48500BalanceOwing.m_value = balance > 0 ? balance : 0.0;
    t1->line48400Refund.m_value = balance < 0 ? -balance : 0.0;
}

void changeOneValue(CTaxData_Form* form)
{
    QVERIFY(form && !form->fieldList().empty());
    CField* field = form->fieldList().front();
    const QString before = field->text();
    field->fillTestValue(7);
    if (field->text() == before)
        field->fillTestValue(11);
    QVERIFY(field->text() != before);
}

// Both items name each other.
bool mutuallyLinked(int mineId, int mineShared, int theirsId, int theirsShared)
{
    return mineShared == theirsId && theirsShared == mineId && mineId > 0 && theirsId > 0;
}

} // namespace

class TestFamilyTaxData : public QObject
{
    Q_OBJECT

private:
    PluginSettings m_plugin;

private slots:
    void initTestCase()
    {
        // Plug-ins make their provincial forms, so that schedule pairs and
        // province changes are complete.
        m_plugin.use(provincialFormLines());
    }

    void onlyTaxpayerAndSpouseCanBeCurrent_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("expected");
        QTest::newRow("spouse") << -1 << -1;
        QTest::newRow("taxpayer") << -2 << -2;
        QTest::newRow("dependant slot 0") << 0 << -1;
        QTest::newRow("dependant slot 11") << 11 << -1;
        QTest::newRow("12") << 12 << -1;
        QTest::newRow("-3") << -3 << -1;
    }
    void onlyTaxpayerAndSpouseCanBeCurrent()
    {
        QFETCH(int, index);
        QFETCH(int, expected);
        CFamilyTaxData family;
        const NewReturnBasicData data = newReturn(0, true);
        family.NewData(&data);
        QCOMPARE(family.setCurIndv(-1), -1);
        QCOMPARE(family.setCurIndv(index), expected);
        QVERIFY(family.getCurIndvTaxData());
        // Forwarders always reach a person.
        QVERIFY(family.HasForm(1));
        QVERIFY(!family.GetReturnStatusString(0).isEmpty());
    }

    void newDataCreatesTheFormsOfEachFlag_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<bool>("coupled");
        QTest::addColumn<std::vector<int>>("taxpayerExtra");
        QTest::addColumn<std::vector<int>>("spouseExtra");
        struct Row { const char* flag; std::vector<int> taxpayer; std::vector<int> spouse; };
        const Row rows[] = {
            {"bSch3", {4}, {}},   {"bSch4", {210}, {}},      {"bSch6", {119}, {119}}, {"bSch7", {7}, {7}},
            {"bSch9", {9}, {}},   {"bSch11", {11, 27}, {11, 27}}, {"bSch15", {205}, {}},  {"bT776", {12}, {12}},
            {"bT2125", {125}, {}}, {"bT1DD", {52}, {}},
        };
        for (const Row& row : rows) {
            QTest::newRow(qPrintable(QStringLiteral("%1 single").arg(row.flag)))
                << QString::fromLatin1(row.flag) << false << row.taxpayer << std::vector<int>{};
            QTest::newRow(qPrintable(QStringLiteral("%1 coupled").arg(row.flag)))
                << QString::fromLatin1(row.flag) << true << row.taxpayer << row.spouse;
        }
    }
    void newDataCreatesTheFormsOfEachFlag()
    {
        QFETCH(QString, flag);
        QFETCH(bool, coupled);
        QFETCH(std::vector<int>, taxpayerExtra);
        QFETCH(std::vector<int>, spouseExtra);

        const NewReturnBasicData plain = newReturn(coupled ? 0 : 5, coupled);
        CFamilyTaxData baseline;
        baseline.NewData(&plain);

        NewReturnBasicData flagged = plain;
        bool NewReturnBasicData::*const flags[] = {
            &NewReturnBasicData::bSch3, &NewReturnBasicData::bSch4, &NewReturnBasicData::bSch6,
            &NewReturnBasicData::bSch7, &NewReturnBasicData::bSch9, &NewReturnBasicData::bSch11,
            &NewReturnBasicData::bSch15, &NewReturnBasicData::bT776, &NewReturnBasicData::bT2125,
            &NewReturnBasicData::bT1DD};
        const QStringList names = {"bSch3", "bSch4", "bSch6", "bSch7", "bSch9", "bSch11", "bSch15", "bT776",
                                   "bT2125", "bT1DD"};
        QVERIFY(names.contains(flag));
        flagged.*flags[names.indexOf(flag)] = true;
        CFamilyTaxData family;
        family.NewData(&flagged);

        QCOMPARE(family.IsCoupledReturn(), coupled);
        auto expect = [](std::vector<int> base, const std::vector<int>& extra) {
            for (int type : extra)
                if (std::find(base.begin(), base.end(), type) == base.end())
                    base.push_back(type);
            std::sort(base.begin(), base.end());
            return base;
        };
        QCOMPARE(formTypes(*family.getTaxpayer()), expect(formTypes(*baseline.getTaxpayer()), taxpayerExtra));
        QCOMPARE(formTypes(*family.getSpouse()), expect(formTypes(*baseline.getSpouse()), spouseExtra));
        if (!coupled)
            QVERIFY(family.getSpouse()->m_formList.empty());
    }

    void newCoupledReturnHasScheduleTwoAndBothIdentities()
    {
        CFamilyTaxData family;
        const NewReturnBasicData data = newReturn(1, true, kOntario, kBritishColumbia);
        family.NewData(&data);
        QVERIFY(family.IsCoupledReturn());
        QVERIFY(family.getTaxpayer()->HasForm(3) && family.getTaxpayer()->HasForm(26));
        QVERIFY(family.getSpouse()->HasForm(3) && family.getSpouse()->HasForm(43));
        QCOMPARE(family.getSpouse()->m_province, kBritishColumbia);
        QCOMPARE(QString(family.getSpouse()->GetSpouseFirstName()), QStringLiteral("Ann"));
        QCOMPARE(QString(family.getTaxpayer()->GetSpouseSIN()), QStringLiteral("130692544"));
        QVERIFY(family.getTaxpayer()->IsCoupledReturn() && family.getSpouse()->IsCoupledReturn());
        QCOMPARE(family.dependants().GetCount(), 12);
        QCOMPARE(family.GetReturnFileNameWithoutSuffix(), QStringLiteral("Ann_Lee_Ben_Lee"));

        // Married but not coupled: a spouse on the T1, no spouse return.
        CFamilyTaxData single;
        const NewReturnBasicData alone = newReturn(0, false);
        single.NewData(&alone);
        QVERIFY(!single.IsCoupledReturn());
        QVERIFY(single.getTaxpayer()->HasForm(3));
        QCOMPARE(QString(single.getTaxpayer()->GetSpouseFirstName()), QStringLiteral("Ben"));
    }

    // The wizard accepts a S.I.N. with blanks or dashes; the return keeps
    // its nine digits, on both T1s and as each one's spouse's number.
    void newReturnKeepsSinsAsNineDigits_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("typedSpouse");
        QTest::newRow("blanks") << "046 454 286" << "130 692 544";
        QTest::newRow("dashes and ends") << " 046-454-286 " << "130-692-544";
        QTest::newRow("digits") << "046454286" << "130692544";
    }
    void newReturnKeepsSinsAsNineDigits()
    {
        QFETCH(QString, typed);
        QFETCH(QString, typedSpouse);
        NewReturnBasicData data = newReturn(0, true);
        data.sin = CString(typed);
        data.sinSpouse = CString(typedSpouse);
        CFamilyTaxData family;
        family.NewData(&data);
        const TaxData_T1New* own = t1Of(family.getTaxpayer());
        const TaxData_T1New* spouse = t1Of(family.getSpouse());
        QVERIFY(own && spouse);
        QCOMPARE(QString(own->SIN.m_value), QStringLiteral("046454286"));
        QCOMPARE(QString(own->SpouseSIN.m_value), QStringLiteral("130692544"));
        QCOMPARE(QString(spouse->SIN.m_value), QStringLiteral("130692544"));
        QCOMPARE(QString(spouse->SpouseSIN.m_value), QStringLiteral("046454286"));
    }

    void sharingAndUnsharingKeepMutualIds()
    {
        CFamilyTaxData family;
        const NewReturnBasicData data = newReturn(0, true);
        family.NewData(&data);
        IndividualTaxData* taxpayer = family.getTaxpayer();
        IndividualTaxData* spouse = family.getSpouse();

        // A slip: the spouse gets a copy under a new id.
        STRUCT_SLIPDATA_ITEM_2004* slip = taxpayer->NewSlipData(8, 0, 0);
        changeOneValue(slip->data);
        QVERIFY(family.ShareTaxSlipWithSpouse(slip->data, 0));
        QCOMPARE(spouse->GetCountOfSlip(8), 1);
        STRUCT_SLIPDATA_ITEM_2004* copy = spouse->m_slipList.back();
        QVERIFY(mutuallyLinked(slip->id, slip->sharedId, copy->id, copy->sharedId));
        QVERIFY(!copy->data->CompareData(slip->data));
        QVERIFY(family.IsTaxSlipSharedWithSpouse(slip->data));

        // Unsharing from the spouse's side clears both; the copy stays.
        family.setCurIndv(-1);
        family.UnShareTaxSlipWithSpouse(copy->data);
        QCOMPARE(copy->sharedId, 0);
        QCOMPARE(slip->sharedId, 0);
        QCOMPARE(spouse->GetCountOfSlip(8), 1);

        // Linking to an existing slip of the other person.
        QVERIFY(family.ShareTaxSlipWithSpouse(copy->data, slip->id));
        QVERIFY(mutuallyLinked(copy->id, copy->sharedId, slip->id, slip->sharedId));
        QVERIFY(!family.ShareTaxSlipWithSpouse(copy->data, 4242)); // no such slip

        // A statement form: a new linked copy in the spouse's return.
        const int statement = sharableFormType(true);
        QVERIFY(statement > 0);
        family.setCurIndv(-2);
        STRUCT_FORMDATA_ITEM_2004* form = taxpayer->NewFormDataItem(statement, 0, true, 0, true);
        QVERIFY(family.ShareTaxFormWithSpouse(form->data, 0));
        std::list<STRUCT_FORMDATA_ITEM_2004*> spouseForms;
        spouse->GetFormDataList(statement, spouseForms);
        QCOMPARE(int(spouseForms.size()), 1);
        QVERIFY(mutuallyLinked(form->id, form->sharedId, spouseForms.front()->id, spouseForms.front()->sharedId));
        family.UnShareTaxFormWithSpouse(form->data);
        QCOMPARE(form->sharedId, 0);
        QCOMPARE(spouseForms.front()->sharedId, 0);

        // A single-instance form links to the spouse's own.
        const int single = sharableFormType(false);
        if (single > 0) {
            STRUCT_FORMDATA_ITEM_2004* mine = taxpayer->GetFormDataItem(single, true);
            QVERIFY(family.ShareTaxFormWithSpouse(mine->data, 0));
            STRUCT_FORMDATA_ITEM_2004* theirs = spouse->GetFormDataItem(single, false);
            QVERIFY(theirs);
            QVERIFY(mutuallyLinked(mine->id, mine->sharedId, theirs->id, theirs->sharedId));
        }
    }

    void sharingAgainLeavesNoOneWayLink()
    {
        CFamilyTaxData family;
        const NewReturnBasicData data = newReturn(0, true);
        family.NewData(&data);
        IndividualTaxData* spouse = family.getSpouse();
        STRUCT_SLIPDATA_ITEM_2004* slip = family.getTaxpayer()->NewSlipData(8, 0, 0);
        QVERIFY(family.ShareTaxSlipWithSpouse(slip->data, 0));
        STRUCT_SLIPDATA_ITEM_2004* firstCopy = spouse->m_slipList.back();
        QVERIFY(family.ShareTaxSlipWithSpouse(slip->data, 0));
        STRUCT_SLIPDATA_ITEM_2004* secondCopy = spouse->m_slipList.back();
        QVERIFY(firstCopy != secondCopy);
        QVERIFY(mutuallyLinked(slip->id, slip->sharedId, secondCopy->id, secondCopy->sharedId));
        QCOMPARE(firstCopy->sharedId, 0);
    }

    void sharingIsRefusedIntoTwoSingleInstanceItems()
    {
        const int single = sharableFormType(false);
        if (single == 0)
            QSKIP("the catalogue has no sharable single-instance form");
        CFamilyTaxData family;
        const NewReturnBasicData data = newReturn(0, true);
        family.NewData(&data);
        IndividualTaxData* spouse = family.getSpouse();
        spouse->NewFormDataItem(single, 0, true, 0, false);
        spouse->NewFormDataItem(single, 0, true, 0, false);
        STRUCT_FORMDATA_ITEM_2004* mine = family.getTaxpayer()->GetFormDataItem(single, true);
        QVERIFY(!family.ShareTaxFormWithSpouse(mine->data, 0));
        QCOMPARE(mine->sharedId, 0);
        QCOMPARE(spouse->GetCountOfForm(single), 2);
        for (const STRUCT_FORMDATA_ITEM_2004* item : spouse->m_formList)
            QCOMPARE(item->sharedId, 0);
    }

    void sharingNeedsACoupledReturn()
    {
        CFamilyTaxData family;
        const NewReturnBasicData data = newReturn(5, false);
        family.NewData(&data);
        STRUCT_SLIPDATA_ITEM_2004* slip = family.getTaxpayer()->NewSlipData(8, 0, 0);
        QVERIFY(!family.ShareTaxSlipWithSpouse(slip->data, 0));
        QVERIFY(family.getSpouse()->m_slipList.empty());
        QVERIFY(!family.IsTaxSlipSharedWithSpouse(slip->data));
    }

    void familyResultTexts()
    {
        CFamilyTaxData family;
        const NewReturnBasicData data = newReturn(0, true);
        family.NewData(&data);
        setBalance(family.getTaxpayer(), 100.00);
        setBalance(family.getSpouse(), -250.50);
        CString taxpayer, spouse, total;
        family.getFamilyResult(taxpayer, spouse, total);
        QCOMPARE(QString(taxpayer), QStringLiteral("Ann [Bal. Due: 100.00]"));
        QCOMPARE(QString(spouse), QStringLiteral("Ben [Refund: 250.50]"));
        QCOMPARE(QString(total), QStringLiteral("Family [Refund: 150.50]"));
        QVERIFY(QString(family.GetFamilyReturnStatusString()).endsWith(QStringLiteral("[Refund]=150.50")));
        double a = 1, b = 1, sum = 1;
        family.GetFamilyReturnStatus(a, b, sum);
        QCOMPARE(sum, -150.50);

        setBalance(family.getSpouse(), -100.00);
        QVERIFY(QString(family.GetFamilyReturnStatusString()).endsWith(QStringLiteral("[Balance Due]=0.00")));

        CString zero;
        getShortResult(CString("Zoe"), 0.0, zero);
        QCOMPARE(QString(zero), QStringLiteral("Zoe [Refund: 0.00]"));
    }

    void singleReturnHasNoSpouseOrFamilyText()
    {
        CFamilyTaxData family;
        const NewReturnBasicData data = newReturn(5, false);
        family.NewData(&data);
        setBalance(family.getTaxpayer(), -20.0);
        CString taxpayer, spouse = CString("x"), total = CString("y");
        family.getFamilyResult(taxpayer, spouse, total);
        QCOMPARE(QString(taxpayer), QStringLiteral("Ann [Refund: 20.00]"));
        QVERIFY(spouse.isEmpty() && total.isEmpty());
        QCOMPARE(QString(family.GetFamilyReturnStatusString()), QString(family.getTaxpayer()->GetReturnStatusString(0)));
    }

    void reportListsOnlyUnfiledReturns()
    {
        CFamilyTaxData family;
        const NewReturnBasicData data = newReturn(0, true);
        family.NewData(&data);
        t1Of(family.getSpouse())->FilingStatus.m_value = 1;
        t1Of(family.getTaxpayer())->FilingStatus.m_value = 2;
        QString report;
        family.getReport(0, report);
        QCOMPARE(report, QString(t1Of(family.getTaxpayer())->ConstructFullName()) + QStringLiteral(": (amended)  "));
    }

    void familyCopyComparesEqualAndOneChangeDiffers()
    {
        CFamilyTaxData family;
        NewReturnBasicData data = newReturn(0, true);
        data.bSch9 = data.bT776 = true;
        family.NewData(&data);
        family.getSpouse()->NewSlipData(1, 0, 0);
        family.setCurIndv(-1);

        CFamilyTaxData copy;
        copy = family;
        QVERIFY(!(copy != family));
        QCOMPARE(copy.getCurIndv(), -1);
        QVERIFY(copy.IsCoupledReturn());
        QVERIFY(copy.getSpouse()->IsCoupledReturn());

        changeOneValue(copy.getSpouse()->m_slipList.front()->data);
        QVERIFY(copy != family);

        CFamilyTaxData again;
        again = family;
        changeOneValue(again.getSpouse()->GetWizData(TAXWIZARD_GENERAL, false));
        QVERIFY(again != family);
    }

    void softCopyFallsBackToAFullCopy()
    {
        CFamilyTaxData family;
        const NewReturnBasicData data = newReturn(0, true);
        family.NewData(&data);
        CFamilyTaxData saved;
        saved = family;

        changeOneValue(family.getTaxpayer()->GetFormData(1, false));
        QVERIFY(saved.softCopy(family));
        QVERIFY(!(saved != family));

        family.getSpouse()->GetFormData(4, true);
        QVERIFY(!saved.softCopy(family));
        QVERIFY(!(saved != family));
        QVERIFY(saved.getSpouse()->HasForm(4));
    }

    void couplingKeepsDependantsAndClearsDanglingLinks()
    {
        CFamilyTaxData first;
        const NewReturnBasicData mine = newReturn(0, true);
        first.NewData(&mine);
        first.dependants().GetAt(0)->firstName = CString("Cara");
        first.dependants().GetAt(0)->relationship = DEP_REL_CHILD;
        // A link to the spouse who is about to be replaced.
        STRUCT_SLIPDATA_ITEM_2004* slip = first.getTaxpayer()->NewSlipData(8, 0, 0);
        QVERIFY(first.ShareTaxSlipWithSpouse(slip->data, 0));
        QVERIFY(slip->sharedId > 0);

        CFamilyTaxData second;
        NewReturnBasicData theirs = newReturn(3, false);
        theirs.FirstName = CString("Dan");
        second.NewData(&theirs);
        second.dependants().GetAt(0)->firstName = CString("Cara");
        second.dependants().GetAt(0)->relationship = DEP_REL_CHILD;
        second.dependants().GetAt(1)->firstName = CString("Eve");
        second.dependants().GetAt(1)->relationship = DEP_REL_CHILD;
        STRUCT_SLIPDATA_ITEM_2004* theirSlip = second.getTaxpayer()->NewSlipData(8, 0, 4242);

        QVERIFY(first.CoupleTaxReturn(&second));
        QVERIFY(first.IsCoupledReturn());
        QCOMPARE(QString(first.getSpouse()->GetFirstName()), QStringLiteral("Dan"));
        QCOMPARE(first.getSpouse()->GetMaritalStatus(), 0);
        QCOMPARE(slip->sharedId, 0);
        for (const STRUCT_SLIPDATA_ITEM_2004* item : first.getSpouse()->m_slipList)
            QCOMPARE(item->sharedId, 0);
        QCOMPARE(theirSlip->sharedId, 4242); // the other family is only read
        int caras = 0, eves = 0;
        for (int i = 0; i < first.dependants().GetCount(); ++i) {
            caras += first.dependants().GetAt(i)->firstName == QStringLiteral("Cara");
            eves += first.dependants().GetAt(i)->firstName == QStringLiteral("Eve");
        }
        QCOMPARE(caras, 1);
        QCOMPARE(eves, 1);
    }

    void couplingKeepsNoLinkOfEitherFormerFamily()
    {
        CFamilyTaxData first;
        const NewReturnBasicData mine = newReturn(0, true);
        first.NewData(&mine);
        STRUCT_SLIPDATA_ITEM_2004* slip = first.getTaxpayer()->NewSlipData(8, 0, 0);
        QVERIFY(first.ShareTaxSlipWithSpouse(slip->data, 0));
        const int oldPartner = slip->sharedId;

        // The other file's taxpayer once shared a slip that happens to carry
        // the very ids of this family's old link.
        CFamilyTaxData second;
        NewReturnBasicData theirs = newReturn(3, false);
        theirs.FirstName = CString("Dan");
        second.NewData(&theirs);
        second.getTaxpayer()->NewSlipData(8, oldPartner, slip->id);

        QVERIFY(first.CoupleTaxReturn(&second));
        QCOMPARE(slip->sharedId, 0);
        for (const STRUCT_SLIPDATA_ITEM_2004* item : first.getSpouse()->m_slipList)
            QCOMPARE(item->sharedId, 0);
        QVERIFY(!first.IsTaxSlipSharedWithSpouse(slip->data));
    }

    void removingASharedItemUnlinksTheSpousesCopy_data()
    {
        QTest::addColumn<bool>("form");
        QTest::newRow("slip") << false;
        QTest::newRow("statement form") << true;
    }
    void removingASharedItemUnlinksTheSpousesCopy()
    {
        QFETCH(bool, form);
        CFamilyTaxData family;
        const NewReturnBasicData data = newReturn(0, true);
        family.NewData(&data);
        IndividualTaxData* spouse = family.getSpouse();
        CTaxData_Form* object = nullptr;
        if (form) {
            const int statement = sharableFormType(true);
            QVERIFY(statement > 0);
            object = family.getTaxpayer()->NewFormDataItem(statement, 0, true, 0, true)->data;
            QVERIFY(family.ShareTaxFormWithSpouse(object, 0));
        } else {
            object = family.getTaxpayer()->NewSlipData(8, 0, 0)->data;
            QVERIFY(family.ShareTaxSlipWithSpouse(object, 0));
        }
        const int copyId = form ? family.getTaxpayer()->GetSharedFormID(object)
                                : family.getTaxpayer()->GetSharedSlipID(object);
        QVERIFY(copyId > 0);

        if (form)
            family.RemoveFormData(object, true);
        else
            family.RemoveSlipData(object);

        // The copy stays as an item of its own, linked to nothing.
        bool found = false;
        for (const STRUCT_SLIPDATA_ITEM_2004* item : spouse->m_slipList)
            if (item->id == copyId) {
                found = true;
                QCOMPARE(item->sharedId, 0);
            }
        for (const STRUCT_FORMDATA_ITEM_2004* item : spouse->m_formList)
            if (item->id == copyId) {
                found = true;
                QCOMPARE(item->sharedId, 0);
            }
        QVERIFY(found);
    }

    void eachSpouseChangesFromTheirOwnProvince()
    {
        CFamilyTaxData family;
        NewReturnBasicData data = newReturn(0, true, kOntario, kBritishColumbia);
        data.bSch11 = true;
        family.NewData(&data);
        QPointer<CTaxData_Form> taxpayerOld = family.getTaxpayer()->GetFormData(27, false);
        QPointer<CTaxData_Form> spouseOld = family.getSpouse()->GetFormData(44, false);
        QVERIFY(taxpayerOld && spouseOld);

        family.ChangeProvince(kOntario, kSaskatchewan, 1); // both spouses
        for (IndividualTaxData* person : {family.getTaxpayer(), family.getSpouse()}) {
            QCOMPARE(person->m_province, kSaskatchewan);
            for (const STRUCT_FORMDATA_ITEM_2004* item : person->m_formList)
                QVERIFY2(getFormProv(item->type) <= 0 || getFormProv(item->type) == kSaskatchewan,
                         qPrintable(QStringLiteral("form %1 left behind").arg(item->type)));
        }
        QVERIFY(!taxpayerOld);
        QVERIFY(!spouseOld);
        // Each spouse's federal Schedules 2 and 11 bring the new province's
        // own (Saskatchewan's, types 82 and 83) at the first calculation, and
        // only then.
        QCOMPARE(family.Calculate(-1, nullptr), 4);
        for (IndividualTaxData* person : {family.getTaxpayer(), family.getSpouse()}) {
            QVERIFY(person->HasForm(FORM_SCH2) && person->HasForm(82));
            QVERIFY(person->HasForm(FORM_SCH11) && person->HasForm(83));
        }
        QCOMPARE(family.Calculate(-1, nullptr), 0);

        // Only the current person when asked so.
        family.setCurIndv(-1);
        family.ChangeProvince(kSaskatchewan, kOntario, 0);
        QCOMPARE(family.getSpouse()->m_province, kOntario);
        QCOMPARE(family.getTaxpayer()->m_province, kSaskatchewan);
    }

    void decouplingKeepsEitherPerson_data()
    {
        QTest::addColumn<bool>("keepSpouse");
        QTest::addColumn<QString>("remaining");
        QTest::newRow("taxpayer") << false << "Ann";
        QTest::newRow("spouse") << true << "Ben";
    }
    void decouplingKeepsEitherPerson()
    {
        QFETCH(bool, keepSpouse);
        QFETCH(QString, remaining);
        CFamilyTaxData family;
        const NewReturnBasicData data = newReturn(0, true);
        family.NewData(&data);
        family.dependants().GetAt(0)->firstName = CString("Cara");
        STRUCT_SLIPDATA_ITEM_2004* slip = family.getTaxpayer()->NewSlipData(8, 0, 0);
        QVERIFY(family.ShareTaxSlipWithSpouse(slip->data, 0));
        family.setCurIndv(-1);
        family.DecoupleReturn(keepSpouse);
        QVERIFY(!family.IsCoupledReturn());
        QCOMPARE(family.getCurIndv(), -2);
        QCOMPARE(QString(family.getTaxpayer()->GetFirstName()), remaining);
        QVERIFY(!family.getTaxpayer()->IsCoupledReturn());
        QVERIFY(family.getSpouse()->m_formList.empty());
        // Nothing links to the person who went.
        QCOMPARE(family.getTaxpayer()->GetCountOfSlip(8), 1);
        for (const STRUCT_SLIPDATA_ITEM_2004* item : family.getTaxpayer()->m_slipList)
            QCOMPARE(item->sharedId, 0);
        QCOMPARE(family.getTaxpayer()->m_pDependants, &family.dependants());
        QCOMPARE(family.getSpouse()->m_pDependants, &family.dependants());
        // The table still reaches new forms of either person.
        QCOMPARE(QString(family.dependants().GetAt(0)->firstName), QStringLiteral("Cara"));
    }

    void pensionElectionGoesToBothSpouses()
    {
        CFamilyTaxData family;
        const NewReturnBasicData data = newReturn(0, true);
        family.NewData(&data);
        QVERIFY(family.NewFormDataItem(118, 0, true, 0, true));
        QVERIFY(family.getTaxpayer()->HasForm(118));
        QVERIFY(family.getSpouse()->HasForm(118));
    }

    void mailingAddressGoesToTheSpouse()
    {
        CFamilyTaxData family;
        const NewReturnBasicData data = newReturn(0, true);
        family.NewData(&data);
        t1Of(family.getTaxpayer())->City.m_value = CString("Guelph");
        QVERIFY(family.SyncMailingAddrToSpouseReturn());
        QCOMPARE(QString(t1Of(family.getSpouse())->City.m_value), QStringLiteral("Guelph"));

        CFamilyTaxData single;
        const NewReturnBasicData alone = newReturn(5, false);
        single.NewData(&alone);
        QVERIFY(!single.SyncMailingAddrToSpouseReturn());
    }
};

QTEST_GUILESS_MAIN(TestFamilyTaxData)
#include "tst_familytaxdata.moc"
