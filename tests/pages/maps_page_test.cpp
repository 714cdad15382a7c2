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
    std::uint32_t victory(int map) {
        return *window->image().readU32(window->image().layout().MapObjectiveTable + 4u * map);
    }
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

TEST_F(MapsPageTest, AbortKeepsTheObjectiveAndOkStoresTheNewOne) {
    openBuild(2);
    ui().ListBox2->setCurrentRow(3);
    Tsobj* dialog = app->sobj;
    prompts.modalActions.push_back([&](QDialog&) {
        dialog->ScrollBar1->setValue(12);
        EXPECT_TRUE(dialog->Label1->text().startsWith(QStringLiteral("12. ")));
        click(dialog->BitBtn2);
    });
    click(ui().Button7);
    EXPECT_EQ(victory(3) & 0xFF, 9u);
    EXPECT_TRUE(ui().cond->text().startsWith(QStringLiteral("9. ")));
    prompts.modalActions.push_back([&](QDialog&) {
        dialog->ScrollBar1->setValue(12);
        click(dialog->BitBtn1);
    });
    click(ui().Button7);
    EXPECT_EQ(victory(3), 0x10Cu);
    EXPECT_TRUE(ui().cond->text().startsWith(QStringLiteral("12. ")));
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
