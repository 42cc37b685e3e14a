// The e-signature request ids of the T183 and the RC71: stored by code on
// the current person's forms, kept in the return file, and absent (empty)
// in a form written before the field existed.
#include <QtTest>

#include <QTemporaryDir>

#include "companion/forms/federal/mirroring.h"
#include "companion/forms/mydatastream.h"
#include "model/cfamilytaxdata.h"

namespace {

std::unique_ptr<CFamilyTaxData> newFamily(bool withT183, bool withRC71)
{
    auto family = std::make_unique<CFamilyTaxData>(MULTIPROVS_MODE_RESIDENCE);
    NewReturnBasicData data;
    data.FirstName = CString("Ann");
    data.LastName = CString("Lee");
    data.sin = CString("046454286");
    data.TaxPronv = PROV_ON;
    data.MaritalStatus = 5;
    family->NewData(&data);
    if (withT183)
        family->GetFormData(FORM_T183, true);
    if (withRC71)
        family->GetFormData(FORM_RC71, true);
    return family;
}

QString t183Id(CFamilyTaxData& family)
{
    auto* t183 = dynamic_cast<TaxData_T183New*>(family.GetFormData(FORM_T183, false));
    return t183 ? QString(t183->ESignRequestId.m_value) : QStringLiteral("<no T183>");
}

QString rc71Id(CFamilyTaxData& family)
{
    auto* rc71 = dynamic_cast<CTaxData_RC71*>(family.GetFormData(FORM_RC71, false));
    return rc71 ? QString(rc71->ESignRequestId.m_value) : QStringLiteral("<no RC71>");
}

// One stored object with the entry of one field id taken out, as a program
// that did not know the field wrote it.
QByteArray withoutEntry(const QByteArray& object, quint16 droppedId)
{
    QByteArray in = object;
    MyDataStream reader(&in, QIODevice::ReadOnly);
    quint32 length = 0;
    quint16 format = 0, version = 0;
    reader >> length >> format >> version;
    QByteArray payload;
    {
        MyDataStream body(&payload, QIODevice::WriteOnly);
        body << format << version;
        while (!reader.atEnd() && reader.status() == QDataStream::Ok) {
            quint16 id = 0;
            quint8 kind = 0;
            quint32 size = 0;
            reader >> id >> kind >> size;
            QByteArray value(int(size), '\0');
            reader.readRawData(value.data(), int(size));
            if (id == droppedId)
                continue;
            body << id << kind << size;
            body.writeRawData(value.constData(), value.size());
        }
    }
    QByteArray out;
    MyDataStream writer(&out, QIODevice::WriteOnly);
    writer << quint32(payload.size());
    writer.writeRawData(payload.constData(), payload.size());
    return out;
}

} // namespace

class TestEsignRequestId : public QObject
{
    Q_OBJECT
private slots:
    void setFedStringByCode_data()
    {
        QTest::addColumn<bool>("withT183");
        QTest::addColumn<bool>("withRC71");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QString>("t183");
        QTest::addColumn<QString>("rc71");
        QTest::newRow("10002 into the T183") << true << true << 10002 << true << "77" << "";
        QTest::newRow("10005 into the RC71") << true << true << 10005 << true << "" << "77";
        QTest::newRow("10002 without a T183") << false << true << 10002 << false << "<no T183>" << "";
        QTest::newRow("10005 without an RC71") << true << false << 10005 << false << "" << "<no RC71>";
        QTest::newRow("another code") << true << true << 10003 << false << "" << "";
    }
    void setFedStringByCode()
    {
        QFETCH(bool, withT183);
        QFETCH(bool, withRC71);
        QFETCH(int, code);
        QFETCH(bool, stored);
        QFETCH(QString, t183);
        QFETCH(QString, rc71);
        auto family = newFamily(withT183, withRC71);
        QCOMPARE(family->setFedString(code, CString("77")), stored);
        QCOMPARE(t183Id(*family), t183);
        QCOMPARE(rc71Id(*family), rc71);
        family->FreeData();
    }

    // The ids and the signing stay with their forms in the return file.
    void idsTravelWithTheReturnFile()
    {
        auto family = newFamily(true, true);
        QVERIFY(family->setFedString(10002, CString("123")));
        QVERIFY(family->setFedString(10005, CString("5/../x")));
        auto* t183 = dynamic_cast<TaxData_T183New*>(family->GetFormData(FORM_T183, false));
        t183->ESigned.m_value = 1;
        t183->ESignedTime.m_value = CString("2025-03-01 07:00:00");
        QTemporaryDir dir;
        const QString path = dir.filePath("esign.r24");
        QCOMPARE(family->saveToFile(CString(path), 2), 0);
        family->FreeData();

        int code = -1;
        std::unique_ptr<CFamilyTaxData> read(CFamilyTaxData::serializeFromFile(CString(path), code));
        QCOMPARE(code, 0);
        QVERIFY(read);
        QCOMPARE(t183Id(*read), QString("123"));
        QCOMPARE(rc71Id(*read), QString("5/../x"));
        auto* readT183 = dynamic_cast<TaxData_T183New*>(read->GetFormData(FORM_T183, false));
        QCOMPARE(readT183->ESigned.m_value, 1);
        QCOMPARE(QString(readT183->ESignedTime.m_value), QString("2025-03-01 07:00:00"));
        read->FreeData();
    }

    // A form written before the request id existed reads whole, with no id.
    void formWithoutTheFieldReads_data()
    {
        QTest::addColumn<int>("form");
        QTest::newRow("T183") << int(FORM_T183);
        QTest::newRow("RC71") << int(FORM_RC71);
    }
    void formWithoutTheFieldReads()
    {
        QFETCH(int, form);
        std::unique_ptr<CTaxData_Form> written(IndividualTaxData::AllocFedFormData(form));
        QVERIFY(written);
        written->fillFieldsWithTestData();
        CField* idField = written->findField("ESignRequestId");
        QVERIFY(idField);
        QByteArray object;
        {
            MyDataStream out(&object, QIODevice::WriteOnly);
            QCOMPARE(written->storeFields(out), 0);
        }
        const QByteArray older = withoutEntry(object, quint16(idField->id()));
        QVERIFY(older.size() < object.size());

        std::unique_ptr<CTaxData_Form> read(IndividualTaxData::AllocFedFormData(form));
        read->fillFieldsWithTestData(); // the reader starts every field afresh
        QByteArray in = older;
        MyDataStream stream(&in, QIODevice::ReadOnly);
        QCOMPARE(read->loadFields(stream, 66098), 0);
        QVERIFY(stream.atEnd());
        QCOMPARE(read->findField("ESignRequestId")->text(), QString());
        for (const CField* field : written->fieldList()) {
            if (field == idField)
                continue;
            QCOMPARE(read->findFieldById(field->id())->text(), field->text());
        }
    }
};

QTEST_GUILESS_MAIN(TestEsignRequestId)
#include "tst_esignrequestid.moc"
