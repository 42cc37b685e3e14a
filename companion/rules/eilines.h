#pragma once

// The T1 lines that a year's employment insurance premiums give an
// employee (2024): what was withheld and due is credited at 31200, what was
// withheld beyond it comes back at 45000 (the T2204 calculation).
namespace taxrules {

struct EiLines {
    double required = 0.0;    // premium due on the year's insurable earnings
    double line31200 = 0.0;   // premiums credited
    double line45000 = 0.0;   // overpayment
};

// `insurableEarnings` is T4 box 24 over all slips (box 14 where box 24 is
// blank and the slip is not EI-exempt); `quebecEarnings` the part of it on
// slips that show PPIP premiums (box 55), whose EI was withheld at the
// Quebec rate; `withheld` is box 18. A Quebec resident pays the Quebec rate
// on everything; anyone else pays it on the Quebec part and the general
// rate on the rest, within one maximum of insurable earnings. Nothing is
// due on 2,000 or less, so what was withheld on it all comes back.
EiLines eiLines(double insurableEarnings, double quebecEarnings, double withheld, bool quebecResident);

} // namespace taxrules
