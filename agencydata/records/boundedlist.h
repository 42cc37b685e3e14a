#pragma once

#include <cstddef>
#include <utility>
#include <vector>

// A list of what the agency sent that keeps at most Capacity entries and
// counts the ones it had to turn away, so that an overlong reply is cut
// visibly (logged and reported) rather than silently.
template <class T, int Capacity>
class BoundedList
{
public:
    static constexpr int kCapacity = Capacity;

    bool isFull() const { return count() >= Capacity; }
    // Keeps entry when there is room, else counts it as dropped. True when kept.
    bool add(T entry)
    {
        if (isFull()) {
            dropOne();
            return false;
        }
        m_entries.push_back(std::move(entry));
        return true;
    }
    // Counts one entry that was not kept (a full list reads no more).
    void dropOne() { ++m_dropped; }
    void clear()
    {
        m_entries.clear();
        m_dropped = 0;
    }

    int count() const { return int(m_entries.size()); }
    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    int dropped() const { return m_dropped; }
    // Every entry received: those kept and those dropped.
    int received() const { return count() + m_dropped; }

    const T& operator[](int i) const { return m_entries[std::size_t(i)]; }
    T& operator[](int i) { return m_entries[std::size_t(i)]; }
    auto begin() const { return m_entries.begin(); }
    auto end() const { return m_entries.end(); }
    auto begin() { return m_entries.begin(); }
    auto end() { return m_entries.end(); }

private:
    std::vector<T> m_entries;
    int m_dropped = 0;
};
