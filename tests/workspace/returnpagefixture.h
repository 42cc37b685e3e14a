#pragma once

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/ui/basetaxpage.h"
#include "model/cfamilytaxdata.h"
#include "windowfixture.h"
#include "workspace/folderview.h"
#include "workspace/form_return.h"
#include "workspace/treeitem.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

// The real window with one return opened in a page, built from a new-return
// record the way the New Return command builds it.
namespace returnpage {

constexpr int kOntario = 9;
constexpr int kSlipT4 = 1;

inline NewReturnBasicData singleRecord()
{
    NewReturnBasicData r;
    r.FirstName = "Ann";
    r.LastName = "Lee";
    r.TaxPronv = kOntario;
    r.MaritalStatus = 5;
    return r;
}

inline NewReturnBasicData coupledRecord()
{
    NewReturnBasicData r = singleRecord();
    r.MaritalStatus = 0;
    r.FirstNameSpouse = "Bob";
    r.LastNameSpouse = "Roy";
    r.Coupled = true;
    r.TaxPronvSpouse = kOntario;
    return r;
}

inline CFamilyTaxData* newFamily(const NewReturnBasicData& record)
{
    auto* family = new CFamilyTaxData(MULTIPROVS_MODE_RESIDENCE);
    family->NewData(&record);
    family->Calculate(-1, nullptr);
    return family;
}

// Presents the family in a page of the window and returns the page.
inline Form_Return* present(WindowFixture& f, CFamilyTaxData* family)
{
    f.window->_presentAReturn(nullptr, family);
    return dynamic_cast<Form_Return*>(f.window->currentReturnPage());
}

inline QString statusText(const WindowFixture& f)
{
    auto* label = f.window->findChild<QLabel*>("lblResult");
    return label ? label->text() : QString();
}

inline QStringList topLevel(const FolderView* tree)
{
    QStringList out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        out << tree->topLevelItem(i)->text(0);
    return out;
}

inline QStringList rowLabels(const TreeItem* branch)
{
    QStringList out;
    for (int i = 0; i < branch->childCount(); ++i)
        out << branch->child(i)->text(0);
    return out;
}

inline QTabWidget* tabs(Form_Return* page)
{
    return page->findChild<QTabWidget*>("tabForm");
}

inline QLineEdit* editor(Form_Return* page, const QString& field)
{
    for (BaseTaxPage* p : page->allPages())
        if (auto* e = p->findChild<QLineEdit*>("fld_" + field))
            return e;
    return nullptr;
}

inline TreeItem* rowOf(FolderView* tree, int kind, int type)
{
    TreeItem* branch = kind == FROM_SLIP ? tree->slipsItem() : kind == FROM_NOTE ? tree->notesItem() : tree->formsItem();
    for (int i = 0; i < branch->childCount(); ++i) {
        auto* row = static_cast<TreeItem*>(branch->child(i));
        if (row->itemType() == type)
            return row;
    }
    return nullptr;
}

} // namespace returnpage
