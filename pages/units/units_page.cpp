#include "pages/units/units_page.h"

#include "app/game_text_list.h"
#include "ui_units_page.h"

namespace zorbel {

UnitsPage::UnitsPage(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::UnitsPage>()) {
    ui_->setupUi(this);
    ui_->nmlist->setByteFF(ByteFF::EndsText);  // the Units page stops a name at byte 255
}

UnitsPage::~UnitsPage() = default;

}  // namespace zorbel
