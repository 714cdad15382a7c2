// What the five pages share: a click on the selected row loads it again, and
// the keyboard reaches every control in reading order. Also what a screen
// reader reads of the objective.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTabBar>

#include "graphics/icon_chooser.h"
#include "pages/commands/commands_page.h"
#include "pages/maps/maps_page.h"
#include "pages/maps/objectives_dialog.h"
#include "pages/sounds/sound_page.h"
#include "pages/spells/spell_page.h"
#include "pages/units/units_page.h"
#include "patch/patch_dialog.h"
#include "tests/support/gui_fixture.h"
#include "ui_commands_page.h"
#include "ui_maps_page.h"
#include "ui_sound_page.h"
#include "ui_spell_page.h"
#include "ui_units_page.h"

namespace zorbel {
namespace {

using ListPages = testsupport::EditorFixture;

TEST_F(ListPages, AClickOnTheSelectedRowShowsTheBytesAgain) {
    openBuild(2);
    struct Case {
        int page;
        QListWidget* list;
        int row;
        QLineEdit* box;
        const char* typed;
        const char* stored;  // as the field holds it: cut to its width, its selector or its 12 bits
    };
    const Case cases[] = {
        {0, window->unitsPage().ui().UnitList, 3, window->unitsPage().ui().Edit1, "65537", "1"},
        {1, window->soundPage().ui().soundlist, 4, window->soundPage().ui().txtEntry, "1500", "500"},
        {2, window->spellPage().ui().SpellList, 43, window->spellPage().ui().range, "300", "44"},
        {3, window->commandsPage().ui().CmdList, 0, window->commandsPage().ui().cicon, "65537", "1"},
        {4, window->mapsPage().ui().ListBox2, 3, window->mapsPage().ui().resc, "5000", "904"},
    };
    for (const Case& c : cases) {
        showPage(c.page);
        c.list->setCurrentRow(c.row);
        type(c.box, QLatin1String(c.typed));
        EXPECT_EQ(c.box->text(), QLatin1String(c.typed));
        QTest::mouseClick(c.list->viewport(), Qt::LeftButton, {},
                          c.list->visualItemRect(c.list->item(c.row)).center());
        EXPECT_EQ(c.box->text(), QLatin1String(c.stored)) << "page " << c.page;
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
    window->mapsPage().ui().ListBox2->setCurrentRow(0);
    QListWidget* lists[] = {window->unitsPage().ui().UnitList, window->soundPage().ui().soundlist,
                            window->spellPage().ui().SpellList, window->commandsPage().ui().CmdList,
                            window->mapsPage().ui().ListBox2};
    for (int page = 0; page < 5; ++page) {
        showPage(page);
        QWidget* area = lists[page]->parentWidget();
        QWidget* first = page == 1 ? static_cast<QWidget*>(window->soundPage().ui().Edit2) : lists[page];
        expectReadingOrder(area, tabOrder(first));
    }
    for (QDialog* dialog : std::initializer_list<QDialog*>{app->sobj, app->chicon, app->genpat}) {
        dialog->show();
        const auto order = tabOrder(dialog->findChildren<QWidget*>().front());
        expectReadingOrder(dialog, order);
        dialog->hide();
    }
}

TEST_F(ListPages, AScreenReaderReadsTheObjective) {
    openBuild(1);
    showPage(4);
    window->mapsPage().ui().ListBox2->setCurrentRow(3);  // the kit's objective 9
    const QString nine = QStringLiteral("9. Orcs: -Destroy the Human Castle -Secure the Runestone");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window->mapsPage().ui().cond)->text(QAccessible::Name),
              nine);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(app->sobj->ScrollBar1)->text(QAccessible::Description),
              nine);
}

}  // namespace
}  // namespace zorbel
