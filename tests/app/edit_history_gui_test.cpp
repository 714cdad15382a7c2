// Undo and redo as a user meets them: the Edit menu, the keys, the tool bar,
// the steps they take, and the unsaved mark in the caption.
#include <QToolButton>

#include "tests/support/gui_fixture.h"

namespace zorbel {
namespace {

using namespace Qt::StringLiterals;

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
    auto* undoButton = window->findChild<QToolButton*>(u"UndoBtn"_s);
    for (const char* name : {"UndoItem", "RedoItem", "UndoBtn", "RedoBtn"}) {
        EXPECT_FALSE(action(name)->isEnabled()) << name << ": nothing to undo or redo";
    }

    openBuild(2);
    const auto opened = bytes();
    units().UnitList->setCurrentRow(3);
    const QString old = units().Edit1->text();
    type(units().Edit1, u"125"_s);
    EXPECT_EQ(std::tuple(u16(unitAt(3)), marked(), steps(), undoText(), undoButton->toolTip()),
              std::tuple(125u, true, 1u, u"&Undo Icon of 3. Peon"_s, u"Undo Icon of 3. Peon"_s));

    // Ctrl+Z in the field undoes the step, not the field's own text.
    press(units().Edit1, QKeySequence::Undo);
    EXPECT_EQ(bytes(), opened);
    EXPECT_EQ(std::tuple(units().Edit1->text(), marked(), action("UndoItem")->isEnabled(),
                         action("RedoItem")->text()),
              std::tuple(old, false, false, u"&Redo Icon of 3. Peon"_s));
    press(units().Edit1, QKeySequence::Redo);
    EXPECT_EQ(units().Edit1->text(), u"125"_s);
    EXPECT_TRUE(marked());
    undoButton->click();
    EXPECT_EQ(bytes(), opened);
    window->findChild<QToolButton*>(u"RedoBtn"_s)->click();
    EXPECT_EQ(u16(unitAt(3)), 125u);

    // Back to the row after another, typing is a step of its own.
    units().UnitList->setCurrentRow(4);
    units().UnitList->setCurrentRow(3);
    type(units().Edit1, u"6"_s);
    EXPECT_EQ(steps(), 2u);

    // Every field a user types into takes the keys as one step.
    const std::pair<int, QLineEdit*> typed[] = {
        {0, units().Edit3},     {0, units().fna},       {0, units().ready}, {0, units().cmds},
        {0, units().cmddata},   {1, sounds().txtEntry}, {2, spells().mana}, {3, commands().cicon},
        {3, commands().clabel}, {4, maps().resc}};
    maps().ListBox2->setCurrentRow(0);
    for (const auto& [page, box] : typed) {
        showPage(page);
        const std::size_t before = steps();
        type(box, u"97"_s);
        EXPECT_EQ(steps(), before + 1) << box->objectName().toStdString();
    }
}

TEST_F(EditHistoryTest, UndoBringsTheFieldsPageAndRowAndPagesBehindFollow) {
    openBuild(4);
    const auto opened = bytes();
    units().UnitList->setCurrentRow(5);
    const QString ready = units().ready->text();
    type(units().ready, u"33"_s);
    showPage(2);
    spells().SpellList->setCurrentRow(43);
    const QString mana = spells().mana->text();
    type(spells().mana, u"250"_s);
    spells().SpellList->setCurrentRow(10);
    showPage(3);

    trigger("UndoItem");
    EXPECT_EQ(std::tuple(pages()->currentIndex(), spells().SpellList->currentRow(), spells().mana->text()),
              std::tuple(2, 43, mana));
    EXPECT_EQ(undoText(), u"&Undo Ready of 5. Catapult"_s);
    units().UnitList->setCurrentRow(9);
    trigger("UndoItem");
    EXPECT_EQ(std::tuple(pages()->currentIndex(), units().UnitList->currentRow(), units().ready->text()),
              std::tuple(0, 5, ready));
    EXPECT_EQ(bytes(), opened);

    // A page behind a step shows the bytes once it is shown: here the
    // Commands page, whose bar of unit 0 a step of the Units page changes.
    showPage(3);
    commands().CmdList->setCurrentRow(0);
    ASSERT_EQ(commands().ComboBox1->count(), 10);
    showPage(0);
    units().UnitList->setCurrentRow(0);
    type(units().cmds, u"3"_s);
    trigger("UndoItem");
    trigger("RedoItem");
    showPage(3);
    EXPECT_EQ(commands().ComboBox1->count(), 3);

    // A button comes back in the bar it was edited in.
    commands().CmdList->setCurrentRow(4);  // unit 4 shares bar 288 with unit 0
    commands().ComboBox1->setCurrentIndex(2);
    const QString buttonIcon = commands().cicon->text();
    type(commands().cicon, u"99"_s);
    EXPECT_EQ(undoText(), u"&Undo Icon of bar 288, button 3"_s);
    commands().ComboBox1->setCurrentIndex(0);
    showPage(2);
    trigger("UndoItem");
    EXPECT_EQ(std::tuple(pages()->currentIndex(), commands().CmdList->currentRow(),
                         commands().ComboBox1->currentIndex(), commands().cicon->text()),
              std::tuple(3, 4, 2, buttonIcon));
    showPage(1);
    click(sounds().CheckBox2);
    showPage(0);
    trigger("UndoItem");
    EXPECT_EQ(pages()->currentIndex(), 1) << "the Sound Table's page";
}

TEST_F(EditHistoryTest, PicksAndDialogsAreAStepEachCancelAndAbortNone) {
    openBuild(3);
    units().UnitList->setCurrentRow(0);
    type(units().Edit1, u"7"_s);
    inChooser(12);
    click(units().BitBtn1);
    EXPECT_EQ(chooserOpened, std::pair(6, 8)) << "at the band of three that holds icon 7";
    ASSERT_EQ(units().Edit1->text(), u"12"_s);
    EXPECT_EQ(u16(unitAt(0)), 12u);
    EXPECT_EQ(steps(), 2u) << "typing, then the chooser's OK";
    inChooser(std::nullopt);
    click(units().BitBtn1);
    EXPECT_EQ(steps(), 2u) << "Cancel adds nothing";
    trigger("UndoItem");
    EXPECT_EQ(units().Edit1->text(), u"7"_s);
    pick(units().nmlist, 9);
    pick(units().nmlist, 10);
    EXPECT_EQ(steps(), 3u);
    EXPECT_EQ(undoText(), u"&Undo Name of 0. Footman"_s);

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
    EXPECT_EQ(undoText(), u"&Undo Objective of orc 4"_s);
    trigger("UndoItem");
    EXPECT_EQ(*window->image().readU32(word), 0xFC1Eu);
    EXPECT_TRUE(maps().cond->text().startsWith(u"30. "_s));
}

}  // namespace
}  // namespace zorbel
