// Requests the form pages send to their open-return page as custom events.
#include "workspace/form_return.h"

#include "app/tabwndapp.h"
#include "companion/forms/catalogue.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/ui/formevents.h"
#include "model/cfamilytaxdata.h"

namespace {

const int kRC71 = 53;

} // namespace

bool Form_Return::event(QEvent* event)
{
    switch (static_cast<int>(event->type())) {
    case FORMEVENT_RELOAD:
        refreshCurTabDataFromDoc();
        return true;
    case FORMEVENT_FORWARD_EDIT:
        if (const auto* forward = dynamic_cast<const EventForwardEdit*>(event)) {
            const int type = forward->formType();
            const QString question =
                tr("Do you want to go to form [%1]").arg(QString::fromUtf8(getFormName(type)));
            if (TabWndApp::gAppQuestion(question, this))
                forwardTaxFormThere(type);
        }
        return true;
    case FORMEVENT_SUBMIT_T183:
        OnSubmitQuillorForm(FORM_T183);
        return true;
    case FORMEVENT_T183_TIME:
        OnGetQuillorFormTime(FORM_T183);
        return true;
    case FORMEVENT_SUBMIT_RC71:
        OnSubmitQuillorForm(kRC71);
        return true;
    case FORMEVENT_RC71_TIME:
        OnGetQuillorFormTime(kRC71);
        return true;
    case FORMEVENT_T2125_ADDRESS:
        onSyncAddrToFormData(125, lookUp(m_shown));
        refreshCurTabDataFromDoc();
        return true;
    case FORMEVENT_COPY_PREPARER:
        if (m_pFamilyData)
            m_pFamilyData->CopyTaxPreparerInfo();
        refreshCurTabDataFromDoc();
        return true;
    case FORMEVENT_MAILING_TO_SPOUSE:
        if (m_pFamilyData && m_pFamilyData->SyncMailingAddrToSpouseReturn())
            TabWndApp::gAppInformation(tr("Mailing address is copied into spouse's return!"), this);
        return true;
    default:
        return QWidget::event(event);
    }
}

int Form_Return::onSyncAddrToFormData(ENUMTYPE_FORM, CTaxData_Form* target)
{
    if (!target)
        return -1;
    const auto* t1 = m_pFamilyData ? dynamic_cast<const TaxData_T1New*>(m_pFamilyData->GetFormData(FORM_T1, false)) : nullptr;
    if (!t1)
        return -10;
    auto* statement = dynamic_cast<TaxData_T2125_New*>(target);
    if (!statement)
        return -100;
    CString address;
    t1->GetFullAddressWithoutPostcode(11, address);
    statement->Address.m_value = address;
    statement->City.m_value = t1->City.m_value;
    statement->Province.m_value = t1->MailingProvince.m_value;
    statement->PostalCode.m_value = t1->PostalCode.m_value;
    return 0;
}
