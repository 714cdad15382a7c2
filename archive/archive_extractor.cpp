#include "archive/archive_extractor.h"

#include "archive/war_archive.h"

namespace zorbel {

std::optional<std::vector<std::uint8_t>> WarArchive::ExtractWarEntry(std::int32_t index,
                                                                     const QString& archiveName) {
    LastEntrySize = -1;
    const std::string name = archiveName.toStdString();
    const auto path = findArchive(std::filesystem::path(gameDir_().toStdString()), name);
    Result<std::vector<std::uint8_t>> entry =
        path ? ReadWarEntry(*path, index, name)
             : Result<std::vector<std::uint8_t>>::failure(errorOpeningReason(name));
    if (!entry) {
        prompts_.message(MessageStyle::Error, kErrorTitle,
                         QString::fromLatin1(kExtractionErrorPrefix) + QString::fromStdString(entry.error()));
        return std::nullopt;
    }
    LastEntrySize = static_cast<std::int32_t>(entry.value().size());
    return std::move(entry.value());
}

}  // namespace zorbel
