#pragma once

#include "companion/ui/promptdialog.h"

class QLabel;

// A message of two lines and an optional web link, with an OK button.
class DlgMsgWithLink : public PromptDialog
{
    Q_OBJECT
public:
    DlgMsgWithLink(const QString& title, QWidget* parent);

    void setMsg1(const QString& text);
    void setMsg2(const QString& text);
    // A web address (or "file:///" path), shown as a link the user can open.
    void setLink(const QString& address);

    QString msg1() const { return m_msg1; }
    QString msg2() const { return m_msg2; }
    QString link() const { return m_link; }

    PromptContent content() const override;

    // Shows a message with a link, without creating a widget unless the
    // prompter shows windows.
    static void showMessage(QWidget* parent, const QString& title, const QString& msg1,
                            const QString& msg2, const QString& link);

private:
    static void showText(QLabel* label, const QString& html, bool visible);

    QString m_msg1;
    QString m_msg2;
    QString m_link;
    QLabel* m_lblMsg1;
    QLabel* m_lblMsg2;
    QLabel* m_lblLink;
};
