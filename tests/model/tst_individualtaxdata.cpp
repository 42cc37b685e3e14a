#include <QtTest>

#include <QPointer>
#include <set>

#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/federal/statements.h"
#include "companion/core/appclock.h"
#include "companion/forms/federal/mirroring.h"
#include "modelfixture.h"

using namespace modelfixture;

namespace {

// Records the calls a walk makes; stops after a given number of items.
class RecordingFormVisitor : public CEnumTaxFormObj
{
public:
    explicit RecordingFormVisitor(int stopAfter) : m_stopAfter(stopAfter) {}
    bool begin(void*) override { ++begins; return true; }
    bool doWork(STRUCT_FORMDATA_ITEM_2004*, void*) override { return ++visits < m_stopAfter; }
    bool end(void*) override { ++ends; return true; }
    int begins = 0, visits = 0, ends = 0;

private:
    int m_stopAfter;
};

class RecordingSlipVisitor : public CEnumTaxSlipObj
{
public:
    bool begin(void*) override { ++begins; return true; }
    bool doWork(STRUCT_SLIPDATA_ITEM_2004*, void*) override { ++visits; return false; }
    bool end(void*) override { ++ends; return true; }
    int begins = 0, visits = 0, ends = 0;
};

class RefusingWizardVisitor : public CEnumTaxWizardObj
{
public:
    bool doWork(STRUCT_WIZDATA_ITEM_2004*, void*) override { ++visits; return false; }
    int visits = 0;
};

// A person with a new return in Ontario.
struct NewPerson
{
    DependantInfoStruct dependants{12};
    IndividualTaxData person{0, &dependants};
    NewPerson(int province = kOntario)
    {
        person.NewData(province, CString("Ann Marie"), CString("Lee"), CString("046454286"), QDate(1980, 1, 1), 5,
                       CString(), CString(), CString(), QDate(), false);
    }
};

// The first value of an object's field table changed to something else.
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

} // namespace

class TestIndividualTaxData : public QObject
{
    Q_OBJECT

private slots:
    void idsStartAt100AndAreUniqueAcrossFormsAndSlips()
    {
        DependantInfoStruct dependants(12);
        IndividualTaxData person(0, &dependants);
        std::set<int> ids;
        QCOMPARE(person.NewFormDataItem(1, 0, true, 0, false)->id, 100);
        ids.insert(100);
        for (int slipType : {1, 8, 1}) {
            STRUCT_SLIPDATA_ITEM_2004* slip = person.NewSlipData(slipType, 0, 0);
            QVERIFY(slip);
            QVERIFY(ids.insert(slip->id).second);
        }
        STRUCT_FORMDATA_ITEM_2004* form = person.NewFormDataItem(4, -5, true, 0, false);
        QVERIFY(ids.insert(form->id).second);
        QCOMPARE(*ids.rbegin(), 104);
        QCOMPARE(person.GetNextUniqueID(), 105);
        // A form or slip given an id keeps it, and ids drawn later pass it
        // (never drawing it a second time); a note takes its id by the same
        // rule, so one given 0 draws one.
        QCOMPARE(person.NewFormDataItem(7, 555, true, 0, false)->id, 555);
        QCOMPARE(person.NewNoteData(0)->id, 556);
        QCOMPARE(person.NewSlipData(8, 0, 0)->id, 557);
        QCOMPARE(person.NewSlipData(8, 300, 0)->id, 300); // below the next id: no change
        QCOMPARE(person.NewNoteData(600)->id, 600);
        QCOMPARE(person.GetNextUniqueID(), 601);
    }

    void itemOutsideTheListIsNotListed()
    {
        DependantInfoStruct dependants(12);
        IndividualTaxData person(0, &dependants);
        STRUCT_FORMDATA_ITEM_2004* item = person.NewFormDataItem(4, 0, false, 0, false);
        QVERIFY(item && item->data);
        QCOMPARE(person.GetCountOfForm(0), 0);
        person.RemoveFormData(item->data, false);
        delete item;
    }

    void stoppedWalkStillCallsEnd()
    {
        NewPerson fixture;
        QVERIFY(fixture.person.m_formList.size() >= 2);
        RecordingFormVisitor stopAtFirst(1);
        fixture.person.EnumTaxForms(&stopAtFirst, nullptr);
        QCOMPARE(stopAtFirst.begins, 1);
        QCOMPARE(stopAtFirst.visits, 1);
        QCOMPARE(stopAtFirst.ends, 1);

        RecordingFormVisitor all(1000);
        fixture.person.EnumTaxForms(&all, nullptr);
        QCOMPARE(all.visits, int(fixture.person.m_formList.size()));
        QCOMPARE(all.ends, 1);

        fixture.person.NewSlipData(1, 0, 0);
        fixture.person.NewSlipData(8, 0, 0);
        RecordingSlipVisitor slips;
        fixture.person.EnumTaxSlips(&slips, nullptr);
        QCOMPARE(slips.visits, 1);
        QCOMPARE(slips.ends, 1);

        // The interview-data walk visits everything whatever doWork says.
        RefusingWizardVisitor wizards;
        fixture.person.EnumTaxWizards(&wizards, nullptr);
        QCOMPARE(wizards.visits, int(fixture.person.m_wizList.size()));
        QVERIFY(wizards.visits >= 5);
    }

    void secondSingleInstanceItemGivesNullAndNoThird()
    {
        DependantInfoStruct dependants(12);
        IndividualTaxData person(0, &dependants);
        QVERIFY(!IsMultipleForm(4));
        QVERIFY(person.NewFormDataItem(4, 0, true, 0, false));
        QVERIFY(person.GetFormDataItem(4, false));
        QVERIFY(person.NewFormDataItem(4, 0, true, 0, false));
        QVERIFY(!person.GetFormDataItem(4, true));
        QVERIFY(!person.GetFormData(4, true));
        QCOMPARE(person.GetCountOfForm(4), 2);
    }

    void refusedFormTypesGiveNull_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("177") << 177;
        QTest::newRow("178") << 178;
        QTest::newRow("unknown 999") << 999;
        QTest::newRow("zero") << 0;
    }
    void refusedFormTypesGiveNull()
    {
        QFETCH(int, type);
        NewPerson fixture;
        const size_t before = fixture.person.m_formList.size();
        QVERIFY(!fixture.person.NewFormDataItem(type, 0, true, 0, true));
        QVERIFY(!fixture.person.GetFormData(type, true));
        QCOMPARE(fixture.person.m_formList.size(), before);
    }

    void unknownSlipTypesGiveNullAndLeaveTheList_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("12") << 12;
        QTest::newRow("19") << 19;
        QTest::newRow("20") << 20;
        QTest::newRow("27") << 27;
    }
    void unknownSlipTypesGiveNullAndLeaveTheList()
    {
        QFETCH(int, type);
        DependantInfoStruct dependants(12);
        IndividualTaxData person(0, &dependants);
        person.NewSlipData(1, 0, 0);
        const int nextId = person.m_nextId;
        QVERIFY(!person.NewSlipData(type, 0, 0));
        QCOMPARE(int(person.m_slipList.size()), 1);
        QCOMPARE(person.m_nextId, nextId);
    }

    void newCommissionStatementTakesTheT1Identity()
    {
        NewPerson fixture;
        STRUCT_FORMDATA_ITEM_2004* item = fixture.person.NewFormDataItem(131, 0, true, 0, true);
        QVERIFY(item);
        auto* t2125 = qobject_cast<TaxData_T2125_New*>(item->data);
        QVERIFY(t2125);
        QCOMPARE(t2125->getType(), 131);
        QCOMPARE(t2125->IncomeKind.m_value, 0);
        QCOMPARE(QString(t2125->Name.m_value), QStringLiteral("Ann Marie Lee"));
        QCOMPARE(QString(t2125->SIN.m_value), QStringLiteral("046454286"));
        QVERIFY(fixture.person.HaveCommissionIncome());
        QVERIFY(!fixture.person.HaveBusinessIncome());
    }

    void newT1135SplitsTheFirstName()
    {
        NewPerson fixture;
        auto* t1135 = qobject_cast<TaxData_T1135New*>(fixture.person.GetFormData(101, true));
        QVERIFY(t1135);
        QCOMPARE(QString(t1135->GivenName.m_value), QStringLiteral("Ann"));
        QCOMPARE(QString(t1135->Initial.m_value), QStringLiteral("Marie"));
        QCOMPARE(QString(t1135->Country.m_value), QStringLiteral("CAN"));
        QCOMPARE(t1135->PeriodStart.m_value, QDate(2024, 1, 1));
    }

    void newReturnHoldsSummaryThenT1AndItsIdentity()
    {
        NewPerson fixture;
        IndividualTaxData& person = fixture.person;
        QVERIFY(person.m_formList.size() >= 2);
        auto it = person.m_formList.begin();
        QCOMPARE((*it++)->type, 93);
        QCOMPARE((*it)->type, 1);
        QCOMPARE((*it)->id, 101);
        QCOMPARE(QString(person.GetFirstName()), QStringLiteral("Ann Marie"));
        QCOMPARE(QString(t1Of(&person)->ProvinceText.m_value), QString::fromUtf8(getProvName(kOntario)));
        QVERIFY(!person.HasForm(96)); // no T183 in this edition
        for (int type = TAXWIZARD_GENERAL; type <= TAXWIZARD_LAST; ++type)
            QVERIFY2(person.GetWizData(type, false), qPrintable(QStringLiteral("interview data %1").arg(type)));
    }

    void copyComparesEqualAndOneChangeDiffers()
    {
        NewPerson fixture;
        fixture.person.NewSlipData(1, 0, 0);
        fixture.person.NewNoteData(0);
        DependantInfoStruct dependants(12);
        IndividualTaxData copy(0, &dependants);
        copy = fixture.person;
        QVERIFY(copy == fixture.person);
        QCOMPARE(copy.m_nextId, fixture.person.m_nextId);
        QCOMPARE(formTypes(copy), formTypes(fixture.person));

        changeOneValue(copy.GetFormData(1, false));
        QVERIFY(copy != fixture.person);
    }

    void interviewDataCountsInTheComparison()
    {
        NewPerson fixture;
        DependantInfoStruct dependants(12);
        IndividualTaxData copy(0, &dependants);
        copy = fixture.person;
        QVERIFY(copy == fixture.person);
        changeOneValue(copy.GetWizData(TAXWIZARD_GENERAL, false));
        QVERIFY(copy != fixture.person);
    }

    void softCopyChecksBeforeItCopies()
    {
        NewPerson source;
        DependantInfoStruct dependants(12);
        IndividualTaxData target(0, &dependants);
        target = source.person;
        // Same items: values are copied.
        changeOneValue(source.person.GetFormData(1, false));
        QVERIFY(target.softCopy(source.person));
        QVERIFY(target == source.person);

        // Different items after the first: nothing at all changes.
        source.person.GetFormData(4, true);
        target.GetFormData(7, true);
        changeOneValue(source.person.GetFormData(1, false));
        source.person.m_fileVersion = 60000;
        const int nextId = target.m_nextId;
        QVERIFY(!target.softCopy(source.person));
        QCOMPARE(target.m_fileVersion, int(IndividualTaxData::kFileVersion));
        QCOMPARE(target.m_nextId, nextId);
        QVERIFY(t1Of(&target)->CompareData(t1Of(&source.person)));

        // Another province: refused as well.
        NewPerson elsewhere(kBritishColumbia);
        DependantInfoStruct otherDependants(12);
        IndividualTaxData copy(0, &otherDependants);
        copy = source.person;
        QVERIFY(!copy.softCopy(elsewhere.person));
        QVERIFY(copy == source.person);
    }

    void sameProvinceChangeKeepsTheProvincialForms()
    {
        PluginSettings plugin;
        plugin.use(provincialFormLines());
        NewPerson fixture;
        IndividualTaxData& person = fixture.person;
        person.GetS11FormData();
        QVERIFY(person.HasForm(27)); // Ontario's companion of Schedule 11
        QPointer<CTaxData_Form> provincial = person.GetFormData(27, false);
        changeOneValue(provincial);
        const QString value = provincial->fieldList().front()->text();

        person.ChangeProvince(kOntario, kOntario);
        QVERIFY(provincial);
        QCOMPARE(person.GetFormData(27, false), provincial.data());
        QCOMPARE(provincial->fieldList().front()->text(), value);
    }

    void provinceChangeDropsTheOldProvincialItems()
    {
        PluginSettings plugin;
        plugin.use(provincialFormLines());
        NewPerson fixture;
        IndividualTaxData& person = fixture.person;
        person.GetS11FormData();
        QPointer<CTaxData_Form> oldForm = person.GetFormData(27, false);
        QPointer<CTaxData_Form> oldInterview = person.GetWizData(TAXWIZARD_PROVINCIAL, false);
        QVERIFY(oldForm);
        QVERIFY(oldInterview);

        person.ChangeProvince(kOntario, kBritishColumbia);
        QCOMPARE(person.m_province, kBritishColumbia);
        QVERIFY(!oldForm);
        QVERIFY(!person.HasForm(27));
        for (const STRUCT_FORMDATA_ITEM_2004* item : person.m_formList)
            QVERIFY2(getFormProv(item->type) <= 0 || getFormProv(item->type) == kBritishColumbia,
                     qPrintable(QStringLiteral("form %1 left behind").arg(item->type)));
        // The old plug-in's interview data went with it; the new one's is held.
        QVERIFY(!oldInterview);
        QVERIFY(person.GetWizData(TAXWIZARD_PROVINCIAL, false));
        for (const STRUCT_WIZDATA_ITEM_2004* item : person.m_wizList)
            QVERIFY(item->data);
        QCOMPARE(QString(t1Of(&person)->ProvinceText.m_value), QString::fromUtf8(getProvName(kBritishColumbia)));
        std::list<unsigned int> active;
        person.m_provMgr.GetActiveProvinces(active);
        QCOMPARE(active, std::list<unsigned int>{unsigned(kBritishColumbia)});
    }

    void removingAFormWithoutItsTiedFormRemovesOnlyIt()
    {
        PluginSettings plugin;
        plugin.use({QStringLiteral("related=4:7")});
        NewPerson fixture;
        IndividualTaxData& person = fixture.person;
        CTaxData_Form* sch3 = person.GetFormData(4, true);
        const int before = person.GetCountOfForm(0);
        person.RemoveFormData(sch3, true);
        QCOMPARE(person.GetCountOfForm(0), before - 1);

        // With the tied form present both go.
        sch3 = person.GetFormData(4, true);
        person.GetFormData(7, true);
        person.RemoveFormData(sch3, true);
        QVERIFY(!person.HasForm(4));
        QVERIFY(!person.HasForm(7));
    }

    void statusStringHasTwoForms_data()
    {
        QTest::addColumn<double>("owing");
        QTest::addColumn<double>("refund");
        QTest::addColumn<QString>("expected");
        QTest::newRow("balance due") << 12.5 << 0.0
                                     << "[Total Income]=1000.00 [Net Income]=900.00 [Taxable Income]=800.00 [Balance Due]=12.50";
        QTest::newRow("refund") << 0.0 << 40.25
                                << "[Total Income]=1000.00 [Net Income]=900.00 [Taxable Income]=800.00 [Refund]=40.25";
        QTest::newRow("nothing either way") << 0.0 << 0.0
                                            << "[Total Income]=1000.00 [Net Income]=900.00 [Taxable Income]=800.00 [Refund]=0.00";
        QTest::newRow("owing below a cent") << 0.005 << 3.0
                                            << "[Total Income]=1000.00 [Net Income]=900.00 [Taxable Income]=800.00 [Refund]=3.00";
    }
    void statusStringHasTwoForms()
    {
        QFETCH(double, owing);
        QFETCH(double, refund);
        QFETCH(QString, expected);
        NewPerson fixture;
        TaxData_T1New* t1 = t1Of(&fixture.person);
        t1->line15000TotalIncome.m_value = 1000;
        t1->line23600NetIncome.m_value = 900;
        t1->line26000TaxableIncome.m_value = 800;
        t1->line48500BalanceOwing.m_value = owing;
        t1->line48400Refund.m_value = refund;
        QCOMPARE(QString(fixture.person.GetReturnStatusString(0)), expected);

        DependantInfoStruct dependants(12);
        IndividualTaxData empty(0, &dependants);
        QCOMPARE(QString(empty.GetReturnStatusString(0)), QStringLiteral("No tax return is opened."));
    }

    void filingResultsAreRecorded_data()
    {
        QTest::addColumn<int>("refile");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("after");
        QTest::newRow("accepted") << 0 << 0 << 1 << 1;
        QTest::newRow("accepted amendment") << 1 << 1 << 1 << 3;
        QTest::newRow("rejected") << 0 << 0 << -1 << 0;
        QTest::newRow("rejected after filing") << 0 << 1 << -1 << 1;
        QTest::newRow("rejected amendment") << 1 << 2 << -1 << 2;
        QTest::newRow("amendment not yet filed, rejected") << 1 << 0 << -1 << 2;
        QTest::newRow("rejected after refiling") << 1 << 3 << -1 << 3;
    }
    void filingResultsAreRecorded()
    {
        QFETCH(int, refile);
        QFETCH(int, before);
        QFETCH(int, result);
        QFETCH(int, after);
        NewPerson fixture;
        TaxData_T1New* t1 = t1Of(&fixture.person);
        t1->ReFileFlag.m_value = refile;
        t1->FilingStatus.m_value = before;
        t1->FilingResultText.m_value = CString("KEPT01");
        fixture.person.updateFilingStatus(1, result, CString("ABC123"));
        QCOMPARE(t1->FilingStatus.m_value, after);
        if (result == 1) {
            QCOMPARE(QString(t1->FilingResultText.m_value), QStringLiteral("ABC123"));
            QVERIFY(!t1->FilingTime.m_value.isEmpty());
        } else {
            // A failure has fields of its own: an earlier confirmation stays.
            QCOMPARE(QString(t1->FilingFailureText.m_value), QStringLiteral("ABC123"));
            QVERIFY(!t1->FilingFailureTime.m_value.isEmpty());
            QCOMPARE(QString(t1->FilingResultText.m_value), QStringLiteral("KEPT01"));
        }
    }

    // Accepted, then a later attempt fails: the confirmation and the status
    // of the acceptance are what the return keeps.
    void failureAfterAcceptanceKeepsTheConfirmation()
    {
        NewPerson fixture;
        TaxData_T1New* t1 = t1Of(&fixture.person);
        fixture.person.updateFilingStatus(1, 1, CString("XK47Q9"));
        const CString acceptedAt = t1->FilingTime.m_value;
        fixture.person.updateFilingStatus(1, -1, CString());
        QCOMPARE(QString(t1->FilingResultText.m_value), QStringLiteral("XK47Q9"));
        QCOMPARE(t1->FilingStatus.m_value, 1);
        QCOMPARE(QString(t1->FilingTime.m_value), QString(acceptedAt));

        auto* t1135 = qobject_cast<TaxData_T1135New*>(fixture.person.GetFormData(101, true));
        QVERIFY(t1135);
        fixture.person.updateFilingStatus(101, 1, CString("T1135-778"));
        fixture.person.updateFilingStatus(101, -1, CString("Jean Tremblay submission failed."));
        QCOMPARE(QString(t1135->Confirmation.m_value), QStringLiteral("T1135-778"));
        QCOMPARE(t1135->FilingStatus.m_value, 1);
        QCOMPARE(QString(t1135->FailureText.m_value), QStringLiteral("Jean Tremblay submission failed."));
    }

    void valuesByCode()
    {
        NewPerson fixture;
        IndividualTaxData& person = fixture.person;
        CString text;
        QVERIFY(person.getFedStringClaimed(17, text));
        QCOMPARE(QString(text), QStringLiteral("Ann Marie Lee"));
        QVERIFY(!person.getFedStringClaimed(99, text));

        // No Schedule 5: no spouse amount, whatever the variable held.
        person.RemoveFormData(person.GetFormData(6, false), true);
        int amount = 77;
        QVERIFY(person.getFedAmountClaimed(303, amount));
        QCOMPARE(amount, 0);

        t1Of(&person)->line30500CaregiverChildren.m_value = 0.005;
        double caregiver = 0.0;
        QVERIFY(!person.getFedAmountClaimed(367, caregiver));
        QCOMPARE(caregiver, 0.005);

        QVERIFY(person.setFedAmount(3, 1, 0.0));
        QCOMPARE(t1Of(&person)->MultiYearFlag.m_value, 1);
        QVERIFY(!person.setFedAmount(4, 1, 0.0));

        t1Of(&person)->LastName.m_value = CString();
        QCOMPARE(QString(person.GetDireradNameWithoutSuffix()).endsWith(QStringLiteral("_unknown")), true);
        CString given, initial;
        t1Of(&person)->FirstName.m_value = CString("Ann");
        person.GetFirstName(given, initial);
        QCOMPARE(QString(given), QStringLiteral("Ann"));
        QVERIFY(initial.isEmpty());
    }

    void t1135FilingResults_data()
    {
        QTest::addColumn<int>("amended");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("after");
        QTest::addColumn<QString>("confirmation");
        QTest::newRow("accepted") << 0 << 0 << 1 << 1 << "C1";
        QTest::newRow("accepted amendment") << 1 << 1 << 1 << 3 << "C1";
        QTest::newRow("rejected keeps the status") << 0 << 1 << -1 << 1 << "";
        QTest::newRow("rejected amendment") << 1 << 0 << -1 << 2 << "";
        QTest::newRow("rejected amendment after filing") << 1 << 1 << -1 << 1 << "";
        QTest::newRow("rejected never filed") << 0 << 0 << -1 << 0 << "";
    }
    void t1135FilingResults()
    {
        QFETCH(int, amended);
        QFETCH(int, before);
        QFETCH(int, result);
        QFETCH(int, after);
        QFETCH(QString, confirmation);
        NewPerson fixture;
        auto* t1135 = qobject_cast<TaxData_T1135New*>(fixture.person.GetFormData(101, true));
        QVERIFY(t1135);
        t1135->AmendedFlag.m_value = amended;
        t1135->FilingStatus.m_value = before;
        fixture.person.updateFilingStatus(101, result, CString("C1"));
        QCOMPARE(t1135->FilingStatus.m_value, after);
        QCOMPARE(QString(t1135->Confirmation.m_value), confirmation);
    }

    // The T1013 authorisation: an acceptance is kept against any later
    // failure; until then each answer replaces the last.
    void t1013FilingResults_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("after");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<bool>("stamped"); // the filing time is now
        QTest::newRow("accepted") << 0 << 1 << 1 << "A13-55001" << "" << true;
        QTest::newRow("refused") << 0 << -1 << -1 << "KEPT" << "B1,B2,F1" << true;
        QTest::newRow("accepted after a refusal") << -1 << 1 << 1 << "A13-55001" << "" << true;
        QTest::newRow("refused after acceptance") << 1 << -1 << 1 << "KEPT" << "OLD" << false;
        QTest::newRow("accepted again") << 1 << 1 << 1 << "A13-55001" << "" << true;
    }
    void t1013FilingResults()
    {
        QFETCH(int, before);
        QFETCH(int, result);
        QFETCH(int, after);
        QFETCH(QString, confirmation);
        QFETCH(QString, failure);
        QFETCH(bool, stamped);
        AppClock::setFixed(QDateTime(QDate(2025, 3, 2), QTime(14, 5, 9)));
        NewPerson fixture;
        auto* t1013 = qobject_cast<TaxData_T1013New*>(fixture.person.GetFormData(FORM_T1013, true));
        QVERIFY(t1013);
        t1013->FilingStatus.m_value = before;
        t1013->FilingTime.m_value = CString("2025-03-01 09:00:00");
        t1013->Confirmation.m_value = CString("KEPT");
        t1013->FailureText.m_value = CString("OLD");
        fixture.person.updateFilingStatus(FORM_T1013, result, result == 1 ? CString("A13-55001") : CString("B1,B2,F1"));
        AppClock::reset();
        QCOMPARE(t1013->FilingStatus.m_value, after);
        QCOMPARE(QString(t1013->Confirmation.m_value), confirmation);
        QCOMPARE(QString(t1013->FailureText.m_value), failure);
        QCOMPARE(QString(t1013->FilingTime.m_value),
                 stamped ? QStringLiteral("2025-03-02 14:05:09") : QStringLiteral("2025-03-01 09:00:00"));
    }

    // The T185 keeps an accepted agreement only, with a note the user reads
    // on the form; a text holding "%1" stays as the agency sent it.
    void t185FilingResults()
    {
        AppClock::setFixed(QDateTime(QDate(2025, 3, 2), QTime(14, 5, 9)));
        NewPerson fixture;
        // No T185 in the return: nothing to record, nothing made.
        fixture.person.updateFilingStatus(FORM_T185, 1, CString("PAD-1"));
        QCOMPARE(fixture.person.GetCountOfForm(FORM_T185), 0);

        auto* t185 = qobject_cast<TaxData_T185*>(fixture.person.GetFormData(FORM_T185, true));
        QVERIFY(t185);
        fixture.person.updateFilingStatus(FORM_T185, -1, CString("PAD12"));
        QVERIFY(t185->Confirmation.m_value.isEmpty());
        QVERIFY(!t185->FilingDate.IsValid());
        QVERIFY(t185->FilingNote.m_value.isEmpty());

        fixture.person.updateFilingStatus(FORM_T185, 1, CString("PAD-%1-20250301"));
        QCOMPARE(QString(t185->Confirmation.m_value), QStringLiteral("PAD-%1-20250301"));
        QCOMPARE(t185->FilingDate.m_value, QDate(2025, 3, 2));
        QCOMPARE(QString(t185->FilingNote.m_value),
                 QStringLiteral("You sent a PAD at 2025-03-02 14:05:09, confirmation number [PAD-%1-20250301]."));

        // A later refusal leaves the accepted agreement as it was.
        AppClock::setFixed(QDateTime(QDate(2025, 3, 5), QTime(8, 0, 0)));
        fixture.person.updateFilingStatus(FORM_T185, -1, CString("PAD12"));
        AppClock::reset();
        QCOMPARE(QString(t185->Confirmation.m_value), QStringLiteral("PAD-%1-20250301"));
        QCOMPARE(t185->FilingDate.m_value, QDate(2025, 3, 2));
    }

    void scheduleSixHint_data()
    {
        QTest::addColumn<int>("marital");
        QTest::addColumn<double>("employment");
        QTest::addColumn<double>("netIncome");
        QTest::addColumn<double>("spouseNet");
        QTest::addColumn<bool>("expected");
        // Ontario, not disabled: single 3000 to 16667, family up to 25700.
        QTest::newRow("single within bounds") << 5 << 5000.0 << 10000.0 << 0.0 << true;
        QTest::newRow("single, too little work") << 5 << 1000.0 << 10000.0 << 0.0 << false;
        QTest::newRow("single, too much income") << 5 << 20000.0 << 20000.0 << 0.0 << false;
        QTest::newRow("married, family income low") << 0 << 0.0 << 10000.0 << 10000.0 << true;
        QTest::newRow("married, family income high") << 0 << 0.0 << 20000.0 << 10000.0 << false;
        QTest::newRow("widowed, family bound") << 2 << 0.0 << 20000.0 << 0.0 << true;
    }
    void scheduleSixHint()
    {
        QFETCH(int, marital);
        QFETCH(double, employment);
        QFETCH(double, netIncome);
        QFETCH(double, spouseNet);
        QFETCH(bool, expected);
        NewPerson fixture;
        TaxData_T1New* t1 = t1Of(&fixture.person);
        t1->MaritalStatus.m_value = marital;
        t1->line10100EmploymentIncome.m_value = employment;
        t1->line23600NetIncome.m_value = netIncome;
        t1->SpouseNetIncome.m_value = spouseNet;
        QCOMPARE(fixture.person.MaySchedule6Needed(), expected);

        t1->BirthDate.m_value = QDate(2010, 5, 1); // too young, whatever the income
        QVERIFY(!fixture.person.MaySchedule6Needed());
    }

    void displayNameOfFormItems()
    {
        NewPerson fixture;
        STRUCT_FORMDATA_ITEM_2004* item = fixture.person.GetFormDataItem(4, true);
        CString name;
        formDisplayName(true, item, name);
        QCOMPARE(QString(name), QString::fromUtf8(getFormName(4)));
        item->sharedId = 300;
        CString shared;
        formDisplayName(true, item, shared);
        QCOMPARE(QString(shared), QStringLiteral("S-") + QString::fromUtf8(getFormName(4)));
        CString plain;
        formDisplayName(false, item, plain);
        QCOMPARE(QString(plain), QString::fromUtf8(getFormName(4)));
    }

    void testReturnHoldsEveryFederalForm()
    {
        DependantInfoStruct dependants(12);
        IndividualTaxData person(0, &dependants);
        person.CreateTestPrintFile();
        QCOMPARE(person.m_markerWord, 1);
        int federal = 0;
        for (int type = 1; type <= FORMTYPE_LAST; ++type) {
            if (IsFormExpired(type, 0) || getFormProv(type) != 0 || type == 177 || type == 178)
                continue;
            if (CTaxData_Form* probe = IndividualTaxData::AllocFedFormData(type)) {
                delete probe;
                ++federal;
                QVERIFY2(person.HasForm(type), qPrintable(QStringLiteral("form %1").arg(type)));
            }
        }
        QVERIFY2(federal > 70, qPrintable(QString::number(federal)));
        std::set<int> ids;
        for (const STRUCT_FORMDATA_ITEM_2004* item : person.m_formList)
            QVERIFY(ids.insert(item->id).second);
    }

    void freeDataKeepsIdsAndEmptiesTheLists()
    {
        NewPerson fixture;
        fixture.person.NewSlipData(1, 0, 0);
        fixture.person.NewNoteData(3);
        const int nextId = fixture.person.m_nextId;
        fixture.person.FreeData();
        QVERIFY(fixture.person.m_formList.empty());
        QVERIFY(fixture.person.m_slipList.empty());
        QVERIFY(fixture.person.m_noteList.empty());
        QVERIFY(fixture.person.m_wizList.empty());
        QCOMPARE(fixture.person.m_nextId, nextId);
        std::list<unsigned int> active;
        fixture.person.m_provMgr.GetActiveProvinces(active);
        QVERIFY(active.empty());
    }
};

QTEST_GUILESS_MAIN(TestIndividualTaxData)
#include "tst_individualtaxdata.moc"
