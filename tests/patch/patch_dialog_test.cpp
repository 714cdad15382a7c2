// The patch dialog through a recording launcher, and once with the real genpatch.
#include <QFileInfo>
#include <QStatusBar>

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

TEST_F(PatchDialogTest, GenerateStartsGenpatchWithTheThreeNamesAndReportsTheOutcome) {
    prompts.modalActions.push_back([&](QDialog&) { click(dialog->Button4); });
    trigger("Generateapatch1");
    EXPECT_EQ(recording.arguments, (QStringList{QStringLiteral("WAR2.EXE"), QStringLiteral("ZORBELED.EXE"),
                                                QStringLiteral("TEST.PAT")}));
    EXPECT_FALSE(dialog->isVisible());

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
    writeFile(other + QStringLiteral("/DATA/MAINDAT.WAR"), {});
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
using PatchDialogEndToEnd = testsupport::AppFixture;

TEST_F(PatchDialogEndToEnd, RealGenpatchWritesAPatchThatApplies) {
    const auto clean = gamekit::buildGameExe(1).bytes;
    auto modified = clean;
    modified[0xC0000] ^= 0x55;
    writeFile(temp.filePath(QStringLiteral("WAR2.EXE")), clean);
    writeFile(temp.filePath(QStringLiteral("ZORBELED.EXE")), modified);
    // Started from the folder that holds genpatch, as a user starts the editor beside it.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QFileInfo(QStringLiteral(GENPATCH_PATH)).absolutePath());
    start(QString());
    QDir::setCurrent(previous);
    Tgenpat* dialog = app->genpat;
    EXPECT_EQ(dialog->genpatchProgram(), QStringLiteral(GENPATCH_PATH));
    // The editor's folder holds genpatch; the fields name files in the game folder.
    dialog->Edit1->setText(temp.filePath(QStringLiteral("WAR2.EXE")));
    dialog->Edit2->setText(temp.filePath(QStringLiteral("ZORBELED.EXE")));
    dialog->Edit3->setText(temp.filePath(QStringLiteral("TEST.PAT")));
    dialog->Button4Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->statusBar()->currentMessage().isEmpty(); }, 10000))
        << prompts.log.join(QLatin1Char('\n')).toStdString();
    const auto patch =
        readWholeFile(temp.filePath(QStringLiteral("TEST.PAT")).toStdString(), 1 << 26).value();
    EXPECT_EQ(ApplyPatch(patch, clean).value(), modified);
}

}  // namespace
}  // namespace zorbel
