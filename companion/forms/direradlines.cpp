#include "companion/forms/direradlines.h"

#include <cmath>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "companion/core/xmlescape.h"
#include "companion/core/xmlwrite.h"
#include "companion/forms/catalogue.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fields.h"
#include "companion/rules/money.h"

const char* const kDireradStatementTag = "sfd:SelectedFinancialData";
const char* const kDireradStatementFormCodeTag = "sfd:StatementFormCode";
const char* const kDireradStatementCountTag = "t1:SelectedFinancialDataRecordCount";

namespace {

const char kLineOpen[] = "<t1:FreeFormatLine LineCode=\"";
const char kLineClose[] = "</t1:FreeFormatLine>";

int record(int line, const STRUCT_DIRERAD_TIA_FIELD_TYPE& value, DireradGenObjParamStru& param)
{
    if (param.data)
        (*param.data)[line] = value;
    if (param.writesXml())
        appendDireradLineXml(*param.text, line, value);
    return 1;
}

int writeDollars(int line, double value, DireradGenObjParamStru& param)
{
    STRUCT_DIRERAD_TIA_FIELD_TYPE entry;
    entry.kind = STRUCT_DIRERAD_TIA_FIELD_TYPE::DollarsAndCents;
    entry.amount = taxrules::roundCents(value);
    return record(line, entry, param);
}

} // namespace

bool STRUCT_DIRERAD_TIA_FIELD_TYPE::operator==(const STRUCT_DIRERAD_TIA_FIELD_TYPE& other) const
{
    return kind == other.kind && amount == other.amount && number == other.number
           && std::strcmp(text, other.text) == 0;
}

void appendDireradLineXml(CString& out, int line, const STRUCT_DIRERAD_TIA_FIELD_TYPE& value)
{
    std::string body;
    switch (value.kind) {
    case STRUCT_DIRERAD_TIA_FIELD_TYPE::WholeDollars:
        body = std::to_string(static_cast<long long>(std::trunc(value.amount)));
        break;
    case STRUCT_DIRERAD_TIA_FIELD_TYPE::DollarsAndCents:
        body = taxrules::formatAmount(value.amount, 2);
        break;
    case STRUCT_DIRERAD_TIA_FIELD_TYPE::Integer:
        body = std::to_string(value.number);
        break;
    case STRUCT_DIRERAD_TIA_FIELD_TYPE::Text:
        body = xmlEscape(value.text);
        break;
    default:
        return;
    }
    std::string xml = kLineOpen;
    xml += std::to_string(line);
    xml += "\">";
    xml += body;
    xml += kLineClose;
    out += QString::fromUtf8(xml.data(), int(xml.size()));
}

int DIRERAD_DOLLAR_VALUE_Func(int line, double value, DireradGenObjParamStru& param)
{
    if (!taxrules::isPresentAmount(value))
        return 0;
    return writeDollars(line, value, param);
}

int DIRERAD_DOLLAR_VALUE_IFZEROTHENONE_Func(int line, double value, DireradGenObjParamStru& param)
{
    return writeDollars(line, taxrules::isPresentAmount(value) ? value : 1.0, param);
}

int DIRERAD_DOLLAR_FIELD_IFZEROTHENONE_Func(int line, const CFloatField& field, DireradGenObjParamStru& param)
{
    return DIRERAD_DOLLAR_VALUE_IFZEROTHENONE_Func(line, field.m_value, param);
}

int DIRERAD_NUMERIC_VALUE_Func(int line, double value, DireradGenObjParamStru& param)
{
    const double rounded = taxrules::roundAmount(value, 0);
    if (rounded == 0.0 || std::fabs(rounded) > 2.0e9)
        return 0;
    STRUCT_DIRERAD_TIA_FIELD_TYPE entry;
    entry.kind = STRUCT_DIRERAD_TIA_FIELD_TYPE::Integer;
    entry.number = static_cast<int>(rounded);
    return record(line, entry, param);
}

int writeDireradLinesOfTable(const CTaxData_Form& form, DireradGenObjParamStru& param, const std::set<int>* skipped)
{
    // One field per line: the one whose id is the line number, else the first.
    std::vector<std::pair<int, const CFloatField*>> chosen;
    std::unordered_map<int, size_t> indexOfLine;
    for (const CField* field : form.fieldList()) {
        if (!field->isMoney() || field->hasFlag(FieldFromSpouse))
            continue;
        const int line = field->lineCode();
        if (line <= 0)
            continue;
        const auto* amount = static_cast<const CFloatField*>(field);
        const auto found = indexOfLine.find(line);
        if (found == indexOfLine.end()) {
            indexOfLine.emplace(line, chosen.size());
            chosen.emplace_back(line, amount);
        } else if (field->id() == line) {
            chosen[found->second].second = amount;
        }
    }

    // Each statement is a record of its own: two statements may well carry
    // the same line. The return's lines go once, from the first form.
    const bool statement = IsSFDForm(form.getType());
    int written = 0;
    if (statement && param.writesXml()) {
        const char* code = getFormCode(form.getType());
        writeXMLString(*param.text, kDireradStatementFormCodeTag, CString(code ? code : ""));
    }
    for (const auto& [line, field] : chosen) {
        if ((skipped && skipped->count(line)) || (!statement && param.data && param.data->count(line)))
            continue;
        written += DIRERAD_DOLLAR_VALUE_Func(line, field->m_value, param);
    }
    return written;
}
