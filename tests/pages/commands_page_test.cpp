// The Commands page driven offscreen.
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/game_text.h"
#include "app/game_text_list.h"
#include "graphics/icon_chooser.h"
#include "pages/commands/command_model.h"
#include "pages/commands/commands_page.h"
#include "tests/support/gui_fixture.h"
#include "tools/gamekit/demo_strings.h"
#include "ui_commands_page.h"

namespace zorbel {
namespace {

class CommandsPageTest : public testsupport::EditorFixture {
  protected:
    Ui::CommandsPage& ui() { return window->commandsPage().ui(); }
    // The record of the selected button, read from the image.
    ButtonRecord shown() { return ReadButtonRecord(window->image(), ui().offs->text().toInt()).value(); }
    QStringList crossReferences() {
        QStringList rows;
        for (int i = 0; i < ui().ListBox1->count(); ++i) {
            rows << ui().ListBox1->item(i)->text();
        }
        return rows;
    }
};

TEST_F(CommandsPageTest, GroupsAndTheirButtons) {
    openBuild(4);
    click(ui().RadioButton1);
    ASSERT_EQ(ui().CmdList->count(), 58);
    EXPECT_EQ(ui().CmdList->item(0)->text(), QStringLiteral("288- Cmds:10"));
    ui().CmdList->setCurrentRow(0);
    EXPECT_EQ(ui().ComboBox1->count(), 10);
    EXPECT_EQ(ui().offs->text(), QStringLiteral("288"));
    ui().ComboBox1->setCurrentIndex(2);
    EXPECT_EQ(ui().offs->text(), QStringLiteral("324"));
    EXPECT_EQ(ui().cicon->text().toInt(), shown().icon);
    click(ui().RadioButton2);
    EXPECT_EQ(ui().CmdList->count(), 120);
}

TEST_F(CommandsPageTest, SharedBarsShowTheSameButtonsAndListEachOther) {
    openBuild(2);
    EXPECT_EQ(ui().CmdList->currentRow(), 0) << "Open selects the first row";
    QStringList first;
    for (int i = 0; i < ui().ComboBox1->count(); ++i) {
        first << ui().ComboBox1->itemText(i);
    }
    const QStringList users = crossReferences();
    EXPECT_EQ(users, (QStringList{QStringLiteral("0. Footman"), QStringLiteral("4. Ballista"),
                                  QStringLiteral("22. Kurdan and Sky'ree"), QStringLiteral("36. (unused 36)"),
                                  QStringLiteral("42. Gryphon Rider"), QStringLiteral("46. Danath")}));
    ui().CmdList->setCurrentRow(4);
    QStringList fourth;
    for (int i = 0; i < ui().ComboBox1->count(); ++i) {
        fourth << ui().ComboBox1->itemText(i);
    }
    EXPECT_EQ(fourth, first);
    EXPECT_EQ(crossReferences(), users);
    // A label's colour codes stay in the row's bytes for drawing.
    EXPECT_TRUE(ui().ComboBox1->itemData(0, kGameBytesRole).toByteArray().startsWith("1 - "));
}

TEST_F(CommandsPageTest, TypedTextIsCutToTheFieldWidth) {
    openBuild(3);
    const std::pair<QString, int> icons[] = {{QStringLiteral("$1A"), 26},
                                             {QStringLiteral("12x"), 0},
                                             {QStringLiteral(" 7"), 7},
                                             {QStringLiteral("-$1A"), 0},
                                             {QStringLiteral("65537"), 1}};
    for (const auto& [text, icon] : icons) {
        type(ui().cicon, text);
        EXPECT_EQ(shown().icon, icon) << text.toStdString();
    }
    type(ui().cflags, QStringLiteral("-1"));
    EXPECT_EQ(shown().flags, 65535);
    type(ui().cparmact, QStringLiteral("300"));
    EXPECT_EQ(shown().actParam, 44);
    type(ui().cpos, QStringLiteral("4"));
    EXPECT_EQ(shown().position, 4);
}

TEST_F(CommandsPageTest, LabelFieldAndListMoveTogether) {
    openBuild(0);
    ui().lblist->setCurrentIndex(4);
    EXPECT_EQ(ui().clabel->text(), QStringLiteral("5"));
    EXPECT_EQ(shown().label, 5);
    type(ui().clabel, QStringLiteral("7"));
    EXPECT_EQ(ui().lblist->currentIndex(), 6);
    EXPECT_EQ(shown().label, 7);
    // A stored number the list has no row for is shown and kept.
    const auto at = window->image().layout().ButtonTable + ui().offs->text().toLongLong();
    window->image().writeU16(static_cast<std::uint64_t>(at + 14), 9999);
    ui().ComboBox1->setCurrentIndex(1);
    ui().ComboBox1->setCurrentIndex(0);
    EXPECT_EQ(ui().clabel->text(), QStringLiteral("9999"));
    EXPECT_EQ(ui().lblist->currentIndex(), -1);
    type(ui().cpos, QStringLiteral("2"));
    EXPECT_EQ(shown().label, 9999) << "writing another field keeps the label";
    // A number with no row gives 0 (set whole: typed digit by digit, each
    // keystroke would already select or clear a row).
    ui().clabel->setText(QStringLiteral("9998"));
    EXPECT_EQ(ui().clabel->text(), QStringLiteral("0"));
    EXPECT_EQ(shown().label, 0);
}

TEST_F(CommandsPageTest, ChooseIconThroughTheChooser) {
    openBuild(4);
    type(ui().cicon, QStringLiteral("7"));
    Tchicon* chooser = app->chicon;
    prompts.modalActions.push_back([&](QDialog&) {
        EXPECT_EQ(chooser->ChosenIcon, 8);
        EXPECT_EQ(chooser->SelectedIcon, 8);
        EXPECT_EQ(chooser->scrollPosition(), 6);
        // The chooser's icon 10 (counted from 1) is the tenth band.
        QTest::mouseClick(chooser->Image1, Qt::LeftButton, {}, QPoint(10, 9 * Tchicon::kBand + 4));
        QTest::mouseClick(chooser->BitBtn1, Qt::LeftButton);
    });
    click(ui().BitBtn2);
    EXPECT_EQ(ui().cicon->text(), QStringLiteral("9"));
    EXPECT_EQ(shown().icon, 9);
    prompts.modalActions.push_back([&](QDialog&) { QTest::mouseClick(chooser->BitBtn2, Qt::LeftButton); });
    click(ui().BitBtn2);
    EXPECT_EQ(ui().cicon->text(), QStringLiteral("9"));
    prompts.take();
    type(ui().cicon, QStringLiteral("7q"));
    click(ui().BitBtn2);
    EXPECT_EQ(prompts.take(),
              QStringList{QStringLiteral("message error|Zorbel|'7q' is not a valid integer value.")});
}

TEST_F(CommandsPageTest, GroupsPastTheButtonAreaCannotBeEdited) {
    openBuild(0);
    click(ui().RadioButton1);
    ui().CmdList->setCurrentRow(ui().CmdList->count() - 2);  // 6368- Cmds:8, beyond build 0's button area
    ASSERT_EQ(ui().ComboBox1->count(), 8);
    EXPECT_EQ(ui().ComboBox1->itemText(0), QString());
    EXPECT_FALSE(ui().GroupBox7->isEnabled());
    const auto before = bytes();
    type(ui().cicon, QStringLiteral("5"));
    EXPECT_EQ(bytes(), before);
}

TEST(GameTextDrawing, ColourBytesColourTheLetters) {
    QImage image(200, 16, QImage::Format_RGB32);
    image.fill(kListTeal);
    {
        QPainter painter(&image);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(14);
        font.setBold(true);
        painter.setFont(font);
        drawGameText(painter, image.rect(),
                     QByteArray("\x02"
                                "B\x01uild"),
                     ByteFF::Yellow);
    }
    int yellowRight = -1, whiteLeft = 1000, whiteRight = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() > 200 && c.blue() < 60) {
                yellowRight = std::max(yellowRight, x);
            }
            if (c.red() > 200 && c.green() > 200 && c.blue() > 200) {
                whiteLeft = std::min(whiteLeft, x);
                whiteRight = std::max(whiteRight, x);
            }
        }
    }
    ASSERT_GE(yellowRight, 0) << "B is drawn in yellow";
    ASSERT_GE(whiteRight, 0) << "uild is drawn in white";
    EXPECT_LT(yellowRight, whiteLeft + 2);
}

}  // namespace
}  // namespace zorbel
