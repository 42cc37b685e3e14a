#include "workspace/preferencedlg.h"

#include "app/tabwndapp.h"
#include "companion/core/messages.h"
#include "print/ui/esign/quilloraccountpanel.h"
#include "workspace/featureenvironment.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryFile>
#include <QVBoxLayout>

namespace {

QLabel* namedLabel(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

template <typename W>
W* named(const char* name, W* widget)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The service's own web host; the tab and its texts name it.
QString esignHost()
{
    const QString server = currentFeatureSettings().esign.server;
    return server.isEmpty() ? QStringLiteral("quillor.ca") : server;
}

// Radio pair coded 0 (preparer) / 1 (taxpayer); any other value checks none.
void showContact(QButtonGroup* group, QRadioButton* preparer, QRadioButton* taxpayer, int value)
{
    group->setExclusive(false);
    preparer->setChecked(value == 0);
    taxpayer->setChecked(value == 1);
    group->setExclusive(true);
}

void storeContact(const QRadioButton* preparer, const QRadioButton* taxpayer, int& value)
{
    if (preparer->isChecked())
        value = 0;
    else if (taxpayer->isChecked())
        value = 1;
}

} // namespace

PreferenceDlg::PreferenceDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PreferenceDlg"));
    resize(799, 626);
    QFont f = font();
    f.setPointSize(12);
    setFont(f);
    setWindowTitle(tr("Preference"));

    auto* layout = new QVBoxLayout(this);
    tabWidget = named("tabWidget", new QTabWidget(this));
    tabWidget->addTab(buildFoldersTab(), tr("Folder settings"));
    tabWidget->addTab(buildPreparerTab(), tr("Tax preparer info."));
    tabWidget->addTab(buildEsignTab(), esignHost());
    layout->addWidget(tabWidget);

    auto* buttons = new QHBoxLayout;
    buttons->setObjectName(QStringLiteral("horizontalLayout_2"));
    buttons->addStretch();
    btnApply = named("btnApply", new QPushButton(tr("Apply Changes"), this));
    btnCancel = named("btnCancel", new QPushButton(tr("Cancel"), this));
    buttons->addWidget(btnApply);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);
    tabWidget->setCurrentIndex(2);

    if (const TabWndApp* app = TabWndApp::getMainApp())
        fillFromApp(*app);

    connect(btnBrowseRetFilesFolder, &QPushButton::clicked, this, &PreferenceDlg::on_btnBrowseRetFilesFolder_clicked);
    connect(btnBrowsePdfFilesFolder, &QPushButton::clicked, this, &PreferenceDlg::on_btnBrowsePdfFilesFolder_clicked);
    connect(btnApply, &QPushButton::clicked, this, &PreferenceDlg::on_btnApply_clicked);
    connect(btnCancel, &QPushButton::clicked, this, &PreferenceDlg::on_btnCancel_clicked);
}

QWidget* PreferenceDlg::buildFoldersTab()
{
    auto* tab = named("tabFolders", new QWidget);
    auto* v = new QVBoxLayout(tab);
    v->addWidget(namedLabel("label", tr("Default folder to save tax return files:"), tab));
    auto* retRow = new QHBoxLayout;
    edtFolderRetFiles = named("edtFolderRetFiles", new QLineEdit(tab));
    btnBrowseRetFilesFolder = named("btnBrowseRetFilesFolder", new QPushButton(tr("Browse..."), tab));
    retRow->addWidget(edtFolderRetFiles);
    retRow->addWidget(btnBrowseRetFilesFolder);
    v->addLayout(retRow);
    v->addWidget(namedLabel("label_5", tr("Default folder to create printable return (pdf) files:"), tab));
    auto* pdfRow = new QHBoxLayout;
    edtFolderPdfFiles = named("edtFolderPdfFiles", new QLineEdit(tab));
    btnBrowsePdfFilesFolder = named("btnBrowsePdfFilesFolder", new QPushButton(tr("Browse..."), tab));
    pdfRow->addWidget(edtFolderPdfFiles);
    pdfRow->addWidget(btnBrowsePdfFilesFolder);
    v->addLayout(pdfRow);
    chkPdfSavedWithRet = named("chkPdfSavedWithRet",
                               new QCheckBox(tr("Create pdf file at the same folder as tax return file"), tab));
    v->addWidget(chkPdfSavedWithRet);
    v->addStretch();
    return tab;
}

QWidget* PreferenceDlg::buildPreparerTab()
{
    auto* tab = named("tabEFiler", new QWidget);
    auto* g = new QGridLayout(tab);
    g->addWidget(namedLabel("label_4", tr("Tax Preparer Business Name:"), tab), 0, 0, 1, 4);
    edtBusiName = named("edtBusiName", new QLineEdit(tab));
    g->addWidget(edtBusiName, 1, 0, 1, 4);
    g->addWidget(namedLabel("label_7", tr("Street address"), tab), 2, 0, 1, 2);
    g->addWidget(namedLabel("label_6", tr("City name"), tab), 2, 2);
    g->addWidget(namedLabel("label_9", tr("Postal code"), tab), 2, 3);
    edtStreetAddr = named("edtStreetAddr", new QLineEdit(tab));
    edtCity = named("edtCity", new QLineEdit(tab));
    edtPostcode = named("edtPostcode", new QLineEdit(tab));
    g->addWidget(edtStreetAddr, 4, 0, 1, 2);
    g->addWidget(edtCity, 4, 2);
    g->addWidget(edtPostcode, 4, 3);
    g->addWidget(namedLabel("label_8", tr("Province or State"), tab), 5, 0);
    g->addWidget(namedLabel("label_11", tr("Phone number, format (123)456-7890"), tab), 5, 2, 1, 2);
    edtProv = named("edtProv", new QLineEdit(tab));
    edtPhone = named("edtPhone", new QLineEdit(tab));
    g->addWidget(edtProv, 6, 0, 1, 2);
    g->addWidget(edtPhone, 6, 2, 1, 2);
    chkInclClientLetter = named("chkInclClientLetter",
                                new QCheckBox(tr("Include client letter in client copy print as default."), tab));
    g->addWidget(chkInclClientLetter, 7, 0, 1, 4);
    chkSaveBakFile = named("chkSaveBakFile", new QCheckBox(tr("Save a backup return file automatically"), tab));
    g->addWidget(chkSaveBakFile, 8, 0, 1, 3);
    edtEFilerID = named("edtEFilerID", new QLineEdit(tab));
    edtEFilerPswd = named("edtEFilerPswd", new QLineEdit(tab));
    edtEFilerPswd->setEchoMode(QLineEdit::PasswordEchoOnEdit);
    g->addWidget(namedLabel("label_2", tr("EFiler ID (e.g. A1234)"), tab), 10, 0);
    g->addWidget(edtEFilerID, 10, 1);
    g->addWidget(namedLabel("label_3", tr("EFiler password: (case sensitive)"), tab), 10, 2);
    g->addWidget(edtEFilerPswd, 10, 3);
    edtDiscounterID = named("edtDiscounterID", new QLineEdit(tab));
    g->addWidget(namedLabel("label_10", tr("Discounter ID:"), tab), 11, 0);
    g->addWidget(edtDiscounterID, 11, 1);

    g->addWidget(namedLabel("label_29", tr("Default Pre-Assessment Contact:"), tab), 12, 0, 1, 2);
    rdoPreAssessPreparer = named("rdoPreAssessPreparer", new QRadioButton(tr("Contact Tax Preparer"), tab));
    rdoPreAssessTaxPayer = named("rdoPreAssessTaxPayer", new QRadioButton(tr("Contact Taxpayer"), tab));
    g->addWidget(rdoPreAssessPreparer, 12, 2);
    g->addWidget(rdoPreAssessTaxPayer, 12, 3);
    buttonGroupPreAssess = named("buttonGroupPreAssess", new QButtonGroup(this));
    buttonGroupPreAssess->addButton(rdoPreAssessPreparer);
    buttonGroupPreAssess->addButton(rdoPreAssessTaxPayer);

    g->addWidget(namedLabel("label_31", tr("Default Post-Assessment Contact:"), tab), 13, 0, 1, 2);
    rdoPostAssessPreparer = named("rdoPostAssessPreparer", new QRadioButton(tr("Contact Tax Preparer"), tab));
    rdoPostAssessTaxPayer = named("rdoPostAssessTaxPayer", new QRadioButton(tr("Contact Taxpayer"), tab));
    g->addWidget(rdoPostAssessPreparer, 13, 2);
    g->addWidget(rdoPostAssessTaxPayer, 13, 3);
    buttonGroupPostAssess = named("buttonGroupPostAssess", new QButtonGroup(this));
    buttonGroupPostAssess->addButton(rdoPostAssessPreparer);
    buttonGroupPostAssess->addButton(rdoPostAssessTaxPayer);
    g->setRowStretch(14, 1);
    return tab;
}

QWidget* PreferenceDlg::buildEsignTab()
{
    const QString host = esignHost();
    auto* tab = named("tabQuillor", new QWidget);
    auto* g = new QGridLayout(tab);
    auto* heading = namedLabel(
        "label_33", QStringLiteral("<b>%1%2</b>").arg(tr("E-Signature/E-Delivery/Filing Report Integration, by "), host),
        tab);
    g->addWidget(heading, 2, 0, 1, 2);
    auto* line = named("line_4", new QFrame(tab));
    line->setFrameShape(QFrame::HLine);
    g->addWidget(line, 3, 0, 1, 2);
    auto* credentials =
        namedLabel("label_27", tr("User Email/Password are login credentials for ") + host + QStringLiteral(":"), tab);
    credentials->setWordWrap(true);
    g->addWidget(credentials, 4, 0, 1, 2);

    // The account fields and their check come with the e-signature client.
    FeatureContext context;
    context.edition = TabWndApp::s_appPurpose;
    context.dialogParent = this;
    accountPanel = named("accountPanel", new QuillorAccountPanel(context, currentQuillorSettings, tab));
    g->addWidget(accountPanel, 5, 0, 2, 2);

    chkFilingReport = named(
        "chkFilingReport",
        new QCheckBox(tr("Enable filing report to ") + host + tr(", you can easily search filing records later."), tab));
    g->addWidget(chkFilingReport, 8, 0, 1, 2);
    chkCustomizedClientLetter =
        named("chkCustomizedClientLetter", new QCheckBox(tr("Use registered and customized client letter"), tab));
    g->addWidget(chkCustomizedClientLetter, 9, 0, 1, 2);
    auto* home = namedLabel("label_30", QStringLiteral("<a href=\"https://%1\">%1</a>").arg(host), tab);
    home->setOpenExternalLinks(true);
    g->addWidget(home, 10, 0);
    g->addWidget(namedLabel("label_28", tr("For more help or detail information, please read this FAQ link:"), tab),
                 11, 0, 1, 2);
    const QString help = QStringLiteral("https://www.vodarevivo.ca/faq/index.php?action=artikel&cat=1&id=266");
    auto* helpLink = namedLabel("lblHelpLink", QStringLiteral("<a href=\"%1\">%1</a>").arg(help), tab);
    helpLink->setOpenExternalLinks(true);
    g->addWidget(helpLink, 13, 0, 1, 2);
    auto* fromNote = namedLabel("label_32",
                                tr("This is the email address your clients will see when you send e-signature or "
                                   "e-delivery to them. If it is empty, software will use the Email above."),
                                tab);
    fromNote->setWordWrap(true);
    g->addWidget(fromNote, 16, 0, 1, 2);
    edtFromEmail = named("edtFromEmail", new QLineEdit(tab));
    g->addWidget(namedLabel("label_26", tr("From email:"), tab), 17, 0);
    g->addWidget(edtFromEmail, 17, 1);
    g->setRowStretch(18, 1);
    return tab;
}

void PreferenceDlg::fillFromApp(const TabWndApp& app)
{
    const CT1AppConfig& c = app.m_config;
    edtFolderRetFiles->setText(c.RetPath);
    edtFolderPdfFiles->setText(c.RetPdfPath);
    chkPdfSavedWithRet->setChecked(c.PdfPathSameAsRet != 0);
    edtBusiName->setText(c.BusinessName);
    edtStreetAddr->setText(c.BusinessAddr);
    edtCity->setText(c.BusinessCity);
    edtProv->setText(c.BusinessProv);
    edtPostcode->setText(c.BusinessPostcode);
    edtPhone->setText(c.BusinessPhone);
    edtEFilerID->setText(c.BusinessEFileNum);
    edtEFilerPswd->setText(c.BusinessEFilePassword);
    edtDiscounterID->setText(c.DiscounterCode);
    showContact(buttonGroupPreAssess, rdoPreAssessPreparer, rdoPreAssessTaxPayer, c.PreAssessment);
    showContact(buttonGroupPostAssess, rdoPostAssessPreparer, rdoPostAssessTaxPayer, c.PostAssessment);
    chkInclClientLetter->setChecked(c.PrntClientLetter != 0);
    chkSaveBakFile->setChecked(c.SaveBackup != 0);
    chkFilingReport->setChecked(c.FilingReport);
    chkCustomizedClientLetter->setChecked(c.CustomizedClientLetter);
    accountPanel->edtUserEmail->setText(c.QuillorEmail);
    accountPanel->edtUserPswd->setText(c.QuillorPswd);
    edtFromEmail->setText(c.QLFromEmail);
}

void PreferenceDlg::storeIntoApp(TabWndApp& app) const
{
    CT1AppConfig& c = app.m_config;
    c.RetPath = edtFolderRetFiles->text();
    c.RetPdfPath = edtFolderPdfFiles->text();
    c.PdfPathSameAsRet = chkPdfSavedWithRet->isChecked() ? 1 : 0;
    c.BusinessName = edtBusiName->text();
    c.BusinessAddr = edtStreetAddr->text();
    c.BusinessCity = edtCity->text();
    c.BusinessProv = edtProv->text();
    c.BusinessPostcode = edtPostcode->text();
    c.BusinessPhone = edtPhone->text();
    c.BusinessEFileNum = edtEFilerID->text();
    c.BusinessEFilePassword = edtEFilerPswd->text();
    c.DiscounterCode = edtDiscounterID->text();
    storeContact(rdoPreAssessPreparer, rdoPreAssessTaxPayer, c.PreAssessment);
    storeContact(rdoPostAssessPreparer, rdoPostAssessTaxPayer, c.PostAssessment);
    c.PrntClientLetter = chkInclClientLetter->isChecked() ? 1 : 0;
    c.SaveBackup = chkSaveBakFile->isChecked() ? 1 : 0;
    c.FilingReport = chkFilingReport->isChecked();
    c.CustomizedClientLetter = chkCustomizedClientLetter->isChecked();
    c.QuillorEmail = accountPanel->edtUserEmail->text();
    c.QuillorPswd = accountPanel->edtUserPswd->text();
    c.QLFromEmail = edtFromEmail->text();
}

void PreferenceDlg::browseInto(QLineEdit* edit)
{
    const QString chosen = chooseFolder(this, tr("Select Folder (need write access)"), edit->text());
    if (!chosen.isEmpty())
        edit->setText(QDir::toNativeSeparators(chosen));
}

void PreferenceDlg::on_btnBrowseRetFilesFolder_clicked()
{
    browseInto(edtFolderRetFiles);
}

void PreferenceDlg::on_btnBrowsePdfFilesFolder_clicked()
{
    browseInto(edtFolderPdfFiles);
}

bool PreferenceDlg::folderUsable(const QString& path)
{
    const QString title = windowTitle();
    if (!QFileInfo(path).isDir()) {
        if (promptQuestion(this, title, tr("The folder \"%1\" does not exist. Create it?").arg(path)) != Prompt::Yes)
            return false;
        if (!QDir().mkpath(path)) {
            promptWarning(this, title, tr("The folder \"%1\" cannot be created.").arg(path));
            return false;
        }
    }
    // A probe file rather than the permission bits: those do not tell about
    // ACLs, read-only mounts or a full disk.
    QTemporaryFile probe(QDir(path).filePath(QStringLiteral("probe-XXXXXX")));
    if (!probe.open()) {
        promptWarning(this, title, tr("The folder \"%1\" cannot be written. Please choose another one.").arg(path));
        return false;
    }
    return true;
}

void PreferenceDlg::on_btnApply_clicked()
{
    for (QLineEdit* folder : {edtFolderRetFiles, edtFolderPdfFiles}) {
        if (!folder->text().isEmpty() && !folderUsable(folder->text())) {
            tabWidget->setCurrentIndex(0);
            folder->setFocus();
            return;
        }
    }
    if (TabWndApp* app = TabWndApp::getMainApp()) {
        storeIntoApp(*app);
        app->saveConfigDB();
    }
    accept();
}

void PreferenceDlg::on_btnCancel_clicked()
{
    reject();
}
