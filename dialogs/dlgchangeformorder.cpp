#include "dialogs/dlgchangeformorder.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <numeric>
#include <utility>

DlgChangeFormOrder::DlgChangeFormOrder(const QStringList& labels, QWidget* parent)
    : QDialog(parent)
    , m_working(labels.size())
{
    setObjectName(QStringLiteral("DlgChangeFormOrder"));
    resize(kWidth, kHeight);
    QFont f = font();
    f.setPointSize(12);
    setFont(f);
    setWindowTitle(QStringLiteral("Dialog"));
    std::iota(m_working.begin(), m_working.end(), 0);
    m_accepted = m_working;

    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(
        tr("Change tax form order by clicking the Up/Down button after selecting the form in the list"), this);
    label->setObjectName(QStringLiteral("label"));
    label->setWordWrap(true);
    layout->addWidget(label);
    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("line"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);

    auto* row = new QHBoxLayout;
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("listFormsWgt"));
    m_list->addItems(labels);
    row->addWidget(m_list);
    auto* column = new QVBoxLayout;
    auto* up = new QPushButton(tr("Up"), this);
    up->setObjectName(QStringLiteral("btnUp"));
    auto* down = new QPushButton(tr("Down"), this);
    down->setObjectName(QStringLiteral("btnDown"));
    column->addWidget(up);
    column->addWidget(down);
    column->addStretch();
    row->addLayout(column);
    layout->addLayout(row);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    layout->addWidget(buttons);
    // accept() first, so that the order is written once the result is set.
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, this, &DlgChangeFormOrder::on_buttonBox_accepted);
    connect(up, &QPushButton::clicked, this, &DlgChangeFormOrder::on_btnUp_clicked);
    connect(down, &QPushButton::clicked, this, &DlgChangeFormOrder::on_btnDown_clicked);
}

void DlgChangeFormOrder::moveCurrent(int step)
{
    const int row = m_list->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_list->count())
        return;
    QListWidgetItem* item = m_list->takeItem(row);
    m_list->insertItem(target, item);
    m_list->setCurrentRow(target);
    std::swap(m_working[size_t(row)], m_working[size_t(target)]);
}

void DlgChangeFormOrder::on_btnUp_clicked() { moveCurrent(-1); }

void DlgChangeFormOrder::on_btnDown_clicked() { moveCurrent(1); }

void DlgChangeFormOrder::on_buttonBox_accepted() { m_accepted = m_working; }
