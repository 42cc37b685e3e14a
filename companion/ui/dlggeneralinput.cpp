#include "companion/ui/dlggeneralinput.h"

#include "companion/core/messages.h"

#include "companion/ui/richtext.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

dlgGeneralInput::dlgGeneralInput(const QString& title, QWidget* parent)
    : PromptDialog(title, parent)
{
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < kLineCount; ++i) {
        m_labels[i] = makeMessageLabel(this);
        m_labels[i]->setObjectName(QStringLiteral("lblMsg%1").arg(i));
        m_labels[i]->hide();
    }
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("edtInput"));

    layout->addWidget(m_labels[0]);
    layout->addWidget(m_labels[1]);
    layout->addWidget(m_edit);
    layout->addWidget(m_labels[2]);
    layout->addWidget(m_labels[3]);
    layout->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    m_edit->setFocus();
    afterCreateUI();
}

void dlgGeneralInput::setMsg(int line, const QString& text)
{
    if (line < 0 || line >= kLineCount) {
        qWarning("dlgGeneralInput: no text line %d", line);
        return;
    }
    m_texts[line] = text;
    m_labels[line]->setText(plainToRichText(text));
    m_labels[line]->setVisible(!text.isEmpty());
    adjustSize();
}

QString dlgGeneralInput::msg(int line) const
{
    if (line < 0 || line >= kLineCount)
        return QString();
    return m_texts[line];
}

void dlgGeneralInput::setPasswordMode(bool password)
{
    m_edit->setEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
}

bool dlgGeneralInput::isPasswordMode() const
{
    return m_edit->echoMode() != QLineEdit::Normal;
}

void dlgGeneralInput::setInputText(const QString& text)
{
    m_edit->setText(text);
}

QString dlgGeneralInput::inputText() const
{
    return m_edit->text();
}

PromptContent dlgGeneralInput::content() const
{
    PromptContent c;
    c.kind = PromptKind::TextInput;
    c.title = windowTitle();
    for (int i = 0; i < kLineCount; ++i) {
        if (!m_texts[i].isEmpty())
            c.setLine(i, m_texts[i]);
    }
    c.secret = isPasswordMode();
    c.initialText = inputText();
    return c;
}

void dlgGeneralInput::setEnteredText(const QString& text)
{
    setInputText(text);
}

bool dlgGeneralInput::getText(QWidget* parent, const QString& title, const QStringList& lines,
                              QString& text, bool password)
{
    static_assert(kLineCount == 4, "the prompt's text lines are those of askForText");
    return askForText(parent, title, lines, text, password);
}
