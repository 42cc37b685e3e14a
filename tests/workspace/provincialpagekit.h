#pragma once

#include <QCoreApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QtTest>

#include "returnpagefixture.h"

// Helpers shared by the tests of the provincial forms' pages: open a form's
// row of the return tree, find the editor of one of its fields and bring
// it to the front for a picture.
namespace provincialpage {

// Presents the family in a page of the window and shows the page of its
// form row of that type. Null, with the failed check recorded, when the
// family has no page, the tree no such row or the row does not show it.
inline Form_Return* openFormRow(WindowFixture& f, CFamilyTaxData* family, int formType)
{
    Form_Return* opened = nullptr;
    [&] {
        Form_Return* page = returnpage::present(f, family);
        QVERIFY(page);
        TreeItem* row = returnpage::rowOf(page->folderView(), FROM_FORM, formType);
        QVERIFY(row);
        page->folderView()->setCurrentItem(row);
        QCOMPARE(page->shownType(), formType);
        opened = page;
    }();
    return opened;
}

// The line editor that shows the field on one of the page's tabs, or null.
inline QLineEdit* lineEditorFor(Form_Return* page, const CField* field)
{
    for (BaseTaxPage* shown : page->allPages())
        if (auto* found = qobject_cast<QLineEdit*>(shown->editorFor(field)))
            return found;
    return nullptr;
}

// The editor's text without the thousands separators.
inline QString figureIn(const QLineEdit* editor)
{
    return editor->text().remove(QLatin1Char(','));
}

// Whether the person cannot type into the editor.
inline bool isLocked(const QLineEdit* editor)
{
    return editor->isReadOnly() || !editor->isEnabled();
}

// The tab widget the widget sits in, or null.
inline QTabWidget* tabsAround(QWidget* widget)
{
    QTabWidget* tabs = nullptr;
    for (QWidget* up = widget; up && !tabs; up = up->parentWidget())
        tabs = qobject_cast<QTabWidget*>(up);
    return tabs;
}

// Brings the tab that holds the widget to the front; whether the widget
// then shows.
inline bool showTabOf(QTabWidget* tabs, const QWidget* shown)
{
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i) == shown || tabs->widget(i)->isAncestorOf(shown))
            tabs->setCurrentIndex(i);
    QCoreApplication::processEvents();
    return shown->isVisible();
}

} // namespace provincialpage
