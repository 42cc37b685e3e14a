#include "print/ui/esign/dlgquillorafterprint.h"

#include "companion/core/emailcheck.h"
#include "companion/core/messages.h"
#include "companion/ui/urlopener.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 645;
constexpr int kHeight = 340;
constexpr int kFontPoints = 11;

QString tr(const char* text)
{
    return QCoreApplication::translate("DlgQuillorAfterPrint", text);
}

QString sinNoticeText()
{
    return tr("The taxpayer's full S.I.N. is sent to Quillor with the document.");
}

QLabel* wrappedLabel(QDialog* dialog, const char* name, const QString& text)
{
    auto* label = new QLabel(text, dialog);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}

} // namespace

void Ui_DlgQuillorAfterPrint::setupUi(QDialog* dialog)
{
    dialog->resize(kWidth, kHeight);
    QFont font = dialog->font();
    font.setPointSize(kFontPoints);
    dialog->setFont(font);
    dialog->setWindowTitle(tr("Dialog"));

    verticalLayout = new QVBoxLayout(dialog);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    label = wrappedLabel(dialog, "label",
                         tr("A printable (pdf) file is created. To print this file, you can click the link below; or "
                            "manually open this file in Adobe Reader program; then send the file to your printer."));
    verticalLayout->addWidget(label);
    verticalLayout->addItem(new QSpacerItem(20, 12, QSizePolicy::Minimum, QSizePolicy::Fixed));
    lblFileLink = wrappedLabel(dialog, "lblFileLink", QString());
    verticalLayout->addWidget(lblFileLink);
    verticalLayout->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    lblSignature = wrappedLabel(
        dialog, "lblSignature",
        tr("<html><head/><body><p>After reviewing the pdf file, you can request E-Signature directly. You need to "
           "have paid user points or subscription plan from Quillor.</p></body></html>"));
    verticalLayout->addWidget(lblSignature);
    lblDelivery = wrappedLabel(
        dialog, "lblDelivery",
        tr("<html><head/><body><p>You can send the .pdf file to taxpayer through E-Delivery. E-Delivery is safer "
           "than emailing, and you will get notification once a delivery is received successfully.<br/></p>"
           "</body></html>"));
    verticalLayout->addWidget(lblDelivery);
    // The request carries the full S.I.N. (the service derives the client's
    // document password from it): the preparer is told before sending.
    lblSinNotice = wrappedLabel(dialog, "lblSinNotice", sinNoticeText());
    verticalLayout->addWidget(lblSinNotice);

    auto* horizontalLayout = new QHBoxLayout();
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    label_3 = new QLabel(tr("Tax payer's contact email:"), dialog);
    label_3->setObjectName(QStringLiteral("label_3"));
    horizontalLayout->addWidget(label_3);
    edtToEmail = new QLineEdit(dialog);
    edtToEmail->setObjectName(QStringLiteral("edtToEmail"));
    horizontalLayout->addWidget(edtToEmail);
    verticalLayout->addLayout(horizontalLayout);
    verticalLayout->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));

    auto* line = new QFrame(dialog);
    line->setObjectName(QStringLiteral("line"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    verticalLayout->addWidget(line);

    buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, dialog);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    verticalLayout->addWidget(buttonBox);
    QObject::connect(buttonBox, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttonBox, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
}

DlgQuillorAfterPrint::DlgQuillorAfterPrint(int mode, const QUrl& pdfLink, const QString& defaultEmail,
                                           QWidget* parent)
    : PromptDialog(QString(), parent), m_strToEmail(defaultEmail), ui(new Ui_DlgQuillorAfterPrint),
      m_iMode(mode), m_link(pdfLink)
{
    ui->setupUi(this);
    ui->edtToEmail->setText(defaultEmail);

    // The address is escaped for the label's rich text; a click is handed to
    // the URL opener with the URL itself, never re-read from the text.
    const QString shown = pdfLink.toString(QUrl::FullyEncoded).toHtmlEscaped();
    ui->lblFileLink->setTextFormat(Qt::RichText);
    ui->lblFileLink->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                                 .arg(shown, pdfLink.toDisplayString(QUrl::PreferLocalFile).toHtmlEscaped()));
    ui->lblFileLink->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse
                                             | Qt::LinksAccessibleByKeyboard);
    ui->lblFileLink->setOpenExternalLinks(false);
    connect(ui->lblFileLink, &QLabel::linkActivated, this, &DlgQuillorAfterPrint::openLink);

    QPushButton* close = ui->buttonBox->button(QDialogButtonBox::Cancel);
    close->setText(tr("Close"));
    close->setDefault(true);
    close->setAutoDefault(true);
    QPushButton* ok = ui->buttonBox->button(QDialogButtonBox::Ok);
    ok->setAutoDefault(false);
    ok->setText(mode == SignatureRequest ? tr("Request E-Signature") : tr("E-Delivery"));

    ui->lblDelivery->setVisible(mode != SignatureRequest);
    ui->lblSignature->setVisible(mode == SignatureRequest);
}

DlgQuillorAfterPrint::~DlgQuillorAfterPrint()
{
    delete ui;
}

void DlgQuillorAfterPrint::openLink()
{
    UrlOpener::open(m_link);
}

bool DlgQuillorAfterPrint::isValidEmail(const QString& email)
{
    return !email.isEmpty() && checkEmail(email.toUtf8().constData());
}

void DlgQuillorAfterPrint::warnInvalidEmail()
{
    promptWarning(this, tr("Warnings"), tr("Please make sure receiver's email is not empty and valid."));
}

void DlgQuillorAfterPrint::accept()
{
    m_strToEmail = ui->edtToEmail->text();
    if (!isValidEmail(m_strToEmail)) {
        warnInvalidEmail();
        return;
    }
    done(QDialog::Accepted);
}

int DlgQuillorAfterPrint::exec()
{
    int result = PromptDialog::exec();
    // A window ran accept() itself; an answer given without one is checked here.
    while (result == QDialog::Accepted && !isValidEmail(m_strToEmail)) {
        warnInvalidEmail();
        result = PromptDialog::exec();
    }
    return result;
}

PromptContent DlgQuillorAfterPrint::content() const
{
    PromptContent what;
    what.kind = PromptKind::TextInput;
    what.title = windowTitle();
    what.setLine(0, ui->label->text());
    what.setLine(1, m_link.toString());
    what.setLine(2, ui->label_3->text());
    what.setLine(3, ui->lblSinNotice->text());
    what.link = m_link.toString();
    what.initialText = ui->edtToEmail->text();
    return what;
}

QString DlgQuillorAfterPrint::enteredText() const
{
    return ui->edtToEmail->text();
}

void DlgQuillorAfterPrint::setEnteredText(const QString& text)
{
    ui->edtToEmail->setText(text);
    m_strToEmail = text;
}
