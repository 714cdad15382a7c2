// genpatch: makes a patch that turns one file into another, or applies one.
//   genpatch CLEAN MODIFIED PATCH      BPS, or IPS when PATCH ends in ".ips"
//   genpatch --apply PATCH CLEAN OUT
#include <iostream>
#include <string>

#include "exe/exe_file.h"
#include "patch/patch_format.h"

namespace {

constexpr std::uint64_t kMaxInput = 256ull << 20;

int fail(const std::string& message) {
    std::cerr << "genpatch: " << message << "\n";
    return 1;
}

std::optional<std::vector<std::uint8_t>> load(const std::string& path, std::string& error) {
    auto bytes = zorbel::readWholeFile(path, kMaxInput);
    if (!bytes) {
        error = "cannot read \"" + path + "\": " + bytes.error();
        return std::nullopt;
    }
    return std::move(bytes.value());
}

bool endsWithIps(std::string name) {
    for (char& c : name) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name.size() >= 4 && name.compare(name.size() - 4, 4, ".ips") == 0;
}

int write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    auto saved = zorbel::writeFileReplacing(path, bytes);
    if (!saved) {
        return fail("cannot write \"" + path + "\": " + saved.error());
    }
    return 0;
}

int create(const std::string& clean, const std::string& modified, const std::string& patch) {
    if (zorbel::SameFile(patch, clean) || zorbel::SameFile(patch, modified)) {
        return fail("the patch would overwrite one of its own inputs");
    }
    std::string error;
    auto source = load(clean, error);
    auto target = source ? load(modified, error) : std::nullopt;
    if (!target) {
        return fail(error);
    }
    if (endsWithIps(patch)) {
        auto ips = zorbel::CreateIpsPatch(*source, *target);
        if (!ips) {
            return fail(ips.error());
        }
        return write(patch, ips.value());
    }
    return write(patch, zorbel::CreateBpsPatch(*source, *target));
}

int apply(const std::string& patchPath, const std::string& clean, const std::string& out) {
    if (zorbel::SameFile(out, clean) || zorbel::SameFile(out, patchPath)) {
        return fail("the output would overwrite one of the inputs");
    }
    std::string error;
    auto patch = load(patchPath, error);
    auto source = patch ? load(clean, error) : std::nullopt;
    if (!source) {
        return fail(error);
    }
    auto target = zorbel::ApplyPatch(*patch, *source);
    if (!target) {
        return fail(target.error());
    }
    return write(out, target.value());
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 5 && std::string(argv[1]) == "--apply") {
        return apply(argv[2], argv[3], argv[4]);
    }
    if (argc == 4 && argv[1][0] != '-') {
        return create(argv[1], argv[2], argv[3]);
    }
    std::cerr << "usage: genpatch CLEAN MODIFIED PATCH\n"
                 "       genpatch --apply PATCH CLEAN OUT\n";
    return 2;
}
