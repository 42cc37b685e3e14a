// Import of last year's return: what each option keeps, drops and makes.
#include <QtTest>

#include <QTemporaryDir>
#include <algorithm>

#include "companion/forms/federal/statements.h"
#include "companion/forms/t1/taxdata_t1ksnew.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "returnfiletestkit.h"

using namespace returnfiletest;

namespace {

bool hasType(const IndividualTaxData& person, ENUMTYPE_FORM type)
{
    return std::any_of(person.m_formList.begin(), person.m_formList.end(),
                       [type](const STRUCT_FORMDATA_ITEM_2004* item) { return item->type == type; });
}

STRUCT_IMPORT_LASTYEAR_PARAM defaults() { return STRUCT_IMPORT_LASTYEAR_PARAM{}; }

// Last year's return as the reader gives it: written to a ".r23" file and
// read back with the normal reader.
std::unique_ptr<CFamilyTaxData> throughLastYearsFile(CFamilyTaxData& family)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("last.r23"));
    if (family.saveToFile(CString(path), 2) != 0)
        return nullptr;
    int code = -1;
    std::unique_ptr<CFamilyTaxData> read(CFamilyTaxData::serializeFromFile(CString(path), code));
    return code == 0 ? std::move(read) : nullptr;
}

TaxData_T2125_New* firstT2125(IndividualTaxData* person)
{
    for (const STRUCT_FORMDATA_ITEM_2004* item : person->m_formList)
        if (auto* form = qobject_cast<TaxData_T2125_New*>(item->data))
            return form;
    return nullptr;
}

// The person's first T2125 with a carried-forward field and an amount.
TaxData_T2125_New* filledT2125(IndividualTaxData* person)
{
    TaxData_T2125_New* t2125 = firstT2125(person);
    t2125->IndustryCode.m_value = CString("541510");
    t2125->GrossIncome.m_value = 42000;
    return t2125;
}

} // namespace

class TestImportLastYear : public QObject
{
    Q_OBJECT
private slots:
    // Notes kept, everything else off: every slip goes, notes stay, the
    // ReFILE copy of the summary goes, last year's summary is kept as the
    // prior-year summary and statements keep only what carries forward.
    void defaultOptions()
    {
        auto original = makeCoupledFamily();
        IndividualTaxData* ann = original->getTaxpayer();
        ann->GetFormData(159, true);
        filledT2125(ann);
        auto* summary = qobject_cast<TaxData_T1KSNew*>(ann->GetFormData(93, false));
        summary->line15000.m_value = 52200.75;
        auto family = throughLastYearsFile(*original);
        QVERIFY(family);
        QVERIFY(hasType(*family->getTaxpayer(), 159));
        const int notes = int(family->getTaxpayer()->m_noteList.size());
        QVERIFY(notes > 0);

        STRUCT_IMPORT_LASTYEAR_PARAM options = defaults();
        family->Build2003DataTo2004(&options);

        for (IndividualTaxData* person : {family->getTaxpayer(), family->getSpouse()}) {
            QVERIFY(person->m_slipList.empty());
            QVERIFY(!hasType(*person, 159));
        }
        QCOMPARE(int(family->getTaxpayer()->m_noteList.size()), notes);
        auto* prior = qobject_cast<TaxData_T1KSNew*>(family->getTaxpayer()->GetFormData(165, false));
        QVERIFY(prior);
        QCOMPARE(prior->line15000.m_value, 52200.75);
        const TaxData_T2125_New* t2125 = firstT2125(family->getTaxpayer());
        QVERIFY(t2125);
        QCOMPARE(t2125->GrossIncome.m_value, 0.0);
        QCOMPARE(t2125->IndustryCode.m_value, CString("541510"));
    }

    // Statement forms keep their amounts with bIncludeSFD; other forms
    // still keep only what carries forward.
    void statementData_data()
    {
        QTest::addColumn<bool>("includeStatements");
        QTest::addColumn<bool>("copyAll");
        QTest::addColumn<double>("gross");
        QTest::addColumn<QString>("otherIncome");
        QTest::newRow("no data") << false << false << 0.0 << "0";
        QTest::newRow("statements") << true << false << 42000.0 << "0";
        QTest::newRow("all data") << false << true << 42000.0 << "350";
    }
    void statementData()
    {
        QFETCH(bool, includeStatements);
        QFETCH(bool, copyAll);
        QFETCH(double, gross);
        QFETCH(QString, otherIncome);
        auto family = makeCoupledFamily();
        TaxData_T2125_New* t2125 = filledT2125(family->getTaxpayer());
        family->getTaxpayer()->GetT1()->line13000NotOnSlip.m_value = 350;
        STRUCT_IMPORT_LASTYEAR_PARAM options = defaults();
        options.bIncludeSFD = includeStatements;
        options.bCopyAllData = copyAll;
        family->Build2003DataTo2004(&options);
        QCOMPARE(t2125->GrossIncome.m_value, gross);
        QCOMPARE(QString::number(family->getTaxpayer()->GetT1()->line13000NotOnSlip.m_value), otherIncome);
    }

    // Forms kept as they are with all data: slips stay with their amounts,
    // the types this year has no place for still go.
    void keepFormsAndData()
    {
        auto family = makeCoupledFamily();
        IndividualTaxData* ann = family->getTaxpayer();
        ann->GetFormData(159, true);
        const size_t slips = ann->m_slipList.size();
        STRUCT_IMPORT_LASTYEAR_PARAM options = defaults();
        options.bKeepForms = true;
        options.bCopyAllData = true;
        family->Build2003DataTo2004(&options);
        QCOMPARE(ann->m_slipList.size(), slips);
        CField* box14 = ann->m_slipList.front()->data->findField(QStringLiteral("box14EmploymentIncome"));
        QCOMPARE(box14->text(), QStringLiteral("51000.25"));
        QVERIFY(!hasType(*ann, 159));
    }

    void notesGoWhenNotKept()
    {
        auto family = makeCoupledFamily();
        STRUCT_IMPORT_LASTYEAR_PARAM options = defaults();
        options.bKeepNotes = false;
        family->Build2003DataTo2004(&options);
        QVERIFY(family->getTaxpayer()->m_noteList.empty());
        QVERIFY(family->getSpouse()->m_noteList.empty());
    }

    // Last year's RC381 gives way to a Schedule 8 at the end of the list,
    // made like any new form: in a coupled return it is marked coupled.
    void rc381BecomesSchedule8()
    {
        auto family = makeCoupledFamily();
        IndividualTaxData* ann = family->getTaxpayer();
        ann->GetFormData(148, true);
        QVERIFY(!hasType(*ann, 150));
        STRUCT_IMPORT_LASTYEAR_PARAM options = defaults();
        family->Build2003DataTo2004(&options);
        QVERIFY(!hasType(*ann, 148));
        const STRUCT_FORMDATA_ITEM_2004* last = ann->m_formList.back();
        QCOMPARE(int(last->type), 150);
        QVERIFY(last->id > 0);
        QCOMPARE(last->sharedId, 0);
        QVERIFY(last->data->isCoupledReturn());
        QCOMPARE(ann->GetCountOfForm(150), 1);
    }

    // The couple option: a common-law couple stays common-law; a person in
    // no couple becomes married. A single taxpayer gets a spouse's return
    // built from the spouse section, naming the taxpayer in turn.
    void makeCoupled_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("expected");
        QTest::newRow("married") << 0 << 0;
        QTest::newRow("common-law") << 1 << 1;
        QTest::newRow("single") << 5 << 0;
    }
    void makeCoupled()
    {
        QFETCH(int, status);
        QFETCH(int, expected);
        auto family = makeSingleFamily();
        TaxData_T1New* t1 = family->getTaxpayer()->GetT1();
        t1->MaritalStatus.m_value = status;
        t1->SpouseFirstName.m_value = CString("Dee");
        t1->SpouseLastName.m_value = CString("Orr");
        t1->SpouseSIN.m_value = CString("130692544");
        t1->SpouseBirthDate.m_value = QDate(1971, 2, 3);
        QVERIFY(!family->IsCoupledReturn());
        STRUCT_IMPORT_LASTYEAR_PARAM options = defaults();
        options.bMakeCoupled = true;
        family->Build2003DataTo2004(&options);

        QVERIFY(family->IsCoupledReturn());
        IndividualTaxData* spouse = family->getSpouse();
        QCOMPARE(family->getTaxpayer()->GetMaritalStatus(), expected);
        QCOMPARE(spouse->GetMaritalStatus(), expected);
        QVERIFY(family->getTaxpayer()->IsCoupledReturn());
        QVERIFY(spouse->IsCoupledReturn());
        QVERIFY(family->getTaxpayer()->GetT1()->isCoupledReturn());
        QCOMPARE(spouse->GetFirstName(), CString("Dee"));
        QCOMPARE(spouse->GetSIN(), CString("130692544"));
        QCOMPARE(spouse->GetDOB(), QDate(1971, 2, 3));
        QCOMPARE(spouse->m_province, family->getTaxpayer()->m_province);
        QCOMPARE(spouse->GetSpouseFirstName(), CString("Cy"));
        QCOMPARE(spouse->GetSpouseSIN(), CString("046454286"));
    }

    void commonLawCoupleStaysCommonLaw()
    {
        auto family = makeCoupledFamily();
        family->getTaxpayer()->SetMaritalStatus(1);
        family->getSpouse()->SetMaritalStatus(1);
        STRUCT_IMPORT_LASTYEAR_PARAM options = defaults();
        options.bMakeCoupled = true;
        family->Build2003DataTo2004(&options);
        QCOMPARE(family->getTaxpayer()->GetMaritalStatus(), 1);
        QCOMPARE(family->getSpouse()->GetMaritalStatus(), 1);
        QVERIFY(family->getSpouse()->m_slipList.empty());
    }

    // Without the couple option a coupled family converts both persons and
    // leaves the statuses alone.
    void coupledFamilyConvertsBoth()
    {
        auto family = makeCoupledFamily();
        family->getSpouse()->SetMaritalStatus(1);
        STRUCT_IMPORT_LASTYEAR_PARAM options = defaults();
        family->Build2003DataTo2004(&options);
        QVERIFY(family->getSpouse()->m_slipList.empty());
        QVERIFY(family->getSpouse()->HasForm(165));
        QCOMPARE(family->getSpouse()->GetMaritalStatus(), 1);
        QCOMPARE(family->getTaxpayer()->GetMaritalStatus(), 0);
    }

    // Last year's T1M amount reaches the T1 whatever its size.
    void t1mAmountIsCarried_data()
    {
        QTest::addColumn<double>("amount");
        QTest::newRow("small") << 19999.99;
        QTest::newRow("just under 20,000") << 19999.995;
        QTest::newRow("20,000") << 20000.0;
        QTest::newRow("large") << 125000.0;
    }
    void t1mAmountIsCarried()
    {
        QFETCH(double, amount);
        auto family = makeSingleFamily();
        family->getTaxpayer()->m_dT1MAmount = amount;
        STRUCT_IMPORT_LASTYEAR_PARAM options = defaults();
        family->Build2003DataTo2004(&options);
        QCOMPARE(family->getTaxpayer()->GetT1()->T1MAmount.m_value, amount);
    }

    // A person without a T1 is left as it is.
    void personWithoutT1IsUntouched()
    {
        IndividualTaxData person(MULTIPROVS_MODE_RESIDENCE, nullptr);
        person.NewSlipData(1, 0, 0);
        person.NewNoteData(0);
        STRUCT_IMPORT_LASTYEAR_PARAM options = defaults();
        options.bKeepNotes = false;
        person.Build2003DataTo2004(&options);
        QCOMPARE(int(person.m_slipList.size()), 1);
        QCOMPARE(int(person.m_noteList.size()), 1);
        QVERIFY(person.m_formList.empty());
    }
};

QTEST_GUILESS_MAIN(TestImportLastYear)
#include "tst_importlastyear.moc"
