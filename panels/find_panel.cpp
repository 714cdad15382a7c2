#include "panels/find_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <map>

#include "panels/dock_body.h"

namespace zorbel {

namespace {

constexpr int kIndexRole = Qt::UserRole;

// The field a jump to a row found by its name focuses: the table's first.
const FieldDef* firstFieldOf(TableId table) {
    for (const FieldDef* field : Fields()) {
        if (field->table == table) {
            return field;
        }
    }
    return nullptr;
}

}  // namespace

FindPanel::FindPanel(QWidget* parent) : QDockWidget(QStringLiteral("Find"), parent) {
    QVBoxLayout* layout = DockColumn(*this, QStringLiteral("FindDock"));
    QWidget* body = layout->parentWidget();
    query_ = new QLineEdit(body);
    query_->setObjectName(QStringLiteral("FindText"));
    query_->setPlaceholderText(QStringLiteral("12, Icon 80, sound 12 or a name"));
    query_->setAccessibleName(QStringLiteral("Find"));
    query_->setClearButtonEnabled(true);
    const QString hint = QStringLiteral(
        "Enter finds a value, a field and a value, every field naming a sound, or a part of a name");
    query_->setToolTip(hint);
    query_->setStatusTip(hint);
    count_ = new QLabel(body);
    count_->setObjectName(QStringLiteral("FindCount"));
    tree_ = new QTreeWidget(body);
    tree_->setObjectName(QStringLiteral("FindResults"));
    tree_->setHeaderHidden(true);
    tree_->setAccessibleName(QStringLiteral("Found"));
    tree_->setStatusTip(QStringLiteral("Double-click or Enter shows the field on its page"));
    layout->addWidget(query_);
    layout->addWidget(count_);
    layout->addWidget(tree_, 1);
    connect(query_, &QLineEdit::returnPressed, this, [this] { emit search(query_->text()); });
    connect(tree_, &QTreeWidget::itemActivated, this,
            [this](const QTreeWidgetItem* item) { activated(item); });
}

void FindPanel::showResults(const std::vector<FoundField>& found, const std::vector<std::string>* strings) {
    found_ = found;
    tree_->setUpdatesEnabled(false);
    tree_->clear();
    std::map<int, QTreeWidgetItem*> groups;
    for (std::size_t k = 0; k < found_.size(); ++k) {
        const FoundField& f = found_[k];
        QTreeWidgetItem*& group = groups[static_cast<int>(f.table)];
        if (group == nullptr) {
            group = new QTreeWidgetItem(tree_, QStringList{QString::fromUtf8(TableOf(f.table).name)});
            group->setFlags(Qt::ItemIsEnabled);
            group->setExpanded(true);
        }
        auto* item = new QTreeWidgetItem(group, QStringList{QString::fromStdString(FoundText(f, strings))});
        item->setData(0, kIndexRole, static_cast<int>(k));
    }
    for (auto& [table, group] : groups) {
        group->setText(0, group->text(0) + QStringLiteral(" (%1)").arg(group->childCount()));
    }
    tree_->setUpdatesEnabled(true);
    count_->setText(found_.size() == 1 ? QStringLiteral("1 found")
                                       : QStringLiteral("%1 found").arg(found_.size()));
}

void FindPanel::focusQuery() {
    show();
    raise();
    query_->setFocus(Qt::ShortcutFocusReason);
    query_->selectAll();
}

void FindPanel::activated(const QTreeWidgetItem* item) {
    if (item == nullptr || !item->data(0, kIndexRole).isValid()) {
        return;
    }
    const auto k = static_cast<std::size_t>(item->data(0, kIndexRole).toInt());
    if (k >= found_.size()) {
        return;
    }
    const FoundField& f = found_[k];
    if (const FieldDef* field = f.field != nullptr ? f.field : firstFieldOf(f.table)) {
        emit jump(FieldKey(*field, f.row));
    }
}

}  // namespace zorbel
