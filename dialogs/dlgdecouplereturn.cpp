#include "dialogs/dlgdecouplereturn.h"

#include "dialogs/dialogframe.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

DlgDeCoupleReturn::DlgDeCoupleReturn(const QString& taxpayerName, const QString& spouseName, QWidget* parent)
    : QDialog(parent)
{
    using namespace dialogframe;
    setObjectName(QStringLiteral("DlgDeCoupleReturn"));
    resize(kWidth, kHeight);
    setPointSize(this, 12);
    setWindowTitle(QStringLiteral("Dialog"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label(this, "label", tr("De-couple Tax Return")));
    layout->addWidget(sunkenLine(this, "line"));
    QLabel* text = label(this, "label_2",
                         tr("<html><head/><body><p>Please choose the tax payer's name whose return you want to work "
                            "on; the other person's return data will be taken out. Then press &quot;OK&quot; button "
                            "and it will create a new return file.</p></body></html>"));
    text->setWordWrap(true);
    text->setTextFormat(Qt::RichText);
    layout->addWidget(text);
    auto* row = new QHBoxLayout;
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("comboBox"));
    m_combo->addItem(taxpayerName);
    m_combo->addItem(spouseName);
    row->addStretch();
    row->addWidget(m_combo);
    row->addStretch();
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, this, &DlgDeCoupleReturn::on_buttonBox_accepted);
}

void DlgDeCoupleReturn::on_buttonBox_accepted()
{
    m_kept = m_combo->currentIndex() == 0 ? 0 : 1;
}
