#include "filing/ui/DlgFilingResult.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

void Ui_DlgFilingResult::setupUi(QDialog* dialog)
{
    dialog->setObjectName("DlgFilingResult");
    dialog->resize(739, 355);
    QFont font = dialog->font();
    font.setPointSize(12);
    dialog->setFont(font);
    dialog->setWindowTitle("Dialog");

    verticalLayoutWidget = new QWidget(dialog);
    verticalLayoutWidget->setObjectName("verticalLayoutWidget");
    verticalLayoutWidget->setGeometry(QRect(19, 9, 701, 301));
    auto* verticalLayout = new QVBoxLayout(verticalLayoutWidget);
    verticalLayout->setObjectName("verticalLayout");
    verticalLayout->setContentsMargins(0, 0, 0, 0);

    lblOverview = new QLabel("Overview", verticalLayoutWidget);
    lblOverview->setObjectName("lblOverview");
    lblOverview->setWordWrap(true);
    pteDetails = new QTextBrowser(verticalLayoutWidget);
    pteDetails->setObjectName("pteDetails");
    lblCause = new QLabel(verticalLayoutWidget);
    lblCause->setObjectName("lblCause");
    lblCause->setWordWrap(true);
    lblCause->setTextFormat(Qt::PlainText);
    lblCause->hide();
    lblBottom = new QLabel(verticalLayoutWidget);
    lblBottom->setObjectName("lblBottom");
    lblLink = new QLabel(verticalLayoutWidget);
    lblLink->setObjectName("lblLink");
    verticalLayout->addWidget(lblOverview);
    verticalLayout->addWidget(pteDetails);
    verticalLayout->addWidget(lblCause);
    verticalLayout->addWidget(lblBottom);
    verticalLayout->addWidget(lblLink);

    buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttonBox->setObjectName("buttonBox");
    buttonBox->setGeometry(QRect(380, 310, 341, 32));
    buttonBox->setOrientation(Qt::Horizontal);
    QObject::connect(buttonBox, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttonBox, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
}

DlgFilingResult::DlgFilingResult(const QString& title, QWidget* parent)
    : QDialog(parent), m_ui(new Ui_DlgFilingResult)
{
    m_ui->setupUi(this);
    setWindowTitle(title);
}

DlgFilingResult::~DlgFilingResult()
{
    delete m_ui;
}

void DlgFilingResult::setMsg(const QString& overview, const QString& details, const QString& bottom,
                             const QString& path, bool detailsAreHtml)
{
    // Texts from the agency or the file system must never become markup.
    m_ui->lblOverview->setTextFormat(Qt::PlainText);
    m_ui->lblOverview->setText(overview);

    QString body = details;
    if (!detailsAreHtml) {
        body = details.toHtmlEscaped();
        body.replace(QStringLiteral("\r\n"), QStringLiteral("<br/>"));
        body.replace(QLatin1Char('\n'), QStringLiteral("<br/>"));
    }
    m_ui->pteDetails->setOpenExternalLinks(true);
    m_ui->pteDetails->setTextInteractionFlags(Qt::TextBrowserInteraction);
    m_ui->pteDetails->setHtml(QStringLiteral("<html><body>") + body + QStringLiteral("</body></html>"));

    m_ui->lblBottom->setTextFormat(Qt::PlainText);
    m_ui->lblBottom->setText(bottom);

    const QString target = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    m_ui->lblLink->setTextFormat(Qt::RichText);
    m_ui->lblLink->setTextInteractionFlags(Qt::TextBrowserInteraction);
    m_ui->lblLink->setOpenExternalLinks(true);
    m_ui->lblLink->setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(target.toHtmlEscaped(), path.toHtmlEscaped()));
}

void DlgFilingResult::setCause(const QString& cause)
{
    // The network's words are shown as they came, never as markup.
    m_ui->lblCause->setText(cause);
    m_ui->lblCause->setVisible(!cause.isEmpty());
}
