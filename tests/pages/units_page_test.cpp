// The Units page driven offscreen.
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "graphics/icon_chooser.h"
#include "pages/sounds/sound_page.h"
#include "pages/units/units_page.h"
#include "tests/support/gui_fixture.h"
#include "ui_sound_page.h"
#include "ui_units_page.h"

namespace zorbel {
namespace {

class UnitsPageTest : public testsupport::EditorFixture {
  protected:
    int pageIndex() const override { return 0; }
    Ui::UnitsPage& ui() { return window->unitsPage().ui(); }
    std::uint32_t unit(int row) {
        return window->image().layout().UnitTable + 14u * static_cast<std::uint32_t>(row);
    }
};

TEST_F(UnitsPageTest, RowsShowWhatTheyHave) {
    openBuild(4);
    // What the kit puts in unit 0: icon 0, aux 1, name 2, bar 288 of 10, after death 1, sounds 1 and 4.
    EXPECT_EQ(ui().UnitList->currentRow(), 0);
    const std::pair<QLineEdit*, const char*> shown[] = {
        {ui().Edit1, "0"},     {ui().Edit4, "1"}, {ui().Edit3, "2"}, {ui().cmds, "10"},
        {ui().cmddata, "288"}, {ui().ready, "1"}, {ui().attack, "4"}};
    for (const auto& [box, text] : shown) {
        EXPECT_EQ(box->text(), QLatin1String(text)) << box->objectName().toStdString();
    }
    EXPECT_EQ(ui().nmlist->currentIndex(), 1);
    EXPECT_EQ(ui().death->currentIndex(), 1);
    EXPECT_TRUE(ui().GroupBox1->isEnabled() && ui().GroupBox4->isEnabled());

    ui().UnitList->setCurrentRow(60);
    EXPECT_TRUE(ui().death->isHidden());
    EXPECT_FALSE(ui().GroupBox4->isEnabled());
    EXPECT_TRUE(ui().GroupBox1->isEnabled());
    ui().UnitList->setCurrentRow(115);
    EXPECT_FALSE(ui().GroupBox1->isEnabled());
    EXPECT_EQ(ui().cmds->text(), QStringLiteral("1"));
    ui().UnitList->setCurrentRow(48);
    EXPECT_TRUE(ui().cmddata->isHidden()) << "no fixup record for the bar pointer";
}

TEST_F(UnitsPageTest, TypingStoresTheFields) {
    openBuild(2);
    ui().UnitList->setCurrentRow(3);
    type(ui().Edit1, QStringLiteral("$1F"));
    EXPECT_EQ(window->image().readU16(unit(3)), 31u);
    type(ui().Edit1, QStringLiteral("-1"));
    EXPECT_EQ(window->image().readU16(unit(3)), 65535u);
    type(ui().Edit3, QStringLiteral("5"));
    EXPECT_EQ(ui().nmlist->currentIndex(), 4);
    EXPECT_EQ(window->image().readU16(unit(3) + 4), 5u);
    ui().nmlist->setCurrentIndex(9);
    emit ui().nmlist->activated(9);
    EXPECT_EQ(ui().Edit3->text(), QStringLiteral("10"));
    EXPECT_EQ(window->image().readU16(unit(3) + 4), 10u);

    // An emptied name is refused, and nothing of the record is written.
    prompts.take();
    const auto before = bytes();
    type(ui().Edit3, QString());
    EXPECT_EQ(prompts.take(),
              QStringList{QStringLiteral("message error|Zorbel|'' is not a valid integer value.")});
    EXPECT_EQ(bytes(), before);

    // Edit4 reaches the record only with another trigger.
    type(ui().Edit3, QStringLiteral("10"));
    type(ui().Edit4, QStringLiteral("42"));
    EXPECT_NE(window->image().readU16(unit(3) + 2), 42u);
    type(ui().Edit1, QStringLiteral("6"));
    EXPECT_EQ(window->image().readU16(unit(3) + 2), 42u);
}

TEST_F(UnitsPageTest, AfterDeathByteOutsideTheListStays) {
    openBuild(1);
    const auto death = window->image().layout().DeathTable + 2;
    window->image().writeU8(death, 5);
    ui().UnitList->setCurrentRow(1);
    ui().UnitList->setCurrentRow(2);
    EXPECT_EQ(ui().death->currentIndex(), -1);
    type(ui().ready, QStringLiteral("9"));
    EXPECT_EQ(window->image().readU8(death), 5u);
    ui().death->setCurrentIndex(3);
    emit ui().death->activated(3);
    EXPECT_EQ(window->image().readU8(death), 3u);
}

TEST_F(UnitsPageTest, ChooseIconAndTheSoundButtons) {
    openBuild(4);
    type(ui().Edit1, QStringLiteral("7"));
    Tchicon* chooser = app->chicon;
    prompts.modalActions.push_back([&](QDialog&) {
        EXPECT_EQ(chooser->scrollPosition(), 6);
        EXPECT_EQ(chooser->SelectedIcon, 8);
        QTest::mouseClick(chooser->Image1, Qt::LeftButton, {}, QPoint(10, 12 * Tchicon::kBand + 3));
        QTest::mouseClick(chooser->BitBtn1, Qt::LeftButton);
    });
    click(ui().BitBtn1);
    EXPECT_EQ(ui().Edit1->text(), QStringLiteral("12"));
    EXPECT_EQ(window->image().readU16(unit(0)), 12u);
    type(ui().Edit1, QStringLiteral("7"));
    prompts.modalActions.push_back([&](QDialog&) { QTest::mouseClick(chooser->BitBtn2, Qt::LeftButton); });
    click(ui().BitBtn1);
    EXPECT_EQ(ui().Edit1->text(), QStringLiteral("7"));

    type(ui().ready, QStringLiteral("7"));
    click(ui().Button4);
    EXPECT_EQ(window->findChild<QTabWidget*>(QStringLiteral("TabbedNotebook1"))->currentIndex(), 1);
    EXPECT_EQ(window->soundPage().ui().soundlist->currentRow(), 6);
    EXPECT_TRUE(audio.played.empty());
}

}  // namespace
}  // namespace zorbel
