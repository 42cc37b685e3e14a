#include "dialogs/dlgprintoption_info.h"

#include "companion/ui/styledwidgets.h"
#include "dialogs/dialogframe.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

int DlgPrintOption_Info::m_iPrintOption = 0;
int DlgPrintOption_Info::m_iPrintCurForm = 0;
int DlgPrintOption_Info::m_iPrintClientLetter = -1;
int DlgPrintOption_Info::m_iPrintFullSIN = 0;
int DlgPrintOption_Info::m_iPrintReceipt = 0;

namespace {

// Grid columns: the options start in column 1, the client-copy choices are
// indented one column under their radio button.
constexpr int kOptionColumn = 1;
constexpr int kChoiceColumn = 2;
constexpr int kOptionSpan = 7;
constexpr int kChoiceSpan = 6;
constexpr int kLineSpan = 8;

template <class Box>
Box* named(QWidget* parent, const char* name, const QString& text)
{
    auto* box = new Box(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setText(text);
    return box;
}

} // namespace

DlgPrintOption_Info::DlgPrintOption_Info(QWidget* parent, int prntClientLetter) : QDialog(parent)
{
    using namespace dialogframe;
    setObjectName(QStringLiteral("DlgPrintOption_Info"));
    resize(kWidth, kHeight);
    setPointSize(this, 12);
    setWindowTitle(tr("Print Options"));

    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    grid->addWidget(sunkenLine(this, "line"), 0, kOptionColumn, 1, kLineSpan);
    grid->addWidget(label(this, "label", tr("Choose print option first, then click button 'Generate Print'.")), 2,
                    kOptionColumn, 1, kOptionSpan);
    fld_PrintOption_0 = named<QRadioButton>(this, "fld_PrintOption_0", tr("Client Copy (Human Readable)"));
    grid->addWidget(fld_PrintOption_0, 4, kOptionColumn, 1, kOptionSpan);
    fld_CurFormOnly = named<QCheckBox>(this, "fld_CurFormOnly", tr("Print currently selected form only"));
    grid->addWidget(fld_CurFormOnly, 5, kChoiceColumn, 1, kChoiceSpan);
    fld_ClientLetter = named<QCheckBox>(this, "fld_ClientLetter", tr("Client Letter"));
    grid->addWidget(fld_ClientLetter, 6, kChoiceColumn);
    fld_EngagementCover = named<QCheckBox>(this, "fld_EngagementCover", tr("Engagement Cover"));
    grid->addWidget(fld_EngagementCover, 6, kChoiceColumn + 1);
    // Nothing prints an engagement cover: the box is kept for the layout's
    // sake but not offered.
    fld_EngagementCover->setVisible(false);
    fld_Invoice = named<StyledCheckBox>(this, "fld_Invoice", tr("Print invoice"));
    grid->addWidget(fld_Invoice, 7, kChoiceColumn, 1, kChoiceSpan);
    fld_FullSIN = named<StyledCheckBox>(this, "fld_FullSIN", tr("Print full S.I.N., not masked"));
    grid->addWidget(fld_FullSIN, 8, kChoiceColumn, 1, kChoiceSpan);
    fld_PrintOption_1 =
        named<QRadioButton>(this, "fld_PrintOption_1", tr("Condensed Barcode Print (Paper Filing to CRA)"));
    grid->addWidget(fld_PrintOption_1, 10, kOptionColumn, 1, kOptionSpan);

    auto* print = new QPushButton(tr("Generate Print"), this);
    print->setObjectName(QStringLiteral("btnPrint"));
    print->setDefault(true);
    grid->addWidget(print, 12, 3);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    grid->addWidget(cancel, 12, 5);
    grid->addWidget(sunkenLine(this, "line1"), 14, kOptionColumn, 1, kLineSpan);
    for (int row : {1, 3, 9, 11, 13})
        grid->setRowMinimumHeight(row, 8);
    grid->setColumnMinimumWidth(0, 12);
    grid->setColumnMinimumWidth(kChoiceColumn - 1, 24);
    outer->addStretch();

    auto* group = new QButtonGroup(this);
    group->setObjectName(QStringLiteral("fld_PrintOption"));
    group->addButton(fld_PrintOption_0, 0);
    group->addButton(fld_PrintOption_1, 1);

    // Every dialog opens on the client copy; the client letter follows the
    // setting, the other choices start unticked.
    fld_PrintOption_0->setChecked(true);
    m_iPrintClientLetter = prntClientLetter;
    fld_ClientLetter->setChecked(prntClientLetter != 0);

    QMetaObject::connectSlotsByName(this);
}

void DlgPrintOption_Info::on_btnPrint_clicked()
{
    m_iPrintOption = fld_PrintOption_1->isChecked() ? 1 : 0;
    m_iPrintCurForm = fld_CurFormOnly->isChecked() ? 1 : 0;
    m_iPrintClientLetter = fld_ClientLetter->isChecked() ? 1 : 0;
    m_iPrintFullSIN = fld_FullSIN->isChecked() ? 1 : 0;
    m_iPrintReceipt = fld_Invoice->isChecked() ? 1 : 0;
    accept();
}

void DlgPrintOption_Info::on_btnCancel_clicked()
{
    reject();
}
