#pragma once

#include <optional>
#include <string>

#include "exe/exe_image.h"

namespace zorbel {

inline constexpr const char* kUnknownVersionMessage = "Fatal error! Unknown version of WarCraft II!";
inline constexpr const char* kNoExeOpenMessage = "ERROR! No EXE Open!";
inline constexpr const char* kProtectedNameMessage =
    "ERROR! Cannot Overwrite WAR2.EXE! Choose a different name!";
inline constexpr const char* kEditorCaption = "WarCraft II EXE Editor";

// What the file commands need from the window that runs them.
class FileCommandHost {
  public:
    virtual ~FileCommandHost() = default;
    virtual std::optional<std::string> chooseOpenPath(const std::string& initialDir) = 0;
    virtual std::optional<std::string> chooseSavePath(const std::string& initialDir) = 0;
    // A plain box titled with the application title.
    virtual void showPlainMessage(const std::string& text) = 0;
    // An error box naming the file and the system's reason.
    virtual void showErrorMessage(const std::string& text) = 0;
    virtual void setCaption(const std::string& caption) = 0;
    // Re-selects the first row of the list pages, in the Open command's order.
    virtual void refreshPages() = 0;
};

std::string captionFor(const std::string& fileName);
std::string openFailureMessage(const std::string& path, const std::string& reason);
std::string saveFailureMessage(const std::string& path, const std::string& reason);

// Open: an unreadable file leaves the image held before untouched; an
// unknown build leaves no image held. The pages are refreshed whenever the
// dialog was used.
void OpenExecutable(ExeImage& image, FileCommandHost& host, const std::string& gameDir);
// Save: asks for a name only when the image has none; refuses WAR2.EXE; a
// failed write keeps the old file and the caption as they were. True when
// the file was written.
bool SaveExecutable(ExeImage& image, FileCommandHost& host, const std::string& gameDir);
bool SaveExecutableAs(ExeImage& image, FileCommandHost& host, const std::string& gameDir);
void CloseExecutable(ExeImage& image, FileCommandHost& host);

}  // namespace zorbel
