#pragma once

#include "companion/ui/promptdialog.h"

#include <array>

class QLabel;
class QLineEdit;

// A text prompt: a title, text lines 0 to 3 (0 and 1 above the edit field,
// 2 and 3 below it), one edit field that can hide what is typed (passwords),
// and OK/Cancel.
class dlgGeneralInput : public PromptDialog
{
    Q_OBJECT
public:
    static constexpr int kLineCount = 4;

    dlgGeneralInput(const QString& title, QWidget* parent);

    // Line 0 to 3; a line outside that range is ignored.
    void setMsg(int line, const QString& text);
    QString msg(int line) const;

    void setPasswordMode(bool password);
    bool isPasswordMode() const;

    void setInputText(const QString& text);
    QString inputText() const;

    PromptContent content() const override;
    QString enteredText() const override { return inputText(); }
    void setEnteredText(const QString& text) override;

    // Asks for a text: lines[i] is text line i (at most four), text holds the
    // starting text and, on OK, what was entered. True when the user chose OK.
    // No widget is created unless the prompter shows windows.
    static bool getText(QWidget* parent, const QString& title, const QStringList& lines,
                        QString& text, bool password = false);

private:
    std::array<QString, kLineCount> m_texts;
    std::array<QLabel*, kLineCount> m_labels{};
    QLineEdit* m_edit;
};
