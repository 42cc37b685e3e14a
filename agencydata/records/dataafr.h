#pragma once

#include <bitset>

// The auto-fill options: everything, or only the ticked items among the slip
// kinds and amounts the Auto-fill wizard lists.
class DataAFR
{
public:
    static constexpr int kItemCount = 23;

    bool takesEverything() const { return m_everything; }
    void setTakesEverything(bool everything) { m_everything = everything; }
    // Whether item (0 to kItemCount - 1) is to be filled in.
    bool allows(int item) const
    {
        if (m_everything)
            return true;
        return item >= 0 && item < kItemCount && m_ticked.test(size_t(item));
    }
    void setTicked(int item, bool ticked)
    {
        if (item >= 0 && item < kItemCount)
            m_ticked.set(size_t(item), ticked);
    }

private:
    bool m_everything = true;
    std::bitset<kItemCount> m_ticked;
};
