#include "model/filingtestmode.h"

#include <atomic>

namespace {
std::atomic<bool>& storage()
{
    static std::atomic<bool> on{false};
    return on;
}
} // namespace

bool filingTestMode() { return storage().load(); }

void setFilingTestMode(bool on) { storage().store(on); }
