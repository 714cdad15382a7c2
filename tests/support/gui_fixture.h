#pragma once

#include <QAction>
#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "app/application.h"
#include "app/main_window.h"
#include "graphics/icon_chooser.h"
#include "pages/commands/commands_page.h"
#include "pages/maps/maps_page.h"
#include "pages/maps/objectives_dialog.h"
#include "pages/sounds/audio_output.h"
#include "pages/sounds/sound_page.h"
#include "pages/spells/spell_page.h"
#include "pages/units/units_page.h"
#include "tests/support/scripted_prompts.h"
#include "tools/gamekit/demo_archives.h"
#include "tools/gamekit/game_exe.h"
#include "ui_commands_page.h"
#include "ui_maps_page.h"
#include "ui_sound_page.h"
#include "ui_spell_page.h"
#include "ui_units_page.h"

namespace testsupport {

using namespace Qt::StringLiterals;

// Keeps every wave image it is asked to play, in order.
class RecordingAudioOutput : public zorbel::AudioOutput {
  public:
    std::vector<std::vector<std::uint8_t>> played;
    void play(zorbel::ByteView image) override { played.emplace_back(image.begin(), image.end()); }
};

// The editor as a user starts it, in a temporary folder: scripted prompts,
// a recording audio output and settings in a file of that folder.
class AppFixture : public ::testing::Test {
  protected:
    // A game folder below the temporary one: the demo archives in DATA
    // (spelt as given; none when `data` is empty) and a WAR2.EXE.
    QString gameFolder(const QString& name, const QString& data = u"DATA"_s) {
        const QString dir = temp.filePath(name);
        QDir().mkpath(dir);
        if (!data.isEmpty()) {
            EXPECT_EQ(gamekit::writeDemoArchives((dir + QLatin1Char('/') + data).toStdString()), "");
        }
        writeFile(dir + u"/WAR2.EXE"_s, {});
        return dir;
    }
    // Starts the editor. stored: the game directory kept in the settings;
    // nothing for a first start, an empty text for the key without a value.
    void start(const std::optional<QString>& stored, const QString& file = {}) {
        const QString ini = temp.filePath(u"config/Zorbel.ini"_s);
        QFile::remove(ini);
        settings = std::make_unique<zorbel::QSettingsStore>(ini);
        if (stored) {
            settings->createKey();
            if (!stored->isEmpty()) {
                settings->setWar2Dir(*stored);
            }
        }
        app = std::make_unique<zorbel::ZorbelApplication>(prompts, *settings, output ? output : &audio,
                                                          launcher);
        app->start(file);
        window = app->SDIAppForm();
    }

    static void writeFile(const QString& path, const std::vector<std::uint8_t>& bytes) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    }
    static QByteArray fileBytes(const QString& path) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    // Opens a kit executable of the build through the File menu.
    QString openBuild(int build, const QString& name = u"game.exe"_s) {
        exe = gamekit::buildGameExe(build);
        const QString path = temp.filePath(name);
        writeFile(path, exe.bytes);
        prompts.fileAnswers.push_back(path);
        trigger("OpenItem");
        EXPECT_EQ(window->image().GameVersion(), build);
        prompts.take();
        return path;
    }
    QAction* action(const char* name) { return window->findChild<QAction*>(QLatin1String(name)); }
    void trigger(const char* name) { action(name)->trigger(); }
    // A user's click on a button, check box or radio button: on its
    // indicator, which is what check boxes and radio buttons answer to.
    static void click(QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    // Types into a field as a user does, key by key, over what it held;
    // an empty text deletes it.
    static void type(QLineEdit* box, const QString& text) {
        box->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Delete);
        } else {
            QTest::keyClicks(box, text);
        }
    }
    // A row picked from a drop-down list.
    static void pick(QComboBox* list, int row) {
        list->setCurrentIndex(row);
        emit list->activated(row);
    }
    QTabWidget* pages() { return window->findChild<QTabWidget*>(u"TabbedNotebook1"_s); }
    // Brings a page to the front, as a user's clicks need it visible.
    void showPage(int index) { pages()->setCurrentIndex(index); }
    std::vector<std::uint8_t> bytes() const {
        return {window->image().bytes().begin(), window->image().bytes().end()};
    }
    bool marked() { return window->windowTitle().startsWith(QLatin1Char('*')); }

    QTemporaryDir temp;
    ScriptedPrompts prompts;
    RecordingAudioOutput audio;
    zorbel::AudioOutput* output = nullptr;  // the recording one when none is set
    zorbel::Launcher* launcher = nullptr;   // the real one when none is set
    std::unique_ptr<zorbel::QSettingsStore> settings;
    std::unique_ptr<zorbel::ZorbelApplication> app;
    zorbel::TSDIAppForm* window = nullptr;
    gamekit::GameExe exe;
};

// The editor started on the demo game folder, its first page of interest in front.
class EditorFixture : public AppFixture {
  protected:
    void SetUp() override {
        start(gameFolder(u"game"_s));
        prompts.take();
        showPage(pageIndex());
    }
    virtual int pageIndex() const { return 3; }
    QString gameDir() const { return temp.filePath(u"game"_s); }

    Ui::UnitsPage& units() { return window->unitsPage().ui(); }
    Ui::SoundPage& sounds() { return window->soundPage().ui(); }
    Ui::SpellPage& spells() { return window->spellPage().ui(); }
    Ui::CommandsPage& commands() { return window->commandsPage().ui(); }
    Ui::MapsPage& maps() { return window->mapsPage().ui(); }
    const zorbel::VersionLayout& layout() { return window->image().layout(); }
    std::uint32_t u16(std::uint64_t at) { return *window->image().readU16(at); }
    std::uint32_t u8(std::uint64_t at) { return *window->image().readU8(at); }
    std::uint32_t unitAt(int row) { return layout().UnitTable + 14u * static_cast<std::uint32_t>(row); }
    // What the user does in the icon chooser the next click opens: a click
    // on the band of icon `k` (from 0) and OK; without one, Cancel.
    void inChooser(std::optional<int> k) {
        zorbel::Tchicon* chooser = app->chicon;
        prompts.modalActions.push_back([this, chooser, k](QDialog&) {
            chooserOpened = {chooser->scrollPosition(), chooser->SelectedIcon};
            if (k) {
                QTest::mouseClick(chooser->Image1, Qt::LeftButton, {},
                                  QPoint(10, *k * zorbel::Tchicon::kBand + 4));
            }
            QTest::mouseClick(k ? chooser->BitBtn1 : chooser->BitBtn2, Qt::LeftButton);
        });
    }
    std::pair<int, int> chooserOpened;  // the chooser's scroll position and selected icon as it opened
};

}  // namespace testsupport
