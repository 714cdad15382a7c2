#include "panels/problems_panel.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

#include "panels/dock_body.h"

namespace zorbel {

namespace {

constexpr int kIndexRole = Qt::UserRole;
constexpr int kKeyRole = Qt::UserRole + 1;

QIcon severityIcon(Severity severity) {
    const QStyle::StandardPixmap pixmap = severity == Severity::Error     ? QStyle::SP_MessageBoxCritical
                                          : severity == Severity::Warning ? QStyle::SP_MessageBoxWarning
                                                                          : QStyle::SP_MessageBoxInformation;
    return QApplication::style()->standardIcon(pixmap);
}

}  // namespace

ProblemsPanel::ProblemsPanel(QWidget* parent) : QDockWidget(QStringLiteral("Problems"), parent) {
    QVBoxLayout* layout = DockColumn(*this, QStringLiteral("ProblemsDock"));
    QWidget* body = layout->parentWidget();
    summary_ = new QLabel(body);
    summary_->setObjectName(QStringLiteral("ProblemSummary"));
    summary_->setWordWrap(true);
    list_ = new QListWidget(body);
    list_->setObjectName(QStringLiteral("ProblemList"));
    list_->setAccessibleName(QStringLiteral("Problems"));
    list_->setStatusTip(QStringLiteral("Double-click or Enter shows the field on its page"));
    list_->setWordWrap(true);
    list_->setTextElideMode(Qt::ElideNone);
    list_->setIconSize(QSize(16, 16));
    auto* buttons = new QHBoxLayout;
    ignore_ = new QPushButton(QStringLiteral("Ignore"), body);
    ignore_->setObjectName(QStringLiteral("IgnoreProblem"));
    ignore_->setStatusTip(QStringLiteral("Hide the selected problem for this file"));
    unignore_ = new QPushButton(QStringLiteral("Unignore"), body);
    unignore_->setObjectName(QStringLiteral("UnignoreProblem"));
    unignore_->setStatusTip(QStringLiteral("List the selected ignored problem again"));
    showIgnored_ = new QCheckBox(QStringLiteral("Show Ignored"), body);
    showIgnored_->setObjectName(QStringLiteral("ShowIgnored"));
    showIgnored_->setStatusTip(QStringLiteral("List the ignored problems too, greyed"));
    buttons->addWidget(ignore_);
    buttons->addWidget(unignore_);
    buttons->addStretch(1);
    buttons->addWidget(showIgnored_);
    layout->addWidget(summary_);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    connect(list_, &QListWidget::itemActivated, this, [this](const QListWidgetItem* item) {
        if (const Problem* p = problemOf(item)) {
            emit jump(FieldKey(*p->field, p->row));
        }
    });
    connect(list_, &QListWidget::currentItemChanged, this, [this] { updateButtons(); });
    auto setIgnored = [this](bool on) {
        if (const Problem* p = problemOf(list_->currentItem())) {
            emit ignore(p->key(), on);
        }
    };
    connect(ignore_, &QPushButton::clicked, this, [setIgnored] { setIgnored(true); });
    connect(unignore_, &QPushButton::clicked, this, [setIgnored] { setIgnored(false); });
    connect(showIgnored_, &QCheckBox::toggled, this, [this] { showProblems(problems_, ignored_); });
    showProblems({}, {});
}

void ProblemsPanel::showProblems(const std::vector<Problem>& problems, const std::set<std::string>& ignored) {
    // Copied first: the arguments may be the panel's own.
    std::vector<Problem> kept = problems;
    std::set<std::string> keys = ignored;
    problems_ = std::move(kept);
    ignored_ = std::move(keys);
    // Keep the place in the list across updates: the current row by its problem,
    // or the row that took its place.
    const QString currentKey =
        list_->currentItem() != nullptr ? list_->currentItem()->data(kKeyRole).toString() : QString();
    const int currentRow = list_->currentRow();
    list_->setUpdatesEnabled(false);
    list_->clear();
    std::size_t hidden = 0;
    QListWidgetItem* restore = nullptr;
    for (std::size_t k = 0; k < problems_.size(); ++k) {
        const Problem& p = problems_[k];
        const std::string key = p.key();
        const bool isIgnored = ignored_.contains(key);
        if (isIgnored && !showIgnored_->isChecked()) {
            ++hidden;
            continue;
        }
        auto* item = new QListWidgetItem(severityIcon(p.severity),
                                         QString::fromUtf8(SeverityName(p.severity)) + QStringLiteral(": ") +
                                             QString::fromStdString(p.text),
                                         list_);
        item->setData(kIndexRole, static_cast<int>(k));
        item->setData(kKeyRole, QString::fromStdString(key));
        if (isIgnored) {
            item->setForeground(list_->palette().brush(QPalette::Disabled, QPalette::Text));
        }
        if (item->data(kKeyRole).toString() == currentKey) {
            restore = item;
        }
    }
    if (restore == nullptr && currentRow >= 0 && list_->count() > 0) {
        restore = list_->item(std::min(currentRow, list_->count() - 1));
    }
    if (restore != nullptr) {
        list_->setCurrentItem(restore);
    }
    list_->setUpdatesEnabled(true);
    if (problems_.empty()) {
        summary_->setText(QStringLiteral("No problems found."));
    } else if (hidden > 0) {
        summary_->setText(hidden == 1 ? QStringLiteral("1 ignored problem not listed")
                                      : QStringLiteral("%1 ignored problems not listed").arg(hidden));
    } else {
        summary_->setText(problems_.size() == 1 ? QStringLiteral("1 problem")
                                                : QStringLiteral("%1 problems").arg(problems_.size()));
    }
    updateButtons();
}

const Problem* ProblemsPanel::problemOf(const QListWidgetItem* item) const {
    if (item == nullptr) {
        return nullptr;
    }
    const int k = item->data(kIndexRole).toInt();
    return k >= 0 && k < static_cast<int>(problems_.size()) ? &problems_[static_cast<std::size_t>(k)]
                                                            : nullptr;
}

void ProblemsPanel::updateButtons() {
    const Problem* p = problemOf(list_->currentItem());
    const bool isIgnored = p != nullptr && ignored_.contains(p->key());
    ignore_->setEnabled(p != nullptr && !isIgnored);
    unignore_->setEnabled(isIgnored);
    unignore_->setVisible(showIgnored_->isChecked());
}

}  // namespace zorbel
