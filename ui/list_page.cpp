#include "ui/list_page.h"

#include <QLineEdit>
#include <QListWidget>
#include <algorithm>

namespace zorbel {

namespace {

// The tint of a control whose field differs from the reference.
const QColor kChangedTint(255, 226, 140);
const QColor kChangedRowTint(255, 236, 179);
constexpr int kFilterHeight = 22;

// What a row shows as text, without the colour codes of game text.
QString plainText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= 0x20) {
            out += c;
        }
    }
    return out;
}

}  // namespace

void ListPage::attachList(PageContext& context, QListWidget* list, std::function<void()> load) {
    context_ = &context;
    list_ = list;
    load_ = std::move(load);
    auto run = guarded(context.prompts, [this] {
        load_();
        showMarks();
    });
    connect(list, &QListWidget::currentRowChanged, this, run);
    connect(list, &QListWidget::clicked, this, run);

    // The filter box takes the top of the list's place.
    filter_ = new QLineEdit(list->parentWidget());
    filter_->setObjectName(list->objectName() + QStringLiteral("Filter"));
    filter_->setPlaceholderText(QStringLiteral("Filter"));
    filter_->setClearButtonEnabled(true);
    filter_->setAccessibleName(list->accessibleName() + QStringLiteral(" filter"));
    const QString hint = QStringLiteral("Shows the rows whose name or number holds this text");
    filter_->setToolTip(hint);
    filter_->setStatusTip(hint);
    const QRect place = list->geometry();
    filter_->setGeometry(place.x(), place.y(), place.width(), kFilterHeight);
    list->setGeometry(place.x(), place.y() + kFilterHeight + 2, place.width(),
                      place.height() - kFilterHeight - 2);
    QWidget::setTabOrder(list->previousInFocusChain(), filter_);
    QWidget::setTabOrder(filter_, list);
    connect(filter_, &QLineEdit::textChanged, this, [this] { filterRows(); });
    // A list filled again has lost its marks.
    const auto forget = [this] { changedRows_.clear(); };
    connect(list->model(), &QAbstractItemModel::modelReset, this, forget);
    connect(list->model(), &QAbstractItemModel::rowsInserted, this, forget);
    connect(list->model(), &QAbstractItemModel::rowsRemoved, this, forget);
}

void ListPage::refresh() {
    if (list_ != nullptr && list_->count() > 0) {
        selectRow(0);
    }
}

void ListPage::selectRow(int row) {
    if (list_->currentRow() == row) {
        load_();
        showMarks();
    } else {
        list_->setCurrentRow(row);
    }
}

void ListPage::reload() {
    if (list_ != nullptr && list_->currentRow() >= 0) {
        load_();
        showMarks();
    }
}

void ListPage::showRow(std::int64_t row, const FieldDef* field) {
    if (list_ == nullptr) {
        return;  // not attached to the window
    }
    selectRow(static_cast<int>(row));
    if (field != nullptr) {
        controls_.focus(*field);
    }
}

std::int64_t ListPage::stepRow() const {
    return list_ == nullptr ? -1 : list_->currentRow();
}

void ListPage::setMarks(const ChangeMarks* marks) {
    marks_ = marks;
    showMarks();
}

void ListPage::setChangedOnly(bool on) {
    changedOnly_ = on;
    filterRows();
}

bool ListPage::rowChanged(int listRow) const {
    if (marks_ == nullptr || marks_->records.empty()) {
        return false;
    }
    for (TableId table : tables_) {
        if (marks_->records.count({table, listRow}) != 0) {
            return true;
        }
    }
    return false;
}

void ListPage::showMarks() {
    if (list_ == nullptr) {
        return;
    }
    const std::int64_t row = stepRow();
    for (const auto& [field, control] : controls_.all()) {
        const std::string* was = nullptr;
        if (marks_ != nullptr && row >= 0) {
            const auto at = marks_->was.find({field, row});
            was = at != marks_->was.end() ? &at->second : nullptr;
        }
        if (was != nullptr) {
            tint(control,
                 QStringLiteral("was %1 in %2").arg(QString::fromStdString(*was), marks_->reference));
        } else {
            untint(control);
        }
    }
    markRows();
}

void ListPage::tint(QWidget* control, const QString& tip) {
    auto [at, first] = tinted_.try_emplace(control, Untinted{control->palette(), control->toolTip()});
    if (first) {
        QPalette palette = control->palette();
        palette.setColor(QPalette::Base, kChangedTint);
        palette.setColor(QPalette::Button, kChangedTint);
        control->setPalette(palette);
        control->setProperty("changed", true);
    }
    const QString& own = at->second.toolTip;
    control->setToolTip(own.isEmpty() ? tip : own + QLatin1Char('\n') + tip);
}

void ListPage::untint(QWidget* control) {
    const auto at = tinted_.find(control);
    if (at == tinted_.end()) {
        return;
    }
    control->setPalette(at->second.palette);
    control->setToolTip(at->second.toolTip);
    control->setProperty("changed", QVariant());
    tinted_.erase(at);
}

void ListPage::markRows() {
    tables_.clear();
    for (const auto& [field, control] : controls_.all()) {
        if (std::find(tables_.begin(), tables_.end(), field->table) == tables_.end()) {
            tables_.push_back(field->table);
        }
    }
    std::vector<char> changed(static_cast<std::size_t>(list_->count()));
    for (int r = 0; r < list_->count(); ++r) {
        changed[static_cast<std::size_t>(r)] = rowChanged(r) ? 1 : 0;
    }
    if (changed == changedRows_) {
        return;
    }
    for (int r = 0; r < list_->count(); ++r) {
        QListWidgetItem* item = list_->item(r);
        if (changed[static_cast<std::size_t>(r)] != 0) {
            item->setBackground(kChangedRowTint);
            item->setData(kChangedRole, true);
        } else if (item->data(kChangedRole).isValid()) {
            item->setData(Qt::BackgroundRole, QVariant());
            item->setData(kChangedRole, QVariant());
        }
    }
    changedRows_ = std::move(changed);
    filterRows();
}

void ListPage::filterRows() {
    if (list_ == nullptr) {
        return;
    }
    const QString wanted = plainText(filter_->text()).trimmed();
    for (int r = 0; r < list_->count(); ++r) {
        const QListWidgetItem* item = list_->item(r);
        const bool changed = static_cast<std::size_t>(r) < changedRows_.size() &&
                             changedRows_[static_cast<std::size_t>(r)] != 0;
        const bool shown =
            (!changedOnly_ || changed) &&
            (wanted.isEmpty() || plainText(item->text()).contains(wanted, Qt::CaseInsensitive));
        if (list_->isRowHidden(r) == shown) {
            list_->setRowHidden(r, !shown);
        }
    }
}

}  // namespace zorbel
