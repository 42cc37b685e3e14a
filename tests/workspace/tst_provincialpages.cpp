// The provincial forms, made by each province's plug-in in a return of that
// province, read like the federal ones: no internal name on any page, and
// every yes/no question the same list.
#include <QtTest>

#include "common/internalcaption.h"
#include "returnpagefixture.h"

#include "companion/forms/catalogue.h"
#include "companion/forms/fields.h"

#include <QComboBox>
#include <memory>

using namespace returnpage;

class TestProvincialPages : public QObject
{
    Q_OBJECT
private slots:
    void captionsInTheAgencysWords_data();
    void captionsInTheAgencysWords();
};

void TestProvincialPages::captionsInTheAgencysWords_data()
{
    QTest::addColumn<int>("province");
    QTest::addColumn<int>("type");
    int rows = 0;
    for (int province = 1; province < PROVINCE_COUNT; ++province) {
        const STRUCT_PROVINCE_FORMS* forms = getProvinceForms(province);
        for (int i = 0; forms && i < forms->count; ++i) {
            const int type = forms->forms[i].type;
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(QString::fromUtf8(getProvCode(province)),
                                                                   QString::fromUtf8(getFormName(type)))))
                << province << type;
            ++rows;
        }
    }
    QVERIFY2(rows > 0, "the provinces offer no form");
}

void TestProvincialPages::captionsInTheAgencysWords()
{
    QFETCH(int, province);
    QFETCH(int, type);
    NewReturnBasicData record = singleRecord();
    record.TaxPronv = province;
    std::unique_ptr<CFamilyTaxData> family(newFamily(record));
    STRUCT_FORMDATA_ITEM_2004* item = family->GetFormDataItem(type, true);
    if (!item || !item->data)
        QSKIP("the province's plug-in does not make this form for a return of this kind");
    QWidget host;
    std::list<BaseTaxPage*> pages;
    item->data->CreatePages(pages, &host);
    QStringList bad;
    for (BaseTaxPage* page : pages) {
        if (internalCaption().match(page->getTitle()).hasMatch())
            bad << QStringLiteral("tab: ") + page->getTitle();
        for (QLabel* label : page->findChildren<QLabel*>())
            if (internalCaption().match(label->text()).hasMatch())
                bad << label->objectName() + QStringLiteral(": ") + label->text();
    }
    for (CField* f : item->data->fieldList()) {
        if (f->isHidden() || f->kind() != FieldKind::Bool)
            continue;
        QComboBox* list = nullptr;
        for (BaseTaxPage* page : pages)
            if (!list)
                list = qobject_cast<QComboBox*>(page->editorFor(f));
        if (!list || list->itemText(0) != QStringLiteral("Not answered"))
            bad << QStringLiteral("yes/no not a list: ") + f->name();
    }
    if (!bad.isEmpty())
        QFAIL(qPrintable(bad.join(QStringLiteral("\n"))));
}

QTEST_MAIN(TestProvincialPages)
#include "tst_provincialpages.moc"
