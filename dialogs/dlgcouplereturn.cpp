#include "dialogs/dlgcouplereturn.h"

#include "companion/core/messages.h"
#include "companion/ui/styledwidgets.h"
#include "companion/ui/wizardbase.h"
#include "dialogs/dialogframe.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

DlgCoupleReturn_tab1::DlgCoupleReturn_tab1(unsigned char edition, const QString& browseFolder, QWidget* parent)
    : PpgWizardPage(nullptr, nullptr, parent)
    , m_edition(edition)
    , m_browseFolder(browseFolder)
{
    using namespace dialogframe;
    setObjectName(QStringLiteral("DlgCoupleReturn_tab1"));
    resize(kWidth, kHeight);
    setPointSize(this, 12);
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    grid->addWidget(sunkenLine(this, "line"), 0, 0, 1, 2);
    grid->addWidget(label(this, "label", tr("Please choose two single return file for coupling")), 1, 0, 1, 2);
    const auto fileRow = [this, grid](int row, const char* labelName, const QString& text, const char* editName,
                                      const char* buttonName, StringLineEdit*& edit) {
        grid->addWidget(label(this, labelName, text), row, 0, 1, 2);
        edit = new StringLineEdit(this);
        edit->setObjectName(QString::fromLatin1(editName));
        auto* browse = new QPushButton(tr("Browse"), this);
        browse->setObjectName(QString::fromLatin1(buttonName));
        grid->addWidget(edit, row + 1, 0);
        grid->addWidget(browse, row + 1, 1);
        return browse;
    };
    QPushButton* b1 = fileRow(2, "label1", tr("First return file:"), "fld_Filename1", "btnBtn1", m_edit1);
    QPushButton* b2 = fileRow(4, "label2", tr("Second return file:"), "fld_Filename2", "btnBtn2", m_edit2);
    grid->addWidget(sunkenLine(this, "line1"), 6, 0, 1, 2);
    outer->addStretch();
    connect(b1, &QPushButton::clicked, this, &DlgCoupleReturn_tab1::on_btnBtn1_clicked);
    connect(b2, &QPushButton::clicked, this, &DlgCoupleReturn_tab1::on_btnBtn2_clicked);
}

bool DlgCoupleReturn_tab1::browseToGetFilename(QString& path)
{
    path = chooseOpenFile(this, tr("Open Return File"), m_browseFolder,
                          tr("*.r24 Return files (*.r24);;All files (*.*)"));
    return !path.isEmpty();
}

void DlgCoupleReturn_tab1::on_btnBtn1_clicked()
{
    QString path;
    if (browseToGetFilename(path))
        m_edit1->setText(path);
}

void DlgCoupleReturn_tab1::on_btnBtn2_clicked()
{
    QString path;
    if (browseToGetFilename(path))
        m_edit2->setText(path);
}

bool DlgCoupleReturn_tab1::validatePage()
{
    m_strFile1 = m_edit1->text();
    m_strFile2 = m_edit2->text();
    const auto isFile = [](const QString& path) {
        const QFileInfo info(path);
        return !path.isEmpty() && info.isFile() && info.exists();
    };
    if (isFile(m_strFile1) && isFile(m_strFile2))
        return true;
    gMsgInformation(m_edition, tr("Please make sure both return files exist in the given file path"), nullptr);
    return false;
}

int runCoupleReturnWizard(unsigned char edition, const QString& browseFolder, QWidget* parent, QString& file1, QString& file2)
{
    WizardBase wizard(parent, QObject::tr("Couple Two Returns Together"));
    wizard.setWizardStyle(QWizard::ModernStyle);
    wizard.setOptions(QWizard::NoBackButtonOnStartPage);
    auto* page = new DlgCoupleReturn_tab1(edition, browseFolder, &wizard);
    wizard.addPage(page);
    wizard.initUI(700, 370);
    const int result = wizard.exec();
    file1 = page->m_strFile1;
    file2 = page->m_strFile2;
    return result;
}
