#include "dialogs/addtaxformdlg.h"

#include "companion/ui/ct1combobox.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString AddTaxFormDlg::s_strFilter;

// Row by row, as the buttons stand in their 3 x 3 grid. Schedule 5 is form
// type 6.
const AddTaxFormDlg::QuickForm AddTaxFormDlg::kQuickForms[9] = {
    {"btnAddT2125", "Add T2125", 125},         {"btnAddT2042", "Add T2042", 21},
    {"btnAddCommission", "Add Commission", 131}, {"btnAddT776", "Add T776", 12},
    {"btnAddT2209", "Add T2209/T2036", 35},    {"btnAddSch7", "Add RRSP Sch.7", 7},
    {"btnAddSch11", "Add Tuition Sch.11", 11}, {"btnAddSch5", "Add Sch.5", 6},
    {"btnAddSch9", "Add Donation Sch.9", 9},
};

AddTaxFormDlg::AddTaxFormDlg(unsigned char edition, std::list<unsigned int>& provinces, QWidget* parent)
    : QDialog(parent)
    , m_edition(edition)
    , m_provinces(provinces)
{
    setObjectName(QStringLiteral("AddTaxFormDlg"));
    resize(kWidth, kHeight);
    QFont f = font();
    f.setPointSize(10);
    setFont(f);
    setWindowTitle(tr("Add a Tax Form"));

    auto* layout = new QVBoxLayout(this);
    layout->addSpacing(8);
    auto* grid = new QGridLayout;
    // What the unfiltered list offers, once for the nine buttons.
    CT1ComboBox addable;
    addable.LoadTaxForms(m_edition, m_provinces, CString());
    QWidget* previous = nullptr;
    for (int i = 0; i < 9; ++i) {
        const QuickForm& quick = kQuickForms[i];
        auto* button = new QPushButton(tr(quick.text), this);
        button->setObjectName(QString::fromLatin1(quick.objectName));
        button->setEnabled(addable.findData(quick.type) >= 0);
        const ENUMTYPE_FORM type = quick.type;
        connect(button, &QPushButton::clicked, this, [this, type] { _addQuickFormType(type); });
        grid->addWidget(button, i / 3, i % 3);
        if (previous)
            setTabOrder(previous, button);
        previous = button;
    }
    layout->addLayout(grid);

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("line"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);

    auto* label = new QLabel(tr("Filter the tax forms by part of form number, name, or description"), this);
    label->setObjectName(QStringLiteral("label"));
    layout->addWidget(label);
    auto* row = new QHBoxLayout;
    m_edtFilter = new QLineEdit(this);
    m_edtFilter->setObjectName(QStringLiteral("edtFilter"));
    auto* clear = new QPushButton(tr("Clear"), this);
    clear->setObjectName(QStringLiteral("btnClear"));
    row->addWidget(m_edtFilter);
    row->addWidget(clear);
    layout->addLayout(row);

    auto* label2 = new QLabel(tr("Choose a tax form type and click 'OK' button to add to return"), this);
    label2->setObjectName(QStringLiteral("label_2"));
    layout->addWidget(label2);
    m_cmbTaxForms = new CT1ComboBox(this);
    m_cmbTaxForms->setObjectName(QStringLiteral("cmbTaxForms"));
    layout->addWidget(m_cmbTaxForms);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    buttons->setCenterButtons(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    setTabOrder(previous, m_edtFilter);
    setTabOrder(m_edtFilter, m_cmbTaxForms);
    setTabOrder(m_cmbTaxForms, clear);

    m_edtFilter->setText(s_strFilter);
    connect(m_edtFilter, &QLineEdit::textChanged, this, &AddTaxFormDlg::on_edtFilter_textChanged);
    connect(clear, &QPushButton::clicked, this, &AddTaxFormDlg::on_btnClear_clicked);
    refreshFormList();
}

void AddTaxFormDlg::refreshFormList()
{
    m_cmbTaxForms->clear();
    m_cmbTaxForms->LoadTaxForms(m_edition, m_provinces, CString(s_strFilter));
}

void AddTaxFormDlg::on_edtFilter_textChanged(const QString& text)
{
    s_strFilter = text;
    refreshFormList();
}

void AddTaxFormDlg::on_btnClear_clicked()
{
    s_strFilter.clear();
    m_edtFilter->setText(s_strFilter);
}

void AddTaxFormDlg::_addQuickFormType(ENUMTYPE_FORM type)
{
    m_bQuick = true;
    m_quickType = type;
    accept();
}

ENUMTYPE_FORM AddTaxFormDlg::getSelectedForm() const
{
    if (m_bQuick)
        return m_quickType;
    return m_cmbTaxForms->currentData(Qt::UserRole).toInt();
}
