#include "filing/ui/DlgFilingTerm.h"

#include "companion/core/fileload.h"
#include "companion/ui/styledwidgets.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QFrame* sunkenLine(const char* name, QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

const Qt::TextInteractionFlags kBrowserFlags = Qt::TextBrowserInteraction;

} // namespace

void Ui_DlgFilingTerm::setupUi(QDialog* dialog)
{
    dialog->setObjectName("DlgFilingTerm");
    dialog->resize(799, 417);
    QFont font = dialog->font();
    font.setPointSize(12);
    dialog->setFont(font);
    dialog->setAutoFillBackground(false);
    dialog->setWindowTitle("PpgAT1Filing_Term");

    auto* verticalLayout = new QVBoxLayout(dialog);
    verticalLayout->setObjectName("verticalLayout");
    auto* gridLayout = new QGridLayout();
    gridLayout->setObjectName("gridLayout");

    lblHeader1 = new QLabel("Terms and Condition", dialog);
    lblHeader1->setObjectName("lblHeader1");
    QFont bold = font;
    bold.setWeight(75);
    lblHeader1->setFont(bold);
    lblHeader2 = new QLabel("Please read the following terms and conditions, you will need to agree to proceed.",
                            dialog);
    lblHeader2->setObjectName("lblHeader2");
    lblLink = new QLabel(dialog);
    lblLink->setObjectName("lblLink");
    lblLink->setWordWrap(true);
    fld_term = new QTextBrowser(dialog);
    fld_term->setObjectName("fld_term");
    fld_term->setReadOnly(true);
    fld_bAgree = new StyledCheckBox(dialog);
    fld_bAgree->setObjectName("fld_bAgree");
    fld_bAgree->setText("&Yes,");
    fld_bAgree->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    lblAgree = new QLabel("I agree with the terms and conditions", dialog);
    lblAgree->setObjectName("lblAgree");
    lblAgree->setWordWrap(true);

    gridLayout->addItem(new QSpacerItem(20, 15, QSizePolicy::Minimum, QSizePolicy::Fixed), 0, 0);
    gridLayout->addWidget(lblHeader1, 0, 1, 1, 2);
    gridLayout->addItem(new QSpacerItem(10, 20, QSizePolicy::Fixed, QSizePolicy::Minimum), 0, 3);
    gridLayout->addWidget(sunkenLine("line1", dialog), 1, 1, 1, 3);
    gridLayout->addWidget(lblHeader2, 3, 1, 1, 2);
    gridLayout->addWidget(lblLink, 4, 1, 1, 2);
    gridLayout->addWidget(fld_term, 5, 1, 1, 3);
    gridLayout->addWidget(fld_bAgree, 8, 1, 2, 1);
    gridLayout->addWidget(lblAgree, 8, 2, 2, 1);
    gridLayout->addWidget(sunkenLine("line", dialog), 11, 1, 1, 3);
    gridLayout->addItem(new QSpacerItem(10, 20, QSizePolicy::Fixed, QSizePolicy::Minimum), 11, 4);
    verticalLayout->addLayout(gridLayout);

    buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttonBox->setObjectName("buttonBox");
    buttonBox->setCenterButtons(true);
    buttonBox->setFocusPolicy(Qt::StrongFocus);
    verticalLayout->addWidget(buttonBox);
}

DlgFilingTerm::DlgFilingTerm(int mode, QWidget* parent) : QDialog(parent), m_mode(mode), m_ui(new Ui_DlgFilingTerm)
{
    m_ui->setupUi(this);
    // Both buttons go through one slot, so OK can be held back until the
    // box is ticked.
    connect(m_ui->buttonBox, &QDialogButtonBox::clicked, this, &DlgFilingTerm::on_buttonBox_clicked);
}

DlgFilingTerm::~DlgFilingTerm()
{
    delete m_ui;
}

void DlgFilingTerm::setMsg(const QString& agreeText, const QString& link, const QString& title,
                           const char* resourcePath)
{
    setWindowTitle(title);

    const bool webAddress = link.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
                         || link.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
    const QString shown = link.toHtmlEscaped();
    m_ui->lblLink->setTextFormat(Qt::RichText);
    m_ui->lblLink->setText(webAddress ? QStringLiteral("<a href=\"%1\">%1</a>").arg(shown) : shown);
    m_ui->lblLink->setTextInteractionFlags(kBrowserFlags);
    m_ui->lblLink->setOpenExternalLinks(true);

    QString terms;
    loadFileToQString(CString(resourcePath ? resourcePath : ""), terms, 64);
    m_ui->fld_term->setHtml(terms);
    m_ui->fld_term->setOpenExternalLinks(true);
    m_ui->fld_term->setTextInteractionFlags(kBrowserFlags);

    // The agreement wording may be the agency's: shown as plain text.
    m_ui->lblAgree->setTextFormat(Qt::PlainText);
    m_ui->lblAgree->setText(agreeText);
}

void DlgFilingTerm::setHeader(const QString& header1, const QString& header2)
{
    if (!header1.isEmpty())
        m_ui->lblHeader1->setText(header1);
    if (!header2.isEmpty())
        m_ui->lblHeader2->setText(header2);
}

void DlgFilingTerm::on_buttonBox_clicked(QAbstractButton* button)
{
    if (button == m_ui->buttonBox->button(QDialogButtonBox::Cancel))
        reject();
    else if (button == m_ui->buttonBox->button(QDialogButtonBox::Ok) && m_ui->fld_bAgree->checkState() == Qt::Checked)
        accept();
}
