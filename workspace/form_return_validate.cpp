// Validation of the open return: the model's records shown as a plain,
// read-only list of messages, and the confirmations before filing offered
// when nothing was found.
#include "workspace/form_return.h"

#include <list>

#include "app/tabwndapp.h"
#include "companion/forms/catalogue.h"
#include "model/cfamilytaxdata.h"
#include "model/validationrecord.h"

namespace {

using Records = std::list<_STRUCT_FORM_VALIDATE_INFO*>;

// Frees the records however the command ends.
struct OwnedRecords
{
    Records list;
    ~OwnedRecords()
    {
        for (auto* record : list)
            delete record;
    }
};

// One person's messages, grouped by where they were found, numbered within
// each slip or form.
QString personText(const QString& name, const Records& records)
{
    QStringList lines{name};
    if (records.empty())
        lines << QStringLiteral("There are no validation errors found in this return, Please check spouse's side.");
    int lastGroup = 0;
    for (const _STRUCT_FORM_VALIDATE_INFO* record : records) {
        if (record->messages.empty())
            continue;
        if (record->source != lastGroup) {
            switch (record->source) {
            case VALIDATE_SOURCE_SLIP: lines << QStringLiteral("------- Tax Slips -------"); break;
            case VALIDATE_SOURCE_FORM: lines << QStringLiteral("------- Tax Forms -------"); break;
            case VALIDATE_SOURCE_PERSON: lines << QStringLiteral("------- Cross Tax Forms Validation -------"); break;
            case VALIDATE_SOURCE_SPOUSES: lines << QStringLiteral("------- Spouse-Return Validation -------"); break;
            default: break;
            }
            lastGroup = record->source;
        }
        if (record->source == VALIDATE_SOURCE_SLIP || record->source == VALIDATE_SOURCE_FORM) {
            const char* item = record->source == VALIDATE_SOURCE_SLIP ? getSlipName(record->itemType)
                                                                      : getFormName(record->itemType);
            lines << QStringLiteral("[%1] - %2 errors found")
                         .arg(QString::fromUtf8(item), QString::number(record->messages.size()));
        }
        int number = 0;
        for (const CString& message : record->messages)
            lines << QStringLiteral("%1 - %2").arg(QStringLiteral("%1").arg(++number, 2), message);
        lines << QString();
    }
    return lines.join(QLatin1Char('\n'));
}

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
        const bool spouseCurrent = family->getCurIndv() == CFamilyTaxData::kSpouse;
        count = family->ValidateTaxReturn(edition, first.list, firstName, spouseCurrent, true) +
                family->ValidateTaxReturn(edition, second.list, secondName, !spouseCurrent, false);
    } else {
        count = family->ValidateTaxReturn(edition, first.list, firstName, false, false);
    }

    if (count > 0) {
        if (askFirst &&
            !TabWndApp::gAppQuestion(
                tr("This return contains validation errors. Do you want to view the validation errors?"), this))
            return int(count);
        QString text = personText(firstName, first.list);
        if (coupled)
            text += QStringLiteral("\n\n") + personText(secondName, second.list);
        TabWndApp::gAppInformation(text, this);
        return int(count);
    }
    if (offerWarnings &&
        TabWndApp::gAppQuestion(tr("This tax return passes validation check, there are no errors found.\n\nDo you "
                                   "want to view the warning message?"),
                                this)) {
        int reFile = 0;
        family->getFedAmountClaimed(2, reFile);
        family->AnyMsgBeforeDirerad(2, reFile != 0);
    }
    return 0;
}
