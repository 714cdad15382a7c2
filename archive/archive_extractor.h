#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "ui/prompts.h"

namespace zorbel {

inline const QString kErrorTitle = QStringLiteral("Error");

// ExtractWarEntry as its callers use it: the entry, or an error box with the
// reason and nothing; LastEntrySize tells which (-1 after a failure).
class WarArchive {
  public:
    WarArchive(Prompts& prompts, std::function<QString()> gameDir)
        : prompts_(prompts), gameDir_(std::move(gameDir)) {}

    std::optional<std::vector<std::uint8_t>> ExtractWarEntry(std::int32_t index, const QString& archiveName);

    std::int32_t LastEntrySize = -1;

  private:
    Prompts& prompts_;
    std::function<QString()> gameDir_;
};

}  // namespace zorbel
