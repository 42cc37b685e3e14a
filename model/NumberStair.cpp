#include "model/NumberStair.h"

#include <algorithm>

void NumberStair::AddStepAmt(double amount)
{
    m_steps.insert(std::upper_bound(m_steps.begin(), m_steps.end(), amount), amount);
}

int NumberStair::GetLevel(double x) const
{
    return int(std::upper_bound(m_steps.begin(), m_steps.end(), x) - m_steps.begin());
}

double NumberStair::GetStepAmt(int i) const
{
    if (m_steps.empty())
        return 0.0;
    return m_steps[size_t(std::clamp(i, 0, GetMaxLevel() - 1))];
}

void NumberStair::Optimize(PersonalAmt first, PersonalAmt second, double& upper, double& lower) const
{
    const int firstLevel = GetLevel(first.m_amount);
    const int secondLevel = GetLevel(second.m_amount);
    // At equal levels the first person counts as the low one.
    const bool firstIsHigh = firstLevel > secondLevel;
    PersonalAmt low = firstIsHigh ? second : first;
    PersonalAmt high = firstIsHigh ? first : second;
    int lowLevel = std::min(firstLevel, secondLevel);
    int highLevel = std::max(firstLevel, secondLevel);

    auto move = [&](double amount, double& moved) {
        high.m_amount -= amount;
        high.m_movable -= amount;
        low.m_amount += amount;
        low.m_movable += amount;
        moved += amount;
    };

    double moved = 0.0;
    bool stopped = false;
    while (lowLevel < highLevel) {
        // What low can take before its next threshold, and what high must
        // lose to drop below its current one.
        const double room = GetStepAmt(lowLevel) - low.m_amount;
        const double excess = high.m_amount - GetStepAmt(highLevel - 1);
        if (excess > room) {
            if (room > high.m_movable) {
                stopped = true;
                break;
            }
            move(room, moved);
            ++lowLevel;
        } else {
            if (excess > high.m_movable) {
                stopped = true;
                break;
            }
            move(excess, moved);
            --highLevel;
        }
    }

    if (stopped) {
        moved += high.m_movable;
        upper = lower = moved;
    } else if (lowLevel == 0) {
        upper = lower = moved;
    } else {
        const int level = lowLevel;
        const double below = GetStepAmt(level - 1);
        const bool hasNext = level < GetMaxLevel();
        const double next = hasNext ? GetStepAmt(level) : 0.0;
        const double highAbove = high.m_amount - below;
        upper = moved + (hasNext ? std::min(next - low.m_amount, highAbove) : highAbove);
        upper = std::min(upper, moved + high.m_movable);
        double back = std::min(low.m_movable, low.m_amount - below);
        if (hasNext)
            back = std::min(back, next - high.m_amount);
        lower = moved - back;
    }
    if (!firstIsHigh) {
        upper = -upper;
        lower = -lower;
    }
}
