#include "exe/exe_file.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

namespace zorbel {

namespace fs = std::filesystem;

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f != nullptr) {
            std::fclose(f);
        }
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string systemReason() {
    return std::strerror(errno);
}

std::size_t plainWrite(const std::uint8_t* data, std::size_t size, std::FILE* file) {
    return std::fwrite(data, 1, size, file);
}

// A fresh file beside the target, opened exclusively so that nothing of the
// user's is ever overwritten by it.
FilePtr createTemporaryBeside(const fs::path& target, fs::path& tempPath) {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 16; ++attempt) {
        fs::path candidate = target;
        candidate += ".zorbel-save-" + std::to_string(stamp) + "-" + std::to_string(attempt);
        errno = 0;
        FilePtr f(std::fopen(candidate.string().c_str(), "wbx"));
        if (f) {
            tempPath = candidate;
            return f;
        }
        if (errno != EEXIST) {
            return nullptr;
        }
    }
    return nullptr;
}

}  // namespace

std::string fileNamePart(std::string_view path) {
    const auto cut = path.find_last_of("\\/:");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

bool isProtectedSaveName(std::string_view path) {
    std::string name = fileNamePart(path);
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return name == "WAR2.EXE";
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) || fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

Result<std::vector<std::uint8_t>> readWholeFile(const std::string& path, std::uint64_t maxSize) {
    errno = 0;
    FilePtr f(std::fopen(path.c_str(), "rb"));
    if (!f) {
        return Result<std::vector<std::uint8_t>>::failure(systemReason());
    }
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        return Result<std::vector<std::uint8_t>>::failure("it is a folder, not a file");
    }
    // Read straight into a buffer of the file's size; a file that grows
    // meanwhile is read on in chunks, up to the limit.
    std::vector<std::uint8_t> bytes;
    std::error_code sizeError;
    const auto expected = fs::file_size(path, sizeError);
    if (!sizeError && expected > maxSize) {
        return Result<std::vector<std::uint8_t>>::failure("the file is larger than " +
                                                          std::to_string(maxSize >> 20) + " MB");
    }
    bytes.resize(sizeError ? 0 : static_cast<std::size_t>(expected));
    std::size_t have = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), f.get());
    bytes.resize(have);
    std::array<std::uint8_t, 65536> chunk;  // filled by fread
    for (;;) {
        const std::size_t n = std::fread(chunk.data(), 1, chunk.size(), f.get());
        if (bytes.size() + n > maxSize) {
            return Result<std::vector<std::uint8_t>>::failure("the file is larger than " +
                                                              std::to_string(maxSize >> 20) + " MB");
        }
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(n));
        if (n < chunk.size()) {
            if (std::ferror(f.get()) != 0) {
                return Result<std::vector<std::uint8_t>>::failure(errno != 0 ? systemReason() : "read error");
            }
            break;
        }
    }
    return bytes;
}

Status writeFileReplacing(const std::string& path, ByteView bytes, const ChunkWriter& writer) {
    const ChunkWriter& put = writer ? writer : ChunkWriter(plainWrite);
    const fs::path target(path);
    fs::path tempPath;
    FilePtr f = createTemporaryBeside(target, tempPath);
    if (!f) {
        f = createTemporaryBeside(target, tempPath);  // one more try, as for any create
    }
    if (!f) {
        return Status::failure(systemReason());
    }
    std::string failure;
    std::size_t done = 0;
    while (done < bytes.size() && failure.empty()) {
        const std::size_t want = std::min<std::size_t>(bytes.size() - done, 1 << 16);
        errno = 0;
        const std::size_t n = put(bytes.data() + done, want, f.get());
        if (n != want) {
            failure = errno != 0 ? systemReason() : "the file could not be written completely";
        }
        done += n;
    }
    if (failure.empty()) {
        errno = 0;
        if (std::fflush(f.get()) != 0) {
            failure = systemReason();
        }
    }
    errno = 0;
    if (std::fclose(f.release()) != 0 && failure.empty()) {
        failure = systemReason();
    }
    std::error_code ec;
    if (failure.empty()) {
        if (auto st = fs::status(target, ec); !ec && fs::exists(st)) {
            fs::permissions(tempPath, st.permissions(), ec);
        }
        ec.clear();
        fs::rename(tempPath, target, ec);
        if (ec) {
            failure = ec.message();
        }
    }
    if (!failure.empty()) {
        fs::remove(tempPath, ec);
        return Status::failure(failure);
    }
    return Done{};
}

}  // namespace zorbel
