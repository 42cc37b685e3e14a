#include "companion/ui/cyesnocontinuedlg.h"

#include "companion/core/messages.h"
#include "companion/ui/richtext.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CYesNoContinueDlg::CYesNoContinueDlg(const QString& title, QWidget* parent)
    : PromptDialog(title, parent)
{
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < kLastLine; ++i) {
        QLabel* label = makeMessageLabel(this);
        label->setObjectName(QStringLiteral("lblMsg%1").arg(i + kFirstLine));
        label->hide();
        layout->addWidget(label);
        m_lines[i].label = label;
    }
    layout->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Yes | QDialogButtonBox::No, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    buttons->button(QDialogButtonBox::No)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    afterCreateUI();
}

void CYesNoContinueDlg::setButtonTexts(const QString& continueText, const QString& stopText)
{
    auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("buttons"));
    if (!continueText.isEmpty())
        buttons->button(QDialogButtonBox::Yes)->setText(continueText);
    if (!stopText.isEmpty())
        buttons->button(QDialogButtonBox::No)->setText(stopText);
}

void CYesNoContinueDlg::setMsg(int line, const QString& text, bool isLink)
{
    if (line < kFirstLine || line > kLastLine) {
        qWarning("CYesNoContinueDlg: no text line %d", line);
        return;
    }
    Line& entry = m_lines[line - kFirstLine];
    entry.text = text;
    entry.isLink = isLink;

    QString html;
    if (isLink)
        html = linkToRichText(text, text);
    else if (line == kFirstLine)
        html = QStringLiteral("<b>%1</b>").arg(plainToRichText(text));
    else
        html = plainToRichText(text);
    entry.label->setText(html);
    entry.label->setVisible(!text.isEmpty());
    adjustSize();
}

QString CYesNoContinueDlg::msg(int line) const
{
    if (line < kFirstLine || line > kLastLine)
        return QString();
    return m_lines[line - kFirstLine].text;
}

PromptContent CYesNoContinueDlg::content() const
{
    PromptContent c = describe(windowTitle());
    for (int i = 0; i < kLastLine; ++i) {
        if (!m_lines[i].text.isEmpty())
            c.setLine(i + kFirstLine, m_lines[i].text, m_lines[i].isLink);
    }
    return c;
}

PromptContent CYesNoContinueDlg::describe(const QString& title)
{
    return continueQuestion(title);
}

bool CYesNoContinueDlg::ask(QWidget* parent, const PromptContent& content)
{
    return askToContinue(parent, content);
}

bool CYesNoContinueDlg::warnYesNoMsg(QWidget* parent, const QString& title, const QString& message)
{
    return warnYesNo(parent, title, message);
}
