// The Problems panel as a user meets it: a bad value typed on a page is
// listed and counted at once, Enter goes to it, Save asks while errors are
// left, and an ignored problem stays ignored in the file, saved or reopened.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include "app/qt_prompts.h"

#include "panels/changes_panel.h"
#include "panels/problems_panel.h"
#include "tests/support/gui_fixture.h"
#include "ui_units_page.h"

namespace zorbel {
namespace {

using namespace Qt::StringLiterals;

const QString kDot = u" \u00B7 "_s;

class ProblemsPanelTest : public testsupport::EditorFixture {
  protected:
    int pageIndex() const override { return 0; }
    QListWidget* list() { return window->problemsPanel().list(); }
    QStringList listed() {
        QStringList out;
        for (int k = 0; k < list()->count(); ++k) {
            out << list()->item(k)->text();
        }
        return out;
    }
    QString count() { return window->findChild<QLabel*>(u"ProblemCount"_s)->text(); }
    QAbstractButton* button(const QString& name) { return window->findChild<QAbstractButton*>(name); }
    // A unit's Ready sound typed on the Units page; the kit's Sound Table is
    // far shorter than 400 entries.
    void typeReady(int unit, const QString& sound) {
        showPage(0);
        units().UnitList->setCurrentRow(unit);
        type(units().ready, sound);
    }
    static QString readyError(const QString& unit) {
        return u"error: Unit sounds"_s + kDot + unit + kDot + u"Ready: sound 400; the Sound Table has "_s;
    }
};

TEST_F(ProblemsPanelTest, TypedValueIsListedJumpedToAndAskedAboutOnSave) {
    const QString path = openBuild(2);
    EXPECT_TRUE(listed().isEmpty()) << "the kit's executable is clean";
    EXPECT_EQ(count(), QString());
    EXPECT_TRUE(window->tabifiedDockWidgets(&window->changesPanel()).contains(&window->problemsPanel()));

    typeReady(3, u"400"_s);
    ASSERT_EQ(list()->count(), 1);
    EXPECT_TRUE(listed()[0].startsWith(readyError(u"3. Peon"_s))) << listed()[0].toStdString();
    EXPECT_EQ(count(), u"1 error"_s);

    showPage(4);
    window->problemsPanel().raise();
    list()->setCurrentRow(0);
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_EQ(std::tuple(pages()->currentIndex(), units().UnitList->currentRow(), window->focusWidget()),
              std::tuple(0, 3, units().ready));

    // Cancel, the default, writes nothing; Save Anyway writes.
    trigger("SaveItem");
    const QStringList asked = prompts.take();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].startsWith(u"errors game.exe has 1 error the game may not survive:\n\n"_s +
                                    readyError(u"3. Peon"_s).mid(7)))
        << asked[0].toStdString();
    EXPECT_EQ(fileBytes(path), QByteArray(reinterpret_cast<const char*>(exe.bytes.data()),
                                          static_cast<qsizetype>(exe.bytes.size())));
    EXPECT_TRUE(marked());
    prompts.saveWithErrorsAnswers.push_back(true);
    trigger("SaveItem");
    EXPECT_FALSE(marked());
    const QByteArray saved = fileBytes(path);
    ASSERT_EQ(saved.size(), static_cast<qsizetype>(exe.bytes.size()));
    EXPECT_EQ(*loadU16(ByteView(reinterpret_cast<const std::uint8_t*>(saved.data()), saved.size()),
                       layout().ReadySoundTable + 2 * 3),
              400u);

    action("ProblemsItem")->trigger();
    EXPECT_FALSE(window->problemsPanel().isVisibleTo(window));
}

TEST_F(ProblemsPanelTest, IgnoresAreKeptPerFileAcrossSaveAndReopen) {
    const QString path = openBuild(2);
    typeReady(3, u"400"_s);
    typeReady(5, u"400"_s);
    EXPECT_EQ(count(), u"2 errors"_s);
    list()->setCurrentRow(0);
    button(u"IgnoreProblem"_s)->click();
    ASSERT_EQ(list()->count(), 1);
    EXPECT_TRUE(listed()[0].startsWith(readyError(units().UnitList->item(5)->text())));
    EXPECT_EQ(count(), u"1 error"_s);

    // Only the error left is asked about; the saved file keeps the ignore.
    prompts.saveWithErrorsAnswers.push_back(true);
    trigger("SaveItem");
    const QStringList asked = prompts.take();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains(u"has 1 error"_s) && !asked[0].contains(u"3. Peon"_s));
    prompts.fileAnswers.push_back(path);
    trigger("OpenItem");
    EXPECT_EQ(count(), u"1 error"_s);

    // Shown again greyed, and unignored for good.
    click(button(u"ShowIgnored"_s));
    ASSERT_EQ(list()->count(), 2);
    EXPECT_NE(list()->item(0)->foreground(), list()->item(1)->foreground());
    list()->setCurrentRow(0);
    button(u"UnignoreProblem"_s)->click();
    EXPECT_EQ(count(), u"2 errors"_s);
    prompts.fileAnswers.push_back(path);
    trigger("OpenItem");
    EXPECT_EQ(count(), u"2 errors"_s);
}

// Enter and Escape on the real box both keep the file as it is.
TEST(SaveWithErrorsBoxTest, CancelIsTheDefault) {
    const auto box = SaveWithErrorsBox(u"game.exe has 1 error"_s, nullptr);
    ASSERT_NE(box->defaultButton(), nullptr);
    EXPECT_EQ(std::pair(box->defaultButton()->objectName(), box->escapeButton()),
              std::pair(u"Cancel"_s, static_cast<QAbstractButton*>(box->defaultButton())));
    EXPECT_EQ(box->findChild<QPushButton*>(u"SaveAnyway"_s)->text(), u"Save Anyway"_s);
}

}  // namespace
}  // namespace zorbel
