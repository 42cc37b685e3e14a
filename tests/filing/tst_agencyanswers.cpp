// Every yes/no answer the agency receives, read back from the electronic
// return (parsed) and from the T1 barcode record (by the record's published
// positions) for a stored yes, no and unanswered question: yes is 1 and no
// is 2 everywhere, and an answer the user did not give is never sent as one.
#include <QtTest>

#include "companion/forms/federal/statements.h"
#include "companion/forms/fieldchoices.h"
#include "efilefixture.h"
#include "filing/barcodestatements.h"
#include "filing/barcodet1record.h"

using namespace efilefixture;

namespace {

constexpr int kManitoba = 3;
constexpr int kNewfoundland = 5;
constexpr int kNorthwestTerritories = 7;
constexpr int kYukon = 13;

using Field = CIntField TaxData_T1New::*;
using Setup = std::function<void(TaxData_T1New&)>;

QByteArray t1Record(const IndividualTaxData& person)
{
    T1ReturnBarcodeFixedData record(CString("097"), CString());
    FillT1BarcodeFixedData(person, record);
    CMemoryBlock block;
    record.OutputToMemoryBlock(block);
    return block.bytes();
}

// One question: where it is kept, where it goes, and what each of the three
// stored answers must give there ("" for an element left out).
struct Item
{
    const char* name;
    int province;
    Field field;
    Setup before; // what makes the question asked
    const char* element;
    const char* xml[3]; // yes, no, not answered
    int position;       // in the 485-character record, from 0
    const char* barcode[3];
};

void nothing(TaxData_T1New&) {}

const Item kItems[] = {
    {"citizenship", kOntario, &TaxData_T1New::CitizenshipAnswer, nothing, "t1:CanadianCitizenshipIndicator",
     {"1", "2", "0"}, 455, {"1", "2", "0"}},
    {"Elections Canada", kOntario, &TaxData_T1New::ElectionsCanadaAnswer,
     [](TaxData_T1New& t) { t.CitizenshipAnswer.m_value = choices::kYes; }, "t1:ElectionsCanadaAuthorizationIndicator",
     {"01", "02", ""}, 456, {"01", "02", "00"}},
    {"rural supplement", kManitoba, &TaxData_T1New::RuralSupplementAnswer, nothing, "tp:CCRRuralSupplementIndicator",
     {"1", "2", ""}, 478, {"1", "2", "0"}},
    {"organ donor", kOntario, &TaxData_T1New::DonorAnswer, nothing, "t1:DonorConsentIndicator", {"1", "2", ""}, 484,
     {"1", "2", "0"}},
    {"home address same as mailing", kOntario, &TaxData_T1New::HomeAddressSameAsMailing, nothing,
     "tp:HomeAddressSameAsMailingAddressIndicator", {"1", "2", ""}, 336, {"1", "2", "0"}},
    {"Cree or Naskapi land", kNewfoundland, &TaxData_T1New::AboriginalLandAnswer5, nothing,
     "tp:AboriginalLandResidenceIndicator", {"1", "2", ""}, 458, {"1", "2", "0"}},
    {"Yukon First Nations land", kYukon, &TaxData_T1New::AboriginalLandAnswer13, nothing,
     "tp:AboriginalLandResidenceIndicator", {"1", "2", ""}, 458, {"1", "2", "0"}},
    {"Yukon First Nation citizen", kYukon, &TaxData_T1New::FirstNationIdAnswer13,
     [](TaxData_T1New& t) { t.AboriginalLandAnswer13.m_value = choices::kYes; },
     "tp:FirstNationIdentificationIndicator", {"1", "2", ""}, 466, {"1", "2", "0"}},
    {"Tlicho lands", kNorthwestTerritories, &TaxData_T1New::TlichoAnswer, nothing, "tp:TlichoLandResidenceIndicator",
     {"1", "2", ""}, 459, {"1", "2", "0"}},
    {"Deline", kNorthwestTerritories, &TaxData_T1New::DelineAnswer, nothing, "tp:DelineLandResidenceIndicator",
     {"1", "2", ""}, 460, {"1", "2", "0"}},
};

const int kStored[3] = {choices::kYes, choices::kNo, choices::kNotAnswered};
const char* const kStoredNames[3] = {"yes", "no", "not answered"};

} // namespace

Q_DECLARE_METATYPE(const Item*)

class TestAgencyAnswers : public QObject
{
    Q_OBJECT
private slots:
    void t1Answers_data();
    void t1Answers();
    void statementAnswers_data();
    void statementAnswers();
};

void TestAgencyAnswers::t1Answers_data()
{
    QTest::addColumn<const Item*>("item");
    QTest::addColumn<int>("answer"); // index into kStored
    for (const Item& item : kItems)
        for (int answer = 0; answer < 3; ++answer)
            QTest::addRow("%s, %s", item.name, kStoredNames[answer]) << &item << answer;
}

void TestAgencyAnswers::t1Answers()
{
    QFETCH(const Item*, item);
    QFETCH(int, answer);
    Taxpayer jean(item->province);
    // The calculation tells each form the province whose rules it follows.
    jean.t1().setMainTaxProvince(item->province);
    item->before(jean.t1());
    (jean.t1().*(item->field)).m_value = kStored[answer];

    const ParsedDocument doc = parse(jean.document(kDirerad));
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    const QString expectedXml = QString::fromLatin1(item->xml[answer]);
    QCOMPARE(doc.count(item->element), expectedXml.isEmpty() ? 0 : 1);
    if (!expectedXml.isEmpty())
        QCOMPARE(doc.text(item->element), expectedXml);

    const QByteArray record = t1Record(jean.person);
    QCOMPARE(record.size(), 485);
    const QByteArray expectedBarcode(item->barcode[answer]);
    QCOMPARE(record.mid(item->position, expectedBarcode.size()), expectedBarcode);
}

void TestAgencyAnswers::statementAnswers_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray codes[3] = {"1", "2", "0"};
    for (int type : {int(FORM_T2042), int(FORM_T2121)})
        for (int answer = 0; answer < 3; ++answer)
            QTest::addRow("%s, %s", type == FORM_T2042 ? "T2042" : "T2121", kStoredNames[answer])
                << type << answer << codes[answer];
}

// The first indicator (character 8 of the statement record) carries the
// statement's own question.
void TestAgencyAnswers::statementAnswers()
{
    QFETCH(int, type);
    QFETCH(int, answer);
    QFETCH(QByteArray, expected);
    Taxpayer jean;
    CMemoryBlock block;
    if (type == FORM_T2042) {
        auto* form = jean.add<TaxData_T2042New>(type);
        QVERIFY(form);
        form->FirstAnswer.m_value = kStored[answer];
        GenerateT2042Barcode(*form, block, 1);
    } else {
        auto* form = jean.add<TaxData_T2121New>(type);
        QVERIFY(form);
        form->FirstAnswer.m_value = kStored[answer];
        GenerateT2121Barcode(*form, block, 1);
    }
    QCOMPARE(block.bytes().mid(8, 1), expected);
}

QTEST_GUILESS_MAIN(TestAgencyAnswers)
#include "tst_agencyanswers.moc"
