#include "pages/units/units_page.h"

#include "ui_units_page.h"

namespace zorbel {

UnitsPage::UnitsPage(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::UnitsPage>()) {
    ui_->setupUi(this);
}

UnitsPage::~UnitsPage() = default;

}  // namespace zorbel
