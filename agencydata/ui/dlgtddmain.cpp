#include "agencydata/ui/dlgtddmain.h"

#include "agencydata/TddHttpServer.h"
#include "agencydata/records/dataafr.h"
#include "agencydata/records/tddtaxdataoneperson.h"
#include "agencydata/ui/afr_data.h"
#include "agencydata/ui/afr_message.h"
#include "agencydata/ui/afr_option.h"
#include "agencydata/ui/dlgtddentersin.h"
#include "agencydata/ui/dlgtddprogresswait.h"
#include "agencydata/ui/tdddataentry.h"
#include "companion/core/messages.h"
#include "companion/core/outsidexml.h"
#include "companion/core/sincheck.h"
#include "companion/ui/urlopener.h"
#include "companion/ui/wizardbase.h"
#include "model/autofillapply.h"
#include "model/cfamilytaxdata.h"

#include <tinyxml.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

static void initTermsResources()
{
    Q_INIT_RESOURCE(tddtemplates);
}

namespace {

// The wait cursor for as long as it lives.
struct WaitCursor
{
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

bool sameSin(const CString& a, const CString& b)
{
    const std::string left = normaliseSIN(a.toUtf8().constData());
    return !left.empty() && left == normaliseSIN(b.toUtf8().constData());
}

QString joined(const std::list<CString>& notes)
{
    QStringList lines;
    for (const CString& note : notes)
        lines << note;
    return lines.join(QLatin1Char('\n'));
}

} // namespace

DlgTDDMain::DlgTDDMain(short forWhich, QSqlDatabase& db, const CString& sin, const TddMainContext& context,
                       QWidget* parent)
    : QDialog(parent), m_forWhich(forWhich), m_db(db), m_sin(sin), m_context(context),
      m_model(new TDDDataEntriesModel(this)), m_proxy(new QSortFilterProxyModel(this))
{
    initTermsResources();
    setObjectName(QStringLiteral("DlgTDDMain"));
    resize(813, 423);
    setWindowTitle(isAutoFill() ? QStringLiteral("Auto Fill Tax Data") : QStringLiteral("Express Notice of Assessment"));
    auto* layout = new QVBoxLayout(this);
    m_label = new QLabel(
        QStringLiteral("Click 'New' to fetch new tax data; 'View' to show tax data; 'Remove' to delete tax data."), this);
    m_label->setObjectName(QStringLiteral("label"));
    layout->addWidget(m_label);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tableView"));
    layout->addWidget(m_table);
    auto* buttons = new QHBoxLayout();
    layout->addLayout(buttons);
    auto makeButton = [&](const char* name, const char* text) {
        auto* button = new QPushButton(QString::fromLatin1(text), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        buttons->addWidget(button);
        return button;
    };
    m_btnView = makeButton("btnView", "View");
    m_btnNew = makeButton("btnNew", "New/Update");
    m_btnRemove = makeButton("btnRemove", "Remove");
    m_btnClose = makeButton("btnClose", "Close");
    m_btnClose->setDefault(true);
    connect(m_btnView, &QPushButton::clicked, this, &DlgTDDMain::on_btnView_clicked);
    connect(m_btnNew, &QPushButton::clicked, this, &DlgTDDMain::on_btnNew_clicked);
    connect(m_btnRemove, &QPushButton::clicked, this, &DlgTDDMain::on_btnRemove_clicked);
    connect(m_btnClose, &QPushButton::clicked, this, &DlgTDDMain::on_btnClose_clicked);

    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setStyleSheet(QStringLiteral("QHeaderView::section {background-color:cyan; font-weight:bold; height:22;}"));
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSortingEnabled(true);
    m_proxy->setSourceModel(m_model);
    m_table->setModel(m_proxy);
}

DlgTDDMain::~DlgTDDMain() = default;

void DlgTDDMain::showEvent(QShowEvent* event)
{
    RefillItems();
    m_table->setColumnWidth(0, 120);
    m_table->setColumnWidth(1, 260);
    m_table->setColumnWidth(2, 50);
    QDialog::showEvent(event);
}

void DlgTDDMain::tell(const QString& text)
{
    gMsgInformation(m_context.edition, text, this);
}

bool DlgTDDMain::ask(const QString& text)
{
    return gMsgQuestion(m_context.edition, text, this) == Prompt::Yes;
}

int DlgTDDMain::RefillItems()
{
    m_model->clear();
    return isAutoFill() ? LoadTDDDataFromDB() : LoadNOADataFromDB();
}

int DlgTDDMain::LoadTDDDataFromDB()
{
    return loadRows(QStringLiteral("select p.sin, d.id, d.create_time, d.taxyear from tb_taxdata d, tb_taxpayers p "
                                   "where d.uid=p.id order by create_time desc"));
}

int DlgTDDMain::LoadNOADataFromDB()
{
    return loadRows(QStringLiteral("select p.sin, d.id, d.create_time, d.taxyear from tb_taxnoa d, tb_taxpayers p "
                                   "where d.uid=p.id order by create_time desc"));
}

int DlgTDDMain::loadRows(const QString& sql)
{
    QSqlQuery query(m_db);
    if (!query.prepare(sql) || !query.exec()) {
        tell(QStringLiteral("The stored records cannot be read: %1").arg(query.lastError().text()));
        return 0;
    }
    int rows = 0;
    while (query.next()) {
        m_model->append(new TDDDataEntry(query.value(QStringLiteral("id")).toInt(),
                                         query.value(QStringLiteral("sin")).toString(),
                                         query.value(QStringLiteral("create_time")).toString(),
                                         query.value(QStringLiteral("taxyear")).toInt()));
        ++rows;
    }
    return rows;
}

int DlgTDDMain::LoadHtmlByIDFromDB(int id, CString& sin, int& taxYear, CString& html)
{
    QSqlQuery query(m_db);
    const QString sql =
        isAutoFill() ? QStringLiteral("select p.sin, html1, create_time, taxyear from tb_taxdata d, tb_taxpayers p "
                                      "where d.id=:id and p.id=d.uid order by create_time desc")
                     : QStringLiteral("select p.sin, htmlfile, create_time from tb_taxnoa d, tb_taxpayers p "
                                      "where d.id=:id and p.id=d.uid order by create_time desc");
    if (!query.prepare(sql)) {
        tell(QStringLiteral("The stored record cannot be read: %1").arg(query.lastError().text()));
        return 0;
    }
    query.bindValue(QStringLiteral(":id"), id);
    if (!query.exec()) {
        tell(QStringLiteral("The stored record cannot be read: %1").arg(query.lastError().text()));
        return 0;
    }
    if (!query.next())
        return 0;
    sin = CString(query.value(QStringLiteral("sin")).toString());
    if (isAutoFill()) {
        html = CString(query.value(QStringLiteral("html1")).toString());
        taxYear = query.value(QStringLiteral("taxyear")).toInt();
    } else {
        html = CString(query.value(QStringLiteral("htmlfile")).toString());
    }
    return 1;
}

int DlgTDDMain::LoadPersonDataByIDFromDB(int id, TDDTaxDataOnePerson& person)
{
    QSqlQuery query(m_db);
    if (!query.prepare(QStringLiteral("select data1, create_time from tb_taxdata where id=:id order by create_time desc")))
        return -100;
    query.bindValue(QStringLiteral(":id"), id);
    if (!query.exec())
        return -100;
    if (!query.next())
        return 0;
    const QByteArray xml = query.value(QStringLiteral("data1")).toString().toUtf8();
    // The stored text is a copy of the agency's reply: it passes the same
    // guard as the reply did.
    TiXmlDocument document;
    if (!parseOutsideXml(document, xml.constData(), static_cast<std::size_t>(xml.size()), TIXML_DEFAULT_ENCODING)
        || document.Error() || !document.RootElement())
        return -2;
    // An item that names no taxpayer is no record to apply.
    if (person.parseXMLData(document.RootElement()) != 0)
        return -2;
    return 1;
}

bool DlgTDDMain::isRemovableNoticePage(const QString& path, int id)
{
    const QFileInfo page(path);
    if (path.isEmpty() || !page.isAbsolute() || m_context.noticeFolder.isEmpty())
        return false;
    const QString folder = QFileInfo(m_context.noticeFolder).canonicalFilePath();
    const QString canonical = page.canonicalFilePath();
    if (folder.isEmpty() || canonical.isEmpty() || !canonical.startsWith(folder + QLatin1Char('/')))
        return false;
    QSqlQuery others(m_db);
    others.prepare(QStringLiteral("select count(*) from tb_taxnoa where htmlfile=:path and id<>:id"));
    others.bindValue(QStringLiteral(":path"), path);
    others.bindValue(QStringLiteral(":id"), id);
    return others.exec() && others.next() && others.value(0).toInt() == 0;
}

bool DlgTDDMain::removeByIDFromDB(int id)
{
    QString page;
    if (!isAutoFill()) {
        CString sin, text;
        int year = 0;
        if (LoadHtmlByIDFromDB(id, sin, year, text))
            page = text;
        if (!isRemovableNoticePage(page, id))
            page.clear();
    }
    QSqlQuery query(m_db);
    query.prepare(isAutoFill() ? QStringLiteral("delete from tb_taxdata where id=:uid")
                               : QStringLiteral("delete from tb_taxnoa where id=:uid"));
    query.bindValue(QStringLiteral(":uid"), id);
    if (!query.exec()) {
        tell(QStringLiteral("The record cannot be removed: %1").arg(query.lastError().text()));
        return false;
    }
    if (!page.isEmpty())
        QFile::remove(page);
    return true;
}

QModelIndex DlgTDDMain::selectedModelIndex() const
{
    const QModelIndexList rows = m_table->selectionModel() ? m_table->selectionModel()->selectedRows(0)
                                                           : QModelIndexList();
    if (rows.isEmpty())
        return QModelIndex();
    return m_proxy->mapToSource(rows.first());
}

TDDDataEntry* DlgTDDMain::getSelEntry() const
{
    const QModelIndex index = selectedModelIndex();
    return index.isValid() ? m_model->getElementData(index.row()) : nullptr;
}

void DlgTDDMain::on_btnClose_clicked()
{
    reject();
}

void DlgTDDMain::on_btnRemove_clicked()
{
    TDDDataEntry* entry = getSelEntry();
    if (!entry)
        return;
    if (!ask(QStringLiteral("Do you want to remove the selected record (S.I.N. %1, tax year %2)?")
                 .arg(entry->getName())
                 .arg(entry->getTaxyear())))
        return;
    const QModelIndex index = selectedModelIndex();
    if (removeByIDFromDB(entry->getId()))
        m_model->remove(index);
}

void DlgTDDMain::on_btnView_clicked()
{
    TDDDataEntry* entry = getSelEntry();
    if (!entry)
        return;
    CString sin, html;
    int taxYear = 0;
    if (!LoadHtmlByIDFromDB(entry->getId(), sin, taxYear, html)) {
        tell(QStringLiteral("The selected record cannot be found."));
        return;
    }
    if (isAutoFill())
        viewAutoFill(*entry, sin, taxYear, html);
    else
        viewNotice(html);
}

void DlgTDDMain::viewNotice(const CString& text)
{
    if (text.startsWith(QLatin1String("For "))) {
        tell(text);
        return;
    }
    if (text.isEmpty() || !QFileInfo(text).isFile()) {
        tell(QStringLiteral("cannot find the file for viewing"));
        return;
    }
    UrlOpener::open(QUrl::fromLocalFile(text));
}

void DlgTDDMain::viewAutoFill(const TDDDataEntry& entry, const CString& sin, int taxYear, const CString& html)
{
    IndividualTaxData* person = m_context.family ? m_context.family->getCurIndvTaxData() : nullptr;
    bool canApply = person && sameSin(m_sin, sin);
    if (canApply && taxYear != person->m_taxYear) {
        tell(QStringLiteral("This record is for the tax year %1 and the open return for %2: it can be viewed, "
                            "not applied.")
                 .arg(taxYear)
                 .arg(person->m_taxYear));
        canApply = false;
    }
    DataAFR options;
    WizardBase wizard(this, QStringLiteral("Auto-Fill Tax Return"));
    wizard.addPage(new AFR_Data(html, &wizard));
    if (canApply) {
        wizard.addPage(new AFR_Message(&options, &wizard));
        wizard.addPage(new AFR_Option(&options, &wizard));
        wizard.setButtonText(QWizard::FinishButton, QStringLiteral("Auto-Fill Return"));
    }
    wizard.initUI(800, 700);
    wizard.setWizardStyle(QWizard::ClassicStyle);
    if (wizard.exec() != QDialog::Accepted || !canApply)
        return;
    applyRecord(entry.getId(), taxYear, options);
}

void DlgTDDMain::applyRecord(int id, int taxYear, DataAFR& options)
{
    IndividualTaxData* person = m_context.family->getCurIndvTaxData();
    if (AutoFillApply::holdsEarlierApply(*person) &&
        !ask(QStringLiteral("This return already holds tax data of an earlier Auto-Fill. Applying again replaces "
                            "those slips and amounts, and your changes to them are lost.\n\nDo you want to continue?")))
        return;
    TDDTaxDataOnePerson record(taxYear);
    const int loaded = LoadPersonDataByIDFromDB(id, record);
    if (loaded != 1) {
        tell(QStringLiteral("The stored tax data cannot be read (code %1): nothing was applied to the return.")
                 .arg(loaded));
        return;
    }
    std::list<CString> notes;
    {
        WaitCursor wait;
        m_context.family->AutoFillReturn(record, &options, &notes);
        if (m_context.afterApply)
            m_context.afterApply();
    }
    if (!notes.empty())
        tell(joined(notes));
    close();
}

void DlgTDDMain::on_btnNew_clicked()
{
    const QString title = isAutoFill() ? QStringLiteral("Auto-Fill Tax Return") : QStringLiteral("Express NOA");
    const char* resource = isAutoFill() ? ":/tdd/tdd/tdd_direrad.txt" : ":/tdd/tdd/noa_direrad.txt";
    if (!m_context.askTerms || !m_context.askTerms(this, title, resource))
        return;
    std::list<std::string> sins;
    DlgTDDEnterSin enterSin(sins, this, m_context.edition);
    if (enterSin.exec() != QDialog::Accepted)
        return;
    DlgTDDProgressWait progress(m_forWhich, sins, this);
    if (m_context.sessionOptions)
        progress.setSessionOptions(m_context.sessionOptions());
    progress.exec();
    if (progress.savedCount() <= 0) {
        // Says what failed: a service out of reach, a login left unfinished
        // and an answer without this taxpayer call for different steps.
        gMsgInformation(m_context.edition, tddFailureText(progress.failure(), progress.errorExtra(), 2024), nullptr);
        return;
    }
    RefillItems();
    for (const auto& message : TddHttpServer::getInstance(nullptr)->webService().noticeMessages())
        gMsgInformation(m_context.edition, message.second, nullptr);
}
