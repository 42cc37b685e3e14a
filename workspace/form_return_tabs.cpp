// The open-return page's right pane: the shown object's pages in tabs, the
// recalculation after an edit, what a tree selection shows, and the
// look-up of the shown object after every structural change.
#include "workspace/form_return.h"

#include "app/mywaitcursor.h"
#include "app/tabwndapp.h"
#include "companion/forms/catalogue.h"
#include "companion/forms/cfield.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/ui/basetaxpage.h"
#include "companion/ui/scrolltaxform.h"
#include "model/cfamilytaxdata.h"
#include "model/returnchanges.h"
#include "workspace/folderview.h"
#include "workspace/treeitem.h"
#include "workspace/ui_form_return.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>

#include <vector>

namespace {

QString pageStyle(int pointSize)
{
    return QStringLiteral("QWidget {font-size: %1pt;margin-top: 1px;margin-bottom: 1px;} QPushButton {border:2px "
                          "solid #8f8f91;min-width: 80px;background-color: qlineargradient(x1: 0, y1: 0, x2: 0, "
                          "y2: 1, stop: 0 #f6f7fa, stop: 1 #dadbde);} QPushButton:pressed {background-color: "
                          "qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #dadbde, stop: 1 #f6f7fa);} "
                          "QFrame[frameShape=\"4\"],QFrame[frameShape=\"5\"]{border:none; background:#E67112;}")
        .arg(pointSize);
}

// Where a tab widget keeps its pages. A frame made there stays where it
// was made when its tab is added; one made elsewhere is moved in, which
// styles it and each of its parts again. The tab widget itself, should a
// style keep its pages otherwise.
QWidget* pageHolder(QTabWidget* tabs)
{
    if (auto* stack = tabs->findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly))
        return stack;
    return tabs;
}

QString catalogueName(const CTaxData_Form* object)
{
    switch (object->m_kind) {
    case FROM_SLIP:
        return QString::fromUtf8(getSlipName(object->m_type));
    case FROM_TAXWIZARD:
        return QString::fromUtf8(getTaxWizardName(object->m_type));
    case FROM_NOTE:
        return QCoreApplication::translate("Form_Return", "Tax Note");
    default:
        return QString::fromUtf8(getFormName(object->m_type));
    }
}

// Help pages by the branch head that shows them.
struct HelpPage
{
    TreeItem* (FolderView::*branch)() const;
    const char* file;
};

const HelpPage kHelpPages[] = {
    {&FolderView::startItem, "mkst_start.html"},
    {&FolderView::slipsItem, "mkst_slip.html"},
    {&FolderView::wizardItem, "mkst_wiz.html"},
    {&FolderView::formsItem, "mkst_form.html"},
};

} // namespace

Form_Return::ShownKey Form_Return::keyOf(const CTaxData_Form* object) const
{
    ShownKey key;
    const IndividualTaxData* person = m_pFamilyData ? m_pFamilyData->getCurIndvTaxData() : nullptr;
    if (!object || !person)
        return key;
    for (const STRUCT_FORMDATA_ITEM_2004* item : person->m_formList)
        if (item->data == object)
            return {true, FROM_FORM, item->type, item->id};
    for (const STRUCT_SLIPDATA_ITEM_2004* item : person->m_slipList)
        if (item->data == object)
            return {true, FROM_SLIP, item->type, item->id};
    for (const STRUCT_NOTEDATA_ITEM_2004* item : person->m_noteList)
        if (item->data == object)
            return {true, FROM_NOTE, 0, item->id};
    for (const STRUCT_WIZDATA_ITEM_2004* item : person->m_wizList)
        if (item->data == object)
            return {true, FROM_TAXWIZARD, item->type, item->type};
    return key;
}

CTaxData_Form* Form_Return::lookUp(const ShownKey& key) const
{
    IndividualTaxData* person = m_pFamilyData ? m_pFamilyData->getCurIndvTaxData() : nullptr;
    if (!key.valid || !person)
        return nullptr;
    switch (key.kind) {
    case FROM_FORM:
        return static_cast<const IndividualTaxData*>(person)->GetFormData(key.type, key.id);
    case FROM_SLIP:
        return person->GetSlipData(key.type, key.id, false);
    case FROM_TAXWIZARD:
        return person->GetWizData(key.type, false);
    case FROM_NOTE:
        for (const STRUCT_NOTEDATA_ITEM_2004* item : person->m_noteList)
            if (item->id == key.id)
                return item->data;
        return nullptr;
    default:
        return nullptr;
    }
}

int Form_Return::showTaxForm(int, CTaxData_Form* object)
{
    if (!object)
        return 0;
    MyWaitCursor wait;
    destroyFormTabs();
    m_pCurForm = object;
    m_shown = keyOf(object);

    // Every tab gets a bare stand-in now and its scrolling frame and page
    // when it is first shown: a form such as the T1 has many pages of
    // editors, a person reads one at a time, and a frame costs about as much
    // to make and to throw away as a dozen editors. The current tab's frame
    // and page are built here.
    std::vector<CTaxData_Form::PagePlan> plans = object->planPages();
    if (plans.empty()) {
        ui->lblFormDesc->clear();
        return -1;
    }
    {
        // Adding the first tab makes it current; its page is built below,
        // once every tab is in place.
        const QSignalBlocker quiet(ui->tabForm);
        m_formTabs.reserve(plans.size());
        QWidget* holder = pageHolder(ui->tabForm);
        for (CTaxData_Form::PagePlan& plan : plans) {
            const QString title = plan.title;
            m_formTabs.push_back(FormTab{std::move(plan), nullptr, nullptr, QString()});
            ui->tabForm->addTab(new QWidget(holder), title);
        }
    }
    if (!buildTabPage(ui->tabForm->currentIndex())) {
        // No page factory: nothing can be shown.
        destroyFormTabs();
        m_pCurForm = object;
        return -1;
    }
    ui->lblFormDesc->setText(catalogueName(object));
    return int(m_formTabs.size());
}

BaseTaxPage* Form_Return::buildTabPage(int index)
{
    if (index < 0 || index >= int(m_formTabs.size()))
        return nullptr;
    FormTab& tab = m_formTabs[size_t(index)];
    if (tab.page)
        return tab.page;
    // The planned fields belong to the shown object: a page is never built
    // for an object the return no longer holds.
    if (!m_pCurForm || lookUp(m_shown) != m_pCurForm)
        return nullptr;
    ScrollTaxForm* frame = frameOf(index);
    // The page is made in its frame, under the page style set on the
    // frame's empty viewport: its widgets take the style as they are first
    // polished. A page styled after it was built, or moved into its frame
    // after, has every widget polished again, which is most of the time a
    // page takes to show.
    frame->viewport()->setStyleSheet(pageStyle(m_iFontSize));
    BaseTaxPage* page = m_pCurForm->makePage(tab.plan, frame->viewport());
    if (!page)
        return nullptr;
    tab.page = page;
    // Polished before the frame takes it: the frame measures what it takes,
    // and a page measured before its style has set its fonts is measured
    // over again once it is shown.
    page->ensurePolished();
    frame->setContent(page);
    page->syncData();
    page->setLineNotes(m_notComputedByLine);
    connect(page, &BaseTaxPage::signalCalc, this, &Form_Return::onSignalCalc);
    m_listPages.clear();
    for (const FormTab& built : m_formTabs)
        if (built.page)
            m_listPages.push_back(built.page);
    return page;
}

ScrollTaxForm* Form_Return::frameOf(int index)
{
    FormTab& tab = m_formTabs[size_t(index)];
    if (tab.frame)
        return tab.frame;
    // The frame takes the stand-in's place in the tab, which stays current
    // if it was; the tab widget says nothing of it, as the person has not
    // moved. The frame takes no background colour unless one was chosen
    // while it waited: under the page style the page is drawn in the
    // window's own colour, as it always was.
    auto* frame = new ScrollTaxForm(tab.frameColour, pageHolder(ui->tabForm), nullptr);
    const QSignalBlocker quiet(ui->tabForm);
    const bool current = ui->tabForm->currentIndex() == index;
    QWidget* standIn = ui->tabForm->widget(index);
    const QString title = ui->tabForm->tabText(index);
    ui->tabForm->removeTab(index);
    ui->tabForm->insertTab(index, frame, title);
    if (current)
        ui->tabForm->setCurrentIndex(index);
    standIn->hide();
    standIn->deleteLater();
    tab.frame = frame;
    return frame;
}

void Form_Return::onFormTabChanged(int index)
{
    buildTabPage(index);
}

const std::list<BaseTaxPage*>& Form_Return::allPages()
{
    for (int i = 0; i < int(m_formTabs.size()); ++i)
        buildTabPage(i);
    return m_listPages;
}

bool Form_Return::goToField(const QString& fieldName)
{
    for (int i = 0; i < int(m_formTabs.size()); ++i) {
        for (const CField* field : m_formTabs[size_t(i)].plan.fields) {
            if (!field->hasName(fieldName))
                continue;
            BaseTaxPage* page = buildTabPage(i);
            QWidget* editor = page ? page->editorFor(field) : nullptr;
            if (!editor)
                return false;
            ui->tabForm->setCurrentIndex(i);
            m_formTabs[size_t(i)].frame->ensureWidgetVisible(editor);
            editor->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return false;
}

void Form_Return::destroyFormTabs()
{
    ui->lblFormDesc->clear();
    for (BaseTaxPage* page : m_listPages) {
        // A page that goes must neither ask for a recalculation nor write
        // into its form when its editor loses the focus on the way out: the
        // form may be gone already.
        disconnect(page, nullptr, this, nullptr);
        page->blockSignals(true);
        const QList<QWidget*> editors = page->findChildren<QWidget*>();
        for (QWidget* editor : editors)
            editor->blockSignals(true);
    }
    // No page is built for a tab on its way out.
    m_formTabs.clear();
    const QSignalBlocker quiet(ui->tabForm);
    // From the last: a tab taken from before the current one makes the next
    // current, which shows its frame only for it to go in turn.
    for (int last = ui->tabForm->count() - 1; last >= 0; --last) {
        QWidget* frame = ui->tabForm->widget(last);
        ui->tabForm->removeTab(last);
        frame->hide();
        frame->deleteLater();
    }
    m_listPages.clear();
    m_pCurForm = nullptr;
}

void Form_Return::storePages()
{
    if (m_listPages.empty() || !m_pCurForm || lookUp(m_shown) != m_pCurForm)
        return;
    for (BaseTaxPage* page : m_listPages)
        page->store();
}

void Form_Return::saveCurFormDataToDoc()
{
    if (m_listPages.empty())
        return;
    if (!m_pCurForm || lookUp(m_shown) != m_pCurForm) {
        // The pages are bound to an object the return no longer holds.
        revalidateShownForm();
        return;
    }
    storePages();
    onSignalCalc(m_pCurForm, nullptr);
}

void Form_Return::refreshCurTabDataFromDoc()
{
    if (!m_pCurForm || lookUp(m_shown) != m_pCurForm)
        return;
    for (BaseTaxPage* page : m_listPages)
        page->reload();
}

void Form_Return::onSignalCalc(CTaxData_Form* pData, CField*)
{
    // The return announces the recalculation, and the forms it added or
    // removed: the tree, the pages and the result lines follow from there.
    if (m_pFamilyData)
        pData ? m_pFamilyData->Calculate(pData->m_kind, pData) : m_pFamilyData->Calculate(-1, nullptr);
}

void Form_Return::onReturnItemsChanged(int person, int kind)
{
    if (!m_pFamilyData || (person != 0 && person != m_pFamilyData->getCurIndv()))
        return;
    FolderView* tree = ui->treeFolderView;
    const bool wasSwitching = m_bSwitching;
    m_bSwitching = true;
    switch (kind) {
    case FROM_FORM: tree->SyncFromFormData(); break;
    case FROM_SLIP: tree->SyncFromSlipData(); break;
    case FROM_NOTE: tree->SyncFromNoteData(); break;
    case FROM_TAXWIZARD: tree->SyncFromWizardData(); break;
    default: tree->SyncFromReturnData(); break;
    }
    m_bSwitching = wasSwitching;
    // The shown object may be the one that went.
    if (!revalidateShownForm() || !tree->currentItem())
        selectShownRow();
}

void Form_Return::onReturnCalculated()
{
    if (!m_pFamilyData)
        return;
    if (revalidateShownForm())
        refreshCurTabDataFromDoc();
    syncFolderView(false, false);
    QString status;
    refreshReturnStatus(status);
}

void Form_Return::onReturnFilingStatusChanged(int)
{
    // The filing marks and confirmations show on the pages.
    refreshCurTabDataFromDoc();
}

void Form_Return::onReturnPersonSwitched(int person)
{
    // Switched from elsewhere than the person chooser: the chooser follows,
    // and its own handler shows the person.
    const int index = ui->comboBox->findData(person, Qt::UserRole);
    if (index >= 0 && index != ui->comboBox->currentIndex() && !m_bSwitching)
        ui->comboBox->setCurrentIndex(index);
}

void Form_Return::syncFolderView(bool forms, bool slips)
{
    FolderView* tree = ui->treeFolderView;
    const bool wasSwitching = m_bSwitching;
    m_bSwitching = true;
    if (forms)
        tree->SyncFromFormData();
    else
        tree->SyncFormsName();
    if (slips)
        tree->SyncFromSlipData();
    else
        tree->SyncSlipsNotesName();
    m_bSwitching = wasSwitching;
    if (!revalidateShownForm() || !tree->currentItem())
        selectShownRow();
}

bool Form_Return::revalidateShownForm()
{
    if (!m_shown.valid)
        return true;
    CTaxData_Form* now = lookUp(m_shown);
    if (now && now == m_pCurForm && !m_listPages.empty())
        return true;
    if (now) {
        showTaxForm(0, now);
        return false;
    }
    destroyFormTabs();
    showT1();
    return false;
}

void Form_Return::showT1()
{
    STRUCT_FORMDATA_ITEM_2004* t1 = m_pFamilyData ? m_pFamilyData->GetFormDataItem(FORM_T1, false) : nullptr;
    if (!t1 || !t1->data) {
        destroyFormTabs();
        m_shown = ShownKey();
        return;
    }
    showTaxForm(0, t1->data);
    selectShownRow();
}

void Form_Return::selectShownRow()
{
    if (!m_shown.valid)
        return;
    FolderView* tree = ui->treeFolderView;
    TreeItem* row = m_shown.kind == FROM_FORM && m_shown.type == FORM_T1KS ? tree->resultItem()
                                                                                 : tree->findItem(m_shown.kind, m_shown.id);
    if (!row || tree->currentItem() == row)
        return;
    const bool wasSwitching = m_bSwitching;
    m_bSwitching = true;
    tree->setCurrentItem(row);
    m_bSwitching = wasSwitching;
}

void Form_Return::onFolderViewSelChange(const QItemSelection&, const QItemSelection&)
{
    if (m_bSwitching || !m_pFamilyData)
        return;
    FolderView* tree = ui->treeFolderView;
    TreeItem* chosen = tree->getSelected();
    if (!chosen)
        return;
    MyWaitCursor wait;
    // What was typed on the visible page goes into the return before its
    // tabs are replaced. The recalculation may rebuild the tree: the chosen
    // row is found again by its key.
    const bool isBranch = chosen->isBranch();
    const int chosenKind = chosen->itemKind();
    const int chosenId = chosen->itemId();
    saveCurFormDataToDoc();
    TreeItem* row = isBranch ? chosen : tree->findItem(chosenKind, chosenId);
    if (!row)
        return;
    if (tree->currentItem() != row) {
        const bool wasSwitching = m_bSwitching;
        m_bSwitching = true;
        tree->setCurrentItem(row);
        m_bSwitching = wasSwitching;
    }

    CTaxData_Form* object = nullptr;
    const QTreeWidgetItem* parent = row->parent();
    if (row == tree->resultItem()) {
        object = m_pFamilyData->GetFormData(FORM_T1KS, false);
    } else if (parent == tree->formsItem() || parent == tree->slipsItem() || parent == tree->wizardItem() ||
               parent == tree->notesItem()) {
        object = tree->dataObject(row);
    } else {
        for (const HelpPage& help : kHelpPages) {
            if ((tree->*help.branch)() == row) {
                showHtml(QString(), helpPageUrl(QString::fromLatin1(help.file)));
                return;
            }
        }
        return; // the Tax Notes head shows nothing new
    }
    if (object)
        showTaxForm(0, object);
}

QString Form_Return::helpPageUrl(const QString& fileName)
{
    const QString folder = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../Resources/help/mkst");
    return QUrl::fromLocalFile(folder + QLatin1Char('/') + fileName).toString();
}

int Form_Return::showHtml(const QString&, const QString& url)
{
    destroyFormTabs();
    m_pCurForm = nullptr;
    m_shown = ShownKey();
    auto* browser = new QTextBrowser(ui->tabForm);
    browser->setObjectName(QStringLiteral("quickHelp"));
    browser->setSource(QUrl(url, QUrl::TolerantMode));
    auto* frame = new ScrollTaxForm(QStringLiteral("white"), this, browser);
    ui->tabForm->addTab(frame, tr("Quick Help"));
    return 99;
}

void Form_Return::forwardTaxFormThere(ENUMTYPE_FORM type)
{
    if (type == 0 || !m_pFamilyData)
        return;
    MyWaitCursor wait;
    if (const ENUMTYPE_FORM companion = m_pFamilyData->FindExtraFormToBeAdded(type)) {
        if (!m_pFamilyData->GetFormDataItem(companion, true))
            return;
    }
    STRUCT_FORMDATA_ITEM_2004* item = m_pFamilyData->GetFormDataItem(type, true);
    if (!item)
        return;
    const int id = item->id;
    // New forms change the return: recalculate before showing them.
    onSignalCalc(nullptr, nullptr);
    syncFolderView(true, false);
    ui->treeFolderView->ShowItem(FROM_FORM, id);
    if (!(m_shown.valid && m_shown.kind == FROM_FORM && m_shown.id == id)) {
        if (CTaxData_Form* form = lookUp({true, FROM_FORM, type, id}))
            showTaxForm(0, form);
    }
}
