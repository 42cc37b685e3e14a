// The open-return page: construction, the identity of its file, the change
// test, the result lines, the person switch, colours, font size and the
// width of the left pane.
#include "workspace/form_return.h"

#include "companion/ui/formevents.h"

#include "app/mywaitcursor.h"
#include "app/tabwndapp.h"
#include "companion/ui/basetaxpage.h"
#include "companion/ui/scrolltaxform.h"
#include "model/cfamilytaxdata.h"
#include "model/returnchanges.h"
#include "model/individualtaxdata.h"
#include "model/notcomputed.h"
#include "workspace/folderview.h"
#include "workspace/mainwindow.h"
#include "workspace/treeitem.h"
#include "workspace/ui_form_return.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>

namespace {

const char kTabStyle[] =
    "QTabWidget::pane {border-top: 2px solid #1B1B1B;background: QLinearGradient(x1: 0, y1: 0, x2: 0, y2: 1, "
    "stop: 0 #E1E1E1, stop: 1 #186665); padding: 2px}QTabBar::tab {background: qlineargradient(x1: 0, y1: 0, "
    "x2: 0, y2: 1, stop: 0 #E1E1E1, stop: 0.4 #DDDDDD, stop: 0.5 #D8D8D8, stop: 1.0 #D3D3D3);border: 2px solid "
    "#C4C4C3;border-bottom-color: #C2C7CB;border-top-left-radius: 2px;border-top-right-radius: 2px;min-width: "
    "40px;height: 16px;padding: 3px;}QTabBar::tab:selected, QTabBar::tab:hover {background: qlineargradient(x1: "
    "0, y1: 0, x2: 0, y2: 1, stop: 0 #fafafa, stop: 0.4 #f4f4f4, stop: 0.5 #e7e7e7, stop: 1.0 #fafafa);}"
    "QTabBar::tab:selected {border-color: #9B9B9B;border-bottom-color: #C2C7CB;color: green;}QTabBar::tab:!"
    "selected {margin-top: 2px;}";

// Width the left pane gets when restored, and on a narrow splitter.
const int kDefaultPaneWidth = 270;
const int kNarrowPaneWidth = 30;
const int kCollapsedPaneWidth = 1;
const int kSmallestPaneWidth = 10;

} // namespace

Form_Return::Form_Return(QFileInfo* file, CFamilyTaxData* data, MainWindow* mainWindow, QWidget* parent,
                         int returnNo, int fontSize)
    : QWidget(parent),
      ui(new Ui_Form_Return),
      m_iFontSize(fontSize),
      m_iReturnNo(returnNo),
      m_pMainWindow(mainWindow),
      m_pFamilyData(data)
{
    BaseTaxPage::installAsPageFactory();
    // The form pages in the tabs send their requests here.
    setProperty(kFormEventReceiverProperty, true);
    MyWaitCursor wait;
    ui->setupUi(this);
    ui->tabForm->setStyleSheet(QString::fromLatin1(kTabStyle));
    // A form tab's page is built when the tab is first shown.
    connect(ui->tabForm, &QTabWidget::currentChanged, this, &Form_Return::onFormTabChanged);
    m_strReturnName = QStringLiteral("Return %1").arg(m_iReturnNo);

    setFilepath(file);
    refreshViewForColorFontSize();

    if (m_pFamilyData) {
        int side = 0, kind = 0, id = 0;
        m_pFamilyData->settings().getCurrentForm(side, kind, id);
        if (!m_pFamilyData->IsCoupledReturn())
            side = 0;
        m_pFamilyData->fillComboBox(ui->comboBox, side != 0);
        ui->treeFolderView->populate(m_pFamilyData);
        ui->treeFolderView->ShowItem(FROM_FORM, 0);
        if (STRUCT_FORMDATA_ITEM_2004* t1 = m_pFamilyData->GetFormDataItem(FORM_T1, false); t1 && t1->data)
            showTaxForm(0, t1->data);
        m_pFamilyDataCopy = new CFamilyTaxData(m_pFamilyData->mode());
        *m_pFamilyDataCopy = *m_pFamilyData;
    }
    _updateLogEntry();

    connect(ui->comboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &Form_Return::on_comboBox_currentIndexChanged);
    if (m_pFamilyData) {
        const ReturnChangeNotifier* changes = &m_pFamilyData->changes();
        connect(changes, &ReturnChangeNotifier::itemsChanged, this, &Form_Return::onReturnItemsChanged);
        connect(changes, &ReturnChangeNotifier::calculated, this, &Form_Return::onReturnCalculated);
        connect(changes, &ReturnChangeNotifier::filingStatusChanged, this,
                &Form_Return::onReturnFilingStatusChanged);
        connect(changes, &ReturnChangeNotifier::personSwitched, this, &Form_Return::onReturnPersonSwitched);
    }
    // Last, so that the selection made above shows nothing by itself.
    connect(ui->treeFolderView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Form_Return::onFolderViewSelChange);
}

Form_Return::~Form_Return()
{
    // What freeing the return announces is for nobody: the page is going.
    if (m_pFamilyData)
        m_pFamilyData->changes().disconnect(this);
    destroyFormTabs();
    for (CFamilyTaxData* family : {m_pFamilyData, m_pFamilyDataCopy}) {
        if (family) {
            family->FreeData();
            delete family;
        }
    }
    m_pFamilyData = m_pFamilyDataCopy = nullptr;
    delete ui;
}

FolderView* Form_Return::folderView() const
{
    return ui->treeFolderView;
}

ActionShowReturn* Form_Return::showAction() const
{
    return m_pMainWindow ? m_pMainWindow->showReturnAction(const_cast<Form_Return*>(this)) : nullptr;
}

void Form_Return::setFilepath(QFileInfo* file)
{
    if (file) {
        m_strFolder = QDir::toNativeSeparators(file->absolutePath());
        m_strFileName = file->fileName();
    } else {
        m_strFolder = CString();
        m_strFileName = CString();
    }
    if (m_pMainWindow)
        m_pMainWindow->refreshReturnEntry(this);
}

void Form_Return::getFilepath(QString& path) const
{
    if (!hasFileToSave()) {
        path.clear();
        return;
    }
    const TabWndApp* app = TabWndApp::getMainApp();
    const QString separator = app && !app->m_strSeparator.isEmpty() ? app->m_strSeparator : QString(QDir::separator());
    path = QString(m_strFolder) + separator + QString(m_strFileName);
}

QString Form_Return::getTitle() const
{
    if (!hasFileToSave())
        return tr("Untitled (unsaved)");
    return QString(m_strFolder) + QDir::separator() + QString(m_strFileName);
}

bool Form_Return::hasFileToSave() const
{
    return !m_strFolder.isEmpty() && !m_strFileName.isEmpty();
}

bool Form_Return::isChanged()
{
    if (!m_pFamilyData || !m_pFamilyDataCopy)
        return false;
    return *m_pFamilyData != *m_pFamilyDataCopy;
}

int Form_Return::getFedStringClaimed(int code, CString& text)
{
    if (!m_pFamilyData)
        return 0;
    return m_pFamilyData->getFedStringClaimed(code, text) ? 1 : 0;
}

void Form_Return::refreshReturnStatus(QString& status)
{
    CString taxpayer, spouse, family;
    if (m_pFamilyData) {
        status = m_pFamilyData->GetReturnStatusString(IndividualTaxData::kStatusOnScreen);
        m_pFamilyData->getFamilyResult(taxpayer, spouse, family);
        if (m_pMainWindow)
            m_pMainWindow->showReturnResultInStatus(CString(status));
    }
    ui->lblResultLine1->setText(taxpayer);
    ui->lblResultLine2->setText(spouse);
    ui->lblResultLine3->setText(family);
    const QStringList notComputed =
        m_pFamilyData && m_pFamilyData->getCurIndvTaxData() ? notComputedByThisProgram(*m_pFamilyData->getCurIndvTaxData())
                                                            : QStringList();
    ui->lblNotComputed->setText(QString::fromUtf8(kNotComputedHeading) + notComputed.join(QStringLiteral("; ")));
    ui->lblNotComputed->setVisible(!notComputed.isEmpty());
    m_notComputedByLine = notComputedByLine(notComputed);
    for (BaseTaxPage* page : m_listPages)
        page->setLineNotes(m_notComputedByLine);
}

int Form_Return::sideOf(int person)
{
    return person == CFamilyTaxData::kSpouse ? 1 : 0;
}

void Form_Return::on_comboBox_currentIndexChanged(int)
{
    if (m_bSwitching || !m_pFamilyData)
        return;
    const int before = m_pFamilyData->getCurIndv();
    const int wanted = ui->comboBox->currentData(Qt::UserRole).toInt();
    if (before == wanted)
        return;

    MyWaitCursor wait;
    // What was typed on the visible page belongs to the person being left.
    saveCurFormDataToDoc();
    int kind = 0, type = 0, id = 0;
    ui->treeFolderView->getSelectedData(kind, type, id);
    m_pFamilyData->settings().setCurrentForm(sideOf(before), kind, id);

    if (m_pFamilyData->setCurIndv(wanted) == before)
        return;

    m_bSwitching = true;
    ui->treeFolderView->clearSlipData();
    ui->treeFolderView->clearFormData();
    ui->treeFolderView->clearNoteData();
    destroyFormTabs();
    m_shown = ShownKey();
    ui->treeFolderView->SyncFromReturnData();
    m_bSwitching = false;

    m_pFamilyData->settings().getCurrentFormForSide(sideOf(wanted), kind, id);
    ui->treeFolderView->ShowItem(kind, id);
    if (m_listPages.empty() && !m_pCurForm)
        showT1();
    if (m_pMainWindow)
        m_pMainWindow->showReturnResultInStatus(m_pFamilyData->GetReturnStatusString(IndividualTaxData::kStatusOnScreen));
}

QString Form_Return::backgroundColour() const
{
    const TabWndApp* app = TabWndApp::getMainApp();
    return app ? QString(app->m_config.BKColor) : QStringLiteral("#d0f1ff");
}

void Form_Return::setFolderViewBKColor(const QString& colour, int pointSize)
{
    ui->treeFolderView->setStyleSheet(QStringLiteral("QTreeView {color:black;background-color:%1;font-size:%2pt;}")
                                          .arg(colour)
                                          .arg(pointSize));
}

void Form_Return::refreshViewForColorFontSize()
{
    const QString colour = backgroundColour();
    setFolderViewBKColor(colour, m_iFontSize);
    for (int i = 0; i < ui->tabForm->count(); ++i) {
        if (auto* frame = qobject_cast<ScrollTaxForm*>(ui->tabForm->widget(i)))
            frame->setBKColor(colour);
    }
    for (FormTab& tab : m_formTabs)
        if (!tab.frame)
            tab.frameColour = colour;
}

void Form_Return::changeFontSize(int pointSize)
{
    if (pointSize == m_iFontSize)
        return;
    // The pages are built again: what was typed goes into the return first.
    storePages();
    m_iFontSize = pointSize;
    if (!m_pCurForm)
        return;
    // The shown object may have gone since it was shown: never rebuild pages
    // on a freed form.
    if (CTaxData_Form* object = lookUp(m_shown))
        showTaxForm(0, object);
    else
        showT1();
    setFolderViewBKColor(backgroundColour(), m_iFontSize);
    widenLeftPaneForLabels();
}

void Form_Return::widenLeftPaneForLabels()
{
    QFont font = ui->treeFolderView->font();
    font.setPointSize(m_iFontSize);
    const QFontMetrics metrics(font);
    const int indent = ui->treeFolderView->indentation();
    int widest = 0;
    const FolderView* tree = ui->treeFolderView;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const TreeItem* branch = tree->topLevelItem(i);
        widest = qMax(widest, metrics.horizontalAdvance(branch->text(0)) + indent);
        for (int j = 0; j < branch->childCount(); ++j)
            widest = qMax(widest, metrics.horizontalAdvance(branch->child(j)->text(0)) + 2 * indent);
    }
    // Room for the frame and a vertical scroll bar.
    widest += 2 * ui->treeFolderView->frameWidth() + ui->treeFolderView->verticalScrollBar()->sizeHint().width();
    const QList<int> sizes = ui->splitter->sizes();
    const int left = sizes.value(0);
    const int total = left + sizes.value(1);
    // A collapsed pane stays collapsed; the form keeps at least half the width.
    if (left <= kSmallestPaneWidth || left >= widest)
        return;
    const int width = qMin(widest, total / 2);
    if (width > left)
        ui->splitter->setSizes({width, total - width});
}

void Form_Return::saveLeftPaneSize()
{
    if (TabWndApp* app = TabWndApp::getMainApp())
        app->m_config.LeftPaneSize = QString::number(ui->splitter->sizes().value(0));
}

bool Form_Return::setLeftpaneWidth(int width)
{
    const QList<int> sizes = ui->splitter->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    // A width that does not fit (too narrow to use, or wider than the
    // splitter) falls back to the default, clamped to half the splitter so
    // that neither the tree nor the form is squeezed to nothing.
    if (width < kSmallestPaneWidth || width > total)
        width = qMax(qMin(kDefaultPaneWidth, total / 2), qMin(kSmallestPaneWidth, total));
    ui->splitter->setSizes({width, total - width});
    return true;
}

bool Form_Return::toggleViewMode()
{
    const QList<int> sizes = ui->splitter->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (sizes.value(0) > kSmallestPaneWidth) {
        ui->splitter->setSizes({kCollapsedPaneWidth, total - kCollapsedPaneWidth});
        return false;
    }
    const int left = total > kDefaultPaneWidth ? kDefaultPaneWidth : kNarrowPaneWidth;
    ui->splitter->setSizes({left, total - left});
    return true;
}

void Form_Return::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    const TabWndApp* app = TabWndApp::getMainApp();
    bool ok = false;
    const int width = app ? QString(app->m_config.LeftPaneSize).trimmed().toInt(&ok, 10) : 0;
    setLeftpaneWidth(ok ? width : 0);
}
