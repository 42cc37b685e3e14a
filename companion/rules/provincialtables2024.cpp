#include "companion/rules/provincialtables2024.h"

#include <vector>

namespace taxrules {

namespace {

std::vector<ProvinceTable> buildTables()
{
    using P = Province;
    return {
        {P::AB, "Alberta",
         {{0, 0.10}, {148269, 0.12}, {177922, 0.13}, {237230, 0.14}, {355845, 0.15}},
         21885.0, false},
        {P::BC, "British Columbia",
         {{0, 0.0506}, {47937, 0.077}, {95875, 0.105}, {110076, 0.1229}, {133664, 0.147},
          {181232, 0.168}, {252752, 0.205}},
         12580.0, false},
        {P::MB, "Manitoba",
         {{0, 0.108}, {47000, 0.1275}, {100000, 0.174}},
         15780.0, false},
        {P::NB, "New Brunswick",
         {{0, 0.094}, {49958, 0.14}, {99916, 0.16}, {185064, 0.195}},
         13044.0, false},
        {P::NL, "Newfoundland and Labrador",
         {{0, 0.087}, {43198, 0.145}, {86395, 0.158}, {154244, 0.178}, {215943, 0.198},
          {275870, 0.208}, {551739, 0.213}, {1103478, 0.218}},
         10818.0, false},
        {P::NT, "Northwest Territories",
         {{0, 0.059}, {50597, 0.086}, {101198, 0.122}, {164525, 0.1405}},
         17373.0, false},
        {P::NS, "Nova Scotia",
         {{0, 0.0879}, {29590, 0.1495}, {59180, 0.1667}, {93000, 0.175}, {150000, 0.21}},
         // Basic personal amount 8,481; the additional amount of up to 3,000
         // for lower incomes is not part of this table. Source: novascotia.ca,
         // "Basic Personal Amount" (8,481 raised by 3,000 from 2018, reduced
         // above 25,000 of taxable income).
         8481.0, false},
        {P::NU, "Nunavut",
         {{0, 0.04}, {53268, 0.07}, {106537, 0.09}, {173205, 0.115}},
         18767.0, false},
        {P::ON, "Ontario",
         {{0, 0.0505}, {51446, 0.0915}, {102894, 0.1116}, {150000, 0.1216}, {220000, 0.1316}},
         12399.0, false},
        {P::PE, "Prince Edward Island",
         {{0, 0.0965}, {32656, 0.1363}, {64313, 0.1665}, {105000, 0.18}, {140000, 0.1875}},
         13500.0, false},
        {P::SK, "Saskatchewan",
         {{0, 0.105}, {52057, 0.125}, {148734, 0.145}},
         18491.0, false},
        {P::YT, "Yukon",
         {{0, 0.064}, {55867, 0.09}, {111733, 0.109}, {173205, 0.128}, {500000, 0.15}},
         0.0, true},
    };
}

const std::vector<ProvinceTable>& tables()
{
    static const std::vector<ProvinceTable> all = buildTables();
    return all;
}

} // namespace

const ProvinceTable* provinceTable2024(Province province)
{
    for (const ProvinceTable& t : tables())
        if (t.province == province)
            return &t;
    return nullptr;
}

const BracketTable& provincialBrackets2024(Province province)
{
    static const BracketTable none;
    const ProvinceTable* t = provinceTable2024(province);
    return t ? t->brackets : none;
}

} // namespace taxrules
