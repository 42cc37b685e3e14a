#pragma once

// The free-format line data of a barcode block: after the fixed record, one
// item per line in ascending line code, each the line code followed by its
// value, items joined by "-"; "&" between the code and the magnitude marks
// a negative amount.

#include "companion/forms/direradlines.h"

class CMemoryBlock;

// Appends the items of data to block; neither changes anything else. The
// callers append "-EOD" afterwards.
//   whole dollars      truncated toward zero ("12000&7" for -7.9)
//   dollars and cents  the amount in cents, rounded to the nearest cent
//   integer, text      as they are; a "-" inside a text becomes a blank so
//                      that it cannot be taken for a separator
// An entry of another kind is left out, separator and all.
void ConvertFreeDataMapToMemoryBlock(const DireradFreeFormatMap& data, CMemoryBlock& block);

// Nearest whole number of value, halves away from zero; 0 for a value that
// is not finite, and bounded to what a barcode number can hold.
long long barcodeWholeNumber(double value);
