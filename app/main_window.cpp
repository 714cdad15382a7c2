#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

#include "app/about_box.h"
#include "app/game_version_window.h"
#include "app/hints.h"
#include "app/pictures.h"
#include "base/crc32.h"
#include "base/path_match.h"
#include "base/user_error.h"
#include "exe/exe_file.h"
#include "exe/file_commands.h"
#include "graphics/compress_form.h"
#include "graphics/icon_chooser.h"
#include "pages/commands/commands_page.h"
#include "pages/maps/maps_page.h"
#include "pages/sounds/sound_page.h"
#include "pages/spells/spell_page.h"
#include "pages/units/units_page.h"
#include "panels/changes_panel.h"
#include "panels/find_panel.h"
#include "panels/problems_panel.h"
#include "patch/patch_dialog.h"
#include "tables/row_names.h"
#include "tables/table_export.h"
#include "tables/table_patch.h"
#include "text/name_lists.h"
#include "text/string_table.h"
#include "ui/handler.h"
#include "ui_main_window.h"

namespace zorbel {

namespace {

// The Changes panel's width beside the pages, at start.
constexpr int kChangesWidth = 330;

const QString kExeFilter = QStringLiteral("WarCraft II EXE (*.exe)");
const QString kLoadingStringsFailed = QStringLiteral("ERROR Loading strings");
const QString kPatchFilter = QStringLiteral("Table patch (*.ztp)");

// A table patch is text of a line per field; a larger file is no patch.
constexpr std::uint64_t kMaxPatchSize = 64ull << 20;

// "1 field", "2 fields": a count and its noun, an s added past one.
QString counted(std::size_t n, QStringView noun) {
    return QStringLiteral("%1 %2%3").arg(n).arg(noun, n == 1 ? QString() : QStringLiteral("s"));
}

template <class Page>
Page* placePage(QWidget* tab) {
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* page = new Page(tab);
    layout->addWidget(page);
    return page;
}

std::vector<std::string> unitRows(const std::vector<std::string>* strings) {
    const auto rows = UnitListRows(strings);
    return {rows.begin(), rows.end()};
}

// Ctrl+Z and its kin belong to the editor's history, also while a field
// has the focus: a line edit would otherwise undo its own text.
class UndoKeys : public QObject {
  public:
    explicit UndoKeys(QWidget* window) : QObject(window), window_(window) { qApp->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride && qobject_cast<QLineEdit*>(watched) != nullptr &&
            static_cast<QWidget*>(watched)->window() == window_) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) {
                return true;  // not taken by the field, so the window's shortcut runs
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QWidget* window_;
};

}  // namespace

// What the file commands of the model ask of the window.
class TSDIAppForm::FileHost : public FileCommandHost {
  public:
    explicit FileHost(TSDIAppForm& window) : w_(window) {}

    std::optional<std::string> chooseOpenPath(const std::string& initialDir) override {
        if (auto given = std::exchange(w_.given_, std::nullopt)) {
            return given->toStdString();
        }
        return toStd(w_.prompts_.openFileName({{}, kExeFilter, QString::fromStdString(initialDir)}));
    }
    std::optional<std::string> chooseSavePath(const std::string& initialDir) override {
        return toStd(w_.prompts_.saveFileName({{}, kExeFilter, QString::fromStdString(initialDir)}));
    }
    void showPlainMessage(const std::string& text) override {
        w_.prompts_.message(MessageStyle::Plain, kAppTitle, QString::fromStdString(text));
    }
    void showErrorMessage(const std::string& text) override {
        w_.prompts_.message(MessageStyle::Error, kAppTitle, QString::fromStdString(text));
    }
    void setCaption(const std::string& caption) override {
        w_.baseCaption_ = QString::fromStdString(caption);
        w_.updateCaption();
    }
    void refreshPages() override {
        w_.fileOpened();
        w_.refreshPages();
    }

  private:
    static std::optional<std::string> toStd(const std::optional<QString>& path) {
        if (!path) {
            return std::nullopt;
        }
        return path->toStdString();
    }
    TSDIAppForm& w_;
};

TSDIAppForm::TSDIAppForm(Prompts& prompts, SettingsStore& settings, AudioOutput& audio,
                         const QString& startFile, QWidget* parent)
    : QMainWindow(parent),
      ui_(std::make_unique<Ui::TSDIAppForm>()),
      prompts_(prompts),
      gameDir_(prompts, settings),
      archive_(prompts, [this] { return gameDir_.dir(); }),
      fileHost_(std::make_unique<FileHost>(*this)),
      context_{image_, WriteBackEnabled, prompts, archive_, audio, strings_},
      settings_(settings) {
    ui_->setupUi(this);
    baseCaption_ = QString::fromLatin1(kEditorCaption);
    setWindowIcon(pictures::appIcon());
    ui_->OpenBtn->setIcon(pictures::openIcon());
    ui_->SaveBtn->setIcon(pictures::saveIcon());
    ui_->ExitBtn->setIcon(pictures::exitIcon());
    ui_->UndoBtn->setIcon(pictures::undoIcon());
    ui_->RedoBtn->setIcon(pictures::redoIcon());
    ui_->UndoItem->setShortcuts(QKeySequence::Undo);
    ui_->RedoItem->setShortcuts(QKeySequence::Redo);
    ui_->FindItem->setShortcuts(QKeySequence::Find);
    new UndoKeys(this);
    for (QAction* button : {ui_->OpenBtn, ui_->SaveBtn, ui_->ExitBtn, ui_->UndoBtn, ui_->RedoBtn}) {
        if (QWidget* widget = ui_->SpeedPanel->widgetForAction(button)) {
            widget->setObjectName(button->objectName());
            widget->setAccessibleName(button->text());
        }
    }
    image_.setChangeListener([this] {
        updateCaption();
        updateHistoryActions();
        updateFileActions();
        updateChanges(false);
        updateProblems(false);
    });
    connect(ui_->TabbedNotebook1, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(stale_.size()) &&
            stale_[static_cast<std::size_t>(index)]) {
            stale_[static_cast<std::size_t>(index)] = false;
            runHandler(prompts_, [this, index] { reloadPage(index); });
        }
    });
    createPages();
    createChangesPanel();
    createProblemsPanel();
    connectHandlers();
    // The pages keep their designed size; the window grows around them.
    const int pagesHeight = 399 - ui_->SpeedPanel->sizeHint().height() - ui_->StatusBar->sizeHint().height();
    ui_->TabbedNotebook1->setFixedSize(496, pagesHeight);
    ui_->centralLayout->setAlignment(ui_->TabbedNotebook1, Qt::AlignLeft | Qt::AlignTop);
    resize(496 + kChangesWidth, 399 + ui_->MainMenu->sizeHint().height());
    resizeDocks({changes_}, {kChangesWidth}, Qt::Horizontal);
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    FormCreate(startFile);
}

TSDIAppForm::~TSDIAppForm() {
    image_.setChangeListener({});
}

void TSDIAppForm::FormCreate(const QString& startFile) {
    LabelSyncEnabled = true;
    image_.release();
    new HintRouter(this, ui_->StatusBar);
    gameDir_.settle(startFile.isEmpty() ? QString() : QFileInfo(startFile).absolutePath());
}

void TSDIAppForm::createPages() {
    unitsPage_ = placePage<UnitsPage>(ui_->UnitsPage);
    soundPage_ = placePage<SoundPage>(ui_->SoundPage);
    commandsPage_ = placePage<CommandsPage>(ui_->CommandsPage);
    spellPage_ = placePage<SpellPage>(ui_->SpellPage);
    mapsPage_ = placePage<MapsPage>(ui_->MapsPage);
    spellPage_->attach(context_);
    commandsPage_->attach(context_, LabelSyncEnabled);
    unitsPage_->attach(context_, [this](const QString& sound) {
        ui_->TabbedNotebook1->setCurrentIndex(1);
        soundPage_->goToSound(sound);
    });
    soundPage_->attach(context_);
    unitsPage_->setUnitRows(unitRows(nullptr));
}

void TSDIAppForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        runHandler(prompts_, [this] { FormShow(); });
    }
}

void TSDIAppForm::FormShow() {
    soundPage_->fillList();

    if (iconChooser_ != nullptr) {
        iconChooser_->Button1Click(archive_, compressForm_);
    }

    const auto entry = archive_.ExtractWarEntry(1, QStringLiteral("strdat.war"));
    if (archive_.LastEntrySize < 1 || !entry) {
        prompts_.message(MessageStyle::Plain, kAppTitle, kLoadingStringsFailed);
        return;
    }
    strings_ = ParseStringTable(*entry);
    unitsPage_->setNameList(strings_);
    const auto units = unitRows(&strings_);
    unitsPage_->setUnitRows(units);
    commandsPage_->setNames(units, strings_);
    updateProblems(true);
}

void TSDIAppForm::connectHandlers() {
    auto on = [this](QAction* action, void (TSDIAppForm::*handler)()) {
        connect(action, &QAction::triggered, this,
                guarded(prompts_, [this, handler] { (this->*handler)(); }));
    };
    on(ui_->OpenItem, &TSDIAppForm::OpenItemClick);
    on(ui_->OpenBtn, &TSDIAppForm::OpenItemClick);
    on(ui_->SaveItem, &TSDIAppForm::SaveItemClick);
    on(ui_->SaveBtn, &TSDIAppForm::SaveItemClick);
    on(ui_->SaveAs1, &TSDIAppForm::SaveAs1Click);
    on(ui_->Close1, &TSDIAppForm::Close1Click);
    on(ui_->ChooseWarcraftDirectory1, &TSDIAppForm::ChooseWarcraftDirectory1Click);
    on(ui_->ExitItem, &TSDIAppForm::ExitItemClick);
    on(ui_->ExitBtn, &TSDIAppForm::ExitItemClick);
    on(ui_->About1, &TSDIAppForm::About1Click);
    on(ui_->GameVersion1, &TSDIAppForm::GameVersion1Click);
    on(ui_->Generateapatch1, &TSDIAppForm::Generateapatch1Click);
    on(ui_->UndoItem, &TSDIAppForm::UndoItemClick);
    on(ui_->UndoBtn, &TSDIAppForm::UndoItemClick);
    on(ui_->RedoItem, &TSDIAppForm::RedoItemClick);
    on(ui_->RedoBtn, &TSDIAppForm::RedoItemClick);
    on(ui_->CompareWithItem, &TSDIAppForm::CompareWithItemClick);
    on(ui_->ExportChangesItem, &TSDIAppForm::ExportChangesItemClick);
    on(ui_->ImportChangesItem, &TSDIAppForm::ImportChangesItemClick);
    on(ui_->ExportTablesJsonItem, &TSDIAppForm::ExportTablesJsonItemClick);
    on(ui_->ExportTablesCsvItem, &TSDIAppForm::ExportTablesCsvItemClick);
    on(ui_->ImportTablesItem, &TSDIAppForm::ImportTablesItemClick);
    updateHistoryActions();
    updateFileActions();
}

void TSDIAppForm::setDialogs(TAboutBox* about, Tgver* version, Tgenpat* patch, Tchicon* icons,
                             TCompressForm* progress, Tsobj* objectives) {
    aboutBox_ = about;
    gameVersion_ = version;
    patchDialog_ = patch;
    iconChooser_ = icons;
    compressForm_ = progress;
    commandsPage_->setIconChooser(icons);
    unitsPage_->setIconChooser(icons);
    if (objectives != nullptr) {
        mapsPage_->attach(context_, *objectives);
    }
}

template <class Panel>
void TSDIAppForm::dockPanel(Panel* panel, QDockWidget* beside, const char* item, const char* tip,
                            QAction* before) {
    addDockWidget(Qt::RightDockWidgetArea, panel);
    if (beside != nullptr) {
        tabifyDockWidget(beside, panel);
        changes_->raise();
    }
    QAction* toggle = panel->toggleViewAction();
    toggle->setObjectName(QLatin1String(item));
    toggle->setStatusTip(QLatin1String(tip));
    ui_->ViewMenu->insertAction(before, toggle);
    connect(panel, &Panel::jump, this,
            [this](const StepKey& key) { runHandler(prompts_, [this, &key] { showStep(key); }); });
}

void TSDIAppForm::createChangesPanel() {
    changes_ = new ChangesPanel(this);
    dockPanel(changes_, nullptr, "ChangesItem",
              "Show or hide the fields changed against the clean executable", ui_->ChangedOnlyItem);
    changeCount_ = new QLabel(ui_->StatusBar);
    changeCount_->setObjectName(QStringLiteral("ChangeCount"));
    ui_->StatusBar->addPermanentWidget(changeCount_);
    connect(changes_, &ChangesPanel::revert, this,
            [this](RevertScope scope) { runHandler(prompts_, [this, scope] { revertChanges(scope); }); });

    find_ = new FindPanel(this);
    dockPanel(find_, changes_, "FindPanelItem", "Show or hide what Find found", ui_->ChangedOnlyItem);
    ui_->ViewMenu->insertSeparator(ui_->ChangedOnlyItem);
    connect(find_, &FindPanel::search, this, [this](const QString& query) {
        runHandler(prompts_, [this, &query] {
            const std::vector<std::string>* names = gameNames();
            find_->showResults(
                image_.held() ? FindInTables(image_, query.toStdString(), names) : std::vector<FoundField>{},
                names);
        });
    });
    connect(ui_->FindItem, &QAction::triggered, find_, &FindPanel::focusQuery);
    connect(ui_->ChangedOnlyItem, &QAction::toggled, this, [this](bool on) {
        for (int k = 0; k < ui_->TabbedNotebook1->count(); ++k) {
            pageAt(k).setChangedOnly(on);
        }
    });
}

void TSDIAppForm::createProblemsPanel() {
    problemsPanel_ = new ProblemsPanel(this);
    // Next to Find's item.
    const QList<QAction*> view = ui_->ViewMenu->actions();
    dockPanel(problemsPanel_, find_, "ProblemsItem", "Show or hide the values the game may not survive",
              view.value(view.indexOf(find_->toggleViewAction()) + 1));
    problemCount_ = new QLabel(ui_->StatusBar);
    problemCount_->setObjectName(QStringLiteral("ProblemCount"));
    problemCount_->setContentsMargins(8, 0, 2, 0);  // apart from the changes' count
    ui_->StatusBar->addPermanentWidget(problemCount_);
    connect(problemsPanel_, &ProblemsPanel::ignore, this, [this](const std::string& key, bool ignored) {
        runHandler(prompts_, [this, &key, ignored] { setIgnored(key, ignored); });
    });
}

std::optional<std::size_t> TSDIAppForm::iconFrames() {
    if (framesDir_ == GameDir()) {
        return iconFrames_;
    }
    framesDir_ = GameDir();
    // Missing data is no error here: the checks of icon numbers are left out.
    iconFrames_ = IconSpriteFrames(GameDir().toStdString());
    return iconFrames_;
}

void TSDIAppForm::updateProblems(bool always) {
    if (problemsPanel_ == nullptr || (!always && image_.revision() == checkedRevision_)) {
        return;
    }
    checkedRevision_ = image_.revision();
    const std::optional<std::size_t> frames = image_.held() ? iconFrames() : std::nullopt;
    problems_ = CheckTables(image_, {gameNames(), frames});
    showProblems();
}

void TSDIAppForm::showProblems() {
    problemsPanel_->showProblems(problems_, ignored_);
    std::array<std::size_t, 3> counts{};
    for (const Problem& p : problems_) {
        if (!ignored_.contains(p.key())) {
            ++counts.at(static_cast<std::size_t>(p.severity));
        }
    }
    QStringList parts;
    for (const Severity s : {Severity::Error, Severity::Warning, Severity::Note}) {
        if (const std::size_t n = counts.at(static_cast<std::size_t>(s)); n > 0) {
            parts << counted(n, QString::fromLatin1(SeverityName(s)));
        }
    }
    problemCount_->setText(parts.join(QStringLiteral(", ")));
}

void TSDIAppForm::fileOpened() {
    // A cancelled or failed open leaves the file before, and its ignores.
    if (!image_.held()) {
        fileCrc_.reset();
        ignored_.clear();
    } else if (!image_.modified()) {
        fileCrc_ = Crc32(image_.bytes());
        ignored_.clear();
        for (const QString& key : settings_.ignoredProblems(*fileCrc_)) {
            ignored_.insert(key.toStdString());
        }
    }
    if (problemsPanel_ != nullptr) {
        showProblems();
    }
}

void TSDIAppForm::setIgnored(const std::string& key, bool ignored) {
    if (!fileCrc_) {
        return;
    }
    if (ignored) {
        ignored_.insert(key);
    } else {
        ignored_.erase(key);
    }
    QStringList keys;
    for (const std::string& k : ignored_) {
        keys << QString::fromStdString(k);
    }
    settings_.setIgnoredProblems(*fileCrc_, keys);
    showProblems();
}

bool TSDIAppForm::confirmSaveWithErrors() {
    updateProblems(false);
    QStringList errors;
    for (const Problem& p : problems_) {
        if (p.severity == Severity::Error && !ignored_.contains(p.key())) {
            errors << QString::fromStdString(p.text);
        }
    }
    if (errors.isEmpty()) {
        return true;
    }
    constexpr qsizetype kListed = 5;
    QString name = QString::fromStdString(fileNamePart(image_.fileName()));
    if (name.isEmpty()) {
        name = QStringLiteral("The executable");
    }
    QString text = QStringLiteral("%1 has %2 the game may not survive:\n")
                       .arg(name, errors.size() == 1 ? QStringLiteral("1 error")
                                                     : QStringLiteral("%1 errors").arg(errors.size()));
    for (const QString& e : errors.first(std::min(kListed, errors.size()))) {
        text += QLatin1Char('\n') + e;
    }
    if (errors.size() > kListed) {
        text += QStringLiteral("\n\u2026 and %1 more in the Problems panel").arg(errors.size() - kListed);
    }
    return prompts_.askSaveWithErrors(text + QStringLiteral("\n\nSave it all the same?"));
}

bool TSDIAppForm::save(bool as) {
    if (image_.held() && !confirmSaveWithErrors()) {
        return false;
    }
    const bool saved = as ? SaveExecutableAs(image_, *fileHost_, GameDir().toStdString())
                          : SaveExecutable(image_, *fileHost_, GameDir().toStdString());
    if (!saved) {
        return false;
    }
    // The ignores go with the bytes: the saved file's CRC takes them over,
    // and the old one keeps its own, for any other copy of the file as it was.
    const std::uint32_t crc = Crc32(image_.bytes());
    if (fileCrc_ && *fileCrc_ != crc) {
        QStringList keys = settings_.ignoredProblems(crc);
        for (const std::string& k : ignored_) {
            if (!keys.contains(QString::fromStdString(k))) {
                keys << QString::fromStdString(k);
            }
        }
        settings_.setIgnoredProblems(crc, keys);
    }
    fileOpened();
    return true;
}

void TSDIAppForm::takeDefaultReference() {
    if (reference_.held() || !image_.held() || GameDir().isEmpty()) {
        return;
    }
    const auto path = findPathIgnoringCase(GameDir().toStdString(), {"WAR2.EXE"});
    if (!path) {
        return;
    }
    auto bytes = readWholeFile(path->string(), kMaxExecutableSize);
    if (!bytes) {
        return;
    }
    const std::int32_t build = DetectGameVersion(bytes.value());
    if (build != kNoGame) {
        referencePath_ = QString::fromStdString(path->string());
        reference_.hold(std::move(bytes).value(), build, path->string());
    }
}

void TSDIAppForm::compareWith(const QString& path) {
    auto bytes = readWholeFile(path.toStdString(), kMaxExecutableSize);
    if (!bytes) {
        throw UserError("Cannot compare with \"" + path.toStdString() + "\": " + bytes.error());
    }
    const std::int32_t build = DetectGameVersion(bytes.value());
    if (build == kNoGame) {
        throw UserError(
            "Cannot compare with \"" + path.toStdString() +
            "\": it is no known build of WarCraft II; the changes are still listed against " +
            (referencePath_.isEmpty() ? std::string("nothing") : fileNamePart(referencePath_.toStdString())));
    }
    // The reference is read once; comparing again with it says whether it changed since.
    const bool again = QFileInfo(path) == QFileInfo(referencePath_);
    const bool moved = again && !std::equal(bytes.value().begin(), bytes.value().end(),
                                            reference_.bytes().begin(), reference_.bytes().end());
    referencePath_ = QFileInfo(path).absoluteFilePath();
    reference_.hold(std::move(bytes).value(), build, referencePath_.toStdString());
    updateChanges();
    if (moved) {
        ui_->StatusBar->showMessage(
            QStringLiteral("%1 changed on disk since it was read; now compared as it is")
                .arg(QFileInfo(path).fileName()));
    }
}

void TSDIAppForm::CompareWithItemClick() {
    FileDialogRequest request(QStringLiteral("Select a clean copy of WarCraft II to compare with"),
                              QStringLiteral("(War2 exe) (*.exe)"), GameDir());
    if (auto path = prompts_.openFileName(request)) {
        compareWith(*path);
    }
}

QString TSDIAppForm::patchDir() const {
    return QFileInfo(QString::fromStdString(image_.fileName())).absolutePath();
}

void TSDIAppForm::ExportChangesItemClick() {
    if (!reference_.held()) {
        prompts_.message(MessageStyle::Warning, kAppTitle,
                         QStringLiteral("There is no clean executable to compare with, so no changes to "
                                        "export. Choose one with File, Compare With..."));
        return;
    }
    FileDialogRequest request(QStringLiteral("Export the changes as a table patch"), kPatchFilter,
                              patchDir());
    request.confirmOverwrite = true;
    request.defaultSuffix = QStringLiteral("ztp");
    const auto path = prompts_.saveFileName(request);
    if (!path) {
        return;
    }
    const TablePatch patch = MakeTablePatch(reference_, comparison_);
    const std::string text = WriteTablePatch(patch, gameNames());
    writeText(*path, text);
    // Pointers not comparable across builds and bytes outside the tables have no place in a patch.
    const std::size_t left = comparison_.fields.size() - patch.entries.size() + comparison_.outside.size();
    ui_->StatusBar->showMessage(
        QStringLiteral("%1 exported to %2")
            .arg(counted(patch.entries.size(), u"field"), QFileInfo(*path).fileName()) +
        (left == 0 ? QString()
                   : QStringLiteral("; %1 cannot be in a table patch").arg(counted(left, u"other change"))));
}

void TSDIAppForm::ImportChangesItemClick() {
    FileDialogRequest request(QStringLiteral("Import the changes of a table patch"),
                              kPatchFilter + QStringLiteral(";;All files (*)"), patchDir());
    if (const auto path = prompts_.openFileName(request)) {
        importChanges(*path);
    }
}

std::string TSDIAppForm::readText(const QString& path) const {
    const auto bytes = readWholeFile(path.toStdString(), kMaxPatchSize);
    if (!bytes) {
        throw UserError("Cannot import \"" + path.toStdString() + "\": " + bytes.error());
    }
    return {bytes.value().begin(), bytes.value().end()};
}

void TSDIAppForm::writeText(const QString& path, const std::string& text) const {
    const std::string file = path.toStdString();
    if (isProtectedSaveName(file) || SameFile(file, image_.fileName())) {
        throw UserError("Will not write over \"" + file + "\": choose another name");
    }
    const Status saved =
        writeFileReplacing(file, ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    if (!saved) {
        throw UserError("Cannot write \"" + file + "\": " + saved.error());
    }
}

void TSDIAppForm::importChanges(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const auto patch = ReadTablePatch(readText(path), name.toStdString());
    if (!patch) {
        throw UserError(patch.error());
    }
    applyTablePatch(patch.value(), name);
}

void TSDIAppForm::ExportTablesJsonItemClick() {
    FileDialogRequest request(QStringLiteral("Export every table as JSON"), QStringLiteral("JSON (*.json)"),
                              patchDir());
    request.confirmOverwrite = true;
    request.defaultSuffix = QStringLiteral("json");
    if (const auto path = prompts_.saveFileName(request)) {
        writeText(*path, WriteTablesJson(image_, gameNames()));
        ui_->StatusBar->showMessage(
            QStringLiteral("Every table exported to %1").arg(QFileInfo(*path).fileName()));
    }
}

void TSDIAppForm::ExportTablesCsvItemClick() {
    FileDialogRequest request(QStringLiteral("Choose a folder for the tables' CSV files"), {}, patchDir());
    request.chooseFolder = true;
    const auto dir = prompts_.openFileName(request);
    if (!dir) {
        return;
    }
    const auto files = WriteTableCsvs(image_, gameNames());
    for (const NamedText& f : files) {
        writeText(QDir(*dir).filePath(QString::fromStdString(f.name)), f.text);
    }
    ui_->StatusBar->showMessage(
        QStringLiteral("%1 tables exported to %2 as CSV files").arg(files.size()).arg(QDir(*dir).dirName()));
}

void TSDIAppForm::ImportTablesItemClick() {
    FileDialogRequest request(QStringLiteral("Import tables from JSON or CSV"),
                              QStringLiteral("Tables (*.json *.csv);;All files (*)"), patchDir());
    if (const auto path = prompts_.openFileName(request)) {
        importTables(*path);
    }
}

void TSDIAppForm::importTables(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const std::string text = readText(path);
    const auto read = name.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)
                          ? ReadTableCsv(text, name.toStdString(), image_.GameVersion())
                          : ReadTablesJson(text, name.toStdString(), image_.GameVersion());
    if (!read) {
        throw UserError(read.error());
    }
    applyTablePatch(read.value(), name);
}

void TSDIAppForm::applyTablePatch(const TablePatch& patch, const QString& name) {
    const std::vector<std::string>* names = gameNames();
    const PatchPlan plan = PlanTablePatch(image_, patch);
    bool take = false;
    if (!plan.conflicts.empty()) {
        QString text = QStringLiteral(
                           "%1 was made against other values of these fields of %2. Take the "
                           "patch's values, or keep the current ones and set only its other "
                           "fields?\n")
                           .arg(name, QString::fromStdString(fileNamePart(image_.fileName())));
        for (const PatchConflict& c : plan.conflicts) {
            text += QLatin1Char('\n') + QString::fromStdString(ConflictText(c, names));
        }
        switch (prompts_.askPatchConflicts(text)) {
            case PatchConflictAnswer::Cancel:
                return;
            case PatchConflictAnswer::TakePatch:
                take = true;
                break;
            case PatchConflictAnswer::KeepCurrent:
                break;
        }
    }
    std::size_t set = 0;
    if (!plan.apply.empty() || take) {
        set = ApplyTablePatch(image_, plan, take, "Import " + name.toStdString());
        image_.history().seal();
        showStep(StepKey{});
    }
    QString status = set == 0 ? QStringLiteral("Nothing changed by %1").arg(name)
                              : QStringLiteral("%1 set from %2").arg(counted(set, u"field"), name);
    if (plan.unchanged > 0) {
        status += QStringLiteral(", %1 already set").arg(plan.unchanged);
    }
    if (!take && !plan.conflicts.empty()) {
        status += QStringLiteral(", %1 kept as they were").arg(plan.conflicts.size());
    }
    ui_->StatusBar->showMessage(status);
    if (!plan.refused.empty()) {
        QString text = QStringLiteral("These fields of %1 were not applied:\n").arg(name);
        for (const PatchRefusal& r : plan.refused) {
            text += QLatin1Char('\n') + QString::fromStdString(RefusedText(r, names));
        }
        prompts_.message(MessageStyle::Warning, kAppTitle, text);
    }
}

void TSDIAppForm::updateChanges(bool always) {
    if (changes_ == nullptr) {
        return;
    }
    // The listener also hears history changes that write no byte: a sealed
    // step, a row loaded. The comparison follows the bytes only.
    const std::pair revisions{image_.revision(), reference_.revision()};
    if (!always && revisions == comparedRevisions_) {
        return;
    }
    comparedRevisions_ = revisions;
    const bool comparing = reference_.held() && image_.held();
    comparison_ = comparing ? CompareImages(reference_, image_) : Comparison{};
    const std::vector<std::string>* names = gameNames();
    const QString referenceName = reference_.held() ? QFileInfo(referencePath_).fileName() : QString();
    changes_->showComparison(comparison_, names, referenceName);
    marks_ = ChangeMarks::Of(comparison_, referenceName);
    for (int k = 0; k < ui_->TabbedNotebook1->count(); ++k) {
        pageAt(k).setMarks(comparing ? &marks_ : nullptr);
    }
    if (!comparing) {
        changeCount_->clear();
        return;
    }
    const std::size_t n = comparison_.changedFields();
    QString text = counted(n, u"field") + QStringLiteral(" changed");
    if (!comparison_.outside.empty()) {
        text += QStringLiteral(", %1 outside the tables").arg(comparison_.outside.size());
    }
    changeCount_->setText(text);
}

void TSDIAppForm::revertChanges(RevertScope scope) {
    const Comparison chosen = changes_->selection(scope);
    if (chosen.fields.empty() && chosen.outside.empty()) {
        return;
    }
    std::string label = "Revert";
    const std::vector<std::string>* names = gameNames();
    if (chosen.fields.size() == 1 && chosen.outside.empty()) {
        const FieldChange& c = chosen.fields.front();
        label += " " + StepLabel(*c.field, RowName(c.field->table, c.row, names));
    } else if (scope == RevertScope::All) {
        label += " All";
    } else {
        label += " " + std::to_string(chosen.fields.size() + chosen.outside.size()) + " changes";
    }
    RevertChanges(image_, reference_, chosen.fields, chosen.outside, label);
    image_.history().seal();
    showStep(chosen.fields.size() == 1 ? FieldKey(*chosen.fields.front().field, chosen.fields.front().row)
                                       : StepKey{});
}

void TSDIAppForm::refreshPages() {
    takeDefaultReference();
    updateChanges();
    stale_.fill(false);
    // The Open command's order: commands, spells, sounds, units.
    commandsPage_->refresh();
    spellPage_->refresh();
    soundPage_->refresh();
    unitsPage_->refresh();
}

void TSDIAppForm::RandomSoundClick() {
    soundPage_->PlaySoundEntry(QStringLiteral("SFXDAT.SUD"), NextRandomSoundEntry(random_));
}

void TSDIAppForm::updateCaption() {
    setWindowTitle((image_.modified() ? QStringLiteral("*") : QString()) + baseCaption_);
}

void TSDIAppForm::updateHistoryActions() {
    // "&" in a row name is text, not a mnemonic.
    auto named = [](const QString& verb, const EditStep* step) {
        return step == nullptr
                   ? verb
                   : verb + QLatin1Char(' ') +
                         QString::fromStdString(step->label).replace(QLatin1Char('&'), QStringLiteral("&&"));
    };
    const EditStep* undo = image_.history().nextUndo();
    const EditStep* redo = image_.history().nextRedo();
    ui_->UndoItem->setText(named(QStringLiteral("&Undo"), undo));
    ui_->RedoItem->setText(named(QStringLiteral("&Redo"), redo));
    ui_->UndoBtn->setToolTip(named(QStringLiteral("Undo"), undo));
    ui_->RedoBtn->setToolTip(named(QStringLiteral("Redo"), redo));
    for (QAction* action : {ui_->UndoItem, ui_->UndoBtn}) {
        action->setEnabled(undo != nullptr);
    }
    for (QAction* action : {ui_->RedoItem, ui_->RedoBtn}) {
        action->setEnabled(redo != nullptr);
    }
}

void TSDIAppForm::updateFileActions() {
    for (QAction* action : {ui_->ExportChangesItem, ui_->ImportChangesItem, ui_->ExportTablesJsonItem,
                            ui_->ExportTablesCsvItem, ui_->ImportTablesItem}) {
        action->setEnabled(image_.held());
    }
}

void TSDIAppForm::UndoItemClick() {
    if (auto key = image_.undo()) {
        showStep(*key);
    }
}

void TSDIAppForm::RedoItemClick() {
    if (auto key = image_.redo()) {
        showStep(*key);
    }
}

void TSDIAppForm::showStep(const StepKey& key) {
    const FieldDef* field = FieldOf(key);
    QTabWidget* pages = ui_->TabbedNotebook1;
    int index = pages->currentIndex();
    if (field != nullptr) {
        switch (field->table) {
            case TableId::Units:
            case TableId::UnitSounds:
            case TableId::CommandBars:
                index = 0;
                break;
            case TableId::Sounds:
                index = 1;
                break;
            case TableId::Actions:
                index = 2;
                break;
            case TableId::Buttons:
                index = 3;
                break;
            case TableId::Maps:
                index = 4;
                break;
        }
    }
    stale_.fill(true);
    stale_[static_cast<std::size_t>(index)] = false;
    pages->setCurrentIndex(index);
    if (field == nullptr) {
        reloadPage(index);
    } else {
        pageAt(index).showRow(key.row, field);
    }
}

ListPage& TSDIAppForm::pageAt(int index) {
    // In the notebook's order.
    const std::array<ListPage*, 5> pages = {unitsPage_, soundPage_, spellPage_, commandsPage_, mapsPage_};
    return *pages.at(static_cast<std::size_t>(index));
}

void TSDIAppForm::reloadPage(int index) {
    pageAt(index).reload();
}

bool TSDIAppForm::confirmUnsavedChanges() {
    if (!image_.modified()) {
        return true;
    }
    QString name = QString::fromStdString(fileNamePart(image_.fileName()));
    if (name.isEmpty()) {
        name = QStringLiteral("the unnamed executable");
    }
    switch (prompts_.askSaveChanges(name)) {
        case SaveChangesAnswer::Save:
            return save(false) && !image_.modified();
        case SaveChangesAnswer::Discard:
            return true;
        case SaveChangesAnswer::Cancel:
            break;
    }
    return false;
}

void TSDIAppForm::OpenItemClick() {
    if (confirmUnsavedChanges()) {
        OpenExecutable(image_, *fileHost_, GameDir().toStdString());
    }
}

void TSDIAppForm::openFile(const QString& path) {
    if (confirmUnsavedChanges()) {
        given_ = QFileInfo(path).absoluteFilePath();
        OpenExecutable(image_, *fileHost_, GameDir().toStdString());
        given_.reset();
    }
}

void TSDIAppForm::SaveItemClick() {
    save(false);
}

void TSDIAppForm::SaveAs1Click() {
    save(true);
}

void TSDIAppForm::Close1Click() {
    if (confirmUnsavedChanges()) {
        stale_.fill(false);
        CloseExecutable(image_, *fileHost_);
    }
}

void TSDIAppForm::ChooseWarcraftDirectory1Click() {
    gameDir_.choose();
    updateProblems(true);
}

void TSDIAppForm::ExitItemClick() {
    close();
}

void TSDIAppForm::closeEvent(QCloseEvent* event) {
    if (!closingConfirmed_ && !confirmUnsavedChanges()) {
        event->ignore();
        return;
    }
    closingConfirmed_ = true;
    QMainWindow::closeEvent(event);
}

void TSDIAppForm::About1Click() {
    if (aboutBox_ != nullptr) {
        prompts_.showModal(*aboutBox_);
    }
}

void TSDIAppForm::GameVersion1Click() {
    if (gameVersion_ != nullptr) {
        prompts_.showModal(*gameVersion_);
    }
}

void TSDIAppForm::Generateapatch1Click() {
    if (patchDialog_ != nullptr) {
        prompts_.showModal(*patchDialog_);
    }
}

}  // namespace zorbel
