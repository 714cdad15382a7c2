#include "patch/patch_dialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "patch/launcher.h"
#include "ui/handler.h"
#include "ui/prompts.h"

namespace zorbel {

namespace {

#ifdef Q_OS_WIN
const QString kGenpatch = QStringLiteral("genpatch.exe");
#else
const QString kGenpatch = QStringLiteral("genpatch");
#endif

QLineEdit* field(QWidget* parent, const char* name, const QString& text, int y, const QString& label) {
    auto* caption = new QLabel(label, parent);
    caption->setGeometry(2, y + 4, 127, 16);
    // The captions were laid out for a narrower font: one that does not fit
    // its place is set a pixel smaller rather than cut.
    QFont font = caption->font();
    while (QFontMetrics(font).horizontalAdvance(label) > caption->width() &&
           QFontInfo(font).pixelSize() > 8) {
        font.setPixelSize(QFontInfo(font).pixelSize() - 1);
    }
    caption->setFont(font);
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(130, y, 241, 21);
    caption->setBuddy(edit);
    return edit;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, const QRect& place) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(place);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

Tgenpat::Tgenpat(Context context, QWidget* parent) : QDialog(parent, Qt::Tool), context_(std::move(context)) {
    setObjectName(QStringLiteral("genpat"));
    setWindowTitle(QStringLiteral("Create WAR2 EXE Patch"));
    setFixedSize(427, 143);
    Edit1 =
        field(this, "Edit1", QStringLiteral("WAR2.EXE"), 2, QStringLiteral("Clean (start) copy of war2: "));
    Button1 = button(this, "Button1", QStringLiteral("Browse"), QRect(374, 2, 51, 21));
    Edit2 = field(this, "Edit2", QStringLiteral("ZORBELED.EXE"), 38, QStringLiteral("Modified WAR2 EXE: "));
    Button2 = button(this, "Button2", QStringLiteral("Browse"), QRect(374, 38, 51, 21));
    Edit3 = field(this, "Edit3", QStringLiteral("TEST.PAT"), 76, QStringLiteral("Save Patch As: "));
    Button3 = button(this, "Button3", QStringLiteral("Browse"), QRect(376, 76, 49, 21));
    Button4 = button(this, "Button4", QStringLiteral("Generate"), QRect(48, 120, 133, 21));
    Button5 = button(this, "Button5", QStringLiteral("Cancel!"), QRect(248, 120, 133, 21));
    Button1->setAccessibleName(QStringLiteral("Browse for the clean copy"));
    Button2->setAccessibleName(QStringLiteral("Browse for the modified copy"));
    Button3->setAccessibleName(QStringLiteral("Browse for the patch file"));
    Prompts& p = context_.prompts;
    connect(Button1, &QPushButton::clicked, this, guarded(p, [this] { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, guarded(p, [this] { Button2Click(); }));
    connect(Button3, &QPushButton::clicked, this, guarded(p, [this] { Edit3Change(); }));
    connect(Button4, &QPushButton::clicked, this, guarded(p, [this] { Button4Click(); }));
    connect(Button5, &QPushButton::clicked, this, guarded(p, [this] { Button5Click(); }));
}

void Tgenpat::Button1Click() {
    if (auto file = context_.prompts.openFileName(
            {QStringLiteral("Select a clean and UNMODIFIED copy of WarCraft II"),
             QStringLiteral("(War2 CLEAN exe) (*.exe)"), context_.gameDir()})) {
        Edit1->setText(*file);
    }
}

void Tgenpat::Button2Click() {
    if (auto file = context_.prompts.openFileName({QStringLiteral("Select your MODIFIED War2EXE file"),
                                                   QStringLiteral("(War2 changed exe) (*.exe)"),
                                                   context_.gameDir()})) {
        Edit2->setText(*file);
    }
}

void Tgenpat::Edit3Change() {
    // A new name is accepted; an existing file is replaced only after asking.
    FileDialogRequest request{QStringLiteral("Select a name for the Patch File"),
                              QStringLiteral("(Patch Files *pat) (*.pat)"), context_.gameDir()};
    request.confirmOverwrite = true;
    request.defaultSuffix = QStringLiteral("PAT");
    if (auto file = context_.prompts.saveFileName(request)) {
        Edit3->setText(*file);
    }
}

QString Tgenpat::genpatchProgram() const {
    const QString beside = QDir(context_.startDir()).filePath(kGenpatch);
    if (QFileInfo::exists(beside)) {
        return beside;
    }
    return QDir(QCoreApplication::applicationDirPath()).filePath(kGenpatch);
}

void Tgenpat::Button4Click() {
    const QString program = genpatchProgram();
    const QString patch = Edit3->text();
    Prompts& prompts = context_.prompts;
    auto showStatus = context_.showStatus;
    const LaunchResult launched = context_.launcher.start(
        program, {Edit1->text(), Edit2->text(), patch},
        [&prompts, showStatus, patch](int exitCode, const QString& errors) {
            if (exitCode != 0) {
                prompts.message(MessageStyle::Error, kAppTitle,
                                errors.isEmpty()
                                    ? QStringLiteral("genpatch failed (exit code %1).").arg(exitCode)
                                    : errors);
            } else if (showStatus) {
                showStatus(QStringLiteral("Patch written: %1").arg(patch));
            }
        });
    if (!launched.started) {
        prompts.message(MessageStyle::Error, kAppTitle,
                        QStringLiteral("Cannot start \"%1\": %2").arg(program, launched.error));
        return;  // the dialog stays open
    }
    accept();
}

void Tgenpat::Button5Click() {
    reject();
}

}  // namespace zorbel
