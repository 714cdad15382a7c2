// The five pages driven offscreen, and what they share: a click on the
// selected row loads it again, and the keyboard reaches every control in
// reading order.
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAccessible>
#include <QPainter>
#include <QTabBar>

#include "app/about_box.h"
#include "archive/war_archive.h"
#include "pages/commands/command_model.h"
#include "pages/spells/spell_model.h"
#include "patch/patch_dialog.h"
#include "tests/support/gui_fixture.h"
#include "ui/game_text_list.h"
#include "ui_about_box.h"

namespace zorbel {
namespace {

using namespace Qt::StringLiterals;

template <int Page>
class PageTest : public testsupport::EditorFixture {
  protected:
    int pageIndex() const override { return Page; }
};
using UnitsPageTest = PageTest<0>;
using SpellPageTest = PageTest<2>;
using MapsPageTest = PageTest<4>;
using ListPages = PageTest<0>;

TEST_F(UnitsPageTest, RowsShowWhatTheyHave) {
    openBuild(4);
    // What the kit puts in unit 0: icon 0, aux 1, name 2, bar 288 of 10, after death 1, sounds 1 and 4.
    EXPECT_EQ(units().UnitList->currentRow(), 0);
    const std::pair<QLineEdit*, const char*> shown[] = {
        {units().Edit1, "0"},     {units().Edit4, "1"}, {units().Edit3, "2"}, {units().cmds, "10"},
        {units().cmddata, "288"}, {units().ready, "1"}, {units().attack, "4"}};
    for (const auto& [box, text] : shown) {
        EXPECT_EQ(box->text(), QLatin1String(text)) << box->objectName().toStdString();
    }
    EXPECT_EQ(std::pair(units().nmlist->currentIndex(), units().death->currentIndex()), std::pair(1, 1));
    EXPECT_TRUE(units().GroupBox1->isEnabled() && units().GroupBox4->isEnabled());

    units().UnitList->setCurrentRow(60);
    EXPECT_EQ(
        std::tuple(units().death->isHidden(), units().GroupBox4->isEnabled(), units().GroupBox1->isEnabled()),
        std::tuple(true, false, true));
    units().UnitList->setCurrentRow(115);
    EXPECT_EQ(std::pair(units().GroupBox1->isEnabled(), units().cmds->text()), std::pair(false, u"1"_s));
    units().UnitList->setCurrentRow(48);
    EXPECT_TRUE(units().cmddata->isHidden()) << "no fixup record for the bar pointer";
}

TEST_F(UnitsPageTest, TypingStoresTheFieldsAndSoundButtonsShowTheSound) {
    openBuild(1);
    units().UnitList->setCurrentRow(3);
    type(units().Edit3, u"5"_s);
    EXPECT_EQ(units().nmlist->currentIndex(), 4);
    EXPECT_EQ(u16(unitAt(3) + 4), 5u);
    pick(units().nmlist, 9);
    EXPECT_EQ(units().Edit3->text(), u"10"_s);
    EXPECT_EQ(u16(unitAt(3) + 4), 10u);

    // An emptied name is refused, and nothing of the record is written.
    prompts.take();
    const auto before = bytes();
    type(units().Edit3, QString());
    EXPECT_EQ(prompts.take(), QStringList{u"message error|Zorbel|'' is not a valid integer value."_s});
    EXPECT_EQ(bytes(), before);

    // Edit4 reaches the record only with another trigger.
    type(units().Edit3, u"10"_s);
    type(units().Edit4, u"42"_s);
    EXPECT_NE(u16(unitAt(3) + 2), 42u);
    type(units().Edit1, u"6"_s);
    EXPECT_EQ(u16(unitAt(3) + 2), 42u);

    // An after-death byte outside the list stays; the sound buttons show the sound.
    const auto death = layout().DeathTable + 2;
    window->image().writeU8(death, 5);
    units().UnitList->setCurrentRow(1);
    units().UnitList->setCurrentRow(2);
    EXPECT_EQ(units().death->currentIndex(), -1);
    type(units().ready, u"7"_s);
    EXPECT_EQ(u8(death), 5u);
    pick(units().death, 3);
    EXPECT_EQ(u8(death), 3u);
    units().UnitList->setCurrentRow(1);
    units().UnitList->setCurrentRow(2);
    EXPECT_EQ(units().death->currentIndex(), 3) << "the last row of the list";

    type(units().attack, u"9"_s);
    click(units().Button4);
    EXPECT_EQ(std::pair(pages()->currentIndex(), sounds().soundlist->currentRow()), std::pair(1, 6));
    showPage(0);
    click(units().Button5);
    EXPECT_EQ(sounds().soundlist->currentRow(), 8);
    EXPECT_TRUE(audio.played.empty());
}

class SoundPageTest : public PageTest<1> {
  protected:
    std::uint16_t word(int row, int side) {
        return static_cast<std::uint16_t>(u16(layout().SoundTable + 692 * side + 2 * row));
    }
    std::vector<std::uint8_t> entry(const char* archive, int index) {
        const auto path = (gameDir() + u"/DATA/"_s + QLatin1String(archive)).toStdString();
        return ReadWarEntry(path, index, archive).value();
    }
};

TEST_F(SoundPageTest, TheControlsMakeTheWordsAndTheNumberBoxSelectsTheRow) {
    openBuild(4);
    EXPECT_EQ(sounds().Edit2->text(), u"1"_s);
    sounds().soundlist->setCurrentRow(4);  // the kit's human word 2004: SNDDAT.WAR, entry 4
    EXPECT_TRUE(sounds().w2->isChecked());
    EXPECT_EQ(sounds().txtEntry->text(), u"4"_s);
    const std::uint16_t human = word(4, 0);
    click(sounds().Ow5);
    type(sounds().OtxtEntry, u"245"_s);
    for (auto [box, on] :
         {std::pair{sounds().OCheckBox1, false}, {sounds().OCheckBox2, true}, {sounds().OCheckBox3, false}}) {
        if (box->isChecked() != on) {
            click(box);
        }
    }
    EXPECT_EQ(word(4, 1), 0x547D);
    EXPECT_EQ(word(4, 0), human) << "the other side's word is written back as shown";
    sounds().soundlist->setCurrentRow(3);
    sounds().soundlist->setCurrentRow(4);
    EXPECT_EQ(std::pair(sounds().OCheckBox2->isChecked(), sounds().OCheckBox3->isChecked()),
              std::pair(true, false));

    // The number box selects the row.
    type(sounds().Edit2, u"12"_s);
    EXPECT_EQ(sounds().soundlist->currentRow(), 11);
    type(sounds().Edit2, u"x"_s);
    EXPECT_EQ(sounds().soundlist->currentRow(), 0);
    EXPECT_EQ(sounds().Edit2->text(), u"1"_s);
    // Outside 1 ... 345: no row, and nothing is written meanwhile.
    type(sounds().Edit2, u"346"_s);
    EXPECT_EQ(sounds().soundlist->currentRow(), -1);
    const auto before = bytes();
    type(sounds().txtEntry, u"77"_s);
    click(sounds().CheckBox2);
    EXPECT_EQ(bytes(), before);
}

TEST_F(SoundPageTest, PlayReadsTheEntryStrictlyAndNeedsNoExecutable) {
    click(sounds().Ow2);
    type(sounds().OtxtEntry, u"3"_s);
    click(sounds().Button2);
    ASSERT_EQ(audio.played.size(), 1u);
    EXPECT_EQ(audio.played[0], entry("SNDDAT.WAR", 3));

    openBuild(2);
    click(sounds().w5);
    type(sounds().txtEntry, u"1F"_s);
    EXPECT_EQ(word(0, 0) % 1000, 0) << "the write-back reads it leniently";
    click(sounds().Button1);
    EXPECT_EQ(prompts.take(), QStringList{u"message error|Zorbel|'1F' is not a valid integer value."_s});
    type(sounds().txtEntry, u"$1F"_s);
    click(sounds().Button1);
    ASSERT_EQ(audio.played.size(), 2u);
    EXPECT_EQ(audio.played[1], entry("SFXDAT.SUD", 31));
    // "No Sound" plays nothing; an entry the archive lacks shows the reader's error.
    click(sounds().w0);
    click(sounds().Button1);
    click(sounds().Ow2);
    type(sounds().OtxtEntry, u"999"_s);
    click(sounds().Button2);
    EXPECT_EQ(audio.played.size(), 2u);
    EXPECT_EQ(window->archive().LastEntrySize, -1);
    EXPECT_EQ(prompts.take(),
              QStringList{QStringLiteral("message error|Error|A fatal error has occured during "
                                         "extraction! An invalid file index was specified!")});
}

TEST_F(SoundPageTest, NeverClickHerePlaysTheRuntimesSequence) {
    const int expected[] = {7, 245, 375, 164, 245, 91, 20, 375};
    for (int k = 0; k < 8; ++k) {
        click(app->AboutBox->ui().Button1);
        ASSERT_EQ(audio.played.size(), static_cast<std::size_t>(k + 1));
        EXPECT_EQ(audio.played.back(), entry("SFXDAT.SUD", expected[k])) << "press " << k;
    }
}

TEST_F(SpellPageTest, LoadingWritesNothingAPointerWithoutRecordIsHiddenAndTypingRewritesTheFieldsOnly) {
    openBuild(0);
    EXPECT_EQ(spells().SpellList->currentRow(), 0);
    const auto before = bytes();
    for (int i = 0; i < kSpellRows; ++i) {
        spells().SpellList->setCurrentRow(i);
    }
    EXPECT_EQ(bytes(), before);
    spells().SpellList->setCurrentRow(4);  // the kit leaves this action's FNA unrelocated
    EXPECT_TRUE(spells().sfna->isHidden());
    EXPECT_FALSE(spells().sfnb->isHidden());
    spells().SpellList->setCurrentRow(5);
    EXPECT_FALSE(spells().sfna->isHidden());
    spells().SpellList->setCurrentRow(43);
    const std::uint32_t r = layout().SpellRangeTable;
    EXPECT_EQ(spells().mana->text().toUInt(), u16(layout().SpellManaTable + 86));
    type(spells().mana, u"-1"_s);
    type(spells().range, u"300"_s);
    type(spells().unk2, QString());
    EXPECT_EQ(std::tuple(u16(layout().SpellManaTable + 86), u8(r + 43), u8(r - 183 + 43)),
              std::tuple(0xFFFFu, 44u, 0u));
}

class CommandsPageTest : public PageTest<3> {
  protected:
    // The record of the selected button, read from the image.
    ButtonRecord shown() {
        return ReadButtonRecord(window->image(), commands().offs->text().toInt()).value();
    }
    QStringList users() {
        QStringList out;
        for (int i = 0; i < commands().ListBox1->count(); ++i) {
            out << commands().ListBox1->item(i)->text();
        }
        return out;
    }
};

TEST_F(CommandsPageTest, GroupsUnitsAndSharedBars) {
    openBuild(2);
    EXPECT_EQ(commands().CmdList->currentRow(), 0) << "Open selects the first row";
    const QStringList users0{u"0. Footman"_s,      u"4. Ballista"_s,       u"22. Kurdan and Sky'ree"_s,
                             u"36. (unused 36)"_s, u"42. Gryphon Rider"_s, u"46. Danath"_s};
    EXPECT_EQ(users(), users0);
    commands().CmdList->setCurrentRow(4);  // the same bar as unit 0
    EXPECT_EQ(commands().offs->text(), u"288"_s);
    EXPECT_EQ(users(), users0);

    click(commands().RadioButton1);
    ASSERT_EQ(commands().CmdList->count(), 58);
    EXPECT_EQ(commands().CmdList->item(0)->text(), u"288- Cmds:10"_s);
    commands().CmdList->setCurrentRow(0);
    EXPECT_EQ(commands().ComboBox1->count(), 10);
    EXPECT_TRUE(commands().ComboBox1->itemText(1).startsWith(u"2 - "_s));
    commands().ComboBox1->setCurrentIndex(2);
    EXPECT_EQ(commands().offs->text(), u"324"_s);
    EXPECT_EQ(commands().cicon->text(), u"90"_s) << "the kit's icon of the 19th button record";
    click(commands().RadioButton2);
    EXPECT_EQ(commands().CmdList->count(), 120);
}

TEST_F(CommandsPageTest, EachFieldIsReadLenientlyIntoItsOwnPlaceAndTheIconChosen) {
    openBuild(3);
    const std::tuple<QLineEdit*, const char*, int, std::uint16_t ButtonRecord::*> cases[] = {
        {commands().cicon, "$1A", 26, &ButtonRecord::icon},
        {commands().cicon, "12x", 0, &ButtonRecord::icon},
        {commands().cflags, "-1", 65535, &ButtonRecord::flags},
        {commands().cpos, "4", 4, &ButtonRecord::position},
    };
    for (const auto& [box, text, value, field] : cases) {
        type(box, QLatin1String(text));
        EXPECT_EQ(shown().*field, value) << text;
    }
    type(commands().cparmact, u"300"_s);
    EXPECT_EQ(shown().actParam, 44);
    commands().ComboBox1->setCurrentIndex(1);
    commands().ComboBox1->setCurrentIndex(0);
    EXPECT_EQ(commands().cparmact->text(), u"44"_s);

    // The icon through the chooser.
    type(commands().cicon, u"7"_s);
    inChooser(9);
    click(commands().BitBtn2);
    EXPECT_EQ(chooserOpened, std::pair(6, 8));
    EXPECT_EQ(shown().icon, 9);
    inChooser(std::nullopt);
    click(commands().BitBtn2);
    EXPECT_EQ(commands().cicon->text(), u"9"_s);
    prompts.take();
    type(commands().cicon, u"7q"_s);
    click(commands().BitBtn2);
    EXPECT_EQ(prompts.take(), QStringList{u"message error|Zorbel|'7q' is not a valid integer value."_s});
}

TEST_F(CommandsPageTest, LabelFieldAndListMoveTogetherAndGroupsPastTheButtonAreaCannotBeEdited) {
    openBuild(0);
    commands().lblist->setCurrentIndex(4);
    EXPECT_EQ(commands().clabel->text(), u"5"_s);
    EXPECT_EQ(shown().label, 5);
    type(commands().clabel, u"7"_s);
    EXPECT_EQ(commands().lblist->currentIndex(), 6);
    EXPECT_EQ(shown().label, 7);
    // A stored number the list has no row for is shown and kept.
    const auto at = layout().ButtonTable + commands().offs->text().toLongLong();
    window->image().writeU16(static_cast<std::uint64_t>(at + 14), 9999);
    commands().ComboBox1->setCurrentIndex(1);
    commands().ComboBox1->setCurrentIndex(0);
    EXPECT_EQ(commands().clabel->text(), u"9999"_s);
    EXPECT_EQ(commands().lblist->currentIndex(), -1);
    type(commands().cpos, u"2"_s);
    EXPECT_EQ(shown().label, 9999) << "writing another field keeps the label";
    commands().clabel->setText(u"9998"_s);  // a number with no row gives 0
    EXPECT_EQ(shown().label, 0);

    // Past build 0's button area: 6368- Cmds:8.
    click(commands().RadioButton1);
    commands().CmdList->setCurrentRow(commands().CmdList->count() - 2);
    ASSERT_EQ(commands().ComboBox1->count(), 8);
    EXPECT_EQ(std::pair(commands().ComboBox1->itemText(0), commands().GroupBox7->isEnabled()),
              std::pair(QString(), false));
    const auto before = bytes();
    type(commands().cicon, u"5"_s);
    EXPECT_EQ(bytes(), before);
}

TEST(GameTextDrawing, ColourBytesColourTheLetters) {
    QImage image(200, 16, QImage::Format_RGB32);
    image.fill(kListTeal);
    {
        QPainter painter(&image);
        QFont font(u"Liberation Sans"_s);
        font.setPixelSize(14);
        font.setBold(true);
        painter.setFont(font);
        drawGameText(painter, image.rect(), QByteArray("\2B\1uild"), ByteFF::Yellow);
    }
    int yellowRight = -1, whiteLeft = 1000;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() > 200 && c.blue() < 60) {
                yellowRight = std::max(yellowRight, x);
            } else if (c.red() > 200 && c.green() > 200 && c.blue() > 200) {
                whiteLeft = std::min(whiteLeft, x);
            }
        }
    }
    ASSERT_GE(yellowRight, 0) << "B is drawn in yellow";
    ASSERT_LT(whiteLeft, 1000) << "uild is drawn in white";
    EXPECT_LT(yellowRight, whiteLeft + 2);
}

TEST_F(MapsPageTest, LoadShowsTheKitsObjectiveAndRescueAndTypingRebuildsBothWords) {
    openBuild(4);
    const auto opened = bytes();
    maps().resc->setText(u"7"_s);
    click(maps().killall);
    EXPECT_EQ(bytes(), opened) << "no map selected";
    window->image().writeU32(layout().MapRescueTable + 4 * 3, 0x1000);  // the flag without the rescue bit
    const auto before = bytes();
    maps().ListBox2->setCurrentRow(3);  // the kit's 0x109
    const QString nine = u"9. Orcs: -Destroy the Human Castle -Secure the Runestone"_s;
    EXPECT_EQ(QAccessible::queryAccessibleInterface(maps().cond)->text(QAccessible::Name), nine);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(app->sobj->ScrollBar1)->text(QAccessible::Description),
              nine);
    EXPECT_EQ(std::tuple(maps().killall->isChecked(), maps().rescue->isChecked(),
                         maps().rescflag->isChecked(), maps().resc->text()),
              std::tuple(true, false, true, u"0"_s));
    maps().ListBox2->setCurrentRow(5);  // rescue word 0x1005
    EXPECT_EQ(std::pair(maps().resc->text(), maps().rescflag->isChecked()), std::pair(u"5"_s, true));
    EXPECT_EQ(bytes(), before) << "loading never writes";
    EXPECT_FALSE(maps().GroupBox5->isEnabled());
    maps().ListBox2->setCurrentRow(0);
    maps().resc->setText(u"5000"_s);
    EXPECT_EQ(*window->image().readU32(layout().MapRescueTable),
              maps().rescflag->isChecked() ? 0x2388u : 0x1388u);
}

TEST_F(ListPages, AClickOnTheSelectedRowShowsTheBytesAgain) {
    openBuild(2);
    // The stored text as the field holds it: cut to its width, its selector or its 12 bits.
    const std::tuple<int, QListWidget*, int, QLineEdit*, const char*, const char*> cases[] = {
        {0, units().UnitList, 3, units().Edit1, "65537", "1"},
        {1, sounds().soundlist, 4, sounds().txtEntry, "1500", "500"},
        {2, spells().SpellList, 43, spells().range, "300", "44"},
        {3, commands().CmdList, 0, commands().cicon, "65537", "1"},
        {4, maps().ListBox2, 3, maps().resc, "5000", "904"},
    };
    for (const auto& [page, list, row, box, typed, stored] : cases) {
        showPage(page);
        list->setCurrentRow(row);
        type(box, QLatin1String(typed));
        EXPECT_EQ(box->text(), QLatin1String(typed));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
        EXPECT_EQ(box->text(), QLatin1String(stored)) << "page " << page;
    }
}

// The widgets Tab reaches from `first`, in order: the window's focus chain
// as Tab walks it, taking what is shown, enabled and takes the Tab focus.
std::vector<QWidget*> tabOrder(QWidget* first) {
    std::vector<QWidget*> seen{first};
    for (QWidget* w = first->nextInFocusChain(); w != first; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) != 0 && w->isVisible() && w->isEnabled() &&
            w->window() == first->window() && w->focusProxy() == nullptr) {
            seen.push_back(w);
        }
    }
    return seen;
}

bool works(QWidget* w) {
    return w->isVisibleTo(w->window()) && w->isEnabled() &&
           (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
            qobject_cast<QAbstractItemView*>(w) || qobject_cast<QAbstractSlider*>(w)) &&
           !qobject_cast<QTabBar*>(w->parentWidget());
}

// Every control is reached, and within a group box in reading order: along
// a row to the right (8 pixels make one row), down to the next row, or up to
// the top of the next column on the right.
void expectReadingOrder(QWidget* area, const std::vector<QWidget*>& order) {
    for (QWidget* w : area->findChildren<QWidget*>()) {
        if (works(w) && w->isVisible() && !w->objectName().isEmpty()) {
            EXPECT_NE(std::find(order.begin(), order.end(), w), order.end())
                << w->objectName().toStdString() << " is not reached with Tab";
        }
    }
    for (std::size_t k = 1; k < order.size(); ++k) {
        QWidget* a = order[k - 1];
        QWidget* b = order[k];
        if (a->parentWidget() != b->parentWidget() || !qobject_cast<QGroupBox*>(a->parentWidget())) {
            continue;
        }
        const bool sameRow = std::abs(a->y() - b->y()) <= 8;
        EXPECT_TRUE(sameRow ? a->x() < b->x() : a->y() < b->y() || a->x() < b->x())
            << a->objectName().toStdString() << " before " << b->objectName().toStdString();
    }
}

TEST_F(ListPages, TabReachesEveryControlInReadingOrder) {
    openBuild(4);
    maps().ListBox2->setCurrentRow(0);
    QListWidget* lists[] = {units().UnitList, sounds().soundlist, spells().SpellList, commands().CmdList,
                            maps().ListBox2};
    for (int page = 0; page < 5; ++page) {
        showPage(page);
        QWidget* first = page == 1 ? static_cast<QWidget*>(sounds().Edit2) : lists[page];
        EXPECT_EQ(window->findChild<QLineEdit*>(lists[page]->objectName() + u"Filter"_s)->nextInFocusChain(),
                  lists[page]);
        expectReadingOrder(lists[page]->parentWidget(), tabOrder(first));
    }
    for (QDialog* dialog : std::initializer_list<QDialog*>{app->sobj, app->chicon, app->genpat}) {
        dialog->show();
        expectReadingOrder(dialog, tabOrder(dialog->findChildren<QWidget*>().front()));
        dialog->hide();
    }
}

}  // namespace
}  // namespace zorbel
