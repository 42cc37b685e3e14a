#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;
class PromptDialog;

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
    QMessageBox::Icon icon = QMessageBox::Information;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
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

    // The installed prompter, or a shared WidgetPrompter when none is.
    static Prompter& instance();
    // Installs a prompter (not owned; nullptr goes back to the real dialogs)
    // and returns the one installed before. Call from the GUI thread.
    static Prompter* install(Prompter* prompter);

    // Returns the button chosen.
    virtual QMessageBox::StandardButton messageBox(QWidget* parent, const MessageBoxRequest& request) = 0;
    // Runs one of the program's own modal dialogs and returns its result
    // (QDialog::Accepted or Rejected). A prompter that shows no window gives
    // the dialog its answer (entered text) before returning.
    virtual int runDialog(PromptDialog& dialog) = 0;
    // The chosen file or folder, or an empty text when cancelled.
    virtual QString chooseFile(QWidget* parent, const FileChooserRequest& request) = 0;

    // The answer that risks nothing when no one can be asked: Cancel, else No,
    // else another refusing button; the only button when there is just one.
    static QMessageBox::StandardButton cautiousButton(QMessageBox::StandardButtons buttons);
    // The button that means "yes, go on" among those offered (Yes, Ok, ...),
    // or NoButton when none does.
    static QMessageBox::StandardButton affirmativeButton(QMessageBox::StandardButtons buttons);
    // True for the buttons that accept: Yes, Ok and their kin.
    static bool isAffirmative(QMessageBox::StandardButton button);
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
