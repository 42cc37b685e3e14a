#include <QtTest>

#include "companion/ui/ct1combobox.h"
#include "companion/ui/styledwidgets.h"
#include "dialogs/dlgchangeprov.h"
#include "dialogs/dlgcouplereturn.h"
#include "dialogs/dlgdecouplereturn.h"
#include "dialogs/dlgimportoption.h"
#include "common/promptpicture.h"
#include "e2e/usersteps.h"
#include "model/modelfixture.h"
#include "returnpagefixture.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace returnpage;

// Restructuring an open return, or building one from files, on the real
// window: change of province, coupling, de-coupling and import.
class TestRestructure : public QObject
{
    Q_OBJECT
private slots:
    void sameProvinceIsNotChanged();
    void bothPersonsLeaveTheirOwnProvinces();
    void provinceChangeAsksBeforeEntriesGo();
    void coupleNeedsTwoExistingFiles();
    void coupleWithUnreadableSecondFileOpensNothing();
    void coupleLeavesBothFilesAsTheyWere();
    void coupleRefusesOneFileTwice();
    void decoupleKeepingTheSpouse();
    void decoupleOfChangedReturnAsksToSaveFirst_data();
    void decoupleOfChangedReturnAsksToSaveFirst();
    void provinceChangeOfChangedReturnAsksToSaveFirst();
    void importOfMissingFile();
    void importMakesAReturnWithoutFile();
    void importRefusesCouplingWithoutSpouseName();
    void importOrCoupleOfAnOpenFileShowsItsPage_data();
    void importOrCoupleOfAnOpenFileShowsItsPage();
};

namespace {

void closeModalLater()
{
    QTimer::singleShot(15000, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
}

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

QString artefact(const QString& name)
{
    const QString folder = QCoreApplication::applicationDirPath() + "/../artefacts";
    QDir().mkpath(folder);
    return QDir(folder).absoluteFilePath(name);
}

// Chooses the province (and the radio button) and presses Finish.
void finishProvinceWizard(int province, int chgBoth, const QString& picture = QString())
{
    onDialog<QWizard>([=](QWizard* wizard) {
        auto* combo = wizard->findChild<CT1ComboBox*>("fld_NewTaxProv");
        combo->setCurrentIndex(combo->findData(province));
        QTest::mouseClick(wizard->findChild<QRadioButton*>(QString("fld_ChgBoth_%1").arg(chgBoth)), Qt::LeftButton);
        if (!picture.isEmpty())
            wizard->grab().save(artefact(picture));
        QTest::mouseClick(wizard->button(QWizard::FinishButton), Qt::LeftButton);
    });
}

void typePaths(QWizard* wizard, const QString& first, const QString& second)
{
    wizard->findChild<StringLineEdit*>("fld_Filename1")->setText(first);
    wizard->findChild<StringLineEdit*>("fld_Filename2")->setText(second);
}

void finishCoupleWizard(const QString& first, const QString& second)
{
    onDialog<QWizard>([=](QWizard* wizard) {
        typePaths(wizard, first, second);
        QTest::mouseClick(wizard->button(QWizard::FinishButton), Qt::LeftButton);
    });
}

QString saveFamily(CFamilyTaxData* family, const QString& path)
{
    const int code = family->saveToFile(CString(path), TabWndApp::s_appPurpose);
    family->FreeData();
    delete family;
    return code == 0 ? path : QString();
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QSet<int> provincesHeld(const IndividualTaxData* person)
{
    QSet<int> out;
    for (const STRUCT_FORMDATA_ITEM_2004* item : person->m_formList)
        if (getFormProv(item->type) > 0)
            out << getFormProv(item->type);
    return out;
}

NewReturnBasicData namedSingle(const char* first, const char* last, const char* sin)
{
    NewReturnBasicData r = singleRecord();
    r.FirstName = first;
    r.LastName = last;
    r.sin = sin;
    return r;
}

} // namespace

void TestRestructure::sameProvinceIsNotChanged()
{
    WindowFixture f;
    Form_Return* page = present(f, newFamily(coupledRecord()));
    QVERIFY(page);
    closeModalLater();
    finishProvinceWizard(kOntario, 1, "change-province.png");
    f.action("actionChange_Tax_Province")->trigger();
    QCOMPARE(f.promptTexts(), QStringList{"Tax return province is not changed!"});
    QCOMPARE(int(page->familyData()->getTaxpayer()->m_province), kOntario);
    QCOMPARE(int(page->familyData()->getSpouse()->m_province), kOntario);
}

void TestRestructure::bothPersonsLeaveTheirOwnProvinces()
{
    modelfixture::PluginSettings plugin;
    plugin.use(modelfixture::provincialFormLines());
    WindowFixture f;
    NewReturnBasicData record = coupledRecord();
    record.TaxPronvSpouse = modelfixture::kBritishColumbia;
    Form_Return* page = present(f, newFamily(record));
    QVERIFY(page);
    CFamilyTaxData* family = page->familyData();
    QVERIFY(provincesHeld(family->getTaxpayer()).contains(kOntario));
    QVERIFY(provincesHeld(family->getSpouse()).contains(modelfixture::kBritishColumbia));
    closeModalLater();
    finishProvinceWizard(5, 0);
    f.action("actionChange_Tax_Province")->trigger();
    QCOMPARE(f.promptTexts().last(),
             QString("Tax return file is changed to the new province, you need to save file the confirm the changes."));
    for (IndividualTaxData* person : {family->getTaxpayer(), family->getSpouse()}) {
        QCOMPARE(int(person->m_province), 5);
        const QSet<int> held = provincesHeld(person);
        QVERIFY(!held.contains(kOntario));
        QVERIFY(!held.contains(modelfixture::kBritishColumbia));
    }
    // The tabs were let go with the forms; the T1 is shown.
    QCOMPARE(page->shownType(), FORM_T1);
}

void TestRestructure::provinceChangeAsksBeforeEntriesGo()
{
    modelfixture::PluginSettings plugin;
    plugin.use(modelfixture::provincialFormLines());
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    Form_Return* page = present(f, family);
    QVERIFY(page);
    // An Ontario value the user typed: a field made editable, so that the
    // calculation leaves it alone.
    CField* typed = nullptr;
    for (const STRUCT_FORMDATA_ITEM_2004* item : family->getTaxpayer()->m_formList)
        if (getFormProv(item->type) == kOntario && item->data && !item->data->fieldList().empty())
            typed = item->data->fieldList().back();
    QVERIFY(typed);
    typed->setFlags(typed->flags() & ~unsigned(FieldComputed | FieldReadOnly | FieldLocked | FieldHidden));
    closeModalLater();
    f.prompter->queueYes(false);
    // Typed while the wizard is open: after the recalculation the command
    // runs first.
    QTimer::singleShot(0, [typed] { typed->setText("7"); });
    finishProvinceWizard(5, 0);
    f.action("actionChange_Tax_Province")->trigger();
    QVERIFY2(f.promptTexts().last().startsWith("These provincial forms hold data that the change of province deletes:"),
             qPrintable(f.promptTexts().join(" | ")));
    QCOMPARE(int(family->getTaxpayer()->m_province), kOntario);
    QVERIFY(provincesHeld(family->getTaxpayer()).contains(kOntario));
}

void TestRestructure::coupleNeedsTwoExistingFiles()
{
    WindowFixture f;
    QTemporaryDir dir;
    const QString first = saveFamily(newFamily(singleRecord()), dir.filePath("a.r24"));
    QVERIFY(!first.isEmpty());
    closeModalLater();
    bool stillOpen = false;
    onDialog<QWizard>([&](QWizard* wizard) {
        typePaths(wizard, first, dir.filePath("missing.r24"));
        wizard->grab().save(artefact("couple-returns.png"));
        QTest::mouseClick(wizard->button(QWizard::FinishButton), Qt::LeftButton);
        stillOpen = wizard->isVisible() && QApplication::activeModalWidget() == wizard;
        wizard->reject();
    });
    f.action("actionCouple_Returns_2to1")->trigger();
    QVERIFY(stillOpen);
    QCOMPARE(f.promptTexts(), QStringList{"Please make sure both return files exist in the given file path"});
    QCOMPARE(f.window->openReturnCount(), 0);
}

void TestRestructure::coupleWithUnreadableSecondFileOpensNothing()
{
    WindowFixture f;
    QTemporaryDir dir;
    const QString first = saveFamily(newFamily(singleRecord()), dir.filePath("a.r24"));
    const QString second = dir.filePath("b.r24");
    QFile bad(second);
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(300, '\x5a'));
    bad.close();
    closeModalLater();
    finishCoupleWizard(first, second);
    f.action("actionCouple_Returns_2to1")->trigger();
    QCOMPARE(f.promptTexts().last(), QString("Second return file cannot be read properly, Couple return failed."));
    QCOMPARE(f.window->openReturnCount(), 0);
}

void TestRestructure::coupleLeavesBothFilesAsTheyWere()
{
    WindowFixture f;
    QTemporaryDir dir;
    NewReturnBasicData married = namedSingle("Ann", "Lee", "");
    married.MaritalStatus = 0;
    const QString first = saveFamily(newFamily(married), dir.filePath("a.r24"));
    const QString second = saveFamily(newFamily(namedSingle("Bob", "Roy", "")), dir.filePath("b.r24"));
    const QByteArray before1 = bytesOf(first), before2 = bytesOf(second);
    QVERIFY(!before1.isEmpty() && !before2.isEmpty());
    closeModalLater();
    finishCoupleWizard(first, second);
    f.action("actionCouple_Returns_2to1")->trigger();
    QVERIFY2(f.promptTexts().isEmpty(), qPrintable(f.promptTexts().join(" | ")));
    auto* page = dynamic_cast<Form_Return*>(f.window->currentReturnPage());
    QVERIFY(page);
    QVERIFY(!page->hasFileToSave());
    CFamilyTaxData* family = page->familyData();
    QVERIFY(family->IsCoupledReturn());
    QCOMPARE(QString(family->getTaxpayer()->GetFirstName()), QString("Ann"));
    QCOMPARE(QString(family->getSpouse()->GetFirstName()), QString("Bob"));
    // The married taxpayer's status goes to the spouse.
    QCOMPARE(int(family->getSpouse()->GetMaritalStatus()), 0);
    QCOMPARE(bytesOf(first), before1);
    QCOMPARE(bytesOf(second), before2);
}

void TestRestructure::coupleRefusesOneFileTwice()
{
    WindowFixture f;
    QTemporaryDir dir;
    const QString first = saveFamily(newFamily(singleRecord()), dir.filePath("a.r24"));
    // The same file by another spelling of its path.
    const QString again = dir.path() + "/./a.r24";
    closeModalLater();
    finishCoupleWizard(first, again);
    f.action("actionCouple_Returns_2to1")->trigger();
    QCOMPARE(f.promptTexts(), QStringList{"Both return files are the same file, Couple return failed."});
    QCOMPARE(f.window->openReturnCount(), 0);
}

void TestRestructure::decoupleKeepingTheSpouse()
{
    WindowFixture f;
    Form_Return* page = present(f, newFamily(coupledRecord()));
    QVERIFY(page);
    QTemporaryDir dir;
    QFileInfo file(dir.filePath("couple.r24"));
    page->setFilepath(&file);
    closeModalLater();
    QStringList names;
    onDialog<DlgDeCoupleReturn>([&names](DlgDeCoupleReturn* d) {
        auto* combo = d->findChild<QComboBox*>("comboBox");
        for (int i = 0; i < combo->count(); ++i)
            names << combo->itemText(i);
        combo->setCurrentIndex(1);
        d->grab().save(artefact("de-couple.png"));
        QTest::mouseClick(d->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    f.action("actionDe_Couple_Return_1to2")->trigger();
    QCOMPARE(names, (QStringList{"Ann Lee", "Bob Roy"}));
    CFamilyTaxData* family = page->familyData();
    QVERIFY(!family->IsCoupledReturn());
    QCOMPARE(QString(family->getTaxpayer()->GetFirstName()), QString("Bob"));
    QCOMPARE(family->getCurIndv(), int(CFamilyTaxData::kTaxpayer));
    // Both persons, the emptied one too, use the family's dependant table.
    QCOMPARE(family->getTaxpayer()->m_pDependants, &family->dependants());
    QCOMPARE(family->getSpouse()->m_pDependants, &family->dependants());
    QCOMPARE(page->findChild<QComboBox*>("comboBox")->count(), 1);
    // No file any more: the title says so, and saving asks for a name.
    QVERIFY(!page->hasFileToSave());
    QVERIFY(f.window->windowTitle().endsWith("Untitled (unsaved)"));
    f.prompter->queueCancel();
    f.action("actionSave_Return")->trigger();
    QCOMPARE(f.prompter->records().last().kind, PromptKind::SaveFile);
    QVERIFY(!QFile::exists(file.filePath()));
}

void TestRestructure::decoupleOfChangedReturnAsksToSaveFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("decoupled");
    QTest::addColumn<bool>("written");
    QTest::newRow("Save writes the coupled return, then de-couples") << int(Prompt::Save) << true << true;
    QTest::newRow("Discard de-couples without writing") << int(Prompt::Discard) << true << false;
    QTest::newRow("Cancel keeps the coupled return") << int(Prompt::Cancel) << false << false;
}

void TestRestructure::decoupleOfChangedReturnAsksToSaveFirst()
{
    QFETCH(int, answer);
    QFETCH(bool, decoupled);
    QFETCH(bool, written);
    WindowFixture f;
    Form_Return* page = present(f, newFamily(coupledRecord()));
    QVERIFY(page);
    QTemporaryDir dir;
    const QString path = dir.filePath("couple.r24");
    QFileInfo file(path);
    page->setFilepath(&file);
    // Support received, typed on the taxpayer's T1 and not saved.
    QVERIFY(usersteps::typeInto(page, "line12800SupportReceived", "4200"));
    QVERIFY(page->isChanged());

    closeModalLater();
    onDialog<DlgDeCoupleReturn>([](DlgDeCoupleReturn* d) {
        QTest::mouseClick(d->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    f.prompter->queueButton(Prompt::StandardButton(answer));
    f.action("actionDe_Couple_Return_1to2")->trigger();

    QCOMPARE(f.prompter->records().size(), 1);
    const PromptRecord& question = f.prompter->records().front();
    QCOMPARE(question.texts.join("\n"),
             QString("This coupled return has changes that are not saved. De-coupling makes a new single return, "
                     "and the coupled return file keeps what was last saved.\n\nDo you want to save the coupled "
                     "return first?"));
    QCOMPARE(question.buttons, Prompt::StandardButtons(Prompt::Save | Prompt::Discard | Prompt::Cancel));
    if (answer == Prompt::Cancel)
        QVERIFY(promptpicture::keep(question, "save-questions", "de-couple-changed"));
    QCOMPARE(page->familyData()->IsCoupledReturn(), !decoupled);
    QCOMPARE(QFile::exists(path), written);
    if (written) {
        // The file holds the coupled return with what was typed.
        int code = -1;
        std::unique_ptr<CFamilyTaxData> saved(CFamilyTaxData::serializeFromFile(CString(path), code));
        QCOMPARE(code, 0);
        QVERIFY(saved && saved->IsCoupledReturn());
        auto* support = dynamic_cast<CFloatField*>(saved->getTaxpayer()->GetT1()->findField("line12800SupportReceived"));
        QVERIFY(support);
        QCOMPARE(support->m_value, 4200.0);
        saved->FreeData();
    }
    if (!decoupled) {
        QVERIFY(page->hasFileToSave());
        QVERIFY(page->isChanged());
    }
}

void TestRestructure::provinceChangeOfChangedReturnAsksToSaveFirst()
{
    modelfixture::PluginSettings plugin;
    plugin.use(modelfixture::provincialFormLines());
    WindowFixture f;
    CFamilyTaxData* family = newFamily(singleRecord());
    Form_Return* page = present(f, family);
    QVERIFY(page);
    QTemporaryDir dir;
    QFileInfo file(dir.filePath("ann.r24"));
    page->setFilepath(&file);
    QVERIFY(usersteps::typeInto(page, "line12800SupportReceived", "4200"));
    closeModalLater();
    finishProvinceWizard(5, 0);
    f.prompter->queueButton(Prompt::Cancel);
    f.action("actionChange_Tax_Province")->trigger();
    QCOMPARE(f.promptTexts(), QStringList{"This return has changes that are not saved.\n\nDo you want to save it as "
                                          "it is before the province is changed?"});
    QCOMPARE(f.prompter->records().front().buttons,
             Prompt::StandardButtons(Prompt::Save | Prompt::Discard | Prompt::Cancel));
    // Cancel: the province and the file stay as they were.
    QCOMPARE(int(family->getTaxpayer()->m_province), kOntario);
    QVERIFY(!QFile::exists(file.filePath()));
}

void TestRestructure::importOfMissingFile()
{
    WindowFixture f;
    QTemporaryDir dir;
    f.prompter->queueFile(dir.filePath("none.r23"));
    f.action("actionImport_Prior_Year_s_Return")->trigger();
    QCOMPARE(f.promptTexts().last(), QString("Import prior year's return file failed, error = 107."));
    QCOMPARE(f.window->openReturnCount(), 0);
}

void TestRestructure::importMakesAReturnWithoutFile()
{
    WindowFixture f;
    QTemporaryDir dir;
    const QString path = saveFamily(newFamily(singleRecord()), dir.filePath("last.r23"));
    QVERIFY(!path.isEmpty());
    const QByteArray before = bytesOf(path);
    closeModalLater();
    bool keepNotesShown = false;
    onDialog<DlgImportOption_Info>([&keepNotesShown](DlgImportOption_Info* d) {
        keepNotesShown = d->findChild<StyledCheckBox*>("fld_KeepNotes")->isChecked()
                         && d->findChild<QRadioButton*>("fld_iCopyData_0")->isChecked();
        d->grab().save(artefact("import-options.png"));
        QTest::mouseClick(d->findChild<QPushButton*>("btnImport"), Qt::LeftButton);
    });
    f.window->importReturnFile(path);
    QVERIFY(keepNotesShown);
    auto* page = dynamic_cast<Form_Return*>(f.window->currentReturnPage());
    QVERIFY2(page, qPrintable(f.promptTexts().join(" | ")));
    QVERIFY(!page->hasFileToSave());
    QCOMPARE(QString(page->familyData()->getTaxpayer()->GetLastName()), QString("Lee"));
    QCOMPARE(f.app->m_strLastImportPath, QFileInfo(path).canonicalPath());
    QCOMPARE(bytesOf(path), before);
}

void TestRestructure::importRefusesCouplingWithoutSpouseName()
{
    WindowFixture f;
    QTemporaryDir dir;
    const QString path = saveFamily(newFamily(singleRecord()), dir.filePath("last.r23"));
    closeModalLater();
    onDialog<DlgImportOption_Info>([](DlgImportOption_Info* d) {
        QTest::mouseClick(d->findChild<StyledCheckBox*>("fld_bMakeCoupled"), Qt::LeftButton);
        QTest::mouseClick(d->findChild<QPushButton*>("btnImport"), Qt::LeftButton);
    });
    f.window->importReturnFile(path);
    QCOMPARE(f.window->openReturnCount(), 0);
    QVERIFY(f.promptTexts().last().startsWith("The prior year's return holds no spouse's name"));
}

void TestRestructure::importOrCoupleOfAnOpenFileShowsItsPage_data()
{
    QTest::addColumn<bool>("couple");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("import") << false << "Please close it before importing it.";
    QTest::newRow("couple") << true << "Please close it before coupling it.";
}

// A file open in a page may hold unsaved changes: importing or coupling it
// from disk would build a return without them. The page comes forward
// instead, as Open brings it, and nothing new is opened.
void TestRestructure::importOrCoupleOfAnOpenFileShowsItsPage()
{
    QFETCH(bool, couple);
    QFETCH(QString, refusal);
    WindowFixture f;
    QTemporaryDir dir;
    NewReturnBasicData married = namedSingle("Ann", "Lee", "");
    married.MaritalStatus = 0;
    const QString open = saveFamily(newFamily(married), dir.filePath("a.r24"));
    const QString other = saveFamily(newFamily(namedSingle("Bob", "Roy", "")), dir.filePath("b.r24"));
    QVERIFY(!open.isEmpty() && !other.isEmpty());
    f.window->openReturnFile(open);
    ReturnPageInterface* page = f.window->currentReturnPage();
    QVERIFY(page);
    f.window->actionShowWelcome();
    QVERIFY(!f.window->currentReturnPage());

    closeModalLater();
    if (couple) {
        finishCoupleWizard(other, open);
        f.action("actionCouple_Returns_2to1")->trigger();
    } else {
        f.window->importReturnFile(open);
    }
    QCOMPARE(f.window->openReturnCount(), 1);
    QCOMPARE(f.window->currentReturnPage(), page);
    QVERIFY(!f.promptTexts().isEmpty());
    const QString told = f.promptTexts().last();
    QVERIFY2(told.startsWith("The return file ") && told.contains(QDir::toNativeSeparators(open))
                 && told.endsWith(refusal),
             qPrintable(told));
}

QTEST_APPLESS_MAIN(TestRestructure)
#include "tst_restructure.moc"
