#include "app/game_directory.h"

#include <QFileInfo>

#include "base/path_match.h"

namespace zorbel {

bool GameDirectory::hasGameData(const QString& dir) {
    if (dir.isEmpty()) {
        return false;
    }
    return findPathIgnoringCase(std::filesystem::path(dir.toStdString()), {"DATA", "MAINDAT.WAR"})
        .has_value();
}

void GameDirectory::settle(const QString& candidate) {
    if (!settings_.war2Dir() && hasGameData(candidate)) {
        if (!settings_.keyExists()) {
            settings_.createKey();
        }
        dir_ = candidate;
        settings_.setWar2Dir(dir_);
        return;
    }
    if (settings_.keyExists()) {
        dir_ = settings_.war2Dir().value_or(QString());
        if (hasGameData(dir_)) {
            return;
        }
        prompts_.message(MessageStyle::Warning, kWarningTitle, kLocateWarningText);
    } else {
        settings_.createKey();
        prompts_.message(MessageStyle::Warning, kWarningTitle, kFirstStartWarningText);
    }
    locate(dir_);
}

void GameDirectory::choose() {
    dir_ = settings_.war2Dir().value_or(QString());
    prompts_.message(MessageStyle::Warning, kWarningTitle, kChooseWarningText);
    locate(dir_);
}

void GameDirectory::locate(const QString& initialDir) {
    const auto picked = prompts_.openFileName({kLocateTitle, kLocateFilter, initialDir});
    if (!picked) {
        return;
    }
    dir_ = QFileInfo(*picked).absolutePath();
    if (hasGameData(dir_)) {
        settings_.setWar2Dir(dir_);
    }
}

}  // namespace zorbel
