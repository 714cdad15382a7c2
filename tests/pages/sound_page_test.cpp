// The Sound Table page driven offscreen, with a recording audio output.
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

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
    std::uint16_t word(int row, int side) {
        return *window->image().readU16(window->image().layout().SoundTable + 692 * side + 2 * row);
    }
    std::vector<std::uint8_t> entry(const char* archive, int index) {
        const auto path = (gameDir() + QStringLiteral("/DATA/") + QLatin1String(archive)).toStdString();
        return ReadWarEntry(path, index, archive).value();
    }
    void check(QCheckBox* box, bool on) {
        if (box->isChecked() != on) {
            click(box);
        }
    }
};

TEST_F(SoundPageTest, TheControlsMakeTheWords) {
    openBuild(4);
    EXPECT_EQ(ui().Edit2->text(), QStringLiteral("1"));
    ui().soundlist->setCurrentRow(4);  // the kit's human word 2004: SNDDAT.WAR, entry 4
    EXPECT_TRUE(ui().w2->isChecked());
    EXPECT_EQ(ui().txtEntry->text(), QStringLiteral("4"));
    const std::uint16_t human = word(4, 0);
    click(ui().Ow5);
    type(ui().OtxtEntry, QStringLiteral("245"));
    check(ui().OCheckBox1, false);
    check(ui().OCheckBox2, true);
    check(ui().OCheckBox3, false);
    EXPECT_EQ(word(4, 1), 0x547D);
    EXPECT_EQ(word(4, 0), human) << "the other side's word is written back as shown";
    // "No Sound" with entry 0 stores 0xFFFF whatever the boxes show; $1F is 31.
    click(ui().w0);
    type(ui().txtEntry, QStringLiteral("0"));
    EXPECT_EQ(word(4, 0), 0xFFFF);
    type(ui().txtEntry, QStringLiteral("$1F"));
    EXPECT_EQ(word(4, 0), 31);
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
}

TEST_F(SoundPageTest, PlayReadsTheEntryStrictlyAndNeedsNoExecutable) {
    click(ui().Ow2);
    type(ui().OtxtEntry, QStringLiteral("3"));
    click(ui().Button2);
    ASSERT_EQ(audio.played.size(), 1u);
    EXPECT_EQ(audio.played[0], entry("SNDDAT.WAR", 3));

    openBuild(2);
    click(ui().w5);
    type(ui().txtEntry, QStringLiteral("1F"));
    EXPECT_EQ(word(0, 0) % 1000, 0) << "the write-back reads it leniently";
    click(ui().Button1);
    EXPECT_EQ(prompts.take(),
              QStringList{QStringLiteral("message error|Zorbel|'1F' is not a valid integer value.")});
    type(ui().txtEntry, QStringLiteral("$1F"));
    click(ui().Button1);
    ASSERT_EQ(audio.played.size(), 2u);
    EXPECT_EQ(audio.played[1], entry("SFXDAT.SUD", 31));
    // "No Sound" plays nothing; an entry the archive lacks shows the reader's error.
    click(ui().w0);
    click(ui().Button1);
    click(ui().Ow2);
    type(ui().OtxtEntry, QStringLiteral("999"));
    click(ui().Button2);
    EXPECT_EQ(audio.played.size(), 2u);
    EXPECT_EQ(prompts.take(),
              QStringList{QStringLiteral("message error|Error|A fatal error has occured during "
                                         "extraction! An invalid file index was specified!")});
}

TEST_F(SoundPageTest, NeverClickHerePlaysTheRuntimesSequence) {
    const int expected[] = {7, 245, 375, 164, 245, 91, 20, 375};
    for (int k = 0; k < 8; ++k) {
        click(app->AboutBox->ui().Button1);
        ASSERT_EQ(audio.played.size(), static_cast<std::size_t>(k + 1));
        EXPECT_EQ(audio.played.back(), entry("SFXDAT.SUD", expected[k])) << "press " << k;
    }
}

}  // namespace
}  // namespace zorbel
