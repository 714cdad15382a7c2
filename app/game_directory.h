#pragma once

#include <QString>

#include "app/settings_store.h"
#include "ui/prompts.h"

namespace zorbel {

inline const QString kLocateWarningText = QStringLiteral("Please Locate war2.exe in the war2 Directory...");
inline const QString kFirstStartWarningText =
    QStringLiteral("Please Find war2.exe in the WarCraft Directory...");
inline const QString kChooseWarningText =
    QStringLiteral("Please Locate war2.exe in the war2 Directory you wish to use...");
inline const QString kWarningTitle = QStringLiteral("Warning");
inline const QString kLocateTitle = QStringLiteral("Locate WarCraft II");
inline const QString kLocateFilter = QStringLiteral("WarCraft EXE (war2.exe)");

// The game directory (GameDir): settled when the main window is created,
// changed through the menu, remembered only once it holds the game's data.
class GameDirectory {
  public:
    GameDirectory(Prompts& prompts, SettingsStore& settings) : prompts_(prompts), settings_(settings) {}

    const QString& dir() const { return dir_; }

    // At start: the stored directory when it holds the game's data, else ask.
    // With none stored yet, a folder that holds the game's data (that of
    // the file the editor was started on) is taken and stored without asking.
    void settle(const QString& candidate = {});
    // "Choose Warcraft Directory".
    void choose();

    // Whether dir/DATA/MAINDAT.WAR exists, in whatever letter case it has on disk.
    static bool hasGameData(const QString& dir);

  private:
    void locate(const QString& initialDir);

    Prompts& prompts_;
    SettingsStore& settings_;
    QString dir_;
};

}  // namespace zorbel
