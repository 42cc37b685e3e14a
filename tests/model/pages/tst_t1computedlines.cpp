// Which T1 lines the user may type. A line the calculation assigns must be
// read-only on the page, or whatever the user typed there would silently
// give way to the calculated figure; a line only the user can fill must stay
// editable. The first test finds the assigned lines by running the
// calculation, so a new step that writes a T1 line is caught without a list
// to keep up to date.
#include <QtTest>

#include <QLineEdit>
#include <map>

#include "companion/forms/formfactory.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/ui/basetaxpage.h"
#include "model/cfamilytaxdata.h"

namespace {

constexpr ENUMTYPE_PROVINCE kOntario = 9;
constexpr ENUMTYPE_PROVINCE kQuebec = 11;
constexpr int kT1 = 1;
constexpr int kReturnSummary = 93;

// Married but filing alone: the spouse's figures are the user's to enter.
std::unique_ptr<CFamilyTaxData> marriedSingleReturn(ENUMTYPE_PROVINCE province, bool coupled = false)
{
    auto family = std::make_unique<CFamilyTaxData>();
    NewReturnBasicData record;
    record.FirstName = CString("Ada");
    record.LastName = CString("Tremblay");
    record.sin = CString("046454286");
    record.dob = QDate(1958, 4, 12);
    record.TaxPronv = province;
    record.MaritalStatus = 0;
    record.Coupled = coupled;
    record.FirstNameSpouse = CString("Louis");
    record.LastNameSpouse = CString("Tremblay");
    record.sinSpouse = CString("130692544");
    record.dobSpouse = QDate(1956, 9, 30);
    family->NewData(&record);
    return family;
}

// Every slip kind, each box holding a sample amount: every slip total
// reaches the T1 lines it feeds.
void addEverySlip(IndividualTaxData& person)
{
    for (const CFormFactory::Row& row : CFormFactory::slipRows())
        if (STRUCT_SLIPDATA_ITEM_2004* item = person.NewSlipData(row.type, 0, 0); item && item->data)
            item->data->InitPrintTestData();
}

// Every federal form the return can hold, filled with sample values, so the
// steps that take a T1 line from a form run too.
void addEveryForm(IndividualTaxData& person)
{
    for (const CFormFactory::Row& row : CFormFactory::formRows()) {
        if (row.type == kT1 || row.type == kReturnSummary)
            continue;
        if (CTaxData_Form* form = person.GetFormData(row.type, true))
            form->InitPrintTestData();
    }
}

bool typable(const CField* field) { return !field->isHidden() && !field->isReadOnly(); }

// A value as the user would type it: an amount of its own for every line, a
// choice from the list, a date in the year. The marital status stays: it
// decides whether the spouse's lines apply at all.
bool typeInto(CField* field)
{
    switch (field->kind()) {
    case FieldKind::Float:
        static_cast<CFloatField*>(field)->m_value = 100.0 + (field->id() % 997);
        return true;
    case FieldKind::Int:
    case FieldKind::Bool: {
        if (field->name() == QLatin1String("MaritalStatus"))
            return false;
        const auto choices = field->choices();
        static_cast<CIntField*>(field)->m_value = choices.isEmpty() ? 1 : choices.last().first;
        return true;
    }
    case FieldKind::String:
        return field->setText(QStringLiteral("Typed %1").arg(field->id()));
    case FieldKind::Date:
        return field->setText(QStringLiteral("2024-06-30"));
    }
    return false;
}

} // namespace

class TestT1ComputedLines : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { BaseTaxPage::installAsPageFactory(); }
    void calculationChangesOnlyReadOnlyLines_data();
    void calculationChangesOnlyReadOnlyLines();
    void linesTheUserEntersStayEditable_data();
    void linesTheUserEntersStayEditable();
    void computedLinesAreReadOnlyOnThePage();
    void clearingComputedLinesChangesNoFigure_data();
    void clearingComputedLinesChangesNoFigure();
};

void TestT1ComputedLines::calculationChangesOnlyReadOnlyLines_data()
{
    QTest::addColumn<int>("province");
    QTest::addColumn<bool>("forms");
    QTest::addColumn<bool>("coupled");
    QTest::newRow("Ontario, slips") << int(kOntario) << false << false;
    QTest::newRow("Ontario, slips and forms") << int(kOntario) << true << false;
    QTest::newRow("Quebec, slips") << int(kQuebec) << false << false;
    QTest::newRow("Quebec, slips and forms") << int(kQuebec) << true << false;
    // Coupled, the exchange between the spouses fills the spouse's section too.
    QTest::newRow("Ontario coupled, slips and forms") << int(kOntario) << true << true;
    QTest::newRow("Quebec coupled, slips and forms") << int(kQuebec) << true << true;
}

void TestT1ComputedLines::calculationChangesOnlyReadOnlyLines()
{
    QFETCH(int, province);
    QFETCH(bool, forms);
    QFETCH(bool, coupled);
    auto family = marriedSingleReturn(ENUMTYPE_PROVINCE(province), coupled);
    IndividualTaxData* person = family->getTaxpayer();
    QCOMPARE(family->IsCoupledReturn(), coupled);
    for (IndividualTaxData* p : {family->getTaxpayer(), family->getSpouse()})
        if (p && p->GetT1()) {
            addEverySlip(*p);
            if (forms)
                addEveryForm(*p);
        }
    // As the page shows it: calculated once, with the forms the slips call for.
    family->Calculate(-1, nullptr);

    // The user types into every T1 field the page lets them edit.
    TaxData_T1New* t1 = person->GetT1();
    QVERIFY(t1);
    int typed = 0;
    for (CField* field : t1->fieldList())
        if (typable(field) && typeInto(field))
            ++typed;
    QVERIFY(typed > 100);

    std::map<const CField*, QString> before;
    for (const CField* field : t1->fieldList())
        before[field] = field->text();
    family->Calculate(-1, nullptr);

    QStringList overwritten;
    int changed = 0;
    for (const CField* field : t1->fieldList()) {
        if (field->isHidden() || field->text() == before[field])
            continue;
        ++changed;
        if (!field->isReadOnly())
            overwritten << QStringLiteral("%1 (%2 -> %3)").arg(field->name(), before[field], field->text());
    }
    // The typed amounts moved the totals: the calculation was at work.
    QVERIFY(changed > 20);
    QVERIFY2(overwritten.isEmpty(), qPrintable("typed, then replaced by the calculation: " + overwritten.join(", ")));
    QVERIFY(t1->line10100EmploymentIncome.m_value > 0);
    QCOMPARE(typable(&t1->SpouseNetIncome), !coupled);
}

void TestT1ComputedLines::linesTheUserEntersStayEditable_data()
{
    QTest::addColumn<QString>("field");
    // Identity, answers and amounts that no slip or form provides: the
    // return has no other place to take them from.
    for (const char* name :
         {"FirstName", "LastName", "SIN", "BirthDate", "MaritalStatus", "AddressLine1", "City", "PostalCode",
          "ProvinceOfResidence", "DateOfDeath", "EntryDate", "Disabled", "RestrictedFarmFlag", "SpouseFirstName",
          "SpouseNetIncome", "SpouseTaxableIncome", "line12800SupportReceived",
          "line21700BusinessInvestmentLoss", "line21900BaseAmount", "line22000SupportPaid",
          "line22100CarryingCharges", "line25100PartnershipLosses", "line25200NonCapitalLosses",
          "line25600AdditionalDeductions", "line30500ChildCount",
          "line31220VolunteerFirefighters", "line31240SearchRescue", "line31270HomeBuyers", "line31300Adoption1",
          "line31350DigitalNews", "line31800NotInTable", "line31900StudentLoanInterest",
          "line32400TuitionFromChild", "line33199NotInTable", "line40900PoliticalContributions",
          "InstalmentsPaid", "NetCapitalLossCarryForward", "MinimumTaxCarryForward",
          "HBPRequiredRepayment", "MedicalOwn1", "MedicalSpouse1", "MedicalDependant1_1"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestT1ComputedLines::linesTheUserEntersStayEditable()
{
    QFETCH(QString, field);
    TaxData_T1New t1;
    const CField* entry = t1.findField(field);
    QVERIFY2(entry, qPrintable(field));
    QVERIFY(!entry->isHidden());
    QVERIFY(!entry->isReadOnly());
    QVERIFY(!entry->isComputed());
}

void TestT1ComputedLines::computedLinesAreReadOnlyOnThePage()
{
    // The flag is what the generated page goes by: a computed line shows in
    // a read-only editor, a typed one in an editable one.
    TaxData_T1New t1;
    QWidget parent;
    std::list<BaseTaxPage*> pages;
    QVERIFY(t1.CreatePages(pages, &parent) > 0);
    auto editorOf = [&pages](const CField* field) -> QLineEdit* {
        for (BaseTaxPage* page : pages)
            if (auto* e = page->findChild<QLineEdit*>("fld_" + field->name()))
                return e;
        return nullptr;
    };
    int computed = 0;
    for (const CField* field : t1.fieldList()) {
        if (field->isHidden() || field->kind() != FieldKind::Float)
            continue;
        QLineEdit* editor = editorOf(field);
        QVERIFY2(editor, qPrintable(field->name()));
        QVERIFY2(editor->isReadOnly() == field->isReadOnly(), qPrintable(field->name()));
        computed += field->isComputed() ? 1 : 0;
    }
    QVERIFY(editorOf(&t1.line10100EmploymentIncome)->isReadOnly());
    QVERIFY(!editorOf(&t1.line12800SupportReceived)->isReadOnly());
    QVERIFY(computed > 50);
}

void TestT1ComputedLines::clearingComputedLinesChangesNoFigure_data()
{
    QTest::addColumn<int>("province");
    QTest::addColumn<bool>("coupled");
    for (int province : {int(kOntario), int(kQuebec)})
        for (bool coupled : {false, true})
            QTest::addRow("%d%s", province, coupled ? " coupled" : "") << province << coupled;
}

// Every calculation clears the computed lines before it starts. That is only
// sound for lines each pass assigns before anything reads them; a line read
// earlier in the pass than it is assigned must keep the last figure (it is
// read-only instead). The same return calculated with the T1's lines kept
// must come out the same to the cent.
void TestT1ComputedLines::clearingComputedLinesChangesNoFigure()
{
    QFETCH(int, province);
    QFETCH(bool, coupled);
    auto build = [&]() {
        auto family = marriedSingleReturn(ENUMTYPE_PROVINCE(province), coupled);
        for (IndividualTaxData* person : {family->getTaxpayer(), family->getSpouse()})
            if (person && person->GetT1()) {
                addEverySlip(*person);
                addEveryForm(*person);
            }
        return family;
    };
    auto cleared = build();
    auto kept = build();
    for (IndividualTaxData* person : {kept->getTaxpayer(), kept->getSpouse()})
        if (person && person->GetT1())
            for (CField* field : person->GetT1()->fieldList())
                field->setFlags(field->flags() & ~unsigned(FieldComputed));
    for (CFamilyTaxData* family : {cleared.get(), kept.get()}) {
        family->Calculate(-1, nullptr);
        family->Calculate(-1, nullptr);
    }
    QStringList differing;
    for (auto [a, b] : {std::pair{cleared->getTaxpayer(), kept->getTaxpayer()},
                        std::pair{cleared->getSpouse(), kept->getSpouse()}}) {
        if (!a || !a->GetT1())
            continue;
        auto form = b->m_formList.begin();
        for (const STRUCT_FORMDATA_ITEM_2004* item : a->m_formList) {
            const CTaxData_Form* other = (*form++)->data;
            for (const CField* field : item->data->fieldList())
                if (field->text() != other->findFieldById(field->id())->text())
                    differing << QStringLiteral("form %1 %2").arg(item->type).arg(field->name());
        }
    }
    QVERIFY2(differing.isEmpty(), qPrintable(differing.join(", ")));
}

QTEST_MAIN(TestT1ComputedLines)
#include "tst_t1computedlines.moc"
