#pragma once

#include <QDockWidget>
#include <set>
#include <string>
#include <vector>

#include "checks/table_checks.h"
#include "exe/edit_history.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace zorbel {

// The "Problems" panel: a row per problem the checks found, its severity
// first; Enter jumps to the field. Ignored problems are hidden unless
// Show Ignored is on, and then greyed.
class ProblemsPanel : public QDockWidget {
    Q_OBJECT

  public:
    explicit ProblemsPanel(QWidget* parent = nullptr);

    // `ignored` holds the keys of the problems the user ignored.
    void showProblems(const std::vector<Problem>& problems, const std::set<std::string>& ignored);

    QListWidget* list() const { return list_; }

  signals:
    void jump(const StepKey& key);
    // The user ignored (or took back the ignore of) the problem of `key`.
    void ignore(const std::string& key, bool ignored);

  private:
    const Problem* problemOf(const QListWidgetItem* item) const;
    void updateButtons();

    std::vector<Problem> problems_;
    std::set<std::string> ignored_;
    QLabel* summary_ = nullptr;
    QListWidget* list_ = nullptr;
    QPushButton* ignore_ = nullptr;
    QPushButton* unignore_ = nullptr;
    QCheckBox* showIgnored_ = nullptr;
};

}  // namespace zorbel
