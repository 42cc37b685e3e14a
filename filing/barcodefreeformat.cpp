#include "filing/barcodefreeformat.h"

#include <cmath>
#include <cstring>
#include <string>

#include "companion/rules/money.h"
#include "filing/barcodeitems.h"

namespace {

// Larger than any amount of a return, small enough for a long long in cents.
constexpr double kLargestNumber = 1e15;

double bounded(double value)
{
    if (!std::isfinite(value))
        return 0.0;
    return std::fmax(-kLargestNumber, std::fmin(kLargestNumber, value));
}

std::string signedItem(int line, long long value)
{
    std::string item = std::to_string(line);
    if (value < 0) {
        item += '&';
        value = -value;
    }
    item += std::to_string(value);
    return item;
}

// The text of one entry; false for a kind the barcode has no form for.
bool entryText(int line, const STRUCT_DIRERAD_TIA_FIELD_TYPE& value, std::string& out)
{
    switch (value.kind) {
    case STRUCT_DIRERAD_TIA_FIELD_TYPE::WholeDollars:
        out = signedItem(line, static_cast<long long>(std::trunc(bounded(value.amount))));
        return true;
    case STRUCT_DIRERAD_TIA_FIELD_TYPE::DollarsAndCents:
        // Rounded, not truncated: 19.99 * 100 is 1998.99... in binary.
        out = signedItem(line, barcodeWholeNumber(taxrules::roundCents(bounded(value.amount)) * 100.0));
        return true;
    case STRUCT_DIRERAD_TIA_FIELD_TYPE::Integer:
        out = std::to_string(line) + std::to_string(value.number);
        return true;
    case STRUCT_DIRERAD_TIA_FIELD_TYPE::Text: {
        std::string text(value.text, strnlen(value.text, sizeof value.text));
        for (char& c : text)
            if (c == '-')
                c = ' ';
        out = std::to_string(line) + text;
        return true;
    }
    default:
        return false;
    }
}

} // namespace

long long barcodeWholeNumber(double value)
{
    return std::llround(bounded(value));
}

void ConvertFreeDataMapToMemoryBlock(const DireradFreeFormatMap& data, CMemoryBlock& block)
{
    bool first = true;
    std::string item;
    for (const auto& [line, value] : data) {
        if (!entryText(line, value, item))
            continue;
        if (!first)
            block.Append("-", 1);
        block.Append(item.data(), int(item.size()));
        first = false;
    }
}
