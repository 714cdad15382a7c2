#include "exe/range_set.h"

#include <algorithm>
#include <iterator>

namespace zorbel {

void RangeSet::insert(std::size_t from, std::size_t to) {
    if (from >= to) {
        return;
    }
    auto it = ranges_.upper_bound(from);
    if (it != ranges_.begin() && std::prev(it)->second >= from) {
        --it;
    }
    while (it != ranges_.end() && it->first <= to) {
        from = std::min(from, it->first);
        to = std::max(to, it->second);
        it = ranges_.erase(it);
    }
    ranges_.emplace(from, to);
}

void RangeSet::erase(std::size_t from, std::size_t to) {
    if (from >= to) {
        return;
    }
    auto it = ranges_.upper_bound(from);
    if (it != ranges_.begin() && std::prev(it)->second > from) {
        --it;
    }
    while (it != ranges_.end() && it->first < to) {
        const std::size_t start = it->first;
        const std::size_t stop = it->second;
        it = ranges_.erase(it);
        if (start < from) {
            ranges_.emplace(start, from);
        }
        if (stop > to) {
            ranges_.emplace(to, stop);
            break;
        }
    }
}

bool RangeSet::contains(std::size_t offset) const {
    auto it = ranges_.upper_bound(offset);
    return it != ranges_.begin() && std::prev(it)->second > offset;
}

}  // namespace zorbel
