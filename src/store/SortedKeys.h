#pragma once
// A table's keys in ascending order, as its cursor keeps them.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace store {

// The index of `key`, or -1 when it is not there.
inline std::ptrdiff_t indexOfKey(const std::vector<std::int64_t>& keys, std::int64_t key)
{
    const auto it = std::lower_bound(keys.begin(), keys.end(), key);
    return it != keys.end() && *it == key ? it - keys.begin() : -1;
}

inline void insertKey(std::vector<std::int64_t>& keys, std::int64_t key)
{
    // An appended record normally gets the highest key, which goes at the end.
    if (keys.empty() || keys.back() < key)
        keys.push_back(key);
    else
        keys.insert(std::lower_bound(keys.begin(), keys.end(), key), key);
}

inline void eraseKey(std::vector<std::int64_t>& keys, std::int64_t key)
{
    const std::ptrdiff_t index = indexOfKey(keys, key);
    if (index >= 0)
        keys.erase(keys.begin() + index);
}

}  // namespace store
