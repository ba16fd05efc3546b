// A fixed array whose rows are looked up by a named key (a kind, a label) rather than a number.
#pragma once

#include <array>
#include <cstddef>

namespace volley {

template <typename Key, typename Value, size_t N>
struct KeyedArray {
    std::array<Value, N> Items{};

    Value& operator[](Key key) { return Items[static_cast<size_t>(key)]; }
    const Value& operator[](Key key) const { return Items[static_cast<size_t>(key)]; }
    static constexpr size_t size() { return N; }
    void fill(const Value& value) { Items.fill(value); }
    auto begin() { return Items.begin(); }
    auto end() { return Items.end(); }
    auto begin() const { return Items.begin(); }
    auto end() const { return Items.end(); }
};

}  // namespace volley
