#pragma once

namespace zorbel {

class AudioOutput;
class ExeImage;
class Prompts;
class WarArchive;

// What the pages share with the main window for the whole run.
struct PageContext {
    ExeImage& image;
    bool& WriteBackEnabled;
    Prompts& prompts;
    WarArchive& archive;
    AudioOutput& audio;
};

}  // namespace zorbel
