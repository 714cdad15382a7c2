#include "ui/list_page.h"

#include <QListWidget>

namespace zorbel {

void ListPage::attachList(PageContext& context, QListWidget* list, std::function<void()> load) {
    context_ = &context;
    list_ = list;
    load_ = std::move(load);
    auto run = guarded(context.prompts, [this] { load_(); });
    connect(list, &QListWidget::currentRowChanged, this, run);
    connect(list, &QListWidget::clicked, this, run);
}

void ListPage::refresh() {
    if (list_ != nullptr && list_->count() > 0) {
        selectRow(0);
    }
}

void ListPage::selectRow(int row) {
    if (list_->currentRow() == row) {
        load_();
    } else {
        list_->setCurrentRow(row);
    }
}

void ListPage::reload() {
    if (list_ != nullptr && list_->currentRow() >= 0) {
        load_();
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

}  // namespace zorbel
