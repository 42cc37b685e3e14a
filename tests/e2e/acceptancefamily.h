#pragma once

// The family the acceptance tests of the services work on, and the few
// things a person does on the real window to get there: a coupled Ontario
// return of Ann and Bob Lee made through the new-return wizard, their
// daughter Cleo entered on the Dependants page, Ann's e-mail typed on her
// T1 and the mailing address and the agency's questions on both T1s. The steps themselves are the end-to-end tests' (usersteps.h);
// pictures go to build/artefacts/acceptance-services.
#include "common/modalsteps.h"
#include "companion/forms/dependantinfostruct.h"
#include "companion/ui/ct1combobox.h"
#include "companion/ui/styledwidgets.h"
#include "dialogs/newreturnbasic_spouse.h"
#include "dialogs/newreturnbasic_tab1.h"
#include "dialogs/newreturnwizard.h"
#include "usersteps.h"
#include "workspace/returnpagefixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QWizard>

namespace acceptance {

using namespace usersteps;

const QString kAnnSin = QStringLiteral("046454286");
const QString kBobSin = QStringLiteral("130692544");

const QString kPictures = QStringLiteral("acceptance-services");

// build/artefacts/acceptance-services/<step>.png, for a person to look at.
inline bool keepPicture(QWidget* widget, const QString& step)
{
    return usersteps::keepPicture(widget, kPictures, step);
}

// What a field's editor shows: a line's text or a list's chosen answer.
inline QString shownValue(Form_Return* page, const QString& field)
{
    if (auto* list = qobject_cast<QComboBox*>(editorOf(page, field)))
        return list->currentText();
    return shownText(page, field);
}

// The labels of the slips branch of the shown person's tree.
inline QStringList slipRows(Form_Return* page)
{
    return rowLabels(page->folderView()->slipsItem());
}

template <class W>
W* wizardField(QWidget* page, const char* name)
{
    return page->findChild<W*>(QString::fromLatin1(name));
}

inline bool typeIntoWizard(QWidget* page, const char* name, const QString& text)
{
    auto* edit = wizardField<QLineEdit>(page, name);
    if (!edit)
        return false;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    return true;
}

// The new-return wizard answered as Ann does: herself (married, Ontario),
// Bob on a coupled return, no forms added at once. False when a field or
// button was not there.
inline bool answerNewReturnWizard(NewReturnWizard* wizard)
{
    QWidget* taxpayer = wizard->taxpayerPage();
    auto* province = wizardField<CT1ComboBox>(taxpayer, "fld_TaxPronv");
    auto* married = wizardField<QRadioButton>(taxpayer, "fld_MaritalStatus_0");
    auto* born = wizardField<StyledDateEdit>(taxpayer, "fld_dob");
    if (!typeIntoWizard(taxpayer, "fld_FirstName", "Ann") || !typeIntoWizard(taxpayer, "fld_LastName", "Lee")
        || !typeIntoWizard(taxpayer, "fld_sin", "046 454 286") || !province || !married || !born)
        return false;
    born->setDate(QDate(1985, 5, 6));
    province->setCurrentIndex(province->findData(kOntario));
    QTest::keyClick(married, Qt::Key_Space);
    keepPicture(wizard, "0-new-return-taxpayer");
    QTest::mouseClick(wizard->button(QWizard::NextButton), Qt::LeftButton);

    QWidget* spouse = wizard->spousePage();
    auto* coupled = wizardField<StyledCheckBox>(spouse, "fld_Coupled");
    auto* spouseBorn = wizardField<StyledDateEdit>(spouse, "fld_dobSpouse");
    if (!typeIntoWizard(spouse, "fld_FirstNameSpouse", "Bob") || !typeIntoWizard(spouse, "fld_LastNameSpouse", "Lee")
        || !typeIntoWizard(spouse, "fld_sinSpouse", "130 692 544") || !coupled || !spouseBorn)
        return false;
    spouseBorn->setDate(QDate(1983, 3, 4));
    QTest::keyClick(coupled, Qt::Key_Space);
    keepPicture(wizard, "0-new-return-spouse");
    QTest::mouseClick(wizard->button(QWizard::NextButton), Qt::LeftButton);
    QTest::mouseClick(wizard->button(QWizard::FinishButton), Qt::LeftButton);
    return true;
}

// The family made by "New Return ..." through the wizard, then finished on
// the window: Cleo on the Dependants page and Ann's e-mail on her T1. Null
// (with why) when a step could not be taken.
inline Form_Return* presentLeeFamily(WindowFixture& f, QString& why)
{
    if (!f.ready) {
        why = "the program did not start";
        return nullptr;
    }
    f.window->resize(1280, 860);
    QApplication::setActiveWindow(f.window);
    bool answered = false;
    modalsteps::whenModal<NewReturnWizard>([&answered](NewReturnWizard* wizard) {
        answered = answerNewReturnWizard(wizard);
        if (!answered)
            wizard->reject();
    });
    const ModalGuard guard(20000);
    f.action("actionNew")->trigger();
    auto* page = dynamic_cast<Form_Return*>(f.window->currentReturnPage());
    if (!answered || !page) {
        why = "the new-return wizard did not make the return: " + f.promptTexts().join(" | ");
        return nullptr;
    }
    CFamilyTaxData* family = page->familyData();
    const QString bobSin = family->getSpouse()->GetT1() ? QString(family->getSpouse()->GetT1()->SIN.m_value) : "";
    if (!family->IsCoupledReturn() || QString(bobSin).remove(' ') != kBobSin) {
        why = QStringLiteral("not Ann and Bob's coupled return (coupled %1, Bob's S.I.N. %2)")
                  .arg(family->IsCoupledReturn())
                  .arg(bobSin);
        return nullptr;
    }
    // The wizard that just closed may still count as the active window.
    QApplication::setActiveWindow(f.window);
    if (!showInterview(page, "Dependants")) {
        why = "no Dependants row";
        return nullptr;
    }
    if (!typeInto(page, "FirstName1", "Cleo") || !typeInto(page, "LastName1", "Lee")
        || !choose(page, "Relationship1", "Son or daughter") || !setDate(page, "BirthDate1", QDate(2019, 5, 1))) {
        why = "the Dependants page has no row 1 to fill";
        return nullptr;
    }
    if (!showForm(page, FORM_T1) || !typeInto(page, "Email", "ann.lee@example.com")) {
        why = "the T1 has no e-mail field";
        return nullptr;
    }
    // Where the agency writes to them, and the questions it asks of everyone.
    const MailingAddressAndAnswers home{"27 Birch Cres", "Sudbury", "Ontario", "P3A 4R7"};
    if (!typeMailingAddressAndAnswers(page, home) || !switchTo(page, CFamilyTaxData::kSpouse)
        || !typeMailingAddressAndAnswers(page, home) || !switchTo(page, CFamilyTaxData::kTaxpayer)) {
        why = "the T1 pages have no mailing address or question fields";
        return nullptr;
    }
    const DependantInfo* child = page->familyData()->dependants().GetAt(0);
    if (!child || QString(child->firstName) != "Cleo" || child->relationship != DEP_REL_CHILD) {
        why = "Cleo did not reach the dependant table";
        return nullptr;
    }
    return page;
}

// Saves the open return under path through "Save Return" (the chooser
// answered with path the first time).
inline bool saveAs(WindowFixture& f, Form_Return* page, const QString& path)
{
    QString current;
    page->getFilepath(current);
    if (current.isEmpty())
        f.prompter->queueFile(path);
    f.action("actionSave_Return")->trigger();
    return QFileInfo::exists(path) && !page->isChanged();
}

// Closes the return and opens the file again from the window; the new page.
inline Form_Return* closeAndReopen(WindowFixture& f, const QString& path)
{
    f.action("actionClose_Return")->trigger();
    if (f.window->openReturnCount() != 0)
        return nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    f.window->openReturnFile(path);
    return dynamic_cast<Form_Return*>(f.window->currentReturnPage());
}

} // namespace acceptance
