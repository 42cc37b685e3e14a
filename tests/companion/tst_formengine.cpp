#include <QtTest>

#include <cstring>
#include <memory>

#include "companion/forms/cwsbasedata.h"
#include "companion/forms/mydatastream.h"
#include "sampleforms.h"

namespace {

constexpr unsigned kFileVersion = 66098;
constexpr qint32 kSentinel = 0x5EA1ED;

// A later edition of SampleEmploymentForm: field 4 is gone, field 99 is new.
class SampleEmploymentFormLater : public CTaxData_Form
{
public:
    SampleEmploymentFormLater() : CTaxData_Form(FROM_FORM, SampleEmploymentForm::kType) {}
    CStringField employerName{this, 1, "employerName", "", "Employer"};
    CFloatField line10100Employment{this, 5, "line10100Employment", "10100", "Employment income"};
    CStringField newRemark{this, 99, "newRemark", "", "Remark"};
    // Same id as an int field of the older edition, now of another kind.
    CStringField line10400AsText{this, 6, "line10400AsText", "", "Now text"};
};

std::unique_ptr<CTaxData_Form> makeSample(const QString& which)
{
    if (which == QLatin1String("slip")) {
        auto slip = std::make_unique<SampleSlipWithList>();
        slip->extraAmounts = {1.5, -2.25, 1e6};
        return slip;
    }
    return std::make_unique<SampleEmploymentForm>();
}

// The object's bytes followed by a sentinel, as the next item of a file would be.
QByteArray storeWithSentinel(CTaxData_Form& form)
{
    QByteArray bytes;
    MyDataStream out(&bytes, QIODevice::WriteOnly);
    const int rc = form.Serialize(kFileVersion, CString("5182zed64093371"), out);
    out << kSentinel;
    if (rc != 0)
        qWarning("store failed %d", rc);
    return bytes;
}

int load(CTaxData_Form& form, QByteArray& bytes, MyDataStream& in, unsigned version = kFileVersion)
{
    Q_UNUSED(bytes);
    return form.Serialize(version, CString("5182zed64093371"), in);
}

// Builds an object's bytes by hand: payload header, then the given entries.
struct Entry {
    quint16 id;
    quint8 kind;
    QByteArray value;
};

QByteArray handMadeObject(const QList<Entry>& entries, quint16 format = 1)
{
    QByteArray payload;
    {
        MyDataStream p(&payload, QIODevice::WriteOnly);
        p << format << quint16(1);
        for (const Entry& e : entries) {
            p << e.id << e.kind << quint32(e.value.size());
            p.writeRawData(e.value.constData(), e.value.size());
        }
    }
    QByteArray bytes;
    MyDataStream out(&bytes, QIODevice::WriteOnly);
    out << quint32(payload.size());
    out.writeRawData(payload.constData(), payload.size());
    out << kSentinel;
    return bytes;
}

template <typename T>
QByteArray valueBytes(T v)
{
    QByteArray b;
    MyDataStream s(&b, QIODevice::WriteOnly);
    s << v;
    return b;
}

bool allAtStart(const CTaxData_Form& form)
{
    SampleEmploymentForm fresh;
    return !form.CompareData(&fresh);
}

}  // namespace

class TestFormEngine : public QObject
{
    Q_OBJECT
private slots:
    void fieldTableIsSound();
    void duplicateIdIsReported();
    void roundTripConsumesExactlyWhatWasWritten_data();
    void roundTripConsumesExactlyWhatWasWritten();
    void copyThenCompare_data();
    void copyThenCompare();
    void unknownAndMissingFields();
    void truncatedPayloadFailsCleanly_data();
    void truncatedPayloadFailsCleanly();
    void oversizedLengthIsRefused_data();
    void oversizedLengthIsRefused();
    void malformedEntryStaysInsideItsObject();
    void newerFormatIsRefusedInStep();
    void unreadableValueKeepsStartValue();
    void readSetsOnlyWhatItsEntriesSet();
    void textBoundFollowsFileVersion();
    void resetClearsComputedOnly();
    void resetFollowsComputedMarksChangedLater();
    void testDataFillsEveryField();
    void nextYearKeepsCarryForward();
    void captionAndCalculate();
    void assignmentCopiesValuesAndState();
    void recordWithNamedFields();
    void lookupByNameAnswersTheNameAsked();
    void standaloneConstructors();
    void fieldTextForms_data();
    void fieldTextForms();
};

void TestFormEngine::fieldTableIsSound()
{
    SampleEmploymentForm form;
    QString problem;
    QVERIFY2(form.checkFieldTable(&problem), qPrintable(problem));
    QCOMPARE(int(form.fieldList().size()), 12);
    // Declaration order is table order; sections carry over to later fields.
    QCOMPARE(form.fieldList().front(), static_cast<CField*>(&form.employerName));
    QCOMPARE(form.line10400Other.section(), QStringLiteral("Income"));
    QCOMPARE(form.findField("line21200UnionDues"), static_cast<CField*>(&form.line21200UnionDues));
    QCOMPARE(form.findFieldById(11), static_cast<CField*>(&form.unusedCarryForward));
    QCOMPARE(form.monthsWorked.m_value, 12);
}

void TestFormEngine::duplicateIdIsReported()
{
    struct Bad : CTaxData_Form {
        Bad() : CTaxData_Form(FROM_FORM, 1) {}
        CIntField a{this, 3, "a", "", "A"};
        CIntField b{this, 3, "b", "", "B"};
    } bad;
    QString problem;
    QVERIFY(!bad.checkFieldTable(&problem));
    QVERIFY(problem.contains(QLatin1String("reuses id 3")));
}

void TestFormEngine::roundTripConsumesExactlyWhatWasWritten_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<bool>("filled");
    QTest::newRow("form, start values") << "form" << false;
    QTest::newRow("form, test data") << "form" << true;
    QTest::newRow("slip with extra list") << "slip" << true;
}

void TestFormEngine::roundTripConsumesExactlyWhatWasWritten()
{
    QFETCH(QString, which);
    QFETCH(bool, filled);
    auto original = makeSample(which);
    if (filled)
        original->InitPrintTestData();
    QByteArray bytes = storeWithSentinel(*original);

    auto copy = makeSample(which);
    copy->ClearAllData();
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    QCOMPARE(load(*copy, bytes, in), 0);
    qint32 next = 0;
    in >> next;
    QCOMPARE(next, kSentinel);
    QVERIFY(in.atEnd());
    QCOMPARE(in.status(), QDataStream::Ok);
    QVERIFY(!copy->CompareData(original.get()));
    QVERIFY(!original->CompareData(copy.get()));
}

void TestFormEngine::copyThenCompare_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("newText");
    QTest::newRow("text") << "employerName" << "Acme Ltd.";
    QTest::newRow("date") << "startDate" << "2024-03-01";
    QTest::newRow("bool") << "unionMember" << "0";
    QTest::newRow("int") << "monthsWorked" << "7";
    QTest::newRow("amount") << "line10100Employment" << "1.01";
    QTest::newRow("computed amount") << "line15000TotalIncome" << "5";
    QTest::newRow("hidden int") << "internalState" << "2";
}

void TestFormEngine::copyThenCompare()
{
    QFETCH(QString, field);
    QFETCH(QString, newText);
    SampleEmploymentForm a;
    a.InitPrintTestData();
    SampleEmploymentForm b;
    b.CopyData(&a);
    QVERIFY(!b.CompareData(&a));
    CField* f = b.findField(field);
    QVERIFY(f);
    QVERIFY(f->setText(newText));
    QVERIFY(b.CompareData(&a));
    QVERIFY(a.CompareData(&b));
}

void TestFormEngine::unknownAndMissingFields()
{
    SampleEmploymentFormLater later;
    later.employerName.m_value = "Later Inc.";
    later.line10100Employment.m_value = 4321.5;
    later.newRemark.m_value = "only the later edition knows me";
    later.line10400AsText.m_value = "not a number";
    QByteArray bytes = storeWithSentinel(later);

    SampleEmploymentForm older;
    older.monthsWorked.m_value = 3;
    older.line10400Other.m_value = 99;
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    QCOMPARE(load(older, bytes, in), 0);
    QCOMPARE(older.employerName.m_value, CString("Later Inc."));
    QCOMPARE(older.line10100Employment.m_value, 4321.5);
    // Missing field: back to its start value, not left as it was.
    QCOMPARE(older.monthsWorked.m_value, 12);
    // Same id, other kind: skipped, start value.
    QCOMPARE(older.line10400Other.m_value, 0.0);
    qint32 next = 0;
    in >> next;
    QCOMPARE(next, kSentinel);
    QCOMPARE(in.status(), QDataStream::Ok);
}

void TestFormEngine::truncatedPayloadFailsCleanly_data()
{
    QTest::addColumn<int>("keep");
    SampleEmploymentForm form;
    form.InitPrintTestData();
    const int objectSize = storeWithSentinel(form).size() - 4;
    QTest::newRow("nothing") << 0;
    QTest::newRow("half the length") << 2;
    QTest::newRow("length only") << 4;
    QTest::newRow("inside the header") << 6;
    QTest::newRow("inside an entry header") << 12;
    QTest::newRow("middle") << objectSize / 2;
    QTest::newRow("one byte short") << objectSize - 1;
}

void TestFormEngine::truncatedPayloadFailsCleanly()
{
    QFETCH(int, keep);
    SampleEmploymentForm form;
    form.InitPrintTestData();
    QByteArray bytes = storeWithSentinel(form).left(keep);

    SampleEmploymentForm target;
    target.InitPrintTestData();
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    const int rc = load(target, bytes, in);
    QVERIFY(rc < 0);
    QVERIFY(in.status() != QDataStream::Ok);
    QVERIFY(allAtStart(target));
}

void TestFormEngine::oversizedLengthIsRefused_data()
{
    QTest::addColumn<quint32>("length");
    QTest::addColumn<int>("expected");
    QTest::newRow("4 GiB") << quint32(0xFFFFFFF0u) << int(CFieldOwner::SerialLengthRefused);
    QTest::newRow("just above the bound") << quint32(CFieldOwner::kMaxObjectBytes + 1)
                                          << int(CFieldOwner::SerialLengthRefused);
    QTest::newRow("below a header") << quint32(3) << int(CFieldOwner::SerialLengthRefused);
    QTest::newRow("within the bound, data missing") << quint32(CFieldOwner::kMaxObjectBytes)
                                                    << int(CFieldOwner::SerialStreamFailed);
}

void TestFormEngine::oversizedLengthIsRefused()
{
    QFETCH(quint32, length);
    QFETCH(int, expected);
    QByteArray bytes;
    {
        MyDataStream out(&bytes, QIODevice::WriteOnly);
        out << length << quint16(1) << quint16(1) << kSentinel << kSentinel;
    }
    SampleEmploymentForm target;
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    QCOMPARE(load(target, bytes, in), expected);
    QVERIFY(in.status() != QDataStream::Ok);
    QVERIFY(allAtStart(target));
}

void TestFormEngine::malformedEntryStaysInsideItsObject()
{
    // The second entry claims more bytes than the payload holds.
    QByteArray bytes = handMadeObject({{1, quint8(FieldKind::String), QByteArray("Name")},
                                       {5, quint8(FieldKind::Float), QByteArray(8, '\0')}});
    // Patch entry 2's size (after length 4 + header 4 + entry 1 (7 + 4) + id 2 + kind 1).
    const int sizeAt = 4 + 4 + 7 + 4 + 3;
    QByteArray big = valueBytes(quint32(1000));
    bytes.replace(sizeAt, 4, big);

    SampleEmploymentForm target;
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    QCOMPARE(load(target, bytes, in), int(CFieldOwner::SerialPayloadMalformed));
    QCOMPARE(in.status(), QDataStream::ReadCorruptData);
    // The object's bytes were consumed, not one byte of what follows.
    QCOMPARE(in.device()->pos(), qint64(bytes.size() - 4));
    QVERIFY(allAtStart(target));
}

void TestFormEngine::newerFormatIsRefusedInStep()
{
    QByteArray bytes = handMadeObject({{1, quint8(FieldKind::String), QByteArray("Name")}}, 2);
    SampleEmploymentForm target;
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    QCOMPARE(load(target, bytes, in), int(CFieldOwner::SerialNewerFormat));
    QCOMPARE(in.device()->pos(), qint64(bytes.size() - 4));
    QVERIFY(allAtStart(target));
}

void TestFormEngine::unreadableValueKeepsStartValue()
{
    // An amount of 4 bytes and a non-finite amount are not values; the
    // entries after them still read.
    QByteArray bytes = handMadeObject({{5, quint8(FieldKind::Float), QByteArray(4, '\1')},
                                       {6, quint8(FieldKind::Float), valueBytes(qInf())},
                                       {4, quint8(FieldKind::Int), valueBytes(qint32(5))}});
    SampleEmploymentForm target;
    target.line10100Employment.m_value = 7;
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    QCOMPARE(load(target, bytes, in), 0);
    QCOMPARE(target.line10100Employment.m_value, 0.0);
    QCOMPARE(target.line10400Other.m_value, 0.0);
    QCOMPARE(target.monthsWorked.m_value, 5);
    qint32 next = 0;
    in >> next;
    QCOMPARE(next, kSentinel);
}

void TestFormEngine::readSetsOnlyWhatItsEntriesSet()
{
    // Read into an object whose every field holds a value of its own: each
    // field ends at its start value unless an entry of its kind sets it; of
    // two entries for one field the later counts, one of another kind or
    // whose bytes make no value does not (an unreadable value puts the
    // field back to its start value), and an unknown id changes nothing.
    QByteArray bytes = handMadeObject({{1, quint8(FieldKind::Int), valueBytes(qint32(5))},     // text field: other kind
                                       {7, quint8(FieldKind::Float), valueBytes(70.0)},        // passes 2 to 6
                                       {5, quint8(FieldKind::Float), valueBytes(50.0)},        // back to an earlier field
                                       {7, quint8(FieldKind::Int), valueBytes(qint32(3))},     // other kind: 70 stays
                                       {77, quint8(FieldKind::Float), valueBytes(1.0)},        // no such field
                                       {12, quint8(FieldKind::Int), valueBytes(qint32(1))},    // passes 8 to 11
                                       {6, quint8(FieldKind::Float), valueBytes(60.0)},
                                       {6, quint8(FieldKind::Float), QByteArray(4, '\1')},     // no value: start again
                                       {3, quint8(FieldKind::Bool), valueBytes(qint32(1))},
                                       {3, quint8(FieldKind::Bool), valueBytes(qint32(0))}}); // the later counts
    SampleEmploymentForm target;
    target.fillFieldsWithTestData();
    SampleEmploymentForm fresh;
    for (size_t i = 0; i < target.fieldList().size(); ++i)
        QVERIFY2(!target.fieldList()[i]->equals(*fresh.fieldList()[i]), qPrintable(target.fieldList()[i]->name()));

    MyDataStream in(&bytes, QIODevice::ReadOnly);
    QCOMPARE(load(target, bytes, in), 0);
    SampleEmploymentForm expected;
    expected.line10100Employment.m_value = 50.0;
    expected.line21200UnionDues.m_value = 70.0;
    expected.internalState.m_value = 1;
    for (size_t i = 0; i < target.fieldList().size(); ++i)
        QVERIFY2(target.fieldList()[i]->equals(*expected.fieldList()[i]), qPrintable(target.fieldList()[i]->name()));
    qint32 next = 0;
    in >> next;
    QCOMPARE(next, kSentinel);
}

void TestFormEngine::textBoundFollowsFileVersion()
{
    CStringField::setLargeSizeSerializeOption(65942, 512);
    SampleEmploymentForm form;
    form.employerName.m_value = CString(QString(2000, QLatin1Char('x')));
    form.line10100Employment.m_value = 10;
    QByteArray bytes = storeWithSentinel(form);

    SampleEmploymentForm oldFile;
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    QCOMPARE(load(oldFile, bytes, in, 65900), 0);
    QVERIFY(oldFile.employerName.m_value.isEmpty());
    QCOMPARE(oldFile.line10100Employment.m_value, 10.0);

    SampleEmploymentForm newFile;
    MyDataStream in2(&bytes, QIODevice::ReadOnly);
    QCOMPARE(load(newFile, bytes, in2, 66098), 0);
    QCOMPARE(newFile.employerName.m_value.size(), 2000);
    CStringField::setLargeSizeSerializeOption(0, 512);
}

void TestFormEngine::resetClearsComputedOnly()
{
    SampleEmploymentForm form;
    form.InitPrintTestData();
    const double entered = form.line10100Employment.m_value;
    form.ResetData();
    QCOMPARE(form.line15000TotalIncome.m_value, 0.0);
    QCOMPARE(form.netAfterDues.m_value, 0.0);
    QCOMPARE(form.line10100Employment.m_value, entered);
    form.ClearAllData();
    QVERIFY(allAtStart(form));
    QCOMPARE(form.monthsWorked.m_value, 12);
}

// Whether a field is computed may change after the first reset (a page
// that takes typing on a computed line, a test that unmarks one): the next
// reset clears what is computed then, and nothing else.
void TestFormEngine::resetFollowsComputedMarksChangedLater()
{
    SampleEmploymentForm form;
    form.ResetData();
    form.line15000TotalIncome.m_value = 500;
    form.line10100Employment.m_value = 700;
    form.line10400Other.m_value = 300;
    form.line15000TotalIncome.setFlags(form.line15000TotalIncome.flags() & ~unsigned(FieldComputed));
    form.line10100Employment.setFlags(form.line10100Employment.flags() | FieldComputed);
    form.ResetData();
    QCOMPARE(form.line15000TotalIncome.m_value, 500.0);
    QCOMPARE(form.line10100Employment.m_value, 0.0);
    QCOMPARE(form.line10400Other.m_value, 300.0);
    // A computed field of any kind goes back to its own start value.
    form.employerName.m_value = "Acme";
    form.monthsWorked.m_value = 3;
    form.employerName.setFlags(form.employerName.flags() | FieldComputed);
    form.monthsWorked.setFlags(form.monthsWorked.flags() | FieldComputed);
    form.ResetData();
    QCOMPARE(QString(form.employerName.m_value), QString());
    QCOMPARE(form.monthsWorked.m_value, 12);
    QCOMPARE(form.line10400Other.m_value, 300.0);
}

void TestFormEngine::testDataFillsEveryField()
{
    SampleEmploymentForm form;
    form.InitPrintTestData();
    SampleEmploymentForm fresh;
    for (size_t i = 0; i < form.fieldList().size(); ++i) {
        const CField* f = form.fieldList()[i];
        QVERIFY2(!f->isBlank(), qPrintable(f->name()));
        QVERIFY2(!f->equals(*fresh.fieldList()[i]), qPrintable(f->name()));
    }
    SampleEmploymentForm again;
    again.InitPrintTestData();
    QVERIFY(!again.CompareData(&form));
}

void TestFormEngine::nextYearKeepsCarryForward()
{
    SampleEmploymentForm form;
    form.InitPrintTestData();
    const double carried = form.unusedCarryForward.m_value;
    QVERIFY(form.ConvertToNextYear(2, 9, SampleEmploymentForm::kType));
    form.KeepData(1);
    QCOMPARE(form.line10100Employment.m_value, 500.25);
    form.KeepData(0);
    QCOMPARE(form.unusedCarryForward.m_value, carried);
    QCOMPARE(form.line10100Employment.m_value, 0.0);
    QVERIFY(form.employerName.m_value.isEmpty());
}

void TestFormEngine::captionAndCalculate()
{
    SampleEmploymentForm form;
    CString caption("stale");
    form.GetCaption(caption);
    QVERIFY(caption.isEmpty());
    form.employerName.m_value = "  Acme  ";
    form.GetCaption(caption);
    QCOMPARE(caption, CString("Acme"));

    form.line10100Employment.m_value = 1000;
    form.line10400Other.m_value = 250.5;
    form.line21200UnionDues.m_value = 100;
    form.unionMember.m_value = 1;
    QCOMPARE(form.Calculate01(), 0);
    QCOMPARE(form.getTotalIncome(), 1250.5);
    QCOMPARE(form.netAfterDues.m_value, 1150.5);
    QCOMPARE(form.line10100Employment + 1.0, 1001.0);
}

void TestFormEngine::assignmentCopiesValuesAndState()
{
    SampleEmploymentForm a;
    a.InitPrintTestData();
    a.setCoupledReturn(true);
    a.setMainTaxProvince(9);
    SampleEmploymentForm b;
    b = a;
    QVERIFY(!b.CompareData(&a));
    QVERIFY(b.isCoupledReturn());
    QCOMPARE(b.getMainTaxProvince(), 9);
    QCOMPARE(b.m_kind, FROM_FORM);
    QCOMPARE(int(b.m_type), SampleEmploymentForm::kType);
    // Another type never compares equal.
    SampleSlipWithList slip;
    QVERIFY(a.CompareData(&slip));
}

void TestFormEngine::recordWithNamedFields()
{
    struct Record : CWSBaseData {
        CIntField fld_NewTaxProv{0, 0, 0};
        CIntField fld_ChgBoth{0, 0};
        CStringField fld_Name{0, "", 50, 0x10000};
        Record()
        {
            fld_NewTaxProv.setName("fld_NewTaxProv");
            addField(&fld_NewTaxProv);
            fld_ChgBoth.setName("fld_ChgBoth");
            addField(&fld_ChgBoth);
            fld_Name.setName("fld_Name");
            addField(&fld_Name);
        }
    };
    Record r;
    QVERIFY(r.checkFieldTable());
    r.fld_NewTaxProv.m_value = 9;
    r.fld_Name.m_value = "Café";
    QByteArray bytes;
    {
        MyDataStream out(&bytes, QIODevice::WriteOnly);
        QCOMPARE(r.Serialize(out), 0);
    }
    Record back;
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    QCOMPARE(back.Serialize(in, kFileVersion), 0);
    QVERIFY(!back.anyFieldDiffers(r));

    CString text;
    r.writeToString(text);
    QCOMPARE(text, CString("fld_NewTaxProv=9\nfld_ChgBoth=0\nfld_Name=Café\n"));
    Record fromMap;
    fromMap.readFromStringMap({{"fld_ChgBoth", "1"}, {"unknown", "x"}});
    QCOMPARE(fromMap.fld_ChgBoth.m_value, 1);
    QCOMPARE(fromMap.fld_NewTaxProv.m_value, 0);
}

// A lookup by name answers by the characters asked, whatever was asked
// from the same place before, and follows a field renamed since.
void TestFormEngine::lookupByNameAnswersTheNameAsked()
{
    SampleEmploymentForm form;
    char name[] = "employerName";
    QCOMPARE(form.findField(name), static_cast<CField*>(&form.employerName));
    QCOMPARE(form.findField(name), static_cast<CField*>(&form.employerName)); // again, as each pass asks
    std::memcpy(name, "netAfterDues", sizeof name);
    QCOMPARE(form.findField(name), static_cast<CField*>(&form.netAfterDues));
    std::memcpy(name, "netAfterDuex", sizeof name);
    QVERIFY(!form.findField(name));

    QString text = QString::fromLatin1("monthsWorked");
    const QChar* characters = text.constData();
    QCOMPARE(form.findField(text), static_cast<CField*>(&form.monthsWorked));
    const char other[] = "employerName";
    for (int i = 0; i < text.size(); ++i)
        text[i] = QLatin1Char(other[i]);
    QVERIFY(text.constData() == characters); // the same characters' place, other characters
    QCOMPARE(form.findField(text), static_cast<CField*>(&form.employerName));

    QCOMPARE(form.findField("netAfterDues"), static_cast<CField*>(&form.netAfterDues));
    form.netAfterDues.setName(QStringLiteral("incomeAfterDues"));
    QVERIFY(!form.findField("netAfterDues"));
    QCOMPARE(form.findField("incomeAfterDues"), static_cast<CField*>(&form.netAfterDues));
    QCOMPARE(form.findField(QStringLiteral("incomeAfterDues")), static_cast<CField*>(&form.netAfterDues));
}

void TestFormEngine::standaloneConstructors()
{
    CIntField marital(-1, 0);
    QCOMPARE(marital.m_value, -1);
    marital.m_value = 3;
    marital.reset();
    QCOMPARE(marital.m_value, -1);
    CFloatField shown(true, 0.0, 0, true, FIELD_ATTR_NONE, 0, 0x10000);
    QVERIFY(shown.isReadOnly());
    CFloatField edited(0.0, 0);
    QVERIFY(!edited.isReadOnly());
    CStringField name(0, "", 50, 0x10000);
    QCOMPARE(name.maxLength(), 50);
    name.m_value = " \t ";
    QVERIFY(name.IsEmptyIfRemoveBlank());
    name.m_value = " A 1B\t2 ";
    QVERIFY(!name.IsEmptyIfRemoveBlank());
    QCOMPARE(name.RemoveBlanks(), CString("A1B2"));
    QCOMPARE(name.GetTrimedString(), CString("A 1B\t2"));
    CDateField dob(0, 0);
    QVERIFY(!dob.IsValid());
    CBoolField flag(0, 0);
    QVERIFY(!flag.isTicked());
}

void TestFormEngine::fieldTextForms_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("stored");
    QTest::newRow("amount with commas") << "line10100Employment" << "1,234.50" << true << "1234.5";
    QTest::newRow("amount with dollar") << "line10100Employment" << "$12" << true << "12";
    QTest::newRow("amount empty is zero") << "line10100Employment" << "" << true << "0";
    QTest::newRow("amount not a number") << "line10100Employment" << "12abc" << false << "0";
    QTest::newRow("int") << "monthsWorked" << " 7 " << true << "7";
    QTest::newRow("int not a number") << "monthsWorked" << "seven" << false << "12";
    QTest::newRow("bool true") << "unionMember" << "true" << true << "1";
    QTest::newRow("bool junk") << "unionMember" << "maybe" << false << "0";
    QTest::newRow("date") << "startDate" << "2024-02-29" << true << "2024-02-29";
    QTest::newRow("date impossible") << "startDate" << "2023-02-29" << false << "";
    QTest::newRow("text cut to length") << "employerName" << QString(70, QLatin1Char('n')) << true
                                        << QString(60, QLatin1Char('n'));
}

void TestFormEngine::fieldTextForms()
{
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(bool, accepted);
    QFETCH(QString, stored);
    SampleEmploymentForm form;
    CField* f = form.findField(field);
    QVERIFY(f);
    QCOMPARE(f->setText(input), accepted);
    QCOMPARE(f->text(), stored);
}

QTEST_GUILESS_MAIN(TestFormEngine)
#include "tst_formengine.moc"
