#include "pages/commands/commands_page.h"

#include "ui_commands_page.h"

namespace zorbel {

CommandsPage::CommandsPage(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::CommandsPage>()) {
    ui_->setupUi(this);
}

CommandsPage::~CommandsPage() = default;

}  // namespace zorbel
