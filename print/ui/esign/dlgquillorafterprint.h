#pragma once

#include "companion/ui/promptdialog.h"

#include <QString>
#include <QUrl>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QVBoxLayout;

// The widgets of the dialog shown after a print, in their layout order.
struct Ui_DlgQuillorAfterPrint
{
    QVBoxLayout* verticalLayout = nullptr;
    QLabel* label = nullptr;
    QLabel* lblFileLink = nullptr;
    QLabel* lblSignature = nullptr;
    QLabel* lblDelivery = nullptr;
    QLabel* lblSinNotice = nullptr;
    QLabel* label_3 = nullptr;
    QLineEdit* edtToEmail = nullptr;
    QDialogButtonBox* buttonBox = nullptr;

    void setupUi(QDialog* dialog);
};

// After a print: a link to the new PDF and the receiver's e-mail for sending
// it through the e-signature service, for e-delivery (mode 1, the one the
// print road opens) or as a signature request (mode 0). OK keeps the e-mail
// in m_strToEmail once it looks like an address.
class DlgQuillorAfterPrint : public PromptDialog
{
    Q_OBJECT
public:
    enum Mode { SignatureRequest = 0, Delivery = 1 };

    // pdfLink: the PDF as a local-file URL (QUrl::fromLocalFile), so that any
    // character of its path survives; a click opens exactly that address.
    DlgQuillorAfterPrint(int mode, const QUrl& pdfLink, const QString& defaultEmail, QWidget* parent = nullptr);
    ~DlgQuillorAfterPrint() override;

    void accept() override;
    // Without a window the prompter answers; an address it gives that is not
    // valid is warned about and asked for again, as the open dialog would.
    int exec() override;

    PromptContent content() const override;
    QString enteredText() const override;
    void setEnteredText(const QString& text) override;

    QString m_strToEmail;
    Ui_DlgQuillorAfterPrint* ui;
    int m_iMode;

private slots:
    void openLink();

private:
    // True when the text is an e-mail address the service can send to.
    static bool isValidEmail(const QString& email);
    void warnInvalidEmail();

    QUrl m_link;
};
