#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/game_directory.h"
#include "app/settings_store.h"
#include "archive/archive_extractor.h"
#include "checks/table_checks.h"
#include "exe/exe_image.h"
#include "pages/sounds/sound_model.h"
#include "tables/compare.h"
#include "tables/table_patch.h"
#include "ui/change_marks.h"
#include "ui/page_context.h"
#include "ui/prompts.h"

class QLabel;

namespace Ui {
class TSDIAppForm;
}

namespace zorbel {

class ChangesPanel;
class FindPanel;
class ProblemsPanel;
class CommandsPage;
enum class RevertScope;
class ListPage;
class HintRouter;
class AudioOutput;
class MapsPage;
class SoundPage;
class Tsobj;
class SpellPage;
class UnitsPage;
class TAboutBox;
class Tchicon;
class TCompressForm;
class Tgver;
class Tgenpat;

// The editor's main window. It owns the one executable image and the
// program-wide state for the whole run.
class TSDIAppForm : public QMainWindow {
    Q_OBJECT

  public:
    // Creating the window settles the game directory, asking when needed;
    // startFile is the file the editor was started on, if any.
    TSDIAppForm(Prompts& prompts, SettingsStore& settings, AudioOutput& audio, const QString& startFile = {},
                QWidget* parent = nullptr);
    ~TSDIAppForm() override;

    Ui::TSDIAppForm& ui() { return *ui_; }
    ExeImage& image() { return image_; }
    const QString& GameDir() const { return gameDir_.dir(); }
    const QString& StartDir() const { return startDir_; }
    void setStartDir(const QString& dir) { startDir_ = dir; }
    Prompts& prompts() { return prompts_; }
    WarArchive& archive() { return archive_; }
    UnitsPage& unitsPage() { return *unitsPage_; }
    SoundPage& soundPage() { return *soundPage_; }
    SpellPage& spellPage() { return *spellPage_; }
    MapsPage& mapsPage() { return *mapsPage_; }
    // "NEVER CLICK HERE :)" of the About box: a sound effect drawn by the
    // run-time's generator.
    void RandomSoundClick();
    CommandsPage& commandsPage() { return *commandsPage_; }

    // Shared by the pages: see their load and write-back handlers.
    bool WriteBackEnabled = false;
    bool LabelSyncEnabled = true;

    void setDialogs(TAboutBox* about, Tgver* version, Tgenpat* patch, Tchicon* icons, TCompressForm* progress,
                    Tsobj* objectives);

    void OpenItemClick();
    // File, Open of a given file, as if it had been chosen in the dialog.
    void openFile(const QString& path);
    void SaveItemClick();
    void SaveAs1Click();
    void Close1Click();
    void ChooseWarcraftDirectory1Click();
    void ExitItemClick();
    void About1Click();
    void GameVersion1Click();
    void Generateapatch1Click();
    void UndoItemClick();
    void RedoItemClick();
    // File, Compare With...: another reference for the changes.
    void CompareWithItemClick();
    // Takes `path` as the reference; a file that cannot be read or is no
    // known build raises UserError, and the reference before is kept.
    void compareWith(const QString& path);
    // File, Export Changes...: the changes against the reference as a table patch.
    void ExportChangesItemClick();
    // File, Import Changes...: a table patch's fields set as one step.
    void ImportChangesItemClick();
    // Sets the fields of the table patch at `path`, asking first when some
    // hold values the patch was not made against; a file that cannot be
    // read or is no table patch raises UserError, and nothing is set.
    void importChanges(const QString& path);
    // File, Export Tables as JSON... and as CSV...: every table.
    void ExportTablesJsonItemClick();
    void ExportTablesCsvItemClick();
    // File, Import Tables...: the values of a JSON file or of one table's
    // CSV file that differ, set as one step; as importChanges otherwise.
    void ImportTablesItemClick();
    void importTables(const QString& path);

    const ExeImage& reference() const { return reference_; }
    const Comparison& comparison() const { return comparison_; }
    ChangesPanel& changesPanel() { return *changes_; }
    FindPanel& findPanel() { return *find_; }
    ProblemsPanel& problemsPanel() { return *problemsPanel_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    class FileHost;

    void FormCreate(const QString& startFile);
    // At the first show: the name lists from the game's strings.
    void FormShow();
    void createPages();
    void createChangesPanel();
    void createProblemsPanel();
    // Docks a panel on the right, tabbed with `beside` when given; its View
    // item, named `item`, goes before `before`. A jump it asks for shows the field.
    template <class Panel>
    void dockPanel(Panel* panel, QDockWidget* beside, const char* item, const char* tip, QAction* before);
    void connectHandlers();
    void refreshPages();
    // Asks before unsaved changes are dropped; false when the user cancels
    // or the save they asked for did not happen.
    bool confirmUnsavedChanges();
    void updateCaption();
    // The Edit menu's and the tool bar's undo and redo, after every change.
    void updateHistoryActions();
    // The File menu's items that need an open executable.
    void updateFileActions();
    // After an undo or a redo: the page of the step's field in front, its
    // row shown as the image now has it; the other pages load again when
    // they are next shown.
    void showStep(const StepKey& key);
    void reloadPage(int index);
    ListPage& pageAt(int index);
    // The changes against the reference, after every change of the image.
    // Compares the image with the reference again, and with `always` false
    // only when the bytes of either changed since the last comparison.
    void updateChanges(bool always = true);
    // The checks of the tables, after every change of the bytes; with
    // `always` false only when they changed since the last run.
    void updateProblems(bool always);
    // The problems in the panel and their count, the ignored ones left out.
    void showProblems();
    // After File, Open: the ignores of the file now open.
    void fileOpened();
    // Save (or Save As), asking first when errors are left; the ignores
    // carried over to the saved bytes. False when nothing was written.
    bool save(bool as);
    bool confirmSaveWithErrors();
    void setIgnored(const std::string& key, bool ignored);
    // The icon sprite's frame count, read once per game directory.
    std::optional<std::size_t> iconFrames();
    // The game directory's WAR2.EXE, when no reference is held yet.
    void takeDefaultReference();
    void revertChanges(RevertScope scope);
    // Where the patch dialogs start: beside the open executable.
    QString patchDir() const;
    // The game's strings to name rows with, or null before they are read.
    const std::vector<std::string>* gameNames() const { return strings_.empty() ? nullptr : &strings_; }
    // A patch or table file: read whole (64 MB at most), or written through
    // a temporary file, never over a WAR2.EXE or the open file. UserError
    // when that cannot be done.
    std::string readText(const QString& path) const;
    void writeText(const QString& path, const std::string& text) const;
    // A read patch applied as one step: conflicts asked about first, the
    // count in the status bar, refused fields listed.
    void applyTablePatch(const TablePatch& patch, const QString& name);

    std::unique_ptr<Ui::TSDIAppForm> ui_;
    Prompts& prompts_;
    GameDirectory gameDir_;
    WarArchive archive_;
    ExeImage image_;
    QString startDir_;
    QString baseCaption_;
    std::unique_ptr<FileHost> fileHost_;
    std::vector<std::string> strings_;
    PageContext context_;
    std::array<bool, 5> stale_{};
    RuntimeRandom random_;
    TAboutBox* aboutBox_ = nullptr;
    Tgver* gameVersion_ = nullptr;
    Tgenpat* patchDialog_ = nullptr;
    Tchicon* iconChooser_ = nullptr;
    TCompressForm* compressForm_ = nullptr;
    UnitsPage* unitsPage_ = nullptr;
    SoundPage* soundPage_ = nullptr;
    SpellPage* spellPage_ = nullptr;
    MapsPage* mapsPage_ = nullptr;
    CommandsPage* commandsPage_ = nullptr;
    ExeImage reference_;
    QString referencePath_;
    Comparison comparison_;
    ChangesPanel* changes_ = nullptr;
    FindPanel* find_ = nullptr;
    ChangeMarks marks_;
    std::pair<std::uint64_t, std::uint64_t> comparedRevisions_{~0ull, ~0ull};
    QLabel* changeCount_ = nullptr;
    SettingsStore& settings_;
    ProblemsPanel* problemsPanel_ = nullptr;
    std::vector<Problem> problems_;
    std::set<std::string> ignored_;         // the keys ignored in the open file
    std::optional<std::uint32_t> fileCrc_;  // of the open file as last opened or saved
    std::uint64_t checkedRevision_ = ~0ull;
    QLabel* problemCount_ = nullptr;
    std::optional<QString> framesDir_;  // the game directory iconFrames_ was read from
    std::optional<std::size_t> iconFrames_;
    std::optional<QString> given_;  // the open dialog's answer, when the file is given
    bool closingConfirmed_ = false;
    bool shown_ = false;
};

}  // namespace zorbel
