#include "scriptedprompter.h"


ScriptedPrompter::ScriptedPrompter()
    : m_previous(Prompter::install(this))
{
}

ScriptedPrompter::~ScriptedPrompter()
{
    Prompter::install(m_previous);
}

void ScriptedPrompter::queueButton(Prompt::StandardButton button)
{
    m_answers.enqueue({Answer::Button, button, false, QString()});
}

void ScriptedPrompter::queueYes(bool yes)
{
    m_answers.enqueue({Answer::Yes, Prompt::NoButton, yes, QString()});
}

void ScriptedPrompter::queueText(const QString& text)
{
    m_answers.enqueue({Answer::Text, Prompt::NoButton, false, text});
}

void ScriptedPrompter::queueFile(const QString& path)
{
    m_answers.enqueue({Answer::File, Prompt::NoButton, false, path});
}

void ScriptedPrompter::queueCancel()
{
    m_answers.enqueue({Answer::Cancel, Prompt::NoButton, false, QString()});
}

bool ScriptedPrompter::hadUnexpectedAnswer() const
{
    for (const PromptRecord& record : m_records) {
        if (record.unexpectedAnswer)
            return true;
    }
    return false;
}

void ScriptedPrompter::clear()
{
    m_answers.clear();
    m_records.clear();
}

Prompt::StandardButton ScriptedPrompter::messageBox(QWidget* parent, const MessageBoxRequest& request)
{
    PromptRecord record;
    record.kind = PromptKind::MessageBox;
    record.icon = request.icon;
    record.title = request.title;
    record.texts << request.text;
    record.informativeText = request.informativeText;
    record.buttons = request.buttons;
    record.buttonTexts = request.buttonTexts;
    record.hadParent = parent != nullptr;

    const Prompt::StandardButton cautious = cautiousButton(request.buttons);
    Prompt::StandardButton result = cautious;
    const bool offersChoice = (int(request.buttons) & (int(request.buttons) - 1)) != 0;
    if (!offersChoice) {
        // One button: nothing to ask.
    } else if (m_answers.isEmpty()) {
        record.answeredByDefault = true;
    } else {
        const Answer& next = m_answers.head();
        bool fits = true;
        switch (next.type) {
        case Answer::Button:
            fits = request.buttons.testFlag(next.button);
            result = next.button;
            break;
        case Answer::Yes:
            result = next.yes ? affirmativeButton(request.buttons) : cautious;
            fits = result != Prompt::NoButton;
            break;
        case Answer::Cancel:
            break;
        case Answer::Text:
        case Answer::File:
            fits = false;
            break;
        }
        if (fits) {
            m_answers.dequeue();
        } else {
            record.unexpectedAnswer = true;
            result = cautious;
        }
    }
    m_records << record;
    return result;
}

bool ScriptedPrompter::takeContinue(PromptRecord& record, bool textAllowed, QString* text)
{
    if (m_answers.isEmpty()) {
        record.answeredByDefault = true;
        return false;
    }
    const Answer& next = m_answers.head();
    bool fits = true;
    bool goOn = false;
    switch (next.type) {
    case Answer::Button:
        goOn = isAffirmative(next.button);
        break;
    case Answer::Yes:
        goOn = next.yes;
        break;
    case Answer::Cancel:
        break;
    case Answer::Text:
        fits = textAllowed;
        goOn = true;
        if (text)
            *text = next.text;
        break;
    case Answer::File:
        fits = false;
        break;
    }
    if (!fits) {
        record.unexpectedAnswer = true;
        return false;
    }
    m_answers.dequeue();
    return goOn;
}

int ScriptedPrompter::prompt(QWidget* parent, const PromptContent& content, QString& text)
{
    PromptRecord record;
    record.kind = content.kind;
    record.title = content.title;
    record.texts = content.texts();
    record.link = content.firstLink();
    record.secret = content.secret;
    record.hadParent = parent != nullptr;
    if (!content.continueText.isEmpty())
        record.buttonTexts.insert(Prompt::Yes, content.continueText);
    if (!content.stopText.isEmpty())
        record.buttonTexts.insert(Prompt::No, content.stopText);

    int result = Prompt::Rejected;
    switch (content.kind) {
    case PromptKind::MessageWithLink:
        result = Prompt::Accepted;
        break;
    case PromptKind::TextInput: {
        QString entered = content.initialText;
        if (takeContinue(record, true, &entered)) {
            text = entered;
            result = Prompt::Accepted;
        }
        break;
    }
    default:
        if (takeContinue(record, false, nullptr))
            result = Prompt::Accepted;
        break;
    }
    m_records << record;
    return result;
}

QString ScriptedPrompter::chooseFile(QWidget* parent, const FileChooserRequest& request)
{
    PromptRecord record;
    record.kind = request.kind;
    record.title = request.caption;
    record.texts << request.startPath << request.filter;
    record.hadParent = parent != nullptr;

    QString result;
    if (m_answers.isEmpty()) {
        record.answeredByDefault = true;
    } else if (m_answers.head().type == Answer::File) {
        result = m_answers.dequeue().text;
    } else if (m_answers.head().type == Answer::Cancel) {
        m_answers.dequeue();
    } else {
        record.unexpectedAnswer = true;
    }
    m_records << record;
    return result;
}
