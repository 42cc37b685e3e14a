#include <QtTest>

#include "companion/forms/slips/slips_employment.h"
#include "companion/ui/ct1combobox.h"
#include "dialogs/addtaxformdlg.h"
#include "dialogs/dlgchangeformorder.h"
#include "returnpagefixture.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

using namespace returnpage;

// The form commands of an open return on the real window: Add a Tax Form,
// Arrange Order of Tax Forms, Slip Summary and the removal refusal.
class TestFormCommands : public QObject
{
    Q_OBJECT
private slots:
    void quickButtonAddsItsType_data();
    void quickButtonAddsItsType();
    void singleInstanceFormIsRefusedTheSecondTime();
    void filterIsKeptBetweenOpenings();
    void lockedFormCannotBeRemoved_data();
    void lockedFormCannotBeRemoved();
    void movedFormReachesTheTree();
    void cancelledOrderChangesNothing();
    void slipSummaryIsWrittenEscaped();
    void rightClickOnTaxSlipsOffersTheProvincesSlips();
};

namespace {

// A failed step inside a modal loop must not leave the test waiting.
void closeModalLater()
{
    QTimer::singleShot(10000, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
}

// Runs step on the modal dialog of class D once it shows.
template <class D>
void onDialog(std::function<void(D*)> step)
{
    QTimer::singleShot(0, [step] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog)
            qFatal("the expected dialog is not shown");
        step(dialog);
    });
}

void clickQuick(const char* name)
{
    onDialog<AddTaxFormDlg>([name](AddTaxFormDlg* d) {
        QTest::mouseClick(d->findChild<QPushButton*>(name), Qt::LeftButton);
    });
}

QString artefact(const QString& name)
{
    const QString folder = QCoreApplication::applicationDirPath() + "/../artefacts";
    QDir().mkpath(folder);
    return QDir(folder).absoluteFilePath(name);
}

} // namespace

void TestFormCommands::quickButtonAddsItsType_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("type");
    QTest::newRow("Sch.5 is type 6") << "btnAddSch5" << 6;
    QTest::newRow("Sch.7") << "btnAddSch7" << 7;
    QTest::newRow("Commission") << "btnAddCommission" << 131;
}

void TestFormCommands::quickButtonAddsItsType()
{
    QFETCH(QString, button);
    QFETCH(int, type);
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    QVERIFY(page);
    QVERIFY(!page->familyData()->HasForm(type));
    closeModalLater();
    const QByteArray name = button.toLatin1();
    clickQuick(name.constData());
    f.action("actionAdd_a_Tax_Form")->trigger();
    QVERIFY(page->familyData()->HasForm(type));
    QVERIFY(rowOf(page->folderView(), FROM_FORM, type));
    QVERIFY(f.promptTexts().isEmpty());
}

void TestFormCommands::singleInstanceFormIsRefusedTheSecondTime()
{
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    QVERIFY(page);
    closeModalLater();
    clickQuick("btnAddSch7");
    f.action("actionAdd_a_Tax_Form")->trigger();
    QCOMPARE(page->familyData()->GetCountOfForm(7), 1);
    clickQuick("btnAddSch7");
    f.action("actionAdd_a_Tax_Form")->trigger();
    QCOMPARE(page->familyData()->GetCountOfForm(7), 1);
    QCOMPARE(f.promptTexts(), QStringList{"This tax form already exists in the tax return."});
}

void TestFormCommands::filterIsKeptBetweenOpenings()
{
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    QVERIFY(page);
    closeModalLater();
    int listedFirst = -1;
    onDialog<AddTaxFormDlg>([&listedFirst](AddTaxFormDlg* d) {
        auto* filter = d->findChild<QLineEdit*>("edtFilter");
        filter->clear();
        QTest::keyClicks(filter, "T77");
        listedFirst = d->findChild<CT1ComboBox*>("cmbTaxForms")->count();
        d->grab().save(artefact("add-tax-form.png"));
        d->reject();
    });
    f.action("actionAdd_a_Tax_Form")->trigger();
    QVERIFY(listedFirst > 0);

    QString shown;
    int listedAgain = -1;
    int firstType = 0;
    onDialog<AddTaxFormDlg>([&](AddTaxFormDlg* d) {
        shown = d->findChild<QLineEdit*>("edtFilter")->text();
        auto* list = d->findChild<CT1ComboBox*>("cmbTaxForms");
        listedAgain = list->count();
        firstType = list->currentData().toInt();
        // OK adds the list's current form.
        QTest::mouseClick(d->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    f.action("actionAdd_a_Tax_Form")->trigger();
    QCOMPARE(shown, QString("T77"));
    QCOMPARE(listedAgain, listedFirst);
    QVERIFY(firstType > 0);
    QVERIFY(page->familyData()->HasForm(firstType));

    // Clear empties it for later openings too.
    onDialog<AddTaxFormDlg>([](AddTaxFormDlg* d) {
        QTest::mouseClick(d->findChild<QPushButton*>("btnClear"), Qt::LeftButton);
        d->reject();
    });
    f.action("actionAdd_a_Tax_Form")->trigger();
    QCOMPARE(AddTaxFormDlg::s_strFilter, QString());
}

void TestFormCommands::lockedFormCannotBeRemoved_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("T1, mandatory") << int(FORM_T1);
    QTest::newRow("T90, locked while exempt income needs it") << int(FORM_T90);
}

void TestFormCommands::lockedFormCannotBeRemoved()
{
    QFETCH(int, type);
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    auto* t4 = static_cast<TaxData_Slip_T4*>(family->NewSlipData(kSlipT4, 0, 0)->data);
    t4->box71IndianExempt.setAmount(1000.0);
    family->Calculate(-1, nullptr);
    Form_Return* page = present(f, family);
    QVERIFY(page);
    FolderView* tree = page->folderView();
    QVERIFY(rowOf(tree, FROM_FORM, type));
    tree->setCurrentItem(rowOf(tree, FROM_FORM, type));
    f.action("actionRemove_Selected_Form_Schedule")->trigger();
    QVERIFY(page->familyData()->HasForm(type));
    QCOMPARE(f.promptTexts(), QStringList{"This tax form can NOT be removed, because it's mandatory or necessary "
                                          "for other tax slips/forms."});
}

void TestFormCommands::movedFormReachesTheTree()
{
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    family->GetFormData(FORM_SCH7, true);
    Form_Return* page = present(f, family);
    QVERIFY(page);
    IndividualTaxData* person = family->getCurIndvTaxData();
    const int before = int(person->m_formList.size());
    const auto summaryPlace = [person] {
        int i = 0;
        for (const STRUCT_FORMDATA_ITEM_2004* item : person->m_formList) {
            if (item->type == 93)
                return i;
            ++i;
        }
        return -1;
    };
    const int summaryBefore = summaryPlace();
    QVERIFY(summaryBefore >= 0);
    closeModalLater();
    QStringList shownLabels;
    onDialog<DlgChangeFormOrder>([&shownLabels](DlgChangeFormOrder* d) {
        auto* list = d->findChild<QListWidget*>("listFormsWgt");
        for (int i = 0; i < list->count(); ++i)
            shownLabels << list->item(i)->text();
        // The last form goes to the top, one row at a time.
        list->setCurrentRow(list->count() - 1);
        for (int i = 1; i < list->count(); ++i)
            QTest::mouseClick(d->findChild<QPushButton*>("btnUp"), Qt::LeftButton);
        d->grab().save(artefact("form-order.png"));
        QTest::mouseClick(d->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    f.action("actionArrange_Order_of_Tax_Forms")->trigger();
    QVERIFY(shownLabels.size() > 1);
    QCOMPARE(int(person->m_formList.size()), before);
    // The tree's first form row is the form that was last in the dialog.
    QCOMPARE(page->folderView()->formsItem()->child(0)->text(0), shownLabels.last());
    // The return summary stays where it was in the list.
    QCOMPARE(summaryPlace(), summaryBefore);
}

void TestFormCommands::cancelledOrderChangesNothing()
{
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    family->GetFormData(FORM_SCH7, true);
    Form_Return* page = present(f, family);
    QVERIFY(page);
    const std::list<STRUCT_FORMDATA_ITEM_2004*> before = family->getCurIndvTaxData()->m_formList;
    closeModalLater();
    onDialog<DlgChangeFormOrder>([](DlgChangeFormOrder* d) {
        auto* list = d->findChild<QListWidget*>("listFormsWgt");
        list->setCurrentRow(1);
        QTest::mouseClick(d->findChild<QPushButton*>("btnUp"), Qt::LeftButton);
        // Up on the first row does nothing.
        QTest::mouseClick(d->findChild<QPushButton*>("btnUp"), Qt::LeftButton);
        QCOMPARE(list->currentRow(), 0);
        d->reject();
    });
    f.action("actionArrange_Order_of_Tax_Forms")->trigger();
    QVERIFY(family->getCurIndvTaxData()->m_formList == before);
}

void TestFormCommands::slipSummaryIsWrittenEscaped()
{
    WindowFixture f;
    NewReturnBasicData record = singleRecord();
    // A name that would leave the folder if it became a path as typed.
    record.FirstName = "../Ann";
    CFamilyTaxData* family = newFamily(record);
    STRUCT_SLIPDATA_ITEM_2004* slip = family->NewSlipData(kSlipT4, 0, 0);
    QVERIFY(slip);
    static_cast<TaxData_Slip_T4*>(slip->data)->EmployerName.m_value = "A & B <Co>";
    Form_Return* page = present(f, family);
    QVERIFY(page);
    const QString folder = f.app->m_config.RetPath;
    QVERIFY(QDir().mkpath(folder));
    f.action("actionSlip_summary")->trigger();

    const QString path = QDir(folder).filePath("_Ann_Lee_SlipSummary.html");
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path + " | " + f.promptTexts().join(" | ")));
    const QString html = QString::fromUtf8(file.readAll());
    QVERIFY(html.startsWith("<html><head><title>Slip Summary</title></head><body>"));
    QVERIFY(html.endsWith("</body></html>"));
    QVERIFY(html.contains("A &amp; B &lt;Co&gt;"));
    QVERIFY(!html.contains("<Co>"));
    const PromptRecord& shown = f.prompter->records().last();
    QCOMPARE(shown.title, QString("Tax Slips Summary"));
    QCOMPARE(shown.link, "file:///" + path);
}

void TestFormCommands::rightClickOnTaxSlipsOffersTheProvincesSlips()
{
    WindowFixture f;
    Form_Return* page = present(f, newFamily(singleRecord()));
    QVERIFY(page);
    FolderView* tree = page->folderView();
    QStringList offered;
    QTimer::singleShot(0, [&offered] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (const QAction* action : menu->actions())
            offered << QString(action->text()).remove(QLatin1Char('&'));
        menu->close();
    });
    closeModalLater();
    const QPoint at = tree->visualItemRect(tree->slipsItem()).center();
    emit tree->customContextMenuRequested(at);
    QCOMPARE(tree->currentItem(), static_cast<QTreeWidgetItem*>(tree->slipsItem()));
    // One entry per slip the Slips menu adds.
    QStringList expected;
    for (QAction* action : f.window->widgets()->menubar->actions())
        if (action->menu())
            for (QAction* entry : action->menu()->actions())
                if (entry->objectName().startsWith("actionAdd_") && entry->objectName() != "actionAdd_a_Tax_Form"
                    && entry->objectName() != "actionAdd_a_tax_note")
                    expected << QString(entry->text()).remove(QLatin1Char('&'));
    // Every slip but Manitoba's shelter benefit, which an Ontario resident never receives.
    QCOMPARE(offered.size(), 23);
    QVERIFY(!offered.contains("Add Manitoba shelter benefit slip"));
    for (const QString& text : offered)
        QVERIFY2(expected.contains(text), qPrintable(text));
}

QTEST_APPLESS_MAIN(TestFormCommands)
#include "tst_formcommands.moc"
