#pragma once

#include "companion/ui/promptdialog.h"

#include <array>

class QLabel;

// A yes/no warning: up to four lines of text (line 1 is shown as a heading;
// any line may instead be a web link) and the buttons Yes and No. exec()
// gives 1 (accepted) when the user chooses to continue.
class CYesNoContinueDlg : public PromptDialog
{
    Q_OBJECT
public:
    static constexpr int kFirstLine = 1;
    static constexpr int kLastLine = 4;

    CYesNoContinueDlg(const QString& title, QWidget* parent);

    // Line 1 to 4; a line outside that range is ignored. With isLink the
    // text is a web address shown as a link.
    void setMsg(int line, const QString& text, bool isLink);
    // Words for the buttons (Yes goes on, No stops); empty keeps a button's own.
    void setButtonTexts(const QString& continueText, const QString& stopText);
    QString msg(int line) const;

    PromptContent content() const override;

    // Modal yes/no over parent with the message as its text; true to continue.
    static bool warnYesNoMsg(QWidget* parent, const QString& title, const QString& message);
    // The same question with lines 1 to 4 (setLine) and an optional size,
    // asked without creating a widget unless the prompter shows windows.
    static PromptContent describe(const QString& title);
    static bool ask(QWidget* parent, const PromptContent& content);

private:
    struct Line
    {
        QString text;
        bool isLink = false;
        QLabel* label = nullptr;
    };
    std::array<Line, kLastLine> m_lines;
};
