#pragma once

#include <QDockWidget>
#include <string>
#include <vector>

#include "exe/edit_history.h"
#include "tables/compare.h"

class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace zorbel {

// The "Find" panel: a query and what it finds across every table, grouped
// by table as the Changes panel groups its rows, with the same jump.
class FindPanel : public QDockWidget {
    Q_OBJECT

  public:
    explicit FindPanel(QWidget* parent = nullptr);

    void showResults(const std::vector<FoundField>& found, const std::vector<std::string>* strings);
    // Brings the query to the user, its text selected.
    void focusQuery();

    QLineEdit* query() const { return query_; }
    QTreeWidget* tree() const { return tree_; }

  signals:
    void search(const QString& query);
    void jump(const StepKey& key);

  private:
    void activated(const QTreeWidgetItem* item);

    std::vector<FoundField> found_;
    QLineEdit* query_ = nullptr;
    QLabel* count_ = nullptr;
    QTreeWidget* tree_ = nullptr;
};

}  // namespace zorbel
