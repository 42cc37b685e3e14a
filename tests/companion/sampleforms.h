#pragma once

// Worked example of a data class on the field-table engine, used by the
// engine's tests. Real forms follow the same pattern.

#include "companion/forms/ctaxdata_form.h"

class SampleEmploymentForm : public CTaxData_Form
{
public:
    static constexpr int kType = 200;

    explicit SampleEmploymentForm(QObject* parent = nullptr) : CTaxData_Form(FROM_FORM, kType, parent) {}

    // The field table: one member per value, in form order.
    CStringField employerName{this, 1, "employerName", "", "Employer", fld::Section("Employer").maxLength(60).caption()};
    CDateField startDate{this, 2, "startDate", "", "First day of work"};
    CBoolField unionMember{this, 3, "unionMember", "", "Member of a union"};
    CIntField monthsWorked{this, 4, "monthsWorked", "", "Months worked in the year", fld::Start(12)};
    CFloatField line10100Employment{this, 5, "line10100Employment", "10100", "Employment income",
                                    fld::Section("Income")};
    CFloatField line10400Other{this, 6, "line10400Other", "10400", "Other employment income"};
    CFloatField line21200UnionDues{this, 7, "line21200UnionDues", "21200", "Annual union dues"};
    CFloatField line15000TotalIncome{this, 8, "line15000TotalIncome", "15000", "Total income", fld::Computed()};
    CFloatField netAfterDues{this, 9, "netAfterDues", "", "Income after dues", fld::Computed()};
    // Id 10 was a field that has since been removed: never reuse it.
    CFloatField unusedCarryForward{this, 11, "unusedCarryForward", "", "Dues carried forward",
                                   fld::Section("Carry-forward").carryForward()};
    CIntField internalState{this, 12, "internalState", "", "", fld::Hidden()};
    // An int shown as a list; -1 means nothing chosen yet.
    CIntField payPeriod{this, 13, "payPeriod", "", "Pay period", fld::Choices("0:Weekly|1:Monthly").start(-1)};

    // Typed accessors for the values other code names.
    double getTotalIncome() const { return line15000TotalIncome.m_value; }

    int Calculate01() override
    {
        line15000TotalIncome.m_value = line10100Employment + line10400Other.m_value;
        netAfterDues.m_value = line15000TotalIncome.m_value - (unionMember.isTicked() ? line21200UnionDues.m_value : 0);
        return 0;
    }
};

// A slip whose data also holds a list that is not a field: the extra block.
class SampleSlipWithList : public CTaxData_Form
{
public:
    SampleSlipWithList() : CTaxData_Form(FROM_SLIP, 1) {}

    CStringField issuer{this, 1, "issuer", "", "Issuer"};
    CFloatField box14{this, 2, "box14", "14", "Employment income"};

    QVector<double> extraAmounts;

    void CopyData(const CTaxData_Form* from) override
    {
        CTaxData_Form::CopyData(from);
        if (auto* src = dynamic_cast<const SampleSlipWithList*>(from))
            extraAmounts = src->extraAmounts;
    }
    bool CompareData(const CTaxData_Form* other) const override
    {
        auto* o = dynamic_cast<const SampleSlipWithList*>(other);
        return CTaxData_Form::CompareData(other) || !o || o->extraAmounts != extraAmounts;
    }

protected:
    void clearExtraData() override { extraAmounts.clear(); }
    bool writeExtraData(QDataStream& out) const override
    {
        if (extraAmounts.isEmpty())
            return false;
        out << qint32(extraAmounts.size());
        for (double v : extraAmounts)
            out << v;
        return true;
    }
    bool readExtraData(QDataStream& in, quint16) override
    {
        qint32 n = 0;
        in >> n;
        if (n < 0 || n > 1000)
            return false;
        extraAmounts.clear();
        for (qint32 i = 0; i < n && in.status() == QDataStream::Ok; ++i) {
            double v = 0;
            in >> v;
            extraAmounts.push_back(v);
        }
        return in.status() == QDataStream::Ok;
    }
};
