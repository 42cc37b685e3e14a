// Validation of the open return: the model's records shown in the
// "Validation Result" dialog, and the confirmations before filing offered
// when nothing was found.
#include "workspace/form_return.h"

#include <list>

#include "app/tabwndapp.h"
#include "dialogs/dlgvalidationmsgs.h"
#include "model/cfamilytaxdata.h"
#include "model/validationrecord.h"

namespace {

constexpr ENUMTYPE_FORM kT1135 = 101;

// Frees the records however the command ends.
struct OwnedRecords
{
    DlgValidationMsgs::Records list;
    ~OwnedRecords()
    {
        for (auto* record : list)
            delete record;
    }
};

} // namespace

int Form_Return::ValidateTaxReturn(unsigned char edition, bool offerWarnings, bool askFirst)
{
    CFamilyTaxData* family = familyData();
    if (!family)
        return 0;
    OwnedRecords first, second;
    CString firstName, secondName;
    const bool coupled = family->IsCoupledReturn();
    quint64 count = 0;
    if (coupled) {
        // The current person first, with the checks between the spouses.
        const bool spouseCurrent = family->getCurIndv() == CFamilyTaxData::kSpouse;
        count = family->ValidateTaxReturn(edition, first.list, firstName, spouseCurrent, true) +
                family->ValidateTaxReturn(edition, second.list, secondName, !spouseCurrent, false);
    } else {
        count = family->ValidateTaxReturn(edition, first.list, firstName, false, false);
    }

    if (count > 0) {
        if (askFirst &&
            !TabWndApp::gAppChoice(
                tr("This return contains validation errors. Do you want to view the validation errors?"),
                tr("Show the errors"), tr("Don't show them"), nullptr))
            return int(count);
        DlgValidationMsgs dialog(this);
        dialog.loadValErrors(firstName, first.list, coupled, secondName, second.list);
        dialog.resize(750, 650);
        dialog.exec();
        return int(count);
    }
    // Yes here starts the questions asked before filing, which the text
    // calls the warning message: the buttons say so.
    if (offerWarnings &&
        TabWndApp::gAppChoice(tr("This tax return passes validation check, there are no errors found.\n\nDo you "
                                 "want to view the warning message?"),
                              tr("Go through the questions before filing"), tr("Close"), nullptr)) {
        int reFile = 0;
        family->getFedAmountClaimed(2, reFile);
        family->AnyMsgBeforeDirerad(2, reFile != 0);
    }
    return 0;
}

int Form_Return::ValidateTaxForm(unsigned char edition, ENUMTYPE_FORM type, bool showPass, bool askFirst)
{
    CFamilyTaxData* family = familyData();
    OwnedRecords records;
    // Only the T1135 has a validation of its own.
    const int count = family && type == kT1135 ? family->ValidateT1135(edition, records.list) : 0;
    if (count < 1) {
        if (showPass)
            TabWndApp::gAppInformation(tr("Form passes validation check, there are no errors found."), nullptr);
        return 0;
    }
    if (askFirst &&
        !TabWndApp::gAppChoice(tr("Form contains validation errors. Do you want to view the validation errors?"),
                               tr("Show the errors"), tr("Don't show them"), nullptr))
        return count;
    DlgValidationMsgs dialog(this);
    dialog.loadValErrors(QStringLiteral("T1135"), records.list, false, QString(), DlgValidationMsgs::Records());
    dialog.exec();
    return count;
}
