#pragma once

#include <cstddef>
#include <map>

namespace zorbel {

// A set of byte offsets kept as disjoint half-open ranges [from, to), joined
// where they touch. The image keeps the ranges in which its bytes differ from
// the saved ones, so "modified" never needs a whole-image compare.
class RangeSet {
  public:
    void insert(std::size_t from, std::size_t to);
    void erase(std::size_t from, std::size_t to);
    void clear() { ranges_.clear(); }

    bool empty() const { return ranges_.empty(); }
    bool contains(std::size_t offset) const;
    // from -> to, in order.
    const std::map<std::size_t, std::size_t>& ranges() const { return ranges_; }

  private:
    std::map<std::size_t, std::size_t> ranges_;
};

}  // namespace zorbel
