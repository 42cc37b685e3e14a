#include <QtTest>

#include "companion/forms/cwsbasedata.h"
#include "companion/ui/ppgwizardpage.h"
#include "companion/ui/styledwidgets.h"
#include "companion/ui/wizardbase.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A record with one field of every kind a page binds.
class SampleRecord : public CWSBaseData
{
public:
    CStringField Name{0, "", 10, 0};
    CFloatField Amount{0.0, 0};
    CFloatField Total{0.0, 0};
    CBoolField Agreed{0, 0};
    CIntField Choice{-1, 0};
    CIntField Province{0, 0, 0};
    CDateField Born{0, 0};
    CStringField Note{0, "", 0, 0};
};

// A page with a widget for each field, named by the binding rule. The radio
// buttons are added to their group in reverse order, so that their ids can
// only come from their names.
class SamplePage : public PpgWizardPage
{
    Q_OBJECT
public:
    explicit SamplePage(CWSBaseData* record, QWidget* parent = nullptr)
        : PpgWizardPage(record, nullptr, parent)
    {
        auto* layout = new QVBoxLayout(this);
        name = add<StringLineEdit>(layout, "fld_Name");
        amount = add<DoubleLineEdit>(layout, "fld_Amount");
        total = add<DoubleLineEdit>(layout, "fld_Total");
        total->setEnabled(false);
        agreed = add<StyledCheckBox>(layout, "fld_Agreed");
        group = new QButtonGroup(this);
        group->setObjectName("fld_Choice");
        for (int k = 0; k < 3; ++k)
            radios[k] = add<QRadioButton>(layout, qPrintable(QStringLiteral("fld_Choice_%1").arg(k)));
        for (int k = 2; k >= 0; --k)
            group->addButton(radios[k]);
        province = add<QComboBox>(layout, "fld_Province");
        province->addItem("none", 0);
        province->addItem("nine", 9);
        province->addItem("twelve", 12);
        born = add<StyledDateEdit>(layout, "fld_Born");
        note = add<QPlainTextEdit>(layout, "fld_Note");
    }

    void AssociateFormData() override
    {
        ++associateCalls;
        auto* rec = record<SampleRecord>();
        if (!rec)
            return;
        bindStringEdit("Name", &rec->Name);
        bindFloatEdit("Amount", &rec->Amount);
        bindFloatDisplay("Total", &rec->Total);
        bindCheckBox("Agreed", &rec->Agreed);
        bindRadioGroup("Choice", &rec->Choice);
        bindComboBox("Province", &rec->Province);
        bindDateEdit("Born", &rec->Born);
        bindPlainTextEdit("Note", &rec->Note);
        if (bindMissing)
            missing = bindStringEdit("Nowhere", &rec->Name);
    }

    const std::map<QString, StringLineEdit*>& stringNames() const { return m_mapStringEdit; }
    const std::map<StringLineEdit*, CStringField*>& stringFields() const { return m_mapStringEditField; }
    const std::map<QString, QButtonGroup*>& groupNames() const { return m_mapButtonGroup; }

    StringLineEdit* name;
    DoubleLineEdit* amount;
    DoubleLineEdit* total;
    StyledCheckBox* agreed;
    QButtonGroup* group;
    QRadioButton* radios[3];
    QComboBox* province;
    StyledDateEdit* born;
    QPlainTextEdit* note;
    QWidget* missing = reinterpret_cast<QWidget*>(1);
    int associateCalls = 0;
    bool bindMissing = false;

private:
    template <class W>
    W* add(QVBoxLayout* layout, const char* objectName)
    {
        auto* w = new W(this);
        w->setObjectName(objectName);
        layout->addWidget(w);
        return w;
    }
};

QStringList snapshot(const SampleRecord& rec)
{
    QStringList out;
    for (const CField* f : {static_cast<const CField*>(&rec.Name), static_cast<const CField*>(&rec.Amount),
                            static_cast<const CField*>(&rec.Total), static_cast<const CField*>(&rec.Agreed),
                            static_cast<const CField*>(&rec.Choice), static_cast<const CField*>(&rec.Province),
                            static_cast<const CField*>(&rec.Born), static_cast<const CField*>(&rec.Note)})
        out << f->text();
    return out;
}

} // namespace

class TestWizardPage : public QObject
{
    Q_OBJECT
private slots:
    void bindsWidgetsNamedAfterFields();
    void radioIdsComeFromButtonNames();
    void loadShowsRecordAndChangesNothing_data();
    void loadShowsRecordAndChangesNothing();
    void editsStoreAtOnce();
    void validatePageStoresWidgetsWithoutSignals();
    void uncheckedRadioGroupKeepsItsField();
    void wrongRecordClassBindsNothing();
    void wizardNumbersPagesAndBindsThemOnce();
    void wizardExecResult_data();
    void wizardExecResult();
};

void TestWizardPage::bindsWidgetsNamedAfterFields()
{
    SampleRecord rec;
    SamplePage page(&rec);
    page.bindMissing = true;
    QTest::ignoreMessage(QtWarningMsg, "Wizard page SamplePage: no widget fld_Nowhere to bind");
    page.bindOnce();
    QVERIFY(page.isBound());
    QCOMPARE(page.stringNames().size(), size_t(1));
    QCOMPARE(page.stringNames().at("fld_Name"), page.name);
    QCOMPARE(page.stringFields().at(page.name), &rec.Name);
    QCOMPARE(page.groupNames().at("fld_Choice"), page.group);
    QVERIFY(page.missing == nullptr);
    // The field's own length bounds the edit.
    QCOMPARE(page.name->maxLength(), 10);
    QCOMPARE(page.agreed->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(page.province->focusPolicy(), Qt::StrongFocus);
}

void TestWizardPage::radioIdsComeFromButtonNames()
{
    SampleRecord rec;
    SamplePage page(&rec);
    page.bindOnce();
    for (int k = 0; k < 3; ++k)
        QCOMPARE(page.group->id(page.radios[k]), k);
}

void TestWizardPage::loadShowsRecordAndChangesNothing_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<int>("province");
    QTest::addColumn<int>("checkedRadio");
    QTest::addColumn<int>("comboIndex");

    QTest::newRow("nothing chosen") << -1 << 0 << -1 << 0;
    QTest::newRow("second button, province 12") << 1 << 12 << 1 << 2;
    QTest::newRow("value no button carries") << 7 << 9 << -1 << 1;
    QTest::newRow("province not listed") << 2 << 5 << 2 << 0;
}

void TestWizardPage::loadShowsRecordAndChangesNothing()
{
    QFETCH(int, choice);
    QFETCH(int, province);
    QFETCH(int, checkedRadio);
    QFETCH(int, comboIndex);

    SampleRecord rec;
    rec.Name.m_value = "Tremblay";
    rec.Amount.m_value = 1234.5;
    rec.Total.m_value = 99;
    rec.Agreed.m_value = 1;
    rec.Choice.m_value = choice;
    rec.Province.m_value = province;
    rec.Born.m_value = QDate(1961, 2, 3);
    rec.Note.m_value = "two\nlines";
    const QStringList before = snapshot(rec);

    SamplePage page(&rec);
    // A radio checked before loading must be cleared when no button fits.
    page.radios[0]->setChecked(true);
    page.bindOnce();

    QCOMPARE(snapshot(rec), before);
    QCOMPARE(page.name->text(), QString("Tremblay"));
    QCOMPARE(page.amount->value(), 1234.5);
    QCOMPARE(page.total->value(), 99.0);
    QVERIFY(page.agreed->isChecked());
    QCOMPARE(page.group->checkedId(), checkedRadio);
    for (int k = 0; k < 3; ++k)
        QCOMPARE(page.radios[k]->isChecked(), k == checkedRadio);
    QCOMPARE(page.province->currentIndex(), comboIndex);
    QCOMPARE(page.born->nullableDate(), QDate(1961, 2, 3));
    QCOMPARE(page.note->toPlainText(), QString("two\nlines"));
}

void TestWizardPage::editsStoreAtOnce()
{
    SampleRecord rec;
    SamplePage page(&rec);
    page.bindOnce();
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));

    QTest::keyClicks(page.name, "Gagnon");
    QTest::keyClick(page.name, Qt::Key_Return);
    QCOMPARE(rec.Name.m_value, CString("Gagnon"));

    page.amount->clear();
    QTest::keyClicks(page.amount, "1,250.75");
    QTest::keyClick(page.amount, Qt::Key_Return);
    QCOMPARE(rec.Amount.m_value, 1250.75);

    QTest::keyClick(page.agreed, Qt::Key_Space);
    QCOMPARE(rec.Agreed.m_value, 1);
    QTest::keyClick(page.agreed, Qt::Key_Space);
    QCOMPARE(rec.Agreed.m_value, 0);

    QTest::keyClick(page.radios[2], Qt::Key_Space);
    QCOMPARE(rec.Choice.m_value, 2);

    page.province->setCurrentIndex(1);
    QCOMPARE(rec.Province.m_value, 9);

    page.born->setDate(QDate(2001, 12, 31));
    QCOMPARE(rec.Born.m_value, QDate(2001, 12, 31));
    // The edit's earliest date stands for no date.
    page.born->setDate(StyledDateEdit::noDate());
    QVERIFY(!rec.Born.m_value.isValid());
}

void TestWizardPage::validatePageStoresWidgetsWithoutSignals()
{
    SampleRecord rec;
    rec.Total.m_value = 10;
    SamplePage page(&rec);
    page.bindOnce();
    for (QObject* w : page.findChildren<QObject*>())
        w->blockSignals(true);
    page.name->setText("Roy");
    page.amount->setText("42.10");
    page.total->setText("77");
    page.agreed->setChecked(true);
    page.radios[1]->setChecked(true);
    page.province->setCurrentIndex(2);
    page.born->setDate(QDate(1990, 6, 7));
    page.note->setPlainText("note");
    QCOMPARE(rec.Name.m_value, CString());

    QVERIFY(page.validatePage());
    QCOMPARE(rec.Name.m_value, CString("Roy"));
    QCOMPARE(rec.Amount.m_value, 42.10);
    QCOMPARE(rec.Total.m_value, 10.0); // shown only, never stored
    QCOMPARE(rec.Agreed.m_value, 1);
    QCOMPARE(rec.Choice.m_value, 1);
    QCOMPARE(rec.Province.m_value, 12);
    QCOMPARE(rec.Born.m_value, QDate(1990, 6, 7));
    QCOMPARE(rec.Note.m_value, CString("note"));
}

void TestWizardPage::uncheckedRadioGroupKeepsItsField()
{
    SampleRecord rec;
    rec.Choice.m_value = 7;
    SamplePage page(&rec);
    page.bindOnce();
    QCOMPARE(page.group->checkedId(), -1);
    page.PutDataToDoc();
    QCOMPARE(rec.Choice.m_value, 7);
}

void TestWizardPage::wrongRecordClassBindsNothing()
{
    CWSBaseData other;
    SamplePage page(&other);
    page.bindOnce();
    QCOMPARE(page.associateCalls, 1);
    QVERIFY(page.stringNames().empty());
    QVERIFY(page.validatePage());
}

void TestWizardPage::wizardNumbersPagesAndBindsThemOnce()
{
    SampleRecord rec;
    WizardBase wizard(nullptr, "Three pages");
    SamplePage* pages[3];
    for (auto& p : pages) {
        p = new SamplePage(&rec, &wizard);
        wizard.addPage(p);
    }
    QCOMPARE(wizard.pageIds(), QList<int>({0, 1, 2}));
    QCOMPARE(wizard.page(1), pages[1]);
    QVERIFY(!pages[2]->isBound());

    wizard.initUI(640, 400);
    for (SamplePage* p : pages) {
        QVERIFY(p->isBound());
        QCOMPARE(p->associateCalls, 1);
    }
    QCOMPARE(wizard.size(), QSize(640, 400));
    QCOMPARE(wizard.windowTitle(), QString("Three pages"));

    wizard.show();
    wizard.next();
    wizard.next();
    QCOMPARE(wizard.currentId(), 2);
    for (SamplePage* p : pages)
        QCOMPARE(p->associateCalls, 1);
}

void TestWizardPage::wizardExecResult_data()
{
    QTest::addColumn<bool>("finish");
    QTest::addColumn<int>("result");
    QTest::newRow("finish") << true << 1;
    QTest::newRow("cancel") << false << 0;
}

void TestWizardPage::wizardExecResult()
{
    QFETCH(bool, finish);
    QFETCH(int, result);

    SampleRecord rec;
    WizardBase wizard(nullptr, "Two pages");
    wizard.addPage(new SamplePage(&rec, &wizard));
    wizard.addPage(new SamplePage(&rec, &wizard));
    wizard.initUI(500, 300);
    QTimer::singleShot(0, &wizard, [&] {
        if (finish) {
            QTest::mouseClick(wizard.button(QWizard::NextButton), Qt::LeftButton);
            QTest::mouseClick(wizard.button(QWizard::FinishButton), Qt::LeftButton);
        } else {
            QTest::mouseClick(wizard.button(QWizard::CancelButton), Qt::LeftButton);
        }
    });
    QCOMPARE(wizard.exec(), result);
}

QTEST_MAIN(TestWizardPage)
#include "tst_wizardpage.moc"
