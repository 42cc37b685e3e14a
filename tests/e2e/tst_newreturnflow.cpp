#include <QtTest>

#include "companion/forms/slips/slips_employment.h"
#include "companion/ui/ct1combobox.h"
#include "companion/ui/styledwidgets.h"
#include "dialogs/newreturnbasic_formoption.h"
#include "dialogs/newreturnbasic_spouse.h"
#include "dialogs/newreturnbasic_tab1.h"
#include "dialogs/newreturnwizard.h"
#include "workspace/returnpagefixture.h"

#include <QComboBox>
#include <QRadioButton>
#include <QStatusBar>

using namespace returnpage;

// One session as a person works it, on the real window offscreen and from
// the keyboard: New Return through the wizard, amounts typed into a T4 and
// the T1, a switch to the spouse with a field still being edited, a slip
// added and removed again, Save, Close, and the file opened again with
// everything typed in it.
class TestNewReturnFlow : public QObject
{
    Q_OBJECT
private slots:
    void newReturnTypedSavedReopened();
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
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void finishWizard()
{
    auto* wizard = qobject_cast<NewReturnWizard*>(QApplication::activeModalWidget());
    if (!wizard)
        qFatal("the new-return wizard is not shown");
    QWidget* taxpayer = wizard->taxpayerPage();
    typeInto(taxpayer, "fld_FirstName", "Ann");
    typeInto(taxpayer, "fld_LastName", "Lee");
    typeInto(taxpayer, "fld_sin", "046 454 286");
    child<StyledDateEdit>(taxpayer, "fld_dob")->setDate(QDate(1975, 5, 6));
    auto* province = child<CT1ComboBox>(taxpayer, "fld_TaxPronv");
    province->setCurrentIndex(province->findData(kOntario));
    QTest::keyClick(child<QRadioButton>(taxpayer, "fld_MaritalStatus_0"), Qt::Key_Space);
    QTest::mouseClick(wizard->button(QWizard::NextButton), Qt::LeftButton);

    QWidget* spouse = wizard->spousePage();
    typeInto(spouse, "fld_FirstNameSpouse", "Bob");
    typeInto(spouse, "fld_LastNameSpouse", "Roy");
    child<StyledDateEdit>(spouse, "fld_dobSpouse")->setDate(QDate(1970, 3, 4));
    QTest::keyClick(child<StyledCheckBox>(spouse, "fld_Coupled"), Qt::Key_Space);
    QTest::mouseClick(wizard->button(QWizard::NextButton), Qt::LeftButton);

    QTest::keyClick(child<StyledCheckBox>(wizard->formsPage(), "fld_bSch7"), Qt::Key_Space);
    QTest::mouseClick(wizard->button(QWizard::FinishButton), Qt::LeftButton);
}

// Types into the field's editor on the shown page, from the keyboard, and
// leaves the editor with the focus: the edit is not finished yet.
bool typeOnPage(Form_Return* page, const QString& field, const QString& text)
{
    QLineEdit* edit = editor(page, field);
    if (!edit)
        return false;
    for (int i = 0; i < tabs(page)->count(); ++i) {
        if (tabs(page)->widget(i)->isAncestorOf(edit))
            tabs(page)->setCurrentIndex(i);
    }
    // The wizard that just closed may still count as the active window.
    QApplication::setActiveWindow(page->window());
    edit->setFocus();
    if (!QTest::qWaitFor([edit] { return edit->hasFocus(); }))
        return false;
    edit->selectAll();
    QTest::keyClicks(edit, text);
    return true;
}

// Leaves the edited field as a person does: Tab.
void leaveField(Form_Return* page)
{
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : page, Qt::Key_Tab);
}

double t4Box14(IndividualTaxData* person)
{
    if (person->m_slipList.size() != 1)
        return -1;
    auto* t4 = dynamic_cast<TaxData_Slip_T4*>(person->m_slipList.front()->data);
    return t4 ? t4->box14EmploymentIncome.m_value : -1;
}

} // namespace

void TestNewReturnFlow::newReturnTypedSavedReopened()
{
    WindowFixture f;
    QVERIFY(f.ready);
    QApplication::setActiveWindow(f.window);
    QTimer::singleShot(10000, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    QTimer::singleShot(0, finishWizard);
    f.action("actionNew")->trigger();
    auto* page = dynamic_cast<Form_Return*>(f.window->currentReturnPage());
    QVERIFY2(page, qPrintable(f.promptTexts().join(" | ")));
    QCOMPARE(page->getTitle(), QString("Untitled (unsaved)"));
    CFamilyTaxData* family = page->familyData();
    IndividualTaxData* ann = family->getTaxpayer();
    IndividualTaxData* bob = family->getSpouse();
    QVERIFY(ann && bob);
    QVERIFY(ann->HasForm(7) && bob->HasForm(7));

    // A T4 for Ann, typed box by box.
    f.action("actionAdd_T4_slip")->trigger();
    QCOMPARE(page->shownKind(), int(FROM_SLIP));
    QVERIFY(typeOnPage(page, "box14EmploymentIncome", "52000"));
    leaveField(page);
    QCOMPARE(t4Box14(ann), 52000.0);

    // The T1: the status bar follows as soon as the field is left. Support
    // payments received are typed on the T1 itself and add to the T4's income.
    page->folderView()->setCurrentItem(rowOf(page->folderView(), FROM_FORM, 1));
    QCOMPARE(page->shownType(), 1);
    QVERIFY(typeOnPage(page, "line12800SupportReceived", "45000"));
    leaveField(page);
    QVERIFY2(statusText(f).startsWith("[Total Income]=97,000.00"), qPrintable(statusText(f)));
    QVERIFY(page->isChanged());

    // A field still being edited when the person switches to Bob.
    QVERIFY(typeOnPage(page, "SecondName", "Q"));
    page->findChild<QComboBox*>("comboBox")->setCurrentIndex(1);
    QCOMPARE(family->getCurIndv(), int(CFamilyTaxData::kSpouse));
    QCOMPARE(QString(ann->GetT1()->SecondName.m_value), QString("Q"));
    QVERIFY(statusText(f).startsWith("[Total Income]=0.00"));

    // Bob's slip is added, half typed and removed again.
    f.action("actionAdd_T4_slip")->trigger();
    QCOMPARE(bob->m_slipList.size(), size_t(1));
    QVERIFY(typeOnPage(page, "box14EmploymentIncome", "30000"));
    // It holds an amount: the removal is asked about first.
    f.prompter->queueButton(Prompt::Yes);
    f.action("actionRemove_Selected_Slip")->trigger();
    QVERIFY(f.promptTexts().contains("Remove the T4 with 30,000.00 of income?"));
    QVERIFY(bob->m_slipList.empty());
    QCOMPARE(page->currentForm(), static_cast<CTaxData_Form*>(bob->GetT1()));
    QCOMPARE(rowLabels(page->folderView()->slipsItem()), QStringList());

    // Save under the proposed name, then close: nothing is left to ask.
    const QString path = f.home.path() + "/Ann_Lee_Bob_Roy.r24";
    f.prompter->queueFile(path);
    f.action("actionSave_Return")->trigger();
    QVERIFY2(QFileInfo::exists(path), qPrintable(f.promptTexts().join(" | ")));
    QVERIFY(!page->isChanged());
    const int promptsBeforeClose = f.prompter->records().size();
    f.action("actionClose_Return")->trigger();
    QCOMPARE(f.window->openReturnCount(), 0);
    QCOMPARE(f.prompter->records().size(), promptsBeforeClose);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Opened again: everything typed is there.
    f.window->openReturnFile(path);
    auto* reopened = dynamic_cast<Form_Return*>(f.window->currentReturnPage());
    QVERIFY(reopened);
    CFamilyTaxData* read = reopened->familyData();
    QVERIFY(read->IsCoupledReturn());
    QCOMPARE(read->getTaxpayer()->GetT1()->line12800SupportReceived.m_value, 45000.0);
    QCOMPARE(read->getTaxpayer()->GetT1()->line10100EmploymentIncome.m_value, 52000.0);
    QCOMPARE(QString(read->getTaxpayer()->GetT1()->SecondName.m_value), QString("Q"));
    QCOMPARE(QString(read->getTaxpayer()->GetT1()->SIN.m_value).remove(' '), QString("046454286"));
    QCOMPARE(t4Box14(read->getTaxpayer()), 52000.0);
    QVERIFY(read->getSpouse()->m_slipList.empty());
    QVERIFY(!reopened->isChanged());
    const QStringList names = {reopened->findChild<QComboBox*>("comboBox")->itemText(0),
                               reopened->findChild<QComboBox*>("comboBox")->itemText(1)};
    QCOMPARE(names, (QStringList{"Ann Lee", "Bob Roy"}));
}

QTEST_APPLESS_MAIN(TestNewReturnFlow)
#include "tst_newreturnflow.moc"
