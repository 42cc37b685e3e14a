// An Auto-fill record applied to a real return in memory: what each option
// brings in, what a second apply replaces, and what it never touches.
#include <QtTest>

#include "agencydata/records/dataafr.h"
#include "agencydata/records/taxslipkinds.h"
#include "agencydata/records/tddtaxdataoneperson.h"
#include "companion/core/appclock.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/provincialtaxmanager.h"
#include "companion/forms/schedules/taxdata_sch11.h"
#include "companion/forms/schedules/taxdata_sch3.h"
#include "companion/forms/schedules/taxdata_sch7.h"
#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/slips/slips_investment.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/forms/wizard/interviewdata.h"
#include "model/cfamilytaxdata.h"
#include "model/individualtaxdata.h"

#include <memory>

namespace {

constexpr int kSingle = 5;
constexpr int kMarried = 0;

// A new Ontario return of Ann (and Ben, when coupled), calculated once.
void newReturn(CFamilyTaxData& family, bool coupled = false)
{
    NewReturnBasicData data;
    data.FirstName = CString("Ann");
    data.LastName = CString("Lee");
    data.sin = CString("046454286");
    data.TaxPronv = PROV_ON;
    data.MaritalStatus = coupled ? kMarried : kSingle;
    data.FirstNameSpouse = CString("Ben");
    data.LastNameSpouse = CString("Lee");
    data.sinSpouse = CString("130692544");
    data.TaxPronvSpouse = PROV_ON;
    data.Coupled = coupled;
    family.NewData(&data);
    family.Calculate(-1, nullptr);
}

std::unique_ptr<TaxSlip> t4Slip(const char* employer, const char* income)
{
    auto slip = std::make_unique<TaxSlipT4>();
    slip->m_employerName = employer;
    slip->m_province = "ON";
    slip->m_boxValues["14"] = CString(income);
    return slip;
}

std::unique_ptr<TaxSlip> t5Slip(const char* payer, const char* interest, const char* currency = "")
{
    auto slip = std::make_unique<TaxSlipT5>();
    slip->m_payerName = payer;
    slip->m_boxValues["13"] = CString(interest);
    if (*currency)
        slip->m_boxValues["27"] = CString(currency);
    return slip;
}

std::unique_ptr<TaxSlip> t5008Slip(const char* quantity, const char* security, const char* cost,
                                   const char* proceeds)
{
    auto slip = std::make_unique<TaxSlipT5008>();
    slip->m_box16 = quantity;
    slip->m_box17 = security;
    slip->m_box20 = cost;
    slip->m_box21 = proceeds;
    return slip;
}

std::unique_ptr<TaxSlip> t1204Slip(const char* services, const char* mixed)
{
    auto slip = std::make_unique<TaxSlipT1204>();
    slip->m_payerName = "Public Works";
    slip->m_box82 = services;
    slip->m_box84 = mixed;
    return slip;
}

std::unique_ptr<TaxSlip> receipt(const char* spouse, const char* prior, const char* current)
{
    auto slip = std::make_unique<TaxSlipRRSPReceipt>();
    slip->m_spouseContributionIndicator = spouse;
    slip->m_priorYearAmount = prior;
    slip->m_currentYearAmount = current;
    return slip;
}

std::unique_ptr<StructTuitionCarryForward> tuition(const char* year, const char* amount)
{
    auto entry = std::make_unique<StructTuitionCarryForward>();
    entry->taxYear = year;
    entry->carryForwardAvailable = amount;
    return entry;
}

void setAll(DataAFR& options)
{
    options.fld_iFillOption.m_value = DataAFR::kAllElements;
}

std::vector<const STRUCT_SLIPDATA_ITEM_2004*> slipsOf(const IndividualTaxData& person, int type)
{
    std::vector<const STRUCT_SLIPDATA_ITEM_2004*> found;
    for (const STRUCT_SLIPDATA_ITEM_2004* item : person.m_slipList)
        if (item->type == type)
            found.push_back(item);
    return found;
}

int autoFilledSlips(const IndividualTaxData& person)
{
    int n = 0;
    for (const STRUCT_SLIPDATA_ITEM_2004* item : person.m_slipList)
        n += item->data->isAutoFilled() ? 1 : 0;
    return n;
}

template <class Form>
Form* formOf(IndividualTaxData& person, int type, bool create = false)
{
    return qobject_cast<Form*>(person.GetFormData(type, create));
}

TaxData_LastYearAmounts* lastYearAmounts(IndividualTaxData& person, bool wanted)
{
    if (wanted)
        return qobject_cast<TaxData_LastYearAmounts*>(person.GetWizData(TAXWIZARD_LASTYEAR, true));
    for (auto it = person.m_wizList.begin(); it != person.m_wizList.end(); ++it) {
        if ((*it)->type == TAXWIZARD_LASTYEAR) {
            delete (*it)->data;
            delete *it;
            person.m_wizList.erase(it);
            break;
        }
    }
    return nullptr;
}

double provincialTuition(IndividualTaxData& person)
{
    double amount = -1.0;
    person.m_provMgr.getProvAmountClaimed(PROVAMT_TUITION_CARRY_FORWARD, amount);
    return amount;
}

} // namespace

class TestAutoFillApply : public QObject
{
    Q_OBJECT
private slots:
    void init() { AppClock::setFixed(QDateTime(QDate(2025, 3, 10), QTime(9, 0))); }
    void cleanup() { AppClock::reset(); }

    void slipsArriveMarkedAndTheReturnSaysSo()
    {
        CFamilyTaxData family;
        newReturn(family);
        IndividualTaxData* person = family.getCurIndvTaxData();
        TDDTaxDataOnePerson record(2024);
        record.slips.add(t4Slip("Acme", "52000.00"));
        DataAFR options;
        setAll(options);
        QCOMPARE(family.AutoFillReturn(record, &options), 0);
        const auto t4s = slipsOf(*person, SLIP_T4);
        QCOMPARE(int(t4s.size()), 1);
        QVERIFY(t4s[0]->data->isAutoFilled());
        QCOMPARE(t4s[0]->sharedId, 0);
        auto* t4 = qobject_cast<TaxData_Slip_T4*>(t4s[0]->data);
        QCOMPARE(QString(t4->EmployerName.m_value), QStringLiteral("Acme"));
        QCOMPARE(person->GetT1()->AutoFillFlag.m_value, 1);
        QCOMPARE(person->GetT1()->AutoFillDate.m_value, QDate(2025, 3, 10));
        // Recalculated: the slip is in the employment income.
        QCOMPARE(person->GetT1()->line10100EmploymentIncome.m_value, 52000.0);
    }

    void shareDispositionsFollowTheRowsThere()
    {
        CFamilyTaxData family;
        newReturn(family);
        IndividualTaxData* person = family.getCurIndvTaxData();
        auto* sch3 = formOf<TaxData_Sch3>(*person, FORM_SCH3, true);
        sch3->AllocateMoreEquityEntries(2);
        sch3->EquityEntryCountAmount.m_value = 2;
        sch3->equityEntry(0).Identification = CString("Mine A");
        sch3->equityEntry(1).Identification = CString("Mine B");
        TDDTaxDataOnePerson record(2024);
        record.slips.add(t5008Slip("10", "Alpha", "1000.00", "1500.00"));
        record.slips.add(t4Slip("Acme", "100.00"));
        record.slips.add(t5008Slip("20", "Beta", "2000.00", "1800.00"));
        record.slips.add(t5008Slip("30", "Gamma", "300.00", "450.00"));
        DataAFR options;
        setAll(options);
        QCOMPARE(person->AutoFillReturn(record, &options), 0);
        QCOMPARE(sch3->equityEntryRows(), 5);
        QCOMPARE(sch3->EquityEntryCountAmount.m_value, 5.0);
        const char* names[] = {"Mine A", "Mine B", "Alpha", "Beta", "Gamma"};
        for (int row = 0; row < 5; ++row) {
            QCOMPARE(QString(sch3->equityEntry(row).Identification), QString::fromLatin1(names[row]));
            QCOMPARE(sch3->equityEntry(row).AutoFilled, row >= 2);
        }
        QCOMPARE(sch3->equityEntry(3).Quantity, 20.0);
        QCOMPARE(sch3->equityEntry(3).Cost, 2000.0);
        QCOMPARE(sch3->equityEntry(3).Proceeds, 1800.0);
    }

    void receiptSums_data()
    {
        QTest::addColumn<QString>("spouse");
        QTest::addColumn<QString>("prior");
        QTest::addColumn<bool>("written");
        QTest::addColumn<double>("ownPrior");
        QTest::addColumn<double>("spousalPrior");
        // Schedule 7 starts with 55.00 in each of the four fields.
        QTest::newRow("all sums below 0.009") << "0" << "0.008" << false << 55.0 << 55.0;
        QTest::newRow("one sum of exactly 0.009") << "0" << "0.009" << true << 0.01 << 0.0;
        QTest::newRow("own contributions") << "0" << "1500.00" << true << 1500.0 << 0.0;
        QTest::newRow("spousal contributions") << "1" << "1500.00" << true << 0.0 << 1500.0;
    }

    void receiptSums()
    {
        QFETCH(QString, spouse);
        QFETCH(QString, prior);
        QFETCH(bool, written);
        QFETCH(double, ownPrior);
        QFETCH(double, spousalPrior);
        CFamilyTaxData family;
        newReturn(family);
        IndividualTaxData* person = family.getCurIndvTaxData();
        auto* sch7 = formOf<TaxData_Sch7>(*person, FORM_SCH7, true);
        for (CFloatField* f : {&sch7->OwnPriorYearContributions, &sch7->SpousalPriorYearContributions,
                               &sch7->OwnCurrentYearContributions, &sch7->SpousalCurrentYearContributions})
            f->m_value = 55.0;
        TDDTaxDataOnePerson record(2024);
        record.slips.add(receipt(spouse.toLatin1().constData(), prior.toLatin1().constData(), ""));
        DataAFR options;
        setAll(options);
        person->AutoFillReturn(record, &options);
        QCOMPARE(sch7->OwnPriorYearContributions.m_value, ownPrior);
        QCOMPARE(sch7->SpousalPriorYearContributions.m_value, spousalPrior);
        QCOMPARE(sch7->OwnCurrentYearContributions.m_value, written ? 0.0 : 55.0);
        QCOMPARE(sch7->SpousalCurrentYearContributions.m_value, written ? 0.0 : 55.0);
        QVERIFY(slipsOf(*person, 20).empty());
    }

    void uncheckedKindsKeepTheirEarlierSlips()
    {
        CFamilyTaxData family;
        newReturn(family);
        IndividualTaxData* person = family.getCurIndvTaxData();
        TDDTaxDataOnePerson first(2024);
        first.slips.add(t4Slip("Acme", "100.00"));
        first.slips.add(t5Slip("Bank", "10.00"));
        DataAFR everything;
        setAll(everything);
        person->AutoFillReturn(first, &everything);

        TDDTaxDataOnePerson second(2024);
        second.slips.add(t4Slip("Other employer", "900.00"));
        second.slips.add(t5Slip("Bank", "20.00"));
        DataAFR t5Only;
        t5Only.fld_iFillOption.m_value = DataAFR::kTickedElements;
        t5Only.fld_bT5.m_value = 1;
        person->AutoFillReturn(second, &t5Only);

        const auto t4s = slipsOf(*person, SLIP_T4);
        QCOMPARE(int(t4s.size()), 1);
        QCOMPARE(QString(qobject_cast<TaxData_Slip_T4*>(t4s[0]->data)->EmployerName.m_value), QStringLiteral("Acme"));
        const auto t5s = slipsOf(*person, SLIP_T5);
        QCOMPARE(int(t5s.size()), 1);
        QCOMPARE(qobject_cast<TaxData_Slip_T5*>(t5s[0]->data)->box13Interest.m_value, 20.0);
    }

    void tuitionAndRepayments_data()
    {
        QTest::addColumn<bool>("withLastYear");
        QTest::newRow("without last year's amounts") << false;
        QTest::newRow("with last year's amounts") << true;
    }

    void tuitionAndRepayments()
    {
        QFETCH(bool, withLastYear);
        CFamilyTaxData family;
        newReturn(family);
        IndividualTaxData* person = family.getCurIndvTaxData();
        TaxData_LastYearAmounts* lastYear = lastYearAmounts(*person, withLastYear);
        TaxData_T1New* t1 = person->GetT1();
        t1->FedTuitionCarryForward.m_value = 11.0;
        t1->HBPRequiredRepayment.m_value = 22.0;
        TDDTaxDataOnePerson record(2024);
        record.carryOver.federalTuition.add(tuition("2023", "1200.00"));
        record.carryOver.provincialTuition.add(tuition("2023", "900.00"));
        record.summary.trainingCreditLimit = "500.00";
        record.summary.hbpRequiredRepayments.add({"2024", "600.00"});
        DataAFR options;
        setAll(options);
        person->AutoFillReturn(record, &options);
        auto* sch11 = formOf<TaxData_Sch11>(*person, FORM_SCH11);
        QVERIFY(sch11);
        QCOMPARE(sch11->FedTuitionCarryForward.m_value, 1200.0);
        QCOMPARE(sch11->TrainingCreditLimit.m_value, 500.0);
        QCOMPARE(provincialTuition(*person), 900.0);
        QCOMPARE(t1->FedTuitionCarryForward.m_value, withLastYear ? 1200.0 : 11.0);
        QCOMPARE(t1->HBPRequiredRepayment.m_value, withLastYear ? 600.0 : 22.0);
        if (withLastYear) {
            QCOMPARE(lastYear->FedTuitionCarryForward.m_value, 1200.0);
            QCOMPARE(lastYear->ProvTuitionCarryForward.m_value, 900.0);
            QCOMPARE(lastYear->HBPRequiredRepayment.m_value, 600.0);
        }
    }

    // The carry-forward is last year's and the repayment falls due this
    // year, whatever year the return is for.
    void lookUpYearsFollowTheReturn_data()
    {
        QTest::addColumn<int>("taxYear");
        QTest::addColumn<double>("fed");
        QTest::addColumn<double>("hbp");
        QTest::newRow("2024 return") << 2024 << 1200.0 << 600.0;
        QTest::newRow("2025 return") << 2025 << 1500.0 << 700.0;
    }

    void lookUpYearsFollowTheReturn()
    {
        QFETCH(int, taxYear);
        QFETCH(double, fed);
        QFETCH(double, hbp);
        CFamilyTaxData family;
        newReturn(family);
        IndividualTaxData* person = family.getCurIndvTaxData();
        person->m_taxYear = taxYear;
        lastYearAmounts(*person, true);
        TDDTaxDataOnePerson record(taxYear);
        record.carryOver.federalTuition.add(tuition("2023", "1200.00"));
        record.carryOver.federalTuition.add(tuition("2024", "1500.00"));
        record.summary.hbpRequiredRepayments.add({"2024", "600.00"});
        record.summary.hbpRequiredRepayments.add({"2025", "700.00"});
        DataAFR options;
        setAll(options);
        person->AutoFillReturn(record, &options);
        QCOMPARE(person->GetT1()->FedTuitionCarryForward.m_value, fed);
        QCOMPARE(person->GetT1()->HBPRequiredRepayment.m_value, hbp);
    }

    void spouseCurrentGetsTheSlips()
    {
        CFamilyTaxData family;
        newReturn(family, true);
        QVERIFY(family.IsCoupledReturn());
        family.setCurIndv(CFamilyTaxData::kSpouse);
        TDDTaxDataOnePerson record(2024);
        record.slips.add(t4Slip("Acme", "100.00"));
        DataAFR options;
        setAll(options);
        QCOMPARE(family.AutoFillReturn(record, &options), 0);
        QCOMPARE(int(slipsOf(*family.getSpouse(), SLIP_T4).size()), 1);
        QVERIFY(slipsOf(*family.getTaxpayer(), SLIP_T4).empty());
        QCOMPARE(family.getTaxpayer()->GetT1()->AutoFillFlag.m_value, 0);
        QCOMPARE(family.getSpouse()->GetT1()->AutoFillFlag.m_value, 1);
    }

    void applyingTwiceReplacesTheFirstApply()
    {
        CFamilyTaxData family;
        newReturn(family);
        IndividualTaxData* person = family.getCurIndvTaxData();
        // The user's own T4 and Schedule 3 row.
        auto* typed = qobject_cast<TaxData_Slip_T4*>(person->NewSlipData(SLIP_T4, 0, 0)->data);
        typed->EmployerName.m_value = CString("Typed in");
        typed->box14EmploymentIncome.m_value = 1000.0;
        auto* sch3 = formOf<TaxData_Sch3>(*person, FORM_SCH3, true);
        sch3->AllocateMoreEquityEntries(1);
        sch3->equityEntry(0).Identification = CString("Mine");
        family.Calculate(-1, nullptr);

        TDDTaxDataOnePerson record(2024);
        record.slips.add(t4Slip("Acme", "52000.00"));
        record.slips.add(t5008Slip("10", "Alpha", "1000.00", "3000.00"));
        record.slips.add(t5008Slip("5", "Beta", "500.00", "700.00"));
        record.slips.add(t1204Slip("1200.00", "300.00"));
        DataAFR options;
        setAll(options);
        QCOMPARE(family.AutoFillReturn(record, &options), 0);
        const double totalIncome = person->GetT1()->line15000TotalIncome.m_value;
        QVERIFY(totalIncome > 52000.0);
        QCOMPARE(family.AutoFillReturn(record, &options), 0);

        QCOMPARE(person->GetT1()->line15000TotalIncome.m_value, totalIncome);
        QCOMPARE(int(slipsOf(*person, SLIP_T4).size()), 2);
        QCOMPARE(int(slipsOf(*person, SLIP_T1204).size()), 1);
        QCOMPARE(autoFilledSlips(*person), 2);
        QVERIFY(person->FindSlipItem(typed));
        QCOMPARE(QString(typed->EmployerName.m_value), QStringLiteral("Typed in"));
        QCOMPARE(sch3->equityEntryRows(), 3);
        QCOMPARE(QString(sch3->equityEntry(0).Identification), QStringLiteral("Mine"));
        std::list<STRUCT_FORMDATA_ITEM_2004*> statements;
        person->GetFormDataList(FORM_T2125, statements);
        QCOMPARE(int(statements.size()), 1);
        auto* t2125 = qobject_cast<TaxData_T2125_New*>(statements.front()->data);
        QVERIFY(t2125->isAutoFilled());
        QCOMPARE(QString(t2125->BusinessDescription.m_value), QStringLiteral("Government Service Contract"));
        QCOMPARE(t2125->GrossIncome.m_value, 1500.0);
    }

    void nothingSentChangesNothing()
    {
        CFamilyTaxData family;
        newReturn(family);
        IndividualTaxData* person = family.getCurIndvTaxData();
        TaxData_T1New* t1 = person->GetT1();
        t1->InstalmentsPaid.m_value = 500.0;
        auto* sch11 = formOf<TaxData_Sch11>(*person, FORM_SCH11, true);
        sch11->FedTuitionCarryForward.m_value = 300.0;
        sch11->TrainingCreditLimit.m_value = 250.0;
        TDDTaxDataOnePerson record(2024);
        DataAFR options;
        setAll(options);
        std::list<CString> notes;
        QCOMPARE(person->AutoFillReturn(record, &options, &notes), 0);
        QCOMPARE(t1->InstalmentsPaid.m_value, 500.0);
        QCOMPARE(sch11->FedTuitionCarryForward.m_value, 300.0);
        QCOMPARE(sch11->TrainingCreditLimit.m_value, 250.0);
        QCOMPARE(t1->AutoFillFlag.m_value, 0);
        QVERIFY(!t1->AutoFillDate.IsValid());
        QCOMPARE(int(notes.size()), 1);
    }

    void instalmentsWhenSent()
    {
        CFamilyTaxData family;
        newReturn(family);
        IndividualTaxData* person = family.getCurIndvTaxData();
        TDDTaxDataOnePerson record(2024);
        record.summary.instalmentAmount = "1200.00";
        DataAFR options;
        setAll(options);
        person->AutoFillReturn(record, &options);
        QCOMPARE(person->GetT1()->InstalmentsPaid.m_value, 1200.0);
        QCOMPARE(person->GetT1()->AutoFillFlag.m_value, 1);
    }

    void withoutT1NothingIsApplied()
    {
        CFamilyTaxData family;
        IndividualTaxData* person = family.getCurIndvTaxData();
        QVERIFY(!person->GetT1());
        TDDTaxDataOnePerson record(2024);
        record.slips.add(t4Slip("Acme", "100.00"));
        DataAFR options;
        setAll(options);
        std::list<CString> notes;
        QCOMPARE(family.AutoFillReturn(record, &options, &notes), IndividualTaxData::kAutoFillNoReturn);
        QVERIFY(person->m_slipList.empty());
        QCOMPARE(int(notes.size()), 1);
        QCOMPARE(person->AutoFillReturn(record, nullptr), IndividualTaxData::kAutoFillNoOptions);
    }

    // A replaced slip the spouse shared is not left as a link to nothing:
    // the spouse keeps it as the spouse's own.
    void replacedSharedSlipIsUnshared()
    {
        CFamilyTaxData family;
        newReturn(family, true);
        TDDTaxDataOnePerson record(2024);
        record.slips.add(t5Slip("Joint bank", "40.00"));
        DataAFR options;
        setAll(options);
        family.AutoFillReturn(record, &options);
        IndividualTaxData* taxpayer = family.getTaxpayer();
        CTaxData_Form* t5 = slipsOf(*taxpayer, SLIP_T5).front()->data;
        QVERIFY(family.ShareTaxSlipWithSpouse(t5, 0));
        QVERIFY(slipsOf(*family.getSpouse(), SLIP_T5).front()->sharedId > 0);

        family.AutoFillReturn(record, &options);
        const auto spouseT5s = slipsOf(*family.getSpouse(), SLIP_T5);
        QCOMPARE(int(spouseT5s.size()), 1);
        QCOMPARE(spouseT5s.front()->sharedId, 0);
        QCOMPARE(slipsOf(*taxpayer, SLIP_T5).front()->sharedId, 0);
    }

    void notesNameWhatToCheck()
    {
        CFamilyTaxData family;
        newReturn(family);
        TDDTaxDataOnePerson record(2024);
        record.slips.add(t5Slip("US Bank", "40.00", "USD"));
        DataAFR options;
        setAll(options);
        std::list<CString> notes;
        QCOMPARE(family.AutoFillReturn(record, &options, &notes), 0);
        QCOMPARE(int(notes.size()), 1);
        QVERIFY(notes.front().contains(QStringLiteral("US Bank")));
        QCOMPARE(int(slipsOf(*family.getTaxpayer(), SLIP_T5).size()), 1);
    }
};

QTEST_GUILESS_MAIN(TestAutoFillApply)
#include "tst_autofillapply.moc"
