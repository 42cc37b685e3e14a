#include <QtTest>

#include "common/scriptedprompter.h"
#include "companion/forms/taxtypes.h"
#include "companion/ui/ct1combobox.h"
#include "companion/ui/styledwidgets.h"
#include "dialogs/datanewreturnbasic.h"
#include "dialogs/newreturnbasic_formoption.h"
#include "dialogs/newreturnbasic_spouse.h"
#include "dialogs/newreturnbasic_tab1.h"
#include "dialogs/newreturnwizard.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <memory>

namespace {

const QDate kChangedBirthDate(1975, 5, 6);

template <class W>
W* child(QWidget* parent, const QString& name)
{
    auto* w = parent->findChild<W*>(name);
    if (!w)
        qFatal("no widget %s", qPrintable(name));
    return w;
}

std::unique_ptr<NewReturnWizard> openWizard(DataNewReturnBasic& rec)
{
    auto wizard = std::make_unique<NewReturnWizard>(&rec, nullptr);
    wizard->show();
    return wizard;
}

void typeInto(QWidget* page, const QString& name, const QString& text)
{
    auto* edit = child<StringLineEdit>(page, name);
    edit->clear();
    QTest::keyClicks(edit, text);
}

void chooseProvince(QWidget* page, const QString& name, int province)
{
    auto* combo = child<CT1ComboBox>(page, name);
    const int index = combo->findData(province);
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
}

void chooseMarital(QWidget* page, int status)
{
    QTest::keyClick(child<QRadioButton>(page, QStringLiteral("fld_MaritalStatus_%1").arg(status)), Qt::Key_Space);
}

void pressNext(NewReturnWizard& wizard)
{
    QTest::mouseClick(wizard.button(QWizard::NextButton), Qt::LeftButton);
}

void pressFinish(NewReturnWizard& wizard)
{
    QTest::mouseClick(wizard.button(QWizard::FinishButton), Qt::LeftButton);
}

// A taxpayer page the wizard accepts, with the given marital status.
void fillTaxpayer(NewReturnWizard& wizard, int marital, int province = PROV_ON)
{
    QWidget* page = wizard.taxpayerPage();
    typeInto(page, "fld_FirstName", "Ann");
    typeInto(page, "fld_LastName", "Smith");
    chooseProvince(page, "fld_TaxPronv", province);
    chooseMarital(page, marital);
    child<StyledDateEdit>(page, "fld_dob")->setDate(kChangedBirthDate);
}

void fillSpouse(NewReturnWizard& wizard, bool coupled)
{
    QWidget* page = wizard.spousePage();
    typeInto(page, "fld_FirstNameSpouse", "Bob");
    typeInto(page, "fld_LastNameSpouse", "Smith");
    child<StyledDateEdit>(page, "fld_dobSpouse")->setDate(QDate(1970, 3, 4));
    if (coupled)
        QTest::keyClick(child<StyledCheckBox>(page, "fld_Coupled"), Qt::Key_Space);
}

QStringList snapshot(const DataNewReturnBasic& rec)
{
    QStringList out;
    for (const CField* f : rec.fieldsInOrder())
        out << f->text();
    return out;
}

QString allTexts(const ScriptedPrompter& prompter)
{
    QStringList texts;
    for (const PromptRecord& r : prompter.records())
        texts << r.texts;
    return texts.join(QLatin1Char('|'));
}

const char* const kFormBoxes[] = {"bSch3", "bSch4",  "bSch6", "bSch7",  "bSch9",
                                  "bSch11", "bSch15", "bT776", "bT2125", "bT1DD"};

int flagValue(const DataNewReturnBasic& rec, const QString& name)
{
    const CBoolField* const flags[] = {&rec.bSch3,  &rec.bSch4,  &rec.bSch6, &rec.bSch7,  &rec.bSch9,
                                       &rec.bSch11, &rec.bSch15, &rec.bT776, &rec.bT2125, &rec.bT1DD};
    for (int i = 0; i < 10; ++i) {
        if (name == QLatin1String(kFormBoxes[i]))
            return flags[i]->m_value;
    }
    return -99;
}

// A failed check inside a driving lambda would leave exec() waiting: close
// whatever modal window is still open after a while.
void closeModalLater()
{
    QTimer::singleShot(10000, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
}

} // namespace

class TestNewReturnWizard : public QObject
{
    Q_OBJECT
private slots:
    void pagesTitlesAndLabels();
    void startShowsRecordAndNothingChosen();
    void taxpayerPageNeedsLastNameAndProvince_data();
    void taxpayerPageNeedsLastNameAndProvince();
    void typedTextStoredWhenNextPressedDirectly_data();
    void typedTextStoredWhenNextPressedDirectly();
    void maritalStatusChoosesNextPage_data();
    void maritalStatusChoosesNextPage();
    void spouseProvinceFollowsTaxpayerEachTime();
    void spousePageNeedsBothNames_data();
    void spousePageNeedsBothNames();
    void unsupportedProvinceRefusedOnPage();
    void maritalStatusRequired();
    void sinCheckedButMayBeEmpty_data();
    void sinCheckedButMayBeEmpty();
    void birthDateMustBeSetOrConfirmed_data();
    void birthDateMustBeSetOrConfirmed();
    void confirmedBirthDateNotAskedAgain();
    void spouseSinAndBirthDateChecked();
    void spouseSinCannotBeTheTaxpayers();
    void formFlagsFollowTicks_data();
    void formFlagsFollowTicks();
    void cancelOnFirstPageLeavesRecord();
    void startNewReturnHandsFinishedRecordToBuilder_data();
    void startNewReturnHandsFinishedRecordToBuilder();
    void startNewReturnCancelledBuildsNothing();
};

void TestNewReturnWizard::pagesTitlesAndLabels()
{
    DataNewReturnBasic rec;
    NewReturnWizard wizard(&rec, nullptr);
    QCOMPARE(wizard.windowTitle(), QString("Create a new tax return"));
    QCOMPARE(wizard.size(), QSize(700, 470));
    QCOMPARE(wizard.pageIds(), QList<int>({0, 1, 2}));
    QCOMPARE(wizard.page(0), static_cast<QWizardPage*>(wizard.taxpayerPage()));
    QCOMPARE(wizard.page(1), static_cast<QWizardPage*>(wizard.spousePage()));
    QCOMPARE(wizard.page(2), static_cast<QWizardPage*>(wizard.formsPage()));

    const struct
    {
        QWizardPage* page;
        const char* header;
    } headers[] = {{wizard.taxpayerPage(), "Tax payer's basic information"},
                   {wizard.spousePage(), "Spouse's basic information"},
                   {wizard.formsPage(), "Forms and Schedules"}};
    for (const auto& h : headers) {
        auto* label = child<QLabel>(h.page, "label");
        QCOMPARE(label->text(), QString(h.header));
        QVERIFY(label->font().bold());
        QCOMPARE(h.page->font().pointSize(), 12);
        QVERIFY(h.page->title().isEmpty());
        child<QFrame>(h.page, "line");
        child<QFrame>(h.page, "line1");
    }

    const char* const maritalTexts[] = {"Married", "Common-law", "Widowed", "Divorced", "Separated", "Single"};
    auto* group = child<QButtonGroup>(wizard.taxpayerPage(), "fld_MaritalStatus");
    for (int k = 0; k < 6; ++k) {
        auto* radio = child<QRadioButton>(wizard.taxpayerPage(), QStringLiteral("fld_MaritalStatus_%1").arg(k));
        QCOMPARE(radio->text(), QString(maritalTexts[k]));
        QCOMPARE(group->id(radio), k);
    }
    QCOMPARE(child<QLabel>(wizard.taxpayerPage(), "label5")->text(),
             QString("Tax province (residence on Dec. 31 of the tax year)"));
    QCOMPARE(child<StyledCheckBox>(wizard.spousePage(), "fld_Coupled")->text(),
             QString("Check to make a coupled return"));
    QCOMPARE(child<StyledCheckBox>(wizard.formsPage(), "fld_bT1DD")->text(), QString("Direct Deposit (EFile only)"));
    const QList<StyledCheckBox*> boxes = wizard.formsPage()->findChildren<StyledCheckBox*>();
    QCOMPARE(boxes.size(), 10);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(boxes[i]->objectName(), QStringLiteral("fld_") + kFormBoxes[i]);
}

void TestNewReturnWizard::startShowsRecordAndNothingChosen()
{
    DataNewReturnBasic rec;
    rec.presetBirthDates();
    auto wizard = openWizard(rec);
    QWidget* page = wizard->taxpayerPage();

    // No marital status: no button checked.
    QCOMPARE(child<QButtonGroup>(page, "fld_MaritalStatus")->checkedId(), -1);
    for (QRadioButton* radio : page->findChildren<QRadioButton*>())
        QVERIFY(!radio->isChecked());
    // The province list starts with an entry that is no province.
    auto* combo = child<CT1ComboBox>(page, "fld_TaxPronv");
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(combo->currentData().toInt(), 0);
    QCOMPARE(rec.TaxPronv.m_value, 0);
    QCOMPARE(child<StyledDateEdit>(page, "fld_dob")->text(), QString("1980/01/01"));
    QCOMPARE(child<StyledDateEdit>(wizard->spousePage(), "fld_dobSpouse")->text(), QString("1980/01/01"));
    QCOMPARE(rec.MaritalStatus.m_value, -1);
}

void TestNewReturnWizard::taxpayerPageNeedsLastNameAndProvince_data()
{
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<QString>("lastName");
    QTest::addColumn<int>("province");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("blank last name") << "Ann" << "   " << int(PROV_ON) << false;
    QTest::newRow("empty last name") << "Ann" << "" << int(PROV_ON) << false;
    QTest::newRow("no province") << "Ann" << "Smith" << 0 << false;
    QTest::newRow("empty first name") << "" << "Smith" << int(PROV_BC) << true;
}

void TestNewReturnWizard::taxpayerPageNeedsLastNameAndProvince()
{
    QFETCH(QString, firstName);
    QFETCH(QString, lastName);
    QFETCH(int, province);
    QFETCH(bool, accepted);

    ScriptedPrompter prompter;
    DataNewReturnBasic rec;
    rec.presetBirthDates();
    auto wizard = openWizard(rec);
    QWidget* page = wizard->taxpayerPage();
    typeInto(page, "fld_FirstName", firstName);
    typeInto(page, "fld_LastName", lastName);
    if (province)
        chooseProvince(page, "fld_TaxPronv", province);
    chooseMarital(page, 5);
    child<StyledDateEdit>(page, "fld_dob")->setDate(kChangedBirthDate);

    pressNext(*wizard);
    QCOMPARE(wizard->currentId(), accepted ? int(NewReturnWizard::PageForms) : int(NewReturnWizard::PageTaxpayer));
    // A refusal says what is missing; an accepted page says nothing.
    QCOMPARE(prompter.records().size(), accepted ? 0 : 1);
    if (!accepted) {
        const QString told = prompter.records().front().texts.join(QStringLiteral("\n"));
        QVERIFY2(told.contains(lastName.trimmed().isEmpty() ? QStringLiteral("last name") : QStringLiteral("province")),
                 qPrintable(told));
    }
}

void TestNewReturnWizard::typedTextStoredWhenNextPressedDirectly_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::newRow("Next button") << true;
    QTest::newRow("next() without any focus change") << false;
}

void TestNewReturnWizard::typedTextStoredWhenNextPressedDirectly()
{
    QFETCH(bool, byButton);
    ScriptedPrompter prompter;
    DataNewReturnBasic rec;
    rec.presetBirthDates();
    auto wizard = openWizard(rec);
    QWidget* page = wizard->taxpayerPage();
    chooseProvince(page, "fld_TaxPronv", PROV_QC);
    chooseMarital(page, 3);
    child<StyledDateEdit>(page, "fld_dob")->setDate(kChangedBirthDate);

    auto* lastName = child<StringLineEdit>(page, "fld_LastName");
    lastName->setFocus();
    QTest::keyClicks(lastName, "Smith");
    if (byButton)
        pressNext(*wizard);
    else
        wizard->next();

    QCOMPARE(rec.LastName.m_value, CString("Smith"));
    QCOMPARE(wizard->currentId(), int(NewReturnWizard::PageForms));
}

void TestNewReturnWizard::maritalStatusChoosesNextPage_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("nextPage");
    QTest::newRow("Married") << 0 << int(NewReturnWizard::PageSpouse);
    QTest::newRow("Common-law") << 1 << int(NewReturnWizard::PageSpouse);
    QTest::newRow("Widowed") << 2 << int(NewReturnWizard::PageForms);
    QTest::newRow("Single") << 5 << int(NewReturnWizard::PageForms);
}

void TestNewReturnWizard::maritalStatusChoosesNextPage()
{
    QFETCH(int, status);
    QFETCH(int, nextPage);
    ScriptedPrompter prompter;
    DataNewReturnBasic rec;
    rec.presetBirthDates();
    auto wizard = openWizard(rec);
    fillTaxpayer(*wizard, status, PROV_MB);
    QCOMPARE(rec.MaritalStatus.m_value, status);

    pressNext(*wizard);
    QCOMPARE(wizard->currentId(), nextPage);
    if (nextPage == NewReturnWizard::PageSpouse) {
        auto* combo = child<CT1ComboBox>(wizard->spousePage(), "fld_TaxPronvSpouse");
        QCOMPARE(combo->currentData().toInt(), int(PROV_MB));
        QCOMPARE(combo->currentText(), QString("Manitoba"));
        QCOMPARE(rec.TaxPronvSpouse.m_value, int(PROV_MB));
    }
}

void TestNewReturnWizard::spouseProvinceFollowsTaxpayerEachTime()
{
    ScriptedPrompter prompter;
    DataNewReturnBasic rec;
    rec.presetBirthDates();
    auto wizard = openWizard(rec);
    fillTaxpayer(*wizard, 0, PROV_ON);
    pressNext(*wizard);
    QCOMPARE(wizard->currentId(), int(NewReturnWizard::PageSpouse));
    chooseProvince(wizard->spousePage(), "fld_TaxPronvSpouse", PROV_AB);
    QCOMPARE(rec.TaxPronvSpouse.m_value, int(PROV_AB));

    wizard->back();
    chooseProvince(wizard->taxpayerPage(), "fld_TaxPronv", PROV_NS);
    pressNext(*wizard);
    QCOMPARE(wizard->currentId(), int(NewReturnWizard::PageSpouse));
    QCOMPARE(rec.TaxPronvSpouse.m_value, int(PROV_NS));
    QCOMPARE(child<CT1ComboBox>(wizard->spousePage(), "fld_TaxPronvSpouse")->currentData().toInt(), int(PROV_NS));
}

void TestNewReturnWizard::spousePageNeedsBothNames_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("both") << "Bob" << "Smith" << true;
    QTest::newRow("no first name") << " " << "Smith" << false;
    QTest::newRow("no last name") << "Bob" << "" << false;
}

void TestNewReturnWizard::spousePageNeedsBothNames()
{
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(bool, accepted);
    ScriptedPrompter prompter;
    DataNewReturnBasic rec;
    rec.presetBirthDates();
    auto wizard = openWizard(rec);
    fillTaxpayer(*wizard, 1);
    pressNext(*wizard);
    QWidget* page = wizard->spousePage();
    typeInto(page, "fld_FirstNameSpouse", first);
    typeInto(page, "fld_LastNameSpouse", last);
    child<StyledDateEdit>(page, "fld_dobSpouse")->setDate(QDate(1970, 3, 4));
    pressNext(*wizard);
    QCOMPARE(wizard->currentId(), accepted ? int(NewReturnWizard::PageForms) : int(NewReturnWizard::PageSpouse));
    // A refusal names the missing name.
    QCOMPARE(prompter.records().size(), accepted ? 0 : 1);
    if (!accepted) {
        const QString told = allTexts(prompter);
        QVERIFY2(told.contains(first.trimmed().isEmpty() ? "the spouse's first name" : "the spouse's last name"),
                 qPrintable(told));
    }
}

void TestNewReturnWizard::unsupportedProvinceRefusedOnPage()
{
    ScriptedPrompter prompter;
    DataNewReturnBasic rec;
    rec.presetBirthDates();
    auto wizard = openWizard(rec);
    fillTaxpayer(*wizard, 5);
    // A province number the program has no tax tables for.
    auto* combo = child<CT1ComboBox>(wizard->taxpayerPage(), "fld_TaxPronv");
    combo->addItem("Elsewhere", PROVINCE_COUNT);
    combo->setCurrentIndex(combo->count() - 1);
    QCOMPARE(rec.TaxPronv.m_value, int(PROVINCE_COUNT));

    pressNext(*wizard);
    QCOMPARE(wizard->currentId(), int(NewReturnWizard::PageTaxpayer));
    QCOMPARE(prompter.records().size(), 1);
    QCOMPARE(prompter.records().first().texts, QStringList("Tax Province is not supported!"));
    // What was entered is still there to correct.
    QCOMPARE(rec.LastName.m_value, CString("Smith"));
    QCOMPARE(rec.dob.m_value, kChangedBirthDate);
}

void TestNewReturnWizard::maritalStatusRequired()
{
    ScriptedPrompter prompter;
    DataNewReturnBasic rec;
    rec.presetBirthDates();
    auto wizard = openWizard(rec);
    QWidget* page = wizard->taxpayerPage();
    typeInto(page, "fld_LastName", "Smith");
    chooseProvince(page, "fld_TaxPronv", PROV_ON);
    child<StyledDateEdit>(page, "fld_dob")->setDate(kChangedBirthDate);

    pressNext(*wizard);
    QCOMPARE(wizard->currentId(), int(NewReturnWizard::PageTaxpayer));
    QCOMPARE(allTexts(prompter), QString("Please choose the marital status."));

    chooseMarital(page, 4);
    pressNext(*wizard);
    QCOMPARE(wizard->currentId(), int(NewReturnWizard::PageForms));
}

void TestNewReturnWizard::sinCheckedButMayBeEmpty_data()
{
    QTest::addColumn<QString>("sin");
    QTest::addColumn<QString>("problem"); // empty: accepted

    QTest::newRow("empty") << "" << "";
    QTest::newRow("blanks") << "   " << "";
    QTest::newRow("valid with blanks") << "046 454 286" << "";
    QTest::newRow("valid with dashes") << "046-454-286" << "";
    QTest::newRow("wrong check digit") << "046454287" << "check digit";
    QTest::newRow("too short") << "12345" << "9 digits";
    QTest::newRow("letters") << "04645428A" << "only digits";
}

void TestNewReturnWizard::sinCheckedButMayBeEmpty()
{
    QFETCH(QString, sin);
    QFETCH(QString, problem);
    ScriptedPrompter prompter;
    DataNewReturnBasic rec;
    rec.presetBirthDates();
    auto wizard = openWizard(rec);
    fillTaxpayer(*wizard, 5);
    typeInto(wizard->taxpayerPage(), "fld_sin", sin);

    pressNext(*wizard);
    if (problem.isEmpty()) {
        QCOMPARE(wizard->currentId(), int(NewReturnWizard::PageForms));
        QVERIFY(prompter.records().isEmpty());
        // Kept as typed.
        QCOMPARE(rec.sin.m_value, CString(sin));
    } else {
        QCOMPARE(wizard->currentId(), int(NewReturnWizard::PageTaxpayer));
        QCOMPARE(prompter.records().size(), 1);
        const QString text = allTexts(prompter);
        QVERIFY2(text.contains("taxpayer's Social Insurance Number is not valid"), qPrintable(text));
        QVERIFY2(text.contains(problem), qPrintable(text));
        QVERIFY2(!text.contains(sin), "the number itself is not repeated");
    }
}

void TestNewReturnWizard::birthDateMustBeSetOrConfirmed_data()
{
    QTest::addColumn<QDate>("dob");
    QTest::addColumn<int>("answer"); // -1 none queued, 0 No, 1 Yes
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("prompt");

    const QString question = "The taxpayer's date of birth is still 1980/01/01";
    QTest::newRow("start date, not confirmed") << QDate(1980, 1, 1) << 0 << false << question;
    QTest::newRow("start date, nobody to ask") << QDate(1980, 1, 1) << -1 << false << question;
    QTest::newRow("start date, confirmed") << QDate(1980, 1, 1) << 1 << true << question;
    QTest::newRow("changed") << kChangedBirthDate << -1 << true << "";
    QTest::newRow("cleared") << StyledDateEdit::noDate() << -1 << false
                             << "Please enter the taxpayer's date of birth.";
    QTest::newRow("after the tax year") << QDate(2030, 1, 1) << -1 << false
                                        << "The taxpayer's date of birth, 2030-01-01, is after the end of the tax year 2024.";
    QTest::newRow("last day of the tax year") << QDate(2024, 12, 31) << -1 << true << "";
}

void TestNewReturnWizard::birthDateMustBeSetOrConfirmed()
{
    QFETCH(QDate, dob);
    QFETCH(int, answer);
    QFETCH(bool, accepted);
    QFETCH(QString, prompt);

    ScriptedPrompter prompter;
    if (answer >= 0)
        prompter.queueYes(answer == 1);
    DataNewReturnBasic rec;
    rec.presetBirthDates();
    auto wizard = openWizard(rec);
    fillTaxpayer(*wizard, 5);
    child<StyledDateEdit>(wizard->taxpayerPage(), "fld_dob")->setDate(dob);

    pressNext(*wizard);
    QCOMPARE(wizard->currentId(), accepted ? int(NewReturnWizard::PageForms) : int(NewReturnWizard::PageTaxpayer));
    if (prompt.isEmpty()) {
        QVERIFY(prompter.records().isEmpty());
    } else {
        QCOMPARE(prompter.records().size(), 1);
        QVERIFY2(allTexts(prompter).contains(prompt), qPrintable(allTexts(prompter)));
    }
    QCOMPARE(prompter.pendingAnswers(), 0);
}

void TestNewReturnWizard::confirmedBirthDateNotAskedAgain()
{
    ScriptedPrompter prompter;
    prompter.queueYes(true);
    DataNewReturnBasic rec;
    rec.presetBirthDates();
    auto wizard = openWizard(rec);
    fillTaxpayer(*wizard, 5);
    child<StyledDateEdit>(wizard->taxpayerPage(), "fld_dob")->setDate(QDate(1980, 1, 1));
    pressNext(*wizard);
    QCOMPARE(wizard->currentId(), int(NewReturnWizard::PageForms));
    wizard->back();
    pressNext(*wizard);
    QCOMPARE(wizard->currentId(), int(NewReturnWizard::PageForms));
    QCOMPARE(prompter.records().size(), 1);
    QCOMPARE(rec.dob.m_value, QDate(1980, 1, 1));
}

void TestNewReturnWizard::spouseSinAndBirthDateChecked()
{
    ScriptedPrompter prompter;
    DataNewReturnBasic rec;
    rec.presetBirthDates();
    auto wizard = openWizard(rec);
    fillTaxpayer(*wizard, 0);
    pressNext(*wizard);
    QWidget* page = wizard->spousePage();
    typeInto(page, "fld_FirstNameSpouse", "Bob");
    typeInto(page, "fld_LastNameSpouse", "Smith");
    typeInto(page, "fld_sinSpouse", "123456789");

    pressNext(*wizard);
    QCOMPARE(wizard->currentId(), int(NewReturnWizard::PageSpouse));
    QVERIFY(allTexts(prompter).contains("spouse's Social Insurance Number is not valid"));

    prompter.clear();
    typeInto(page, "fld_sinSpouse", "046454286");
    pressNext(*wizard); // date of birth untouched: asked, not confirmed
    QCOMPARE(wizard->currentId(), int(NewReturnWizard::PageSpouse));
    QVERIFY(allTexts(prompter).contains("The spouse's date of birth is still 1980/01/01"));

    prompter.clear();
    child<StyledDateEdit>(page, "fld_dobSpouse")->setDate(QDate(1970, 3, 4));
    pressNext(*wizard);
    QCOMPARE(wizard->currentId(), int(NewReturnWizard::PageForms));
    QVERIFY(prompter.records().isEmpty());
    QCOMPARE(rec.sinSpouse.m_value, CString("046454286"));
    QCOMPARE(rec.dobSpouse.m_value, QDate(1970, 3, 4));
}

void TestNewReturnWizard::spouseSinCannotBeTheTaxpayers()
{
    ScriptedPrompter prompter;
    DataNewReturnBasic rec;
    rec.presetBirthDates();
    auto wizard = openWizard(rec);
    fillTaxpayer(*wizard, 0);
    typeInto(wizard->taxpayerPage(), "fld_sin", "046 454 286");
    pressNext(*wizard);
    QCOMPARE(wizard->currentId(), int(NewReturnWizard::PageSpouse));
    QWidget* page = wizard->spousePage();
    typeInto(page, "fld_FirstNameSpouse", "Bob");
    typeInto(page, "fld_LastNameSpouse", "Smith");
    child<StyledDateEdit>(page, "fld_dobSpouse")->setDate(QDate(1970, 3, 4));
    typeInto(page, "fld_sinSpouse", "046-454-286");

    pressNext(*wizard);
    QCOMPARE(wizard->currentId(), int(NewReturnWizard::PageSpouse));
    QCOMPARE(prompter.records().size(), 1);
    QVERIFY2(allTexts(prompter).contains("The spouse's Social Insurance Number cannot be the taxpayer's own."),
             qPrintable(allTexts(prompter)));

    prompter.clear();
    typeInto(page, "fld_sinSpouse", "");
    pressNext(*wizard);
    QCOMPARE(wizard->currentId(), int(NewReturnWizard::PageForms));
    QVERIFY(prompter.records().isEmpty());
}

void TestNewReturnWizard::formFlagsFollowTicks_data()
{
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<bool>("coupled");
    QTest::newRow("none") << QStringList() << false;
    QTest::newRow("some") << QStringList({"bSch4", "bSch11", "bT1DD"}) << false;
    QStringList all;
    for (const char* name : kFormBoxes)
        all << name;
    QTest::newRow("all ten, coupled") << all << true;
}

void TestNewReturnWizard::formFlagsFollowTicks()
{
    QFETCH(QStringList, ticked);
    QFETCH(bool, coupled);
    ScriptedPrompter prompter;
    DataNewReturnBasic rec;
    rec.presetBirthDates();
    auto wizard = openWizard(rec);
    fillTaxpayer(*wizard, coupled ? 0 : 5);
    pressNext(*wizard);
    if (coupled) {
        fillSpouse(*wizard, true);
        pressNext(*wizard);
    }
    QCOMPARE(wizard->currentId(), int(NewReturnWizard::PageForms));
    for (const QString& name : ticked)
        QTest::keyClick(child<StyledCheckBox>(wizard->formsPage(), "fld_" + name), Qt::Key_Space);

    pressFinish(*wizard);
    QCOMPARE(wizard->result(), 1);
    for (const char* name : kFormBoxes)
        QCOMPARE(flagValue(rec, name), ticked.contains(name) ? 1 : 0);
    QCOMPARE(rec.isCoupled(), coupled);
    QVERIFY(prompter.records().isEmpty());
}

void TestNewReturnWizard::cancelOnFirstPageLeavesRecord()
{
    ScriptedPrompter prompter;
    DataNewReturnBasic rec;
    rec.presetBirthDates();
    rec.LastName.m_value = "Roy";
    rec.TaxPronv.m_value = PROV_SK;
    rec.MaritalStatus.m_value = 2;
    rec.bSch9.m_value = 1;
    const QStringList before = snapshot(rec);

    closeModalLater();
    QTimer::singleShot(0, [] {
        auto* wizard = qobject_cast<NewReturnWizard*>(QApplication::activeModalWidget());
        QVERIFY(wizard);
        QCOMPARE(wizard->currentId(), int(NewReturnWizard::PageTaxpayer));
        QTest::mouseClick(wizard->button(QWizard::CancelButton), Qt::LeftButton);
    });
    QCOMPARE(runNewReturnWizard(rec, nullptr), 0);
    QCOMPARE(snapshot(rec), before);
}

void TestNewReturnWizard::startNewReturnHandsFinishedRecordToBuilder_data()
{
    QTest::addColumn<bool>("builderResult");
    QTest::newRow("built") << true;
    QTest::newRow("builder failed") << false;
}

void TestNewReturnWizard::startNewReturnHandsFinishedRecordToBuilder()
{
    QFETCH(bool, builderResult);
    ScriptedPrompter prompter;
    prompter.queueYes(true); // keeps the start date of birth
    closeModalLater();
    QTimer::singleShot(0, [] {
        auto* wizard = qobject_cast<NewReturnWizard*>(QApplication::activeModalWidget());
        QVERIFY(wizard);
        fillTaxpayer(*wizard, 5, PROV_YT);
        child<StyledDateEdit>(wizard->taxpayerPage(), "fld_dob")->setDate(QDate(1980, 1, 1));
        pressNext(*wizard);
        QTest::keyClick(child<StyledCheckBox>(wizard->formsPage(), "fld_bSch7"), Qt::Key_Space);
        pressFinish(*wizard);
    });

    int calls = 0;
    const bool done = startNewReturn(nullptr, [&](const DataNewReturnBasic& rec) {
        ++calls;
        // Checked here, while the record still exists.
        [&] {
            QCOMPARE(rec.LastName.m_value, CString("Smith"));
            QCOMPARE(rec.TaxPronv.m_value, int(PROV_YT));
            QCOMPARE(rec.MaritalStatus.m_value, 5);
            QCOMPARE(rec.dob.m_value, QDate(1980, 1, 1));
            QCOMPARE(rec.dobSpouse.m_value, QDate(1980, 1, 1));
            QCOMPARE(rec.bSch7.m_value, 1);
            QCOMPARE(rec.bSch3.m_value, 0);
        }();
        return builderResult;
    });
    QCOMPARE(calls, 1);
    QCOMPARE(done, builderResult);
    QCOMPARE(prompter.records().size(), 1);
}

void TestNewReturnWizard::startNewReturnCancelledBuildsNothing()
{
    ScriptedPrompter prompter;
    closeModalLater();
    QTimer::singleShot(0, [] {
        auto* wizard = qobject_cast<NewReturnWizard*>(QApplication::activeModalWidget());
        QVERIFY(wizard);
        fillTaxpayer(*wizard, 0);
        pressNext(*wizard);
        QCOMPARE(wizard->currentId(), int(NewReturnWizard::PageSpouse));
        QTest::mouseClick(wizard->button(QWizard::CancelButton), Qt::LeftButton);
    });
    int calls = 0;
    QVERIFY(!startNewReturn(nullptr, [&](const DataNewReturnBasic&) {
        ++calls;
        return true;
    }));
    QCOMPARE(calls, 0);
}

QTEST_MAIN(TestNewReturnWizard)
#include "tst_newreturnwizard.moc"
