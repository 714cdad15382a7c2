// Undo and redo as a user meets them: the Edit menu, the keys, the tool bar,
// the steps they take, and the unsaved mark in the caption.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>

#include "graphics/icon_chooser.h"
#include "pages/commands/commands_page.h"
#include "pages/maps/maps_page.h"
#include "pages/maps/objectives_dialog.h"
#include "pages/sounds/sound_page.h"
#include "pages/spells/spell_page.h"
#include "pages/units/units_page.h"
#include "tests/support/gui_fixture.h"
#include "ui_commands_page.h"
#include "ui_maps_page.h"
#include "ui_sound_page.h"
#include "ui_spell_page.h"
#include "ui_units_page.h"

namespace zorbel {
namespace {

class EditHistoryTest : public testsupport::EditorFixture {
  protected:
    int pageIndex() const override { return 0; }
    Ui::UnitsPage& units() { return window->unitsPage().ui(); }
    QAction* action(const char* name) { return window->findChild<QAction*>(QLatin1String(name)); }
    int page() { return window->findChild<QTabWidget*>(QStringLiteral("TabbedNotebook1"))->currentIndex(); }
    bool marked() { return window->windowTitle().startsWith(QLatin1Char('*')); }
    std::uint16_t u16(std::uint32_t at) { return *window->image().readU16(at); }
    std::uint32_t unitIcon(int row) {
        return window->image().layout().UnitTable + 14u * static_cast<std::uint32_t>(row);
    }
    // The keys as a user presses them, into the focused field.
    void press(QWidget* focus, QKeySequence::StandardKey key) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        focus->setFocus();
        const QKeySequence keys(key);
        QTest::keyClick(focus, static_cast<Qt::Key>(keys[0].key()), keys[0].keyboardModifiers());
    }
};

TEST_F(EditHistoryTest, EditMenuAndToolBar) {
    const auto menus = window->findChild<QMenuBar*>(QStringLiteral("MainMenu"))->actions();
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("&Edit"));
    EXPECT_EQ(menus[2]->text(), QStringLiteral("&Patch Manager"));
    EXPECT_EQ(action("UndoItem")->shortcuts(), QKeySequence::keyBindings(QKeySequence::Undo));
    EXPECT_EQ(action("RedoItem")->shortcuts(), QKeySequence::keyBindings(QKeySequence::Redo));
    for (const char* name : {"UndoItem", "RedoItem", "UndoBtn", "RedoBtn"}) {
        EXPECT_FALSE(action(name)->isEnabled()) << name << ": nothing to undo or redo";
    }
    auto* undo = window->findChild<QToolButton*>(QStringLiteral("UndoBtn"));
    auto* redo = window->findChild<QToolButton*>(QStringLiteral("RedoBtn"));
    ASSERT_TRUE(undo && redo);
    EXPECT_EQ(undo->toolTip(), QStringLiteral("Undo"));
    EXPECT_EQ(redo->toolTip(), QStringLiteral("Redo"));
    EXPECT_FALSE(undo->statusTip().isEmpty());
    EXPECT_FALSE(redo->statusTip().isEmpty());
}

TEST_F(EditHistoryTest, KeystrokesAreOneStepAndTheKeysUndoIt) {
    openBuild(2);
    const auto opened = bytes();
    units().UnitList->setCurrentRow(3);
    const QString old = units().Edit1->text();
    type(units().Edit1, QStringLiteral("125"));
    EXPECT_EQ(u16(unitIcon(3)), 125u);
    EXPECT_TRUE(marked());
    EXPECT_EQ(window->image().history().undoCount(), 1u);
    EXPECT_EQ(action("UndoItem")->text(), QStringLiteral("&Undo Icon of 3. Peon"));
    EXPECT_EQ(window->findChild<QToolButton*>(QStringLiteral("UndoBtn"))->toolTip(),
              QStringLiteral("Undo Icon of 3. Peon"));

    // Ctrl+Z in the field undoes the step, not the field's own text.
    press(units().Edit1, QKeySequence::Undo);
    EXPECT_EQ(bytes(), opened);
    EXPECT_EQ(units().Edit1->text(), old);
    EXPECT_FALSE(marked());
    EXPECT_FALSE(action("UndoItem")->isEnabled());
    EXPECT_EQ(action("RedoItem")->text(), QStringLiteral("&Redo Icon of 3. Peon"));
    press(units().Edit1, QKeySequence::Redo);
    EXPECT_EQ(u16(unitIcon(3)), 125u);
    EXPECT_EQ(units().Edit1->text(), QStringLiteral("125"));
    EXPECT_TRUE(marked());

    // The tool bar's buttons do the same.
    window->findChild<QToolButton*>(QStringLiteral("UndoBtn"))->click();
    EXPECT_EQ(bytes(), opened);
    window->findChild<QToolButton*>(QStringLiteral("RedoBtn"))->click();
    EXPECT_EQ(u16(unitIcon(3)), 125u);
}

TEST_F(EditHistoryTest, TypingAfterLeavingTheRowIsANewStep) {
    openBuild(2);
    units().UnitList->setCurrentRow(3);
    type(units().Edit1, QStringLiteral("12"));
    units().UnitList->setCurrentRow(4);
    units().UnitList->setCurrentRow(3);
    type(units().Edit1, QStringLiteral("6"));
    EXPECT_EQ(window->image().history().undoCount(), 2u);
}

TEST_F(EditHistoryTest, TheMarkIsWhetherTheBytesDiffer) {
    openBuild(1);
    units().UnitList->setCurrentRow(2);
    const QString old = units().Edit1->text();
    type(units().Edit1, QStringLiteral("77"));
    EXPECT_TRUE(marked());
    type(units().Edit1, old);
    EXPECT_FALSE(marked()) << "the old value typed back";
    EXPECT_FALSE(action("UndoItem")->isEnabled()) << "and no step is left";

    // A check box clicked twice: two steps, the bytes as they were.
    showPage(1);
    auto& sounds = window->soundPage().ui();
    sounds.soundlist->setCurrentRow(4);
    click(sounds.CheckBox2);
    click(sounds.CheckBox2);
    EXPECT_EQ(window->image().history().undoCount(), 2u);
    EXPECT_FALSE(marked());
    prompts.take();
    action("ExitItem")->trigger();
    EXPECT_TRUE(prompts.take().isEmpty()) << "nothing to save, nothing asked";
}

TEST_F(EditHistoryTest, UndoBringsTheFieldsPageAndRow) {
    openBuild(4);
    const auto opened = bytes();
    units().UnitList->setCurrentRow(5);
    const QString ready = units().ready->text();
    type(units().ready, QStringLiteral("33"));
    showPage(2);
    auto& spells = window->spellPage().ui();
    spells.SpellList->setCurrentRow(43);
    const QString mana = spells.mana->text();
    type(spells.mana, QStringLiteral("250"));
    spells.SpellList->setCurrentRow(10);
    showPage(3);

    action("UndoItem")->trigger();
    EXPECT_EQ(page(), 2);
    EXPECT_EQ(spells.SpellList->currentRow(), 43);
    EXPECT_EQ(spells.mana->text(), mana);
    EXPECT_EQ(action("UndoItem")->text(), QStringLiteral("&Undo Ready of 5. Catapult"));
    units().UnitList->setCurrentRow(9);
    action("UndoItem")->trigger();
    EXPECT_EQ(page(), 0);
    EXPECT_EQ(units().UnitList->currentRow(), 5);
    EXPECT_EQ(units().ready->text(), ready);
    EXPECT_EQ(bytes(), opened);
    action("RedoItem")->trigger();
    action("RedoItem")->trigger();
    EXPECT_EQ(page(), 2);
    EXPECT_EQ(spells.mana->text(), QStringLiteral("250"));
}

TEST_F(EditHistoryTest, PagesBehindAStepShowTheBytesWhenShown) {
    openBuild(2);
    showPage(3);
    auto& commands = window->commandsPage().ui();
    commands.CmdList->setCurrentRow(0);
    ASSERT_EQ(commands.ComboBox1->count(), 10);
    showPage(0);
    units().UnitList->setCurrentRow(0);
    type(units().cmds, QStringLiteral("3"));
    action("UndoItem")->trigger();
    action("RedoItem")->trigger();
    EXPECT_EQ(page(), 0);
    showPage(3);
    EXPECT_EQ(commands.ComboBox1->count(), 3) << "the bar of unit 0 as the image now has it";
}

TEST_F(EditHistoryTest, PicksAndDialogsAreAStepEach) {
    openBuild(3);
    units().UnitList->setCurrentRow(0);
    type(units().Edit1, QStringLiteral("7"));
    Tchicon* chooser = app->chicon;
    prompts.modalActions.push_back([&](QDialog&) {
        QTest::mouseClick(chooser->Image1, Qt::LeftButton, {}, QPoint(10, 12 * Tchicon::kBand + 3));
        QTest::mouseClick(chooser->BitBtn1, Qt::LeftButton);
    });
    click(units().BitBtn1);
    ASSERT_EQ(units().Edit1->text(), QStringLiteral("12"));
    EXPECT_EQ(window->image().history().undoCount(), 2u) << "typing, then the chooser's OK";
    prompts.modalActions.push_back([&](QDialog&) { QTest::mouseClick(chooser->BitBtn2, Qt::LeftButton); });
    click(units().BitBtn1);
    EXPECT_EQ(window->image().history().undoCount(), 2u) << "Cancel adds nothing";
    action("UndoItem")->trigger();
    EXPECT_EQ(units().Edit1->text(), QStringLiteral("7"));

    units().nmlist->setCurrentIndex(9);
    emit units().nmlist->activated(9);
    units().nmlist->setCurrentIndex(10);
    emit units().nmlist->activated(10);
    EXPECT_EQ(window->image().history().undoCount(), 3u);
    EXPECT_EQ(action("UndoItem")->text(), QStringLiteral("&Undo Name of 0. Footman"));
}

TEST_F(EditHistoryTest, AbortAddsNothingAndOkIsOneStep) {
    openBuild(2);
    // A victory word with bits the page does not keep: any write-back would change it.
    const std::uint32_t word = window->image().layout().MapObjectiveTable + 4 * 7;
    window->image().writeU32(word, 0xFC1E);
    window->image().markSaved();
    window->image().history().clear();
    showPage(4);
    auto& maps = window->mapsPage().ui();
    maps.ListBox2->setCurrentRow(7);
    Tsobj* dialog = app->sobj;
    prompts.modalActions.push_back([&](QDialog&) {
        dialog->ScrollBar1->setValue(12);
        click(dialog->BitBtn2);
    });
    click(maps.Button7);
    EXPECT_EQ(*window->image().readU32(word), 0xFC1Eu);
    EXPECT_FALSE(marked());
    EXPECT_FALSE(action("UndoItem")->isEnabled());

    prompts.modalActions.push_back([&](QDialog&) {
        dialog->ScrollBar1->setValue(12);
        click(dialog->BitBtn1);
    });
    click(maps.Button7);
    EXPECT_EQ(*window->image().readU32(word), 12u);
    EXPECT_EQ(action("UndoItem")->text(), QStringLiteral("&Undo Objective of orc 4"));
    action("UndoItem")->trigger();
    EXPECT_EQ(*window->image().readU32(word), 0xFC1Eu);
    EXPECT_TRUE(maps.cond->text().startsWith(QStringLiteral("30. ")));
}

TEST_F(EditHistoryTest, AButtonComesBackInItsBar) {
    openBuild(2);
    showPage(3);
    auto& commands = window->commandsPage().ui();
    commands.CmdList->setCurrentRow(4);  // unit 4 shares bar 288 with unit 0
    commands.ComboBox1->setCurrentIndex(2);
    const QString icon = commands.cicon->text();
    type(commands.cicon, QStringLiteral("99"));
    EXPECT_EQ(action("UndoItem")->text(), QStringLiteral("&Undo Icon of bar 288, button 3"));
    commands.ComboBox1->setCurrentIndex(0);
    showPage(2);
    action("UndoItem")->trigger();
    EXPECT_EQ(page(), 3);
    EXPECT_EQ(commands.CmdList->currentRow(), 4);
    EXPECT_EQ(commands.ComboBox1->currentIndex(), 2);
    EXPECT_EQ(commands.cicon->text(), icon);
    EXPECT_EQ(commands.offs->text(), QStringLiteral("324"));
}

TEST_F(EditHistoryTest, SaveKeepsTheHistoryOpenDropsIt) {
    openBuild(0);
    units().UnitList->setCurrentRow(1);
    type(units().Edit1, QStringLiteral("41"));
    prompts.fileAnswers.push_back(temp.filePath(QStringLiteral("saved.exe")));
    action("SaveAs1")->trigger();
    EXPECT_FALSE(marked());
    action("UndoItem")->trigger();
    EXPECT_TRUE(marked()) << "undone past the save";
    action("RedoItem")->trigger();
    EXPECT_FALSE(marked()) << "redone to the saved bytes";
    openBuild(0);
    EXPECT_FALSE(action("UndoItem")->isEnabled());
    EXPECT_FALSE(action("RedoItem")->isEnabled());
}

}  // namespace
}  // namespace zorbel
