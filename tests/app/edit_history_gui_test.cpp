// Undo and redo as a user meets them: the Edit menu, the keys, the tool bar,
// the steps they take, and the unsaved mark in the caption.
#include <QComboBox>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
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
    QString undoText() { return action("UndoItem")->text(); }
    int page() { return window->findChild<QTabWidget*>(QStringLiteral("TabbedNotebook1"))->currentIndex(); }
    bool marked() { return window->windowTitle().startsWith(QLatin1Char('*')); }
    std::size_t steps() { return window->image().history().undoCount(); }
    std::uint16_t icon(int row) {
        return *window->image().readU16(window->image().layout().UnitTable +
                                        14u * static_cast<std::uint32_t>(row));
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

TEST_F(EditHistoryTest, KeystrokesAreOneStepAndTheMenuKeysAndToolBarUndoIt) {
    const auto menus = window->findChild<QMenuBar*>(QStringLiteral("MainMenu"))->actions();
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(menus[1]->text(), QStringLiteral("&Edit")) << "between File and Patch Manager";
    EXPECT_EQ(menus[2]->text(), QStringLiteral("&Patch Manager"));
    EXPECT_EQ(action("UndoItem")->shortcuts(), QKeySequence::keyBindings(QKeySequence::Undo));
    EXPECT_EQ(action("RedoItem")->shortcuts(), QKeySequence::keyBindings(QKeySequence::Redo));
    auto* undoButton = window->findChild<QToolButton*>(QStringLiteral("UndoBtn"));
    auto* redoButton = window->findChild<QToolButton*>(QStringLiteral("RedoBtn"));
    ASSERT_TRUE(undoButton && redoButton);
    EXPECT_FALSE(undoButton->statusTip().isEmpty());
    for (const char* name : {"UndoItem", "RedoItem", "UndoBtn", "RedoBtn"}) {
        EXPECT_FALSE(action(name)->isEnabled()) << name << ": nothing to undo or redo";
    }

    openBuild(2);
    const auto opened = bytes();
    units().UnitList->setCurrentRow(3);
    const QString old = units().Edit1->text();
    type(units().Edit1, QStringLiteral("125"));
    EXPECT_EQ(icon(3), 125u);
    EXPECT_TRUE(marked());
    EXPECT_EQ(steps(), 1u);
    EXPECT_EQ(undoText(), QStringLiteral("&Undo Icon of 3. Peon"));
    EXPECT_EQ(undoButton->toolTip(), QStringLiteral("Undo Icon of 3. Peon"));

    // Ctrl+Z in the field undoes the step, not the field's own text.
    press(units().Edit1, QKeySequence::Undo);
    EXPECT_EQ(bytes(), opened);
    EXPECT_EQ(units().Edit1->text(), old);
    EXPECT_FALSE(marked());
    EXPECT_FALSE(action("UndoItem")->isEnabled());
    EXPECT_EQ(action("RedoItem")->text(), QStringLiteral("&Redo Icon of 3. Peon"));
    press(units().Edit1, QKeySequence::Redo);
    EXPECT_EQ(units().Edit1->text(), QStringLiteral("125"));
    EXPECT_TRUE(marked());
    undoButton->click();
    EXPECT_EQ(bytes(), opened);
    redoButton->click();
    EXPECT_EQ(icon(3), 125u);

    // Back to the row after another, typing is a step of its own.
    units().UnitList->setCurrentRow(4);
    units().UnitList->setCurrentRow(3);
    type(units().Edit1, QStringLiteral("6"));
    EXPECT_EQ(steps(), 2u);
}

TEST_F(EditHistoryTest, TheMarkIsWhetherTheBytesDiffer) {
    openBuild(1);
    units().UnitList->setCurrentRow(2);
    const QString old = units().Edit1->text();
    type(units().Edit1, QStringLiteral("77"));
    EXPECT_TRUE(marked());
    type(units().Edit1, old);
    EXPECT_FALSE(marked()) << "the old value typed back";
    EXPECT_EQ(steps(), 0u) << "and no step is left";

    // A check box clicked twice: two steps, the bytes as they were, nothing to save.
    showPage(1);
    window->soundPage().ui().soundlist->setCurrentRow(4);
    click(window->soundPage().ui().CheckBox2);
    click(window->soundPage().ui().CheckBox2);
    EXPECT_EQ(steps(), 2u);
    EXPECT_FALSE(marked());
    trigger("ExitItem");
    EXPECT_TRUE(prompts.take().isEmpty()) << "nothing asked";
}

TEST_F(EditHistoryTest, UndoBringsTheFieldsPageAndRowAndPagesBehindFollow) {
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

    trigger("UndoItem");
    EXPECT_EQ(page(), 2);
    EXPECT_EQ(spells.SpellList->currentRow(), 43);
    EXPECT_EQ(spells.mana->text(), mana);
    EXPECT_EQ(undoText(), QStringLiteral("&Undo Ready of 5. Catapult"));
    units().UnitList->setCurrentRow(9);
    trigger("UndoItem");
    EXPECT_EQ(page(), 0);
    EXPECT_EQ(units().UnitList->currentRow(), 5);
    EXPECT_EQ(units().ready->text(), ready);
    EXPECT_EQ(bytes(), opened);

    // A page behind a step shows the bytes once it is shown: here the
    // Commands page, whose bar of unit 0 a step of the Units page changes.
    showPage(3);
    auto& commands = window->commandsPage().ui();
    commands.CmdList->setCurrentRow(0);
    ASSERT_EQ(commands.ComboBox1->count(), 10);
    showPage(0);
    units().UnitList->setCurrentRow(0);
    type(units().cmds, QStringLiteral("3"));
    trigger("UndoItem");
    trigger("RedoItem");
    showPage(3);
    EXPECT_EQ(commands.ComboBox1->count(), 3);

    // A button comes back in the bar it was edited in.
    commands.CmdList->setCurrentRow(4);  // unit 4 shares bar 288 with unit 0
    commands.ComboBox1->setCurrentIndex(2);
    const QString buttonIcon = commands.cicon->text();
    type(commands.cicon, QStringLiteral("99"));
    EXPECT_EQ(undoText(), QStringLiteral("&Undo Icon of bar 288, button 3"));
    commands.ComboBox1->setCurrentIndex(0);
    showPage(2);
    trigger("UndoItem");
    EXPECT_EQ(page(), 3);
    EXPECT_EQ(commands.CmdList->currentRow(), 4);
    EXPECT_EQ(commands.ComboBox1->currentIndex(), 2);
    EXPECT_EQ(commands.cicon->text(), buttonIcon);
}

TEST_F(EditHistoryTest, PicksAndDialogsAreAStepEachCancelAndAbortNone) {
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
    EXPECT_EQ(steps(), 2u) << "typing, then the chooser's OK";
    prompts.modalActions.push_back([&](QDialog&) { QTest::mouseClick(chooser->BitBtn2, Qt::LeftButton); });
    click(units().BitBtn1);
    EXPECT_EQ(steps(), 2u) << "Cancel adds nothing";
    trigger("UndoItem");
    EXPECT_EQ(units().Edit1->text(), QStringLiteral("7"));
    for (int pick : {9, 10}) {
        units().nmlist->setCurrentIndex(pick);
        emit units().nmlist->activated(pick);
    }
    EXPECT_EQ(steps(), 3u);
    EXPECT_EQ(undoText(), QStringLiteral("&Undo Name of 0. Footman"));

    // A victory word with bits the page does not keep: any write-back would change it.
    const std::uint32_t word = window->image().layout().MapObjectiveTable + 4 * 7;
    window->image().writeU32(word, 0xFC1E);
    window->image().markSaved();
    showPage(4);
    window->mapsPage().ui().ListBox2->setCurrentRow(7);
    Tsobj* dialog = app->sobj;
    for (QPushButton* end : {dialog->BitBtn2, dialog->BitBtn1}) {
        prompts.modalActions.push_back([&](QDialog&) {
            dialog->ScrollBar1->setValue(12);
            click(end);
        });
        click(window->mapsPage().ui().Button7);
        if (end == dialog->BitBtn2) {
            EXPECT_EQ(*window->image().readU32(word), 0xFC1Eu) << "Abort";
            EXPECT_FALSE(marked());
            EXPECT_EQ(steps(), 4u);
        }
    }
    EXPECT_EQ(*window->image().readU32(word), 12u);
    EXPECT_EQ(undoText(), QStringLiteral("&Undo Objective of orc 4"));
    trigger("UndoItem");
    EXPECT_EQ(*window->image().readU32(word), 0xFC1Eu);
    EXPECT_TRUE(window->mapsPage().ui().cond->text().startsWith(QStringLiteral("30. ")));
}

TEST_F(EditHistoryTest, SaveKeepsTheHistoryOpenDropsIt) {
    openBuild(0);
    units().UnitList->setCurrentRow(1);
    type(units().Edit1, QStringLiteral("41"));
    prompts.fileAnswers.push_back(temp.filePath(QStringLiteral("saved.exe")));
    trigger("SaveAs1");
    EXPECT_FALSE(marked());
    trigger("UndoItem");
    EXPECT_TRUE(marked()) << "undone past the save";
    trigger("RedoItem");
    EXPECT_FALSE(marked()) << "redone to the saved bytes";
    openBuild(0);
    EXPECT_FALSE(action("UndoItem")->isEnabled());
    EXPECT_FALSE(action("RedoItem")->isEnabled());
}

}  // namespace
}  // namespace zorbel
