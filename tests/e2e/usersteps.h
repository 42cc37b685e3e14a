#pragma once

// What a person does on the real window, one step at a time, for the
// end-to-end tests: type into a field of the shown form and leave it, pick
// from a list, choose a row of the return tree, switch person, add a form
// from "Add a Tax Form ...", and keep a picture of what the window shows.

#include "common/modalsteps.h"
#include "companion/ui/ct1combobox.h"
#include "companion/ui/styledwidgets.h"
#include "dialogs/addtaxformdlg.h"
#include "workspace/returnpagefixture.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

namespace usersteps {

using namespace returnpage;

// Closes whatever modal window is still open after ms, for as long as it
// lives: a step that fails ends instead of waiting for a user, and a later
// step is never disturbed by an earlier one's guard.
class ModalGuard
{
public:
    explicit ModalGuard(int ms)
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [] {
            if (QWidget* w = QApplication::activeModalWidget())
                w->close();
        });
        m_timer.start(ms);
    }

private:
    QTimer m_timer;
};

// build/artefacts/<folder>/<name>.png, for a person to look at.
inline bool keepPicture(QWidget* window, const QString& folder, const QString& name)
{
    QApplication::processEvents();
    const QString path = modalsteps::artefactPath(folder + "/" + name + ".png");
    QDir().mkpath(QFileInfo(path).path());
    return window->grab().save(path);
}

inline QWidget* editorOf(Form_Return* page, const QString& field)
{
    for (BaseTaxPage* p : page->allPages())
        if (auto* e = p->findChild<QWidget*>("fld_" + field))
            return e;
    return nullptr;
}

// Brings the tab that holds the editor to the front, as a person clicks it.
inline void bringToFront(Form_Return* page, QWidget* editor)
{
    QTabWidget* tabWidget = tabs(page);
    for (int i = 0; tabWidget && i < tabWidget->count(); ++i)
        if (tabWidget->widget(i)->isAncestorOf(editor))
            tabWidget->setCurrentIndex(i);
}

// Types into a field as a person does: select what is there, type, press
// Enter. False when the shown form has no such field.
inline bool typeInto(Form_Return* page, const QString& field, const QString& text)
{
    auto* edit = qobject_cast<QLineEdit*>(editorOf(page, field));
    if (!edit)
        return false;
    bringToFront(page, edit);
    QApplication::setActiveWindow(page->window());
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
    QApplication::processEvents();
    return true;
}

// The text a field's editor shows, empty when the shown form has no such field.
inline QString shownText(Form_Return* page, const QString& field)
{
    auto* edit = qobject_cast<QLineEdit*>(editorOf(page, field));
    return edit ? edit->text() : QString();
}

inline bool choose(Form_Return* page, const QString& field, const QString& answer)
{
    auto* list = qobject_cast<QComboBox*>(editorOf(page, field));
    const int index = list ? list->findText(answer) : -1;
    if (index < 0)
        return false;
    list->setCurrentIndex(index);
    QApplication::processEvents();
    return true;
}

inline bool setDate(Form_Return* page, const QString& field, const QDate& date)
{
    auto* edit = qobject_cast<StyledDateEdit*>(editorOf(page, field));
    if (!edit)
        return false;
    edit->setDate(date);
    QApplication::processEvents();
    return true;
}

inline TreeItem* childNamed(TreeItem* branch, const QString& label)
{
    for (int i = 0; branch && i < branch->childCount(); ++i)
        if (branch->child(i)->text(0) == label)
            return static_cast<TreeItem*>(branch->child(i));
    return nullptr;
}

inline bool select(Form_Return* page, TreeItem* row)
{
    if (!row)
        return false;
    page->folderView()->setCurrentItem(row);
    QApplication::processEvents();
    return true;
}

// The row of the interview branch ("Dependants", "Medical Expenses", ...).
inline bool showInterview(Form_Return* page, const QString& label)
{
    return select(page, childNamed(page->folderView()->wizardItem(), label));
}

inline bool showForm(Form_Return* page, int type)
{
    return select(page, rowOf(page->folderView(), FROM_FORM, type));
}

// A mailing address in Canada and the questions the agency asks of every
// return, typed and chosen on the current person's T1 as a preparer does.
struct MailingAddressAndAnswers
{
    QString street, city, province, postalCode;
    QString firstReturn = QStringLiteral("No");
    QString citizen = QStringLiteral("Yes");
    QString electionsCanada = QStringLiteral("Yes");
    QString foreignProperty = QStringLiteral("No");
};

inline bool typeMailingAddressAndAnswers(Form_Return* page, const MailingAddressAndAnswers& a)
{
    return showForm(page, 1) && typeInto(page, "AddressLine1", a.street) && typeInto(page, "City", a.city)
           && choose(page, "MailingProvince", a.province) && typeInto(page, "PostalCode", a.postalCode)
           && choose(page, "FirstTimeFilerAnswer", a.firstReturn) && choose(page, "CitizenshipAnswer", a.citizen) && choose(page, "ElectionsCanadaAnswer", a.electionsCanada)
           && choose(page, "ForeignPropertyAnswer", a.foreignProperty);
}

// The title above the shown form's pages.
inline QString shownForm(Form_Return* page)
{
    auto* label = page->findChild<QLabel*>("lblFormDesc");
    return label ? label->text() : QString();
}

// Chooses the person in the page's person list.
inline bool switchTo(Form_Return* page, int person)
{
    auto* chooser = page->findChild<QComboBox*>("comboBox");
    for (int i = 0; chooser && i < chooser->count(); ++i)
        if (chooser->itemData(i, Qt::UserRole).toInt() == person)
            chooser->setCurrentIndex(i);
    QApplication::processEvents();
    return page->familyData()->getCurIndv() == person;
}

// "Add a Tax Form ...": the filter narrows the list to the form, OK adds it.
inline void addFormFromList(QAction* command, const QString& filter, int type)
{
    modalsteps::whenModal<AddTaxFormDlg>([filter, type](AddTaxFormDlg* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>("edtFilter");
        edit->clear();
        QTest::keyClicks(edit, filter);
        auto* list = dialog->findChild<CT1ComboBox*>("cmbTaxForms");
        list->setCurrentIndex(list->findData(type));
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    command->trigger();
}

// The amount of a result line ("Jane [Refund: 855.25]") or of a status line
// ("... [Balance Due]=144.75"): a refund below 0, a balance due above.
inline double balanceOf(const QString& resultLine)
{
    const QRegularExpression pattern(QStringLiteral("\\[(Refund|Bal\\. Due|Balance Due)(?:: |\\]=)([0-9,.]+)"));
    const QRegularExpressionMatch match = pattern.match(resultLine);
    if (!match.hasMatch())
        return qQNaN();
    const double amount = QString(match.captured(2)).remove(',').toDouble();
    return match.captured(1) == QLatin1String("Refund") ? -amount : amount;
}

} // namespace usersteps
