#pragma once

#include <QList>
#include <QString>
#include <stdexcept>

// A fixed-size array indexed from 1, as the controller numbers its ports,
// macros and memories. An index outside the range throws instead of
// touching memory that is not there.
template <typename T>
class Indexed {
public:
    explicit Indexed(int count, const T& value = T()) : m_items(count, value) {}

    int count() const { return static_cast<int>(m_items.size()); }

    T& operator[](int i)
    {
        check(i);
        return m_items[i - 1];
    }
    const T& operator[](int i) const
    {
        check(i);
        return m_items[i - 1];
    }

    void fill(const T& value) { m_items.fill(value); }
    bool any(const T& value) const { return m_items.contains(value); }

    bool operator==(const Indexed&) const = default;

private:
    void check(int i) const
    {
        if (i < 1 || i > count())
            throw std::out_of_range("index " + std::to_string(i) + " outside 1.." + std::to_string(count()));
    }

    QList<T> m_items;
};

using TextArray = Indexed<QString>;
using FlagArray = Indexed<bool>;
