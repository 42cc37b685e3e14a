#include "workspace/viewintroduction.h"

#include "app/tabwndapp.h"
#include "companion/core/messages.h"
#include "companion/ui/urlopener.h"
#include "workspace/mainwindow.h"
#include "workspace/ui_viewintroduction.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QUrl>

ViewIntroduction::ViewIntroduction(TabWndApp* app, MainWindow* mainWindow, QWidget* parent)
    : QWidget(parent), m_bFirstShow(true), ui(new Ui_ViewIntroduction), m_pMainWindow(mainWindow), m_pApp(app)
{
    ui->setupUi(this);
    ui->prefButton->setIcon(QIcon(QStringLiteral(":/res/images/icon_setting.ico")));
    ui->newButton->setIcon(QIcon(QStringLiteral(":/res/images/icon_blank.ico")));

    QTableView* table = ui->tableView;
    table->verticalHeader()->hide();
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setStyleSheet(QStringLiteral("QHeaderView::section {background-color: cyan; font-weight: bold; height:24;}"));
    table->horizontalHeader()->setStretchLastSection(true);
    table->setSortingEnabled(false);

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &ViewIntroduction::ShowContextMenu);
}

ViewIntroduction::~ViewIntroduction()
{
    delete ui;
}

void ViewIntroduction::reloadEntries()
{
    if (!m_pApp)
        return;
    // The whole list is loaded; the filter model picks the rows to show, so
    // that a path or a S.I.N. can match as well as a name.
    m_pApp->m_dbManager.loadAllHistoryItems(m_pApp->m_returnEntries, QString());
}

void ViewIntroduction::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    reloadEntries();
    if (m_bFirstShow) {
        if (m_pApp)
            m_proxyModel.setSourceModel(&m_pApp->m_returnEntries);
        ui->tableView->setModel(&m_proxyModel);
        ui->tableView->setColumnWidth(0, 508);
        ui->tableView->setColumnWidth(1, 168);
        m_bFirstShow = false;
    } else {
        ui->tableView->reset();
    }
}

void ViewIntroduction::on_edtFilter_textChanged(const QString& arg1)
{
    QStringList sinNames;
    const QString digits = RecentReturnFilter::sinDigits(arg1);
    if (!digits.isEmpty() && m_pApp)
        sinNames = RecentReturnFilter::namesWithSin(m_pApp->m_dbManager.db(), digits);
    m_proxyModel.setFilter(arg1, sinNames);
}

void ViewIntroduction::on_resetFilterButton_clicked()
{
    ui->edtFilter->clear();
}

void ViewIntroduction::on_newButton_clicked()
{
    m_pMainWindow->actionNewReturn();
}

void ViewIntroduction::on_importButton_clicked()
{
    m_pMainWindow->on_actionImport_Prior_Year_s_Return_triggered();
}

void ViewIntroduction::on_prefButton_clicked()
{
    m_pMainWindow->on_actionPreference_triggered();
}

QString ViewIntroduction::pathOfProxyIndex(const QModelIndex& index) const
{
    if (!m_pApp || !index.isValid())
        return QString();
    return m_pApp->m_returnEntries.getFilePath(m_proxyModel.mapToSource(index));
}

int ViewIntroduction::selectedSourceRow() const
{
    const QItemSelectionModel* selection = ui->tableView->selectionModel();
    if (!selection)
        return -1;
    const QModelIndexList rows = selection->selectedRows();
    if (rows.isEmpty())
        return -1;
    return m_proxyModel.mapToSource(rows.first()).row();
}

void ViewIntroduction::openPath(const QString& path)
{
    if (!path.isEmpty())
        m_pMainWindow->openReturnFile(path);
}

void ViewIntroduction::on_openButton_clicked()
{
    if (!m_pMainWindow->canOpenMoreReturn())
        return;
    const int row = selectedSourceRow();
    if (row >= 0 && m_pApp)
        openPath(m_pApp->m_returnEntries.getFilePath(row));
}

void ViewIntroduction::on_tableView_doubleClicked(const QModelIndex& index)
{
    if (!m_pMainWindow->canOpenMoreReturn())
        return;
    openPath(pathOfProxyIndex(index));
}

void ViewIntroduction::keyPressEvent(QKeyEvent* event)
{
    const bool openKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (openKey && ui->tableView->hasFocus() && selectedSourceRow() >= 0) {
        const QModelIndexList rows = ui->tableView->selectionModel()->selectedRows();
        on_tableView_doubleClicked(rows.first());
        return;
    }
    QWidget::keyPressEvent(event);
}

void ViewIntroduction::on_delButton_clicked()
{
    const QString title = tr("Remove Return");
    const int row = selectedSourceRow();
    if (row < 0 || !m_pApp) {
        promptInformation(this, title, tr("Please choose a return file entry first."), Prompt::Ok);
        return;
    }
    const QString path = m_pApp->m_returnEntries.getFilePath(row);
    // Deleting the file of an open return would leave its page saving into
    // a file the user believes gone.
    if (m_pMainWindow->findOpenReturn(path)) {
        promptInformation(this, title,
                          tr("This return file is open. Please close it before removing it."), Prompt::Ok);
        return;
    }
    const Prompt::StandardButton answer =
        promptQuestion(this, title,
                       tr("Please confirm to remove this return file? This change is unrecoverable.")
                           + QStringLiteral("\n\n") + QDir::toNativeSeparators(path),
                       Prompt::Ok | Prompt::Cancel);
    if (answer != Prompt::Ok)
        return;
    const QModelIndex index = m_pApp->m_returnEntries.index(row, 0);
    switch (m_pApp->m_dbManager.removeReturnEntry(m_pApp->m_returnEntries, index)) {
    case CSqliteDBManager::EntryRemoved:
    case CSqliteDBManager::NoSuchEntry:
        break;
    case CSqliteDBManager::FileNotDeleted:
        promptWarning(this, title, tr("The return file %1 cannot be deleted. It is kept in the list.").arg(path),
                      Prompt::Ok);
        break;
    default:
        promptWarning(this, title,
                      tr("The return file %1 was deleted, but the list of recent returns could not be updated.")
                          .arg(path),
                      Prompt::Ok);
        break;
    }
}

QString ViewIntroduction::selectedFolder() const
{
    const int row = selectedSourceRow();
    if (row < 0 || !m_pApp)
        return QString();
    const QString path = m_pApp->m_returnEntries.getFilePath(row);
    return path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
}

void ViewIntroduction::ShowContextMenu(const QPoint& pos)
{
    QMenu contextMenu(tr("Context menu"), this);
    QAction* openFolder = contextMenu.addAction(tr("Open containing folder"));
    connect(openFolder, &QAction::triggered, this, &ViewIntroduction::gotoSelectedFolder);
    QAction* copyFolder = contextMenu.addAction(tr("Copy containing folder path"));
    connect(copyFolder, &QAction::triggered, this, &ViewIntroduction::copySelectedFolder);
    contextMenu.exec(mapToGlobal(pos));
}

void ViewIntroduction::gotoSelectedFolder()
{
    const QString folder = selectedFolder();
    if (!folder.isEmpty())
        UrlOpener::open(QUrl::fromLocalFile(folder));
}

void ViewIntroduction::copySelectedFolder()
{
    const QString folder = selectedFolder();
    if (!folder.isEmpty())
        QGuiApplication::clipboard()->setText(folder);
}
