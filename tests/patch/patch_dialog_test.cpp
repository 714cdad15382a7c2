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

using namespace Qt::StringLiterals;

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
            return {false, u"No such file or directory"_s};
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

TEST_F(PatchDialogTest, GenerateStartsGenpatchWithTheNamesBrowsedOrTypedAndReportsTheOutcome) {
    dialog->Edit3->setText(u"mine.pat"_s);
    prompts.modalActions.push_back([&](QDialog&) { click(dialog->Button5); });
    window->Generateapatch1Click();
    EXPECT_EQ(recording.starts, 0);
    EXPECT_EQ(dialog->Edit3->text(), u"mine.pat"_s) << "Cancel keeps the texts";
    dialog->Edit3->setText(u"TEST.PAT"_s);
    prompts.modalActions.push_back([&](QDialog&) { click(dialog->Button4); });
    trigger("Generateapatch1");
    EXPECT_EQ(recording.arguments, (QStringList{u"WAR2.EXE"_s, u"ZORBELED.EXE"_s, u"TEST.PAT"_s}));
    EXPECT_FALSE(dialog->isVisible());

    // The outcome reaches the user: the status bar, or the error box.
    recording.finished(0, {});
    EXPECT_EQ(window->statusBar()->currentMessage(), u"Patch written: TEST.PAT"_s);
    recording.finished(-1, u"genpatch: cannot read \"WAR2.EXE\": No such file or directory"_s);
    EXPECT_EQ(prompts.take().last(),
              u"message error|Zorbel|genpatch: cannot read \"WAR2.EXE\": No such file or directory"_s);

    // A genpatch that cannot start is reported, and the dialog stays open.
    recording.refuse = true;
    prompts.modalActions.push_back([&](QDialog&) {
        click(dialog->Button4);
        EXPECT_TRUE(dialog->isVisible());
    });
    window->Generateapatch1Click();
    const QString last = prompts.take().last();
    EXPECT_TRUE(last.startsWith(u"message error|Zorbel|Cannot start \""_s)) << last.toStdString();
    EXPECT_TRUE(last.endsWith(u"No such file or directory"_s));

    // Browse opens at the game directory; genpatch stays the one beside the editor.
    const QString before = dialog->genpatchProgram();
    const QString other = temp.filePath(u"other"_s);
    QDir().mkpath(other + u"/DATA"_s);
    writeFile(other + u"/DATA/MAINDAT.WAR"_s, {});
    prompts.fileAnswers.push_back(other + u"/WAR2.EXE"_s);
    window->ChooseWarcraftDirectory1Click();
    prompts.take();
    prompts.fileAnswers = {u"/x/clean.exe"_s, u"/x/new.pat"_s, u"/x/mod.exe"_s};
    dialog->Button1Click();
    dialog->Edit3Change();
    dialog->Button2Click();
    const QStringList asked = prompts.take();
    ASSERT_EQ(asked.size(), 3);
    EXPECT_TRUE(asked[0].startsWith(u"open Select a clean"_s) && asked[0].endsWith(u"(*.exe)|"_s + other));
    EXPECT_TRUE(asked[1].startsWith(u"save "_s) &&
                asked[1].endsWith(u"(*.pat)|"_s + other + u"|asks before replacing"_s));
    EXPECT_EQ((QStringList{dialog->Edit1->text(), dialog->Edit3->text(), dialog->Edit2->text()}),
              (QStringList{u"/x/clean.exe"_s, u"/x/new.pat"_s, u"/x/mod.exe"_s}));
    EXPECT_EQ(dialog->genpatchProgram(), before);
}

// The real genpatch, started from the dialog, writes a patch that applies.
using PatchDialogEndToEnd = testsupport::AppFixture;

TEST_F(PatchDialogEndToEnd, RealGenpatchWritesAPatchThatApplies) {
    const auto clean = gamekit::buildGameExe(1).bytes;
    auto modified = clean;
    modified[0xC0000] ^= 0x55;
    writeFile(temp.filePath(u"WAR2.EXE"_s), clean);
    writeFile(temp.filePath(u"ZORBELED.EXE"_s), modified);
    // Started from the folder that holds genpatch, as a user starts the editor beside it.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QFileInfo(QStringLiteral(GENPATCH_PATH)).absolutePath());
    start(QString());
    QDir::setCurrent(previous);
    Tgenpat* dialog = app->genpat;
    EXPECT_EQ(dialog->genpatchProgram(), QStringLiteral(GENPATCH_PATH));
    // The editor's folder holds genpatch; the fields name files in the game folder.
    dialog->Edit1->setText(temp.filePath(u"WAR2.EXE"_s));
    dialog->Edit2->setText(temp.filePath(u"ZORBELED.EXE"_s));
    dialog->Edit3->setText(temp.filePath(u"TEST.PAT"_s));
    dialog->Button4Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->statusBar()->currentMessage().isEmpty(); }, 10000))
        << prompts.log.join(QLatin1Char('\n')).toStdString();
    const auto patch = readWholeFile(temp.filePath(u"TEST.PAT"_s).toStdString(), 1 << 26).value();
    EXPECT_EQ(ApplyPatch(patch, clean).value(), modified);
}

}  // namespace
}  // namespace zorbel
