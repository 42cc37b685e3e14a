#include "dialogs/dlgfindfiles.h"

#include "companion/core/messages.h"
#include "dialogs/dialogframe.h"
#include "dialogs/findfilesplan.h"
#include "dialogs/foundfilelist.h"
#include "dialogs/threadfindfiles.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace {

QPushButton* button(QWidget* parent, const char* objectName, const QString& text)
{
    auto* out = new QPushButton(text, parent);
    out->setObjectName(QString::fromLatin1(objectName));
    return out;
}

QString canonicalOrAbsolute(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

// Reading and writing the list is short; the cursor says the window is busy.
class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

DlgFindFiles::DlgFindFiles(const QString& title, const QString& saveFilePath, FoundFileOpener opener,
                           QWidget* parent)
    : QDialog(parent), m_saveFilePath(saveFilePath), m_opener(std::move(opener))
{
    setObjectName(QStringLiteral("DlgFindFiles"));
    setWindowTitle(title);
    m_model = new QStandardItemModel(this);
    buildLayout();
    loadFromSaveFile();
    listView->setModel(m_model);

    connect(btnSearch, &QPushButton::clicked, this, &DlgFindFiles::on_btnSearch_clicked);
    connect(btnStop, &QPushButton::clicked, this, &DlgFindFiles::on_btnStop_clicked);
    connect(btnClose, &QPushButton::clicked, this, &DlgFindFiles::on_btnClose);
    connect(btnOpen, &QPushButton::clicked, this, &DlgFindFiles::on_btnOpenReturn);
    connect(btnClear, &QPushButton::clicked, this, &DlgFindFiles::on_btnClearResult);
}

DlgFindFiles::~DlgFindFiles()
{
    stopAndWaitForSearch();
}

void DlgFindFiles::buildLayout()
{
    using namespace dialogframe;
    resize(kWidth, kHeight);
    setPointSize(this, 12);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        label(this, "label001", tr("First please choose which tax year's return file to search in the computer:")));

    radLastYear = new QRadioButton(tr("Year 2023"), this);
    radLastYear->setObjectName(QStringLiteral("radLastYear"));
    radCurYear = new QRadioButton(tr("Current Year 2024"), this);
    radCurYear->setObjectName(QStringLiteral("radCurYear"));
    radPriorYears = new QRadioButton(tr("Year before 2023"), this);
    radPriorYears->setObjectName(QStringLiteral("radPriorYears"));
    grpSearchOption = new QButtonGroup(this);
    grpSearchOption->setObjectName(QStringLiteral("grpSearchOption"));
    grpSearchOption->addButton(radLastYear, findfiles::LastYear);
    grpSearchOption->addButton(radCurYear, findfiles::CurrentYear);
    grpSearchOption->addButton(radPriorYears, findfiles::PriorYears);
    auto* years = new QHBoxLayout;
    for (QRadioButton* radio : {radLastYear, radCurYear, radPriorYears})
        years->addWidget(radio);
    layout->addLayout(years);

    layout->addWidget(label(this, "label", tr("Next, please click search button to begin the search process")));
    btnSearch = button(this, "btnSearch", tr("Search"));
    btnStop = button(this, "btnStop", tr("Stop"));
    btnClear = button(this, "btnClear", tr("Clear Result"));
    auto* searchRow = new QHBoxLayout;
    for (QPushButton* b : {btnSearch, btnStop, btnClear})
        searchRow->addWidget(b);
    layout->addLayout(searchRow);

    lblSearching = label(this, "lblSearching", QString());
    lblSearching->setWordWrap(true);
    layout->addWidget(lblSearching);
    layout->addWidget(label(this, "label_2", tr("Files Found, choose a file then select button \"Import\" or \"Open\"")));
    listView = new QListView(this);
    listView->setObjectName(QStringLiteral("listView"));
    listView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(listView, 1);

    btnOpen = button(this, "btnOpen", tr("Open/Import the Selected Return File"));
    btnClose = button(this, "btnClose", tr("Close"));
    auto* openRow = new QHBoxLayout;
    openRow->addWidget(btnOpen);
    openRow->addWidget(btnClose);
    layout->addLayout(openRow);
}

QStringList DlgFindFiles::listedPaths() const
{
    QStringList paths;
    for (int row = 0; row < m_model->rowCount(); ++row)
        paths << m_model->item(row)->text();
    return paths;
}

void DlgFindFiles::appendRow(const QString& path, const QString& canonicalPath)
{
    if (m_listed.contains(canonicalPath))
        return;
    m_listed.insert(canonicalPath);
    auto* item = new QStandardItem(path);
    item->setEditable(false);
    m_model->appendRow(item);
}

void DlgFindFiles::loadFromSaveFile()
{
    BusyCursor busy;
    for (const QString& path : foundfilelist::read(m_saveFilePath))
        appendRow(path, canonicalOrAbsolute(path));
}

void DlgFindFiles::saveToSaveFile()
{
    BusyCursor busy;
    // The list is a convenience: when it cannot be written, the next use
    // starts from the list last written.
    foundfilelist::write(m_saveFilePath, listedPaths());
}

bool DlgFindFiles::continueIfSearchStopped()
{
    if (!m_worker)
        return true;
    gMsgInformation(m_opener.edition, tr("Please stop the search process first"), this);
    return false;
}

void DlgFindFiles::on_btnSearch_clicked()
{
    if (m_worker)
        return;
    const QStringList suffixes = findfiles::suffixesForYear(grpSearchOption->checkedId());
    if (suffixes.isEmpty()) {
        promptWarning(this, tr("Warning"), tr("Please choose search file option first!"));
        return;
    }
    m_worker = new ThreadFindFiles(this);
    // The worker emits from its own thread; queued delivery runs these slots
    // on the dialog's thread in the order the worker sent them.
    connect(m_worker, &ThreadFindFiles::fileFound, this, &DlgFindFiles::onFileFound, Qt::QueuedConnection);
    connect(m_worker, &ThreadFindFiles::statusChanged, this, &DlgFindFiles::onStatusChanged, Qt::QueuedConnection);
    connect(m_worker, &ThreadFindFiles::progressChanged, this, &DlgFindFiles::onProgressChanged,
            Qt::QueuedConnection);
    connect(m_worker, &QThread::finished, this, &DlgFindFiles::onThreadFinished, Qt::QueuedConnection);
    m_worker->setFileSuffixForSearch(findfiles::searchFolders(), suffixes);
    m_worker->start();
}

void DlgFindFiles::on_btnStop_clicked()
{
    if (m_worker)
        m_worker->cancel();
}

void DlgFindFiles::onFileFound(const QString& path, const QString& canonicalPath)
{
    appendRow(path, canonicalPath);
}

void DlgFindFiles::onStatusChanged(const QString& text)
{
    m_statusText = text;
}

void DlgFindFiles::onProgressChanged(int nSeconds)
{
    // Both values in one call: a path holding "%1" stays text.
    lblSearching->setText(QStringLiteral("(%1 seconds) %2").arg(QString::number(nSeconds), m_statusText));
}

void DlgFindFiles::onThreadFinished()
{
    auto* finished = qobject_cast<ThreadFindFiles*>(sender());
    if (finished && finished != m_worker)
        return;
    m_statusText = tr("search stopped");
    lblSearching->setText(m_statusText);
    if (m_worker) {
        m_worker->deleteLater();
        m_worker = nullptr;
    }
    saveToSaveFile();
}

void DlgFindFiles::stopAndWaitForSearch()
{
    if (!m_worker)
        return;
    m_worker->cancel();
    m_worker->wait();
    // What the worker sent before it ended is waiting in the queue: its rows
    // and its end, which saves the list.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    if (m_worker) {
        m_worker->deleteLater();
        m_worker = nullptr;
        saveToSaveFile();
    }
}

void DlgFindFiles::reject()
{
    stopAndWaitForSearch();
    QDialog::reject();
}

void DlgFindFiles::closeEvent(QCloseEvent* event)
{
    stopAndWaitForSearch();
    QDialog::closeEvent(event);
}

void DlgFindFiles::on_btnClose()
{
    on_btnStop_clicked();
    reject();
}

void DlgFindFiles::on_btnClearResult()
{
    if (!continueIfSearchStopped())
        return;
    m_model->clear();
    m_listed.clear();
}

void DlgFindFiles::on_btnOpenReturn()
{
    if (!continueIfSearchStopped())
        return;
    const QModelIndex current = listView->currentIndex();
    if (!current.isValid())
        return;
    const QString path = m_model->index(current.row(), 0).data().toString();
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        gMsgInformation(m_opener.edition, tr("cannot read this file"), this);
        return;
    }
    switch (findfiles::useOfFoundFile(path)) {
    case findfiles::FoundFileUse::Open:
        if (m_opener.openReturnFile)
            m_opener.openReturnFile(path);
        break;
    case findfiles::FoundFileUse::Import:
        if (m_opener.importReturnFile)
            m_opener.importReturnFile(path);
        break;
    case findfiles::FoundFileUse::TooOld:
        gMsgInformation(m_opener.edition,
                        tr("This return file is of 2022 or earlier. Only this year's (.r24) return files can be "
                           "opened and last year's (.r23) imported."),
                        this);
        return;
    }
    reject();
}
