#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace quarvel {

// A constant table whose length is the number of its entries, never a count
// written by hand: a count one too high would add an empty entry.
template <class T, std::size_t N> constexpr std::array<T, N> toArray(const T (&entries)[N])
{
    std::array<T, N> table{};
    for (std::size_t i = 0; i < N; ++i)
        table[i] = entries[i];
    return table;
}

// A view of a constant table of any length.
template <class T> class Span {
public:
    template <std::size_t N> constexpr Span(const std::array<T, N> &a) : first_(a.data()), size_(N) {}
    constexpr const T *begin() const { return first_; }
    constexpr const T *end() const { return first_ + size_; }
    constexpr std::size_t size() const { return size_; }
    constexpr const T &operator[](std::size_t i) const { return first_[i]; }

private:
    const T *first_;
    std::size_t size_;
};

// The first entry of a type table whose name equals the text exactly, or
// null: no trimming, no case folding.
template <class Table> const typename Table::value_type *findType(const Table &table, std::string_view text)
{
    for (const auto &type : table)
        if (type.name == text)
            return &type;
    return nullptr;
}

// The names of a type table's entries, in its order: what a list offers.
// A name written twice stops the build, as findType would never reach the
// second.
template <class Type, std::size_t N> constexpr std::array<std::string_view, N> namesOf(const std::array<Type, N> &types)
{
    std::array<std::string_view, N> names{};
    for (std::size_t i = 0; i < N; ++i) {
        names[i] = types[i].name;
        for (std::size_t j = 0; j < i; ++j)
            if (names[j] == names[i])
                throw "a type table names a type twice";
    }
    return names;
}

// The same, after the entry that picks no type ("None").
template <class Type, std::size_t N>
constexpr std::array<std::string_view, N + 1> namesOf(std::string_view none, const std::array<Type, N> &types)
{
    const std::array<std::string_view, N> names = namesOf(types);
    std::array<std::string_view, N + 1> entries{none};
    for (std::size_t i = 0; i < N; ++i)
        entries[i + 1] = names[i];
    return entries;
}

} // namespace quarvel
