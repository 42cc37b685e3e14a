#pragma once

#include "companion/core/prompter.h"

#include <QList>
#include <QQueue>

// One prompt as the program showed it.
struct PromptRecord
{
    PromptKind kind = PromptKind::MessageBox;
    Prompt::Icon icon = Prompt::NoIcon;        // message boxes only
    QString title;                                       // title, or a chooser's caption
    QStringList texts;  // the text lines set, in order; a chooser's start path and filter
    QString informativeText; // a message box's second paragraph
    QString link;       // a message's link, or the first line that is a link
    Prompt::StandardButtons buttons = Prompt::NoButton; // message boxes only
    QMap<Prompt::StandardButton, QString> buttonTexts;   // words given to buttons (a continue question's as Yes, No)
    bool secret = false;            // a password prompt
    bool hadParent = false;
    bool answeredByDefault = false; // the queue was empty: the default answer was given
    bool unexpectedAnswer = false;  // the next queued answer did not fit; it stays queued
};

// The prompter of tests: installs itself for as long as it lives, shows no
// window, records every prompt in order and answers from a queue the test
// fills beforehand. Dialogs built by the caller and run with exec() are
// answered the same way, from what they show.
//
// Prompts that offer no choice (a box with one button, a message with a
// link) take nothing from the queue. The others take the next answer:
//   queueButton(b)  a message box answers b (b must be offered);
//                   a yes/no warning or text prompt continues for Yes/Ok
//   queueYes(v)     Yes/Ok or the cautious button; continue or not; OK or
//                   Cancel on a text prompt (keeping its starting text)
//   queueText(t)    a text prompt answers OK with t
//   queueFile(f)    a file or folder chooser returns f
//   queueCancel()   the cautious button, do not continue, Cancel, no file
// With the queue empty the answer is the cautious one, as in batch mode
// (Cancel/No, do not continue, Cancel, no file), and the record says so. An
// answer that does not fit the prompt is left in the queue, the cautious
// answer is given and the record is marked unexpectedAnswer.
class ScriptedPrompter : public Prompter
{
public:
    ScriptedPrompter();
    ~ScriptedPrompter() override;
    ScriptedPrompter(const ScriptedPrompter&) = delete;
    ScriptedPrompter& operator=(const ScriptedPrompter&) = delete;

    void queueButton(Prompt::StandardButton button);
    void queueYes(bool yes);
    void queueText(const QString& text);
    void queueFile(const QString& path);
    void queueCancel();

    const QList<PromptRecord>& records() const { return m_records; }
    int pendingAnswers() const { return m_answers.size(); }
    bool hadUnexpectedAnswer() const;
    void clear();

    Prompt::StandardButton messageBox(QWidget* parent, const MessageBoxRequest& request) override;
    int prompt(QWidget* parent, const PromptContent& content, QString& text) override;
    QString chooseFile(QWidget* parent, const FileChooserRequest& request) override;

private:
    struct Answer
    {
        enum Type { Button, Yes, Text, File, Cancel } type;
        Prompt::StandardButton button = Prompt::NoButton;
        bool yes = false;
        QString text;
    };

    // Whether the next answer continues (true/false), for prompts that
    // either go on or stop; pops it when it fits.
    bool takeContinue(PromptRecord& record, bool textAllowed, QString* text);

    QQueue<Answer> m_answers;
    QList<PromptRecord> m_records;
    Prompter* m_previous;
};
