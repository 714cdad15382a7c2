#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "app/application.h"
#include "app/main_window.h"
#include "tests/support/recording_audio.h"
#include "tests/support/scripted_prompts.h"
#include "tools/gamekit/demo_archives.h"
#include "tools/gamekit/game_exe.h"

namespace testsupport {

// The editor started on a demo game folder (archives in DATA), with
// scripted prompts, a recording audio output and settings in a temp file.
class EditorFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(gamekit::writeDemoArchives(temp.filePath(QStringLiteral("DATA")).toStdString()), "");
        settings = std::make_unique<zorbel::QSettingsStore>(temp.filePath(QStringLiteral("Zorbel.ini")));
        settings->createKey();
        settings->setWar2Dir(temp.path());
        app = std::make_unique<zorbel::ZorbelApplication>(prompts, *settings, &audio);
        app->start();
        window = app->SDIAppForm();
        prompts.take();
        showPage(pageIndex());
    }
    // The page the tests of a fixture work on.
    virtual int pageIndex() const { return 3; }

    // Opens a kit executable of the build through the File menu.
    void openBuild(int build) {
        exe = gamekit::buildGameExe(build);
        const QString path = temp.filePath(QStringLiteral("game.exe"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(reinterpret_cast<const char*>(exe.bytes.data()), static_cast<qint64>(exe.bytes.size()));
        f.close();
        prompts.fileAnswers.push_back(path);
        window->findChild<QAction*>(QStringLiteral("OpenItem"))->trigger();
        ASSERT_EQ(window->image().GameVersion(), build);
        prompts.take();
    }
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
    // Brings a page to the front, as a user's clicks need it visible.
    void showPage(int index) {
        window->findChild<QTabWidget*>(QStringLiteral("TabbedNotebook1"))->setCurrentIndex(index);
    }
    std::vector<std::uint8_t> bytes() const {
        return {window->image().bytes().begin(), window->image().bytes().end()};
    }
    // The offsets at which the image differs from `before`.
    std::vector<std::size_t> changedOffsets(const std::vector<std::uint8_t>& before) const {
        std::vector<std::size_t> out;
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (before[i] != window->image().bytes()[i]) {
                out.push_back(i);
            }
        }
        return out;
    }

    QTemporaryDir temp;
    ScriptedPrompts prompts;
    RecordingAudioOutput audio;
    std::unique_ptr<zorbel::QSettingsStore> settings;
    std::unique_ptr<zorbel::ZorbelApplication> app;
    zorbel::TSDIAppForm* window = nullptr;
    gamekit::GameExe exe;
};

}  // namespace testsupport
