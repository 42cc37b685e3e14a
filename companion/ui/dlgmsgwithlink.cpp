#include "companion/ui/dlgmsgwithlink.h"

#include "companion/ui/richtext.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

DlgMsgWithLink::DlgMsgWithLink(const QString& title, QWidget* parent)
    : PromptDialog(title, parent)
{
    auto* layout = new QVBoxLayout(this);
    m_lblMsg1 = makeMessageLabel(this);
    m_lblMsg1->setObjectName(QStringLiteral("lblMsg1"));
    m_lblMsg2 = makeMessageLabel(this);
    m_lblMsg2->setObjectName(QStringLiteral("lblMsg2"));
    m_lblLink = makeMessageLabel(this);
    m_lblLink->setObjectName(QStringLiteral("lblLink"));
    for (QLabel* label : {m_lblMsg1, m_lblMsg2, m_lblLink}) {
        label->hide();
        layout->addWidget(label);
    }
    layout->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);

    afterCreateUI();
}

void DlgMsgWithLink::showText(QLabel* label, const QString& html, bool visible)
{
    label->setText(html);
    label->setVisible(visible);
}

void DlgMsgWithLink::setMsg1(const QString& text)
{
    m_msg1 = text;
    showText(m_lblMsg1, plainToRichText(text), !text.isEmpty());
    adjustSize();
}

void DlgMsgWithLink::setMsg2(const QString& text)
{
    m_msg2 = text;
    showText(m_lblMsg2, plainToRichText(text), !text.isEmpty());
    adjustSize();
}

void DlgMsgWithLink::setLink(const QString& address)
{
    m_link = address;
    showText(m_lblLink, linkToRichText(address, address), !address.isEmpty());
    adjustSize();
}

PromptContent DlgMsgWithLink::content() const
{
    PromptContent c;
    c.kind = PromptKind::MessageWithLink;
    c.title = windowTitle();
    if (!m_msg1.isEmpty())
        c.setLine(1, m_msg1);
    if (!m_msg2.isEmpty())
        c.setLine(2, m_msg2);
    c.link = m_link;
    return c;
}

void DlgMsgWithLink::showMessage(QWidget* parent, const QString& title, const QString& msg1,
                                 const QString& msg2, const QString& link)
{
    PromptContent c;
    c.kind = PromptKind::MessageWithLink;
    c.title = title;
    c.setLine(1, msg1);
    c.setLine(2, msg2);
    c.link = link;
    QString unused;
    Prompter::instance().prompt(parent, c, unused);
}
