#include "model/featurecommand.h"

#include "companion/forms/taxtypes.h"

namespace MenuRules {

bool always(const ReturnMenuFacts&)
{
    return true;
}

bool withReturn(const ReturnMenuFacts& facts)
{
    return facts.returnShown;
}

bool never(const ReturnMenuFacts&)
{
    return false;
}

bool shareable(const ReturnMenuFacts& facts)
{
    return facts.coupled && facts.itemSharable && !facts.itemShared;
}

bool unshareable(const ReturnMenuFacts& facts)
{
    return facts.coupled && facts.itemShared;
}

bool inManitoba(const ReturnMenuFacts& facts)
{
    return facts.province == PROV_MB;
}

} // namespace MenuRules
