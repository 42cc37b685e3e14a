// Every slip names its employer or payer, and the return tree shows it:
// "T4 - Acme Ltd", so two slips of one kind can be told apart.
#include <QtTest>

#include "companion/forms/catalogue.h"
#include "companion/forms/formfactory.h"
#include "model/cfamilytaxdata.h"
#include "model/calcfixture.h"
#include "workspace/folderview.h"

namespace {

std::vector<CField*> captionFields(const CTaxData_Form& slip)
{
    std::vector<CField*> out;
    for (CField* f : slip.fieldList())
        if (f->hasFlag(FieldCaption))
            out.push_back(f);
    return out;
}

} // namespace

class TestSlipCaptions : public QObject
{
    Q_OBJECT
private slots:
    void everySlipHasATypedCaption_data();
    void everySlipHasATypedCaption();
    void treeLabelShowsThePayer_data();
    void treeLabelShowsThePayer();
};

void TestSlipCaptions::everySlipHasATypedCaption_data()
{
    QTest::addColumn<int>("type");
    for (const CFormFactory::Row& row : CFormFactory::slipRows())
        QTest::newRow(row.className) << row.type;
}

void TestSlipCaptions::everySlipHasATypedCaption()
{
    QFETCH(int, type);
    std::unique_ptr<CTaxData_Form> slip(CFormFactory::AllocSlipData(ENUMTYPE_SLIP(type)));
    QVERIFY(slip);
    const auto fields = captionFields(*slip);
    QCOMPARE(int(fields.size()), 1);
    CField* caption = fields.front();
    // The user types it on the slip's page.
    QCOMPARE(caption->kind(), FieldKind::String);
    QVERIFY(!caption->isHidden());
    QVERIFY(!caption->isReadOnly());

    CString text;
    slip->GetCaption(text);
    QVERIFY(text.isEmpty());
    QVERIFY(caption->setText(QStringLiteral("  Acme Ltd ")));
    slip->GetCaption(text);
    QCOMPARE(QString(text), QStringLiteral("Acme Ltd"));
    // A calculation keeps what the user typed.
    slip->ResetData();
    slip->GetCaption(text);
    QCOMPARE(QString(text), QStringLiteral("Acme Ltd"));
}

void TestSlipCaptions::treeLabelShowsThePayer_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("payer");
    QTest::newRow("T4") << 1 << "Acme Ltd";
    QTest::newRow("T4A(P)") << 3 << "Service Canada";
    QTest::newRow("T4E") << 5 << "Service Canada";
    QTest::newRow("T5") << 8 << "Northern Bank";
    QTest::newRow("RC62") << 17 << "";
}

void TestSlipCaptions::treeLabelShowsThePayer()
{
    QFETCH(int, type);
    QFETCH(QString, payer);
    auto family = calcfixture::makeFamily(false);
    IndividualTaxData* person = family->getTaxpayer();
    STRUCT_SLIPDATA_ITEM_2004* item = person->NewSlipData(ENUMTYPE_SLIP(type), 0, 0);
    QVERIFY(item && item->data);
    const auto fields = captionFields(*item->data);
    QCOMPARE(int(fields.size()), 1);
    QVERIFY(fields.front()->setText(payer));
    family->Calculate(-1, nullptr);

    CString label;
    slipDisplayName(false, item, label);
    const QString name = QString::fromUtf8(getSlipName(ENUMTYPE_SLIP(type)));
    QVERIFY(!name.isEmpty());
    QCOMPARE(QString(label), payer.isEmpty() ? name : name + QStringLiteral(" - ") + payer);
}

QTEST_MAIN(TestSlipCaptions)
#include "tst_slipcaptions.moc"
