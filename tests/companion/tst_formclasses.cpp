#include <QtEndian>
#include <QtTest>

#include "companion/forms/wizard/interviewdata.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <memory>
#include <set>

#include "companion/forms/federal/statements.h"
#include "companion/forms/formfactory.h"
#include "companion/forms/mydatastream.h"
#include "companion/forms/schedules/taxdata_sch3.h"
#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/slips/slips_investment.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/ui/basetaxpage.h"

Q_DECLARE_METATYPE(ENUMTYPE_FROM)

namespace {

constexpr unsigned kFileVersion = 66098;
constexpr qint32 kSentinel = 0x5EA1ED;

std::unique_ptr<CTaxData_Form> make(ENUMTYPE_FROM kind, int type)
{
    return std::unique_ptr<CTaxData_Form>(CFormFactory::create(kind, type));
}

// The object's bytes followed by a sentinel, as the next item of a file would be.
QByteArray storeWithSentinel(CTaxData_Form& form)
{
    QByteArray bytes;
    MyDataStream out(&bytes, QIODevice::WriteOnly);
    const int rc = form.Serialize(kFileVersion, CString(""), out);
    out << kSentinel;
    return rc == 0 ? bytes : QByteArray();
}

// A value of the field's kind that differs from the one it holds.
void changeValue(CField& field)
{
    switch (field.kind()) {
    case FieldKind::Int:
    case FieldKind::Bool: {
        auto& f = static_cast<CIntField&>(field);
        f.m_value = f.m_value == 0 ? 1 : 0;
        break;
    }
    case FieldKind::Float:
        static_cast<CFloatField&>(field).m_value += 1.25;
        break;
    case FieldKind::String:
        static_cast<CStringField&>(field).m_value += "x";
        break;
    case FieldKind::Date: {
        auto& f = static_cast<CDateField&>(field);
        f.m_value = f.m_value.isValid() ? f.m_value.addDays(1) : QDate(2024, 6, 30);
        break;
    }
    }
}

const char* kindName(ENUMTYPE_FROM kind)
{
    switch (kind) {
    case FROM_FORM: return "form";
    case FROM_SLIP: return "slip";
    case FROM_TAXWIZARD: return "interview";
    case FROM_NOTE: return "note";
    }
    return "?";
}

template <class W>
W* findOnPages(const std::list<BaseTaxPage*>& pages, const QString& name, BaseTaxPage** pageOut = nullptr)
{
    for (BaseTaxPage* page : pages)
        if (auto* w = page->findChild<W*>(name)) {
            if (pageOut)
                *pageOut = page;
            return w;
        }
    return nullptr;
}

}  // namespace

class TestFormClasses : public QObject
{
    Q_OBJECT
private slots:
    void everyTypeStoresLoadsCopiesAndCompares_data();
    void everyTypeStoresLoadsCopiesAndCompares();
    void factoryMakesTheRightClass_data();
    void factoryMakesTheRightClass();
    void factoryCoversEveryFederalNumber();
    void realFormPagesShowLinesAndStoreEdits_data();
    void realFormPagesShowLinesAndStoreEdits();
    void shareDispositionRowsTravelWithSchedule3();
    void t1LineStepsAddUpTheReturn();
    void slipSharesFollowThePercentage();
    void t3SharesEveryBoxByItsNumber();
    void dependantMedicalAmountsAreTheNumberedLines();
    void clearingTheSpouseTakesTheSpouseBlockOnly();
    void lastYearsReturnKeepsIdentityNotAmounts();
    void t1ValidatesItsIdentity_data();
    void t1ValidatesItsIdentity();
    void t1AsksWhatTheAgencyNeeds_data();
    void t1AsksWhatTheAgencyNeeds();
};

void TestFormClasses::everyTypeStoresLoadsCopiesAndCompares_data()
{
    QTest::addColumn<ENUMTYPE_FROM>("kind");
    QTest::addColumn<int>("type");
    for (ENUMTYPE_FROM kind : {FROM_FORM, FROM_SLIP, FROM_TAXWIZARD, FROM_NOTE})
        for (const CFormFactory::Row& row : CFormFactory::rows(kind))
            QTest::addRow("%s %d %s", kindName(kind), row.type, row.className) << kind << row.type;
}

void TestFormClasses::everyTypeStoresLoadsCopiesAndCompares()
{
    QFETCH(ENUMTYPE_FROM, kind);
    QFETCH(int, type);

    auto original = make(kind, type);
    QVERIFY(original);
    QCOMPARE(original->m_kind, kind);
    QCOMPARE(original->getType(), type);
    QString problem;
    QVERIFY2(original->checkFieldTable(&problem), qPrintable(problem));
    QVERIFY(!original->fieldList().empty());

    original->InitPrintTestData();
    auto blank = make(kind, type);
    QVERIFY2(blank->CompareData(original.get()), "test data left every value at its start");

    // Store, then load: the reader stops exactly where the writer stopped.
    QByteArray bytes = storeWithSentinel(*original);
    QVERIFY(!bytes.isEmpty());
    auto loaded = make(kind, type);
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    QCOMPARE(loaded->Serialize(kFileVersion, CString(""), in), 0);
    qint32 sentinel = 0;
    in >> sentinel;
    QCOMPARE(sentinel, kSentinel);
    QVERIFY(in.atEnd());
    QVERIFY(!loaded->CompareData(original.get()));
    QVERIFY(!original->CompareData(loaded.get()));

    // A later program's field (an id no class uses) is skipped.
    {
        QByteArray withUnknown;
        MyDataStream patch(&withUnknown, QIODevice::WriteOnly);
        const quint32 length = qFromLittleEndian<quint32>(bytes.constData());
        const QByteArray payload = bytes.mid(4, int(length));
        patch << quint32(length + 2 + 1 + 4 + 8);
        patch.writeRawData(payload.constData(), payload.size());
        patch << quint16(65000) << quint8(FieldKind::Float) << quint32(8) << 3.5;
        patch << kSentinel;
        auto reader = make(kind, type);
        MyDataStream unknownIn(&withUnknown, QIODevice::ReadOnly);
        QCOMPARE(reader->Serialize(kFileVersion, CString(""), unknownIn), 0);
        qint32 after = 0;
        unknownIn >> after;
        QCOMPARE(after, kSentinel);
        QVERIFY(!reader->CompareData(original.get()));
    }

    // A payload cut short fails that read cleanly and leaves start values.
    {
        QByteArray truncated = bytes.left(4 + (bytes.size() - 8) / 2);
        auto reader = make(kind, type);
        MyDataStream cutIn(&truncated, QIODevice::ReadOnly);
        QVERIFY(reader->Serialize(kFileVersion, CString(""), cutIn) < 0);
        QVERIFY(!reader->CompareData(blank.get()));
    }

    // Copy, then change each field in turn: every field takes part in compare.
    auto copy = make(kind, type);
    copy->CopyData(original.get());
    QVERIFY(!copy->CompareData(original.get()));
    for (CField* field : copy->fieldList()) {
        CField* source = original->findFieldById(field->id());
        QVERIFY(source);
        changeValue(*field);
        QVERIFY2(copy->CompareData(original.get()), qPrintable(field->name()));
        field->copyValueFrom(*source);
    }
    QVERIFY(!copy->CompareData(original.get()));
}

void TestFormClasses::factoryMakesTheRightClass_data()
{
    QTest::addColumn<ENUMTYPE_FROM>("kind");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("className");  // empty: no object

    struct Case { ENUMTYPE_FROM kind; int type; const char* cls; };
    const Case cases[] = {
        {FROM_FORM, 1, "TaxData_T1New"},
        {FROM_FORM, 2, "TaxData_UnusedForm"},
        {FROM_FORM, 5, "TaxData_UnusedForm"},
        {FROM_FORM, 151, "TaxData_UnusedForm"},
        {FROM_FORM, 166, "TaxData_UnusedForm"},
        {FROM_FORM, 3, "TaxData_Sch2"},
        {FROM_FORM, 6, "TaxData_Sch5"},
        {FROM_FORM, 8, "TaxData_Sch8"},
        {FROM_FORM, 35, "TaxData_T2209_2036"},
        {FROM_FORM, 38, "CTaxData_T5013"},
        {FROM_FORM, 93, "TaxData_T1KSNew"},
        {FROM_FORM, 159, "TaxData_T1KSNew"},
        {FROM_FORM, 165, "TaxData_T1KSNew"},
        {FROM_FORM, 125, "TaxData_T2125_New"},
        {FROM_FORM, 131, "TaxData_T2125_New"},
        {FROM_FORM, 147, "TaxData_T2091"},
        {FROM_FORM, 160, "TaxData_T2091"},
        {FROM_FORM, 148, "TaxData_RC381"},
        {FROM_FORM, 150, "TaxData_Sch8_14"},
        {FROM_FORM, 179, "TaxData_T777Covid19"},
        {FROM_FORM, 210, "TaxData_WS_D1"},
        {FROM_FORM, 0, ""},
        {FROM_FORM, 10, ""},
        {FROM_FORM, 26, ""},      // a provincial schedule: the plug-in makes it
        {FROM_FORM, 156, ""},     // T2203: the plug-in makes it
        {FROM_FORM, 177, ""},
        {FROM_FORM, 178, ""},
        {FROM_FORM, 211, ""},
        {FROM_FORM, -1, ""},
        {FROM_SLIP, 1, "TaxData_Slip_T4"},
        {FROM_SLIP, 6, "CSlipData_T4AOAS"},
        {FROM_SLIP, 10, "CSlipData_T5003"},
        {FROM_SLIP, 11, "CSlipData_T5007"},
        {FROM_SLIP, 26, "TaxData_Slip_T4FHSA"},
        {FROM_SLIP, 12, ""},
        {FROM_SLIP, 19, ""},
        {FROM_SLIP, 20, ""},
        {FROM_SLIP, 27, ""},
        {FROM_SLIP, 0, ""},
        {FROM_TAXWIZARD, 1, "TaxData_Wizard_General"},
        {FROM_TAXWIZARD, 2, "TaxData_LastYearAmounts"},
        {FROM_TAXWIZARD, 3, "CWizData_Dependant"},
        {FROM_TAXWIZARD, 4, "CWizData_MedExp"},
        {FROM_TAXWIZARD, 5, "TaxData_RRSPContrib"},
        {FROM_TAXWIZARD, 6, ""},  // provincial: the plug-in host makes it
        {FROM_TAXWIZARD, 0, ""},
        {FROM_NOTE, 1, "TaxData_TaxNote"},
    };
    for (const Case& c : cases)
        QTest::addRow("%s %d", kindName(c.kind), c.type) << c.kind << c.type << QString::fromLatin1(c.cls);
}

void TestFormClasses::factoryMakesTheRightClass()
{
    QFETCH(ENUMTYPE_FROM, kind);
    QFETCH(int, type);
    QFETCH(QString, className);

    auto object = make(kind, type);
    if (className.isEmpty()) {
        QVERIFY(!object);
        return;
    }
    QVERIFY(object);
    QCOMPARE(QString::fromLatin1(object->metaObject()->className()), className);
    QCOMPARE(object->m_kind, kind);
    // A class made for several numbers keeps the number it was made for.
    QCOMPARE(object->getType(), type);

    // The named entry points agree with the generic one.
    std::unique_ptr<CTaxData_Form> named;
    switch (kind) {
    case FROM_FORM: named.reset(CFormFactory::AllocFedFormData(type)); break;
    case FROM_SLIP: named.reset(CFormFactory::AllocSlipData(type)); break;
    case FROM_TAXWIZARD: named.reset(CFormFactory::NewWizData(type)); break;
    case FROM_NOTE: named.reset(CFormFactory::AllocNoteData()); break;
    }
    QVERIFY(named);
    QCOMPARE(QString::fromLatin1(named->metaObject()->className()), className);
}

void TestFormClasses::factoryCoversEveryFederalNumber()
{
    // The federal numbers the return model may ask for, and no other.
    const std::set<int> federal = {
        1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 17, 18, 20, 21, 23, 28, 29, 30, 31, 32, 35, 37, 38, 39,
        40, 49, 51, 52, 53, 55, 57, 59, 89, 92, 93, 96, 97, 101, 102, 103, 105, 107, 113, 116, 117, 118, 119,
        124, 125, 131, 133, 136, 137, 138, 139, 145, 147, 148, 149, 150, 151, 157, 159, 160, 165, 166, 171,
        173, 174, 179, 181, 184, 185, 186, 193, 198, 199, 205, 207, 209, 210};
    QCOMPARE(int(federal.size()), 85);
    for (int type = -1; type <= 260; ++type) {
        std::unique_ptr<CTaxData_Form> form(CFormFactory::AllocFedFormData(type));
        QVERIFY2(bool(form) == (federal.count(type) == 1), qPrintable(QString::number(type)));
    }
    QCOMPARE(int(CFormFactory::slipRows().size()), 23);
    QCOMPARE(int(CFormFactory::wizardRows().size()), 5);
}

void TestFormClasses::realFormPagesShowLinesAndStoreEdits_data()
{
    QTest::addColumn<ENUMTYPE_FROM>("kind");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("computedField");

    // T1 lines the user types (amounts no slip or form fills).
    QTest::newRow("T1 support received") << FROM_FORM << 1 << "line12800SupportReceived" << "12800"
                                         << "line15000TotalIncome";
    QTest::newRow("T1 carrying charges") << FROM_FORM << 1 << "line22100CarryingCharges" << "22100"
                                         << "line26000TaxableIncome";
    QTest::newRow("T1 instalments") << FROM_FORM << 1 << "InstalmentsPaid" << "47600" << "line48400Refund";
    QTest::newRow("T4 box 14") << FROM_SLIP << 1 << "box14EmploymentIncome" << "14" << "";
    QTest::newRow("T4 box 22") << FROM_SLIP << 1 << "box22IncomeTaxDeducted" << "22" << "";
}

void TestFormClasses::realFormPagesShowLinesAndStoreEdits()
{
    QFETCH(ENUMTYPE_FROM, kind);
    QFETCH(int, type);
    QFETCH(QString, field);
    QFETCH(QString, line);
    QFETCH(QString, computedField);

    auto form = make(kind, type);
    QWidget parent;
    std::list<BaseTaxPage*> pages;
    QVERIFY(form->CreatePages(pages, &parent) >= 1);
    for (BaseTaxPage* page : pages)
        QVERIFY(!page->getTitle().isEmpty());

    auto* lineLabel = findOnPages<QLabel>(pages, "line_" + field);
    QVERIFY(lineLabel);
    QCOMPARE(lineLabel->text(), line);
    auto* label = findOnPages<QLabel>(pages, "label_" + field);
    QVERIFY(label);
    QCOMPARE(label->text(), form->findField(field)->label());

    BaseTaxPage* page = nullptr;
    auto* editor = findOnPages<QLineEdit>(pages, "fld_" + field, &page);
    QVERIFY(editor);
    QVERIFY(!editor->isReadOnly());
    qRegisterMetaType<CField*>();
    qRegisterMetaType<CTaxData_Form*>();
    QSignalSpy spy(page, &BaseTaxPage::signalCalc);
    editor->setText("1234.56");
    emit editor->editingFinished();
    auto* amount = static_cast<CFloatField*>(form->findField(field));
    QCOMPARE(amount->m_value, 1234.56);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<CTaxData_Form*>(), form.get());
    QCOMPARE(spy.at(0).at(1).value<CField*>(), static_cast<CField*>(amount));

    // The same text again is no change: nothing is recalculated.
    emit editor->editingFinished();
    QCOMPARE(spy.count(), 1);

    if (!computedField.isEmpty()) {
        auto* computed = findOnPages<QLineEdit>(pages, "fld_" + computedField);
        QVERIFY(computed);
        QVERIFY(computed->isReadOnly());
    }
}

void TestFormClasses::shareDispositionRowsTravelWithSchedule3()
{
    TaxData_Sch3 sch3;
    sch3.AllocateMoreEquityEntries(2);
    QCOMPARE(sch3.equityEntryRows(), 2);
    QCOMPARE(sch3.EquityEntryCount.m_value, 2);
    sch3.equityEntry(1).Identification = CString("ACME common");
    sch3.equityEntry(1).Proceeds = 1500;
    sch3.equityEntry(1).Cost = 1000;
    // Growing never drops rows; a request beyond the bound is capped.
    sch3.AllocateMoreEquityEntries(1);
    QCOMPARE(sch3.equityEntryRows(), 2);

    QByteArray bytes = storeWithSentinel(sch3);
    TaxData_Sch3 loaded;
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    QCOMPARE(loaded.Serialize(kFileVersion, CString(""), in), 0);
    qint32 sentinel = 0;
    in >> sentinel;
    QCOMPARE(sentinel, kSentinel);
    QCOMPARE(loaded.equityEntryRows(), 2);
    QCOMPARE(QString(loaded.equityEntry(1).Identification), QString("ACME common"));
    QVERIFY(!loaded.CompareData(&sch3));

    TaxData_Sch3 copy;
    copy.CopyData(&sch3);
    QVERIFY(!copy.CompareData(&sch3));
    copy.equityEntry(0).Quantity = 10;
    QVERIFY(copy.CompareData(&sch3));

    // The rows count towards the gain.
    sch3.Calculate01();
    QCOMPARE(sch3.line13200SharesGain.m_value, 500.0);
    QCOMPARE(sch3.line19700TaxableGain.m_value, 250.0);
}

void TestFormClasses::t1LineStepsAddUpTheReturn()
{
    TaxData_T1New t1;
    t1.line10100EmploymentIncome.m_value = 50000;
    t1.line12100InterestIncome.m_value = 1000;
    t1.line14500SocialAssistance.m_value = 500;
    t1.line20800RrspDeduction.m_value = 5000;
    t1.line43700TaxDeducted.m_value = 8000;
    t1.Calculate01();

    QCOMPARE(t1.line14700NonTaxableAdded.m_value, 500.0);
    QCOMPARE(t1.line15000TotalIncome.m_value, 51500.0);
    QCOMPARE(t1.line23600NetIncome.m_value, 46500.0);
    // Social assistance is income, then deducted at 25000.
    QCOMPARE(t1.line26000TaxableIncome.m_value, 46000.0);
    QCOMPARE(t1.line40400FederalTaxOnIncome.m_value, 6900.0);  // first bracket, 15%
    // less (basic personal amount 15,705 + Canada employment amount 1,433) x 15 % = 2,570.70
    QCOMPARE(t1.line42000NetFederalTax.m_value, 4329.30);
    QCOMPARE(t1.line48400Refund.m_value, 3670.70);
    QCOMPARE(t1.line48500BalanceOwing.m_value, 0.0);
    QCOMPARE(t1.line48300Balance.m_value, -3670.70);

    // Into the second bracket: 55,867 at 15% and the rest at 20.5%.
    t1.line10100EmploymentIncome.m_value = 60867;
    t1.line12100InterestIncome.m_value = 0;
    t1.line14500SocialAssistance.m_value = 0;
    t1.line20800RrspDeduction.m_value = 0;
    t1.Calculate01();
    QCOMPARE(t1.line40400FederalTaxOnIncome.m_value, 55867 * 0.15 + 5000 * 0.205);
}

void TestFormClasses::slipSharesFollowThePercentage()
{
    TaxData_Slip_T5 t5;
    t5.SharePercent.m_value = 50;
    t5.box13Interest.m_value = 300;
    t5.interestPart4.m_value = 100;
    t5.box25TaxableEligible.m_value = 1380;
    t5.Calculate01();
    QCOMPARE(t5.shareInterest.m_value, 200.0);
    QCOMPARE(t5.shareBox25.m_value, 690.0);

    TaxData_T2125_New commission(131);
    QVERIFY(commission.isCommission());
    TaxData_T2125_New business;
    QVERIFY(!business.isCommission());
    QCOMPARE(business.getType(), 125);
}

// Every box of a T3 with an amount has the share whose id is 2000 more than
// the box's: half of 2 x the box number is the box number.
void TestFormClasses::t3SharesEveryBoxByItsNumber()
{
    const int boxes[] = {21, 22, 23, 24, 25, 26, 30, 31, 32, 33, 34, 35, 37, 38, 39, 49, 50, 51};
    TaxData_Slip_T3 t3;
    t3.SharePercent.m_value = 50;
    for (int box : boxes) {
        auto* issued = dynamic_cast<CFloatField*>(t3.findFieldById(box));
        QVERIFY2(issued, qPrintable(QString::number(box)));
        issued->m_value = 2.0 * box;
    }
    t3.Calculate01();
    for (int box : boxes) {
        auto* share = dynamic_cast<CFloatField*>(t3.findFieldById(2000 + box));
        QVERIFY2(share, qPrintable(QString::number(box)));
        QCOMPARE(share->m_value, double(box));
    }
}

// Dependant d's amount a (from 0) is the line numbered 400 + 10 (d + 1) +
// a + 1, as the return file and the interview data number it; an entry or
// amount beyond the table is its last one, below it its first.
void TestFormClasses::dependantMedicalAmountsAreTheNumberedLines()
{
    TaxData_T1New t1;
    for (int d = 0; d < TaxData_T1New::kDependants; ++d)
        for (int a = 0; a < TaxData_T1New::kDependantMedicalAmounts; ++a)
            QCOMPARE(static_cast<CField*>(&t1.dependantMedical(d, a)), t1.findFieldById(400 + 10 * (d + 1) + a + 1));
    QCOMPARE(&t1.dependantMedical(12, 5), &t1.MedicalDependant12_5);
    QCOMPARE(&t1.dependantMedical(-1, -1), &t1.MedicalDependant1_1);

    // The interview keeps the same amounts in its fields "Dep<n>_<a>".
    CWizData_MedExp medical;
    for (int d = 0; d < CWizData_MedExp::kDependants; ++d)
        for (int a = 0; a < TaxData_T1New::kDependantMedicalAmounts; ++a)
            QCOMPARE(static_cast<CField*>(&medical.dependantAmount(d, a)),
                     medical.findField(QStringLiteral("Dep%1_%2").arg(d + 1).arg(a + 1)));
    QCOMPARE(&medical.dependantAmount(12, 5), &medical.Dep12_5);
    QCOMPARE(&medical.dependantAmount(-1, -1), &medical.Dep1_1);

    // The dependant interview's entries: each item is its named field.
    CWizData_Dependant dependants;
    for (int e = 0; e < CWizData_Dependant::kEntries; ++e) {
        const auto named = [&](const char* name) { return dependants.findField(QString::fromLatin1(name) + QString::number(e + 1)); };
        QCOMPARE(static_cast<CField*>(&dependants.firstName(e)), named("FirstName"));
        QCOMPARE(static_cast<CField*>(&dependants.lastName(e)), named("LastName"));
        QCOMPARE(static_cast<CField*>(&dependants.code(e)), named("Relationship"));
        QCOMPARE(static_cast<CField*>(&dependants.birthDate(e)), named("BirthDate"));
        QCOMPARE(static_cast<CField*>(&dependants.amount(e)), named("NetIncome"));
        QCOMPARE(static_cast<CField*>(&dependants.secondCode(e)), named("Infirm"));
        QCOMPARE(static_cast<CField*>(&dependants.text1(e)), named("SIN"));
        QCOMPARE(static_cast<CField*>(&dependants.text2(e)), named("Address"));
        QCOMPARE(static_cast<CField*>(&dependants.count(e)), named("Count"));
    }
    QCOMPARE(&dependants.count(12), &dependants.Count12);
    QCOMPARE(&dependants.firstName(-1), &dependants.FirstName1);
}

// The spouse block is the fields numbered 120 to 136: each goes back to its
// start value, and every other field keeps what it holds.
void TestFormClasses::clearingTheSpouseTakesTheSpouseBlockOnly()
{
    TaxData_T1New filled, fresh;
    filled.InitPrintTestData();
    TaxData_T1New t1;
    t1.CopyData(&filled);
    t1.clearSpouseInfo();
    int cleared = 0;
    for (size_t i = 0; i < t1.fieldList().size(); ++i) {
        const CField* field = t1.fieldList()[i];
        const bool spouse = field->id() >= 120 && field->id() <= 136;
        const CField* expected = (spouse ? fresh : filled).fieldList()[i];
        QVERIFY2(field->equals(*expected), qPrintable(field->name()));
        if (spouse && !field->equals(*filled.fieldList()[i]))
            ++cleared;
    }
    QCOMPARE(cleared, 17);
}

void TestFormClasses::lastYearsReturnKeepsIdentityNotAmounts()
{
    TaxData_T1New t1;
    t1.FirstName.m_value = "Anne";
    t1.SIN.m_value = "046454286";
    t1.BirthDate.m_value = QDate(1980, 5, 17);
    t1.line10100EmploymentIncome.m_value = 50000;
    t1.InstalmentsPaid.m_value = 1200;
    t1.KeepData(0);
    QCOMPARE(QString(t1.FirstName.m_value), QString("Anne"));
    QCOMPARE(QString(t1.SIN.m_value), QString("046454286"));
    QCOMPARE(t1.BirthDate.m_value, QDate(1980, 5, 17));
    QCOMPARE(t1.line10100EmploymentIncome.m_value, 0.0);
    QCOMPARE(t1.InstalmentsPaid.m_value, 0.0);

    TaxData_Slip_T4 t4;
    t4.EmployerName.m_value = "Acme";
    t4.box14EmploymentIncome.m_value = 30000;
    t4.KeepData(0);
    QCOMPARE(QString(t4.EmployerName.m_value), QString("Acme"));
    QCOMPARE(t4.box14EmploymentIncome.m_value, 0.0);
}

void TestFormClasses::t1ValidatesItsIdentity_data()
{
    QTest::addColumn<QString>("sin");
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<int>("province");
    QTest::addColumn<QString>("spouseSin");
    QTest::addColumn<int>("messages");

    QTest::newRow("complete") << "046 454 286" << "Anne" << 9 << "" << 0;
    QTest::newRow("check digit wrong") << "046454287" << "Anne" << 9 << "" << 1;
    QTest::newRow("blank name") << "046454286" << "  " << 9 << "" << 1;
    QTest::newRow("no province") << "046454286" << "Anne" << 0 << "" << 1;
    QTest::newRow("spouse S.I.N. wrong") << "046454286" << "Anne" << 9 << "123456789" << 1;
    QTest::newRow("spouse S.I.N. valid") << "046454286" << "Anne" << 9 << "046454286" << 0;
}

void TestFormClasses::t1ValidatesItsIdentity()
{
    QFETCH(QString, sin);
    QFETCH(QString, firstName);
    QFETCH(int, province);
    QFETCH(QString, spouseSin);
    QFETCH(int, messages);

    TaxData_T1New t1;
    t1.FirstName.m_value = firstName;
    t1.LastName.m_value = "Tremblay";
    t1.SIN.m_value = sin;
    t1.BirthDate.m_value = QDate(1980, 5, 17);
    t1.ProvinceOfResidence.m_value = province;
    t1.MaritalStatus.m_value = 0;
    t1.SpouseSIN.m_value = spouseSin;
    // The rest of what the agency asks of every T1.
    t1.AddressLine1.m_value = "100 Wellington St";
    t1.City.m_value = "Ottawa";
    t1.MailingProvince.m_value = 9;
    t1.PostalCode.m_value = "K1A 0A6";
    t1.FirstTimeFilerAnswer.m_value = choices::kNo;
    t1.CitizenshipAnswer.m_value = choices::kYes;
    t1.ElectionsCanadaAnswer.m_value = choices::kYes;
    t1.ForeignPropertyAnswer.m_value = choices::kNo;
    std::list<CString> found;
    QCOMPARE(t1.Validate(2, found), messages > 0);
    QCOMPARE(int(found.size()), messages);
}

namespace {

// A single person's T1 with everything the agency asks of it.
void completeT1(TaxData_T1New& t1)
{
    t1.FirstName.m_value = "Anne";
    t1.LastName.m_value = "Tremblay";
    t1.SIN.m_value = "046 454 286";
    t1.BirthDate.m_value = QDate(1980, 5, 17);
    t1.ProvinceOfResidence.m_value = 3;
    t1.MaritalStatus.m_value = 4;
    t1.AddressLine1.m_value = "12 Main St";
    t1.City.m_value = "Brandon";
    t1.MailingProvince.m_value = 3;
    t1.PostalCode.m_value = "R7A 1A1";
    t1.FirstTimeFilerAnswer.m_value = choices::kNo;
    t1.CitizenshipAnswer.m_value = choices::kYes;
    t1.ElectionsCanadaAnswer.m_value = choices::kNo;
    t1.ForeignPropertyAnswer.m_value = choices::kNo;
}

using T1Change = std::function<void(TaxData_T1New&)>;

} // namespace

Q_DECLARE_METATYPE(T1Change)

void TestFormClasses::t1AsksWhatTheAgencyNeeds_data()
{
    QTest::addColumn<T1Change>("change");
    QTest::addColumn<QStringList>("messages");
    const QString name = "T1, Identification page, First name and Last name: enter the person's first and last name.";
    const QString street =
        "T1, Identification page, Mailing address: enter the street address or P.O. box the agency writes to.";
    const QString city = "T1, Identification page, City: enter the city of the mailing address.";
    const QString province =
        "T1, Identification page, Province or territory: choose the province or territory of the mailing address.";
    const QString postal =
        "T1, Identification page, Postal code: enter the postal code of the mailing address in the form A9A 9A9.";
    const QString country = "T1, Identification page, Country: enter the country of the mailing address outside Canada.";
    const QString citizen = "T1, Questions and filing page, Canadian citizen: answer Yes or No.";
    const QString elections = "T1, Questions and filing page, Authorize Elections Canada: answer Yes or No.";
    const QString foreign = "T1, Questions and filing page, Foreign property cost more than CAN$100,000: answer Yes "
                            "or No (form T1135 when Yes).";

    QTest::newRow("complete") << T1Change([](TaxData_T1New&) {}) << QStringList();
    QTest::newRow("no last name") << T1Change([](TaxData_T1New& t) { t.LastName.m_value = " "; })
                                  << QStringList{name};
    QTest::newRow("no date of birth") << T1Change([](TaxData_T1New& t) { t.BirthDate.m_value = QDate(); })
                                      << QStringList{"T1, Identification page, Date of birth: enter the date of birth."};
    QTest::newRow("no mailing address") << T1Change([](TaxData_T1New& t) {
        t.AddressLine1.m_value = "";
        t.City.m_value = "";
        t.MailingProvince.m_value = 0;
        t.PostalCode.m_value = "";
    }) << QStringList{street, city, province, postal};
    QTest::newRow("rural route instead of a street")
        << T1Change([](TaxData_T1New& t) {
               t.AddressLine1.m_value = "";
               t.RuralRoute.m_value = "2";
           })
        << QStringList();
    QTest::newRow("postal code without the blank, small letters")
        << T1Change([](TaxData_T1New& t) { t.PostalCode.m_value = "r7a1a1"; }) << QStringList();
    QTest::newRow("postal code cut short") << T1Change([](TaxData_T1New& t) { t.PostalCode.m_value = "R7A 1A"; })
                                           << QStringList{postal};
    QTest::newRow("zip code in Canada") << T1Change([](TaxData_T1New& t) { t.PostalCode.m_value = "90210"; })
                                        << QStringList{postal};
    QTest::newRow("address in the United States")
        << T1Change([](TaxData_T1New& t) {
               t.ForeignMailingAddress.m_value = 1;
               t.MailingProvince.m_value = 0;
               t.Country.m_value = "USA";
               t.State.m_value = "CA";
               t.PostalCode.m_value = "90210";
           })
        << QStringList();
    QTest::newRow("foreign address without a country")
        << T1Change([](TaxData_T1New& t) {
               t.ForeignMailingAddress.m_value = 1;
               t.MailingProvince.m_value = 0;
               t.PostalCode.m_value = "";
           })
        << QStringList{country};
    QTest::newRow("first return unanswered")
        << T1Change([](TaxData_T1New& t) { t.FirstTimeFilerAnswer.m_value = choices::kNotAnswered; })
        << QStringList{"T1, Identification page, First return filed with the agency: answer Yes or No."};
    QTest::newRow("citizenship unanswered")
        << T1Change([](TaxData_T1New& t) { t.CitizenshipAnswer.m_value = choices::kNotAnswered; })
        << QStringList{citizen};
    QTest::newRow("Elections Canada unanswered by a citizen")
        << T1Change([](TaxData_T1New& t) { t.ElectionsCanadaAnswer.m_value = choices::kNotAnswered; })
        << QStringList{elections};
    // The agency asks about Elections Canada only of a citizen.
    QTest::newRow("Elections Canada unanswered by a non-citizen")
        << T1Change([](TaxData_T1New& t) {
               t.CitizenshipAnswer.m_value = choices::kNo;
               t.ElectionsCanadaAnswer.m_value = choices::kNotAnswered;
           })
        << QStringList();
    QTest::newRow("foreign property unanswered")
        << T1Change([](TaxData_T1New& t) { t.ForeignPropertyAnswer.m_value = choices::kNotAnswered; })
        << QStringList{foreign};
}

void TestFormClasses::t1AsksWhatTheAgencyNeeds()
{
    QFETCH(T1Change, change);
    QFETCH(QStringList, messages);
    TaxData_T1New t1;
    completeT1(t1);
    change(t1);
    std::list<CString> found;
    QCOMPARE(t1.Validate(2, found), !messages.isEmpty());
    QStringList texts;
    for (const CString& text : found)
        texts << text;
    QCOMPARE(texts, messages);
}

QTEST_MAIN(TestFormClasses)
#include "tst_formclasses.moc"
