#include "exe/file_commands.h"

#include "exe/exe_file.h"

namespace zorbel {

std::string captionFor(const std::string& fileName) {
    return std::string(kEditorCaption) + " - " + fileNamePart(fileName);
}

std::string openFailureMessage(const std::string& path, const std::string& reason) {
    return "Error opening \"" + path + "\": " + reason;
}

std::string saveFailureMessage(const std::string& path, const std::string& reason) {
    return "Error saving \"" + path + "\": " + reason;
}

void OpenExecutable(ExeImage& image, FileCommandHost& host, const std::string& gameDir) {
    if (auto path = host.chooseOpenPath(gameDir)) {
        auto file = readWholeFile(*path, kMaxExecutableSize);
        if (!file) {
            host.showErrorMessage(openFailureMessage(*path, file.error()));
        } else {
            const std::int32_t version = DetectGameVersion(file.value());
            if (version == kNoGame) {
                image.release();
                host.showPlainMessage(kUnknownVersionMessage);
            } else {
                image.hold(std::move(file.value()), version, *path);
                host.setCaption(captionFor(*path));
            }
        }
    }
    host.refreshPages();
}

bool SaveExecutable(ExeImage& image, FileCommandHost& host, const std::string& gameDir) {
    if (!image.held()) {
        host.showPlainMessage(kNoExeOpenMessage);
        return false;
    }
    if (image.fileName().empty()) {
        auto path = host.chooseSavePath(gameDir);
        if (!path) {
            return false;
        }
        image.setFileName(*path);
    }
    const std::string target = image.fileName();
    if (isProtectedSaveName(target)) {
        host.showPlainMessage(kProtectedNameMessage);
        return false;
    }
    if (auto saved = writeFileReplacing(target, image.bytes()); !saved) {
        host.showErrorMessage(saveFailureMessage(target, saved.error()));
        return false;
    }
    image.markSaved();
    host.setCaption(captionFor(target));
    return true;
}

bool SaveExecutableAs(ExeImage& image, FileCommandHost& host, const std::string& gameDir) {
    image.setFileName({});
    return SaveExecutable(image, host, gameDir);
}

void CloseExecutable(ExeImage& image, FileCommandHost& host) {
    image.release();
    host.setCaption(kEditorCaption);
}

}  // namespace zorbel
