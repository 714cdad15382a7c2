// The icon chooser as its callers meet it, driven offscreen.
#include "graphics/compress_form.h"
#include "tests/support/gui_fixture.h"
#include "tools/gamekit/archive_builder.h"
#include "tools/gamekit/sprite_builder.h"

namespace zorbel {
namespace {

using namespace Qt::StringLiterals;

class IconChooserTest : public testsupport::AppFixture {
  protected:
    // Starts the editor on the temporary folder, with the demo archives when asked.
    void startIn(bool archives) {
        if (archives) {
            ASSERT_EQ(gamekit::writeDemoArchives(dataDir().toStdString()), "");
        }
        start(temp.path());
        chooser = app->chicon;
    }
    QString dataDir() const { return temp.filePath(u"DATA"_s); }
    // Clicks the band of icon k (from 0) in the strip.
    void clickIcon(int k) {
        QTest::mouseClick(chooser->Image1, Qt::LeftButton, {}, QPoint(10, k * Tchicon::kBand + 5));
    }
    Tchicon* chooser = nullptr;
};

TEST_F(IconChooserTest, StripIsBuiltFromTheGameIcons) {
    startIn(true);
    EXPECT_EQ(prompts.take(), QStringList{u"modal AboutBox"_s});
    EXPECT_EQ(std::pair(chooser->iconCount(), chooser->ScrollBar1->maximum()),
              std::pair(gamekit::kDemoIcons, gamekit::kDemoIcons - 1));
    EXPECT_EQ(std::pair(app->CompressForm->windowTitle(), app->CompressForm->isVisible()),
              std::pair(u"Converting GFX..."_s, false));
    // The strip shows the game's colours: the palette's 6-bit values times four.
    const auto palette = gamekit::demoPalette();
    const QRgb corner = chooser->Image1->pixmap().toImage().pixel(0, 0);  // transparent: line fill index 22
    EXPECT_EQ(corner, qRgb(palette[66] * 4, palette[67] * 4, palette[68] * 4));
}

TEST_F(IconChooserTest, OpensFramedAtTheIconAndTakesTheClickedOne) {
    startIn(true);
    prompts.modalActions.push_back([&](QDialog&) {
        EXPECT_EQ(chooser->scrollPosition(), 6);
        // Framed at the second visible band.
        EXPECT_EQ(std::tuple(chooser->Shape1->y(), chooser->Shape1->width(), chooser->Shape1->height(),
                             chooser->Image1->y()),
                  std::tuple((8 - 6 - 1) * 38 - 1, chooser->Panel1->width() + 1, 40, -38 * 6 - 1));
        clickIcon(6);
        EXPECT_EQ(chooser->SelectedIcon, 7);
        EXPECT_EQ(chooser->Shape1->y(), -2);
        chooser->SelectedIcon = 8;
        chooser->setScrollPosition(10);
        EXPECT_EQ(chooser->Shape1->y(), -114) << "above the visible window";
        chooser->setScrollPosition(100000);
        EXPECT_EQ(chooser->scrollPosition(), gamekit::kDemoIcons - 1);
        clickIcon(6);
        QTest::mouseClick(chooser->BitBtn1, Qt::LeftButton);
    });
    EXPECT_EQ(askIconForUnit(*chooser, prompts, 7), 6);

    // Cancel after an earlier OK gives nothing.
    prompts.modalActions.push_back([&](QDialog&) {
        EXPECT_EQ(chooser->Shape1->y(), -1) << "icon 0 framed at the top band";
        clickIcon(1);
        QTest::mouseClick(chooser->BitBtn2, Qt::LeftButton);
    });
    EXPECT_EQ(askIconForUnit(*chooser, prompts, 0), std::nullopt);
    EXPECT_EQ(chooser->ChosenIcon, 0);
}

TEST_F(IconChooserTest, WithoutIconsTheStripIsEmptyAndOkGivesNothing) {
    QDir().mkpath(dataDir());
    writeFile(dataDir() + u"/MAINDAT.WAR"_s, {});
    startIn(false);
    EXPECT_EQ(chooser->iconCount(), 0);
    EXPECT_FALSE(chooser->BitBtn1->isEnabled());
    prompts.modalActions.push_back([&](QDialog&) { QTest::mouseClick(chooser->BitBtn1, Qt::LeftButton); });
    EXPECT_EQ(askIconForUnit(*chooser, prompts, 4), std::nullopt);
}

TEST_F(IconChooserTest, DamagedIconSpriteIsReported) {
    std::vector<gamekit::ArchiveEntry> entries(357, gamekit::ArchiveEntry{{1, 2, 3}, false, std::nullopt});
    entries[2].data = gamekit::demoPalette();
    entries[356].data = gamekit::buildSpriteFile(0, 2, 1, {{.w = 2, .h = 1, .lines = {{0x00}}}}, true);
    QDir().mkpath(dataDir());
    writeFile(dataDir() + u"/MAINDAT.WAR"_s, gamekit::buildArchive(entries));
    startIn(false);
    EXPECT_TRUE(prompts.take().contains(u"message error|Error|Error converting : Control byte $00 found."_s));
    EXPECT_EQ(chooser->iconCount(), 0);
}

}  // namespace
}  // namespace zorbel
