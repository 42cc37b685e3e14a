#include "model/preparerinfo.h"

namespace {
PreparerInfo& storage()
{
    static PreparerInfo info;
    return info;
}
} // namespace

const PreparerInfo& preparerInfo() { return storage(); }

void setPreparerInfo(const PreparerInfo& info) { storage() = info; }
