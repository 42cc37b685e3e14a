#include "filing/ui/cformfilingdlg.h"

#include "filing/ui/pagewidgets.h"
#include "filing/requestcompose.h"

#include "companion/forms/catalogue.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kLbl4 =
    "Make sure the program can access Internet to submit the filing. Usually the failure is caused by anti-virus "
    "software blocking the program. Add voDarevivo as trusted program inside anti-virus software.";

} // namespace

void Ui_CFormFilingDlg::setupUi(QDialog* dialog)
{
    using namespace pagewidgets;
    dialog->setObjectName("CFormFilingDlg");
    dialog->resize(612, 325);
    setPointSize(dialog, 11);
    dialog->setWindowTitle("Dialog");

    verticalLayout_2 = new QVBoxLayout(dialog);
    verticalLayout_2->setObjectName("verticalLayout_2");
    verticalLayout = new QVBoxLayout;
    verticalLayout->setObjectName("verticalLayout");
    verticalLayout_2->addLayout(verticalLayout);

    lbl1 = label(dialog, "lbl1", "Submit Form To CRA");
    setPointSize(lbl1, 12, true);
    verticalLayout->addWidget(lbl1);
    lbl2 = label(dialog, "lbl2", QString());
    lbl2->setWordWrap(true);
    lbl2->setTextFormat(Qt::RichText);
    verticalLayout->addWidget(lbl2);
    lbl3 = label(dialog, "lbl3", QString());
    lbl3->setWordWrap(true);
    verticalLayout->addWidget(lbl3);
    lbl4 = label(dialog, "lbl4", QLatin1String(kLbl4));
    lbl4->setWordWrap(true);
    verticalLayout->addWidget(lbl4);
    line = sunkenLine(dialog, "line");
    verticalLayout->addWidget(line);
    buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttonBox->setObjectName("buttonBox");
    buttonBox->setOrientation(Qt::Horizontal);
    verticalLayout->addWidget(buttonBox);

    QObject::connect(buttonBox, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttonBox, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
}

const CFormFilingDlg::Kind& CFormFilingDlg::kindOf(ENUMTYPE_FORM type)
{
    // The T1135 row comes first: any form type not listed files as a T1135.
    static const Kind kinds[] = {
        {FORM_T1135, "Submit T1135", "Submit T1135 to CRA", &CFormFilingDlg::fileT1135},
        {FORM_T1013, "Submit E-Auth", "Submit E-Authorization (T1013) to Represent a Tax Payer",
         &CFormFilingDlg::fileT1013orT185},
        {FORM_T185, "EFile Online", nullptr, &CFormFilingDlg::fileT1013orT185},
    };
    for (const Kind& kind : kinds)
        if (kind.type == type)
            return kind;
    return kinds[0];
}

CFormFilingDlg::CFormFilingDlg(const CString& efilerId, const CString& password, ENUMTYPE_FORM type, CString& xml,
                               CFamilyTaxData* family, QWidget* parent, FormFilingSettings settings)
    : QDialog(parent),
      m_strShortName(getFormCode(type)),
      m_nFormType(type),
      m_strEfilerId(efilerId),
      m_strEfilerPassword(password),
      m_pFamilyData(family),
      m_strXml(xml),
      m_ui(new Ui_CFormFilingDlg),
      m_settings(std::move(settings)),
      m_kind(kindOf(type))
{
    m_ui->setupUi(this);
    QPushButton* ok = m_ui->buttonBox->button(QDialogButtonBox::Ok);
    QPushButton* cancel = m_ui->buttonBox->button(QDialogButtonBox::Cancel);
    // Enter as the dialog opens must not file anything.
    ok->setAutoDefault(false);
    cancel->setAutoDefault(true);
    cancel->setDefault(true);
    cancel->setFocus();
    ok->setText(tr(m_kind.okText));
    setWindowTitle(tr(m_kind.okText));
}

CFormFilingDlg::~CFormFilingDlg()
{
    delete m_ui;
}

void CFormFilingDlg::SetStringInfo(const CString& name, const CString& id)
{
    m_strTaxpayerName = name;
    m_strTaxpayerId = id;
    if (m_kind.heading)
        m_ui->lbl1->setText(tr(m_kind.heading));
    // Rich text for the bold part: the name and the number are escaped.
    m_ui->lbl2->setText(
        tr(" This filing is for <b>%1 (%2)</b>").arg(QString(name).toHtmlEscaped(), QString(id).toHtmlEscaped()));
}

void CFormFilingDlg::SetLabel3(const CString& text)
{
    m_ui->lbl3->setText(text);
}

void CFormFilingDlg::accept()
{
    // The filing runs synchronously; a press that reaches the dialog
    // through the event loop of a nested window must not file again.
    if (!m_filing.tryLock())
        return;
    m_ui->buttonBox->setEnabled(false);
    TemplateValueMap values;
    putFilingRequest(buildFilingRequest(m_nFormType, m_strEfilerId, m_strEfilerPassword, m_strTaxpayerId),
                     RequestTemplateFamily::FormFiling, values);
    (this->*m_kind.file)(values);
    m_filing.unlock();
    QDialog::accept();
}

void CFormFilingDlg::reject()
{
    if (!m_filing.tryLock())
        return;
    m_filing.unlock();
    QDialog::reject();
}

int CFormFilingDlg::fileT1135(TemplateValueMap& values)
{
    return m_sendT1135 ? m_sendT1135(values) : 0;
}
