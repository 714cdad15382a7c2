#pragma once

#include <QString>
#include <memory>

#include "app/settings_store.h"
#include "ui/prompts.h"

namespace zorbel {

class AudioOutput;
class Launcher;
class QtLauncher;
class SilentAudioOutput;
class TSDIAppForm;
class TAboutBox;
class Tchicon;
class TCompressForm;
class Tgver;
class Tsobj;
class Tgenpat;

// Program start: the windows are created in a fixed order and live until
// the program ends; the About box comes first, then the main window.
class ZorbelApplication {
  public:
    // Without an audio output, sounds play nowhere.
    ZorbelApplication(Prompts& prompts, SettingsStore& settings, AudioOutput* audio = nullptr,
                      Launcher* launcher = nullptr);
    ~ZorbelApplication();

    // Everything up to the event loop: create the windows, record StartDir,
    // show the About box modally, then show the main window, and open the
    // file given, as File, Open would.
    void start(const QString& file = {});

    TSDIAppForm* SDIAppForm() const { return main_.get(); }
    TAboutBox* AboutBox = nullptr;
    Tchicon* chicon = nullptr;
    TCompressForm* CompressForm = nullptr;
    Tgver* gver = nullptr;
    Tsobj* sobj = nullptr;
    Tgenpat* genpat = nullptr;

    // The font of the game's era, or one with the same metrics where it is missing.
    static void applyFont();

  private:
    Prompts& prompts_;
    SettingsStore& settings_;
    std::unique_ptr<SilentAudioOutput> silence_;
    AudioOutput& audio_;
    std::unique_ptr<QtLauncher> realLauncher_;
    Launcher& launcher_;
    std::unique_ptr<TSDIAppForm> main_;
};

}  // namespace zorbel
