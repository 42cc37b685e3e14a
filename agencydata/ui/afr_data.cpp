#include "agencydata/ui/afr_data.h"

#include "agencydata/ui/afr_layouts.h"

#include <QPlainTextEdit>

AFR_Data::AFR_Data(const CString& html, QWidget* parent)
    : PpgWizardPage(nullptr, nullptr, parent)
    , m_ui(new Ui_AFR_Data)
{
    m_ui->setupUi(this);
    // An empty report leaves the view empty rather than holding one blank
    // paragraph.
    if (!html.isEmpty())
        m_ui->txtTaxData->appendHtml(html);
}

AFR_Data::~AFR_Data()
{
    delete m_ui;
}
