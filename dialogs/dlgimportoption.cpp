#include "dialogs/dlgimportoption.h"

#include "companion/ui/styledwidgets.h"
#include "dialogs/dialogframe.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

DlgImportOption_Info::DlgImportOption_Info(ImportOptionFlags* param, QWidget* parent)
    : QDialog(parent)
    , m_param(param)
{
    using namespace dialogframe;
    setObjectName(QStringLiteral("DlgImportOption_Info"));
    resize(kWidth, kHeight);
    setPointSize(this, 12);
    setWindowTitle(QStringLiteral("DlgImportOption_Info"));
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    int row = 0;
    grid->addWidget(sunkenLine(this, "line"), row++, 0);
    grid->addWidget(label(this, "label", tr("Default import function will carry-forward tax return data from")), row++, 0);
    grid->addWidget(label(this, "label1", tr("prior year's tax return.")), row++, 0);
    grid->addWidget(label(this, "label2", tr("(By default, you don't need to modify any option below.)")), row++, 0);
    const auto check = [this, grid, &row](const char* name, const QString& text) {
        auto* box = new StyledCheckBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setText(text);
        grid->addWidget(box, row++, 0);
        return box;
    };
    m_keepNotes = check("fld_KeepNotes", tr("Keep all tax notes"));
    m_includeSFD = check("fld_bIncludeSFD", tr("Copy self-business tax data, e.g. T2125, T776, T2042 etc"));
    m_keepForms = check("fld_KeepForms", tr("Keep all tax forms/slips used in prior year's tax return, no carry-forward"));
    auto* copyRow = new QHBoxLayout;
    m_copyNone = new QRadioButton(tr("Without any data"), this);
    m_copyNone->setObjectName(QStringLiteral("fld_iCopyData_0"));
    m_copyNone->setFocusPolicy(Qt::StrongFocus);
    m_copyAll = new QRadioButton(tr("Copy all of old data"), this);
    m_copyAll->setObjectName(QStringLiteral("fld_iCopyData_1"));
    m_copyAll->setFocusPolicy(Qt::StrongFocus);
    auto* group = new QButtonGroup(this);
    group->setObjectName(QStringLiteral("fld_iCopyData"));
    group->addButton(m_copyNone, 0);
    group->addButton(m_copyAll, 1);
    copyRow->addWidget(m_copyNone);
    copyRow->addWidget(m_copyAll);
    grid->addLayout(copyRow, row++, 0);
    grid->addWidget(label(this, "label3", tr("If prior year's return is not coupled return, and you want to make it coupled")),
                    row++, 0);
    m_makeCoupled = check("fld_bMakeCoupled", tr("Change prior year's return from un-coupled to coupled return"));
    auto* buttons = new QHBoxLayout;
    auto* import = new QPushButton(tr("Import Return"), this);
    import->setObjectName(QStringLiteral("btnImport"));
    import->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addWidget(import);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, row++, 0);
    grid->addWidget(sunkenLine(this, "line1"), row++, 0);
    outer->addStretch();

    m_keepForms->setChecked(m_param->bKeepForms);
    m_keepNotes->setChecked(m_param->bKeepNotes);
    m_includeSFD->setChecked(m_param->bIncludeSFD);
    m_makeCoupled->setChecked(m_param->bMakeCoupled);
    (m_param->bCopyAllData ? m_copyAll : m_copyNone)->setChecked(true);
    connect(import, &QPushButton::clicked, this, &DlgImportOption_Info::on_btnImport_clicked);
    connect(cancel, &QPushButton::clicked, this, &DlgImportOption_Info::on_btnCancel_clicked);
}

void DlgImportOption_Info::on_btnImport_clicked()
{
    m_param->bKeepForms = m_keepForms->isChecked();
    m_param->bKeepNotes = m_keepNotes->isChecked();
    m_param->bIncludeSFD = m_includeSFD->isChecked();
    m_param->bCopyAllData = m_copyAll->isChecked();
    m_param->bMakeCoupled = m_makeCoupled->isChecked();
    accept();
}

void DlgImportOption_Info::on_btnCancel_clicked()
{
    reject();
}
