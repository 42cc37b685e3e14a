#pragma once

#include "companion/core/promptvalues.h"
#include <QString>
#include <QStringList>

struct PromptContent;

class QWidget;

// Message boxes and choosers of the program. Each goes through the installed
// prompter (Prompter::instance()); none of them opens a window itself.

// Edition numbers are tested by bits: 2 is the DIRERAD edition, 1 the EFILE one.
void gMsgGetTitle(unsigned char edition, QString& title);
QString gMsgTitle(unsigned char edition);

// Information box with OK, titled for the edition.
void gMsgInformation(unsigned char edition, const QString& msg, QWidget* parent);
// Yes/No question titled for the edition; the button chosen.
Prompt::StandardButton gMsgQuestion(unsigned char edition, const QString& msg, QWidget* parent);
// The same question with buttons that say what each does: yesText on Yes,
// noText on No. True for Yes.
bool gMsgChoice(unsigned char edition, const QString& msg, const QString& yesText, const QString& noText,
                QWidget* parent);

// The same boxes as the standard message box's static functions, through the prompter.
Prompt::StandardButton promptInformation(QWidget* parent, const QString& title, const QString& text,
                                              Prompt::StandardButtons buttons = Prompt::Ok);
Prompt::StandardButton promptWarning(QWidget* parent, const QString& title, const QString& text,
                                          Prompt::StandardButtons buttons = Prompt::Ok);
Prompt::StandardButton promptCritical(QWidget* parent, const QString& title, const QString& text,
                                           Prompt::StandardButtons buttons = Prompt::Ok);
Prompt::StandardButton promptQuestion(
    QWidget* parent, const QString& title, const QString& text,
    Prompt::StandardButtons buttons = Prompt::Yes | Prompt::No,
    Prompt::StandardButton defaultButton = Prompt::NoButton);

// File and folder choosers; an empty text when cancelled.
QString chooseOpenFile(QWidget* parent, const QString& caption, const QString& startPath,
                       const QString& filter);
QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& startPath,
                       const QString& filter);
QString chooseFolder(QWidget* parent, const QString& caption, const QString& startPath);

// A yes/no warning ("continue or stop"): its content with the title, to be
// given lines 1 to 4 (setLine), and the question asked; true to continue.
PromptContent continueQuestion(const QString& title);
bool askToContinue(QWidget* parent, const PromptContent& content);
// The same with message as line 2.
bool warnYesNo(QWidget* parent, const QString& title, const QString& message);

// A text prompt: lines[i] is text line i (at most four), text holds the
// starting text and, on OK, what was entered. True when the user chose OK.
bool askForText(QWidget* parent, const QString& title, const QStringList& lines, QString& text,
                bool password = false);
