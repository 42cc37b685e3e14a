#include <QtTest>

#include "companion/forms/catalogue.h"
#include "companion/ui/ct1combobox.h"
#include "companion/ui/styledwidgets.h"
#include "dialogs/newreturnbasic_formoption.h"
#include "dialogs/newreturnbasic_spouse.h"
#include "dialogs/newreturnbasic_tab1.h"
#include "dialogs/newreturnwizard.h"
#include "model/modelfixture.h"
#include "returnpagefixture.h"

#include <QRadioButton>
#include <set>

using namespace returnpage;

// Start > New Return on the real window: the wizard's record becomes a
// return in a page of its own.
class TestFormReturnNew : public QObject
{
    Q_OBJECT
private slots:
    void coupledReturnWithEveryFormBox();
    void cancelledWizardOpensNothing();
};

namespace {

template <class W>
W* child(QWidget* parent, const QString& name)
{
    auto* w = parent->findChild<W*>(name);
    if (!w)
        qFatal("no widget %s", qPrintable(name));
    return w;
}

void typeInto(QWidget* page, const QString& name, const QString& text)
{
    auto* edit = child<StringLineEdit>(page, name);
    edit->clear();
    QTest::keyClicks(edit, text);
}

// Fills the wizard for a married couple with both returns and every form
// box ticked, then presses Finish.
void finishCoupledWizard()
{
    auto* wizard = qobject_cast<NewReturnWizard*>(QApplication::activeModalWidget());
    if (!wizard)
        qFatal("the new-return wizard is not shown");
    QWidget* taxpayer = wizard->taxpayerPage();
    typeInto(taxpayer, "fld_FirstName", "Ann");
    typeInto(taxpayer, "fld_LastName", "Lee");
    auto* province = child<CT1ComboBox>(taxpayer, "fld_TaxPronv");
    province->setCurrentIndex(province->findData(kOntario));
    QTest::keyClick(child<QRadioButton>(taxpayer, "fld_MaritalStatus_0"), Qt::Key_Space);
    child<StyledDateEdit>(taxpayer, "fld_dob")->setDate(QDate(1975, 5, 6));
    QTest::mouseClick(wizard->button(QWizard::NextButton), Qt::LeftButton);

    QWidget* spouse = wizard->spousePage();
    typeInto(spouse, "fld_FirstNameSpouse", "Bob");
    typeInto(spouse, "fld_LastNameSpouse", "Roy");
    child<StyledDateEdit>(spouse, "fld_dobSpouse")->setDate(QDate(1970, 3, 4));
    QTest::keyClick(child<StyledCheckBox>(spouse, "fld_Coupled"), Qt::Key_Space);
    QTest::mouseClick(wizard->button(QWizard::NextButton), Qt::LeftButton);

    for (StyledCheckBox* box : wizard->formsPage()->findChildren<StyledCheckBox*>())
        if (!box->isChecked())
            QTest::keyClick(box, Qt::Key_Space);
    QTest::mouseClick(wizard->button(QWizard::FinishButton), Qt::LeftButton);
}

// A failed step inside the modal loop must not leave the test waiting.
void closeModalLater()
{
    QTimer::singleShot(10000, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
}

} // namespace

void TestFormReturnNew::coupledReturnWithEveryFormBox()
{
    // The provincial plug-in offers its whole form set.
    modelfixture::PluginSettings plugin;
    plugin.use(modelfixture::provincialFormLines());
    WindowFixture f;
    QVERIFY(f.ready);
    closeModalLater();
    QTimer::singleShot(0, finishCoupledWizard);
    f.action("actionNew")->trigger();

    auto* page = dynamic_cast<Form_Return*>(f.window->currentReturnPage());
    QVERIFY2(page, qPrintable(f.promptTexts().join(" | ")));
    QCOMPARE(page->getTitle(), QString("Untitled (unsaved)"));
    QVERIFY(f.window->windowTitle().endsWith(" - Untitled (unsaved)"));
    QVERIFY(!page->hasFileToSave());
    QCOMPARE(page->shownType(), 1);

    CFamilyTaxData* family = page->familyData();
    QVERIFY(family->IsCoupledReturn());
    IndividualTaxData* taxpayer = family->getTaxpayer();
    IndividualTaxData* spouse = family->getSpouse();

    // The ten boxes: Schedules 3, 4, 6, 7, 9, 11, 15, T776, T2125, T1DD.
    const int boxes[] = {4, 210, 119, 7, 9, 11, 205, 12, 125, 52};
    for (int type : boxes)
        QVERIFY2(taxpayer->HasForm(type), qPrintable(QString("taxpayer lacks %1").arg(type)));
    const std::set<int> spouseForms = {7, 12, 11, 3, 119};
    for (int type : boxes) {
        QCOMPARE(spouse->HasForm(type), spouseForms.count(type) == 1);
    }
    QVERIFY(spouse->HasForm(3));
    // Schedules 11 and 2 come with Ontario's forms of the pair on both sides.
    const int ontarioPairs[][2] = {{11, 27}, {3, 26}};
    for (IndividualTaxData* person : {taxpayer, spouse}) {
        for (const auto& pair : ontarioPairs) {
            QVERIFY(person->HasForm(pair[0]));
            QVERIFY2(person->HasForm(pair[1]), qPrintable(QString("no provincial pair of %1").arg(pair[0])));
        }
    }
    // The chooser names both.
    auto* chooser = page->findChild<QComboBox*>("comboBox");
    QCOMPARE(chooser->count(), 2);
}

void TestFormReturnNew::cancelledWizardOpensNothing()
{
    WindowFixture f;
    closeModalLater();
    QTimer::singleShot(0, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            qobject_cast<QWizard*>(w)->reject();
    });
    f.action("actionNew")->trigger();
    QCOMPARE(f.window->openReturnCount(), 0);
    QVERIFY(!f.window->currentReturnPage());
}

QTEST_APPLESS_MAIN(TestFormReturnNew)
#include "tst_formreturnnew.moc"
