#include "base/path_match.h"

#include <algorithm>
#include <system_error>

namespace zorbel {

namespace fs = std::filesystem;

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::optional<fs::path> findPathIgnoringCase(const fs::path& base, const std::vector<std::string>& parts) {
    fs::path at = base;
    std::error_code ec;
    for (const std::string& part : parts) {
        const fs::path exact = at / part;
        if (fs::exists(exact, ec)) {
            at = exact;
            continue;
        }
        std::optional<fs::path> found;
        for (fs::directory_iterator it(at, ec), end; !ec && it != end; it.increment(ec)) {
            if (sameIgnoringCase(it->path().filename().string(), part)) {
                found = it->path();
                break;
            }
        }
        if (!found) {
            return std::nullopt;
        }
        at = *found;
    }
    if (!fs::exists(at, ec)) {
        return std::nullopt;
    }
    return at;
}

}  // namespace zorbel
