#pragma once

class CFamilyTaxData;
class DataShareAmtDlg;

// What the optimisation of a coupled return reads from the open return and
// writes back into it, and how its result dialog moves a scratch copy.

enum class ShareableStart
{
    Ready,             // the amounts are filled; the wizard may run
    NotCoupled,        // only a return of both spouses can share amounts
    TransfererUnknown, // both spouses have a T1032 and neither is the pensioner
};

struct ShareableLookup
{
    ShareableStart start = ShareableStart::NotCoupled;
    bool bothPensionForms = false; // both spouses have a T1032
};

// Fills the claimed donations and the pension amounts of the record from
// the family. Nothing is added to the family: a spouse without a Schedule 9
// claims no donation, and the pension amounts stay 0 unless a T1032 names
// its owner as the pensioner.
ShareableLookup readShareableAmounts(CFamilyTaxData& family, DataShareAmtDlg& amounts);

// The taxpayer's elected split amount, or 0 when either spouse has no T1032.
double electedPensionSplit(CFamilyTaxData& family);

// Both spouses' T1032 elect the split (indicator 1); false, nothing written,
// when either has no T1032.
bool writePensionSplit(CFamilyTaxData& family, double split);

// A scratch copy at a donation position (what the taxpayer claims of all the
// shareable donations; the spouse claims the rest) and a pension split,
// recalculated.
void recalculateAtSplit(CFamilyTaxData& scratch, const DataShareAmtDlg& amounts, double donationPosition,
                        double pensionSplit);
