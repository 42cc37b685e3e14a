#pragma once

#include <QMap>
#include "companion/core/promptvalues.h"
#include <QSize>
#include <QString>
#include <QStringList>

class QWidget;

// What a prompt is, so that a prompter that shows no window (tests, batch
// mode) can still tell one kind of question from another.
enum class PromptKind
{
    MessageBox,       // information, warning, error or question box
    ContinueQuestion, // yes/no warning: continue or stop
    MessageWithLink,  // message lines and one web link; only OK
    TextInput,        // text or password prompt with OK/Cancel
    OpenFile,
    SaveFile,
    Folder,
};

struct MessageBoxRequest
{
    Prompt::Icon icon = Prompt::Information;
    QString title;
    QString text;
    // A second paragraph under the text, in the box's smaller type: the
    // cause of a failure in the words of what failed. Empty: none.
    QString informativeText;
    Prompt::StandardButtons buttons = Prompt::Ok;
    Prompt::StandardButton defaultButton = Prompt::NoButton;
    // Words for buttons whose standard text would not say what they do
    // ("Yes" that starts something the question does not name); the answer
    // is still the standard button.
    QMap<Prompt::StandardButton, QString> buttonTexts;
};

// A dialog prompt (yes/no warning, message with a link, text prompt) as a
// value: what the user is to see, by the dialog's own line numbers. Code that
// must not create widgets (the return model) asks through one of these; only
// a prompter that shows windows turns it into a dialog.
struct PromptLine
{
    QString text;
    bool isLink = false; // the text is a web address shown as a link
};

struct PromptContent
{
    PromptKind kind = PromptKind::MessageWithLink;
    QString title;
    QMap<int, PromptLine> lines; // by line number
    QString link;                // the link of a message with a link
    bool secret = false;         // a text prompt for a password
    QString initialText;         // a text prompt's starting text
    QSize size;                  // the dialog's size, when the caller fixes one
    // Words for a continue question's Yes and No when those would not say
    // what they do; empty keeps the standard words.
    QString continueText, stopText;

    void setLine(int number, const QString& text, bool isLink = false) { lines[number] = {text, isLink}; }
    // The text lines that are set and are not links, in line order.
    QStringList texts() const;
    // The message's link, else the first line that is a link.
    QString firstLink() const;
};

struct FileChooserRequest
{
    PromptKind kind = PromptKind::OpenFile; // OpenFile, SaveFile or Folder
    QString caption;
    QString startPath;
    QString filter; // unused for folders
};

// The one object through which the program asks the user anything: message
// boxes, questions, yes/no warnings, text and password prompts, messages with
// a link and file or folder choosers. The application installs one for the
// whole process (real dialogs, or a quiet one in batch mode); tests install a
// scripted one. Code never opens these windows by itself, so nothing can block
// a batch run or a test on a window nobody will close.
class Prompter
{
public:
    virtual ~Prompter();

    // The installed prompter, else the fallback: the one that shows real
    // windows when the widget layer is loaded (it registers itself), else a
    // shared QuietPrompter, since a process without widgets has no window.
    static Prompter& instance();
    // Installs a prompter (not owned; nullptr goes back to the real dialogs)
    // and returns the one installed before. Call from the GUI thread.
    static Prompter* install(Prompter* prompter);
    // The prompter used when none is installed (not owned; nullptr goes back
    // to the quiet one). The widget layer registers its real dialogs here.
    static void setFallback(Prompter* prompter);

    // Returns the button chosen.
    virtual Prompt::StandardButton messageBox(QWidget* parent, const MessageBoxRequest& request) = 0;
    // Asks what content describes; returns Prompt::Accepted or Rejected
    // (a dialog's own numbers).
    // text holds a text prompt's answer on return (unchanged otherwise).
    virtual int prompt(QWidget* parent, const PromptContent& content, QString& text) = 0;
    // Whether a dialog the caller built is shown and run modally; when not,
    // the dialog is answered through prompt() from what it shows.
    virtual bool runsDialogs() const { return false; }
    // The chosen file or folder, or an empty text when cancelled.
    virtual QString chooseFile(QWidget* parent, const FileChooserRequest& request) = 0;

    // The answer that risks nothing when no one can be asked: Cancel, else No,
    // else another refusing button; the only button when there is just one.
    static Prompt::StandardButton cautiousButton(Prompt::StandardButtons buttons);
    // The button that means "yes, go on" among those offered (Yes, Ok, ...),
    // or NoButton when none does.
    static Prompt::StandardButton affirmativeButton(Prompt::StandardButtons buttons);
    // True for the buttons that accept: Yes, Ok and their kin.
    static bool isAffirmative(Prompt::StandardButton button);
};

// Installs a prompter for as long as it lives, then puts back the previous one.
class ScopedPrompter
{
public:
    explicit ScopedPrompter(Prompter* prompter) : m_previous(Prompter::install(prompter)) {}
    ~ScopedPrompter() { Prompter::install(m_previous); }
    ScopedPrompter(const ScopedPrompter&) = delete;
    ScopedPrompter& operator=(const ScopedPrompter&) = delete;

private:
    Prompter* m_previous;
};
