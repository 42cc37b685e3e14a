#include "agencydata/ui/afr_message.h"

#include "agencydata/records/dataafr.h"
#include "agencydata/ui/afr_layouts.h"

AFR_Message::AFR_Message(DataAFR* data, QWidget* parent)
    : PpgWizardPage(data, nullptr, parent)
    , m_ui(new Ui_AFR_Message)
{
    m_ui->setupUi(this);
}

AFR_Message::~AFR_Message()
{
    delete m_ui;
}
