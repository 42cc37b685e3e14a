#include "model/itemremoval.h"

#include "companion/forms/catalogue.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fields.h"
#include "companion/rules/money.h"

#include <QCoreApplication>

namespace {

// The box that holds a slip's income, for the slips that have one box of
// it: the amount names the slip better than any other figure on it.
struct SlipIncomeBox
{
    ENUMTYPE_SLIP type;
    const char* field;
};

constexpr SlipIncomeBox kIncomeBoxes[] = {
    {SLIP_T4, "box14EmploymentIncome"}, {SLIP_T4E, "box14TotalBenefits"}, {SLIP_T4AP, "box20Taxable"},
    {SLIP_T4AOAS, "box18NetPension"},   {SLIP_T4RIF, "box16Taxable"},
};

// The income on the slip, or a negative number when the slip has no one box
// of income or it is blank.
double slipIncome(int type, const CTaxData_Form& slip)
{
    for (const SlipIncomeBox& box : kIncomeBoxes) {
        if (box.type != type)
            continue;
        const auto* amount = dynamic_cast<const CFloatField*>(slip.findField(box.field));
        return amount && !amount->isBlank() ? amount->m_value : -1.0;
    }
    return -1.0;
}

QString tr(const char* text)
{
    return QCoreApplication::translate("ItemRemoval", text);
}

QString slipQuestion(int type, const CTaxData_Form& slip)
{
    const STRUCT_SLIP_INFO* info = getSlipInfo(ENUMTYPE_SLIP(type));
    const QString name = info ? QString::fromUtf8(info->code) : tr("slip");
    CString caption;
    slip.GetCaption(caption);
    const QString payer = QString(caption).trimmed();
    const double income = slipIncome(type, slip);
    const QString amount = QString::fromStdString(taxrules::formatAmountGrouped(income));
    if (!payer.isEmpty() && income >= 0)
        return tr("Remove the %1 from %2 with %3 of income?").arg(name, payer, amount);
    if (!payer.isEmpty())
        return tr("Remove the %1 from %2 with what was entered on it?").arg(name, payer);
    if (income >= 0)
        return tr("Remove the %1 with %2 of income?").arg(name, amount);
    return tr("Remove the %1 with what was entered on it?").arg(name);
}

QString noteQuestion(const CTaxData_Form& note)
{
    CString caption;
    note.GetCaption(caption);
    const QString title = QString(caption).trimmed();
    if (title.isEmpty())
        return tr("Remove the tax note with what was written in it?");
    return tr("Remove the tax note \"%1\" with what was written in it?").arg(title);
}

} // namespace

bool holdsTypedEntries(const CTaxData_Form& item)
{
    for (const CField* field : item.fieldList()) {
        if (!field || field->isReadOnly() || field->isHidden() || field->isBlank())
            continue;
        // A value every new form of the kind starts with was not typed.
        if (const auto* amount = dynamic_cast<const CFloatField*>(field)) {
            if (!amount->holdsStartValue())
                return true;
        } else if (const auto* text = dynamic_cast<const CStringField*>(field)) {
            if (!text->holdsStartValue())
                return true;
        } else if (dynamic_cast<const CDateField*>(field)) {
            return true;
        }
    }
    return false;
}

QString removalQuestion(int kind, int type, const CTaxData_Form& item)
{
    if (!holdsTypedEntries(item))
        return QString();
    switch (kind) {
    case FROM_SLIP:
        return slipQuestion(type, item);
    case FROM_NOTE:
        return noteQuestion(item);
    case FROM_FORM:
        return tr("Remove %1 with what was entered on it?").arg(QString::fromUtf8(getFormName(ENUMTYPE_FORM(type))));
    default:
        return QString();
    }
}
