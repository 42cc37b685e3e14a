#include "dialogs/dlgsendfileforhelp.h"

#include "companion/core/messages.h"
#include "dialogs/dialogframe.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

DlgSendFileForHelp::DlgSendFileForHelp(QWidget* parent, unsigned char edition)
    : QDialog(parent), m_edition(edition)
{
    using namespace dialogframe;
    setObjectName(QStringLiteral("DlgSendFileForHelp"));
    resize(kWidth, kHeight);
    setPointSize(this, 12);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label(this, "label", tr("Your email address: (identify you to mykestrova support team)")));
    edtEmail = new QLineEdit(this);
    edtEmail->setObjectName(QStringLiteral("edtEmail"));
    layout->addWidget(edtEmail);
    layout->addWidget(label(this, "label_2", tr("Short Message (less than 200 characters)")));
    edtMsg = new QTextEdit(this);
    edtMsg->setObjectName(QStringLiteral("edtMsg"));
    edtMsg->setAcceptRichText(false);
    layout->addWidget(edtMsg);
    buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    layout->addWidget(buttonBox);
    connect(buttonBox, &QDialogButtonBox::accepted, this, &DlgSendFileForHelp::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &DlgSendFileForHelp::reject);
    connect(edtMsg, &QTextEdit::textChanged, this, &DlgSendFileForHelp::keepMessageShort);
}

bool DlgSendFileForHelp::isValidEmail(const QString& email)
{
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("\\b[A-Z0-9._%+-]+@[A-Z0-9.-]+\\.[A-Z]{2,}")),
        QRegularExpression::CaseInsensitiveOption);
    return pattern.match(email.trimmed()).hasMatch();
}

void DlgSendFileForHelp::keepMessageShort()
{
    const QString text = edtMsg->toPlainText();
    if (text.size() <= kMaxMessageLength)
        return;
    // Setting the text emits textChanged again, now within the limit.
    edtMsg->setPlainText(text.left(kMaxMessageLength));
    edtMsg->moveCursor(QTextCursor::End);
}

void DlgSendFileForHelp::accept()
{
    m_strEmail = edtEmail->text().trimmed();
    if (!isValidEmail(m_strEmail)) {
        gMsgInformation(m_edition, tr("please enter a valid email address."), this);
        return;
    }
    m_strMsg = edtMsg->toPlainText().left(kMaxMessageLength);
    QDialog::accept();
}
