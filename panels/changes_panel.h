#pragma once

#include <QDockWidget>
#include <string>
#include <vector>

#include "exe/edit_history.h"
#include "tables/compare.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zorbel {

// What a revert takes back: the selected rows, every change of the current
// row's record or table, or everything.
enum class RevertScope { Selected, Record, Table, All };

// The "Changes" panel: one row per field that differs from the reference,
// grouped by table, and the bytes that differ outside the tables.
class ChangesPanel : public QDockWidget {
    Q_OBJECT

  public:
    explicit ChangesPanel(QWidget* parent = nullptr);

    // Shows a comparison against `reference` ("WAR2.EXE"), or, with an
    // empty name, that there is nothing to compare with.
    void showComparison(const Comparison& comparison, const std::vector<std::string>* strings,
                        const QString& reference);

    // The changes and ranges a revert of `scope` takes back.
    Comparison selection(RevertScope scope) const;

    QTreeWidget* tree() const { return tree_; }

  signals:
    void jump(const StepKey& key);
    void revert(RevertScope scope);

  private:
    // Index into the comparison's fields, or -1 - k for its k-th outside range.
    static constexpr int kIndexRole = Qt::UserRole;
    const FieldChange* changeOf(const QTreeWidgetItem* item) const;
    void activated(QTreeWidgetItem* item);
    void updateButtons();

    Comparison comparison_;
    QLabel* against_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    std::vector<QPushButton*> buttons_;
};

}  // namespace zorbel
