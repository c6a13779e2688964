#pragma once
// Checks on stored column arrangements, made before any column moves.
#include <vector>

// True when the values are 0 .. size - 1, each once.
inline bool IsColumnPermutation(const std::vector<int> &v)
{
    std::vector<char> seen(v.size(), 0);
    for (int x : v) {
        if (x < 0 || x >= int(v.size()) || seen[std::size_t(x)])
            return false;
        seen[std::size_t(x)] = 1;
    }
    return true;
}
