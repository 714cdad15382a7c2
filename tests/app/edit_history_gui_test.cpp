// Undo and redo as a user meets them: the Edit menu, the keys, the tool bar,
// the steps they take, and the unsaved mark in the caption. Then one field
// edited on every page, saved under a new name and reopened.
#include <QMenuBar>
#include <QToolButton>

#include <set>

#include "pages/commands/command_model.h"
#include "pages/sounds/sound_model.h"
#include "tests/support/gui_fixture.h"

namespace zorbel {
namespace {

class EditHistoryTest : public testsupport::EditorFixture {
  protected:
    int pageIndex() const override { return 0; }
    QString undoText() { return action("UndoItem")->text(); }
    std::size_t steps() { return window->image().history().undoCount(); }
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
    ASSERT_EQ(menus.size(), 5);
    EXPECT_EQ(menus[1]->text(), QStringLiteral("&Edit")) << "between File and View";
    EXPECT_EQ(menus[2]->text(), QStringLiteral("&View"));
    EXPECT_EQ(menus[3]->text(), QStringLiteral("&Patch Manager"));
    EXPECT_EQ(action("UndoItem")->shortcuts(), QKeySequence::keyBindings(QKeySequence::Undo));
    EXPECT_EQ(action("RedoItem")->shortcuts(), QKeySequence::keyBindings(QKeySequence::Redo));
    auto* undoButton = window->findChild<QToolButton*>(QStringLiteral("UndoBtn"));
    auto* redoButton = window->findChild<QToolButton*>(QStringLiteral("RedoBtn"));
    EXPECT_FALSE(undoButton->statusTip().isEmpty());
    for (const char* name : {"UndoItem", "RedoItem", "UndoBtn", "RedoBtn"}) {
        EXPECT_FALSE(action(name)->isEnabled()) << name << ": nothing to undo or redo";
    }

    openBuild(2);
    const auto opened = bytes();
    units().UnitList->setCurrentRow(3);
    const QString old = units().Edit1->text();
    type(units().Edit1, QStringLiteral("125"));
    EXPECT_EQ(u16(unitAt(3)), 125u);
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
    EXPECT_EQ(u16(unitAt(3)), 125u);

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
    sounds().soundlist->setCurrentRow(4);
    click(sounds().CheckBox2);
    click(sounds().CheckBox2);
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
    spells().SpellList->setCurrentRow(43);
    const QString mana = spells().mana->text();
    type(spells().mana, QStringLiteral("250"));
    spells().SpellList->setCurrentRow(10);
    showPage(3);

    trigger("UndoItem");
    EXPECT_EQ(pages()->currentIndex(), 2);
    EXPECT_EQ(spells().SpellList->currentRow(), 43);
    EXPECT_EQ(spells().mana->text(), mana);
    EXPECT_EQ(undoText(), QStringLiteral("&Undo Ready of 5. Catapult"));
    units().UnitList->setCurrentRow(9);
    trigger("UndoItem");
    EXPECT_EQ(pages()->currentIndex(), 0);
    EXPECT_EQ(units().UnitList->currentRow(), 5);
    EXPECT_EQ(units().ready->text(), ready);
    EXPECT_EQ(bytes(), opened);

    // A page behind a step shows the bytes once it is shown: here the
    // Commands page, whose bar of unit 0 a step of the Units page changes.
    showPage(3);
    commands().CmdList->setCurrentRow(0);
    ASSERT_EQ(commands().ComboBox1->count(), 10);
    showPage(0);
    units().UnitList->setCurrentRow(0);
    type(units().cmds, QStringLiteral("3"));
    trigger("UndoItem");
    trigger("RedoItem");
    showPage(3);
    EXPECT_EQ(commands().ComboBox1->count(), 3);

    // A button comes back in the bar it was edited in.
    commands().CmdList->setCurrentRow(4);  // unit 4 shares bar 288 with unit 0
    commands().ComboBox1->setCurrentIndex(2);
    const QString buttonIcon = commands().cicon->text();
    type(commands().cicon, QStringLiteral("99"));
    EXPECT_EQ(undoText(), QStringLiteral("&Undo Icon of bar 288, button 3"));
    commands().ComboBox1->setCurrentIndex(0);
    showPage(2);
    trigger("UndoItem");
    EXPECT_EQ(pages()->currentIndex(), 3);
    EXPECT_EQ(commands().CmdList->currentRow(), 4);
    EXPECT_EQ(commands().ComboBox1->currentIndex(), 2);
    EXPECT_EQ(commands().cicon->text(), buttonIcon);
}

TEST_F(EditHistoryTest, PicksAndDialogsAreAStepEachCancelAndAbortNone) {
    openBuild(3);
    units().UnitList->setCurrentRow(0);
    type(units().Edit1, QStringLiteral("7"));
    inChooser(12);
    click(units().BitBtn1);
    EXPECT_EQ(chooserOpened, std::pair(6, 8)) << "at the band of three that holds icon 7";
    ASSERT_EQ(units().Edit1->text(), QStringLiteral("12"));
    EXPECT_EQ(u16(unitAt(0)), 12u);
    EXPECT_EQ(steps(), 2u) << "typing, then the chooser's OK";
    inChooser(std::nullopt);
    click(units().BitBtn1);
    EXPECT_EQ(steps(), 2u) << "Cancel adds nothing";
    trigger("UndoItem");
    EXPECT_EQ(units().Edit1->text(), QStringLiteral("7"));
    pick(units().nmlist, 9);
    pick(units().nmlist, 10);
    EXPECT_EQ(steps(), 3u);
    EXPECT_EQ(undoText(), QStringLiteral("&Undo Name of 0. Footman"));

    // A victory word with bits the page does not keep: any write-back would change it.
    const std::uint32_t word = layout().MapObjectiveTable + 4 * 7;
    window->image().writeU32(word, 0xFC1E);
    window->image().markSaved();
    showPage(4);
    maps().ListBox2->setCurrentRow(7);
    Tsobj* dialog = app->sobj;
    for (QPushButton* end : {dialog->BitBtn2, dialog->BitBtn1}) {
        prompts.modalActions.push_back([&](QDialog&) {
            dialog->ScrollBar1->setValue(12);
            click(end);
        });
        click(maps().Button7);
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
    EXPECT_TRUE(maps().cond->text().startsWith(QStringLiteral("30. ")));
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

// Exactly the bytes of the fields edited differ from the original, and nothing else.
TEST_F(EditHistoryTest, EditEveryPageSaveAndReopen) {
    openBuild(3);
    const auto original = exe.bytes;
    const auto& l = layout();
    const std::tuple<int, QListWidget*, int, QLineEdit*, const char*> edits[] = {
        {0, units().UnitList, 5, units().Edit1, "99"},
        {1, sounds().soundlist, 9, sounds().txtEntry, "12"},
        {2, spells().SpellList, 40, spells().range, "9"},
        {3, commands().CmdList, 2, commands().cpos, "8"},
        {4, maps().ListBox2, 7, maps().resc, "3"}};
    for (const auto& [page, list, row, box, text] : edits) {
        showPage(page);
        list->setCurrentRow(row);
        type(box, QLatin1String(text));
    }
    const std::int64_t button = l.ButtonTable + commands().offs->text().toLongLong();

    const QString saved = temp.filePath(QStringLiteral("edited.exe"));
    prompts.fileAnswers.push_back(saved);
    trigger("SaveAs1");
    EXPECT_FALSE(window->image().modified());
    prompts.fileAnswers.push_back(saved);
    trigger("OpenItem");
    ASSERT_EQ(window->image().GameVersion(), 3);

    std::set<std::size_t> allowed;
    const std::pair<std::size_t, std::size_t> fields[] = {
        {l.UnitTable + 14 * 5, 6},     // icon (aux and name rewritten as they were)
        {l.SoundTable + 18, 2},        // human word of sound 10
        {l.SoundTable + 692 + 18, 2},  // orc word, rewritten as it was
        {l.SpellRangeTable + 40, 1},   // range of action 40
        {l.SpellManaTable + 80, 2},    // the other spell fields, rewritten as they were
        {l.SpellRangeTable - 244 + 40, 1},
        {l.SpellRangeTable - 183 + 40, 1},
        {l.SpellRangeTable - 122 + 80, 2},
        {static_cast<std::size_t>(button), 4},
        {static_cast<std::size_t>(button) + 12, 6},
        {l.MapObjectiveTable + 28, 4},  // rebuilt whole
        {l.MapRescueTable + 28, 4}};
    for (const auto& [at, count] : fields) {
        for (std::size_t k = 0; k < count; ++k) {
            allowed.insert(at + k);
        }
    }
    for (std::size_t i = 0; i < original.size(); ++i) {
        if (original[i] != window->image().bytes()[i]) {
            EXPECT_TRUE(allowed.count(i)) << "unexpected change at " << std::hex << i;
        }
    }
    EXPECT_EQ(u16(l.UnitTable + 70), 99u);
    EXPECT_EQ(DecodeSoundWord(static_cast<std::uint16_t>(u16(l.SoundTable + 18))).entry, 12);
    EXPECT_EQ(u8(l.SpellRangeTable + 40), 9u);
    EXPECT_EQ(ReadButtonRecord(window->image(), static_cast<std::int32_t>(button - l.ButtonTable))->position,
              8);
    EXPECT_EQ(*window->image().readU32(l.MapRescueTable + 28) & 0xFFF, 3u);
}

}  // namespace
}  // namespace zorbel
