// The Sound Table page driven offscreen, with a recording audio output.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/about_box.h"
#include "archive/war_archive.h"
#include "pages/sounds/sound_page.h"
#include "tests/support/gui_fixture.h"
#include "ui_about_box.h"
#include "ui_sound_page.h"

namespace zorbel {
namespace {

class SoundPageTest : public testsupport::EditorFixture {
  protected:
    int pageIndex() const override { return 1; }
    Ui::SoundPage& ui() { return window->soundPage().ui(); }
    std::uint16_t human(int row) {
        return *window->image().readU16(window->image().layout().SoundTable + 2 * row);
    }
    std::uint16_t orc(int row) {
        return *window->image().readU16(window->image().layout().SoundTable + 692 + 2 * row);
    }
    std::vector<std::uint8_t> entry(const char* archive, int index) {
        const auto path = temp.filePath(QStringLiteral("DATA/") + QLatin1String(archive)).toStdString();
        return ReadWarEntry(path, index, archive).value();
    }
};

TEST_F(SoundPageTest, LoadShowsBothWordsAndTypingWritesBothWords) {
    openBuild(4);
    EXPECT_EQ(ui().soundlist->currentRow(), 0);
    EXPECT_EQ(ui().Edit2->text(), QStringLiteral("1"));
    ui().soundlist->setCurrentRow(4);
    const SoundWord w = DecodeSoundWord(human(4));
    EXPECT_EQ(ui().txtEntry->text(), QString::number(w.entry));
    EXPECT_TRUE(ui().w2->isChecked() || ui().w5->isChecked());
    EXPECT_EQ(ui().CheckBox1->isChecked(), w.repeat);

    const auto before = bytes();
    click(ui().Ow5);
    type(ui().OtxtEntry, QStringLiteral("245"));
    click(ui().OCheckBox2);
    if (ui().OCheckBox1->isChecked()) {
        click(ui().OCheckBox1);
    }
    if (ui().OCheckBox3->isChecked()) {
        click(ui().OCheckBox3);
    }
    if (!ui().OCheckBox2->isChecked()) {
        click(ui().OCheckBox2);
    }
    EXPECT_EQ(orc(4), 0x547D);
    const std::size_t table = window->image().layout().SoundTable;
    for (std::size_t at : changedOffsets(before)) {
        EXPECT_TRUE(at == table + 8 || at == table + 9 || at == table + 692 + 8 || at == table + 693 + 8)
            << std::hex << at;
    }
    // "No Sound" with entry 0 stores 0xFFFF whatever the boxes show.
    click(ui().w0);
    type(ui().txtEntry, QStringLiteral("0"));
    EXPECT_EQ(human(4), 0xFFFF);
    type(ui().txtEntry, QStringLiteral("$1F"));
    EXPECT_EQ(human(4), 31);
}

TEST_F(SoundPageTest, NumberBoxSelectsTheRow) {
    openBuild(1);
    type(ui().Edit2, QStringLiteral("12"));
    EXPECT_EQ(ui().soundlist->currentRow(), 11);
    type(ui().Edit2, QStringLiteral("x"));
    EXPECT_EQ(ui().soundlist->currentRow(), 0);
    EXPECT_EQ(ui().Edit2->text(), QStringLiteral("1"));
    // Outside 1 ... 345: no row, and nothing is written meanwhile.
    type(ui().Edit2, QStringLiteral("346"));
    EXPECT_EQ(ui().soundlist->currentRow(), -1);
    const auto before = bytes();
    type(ui().txtEntry, QStringLiteral("77"));
    click(ui().CheckBox2);
    EXPECT_EQ(bytes(), before);
    window->soundPage().goToSound(QStringLiteral("0"));
    EXPECT_EQ(ui().soundlist->currentRow(), -1);
}

TEST_F(SoundPageTest, PlayReadsTheEntryStrictly) {
    openBuild(2);
    click(ui().w5);
    type(ui().txtEntry, QStringLiteral("1F"));
    const std::uint16_t stored = human(0);
    EXPECT_EQ(DecodeSoundWord(stored).entry, 0) << "the write-back reads it leniently";
    click(ui().Button1);
    EXPECT_EQ(prompts.take(),
              QStringList{QStringLiteral("message error|Zorbel|'1F' is not a valid integer value.")});
    EXPECT_TRUE(audio.played.empty());

    type(ui().txtEntry, QStringLiteral("$1F"));
    click(ui().Button1);
    ASSERT_EQ(audio.played.size(), 1u);
    EXPECT_EQ(audio.played[0], entry("SFXDAT.SUD", 31));

    // "No Sound" plays nothing; an entry the archive lacks shows the reader's error.
    click(ui().w0);
    click(ui().Button1);
    click(ui().Ow2);
    type(ui().OtxtEntry, QStringLiteral("999"));
    click(ui().Button2);
    EXPECT_EQ(audio.played.size(), 1u);
    EXPECT_EQ(prompts.take(),
              QStringList{QStringLiteral("message error|Error|A fatal error has occured during "
                                         "extraction! An invalid file index was specified!")});
}

TEST_F(SoundPageTest, PlayButtonsNeedNoExecutable) {
    click(ui().Ow2);
    type(ui().OtxtEntry, QStringLiteral("3"));
    click(ui().Button2);
    ASSERT_EQ(audio.played.size(), 1u);
    EXPECT_EQ(audio.played[0], entry("SNDDAT.WAR", 3));
}

TEST_F(SoundPageTest, NeverClickHerePlaysTheRuntimesSequence) {
    for (int press = 0; press < 8; ++press) {
        click(app->AboutBox->ui().Button1);
    }
    ASSERT_EQ(audio.played.size(), 8u);
    const int expected[] = {7, 245, 375, 164, 245, 91, 20, 375};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(audio.played[static_cast<std::size_t>(k)], entry("SFXDAT.SUD", expected[k]))
            << "press " << k;
    }
}

}  // namespace
}  // namespace zorbel
