#pragma once

#include <QPalette>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "ui/change_marks.h"
#include "ui/field_controls.h"
#include "ui/handler.h"
#include "ui/page_context.h"
#include "ui/scoped_flag.h"

class QLineEdit;
class QListWidget;

namespace zorbel {

// What the five pages share: a list whose row is the record shown, a load
// handler that fills the controls from the image, and write-back handlers
// that each run as one step of the history.
class ListPage : public QWidget {
    Q_OBJECT

  public:
    using QWidget::QWidget;

    // After Open: the first row, loaded.
    void refresh();
    // Selects a row and loads it, also when it is selected already.
    void selectRow(int row);
    // Loads the selected row again, as the image now has it.
    virtual void reload();
    // Shows a row as the image now has it, with a field's control focused.
    virtual void showRow(std::int64_t row, const FieldDef* field);

    // Marks the changes of `marks` (none when null, which the page does not
    // own): the controls of the record shown are tinted, with the
    // reference's value in their tooltips, and the list rows of changed
    // records are marked.
    void setMarks(const ChangeMarks* marks);
    // Shows only the list rows of records with a change.
    void setChangedOnly(bool on);
    // Above the list: shows the rows whose name or number holds its text.
    QLineEdit* filterBox() const { return filter_; }
    // The data role of a list row that shows a record with a change.
    static constexpr int kChangedRole = Qt::UserRole + 7;

  protected:
    // The page's list and its load handler: selecting a row loads it, and so
    // does a click on the row already selected.
    template <class Page>
    void attachList(PageContext& context, QListWidget* list, void (Page::*load)()) {
        attachList(context, list, [this, load] { (static_cast<Page*>(this)->*load)(); });
    }
    void attachList(PageContext& context, QListWidget* list, std::function<void()> load);
    // A slot that runs a write-back handler as one step of the history,
    // named after the field and the row of stepRow().
    template <class Page>
    auto step(const FieldDef& field, bool typing, void (Page::*handler)()) {
        return guarded(context_->prompts, [this, &field, typing, handler] {
            context_->edit(field, stepRow(), typing,
                           [this, handler] { (static_cast<Page*>(this)->*handler)(); });
        });
    }
    virtual std::int64_t stepRow() const;
    // Whether list row `listRow` shows a record with a change. By default
    // the list row is the record's row in each table of the page's fields
    // (tables_, set before each marking pass).
    virtual bool rowChanged(int listRow) const;
    // Tints the controls of the record shown and marks the list rows; after
    // every load, and for a page that shows another record of a row.
    void showMarks();
    // For a load handler: no write-back while the controls are filled, and
    // the history's last step takes in no more keystrokes.
    ScopedFlag loading() {
        context_->image.history().seal();
        return ScopedFlag(context_->WriteBackEnabled, false);
    }

    PageContext* context_ = nullptr;
    QListWidget* list_ = nullptr;
    FieldControls controls_;
    const ChangeMarks* marks_ = nullptr;

  private:
    void markRows();
    void filterRows();
    void tint(QWidget* control, const QString& tip);
    void untint(QWidget* control);

    std::function<void()> load_;
    QLineEdit* filter_ = nullptr;
    bool changedOnly_ = false;
    std::vector<char> changedRows_;
    std::vector<TableId> tables_;  // of the page's fields, for rowChanged
    struct Untinted {
        QPalette palette;
        QString toolTip;
    };
    std::map<QWidget*, Untinted> tinted_;
};

}  // namespace zorbel
