// "Validation Result": one tab per person, the messages grouped by where
// they were found, numbered within each slip or form.
#include <QtTest>

#include "common/modalsteps.h"
#include "companion/forms/catalogue.h"
#include "dialogs/dlgvalidationmsgs.h"
#include "model/validationrecord.h"

#include <QListWidget>
#include <QTabWidget>

namespace {

constexpr int kFormT1 = 1;
constexpr int kSlipT4 = 1;

struct Records
{
    DlgValidationMsgs::Records list;
    ~Records()
    {
        for (auto* record : list)
            delete record;
    }
    void add(int source, int itemType, int messages)
    {
        auto* record = new _STRUCT_FORM_VALIDATE_INFO;
        record->source = source;
        record->itemType = itemType;
        for (int i = 1; i <= messages; ++i)
            record->insertMsg(QByteArray("problem ").append(QByteArray::number(i)).constData());
        list.push_back(record);
    }
};

QStringList tabRows(const DlgValidationMsgs& dialog, int tab)
{
    auto* tabs = dialog.findChild<QTabWidget*>("tabPeople");
    auto* list = tabs->widget(tab)->findChild<QListWidget*>();
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

QString header(int source, int type, int count)
{
    const char* name = source == VALIDATE_SOURCE_FORM ? getFormName(type) : getSlipName(type);
    return QString("[%1] - %2 errors found").arg(QString::fromUtf8(name)).arg(count);
}

const QString kNoErrors = "There are no validation errors found in this return, Please check spouse's side.";

} // namespace

class TestValidationMsgs : public QObject
{
    Q_OBJECT
private slots:
    void tenMessagesAreNumberedInTwoColumns()
    {
        Records records;
        records.add(VALIDATE_SOURCE_FORM, kFormT1, 10);
        const QStringList rows = DlgValidationMsgs::rowTexts(records.list);
        QCOMPARE(rows.size(), 13); // heading, header, ten messages, an empty row
        QCOMPARE(rows[0], QString("------- Tax Forms -------"));
        QCOMPARE(rows[1], header(VALIDATE_SOURCE_FORM, kFormT1, 10));
        QCOMPARE(rows[2], QString(" 1 - problem 1"));
        QCOMPARE(rows[10], QString(" 9 - problem 9"));
        QCOMPARE(rows[11], QString("10 - problem 10"));
        QCOMPARE(rows[12], QString());
    }

    void headingsAtEveryChangeOfGroup()
    {
        Records records;
        records.add(VALIDATE_SOURCE_FORM, kFormT1, 1);
        records.add(VALIDATE_SOURCE_SLIP, kSlipT4, 2);
        records.add(VALIDATE_SOURCE_FORM, kFormT1, 1);
        records.add(VALIDATE_SOURCE_FORM, kFormT1, 0); // no message: nothing
        records.add(VALIDATE_SOURCE_PERSON, 0, 1);
        records.add(VALIDATE_SOURCE_SPOUSES, 0, 1);
        const QStringList expected{
            "------- Tax Forms -------", header(VALIDATE_SOURCE_FORM, kFormT1, 1), " 1 - problem 1", "",
            "------- Tax Slips -------", header(VALIDATE_SOURCE_SLIP, kSlipT4, 2), " 1 - problem 1", " 2 - problem 2", "",
            "------- Tax Forms -------", header(VALIDATE_SOURCE_FORM, kFormT1, 1), " 1 - problem 1", "",
            "------- Cross Tax Forms Validation -------", " 1 - problem 1", "",
            "------- Spouse-Return Validation -------", " 1 - problem 1", ""};
        QCOMPARE(DlgValidationMsgs::rowTexts(records.list), expected);
    }

    // The between-spouses record is always in the current person's list;
    // when it holds nothing, that person still reads that there is no error.
    void personWithoutMessagesReadsTheNoErrorsRow_data()
    {
        QTest::addColumn<int>("emptyRecords");
        QTest::newRow("no record") << 0;
        QTest::newRow("an empty between-spouses record") << 1;
    }

    void personWithoutMessagesReadsTheNoErrorsRow()
    {
        QFETCH(int, emptyRecords);
        Records records;
        for (int i = 0; i < emptyRecords; ++i)
            records.add(VALIDATE_SOURCE_SPOUSES, 0, 0);
        QCOMPARE(DlgValidationMsgs::rowTexts(records.list), QStringList{kNoErrors});
    }

    void onePersonTabOrTwo()
    {
        Records first, second;
        first.add(VALIDATE_SOURCE_SPOUSES, 0, 0);
        second.add(VALIDATE_SOURCE_FORM, kFormT1, 2);
        second.add(VALIDATE_SOURCE_SLIP, kSlipT4, 1);
        DlgValidationMsgs dialog(nullptr);
        QCOMPARE(dialog.windowTitle(), QString("Validation Result"));
        dialog.loadValErrors("Ann Lee", first.list, true, "Bob Roy", second.list);
        auto* tabs = dialog.findChild<QTabWidget*>("tabPeople");
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QString("Ann Lee"));
        QCOMPARE(tabs->tabText(1), QString("Bob Roy"));
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(tabRows(dialog, 0), QStringList{kNoErrors});
        QCOMPARE(tabRows(dialog, 1).first(), QString("------- Tax Forms -------"));
        // The header stands out in its own colour; a message does not.
        auto* list = tabs->widget(1)->findChild<QListWidget*>();
        QCOMPARE(list->item(1)->foreground().color(), QColor("#ff3566"));
        QVERIFY(list->item(2)->foreground().style() == Qt::NoBrush);

        dialog.loadValErrors("T1135", second.list, false, QString(), {});
        QCOMPARE(tabs->count(), 1);
        QCOMPARE(tabs->tabText(0), QString("T1135"));

        dialog.loadValErrors("Ann Lee", first.list, true, "Bob Roy", second.list);
        dialog.resize(750, 650);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        tabs->setCurrentIndex(1);
        QVERIFY(dialog.grab().save(modalsteps::artefactPath("validation-result.png")));
    }
};

QTEST_MAIN(TestValidationMsgs)
#include "tst_validationmsgs.moc"
