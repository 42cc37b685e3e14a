#pragma once

#include <QDialog>
#include <QString>

class QDialogButtonBox;
class QLineEdit;
class QTextEdit;

// Collects the user's e-mail address and a short message before a return
// file goes to the maker's support. OK closes the dialog only for a valid
// address; the caller sets the title, runs it and reads m_strEmail and
// m_strMsg after acceptance.
class DlgSendFileForHelp : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kWidth = 600;
    static constexpr int kHeight = 299;
    // What the label promises; longer typing is cut to it.
    static constexpr int kMaxMessageLength = 200;

    explicit DlgSendFileForHelp(QWidget* parent = nullptr, unsigned char edition = 2);

    // True for an address of the form name@domain.tld once blanks around it
    // are trimmed: the name of letters, digits and ._%+- starting with a
    // letter, a digit or '_', the domain of letters, digits, '.' and '-', and
    // a final part of two or more letters (".museum" and ".online" are
    // real top-level domains).
    static bool isValidEmail(const QString& email);

    // The address, trimmed; set when OK is pressed.
    QString m_strEmail;
    // The message as plain text, at most kMaxMessageLength characters; set
    // when the address is accepted.
    QString m_strMsg;

    QLineEdit* edtEmail = nullptr;
    QTextEdit* edtMsg = nullptr;
    QDialogButtonBox* buttonBox = nullptr;

public slots:
    void accept() override;

private slots:
    void keepMessageShort();

private:
    unsigned char m_edition;
};
