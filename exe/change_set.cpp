#include "exe/change_set.h"

#include <algorithm>

namespace zorbel {

void ChangeSet::add(std::size_t offset, ByteView before, ByteView after) {
    const std::size_t length = std::min(before.size(), after.size());
    if (length == 0) {
        return;
    }
    const std::size_t end = offset + length;
    // The runs that overlap or touch [offset, end) become one with it; any
    // gap between two of them lies inside [offset, end).
    auto first = std::lower_bound(runs_.begin(), runs_.end(), offset,
                                  [](const ByteRun& r, std::size_t at) { return r.end() < at; });
    auto last = first;
    while (last != runs_.end() && last->offset <= end) {
        ++last;
    }
    ByteRun merged;
    merged.offset = first == last ? offset : std::min(offset, first->offset);
    const std::size_t mergedEnd = first == last ? end : std::max(end, std::prev(last)->end());
    merged.before.resize(mergedEnd - merged.offset);
    merged.after.resize(mergedEnd - merged.offset);
    std::vector<bool> held(mergedEnd - merged.offset, false);
    for (auto it = first; it != last; ++it) {
        const std::size_t at = it->offset - merged.offset;
        std::copy(it->before.begin(), it->before.end(),
                  merged.before.begin() + static_cast<std::ptrdiff_t>(at));
        std::copy(it->after.begin(), it->after.end(), merged.after.begin() + static_cast<std::ptrdiff_t>(at));
        std::fill_n(held.begin() + static_cast<std::ptrdiff_t>(at), it->after.size(), true);
        recorded_ -= 2 * it->after.size();
    }
    const std::size_t at = offset - merged.offset;
    for (std::size_t k = 0; k < length; ++k) {
        if (!held[at + k]) {
            merged.before[at + k] = before[k];
        }
        merged.after[at + k] = after[k];
    }
    recorded_ += 2 * merged.after.size();
    first = runs_.erase(first, last);
    runs_.insert(first, std::move(merged));
}

void ChangeSet::add(const ChangeSet& later) {
    for (const ByteRun& run : later.runs_) {
        add(run.offset, run.before, run.after);
    }
}

void ChangeSet::trim() {
    std::vector<ByteRun> kept;
    recorded_ = 0;
    for (const ByteRun& run : runs_) {
        std::size_t k = 0;
        while (k < run.after.size()) {
            if (run.before[k] == run.after[k]) {
                ++k;
                continue;
            }
            std::size_t stop = k;
            while (stop < run.after.size() && run.before[stop] != run.after[stop]) {
                ++stop;
            }
            const auto from = static_cast<std::ptrdiff_t>(k);
            const auto to = static_cast<std::ptrdiff_t>(stop);
            kept.push_back({run.offset + k,
                            {run.before.begin() + from, run.before.begin() + to},
                            {run.after.begin() + from, run.after.begin() + to}});
            recorded_ += 2 * (stop - k);
            k = stop;
        }
    }
    runs_ = std::move(kept);
}

}  // namespace zorbel
