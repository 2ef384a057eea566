#pragma once

#include <algorithm>
#include <utility>

// Sorts stably by a three-way comparison (negative: the first argument goes first). The
// comparisons of the result list need not form a strict weak order (a 32-bit difference can
// wrap), which the standard algorithms require; this merge sort keeps every element exactly
// once whatever the comparison answers.
template <typename List, typename Compare> void mergeSort(List &items, Compare compare)
{
    const auto n = items.size();
    List buffer = items;
    for (decltype(items.size()) width = 1; width < n; width *= 2) {
        for (decltype(items.size()) left = 0; left < n; left += 2 * width) {
            const auto middle = std::min(left + width, n);
            const auto right = std::min(left + 2 * width, n);
            auto i = left;
            auto j = middle;
            auto k = left;
            while (i < middle && j < right)
                buffer[k++] = compare(items[i], items[j]) > 0 ? items[j++] : items[i++];
            while (i < middle)
                buffer[k++] = items[i++];
            while (j < right)
                buffer[k++] = items[j++];
        }
        std::swap(items, buffer);
    }
}
