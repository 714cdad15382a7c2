// The icon chooser as its callers meet it, driven offscreen.
#include "graphics/icon_chooser.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "graphics/compress_form.h"
#include "tests/support/gui_fixture.h"
#include "tools/gamekit/archive_builder.h"
#include "tools/gamekit/sprite_builder.h"

namespace zorbel {
namespace {

class IconChooserTest : public testsupport::AppFixture {
  protected:
    void start() {
        AppFixture::start(temp.path());
        chooser = app->chicon;
    }
    void writeArchives() { ASSERT_EQ(gamekit::writeDemoArchives(dataDir().toStdString()), ""); }
    QString dataDir() const { return temp.filePath(QStringLiteral("DATA")); }
    // Clicks the band of icon k (from 0) in the strip.
    void clickIcon(int k) {
        QTest::mouseClick(chooser->Image1, Qt::LeftButton, {}, QPoint(10, k * Tchicon::kBand + 5));
    }
    Tchicon* chooser = nullptr;
};

TEST_F(IconChooserTest, StripIsBuiltFromTheGameIconsWithoutTemporaryFiles) {
    writeArchives();
    const QStringList before = QDir::current().entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    start();
    EXPECT_EQ(prompts.take(), QStringList{QStringLiteral("modal AboutBox")});
    EXPECT_EQ(chooser->iconCount(), gamekit::kDemoIcons);
    EXPECT_EQ(chooser->Image1->pixmap().size(), QSize(46, 38 * gamekit::kDemoIcons));
    EXPECT_EQ(chooser->ScrollBar1->maximum(), gamekit::kDemoIcons - 1);
    EXPECT_EQ(QDir::current().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    EXPECT_FALSE(QFile::exists(QDir::temp().filePath(QStringLiteral("temp.bmp"))));
    EXPECT_EQ(app->CompressForm->windowTitle(), QStringLiteral("Converting GFX..."));
    EXPECT_FALSE(app->CompressForm->isVisible());
    // The strip shows the game's colours: the palette's 6-bit values times four.
    const QImage strip = chooser->Image1->pixmap().toImage();
    const auto palette = gamekit::demoPalette();
    const QRgb corner = strip.pixel(0, 0);  // transparent corner: the line fill index 22
    EXPECT_EQ(corner, qRgb(palette[66] * 4, palette[67] * 4, palette[68] * 4));
}

TEST_F(IconChooserTest, UnitsCallerOpensAtItsIconAndTakesTheClickedOne) {
    writeArchives();
    start();
    prompts.modalActions.push_back([&](QDialog&) {
        EXPECT_EQ(chooser->scrollPosition(), 6);
        EXPECT_EQ(chooser->Shape1->y(), (8 - 6 - 1) * 38 - 1) << "framed at the second visible band";
        EXPECT_EQ(chooser->Image1->y(), -38 * 6 - 1);
        clickIcon(6);
        EXPECT_EQ(chooser->SelectedIcon, 7);
        EXPECT_EQ(chooser->Shape1->y(), -2);
        QTest::mouseClick(chooser->BitBtn1, Qt::LeftButton);
    });
    EXPECT_EQ(askIconForUnit(*chooser, prompts, 7), 6);

    // Cancel after an earlier OK gives nothing.
    prompts.modalActions.push_back([&](QDialog&) {
        clickIcon(1);
        QTest::mouseClick(chooser->BitBtn2, Qt::LeftButton);
    });
    EXPECT_EQ(askIconForUnit(*chooser, prompts, 0), std::nullopt);
    EXPECT_EQ(chooser->ChosenIcon, 0);
}

TEST_F(IconChooserTest, FramePlacementsFollowShowScrollAndClick) {
    writeArchives();
    start();
    prompts.modalActions.push_back([&](QDialog&) {
        EXPECT_EQ(chooser->Shape1->y(), -1) << "icon 0 framed at the top band";
        EXPECT_EQ(chooser->Shape1->width(), chooser->Panel1->width() + 1);
        EXPECT_EQ(chooser->Shape1->height(), 40);
        chooser->SelectedIcon = 8;
        chooser->setScrollPosition(10);
        EXPECT_EQ(chooser->Shape1->y(), -114) << "above the visible window";
        chooser->setScrollPosition(100000);
        EXPECT_EQ(chooser->scrollPosition(), gamekit::kDemoIcons - 1);
    });
    askIconForUnit(*chooser, prompts, 0);
}

TEST_F(IconChooserTest, WithoutIconsTheStripIsEmptyAndOkGivesNothing) {
    QDir().mkpath(dataDir());
    QFile(dataDir() + QStringLiteral("/MAINDAT.WAR")).open(QIODevice::WriteOnly);
    start();
    EXPECT_EQ(chooser->iconCount(), 0);
    EXPECT_FALSE(chooser->BitBtn1->isEnabled());
    prompts.modalActions.push_back([&](QDialog&) { QTest::mouseClick(chooser->BitBtn1, Qt::LeftButton); });
    EXPECT_EQ(askIconForUnit(*chooser, prompts, 4), std::nullopt);
}

TEST_F(IconChooserTest, DamagedIconSpriteIsReported) {
    std::vector<gamekit::ArchiveEntry> entries(357, gamekit::ArchiveEntry{{1, 2, 3}, false, std::nullopt});
    entries[2].data = gamekit::demoPalette();
    gamekit::RawFrame bad;
    bad.w = 2;
    bad.h = 1;
    bad.lines = {{0x00}};
    entries[356].data = gamekit::buildSpriteFile(0, 2, 1, {bad}, true);
    QDir().mkpath(dataDir());
    const auto archive = gamekit::buildArchive(entries);
    QFile file(dataDir() + QStringLiteral("/MAINDAT.WAR"));
    file.open(QIODevice::WriteOnly);
    file.write(reinterpret_cast<const char*>(archive.data()), static_cast<qint64>(archive.size()));
    file.close();
    start();
    EXPECT_TRUE(prompts.take().contains(
        QStringLiteral("message error|Error|Error converting : Control byte $00 found.")));
    EXPECT_EQ(chooser->iconCount(), 0);
}

}  // namespace
}  // namespace zorbel
