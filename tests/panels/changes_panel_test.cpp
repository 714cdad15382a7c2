// The Changes panel as a user meets it: against the game's WAR2.EXE or a
// chosen one, following edits (in a window that grows around the pages),
// jumping to fields and reverting them; the changes exported as a table
// patch and imported again, and the tables as JSON and CSV.
#include <QDockWidget>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

#include "panels/changes_panel.h"
#include "panels/find_panel.h"
#include "tests/support/gui_fixture.h"

namespace zorbel {
namespace {

using namespace Qt::StringLiterals;

class ChangesPanelTest : public testsupport::EditorFixture {
  protected:
    int pageIndex() const override { return 0; }
    // The game folder's executable, spelt as some installs spell it.
    void SetUp() override {
        EditorFixture::SetUp();
        QFile::remove(gameDir() + u"/WAR2.EXE"_s);
        writeFile(gameDir() + u"/war2.exe"_s, gamekit::buildGameExe(2).bytes);
    }
    QTreeWidget* tree() { return window->changesPanel().tree(); }
    // Every listed row, groups as "[Units (2)]".
    QStringList listed() {
        QStringList out;
        for (int g = 0; g < tree()->topLevelItemCount(); ++g) {
            out << QLatin1Char('[') + tree()->topLevelItem(g)->text(0) + QLatin1Char(']');
            for (int k = 0; k < tree()->topLevelItem(g)->childCount(); ++k) {
                out << tree()->topLevelItem(g)->child(k)->text(0);
            }
        }
        return out;
    }
    QString count() { return window->findChild<QLabel*>(u"ChangeCount"_s)->text(); }
    QString against() { return window->findChild<QLabel*>(u"ChangesAgainst"_s)->text(); }
    QTreeWidgetItem* row(int group, int k) { return tree()->topLevelItem(group)->child(k); }
    void revert(int scope) {
        window->changesPanel().findChild<QPushButton*>(u"Revert%1"_s.arg(scope))->click();
    }
    // The rows of a list marked as changed, and those it shows.
    static QList<int> rows(const QListWidget* list, bool marked) {
        QList<int> out;
        for (int r = 0; r < list->count(); ++r) {
            if (marked ? list->item(r)->data(ListPage::kChangedRole).toBool() : !list->isRowHidden(r)) {
                out << r;
            }
        }
        return out;
    }
    std::uint16_t icon(int unit) { return *window->image().readU16(exe.layout().UnitTable + 14u * unit); }
    // File, Import Changes... (or the given item) of the file at `path`, with `text` written there first
    // when given.
    void import(const QString& path, const QString& text = {}, const char* item = "ImportChangesItem") {
        if (!text.isEmpty()) {
            const QByteArray bytes = text.toLatin1();
            writeFile(path, {bytes.begin(), bytes.end()});
        }
        prompts.fileAnswers.push_back(path);
        trigger(item);
    }
    QString status() { return window->statusBar()->currentMessage(); }
};

TEST_F(ChangesPanelTest, FollowsEveryEditUndoAndRedo) {
    openBuild(2);
    EXPECT_EQ(against(), u"Against war2.exe"_s);
    EXPECT_EQ(count(), u"0 fields changed"_s);
    units().UnitList->setCurrentRow(3);
    const QString was = units().Edit1->text();
    type(units().Edit1, u"125"_s);
    showPage(2);
    spells().SpellList->setCurrentRow(7);
    const QString mana = spells().mana->text();
    type(spells().mana, u"250"_s);
    const QString dot = u" \u00B7 "_s;
    const QStringList rows = listed();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows.mid(0, 3),
              (QStringList{u"[Units (1)]"_s,
                           u"Units"_s + dot + u"3. Peon"_s + dot + u"Icon: "_s + was + u" \u2192 125"_s,
                           u"[Actions (1)]"_s}));
    EXPECT_TRUE(rows[3].startsWith(u"Actions"_s + dot + spells().SpellList->item(7)->text()));
    EXPECT_TRUE(rows[3].endsWith(dot + u"Mana: "_s + mana + u" \u2192 250"_s));
    EXPECT_EQ(count(), u"2 fields changed"_s);
    trigger("UndoItem");
    trigger("UndoItem");
    EXPECT_TRUE(listed().isEmpty());
    trigger("RedoItem");
    EXPECT_EQ(count(), u"1 field changed"_s);
    // A byte outside every field is listed too.
    window->image().writeU8(0x2000, static_cast<std::uint8_t>(exe.bytes[0x2000] ^ 4));
    EXPECT_EQ(listed().mid(2),
              (QStringList{u"[Outside the tables]"_s, u"outside the tables: 0x2000, 1 byte"_s}));
    EXPECT_EQ(count(), u"1 field changed, 1 outside the tables"_s);

    // The View menu hides and shows the panel.
    QAction* view = action("ChangesItem");
    ASSERT_NE(view, nullptr);
    view->trigger();
    EXPECT_FALSE(window->changesPanel().isVisibleTo(window));
    view->trigger();
    EXPECT_TRUE(window->changesPanel().isVisibleTo(window));

    // The window grows; the pages keep their size.
    const QSize pagesSize = pages()->size();
    window->resize(window->width() + 200, window->height() + 100);
    QApplication::processEvents();
    EXPECT_EQ(std::pair(pages()->size(), pagesSize.width()), std::pair(pagesSize, 496));
}

TEST_F(ChangesPanelTest, EnterJumpsToTheFieldAndRevertsAreUndoable) {
    openBuild(2);
    units().UnitList->setCurrentRow(5);
    type(units().ready, u"33"_s);
    type(units().Edit1, u"98"_s);
    units().UnitList->setCurrentRow(3);
    type(units().Edit1, u"99"_s);
    showPage(4);
    // The first rows are the icons of units 3 and 5; then unit 5's ready sound.
    tree()->setCurrentItem(row(0, 0));
    tree()->setFocus();
    QTest::keyClick(tree(), Qt::Key_Return);
    EXPECT_EQ(std::tuple(pages()->currentIndex(), units().UnitList->currentRow(), window->focusWidget()),
              std::tuple(0, 3, units().Edit1))
        << "the window's focus is on the field";
    emit tree()->itemActivated(tree()->topLevelItem(1)->child(0), 0);
    EXPECT_EQ(units().UnitList->currentRow(), 5);

    tree()->setCurrentItem(row(0, 0));
    revert(0);
    EXPECT_EQ(icon(3), *loadU16(exe.bytes, exe.layout().UnitTable + 42));
    EXPECT_EQ(units().Edit1->text(), QString::number(icon(3)));
    EXPECT_EQ(action("UndoItem")->text(), u"&Undo Revert Icon of 3. Peon"_s);
    trigger("UndoItem");
    EXPECT_EQ(icon(3), 99u);
    tree()->setCurrentItem(tree()->topLevelItem(0));
    EXPECT_FALSE(window->changesPanel().findChild<QPushButton*>(u"Revert1"_s)->isEnabled()) << "a group row";
    tree()->setCurrentItem(row(0, 0));
    revert(1);  // the record: unit 3's row of the Units table
    EXPECT_EQ(icon(3), *loadU16(exe.bytes, exe.layout().UnitTable + 42));
    EXPECT_EQ(icon(5), 98u);
    trigger("UndoItem");
    EXPECT_EQ(count(), u"3 fields changed"_s);
    window->image().writeU8(0x2000, static_cast<std::uint8_t>(exe.bytes[0x2000] ^ 4));
    revert(3);
    EXPECT_TRUE(listed().isEmpty()) << "the byte outside the tables too";
    EXPECT_FALSE(marked()) << "everything back as the opened file has it";
    EXPECT_EQ(action("UndoItem")->text(), u"&Undo Revert All"_s);
    trigger("UndoItem");
    EXPECT_EQ(count(), u"3 fields changed, 1 outside the tables"_s);
}

TEST_F(ChangesPanelTest, CompareWithRefusesWhatIsNoBuildAndTakesAnother) {
    openBuild(2);
    const QString junk = temp.filePath(u"junk.exe"_s);
    writeFile(junk, std::vector<std::uint8_t>(5000, 0x4D));
    for (const QString& path : {junk, temp.filePath(u"none.exe"_s)}) {
        prompts.fileAnswers.push_back(path);
        trigger("CompareWithItem");
        const QStringList shown = prompts.take();
        ASSERT_EQ(shown.size(), 2) << shown.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(shown[1].startsWith(u"message error|Zorbel|Cannot compare with \""_s + path))
            << shown[1].toStdString();
        EXPECT_EQ(against(), u"Against war2.exe"_s) << "the reference before is kept";
    }
    EXPECT_TRUE(prompts.take().isEmpty());
    const QString other = temp.filePath(u"build0.exe"_s);
    writeFile(other, gamekit::buildGameExe(0).bytes);
    prompts.fileAnswers.push_back(other);
    trigger("CompareWithItem");
    prompts.take();
    EXPECT_EQ(against(), u"Against build0.exe"_s);
    EXPECT_TRUE(listed().filter(u"(not comparable across builds)"_s).size() > 0);

    // Comparing again with a file changed meanwhile says so.
    writeFile(other, gamekit::buildGameExe(2).bytes);
    prompts.fileAnswers.push_back(other);
    trigger("CompareWithItem");
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith(u"build0.exe changed on disk"_s));
    EXPECT_EQ(count(), u"0 fields changed"_s);
}

TEST_F(ChangesPanelTest, ChangedFieldsAreTintedRowsMarkedAndListsFiltered) {
    openBuild(2);
    const QString tip = units().Edit1->toolTip();
    const QColor plain = units().Edit1->palette().color(QPalette::Base);
    auto tinted = [&](const QWidget* w) { return w->palette().color(QPalette::Base) != plain; };
    units().UnitList->setCurrentRow(3);
    const QString was = QString::number(*loadU16(exe.bytes, exe.layout().UnitTable + 42));
    type(units().Edit1, u"99"_s);
    EXPECT_TRUE(tinted(units().Edit1));
    EXPECT_EQ(units().Edit1->toolTip(), tip + u"\nwas "_s + was + u" in war2.exe"_s);
    EXPECT_FALSE(tinted(units().Edit4)) << "a field of the row left as it was";
    EXPECT_EQ(rows(units().UnitList, true), QList<int>{3});
    units().UnitList->setCurrentRow(4);
    EXPECT_FALSE(tinted(units().Edit1)) << "the next row has no change";
    EXPECT_EQ(units().Edit1->toolTip(), tip);

    // A button's change marks every unit whose bar holds it.
    showPage(3);
    commands().CmdList->setCurrentRow(2);
    type(commands().cflags, u"77"_s);
    EXPECT_TRUE(tinted(commands().cflags));
    EXPECT_TRUE(rows(commands().CmdList, true).contains(2));
    const auto buttonRow = window->comparison().fields.back().row;
    for (int unit : rows(commands().CmdList, true)) {
        const CommandBar bar = ReadCommandBar(window->image(), unit);
        EXPECT_TRUE(buttonRow >= bar.barOffset && buttonRow < bar.barOffset + kButtonRecordSize * bar.count)
            << unit;
    }
    trigger("UndoItem");
    EXPECT_TRUE(rows(commands().CmdList, true).isEmpty());
    EXPECT_FALSE(tinted(commands().cflags));

    // Changed rows only, and the filter: a part of the name or the number, any case.
    action("ChangedOnlyItem")->setChecked(true);
    EXPECT_EQ(rows(units().UnitList, false), QList<int>{3});
    action("ChangedOnlyItem")->setChecked(false);
    auto* filter = window->findChild<QLineEdit*>(u"UnitListFilter"_s);
    type(filter, u" pE "_s);
    EXPECT_EQ(rows(units().UnitList, false), (QList<int>{2, 3, 15, 16, 17, 41}));
    type(filter, u"2."_s);
    EXPECT_EQ(rows(units().UnitList, false), (QList<int>{2, 12, 22, 32, 42, 52, 62, 72, 82, 92, 102, 112}));
    type(filter, {});
    EXPECT_EQ(rows(units().UnitList, false).size(), units().UnitList->count());
}

TEST_F(ChangesPanelTest, FindListsEveryFieldNamingASoundAndJumpsToIt) {
    openBuild(2);
    EXPECT_EQ(action("FindItem")->shortcuts(), QKeySequence::keyBindings(QKeySequence::Find));
    units().UnitList->setCurrentRow(5);
    type(units().ready, u"212"_s);
    units().UnitList->setCurrentRow(7);
    type(units().attack, u"212"_s);
    trigger("FindItem");
    FindPanel& find = window->findPanel();
    EXPECT_TRUE(find.isVisibleTo(window));
    EXPECT_EQ(window->focusWidget(), find.query());
    find.query()->setText(u"Sound 212"_s);
    QTest::keyClick(find.query(), Qt::Key_Return);
    QStringList found;
    QTreeWidgetItem* group = find.tree()->topLevelItem(0);
    ASSERT_NE(group, nullptr);
    for (int k = 0; k < group->childCount(); ++k) {
        found << group->child(k)->text(0).section(u" \u00B7 "_s, 1);
    }
    EXPECT_EQ(found, (QStringList{units().UnitList->item(5)->text() + u" \u00B7 Ready = 212"_s,
                                  units().UnitList->item(7)->text() + u" \u00B7 Attack = 212"_s}));
    EXPECT_EQ(find.tree()->topLevelItemCount(), 1);
    EXPECT_EQ(window->findChild<QLabel*>(u"FindCount"_s)->text(), u"2 found"_s);

    showPage(2);
    emit find.tree()->itemActivated(group, 0);
    EXPECT_EQ(pages()->currentIndex(), 2) << "a group row goes nowhere";
    emit find.tree()->itemActivated(group->child(0), 0);
    EXPECT_EQ(std::tuple(pages()->currentIndex(), units().UnitList->currentRow(), window->focusWidget()),
              std::tuple(0, 5, units().ready));
    // A row found by its name: the first field of its own table.
    find.query()->setText(u"Catapult"_s);
    QTest::keyClick(find.query(), Qt::Key_Return);
    emit find.tree()->itemActivated(find.tree()->topLevelItem(0)->child(0), 0);
    EXPECT_EQ(window->focusWidget(), units().Edit1);
}

TEST_F(ChangesPanelTest, ChangesAndTablesGoOutAndComeBackAsOneStepAndConflictsAreAskedFirst) {
    EXPECT_FALSE(action("ImportChangesItem")->isEnabled());
    const QString exePath = openBuild(2);
    EXPECT_TRUE(action("ExportChangesItem")->isEnabled());
    const std::uint32_t manaAt = exe.layout().SpellManaTable + 14;  // action 7's
    auto mana = [&] { return *window->image().readU16(manaAt); };
    const std::pair clean(icon(3), mana());
    units().UnitList->setCurrentRow(3);
    type(units().Edit1, u"125"_s);
    window->image().writeU16(manaAt, 250);
    window->image().writeU8(0x2000, static_cast<std::uint8_t>(exe.bytes[0x2000] ^ 4));  // outside the tables
    const QString patch = temp.filePath(u"mod.ztp"_s), json = temp.filePath(u"t.json"_s),
                  csv = temp.filePath(u"csv"_s);
    QDir().mkpath(csv);
    prompts.fileAnswers = {patch, json, csv, exePath};
    trigger("ExportChangesItem");
    EXPECT_EQ(status(), u"2 fields exported to mod.ztp; 1 other change cannot be in a table patch"_s);
    trigger("ExportTablesJsonItem");
    EXPECT_EQ(status(), u"Every table exported to t.json"_s);
    trigger("ExportTablesCsvItem");
    EXPECT_EQ(status(), u"7 tables exported to csv as CSV files"_s);
    EXPECT_TRUE(QFile::rename(csv + u"/units.csv"_s, csv + u"/UNITS.CSV"_s)) << "read as CSV in any case";
    trigger("ExportTablesJsonItem");  // over the open file: refused
    EXPECT_TRUE(prompts.take().last().startsWith(u"message error|Zorbel|Will not write over"_s));
    import(json, {}, "ImportTablesItem");
    EXPECT_TRUE(status().startsWith(u"Nothing changed by t.json"_s)) << "its own export";
    EXPECT_EQ(action("UndoItem")->text().startsWith(u"&Undo Import"_s), false);

    prompts.saveAnswers.push_back(SaveChangesAnswer::Discard);
    openBuild(2, u"clean.exe"_s);
    units().UnitList->setCurrentRow(3);
    for (const auto& [item, name] :
         {std::pair{"ImportChangesItem", u"mod.ztp"_s}, {"ImportTablesItem", u"t.json"_s}}) {
        import(temp.filePath(name), {}, item);
        EXPECT_EQ(units().Edit1->text(), u"125"_s) << "the page shows the bytes";
        EXPECT_EQ(std::pair(icon(3), mana()), (std::pair<std::uint16_t, std::uint16_t>(125, 250)));
        EXPECT_TRUE(status().startsWith(u"2 fields set from "_s + name)) << status().toStdString();
        EXPECT_EQ(action("UndoItem")->text(), u"&Undo Import "_s + name);
        trigger("UndoItem");
        EXPECT_EQ(bytes(), exe.bytes) << "one undo takes the whole import back";
    }
    import(csv + u"/UNITS.CSV"_s, {}, "ImportTablesItem");
    EXPECT_EQ(std::pair(icon(3), mana()), (std::pair<std::uint16_t, std::uint16_t>(125, clean.second)))
        << "one table's file sets that table only";
    trigger("UndoItem");

    import(patch);
    import(patch);
    EXPECT_EQ(status(), u"Nothing changed by mod.ztp, 2 already set"_s);
    trigger("UndoItem");

    // An icon that is neither the patch's old value nor its new one.
    window->image().writeU16(exe.layout().UnitTable + 42, 77);
    const auto before = bytes();
    const std::tuple<PatchConflictAnswer, std::uint16_t, std::uint16_t, QString> answers[] = {
        {PatchConflictAnswer::Cancel, 77, clean.second, status()},
        {PatchConflictAnswer::KeepCurrent, 77, 250, u"1 field set from mod.ztp, 1 kept as they were"_s},
        {PatchConflictAnswer::TakePatch, 125, 250, u"2 fields set from mod.ztp"_s}};
    for (const auto& [answer, wantIcon, wantMana, wantStatus] : answers) {
        prompts.conflictAnswers.push_back(answer);
        import(patch);
        EXPECT_TRUE(prompts.take().last().endsWith(
            u"\n\nUnits \u00B7 3. Peon \u00B7 Icon is 77; the patch has %1 -> 125"_s.arg(clean.first)));
        EXPECT_EQ(std::tuple(icon(3), mana(), status()), std::tuple(wantIcon, wantMana, wantStatus));
        if (answer != PatchConflictAnswer::Cancel) {
            trigger("UndoItem");
        }
        EXPECT_EQ(bytes(), before);
    }

    // A bad line sets nothing; a pointer of another build is listed, and the rest set.
    const QString head = u"zorbel table patch 1\nbase build 0 size 1 crc32 0\nunits 3 icon - -> 9\n"_s;
    import(temp.filePath(u"bad.ztp"_s), head + u"units 3 nosuch 1 -> 2\n"_s);
    import(temp.filePath(u"other.ztp"_s), head + u"units 3 fna 5 -> 6\n"_s);
    import(temp.filePath(u"bad.json"_s), u"{\"format\": \"zorbel tables 1\",\n\"tables\": {\"units\": 3}}"_s,
           "ImportTablesItem");
    EXPECT_EQ(
        prompts.take().filter(u"message"_s),
        (QStringList{u"message error|Zorbel|bad.ztp:4: table units has no field \"nosuch\"."_s,
                     u"message warning|Zorbel|These fields of other.ztp were not applied:\n\nUnits \u00B7 "
                     "3. Peon \u00B7 FNA: a pointer of build 0, whose targets differ in build 2"_s,
                     u"message error|Zorbel|bad.json:2: table units: expected an array of rows."_s}));
    EXPECT_EQ(icon(3), 9u);
    EXPECT_EQ(status(), u"1 field set from other.ztp"_s) << "not already set by bad.ztp";
}

}  // namespace
}  // namespace zorbel
