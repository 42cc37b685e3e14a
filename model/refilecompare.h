#pragma once

#include <map>

// One amount that differs between the return summary and the copy kept when
// the return was prepared for ReFILE, keyed by its field number (the T1 line
// number divided by 100).
struct _ReFileFieldCompareStru
{
    double current = 0.0; // the return summary now
    double kept = 0.0;    // the copy kept when the return was prepared
};

using ReFileCompareMap = std::map<int, _ReFileFieldCompareStru>;

// True when any of the first count field numbers is a key of map; false for a
// count of 0 or less.
bool foundFieldNumberInReFileCompareMap(const ReFileCompareMap& map, const int* fields, int count);
