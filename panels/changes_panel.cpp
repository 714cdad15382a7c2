#include "panels/changes_panel.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <map>

#include "panels/dock_body.h"

namespace zorbel {

ChangesPanel::ChangesPanel(QWidget* parent) : QDockWidget(QStringLiteral("Changes"), parent) {
    QVBoxLayout* layout = DockColumn(*this, QStringLiteral("ChangesDock"));
    QWidget* body = layout->parentWidget();
    against_ = new QLabel(body);
    against_->setObjectName(QStringLiteral("ChangesAgainst"));
    against_->setWordWrap(true);
    tree_ = new QTreeWidget(body);
    tree_->setObjectName(QStringLiteral("ChangesList"));
    tree_->setHeaderHidden(true);
    tree_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tree_->setAccessibleName(QStringLiteral("Changes"));
    tree_->setStatusTip(QStringLiteral("Double-click or Enter shows the field on its page"));
    layout->addWidget(against_);
    layout->addWidget(tree_, 1);
    auto* grid = new QGridLayout;
    const std::pair<const char*, RevertScope> actions[] = {{"Revert", RevertScope::Selected},
                                                           {"Revert Record", RevertScope::Record},
                                                           {"Revert Table", RevertScope::Table},
                                                           {"Revert All", RevertScope::All}};
    const char* hints[] = {"Put back the reference's values of the selected rows",
                           "Put back the reference's values of the whole record",
                           "Put back the reference's values of the whole table",
                           "Put back every value and byte of the reference"};
    for (int k = 0; k < 4; ++k) {
        auto* button = new QPushButton(QString::fromLatin1(actions[k].first), body);
        button->setObjectName(QStringLiteral("Revert%1").arg(k));
        button->setStatusTip(QString::fromLatin1(hints[k]));
        const RevertScope scope = actions[k].second;
        connect(button, &QPushButton::clicked, this, [this, scope] { emit revert(scope); });
        grid->addWidget(button, k / 2, k % 2);
        buttons_.push_back(button);
    }
    layout->addLayout(grid);
    connect(tree_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { activated(item); });
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] { updateButtons(); });
    showComparison({}, nullptr, {});
}

void ChangesPanel::showComparison(const Comparison& comparison, const std::vector<std::string>* strings,
                                  const QString& reference) {
    comparison_ = comparison;
    // Keep the place in the list across updates: the current row by its text.
    const QTreeWidgetItem* current = tree_->currentItem();
    const QString currentText = current != nullptr ? current->text(0) : QString();
    tree_->setUpdatesEnabled(false);
    tree_->clear();
    if (reference.isEmpty()) {
        against_->setText(
            QStringLiteral("Nothing to compare with: File, Compare With... chooses a clean "
                           "WAR2.EXE."));
    } else {
        against_->setText(QStringLiteral("Against %1").arg(reference));
    }
    std::map<int, QTreeWidgetItem*> groups;
    QTreeWidgetItem* restore = nullptr;
    auto add = [&](QTreeWidgetItem* group, const QString& text, int index) {
        auto* item = new QTreeWidgetItem(group, QStringList{text});
        item->setData(0, kIndexRole, index);
        if (text == currentText) {
            restore = item;
        }
    };
    for (std::size_t k = 0; k < comparison_.fields.size(); ++k) {
        const FieldChange& c = comparison_.fields[k];
        const int table = static_cast<int>(c.field->table);
        QTreeWidgetItem*& group = groups[table];
        if (group == nullptr) {
            group = new QTreeWidgetItem(tree_, QStringList{QString::fromUtf8(TableOf(c.field->table).name)});
            group->setFlags(Qt::ItemIsEnabled);
            group->setExpanded(true);
        }
        add(group, QString::fromStdString(ChangeText(c, strings)), static_cast<int>(k));
    }
    if (!comparison_.outside.empty()) {
        auto* group = new QTreeWidgetItem(tree_, QStringList{QStringLiteral("Outside the tables")});
        group->setFlags(Qt::ItemIsEnabled);
        group->setExpanded(true);
        for (std::size_t k = 0; k < comparison_.outside.size(); ++k) {
            add(group, QString::fromStdString(OutsideText(comparison_.outside[k])), -1 - static_cast<int>(k));
        }
    }
    for (auto& [table, group] : groups) {
        group->setText(0, group->text(0) + QStringLiteral(" (%1)").arg(group->childCount()));
    }
    if (restore != nullptr) {
        tree_->setCurrentItem(restore);
    }
    tree_->setUpdatesEnabled(true);
    updateButtons();
}

const FieldChange* ChangesPanel::changeOf(const QTreeWidgetItem* item) const {
    if (item == nullptr || !item->data(0, kIndexRole).isValid()) {
        return nullptr;
    }
    const int index = item->data(0, kIndexRole).toInt();
    if (index < 0 || index >= static_cast<int>(comparison_.fields.size())) {
        return nullptr;
    }
    return &comparison_.fields[static_cast<std::size_t>(index)];
}

void ChangesPanel::activated(QTreeWidgetItem* item) {
    if (const FieldChange* c = changeOf(item)) {
        emit jump(FieldKey(*c->field, c->row));
    }
}

Comparison ChangesPanel::selection(RevertScope scope) const {
    Comparison out;
    out.sameBuild = comparison_.sameBuild;
    const FieldChange* current = changeOf(tree_->currentItem());
    for (const FieldChange& c : comparison_.fields) {
        const bool take =
            scope == RevertScope::All ||
            (current != nullptr && scope == RevertScope::Table && c.field->table == current->field->table) ||
            (current != nullptr && scope == RevertScope::Record && c.field->table == current->field->table &&
             c.row == current->row);
        if (take) {
            out.fields.push_back(c);
        }
    }
    if (scope == RevertScope::All) {
        out.outside = comparison_.outside;
    }
    if (scope == RevertScope::Selected) {
        for (const QTreeWidgetItem* item : tree_->selectedItems()) {
            if (const FieldChange* c = changeOf(item)) {
                out.fields.push_back(*c);
            } else if (item->data(0, kIndexRole).isValid()) {
                out.outside.push_back(
                    comparison_.outside[static_cast<std::size_t>(-1 - item->data(0, kIndexRole).toInt())]);
            }
        }
    }
    return out;
}

void ChangesPanel::updateButtons() {
    const bool any = !comparison_.fields.empty() || !comparison_.outside.empty();
    const bool field = changeOf(tree_->currentItem()) != nullptr;
    buttons_[0]->setEnabled(!tree_->selectedItems().isEmpty());
    buttons_[1]->setEnabled(field);
    buttons_[2]->setEnabled(field);
    buttons_[3]->setEnabled(any);
}

}  // namespace zorbel
