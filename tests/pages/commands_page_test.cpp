// The Commands page driven offscreen.
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include "graphics/icon_chooser.h"
#include "pages/commands/command_model.h"
#include "pages/commands/commands_page.h"
#include "tests/support/gui_fixture.h"
#include "ui/game_text_list.h"
#include "ui_commands_page.h"

namespace zorbel {
namespace {

class CommandsPageTest : public testsupport::EditorFixture {
  protected:
    Ui::CommandsPage& ui() { return window->commandsPage().ui(); }
    // The record of the selected button, read from the image.
    ButtonRecord shown() { return ReadButtonRecord(window->image(), ui().offs->text().toInt()).value(); }
    QStringList rows(QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) {
            out << list->item(i)->text();
        }
        return out;
    }
};

TEST_F(CommandsPageTest, GroupsUnitsAndSharedBars) {
    openBuild(2);
    EXPECT_EQ(ui().CmdList->currentRow(), 0) << "Open selects the first row";
    const QStringList users{QStringLiteral("0. Footman"),
                            QStringLiteral("4. Ballista"),
                            QStringLiteral("22. Kurdan and Sky'ree"),
                            QStringLiteral("36. (unused 36)"),
                            QStringLiteral("42. Gryphon Rider"),
                            QStringLiteral("46. Danath")};
    EXPECT_EQ(rows(ui().ListBox1), users);
    ui().CmdList->setCurrentRow(4);  // the same bar as unit 0
    EXPECT_EQ(ui().offs->text(), QStringLiteral("288"));
    EXPECT_EQ(rows(ui().ListBox1), users);

    click(ui().RadioButton1);
    ASSERT_EQ(ui().CmdList->count(), 58);
    EXPECT_EQ(ui().CmdList->item(0)->text(), QStringLiteral("288- Cmds:10"));
    ui().CmdList->setCurrentRow(0);
    EXPECT_EQ(ui().ComboBox1->count(), 10);
    ui().ComboBox1->setCurrentIndex(2);
    EXPECT_EQ(ui().offs->text(), QStringLiteral("324"));
    EXPECT_EQ(ui().cicon->text(), QStringLiteral("90")) << "the kit's icon of the 19th button record";
    click(ui().RadioButton2);
    EXPECT_EQ(ui().CmdList->count(), 120);
}

TEST_F(CommandsPageTest, TypedTextIsCutToTheFieldWidth) {
    openBuild(3);
    const std::tuple<QLineEdit*, const char*, int, std::uint16_t ButtonRecord::*> cases[] = {
        {ui().cicon, "$1A", 26, &ButtonRecord::icon},  {ui().cicon, "12x", 0, &ButtonRecord::icon},
        {ui().cicon, " 7", 7, &ButtonRecord::icon},    {ui().cicon, "-$1A", 0, &ButtonRecord::icon},
        {ui().cicon, "65537", 1, &ButtonRecord::icon}, {ui().cflags, "-1", 65535, &ButtonRecord::flags},
        {ui().cpos, "4", 4, &ButtonRecord::position},
    };
    for (const auto& [box, text, value, field] : cases) {
        type(box, QLatin1String(text));
        EXPECT_EQ(shown().*field, value) << text;
    }
    type(ui().cparmact, QStringLiteral("300"));
    EXPECT_EQ(shown().actParam, 44);
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
    ui().clabel->setText(QStringLiteral("9998"));  // a number with no row gives 0
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
        QTest::mouseClick(chooser->Image1, Qt::LeftButton, {},
                          QPoint(10, 9 * Tchicon::kBand + 4));  // icon 10
        QTest::mouseClick(chooser->BitBtn1, Qt::LeftButton);
    });
    click(ui().BitBtn2);
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

}  // namespace
}  // namespace zorbel
