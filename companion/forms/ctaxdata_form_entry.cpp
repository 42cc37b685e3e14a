// The checks every form makes on what a user types.
#include "companion/forms/ctaxdata_form.h"

#include "companion/core/numbertext.h"
#include "companion/forms/catalogue.h"
#include "companion/forms/entrychecks.h"
#include "companion/forms/fields.h"

namespace {

// A slip box holds an amount paid or withheld; only a partnership's share and
// boxes that report a loss can be below zero.
bool slipBoxMayBeNegative(const CTaxData_Form& slip, const CField& field)
{
    return slip.m_type == SLIP_T5013 || field.label().contains(QLatin1String("loss"), Qt::CaseInsensitive);
}

} // namespace

bool CTaxData_Form::checkEntry(const CField& field, QString& text, QString& problem) const
{
    switch (field.kind()) {
    case FieldKind::Float: {
        double value = 0.0;
        if (!parseAmountText(text, &value)) {
            problem = entrycheck::notAnAmountProblem(text);
            return false;
        }
        if (!field.isMoney())
            return true;
        problem = entrycheck::amountProblem(value, m_kind != FROM_SLIP || slipBoxMayBeNegative(*this, field));
        return problem.isEmpty();
    }
    case FieldKind::Date:
        if (field.name().contains(QLatin1String("BirthDate"))) {
            problem = entrycheck::birthDateProblem(QDate::fromString(text, Qt::ISODate), QString());
            return problem.isEmpty();
        }
        return true;
    default:
        return true;
    }
}
