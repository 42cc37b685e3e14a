#pragma once

// Steps of a ModalScript for the windows that every filing road shows (the
// agency's terms, the result dialog) and what the tests read back.
#include "common/modalscript.h"
#include "filing/ui/DlgFilingResult.h"
#include "filing/ui/DlgFilingTerm.h"

#include "companion/ui/styledwidgets.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>

namespace {

// What the result dialog showed.
struct ResultView
{
    QString title, overview, details, bottom, link;
    QString cause; // the paragraph under the details; empty when hidden
};

QPushButton* button(QWidget* w, QDialogButtonBox::StandardButton which)
{
    auto* box = w->findChild<QDialogButtonBox*>("buttonBox");
    return box ? box->button(which) : nullptr;
}

ModalScript::Step termsDialog(bool agree)
{
    return [=](QWidget* w) {
        auto* dlg = qobject_cast<DlgFilingTerm*>(w);
        if (!dlg)
            return false;
        dlg->ui()->fld_bAgree->setChecked(agree);
        dlg->ui()->buttonBox->button(agree ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        return true;
    };
}

ModalScript::Step resultDialog(ResultView* view)
{
    return [=](QWidget* w) {
        auto* dlg = qobject_cast<DlgFilingResult*>(w);
        if (!dlg)
            return false;
        if (view) {
            view->title = dlg->windowTitle();
            view->overview = dlg->ui()->lblOverview->text();
            view->details = dlg->ui()->pteDetails->toPlainText();
            view->bottom = dlg->ui()->lblBottom->text();
            view->link = dlg->ui()->lblLink->text();
            view->cause = dlg->ui()->lblCause->isHidden() ? QString() : dlg->ui()->lblCause->text();
        }
        dlg->ui()->buttonBox->button(QDialogButtonBox::Ok)->click();
        return true;
    };
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace
