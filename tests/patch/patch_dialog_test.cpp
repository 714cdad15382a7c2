// The patch dialog through a recording launcher, and once with the real genpatch.
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "app/game_directory.h"
#include "exe/exe_file.h"
#include "patch/launcher.h"
#include "patch/patch_dialog.h"
#include "patch/patch_format.h"
#include "tests/support/gui_fixture.h"

namespace zorbel {
namespace {

class RecordingLauncher : public Launcher {
  public:
    QString program;
    QStringList arguments;
    Finished finished;
    bool refuse = false;
    int starts = 0;
    LaunchResult start(const QString& p, const QStringList& a, Finished f) override {
        ++starts;
        if (refuse) {
            return {false, QStringLiteral("No such file or directory")};
        }
        program = p;
        arguments = a;
        finished = std::move(f);
        return {true, {}};
    }
};

class PatchDialogTest : public testsupport::EditorFixture {
  protected:
    void SetUp() override {
        launcher = &recording;
        EditorFixture::SetUp();
        dialog = app->genpat;
    }
    RecordingLauncher recording;
    Tgenpat* dialog = nullptr;
};

TEST_F(PatchDialogTest, GenerateStartsGenpatchWithTheThreeNames) {
    prompts.modalActions.push_back([&](QDialog&) { click(dialog->Button4); });
    window->findChild<QAction*>(QStringLiteral("Generateapatch1"))->trigger();
    EXPECT_EQ(recording.arguments, (QStringList{QStringLiteral("WAR2.EXE"), QStringLiteral("ZORBELED.EXE"),
                                                QStringLiteral("TEST.PAT")}));
    EXPECT_TRUE(recording.program.endsWith(QStringLiteral("genpatch")));
    EXPECT_FALSE(dialog->isVisible());

    // Names with blanks stay one argument each.
    dialog->Edit2->setText(QStringLiteral("my mods/changed war2.exe"));
    prompts.modalActions.push_back([&](QDialog&) { click(dialog->Button4); });
    window->Generateapatch1Click();
    EXPECT_EQ(recording.arguments[1], QStringLiteral("my mods/changed war2.exe"));

    // The outcome reaches the user: the status bar, or the error box.
    recording.finished(0, {});
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("Patch written: TEST.PAT"));
    recording.finished(1, QStringLiteral("genpatch: cannot read \"WAR2.EXE\": No such file or directory"));
    EXPECT_EQ(
        prompts.take().last(),
        QStringLiteral("message error|Zorbel|genpatch: cannot read \"WAR2.EXE\": No such file or directory"));
}

TEST_F(PatchDialogTest, CancelStartsNothingAndKeepsTheTexts) {
    dialog->Edit3->setText(QStringLiteral("mine.pat"));
    prompts.modalActions.push_back([&](QDialog&) { click(dialog->Button5); });
    window->Generateapatch1Click();
    EXPECT_EQ(recording.starts, 0);
    EXPECT_EQ(dialog->Edit3->text(), QStringLiteral("mine.pat"));
}

TEST_F(PatchDialogTest, BrowseOpensAtTheGameDirectoryAndGenpatchStaysInStartDir) {
    const QString before = dialog->genpatchProgram();
    const QString other = temp.filePath(QStringLiteral("other"));
    QDir().mkpath(other + QStringLiteral("/DATA"));
    QFile(other + QStringLiteral("/DATA/MAINDAT.WAR")).open(QIODevice::WriteOnly);
    prompts.fileAnswers.push_back(other + QStringLiteral("/WAR2.EXE"));
    window->ChooseWarcraftDirectory1Click();
    prompts.take();
    prompts.fileAnswers.push_back(QStringLiteral("/x/clean.exe"));
    prompts.fileAnswers.push_back(QStringLiteral("/x/new.pat"));
    dialog->Button1Click();
    dialog->Edit3Change();
    EXPECT_EQ(
        prompts.take(),
        (QStringList{
            QStringLiteral("open Select a clean and UNMODIFIED copy of WarCraft II|(War2 CLEAN exe) "
                           "(*.exe)|") +
                other,
            QStringLiteral("save Select a name for the Patch File|(Patch Files *pat) (*.pat)|") + other}));
    EXPECT_EQ(dialog->Edit1->text(), QStringLiteral("/x/clean.exe"));
    EXPECT_EQ(dialog->Edit3->text(), QStringLiteral("/x/new.pat"));
    EXPECT_EQ(dialog->genpatchProgram(), before);
}

TEST_F(PatchDialogTest, StartFailureIsReportedAndTheDialogStaysOpen) {
    recording.refuse = true;
    prompts.modalActions.push_back([&](QDialog&) {
        click(dialog->Button4);
        EXPECT_TRUE(dialog->isVisible());
    });
    window->Generateapatch1Click();
    const QString last = prompts.take().last();
    EXPECT_TRUE(last.startsWith(QStringLiteral("message error|Zorbel|Cannot start \"")))
        << last.toStdString();
    EXPECT_TRUE(last.endsWith(QStringLiteral("No such file or directory")));
}

// The real genpatch, started from the dialog, writes a patch that applies.
TEST(PatchDialogEndToEnd, RealGenpatchWritesAPatchThatApplies) {
    QTemporaryDir temp;
    const auto clean = gamekit::buildGameExe(1).bytes;
    auto modified = clean;
    modified[0xC0000] ^= 0x55;
    auto save = [&](const QString& name, const std::vector<std::uint8_t>& bytes) {
        QFile f(temp.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    };
    save(QStringLiteral("WAR2.EXE"), clean);
    save(QStringLiteral("ZORBELED.EXE"), modified);
    testsupport::ScriptedPrompts prompts;
    QSettingsStore settings(temp.filePath(QStringLiteral("Zorbel.ini")));
    settings.createKey();
    QtLauncher launcher;
    // Started from the folder that holds genpatch, as a user starts the editor beside it.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QFileInfo(QStringLiteral(GENPATCH_PATH)).absolutePath());
    ZorbelApplication app(prompts, settings, nullptr, &launcher);
    app.start();
    QDir::setCurrent(previous);
    EXPECT_EQ(app.genpat->genpatchProgram(), QStringLiteral(GENPATCH_PATH));
    // The editor's folder holds genpatch; the fields name files in the game folder.
    app.genpat->Edit1->setText(temp.filePath(QStringLiteral("WAR2.EXE")));
    app.genpat->Edit2->setText(temp.filePath(QStringLiteral("ZORBELED.EXE")));
    app.genpat->Edit3->setText(temp.filePath(QStringLiteral("TEST.PAT")));
    app.genpat->Button4Click();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !app.SDIAppForm()->statusBar()->currentMessage().isEmpty(); }, 10000))
        << prompts.log.join(QLatin1Char('\n')).toStdString();
    const auto patch =
        readWholeFile(temp.filePath(QStringLiteral("TEST.PAT")).toStdString(), 1 << 26).value();
    EXPECT_EQ(ApplyPatch(patch, clean).value(), modified);
}

}  // namespace
}  // namespace zorbel
