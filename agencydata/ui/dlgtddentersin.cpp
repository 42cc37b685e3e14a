#include "agencydata/ui/dlgtddentersin.h"

#include "companion/core/messages.h"
#include "companion/core/sincheck.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// "046 454 286" and "046-454-286" fit, with room for nothing else.
constexpr int kMaxSinLength = 11;

} // namespace

DlgTDDEnterSin::DlgTDDEnterSin(std::list<std::string>& sins, QWidget* parent, unsigned char edition)
    : QDialog(parent), m_sins(sins), m_edition(edition)
{
    setWindowTitle(QStringLiteral("Dialog"));
    resize(529, 284);
    QFont f = font();
    f.setPointSize(11);
    setFont(f);

    auto* layout = new QVBoxLayout(this);
    m_label = new QLabel(QStringLiteral("Please enter the S.I.N. for Auto-Fill or Express NOA"), this);
    m_label->setObjectName(QStringLiteral("label_4"));
    layout->addWidget(m_label);
    auto* columns = new QGridLayout();
    layout->addLayout(columns);
    for (int i = 0; i < kEdits; ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("edtSin%1").arg(i + 1, 2, 10, QLatin1Char('0')));
        edit->setMaxLength(kMaxSinLength);
        auto* label = new QLabel(QStringLiteral("S.I.N. - %1").arg(i + 1), this);
        // Odd numbers on the left, even on the right.
        const int row = i / 2;
        const int column = (i % 2) * 2;
        columns->addWidget(label, row, column);
        columns->addWidget(edit, row, column + 1);
        m_edits.push_back(edit);
    }
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->setObjectName(QStringLiteral("buttonBox"));
    m_buttons->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &DlgTDDEnterSin::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &DlgTDDEnterSin::reject);
    for (int i = 0; i + 1 < kEdits; ++i)
        setTabOrder(m_edits[std::size_t(i)], m_edits[std::size_t(i + 1)]);
    setTabOrder(m_edits.back(), m_buttons);

    int i = 0;
    for (const std::string& sin : sins) {
        if (i >= kEdits)
            break;
        m_edits[std::size_t(i++)]->setText(QString::fromStdString(sin));
    }
}

void DlgTDDEnterSin::accept()
{
    m_sins.clear();
    for (QLineEdit* edit : m_edits) {
        const QString typed = edit->text();
        if (typed.isEmpty())
            continue;
        const QByteArray utf8 = typed.toUtf8();
        if (!CheckSIN(utf8.constData())) {
            gMsgInformation(m_edition, QStringLiteral("The S.I.N (%1) entered is invalid!").arg(typed), this);
            return;
        }
        // Sent as nine digits, each once: separators would change the digest
        // the agency names the taxpayer by.
        const std::string digits = normaliseSIN(utf8.constData());
        if (std::find(m_sins.begin(), m_sins.end(), digits) == m_sins.end())
            m_sins.push_back(digits);
    }
    if (m_sins.empty()) {
        gMsgInformation(m_edition, QStringLiteral("Please enter at least one S.I.N."), this);
        return;
    }
    QDialog::accept();
}
