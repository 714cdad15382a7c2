#pragma once

#include <QWidget>
#include <utility>
#include <vector>

#include "tables/catalogue.h"

namespace zorbel {

// Which control of a page shows which field of the catalogue, so that the
// window can bring a field to the user after an undo or a redo.
class FieldControls {
  public:
    void add(const FieldDef& field, QWidget* control) { controls_.emplace_back(&field, control); }
    QWidget* control(const FieldDef& field) const {
        for (const auto& [f, w] : controls_) {
            if (f == &field) {
                return w;
            }
        }
        return nullptr;
    }
    // Focuses the field's control where it can take the focus.
    void focus(const FieldDef& field) const {
        QWidget* w = control(field);
        if (w != nullptr && w->isVisible() && w->isEnabled()) {
            w->setFocus(Qt::OtherFocusReason);
        }
    }

    const std::vector<std::pair<const FieldDef*, QWidget*>>& all() const { return controls_; }

  private:
    std::vector<std::pair<const FieldDef*, QWidget*>> controls_;
};

}  // namespace zorbel
