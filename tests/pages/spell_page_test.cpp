// The Spell Editor page driven offscreen: every keystroke writes the row's
// eight fields and nothing else.
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "pages/spells/spell_model.h"
#include "pages/spells/spell_page.h"
#include "tests/support/gui_fixture.h"
#include "ui_spell_page.h"

namespace zorbel {
namespace {

class SpellPageTest : public testsupport::EditorFixture {
  protected:
    int pageIndex() const override { return 2; }
    Ui::SpellPage& ui() { return window->spellPage().ui(); }
};

TEST_F(SpellPageTest, TypingRewritesTheActionsFieldsOnly) {
    openBuild(3);
    EXPECT_EQ(ui().SpellList->currentRow(), 0);
    EXPECT_EQ(ui().SpellList->item(43)->text(), QStringLiteral("43 - Fireball"));
    ui().SpellList->setCurrentRow(43);
    const auto& l = window->image().layout();
    const std::uint32_t r = l.SpellRangeTable;
    EXPECT_EQ(ui().mana->text().toInt(), *window->image().readU16(l.SpellManaTable + 86));
    type(ui().mana, QStringLiteral("-1"));
    type(ui().range, QStringLiteral("300"));
    type(ui().unk2, QString());
    EXPECT_EQ(window->image().readU16(l.SpellManaTable + 86), 0xFFFFu);
    EXPECT_EQ(window->image().readU8(r + 43), 44u);
    EXPECT_EQ(window->image().readU8(r - 183 + 43), 0u);
    ui().SpellList->setCurrentRow(0);
    ui().SpellList->setCurrentRow(43);
    EXPECT_EQ(ui().range->text(), QStringLiteral("44"));
    EXPECT_EQ(ui().mana->text(), QStringLiteral("65535"));
}

TEST_F(SpellPageTest, PointerWithoutRecordIsHiddenAndLoadingWritesNothing) {
    openBuild(0);
    const auto before = bytes();
    for (int i = 0; i < kSpellRows; ++i) {
        ui().SpellList->setCurrentRow(i);
    }
    EXPECT_EQ(bytes(), before);
    ui().SpellList->setCurrentRow(4);  // the kit leaves this action's FNA unrelocated
    EXPECT_TRUE(ui().sfna->isHidden());
    EXPECT_FALSE(ui().sfnb->isHidden());
    ui().SpellList->setCurrentRow(5);
    EXPECT_FALSE(ui().sfna->isHidden());
}

}  // namespace
}  // namespace zorbel
