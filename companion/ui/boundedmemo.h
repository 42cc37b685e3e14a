#pragma once

#include <QHash>

// Values worked out once for a key and then looked up, for text measures
// that every page asks again with the same words and fonts. A desktop that
// changes its fonts or sizes many times would fill it without end: past its
// bound it starts again, empty.
template <typename Key, typename Value>
class BoundedMemo
{
public:
    explicit BoundedMemo(int most) : m_most(most) {}

    template <typename Work>
    Value get(const Key& key, Work&& work)
    {
        const auto found = m_values.constFind(key);
        if (found != m_values.constEnd())
            return found.value();
        const Value value = work();
        if (m_values.size() >= m_most)
            m_values.clear();
        m_values.insert(key, value);
        return value;
    }

    int size() const { return m_values.size(); }

private:
    QHash<Key, Value> m_values;
    int m_most;
};
