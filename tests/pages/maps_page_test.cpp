// The Maps page and the objectives dialog, driven offscreen.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "pages/maps/map_model.h"
#include "pages/maps/maps_page.h"
#include "pages/maps/objectives_dialog.h"
#include "tests/support/gui_fixture.h"
#include "ui_maps_page.h"

namespace zorbel {
namespace {

class MapsPageTest : public testsupport::EditorFixture {
  protected:
    int pageIndex() const override { return 4; }
    Ui::MapsPage& ui() { return window->mapsPage().ui(); }
};

TEST_F(MapsPageTest, LoadShowsTheKitsObjectiveAndRescue) {
    openBuild(4);
    EXPECT_EQ(ui().ListBox2->count(), 52);
    EXPECT_EQ(ui().ListBox2->currentRow(), -1) << "Open does not touch this page";
    const auto before = bytes();
    ui().ListBox2->setCurrentRow(3);  // the kit's 0x109
    EXPECT_EQ(ui().cond->text(), QStringLiteral("9. Orcs: -Destroy the Human Castle -Secure the Runestone"));
    EXPECT_TRUE(ui().killall->isChecked());
    EXPECT_FALSE(ui().rescue->isChecked());
    ui().ListBox2->setCurrentRow(5);  // rescue word 0x1005
    EXPECT_EQ(ui().resc->text(), QStringLiteral("5"));
    EXPECT_TRUE(ui().rescflag->isChecked());
    EXPECT_EQ(bytes(), before) << "loading never writes";
    EXPECT_FALSE(ui().GroupBox5->isEnabled());
}

TEST_F(MapsPageTest, TypingRebuildsBothWordsAndNothingWithoutARow) {
    openBuild(0);
    const auto before = bytes();
    ui().resc->setText(QStringLiteral("7"));
    click(ui().killall);
    EXPECT_EQ(bytes(), before) << "no map selected";
    ui().ListBox2->setCurrentRow(0);
    ui().resc->setText(QStringLiteral("5000"));
    const auto& l = window->image().layout();
    EXPECT_EQ(*window->image().readU32(l.MapRescueTable), ui().rescflag->isChecked() ? 0x2388u : 0x1388u);
}

}  // namespace
}  // namespace zorbel
